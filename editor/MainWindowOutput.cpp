// The commands that turn the document into output: the HTML window, the preview in a
// browser, the publish report; and the dialogs of the Option and Help menus.

#include "dialogs/AboutDialog.h"
#include "dialogs/TemplateChooser.h"
#include "dialogs/WebBrowserDialog.h"
#include "document/FileSystem.h"
#include "document/HtmlWriter.h"
#include "document/TextCodec.h"
#include "editor/EditorDocument.h"
#include "editor/HtmlWindow.h"
#include "editor/MainWindow.h"
#include "editor/PublishReportWindow.h"
#include "editor/SitePublishDialog.h"
#include "editor/Startup.h"
#include "platform/Dialogs.h"
#include "platform/Help.h"
#include "platform/Settings.h"
#include "platform/Shell.h"

#include <algorithm>
#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QPlainTextEdit>

const char *const MainWindow::PreviewPage = "~preview.html";
const char *const MainWindow::ReportFile = "PublishReport.txt";

namespace {} // namespace

QString MainWindow::rememberedSite(const QString &project) const
{
    if (project.isEmpty())
        return untitledSite_;
    // The site a project was last published to is offered again, also in later sessions.
    return Settings().siteFolder(project);
}

void MainWindow::rememberSite(const QString &project, const QString &site)
{
    if (project.isEmpty()) {
        untitledSite_ = site;
        return;
    }
    Settings().setSiteFolder(project, site);
}

void MainWindow::readWebRuntimeChoice()
{
    // On unless the user turned it off: a saved page without the runtime shows nothing in
    // today's browsers.
    const bool include = Settings().includeWebRuntime();
    webRuntimeAction->setChecked(include);
    document_->menu().setIncludeWebRuntime(include);
}

void MainWindow::refreshHtmlWindow()
{
    // The fragment goes straight into the window; no scratch file is written.
    document_->writeOutput(
        [this] { htmlWindow->setFragment(HtmlWriter(document_->menu()).fragment()); });
}

void MainWindow::buildHtml()
{
    refreshHtmlWindow();
    services.dialogs.runModal(htmlWindow);
}

void MainWindow::previewInBrowser()
{
    const std::string program = services.programFolder.toStdString();
    refreshHtmlWindow();
    Publisher &publisher = document_->publisher();
    publisher.stageAppletFiles(program);
    publisher.stageResources(program);
    // The page is written into the preview folder directly, beside the files it needs; the
    // web runtime draws the menu in the browser.
    publisher.stage(program + WebRuntimeFile);
    publisher.stageFile(PreviewPage, htmlWindow->fragment() + WebRuntimeScript + LineEnd);
    // A preview that silently shows nothing would be a failure passed off as success.
    if (!browserWindow->launchInBrowser(
            QString::fromStdString(fsx::withSeparator(publisher.previewFolder())),
            QLatin1String(PreviewPage)))
        browserFailed();
}

void MainWindow::browserFailed()
{
    const QString &choice = browserWindow->browserChoice;
    const QString name = choice == QLatin1String("specified") ? browserWindow->specifiedBrowser
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
    // The report a save would write: what it would leave out is not listed.
    const QString &fileName = document_->fileName();
    const QString project =
        fileName.isEmpty() ? QStringLiteral("Untitled.tvl") : QFileInfo(fileName).fileName();
    Publisher &publisher = document_->publisher();
    document_->writeOutput([&] {
        publisher.stageFile(ReportFile,
                            publisher.reportText(project.toStdString(), publisher.previewFolder()));
    });
    const std::string staged = fsx::withSeparator(publisher.previewFolder()) + ReportFile;
    reportWindow->reportView->setPlainText(
        QString::fromStdString(fsx::readFile(staged))
            .replace(QLatin1String("\r\n"), QLatin1String("\n")));
    services.dialogs.runModal(reportWindow);
}

void MainWindow::publishToFolder()
{
    const QString &fileName = document_->fileName();
    const QString start = fileName.isEmpty() ? QString() : QFileInfo(fileName).absolutePath();
    const QString folder = services.dialogs.chooseFolder(this, tr("Publish to Folder"), start);
    if (folder.isEmpty())
        return;
    const std::string project =
        (fileName.isEmpty() ? QStringLiteral("Untitled.tvl") : QFileInfo(fileName).fileName())
            .toStdString();
    Publisher &publisher = document_->publisher();
    // What the folder receives, before anything is written.
    QStringList written;
    for (const std::string &name : publisher.filesWritten(project, publisher.previewFolder()))
        written << QString::fromStdString(name);
    if (services.dialogs.warning(
            this,
            tr("Publishing writes these files into \"%1\": %2. Publish?")
                .arg(QDir::toNativeSeparators(folder), written.join(QLatin1String(", "))),
            DialogService::YesNo) != DialogService::Yes)
        return;
    std::optional<fsx::ReadOnlyReplacement> readOnly;
    bool published = false;
    document_->writeOutput([&] {
        published = publisher.saveAllFrom(
            fsx::withSeparator(QDir::toNativeSeparators(folder).toStdString()), project,
            document_->tree(), publisher.previewFolder(), replaceQuestion(project, readOnly));
    });
    if (!published)
        return;
    tellLeftOut();
    hintLabel->setText(tr("Published to \"%1\".").arg(QDir::toNativeSeparators(folder)));
    if (services.dialogs.warning(this, tr("The menu was published. Open the folder?"),
                                 DialogService::YesNo) == DialogService::Yes)
        services.shell.openDocument(folder);
}

void MainWindow::publishToSite()
{
    const QString &fileName = document_->fileName();
    const std::string project =
        (fileName.isEmpty() ? QStringLiteral("Untitled.tvl") : QFileInfo(fileName).fileName())
            .toStdString();
    // Each look at the site and the publishing itself read the document as a save does.
    const auto run = [this, project](const QString &folder, const site::SiteOptions &options,
                                     bool write) {
        site::SiteResult result;
        document_->writeOutputQuietly([&] {
            const Publisher &publisher = document_->publisher();
            const site::SitePublisher sitePublisher(document_->menu(), document_->tree(),
                                                    publisher.previewFolder(), project);
            const std::string path = QDir::toNativeSeparators(folder).toStdString();
            result =
                write ? sitePublisher.publish(path, options) : sitePublisher.plan(path, options);
        });
        return result;
    };
    SitePublishDialog dialog(services.dialogs, run, this);
    HelpService::setTopic(&dialog, HelpTopic::MenuOnEveryPage);
    addHelpKey(&dialog);
    const QString known = rememberedSite(fileName);
    if (!known.isEmpty())
        dialog.setSiteFolder(known);
    services.dialogs.runModal(&dialog);
    rememberSite(fileName, dialog.siteFolder());
}

void MainWindow::chooseWebBrowser()
{
    browserWindow->run();
}

void MainWindow::toggleWebRuntime()
{
    const bool include = webRuntimeAction->isChecked();
    document_->menu().setIncludeWebRuntime(include);
    // The choice holds for this session even when it cannot be remembered.
    Settings().setIncludeWebRuntime(include);
}

void MainWindow::newFromTemplate()
{
    // A fresh chooser each time, so templates added meanwhile are offered.
    TemplateChooser::Actions actions{[this](const QString &file) { openTemplate(file); },
                                     [this] { newProject(); }};
    TemplateChooser chooser(services.dialogs, services.programFolder, actions, this);
    addHelpKey(&chooser);
    chooser.run();
}

void MainWindow::showTemplateChooser()
{
    newFromTemplate();
}

void MainWindow::showAbout()
{
    AboutDialog about(services.shell, *help, this);
    addHelpKey(&about);
    services.dialogs.runModal(&about);
}
