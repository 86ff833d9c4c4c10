#include "dialogs/AboutDialog.h"
#include "dialogs/DesktopBrowsers.h"
#include "dialogs/TemplateChooser.h"
#include "dialogs/WebBrowserDialog.h"
#include "document/FileSystem.h"
#include "document/HtmlWriter.h"
#include "document/MemoryTree.h"
#include "document/ProjectFile.h"
#include "document/Version.h"
#include "editor/HtmlWindow.h"
#include "editor/pages/ItemPages.h"
#include "editor/preview/Thumbnail.h"
#include "editor/PublishReportWindow.h"
#include "editor/Startup.h"
#include "editor/widgets/TextEdit.h"
#include "interchange/Interchange.h"
#include "platform/Settings.h"
#include "tests/gui/GuiSupport.h"

#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QShortcut>
#include <QTest>
#include <QTreeWidget>

namespace {
void writeFile(const QString &path, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    file.open(QIODevice::WriteOnly);
    file.write(bytes);
}

QByteArray readFile(const QString &path)
{
    QFile file(path);
    file.open(QIODevice::ReadOnly);
    return file.readAll();
}

// A window whose working directory and desktop data folders are temporary ones.
struct OutputFixture : WindowFixture
{
    QTemporaryDir work;
    QTemporaryDir data;
    QString previousDir = QDir::currentPath();
    QByteArray previousDataHome = qgetenv("XDG_DATA_HOME");
    QByteArray previousDataDirs = qgetenv("XDG_DATA_DIRS");

    OutputFixture()
    {
        QDir::setCurrent(work.path());
        qputenv("XDG_DATA_HOME", (data.path() + "/home").toLocal8Bit());
        qputenv("XDG_DATA_DIRS", (data.path() + "/system").toLocal8Bit());
        QFile::remove(Settings::configFile("Tarvelle.conf"));
        QFile::remove(Settings::configFile("HKEY_CURRENT_USER.ini"));
    }
    ~OutputFixture()
    {
        QDir::setCurrent(previousDir);
        qputenv("XDG_DATA_HOME", previousDataHome);
        qputenv("XDG_DATA_DIRS", previousDataDirs);
    }
    QStringList files(const QString &folder) const { return QDir(folder).entryList(QDir::Files); }
    QString preview()
    {
        return QString::fromStdString(w().document().publisher().previewFolder()) + "/";
    }
};
} // namespace

namespace {
// The fragment of the document as a file holds it.
std::string storedHtml(MainWindow &w)
{
    std::string html;
    w.document().writeOutput([&] { html = HtmlWriter(w.document().menu()).fragment(); });
    return html;
}
} // namespace

TEST(OutputCommands, BuildHtmlShowsTheFragmentWithoutScratchFiles)
{
    OutputFixture f;
    QString shown;
    f.dialogs.onModal = [&](QDialog *dialog) {
        shown = dialog->findChild<QPlainTextEdit *>("memoHTMLBuild")->toPlainText();
        return 1;
    };
    trigger(f.w(), "actionBuildHtml");
    EXPECT_EQ(f.dialogs.modals, QStringList{"formHTML"});
    const QStringList lines = shown.split('\n');
    ASSERT_EQ(lines.size(), 6);
    EXPECT_EQ(lines[0], "<HTML>");
    EXPECT_EQ(lines[1],
              "<applet code=\"zorvex.class\" archive=\"zorvex.jar\" width=\"400\" height=\"60\">");
    EXPECT_EQ(lines[5], "</HTML>");
    EXPECT_EQ(part<HtmlWindow>(f.w(), "formHTML")->fragment(), storedHtml(f.w()));
    EXPECT_TRUE(f.files(f.work.path()).isEmpty());
    EXPECT_FALSE(f.files(f.program()).contains("~tmp0001.txt"));

    part<HtmlWindow>(f.w(), "formHTML")->copyToClipboard();
    EXPECT_EQ(QApplication::clipboard()->text(), shown);
}

TEST(OutputCommands, PreviewStagesThePageBesideTheAppletFiles)
{
    OutputFixture f;
    writeFile(f.program() + "zorvex.jar", "JAR");
    writeFile(f.program() + "zorvex.class", "CLASS");
    writeFile(f.program() + "zorvex.js", "RUNTIME");
    trigger(f.w(), "actionInsert");
    trigger(f.w(), "actionPreview");
    EXPECT_EQ(f.files(f.preview()),
              (QStringList{"zorvex.class", "zorvex.jar", "zorvex.js", "~preview.html"}));
    // The fragment, then the line that loads the web runtime staged beside it.
    EXPECT_EQ(readFile(f.preview() + "~preview.html").toStdString(),
              storedHtml(f.w()) + "<script src=\"zorvex.js\"></script>\r\n");
    EXPECT_EQ(readFile(f.preview() + "zorvex.js"), "RUNTIME");
    EXPECT_FALSE(f.files(f.program()).contains("~preview.html"));
    EXPECT_TRUE(f.files(f.work.path()).isEmpty());
    EXPECT_EQ(f.w().document().publisher().stagedFiles(),
              (StringList{"zorvex.jar", "zorvex.class", "zorvex.js", "zorvex.js.map", "zorvex.js",
                          "~preview.html"}));
    ASSERT_EQ(f.shell.opened.size(), 1);
    EXPECT_EQ(f.shell.opened[0], QDir::toNativeSeparators(f.preview() + "~preview.html"));

    trigger(f.w(), "actionPreview"); // every preview records its files again
    EXPECT_EQ(f.w().document().publisher().stagedFiles().size(), 12u);
    f.w().document().publisher().clearStaged();
    EXPECT_FALSE(QDir(f.preview()).exists());
}

TEST(OutputCommands, PublishShowsTheReportStagedInThePreviewFolder)
{
    OutputFixture f;
    QString shown;
    f.dialogs.onModal = [&](QDialog *dialog) {
        auto *memo = dialog->findChild<QPlainTextEdit *>("memoPublishReport");
        shown = memo->toPlainText();
        // Every line whole, as a report is read: no wrapping, and room for the longest.
        dialog->show();
        EXPECT_EQ(memo->lineWrapMode(), QPlainTextEdit::NoWrap);
        for (const QString &line : shown.split('\n'))
            EXPECT_LE(memo->fontMetrics().horizontalAdvance(line), memo->viewport()->width())
                << line.toStdString();
        dialog->hide();
        return 1;
    };
    trigger(f.w(), "actionPublish");
    EXPECT_EQ(f.dialogs.modals, QStringList{"frmPublishReport"});
    // The long operation ends as every one does: position 0 and an empty status text.
    EXPECT_EQ(part<QProgressBar>(f.w(), "ProgressBar1")->value(), 0);
    EXPECT_EQ(part<QLabel>(f.w(), "StaticText1")->text(), "");
    EXPECT_TRUE(shown.startsWith(QString(77, '=')));
    EXPECT_TRUE(shown.contains("End of Publish Report"));
    EXPECT_TRUE(QFile::exists(f.preview() + "PublishReport.txt"));
    EXPECT_TRUE(f.files(f.work.path()).isEmpty());
}

TEST(BrowserChooser, ChoicesAndTheLaunchEachMakes)
{
    OutputFixture f;
    WebBrowserDialog &chooser = *part<WebBrowserDialog>(f.w(), "formWebBrowser");
    chooser.launchInBrowser("/srv/My Site/preview/", "~preview.html");
    EXPECT_EQ(f.shell.opened.last(), "/srv/My Site/preview/~preview.html");

    // Nothing known: the second choice falls back to the default browser.
    chooser.onShown();
    EXPECT_EQ(chooser.browserList->count(), 0);
    chooser.knownBrowserButton->setChecked(true);
    chooser.acceptChoice();
    EXPECT_EQ(chooser.browserChoice, "default");

    // The third choice without a program keeps the earlier one.
    chooser.specifiedBrowserButton->setChecked(true);
    chooser.specifiedBrowserEdit->setText("/opt/browser/run");
    chooser.acceptChoice();
    EXPECT_EQ(chooser.browserChoice, "specified");
    chooser.specifiedBrowserEdit->clear();
    chooser.acceptChoice();
    EXPECT_EQ(chooser.browserChoice, "default");
    EXPECT_EQ(chooser.specifiedBrowser, "/opt/browser/run");
    chooser.specifiedBrowserEdit->setText("/opt/browser/run");
    chooser.acceptChoice();
    chooser.launchInBrowser("/srv/My Site/preview/", "~preview.html");
    ASSERT_EQ(f.shell.started.size(), 1u);
    EXPECT_EQ(f.shell.started[0].program, "/opt/browser/run");
    EXPECT_EQ(f.shell.started[0].arguments, QStringList{"~preview.html"});
    EXPECT_EQ(f.shell.started[0].workingDirectory, "/srv/My Site/preview/");

    // Two browsers registered with the desktop.
    writeFile(f.data.path() + "/home/applications/rover.desktop",
              "[Desktop Entry]\nType=Application\nName=Rover Browser\n"
              "Exec=/opt/rover/rover %U\nMimeType=text/html;x-scheme-handler/https;\n");
    writeFile(f.data.path() + "/home/applications/surf.desktop",
              "[Desktop Entry]\nType=Application\nName=Surf Browser\n"
              "Exec=\"/opt/surf/bin/surf\" --new-window "
              "%U\nMimeType=text/html;x-scheme-handler/https;\n");
    writeFile(
        f.data.path() + "/system/applications/editor.desktop",
        "[Desktop Entry]\nType=Application\nName=Editor\nExec=edit %f\nMimeType=text/plain;\n");
    chooser.onShown();
    EXPECT_EQ(chooser.browserList->count(), 2);
    EXPECT_EQ(chooser.browserList->itemText(0), "Rover Browser");
    EXPECT_EQ(chooser.browserList->itemText(1), "Surf Browser");
    chooser.browserList->setCurrentIndex(1);
    chooser.onBrowserChosen();
    EXPECT_TRUE(chooser.knownBrowserButton->isChecked());
    chooser.acceptChoice();
    EXPECT_EQ(chooser.browserChoice, "Surf Browser");
    chooser.launchInBrowser("/srv/My Site/preview/", "~preview.html");
    EXPECT_EQ(f.shell.started.back().program, "/opt/surf/bin/surf");
    EXPECT_EQ(f.shell.started.back().arguments,
              (QStringList{"--new-window", "/srv/My Site/preview/~preview.html"}));

    chooser.onShown(); // the choice in force is the one shown
    EXPECT_EQ(chooser.browserList->currentIndex(), 1);
    EXPECT_TRUE(chooser.knownBrowserButton->isChecked());
    chooser.browserList->setCurrentIndex(0);
    chooser.acceptChoice();
    chooser.launchInBrowser("/srv/My Site/preview/", "~preview.html");
    EXPECT_EQ(f.shell.started.back().program, "/opt/rover/rover");
    EXPECT_EQ(f.shell.started.back().arguments, QStringList{"/srv/My Site/preview/~preview.html"});
    EXPECT_EQ(f.shell.started.back().workingDirectory, "");

    // The next session starts with the choice, and a program path typed by hand.
    chooser.specifiedBrowserButton->setChecked(true);
    chooser.specifiedBrowserEdit->setText("/opt/typed/browser");
    chooser.acceptChoice();
    f.create();
    WebBrowserDialog &again = *part<WebBrowserDialog>(f.w(), "formWebBrowser");
    EXPECT_EQ(again.browserChoice, "specified");
    EXPECT_EQ(again.specifiedBrowser, "/opt/typed/browser");
    again.onShown();
    EXPECT_TRUE(again.specifiedBrowserButton->isChecked());
    EXPECT_EQ(again.specifiedBrowserEdit->text(), "/opt/typed/browser");
}

TEST(BrowserChooser, FileButtonRewritesTheSettingsFile)
{
    OutputFixture f;
    WebBrowserDialog &chooser = *part<WebBrowserDialog>(f.w(), "formWebBrowser");
    chooser.specifiedBrowserEdit->setText("typed by hand");
    chooser.onShown(); // no wbrwsr.dat: the field stays as it was
    EXPECT_EQ(chooser.specifiedBrowserEdit->text(), "typed by hand");
    EXPECT_FALSE(QFile::exists("wbrwsr.dat"));

    f.dialogs.openFiles = {"/usr/bin/other-browser"};
    f.dialogs.onModal = [&](QDialog *) {
        chooser.chooseBrowserProgram();
        EXPECT_TRUE(chooser.specifiedBrowserButton->isChecked()) << "picking chooses it";
        chooser.show(); // laid out as the person sees it
        EXPECT_GE(chooser.specifiedBrowserEdit->width(), 250) << "room for a path";
        chooser.hide();
        chooser.reject();
        return 0;
    };
    trigger(f.w(), "actionWebBrowser");
    EXPECT_EQ(f.dialogs.modals, QStringList{"formWebBrowser"});
    // In the per-user configuration folder, never in the folder the editor started from.
    EXPECT_EQ(readFile(Settings::configFile("wbrwsr.dat")), "/usr/bin/other-browser\r\n");
    EXPECT_FALSE(QFile::exists(f.work.path() + "/wbrwsr.dat"));
    EXPECT_EQ(chooser.browserChoice, ""); // cancelled: nothing chosen
    chooser.specifiedBrowserEdit->clear();
    chooser.onShown();
    EXPECT_EQ(chooser.specifiedBrowserEdit->text(), "/usr/bin/other-browser");
}

TEST(DesktopBrowsers, ExecFieldCodes)
{
    const DesktopBrowser browser{"Web", "", "/usr/share/applications/web.desktop"};
    auto expand = [&](const QString &exec) {
        DesktopBrowser b = browser;
        b.exec = exec;
        return DesktopBrowsers::expandExec(b, "/a b/page.html");
    };
    EXPECT_EQ(expand("web %u"), (QStringList{"web", "/a b/page.html"}));
    EXPECT_EQ(expand("web"), (QStringList{"web", "/a b/page.html"}));
    EXPECT_EQ(expand("web %i --name=%c %F"), (QStringList{"web", "--name=Web", "/a b/page.html"}));
    EXPECT_EQ(expand("\"/opt/my web/run\" \"--title=\\\"x\\\"\" 100%% %U"),
              (QStringList{"/opt/my web/run", "--title=\"x\"", "100%", "/a b/page.html"}));
}

namespace {
struct TemplateFixture : OutputFixture
{
    TemplateFixture()
    {
        QDir(program()).mkdir("templets");
        MenuDocument doc;
        doc.resetToDefaults();
        MemoryTreeHolder tree;
        ProjectWriter(doc, tree.tree).save((program() + "templets/Blue.tvl").toStdString());
        ProjectWriter(doc, tree.tree).save((program() + "templets/Amber.tvl").toStdString());
        writeFile(program() + "templets/notes.txt", "not a template");
    }
    struct MemoryTreeHolder
    {
        MemoryTreeHolder() { tree.addChild(nullptr, "Tarvelle"); }
        MemoryTree tree;
    };
    std::unique_ptr<TemplateChooser> chooser()
    {
        TemplateChooser::Actions actions{
            [this](const QString &file) { w().project().openTemplate(file); },
            [this] { trigger(w(), "actionNew"); }};
        auto dialog = std::make_unique<TemplateChooser>(dialogs, program(), actions, &w());
        dialog->onShown();
        return dialog;
    }
    static bool setting() { return readShowTempletsDialog(); }
};
} // namespace

TEST(TemplateChooser, ListsTemplatesAndOpensTheChosenOne)
{
    TemplateFixture f;
    auto chooser = f.chooser();
    ASSERT_EQ(chooser->templateList->count(), 2);
    EXPECT_EQ(chooser->templateList->item(0)->text(), "Amber.tvl");
    EXPECT_FALSE(chooser->dontShowBox->isChecked());
    EXPECT_EQ(chooser->selectedFile(), QDir::toNativeSeparators(f.program() + "templets/Amber.tvl"))
        << "the highlighted first entry is the selected one";

    chooser->templateList->clearSelection();
    chooser->closeAndOpenChosen(); // nothing selected: closes, changes nothing
    EXPECT_TRUE(f.w().document().fileName().isEmpty());
    chooser = f.chooser();
    chooser->templateList->clearSelection();
    chooser->show();
    QTest::mouseDClick(chooser->templateList->viewport(), Qt::LeftButton, {},
                       QPoint(5, chooser->templateList->viewport()->height() - 3));
    EXPECT_TRUE(chooser->isHidden()) << "a double click on empty space closes the chooser";
    EXPECT_TRUE(f.w().document().fileName().isEmpty());

    chooser = f.chooser();
    chooser->templateList->setCurrentRow(1);
    chooser->closeAndOpenChosen();
    // A template opens as a new, untitled project: saving asks for a name and never
    // overwrites the template; it does not enter the recent files.
    const QString blue = QDir::toNativeSeparators(f.program() + "templets/Blue.tvl");
    const QByteArray template_ = readFile(blue);
    EXPECT_TRUE(f.w().document().fileName().isEmpty());
    EXPECT_TRUE(part<QMenu>(f.w(), "mnitRecentFiles")->actions().isEmpty());
    trigger(f.w(), "actionInsert");
    f.dialogs.saveFiles = {f.work.path() + "/mine.tvl"};
    trigger(f.w(), "actionSave");
    EXPECT_EQ(f.w().document().fileName(), f.work.path() + "/mine.tvl");
    EXPECT_EQ(readFile(blue), template_);

    chooser = f.chooser();
    chooser->templateList->setCurrentRow(0);
    f.dialogs.answers = {DialogService::No};
    chooser->openChosenTemplate();
    EXPECT_TRUE(f.w().document().fileName().isEmpty());
    EXPECT_FALSE(f.w().document().isModified());
}

// With pictures: a grid of each template's picture, its name and the line of its text file,
// which screen readers read too; the chosen entry is still the file.
TEST(TemplateChooser, ShowsEachTemplateAsItsPicture)
{
    TemplateFixture f;
    writeFile(f.program() + "templets/Blue.txt", "A blue bar.\nMore lines are not shown.");
    TemplateChooser chooser(f.dialogs, f.program(), {nullptr, nullptr, projectThumbnail}, &f.w());
    QListWidget *list = chooser.templateList;
    ASSERT_EQ(list->count(), 2);
    EXPECT_EQ(list->viewMode(), QListView::IconMode);
    EXPECT_EQ(list->item(0)->text(), "Amber");
    EXPECT_EQ(list->item(1)->text(), "Blue\nA blue bar.");
    EXPECT_EQ(list->item(1)->data(Qt::AccessibleDescriptionRole).toString(), "A blue bar.");
    EXPECT_FALSE(list->item(1)->icon().isNull());
    list->setCurrentRow(1);
    EXPECT_EQ(chooser.selectedFile(), QDir::toNativeSeparators(f.program() + "templets/Blue.tvl"));
    QTest::keyClick(list, Qt::Key_Left);
    EXPECT_EQ(list->currentRow(), 0) << "the grid is walked with the arrow keys";
}

TEST(TemplateChooser, CancelRunsNewWithItsQuestion)
{
    TemplateFixture f;
    trigger(f.w(), "actionInsert");
    ASSERT_TRUE(f.w().document().isModified());
    auto chooser = f.chooser();
    f.dialogs.answers = {DialogService::Cancel};
    chooser->closeAndStartNew();
    EXPECT_EQ(f.dialogs.warnings.last(), "Save the changes to \"Untitled\"?");
    EXPECT_EQ(f.w().document().menu().itemCount(), 1); // the document is kept
    f.dialogs.answers = {DialogService::No};
    f.chooser()->closeAndStartNew();
    EXPECT_EQ(f.w().document().menu().itemCount(), 0);

    // Closed through the window manager: as Cancel, a new project.
    trigger(f.w(), "actionInsert");
    chooser = f.chooser();
    chooser->show();
    f.dialogs.answers = {DialogService::No};
    chooser->close();
    EXPECT_EQ(f.dialogs.warnings.last(), "Save the changes to \"Untitled\"?");
    EXPECT_EQ(f.w().document().menu().itemCount(), 0);
}

TEST(TemplateChooser, TheSettingIsWrittenOnEveryClick)
{
    TemplateFixture f;
    EXPECT_TRUE(TemplateFixture::setting());
    auto chooser = f.chooser();
    chooser->dontShowBox->click();
    EXPECT_FALSE(TemplateFixture::setting());
    chooser->dontShowBox->click();
    EXPECT_TRUE(TemplateFixture::setting());
    chooser->dontShowBox->click();
    EXPECT_TRUE(f.chooser()->dontShowBox->isChecked()); // stored as 0: shown checked

    // From the File menu: a fresh chooser each time, shown modally.
    f.dialogs.onModal = [](QDialog *dialog) {
        return dialog->findChild<QListWidget *>("TempletList")->count();
    };
    trigger(f.w(), "actionTemplates");
    EXPECT_EQ(f.dialogs.modals, QStringList{"frmTemplet"});
}

TEST(AboutBox, LinksGoToTheShellAndHoverColours)
{
    OutputFixture f;
    f.dialogs.onModal = [&](QDialog *dialog) {
        auto *about = static_cast<AboutDialog *>(dialog);
        about->openHomepageLink();
        about->openSupportLink();
        // Real mouse moves, as the pointer sends them: over a link, then the other link,
        // then the window's background.
        auto moveOver = [](QWidget *widget) {
            QMouseEvent move(QEvent::MouseMove, QPointF(2, 2), widget->mapToGlobal(QPointF(2, 2)),
                             Qt::NoButton, Qt::NoButton, Qt::NoModifier);
            QApplication::sendEvent(widget, &move);
        };
        const auto colour = [](QLabel *link) {
            return link->palette().color(QPalette::WindowText);
        };
        moveOver(about->homepageLabel);
        EXPECT_EQ(colour(about->homepageLabel), QColor(Qt::red));
        moveOver(about->supportLabel);
        EXPECT_EQ(colour(about->homepageLabel), QColor(Qt::red)) << "both stay red";
        EXPECT_EQ(colour(about->supportLabel), QColor(Qt::red));
        moveOver(about);
        EXPECT_EQ(colour(about->homepageLabel), QColor(Qt::blue));
        EXPECT_EQ(colour(about->supportLabel), QColor(Qt::blue));
        EXPECT_EQ(about->windowTitle(), "Tarvelle");
        EXPECT_EQ(about->productNameLabel->text(), "Tarvelle");
        EXPECT_EQ(about->findChild<QLabel *>("lblVersion")->text(),
                  QString("Version ") + TarvelleVersion);
        return 1;
    };
    trigger(f.w(), "actionAbout");
    EXPECT_EQ(f.dialogs.modals, QStringList{"formAbout"});
    // This build names no web pages: the links lead to the manual shipped with the program.
    ASSERT_EQ(f.shell.opened.size(), 2);
    EXPECT_TRUE(f.shell.opened[0].endsWith("help/index.html"));
    EXPECT_TRUE(f.shell.opened[1].endsWith("help/troubleshooting.html"));
}

TEST(OutputCommands, TheWebRuntimeGoesIntoSavedPagesUnlessTurnedOff)
{
    OutputFixture f;
    writeFile(f.program() + "zorvex.js", "RUNTIME");
    auto *option = f.find<QAction>("actionWebRuntime");
    ASSERT_TRUE(option);
    EXPECT_TRUE(option->isChecked()) << "on until the user turns it off";

    const QString with = f.work.path() + "/with.tvl";
    f.dialogs.saveFiles = {with};
    trigger(f.w(), "actionSaveAs");
    const QString page = readFile(f.work.path() + "/with.html");
    EXPECT_TRUE(page.startsWith("<!DOCTYPE html>\r\n"));
    EXPECT_TRUE(page.contains("<title>with</title>\r\n"));
    EXPECT_TRUE(page.endsWith("</applet>\r\n<script src=\"zorvex.js\"></script>\r\n</body>\r\n"
                              "</html>\r\n"));
    EXPECT_EQ(readFile(f.work.path() + "/zorvex.js"), "RUNTIME");
    EXPECT_TRUE(readFile(f.work.path() + "/with_PublishReport.txt").contains("  zorvex.js\r\n"));

    option->trigger();
    const QString plain = f.work.path() + "/plain.tvl";
    f.dialogs.saveFiles = {plain};
    trigger(f.w(), "actionSaveAs");
    EXPECT_EQ(readFile(f.work.path() + "/plain.html").toStdString(), storedHtml(f.w()));
    EXPECT_FALSE(readFile(f.work.path() + "/plain_PublishReport.txt").contains("zorvex"));

    // The choice is the user's: the next editor starts with it.
    f.create();
    EXPECT_FALSE(f.find<QAction>("actionWebRuntime")->isChecked());
    EXPECT_FALSE(f.w().document().menu().includeWebRuntime());
}

TEST(BrowserChooser, APreviewWhoseBrowserCannotStartSaysSo)
{
    OutputFixture f;
    WebBrowserDialog &chooser = *part<WebBrowserDialog>(f.w(), "formWebBrowser");
    chooser.specifiedBrowserButton->setChecked(true);
    chooser.specifiedBrowserEdit->setText("/nowhere/browser");
    chooser.acceptChoice();
    f.shell.startFails = true;
    trigger(f.w(), "actionPreview");
    ASSERT_EQ(f.dialogs.warnings.size(), 1);
    EXPECT_TRUE(f.dialogs.warnings[0].contains("/nowhere/browser"));
    f.shell.startFails = false;
    trigger(f.w(), "actionPreview");
    EXPECT_EQ(f.dialogs.warnings.size(), 1);
}

TEST(BrowserChooser, F1OpensItsTopic)
{
    OutputFixture f;
    f.dialogs.onModal = [&](QDialog *dialog) {
        auto *key = dialog->findChild<QShortcut *>();
        EXPECT_TRUE(key && key->key() == QKeySequence(Qt::Key_F1));
        if (key)
            emit key->activated();
        return 0;
    };
    trigger(f.w(), "actionWebBrowser");
    ASSERT_EQ(f.shell.opened.size(), 1);
    EXPECT_TRUE(f.shell.opened[0].endsWith("help/menu-items.html"))
        << f.shell.opened[0].toStdString();
}

// Applet > Publish to Folder writes what a publish writes into a folder of the author's
// choice, after telling what it will write, and offers to open the folder; the project keeps
// its own file and its unsaved state.
TEST(OutputCommands, PublishToFolderWritesWhatItListsAndOffersTheFolder)
{
    WindowFixture f;
    f.add(f.root(), "Home");
    QTemporaryDir out;
    f.dialogs.folders = {QString(), out.path()};
    trigger(f.w(), "actionPublishToFolder"); // cancelled: nothing asked, nothing written
    EXPECT_TRUE(f.dialogs.warnings.isEmpty());
    f.dialogs.answers = {DialogService::Yes, DialogService::Yes};
    trigger(f.w(), "actionPublishToFolder");
    const QStringList names{"Untitled.html", "Untitled.tvl", "Untitled_PublishReport.txt",
                            "zorvex.js"};
    EXPECT_EQ(QDir(out.path()).entryList(QDir::Files), names);
    ASSERT_EQ(f.dialogs.warnings.size(), 2);
    for (const QString &name : names)
        EXPECT_TRUE(f.dialogs.warnings.front().contains(name)) << name.toStdString();
    EXPECT_EQ(f.shell.opened.back(), out.path());
    EXPECT_TRUE(f.w().document().fileName().isEmpty());
    EXPECT_TRUE(f.w().document().isModified());
}

// File > Import makes a new, unsaved project of a site's menu, in the format of the filter
// chosen, and tells what it left out; File > Export writes the menu in the chosen format,
// and Tarvelle's JSON reads back as the same project.
TEST(OutputCommands, ImportMakesANewProjectAndExportWritesTheMenu)
{
    OutputFixture f;
    f.add(f.root(), "Mine");
    const QString source = f.work.filePath("config.yaml");
    QFile config(source);
    ASSERT_TRUE(config.open(QIODevice::WriteOnly));
    config.write("menus:\n  main:\n    - {name: Docs, identifier: docs, weight: 2}\n"
                 "    - {name: Home, url: /, weight: 1, pre: icon}\n"
                 "    - {name: Start, url: /start/, parent: docs}\n");
    config.close();
    f.dialogs.answers = {DialogService::No}; // the changes to the untitled menu are dropped
    f.dialogs.openFiles = {source};
    f.dialogs.fileKinds = {2}; // Hugo Site Configuration
    trigger(f.w(), "actionImport");
    EditorDocument &document = f.w().document();
    EXPECT_TRUE(document.isModified());
    EXPECT_TRUE(document.fileName().isEmpty());
    ASSERT_EQ(f.childCount(f.root()), 2);
    EXPECT_EQ(f.caption(f.child(f.root(), 0)), "Home");
    EXPECT_EQ(f.caption(f.child(f.child(f.root(), 1), 0)), "Start");
    ASSERT_EQ(f.dialogs.warnings.size(), 2);
    EXPECT_TRUE(f.dialogs.warnings[1].contains("the field \"pre\" is not taken over"));

    const QString exported = f.work.filePath("menu.json");
    f.dialogs.saveFiles = {exported, f.work.filePath("navigation.yml")};
    f.dialogs.fileKinds = {0, 3};
    trigger(f.w(), "actionExport");
    trigger(f.w(), "actionExport");
    EXPECT_EQ(fsx::readFile(f.work.filePath("navigation.yml").toStdString()),
              "- title: Home\n  url: /\n- title: Docs\n  children:\n    - title: Start\n"
              "      url: /start/\n");
    interchange::ImportedMenu back;
    interchange::importMenu(fsx::readFile(exported.toStdString()), "menu.json", {}, back);
    std::string shown;
    document.writeOutput([&] { shown = ProjectWriter(document.menu(), document.tree()).text(); });
    EXPECT_EQ(ProjectWriter(back.document, back.tree).text(), shown);
}

// Applet > Publish to Site shows each page found with what publishing changes in it, writes
// the marked pages on the button, and offers the same site again, which then needs nothing.
TEST(OutputCommands, PublishToSiteShowsThePagesAndWritesTheMarkedOnes)
{
    WindowFixture f;
    f.add(f.root(), "Home");
    QTemporaryDir site;
    const QByteArray marked = "<body>\n<!-- tarvelle:menu -->\n<!-- /tarvelle:menu -->\n</body>\n";
    writeFile(site.path() + "/index.html", marked);
    writeFile(site.path() + "/docs/guide.html", marked);
    writeFile(site.path() + "/about.html", "<body><p>About</p></body>\n");
    const auto rows = [](QDialog *dialog) {
        const auto *list = dialog->findChild<QTreeWidget *>("pageList");
        QStringList shown;
        for (int k = 0; k < list->topLevelItemCount(); ++k)
            shown << list->topLevelItem(k)->text(0) + ": " + list->topLevelItem(k)->text(1);
        return shown;
    };
    QStringList before, after;
    QString summary;
    bool publishable = true;
    f.dialogs.folders = {site.path()};
    f.dialogs.onModal = [&](QDialog *dialog) {
        dialog->findChild<QPushButton *>("chooseFolderButton")->click();
        before = rows(dialog);
        // Looking writes nothing, nor does Return in a field: publishing is a click of its own.
        dialog->show();
        QTest::keyClick(dialog->findChild<QLineEdit *>("siteFolderEdit"), Qt::Key_Return);
        EXPECT_EQ(readFile(site.path() + "/index.html"), marked);
        dialog->findChild<QPushButton *>("publishButton")->click();
        after = rows(dialog);
        summary = dialog->findChild<QLabel *>("summaryLabel")->text();
        publishable = dialog->findChild<QPushButton *>("publishButton")->isEnabled();
        return 0;
    };
    trigger(f.w(), "actionPublishToSite");
    EXPECT_EQ(before,
              (QStringList{"about.html: No markers: left alone",
                           "docs/guide.html: The menu will be written",
                           "index.html: The menu will be written", "zorvex.js: Will be copied"}));
    EXPECT_EQ(after,
              (QStringList{"about.html: No markers: left alone", "docs/guide.html: Menu written",
                           "index.html: Menu written", "zorvex.js: Copied"}));
    EXPECT_EQ(summary, "2 pages changed, 0 unchanged, 1 without markers. Published.");
    EXPECT_FALSE(publishable);
    const QByteArray guide = readFile(site.path() + "/docs/guide.html");
    EXPECT_TRUE(guide.contains("<script src=../zorvex.js></script>\n<!-- /tarvelle:menu -->"));
    EXPECT_TRUE(guide.contains("<li>Home\n"));
    EXPECT_TRUE(readFile(site.path() + "/index.html").contains("<script src=zorvex.js>"));
    EXPECT_EQ(readFile(site.path() + "/about.html"), "<body><p>About</p></body>\n");

    f.dialogs.onModal = [&](QDialog *dialog) {
        summary = dialog->findChild<QLabel *>("summaryLabel")->text();
        publishable = dialog->findChild<QPushButton *>("publishButton")->isEnabled();
        return 0;
    };
    trigger(f.w(), "actionPublishToSite");
    EXPECT_EQ(summary, "0 pages to change, 2 unchanged, 1 without markers. Nothing to write: the "
                       "site shows this menu.");
    EXPECT_FALSE(publishable);
}
