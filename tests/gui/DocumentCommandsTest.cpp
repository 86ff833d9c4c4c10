#include "document/MenuTree.h"
#include "document/ProjectFile.h"
#include "editor/pages/AppletPages.h"
#include "editor/pages/ItemPages.h"
#include "editor/RecentFiles.h"
#include "editor/widgets/SpinEdit.h"
#include "editor/widgets/TextEdit.h"
#include "platform/PreviewFolders.h"
#include "platform/ProgramFolder.h"
#include "tests/gui/GuiSupport.h"

#include <csignal>
#include <QAction>
#include <QApplication>
#include <QDropEvent>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QProcess>
#include <QTest>
#include <QToolButton>
#include <QUrl>
#include <unistd.h>

namespace {
struct CommandFixture : WindowFixture
{
    QTemporaryDir work;

    QString path(const QString &name) const { return work.path() + "/" + name; }
    QStringList outline()
    {
        QStringList result;
        for (Node node : shown()) {
            int depth = 0;
            for (Node p = parentOf(node); p; p = parentOf(p))
                ++depth;
            result << QString(depth, '>') + caption(node);
        }
        return result;
    }
    QStringList recentMenu()
    {
        QStringList captions;
        for (QAction *act : part<QMenu>(w(), "mnitRecentFiles")->actions())
            captions << act->text();
        return captions;
    }
    // A saved project with two items, one of them staging a picture.
    QString savedProject(const QString &name)
    {
        Node home = add(root(), "Home");
        part<ItemPage>(w(), "TabSheet1")->itemURLEdit->setText("index.html");
        add(home, "Child");
        f_staged();
        f_saveAs(path(name));
        return path(name);
    }
    void f_staged()
    {
        QFile picture(path("bg.gif"));
        picture.open(QIODevice::WriteOnly);
        picture.write("GIF");
        picture.close();
        w().document().publisher().stage(QDir::toNativeSeparators(path("bg.gif")).toStdString());
        part<AppletSettingsPage>(w(), "pagAppletSettings")->apBgImgEdit->setText("bg.gif");
    }
    void f_saveAs(const QString &file)
    {
        dialogs.saveFiles = {file};
        trigger(w(), "actionSaveAs");
    }
    bool previewHolds(const QString &name) const
    {
        return QFile::exists(
            QString::fromStdString(window->document().publisher().previewFolder()) + "/" + name);
    }
    void writeRecent(const QByteArray &bytes)
    {
        QFile file(program() + "recentfile.dat");
        file.open(QIODevice::WriteOnly);
        file.write(bytes);
    }
    QByteArray readRecent() const
    {
        QFile file(program() + "recentfile.dat");
        file.open(QIODevice::ReadOnly);
        return file.readAll();
    }
};
} // namespace

TEST(DocumentCommands, SaveChangesQuestionPaths)
{
    CommandFixture f;
    f.add(f.root(), "A");
    ASSERT_TRUE(f.w().document().isModified());

    f.dialogs.answers = {DialogService::Cancel};
    trigger(f.w(), "actionNew");
    EXPECT_EQ(f.dialogs.warnings.last(), "Save the changes to \"Untitled\"?");
    EXPECT_EQ(f.dialogs.warningButtons.back(), DialogService::SaveDontSaveCancel);
    EXPECT_EQ(f.dialogs.saveSuggestions, QStringList()) << "no Save As asked yet";
    EXPECT_EQ(f.outline(), (QStringList{"Tarvelle", ">A"}));
    EXPECT_TRUE(f.w().document().isModified());

    // Yes, then a cancelled Save dialog: the whole command is cancelled.
    f.dialogs.answers = {DialogService::Yes};
    trigger(f.w(), "actionNew");
    EXPECT_EQ(f.dialogs.saveFilters.last(), "Tarvelle Files (*.tvl)|*.tvl");
    EXPECT_EQ(f.outline(), (QStringList{"Tarvelle", ">A"}));
    EXPECT_TRUE(f.w().document().isModified());

    f.dialogs.answers = {DialogService::No};
    trigger(f.w(), "actionNew");
    EXPECT_EQ(f.outline(), QStringList{"Tarvelle"});
    EXPECT_EQ(f.w().document().menu().itemCount(), 0);
    EXPECT_FALSE(f.w().document().isModified());
    EXPECT_FALSE(part<QAction>(f.w(), "actionSave")->isEnabled());
    EXPECT_TRUE(f.w().document().fileName().isEmpty());

    // Yes with a name: saved first, then the command goes on.
    f.add(f.root(), "B");
    f.dialogs.answers = {DialogService::Yes};
    f.dialogs.saveFiles = {f.path("b.tvl")};
    trigger(f.w(), "actionNew");
    EXPECT_TRUE(QFile::exists(f.path("b.tvl")));
    EXPECT_EQ(f.outline(), QStringList{"Tarvelle"});
}

TEST(DocumentCommands, SaveAsThenSaveWriteTheNewNameAndEnterTheRecentListOnce)
{
    CommandFixture f;
    f.add(f.root(), "A");
    f.dialogs.saveFiles = {};
    trigger(f.w(), "actionSave"); // never saved, dialog cancelled
    EXPECT_TRUE(f.w().document().isModified());
    EXPECT_TRUE(f.w().isWindowModified()) << "the title marks unsaved changes";
    EXPECT_TRUE(part<QAction>(f.w(), "actionSave")->isEnabled());
    EXPECT_TRUE(QDir(f.work.path()).entryList(QDir::Files).isEmpty());

    f.f_saveAs(f.path("first.tvl"));
    EXPECT_FALSE(f.w().document().isModified());
    EXPECT_EQ(f.w().document().fileName(), f.path("first.tvl"));
    EXPECT_EQ(f.w().windowTitle(), QString::fromUtf8("first.tvl[*] \u2013 Tarvelle"));
    EXPECT_FALSE(f.w().isWindowModified());
    for (const char *name : {"first.tvl", "first.html", "first_PublishReport.txt"})
        EXPECT_TRUE(QFile::exists(f.path(name))) << name;

    part<ItemPage>(f.w(), "TabSheet1")->itemURLEdit->setText("changed.html");
    trigger(f.w(), "actionSave");
    QFile saved(f.path("first.tvl"));
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
    EXPECT_TRUE(saved.readAll().contains("changed.html"));
    // Save As proposes the project's own file; it entered the new name in Recent Files, and
    // Save did not enter it again.
    f.dialogs.saveFiles = {};
    trigger(f.w(), "actionSaveAs");
    EXPECT_EQ(f.dialogs.saveSuggestions, (QStringList{"", "", f.path("first.tvl")}));
    ASSERT_EQ(f.recentMenu().size(), 1);
    EXPECT_TRUE(f.recentMenu().front().endsWith(f.path("first.tvl")));
}

TEST(DocumentCommands, FailedOpensLeaveTheWindowAsItWas)
{
    CommandFixture f;
    f.add(f.root(), "Kept");
    part<ItemPage>(f.w(), "TabSheet1")->itemURLEdit->setText("pending.html");
    f.f_staged();
    QFile bad(f.path("bad.tvl"));
    ASSERT_TRUE(bad.open(QIODevice::WriteOnly));
    bad.write("--------------- Structure Description Start ---------------\r\nT\r\n\t\t\tdeep\r\n"
              "--------------- Structure Description End ---------------\r\n");
    bad.close();
    QFile text(f.path("notes.txt")); // no project at all
    ASSERT_TRUE(text.open(QIODevice::WriteOnly));
    text.write("Shopping list\r\nmilk\r\n");
    text.close();

    const QStringList outline = f.outline();
    Node selected = f.current();
    for (const QString &name : {f.path("missing.tvl"), f.path("bad.tvl"), f.path("notes.txt")}) {
        f.dialogs.answers = {DialogService::No};
        f.dialogs.openFiles = {name};
        f.dialogs.errors.clear();
        trigger(f.w(), "actionOpen");
        ASSERT_EQ(f.dialogs.errors.size(), 1);
        EXPECT_EQ(f.outline(), outline);
        EXPECT_EQ(f.current(), selected);
        EXPECT_EQ(part<ItemPage>(f.w(), "TabSheet1")->itemURLEdit->text(), "pending.html");
        EXPECT_TRUE(f.w().document().isModified());
        EXPECT_TRUE(f.w().document().fileName().isEmpty());
        EXPECT_TRUE(f.previewHolds("bg.gif"));
        EXPECT_TRUE(f.recentMenu().isEmpty());
    }
    EXPECT_EQ(f.dialogs.errors.size(), 1);
    f.dialogs.openFiles = {f.path("missing.tvl")};
    f.dialogs.errors.clear();
    f.dialogs.answers = {DialogService::No};
    trigger(f.w(), "actionOpen");
    EXPECT_EQ(f.dialogs.errors, QStringList{"File not found"});

    // A cancelled dialog keeps the staged files too.
    f.dialogs.answers = {DialogService::No};
    trigger(f.w(), "actionOpen");
    EXPECT_TRUE(f.previewHolds("bg.gif"));
    EXPECT_EQ(f.dialogs.openFilters.last(), "Tarvelle Files (*.tvl)|*.tvl");
}

TEST(DocumentCommands, FullCycleGivesTheSameDocumentBack)
{
    CommandFixture f;
    MainWindow &w = f.w();
    const QString file = f.savedProject("cycle.tvl");
    part<AppletSettingsPage>(w, "pagAppletSettings")->apWidthSpin->setValue(321);
    trigger(w, "actionSave");
    const AppletRecord data = w.document().storedApplet();
    const ItemList items = w.document().menu().items();
    const QStringList outline = f.outline();
    EXPECT_TRUE(QFile::exists(f.path("bg.gif"))); // the staged picture is published

    trigger(w, "actionNew");
    ASSERT_EQ(f.outline(), QStringList{"Tarvelle"});
    EXPECT_FALSE(f.previewHolds("bg.gif"));

    w.project().openProjectFile(file);
    EXPECT_EQ(f.outline(), outline);
    EXPECT_EQ(w.document().menu().appletData(), data);
    EXPECT_EQ(w.document().menu().items(), items);
    EXPECT_EQ(part<AppletSettingsPage>(w, "pagAppletSettings")->apWidthSpin->text(), "321");
    EXPECT_EQ(w.document().fileName(), file);
    EXPECT_FALSE(w.document().isModified());
    EXPECT_TRUE(f.previewHolds("bg.gif")); // staged from the project's folder
    EXPECT_EQ(f.recentMenu(), QStringList{"&1 " + file});
    EXPECT_TRUE(part<QTabWidget>(w, "PageControl2")->isVisibleTo(&w));
    EXPECT_EQ(f.current(), f.root());

    f.select(f.child(f.child(f.root(), 0), 0));
    EXPECT_EQ(part<ItemPage>(w, "TabSheet1")->itemCaptionEdit->text(), "Child");
}

TEST(DocumentCommands, RecentFileList)
{
    CommandFixture f;
    EXPECT_TRUE(QFile::exists(f.program() + "recentfile.dat")); // created at start
    EXPECT_TRUE(f.recentMenu().isEmpty());

    f.writeRecent("&1 /a.tvl\r\n\r\n&3 /c.tvl\r\n&4 /d.tvl\r\n&5 /e.tvl\r\n");
    f.create(); // a new editor reads the list
    EXPECT_EQ(f.recentMenu(), (QStringList{"&1 /a.tvl", "&3 /c.tvl", "&4 /d.tvl"}));

    const RecentFileList list(f.program());
    list.add("/c.tvl"); // already listed: nothing moves
    EXPECT_EQ(f.readRecent(), "&1 /a.tvl\r\n\r\n&3 /c.tvl\r\n&4 /d.tvl\r\n&5 /e.tvl\r\n");
    list.add("/A.tvl"); // letter case counts
    EXPECT_EQ(f.readRecent(), "&1 /A.tvl\r\n&2 /a.tvl\r\n&4 /c.tvl\r\n");
    list.add("/x.tvl");
    list.add("/y.tvl");
    EXPECT_EQ(f.readRecent(), "&1 /y.tvl\r\n&2 /x.tvl\r\n&3 /A.tvl\r\n&4 /a.tvl\r\n");

    // A click opens the entry; a deleted file reports the load error and stays listed.
    f.create();
    EXPECT_EQ(f.recentMenu().size(), 4);
    part<QMenu>(f.w(), "mnitRecentFiles")->actions().first()->trigger();
    EXPECT_EQ(f.dialogs.errors, QStringList{"File not found"});
    EXPECT_EQ(f.recentMenu().first(), "&1 /y.tvl");

    // Opening a project puts it first in the menu.
    const QString project = f.savedProject("menu.tvl");
    f.create();
    f.dialogs.openFiles = {project};
    trigger(f.w(), "actionOpen");
    EXPECT_EQ(f.recentMenu().first(), "&1 " + project);

    QFile::remove(f.program() + "recentfile.dat");
    f.create();
    EXPECT_TRUE(f.recentMenu().isEmpty());
    EXPECT_TRUE(QFile::exists(f.program() + "recentfile.dat"));
}

TEST(DocumentCommands, CloseQuestion)
{
    CommandFixture f;
    MainWindow &w = f.w();
    f.f_staged();
    f.add(f.root(), "A");
    f.dialogs.warnings.clear();

    f.dialogs.answers = {DialogService::Cancel};
    EXPECT_FALSE(w.close());
    EXPECT_EQ(f.dialogs.warnings.last(), "Save the changes to \"Untitled\" before closing?");
    EXPECT_EQ(f.dialogs.warningButtons.back(), DialogService::SaveCloseCancel);
    EXPECT_TRUE(f.previewHolds("bg.gif")); // the document stays open with its files

    f.dialogs.answers = {DialogService::Yes};
    f.dialogs.saveFiles = {};
    EXPECT_FALSE(w.close()); // never saved, dialog cancelled
    EXPECT_TRUE(f.previewHolds("bg.gif"));

    f.dialogs.answers = {DialogService::Yes};
    f.dialogs.saveFiles = {f.path("nofolder/x/y.tvl")}; // the save fails
    EXPECT_FALSE(w.close());
    EXPECT_EQ(f.dialogs.errors.size(), 1);
    EXPECT_TRUE(w.document().isModified());

    f.dialogs.answers = {DialogService::No};
    EXPECT_TRUE(w.close());
    EXPECT_FALSE(f.previewHolds("bg.gif"));
    EXPECT_TRUE(QDir(f.work.path()).entryList({"*.tvl"}, QDir::Files).isEmpty());

    // Without changes nothing is asked, and the preview folder is cleared.
    f.dialogs.answers = {DialogService::No};
    w.show();
    trigger(w, "actionNew");
    ASSERT_FALSE(w.document().isModified());
    w.document().publisher().stage(QDir::toNativeSeparators(f.path("bg.gif")).toStdString());
    const auto asked = f.dialogs.warnings.size();
    EXPECT_TRUE(w.close());
    EXPECT_EQ(f.dialogs.warnings.size(), asked);
    EXPECT_FALSE(f.previewHolds("bg.gif"));
}

TEST(DocumentCommands, FailedSaveKeepsModifiedAndOffersAnotherName)
{
    CommandFixture f;
    f.add(f.root(), "A");
    f.dialogs.saveFiles = {f.path("missing/folder/a.tvl")};
    trigger(f.w(), "actionSave");
    EXPECT_EQ(f.dialogs.errors.size(), 1);
    EXPECT_TRUE(f.w().document().isModified());
    EXPECT_TRUE(f.w().document().fileName().isEmpty());

    // Saved, it says so; when its folder is gone, Save says why and offers another name.
    ASSERT_TRUE(QDir(f.work.path()).mkdir("sub"));
    f.f_saveAs(f.path("sub/a.tvl"));
    EXPECT_TRUE(part<QLabel>(f.w(), "StaticText1")->text().startsWith("Saved"));
    ASSERT_TRUE(QDir(f.path("sub")).removeRecursively());
    f.add(f.root(), "B");
    f.dialogs.answers = {DialogService::Yes};
    f.dialogs.saveFiles = {f.path("b.tvl")};
    trigger(f.w(), "actionSave");
    EXPECT_TRUE(f.dialogs.warnings.last().startsWith("\"a.tvl\" could not be saved: "));
    EXPECT_TRUE(f.dialogs.warnings.last().endsWith("Save it under another name?"));
    EXPECT_EQ(f.w().document().fileName(), f.path("b.tvl"));
    EXPECT_FALSE(f.w().document().isModified());
}

TEST(DocumentCommands, AStartFileThatCannotBeOpenedSaysWhy)
{
    CommandFixture f;
    f.w().project().openStartFile(f.path("missing.tvl"));
    ASSERT_EQ(f.dialogs.errors.size(), 1);
    EXPECT_TRUE(f.dialogs.errors[0].contains("missing.tvl"));
    EXPECT_EQ(f.outline(), QStringList{"Tarvelle"});
    f.w().project().openProjectFile(QString()); // an empty name does nothing at all
    EXPECT_TRUE(f.dialogs.warnings.isEmpty());
}

// Editing keeps within the depth a project file holds, so that every saved file opens again.
TEST(DocumentCommands, NoEditMakesTheMenuDeeperThanAFileHolds)
{
    CommandFixture f;
    {
        MenuDocument doc;
        doc.resetToDefaults();
        MenuTree tree{doc.items()};
        ItemTree::Node node = tree.addChild(nullptr, "Tarvelle");
        for (int level = 1; level <= MaxMenuDepth; ++level)
            node = tree.addChild(node, "L" + std::to_string(level));
        tree.addChild(tree.parent(node), "Beside"); // after the deepest item, at its level
        doc.items().assign(MaxMenuDepth + 1, doc.newItem());
        ProjectWriter(doc, tree).save(f.path("deep.tvl").toStdString());
    }
    f.w().project().openProjectFile(f.path("deep.tvl"));
    ItemTree::Node deepest = f.child(f.root(), 0);
    while (f.childCount(deepest) > 0)
        deepest = f.child(deepest, 0);
    const int items = f.w().document().menu().itemCount();
    f.select(deepest);
    trigger(f.w(), "actionInsert");
    f.select(
        f.child(f.w().document().tree().parent(deepest), 1)); // "Beside": into the deepest item
    trigger(f.w(), "actionMoveRight");
    EXPECT_EQ(f.dialogs.warnings.size(), 2);
    EXPECT_TRUE(f.dialogs.warnings[0].contains("deeper than 1000 levels"));
    EXPECT_EQ(f.w().document().menu().itemCount(), items);
    EXPECT_EQ(f.childCount(deepest), 0);
    EXPECT_EQ(f.w().document().tree().level(f.child(f.w().document().tree().parent(deepest), 1)),
              MaxMenuDepth);
    EXPECT_FALSE(f.w().document().isModified());

    // Nor a value longer than a file holds: 25,000 euro signs are 75,000 bytes.
    auto *url = part<ItemPage>(f.w(), "TabSheet1")->itemURLEdit;
    f.select(deepest);
    url->setText(QString(25000, QChar(0x20AC)));
    ASSERT_EQ(f.dialogs.warnings.size(), 3);
    EXPECT_TRUE(f.dialogs.warnings[2].contains("more than a project file holds"));
    EXPECT_TRUE(url->text().isEmpty()) << "the field went back";
    EXPECT_FALSE(f.w().document().isModified());
}

// A value as long as a file holds is shown and saved whole: editing another field of the
// item, or moving it, keeps every byte.
TEST(DocumentCommands, ValuesAsLongAsAFileHoldsStayWhole)
{
    CommandFixture f;
    const std::string url(MaxValueBytes, 'u'), caption(40000, 'c');
    const QString file = f.path("long.tvl");
    {
        MenuDocument doc;
        doc.resetToDefaults();
        MenuTree tree{doc.items()};
        const ItemTree::Node root = tree.addChild(nullptr, "Tarvelle");
        tree.insertItem(root, 0, "Top", doc.newItem());
        tree.insertItem(root, 1, caption, doc.newItem());
        tree.insertItem(root, 2, "Home", doc.newItem());
        doc.items()[1].set(ItemField::ItemCaption, caption);
        doc.items()[2].set(ItemField::ItemURL, url);
        ProjectWriter(doc, tree).save(file.toStdString());
    }
    f.w().project().openProjectFile(file);
    f.select(f.child(f.root(), 2));
    part<ItemPage>(f.w(), "TabSheet1")->itemStatusBarTextEdit->setText("s");
    f.select(f.child(f.root(), 1));
    trigger(f.w(), "actionMoveRight"); // below Top
    trigger(f.w(), "actionSave");
    MenuDocument saved;
    saved.resetToDefaults();
    MenuTree tree{saved.items()};
    tree.addChild(nullptr, "Tarvelle");
    ProjectReader(saved).load(file.toStdString(), tree);
    ASSERT_EQ(saved.items().size(), 3u);
    EXPECT_EQ(saved.items()[1][ItemField::ItemCaption].size(), caption.size());
    EXPECT_EQ(saved.items()[2][ItemField::ItemURL].size(), MaxValueBytes);
    EXPECT_EQ(saved.items()[2][ItemField::ItemStatusBarText], "s");
}

// The preview folder never outlives its editor: one that was killed loses its folder at the
// next start, and SIGTERM ends an editor as closing it does.
TEST(DocumentCommands, PreviewFoldersNeverOutliveTheirEditor)
{
    QTemporaryDir runtime, config, program;
    QProcess ended;
    ended.start("/bin/true");
    ASSERT_TRUE(ended.waitForStarted());
    const qint64 gone = ended.processId();
    ASSERT_TRUE(ended.waitForFinished());
    const QString mine = QString("tarvelle-preview-%1-b").arg(QCoreApplication::applicationPid());
    QDir(runtime.path()).mkpath(QString("tarvelle-preview-%1-a/pictures").arg(gone));
    QDir(runtime.path()).mkdir(mine);
    // A link planted under a stale folder's name leads nowhere the removal goes.
    QTemporaryDir victim;
    QFile precious(victim.filePath("precious"));
    ASSERT_TRUE(precious.open(QIODevice::WriteOnly));
    precious.close();
    const QString planted = runtime.filePath(QString("tarvelle-preview-%1-link").arg(gone));
    ASSERT_TRUE(QFile::link(victim.path(), planted));
    EXPECT_EQ(PreviewFolders::removeStale(runtime.path()), 1);
    EXPECT_TRUE(QFile::exists(victim.filePath("precious")));
    QFile::remove(planted);
    EXPECT_EQ(QDir(runtime.path()).entryList({"tarvelle-preview-*"}, QDir::Dirs),
              QStringList{mine});
    QDir(runtime.path() + "/" + mine).removeRecursively();

    QProcess editor;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("QT_QPA_PLATFORM", "offscreen");
    env.insert("XDG_RUNTIME_DIR", runtime.path());
    env.insert("XDG_CONFIG_HOME", config.path());
    editor.setProcessEnvironment(env);
    // A copy of the program of its own, so that its recent-file list stays out of the build.
    const QString bin = QCoreApplication::applicationDirPath() + "/../bin/";
    ASSERT_TRUE(QFile::copy(bin + "tarvelle", program.filePath("tarvelle")));
    ASSERT_TRUE(QFile::copy(bin + "templets/Night Bar.tvl", program.filePath("night.tvl")));
    QFile::setPermissions(program.filePath("tarvelle"), QFile::ReadOwner | QFile::ExeOwner);
    editor.start(program.filePath("tarvelle"), {program.filePath("night.tvl")});
    ASSERT_TRUE(editor.waitForStarted());
    auto previews = [&] {
        return QDir(runtime.path()).entryList({"tarvelle-preview-*"}, QDir::Dirs);
    };
    ASSERT_TRUE(QTest::qWaitFor([&] { return !previews().isEmpty(); }, 60000));
    ::kill(static_cast<pid_t>(editor.processId()), SIGTERM);
    ASSERT_TRUE(editor.waitForFinished(60000));
    EXPECT_EQ(editor.exitStatus(), QProcess::NormalExit);
    EXPECT_TRUE(previews().isEmpty()) << previews().join(", ").toStdString();

    // The same while a message box is open: here the one saying the file did not open.
    QFile bad(program.filePath("bad.tvl"));
    ASSERT_TRUE(bad.open(QIODevice::WriteOnly));
    bad.write("no project\r\n");
    bad.close();
    editor.start(program.filePath("tarvelle"), {bad.fileName()});
    ASSERT_TRUE(editor.waitForStarted());
    ASSERT_TRUE(QTest::qWaitFor([&] { return !previews().isEmpty(); }, 60000));
    ::kill(static_cast<pid_t>(editor.processId()), SIGTERM);
    ASSERT_TRUE(editor.waitForFinished(60000)) << "the box held the editor";
    EXPECT_EQ(editor.exitStatus(), QProcess::NormalExit);
    EXPECT_TRUE(previews().isEmpty()) << previews().join(", ").toStdString();
}

TEST(DocumentCommands, AnInstalledCopyKeepsItsRecentFilesPerUser)
{
    QTemporaryDir data;
    const QByteArray previous = qgetenv("XDG_DATA_HOME");
    qputenv("XDG_DATA_HOME", data.path().toLocal8Bit());
    ScriptedDialogs dialogs;
    RecordingShell shell;
    {
        // A program folder that cannot be written, as under a system prefix.
        MainWindow window(EditorServices{dialogs, shell, "/nonexistent/tarvelle/"});
        EXPECT_TRUE(dialogs.errors.isEmpty()) << dialogs.errors.join('\n').toStdString();
        const RecentFileList recent("/nonexistent/tarvelle/");
        EXPECT_TRUE(recent.path().startsWith(data.path()));
        recent.add("/home/me/menu.tvl");
        QFile list(recent.path());
        ASSERT_TRUE(list.open(QIODevice::ReadOnly));
        EXPECT_TRUE(list.readAll().startsWith("&1 /home/me/menu.tvl\r\n"));
        // The list names the user's files: only the user reads it.
        EXPECT_EQ(QFileInfo(recent.path()).permissions() & 0x0077, 0);
        EXPECT_EQ(QFileInfo(QFileInfo(recent.path()).path()).permissions() & 0x0077, 0);
    }
    qputenv("XDG_DATA_HOME", previous);
    // Only a copy in a folder of the user's own is portable: never a system folder, never
    // one owned by someone else (an installed copy run as root).
    QTemporaryDir own;
    EXPECT_TRUE(isPortableFolder(own.path()));
    EXPECT_FALSE(isPortableFolder("/usr/share"));
    if (::getuid() == 0) {
        QTemporaryDir theirs;
        ASSERT_EQ(::chown(theirs.path().toLocal8Bit().constData(), 65534, 65534), 0);
        EXPECT_FALSE(isPortableFolder(theirs.path()));
    }
}

TEST(DocumentCommands, ASaveSaysWhichFilesItLeftOut)
{
    CommandFixture f;
    part<AppletSettingsPage>(f.w(), "pagAppletSettings")->apBgImgEdit->setText("gone.gif");
    f.dialogs.saveFiles = {f.path("menu.tvl")};
    trigger(f.w(), "actionSaveAs");
    ASSERT_FALSE(f.dialogs.warnings.isEmpty());
    EXPECT_TRUE(f.dialogs.warnings.last().contains("gone.gif"));
    EXPECT_FALSE(f.w().document().isModified()) << "the save itself succeeded";
}

TEST(DocumentCommands, TwoEditorsShareTheRecentListUnderALock)
{
    CommandFixture f;
    // Each editor adds through its own list object, as two running programs do.
    RecentFileList(f.program()).add("/a.tvl");
    RecentFileList(f.program()).add("/b.tvl");
    RecentFileList(f.program()).add("/c.tvl");
    const RecentFileList recent(f.program());
    QFile list(recent.path());
    ASSERT_TRUE(list.open(QIODevice::ReadOnly));
    EXPECT_EQ(list.readAll(), "&1 /c.tvl\r\n&2 /b.tvl\r\n&3 /a.tvl\r\n");
    EXPECT_FALSE(QFile::exists(recent.path() + ".lock")) << "released";
}

TEST(DocumentCommands, TwoEditorsNeverShareStagedFiles)
{
    CommandFixture f;
    auto second = std::make_unique<WindowFixture>();
    QTemporaryDir pictures;
    auto picture = [&](const QString &name, const QByteArray &bytes) {
        QDir().mkpath(pictures.path() + "/" + name);
        QFile file(pictures.path() + "/" + name + "/logo.gif");
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return file.fileName();
    };
    f.add(f.root(), "A");
    second->add(second->root(), "B");
    f.dialogs.openFiles = {picture("x", "X's logo")};
    part<FirstLevelItemOptionsPage>(f.w(), "TabSheet2")->itNoIconButton->click();
    second->dialogs.openFiles = {picture("y", "Y's logo")};
    part<FirstLevelItemOptionsPage>(second->w(), "TabSheet2")->itNoIconButton->click();
    const QString mine = QString::fromStdString(f.w().document().publisher().previewFolder());
    EXPECT_NE(mine, QString::fromStdString(second->w().document().publisher().previewFolder()));
    EXPECT_EQ(QFile(mine).permissions() & (QFile::ReadOther | QFile::WriteOther), 0);

    second.reset(); // the other editor closes
    f.dialogs.saveFiles = {f.path("x.tvl")};
    trigger(f.w(), "actionSaveAs");
    QFile saved(f.path("logo.gif"));
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
    EXPECT_EQ(saved.readAll(), "X's logo");
}

// A save never replaces someone's work without a word: a project changed on disk since it was
// read, files Tarvelle did not write, a project reached through a link (saved where it leads).
TEST(DocumentCommands, SavesKeepWhatOthersWrote)
{
    CommandFixture f;
    const QString site = f.savedProject("site.tvl");
    ASSERT_TRUE(QFile::link(site, f.path("link.tvl")));
    f.w().project().openProjectFile(f.path("link.tvl"));
    auto *url = part<ItemPage>(f.w(), "TabSheet1")->itemURLEdit;
    auto readSite = [&] {
        QFile file(site);
        file.open(QIODevice::ReadOnly);
        return file.readAll();
    };
    f.select(f.child(f.child(f.root(), 0), 0)); // "Child", which may link
    url->setText("through-link.html");
    trigger(f.w(), "actionSave");
    EXPECT_TRUE(QFileInfo(f.path("link.tvl")).isSymLink()) << "the link stays a link";
    EXPECT_TRUE(readSite().contains("through-link.html"));

    // Another editor saves in between: cancelling keeps its file, Replace takes this menu.
    const QByteArray theirs = readSite().replace("through-link.html", "theirs.html");
    {
        QFile file(site);
        file.open(QIODevice::WriteOnly);
        file.write(theirs);
    }
    url->setText("mine.html");
    f.dialogs.answers = {DialogService::Cancel};
    trigger(f.w(), "actionSave");
    ASSERT_EQ(f.dialogs.warnings.size(), 1);
    EXPECT_EQ(f.dialogs.warningButtons.back(), DialogService::ReplaceSaveAsCancel);
    EXPECT_TRUE(f.dialogs.warnings[0].contains("was changed on disk"));
    EXPECT_EQ(readSite(), theirs);
    EXPECT_TRUE(f.w().document().isModified());
    f.dialogs.answers = {DialogService::Yes};
    trigger(f.w(), "actionSave");
    EXPECT_TRUE(readSite().contains("mine.html"));
    trigger(f.w(), "actionSave"); // unchanged since: no question
    EXPECT_EQ(f.dialogs.warnings.size(), 2);

    // Save As over the site's own page asks once, naming it; No writes nothing.
    {
        QFile page(f.path("index.html"));
        page.open(QIODevice::WriteOnly);
        page.write("the site's own page");
    }
    f.dialogs.answers = {DialogService::No};
    f.f_saveAs(f.path("index.tvl"));
    ASSERT_EQ(f.dialogs.warnings.size(), 3);
    EXPECT_TRUE(f.dialogs.warnings[2].contains("did not write: index.html"))
        << f.dialogs.warnings[2].toStdString();
    EXPECT_FALSE(QFile::exists(f.path("index.tvl")));
    EXPECT_TRUE(f.w().document().fileName().endsWith("link.tvl"));
}

// Opening and saving cost the window a bounded number of progress updates and one staged copy
// per distinct picture, whatever the menu's size: counted, not timed.
TEST(DocumentCommands, OpenAndSaveWorkDoesNotGrowWithTheMenu)
{
    auto measure = [](int items) {
        CommandFixture f;
        {
            MenuDocument doc;
            doc.resetToDefaults();
            MenuTree tree{doc.items()};
            const ItemTree::Node root = tree.addChild(nullptr, "Tarvelle");
            for (int k = 0; k < items; ++k) {
                ItemRecord item = doc.newItem();
                item.set(ItemField::ItemCaption, "Item " + std::to_string(k));
                item.set(ItemField::ItemNoBgImg, k % 2 ? "odd.gif" : "even.gif");
                tree.insertItem(root, k, std::string(item[ItemField::ItemCaption]), item);
            }
            ProjectWriter(doc, tree).save(f.path("big.tvl").toStdString());
        }
        for (const char *picture : {"odd.gif", "even.gif"}) {
            QFile file(f.path(picture));
            file.open(QIODevice::WriteOnly);
            file.write("GIF");
        }
        f.w().project().openProjectFile(f.path("big.tvl"));
        const long long copies = f.w().document().publisher().stagedCopies();
        trigger(f.w(), "actionSave");
        EXPECT_EQ(f.w().document().menu().itemCount(), items);
        return std::make_pair(f.w().progress().updates(), copies);
    };
    const auto small = measure(5000);
    const auto large = measure(20000);
    EXPECT_EQ(small.second, 2);
    EXPECT_EQ(large.second, 2);
    EXPECT_LE(large.first, 2 * small.first + 10) << small.first << " then " << large.first;
    EXPECT_LE(large.first, 2000);
}

// A project file dropped on the window opens; other files are not taken.
TEST(DocumentCommands, ADroppedProjectOpens)
{
    CommandFixture f;
    const QString file = f.savedProject("dropped.tvl");
    trigger(f.w(), "actionNew");
    ASSERT_TRUE(f.w().document().fileName().isEmpty());
    auto drag = [&](const QString &path) {
        QMimeData data;
        data.setUrls({QUrl::fromLocalFile(path)});
        QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton, {});
        QApplication::sendEvent(&f.w(), &enter);
        if (enter.isAccepted()) {
            QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, {});
            QApplication::sendEvent(&f.w(), &drop);
        }
        return enter.isAccepted();
    };
    EXPECT_FALSE(drag(f.path("bg.gif")));
    EXPECT_TRUE(drag(file));
    EXPECT_EQ(f.w().document().fileName(), file);
    EXPECT_EQ(f.outline().size(), 3);
}
