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
    apWidthSpin =
        spinEdit(dimensions, "spnedtApWidth", 0, 9999, tr("Specify applet width in pixel"));
    apHeightSpin =
        spinEdit(dimensions, "spnedtApHeight", 0, 9999, tr("Specify applet height in pixel"));
    QHBoxLayout *size = row(dims);
    pair(size, tr("Width"), apWidthSpin);
    pair(size, tr("Height"), apHeightSpin);
    size->addStretch(1);
    page->addWidget(dimensions);

    QGroupBox *background = group(tr("Applet Background"), this);
    QVBoxLayout *bg = rows(background);
    apBgImgEdit = edit(background, "edtApBgImg", tr("Specify applet background image"));
    apBgImgButton = picker(background, "spdbtnApBgImg",
                           tr("Click here to select the applet background image file"));
    QHBoxLayout *image = row(bg);
    pair(image, tr("Background Image"), apBgImgEdit, true);
    image->addWidget(apBgImgButton);

    apBgImgXSpin = spinEdit(background, "spnedtApBgImgX", -9999, 9999,
                            tr("X position of the background image in applet"));
    apBgImgYSpin = spinEdit(background, "spnedtApBgImgY", -9999, 9999,
                            tr("Y position of the background image in applet"));
    apBgImgAlignList = list(background, "cmbxApBgImgAlign", ChoiceList::placement(),
                            tr("Align the background image in applet"));
    QHBoxLayout *position = row(bg);
    pair(position, tr("X"), apBgImgXSpin);
    pair(position, tr("Y"), apBgImgYSpin);
    pair(position, tr("Alignment"), apBgImgAlignList);
    position->addStretch(1);

    apBgClrPanel = colorPanel(background, "pnlApBgClr", tr("Background color of the applet"));
    apBgFadeClrPanel =
        colorPanel(background, "pnlApBgFadeClr", tr("Background fade color of the applet"));
    apBgGradientFillBox =
        checkBox(background, "chbxApBgGradientFill", tr("Gradient Fill"),
                 tr("Specify whether applet background be gradient filled by BG and Fade Color"));
    QHBoxLayout *colors = row(bg);
    pair(colors, tr("BG Color"), apBgClrPanel);
    pair(colors, tr("Fade Color"), apBgFadeClrPanel);
    colors->addSpacing(10);
    colors->addWidget(apBgGradientFillBox);
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
    apBrdWidthSpin =
        spinEdit(border, "spnedtApBrdWidth", 0, 9999, tr("Specify width of applet border here"));
    apBrdStyleList = list(border, "cmbxApBrdStyle", ChoiceList::borderStyle(),
                          tr("Specify the border style of the applet"));
    apBrdClrPanel = colorPanel(border, "pnlApBrdClr", tr("Specify color of applet border here"));
    QHBoxLayout *line = row(brd);
    pair(line, tr("Width"), apBrdWidthSpin);
    pair(line, tr("Style"), apBrdStyleList);
    pair(line, tr("Color"), apBrdClrPanel);
    line->addStretch(1);
    page->addWidget(border);

    QGroupBox *loading = group(tr("Loading Message"), this);
    QVBoxLayout *msg = rows(loading);
    textLine(msg, tr("Specify the message, message color and applet color, these properties"));
    textLine(msg, tr("will be used when applet loading."));
    apLoadingMsgEdit =
        edit(loading, "edtApLoadingMsg", tr("This message will be displayed when applet loading"));
    QHBoxLayout *text = row(msg);
    pair(text, tr("Message"), apLoadingMsgEdit, true);
    apLoadingBgClrPanel =
        colorPanel(loading, "pnlApLoadingBgClr",
                   tr("Specify the background color of applet when it is loading"));
    apLoadingMsgClrPanel =
        colorPanel(loading, "pnlApLoadingMsgClr", tr("The color of message when applet loading"));
    QHBoxLayout *colors = row(msg);
    pair(colors, tr("Background Color"), apLoadingBgClrPanel);
    pair(colors, tr("Message Color"), apLoadingMsgClrPanel);
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
    popupFntNameList = list(text, "cmbxPopupFntName", ChoiceList::fontName(),
                            tr("Specify the font name of caption in item that in POP-UP menu"));
    popupFntSizeList = list(text, "cmbxPopupFntSize", ChoiceList::fontSize(),
                            tr("Specify the font size of caption in item that in POP-UP menu"));
    popupFntBoldButton = toggle(
        text, "spdbtnPopupFntBold", "B",
        tr("The font style of text that in popup menu will be bold when it be pressed down"));
    popupFntItalicButton = toggle(
        text, "spdbtnPopupFntItalic", "I",
        tr("The font style of text that in popup menu will be italic when it be pressed down"));
    QHBoxLayout *font = row(txt);
    pair(font, tr("Font Name"), popupFntNameList);
    pair(font, tr("Font Size"), popupFntSizeList);
    font->addSpacing(10);
    font->addWidget(popupFntBoldButton);
    font->addWidget(popupFntItalicButton);
    font->addStretch(1);
    page->addWidget(text);
    page->addStretch(1);
    declareFields();
}

void AppletSettingsPage::declareFields()
{
    using namespace AppletField;
    for (const PageField &field : PageFields{{ApBgClr, apBgClrPanel},
                                             {ApBgImg, apBgImgEdit},
                                             {ApBgImgAlign, apBgImgAlignList},
                                             {ApBgImgX, apBgImgXSpin},
                                             {ApBgImgY, apBgImgYSpin},
                                             {ApBgFadeClr, apBgFadeClrPanel},
                                             {ApWidth, apWidthSpin},
                                             {ApHeight, apHeightSpin},
                                             {ApBgGradientFill, apBgGradientFillBox}})
        addField(field.position, field.control, field.form);
}

void MoreAppletSettingsPage::declareFields()
{
    using namespace AppletField;
    for (const PageField &field : PageFields{{ApLoadingMsg, apLoadingMsgEdit},
                                             {ApLoadingMsgClr, apLoadingMsgClrPanel},
                                             {ApLoadingBgClr, apLoadingBgClrPanel},
                                             {ApBrdWidth, apBrdWidthSpin},
                                             {ApBrdStyle, apBrdStyleList},
                                             {ApBrdClr, apBrdClrPanel}})
        addField(field.position, field.control, field.form);
}

void PopupMenuPage::declareFields()
{
    using namespace AppletField;
    for (const PageField &field :
         PageFields{{PopupFntName, popupFntNameList},
                    {PopupFntSize, popupFntSizeList, FieldForm::ByText},
                    {PopupFntStyle, FontButtons{popupFntBoldButton, popupFntItalicButton}}})
        addField(field.position, field.control, field.form);
}
