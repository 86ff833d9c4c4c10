#include "AppletPages.h"

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
    labelledRow(dims, {{tr("Width"), apWidthSpin}, {tr("Height"), apHeightSpin}});
    page->addWidget(dimensions);

    QGroupBox *background = group(tr("Applet Background"), this);
    QVBoxLayout *bg = rows(background);
    apBgImgEdit = edit(background, "edtApBgImg", tr("Specify applet background image"));
    apBgImgButton = picker(background, "spdbtnApBgImg",
                           tr("Click here to select the applet background image file"));
    QHBoxLayout *image = row(bg);
    pair(image, tr("Background Image"), apBgImgEdit, true);
    image->addWidget(apBgImgButton);

    placement = imagePlacement(bg, background, "Ap",
                               {tr("X"), tr("Alignment"),
                                tr("X position of the background image in applet"),
                                tr("Y position of the background image in applet"),
                                tr("Align the background image in applet")},
                               "cmbx");

    colours = backgroundColours(
        bg, background, "Ap",
        {tr("Background color of the applet"),
         tr("Background fade color of the applet"),
         tr("Specify whether applet background be gradient filled by BG and Fade Color"),
         {}},
        "chbx");
    page->addWidget(background);
    page->addStretch(1);
    declareFields();
}

MoreAppletSettingsPage::MoreAppletSettingsPage(QWidget *parent) : FieldPage(parent)
{
    auto *page = new QVBoxLayout(this);

    border = borderGroup(page, this, "Ap",
                         {tr("Specify the width, style and color of the applet border here."),
                          tr("Specify width of applet border here"),
                          tr("Specify the border style of the applet"),
                          tr("Specify color of applet border here")});

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
    labelledRow(msg, {{tr("Background Color"), apLoadingBgClrPanel},
                      {tr("Message Color"), apLoadingMsgClrPanel}});
    page->addWidget(loading);
    page->addStretch(1);
    declareFields();
}

PopupMenuPage::PopupMenuPage(QWidget *parent) : FieldPage(parent)
{
    auto *page = new QVBoxLayout(this);
    QGroupBox *text = group(tr("Text"), this);
    QVBoxLayout *txt = rows(text);
    captionFont = fontRow(
        txt, text, "Popup",
        {tr("Specify the font name of caption in item that in POP-UP menu"),
         tr("Specify the font size of caption in item that in POP-UP menu"),
         tr("The font style of text that in popup menu will be bold when it be pressed down"),
         tr("The font style of text that in popup menu will be italic when it be pressed down")});
    page->addWidget(text);
    page->addStretch(1);
    declareFields();
}

void AppletSettingsPage::declareFields()
{
    using namespace AppletField;
    for (const PageField &field : PageFields{{ApBgClr, colours.color},
                                             {ApBgImg, apBgImgEdit},
                                             {ApBgImgAlign, placement.align},
                                             {ApBgImgX, placement.x},
                                             {ApBgImgY, placement.y},
                                             {ApBgFadeClr, colours.fade},
                                             {ApWidth, apWidthSpin},
                                             {ApHeight, apHeightSpin},
                                             {ApBgGradientFill, colours.gradient}})
        addField(field.position, field.control, field.form);
}

void MoreAppletSettingsPage::declareFields()
{
    using namespace AppletField;
    for (const PageField &field : PageFields{{ApLoadingMsg, apLoadingMsgEdit},
                                             {ApLoadingMsgClr, apLoadingMsgClrPanel},
                                             {ApLoadingBgClr, apLoadingBgClrPanel},
                                             {ApBrdWidth, border.width},
                                             {ApBrdStyle, border.style},
                                             {ApBrdClr, border.color}})
        addField(field.position, field.control, field.form);
}

void PopupMenuPage::declareFields()
{
    using namespace AppletField;
    for (const PageField &field :
         PageFields{{PopupFntName, captionFont.name},
                    {PopupFntSize, captionFont.size, FieldForm::ByText},
                    {PopupFntStyle, FontButtons{captionFont.bold, captionFont.italic}}})
        addField(field.position, field.control, field.form);
}
