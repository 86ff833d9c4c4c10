#include "dialogs/WebBrowserDialog.h"
#include "document/Version.h"
#include "editor/HintLine.h"
#include "editor/Startup.h"
#include "editor/widgets/ColorPanel.h"
#include "editor/widgets/SpinEdit.h"
#include "editor/widgets/StatusText.h"
#include "platform/Dialogs.h"
#include "platform/FolderMemory.h"
#include "platform/Settings.h"
#include "tests/gui/GuiSupport.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QSettings>
#include <QSplitter>
#include <QStatusBar>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QToolBar>
#include <QToolButton>
#include <QUndoStack>

TEST(MainWindow, StartsWithTheDefaultDocument)
{
    WindowFixture f;
    MainWindow &w = f.w();
    EXPECT_EQ(w.windowTitle(), QString::fromUtf8("Untitled[*] \u2013 Tarvelle"));
    EXPECT_FALSE(w.isWindowModified());
    EXPECT_FALSE(w.document().isModified());
    EXPECT_FALSE(part<QAction>(w, "actionSave")->isEnabled());
    EXPECT_FALSE(part<QToolButton>(w, "tlbtnSave")->isEnabled());
    EXPECT_TRUE(w.document().fileName().isEmpty());
    // It opens at 70% of the screen's height (here 768 pixels), taller than the pages need:
    // their default size is its least.
    EXPECT_EQ(w.height(), 768 * 7 / 10);
    EXPECT_EQ(part<QWidget>(w, "client")->width(), 618);
    EXPECT_GT(part<QWidget>(w, "client")->height(), 364);
    EXPECT_EQ(part<QWidget>(w, "client")->minimumSize(), QSize(618, 364));
    EXPECT_GT(w.maximumSize().width(), 2000);
    ASSERT_EQ(part<MenuTreeView>(w, "TreeView1")->model()->rowCount(), 1);
    EXPECT_EQ(f.caption(f.root()), "Tarvelle");
    EXPECT_EQ(f.current(), f.root());
    EXPECT_FALSE(
        part<MenuTreeView>(w, "TreeView1")->model()->index(0, 0).data(Qt::DecorationRole).isNull());
    EXPECT_TRUE(part<QTabWidget>(w, "PageControl2")->isVisible());
    EXPECT_FALSE(part<QTabWidget>(w, "PageControl1")->isVisible());
    EXPECT_EQ(part<QTabWidget>(w, "PageControl2")->currentIndex(), 0);
    EXPECT_EQ(part<QTabWidget>(w, "PageControl1")->currentIndex(), 0);
    EXPECT_EQ(part<QTabWidget>(w, "PageControl3")->currentIndex(), 0);
    EXPECT_EQ(f.find<SpinEdit>("spnedtApWidth")->text(), "400");
    EXPECT_EQ(f.find<QLineEdit>("edtApLoadingMsg")->text(), "Loading...");
    EXPECT_EQ(f.find<QComboBox>("cmbxItClBrdStyle")->currentText(), "Lowered Bevel");
    // Dependent fields as after New: "No Border" on the menu disables its width and colour.
    EXPECT_FALSE(f.find<SpinEdit>("spnedtMnBrdWidth")->isEnabled());
    EXPECT_FALSE(f.find<ColorPanel>("pnlMnBrdClr")->isEnabled());
    EXPECT_FALSE(f.find<ColorPanel>("pnlApBgFadeClr")->isEnabled());
    // The untouched pages hold the defaults.
    const AppletRecord defaults = w.document().menu().appletData();
    AppletRecord expected = defaults;
    for (int pos : AppletField::reservedFields())
        expected.set(pos, "");
    expected.set(AppletField::PopupMenuCount, "-1");
    EXPECT_EQ(w.document().storedApplet(), expected);
}

TEST(MainWindow, EveryControlHasItsNameAndHint)
{
    WindowFixture f;
    for (const char *name : {"spnedtApWidth",
                             "edtApBgImg",
                             "spdbtnApBgImg",
                             "cmbxApBgImgAlign",
                             "pnlApBgFadeClr",
                             "chbxApBgGradientFill",
                             "cmbxApBrdStyle",
                             "pnlApLoadingMsgClr",
                             "spnedtMnItemsAlign",
                             "chckbxMnBgTransparent",
                             "cmbxItNoFntName",
                             "spdbtnItOvFntBold",
                             "spnedtItClBgImgAlign",
                             "pnlItClBrdClr",
                             "spnedtItOvTextOffset",
                             "cmbxPopupFntSize",
                             "spdbtnPopupFntItalic",
                             "edtItemCaption",
                             "btnSeparator",
                             "cmbxItemTarget",
                             "edtItemStatusBarText",
                             "spnedtItemMenuOffsetY",
                             "spdbtnItClSnd",
                             "edtItemClBgSnd",
                             "TreeView1",
                             "tlbtnNew",
                             "ToolButton13"}) {
        auto *widget = f.find<QWidget>(name);
        if (widget) {
            EXPECT_FALSE(widget->toolTip().isEmpty()) << name;
        }
    }
    EXPECT_EQ(f.find<QToolButton>("tlbtnOpen")->toolTip(),
              "Open a project from the file that you saved before");
    EXPECT_EQ(f.find<QWidget>("spnedtItOvBgImgX")->toolTip(),
              f.find<QWidget>("spnedtItNoBgImgX")->toolTip());
    EXPECT_EQ(part<QAction>(f.w(), "actionNew")->shortcut(), QKeySequence("Ctrl+N"));
    EXPECT_EQ(part<QAction>(f.w(), "actionPreview")->shortcut(), QKeySequence("Ctrl+P"));
    QStringList popup;
    for (QAction *act : part<QMenu>(f.w(), "PopupMenu1")->actions())
        popup << act->objectName();
    EXPECT_EQ(popup, (QStringList{"actionInsert", "actionDelete", "actionMoveUp", "actionMoveDown",
                                  "actionMoveLeft", "actionMoveRight", "", "actionCut",
                                  "actionCopy", "actionPaste", "actionDuplicate"}));
    // Keys that window managers leave alone; the tree's own keys shown in the Item menu.
    EXPECT_EQ(part<QAction>(f.w(), "actionMoveLeft")->shortcut(), QKeySequence("Ctrl+["));
    EXPECT_EQ(part<QAction>(f.w(), "actionMoveRight")->shortcut(), QKeySequence("Ctrl+]"));
    EXPECT_EQ(part<QAction>(f.w(), "actionInsert")->shortcut(), QKeySequence(Qt::Key_Insert));
    EXPECT_EQ(part<QAction>(f.w(), "actionMoveDown")->shortcut(), QKeySequence("Ctrl+Down"));
    QStringList tabs;
    for (int i = 0; i < part<QTabWidget>(f.w(), "PageControl2")->count(); ++i)
        tabs << part<QTabWidget>(f.w(), "PageControl2")->tabText(i);
    EXPECT_EQ(tabs, (QStringList{"Applet Settings", "More Applet Settings", "First-Level Menu Only",
                                 "Popup Menu Only", "Menu Look", "Popup Look"}));
}

namespace {
// Loads a record with one field changed from the defaults.
void loadWith(MainWindow &w, int field, const std::string &value)
{
    AppletRecord data = w.document().menu().appletData();
    data.set(field, value);
    w.document().menu().setAppletData(data);
    w.propertyPanel().loadApplet();
}

std::string stored(MainWindow &w, int field)
{
    return std::string(w.document().storedApplet()[field]);
}
} // namespace

TEST(MainWindow, LoadAndStoreConversions)
{
    using namespace AppletField;
    WindowFixture f;
    MainWindow &w = f.w();

    loadWith(w, ApBgImgAlign, "7");
    EXPECT_EQ(f.find<QComboBox>("cmbxApBgImgAlign")->currentIndex(), -1);
    EXPECT_EQ(stored(w, ApBgImgAlign), "-1");

    loadWith(w, ItNoFntSize, "15"); // no such size: the list keeps what it showed
    EXPECT_EQ(f.find<QComboBox>("cmbxItNoFntSize")->currentText(), "14");
    EXPECT_EQ(stored(w, ItNoFntSize), "14");

    loadWith(w, ItNoFntStyle, "3");
    loadWith(w, ItNoFntStyle, "5");
    EXPECT_TRUE(f.find<QToolButton>("spdbtnItNoFntBold")->isChecked());
    EXPECT_TRUE(f.find<QToolButton>("spdbtnItNoFntItalic")->isChecked());
    EXPECT_EQ(stored(w, ItNoFntStyle), "3");
    loadWith(w, ItNoFntStyle, "2");
    EXPECT_EQ(stored(w, ItNoFntStyle), "2");

    for (const char *notOn : {"01", "yes", " 1"}) {
        loadWith(w, MnBgTransparent, "1");
        loadWith(w, MnBgTransparent, notOn);
        EXPECT_FALSE(f.find<QCheckBox>("chckbxMnBgTransparent")->isChecked()) << notOn;
        EXPECT_EQ(stored(w, MnBgTransparent), "0");
    }

    loadWith(w, ApBgImg, "  logo.gif \t");
    EXPECT_EQ(f.find<QLineEdit>("edtApBgImg")->text(), "logo.gif");
    f.find<QLineEdit>("edtApBgImg")->setText("  other.gif  ");
    EXPECT_EQ(stored(w, ApBgImg), "other.gif");

    loadWith(w, ApWidth, "123456"); // pulled into the range when loaded
    EXPECT_EQ(f.find<SpinEdit>("spnedtApWidth")->text(), "9999");
}

TEST(MainWindow, NumberFieldsKeepTypedNumbersUntilLeft)
{
    using namespace AppletField;
    WindowFixture f;
    MainWindow &w = f.w();
    auto *mnX = f.find<SpinEdit>("spnedtMnX");
    auto *width = f.find<SpinEdit>("spnedtApWidth");

    mnX->setText("");
    EXPECT_EQ(stored(w, MnX), "-9999");
    mnX->setText("-");
    EXPECT_EQ(stored(w, MnX), "-9999");
    width->setText("");
    EXPECT_EQ(stored(w, ApWidth), "0");

    width->setFocus();
    width->setText("");
    QTest::keyClicks(width, "12000");
    EXPECT_EQ(width->text(), "12000");
    EXPECT_EQ(stored(w, ApWidth), "12000");
    mnX->setFocus(); // leaving the field pulls the number into the range
    EXPECT_EQ(width->text(), "9999");
    EXPECT_EQ(stored(w, ApWidth), "9999");

    QTest::keyClicks(mnX, "x"); // letters are not taken
    EXPECT_EQ(mnX->text().contains('x'), false);
    width->setValue(5);
    width->stepBy(-10);
    EXPECT_EQ(width->text(), "0");
}

TEST(MainWindow, StoreRulesSeenThroughThePages)
{
    using namespace AppletField;
    WindowFixture f;
    MainWindow &w = f.w();
    auto *style = f.find<QComboBox>("cmbxApBrdStyle");
    auto *width = f.find<SpinEdit>("spnedtApBrdWidth");
    width->setValue(7);
    style->setCurrentIndex(0);
    emit style->activated(0);
    EXPECT_EQ(stored(w, ApBrdWidth), "0");
    EXPECT_EQ(width->text(), "7"); // the control is not changed

    auto *gradient = f.find<QCheckBox>("chckbxItOvBgGradientFill");
    gradient->setChecked(false);
    f.dialogs.colors = {QColor(0xF4, 0xBE, 0x1A), QColor(0x12, 0x34, 0x56)};
    emit f.find<ColorPanel>("pnlItOvBgClr")->clicked();
    emit f.find<ColorPanel>("pnlItOvBgFadeClr")->clicked();
    EXPECT_EQ(stored(w, ItOvBgFadeClr), "F4BE1A");
    EXPECT_EQ(f.find<ColorPanel>("pnlItOvBgFadeClr")->color(), QColor(0x12, 0x34, 0x56));
    gradient->setChecked(true);
    EXPECT_EQ(stored(w, ItOvBgFadeClr), "123456");
    EXPECT_EQ(stored(w, MnItemCount), "0");
    EXPECT_EQ(stored(w, PopupMenuCount), "-1");
    EXPECT_EQ(stored(w, ApBgSnd), "");
}

TEST(MainWindow, FailedLoadStopsAtTheField)
{
    using namespace AppletField;
    WindowFixture f;
    MainWindow &w = f.w();
    AppletRecord data = w.document().menu().appletData();
    data.set(ApLoadingMsg, "Please wait"); // field 9, before the bad one
    data.set(MnX, "");                     // field 27
    data.set(MnItemsWidth, "123");         // field 29, after it
    w.document().menu().setAppletData(data);
    try {
        w.propertyPanel().loadApplet();
        FAIL() << "the load did not fail";
    } catch (const std::exception &error) {
        EXPECT_STREQ(error.what(), "'' is not a valid integer value");
    }
    EXPECT_EQ(f.find<QLineEdit>("edtApLoadingMsg")->text(), "Please wait");
    EXPECT_EQ(f.find<SpinEdit>("spnedtMnItemsWidth")->text(), "80");
    EXPECT_EQ(w.document().menu().appletData(), data); // the document is unchanged by a load

    data.set(MnX, "40");
    data.set(ApBgClr, "GG0000");
    w.document().menu().setAppletData(data);
    try {
        w.propertyPanel().loadApplet();
        FAIL() << "the load did not fail";
    } catch (const std::exception &error) {
        EXPECT_STREQ(error.what(), "'$000000GG' is not a valid integer value");
    }
}

TEST(MainWindow, LoadingThePagesNeverMarksModified)
{
    using namespace AppletField;
    WindowFixture f;
    MainWindow &w = f.w();
    ASSERT_FALSE(w.document().isModified());
    loadWith(w, ItNoFntName, "2");
    loadWith(w, ApBgClr, "123456");
    loadWith(w, ItNoFntStyle, "1");
    EXPECT_FALSE(w.document().isModified());
    loadWith(w, ApLoadingMsg, "Wait");
    EXPECT_FALSE(w.document().isModified()) << "the document is as it was";
    EXPECT_FALSE(part<QAction>(w, "actionSave")->isEnabled());
    // An edit the author makes is a change.
    f.find<QLineEdit>("edtApLoadingMsg")->setText("Please wait");
    EXPECT_TRUE(w.document().isModified());
    EXPECT_TRUE(part<QAction>(w, "actionSave")->isEnabled());
    EXPECT_TRUE(part<QToolButton>(w, "tlbtnSave")->isEnabled());
}

namespace {
// Where a part of the window lies in its client area, whatever layout holds it.
QRect inClient(MainWindow &w, const char *name)
{
    QWidget *widget = part<QWidget>(w, name);
    return QRect(widget->mapTo(part<QWidget>(w, "client"), QPoint()), widget->size());
}
} // namespace

TEST(MainWindow, ViewTogglesRestoreEveryPosition)
{
    WindowFixture f;
    MainWindow &w = f.w();
    const std::vector<QWidget *> watched{
        part<QFrame>(w, "pnlTreeView"),        part<QTabWidget>(w, "PageControl1"),
        part<QTabWidget>(w, "PageControl2"),   part<QLabel>(w, "StaticText1"),
        part<QProgressBar>(w, "ProgressBar1"), part<QStatusBar>(w, "StatusBar1")};
    auto geometry = [&] {
        std::vector<QRect> rects;
        for (QWidget *widget : watched)
            rects.push_back(inClient(w, widget->objectName().toLatin1().constData()));
        return std::make_pair(rects, w.height());
    };
    const auto before = geometry();
    const int statusTextY = inClient(w, "StaticText1").y();

    trigger(w, "actionToolBar");
    EXPECT_FALSE(part<QAction>(w, "actionToolBar")->isChecked());
    EXPECT_TRUE(part<QToolBar>(w, "tlbr1")->isHidden());
    EXPECT_EQ(inClient(w, "pnlTreeView").y(), 30 - 26);
    EXPECT_EQ(inClient(w, "StaticText1").y(), statusTextY - 26);
    EXPECT_EQ(w.height(), before.second - 26);
    trigger(w, "actionToolBar");
    EXPECT_EQ(geometry(), before);

    trigger(w, "actionStatusBar");
    EXPECT_FALSE(part<QAction>(w, "actionStatusBar")->isChecked());
    EXPECT_TRUE(part<QStatusBar>(w, "StatusBar1")->isHidden());
    EXPECT_TRUE(part<QLabel>(w, "StaticText1")->isHidden());
    EXPECT_EQ(w.height(), before.second - 20);
    trigger(w, "actionStatusBar");
    EXPECT_TRUE(part<QAction>(w, "actionStatusBar")->isChecked());
    EXPECT_EQ(geometry(), before);
}

// The window grows: the pages take the room, the handle between the tree and the pages shares
// it, and the next start comes back the same.
TEST(MainWindow, TheWindowGrowsAndTheHandleSharesTheRoom)
{
    WindowFixture f;
    MainWindow &w = f.w();
    auto *client = part<QWidget>(w, "client");
    const QRect tree0 = inClient(w, "pnlTreeView"), pages0 = inClient(w, "PageControl2");
    const int taller = client->height() - 364; // than the least
    EXPECT_EQ(tree0, QRect(1, 30, 193, 309 + taller)) << "the default places";
    EXPECT_EQ(pages0, QRect(199, 30, 417, 309 + taller));
    w.resize(w.width() + 200, w.height() + 100);
    w.layout()->activate();
    EXPECT_EQ(inClient(w, "pnlTreeView").height(), tree0.height() + 100);
    EXPECT_EQ(inClient(w, "PageControl2").width(), pages0.width() + 200);
    EXPECT_EQ(inClient(w, "StatusBar1").bottom(), client->height() - 1)
        << "the status line keeps to the bottom";

    QWidget *handle = part<QSplitter>(w, "splTreePages")->handle(1);
    QTest::mousePress(handle, Qt::LeftButton, {}, QPoint(2, 10));
    QTest::mouseMove(handle, QPoint(52, 10));
    QTest::mouseRelease(handle, Qt::LeftButton, {}, QPoint(52, 10));
    EXPECT_EQ(inClient(w, "pnlTreeView").width(), tree0.width() + 50);
    EXPECT_EQ(inClient(w, "PageControl2").x(), pages0.x() + 50);
    EXPECT_EQ(inClient(w, "PageControl2").width(), pages0.width() + 150);

    ASSERT_TRUE(w.close());
    f.create();
    EXPECT_EQ(inClient(f.w(), "pnlTreeView").width(), tree0.width() + 50);
    EXPECT_EQ(part<QWidget>(f.w(), "client")->height(), 364 + taller + 100);
}

TEST(MainWindow, TextFieldsRefuseLineBreaksAndBars)
{
    WindowFixture f;
    auto *caption = f.find<QLineEdit>("edtItemCaption");
    caption->setFocus();
    QTest::keyClicks(caption, "Home|Page");
    EXPECT_EQ(caption->text(), "HomePage");
    caption->insert("a\nb|c"); // as a paste inserts it
    emit caption->textEdited(caption->text());
    EXPECT_EQ(caption->text(), "HomePageabc");

    auto *target = f.find<QComboBox>("cmbxItemTarget");
    target->setFocus();
    target->lineEdit()->clear();
    QTest::keyClicks(target, "_to|p");
    EXPECT_EQ(target->currentText(), "_top");
}

TEST(MainWindow, HintLineFollowsTheMouse)
{
    WindowFixture f;
    MainWindow &w = f.w();
    part<QTabWidget>(w, "PageControl2")->setCurrentIndex(2);
    part<QTabWidget>(w, "PageControl3")->setCurrentIndex(2);
    QApplication::processEvents();
    auto *x = f.find<QWidget>("spnedtItOvBgImgX");
    QTest::mouseMove(x, QPoint(5, 5));
    EXPECT_EQ(part<QLabel>(w, "StaticText1")->text(),
              "X position of the background image in item that in First-Level menu");
    // A label leaves the line; a group box or a tab strip empties it.
    auto *label = qobject_cast<QLabel *>(x->parentWidget()->findChildren<QLabel *>().first());
    QTest::mouseMove(label, QPoint(2, 2));
    EXPECT_EQ(part<QLabel>(w, "StaticText1")->text(),
              "X position of the background image in item that in First-Level menu");
    EXPECT_EQ(HintLine::ownerOf(label), nullptr);
    EXPECT_EQ(HintLine::ownerOf(f.find<QComboBox>("cmbxItOvBrdStyle")), nullptr);
    auto *group = qobject_cast<QGroupBox *>(x->parentWidget());
    ASSERT_NE(group, nullptr);
    EXPECT_EQ(HintLine::ownerOf(group), group);
    QTest::mouseMove(group, QPoint(1, 1));
    EXPECT_EQ(part<QLabel>(w, "StaticText1")->text(), "");
    EXPECT_EQ(HintLine::ownerOf(f.find<SpinEdit>("spnedtApWidth")->findChild<QLineEdit *>()),
              f.find<SpinEdit>("spnedtApWidth"));
    EXPECT_EQ(HintLine::ownerOf(part<QTabWidget>(w, "PageControl3")->tabBar()),
              part<QTabWidget>(w, "PageControl3"));
    EXPECT_EQ(HintLine::ownerOf(part<QStatusBar>(w, "StatusBar1")), nullptr);

    part<QAction>(w, "actionInsert")
        ->showStatusText(&w); // a menu item's hint goes to the same line
    EXPECT_EQ(part<QLabel>(w, "StaticText1")->text(),
              "Insert a new item as a child of selected item.");
}

TEST(MainWindow, HelpAndWebCommandsGoToTheShell)
{
    WindowFixture f;
    MainWindow &w = f.w();
    trigger(w, "actionHelpTopics");
    trigger(w, "actionViewSample");
    trigger(w, "actionHomepage");
    trigger(w, "actionContactUs");
    QTest::mouseMove(f.tree()); // the pointer on no page: F1 is about the focus
    for (QWidget *focus : {static_cast<QWidget *>(f.find<SpinEdit>("spnedtApHeight")),
                           static_cast<QWidget *>(f.tree())}) {
        focus->setFocus();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_F1);
    }
    ASSERT_EQ(f.shell.opened.size(), 6);
    EXPECT_TRUE(f.shell.opened[0].endsWith("help/index.html"));
    EXPECT_EQ(f.shell.opened[1], f.program() + "samples/Windows Style Menu.html");
    EXPECT_TRUE(f.shell.opened[2].endsWith("help/index.html"));
    EXPECT_TRUE(f.shell.opened[3].endsWith("help/troubleshooting.html"));
    EXPECT_TRUE(f.shell.opened[4].endsWith("help/applet-settings.html"));
    EXPECT_TRUE(f.shell.opened[5].endsWith("help/menu-tree.html"));

    // A tab clicked while the focus stays in the tree: F1 is about the page shown.
    auto *tabs = part<QTabWidget>(w, "PageControl2")->tabBar();
    QTest::mouseMove(tabs, tabs->tabRect(1).center());
    QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(1).center());
    f.tree()->setFocus();
    QTest::keyClick(f.tree(), Qt::Key_F1);
    EXPECT_TRUE(f.shell.opened.last().endsWith("help/more-applet-settings.html"))
        << f.shell.opened.last().toStdString();

    // The manual opens in the browser chosen for previews, and a failure is told.
    auto &chooser = *part<WebBrowserDialog>(w, "formWebBrowser");
    chooser.specifiedBrowserButton->setChecked(true);
    chooser.specifiedBrowserEdit->setText("/opt/browser/run");
    chooser.acceptChoice();
    f.shell.startFails = true;
    trigger(w, "actionHelpTopics");
    ASSERT_FALSE(f.shell.started.empty());
    EXPECT_EQ(f.shell.started.back().program, "/opt/browser/run");
    EXPECT_EQ(f.shell.started.back().arguments, QStringList{"index.html"});
    ASSERT_FALSE(f.dialogs.warnings.isEmpty());
    EXPECT_TRUE(f.dialogs.warnings.last().contains("could not be started"));
}

// A caption that looks like markup is shown as it is in every message box.
TEST(MainWindow, MessageBoxesShowTextAsItIs)
{
    const QString caption =
        "<h1>Big</h1><img src=\"x.png\"><a href=\"http://example.invalid\">here</a>";
    const auto box =
        QtDialogs::messageBox(QMessageBox::Warning, nullptr, "Warning", caption, QMessageBox::Ok);
    EXPECT_EQ(box->textFormat(), Qt::PlainText);
    EXPECT_EQ(box->text(), caption);
    // A right-to-left override or an escape in a file name is shown, not obeyed.
    const auto named = QtDialogs::messageBox(
        QMessageBox::Critical, nullptr, "Error",
        QString::fromUtf8("\"menu\u202Eslv.tvl\" could not be opened\x1b[2J"), QMessageBox::Ok);
    EXPECT_EQ(named->text(), "\"menu\\u202Eslv.tvl\" could not be opened\\x1b[2J");
}

TEST(Startup, StartFileJoinsTheArguments)
{
    EXPECT_EQ(startFileName({"/home/me/My", "Menus/a.tvl"}), "/home/me/My Menus/a.tvl");
    EXPECT_EQ(startFileName({"  ", " "}), "");
    EXPECT_EQ(startFileName({}), "");
    EXPECT_EQ(startFileName({"a.tvl"}), "a.tvl");
}

// The settings live in Tarvelle.conf; the first start takes over those of earlier versions,
// and writes no file association (the desktop entry is the association here).
TEST(Startup, SettingsTakeOverEarlierOnesAndKeepTheirMeaning)
{
    const QString current = Settings::configFile("Tarvelle.conf");
    const QString earlier = Settings::configFile("HKEY_CURRENT_USER.ini");
    QFile::remove(current);
    QFile::remove(earlier);
    EXPECT_TRUE(readShowTempletsDialog()) << "shown by default";
    {
        QSettings old(earlier, QSettings::IniFormat);
        old.setValue("Software/QAR/Tarvelle/1.0/Settings/ShowTempletsDialog", 0);
        old.setValue("Software/QAR/Tarvelle/1.0/Settings/WebBrowser", "Surf Browser");
        old.setValue("Software/QAR/Tarvelle/1.0/Folders/tvl", "/home/me/menus");
    }
    EXPECT_FALSE(readShowTempletsDialog());
    EXPECT_EQ(Settings().browserChoice(), "Surf Browser");
    EXPECT_EQ(Settings().folder("tvl"), "/home/me/menus");
    EXPECT_TRUE(QFile::exists(current));
    EXPECT_TRUE(QFile::exists(earlier)) << "the earlier file is left as it was";

    // Taken over once: later changes are the new file's alone.
    Settings().setShowTemplates(true);
    EXPECT_TRUE(readShowTempletsDialog());
    QSettings raw(current, QSettings::IniFormat);
    raw.setValue("Settings/ShowTempletsDialog", 7);
    raw.sync();
    EXPECT_TRUE(readShowTempletsDialog());
    raw.setValue("Settings/ShowTempletsDialog", "garbage"); // an unreadable value hides it
    raw.sync();
    EXPECT_FALSE(readShowTempletsDialog());

    WindowFixture f;
    EXPECT_FALSE(QFile::exists(Settings::configFile("HKEY_CLASSES_ROOT.ini")));
}

TEST(Startup, HelpAndVersionAnswerWithoutAWindow)
{
    EXPECT_EQ(commandLineAnswer({"--version"}).value().text,
              std::string("tarvelle ") + TarvelleVersion + "\n");
    EXPECT_EQ(commandLineAnswer({"--help"}).value().text.rfind("usage: tarvelle", 0), 0u);
    // An option it does not know is refused, not taken for a file name.
    for (const char *unknown : {"--bogus", "-x", "--help=all"}) {
        const auto refused = commandLineAnswer({unknown});
        ASSERT_TRUE(refused) << unknown;
        EXPECT_EQ(refused->exitCode, 64);
        EXPECT_NE(refused->text.find(unknown), std::string::npos);
    }
    // Anything else names the start file, as it always did.
    EXPECT_FALSE(commandLineAnswer({"my", "--version"}));
    EXPECT_FALSE(commandLineAnswer({"-"}));
    EXPECT_FALSE(commandLineAnswer({"menu.tvl"}));
    EXPECT_FALSE(commandLineAnswer({}));
}

TEST(MainWindow, FixedFrameAndAStatusTextThatEndsOnAWord)
{
    WindowFixture f;
    const Qt::WindowFlags flags = f.w().windowFlags();
    EXPECT_FALSE(flags.testFlag(Qt::WindowMaximizeButtonHint));
    EXPECT_TRUE(flags.testFlag(Qt::WindowMinimizeButtonHint));
    EXPECT_TRUE(flags.testFlag(Qt::WindowSystemMenuHint));

    QLabel *status = part<QLabel>(f.w(), "StaticText1");
    const QString hint = f.find<QWidget>("edtItemOvBgImg")->toolTip();
    status->setText(hint);
    EXPECT_EQ(status->text(), hint) << "the whole hint is kept";
    const QString shown = StatusText::elided(hint, status->fontMetrics(), status->width());
    ASSERT_LT(shown.size(), hint.size()) << "this hint is longer than the line";
    ASSERT_TRUE(shown.endsWith(QChar(0x2026)));
    const QString kept = shown.chopped(1);
    EXPECT_TRUE(hint.startsWith(kept));
    EXPECT_EQ(hint.at(kept.size()), QLatin1Char(' ')) << "no word is cut";
    EXPECT_LE(status->fontMetrics().horizontalAdvance(shown), status->width());
}

// The main window comes back where it was left; each kind of file dialog opens in the folder
// its last file came from, while that folder exists.
TEST(MainWindow, RemembersItsPlaceAndTheFileDialogsFolders)
{
    WindowFixture f;
    f.w().move(123, 77);
    const QPoint place = f.w().pos();
    ASSERT_TRUE(f.w().close());
    f.create();
    EXPECT_EQ(f.w().pos(), place);

    QTemporaryDir pictures, projects;
    const QString pictureFilter = "All Image Files(*.gif;*.jpg;*.jpeg)|*.gif;*.jpg;*.jpeg";
    FolderMemory::remember(pictureFilter, pictures.filePath("logo.gif"));
    FolderMemory::remember(ProjectController::ProjectFilter, projects.filePath("menu.tvl"));
    FolderMemory::remember(ProjectController::ProjectFilter, QString()); // a cancelled dialog
    EXPECT_EQ(FolderMemory::folderFor(pictureFilter), QDir::toNativeSeparators(pictures.path()));
    EXPECT_EQ(FolderMemory::folderFor(ProjectController::ProjectFilter),
              QDir::toNativeSeparators(projects.path()));
    EXPECT_EQ(FolderMemory::folderFor("Audio Files (*.au)|*.au"), QString());
    pictures.remove();
    EXPECT_EQ(FolderMemory::folderFor(pictureFilter), QString());
}

TEST(MainWindow, OpensWhollyOnTheScreen)
{
    WindowFixture f;
    const QRect area = f.w().screen()->availableGeometry();
    EXPECT_TRUE(area.contains(f.w().frameGeometry())) << "first start";
    // A place remembered on a monitor since unplugged is pulled back onto this one.
    f.w().move(area.right() + 500, area.bottom() + 300);
    ASSERT_TRUE(f.w().close());
    f.create();
    EXPECT_TRUE(area.contains(f.w().frameGeometry())) << "remembered off screen";
}

// Every entry of every menu has an access key, and no two entries of one menu share one;
// Shift+F10 opens the tree's context menu.
TEST(MainWindow, EveryMenuHasItsOwnAccessKeys)
{
    WindowFixture f;
    std::vector<QMenu *> menus{part<QMenu>(f.w(), "PopupMenu1")};
    QStringList bar;
    for (QAction *title : f.w().menuBar()->actions()) {
        bar << title->text();
        if (title->menu())
            menus.push_back(title->menu());
    }
    auto keysOf = [](const QStringList &texts, const QString &where) {
        QStringList keys;
        for (const QString &text : texts) {
            const int amp = text.indexOf(QLatin1Char('&'));
            ASSERT_GE(amp, 0) << where.toStdString() << ": " << text.toStdString();
            const QString key = text.mid(amp + 1, 1).toLower();
            EXPECT_FALSE(keys.contains(key)) << where.toStdString() << ": " << text.toStdString();
            keys << key;
        }
    };
    keysOf(bar, "menu bar");
    for (QMenu *menu : menus) {
        QStringList texts;
        for (QAction *entry : menu->actions()) {
            if (!entry->isSeparator())
                texts << entry->text();
        }
        keysOf(texts, menu->title().isEmpty() ? menu->objectName() : menu->title());
    }
    // The tree's context menu opens from the keyboard too.
    f.tree()->setFocus();
    QTest::keyClick(f.tree(), Qt::Key_F10, Qt::ShiftModifier);
    EXPECT_TRUE(part<QMenu>(f.w(), "PopupMenu1")->isVisible());
    part<QMenu>(f.w(), "PopupMenu1")->close();
}

// The Popup Look page as the author uses it: each control one undoable look setting, shown
// again on undo, kept by a save only while it differs from its default.
TEST(MainWindow, PopupLookPageEditsTheLookSettings)
{
    WindowFixture f;
    MainWindow &w = f.w();
    const LookSettings &look = w.document().menu().look();
    auto *padding = f.find<SpinEdit>("spnedtLookPopupPadding");
    padding->setFocus();
    padding->setText("");
    QTest::keyClicks(padding, "12");
    EXPECT_EQ(look.value("popup-padding"), "12");
    f.dialogs.colors = {QColor(0x1E, 0x1E, 0x2E), QColor(0xF0, 0xF0, 0xF0)};
    emit f.find<ColorPanel>("pnlLookPopupBackground")->clicked();
    EXPECT_EQ(look.value("popup-background"), "1E1E2E");
    f.find<QCheckBox>("chckbxLookPopupSeparator")->click();
    EXPECT_EQ(look.value("popup-separator"), "A0A0A0");
    auto *shadow = f.find<QComboBox>("cmbxLookPopupShadow");
    shadow->setCurrentIndex(2);
    emit shadow->activated(2);
    EXPECT_EQ(look.entries().size(), 4u);
    EXPECT_NE(w.document().projectText().find("popup-shadow=2\r\n"), std::string::npos);

    // Four steps: the padding's keys merged into one.
    QUndoStack *undo = w.document().undoStack();
    EXPECT_EQ(undo->count(), 4);
    undo->undo();
    undo->undo();
    EXPECT_EQ(shadow->currentIndex(), 0);
    EXPECT_FALSE(f.find<QCheckBox>("chckbxLookPopupSeparator")->isChecked());
    undo->undo();
    undo->undo();
    EXPECT_TRUE(look.empty());
    EXPECT_EQ(padding->value(), 8);
    EXPECT_EQ(w.document().projectText().find("Look Description"), std::string::npos);

    // The default picked again is no setting.
    emit f.find<ColorPanel>("pnlLookPopupBackground")->clicked();
    EXPECT_TRUE(look.empty());
}

// Derive Dark Colors fills every dark value in one step; the scheme list and the preview's
// Dark box then show the menu dark.
TEST(MainWindow, DeriveDarkColoursIsOneStep)
{
    WindowFixture f;
    MainWindow &w = f.w();
    const LookSettings &look = w.document().menu().look();
    f.find<QPushButton>("btnLookDeriveDark")->click();
    EXPECT_GT(look.entries().size(), 20u);
    EXPECT_NE(look.value("dark.popup-background"), "");
    auto *scheme = f.find<QComboBox>("cmbxLookScheme");
    scheme->setCurrentIndex(2);
    emit scheme->activated(2);
    EXPECT_EQ(look.value("scheme"), "auto");
    QUndoStack *undo = w.document().undoStack();
    EXPECT_EQ(undo->count(), 2);
    undo->undo();
    EXPECT_EQ(scheme->currentIndex(), 0);
    undo->undo();
    EXPECT_TRUE(look.empty());
}
