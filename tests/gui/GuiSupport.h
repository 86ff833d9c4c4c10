#pragma once

#include "FakeServices.h"
#include "MainForm.h"
#include "pages/ItemPages.h"
#include "widgets/TextEdit.h"

#include <gtest/gtest.h>
#include <memory>
#include <QApplication>
#include <QDir>
#include <QTemporaryDir>
#include <QTreeWidget>

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

    QTreeWidgetItem *root() { return window->TreeView1->topLevelItem(0); }
    // Selects a node and lets the tree redraw, which refreshes the command states.
    void select(QTreeWidgetItem *node)
    {
        window->TreeView1->setCurrentItem(node);
        settle();
    }
    static void settle()
    {
        QApplication::processEvents();
        QApplication::processEvents();
    }
    // Inserts a child under parent and names it through the item pages, as a user would.
    QTreeWidgetItem *add(QTreeWidgetItem *parent, const QString &caption)
    {
        select(parent);
        window->Insert1Click();
        QTreeWidgetItem *node = parent->child(parent->childCount() - 1);
        select(node);
        window->TabSheet1->edtItemCaption->setText(caption);
        return node;
    }
};
