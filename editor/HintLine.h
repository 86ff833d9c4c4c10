#pragma once

#include <QObject>

class QWidget;

// Finds the control under the mouse pointer whose hint the status text shows. Wired controls
// own everything inside them that is not wired itself; labels and drop-down lists are not
// wired, and moving over them reports nothing, so the line stays as it was.
class HintLine : public QObject
{
    Q_OBJECT

public:
    using QObject::QObject;

    // Wires a control: moving over it, or over anything inside it, reports it.
    static void wire(QWidget *control);
    static bool isWired(const QWidget *widget);
    // Watches every widget below top (and top), so that moves over nested parts are seen.
    void watchAll(QWidget *top);

    // The wired control that owns the widget, or null when a label or a list is in the way.
    static QWidget *ownerOf(QWidget *widget);

signals:
    void mouseMoved(QWidget *control);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
};
