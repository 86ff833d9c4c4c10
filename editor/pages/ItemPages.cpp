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
#include <utility>

using namespace PageKit;

namespace {
// "label field button" for a file field; the labels share one width so the fields line up.
void labeledFile(QVBoxLayout *rows, const QString &label, QWidget *field, QWidget *button)
{
    QHBoxLayout *line = row(rows);
    pair(line, label, field, true)->setMinimumWidth(90);
    line->addWidget(button);
}
} // namespace

ItemPage::ItemPage(QWidget *parent) : FieldPage(parent)
{
    auto *page = new QVBoxLayout(this);

    QGroupBox *caption = group(tr("Caption"), this);
    QVBoxLayout *cap = rows(caption);
    edtItemCaption = edit(caption, "edtItemCaption", tr("Specify the caption of item here"));
    btnSeparator = button(caption, "btnSeparator", tr("Make this item as a separator"),
                          tr("Click it to make this item as a separator"));
    stretched(row(cap), edtItemCaption, btnSeparator);
    page->addWidget(caption);

    QGroupBox *link = group(tr("Link"), this);
    QVBoxLayout *lnk = rows(link);
    textLine(lnk, tr("Specify the URL of the page which you want the item link to when it"));
    textLine(lnk, tr("be clicked."));
    edtItemURL =
        edit(link, "edtItemURL",
             tr("When the item be clicked, the web browser will load the URL specify here."));
    cmbxItemTarget = editableList(link, "cmbxItemTarget", {"_self", "_top", "_blank", "_parent"},
                                  tr("Target of the document (page), use with URL"));
    cmbxItemTarget->setMinimumWidth(140);
    TextEdit::refuseLineBreaksAndBars(cmbxItemTarget->lineEdit());
    QHBoxLayout *url = row(lnk);
    pair(url, tr("URL"), edtItemURL, true);
    QHBoxLayout *target = row(lnk);
    pair(target, tr("Target"), cmbxItemTarget);
    target->addStretch(1);
    page->addWidget(link);

    QGroupBox *status = group(tr("Status Bar"), this);
    QVBoxLayout *sts = rows(status);
    textLine(sts, tr("The message you input here will be displayed in web browser's status"));
    textLine(sts, tr("bar when mouse over the item"));
    edtItemStatusBarText =
        edit(status, "edtItemStatusBarText",
             tr("When mouse over the item, the web browser will display the text specify here."));
    sts->addWidget(edtItemStatusBarText);
    page->addWidget(status);
    page->addStretch(1);

    using namespace ItemField;
    addField(ItemCaption, edtItemCaption, FieldForm::Verbatim);
    addField(ItemURL, edtItemURL, FieldForm::Verbatim);
    addField(ItemTarget, cmbxItemTarget, FieldForm::Verbatim);
    addField(ItemStatusBarText, edtItemStatusBarText, FieldForm::Verbatim);
}

FirstLevelItemOptionsPage::FirstLevelItemOptionsPage(QWidget *parent) : FieldPage(parent)
{
    auto *page = new QVBoxLayout(this);

    QGroupBox *offset = group(tr("Popup Menu Offset"), this);
    QVBoxLayout *off = rows(offset);
    spnedtItemMenuOffsetX =
        spinEdit(offset, "spnedtItemMenuOffsetX", -9999, 9999, tr("X position of the POPUP MENU"));
    spnedtItemMenuOffsetY =
        spinEdit(offset, "spnedtItemMenuOffsetY", -9999, 9999, tr("Y position of the POPUP MENU"));
    QHBoxLayout *offsets = row(off);
    pair(offsets, tr("X"), spnedtItemMenuOffsetX);
    pair(offsets, tr("Y"), spnedtItemMenuOffsetY);
    offsets->addStretch(1);
    page->addWidget(offset);

    grpBackgroundImage = group(tr("Background Image"), this);
    grpBackgroundImage->setObjectName("grpBackgroundImage");
    grpBackgroundImage->setToolTip(
        tr("Specify the background image of item that in First-Level menu in normal status"));
    QVBoxLayout *img = rows(grpBackgroundImage);
    edtItemNoBgImg =
        edit(grpBackgroundImage, "edtItemNoBgImg",
             tr("Specify background image of item that in First-Level menu in normal status"));
    spdbtnItNoIcon = picker(grpBackgroundImage, "spdbtnItNoIcon",
                            tr("Click here to select the background image of item that in "
                               "First-Level menu in normal status"));
    edtItemOvBgImg =
        edit(grpBackgroundImage, "edtItemOvBgImg",
             tr("Specify background image of item that in First-Level menu in mouse over status"));
    spdbtnItOvIcon = picker(grpBackgroundImage, "spdbtnItOvIcon",
                            tr("Click here to select the background image of item that in "
                               "First-Level menu in mouse over status"));
    edtItemClBgImg =
        edit(grpBackgroundImage, "edtItemClBgImg",
             tr("Specify background image of item that in First-Level menu in clicked status"));
    spdbtnItClIcon = picker(grpBackgroundImage, "spdbtnItClIcon",
                            tr("Click here to select the background image of item that in "
                               "First-Level menu in clicked status"));
    labeledFile(img, tr("Normal"), edtItemNoBgImg, spdbtnItNoIcon);
    labeledFile(img, tr("Mouse Over"), edtItemOvBgImg, spdbtnItOvIcon);
    labeledFile(img, tr("Clicked"), edtItemClBgImg, spdbtnItClIcon);
    page->addWidget(grpBackgroundImage);

    QGroupBox *sound = group(tr("Sound Effect"), this);
    QVBoxLayout *snd = rows(sound);
    edtItemOvBgSnd =
        edit(sound, "edtItemOvBgSnd",
             tr("Specify background sound of item that in First-Level menu in mouse over status"));
    spdbtnItOvSnd = picker(sound, "spdbtnItOvSnd",
                           tr("Click here to select the background sound of item that in "
                              "First-Level menu in mouse over status"));
    edtItemClBgSnd = edit(
        sound, "edtItemClBgSnd",
        tr("Specify background sound of item that in First-Level menu in mouse clicked status"));
    spdbtnItClSnd = picker(sound, "spdbtnItClSnd",
                           tr("Click here to select the background sound of item that in "
                              "First-Level menu in clicked status"));
    labeledFile(snd, tr("Mouse Over"), edtItemOvBgSnd, spdbtnItOvSnd);
    labeledFile(snd, tr("Mouse Clicked"), edtItemClBgSnd, spdbtnItClSnd);
    page->addWidget(sound);
    page->addStretch(1);

    using namespace ItemField;
    const std::pair<int, QLineEdit *> files[] = {{ItemNoBgImg, edtItemNoBgImg},
                                                 {ItemOvBgImg, edtItemOvBgImg},
                                                 {ItemClBgImg, edtItemClBgImg},
                                                 {ItemOvBgSnd, edtItemOvBgSnd},
                                                 {ItemClBgSnd, edtItemClBgSnd}};
    for (auto [position, field] : files)
        addField(position, field, FieldForm::Verbatim);
    addField(ItemMenuOffsetX, spnedtItemMenuOffsetX);
    addField(ItemMenuOffsetY, spnedtItemMenuOffsetY);
}
