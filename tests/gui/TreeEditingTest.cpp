#include "editor/pages/ItemPages.h"
#include "editor/widgets/ColorPanel.h"
#include "editor/widgets/SpinEdit.h"
#include "editor/widgets/TextEdit.h"
#include "tests/gui/GuiSupport.h"

#include <functional>
#include <QAbstractItemModelTester>
#include <QAction>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QFile>
#include <QHeaderView>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>
#include <QScrollBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <QUndoStack>
#include <random>

namespace {
struct TreeFixture : WindowFixture
{
    // Saves the project under a new name (s1.tvl, s2.tvl, ...) and returns the file's bytes.
    QTemporaryDir savesFolder;
    int saves = 0;
    QByteArray saved()
    {
        const QString path = savesFolder.path() + QString("/s%1.tvl").arg(++saves);
        dialogs.saveFiles = {path};
        trigger(w(), "actionSaveAs");
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::ReadOnly));
        return file.readAll();
    }

    // Every change of the tree is checked against the item-model rules as it happens.
    QAbstractItemModelTester modelTester{part<MenuTreeView>(w(), "TreeView1")->model(),
                                         QAbstractItemModelTester::FailureReportingMode::Fatal};

    // "caption:record caption" per node in pre-order; the two agree when tree and list are
    // in step.
    QStringList mirror()
    {
        QStringList result;
        const auto &items = w().document().menu().items();
        // What the view shows, read through its model, against the document's list.
        const std::vector<Node> nodes = shown();
        int index = 0;
        for (; index + 1 < static_cast<int>(nodes.size()); ++index) {
            const Node node = nodes[static_cast<std::size_t>(index) + 1]; // the root has no record
            result
                << caption(node) + ":" +
                       (index < static_cast<int>(items.size())
                            ? QString::fromStdString(std::string(
                                  items[static_cast<std::size_t>(index)][ItemField::ItemCaption]))
                            : QString("<missing>"));
        }
        if (index != static_cast<int>(items.size()))
            result << QString("<%1 records>").arg(items.size());
        return result;
    }

    QStringList names()
    {
        QStringList result;
        for (const QString &entry : mirror())
            result << entry.section(':', 0, 0);
        return result;
    }
};
} // namespace

TEST(TreeEditing, InsertPlacesTheRecordAfterTheSubtree)
{
    TreeFixture f;
    Node a = f.add(f.root(), "A");
    Node b = f.add(f.root(), "B");
    f.add(a, "A1");
    f.add(a, "A2");
    EXPECT_EQ(f.mirror(), (QStringList{"A:A", "A1:A1", "A2:A2", "B:B"}));

    // Under a collapsed node: it opens.
    f.setExpanded(a, false);
    f.select(a);
    trigger(f.w(), "actionInsert");
    EXPECT_TRUE(f.isExpanded(a));
    EXPECT_EQ(f.names(), (QStringList{"A", "A1", "A2", "Item", "B"}));
    EXPECT_EQ(f.current(), f.child(a, 2)) << "the new item is selected";
    EXPECT_EQ(f.w().document().menu().item(3), f.w().document().menu().newItem());

    f.select(f.root());
    trigger(f.w(), "actionInsert");
    EXPECT_EQ(f.names().last(), "Item");
    EXPECT_EQ(f.w().document().menu().itemCount(), 6);
    Q_UNUSED(b)
}

TEST(TreeEditing, DeleteRemovesExactlyTheSubtree)
{
    TreeFixture f;
    Node a = f.add(f.root(), "A");
    Node b = f.add(f.root(), "B");
    f.add(b, "B1");
    Node b2 = f.add(b, "B2");
    f.add(b2, "B2a");
    Node c = f.add(f.root(), "C");
    f.add(c, "C1");

    f.dialogs.answers = {DialogService::No};
    f.select(b);
    trigger(f.w(), "actionDelete");
    EXPECT_EQ(f.names(), (QStringList{"A", "B", "B1", "B2", "B2a", "C", "C1"}));

    f.dialogs.answers = {DialogService::Yes};
    f.select(b);
    trigger(f.w(), "actionDelete");
    EXPECT_EQ(f.dialogs.warnings.last(), "Are you sure to delete this item and all it's children?");
    EXPECT_EQ(f.mirror(), (QStringList{"A:A", "C:C", "C1:C1"}));

    // The subtree that ends the tree.
    f.dialogs.answers = {DialogService::Yes};
    f.select(c);
    trigger(f.w(), "actionDelete");
    EXPECT_EQ(f.mirror(), (QStringList{"A:A"}));

    // The only item.
    f.dialogs.answers = {DialogService::Yes};
    f.select(a);
    trigger(f.w(), "actionDelete");
    EXPECT_EQ(f.mirror(), QStringList());
    EXPECT_EQ(part<MenuTreeView>(f.w(), "TreeView1")->model()->rowCount(), 1);
    EXPECT_EQ(f.childCount(f.root()), 0);
}

TEST(TreeEditing, DeletingTheRootOnlyWarns)
{
    TreeFixture f;
    f.add(f.root(), "A");
    f.select(f.root());
    part<QAction>(f.w(), "actionSave")->setEnabled(false);
    f.dialogs.warnings.clear();
    EXPECT_FALSE(part<QAction>(f.w(), "actionDelete")->isEnabled());
    f.tree()->setFocus();
    QTest::keyClick(f.tree(), Qt::Key_Delete); // the tree's key works even so
    EXPECT_EQ(f.dialogs.warnings, QStringList{"You can't delete root item."});
    EXPECT_EQ(f.dialogs.warningButtons.back(), DialogService::OkOnly);
    EXPECT_EQ(f.names(), QStringList{"A"});
    EXPECT_TRUE(f.w().document().isModified());
    EXPECT_FALSE(part<QAction>(f.w(), "actionDelete")->isEnabled());
}

TEST(TreeEditing, DeleteStoresNoPendingEditsIntoAnotherRecord)
{
    TreeFixture f;
    Node a = f.add(f.root(), "A");
    f.add(f.root(), "B");
    f.select(a);
    part<ItemPage>(f.w(), "TabSheet1")->itemURLEdit->setText("pending.html"); // not stored yet
    f.dialogs.answers = {DialogService::Yes};
    trigger(f.w(), "actionDelete"); // the tree selects B, a selection change with nothing to commit
    ASSERT_EQ(f.w().document().menu().itemCount(), 1);
    EXPECT_EQ(f.w().document().menu().item(0)[ItemField::ItemCaption], "B");
    EXPECT_EQ(f.w().document().menu().item(0)[ItemField::ItemURL], "");
    EXPECT_EQ(part<ItemPage>(f.w(), "TabSheet1")->itemCaptionEdit->text(), "B");
}

TEST(TreeEditing, MovesSwapBlocksAndReverseExactly)
{
    TreeFixture f;
    Node p = f.add(f.root(), "P");
    f.add(p, "P1");
    Node s = f.add(f.root(), "S");
    f.add(s, "S1");
    Node s2 = f.add(s, "S2");
    f.add(f.root(), "T");
    f.setExpanded(s, true);
    f.setExpanded(s2, false);
    const QStringList before = f.mirror();

    f.select(s);
    trigger(f.w(), "actionMoveUp");
    EXPECT_EQ(f.mirror(), (QStringList{"S:S", "S1:S1", "S2:S2", "P:P", "P1:P1", "T:T"}));
    EXPECT_EQ(f.current(), s);
    EXPECT_TRUE(f.isExpanded(s));
    trigger(f.w(), "actionMoveDown");
    EXPECT_EQ(f.mirror(), before);

    // First and last children stay where they are.
    f.select(p);
    trigger(f.w(), "actionMoveUp");
    f.select(f.child(f.root(), 2));
    trigger(f.w(), "actionMoveDown");
    EXPECT_EQ(f.mirror(), before);
    EXPECT_FALSE(part<QAction>(f.w(), "actionMoveDown")->isEnabled());

    // The last sibling moving up past the one before it.
    f.select(f.child(f.root(), 2));
    trigger(f.w(), "actionMoveUp");
    EXPECT_EQ(f.names(), (QStringList{"P", "P1", "T", "S", "S1", "S2"}));
}

TEST(TreeEditing, ReselectingTheSameItemKeepsPageEdits)
{
    TreeFixture f;
    Node a = f.add(f.root(), "A");
    Node b = f.add(f.root(), "B");
    f.select(a);
    part<ItemPage>(f.w(), "TabSheet1")->itemURLEdit->setText("kept.html");
    f.select(f.root());
    EXPECT_TRUE(part<QTabWidget>(f.w(), "PageControl2")->isVisibleTo(&f.w()));
    f.select(a);
    EXPECT_EQ(part<ItemPage>(f.w(), "TabSheet1")->itemURLEdit->text(), "kept.html");
    f.select(b);
    EXPECT_EQ(f.w().document().menu().item(0)[ItemField::ItemURL], "kept.html");
    EXPECT_TRUE(part<QTabWidget>(f.w(), "PageControl1")->isVisibleTo(&f.w()));
}

TEST(TreeEditing, CommandAndFieldStatesFollowTheNode)
{
    TreeFixture f;
    MainWindow &w = f.w();
    ItemPage *page = part<ItemPage>(w, "TabSheet1");
    Node a = f.add(f.root(), "A");
    EXPECT_TRUE(part<QTabWidget>(w, "PageControl1")->isTabVisible(1));
    EXPECT_TRUE(page->itemURLEdit->isEnabled());
    EXPECT_TRUE(page->itemStatusBarTextEdit->isEnabled());
    EXPECT_FALSE(page->separatorButton->isEnabled());
    EXPECT_FALSE(part<FirstLevelItemOptionsPage>(w, "TabSheet2")->itemMenuOffsetXSpin->isEnabled());
    EXPECT_FALSE(part<QAction>(w, "actionMoveUp")->isEnabled());
    EXPECT_TRUE(part<QToolButton>(w, "tlbtnDelete")->isEnabled());

    // A first-level item named "-" is no separator.
    page->itemCaptionEdit->setText("-");
    EXPECT_TRUE(page->itemURLEdit->isEnabled());

    // An item that gains a child loses its link.
    page->itemCaptionEdit->setText("A");
    page->itemURLEdit->setText("a.html");
    f.add(a, "A1");
    f.select(a);
    EXPECT_FALSE(page->itemURLEdit->isEnabled());
    EXPECT_EQ(page->itemURLEdit->text(), "");
    EXPECT_FALSE(page->itemTargetList->isEnabled());
    EXPECT_TRUE(part<FirstLevelItemOptionsPage>(w, "TabSheet2")->itemMenuOffsetXSpin->isEnabled());
    // A disabled field says why in its hint; its own hint comes back when it is enabled.
    const QString statusHint = page->itemStatusBarTextEdit->toolTip();
    EXPECT_EQ(page->itemURLEdit->toolTip(), "An item that opens a menu has no link of its own.");

    // Below the first level: a separator has no link; " - " is not a separator.
    Node a1 = f.child(a, 0);
    f.select(a1);
    EXPECT_FALSE(part<QTabWidget>(w, "PageControl1")->isTabVisible(1));
    EXPECT_FALSE(page->itemStatusBarTextEdit->isEnabled());
    EXPECT_EQ(page->itemStatusBarTextEdit->toolTip(),
              "Only first-level items show a status-bar text.");
    EXPECT_TRUE(page->separatorButton->isEnabled());
    f.select(a);
    EXPECT_EQ(page->itemStatusBarTextEdit->toolTip(), statusHint);
    f.select(a1);
    page->itemURLEdit->setText("x.html");
    page->itemCaptionEdit->setText(" - ");
    EXPECT_EQ(f.caption(a1), "-");
    EXPECT_TRUE(page->itemURLEdit->isEnabled());
    page->separatorButton->click();
    EXPECT_EQ(page->itemCaptionEdit->text(), "-");
    EXPECT_FALSE(page->itemURLEdit->isEnabled());
    EXPECT_EQ(page->itemURLEdit->text(), "");
    EXPECT_TRUE(w.document().isModified());
    EXPECT_EQ(w.document().menu().item(1)[ItemField::ItemCaption], "-");

    // The root: the item pages keep what they show.
    page->itemCaptionEdit->setText("  Spaced  ");
    EXPECT_EQ(f.caption(a1), "Spaced");
    f.select(f.root());
    EXPECT_FALSE(part<QAction>(w, "actionDelete")->isEnabled());
    EXPECT_FALSE(part<QAction>(w, "actionMoveDown")->isEnabled());
    EXPECT_TRUE(part<QAction>(w, "actionInsert")->isEnabled());
    EXPECT_EQ(page->itemCaptionEdit->text(), "  Spaced  ");
    f.select(a);
    EXPECT_EQ(w.document().menu().item(1)[ItemField::ItemCaption], "  Spaced  ");
}

TEST(TreeEditing, MismatchedListIsAClearError)
{
    TreeFixture f;
    Node a = f.add(f.root(), "A");
    f.add(f.root(), "B");
    f.w().document().menu().deleteItems(1, 1); // the list loses a record behind the tree's back
    f.select(a);
    f.dialogs.errors.clear();
    f.select(f.child(f.root(), 1));
    ASSERT_FALSE(f.dialogs.errors.isEmpty());
    EXPECT_TRUE(f.dialogs.errors.first().contains("disagree"));
}

TEST(PageHandlers, DependentFieldsFollowTheirLists)
{
    TreeFixture f;
    MainWindow &w = f.w();
    auto *align = f.find<QComboBox>("spnedtItOvBgImgAlign");
    auto *x = f.find<SpinEdit>("spnedtItOvBgImgX");
    x->setValue(12);
    align->setCurrentIndex(3);
    emit align->activated(3);
    EXPECT_FALSE(x->isEnabled());
    // Disabled: the window's colour, with text that keeps a readable contrast on it.
    const QPalette shown = x->palette();
    EXPECT_EQ(shown.color(QPalette::Disabled, QPalette::Base),
              QApplication::palette().color(QPalette::Window));
    const auto lightness = [&](QPalette::ColorRole role) {
        return shown.color(QPalette::Disabled, role).lightness();
    };
    EXPECT_GT(std::abs(lightness(QPalette::Text) - lightness(QPalette::Base)), 100);
    EXPECT_EQ(x->text(), "12");
    align->setCurrentIndex(0);
    emit align->activated(0);
    EXPECT_TRUE(x->isEnabled());

    auto *style = f.find<QComboBox>("cmbxItClBrdStyle");
    style->setCurrentIndex(0);
    emit style->activated(0);
    EXPECT_FALSE(f.find<SpinEdit>("spnedtItClBrdWidth")->isEnabled());
    EXPECT_FALSE(f.find<ColorPanel>("pnlItClBrdClr")->isEnabled());
    style->setCurrentIndex(2);
    emit style->activated(2);
    EXPECT_TRUE(f.find<ColorPanel>("pnlItClBrdClr")->isEnabled());

    auto *gradient = f.find<QCheckBox>("chckbxMnBgGradientFill");
    auto *fade = f.find<ColorPanel>("pnlMnBgFadeClr");
    fade->setColor(Qt::red);
    gradient->setChecked(true);
    EXPECT_TRUE(fade->isEnabled());
    gradient->setChecked(false);
    EXPECT_FALSE(fade->isEnabled());
    EXPECT_EQ(fade->color(), QColor(Qt::red));
    Q_UNUSED(w)
}

TEST(PageHandlers, ColourDialogAndFilePickers)
{
    TreeFixture f;
    MainWindow &w = f.w();
    auto *panel = f.find<ColorPanel>("pnlApBgClr");
    panel->setColor(Qt::white);
    f.dialogs.colors = {std::nullopt, QColor(0x12, 0x34, 0x56)};
    emit panel->clicked(); // cancelled: nothing changed, nothing to save
    EXPECT_EQ(panel->color(), QColor(Qt::white));
    EXPECT_FALSE(w.document().isModified());
    emit panel->clicked();
    EXPECT_EQ(panel->color(), QColor(0x12, 0x34, 0x56));
    EXPECT_EQ(w.document().menu().appletData()[AppletField::ApBgClr], "123456");
    // From the keyboard: the panel takes the focus, Space asks for the colour, and a screen
    // reader hears it.
    panel->setFocus();
    ASSERT_TRUE(panel->hasFocus());
    f.dialogs.colors = {QColor(0xAB, 0xCD, 0xEF)};
    QTest::keyClick(panel, Qt::Key_Space);
    EXPECT_EQ(w.document().menu().appletData()[AppletField::ApBgClr], "ABCDEF");
    EXPECT_EQ(panel->accessibleDescription(), "Colour ABCDEF");

    QTemporaryDir pictures;
    const QString logo = pictures.path() + "/logo.gif";
    QFile file(logo);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("GIF89a");
    file.close();
    f.add(f.root(), "A");
    f.dialogs.openFiles = {logo, QString(), logo};
    part<FirstLevelItemOptionsPage>(w, "TabSheet2")->itNoIconButton->click();
    EXPECT_EQ(part<FirstLevelItemOptionsPage>(w, "TabSheet2")->itemNoBgImgEdit->text(), "logo.gif");
    EXPECT_TRUE(QFile::exists(QString::fromStdString(w.document().publisher().previewFolder()) +
                              "/logo.gif"));
    // Pictures and sounds of today's browsers, and any file.
    for (const char *pattern : {"*.png", "*.gif", "*.jpeg", "*.webp", "*.svg", "All Files (*)|*"})
        EXPECT_TRUE(f.dialogs.openFilters.last().contains(pattern)) << pattern;
    part<FirstLevelItemOptionsPage>(w, "TabSheet2")
        ->itOvSndButton->click(); // cancelled: nothing happens
    EXPECT_EQ(part<FirstLevelItemOptionsPage>(w, "TabSheet2")->itemOvBgSndEdit->text(), "");
    for (const char *pattern : {"*.mp3", "*.ogg", "*.wav", "*.au", "All Files (*)|*"})
        EXPECT_TRUE(f.dialogs.openFilters.last().contains(pattern)) << pattern;
    EXPECT_EQ(w.document().publisher().stagedFiles(), StringList{"logo.gif"});
    part<FirstLevelItemOptionsPage>(w, "TabSheet2")
        ->itNoIconButton->click(); // the same file is copied again
    EXPECT_EQ(w.document().publisher().stagedFiles(), (StringList{"logo.gif", "logo.gif"}));
    w.document().publisher().clearStaged();
}

TEST(PageHandlers, PickedNamesObeyTheTextRules)
{
    TreeFixture f;
    MainWindow &w = f.w();
    QTemporaryDir sounds;
    const QString hostile = sounds.path() + QString::fromUtf8("/a\nb|c\x1a.au");
    QFile file(hostile);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("AU");
    file.close();
    f.add(f.root(), "A");
    f.dialogs.openFiles = {hostile};
    part<FirstLevelItemOptionsPage>(w, "TabSheet2")->itClSndButton->click();
    EXPECT_EQ(part<FirstLevelItemOptionsPage>(w, "TabSheet2")->itemClBgSndEdit->text(), "abc.au");
    ASSERT_EQ(f.dialogs.warnings.size(), 1);
    EXPECT_TRUE(f.dialogs.warnings[0].contains("\"abc.au\""));
    EXPECT_TRUE(
        QFile::exists(QString::fromStdString(w.document().publisher().previewFolder()) + "/abc.au"))
        << "staged under the shown name";
    EXPECT_EQ(w.document().publisher().stagedFiles(), StringList{"abc.au"});
    // Typed or pasted control characters go as well.
    QApplication::clipboard()->setText(QString("x") + QChar(0x1a) + "y" + QChar(0x85) + "z");
    part<ItemPage>(w, "TabSheet1")->itemCaptionEdit->clear();
    part<ItemPage>(w, "TabSheet1")->itemCaptionEdit->paste();
    EXPECT_EQ(part<ItemPage>(w, "TabSheet1")->itemCaptionEdit->text(), "xyz");
    w.document().publisher().clearStaged();
}

TEST(TreeUndo, ARandomSessionUndoesAndRedoesToTheSameFiles)
{
    TreeFixture f;
    MainWindow &w = f.w();
    auto *undo = f.find<QAction>("actionUndo");
    auto *redo = f.find<QAction>("actionRedo");
    ASSERT_TRUE(undo && redo);
    EXPECT_FALSE(undo->isEnabled());
    EXPECT_FALSE(redo->isEnabled());
    auto saved = [&] { return f.saved(); };

    const Node a = f.add(f.root(), "A");
    f.add(a, "A1");
    f.add(f.add(f.root(), "B"), "B1");
    f.add(f.root(), "C");
    const QByteArray start = saved();

    std::mt19937 rng(7);
    int steps = 0;
    for (int k = 0; k < 60; ++k) {
        const std::vector<Node> nodes = f.shown();
        f.select(nodes[rng() % nodes.size()]);
        QAction *const actions[] = {
            part<QAction>(w, "actionInsert"), part<QAction>(w, "actionDelete"),
            part<QAction>(w, "actionMoveUp"), part<QAction>(w, "actionMoveDown")};
        QAction *act = actions[rng() % 4];
        if (!act->isEnabled())
            continue;
        const bool declined = act == part<QAction>(w, "actionDelete") && rng() % 4 == 0;
        f.dialogs.answers = {declined ? DialogService::No : DialogService::Yes};
        act->trigger();
        f.settle();
        steps += declined ? 0 : 1;
        if (act == part<QAction>(w, "actionDelete") && !declined) {
            EXPECT_TRUE(undo->text().startsWith("&Undo Delete \"")) << undo->text().toStdString();
        }
    }
    ASSERT_GT(steps, 20);
    const QByteArray end = saved();

    for (int k = 0; k < steps; ++k)
        undo->trigger();
    EXPECT_EQ(saved(), start) << "every step undone";
    for (int k = 0; k < steps; ++k)
        redo->trigger();
    EXPECT_EQ(saved(), end) << "every step redone";
    EXPECT_FALSE(redo->isEnabled());

    trigger(w, "actionNew");
    EXPECT_FALSE(undo->isEnabled()) << "a new project starts a new history";
}

TEST(TreeBranches, DropsClipboardMovesAndKeysEachUndoToTheSameFile)
{
    TreeFixture f;
    MainWindow &w = f.w();
    MenuTreeModel *model = part<MenuTreeView>(w, "TreeView1")->menuModel();
    auto saved = [&] { return f.saved(); };
    auto drop = [&](Node dragged, Qt::DropAction action, Node parent, int row) {
        std::unique_ptr<QMimeData> data(model->mimeData({model->indexOf(dragged)}));
        return model->dropMimeData(data.get(), action, row, 0, model->indexOf(parent));
    };
    auto *undo = f.find<QAction>("actionUndo");

    const Node a = f.add(f.root(), "A");
    f.add(a, "A1");
    const Node b = f.add(f.root(), "B");
    part<ItemPage>(w, "TabSheet1")->itemURLEdit->setText("b.html");
    f.add(b, "B1");
    const Node c = f.add(f.root(), "C");
    const QByteArray start = saved();
    int steps = 0;

    // Onto A: B becomes A's last child, its records with it; the dragged node stays selected.
    f.select(b);
    EXPECT_TRUE(drop(b, Qt::MoveAction, a, -1));
    ++steps;
    EXPECT_EQ(f.mirror(), (QStringList{"A:A", "A1:A1", "B:B", "B1:B1", "C:C"}));
    EXPECT_EQ(f.current(), b);
    EXPECT_EQ(undo->text(), "&Undo Move \"B\"");
    // Refused: into its own branch, or beside the root. Nothing changes.
    const QStringList before = f.mirror();
    EXPECT_FALSE(drop(a, Qt::MoveAction, f.child(b, 0), -1));
    std::unique_ptr<QMimeData> beside(model->mimeData({model->indexOf(c)}));
    EXPECT_FALSE(model->canDropMimeData(beside.get(), Qt::MoveAction, 1, 0, QModelIndex()));
    EXPECT_EQ(f.mirror(), before);
    // Ctrl while dropping copies; before C.
    EXPECT_TRUE(drop(b, Qt::CopyAction, f.root(), 1));
    ++steps;
    EXPECT_EQ(f.names(), (QStringList{"A", "A1", "B", "B1", "B", "B1", "C"}));

    // Copy and paste after C, duplicate of A1, cut of C.
    f.select(a);
    part<QAction>(w, "actionCopy")->trigger();
    f.select(c);
    part<QAction>(w, "actionPaste")->trigger();
    ++steps;
    f.select(f.child(a, 0));
    part<QAction>(w, "actionDuplicate")->trigger();
    ++steps;
    EXPECT_EQ(f.names(),
              (QStringList{"A", "A1", "A1", "B", "B1", "B", "B1", "C", "A", "A1", "B", "B1"}));
    const auto &items = w.document().menu().items();
    for (int pos = ItemField::ItemCaption; pos <= ItemField::ItemMenuOffsetY; ++pos)
        EXPECT_EQ(items[10][pos], items[3][pos]) << "a copy holds the same record, field " << pos;
    f.select(c);
    part<QAction>(w, "actionCut")->trigger();
    ++steps;
    EXPECT_EQ(f.current(), f.child(f.root(), 2)) << "the next sibling";

    // Move Right into the item before, Move Left back out, by their keys.
    f.select(f.child(f.root(), 1));
    EXPECT_TRUE(part<QAction>(w, "actionMoveRight")->isEnabled());
    part<QAction>(w, "actionMoveRight")->trigger();
    ++steps;
    EXPECT_EQ(f.childCount(a), 4);
    EXPECT_TRUE(part<QAction>(w, "actionMoveLeft")->isEnabled());
    part<QAction>(w, "actionMoveLeft")->trigger();
    ++steps;
    EXPECT_EQ(f.childCount(a), 3);
    // The tree's own keys.
    part<MenuTreeView>(w, "TreeView1")->setFocus();
    QTest::keyClick(part<MenuTreeView>(w, "TreeView1"), Qt::Key_Insert);
    ++steps;
    EXPECT_EQ(f.caption(f.current()), "Item") << "the new item is selected";
    const Node moving = f.current();
    const int place = w.document().tree().indexOf(moving);
    ASSERT_GT(place, 0);
    QTest::keyClick(part<MenuTreeView>(w, "TreeView1"), Qt::Key_Up, Qt::ControlModifier);
    ++steps;
    EXPECT_EQ(w.document().tree().indexOf(moving), place - 1);

    // Text that is no branch: a message, and nothing changes.
    const QByteArray middle = saved();
    QApplication::clipboard()->setText("Home\nAbout");
    EXPECT_FALSE(part<QAction>(w, "actionPaste")->isEnabled()) << "nothing to paste";
    QApplication::clipboard()->setText(
        "--------------- Structure Description Start ---------------\n"
        "Home\n");
    EXPECT_TRUE(part<QAction>(w, "actionPaste")->isEnabled());
    const int warnings = f.dialogs.warnings.size();
    part<QAction>(w, "actionPaste")->trigger();
    EXPECT_EQ(f.dialogs.warnings.size(), warnings + 1);
    EXPECT_EQ(saved(), middle);

    while (undo->isEnabled() && steps-- > 0)
        undo->trigger();
    EXPECT_EQ(saved(), start);
}

// An item that gets children loses its link (the page empties it); the same undo step gives
// it back, whichever command gave the children, and the saved file says so.
TEST(TreeUndo, ALinkEmptiedByGivingChildrenComesBackWithUndo)
{
    TreeFixture f;
    MainWindow &w = f.w();
    auto *url = part<ItemPage>(w, "TabSheet1")->itemURLEdit;
    const Node home = f.add(f.root(), "Home");
    url->setText("home.html");
    const Node next = f.add(f.root(), "Next");
    url->setText("next.html");
    const QByteArray start = f.saved();
    auto link = [&](Node node) {
        return std::string(w.document().tree().record(node)[ItemField::ItemURL]);
    };
    const std::function<void()> commands[] = {
        [&] {
            f.select(home);
            trigger(w, "actionInsert");
        },
        [&] {
            f.select(next);
            trigger(w, "actionMoveRight");
        },
        [&] {
            MenuTreeModel *model = part<MenuTreeView>(w, "TreeView1")->menuModel();
            std::unique_ptr<QMimeData> data(model->mimeData({model->indexOf(next)}));
            model->dropMimeData(data.get(), Qt::CopyAction, -1, 0, model->indexOf(home));
        },
    };
    for (const auto &command : commands) {
        QUndoStack *history = w.findChild<QUndoStack *>();
        ASSERT_TRUE(history);
        const int before = history->index();
        command();
        EXPECT_EQ(link(home), "");
        EXPECT_TRUE(w.document().isModified());
        while (history->index() > before)
            trigger(w, "actionUndo");
        EXPECT_EQ(link(home), "home.html");
        EXPECT_EQ(link(next), "next.html");
        EXPECT_FALSE(w.document().isModified());
        EXPECT_EQ(f.saved(), start);
    }
    f.select(home);
    EXPECT_EQ(url->text(), "home.html") << "the page shows it again";
}

// A branch that leaves the tree and comes back by undo or redo opens as it was.
TEST(TreeUndo, BranchesKeepTheirOpenNodes)
{
    TreeFixture f;
    const Node a = f.add(f.root(), "A");
    const Node a1 = f.add(a, "A1");
    f.add(a1, "A11");
    const Node b = f.add(f.root(), "B");
    f.add(b, "B1");
    f.setExpanded(a, true);
    f.setExpanded(a1, true);
    f.setExpanded(b, false);
    f.select(a);
    f.dialogs.answers = {DialogService::Yes};
    trigger(f.w(), "actionDelete");
    trigger(f.w(), "actionUndo");
    // The branch came back as new nodes of the same identity: found again by place.
    EXPECT_TRUE(f.isExpanded(f.child(f.root(), 0)));
    EXPECT_TRUE(f.isExpanded(f.child(f.child(f.root(), 0), 0)));
    EXPECT_FALSE(f.isExpanded(b));
    f.select(b);
    trigger(f.w(), "actionInsert"); // B opens for its new item
    f.setExpanded(b, true);
    trigger(f.w(), "actionUndo");
    trigger(f.w(), "actionRedo");
    EXPECT_TRUE(f.isExpanded(b));

    // A branch larger than the set of nodes ever opened, with an open node under a closed one.
    const Node c = f.add(f.root(), "C");
    const Node c1 = f.add(c, "C1");
    f.add(c1, "C11");
    for (int k = 2; k <= 8; ++k)
        f.add(c, QString("C%1").arg(k));
    f.setExpanded(c, true);
    f.setExpanded(c1, true);
    f.setExpanded(c, false);
    f.select(c);
    f.dialogs.answers = {DialogService::Yes};
    trigger(f.w(), "actionDelete");
    trigger(f.w(), "actionUndo");
    const Node back = f.child(f.root(), 2);
    EXPECT_FALSE(f.isExpanded(back));
    EXPECT_TRUE(f.isExpanded(f.child(back, 0))) << "open under a closed node, as before";
}

// Ctrl+Z, Ctrl+Y and Ctrl+Shift+Z go to the document's history wherever the focus is; a word
// typed with a refused character in it is one step.
TEST(TreeUndo, TheHistoryKeysWorkInEveryField)
{
    TreeFixture f;
    MainWindow &w = f.w();
    QApplication::setActiveWindow(&w);
    auto *width = f.find<SpinEdit>("spnedtApWidth");
    auto *height = f.find<SpinEdit>("spnedtApHeight")->findChild<QLineEdit *>();
    f.select(f.root());
    width->setFocus();
    width->setValue(300);
    height->setFocus(); // another field: the edit is over
    // Steps are named in the page's words, after the field that changed.
    EXPECT_EQ(f.find<QAction>("actionUndo")->text(), "&Undo Applet Dimensions Width");
    QTest::keyClick(height, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(width->value(), 400);
    EXPECT_EQ(w.document().menu().appletData()[AppletField::ApWidth], "400");
    QTest::keyClick(height, Qt::Key_Y, Qt::ControlModifier);
    EXPECT_EQ(w.document().menu().appletData()[AppletField::ApWidth], "300");

    const Node item = f.add(f.root(), "Old");
    auto *caption = part<ItemPage>(w, "TabSheet1")->itemCaptionEdit;
    f.select(item);
    caption->setFocus();
    caption->selectAll();
    QTest::keyClicks(caption, "ab|cd");
    EXPECT_EQ(caption->text(), "abcd");
    EXPECT_EQ(f.find<QAction>("actionUndo")->text(), "&Undo Caption");
    QTest::keyClick(caption, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(caption->text(), "Old") << "one step for the word";
    EXPECT_TRUE(f.find<QAction>("actionRedo")->isEnabled());
    QTest::keyClick(caption, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(caption->text(), "abcd");
    EXPECT_EQ(w.document().tree().caption(item), "abcd");
}

TEST(TreeUndo, PageEditsAndTreeStepsUndoToTheStartAndRedoToTheEnd)
{
    TreeFixture f;
    MainWindow &w = f.w();
    auto *undo = f.find<QAction>("actionUndo");
    auto *redo = f.find<QAction>("actionRedo");
    auto saved = [&] { return f.saved(); };
    f.add(f.add(f.root(), "A"), "A1");
    f.add(f.root(), "B");
    const QByteArray start = saved();
    // Opened afresh: the history starts here.
    w.project().openProjectFile(f.savesFolder.path() + "/s1.tvl");
    EXPECT_FALSE(w.document().isModified());
    EXPECT_FALSE(undo->isEnabled());
    const Node a = f.child(f.root(), 0);

    // Looking around changes nothing.
    f.select(a);
    f.select(f.root());
    f.dialogs.colors = {std::nullopt};
    emit f.find<ColorPanel>("pnlApBgClr")->clicked();
    f.dialogs.answers = {DialogService::No};
    f.select(a);
    trigger(w, "actionDelete");
    EXPECT_FALSE(w.document().isModified());
    EXPECT_FALSE(undo->isEnabled());

    std::mt19937 rng(11);
    for (int k = 0; k < 40; ++k) {
        const std::vector<Node> nodes = f.shown();
        f.select(nodes[1 + rng() % (nodes.size() - 1)]);
        switch (rng() % 7) {
        case 0: { // typing in a text field, one step
            QLineEdit *caption = part<ItemPage>(w, "TabSheet1")->itemCaptionEdit;
            caption->setFocus();
            caption->end(false);
            QTest::keyClicks(caption, QString("x%1").arg(k));
            break;
        }
        case 1:
            f.find<QLineEdit>("edtItemStatusBarText")->setText(QString("status %1").arg(k));
            break;
        case 2:
            f.find<SpinEdit>("spnedtApWidth")->setValue(300 + k);
            break;
        case 3:
            f.dialogs.colors = {QColor(k * 5, 100, 200)};
            emit f.find<ColorPanel>("pnlItOvBgClr")->clicked();
            break;
        case 4:
            f.find<QCheckBox>("chckbxMnBgTransparent")->click();
            break;
        case 5:
            part<QAction>(w, "actionInsert")->trigger();
            break;
        default:
            if (part<QAction>(w, "actionMoveUp")->isEnabled())
                part<QAction>(w, "actionMoveUp")->trigger();
        }
        f.settle();
    }
    EXPECT_TRUE(w.document().isModified());
    const QByteArray end = saved();
    EXPECT_FALSE(w.document().isModified()) << "saved";

    while (undo->isEnabled())
        undo->trigger();
    EXPECT_EQ(saved(), start) << "every step undone";
    while (redo->isEnabled())
        redo->trigger();
    EXPECT_EQ(saved(), end) << "every step redone";
    undo->trigger();
    EXPECT_TRUE(w.document().isModified());
    redo->trigger();
    EXPECT_FALSE(w.document().isModified()) << "back at the saved state";
}

// Captions too deep or too long for the tree's width scroll sideways instead of being cut off.
TEST(TreeEditing, DeepCaptionsScrollSideways)
{
    TreeFixture f;
    Node node = f.root();
    for (int level = 1; level <= 12; ++level)
        node = f.add(node, "A rather long caption at level " + QString::number(level));
    f.select(node);
    f.settle();
    auto *tree = part<MenuTreeView>(f.w(), "TreeView1");
    EXPECT_GT(tree->horizontalScrollBar()->maximum(), 0);
    EXPECT_GE(tree->header()->sectionSize(0), tree->viewport()->width());
}
