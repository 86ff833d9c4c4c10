#pragma once

#include "site/SitePublisher.h"

#include <functional>
#include <QDialog>

class DialogService;
class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTreeWidget;

// Applet > Publish to Site: the author picks the site's folder, sees every page found and
// what publishing would change in it, and publishes. The pages are looked at again whenever
// the folder or an option changes, and after publishing.
class SitePublishDialog : public QDialog
{
    Q_OBJECT

public:
    // Plans (write false) or publishes (write true) the menu into a site; throws what
    // publishing throws.
    using Run = std::function<site::SiteResult(const QString &folder,
                                               const site::SiteOptions &options, bool write)>;
    SitePublishDialog(DialogService &dialogs, Run run, QWidget *parent = nullptr);

    // Shows the pages of a folder, as choosing it does.
    void setSiteFolder(const QString &folder);
    QString siteFolder() const;

private:
    void chooseFolder();
    void lookAgain();
    void publish();
    void showResult(const site::SiteResult &result, bool written);
    site::SiteOptions options() const;

    DialogService &dialogs_;
    Run run_;
    QLineEdit *folderEdit;
    QLineEdit *assetsEdit;
    QCheckBox *addMarkersBox;
    QTreeWidget *pageList;
    QLabel *summaryLabel;
    QPushButton *publishButton;
};
