// The live preview: a keystroke in a page until the preview has been drawn anew, for the
// templates and for a 1,000-item menu with three popups open; and the drawing of a 10,000-item
// menu from scratch:
//   build/bench-bin/tarvelle_preview_bench

#include "bench/MenuShape.h"
#include "bench/QtBenchMain.h"
#include "document/MemoryTree.h"
#include "document/ProjectFile.h"
#include "editor/EditorDocument.h"
#include "editor/MainWindow.h"
#include "editor/preview/PreviewCanvas.h"
#include "editor/ProjectController.h"
#include "editor/widgets/MenuTreeView.h"
#include "tests/gui/FakeServices.h"

#include <benchmark/benchmark.h>
#include <memory>
#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QTemporaryDir>

namespace {
const char *const Templates[] = {"Classic Light Bar", "Night Bar", "Sky Gradient Column"};

struct Editor
{
    QTemporaryDir folder;
    ScriptedDialogs dialogs;
    RecordingShell shell;
    std::unique_ptr<MainWindow> window;

    explicit Editor(const QString &file)
    {
        window = std::make_unique<MainWindow>(EditorServices{dialogs, shell, folder.path() + "/"});
        window->show();
        window->project().openProjectFile(file);
        QApplication::processEvents();
    }
    PreviewCanvas *canvas() { return window->findChild<PreviewCanvas *>("PreviewCanvas"); }
    // Selects an item: the preview opens the popups on its path.
    void select(ItemTree::Node node)
    {
        window->findChild<MenuTreeView *>("TreeView1")->setCurrentNode(node);
        QApplication::processEvents();
    }
    // One keystroke's worth of change in the caption, drawn.
    void keystroke(int k)
    {
        auto *caption = window->findChild<QLineEdit *>("edtItemCaption");
        caption->setText(caption->text().left(12) + QChar(u'a' + k % 26));
        QApplication::processEvents();
        canvas()->repaint();
    }
};

QString templateFile(int index)
{
    return QApplication::applicationDirPath() + "/../bin/templets/" + Templates[index] + ".tvl";
}

void BM_KeystrokeTemplate(benchmark::State &state)
{
    Editor e(templateFile(int(state.range(0))));
    const MenuTree &tree = e.window->document().tree();
    e.select(tree.child(tree.root(), 1));
    int k = 0;
    for (auto _ : state)
        e.keystroke(++k);
    state.SetLabel(Templates[state.range(0)]);
}

void BM_Keystroke1000ItemsThreePopups(benchmark::State &state)
{
    QTemporaryDir dir;
    MenuDocument doc;
    MemoryTree shape;
    buildMenu(doc, shape, 1000);
    const QString file = dir.path() + "/menu.tvl";
    ProjectWriter(doc, shape).save(file.toStdString());
    Editor e(file);
    const MenuTree &tree = e.window->document().tree();
    // Three levels down: three popups open on the way to the item.
    e.select(tree.child(tree.child(tree.child(tree.child(tree.root(), 0), 2), 3), 1));
    if (e.canvas()->view().chain.size() != 3)
        state.SkipWithError("three popups are not open");
    int k = 0;
    for (auto _ : state)
        e.keystroke(++k);
}

// A 10,000-item menu laid out and made ready to draw from scratch, as after a tree command.
void BM_Scene10000Items(benchmark::State &state)
{
    MenuDocument doc;
    MemoryTree shape;
    buildMenu(doc, shape, 10000);
    const QtCaptionMeasure measure;
    for (auto _ : state) {
        const MenuScene scene(doc.appletData(), MenuRecords{doc.items()}, itemParents(shape),
                              measure, {});
        benchmark::DoNotOptimize(scene.layout().popups.size());
    }
}

BENCHMARK(BM_Scene10000Items)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_KeystrokeTemplate)->DenseRange(0, 2)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Keystroke1000ItemsThreePopups)->Unit(benchmark::kMillisecond);
} // namespace

int main(int argc, char **argv)
{
    return runQtBenchmarks(argc, argv);
}
