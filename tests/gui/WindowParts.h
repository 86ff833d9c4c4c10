#pragma once

#include <QAction>
#include <QObject>
#include <stdexcept>
#include <string>

// A named part of a window (a control, a page, an action, a dialog), as a test reaches it;
// a missing one fails the test.
template <typename T> T *part(QObject &window, const char *name)
{
    T *found = window.findChild<T *>(QLatin1String(name));
    if (!found)
        throw std::runtime_error(std::string("no part named ") + name);
    return found;
}

// Runs a command as its menu item or button does (a disabled one does nothing).
inline void trigger(QObject &window, const char *action)
{
    part<QAction>(window, action)->trigger();
}
