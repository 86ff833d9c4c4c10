#pragma once

#include "editor/EditorDocument.h"
#include "editor/MainWindow.h"
#include "editor/MenuTreeModel.h"
#include "editor/pages/AppletPages.h"
#include "editor/pages/ItemPages.h"
#include "editor/pages/MenuPages.h"
#include "editor/pages/PropertyPanel.h"
#include "editor/preview/PreviewController.h"
#include "editor/ProgressAdapter.h"
#include "editor/ProjectController.h"
#include "editor/widgets/MenuTreeView.h"
#include "editor/widgets/TextEdit.h"
#include "tests/gui/FakeServices.h"
#include "tests/gui/WindowParts.h"

#include <gtest/gtest.h>
#include <memory>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <stdexcept>
#include <string>

// A main window with scripted dialogs, a recording shell and a program folder of its own.
// A node of the menu tree, as the tests hold it.
using Node = ItemTree::Node;

struct WindowFixture
{
    QTemporaryDir programDir;
    ScriptedDialogs dialogs;
    RecordingShell shell;
    std::unique_ptr<MainWindow> window;

    // The program folder holds the web runtime, which every save copies, as an installation does.
    WindowFixture()
    {
        QFile runtime(programDir.filePath("zorvex.js"));
        if (runtime.open(QIODevice::WriteOnly))
            runtime.write("/* zorvex.js */\n");
        create();
    }
    void create()
    {
        window = std::make_unique<MainWindow>(
            EditorServices{dialogs, shell, QDir::toNativeSeparators(programDir.path() + "/")});
        window->show();
        window->activateWindow();
        QApplication::setActiveWindow(window.get());
    }
    MainWindow &w() { return *window; }
    template <typename T> T *find(const QString &name)
    {
        return part<T>(*window, name.toUtf8().constData());
    }
    QString program() const { return QDir::toNativeSeparators(programDir.path() + "/"); }

    Node root() { return window->document().tree().root(); }
    MenuTreeView *tree() { return part<MenuTreeView>(*window, "TreeView1"); }
    Node current() { return tree()->currentNode(); }
    Node child(Node node, int index) { return window->document().tree().child(node, index); }
    int childCount(Node node) { return window->document().tree().childCount(node); }
    Node parentOf(Node node) { return window->document().tree().parent(node); }
    QString caption(Node node)
    {
        return QString::fromStdString(window->document().tree().caption(node));
    }
    void setExpanded(Node node, bool open)
    {
        tree()->setExpanded(tree()->menuModel()->indexOf(node), open);
    }
    bool isExpanded(Node node) { return tree()->isExpanded(tree()->menuModel()->indexOf(node)); }
    // Every node the view's model shows, in pre-order, the root first.
    std::vector<Node> shown()
    {
        auto *model = tree()->menuModel();
        std::vector<Node> nodes;
        std::vector<QModelIndex> pending{model->index(0, 0)};
        while (!pending.empty()) {
            const QModelIndex next = pending.back();
            pending.pop_back();
            if (!next.isValid())
                continue;
            nodes.push_back(model->node(next));
            for (int row = model->rowCount(next) - 1; row >= 0; --row)
                pending.push_back(model->index(row, 0, next));
        }
        return nodes;
    }
    // Selects a node and lets the tree redraw, which refreshes the command states.
    void select(Node node)
    {
        tree()->setCurrentNode(node);
        settle();
    }
    static void settle()
    {
        QApplication::processEvents();
        QApplication::processEvents();
    }
    // Inserts a child under parent and names it through the item pages, as a user would.
    Node add(Node parent, const QString &caption)
    {
        select(parent);
        trigger(*window, "actionInsert");
        Node node = child(parent, childCount(parent) - 1);
        select(node);
        part<ItemPage>(*window, "TabSheet1")->itemCaptionEdit->setText(caption);
        return node;
    }
};
