#pragma once

#include <QObject>

class QAction;
class QWidget;

// One undo for the author: the keys of Undo and Redo reach the document's history even while
// a text or number field has the focus (a field would take them for its own undo).
class HistoryKeys : public QObject
{
public:
    HistoryKeys(QWidget *window, QAction *undo, QAction *redo);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QWidget *window_;
    QAction *undo_, *redo_;
};
