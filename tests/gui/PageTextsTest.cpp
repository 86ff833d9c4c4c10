// Every hint, label and caption of the property pages, read from the widgets, against the
// texts the pages are meant to carry; and no label takes an access key from the menus.

#include "editor/pages/ItemPages.h"
#include "platform/Help.h"
#include "tests/gui/GuiSupport.h"

#include <QAbstractButton>
#include <QGroupBox>
#include <QKeySequence>
#include <QLabel>
#include <QRegularExpression>

namespace {
struct PageText
{
    const char *control;
    const char *label;   // the label beside it, if any
    const char *caption; // its own caption (check boxes, buttons), if any
    const char *hint;
};

const PageText Texts[] = {
    {"spnedtApWidth", "Width", "", "Specify applet width in pixel"},
    {"spnedtApHeight", "Height", "", "Specify applet height in pixel"},
    {"edtApBgImg", "Background Image", "", "Specify applet background image"},
    {"spdbtnApBgImg", "", "", "Click here to select the applet background image file"},
    {"spnedtApBgImgX", "X", "", "X position of the background image in applet"},
    {"spnedtApBgImgY", "Y", "", "Y position of the background image in applet"},
    {"cmbxApBgImgAlign", "Alignment", "", "Align the background image in applet"},
    {"pnlApBgClr", "BG Color", "", "Background color of the applet"},
    {"pnlApBgFadeClr", "Fade Color", "", "Background fade color of the applet"},
    {"chbxApBgGradientFill", "", "Gradient Fill",
     "Specify whether applet background be gradient filled by BG and Fade Color"},
    {"spnedtApBrdWidth", "Width", "", "Specify width of applet border here"},
    {"cmbxApBrdStyle", "Style", "", "Specify the border style of the applet"},
    {"pnlApBrdClr", "Color", "", "Specify color of applet border here"},
    {"edtApLoadingMsg", "Message", "", "This message will be displayed when applet loading"},
    {"pnlApLoadingBgClr", "Background Color", "",
     "Specify the background color of applet when it is loading"},
    {"pnlApLoadingMsgClr", "Message Color", "", "The color of message when applet loading"},
    {"spnedtMnX", "Menu X", "", "X position of the First-Level menu"},
    {"spnedtMnY", "Menu Y", "", "Y position of the First-Level menu"},
    {"spnedtMnItemsWidth", "Items Width", "", "The width of item that in First-Level menu"},
    {"spnedtMnItemsHeight", "Items Height", "", "The height of item that in First-Level menu"},
    {"spnedtMnItemsGap", "Items Gap", "", "The gap of item that in First-Level menu"},
    {"spnedtMnItemsAlign", "Items Align", "", "Align the items that in First-Level menu"},
    {"pnlMnBgClr", "BG Color", "", "The background color of First-Level menu"},
    {"pnlMnBgFadeClr", "Fade Color", "", "The background fade color of First-Level menu"},
    {"chckbxMnBgGradientFill", "", "Gradient Fill",
     "Specify whether First-Level menu background be gradient filled by BG and Fade Color"},
    {"chckbxMnBgTransparent", "", "Transparent",
     "Specify whether First-Level menu background be transparentized"},
    {"spnedtMnBrdWidth", "Width", "", "The width of First-Level menu border"},
    {"cmbxMnBrdStyle", "Style", "", "Specify the border style of the First-Level menu"},
    {"pnlMnBrdClr", "Color", "", "The color of First-Level menu border"},
    {"cmbxItNoFntName", "Font Name", "",
     "Specify the font name of item caption that in First-Level menu"},
    {"cmbxItOvFntName", "Font Name", "",
     "Specify the font name of item caption that in First-Level menu"},
    {"cmbxItClFntName", "Font Name", "",
     "Specify the font name of item caption that in First-Level menu"},
    {"cmbxItNoFntSize", "Font Size", "",
     "Specify the font size of item caption that in First-Level menu"},
    {"cmbxItOvFntSize", "Font Size", "",
     "Specify the font size of item caption that in First-Level menu"},
    {"cmbxItClFntSize", "Font Size", "",
     "Specify the font size of item caption that in First-Level menu"},
    {"spdbtnItNoFntBold", "", "", "The font style of text will be bold when it be pressed down"},
    {"spdbtnItOvFntBold", "", "", "The font style of text will be bold when it be pressed down"},
    {"spdbtnItClFntBold", "", "", "The font style of text will be bold when it be pressed down"},
    {"spdbtnItNoFntItalic", "", "",
     "The font style of text will be italic when it be pressed down"},
    {"spdbtnItOvFntItalic", "", "",
     "The font style of text will be italic when it be pressed down"},
    {"spdbtnItClFntItalic", "", "",
     "The font style of text will be italic when it be pressed down"},
    {"cmbxItNoTextAlign", "Align", "", "Align the caption in item that in First-Level menu"},
    {"cmbxItOvTextAlign", "Align", "", "Align the caption in item that in First-Level menu"},
    {"cmbxItClTextAlign", "Align", "", "Align the caption in item that in First-Level menu"},
    {"spnedtItNoTextOffset", "Offset", "",
     "The offset of text in item caption that in First-Level menu"},
    {"spnedtItOvTextOffset", "Offset", "",
     "The offset of text in item caption that in First-Level menu"},
    {"spnedtItClTextOffset", "Offset", "",
     "The offset of text in item caption that in First-Level menu"},
    {"pnlItNoTextClr", "Color", "", "The color of text in item caption that in First-Level menu"},
    {"pnlItOvTextClr", "Color", "", "The color of text in item caption that in First-Level menu"},
    {"pnlItClTextClr", "Color", "", "The color of text in item caption that in First-Level menu"},
    {"spnedtItNoBgImgX", "Background Image X", "",
     "X position of the background image in item that in First-Level menu"},
    {"spnedtItOvBgImgX", "Background Image X", "",
     "X position of the background image in item that in First-Level menu"},
    {"spnedtItClBgImgX", "Background Image X", "",
     "X position of the background image in item that in First-Level menu"},
    {"spnedtItNoBgImgY", "Y", "",
     "Y position of the background image in item that in First-Level menu"},
    {"spnedtItOvBgImgY", "Y", "",
     "Y position of the background image in item that in First-Level menu"},
    {"spnedtItClBgImgY", "Y", "",
     "Y position of the background image in item that in First-Level menu"},
    {"spnedtItNoBgImgAlign", "Align", "",
     "Align the background image in item that in First-Level menu"},
    {"spnedtItOvBgImgAlign", "Align", "",
     "Align the background image in item that in First-Level menu"},
    {"spnedtItClBgImgAlign", "Align", "",
     "Align the background image in item that in First-Level menu"},
    {"pnlItNoBgClr", "BG Color", "", "The background color of the item in First-Level menu"},
    {"pnlItOvBgClr", "BG Color", "", "The background color of the item in First-Level menu"},
    {"pnlItClBgClr", "BG Color", "", "The background color of the item in First-Level menu"},
    {"pnlItNoBgFadeClr", "Fade Color", "",
     "The background fade color of the item in First-Level menu"},
    {"pnlItOvBgFadeClr", "Fade Color", "",
     "The background fade color of the item in First-Level menu"},
    {"pnlItClBgFadeClr", "Fade Color", "",
     "The background fade color of the item in First-Level menu"},
    {"chckbxItNoBgGradientFill", "", "Gradient Fill",
     "Specify whether item background be gradient filled by BG and Fade Color"},
    {"chckbxItOvBgGradientFill", "", "Gradient Fill",
     "Specify whether item background be gradient filled by BG and Fade Color"},
    {"chckbxItClBgGradientFill", "", "Gradient Fill",
     "Specify whether item background be gradient filled by BG and Fade Color"},
    {"chckbxItNoBgTransparent", "", "Transparent",
     "Specify whether item background be transparentized"},
    {"chckbxItOvBgTransparent", "", "Transparent",
     "Specify whether item background be transparentized"},
    {"chckbxItClBgTransparent", "", "Transparent",
     "Specify whether item background be transparentized"},
    {"spnedtItNoBrdWidth", "Width", "", "The border width of item that in First-Level menu"},
    {"spnedtItOvBrdWidth", "Width", "", "The border width of item that in First-Level menu"},
    {"spnedtItClBrdWidth", "Width", "", "The border width of item that in First-Level menu"},
    {"cmbxItNoBrdStyle", "Style", "", "Specify the border style of item that in First-Level menu"},
    {"cmbxItOvBrdStyle", "Style", "", "Specify the border style of item that in First-Level menu"},
    {"cmbxItClBrdStyle", "Style", "", "Specify the border style of item that in First-Level menu"},
    {"pnlItNoBrdClr", "Color", "", "The border color of item that in First-Level menu"},
    {"pnlItOvBrdClr", "Color", "", "The border color of item that in First-Level menu"},
    {"pnlItClBrdClr", "Color", "", "The border color of item that in First-Level menu"},
    {"cmbxPopupFntName", "Font Name", "",
     "Specify the font name of caption in item that in POP-UP menu"},
    {"cmbxPopupFntSize", "Font Size", "",
     "Specify the font size of caption in item that in POP-UP menu"},
    {"spdbtnPopupFntBold", "", "",
     "The font style of text that in popup menu will be bold when it be pressed down"},
    {"spdbtnPopupFntItalic", "", "",
     "The font style of text that in popup menu will be italic when it be pressed down"},
    {"edtItemCaption", "", "", "Specify the caption of item here"},
    {"btnSeparator", "", "Make this item as a separator",
     "Click it to make this item as a separator"},
    {"edtItemURL", "URL", "",
     "When the item be clicked, the web browser will load the URL specify here."},
    {"cmbxItemTarget", "Target", "", "Target of the document (page), use with URL"},
    {"edtItemStatusBarText", "", "",
     "When mouse over the item, the web browser will display the text specify here."},
    {"spnedtItemMenuOffsetX", "X", "", "X position of the POPUP MENU"},
    {"spnedtItemMenuOffsetY", "Y", "", "Y position of the POPUP MENU"},
    {"edtItemNoBgImg", "Normal", "",
     "Specify background image of item that in First-Level menu in normal status"},
    {"spdbtnItNoIcon", "", "",
     "Click here to select the background image of item that in First-Level menu in normal status"},
    {"edtItemOvBgImg", "Mouse Over", "",
     "Specify background image of item that in First-Level menu in mouse over status"},
    {"spdbtnItOvIcon", "", "",
     "Click here to select the background image of item that in First-Level menu in mouse over "
     "status"},
    {"edtItemClBgImg", "Clicked", "",
     "Specify background image of item that in First-Level menu in clicked status"},
    {"spdbtnItClIcon", "", "",
     "Click here to select the background image of item that in First-Level menu in clicked "
     "status"},
    {"edtItemOvBgSnd", "Mouse Over", "",
     "Specify background sound of item that in First-Level menu in mouse over status"},
    {"spdbtnItOvSnd", "", "",
     "Click here to select the background sound of item that in First-Level menu in mouse over "
     "status"},
    {"edtItemClBgSnd", "Mouse Clicked", "",
     "Specify background sound of item that in First-Level menu in mouse clicked status"},
    {"spdbtnItClSnd", "", "",
     "Click here to select the background sound of item that in First-Level menu in clicked "
     "status"},
};
} // namespace

TEST(PageTexts, HintsLabelsAndCaptionsAreExact)
{
    WindowFixture f;
    for (const PageText &t : Texts) {
        SCOPED_TRACE(t.control);
        auto *control = f.find<QWidget>(QLatin1String(t.control));
        ASSERT_TRUE(control);
        EXPECT_EQ(control->toolTip().toStdString(), t.hint);
        if (*t.caption) {
            EXPECT_EQ(qobject_cast<QAbstractButton *>(control)->text().toStdString(), t.caption);
        }
        if (*t.label) {
            QString beside;
            for (QLabel *label : f.w().findChildren<QLabel *>()) {
                if (label->buddy() == control)
                    beside = label->text();
            }
            EXPECT_EQ(beside.toStdString(), t.label);
        }
    }
    EXPECT_EQ(part<FirstLevelItemOptionsPage>(f.w(), "TabSheet2")->backgroundImageGroup->toolTip(),
              QLatin1String("Specify the background image of item that in First-Level menu in "
                            "normal status"));
}

TEST(PageTexts, NoPageTakesAnAccessKey)
{
    WindowFixture f;
    for (QWidget *page : f.w().findChildren<QTabWidget *>()) {
        for (QLabel *label : page->findChildren<QLabel *>())
            EXPECT_TRUE(QKeySequence::mnemonic(label->text()).isEmpty())
                << label->text().toStdString();
        for (QAbstractButton *button : page->findChildren<QAbstractButton *>())
            EXPECT_TRUE(QKeySequence::mnemonic(button->text()).isEmpty())
                << button->text().toStdString();
    }
}

// Every help context has its page; every page's links and pictures are files of the manual,
// so it reads in a browser without a network.
TEST(PageTexts, TheHelpManualIsCompleteAndSelfContained)
{
    const QDir help(QCoreApplication::applicationDirPath() + "/../bin/help");
    for (const char *topic : HelpTopic::All)
        EXPECT_TRUE(help.exists(QLatin1String(topic))) << topic;
    const QStringList pages = help.entryList({"*.html"});
    EXPECT_GE(pages.size(), 14);
    const QRegularExpression reference(QStringLiteral("(href|src)=\"([^\"#]*)"));
    for (const QString &page : pages) {
        QFile file(help.filePath(page));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        const QString text = QString::fromUtf8(file.readAll());
        for (const auto &match : reference.globalMatch(text)) {
            const QString target = match.captured(2);
            EXPECT_FALSE(target.contains(':'))
                << page.toStdString() << ": " << target.toStdString();
            EXPECT_TRUE(target.isEmpty() || help.exists(target))
                << page.toStdString() << ": " << target.toStdString();
        }
    }
}
