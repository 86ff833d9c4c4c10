#include "ItemLookGroup.h"

#include "editor/EditorDocument.h"
#include "editor/pages/PageKit.h"
#include "editor/widgets/TextEdit.h"
#include "platform/Dialogs.h"

#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QToolButton>
#include <QVBoxLayout>

namespace {
const char *const IconFilter =
    "Icons (*.svg;*.png)|*.svg;*.png|SVG Picture (*.svg)|*.svg|PNG Picture (*.png)|*.png";
// Series of badge typing start far from the other pages' so they never merge with them.
constexpr int BadgeSeriesBase = 1 << 20;
} // namespace

ItemLookGroup::ItemLookGroup(EditorDocument &document, DialogService &dialogs, QWidget *parent)
    : QGroupBox(tr("Icon and Badge"), parent), document_(document), dialogs_(dialogs)
{
    using namespace PageKit;
    setObjectName("grpItemLook");
    QVBoxLayout *lines = rows(this);

    icon_ = new QComboBox(this);
    icon_->setObjectName("cmbxItemIcon");
    icon_->setEditable(true);
    icon_->setInsertPolicy(QComboBox::NoInsert);
    icon_->setToolTip(tr("A picture shown before the caption, in the caption's color: one of "
                         "Tarvelle's icons, or an SVG or PNG file of your own"));
    icon_->setAccessibleName(tr("Item Icon"));
    icon_->addItem(tr("(None)"), QString());
    const QDir icons(QString::fromStdString(document_.publisher().menuIconFolder()));
    for (const QFileInfo &file : icons.entryInfoList({"*.svg"}, QDir::Files, QDir::Name))
        icon_->addItem(QIcon(file.filePath()), file.completeBaseName(), file.fileName());
    picture_ = picker(this, "btnItemIcon", tr("Choose an SVG or PNG picture for the icon"));
    picture_->setAccessibleName(tr("Choose Icon Picture"));

    badge_ = new QLineEdit(this);
    badge_->setObjectName("edtItemBadge");
    badge_->setMaxLength(12);
    badge_->setToolTip(tr("A short text shown after the caption as a pill, such as \"New\" or "
                          "a count (up to 12 characters)"));
    badge_->setAccessibleName(tr("Item Badge"));

    QHBoxLayout *iconRow = row(lines);
    pair(iconRow, tr("Icon"), icon_, true);
    iconRow->addWidget(picture_);
    labelledRow(lines, {{tr("Badge"), badge_}});

    connect(icon_, &QComboBox::activated, this, &ItemLookGroup::onIconChosen);
    connect(icon_->lineEdit(), &QLineEdit::editingFinished, this, &ItemLookGroup::onIconChosen);
    connect(picture_, &QToolButton::clicked, this, &ItemLookGroup::pickPicture);
    connect(badge_, &QLineEdit::textEdited, this, &ItemLookGroup::onBadgeEdited);
    connect(badge_, &QLineEdit::editingFinished, this, [this] { ++badgeSeries_; });
    connect(&document_, &EditorDocument::itemLookChanged, this, [this](MenuTree::Id item) {
        if (item == item_)
            showLook();
    });
}

void ItemLookGroup::showItem(MenuTree::Id item)
{
    item_ = item;
    ++badgeSeries_;
    showLook();
}

void ItemLookGroup::showLook()
{
    const ItemTree::Node node = document_.tree().find(item_);
    const ItemLook look = node ? document_.tree().itemLook(node) : ItemLook();
    const QSignalBlocker iconBlocker(icon_);
    const QString icon = QString::fromStdString(look.icon);
    const int builtIn = icon_->findData(icon);
    if (builtIn >= 0)
        icon_->setCurrentIndex(builtIn);
    else
        icon_->setEditText(icon);
    const QSignalBlocker badgeBlocker(badge_);
    if (badge_->text() != QString::fromStdString(look.badge))
        badge_->setText(QString::fromStdString(look.badge));
}

void ItemLookGroup::onIconChosen()
{
    // The list shows the program's icons by name; the file name is what the item keeps.
    const int index = icon_->findText(icon_->currentText());
    const QString icon = index >= 0 ? icon_->itemData(index).toString()
                                    : TextEdit::cleaned(icon_->currentText().trimmed());
    if (index >= 0 && !icon.isEmpty())
        document_.stageMenuIcon(icon.toStdString());
    edit(icon, badge_->text(), -1);
}

void ItemLookGroup::onBadgeEdited()
{
    const QString typed = TextEdit::cleaned(badge_->text());
    const ItemTree::Node node = document_.tree().find(item_);
    const QString icon = node ? QString::fromStdString(document_.tree().itemLook(node).icon) : "";
    edit(icon, typed, BadgeSeriesBase + badgeSeries_);
}

void ItemLookGroup::pickPicture()
{
    const QString path = dialogs_.openFile(window(), QLatin1String(IconFilter), true);
    if (path.isEmpty())
        return;
    const QString name = TextEdit::cleaned(QFileInfo(path).fileName());
    if (name.isEmpty())
        return;
    document_.publisher().stageAs(QDir::toNativeSeparators(path).toStdString(), name.toStdString());
    edit(name, badge_->text(), -1);
    showLook();
}

void ItemLookGroup::edit(const QString &icon, const QString &badge, int series)
{
    if (item_)
        document_.editItemLook(item_, {icon.toStdString(), badge.toStdString()},
                               tr("Item Icon and Badge"), series);
}
