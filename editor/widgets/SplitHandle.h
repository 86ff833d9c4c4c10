#pragma once

#include <functional>
#include <QWidget>

// A thin handle between two parts of a window laid out by hand: dragging it reports how far
// it was moved, and the window places the parts again.
class SplitHandle : public QWidget
{
public:
    SplitHandle(QWidget *parent, std::function<void(int dx)> moved);

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;

private:
    std::function<void(int)> moved_;
    int pressedAt_ = 0;
};
