#include "ColorPanel.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

ColorPanel::ColorPanel(QWidget *parent) : QFrame(parent)
{
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::StrongFocus);
    setFixedSize(40, 20);
    setColor(color_);
}

void ColorPanel::setColor(const QColor &color)
{
    color_ = color;
    setAccessibleDescription(tr("Colour %1").arg(color.name(QColor::HexRgb).mid(1).toUpper()));
    update();
}

void ColorPanel::keyPressEvent(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Space:
    case Qt::Key_Return:
    case Qt::Key_Enter:
        emit clicked();
        return;
    default:
        QFrame::keyPressEvent(event);
    }
}

void ColorPanel::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit clicked();
    QFrame::mouseReleaseEvent(event);
}

void ColorPanel::paintEvent(QPaintEvent *event)
{
    QPainter painter(this);
    painter.fillRect(contentsRect(), color_);
    if (!isEnabled()) // a disabled panel keeps its colour, hatched so it reads as off
        painter.fillRect(contentsRect(),
                         QBrush(palette().color(QPalette::Window), Qt::BDiagPattern));
    if (hasFocus()) { // a ring in the highlight colour, inside the frame
        painter.setPen(QPen(palette().color(QPalette::Highlight), 2));
        painter.drawRect(contentsRect().adjusted(1, 1, -1, -1));
    }
    painter.end();
    QFrame::paintEvent(event);
}

void ColorPanel::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::EnabledChange)
        setCursor(isEnabled() ? Qt::PointingHandCursor : Qt::ArrowCursor);
    QFrame::changeEvent(event);
}
