#include "MenuPages.h"

#include "document/AppletData.h"
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
    QHBoxLayout *first = row(gen);
    pair(first, tr("Menu X"), mnXSpin);
    pair(first, tr("Items Width"), mnItemsWidthSpin);
    pair(first, tr("Items Gap"), mnItemsGapSpin);
    first->addStretch(1);
    QHBoxLayout *second = row(gen);
    pair(second, tr("Menu Y"), mnYSpin);
    pair(second, tr("Items Height"), mnItemsHeightSpin);
    pair(second, tr("Items Align"), mnItemsAlignList);
    second->addStretch(1);
    page->addWidget(general);

    QGroupBox *background = group(tr("Background"), this);
    QVBoxLayout *bg = rows(background);
    mnBgClrPanel =
        colorPanel(background, "pnlMnBgClr", tr("The background color of First-Level menu"));
    mnBgFadeClrPanel = colorPanel(background, "pnlMnBgFadeClr",
                                  tr("The background fade color of First-Level menu"));
    mnBgGradientFillBox = checkBox(
        background, "chckbxMnBgGradientFill", tr("Gradient Fill"),
        tr("Specify whether First-Level menu background be gradient filled by BG and Fade Color"));
    mnBgTransparentBox =
        checkBox(background, "chckbxMnBgTransparent", tr("Transparent"),
                 tr("Specify whether First-Level menu background be transparentized"));
    QHBoxLayout *colors = row(bg);
    pair(colors, tr("BG Color"), mnBgClrPanel);
    pair(colors, tr("Fade Color"), mnBgFadeClrPanel);
    colors->addSpacing(10);
    colors->addWidget(mnBgGradientFillBox);
    colors->addWidget(mnBgTransparentBox);
    colors->addStretch(1);
    page->addWidget(background);

    QGroupBox *border = group(tr("Border"), this);
    QVBoxLayout *brd = rows(border);
    mnBrdWidthSpin =
        spinEdit(border, "spnedtMnBrdWidth", 0, 9999, tr("The width of First-Level menu border"));
    mnBrdStyleList = list(border, "cmbxMnBrdStyle", ChoiceList::borderStyle(),
                          tr("Specify the border style of the First-Level menu"));
    mnBrdClrPanel = colorPanel(border, "pnlMnBrdClr", tr("The color of First-Level menu border"));
    QHBoxLayout *line = row(brd);
    pair(line, tr("Width"), mnBrdWidthSpin);
    pair(line, tr("Style"), mnBrdStyleList);
    pair(line, tr("Color"), mnBrdClrPanel);
    line->addStretch(1);
    page->addWidget(border);
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
    fntNameList = list(text, name("cmbx", "FntName"), ChoiceList::fontName(),
                       tr("Specify the font name of item caption that in First-Level menu"));
    fntSizeList = list(text, name("cmbx", "FntSize"), ChoiceList::fontSize(),
                       tr("Specify the font size of item caption that in First-Level menu"));
    fntBoldButton = toggle(text, name("spdbtn", "FntBold"), "B",
                           tr("The font style of text will be bold when it be pressed down"));
    fntItalicButton = toggle(text, name("spdbtn", "FntItalic"), "I",
                             tr("The font style of text will be italic when it be pressed down"));
    textAlignList = list(text, name("cmbx", "TextAlign"), ChoiceList::alignment(),
                         tr("Align the caption in item that in First-Level menu"));
    textOffsetSpin = spinEdit(text, name("spnedt", "TextOffset"), -9999, 9999,
                              tr("The offset of text in item caption that in First-Level menu"));
    textClrPanel = colorPanel(text, name("pnl", "TextClr"),
                              tr("The color of text in item caption that in First-Level menu"));
    QHBoxLayout *font = row(txt);
    pair(font, tr("Font Name"), fntNameList);
    pair(font, tr("Font Size"), fntSizeList);
    font->addSpacing(10);
    font->addWidget(fntBoldButton);
    font->addWidget(fntItalicButton);
    font->addStretch(1);
    QHBoxLayout *caption = row(txt);
    pair(caption, tr("Align"), textAlignList);
    pair(caption, tr("Offset"), textOffsetSpin);
    pair(caption, tr("Color"), textClrPanel);
    caption->addStretch(1);
    page->addWidget(text);

    QGroupBox *background = group(tr("Background"), this);
    QVBoxLayout *bg = rows(background);
    bgImgXSpin =
        spinEdit(background, name("spnedt", "BgImgX"), -9999, 9999,
                 tr("X position of the background image in item that in First-Level menu"));
    bgImgYSpin =
        spinEdit(background, name("spnedt", "BgImgY"), -9999, 9999,
                 tr("Y position of the background image in item that in First-Level menu"));
    bgImgAlignList = list(background, name("spnedt", "BgImgAlign"), ChoiceList::placement(),
                          tr("Align the background image in item that in First-Level menu"));
    bgClrPanel = colorPanel(background, name("pnl", "BgClr"),
                            tr("The background color of the item in First-Level menu"));
    bgFadeClrPanel = colorPanel(background, name("pnl", "BgFadeClr"),
                                tr("The background fade color of the item in First-Level menu"));
    bgGradientFillBox =
        checkBox(background, name("chckbx", "BgGradientFill"), tr("Gradient Fill"),
                 tr("Specify whether item background be gradient filled by BG and Fade Color"));
    bgTransparentBox = checkBox(background, name("chckbx", "BgTransparent"), tr("Transparent"),
                                tr("Specify whether item background be transparentized"));
    QHBoxLayout *image = row(bg);
    pair(image, tr("Background Image X"), bgImgXSpin);
    pair(image, tr("Y"), bgImgYSpin);
    pair(image, tr("Align"), bgImgAlignList);
    image->addStretch(1);
    QHBoxLayout *colors = row(bg);
    pair(colors, tr("BG Color"), bgClrPanel);
    pair(colors, tr("Fade Color"), bgFadeClrPanel);
    colors->addSpacing(10);
    colors->addWidget(bgGradientFillBox);
    colors->addWidget(bgTransparentBox);
    colors->addStretch(1);
    page->addWidget(background);

    QGroupBox *border = group(tr("Border"), this);
    QVBoxLayout *brd = rows(border);
    brdWidthSpin = spinEdit(border, name("spnedt", "BrdWidth"), 0, 9999,
                            tr("The border width of item that in First-Level menu"));
    brdStyleList = list(border, name("cmbx", "BrdStyle"), ChoiceList::borderStyle(),
                        tr("Specify the border style of item that in First-Level menu"));
    brdClrPanel = colorPanel(border, name("pnl", "BrdClr"),
                             tr("The border color of item that in First-Level menu"));
    QHBoxLayout *line = row(brd);
    pair(line, tr("Width"), brdWidthSpin);
    pair(line, tr("Style"), brdStyleList);
    pair(line, tr("Color"), brdClrPanel);
    line->addStretch(1);
    page->addWidget(border);
    page->addStretch(1);
    declareFields();
}

void MenuPage::declareFields()
{
    using namespace AppletField;
    for (const PageField &field : PageFields{{MnBgClr, mnBgClrPanel},
                                             {MnBgFadeClr, mnBgFadeClrPanel},
                                             {MnBgTransparent, mnBgTransparentBox},
                                             {MnBrdWidth, mnBrdWidthSpin},
                                             {MnBrdStyle, mnBrdStyleList},
                                             {MnBrdClr, mnBrdClrPanel},
                                             {MnItemsAlign, mnItemsAlignList},
                                             {MnX, mnXSpin},
                                             {MnY, mnYSpin},
                                             {MnItemsWidth, mnItemsWidthSpin},
                                             {MnItemsHeight, mnItemsHeightSpin},
                                             {MnItemsGap, mnItemsGapSpin},
                                             {MnBgGradientFill, mnBgGradientFillBox}})
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
         PageFields{{s + BgClr, bgClrPanel},
                    {s + BgFadeClr, bgFadeClrPanel},
                    {s + BgImgAlign, bgImgAlignList},
                    {s + BgImgX, bgImgXSpin},
                    {s + BgImgY, bgImgYSpin},
                    {s + BgTransparent, bgTransparentBox},
                    {s + TextClr, textClrPanel},
                    {s + BrdWidth, brdWidthSpin},
                    {s + BrdStyle, brdStyleList},
                    {s + BrdClr, brdClrPanel},
                    {s + FntName, fntNameList},
                    {s + FntSize, fntSizeList, FieldForm::ByText},
                    {s + FntStyle, FontButtons{fntBoldButton, fntItalicButton}},
                    {s + TextOffset, textOffsetSpin},
                    {s + TextAlign, textAlignList},
                    {gradient, bgGradientFillBox}})
        addField(field.position, field.control, field.form);
}
