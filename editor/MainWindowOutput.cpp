// The commands that turn the document into output: the HTML window, the preview in a
// browser, the publish report; and the dialogs of the Option and Help menus.

#include "dialogs/About.h"
#include "dialogs/Templet.h"
#include "dialogs/WebBrowser.h"
#include "document/FileSystem.h"
#include "document/TextCodec.h"
#include "editor/HTMLBuild.h"
#include "editor/MainWindow.h"
#include "editor/PublishReport.h"
#include "editor/Startup.h"
#include "platform/Dialogs.h"
#include "platform/Registry.h"

#include <QAction>
#include <QDir>
#include <QPlainTextEdit>

const char *const MainWindow::PreviewPage = "~preview.html";
const char *const MainWindow::ReportFile = "PublishReport.txt";

namespace {
const char *const WebRuntimeValue = "IncludeWebRuntime";

// On unless the user turned it off: a saved page without the runtime shows nothing in
// today's browsers. A registry error counts as on.
bool readIncludeWebRuntime()
{
    try {
        Registry registry(Registry::CurrentUser);
        return !registry.openKey(QLatin1String(SettingsKey), false) ||
               !registry.valueExists(QLatin1String(WebRuntimeValue)) ||
               registry.readBool(QLatin1String(WebRuntimeValue));
    } catch (const RegistryError &) {
        return true;
    }
}
} // namespace

void MainWindow::wireOutputCommands()
{
    auto command = [this](void (MainWindow::*handler)()) { return guardedSlot(handler); };
    for (QAction *act : {BuildHTML1, ToolButton11})
        connect(act, &QAction::triggered, this, command(&MainWindow::buildHtml));
    for (QAction *act : {Preview1, ToolButton12})
        connect(act, &QAction::triggered, this, command(&MainWindow::previewInBrowser));
    connect(Publish1, &QAction::triggered, this, command(&MainWindow::showPublishReport));
    connect(WebBrowser1, &QAction::triggered, this, command(&MainWindow::chooseWebBrowser));
    connect(IncludeWebRuntime1, &QAction::triggered, this, command(&MainWindow::toggleWebRuntime));
    const bool includeRuntime = readIncludeWebRuntime();
    IncludeWebRuntime1->setChecked(includeRuntime);
    document.SetIncludeWebRuntime(includeRuntime);
    connect(Templet1, &QAction::triggered, this, command(&MainWindow::newFromTemplate));
    connect(About1, &QAction::triggered, this, command(&MainWindow::showAbout));
}

void MainWindow::RefreshHTMLWindow()
{
    StoreAppletSettings();
    CommitCurrentItem();
    ProcessMenuStructure();
    // The fragment goes straight into the window; no scratch file is written.
    formHTML->setFragment(document.GenerateHTMLText());
}

void MainWindow::buildHtml()
{
    RefreshHTMLWindow();
    services.dialogs.runModal(formHTML);
}

void MainWindow::previewInBrowser()
{
    const std::string program = services.programFolder.toStdString();
    RefreshHTMLWindow();
    document.StageAppletFiles(program);
    document.StageResources(program);
    // The page is written into the preview folder directly, beside the files it needs; the
    // web runtime draws the menu in the browser.
    document.CopyToPreview(program + WebRuntimeFile);
    document.StageFile(PreviewPage, formHTML->fragment() + WebRuntimeScript + LineEnd);
    // A preview that silently shows nothing would be a failure passed off as success.
    if (!formWebBrowser->LaunchInBrowser(
            QString::fromStdString(fsx::withSeparator(document.PreviewFolder())),
            QLatin1String(PreviewPage)))
        browserFailed();
}

void MainWindow::browserFailed()
{
    const QString &choice = formWebBrowser->BrowserChoice;
    const QString name = choice == QLatin1String("specified") ? formWebBrowser->SpecifiedBrowser
                         : choice.isEmpty() || choice == QLatin1String("default")
                             ? tr("default browser")
                             : choice;
    services.dialogs.warning(this,
                             tr("The browser \"%1\" could not be started. Choose another "
                                "one under Option > Web Browser.")
                                 .arg(name),
                             DialogService::OkOnly);
}

void MainWindow::showPublishReport()
{
    StoreAppletSettings();
    CommitCurrentItem();
    // The report a save would write: what it would leave out is not listed.
    const QString project = projectFileName.isEmpty() ? QStringLiteral("Untitled.tvl")
                                                      : QFileInfo(projectFileName).fileName();
    document.StageFile(ReportFile,
                       document.PublishReportText(project.toStdString(), document.PreviewFolder()));
    const std::string staged = fsx::withSeparator(document.PreviewFolder()) + ReportFile;
    frmPublishReport->memoPublishReport->setPlainText(
        QString::fromStdString(fsx::readFile(staged))
            .replace(QLatin1String("\r\n"), QLatin1String("\n")));
    services.dialogs.runModal(frmPublishReport);
}

void MainWindow::chooseWebBrowser()
{
    formWebBrowser->run();
}

void MainWindow::toggleWebRuntime()
{
    const bool include = IncludeWebRuntime1->isChecked();
    document.SetIncludeWebRuntime(include);
    // The choice holds for this session even when it cannot be remembered.
    Registry registry(Registry::CurrentUser);
    registry.openKey(QLatin1String(SettingsKey), true);
    registry.writeBool(QLatin1String(WebRuntimeValue), include);
}

void MainWindow::newFromTemplate()
{
    // A fresh chooser each time, so templates added meanwhile are offered.
    TfrmTemplet::Actions actions{[this](const QString &file) { OpenTemplate(file); },
                                 [this] { newProject(); }};
    TfrmTemplet chooser(services.dialogs, services.programFolder, actions, this);
    addHelpKey(&chooser);
    chooser.run();
}

void MainWindow::ShowTemplateChooser()
{
    newFromTemplate();
}

void MainWindow::showAbout()
{
    TformAbout about(services.shell, this);
    addHelpKey(&about);
    services.dialogs.runModal(&about);
}
