#include "document/MenuTree.h"
#include "document/ProjectFile.h"
#include "editor/pages/ItemPages.h"
#include "editor/preview/PreviewCanvas.h"
#include "editor/widgets/SpinEdit.h"
#include "editor/widgets/TextEdit.h"
#include "tests/gui/GuiSupport.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>

namespace {
struct PreviewFixture : WindowFixture
{
    PreviewCanvas *canvas() { return part<PreviewCanvas>(w(), "PreviewCanvas"); }
    const MenuLayout &layout() { return canvas()->scene().layout(); }
    // The centre of a first-level item on the canvas.
    QPoint centreOf(int item)
    {
        const LayoutRect &r = layout().items[std::size_t(item)];
        return QPoint(r.x + r.w / 2, r.y + r.h / 2);
    }
};
} // namespace

// The preview follows the pages, the tree and the history, and works as the page does: the
// pointer lights items and shows their status text, a click on an item without a popup
// selects it in the tree, selecting an item in the tree opens the popups on its path.
TEST(LivePreview, FollowsEveryEditAndWorksAsThePageDoes)
{
    PreviewFixture f;
    QAction *toggle = part<QAction>(f.w(), "actionLivePreview");
    ASSERT_TRUE(toggle->isChecked()) << "shown on the first start";
    EXPECT_EQ(toggle->shortcut(), QKeySequence(Qt::Key_F9));
    const Node products = f.add(f.root(), "Products");
    part<ItemPage>(f.w(), "TabSheet1")->itemStatusBarTextEdit->setText("Our programs");
    const Node home = f.add(f.root(), "Home");
    const Node software = f.add(products, "Software");
    f.settle();
    ASSERT_EQ(f.layout().items.size(), 2u);
    ASSERT_EQ(f.layout().popups.size(), 1u);
    // A first-level item selected in the tree is drawn as a visitor sees it; scroll bars come
    // only when the applet area itself does not fit.
    f.select(home);
    f.settle();
    EXPECT_EQ(f.canvas()->view().state(1), 0);
    EXPECT_EQ(f.canvas()->minimumSize(), QSize(400, 60));

    // Typing in a page is drawn at once, before anything is stored into the document.
    f.select(f.root());
    auto *x = f.find<SpinEdit>("spnedtMnX");
    x->setValue(55);
    f.settle();
    EXPECT_EQ(f.layout().menu->x, 55);
    trigger(f.w(), "actionUndo");
    f.settle();
    EXPECT_EQ(f.layout().menu->x, 40);

    // The line under the menu warns of what keeps visitors out, and goes with the fix; a new
    // menu's items are large enough from the start.
    auto *warnings = part<QLabel>(f.w(), "lblPreviewWarnings");
    EXPECT_FALSE(warnings->isVisibleTo(warnings->parentWidget())) << warnings->text().toStdString();
    f.find<SpinEdit>("spnedtMnItemsHeight")->setValue(20);
    f.settle();
    EXPECT_TRUE(warnings->text().contains("smaller than 24 x 24"))
        << warnings->text().toStdString();
    trigger(f.w(), "actionUndo");
    f.settle();
    EXPECT_FALSE(warnings->isVisibleTo(warnings->parentWidget()));
    trigger(f.w(), "actionRedo");
    f.settle();
    EXPECT_TRUE(warnings->isVisibleTo(warnings->parentWidget()));
    // A link typed with a separator is shown as the page will read it.
    f.select(home);
    part<ItemPage>(f.w(), "TabSheet1")->itemURLEdit->setText("a.html|javascript:x()");
    f.settle();
    EXPECT_TRUE(warnings->text().contains("links to \"a.html\" in target \"javascript:x()\""))
        << warnings->text().toStdString();
    f.select(f.root());

    // Pictures come from the preview folder; a name that is not there draws nothing.
    QTemporaryDir pictures;
    QImage dot(3, 3, QImage::Format_RGB32);
    dot.fill(QColor(1, 2, 3));
    ASSERT_TRUE(dot.save(pictures.filePath("dot.png")));
    f.w().document().publisher().stage(
        QDir::toNativeSeparators(pictures.filePath("dot.png")).toStdString());
    auto *image = f.find<QLineEdit>("edtApBgImg");
    image->setText("dot.png");
    f.find<SpinEdit>("spnedtApBgImgX")->setValue(20);
    f.find<SpinEdit>("spnedtApBgImgY")->setValue(20);
    f.settle();
    EXPECT_EQ(f.canvas()->render({400, 300}).pixelColor(21, 21), QColor(1, 2, 3));
    image->setText("missing.png");
    f.settle();
    EXPECT_NE(f.canvas()->render({400, 300}).pixelColor(21, 21), QColor(1, 2, 3));

    // Selecting a row in the tree opens its popup and lights the row.
    f.select(software);
    f.settle();
    ASSERT_EQ(f.canvas()->view().chain, std::vector<int>{0});
    EXPECT_EQ(f.canvas()->view().lit, std::vector<int>{0});
    // Typing in a caption is drawn keystroke by keystroke, though the keys make one step.
    auto *caption = part<ItemPage>(f.w(), "TabSheet1")->itemCaptionEdit;
    caption->setFocus();
    for (const char *typed : {"Software!", "Software!!"}) {
        QTest::keyClick(caption, Qt::Key_Exclam);
        f.settle();
        EXPECT_EQ(f.layout().popups[0].rows[0].caption, typed);
    }

    // The pointer over Home shows nothing in the status line; a click selects it.
    QTest::mouseMove(f.canvas(), f.centreOf(1));
    EXPECT_EQ(f.canvas()->view().state(1), 1);
    QTest::mouseClick(f.canvas(), Qt::LeftButton, {}, f.centreOf(1));
    f.settle();
    EXPECT_EQ(f.current(), home);
    EXPECT_TRUE(f.canvas()->view().chain.empty());
    // A click on Products opens its popup; its status text is in the status line.
    QTest::mouseMove(f.canvas(), f.centreOf(0));
    EXPECT_EQ(part<QLabel>(f.w(), "lblPreviewStatus")->text(), "Our programs");
    QTest::mouseClick(f.canvas(), Qt::LeftButton, {}, f.centreOf(0));
    EXPECT_EQ(f.canvas()->view().chain, std::vector<int>{0});
    EXPECT_EQ(f.canvas()->view().state(0), 2);
    // The keyboard: Escape closes it, Down opens it and enters its first row.
    QTest::keyClick(f.canvas(), Qt::Key_Escape);
    EXPECT_TRUE(f.canvas()->view().chain.empty());
    QTest::keyClick(f.canvas(), Qt::Key_Down);
    EXPECT_EQ(f.canvas()->view().lit, std::vector<int>{0});
    // The row the keyboard reached wears the focus ring: black outside, white inside.
    const LayoutPopup &popup = f.layout().popups[0];
    const QImage ring = f.canvas()->render({400, 300});
    EXPECT_EQ(ring.pixelColor(popup.box.x + 3, popup.rows[0].y), QColor(Qt::black));
    EXPECT_EQ(ring.pixelColor(popup.box.x + 4, popup.rows[0].y + 1), QColor(Qt::white));
    QTest::keyClick(f.canvas(), Qt::Key_Return);
    f.settle();
    EXPECT_EQ(f.current(), software);

    // The narrow form as a design view, at the width picked.
    auto *views = part<QComboBox>(f.w(), "cmbxPreviewView");
    auto *width = part<QSpinBox>(f.w(), "spnedtPreviewWidth");
    EXPECT_FALSE(width->isVisibleTo(views->parentWidget()));
    views->setCurrentIndex(views->findText("Narrow Screen"));
    f.settle(); // the list of every row is made when the view is first asked for
    EXPECT_TRUE(width->isVisibleTo(views->parentWidget()));
    EXPECT_EQ(f.canvas()->minimumSize(), QSize(360, f.canvas()->scene().narrowHeight()));
    width->setValue(320);
    EXPECT_EQ(f.canvas()->minimumWidth(), 320);
    EXPECT_EQ(f.canvas()->scene().narrowLayout().rows.size(), 3u) << "Products, its row, Home";
    views->setCurrentIndex(0);

    // F1 in the preview opens its page of the manual.
    QApplication::setActiveWindow(part<QWidget>(f.w(), "LivePreview"));
    f.canvas()->setFocus();
    QTest::keyClick(f.canvas(), Qt::Key_F1);
    ASSERT_FALSE(f.shell.opened.isEmpty());
    EXPECT_TRUE(f.shell.opened.last().endsWith("help/live-preview.html"));

    // Deleting the branch redraws the menu; New empties it; F9 hides the window.
    f.select(products);
    f.dialogs.answers = {DialogService::Yes, DialogService::No};
    trigger(f.w(), "actionDelete");
    f.settle();
    EXPECT_TRUE(f.layout().popups.empty());
    trigger(f.w(), "actionNew");
    f.settle();
    EXPECT_TRUE(f.layout().items.empty());
    toggle->trigger();
    EXPECT_FALSE(part<QWidget>(f.w(), "LivePreview")->isVisible());
    // The next start remembers it.
    ASSERT_TRUE(f.w().close());
    f.create();
    EXPECT_FALSE(part<QAction>(f.w(), "actionLivePreview")->isChecked());
    EXPECT_FALSE(part<QWidget>(f.w(), "LivePreview")->isVisible());
    trigger(f.w(), "actionLivePreview");
    EXPECT_TRUE(part<QWidget>(f.w(), "LivePreview")->isVisible());
    ASSERT_TRUE(f.w().close());
}

// "Show Current Page" draws the menu as the selected item's page shows it: the first item that
// links to that page is the current one, its first-level item clicked, its row marked.
TEST(LivePreview, ShowsTheSelectedItemsPage)
{
    PreviewFixture f;
    const Node products = f.add(f.root(), "Products");
    const Node home = f.add(f.root(), "Home");
    const Node software = f.add(products, "Software");
    const Node again = f.add(products, "Software again");
    for (const auto &[node, url] :
         {std::pair{software, "soft.html"}, {again, "soft.html#top"}, {home, "./"}}) {
        f.select(node);
        part<ItemPage>(f.w(), "TabSheet1")->itemURLEdit->setText(url);
    }
    auto *show = part<QCheckBox>(f.w(), "chbxPreviewCurrentPage");
    EXPECT_FALSE(show->isChecked()) << "off by default";
    f.select(again);
    f.settle();
    EXPECT_EQ(f.canvas()->view().currentItem, -1);
    show->setChecked(true);
    f.settle();
    EXPECT_EQ(f.canvas()->view().currentItem, 1) << "Software, the first link to the page";
    MenuView closed = f.canvas()->view();
    closed.open = -1;
    EXPECT_EQ(closed.state(0), 2) << "Products holds the current page";
    EXPECT_EQ(closed.state(1), 0);
    const LayoutPopup &popup = f.layout().popups[0];
    const QImage drawn = f.canvas()->render({400, 300});
    EXPECT_EQ(drawn.pixelColor(popup.box.x + 4, popup.rows[0].y + 3), QColor(0x31, 0x6A, 0xC5));
    EXPECT_EQ(drawn.pixelColor(popup.box.x + 7, popup.rows[0].y + 3), QColor(0xF0, 0xF0, 0xF0));
    f.select(home);
    f.settle();
    EXPECT_EQ(f.canvas()->view().current, 1);
    f.select(products); // a branch is no page
    f.settle();
    EXPECT_EQ(f.canvas()->view().current, -1);
    f.select(software);
    show->setChecked(false);
    f.settle();
    EXPECT_EQ(f.canvas()->view().currentItem, -1);
}

// A command costs the preview the captions it shows, not the menu's: an insert into a menu
// four times as large measures about as many captions (counted, not timed).
TEST(LivePreview, ACommandMeasuresWhatIsShownNotTheWholeMenu)
{
    auto measuredPerInsert = [](int items) {
        PreviewFixture f;
        QTemporaryDir folder;
        const QString file = folder.filePath("large.tvl");
        {
            // First-level items of 20 children each.
            MenuDocument doc;
            doc.resetToDefaults();
            MenuTree tree{doc.items()};
            const ItemTree::Node root = tree.addChild(nullptr, "Tarvelle");
            for (int top = 0; top * 21 < items; ++top) {
                const ItemTree::Node item =
                    tree.insertItem(root, top, "Top " + std::to_string(top), doc.newItem());
                for (int k = 0; k < 20; ++k)
                    tree.insertItem(item, k, "Row " + std::to_string(k), doc.newItem());
            }
            ProjectWriter(doc, tree).save(file.toStdString());
        }
        f.w().project().openProjectFile(file);
        f.select(f.child(f.child(f.root(), 3), 5)); // its popup opens in the preview
        f.settle();
        const unsigned long long before = f.w().preview().measure().asked();
        const unsigned long long read = f.w().document().linkWarnings().recordsRead();
        trigger(f.w(), "actionInsert");
        f.settle();
        return std::make_pair(f.w().preview().measure().asked() - before,
                              f.w().document().linkWarnings().recordsRead() - read);
    };
    const auto [small, smallRead] = measuredPerInsert(5000);
    const auto [large, largeRead] = measuredPerInsert(20000);
    EXPECT_GT(small, 0u) << "the open popups are measured";
    EXPECT_LE(large, 2 * small) << small << " captions at 5,000 items, " << large << " at 20,000";
    // The warnings line reads the records the insert touched, not the menu.
    EXPECT_GT(smallRead, 0u);
    EXPECT_LE(largeRead, 2 * smallRead) << smallRead << " records, then " << largeRead;
}

// Tab goes through the preview's first-level items and on out of it, both ways, as a page's
// Tab order goes on past its menu: the preview never keeps the focus for itself.
TEST(LivePreview, TabPassesThroughAndOut)
{
    PreviewFixture f;
    f.add(f.root(), "One");
    f.add(f.root(), "Two");
    f.settle();
    PreviewCanvas *canvas = f.canvas();
    for (const auto &[key, direction] :
         {std::pair{Qt::Key_Tab, "forward"}, std::pair{Qt::Key_Backtab, "back"}}) {
        canvas->setFocus(Qt::OtherFocusReason);
        int presses = 0;
        while (canvas->hasFocus() && presses < 10) {
            QTest::keyClick(QApplication::focusWidget(), key);
            ++presses;
        }
        EXPECT_EQ(presses, 3) << direction << ": two items, then out";
    }
    // Reached from the control before it, the preview is the next stop, entered at its first
    // item each time.
    for (int round = 0; round < 2; ++round) {
        f.find<QWidget>("cmbxPreviewZoom")->setFocus(Qt::TabFocusReason);
        int presses = 0;
        do {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            ++presses;
        } while (canvas->hasFocus() && presses < 10);
        EXPECT_EQ(presses, 3) << "round " << round << ": in, the second item, out";
    }
}
