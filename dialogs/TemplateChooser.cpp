#include "TemplateChooser.h"

#include "platform/Appearance.h"
#include "platform/Dialogs.h"
#include "platform/Settings.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QPixmap>
#include <QPushButton>
#include <QStyle>

TemplateChooser::TemplateChooser(DialogService &dialogs, const QString &programFolder,
                                 Actions actions, QWidget *parent)
    : QDialog(parent), dialogs_(dialogs), folder_(QDir(programFolder).filePath("templets")),
      actions_(std::move(actions))
{
    setObjectName("frmTemplet");
    setFont(compactFont());
    setWindowTitle(tr("Templates"));
    // Left only through its buttons, Enter, Esc or a double click.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    templateList = new QListWidget(this);
    templateList->setObjectName("TempletList");
    templateList->setAccessibleName(tr("Templates"));
    templateList->setMinimumSize(185, 147);
    templateList->setSelectionMode(QAbstractItemView::SingleSelection);
    okButton = new QPushButton(style()->standardIcon(QStyle::SP_DialogOkButton), tr("OK"), this);
    okButton->setObjectName("BitBtn1");
    okButton->setDefault(true);
    cancelButton =
        new QPushButton(style()->standardIcon(QStyle::SP_DialogCancelButton), tr("Cancel"), this);
    cancelButton->setObjectName("BitBtn2");
    auto *buttons = new QVBoxLayout;
    buttons->addWidget(okButton);
    buttons->addWidget(cancelButton);
    buttons->addStretch();

    auto *layout = new QGridLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->addWidget(templateList, 0, 0);
    layout->addLayout(buttons, 0, 1);
    const char *const lines[] = {"Click OK, The templet you selected will",
                                 "be opened. Click Cancel, a new project", "will be created."};
    auto *hint = new QVBoxLayout;
    hint->setSpacing(2);
    for (int i = 0; i < 3; ++i) {
        auto *label = new QLabel(tr(lines[i]), this);
        label->setObjectName(QStringLiteral("Label%1").arg(i + 1));
        hint->addWidget(label);
    }
    layout->addLayout(hint, 1, 0, 1, 2);
    dontShowBox = new QCheckBox(tr("Don't show this dialog again."), this);
    dontShowBox->setObjectName("chckbxDontShow");
    layout->addWidget(dontShowBox, 2, 0, 1, 2);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    // A double click anywhere in the list, on an entry or on empty space, leaves the chooser.
    templateList->viewport()->installEventFilter(this);
    connect(okButton, &QPushButton::clicked, this, &TemplateChooser::closeAndOpenChosen);
    connect(cancelButton, &QPushButton::clicked, this, &TemplateChooser::closeAndStartNew);
    // Setting the box by program runs the handler too, as a click would.
    connect(dontShowBox, &QCheckBox::toggled, this, &TemplateChooser::saveShowSetting);
    loadSettings();
}

void TemplateChooser::loadSettings()
{
    // A missing folder leaves the list empty.
    const QDir folder(folder_);
    const QStringList files =
        folder.entryList({QStringLiteral("*.tvl")}, QDir::Files, QDir::Name | QDir::IgnoreCase);
    if (actions_.thumbnail) {
        templateList->setViewMode(QListView::IconMode);
        templateList->setIconSize(ThumbnailSize);
        templateList->setGridSize(ThumbnailSize + QSize(24, 48));
        templateList->setResizeMode(QListView::Adjust);
        templateList->setMovement(QListView::Static);
        templateList->setWordWrap(true);
        templateList->setMinimumSize(3 * (ThumbnailSize.width() + 24) + 24,
                                     2 * (ThumbnailSize.height() + 48) + 8);
    }
    for (const QString &file : files) {
        const QString name = QFileInfo(file).completeBaseName();
        auto *item = new QListWidgetItem(actions_.thumbnail ? name : file, templateList);
        item->setData(Qt::UserRole, file);
        const QString line = describedBy(folder.filePath(name + QStringLiteral(".txt")));
        if (!line.isEmpty()) {
            item->setToolTip(line);
            item->setData(Qt::AccessibleDescriptionRole, line);
            if (actions_.thumbnail)
                item->setText(name + QLatin1Char('\n') + line);
        }
        if (actions_.thumbnail)
            item->setIcon(
                QPixmap::fromImage(actions_.thumbnail(folder.filePath(file), ThumbnailSize)));
    }
    // The entry that looks highlighted is the one OK and Enter open.
    if (templateList->count() > 0)
        templateList->setCurrentRow(0);
}

QString TemplateChooser::describedBy(const QString &textFile)
{
    QFile file(textFile);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return QString();
    return QString::fromUtf8(file.readLine(400)).trimmed();
}

bool TemplateChooser::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == templateList->viewport() && event->type() == QEvent::MouseButtonDblClick) {
        openChosenTemplate();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void TemplateChooser::closeEvent(QCloseEvent *event)
{
    // Closed through the window manager: the same as Cancel and Esc, a new project.
    event->accept();
    closeAndStartNew();
}

int TemplateChooser::run()
{
    onShown();
    return dialogs_.runModal(this);
}

void TemplateChooser::onShown()
{
    dontShowBox->setChecked(!Settings().showTemplates());
}

QString TemplateChooser::selectedFile() const
{
    const QListWidgetItem *item = templateList->currentItem();
    if (!item || !item->isSelected())
        return QString();
    return QDir::toNativeSeparators(QDir(folder_).filePath(item->data(Qt::UserRole).toString()));
}

void TemplateChooser::saveShowSetting()
{
    Settings().setShowTemplates(!dontShowBox->isChecked());
}

void TemplateChooser::openChosenTemplate()
{
    const QString file = selectedFile();
    try {
        actions_.openProjectFile(file);
    } catch (const std::exception &error) {
        // The dialog stays open after a template that cannot be opened.
        dialogs_.error(this, QString::fromStdString(error.what()));
        return;
    }
    accept();
}

void TemplateChooser::closeAndOpenChosen()
{
    const QString file = selectedFile();
    accept(); // closes whatever the opening brings
    if (file.isEmpty())
        return;
    try {
        actions_.openProjectFile(file);
    } catch (const std::exception &error) {
        dialogs_.error(parentWidget(), QString::fromStdString(error.what()));
    }
}

void TemplateChooser::closeAndStartNew()
{
    reject();
    try {
        actions_.newProject();
    } catch (const std::exception &error) {
        dialogs_.error(parentWidget(), QString::fromStdString(error.what()));
    }
}

void TemplateChooser::keyPressEvent(QKeyEvent *event)
{
    // Esc is the Cancel button: it starts a new project.
    if (event->key() == Qt::Key_Escape) {
        closeAndStartNew();
        return;
    }
    QDialog::keyPressEvent(event);
}
