#include "ItemPages.h"

#include "document/ItemData.h"
#include "editor/pages/PageKit.h"
#include "editor/widgets/ColorPanel.h"
#include "editor/widgets/SpinEdit.h"
#include "editor/widgets/TextEdit.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>
#include <tuple>
#include <utility>

using namespace PageKit;

namespace {
// "label field button" for a file field and its folder button; the labels share one width so
// the fields line up.
std::pair<TextEdit *, QToolButton *> fileRow(QVBoxLayout *rows, const QString &label,
                                             const char *fieldName, const QString &hint,
                                             const char *buttonName, const QString &pickHint)
{
    QWidget *parent = rows->parentWidget();
    TextEdit *field = edit(parent, fieldName, hint);
    QToolButton *button = picker(parent, buttonName, pickHint);
    QHBoxLayout *line = row(rows);
    pair(line, label, field, true)->setMinimumWidth(90);
    line->addWidget(button);
    return {field, button};
}
} // namespace

ItemPage::ItemPage(QWidget *parent) : FieldPage(parent)
{
    auto *page = new QVBoxLayout(this);

    QGroupBox *caption = group(tr("Caption"), this);
    QVBoxLayout *cap = rows(caption);
    itemCaptionEdit = edit(caption, "edtItemCaption", tr("Specify the caption of item here"));
    separatorButton = button(caption, "btnSeparator", tr("Make this item as a separator"),
                             tr("Click it to make this item as a separator"));
    stretched(row(cap), itemCaptionEdit, separatorButton);
    page->addWidget(caption);

    QGroupBox *link = group(tr("Link"), this);
    QVBoxLayout *lnk = rows(link);
    textLine(lnk, tr("Specify the URL of the page which you want the item link to when it"));
    textLine(lnk, tr("be clicked."));
    itemURLEdit =
        edit(link, "edtItemURL",
             tr("When the item be clicked, the web browser will load the URL specify here."));
    itemTargetList = editableList(link, "cmbxItemTarget", {"_self", "_top", "_blank", "_parent"},
                                  tr("Target of the document (page), use with URL"));
    itemTargetList->setMinimumWidth(140);
    TextEdit::refuseLineBreaksAndBars(itemTargetList->lineEdit());
    QHBoxLayout *url = row(lnk);
    pair(url, tr("URL"), itemURLEdit, true);
    labelledRow(lnk, {{tr("Target"), itemTargetList}});
    page->addWidget(link);

    QGroupBox *status = group(tr("Status Bar"), this);
    QVBoxLayout *sts = rows(status);
    textLine(sts, tr("The message you input here will be displayed in web browser's status"));
    textLine(sts, tr("bar when mouse over the item"));
    itemStatusBarTextEdit =
        edit(status, "edtItemStatusBarText",
             tr("When mouse over the item, the web browser will display the text specify here."));
    sts->addWidget(itemStatusBarTextEdit);
    page->addWidget(status);
    page->addStretch(1);

    using namespace ItemField;
    addField(ItemCaption, itemCaptionEdit, FieldForm::Verbatim);
    addField(ItemURL, itemURLEdit, FieldForm::Verbatim);
    addField(ItemTarget, itemTargetList, FieldForm::Verbatim);
    addField(ItemStatusBarText, itemStatusBarTextEdit, FieldForm::Verbatim);
}

void ItemPage::addGroup(QWidget *group)
{
    auto *page = static_cast<QVBoxLayout *>(layout());
    page->insertWidget(page->count() - 1, group); // above the closing stretch
}

FirstLevelItemOptionsPage::FirstLevelItemOptionsPage(QWidget *parent) : FieldPage(parent)
{
    auto *page = new QVBoxLayout(this);

    QGroupBox *offset = group(tr("Popup Menu Offset"), this);
    QVBoxLayout *off = rows(offset);
    itemMenuOffsetXSpin =
        spinEdit(offset, "spnedtItemMenuOffsetX", -9999, 9999, tr("X position of the POPUP MENU"));
    itemMenuOffsetYSpin =
        spinEdit(offset, "spnedtItemMenuOffsetY", -9999, 9999, tr("Y position of the POPUP MENU"));
    labelledRow(off, {{tr("X"), itemMenuOffsetXSpin}, {tr("Y"), itemMenuOffsetYSpin}});
    page->addWidget(offset);

    backgroundImageGroup = group(tr("Background Image"), this);
    backgroundImageGroup->setObjectName("grpBackgroundImage");
    backgroundImageGroup->setToolTip(
        tr("Specify the background image of item that in First-Level menu in normal status"));
    QVBoxLayout *img = rows(backgroundImageGroup);
    std::tie(itemNoBgImgEdit, itNoIconButton) =
        fileRow(img, tr("Normal"), "edtItemNoBgImg",
                tr("Specify background image of item that in First-Level menu in normal status"),
                "spdbtnItNoIcon",
                tr("Click here to select the background image of item that in First-Level menu in "
                   "normal status"));
    std::tie(itemOvBgImgEdit, itOvIconButton) = fileRow(
        img, tr("Mouse Over"), "edtItemOvBgImg",
        tr("Specify background image of item that in First-Level menu in mouse over status"),
        "spdbtnItOvIcon",
        tr("Click here to select the background image of item that in First-Level menu in "
           "mouse over status"));
    std::tie(itemClBgImgEdit, itClIconButton) =
        fileRow(img, tr("Clicked"), "edtItemClBgImg",
                tr("Specify background image of item that in First-Level menu in clicked status"),
                "spdbtnItClIcon",
                tr("Click here to select the background image of item that in First-Level menu in "
                   "clicked status"));
    page->addWidget(backgroundImageGroup);

    QGroupBox *sound = group(tr("Sound Effect"), this);
    QVBoxLayout *snd = rows(sound);
    std::tie(itemOvBgSndEdit, itOvSndButton) = fileRow(
        snd, tr("Mouse Over"), "edtItemOvBgSnd",
        tr("Specify background sound of item that in First-Level menu in mouse over status"),
        "spdbtnItOvSnd",
        tr("Click here to select the background sound of item that in First-Level menu in "
           "mouse over status"));
    std::tie(itemClBgSndEdit, itClSndButton) = fileRow(
        snd, tr("Mouse Clicked"), "edtItemClBgSnd",
        tr("Specify background sound of item that in First-Level menu in mouse clicked status"),
        "spdbtnItClSnd",
        tr("Click here to select the background sound of item that in First-Level menu in "
           "clicked status"));
    page->addWidget(sound);
    page->addStretch(1);

    using namespace ItemField;
    const std::pair<int, QLineEdit *> files[] = {{ItemNoBgImg, itemNoBgImgEdit},
                                                 {ItemOvBgImg, itemOvBgImgEdit},
                                                 {ItemClBgImg, itemClBgImgEdit},
                                                 {ItemOvBgSnd, itemOvBgSndEdit},
                                                 {ItemClBgSnd, itemClBgSndEdit}};
    for (auto [position, field] : files)
        addField(position, field, FieldForm::Verbatim);
    addField(ItemMenuOffsetX, itemMenuOffsetXSpin);
    addField(ItemMenuOffsetY, itemMenuOffsetYSpin);
}
