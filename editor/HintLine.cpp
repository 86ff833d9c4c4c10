#include "HintLine.h"

#include <QComboBox>
#include <QCursor>
#include <QEvent>
#include <QLabel>
#include <QMouseEvent>

namespace {
const char *const WiredProperty = "tarvelleHintWired";

bool isUnwiredKind(const QWidget *widget)
{
    return qobject_cast<const QLabel *>(widget) || qobject_cast<const QComboBox *>(widget);
}
} // namespace

void HintLine::wire(QWidget *control)
{
    control->setProperty(WiredProperty, true);
}

bool HintLine::isWired(const QWidget *widget)
{
    return widget->property(WiredProperty).toBool();
}

void HintLine::watchAll(QWidget *top)
{
    top->installEventFilter(this);
    top->setMouseTracking(true);
    for (QWidget *widget : top->findChildren<QWidget *>()) {
        widget->installEventFilter(this);
        widget->setMouseTracking(true);
    }
}

QWidget *HintLine::ownerOf(QWidget *widget)
{
    for (; widget; widget = widget->parentWidget()) {
        if (isUnwiredKind(widget))
            return nullptr;
        if (isWired(widget))
            return widget;
        if (widget->isWindow())
            return nullptr;
    }
    return nullptr;
}

bool HintLine::eventFilter(QObject *watched, QEvent *event)
{
    auto *widget = qobject_cast<QWidget *>(watched);
    if (!widget || (event->type() != QEvent::MouseMove && event->type() != QEvent::Enter))
        return false;
    // A move that a child ignores travels on to its parents; the deepest widget under the
    // pointer decides, so every step of that journey reports the same control.
    const QPoint pos = event->type() == QEvent::MouseMove
                           ? static_cast<QMouseEvent *>(event)->position().toPoint()
                           : widget->mapFromGlobal(QCursor::pos());
    QWidget *deepest = widget->childAt(pos);
    if (QWidget *owner = ownerOf(deepest ? deepest : widget))
        emit mouseMoved(owner);
    return false;
}
