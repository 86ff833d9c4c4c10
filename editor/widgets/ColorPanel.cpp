#include "ColorPanel.h"

#include <QMouseEvent>
#include <QPainter>

ColorPanel::ColorPanel(QWidget *parent) : QFrame(parent)
{
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setCursor(Qt::PointingHandCursor);
    setFixedSize(40, 20);
}

void ColorPanel::setColor(const QColor &color)
{
    color_ = color;
    update();
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
    painter.end();
    QFrame::paintEvent(event);
}

void ColorPanel::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::EnabledChange)
        setCursor(isEnabled() ? Qt::PointingHandCursor : Qt::ArrowCursor);
    QFrame::changeEvent(event);
}
