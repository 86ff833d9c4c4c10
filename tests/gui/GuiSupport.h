#pragma once

#include "FakeServices.h"
#include "MainForm.h"

#include <gtest/gtest.h>
#include <memory>
#include <QApplication>
#include <QDir>
#include <QTemporaryDir>

// A main window with scripted dialogs, a recording shell and a program folder of its own.
struct WindowFixture
{
    QTemporaryDir programDir;
    ScriptedDialogs dialogs;
    RecordingShell shell;
    std::unique_ptr<TMainForm> window;

    WindowFixture() { create(); }
    void create()
    {
        window = std::make_unique<TMainForm>(
            EditorServices{dialogs, shell, QDir::toNativeSeparators(programDir.path() + "/")});
        window->show();
        window->activateWindow();
        QApplication::setActiveWindow(window.get());
    }
    TMainForm &w() { return *window; }
    template <typename T> T *find(const QString &name)
    {
        T *widget = window->findChild<T *>(name);
        if (!widget)
            ADD_FAILURE() << "no control " << name.toStdString();
        return widget;
    }
    QString program() const { return QDir::toNativeSeparators(programDir.path() + "/"); }
};
