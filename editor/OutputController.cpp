// The output commands: Build HTML, the preview in the browser, the publish report, publishing
// to a folder and to a site, the browser for previews and whether saved pages load the runtime.

#include "OutputController.h"

#include "dialogs/WebBrowserDialog.h"
#include "document/FileSystem.h"
#include "document/HtmlWriter.h"
#include "document/TextCodec.h"
#include "editor/CommandAction.h"
#include "editor/EditorDocument.h"
#include "editor/HtmlWindow.h"
#include "editor/PublishReportWindow.h"
#include "editor/SitePublishDialog.h"
#include "platform/Dialogs.h"
#include "platform/Help.h"
#include "platform/Settings.h"
#include "platform/Shell.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QIcon>
#include <QPlainTextEdit>
#include <utility>

const char *const OutputController::PreviewPage = "~preview.html";
const char *const OutputController::ReportFile = "PublishReport.txt";

OutputController::OutputController(EditorDocument &document, DialogService &dialogs,
                                   ShellService &shell, QString programFolder, QWidget *window,
                                   WindowHooks hooks)
    : Controller(dialogs, window), document_(document), shell_(shell),
      programFolder_(std::move(programFolder)), hooks_(std::move(hooks))
{
    previewAction_ =
        addCommand("actionPreview", tr("&Preview"), &OutputController::previewInBrowser);
    previewAction_->setIcon(QIcon(QStringLiteral(":/icons/preview.svg")));
    previewAction_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_P));
    previewAction_->setToolTip(tr("preview the applet in web browser"));
    buildHtmlAction_ =
        addCommand("actionBuildHtml", tr("Build &HTML..."), &OutputController::buildHtml);
    buildHtmlAction_->setIcon(QIcon(QStringLiteral(":/icons/buildhtml.svg")));
    buildHtmlAction_->setToolTip(tr("Build the HTML code"));
    publishAction_ =
        addCommand("actionPublish", tr("Pu&blish..."), &OutputController::showPublishReport);
    publishFolderAction_ = addCommand("actionPublishToFolder", tr("Publish to &Folder..."),
                                      &OutputController::publishToFolder);
    publishFolderAction_->setStatusTip(
        tr("Write the page, the project and every file it needs into a folder to upload."));
    publishSiteAction_ = addCommand("actionPublishToSite", tr("Publish to &Site..."),
                                    &OutputController::publishToSite);
    publishSiteAction_->setStatusTip(
        tr("Put the menu into every page of a site that holds the markers for it."));
    webBrowserAction_ =
        addCommand("actionWebBrowser", tr("Web &Browser..."), &OutputController::chooseWebBrowser);
    webRuntimeAction_ = addCommand("actionWebRuntime", tr("Include Web &Runtime When Saving"),
                                   &OutputController::toggleWebRuntime);
    webRuntimeAction_->setCheckable(true);
    webRuntimeAction_->setStatusTip(
        tr("Saved pages load zorvex.js, which draws the menu in today's browsers."));
}

void OutputController::createWindows()
{
    htmlWindow_ = new HtmlWindow(window_);
    browserWindow_ = new WebBrowserDialog(dialogs_, shell_, window_);
    reportWindow_ = new PublishReportWindow(window_);
    for (QWidget *dialog :
         std::initializer_list<QWidget *>{htmlWindow_, browserWindow_, reportWindow_})
        hooks_.addHelpKey(dialog);
    readWebRuntimeChoice();
}

void OutputController::showPage(const QString &folder, const QString &file)
{
    if (!browserWindow_->launchInBrowser(folder, file))
        browserFailed();
}

QString OutputController::rememberedSite(const QString &project) const
{
    if (project.isEmpty())
        return untitledSite_;
    // The site a project was last published to is offered again, also in later sessions.
    return Settings().siteFolder(project);
}

void OutputController::rememberSite(const QString &project, const QString &site)
{
    if (project.isEmpty()) {
        untitledSite_ = site;
        return;
    }
    Settings().setSiteFolder(project, site);
}

void OutputController::readWebRuntimeChoice()
{
    // On unless the user turned it off: a saved page without the runtime shows nothing in
    // today's browsers.
    const bool include = Settings().includeWebRuntime();
    webRuntimeAction_->setChecked(include);
    document_.menu().setIncludeWebRuntime(include);
}

void OutputController::refreshHtmlWindow()
{
    // The fragment goes straight into the window; no scratch file is written.
    document_.writeOutput(
        [this] { htmlWindow_->setFragment(HtmlWriter(document_.menu()).fragment()); });
}

void OutputController::buildHtml()
{
    refreshHtmlWindow();
    dialogs_.runModal(htmlWindow_);
}

void OutputController::previewInBrowser()
{
    const std::string program = programFolder_.toStdString();
    refreshHtmlWindow();
    Publisher &publisher = document_.publisher();
    publisher.stageAppletFiles(program);
    publisher.stageResources(program);
    // The page is written into the preview folder directly, beside the files it needs; the
    // web runtime draws the menu in the browser.
    publisher.stage(program + WebRuntimeFile);
    publisher.stageFile(PreviewPage, htmlWindow_->fragment() + WebRuntimeScript + LineEnd);
    // A preview that silently shows nothing would be a failure passed off as success.
    if (!browserWindow_->launchInBrowser(
            QString::fromStdString(fsx::withSeparator(publisher.previewFolder())),
            QLatin1String(PreviewPage)))
        browserFailed();
}

void OutputController::browserFailed()
{
    const QString &choice = browserWindow_->browserChoice;
    const QString name = choice == QLatin1String("specified") ? browserWindow_->specifiedBrowser
                         : choice.isEmpty() || choice == QLatin1String("default")
                             ? tr("default browser")
                             : choice;
    dialogs_.warning(window_,
                     tr("The browser \"%1\" could not be started. Choose another "
                        "one under Option > Web Browser.")
                         .arg(name),
                     DialogService::OkOnly);
}

void OutputController::showPublishReport()
{
    // The report a save would write: what it would leave out is not listed.
    const QString &fileName = document_.fileName();
    const QString project =
        fileName.isEmpty() ? QStringLiteral("Untitled.tvl") : QFileInfo(fileName).fileName();
    Publisher &publisher = document_.publisher();
    document_.writeOutput([&] {
        publisher.stageFile(ReportFile,
                            publisher.reportText(project.toStdString(), publisher.previewFolder()));
    });
    const std::string staged = fsx::withSeparator(publisher.previewFolder()) + ReportFile;
    reportWindow_->reportView->setPlainText(
        QString::fromStdString(fsx::readFile(staged))
            .replace(QLatin1String("\r\n"), QLatin1String("\n")));
    dialogs_.runModal(reportWindow_);
}

void OutputController::publishToFolder()
{
    const QString &fileName = document_.fileName();
    const QString start = fileName.isEmpty() ? QString() : QFileInfo(fileName).absolutePath();
    const QString folder = dialogs_.chooseFolder(window_, tr("Publish to Folder"), start);
    if (folder.isEmpty())
        return;
    const std::string project =
        (fileName.isEmpty() ? QStringLiteral("Untitled.tvl") : QFileInfo(fileName).fileName())
            .toStdString();
    Publisher &publisher = document_.publisher();
    // What the folder receives, before anything is written.
    QStringList written;
    for (const std::string &name : publisher.filesWritten(project, publisher.previewFolder()))
        written << QString::fromStdString(name);
    if (dialogs_.warning(
            window_,
            tr("Publishing writes these files into \"%1\": %2. Publish?")
                .arg(QDir::toNativeSeparators(folder), written.join(QLatin1String(", "))),
            DialogService::YesNo) != DialogService::Yes)
        return;
    std::optional<fsx::ReadOnlyReplacement> readOnly;
    bool published = false;
    document_.writeOutput([&] {
        published = publisher.saveAllFrom(
            fsx::withSeparator(QDir::toNativeSeparators(folder).toStdString()), project,
            document_.tree(), publisher.previewFolder(), hooks_.replaceQuestion(project, readOnly));
    });
    if (!published)
        return;
    hooks_.tellLeftOut();
    hooks_.showStatus(tr("Published to \"%1\".").arg(QDir::toNativeSeparators(folder)));
    if (dialogs_.warning(window_, tr("The menu was published. Open the folder?"),
                         DialogService::YesNo) == DialogService::Yes)
        shell_.openDocument(folder);
}

void OutputController::publishToSite()
{
    const QString &fileName = document_.fileName();
    const std::string project =
        (fileName.isEmpty() ? QStringLiteral("Untitled.tvl") : QFileInfo(fileName).fileName())
            .toStdString();
    // Each look at the site and the publishing itself read the document as a save does.
    const auto run = [this, project](const QString &folder, const site::SiteOptions &options,
                                     bool write) {
        site::SiteResult result;
        document_.writeOutputQuietly([&] {
            const Publisher &publisher = document_.publisher();
            const site::SitePublisher sitePublisher(document_.menu(), document_.tree(),
                                                    publisher.previewFolder(), project);
            const std::string path = QDir::toNativeSeparators(folder).toStdString();
            result =
                write ? sitePublisher.publish(path, options) : sitePublisher.plan(path, options);
        });
        return result;
    };
    SitePublishDialog dialog(dialogs_, run, window_);
    HelpService::setTopic(&dialog, HelpTopic::MenuOnEveryPage);
    hooks_.addHelpKey(&dialog);
    const QString known = rememberedSite(fileName);
    if (!known.isEmpty())
        dialog.setSiteFolder(known);
    dialogs_.runModal(&dialog);
    rememberSite(fileName, dialog.siteFolder());
}

void OutputController::chooseWebBrowser()
{
    browserWindow_->run();
}

void OutputController::toggleWebRuntime()
{
    const bool include = webRuntimeAction_->isChecked();
    document_.menu().setIncludeWebRuntime(include);
    // The choice holds for this session even when it cannot be remembered.
    Settings().setIncludeWebRuntime(include);
}
