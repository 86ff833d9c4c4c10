#include "HistoryKeys.h"

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QWidget>

HistoryKeys::HistoryKeys(QWidget *window, QAction *undo, QAction *redo)
    : QObject(window), window_(window), undo_(undo), redo_(redo)
{
    qApp->installEventFilter(this);
}

bool HistoryKeys::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::ShortcutOverride || !watched->isWidgetType())
        return false;
    // The window itself and the tool windows it owns (the live preview).
    const QWidget *top = static_cast<QWidget *>(watched)->window();
    if (top != window_ && top->parentWidget() != window_)
        return false;
    const auto *key = static_cast<QKeyEvent *>(event);
    const QKeySequence pressed(key->keyCombination());
    for (const QAction *history : {undo_, redo_}) {
        if (history->shortcuts().contains(pressed))
            return true; // not taken by the field: the action's shortcut runs
    }
    return false;
}
