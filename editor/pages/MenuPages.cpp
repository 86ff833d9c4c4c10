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
    spnedtMnX =
        spinEdit(general, "spnedtMnX", -9999, 9999, tr("X position of the First-Level menu"));
    spnedtMnY =
        spinEdit(general, "spnedtMnY", -9999, 9999, tr("Y position of the First-Level menu"));
    spnedtMnItemsWidth = spinEdit(general, "spnedtMnItemsWidth", 0, 9999,
                                  tr("The width of item that in First-Level menu"));
    spnedtMnItemsHeight = spinEdit(general, "spnedtMnItemsHeight", 0, 9999,
                                   tr("The height of item that in First-Level menu"));
    spnedtMnItemsGap = spinEdit(general, "spnedtMnItemsGap", -9999, 9999,
                                tr("The gap of item that in First-Level menu"));
    spnedtMnItemsAlign = list(general, "spnedtMnItemsAlign", ChoiceList::orientation(),
                              tr("Align the items that in First-Level menu"));
    QHBoxLayout *first = row(gen);
    pair(first, tr("Menu X"), spnedtMnX);
    pair(first, tr("Items Width"), spnedtMnItemsWidth);
    pair(first, tr("Items Gap"), spnedtMnItemsGap);
    first->addStretch(1);
    QHBoxLayout *second = row(gen);
    pair(second, tr("Menu Y"), spnedtMnY);
    pair(second, tr("Items Height"), spnedtMnItemsHeight);
    pair(second, tr("Items Align"), spnedtMnItemsAlign);
    second->addStretch(1);
    page->addWidget(general);

    QGroupBox *background = group(tr("Background"), this);
    QVBoxLayout *bg = rows(background);
    pnlMnBgClr =
        colorPanel(background, "pnlMnBgClr", tr("The background color of First-Level menu"));
    pnlMnBgFadeClr = colorPanel(background, "pnlMnBgFadeClr",
                                tr("The background fade color of First-Level menu"));
    chckbxMnBgGradientFill = checkBox(
        background, "chckbxMnBgGradientFill", tr("Gradient Fill"),
        tr("Specify whether First-Level menu background be gradient filled by BG and Fade Color"));
    chckbxMnBgTransparent =
        checkBox(background, "chckbxMnBgTransparent", tr("Transparent"),
                 tr("Specify whether First-Level menu background be transparentized"));
    QHBoxLayout *colors = row(bg);
    pair(colors, tr("BG Color"), pnlMnBgClr);
    pair(colors, tr("Fade Color"), pnlMnBgFadeClr);
    colors->addSpacing(10);
    colors->addWidget(chckbxMnBgGradientFill);
    colors->addWidget(chckbxMnBgTransparent);
    colors->addStretch(1);
    page->addWidget(background);

    QGroupBox *border = group(tr("Border"), this);
    QVBoxLayout *brd = rows(border);
    spnedtMnBrdWidth =
        spinEdit(border, "spnedtMnBrdWidth", 0, 9999, tr("The width of First-Level menu border"));
    cmbxMnBrdStyle = list(border, "cmbxMnBrdStyle", ChoiceList::borderStyle(),
                          tr("Specify the border style of the First-Level menu"));
    pnlMnBrdClr = colorPanel(border, "pnlMnBrdClr", tr("The color of First-Level menu border"));
    QHBoxLayout *line = row(brd);
    pair(line, tr("Width"), spnedtMnBrdWidth);
    pair(line, tr("Style"), cmbxMnBrdStyle);
    pair(line, tr("Color"), pnlMnBrdClr);
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
    cmbxFntName = list(text, name("cmbx", "FntName"), ChoiceList::fontName(),
                       tr("Specify the font name of item caption that in First-Level menu"));
    cmbxFntSize = list(text, name("cmbx", "FntSize"), ChoiceList::fontSize(),
                       tr("Specify the font size of item caption that in First-Level menu"));
    spdbtnFntBold = toggle(text, name("spdbtn", "FntBold"), "B",
                           tr("The font style of text will be bold when it be pressed down"));
    spdbtnFntItalic = toggle(text, name("spdbtn", "FntItalic"), "I",
                             tr("The font style of text will be italic when it be pressed down"));
    cmbxTextAlign = list(text, name("cmbx", "TextAlign"), ChoiceList::alignment(),
                         tr("Align the caption in item that in First-Level menu"));
    spnedtTextOffset = spinEdit(text, name("spnedt", "TextOffset"), -9999, 9999,
                                tr("The offset of text in item caption that in First-Level menu"));
    pnlTextClr = colorPanel(text, name("pnl", "TextClr"),
                            tr("The color of text in item caption that in First-Level menu"));
    QHBoxLayout *font = row(txt);
    pair(font, tr("Font Name"), cmbxFntName);
    pair(font, tr("Font Size"), cmbxFntSize);
    font->addSpacing(10);
    font->addWidget(spdbtnFntBold);
    font->addWidget(spdbtnFntItalic);
    font->addStretch(1);
    QHBoxLayout *caption = row(txt);
    pair(caption, tr("Align"), cmbxTextAlign);
    pair(caption, tr("Offset"), spnedtTextOffset);
    pair(caption, tr("Color"), pnlTextClr);
    caption->addStretch(1);
    page->addWidget(text);

    QGroupBox *background = group(tr("Background"), this);
    QVBoxLayout *bg = rows(background);
    spnedtBgImgX =
        spinEdit(background, name("spnedt", "BgImgX"), -9999, 9999,
                 tr("X position of the background image in item that in First-Level menu"));
    spnedtBgImgY =
        spinEdit(background, name("spnedt", "BgImgY"), -9999, 9999,
                 tr("Y position of the background image in item that in First-Level menu"));
    spnedtBgImgAlign = list(background, name("spnedt", "BgImgAlign"), ChoiceList::placement(),
                            tr("Align the background image in item that in First-Level menu"));
    pnlBgClr = colorPanel(background, name("pnl", "BgClr"),
                          tr("The background color of the item in First-Level menu"));
    pnlBgFadeClr = colorPanel(background, name("pnl", "BgFadeClr"),
                              tr("The background fade color of the item in First-Level menu"));
    chckbxBgGradientFill =
        checkBox(background, name("chckbx", "BgGradientFill"), tr("Gradient Fill"),
                 tr("Specify whether item background be gradient filled by BG and Fade Color"));
    chckbxBgTransparent = checkBox(background, name("chckbx", "BgTransparent"), tr("Transparent"),
                                   tr("Specify whether item background be transparentized"));
    QHBoxLayout *image = row(bg);
    pair(image, tr("Background Image X"), spnedtBgImgX);
    pair(image, tr("Y"), spnedtBgImgY);
    pair(image, tr("Align"), spnedtBgImgAlign);
    image->addStretch(1);
    QHBoxLayout *colors = row(bg);
    pair(colors, tr("BG Color"), pnlBgClr);
    pair(colors, tr("Fade Color"), pnlBgFadeClr);
    colors->addSpacing(10);
    colors->addWidget(chckbxBgGradientFill);
    colors->addWidget(chckbxBgTransparent);
    colors->addStretch(1);
    page->addWidget(background);

    QGroupBox *border = group(tr("Border"), this);
    QVBoxLayout *brd = rows(border);
    spnedtBrdWidth = spinEdit(border, name("spnedt", "BrdWidth"), 0, 9999,
                              tr("The border width of item that in First-Level menu"));
    cmbxBrdStyle = list(border, name("cmbx", "BrdStyle"), ChoiceList::borderStyle(),
                        tr("Specify the border style of item that in First-Level menu"));
    pnlBrdClr = colorPanel(border, name("pnl", "BrdClr"),
                           tr("The border color of item that in First-Level menu"));
    QHBoxLayout *line = row(brd);
    pair(line, tr("Width"), spnedtBrdWidth);
    pair(line, tr("Style"), cmbxBrdStyle);
    pair(line, tr("Color"), pnlBrdClr);
    line->addStretch(1);
    page->addWidget(border);
    page->addStretch(1);
    declareFields();
}

void MenuPage::declareFields()
{
    using namespace AppletField;
    for (const PageField &field : PageFields{{MnBgClr, pnlMnBgClr},
                                             {MnBgFadeClr, pnlMnBgFadeClr},
                                             {MnBgTransparent, chckbxMnBgTransparent},
                                             {MnBrdWidth, spnedtMnBrdWidth},
                                             {MnBrdStyle, cmbxMnBrdStyle},
                                             {MnBrdClr, pnlMnBrdClr},
                                             {MnItemsAlign, spnedtMnItemsAlign},
                                             {MnX, spnedtMnX},
                                             {MnY, spnedtMnY},
                                             {MnItemsWidth, spnedtMnItemsWidth},
                                             {MnItemsHeight, spnedtMnItemsHeight},
                                             {MnItemsGap, spnedtMnItemsGap},
                                             {MnBgGradientFill, chckbxMnBgGradientFill}})
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
         PageFields{{s + BgClr, pnlBgClr},
                    {s + BgFadeClr, pnlBgFadeClr},
                    {s + BgImgAlign, spnedtBgImgAlign},
                    {s + BgImgX, spnedtBgImgX},
                    {s + BgImgY, spnedtBgImgY},
                    {s + BgTransparent, chckbxBgTransparent},
                    {s + TextClr, pnlTextClr},
                    {s + BrdWidth, spnedtBrdWidth},
                    {s + BrdStyle, cmbxBrdStyle},
                    {s + BrdClr, pnlBrdClr},
                    {s + FntName, cmbxFntName},
                    {s + FntSize, cmbxFntSize, FieldForm::ByText},
                    {s + FntStyle, FontButtons{spdbtnFntBold, spdbtnFntItalic}},
                    {s + TextOffset, spnedtTextOffset},
                    {s + TextAlign, cmbxTextAlign},
                    {gradient, chckbxBgGradientFill}})
        addField(field.position, field.control, field.form);
}
