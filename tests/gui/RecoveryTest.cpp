// Work that an editor lost when it was killed is offered by the next one: restored, discarded,
// or kept for later. The editor that is killed is this program, run again as a child.

#include "editor/AutoRecovery.h"
#include "tests/gui/GuiSupport.h"
#include "tests/gui/KilledEditor.h"

#include <QProcess>
#include <QTest>
#include <QUndoStack>

using namespace std::chrono_literals;

namespace {

QStringList copiesIn(const QString &folder)
{
    return QDir(folder).entryList({"*.tvl"}, QDir::Files);
}

// Runs an editor that opens project, adds an item and waits, with its work kept, to be killed.
void killEditorAfterAnEdit(const QString &project)
{
    QProcess editor;
    editor.start(QCoreApplication::applicationFilePath(), {KilledEditorOption, project});
    ASSERT_TRUE(editor.waitForStarted());
    QByteArray said;
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return (said += editor.readAllStandardOutput()).contains("kept"); }, 60000))
        << editor.readAllStandardError().toStdString();
    editor.kill();
    ASSERT_TRUE(editor.waitForFinished(60000));
}
} // namespace

TEST(Recovery, AKilledEditorsWorkIsOfferedAtTheNextStart)
{
    QTemporaryDir state, projectDir;
    const QByteArray stateBefore = qgetenv("XDG_STATE_HOME");
    qputenv("XDG_STATE_HOME", state.path().toLocal8Bit());
    const QString folder = AutoRecovery::defaultFolder();
    const QString project = projectDir.filePath("menu.tvl");
    ASSERT_TRUE(QFile::copy(
        QCoreApplication::applicationDirPath() + "/../bin/templets/Night Bar.tvl", project));
    const QStringList rootItems = [&] {
        WindowFixture f;
        f.w().project().openProjectFile(project);
        QStringList captions;
        for (int row = 0; row < f.childCount(f.root()); ++row)
            captions << f.caption(f.child(f.root(), row));
        return captions;
    }();

    killEditorAfterAnEdit(project);
    EXPECT_EQ(QDir(projectDir.path()).entryList(QDir::Files), QStringList{"menu.tvl"})
        << "nothing is written beside the project";
    ASSERT_EQ(copiesIn(folder).size(), 1);

    struct Start
    {
        DialogService::Answer answer;
        bool restored;
        int copiesAfter; // the killed editor's, or this editor's own once it restored
    };
    for (const Start &start :
         {Start{DialogService::Cancel, false, 1}, Start{DialogService::Yes, true, 1}}) {
        WindowFixture f;
        f.dialogs.answers = {start.answer};
        EXPECT_EQ(f.w().project().offerRecovery(), start.restored);
        ASSERT_EQ(f.dialogs.warnings.size(), 1);
        EXPECT_TRUE(f.dialogs.warnings[0].contains(QDir::toNativeSeparators(project)));
        EXPECT_EQ(f.dialogs.warningButtons[0], DialogService::RestoreDiscardLater);
        EXPECT_EQ(copiesIn(folder).size(), start.copiesAfter);
        if (!start.restored)
            continue;
        // The restored work is unsaved work on the same project.
        EditorDocument &document = f.w().document();
        EXPECT_TRUE(document.isModified());
        EXPECT_TRUE(f.w().isWindowModified());
        EXPECT_EQ(document.fileName(), project);
        EXPECT_EQ(f.childCount(f.root()), rootItems.size() + 1);
        EXPECT_EQ(f.caption(f.child(f.root(), f.childCount(f.root()) - 1)), "Kept");
        EXPECT_TRUE(f.w().project().autoRecovery().leftBehind().empty());

        // Saved, the copy goes; an edit brings it back, undoing to the saved state removes it.
        trigger(f.w(), "actionSave");
        f.w().project().autoRecovery().writeNow();
        EXPECT_TRUE(copiesIn(folder).isEmpty());
        f.w().project().autoRecovery().setDelay(0ms);
        f.add(f.root(), "Later");
        EXPECT_TRUE(QTest::qWaitFor([&] { return copiesIn(folder).size() == 1; }, 60000));
        document.undoStack()->setIndex(0);
        f.w().project().autoRecovery().writeNow();
        EXPECT_TRUE(copiesIn(folder).isEmpty());
        // A normal close takes the copy with it, even of unsaved work.
        f.add(f.root(), "Dropped");
        f.w().project().autoRecovery().writeNow();
        EXPECT_EQ(copiesIn(folder).size(), 1);
    }
    EXPECT_TRUE(copiesIn(folder).isEmpty());

    // Discarded, the work is gone for good.
    killEditorAfterAnEdit(project);
    {
        WindowFixture f;
        f.dialogs.answers = {DialogService::No};
        EXPECT_FALSE(f.w().project().offerRecovery());
        EXPECT_FALSE(f.w().document().isModified());
        EXPECT_FALSE(f.w().project().offerRecovery());
        EXPECT_EQ(f.dialogs.warnings.size(), 1);
    }
    EXPECT_TRUE(QDir(folder).entryList(QDir::Files).isEmpty())
        << QDir(folder).entryList(QDir::Files).join(", ").toStdString();
    qputenv("XDG_STATE_HOME", stateBefore);
}
