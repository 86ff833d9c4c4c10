#include "editor/SitePublishDialog.h"

#include "document/FileSystem.h"
#include "platform/Dialogs.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFormLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {
using State = site::SiteEntry::State;

QString describe(const site::SiteEntry &entry, bool written)
{
    const QString why = QString::fromStdString(entry.why);
    switch (entry.state) {
    case State::Changed:
        return written ? SitePublishDialog::tr("Menu written")
                       : SitePublishDialog::tr("The menu will be written");
    case State::MarkersAdded:
        return written ? SitePublishDialog::tr("Markers added, menu written")
                       : SitePublishDialog::tr("Markers and the menu will be added");
    case State::Unchanged:
        return SitePublishDialog::tr("Shows this menu already");
    case State::WithoutMarkers:
        return why.isEmpty() ? SitePublishDialog::tr("No markers: left alone")
                             : SitePublishDialog::tr("No markers: left alone (%1)").arg(why);
    case State::LeftOut:
        return SitePublishDialog::tr("Left out: %1").arg(why);
    case State::Refused:
        return SitePublishDialog::tr("Cannot be written: %1").arg(why);
    }
    return QString();
}

// A wait cursor while the site's pages are read or written.
struct BusyCursor
{
    BusyCursor() { QGuiApplication::setOverrideCursor(Qt::WaitCursor); }
    ~BusyCursor() { QGuiApplication::restoreOverrideCursor(); }
};
} // namespace

SitePublishDialog::SitePublishDialog(DialogService &dialogs, Run run, QWidget *parent)
    : QDialog(parent), dialogs_(dialogs), run_(std::move(run))
{
    setObjectName("frmPublishToSite");
    setWindowTitle(tr("Publish to Site"));

    auto *intro = new QLabel(
        tr("Every page of the site that holds the lines <code>&lt;!-- tarvelle:menu --&gt;</code> "
           "and <code>&lt;!-- /tarvelle:menu --&gt;</code> gets the menu between them, with its "
           "links written for the page's folder. zorvex.js and the menu's pictures and sounds "
           "are copied into the site once."),
        this);
    intro->setWordWrap(true);

    folderEdit = new QLineEdit(this);
    folderEdit->setObjectName("siteFolderEdit");
    auto *chooseButton = new QPushButton(tr("C&hoose..."), this);
    chooseButton->setObjectName("chooseFolderButton");
    connect(chooseButton, &QPushButton::clicked, this, &SitePublishDialog::chooseFolder);
    connect(folderEdit, &QLineEdit::editingFinished, this, &SitePublishDialog::lookAgain);
    auto *folderRow = new QHBoxLayout;
    folderRow->addWidget(folderEdit, 1);
    folderRow->addWidget(chooseButton);

    assetsEdit = new QLineEdit(this);
    assetsEdit->setObjectName("assetsFolderEdit");
    assetsEdit->setPlaceholderText(tr("zorvex.js and the pictures go to the site's top folder"));
    assetsEdit->setToolTip(tr("A folder inside the site, named from its top, such as \"assets\"."));
    connect(assetsEdit, &QLineEdit::editingFinished, this, &SitePublishDialog::lookAgain);
    addMarkersBox = new QCheckBox(tr("&Add markers after <body> to pages without them"), this);
    addMarkersBox->setObjectName("addMarkersBox");
    connect(addMarkersBox, &QCheckBox::toggled, this, &SitePublishDialog::lookAgain);

    auto *form = new QFormLayout;
    auto *folderLabel = new QLabel(tr("&Site folder:"), this);
    folderLabel->setBuddy(folderEdit);
    form->addRow(folderLabel, folderRow);
    auto *assetsLabel = new QLabel(tr("Asse&ts folder:"), this);
    assetsLabel->setBuddy(assetsEdit);
    form->addRow(assetsLabel, assetsEdit);
    form->addRow(addMarkersBox);

    pageList = new QTreeWidget(this);
    pageList->setObjectName("pageList");
    pageList->setAccessibleName(tr("Pages and files"));
    pageList->setRootIsDecorated(false);
    pageList->setUniformRowHeights(true);
    pageList->setHeaderLabels({tr("Page or file"), tr("What publishing does")});
    pageList->header()->setSectionResizeMode(0, QHeaderView::ResizeToContents);

    summaryLabel = new QLabel(tr("Choose the folder that holds the site's pages."), this);
    summaryLabel->setObjectName("summaryLabel");
    summaryLabel->setWordWrap(true);
    summaryLabel->setTextInteractionFlags(Qt::TextSelectableByMouse);

    // Publishing keeps the dialog open, to show what it did; it is no accepting button, so Return
    // in a field only looks at the site again: publishing is always a click of its own, after
    // the author has seen what it changes.
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    publishButton = buttons->addButton(tr("&Publish"), QDialogButtonBox::ActionRole);
    publishButton->setObjectName("publishButton");
    publishButton->setEnabled(false);
    for (QAbstractButton *button : buttons->buttons()) {
        if (auto *push = qobject_cast<QPushButton *>(button))
            push->setAutoDefault(false);
    }
    chooseButton->setAutoDefault(false);
    connect(publishButton, &QPushButton::clicked, this, &SitePublishDialog::publish);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(intro);
    layout->addLayout(form);
    layout->addWidget(pageList, 1);
    layout->addWidget(summaryLabel);
    layout->addWidget(buttons);
    resize(640, 440);
}

void SitePublishDialog::setSiteFolder(const QString &folder)
{
    folderEdit->setText(QDir::toNativeSeparators(folder));
    lookAgain();
}

QString SitePublishDialog::siteFolder() const
{
    return folderEdit->text().trimmed();
}

site::SiteOptions SitePublishDialog::options() const
{
    site::SiteOptions options;
    options.assets = QDir::fromNativeSeparators(assetsEdit->text().trimmed()).toStdString();
    options.addMarkers = addMarkersBox->isChecked();
    return options;
}

void SitePublishDialog::chooseFolder()
{
    const QString folder = dialogs_.chooseFolder(this, tr("Publish to Site"), siteFolder());
    if (!folder.isEmpty())
        setSiteFolder(folder);
}

void SitePublishDialog::lookAgain()
{
    pageList->clear();
    publishButton->setEnabled(false);
    if (siteFolder().isEmpty())
        return;
    try {
        const BusyCursor busy;
        showResult(run_(siteFolder(), options(), false), false);
    } catch (const std::exception &error) {
        summaryLabel->setText(QString::fromStdString(error.what()));
    }
}

void SitePublishDialog::publish()
{
    site::SiteResult result;
    try {
        const BusyCursor busy;
        result = run_(siteFolder(), options(), true);
    } catch (const std::exception &error) {
        dialogs_.error(this,
                       tr("Nothing was written: %1").arg(QString::fromStdString(error.what())));
        lookAgain();
        return;
    }
    showResult(result, result.written);
}

void SitePublishDialog::showResult(const site::SiteResult &result, bool written)
{
    pageList->clear();
    QList<QTreeWidgetItem *> rows;
    const auto add = [&](const site::SiteEntry &entry) {
        rows << new QTreeWidgetItem({QDir::toNativeSeparators(QString::fromStdString(entry.path)),
                                     describe(entry, written)});
    };
    for (const site::SiteEntry &page : result.pages)
        add(page);
    for (const site::SiteEntry &asset : result.assets) {
        if (asset.state == State::Refused)
            add(asset);
        else
            rows << new QTreeWidgetItem({QString::fromStdString(asset.path),
                                         written ? tr("Copied") : tr("Will be copied")});
    }
    for (const Publisher::Resource &resource : result.leftOut)
        rows << new QTreeWidgetItem({QString::fromStdString(std::string(resource.name)),
                                     tr("Left out: %1").arg(fsx::describe(resource.check))});
    pageList->addTopLevelItems(rows);

    QString summary = QString::fromStdString(result.summary(written)) + QLatin1Char('.');
    if (result.refused())
        summary += QLatin1Char(' ') + tr("Nothing can be written until the pages marked "
                                         "\"Cannot be written\" are mended.");
    else if (written)
        summary += QLatin1Char(' ') + tr("Published.");
    else if (!result.changes())
        summary += QLatin1Char(' ') + tr("Nothing to write: the site shows this menu.");
    summaryLabel->setText(summary);
    publishButton->setEnabled(!written && !result.refused() && result.changes());
}
