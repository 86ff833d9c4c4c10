// The tree commands of the real main window (offscreen) on a menu of 10,000 items, with the
// live preview shown as on a first start, or hidden with --preview=off; --items=N and
// --shape=wide|deep give the scaling shapes instead:
//   QT_QPA_PLATFORM=offscreen build/bench-bin/tarvelle_editor_bench [--preview=off]
//       [--items=100000 --shape=wide]

#include "bench/MenuShape.h"
#include "bench/QtBenchMain.h"
#include "dialogs/TemplateChooser.h"
#include "document/MemoryTree.h"
#include "document/ProjectFile.h"
#include "editor/FieldEditCommand.h"
#include "editor/MainWindow.h"
#include "editor/preview/Thumbnail.h"
#include "editor/ProjectController.h"
#include "editor/widgets/ColorPanel.h"
#include "editor/widgets/MenuTreeView.h"
#include "tests/gui/FakeServices.h"

#include <benchmark/benchmark.h>
#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QTemporaryDir>
#include <QUndoStack>

namespace {
int menuItems = 10000;
std::string menuShape; // empty: the realistic shape
bool previewShown = true;

struct Editor
{
    QTemporaryDir folder;
    ScriptedDialogs dialogs;
    RecordingShell shell;
    std::unique_ptr<MainWindow> window;

    Editor()
    {
        MenuDocument doc;
        MemoryTree tree;
        if (menuShape.empty())
            buildMenu(doc, tree, menuItems);
        else
            buildShapedMenu(doc, tree, menuItems, menuShape);
        const QString file = folder.path() + "/large.tvl";
        ProjectWriter(doc, tree).save(file.toStdString());
        // The folder is the program's too: a save copies the web runtime from it.
        QFile runtime(folder.path() + "/zorvex.js");
        if (runtime.open(QIODevice::WriteOnly))
            runtime.write("// runtime");
        window = std::make_unique<MainWindow>(EditorServices{dialogs, shell, folder.path() + "/"});
        window->show();
        window->project().openProjectFile(file);
        if (!previewShown)
            window->findChild<QAction *>("actionLivePreview")->setChecked(false);
        QApplication::processEvents();
    }
    ItemTree::Node node(int first, int second = -1)
    {
        // Counted round the children, so that every shape has the node asked for; below a
        // single first-level item (the deep shape), its children stand for the first level.
        const MenuTree &tree = window->document().tree();
        ItemTree::Node top = tree.root();
        while (tree.childCount(top) == 1)
            top = tree.child(top, 0);
        ItemTree::Node item = tree.child(top, first % tree.childCount(top));
        return second < 0 ? item : tree.child(item, second % tree.childCount(item));
    }
    // Runs a command as its menu item does.
    void trigger(const char *action) { window->findChild<QAction *>(action)->trigger(); }
    void select(ItemTree::Node item)
    {
        window->findChild<MenuTreeView *>("TreeView1")->setCurrentNode(item);
        QApplication::processEvents();
    }
};

std::unique_ptr<Editor> instance;

Editor &editor()
{
    if (!instance)
        instance = std::make_unique<Editor>();
    return *instance;
}

void BM_InsertAndDelete(benchmark::State &state)
{
    Editor &e = editor();
    ItemTree::Node parent = e.node(5, 3);
    const MenuTree &tree = e.window->document().tree();
    for (auto _ : state) {
        e.select(parent);
        e.trigger("actionInsert");
        e.select(tree.child(parent, tree.childCount(parent) - 1));
        e.dialogs.answers = {DialogService::Yes};
        e.trigger("actionDelete");
        QApplication::processEvents();
    }
}

void BM_SelectionChange(benchmark::State &state)
{
    Editor &e = editor();
    ItemTree::Node a = e.node(2, 1);
    ItemTree::Node b = e.node(9, 4);
    for (auto _ : state) {
        e.select(a);
        e.select(b);
    }
    state.SetItemsProcessed(state.iterations() * 2);
}

void BM_MoveUpAndDown(benchmark::State &state)
{
    Editor &e = editor();
    const ItemTree::Node moved = e.node(state.range(0));
    e.select(moved);
    // The first item moves down and back; any other, up and back.
    const bool first = e.window->document().tree().indexOf(moved) == 0;
    for (auto _ : state) {
        e.trigger(first ? "actionMoveDown" : "actionMoveUp");
        QApplication::processEvents();
        e.trigger(first ? "actionMoveUp" : "actionMoveDown");
        QApplication::processEvents();
    }
}

// Undo and redo of the deletion of a first-level item's branch (of about 585 items; two
// neighbouring branches, about 1,170 items, with range 2). In the scaling shapes the branch
// is a first-level item's (wide: sqrt(N) items) or, deep, the first of the four below the
// single first-level item: 87,381 items of a menu of 100,000.
void BM_UndoAndRedoDelete(benchmark::State &state)
{
    Editor &e = editor();
    QAction *undo = e.window->findChild<QAction *>("actionUndo");
    QAction *redo = e.window->findChild<QAction *>("actionRedo");
    for (int k = 0; k < state.range(0); ++k) {
        e.select(e.node(8));
        e.dialogs.answers = {DialogService::Yes};
        e.trigger("actionDelete");
    }
    for (auto _ : state) {
        for (int k = 0; k < state.range(0); ++k)
            undo->trigger();
        QApplication::processEvents();
        for (int k = 0; k < state.range(0); ++k)
            redo->trigger();
        QApplication::processEvents();
    }
    for (int k = 0; k < state.range(0); ++k)
        undo->trigger();
}

// The memory one history step takes: a caption edit and a colour change on the 10,000-item
// menu, reported as counters (bytes of the step's own data, changed fields included).
void BM_PageStepBytes(benchmark::State &state)
{
    Editor &e = editor();
    auto *stack = e.window->findChild<QUndoStack *>();
    auto bytesOfTop = [stack] {
        const auto *step =
            dynamic_cast<const FieldEditCommand *>(stack->command(stack->index() - 1));
        if (!step)
            return 0.0;
        std::size_t bytes = sizeof(FieldEditCommand) + step->text().size() * 2;
        for (const auto &change : step->changes())
            bytes += sizeof(change) + change.before.capacity() + change.after.capacity();
        return static_cast<double>(bytes);
    };
    e.select(e.node(3, 2));
    auto *caption = e.window->findChild<QLineEdit *>("edtItemCaption");
    auto *panel = e.window->findChild<ColorPanel *>("pnlApBgClr");
    int k = 0;
    for (auto _ : state) {
        caption->setText(QStringLiteral("Caption %1").arg(++k));
        state.counters["caption_step_bytes"] = bytesOfTop();
        e.dialogs.colors = {QColor(k % 256, 10, 20)};
        emit panel->clicked();
        state.counters["colour_step_bytes"] = bytesOfTop();
    }
}

// One frame of a resize: the window a few pixels larger or smaller, laid out and painted.
void BM_ResizeFrame(benchmark::State &state)
{
    Editor &e = editor();
    const QSize base = e.window->size();
    int step = 0;
    for (auto _ : state) {
        e.window->resize(base + QSize(8 * (step % 20), 4 * (step % 20)));
        ++step;
        QApplication::processEvents();
        e.window->repaint();
    }
    e.window->resize(base);
}

// A keystroke in a caption, drawn: the text changes and the window repaints.
void BM_CaptionKeystroke(benchmark::State &state)
{
    Editor &e = editor();
    e.select(e.node(1, 1));
    auto *caption = e.window->findChild<QLineEdit *>("edtItemCaption");
    caption->setFocus();
    int k = 0;
    for (auto _ : state) {
        caption->setText(QStringLiteral("Typed %1").arg(++k));
        QApplication::processEvents();
        e.window->repaint();
    }
}

// A save of the opened project: the project, its page and report, into its folder.
void BM_Save(benchmark::State &state)
{
    Editor &e = editor();
    const QString file = e.folder.path() + "/large.tvl";
    for (auto _ : state) {
        e.dialogs.saveFiles = {file}; // Save As onto itself: a save whether changed or not
        e.trigger("actionSaveAs");
    }
    state.counters["questions"] = static_cast<double>(e.dialogs.warnings.size());
    state.counters["errors"] = static_cast<double>(e.dialogs.errors.size());
    if (!e.dialogs.errors.isEmpty())
        state.SetLabel(e.dialogs.errors.front().left(120).toStdString());
}

// The template chooser opened on twelve templates, each drawn as its picture.
void BM_TemplateChooserOpens(benchmark::State &state)
{
    QTemporaryDir program;
    QDir(program.path()).mkdir("templets");
    const QDir shipped(QStringLiteral(TARVELLE_TEMPLATES));
    int copied = 0;
    for (int round = 0; copied < 12; ++round) {
        for (const QString &name : shipped.entryList({"*.tvl"}, QDir::Files)) {
            if (copied < 12)
                QFile::copy(
                    shipped.filePath(name),
                    program.filePath(QStringLiteral("templets/%1 %2").arg(round).arg(name)));
            ++copied;
        }
    }
    ScriptedDialogs dialogs;
    for (auto _ : state) {
        TemplateChooser chooser(dialogs, program.path() + "/",
                                {nullptr, nullptr, projectThumbnail});
        benchmark::DoNotOptimize(chooser.templateList->count());
    }
}

BENCHMARK(BM_InsertAndDelete)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TemplateChooserOpens)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Save)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CaptionKeystroke)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ResizeFrame)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PageStepBytes)->Iterations(20)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_UndoAndRedoDelete)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SelectionChange)->Unit(benchmark::kMillisecond);
// A first-level item with its popup tree of about 585 items, moved past its neighbour.
BENCHMARK(BM_MoveUpAndDown)->Arg(8)->Unit(benchmark::kMillisecond);
} // namespace

int main(int argc, char **argv)
{
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--preview=off")
            previewShown = false;
        else if (arg.rfind("--items=", 0) == 0)
            menuItems = std::stoi(arg.substr(8));
        else if (arg.rfind("--shape=", 0) == 0)
            menuShape = arg.substr(8);
    }
    return runQtBenchmarks(argc, argv, [] { instance.reset(); });
}
