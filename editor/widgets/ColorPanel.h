#pragma once

#include <QColor>
#include <QFrame>

// A small panel filled with a colour; a click, or Space or Enter while it has the focus, opens
// the colour dialog (through clicked()). It tells a screen reader its colour. Setting the
// colour by program raises no notification.
class ColorPanel : public QFrame
{
    Q_OBJECT

public:
    explicit ColorPanel(QWidget *parent = nullptr);

    QColor color() const { return color_; }
    void setColor(const QColor &color);

signals:
    void clicked();

protected:
    void mouseReleaseEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    QColor color_{Qt::black};
};
