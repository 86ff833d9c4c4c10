#pragma once

#include "document/FileSystem.h"
#include "document/Publisher.h"
#include "editor/Controller.h"

#include <functional>
#include <optional>
#include <QObject>
#include <QString>
#include <string>

class DialogService;
class EditorDocument;
class HtmlWindow;
class PublishReportWindow;
class QAction;
class QWidget;
class ShellService;
class WebBrowserDialog;

// The output commands and the windows they show: Build HTML, Preview, the publish report,
// Publish to Folder and to Site, the browser for previews and whether saved pages load the web
// runtime. The controller owns the commands; the window puts them in its menus and tool bar.
class OutputController : public Controller
{
    Q_OBJECT

public:
    // What the commands need of the window they serve.
    struct WindowHooks
    {
        std::function<void(const QString &)> showStatus;
        // Tells what the last save or publish left out of the page.
        std::function<void()> tellLeftOut;
        std::function<Publisher::ReplaceQuestion(const std::string &,
                                                 std::optional<fsx::ReadOnlyReplacement> &)>
            replaceQuestion;
        std::function<void(QWidget *)> addHelpKey;
    };
    OutputController(EditorDocument &document, DialogService &dialogs, ShellService &shell,
                     QString programFolder, QWidget *window, WindowHooks hooks);

    // The windows the commands show, made after the main window as at start-up.
    void createWindows();
    // A page in the browser chosen for previews; a browser that cannot start is told.
    void showPage(const QString &folder, const QString &file);

    QAction *previewAction() const { return previewAction_; }
    QAction *buildHtmlAction() const { return buildHtmlAction_; }
    QAction *publishAction() const { return publishAction_; }
    QAction *publishFolderAction() const { return publishFolderAction_; }
    QAction *publishSiteAction() const { return publishSiteAction_; }
    QAction *webBrowserAction() const { return webBrowserAction_; }
    QAction *webRuntimeAction() const { return webRuntimeAction_; }

    static const char *const PreviewPage;
    static const char *const ReportFile;

private:
    void readWebRuntimeChoice();
    void refreshHtmlWindow();
    void buildHtml();
    void previewInBrowser();
    void browserFailed();
    void showPublishReport();
    void publishToFolder();
    void publishToSite();
    void chooseWebBrowser();
    void toggleWebRuntime();
    // The site a project was last published to, offered again (an untitled one's for this
    // session only).
    QString rememberedSite(const QString &project) const;
    void rememberSite(const QString &project, const QString &site);

    EditorDocument &document_;
    ShellService &shell_;
    QString programFolder_;
    WindowHooks hooks_;
    QString untitledSite_;
    HtmlWindow *htmlWindow_ = nullptr;
    WebBrowserDialog *browserWindow_ = nullptr;
    PublishReportWindow *reportWindow_ = nullptr;
    QAction *previewAction_, *buildHtmlAction_, *publishAction_, *publishFolderAction_,
        *publishSiteAction_, *webBrowserAction_, *webRuntimeAction_;
};
