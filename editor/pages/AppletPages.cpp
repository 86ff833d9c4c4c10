#include "AppletPages.h"

#include "document/AppletData.h"
#include "editor/pages/PageKit.h"
#include "editor/widgets/ColorPanel.h"
#include "editor/widgets/SpinEdit.h"
#include "editor/widgets/TextEdit.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QToolButton>
#include <QVBoxLayout>

using namespace PageKit;

AppletSettingsPage::AppletSettingsPage(QWidget *parent) : FieldPage(parent)
{
    auto *page = new QVBoxLayout(this);

    QGroupBox *dimensions = group(tr("Applet Dimensions"), this);
    QVBoxLayout *dims = rows(dimensions);
    textLine(dims, tr("You can specify the width and height of the applet here."));
    spnedtApWidth =
        spinEdit(dimensions, "spnedtApWidth", 0, 9999, tr("Specify applet width in pixel"));
    spnedtApHeight =
        spinEdit(dimensions, "spnedtApHeight", 0, 9999, tr("Specify applet height in pixel"));
    QHBoxLayout *size = row(dims);
    pair(size, tr("Width"), spnedtApWidth);
    pair(size, tr("Height"), spnedtApHeight);
    size->addStretch(1);
    page->addWidget(dimensions);

    QGroupBox *background = group(tr("Applet Background"), this);
    QVBoxLayout *bg = rows(background);
    edtApBgImg = edit(background, "edtApBgImg", tr("Specify applet background image"));
    spdbtnApBgImg = picker(background, "spdbtnApBgImg",
                           tr("Click here to select the applet background image file"));
    QHBoxLayout *image = row(bg);
    pair(image, tr("Background Image"), edtApBgImg, true);
    image->addWidget(spdbtnApBgImg);

    spnedtApBgImgX = spinEdit(background, "spnedtApBgImgX", -9999, 9999,
                              tr("X position of the background image in applet"));
    spnedtApBgImgY = spinEdit(background, "spnedtApBgImgY", -9999, 9999,
                              tr("Y position of the background image in applet"));
    cmbxApBgImgAlign = list(background, "cmbxApBgImgAlign", ChoiceList::placement(),
                            tr("Align the background image in applet"));
    QHBoxLayout *position = row(bg);
    pair(position, tr("X"), spnedtApBgImgX);
    pair(position, tr("Y"), spnedtApBgImgY);
    pair(position, tr("Alignment"), cmbxApBgImgAlign);
    position->addStretch(1);

    pnlApBgClr = colorPanel(background, "pnlApBgClr", tr("Background color of the applet"));
    pnlApBgFadeClr =
        colorPanel(background, "pnlApBgFadeClr", tr("Background fade color of the applet"));
    chbxApBgGradientFill =
        checkBox(background, "chbxApBgGradientFill", tr("Gradient Fill"),
                 tr("Specify whether applet background be gradient filled by BG and Fade Color"));
    QHBoxLayout *colors = row(bg);
    pair(colors, tr("BG Color"), pnlApBgClr);
    pair(colors, tr("Fade Color"), pnlApBgFadeClr);
    colors->addSpacing(10);
    colors->addWidget(chbxApBgGradientFill);
    colors->addStretch(1);
    page->addWidget(background);
    page->addStretch(1);
    declareFields();
}

MoreAppletSettingsPage::MoreAppletSettingsPage(QWidget *parent) : FieldPage(parent)
{
    auto *page = new QVBoxLayout(this);

    QGroupBox *border = group(tr("Border"), this);
    QVBoxLayout *brd = rows(border);
    textLine(brd, tr("Specify the width, style and color of the applet border here."));
    spnedtApBrdWidth =
        spinEdit(border, "spnedtApBrdWidth", 0, 9999, tr("Specify width of applet border here"));
    cmbxApBrdStyle = list(border, "cmbxApBrdStyle", ChoiceList::borderStyle(),
                          tr("Specify the border style of the applet"));
    pnlApBrdClr = colorPanel(border, "pnlApBrdClr", tr("Specify color of applet border here"));
    QHBoxLayout *line = row(brd);
    pair(line, tr("Width"), spnedtApBrdWidth);
    pair(line, tr("Style"), cmbxApBrdStyle);
    pair(line, tr("Color"), pnlApBrdClr);
    line->addStretch(1);
    page->addWidget(border);

    QGroupBox *loading = group(tr("Loading Message"), this);
    QVBoxLayout *msg = rows(loading);
    textLine(msg, tr("Specify the message, message color and applet color, these properties"));
    textLine(msg, tr("will be used when applet loading."));
    edtApLoadingMsg =
        edit(loading, "edtApLoadingMsg", tr("This message will be displayed when applet loading"));
    QHBoxLayout *text = row(msg);
    pair(text, tr("Message"), edtApLoadingMsg, true);
    pnlApLoadingBgClr = colorPanel(loading, "pnlApLoadingBgClr",
                                   tr("Specify the background color of applet when it is loading"));
    pnlApLoadingMsgClr =
        colorPanel(loading, "pnlApLoadingMsgClr", tr("The color of message when applet loading"));
    QHBoxLayout *colors = row(msg);
    pair(colors, tr("Background Color"), pnlApLoadingBgClr);
    pair(colors, tr("Message Color"), pnlApLoadingMsgClr);
    colors->addStretch(1);
    page->addWidget(loading);
    page->addStretch(1);
    declareFields();
}

PopupMenuPage::PopupMenuPage(QWidget *parent) : FieldPage(parent)
{
    auto *page = new QVBoxLayout(this);
    QGroupBox *text = group(tr("Text"), this);
    QVBoxLayout *txt = rows(text);
    cmbxPopupFntName = list(text, "cmbxPopupFntName", ChoiceList::fontName(),
                            tr("Specify the font name of caption in item that in POP-UP menu"));
    cmbxPopupFntSize = list(text, "cmbxPopupFntSize", ChoiceList::fontSize(),
                            tr("Specify the font size of caption in item that in POP-UP menu"));
    spdbtnPopupFntBold = toggle(
        text, "spdbtnPopupFntBold", "B",
        tr("The font style of text that in popup menu will be bold when it be pressed down"));
    spdbtnPopupFntItalic = toggle(
        text, "spdbtnPopupFntItalic", "I",
        tr("The font style of text that in popup menu will be italic when it be pressed down"));
    QHBoxLayout *font = row(txt);
    pair(font, tr("Font Name"), cmbxPopupFntName);
    pair(font, tr("Font Size"), cmbxPopupFntSize);
    font->addSpacing(10);
    font->addWidget(spdbtnPopupFntBold);
    font->addWidget(spdbtnPopupFntItalic);
    font->addStretch(1);
    page->addWidget(text);
    page->addStretch(1);
    declareFields();
}

void AppletSettingsPage::declareFields()
{
    using namespace AppletField;
    for (const PageField &field : PageFields{{ApBgClr, pnlApBgClr},
                                             {ApBgImg, edtApBgImg},
                                             {ApBgImgAlign, cmbxApBgImgAlign},
                                             {ApBgImgX, spnedtApBgImgX},
                                             {ApBgImgY, spnedtApBgImgY},
                                             {ApBgFadeClr, pnlApBgFadeClr},
                                             {ApWidth, spnedtApWidth},
                                             {ApHeight, spnedtApHeight},
                                             {ApBgGradientFill, chbxApBgGradientFill}})
        addField(field.position, field.control, field.form);
}

void MoreAppletSettingsPage::declareFields()
{
    using namespace AppletField;
    for (const PageField &field : PageFields{{ApLoadingMsg, edtApLoadingMsg},
                                             {ApLoadingMsgClr, pnlApLoadingMsgClr},
                                             {ApLoadingBgClr, pnlApLoadingBgClr},
                                             {ApBrdWidth, spnedtApBrdWidth},
                                             {ApBrdStyle, cmbxApBrdStyle},
                                             {ApBrdClr, pnlApBrdClr}})
        addField(field.position, field.control, field.form);
}

void PopupMenuPage::declareFields()
{
    using namespace AppletField;
    for (const PageField &field :
         PageFields{{PopupFntName, cmbxPopupFntName},
                    {PopupFntSize, cmbxPopupFntSize, FieldForm::ByText},
                    {PopupFntStyle, FontButtons{spdbtnPopupFntBold, spdbtnPopupFntItalic}}})
        addField(field.position, field.control, field.form);
}
