#include "MenuPages.h"

#include "document/AppletData.h"
#include "editor/pages/PageGroups.h"
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

using namespace PageKit;

MenuPage::MenuPage(QWidget *parent) : FieldPage(parent)
{
    auto *page = new QVBoxLayout(this);
    page->setContentsMargins(4, 4, 4, 4);

    QGroupBox *general = group(tr("General"), this);
    QVBoxLayout *gen = rows(general);
    mnXSpin = spinEdit(general, "spnedtMnX", -9999, 9999, tr("X position of the First-Level menu"));
    mnYSpin = spinEdit(general, "spnedtMnY", -9999, 9999, tr("Y position of the First-Level menu"));
    mnItemsWidthSpin = spinEdit(general, "spnedtMnItemsWidth", 0, 9999,
                                tr("The width of item that in First-Level menu"));
    mnItemsHeightSpin = spinEdit(general, "spnedtMnItemsHeight", 0, 9999,
                                 tr("The height of item that in First-Level menu"));
    mnItemsGapSpin = spinEdit(general, "spnedtMnItemsGap", -9999, 9999,
                              tr("The gap of item that in First-Level menu"));
    mnItemsAlignList = list(general, "spnedtMnItemsAlign", ChoiceList::orientation(),
                            tr("Align the items that in First-Level menu"));
    labelledRow(gen, {{tr("Menu X"), mnXSpin},
                      {tr("Items Width"), mnItemsWidthSpin},
                      {tr("Items Gap"), mnItemsGapSpin}});
    labelledRow(gen, {{tr("Menu Y"), mnYSpin},
                      {tr("Items Height"), mnItemsHeightSpin},
                      {tr("Items Align"), mnItemsAlignList}});
    page->addWidget(general);

    QGroupBox *background = group(tr("Background"), this);
    QVBoxLayout *bg = rows(background);
    colours = backgroundColours(
        bg, background, "Mn",
        {tr("The background color of First-Level menu"),
         tr("The background fade color of First-Level menu"),
         tr("Specify whether First-Level menu background be gradient filled by BG and Fade Color"),
         tr("Specify whether First-Level menu background be transparentized")});
    page->addWidget(background);

    border = borderGroup(page, this, "Mn",
                         {{},
                          tr("The width of First-Level menu border"),
                          tr("Specify the border style of the First-Level menu"),
                          tr("The color of First-Level menu border")});
    page->addStretch(1);
    declareFields();
}

ItemStatePage::ItemStatePage(const QString &infix, int block, QWidget *parent)
    : FieldPage(parent), block_(block)
{
    auto name = [&infix](const char *kind, const char *property) {
        return QString::fromLatin1(kind) + infix + QString::fromLatin1(property);
    };
    auto *page = new QVBoxLayout(this);
    page->setContentsMargins(4, 4, 4, 4);

    QGroupBox *text = group(tr("Text"), this);
    QVBoxLayout *txt = rows(text);
    captionFont = fontRow(txt, text, infix,
                          {tr("Specify the font name of item caption that in First-Level menu"),
                           tr("Specify the font size of item caption that in First-Level menu"),
                           tr("The font style of text will be bold when it be pressed down"),
                           tr("The font style of text will be italic when it be pressed down")});
    textAlignList = list(text, name("cmbx", "TextAlign"), ChoiceList::alignment(),
                         tr("Align the caption in item that in First-Level menu"));
    textOffsetSpin = spinEdit(text, name("spnedt", "TextOffset"), -9999, 9999,
                              tr("The offset of text in item caption that in First-Level menu"));
    textClrPanel = colorPanel(text, name("pnl", "TextClr"),
                              tr("The color of text in item caption that in First-Level menu"));
    labelledRow(txt, {{tr("Align"), textAlignList},
                      {tr("Offset"), textOffsetSpin},
                      {tr("Color"), textClrPanel}});
    page->addWidget(text);

    QGroupBox *background = group(tr("Background"), this);
    QVBoxLayout *bg = rows(background);
    placement =
        imagePlacement(bg, background, infix,
                       {tr("Background Image X"), tr("Align"),
                        tr("X position of the background image in item that in First-Level menu"),
                        tr("Y position of the background image in item that in First-Level menu"),
                        tr("Align the background image in item that in First-Level menu")},
                       "spnedt");
    colours = backgroundColours(
        bg, background, infix,
        {tr("The background color of the item in First-Level menu"),
         tr("The background fade color of the item in First-Level menu"),
         tr("Specify whether item background be gradient filled by BG and Fade Color"),
         tr("Specify whether item background be transparentized")});
    page->addWidget(background);

    border = borderGroup(page, this, infix,
                         {{},
                          tr("The border width of item that in First-Level menu"),
                          tr("Specify the border style of item that in First-Level menu"),
                          tr("The border color of item that in First-Level menu")});
    page->addStretch(1);
    declareFields();
}

void MenuPage::declareFields()
{
    using namespace AppletField;
    for (const PageField &field : PageFields{{MnBgClr, colours.color},
                                             {MnBgFadeClr, colours.fade},
                                             {MnBgTransparent, colours.transparent},
                                             {MnBrdWidth, border.width},
                                             {MnBrdStyle, border.style},
                                             {MnBrdClr, border.color},
                                             {MnItemsAlign, mnItemsAlignList},
                                             {MnX, mnXSpin},
                                             {MnY, mnYSpin},
                                             {MnItemsWidth, mnItemsWidthSpin},
                                             {MnItemsHeight, mnItemsHeightSpin},
                                             {MnItemsGap, mnItemsGapSpin},
                                             {MnBgGradientFill, colours.gradient}})
        addField(field.position, field.control, field.form);
}

void ItemStatePage::declareFields()
{
    using namespace AppletField::StateOffset;
    const int s = block_;
    // The state's gradient flag follows the three blocks: 90, 91, 92.
    const int gradient = AppletField::ItNoBgGradientFill +
                         (s - AppletField::ItemNormalBlock) / AppletField::ItemStateBlockSize;
    for (const PageField &field :
         PageFields{{s + BgClr, colours.color},
                    {s + BgFadeClr, colours.fade},
                    {s + BgImgAlign, placement.align},
                    {s + BgImgX, placement.x},
                    {s + BgImgY, placement.y},
                    {s + BgTransparent, colours.transparent},
                    {s + TextClr, textClrPanel},
                    {s + BrdWidth, border.width},
                    {s + BrdStyle, border.style},
                    {s + BrdClr, border.color},
                    {s + FntName, captionFont.name},
                    {s + FntSize, captionFont.size, FieldForm::ByText},
                    {s + FntStyle, FontButtons{captionFont.bold, captionFont.italic}},
                    {s + TextOffset, textOffsetSpin},
                    {s + TextAlign, textAlignList},
                    {gradient, colours.gradient}})
        addField(field.position, field.control, field.form);
}
