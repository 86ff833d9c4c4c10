#include "SplitHandle.h"

#include <QMouseEvent>

SplitHandle::SplitHandle(QWidget *parent, std::function<void(int dx)> moved)
    : QWidget(parent), moved_(std::move(moved))
{
    setCursor(Qt::SplitHCursor);
}

void SplitHandle::mousePressEvent(QMouseEvent *event)
{
    pressedAt_ = qRound(event->globalPosition().x());
}

void SplitHandle::mouseMoveEvent(QMouseEvent *event)
{
    if (!(event->buttons() & Qt::LeftButton))
        return;
    const int x = qRound(event->globalPosition().x());
    moved_(x - pressedAt_);
    pressedAt_ = x;
}
