// The property pages over the document: building the tabs, showing the document's values,
// and turning each edit of a field into one command.

#include "PropertyPanel.h"

#include "document/AppletData.h"
#include "editor/FieldRules.h"
#include "editor/pages/AppletPages.h"
#include "editor/pages/FieldPage.h"
#include "editor/pages/ItemLookGroup.h"
#include "editor/pages/ItemPages.h"
#include "editor/pages/LookPages.h"
#include "editor/pages/MenuPages.h"
#include "editor/widgets/ColorPanel.h"
#include "editor/widgets/SpinEdit.h"
#include "editor/widgets/TextEdit.h"
#include "platform/Dialogs.h"
#include "platform/Help.h"

#include <algorithm>
#include <map>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QStackedWidget>
#include <QTabBar>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>
#include <stdexcept>

namespace {
constexpr int FirstLevelTab = 1;
} // namespace

PropertyPanel::PropertyPanel(EditorDocument &document, DialogService &dialogs, QWidget *parent)
    : QObject(parent), document_(document), dialogs_(dialogs)
{
    setObjectName("propertyPanel");
    buildTabs(parent);
    wireFields();
    wireDependentFields();
    nameControls();
    connect(&document_, &EditorDocument::appletChanged, this, &PropertyPanel::onAppletChanged);
    connect(&document_, &EditorDocument::itemChanged, this, &PropertyPanel::onItemChanged);
    connect(&document_, &EditorDocument::fieldRevisited, this, &PropertyPanel::onFieldRevisited);
    connect(&document_, &EditorDocument::reset, this, &PropertyPanel::onReset);
    connect(&document_, &EditorDocument::branchAboutToLeave, this, [this](ItemTree::Node top) {
        // The fields of an item that leaves the tree are no longer shown for it.
        const ItemTree::Node shown = document_.tree().find(shownItem_);
        if (shown && document_.tree().contains(top, shown))
            shownItem_ = 0;
    });
    // Typing in one field is one step until the field is left.
    connect(qApp, &QApplication::focusChanged, this, [this] { ++editSeries_; });
    onReset();
}

void PropertyPanel::buildTabs(QWidget *parent)
{
    appletTabs_ = new QTabWidget(parent);
    appletTabs_->setObjectName("PageControl2");
    appletPage_ = new AppletSettingsPage;
    moreAppletPage_ = new MoreAppletSettingsPage;
    firstLevelTabs_ = new QTabWidget;
    firstLevelTabs_->setObjectName("PageControl3");
    menuPage_ = new MenuPage;
    normalPage_ = new ItemStatePage("ItNo", AppletField::ItemNormalBlock);
    overPage_ = new ItemStatePage("ItOv", AppletField::ItemOverBlock);
    clickedPage_ = new ItemStatePage("ItCl", AppletField::ItemClickedBlock);
    firstLevelTabs_->addTab(menuPage_, tr("Menu"));
    firstLevelTabs_->addTab(normalPage_, tr("Item Normal Status"));
    firstLevelTabs_->addTab(overPage_, tr("Item Mouse Over Status"));
    firstLevelTabs_->addTab(clickedPage_, tr("Item Clicked Status"));
    auto *firstLevel = new QWidget;
    auto *firstLevelLayout = new QVBoxLayout(firstLevel);
    firstLevelLayout->setContentsMargins(2, 2, 2, 2);
    firstLevelLayout->addWidget(firstLevelTabs_);
    popupPage_ = new PopupMenuPage;
    for (auto [page, name] : {std::pair<QWidget *, const char *>{appletPage_, "pagAppletSettings"},
                              {moreAppletPage_, "pagMoreAppletSettings"},
                              {menuPage_, "pagMenu"},
                              {normalPage_, "pagItemNormal"},
                              {overPage_, "pagItemOver"},
                              {clickedPage_, "pagItemClicked"},
                              {popupPage_, "pagPopupMenu"}})
        page->setObjectName(QLatin1String(name));
    appletTabs_->addTab(appletPage_, tr("Applet Settings"));
    appletTabs_->addTab(moreAppletPage_, tr("More Applet Settings"));
    appletTabs_->addTab(firstLevel, tr("First-Level Menu Only"));
    appletTabs_->addTab(popupPage_, tr("Popup Menu Only"));
    menuLookPage_ = new MenuLookPage(document_, dialogs_);
    appletTabs_->addTab(menuLookPage_, tr("Menu Look"));
    popupLookPage_ = new PopupLookPage(document_, dialogs_);
    appletTabs_->addTab(popupLookPage_, tr("Popup Look"));

    itemTabs_ = new QTabWidget(parent);
    itemTabs_->setObjectName("PageControl1");
    itemPage_ = new ItemPage;
    itemPage_->setObjectName("TabSheet1");
    itemLookGroup_ = new ItemLookGroup(document_, dialogs_);
    itemPage_->addGroup(itemLookGroup_);
    firstLevelPage_ = new FirstLevelItemOptionsPage;
    firstLevelPage_->setObjectName("TabSheet2");
    itemTabs_->addTab(itemPage_, tr("Item"));
    itemTabs_->addTab(firstLevelPage_, tr("First Level Item Options"));
    itemTabs_->hide();
    // Every tab on one strip: a slightly smaller caption, elided only where nothing helps.
    for (QTabWidget *tabs : {itemTabs_, appletTabs_, firstLevelTabs_}) {
        tabs->setUsesScrollButtons(false);
        tabs->setElideMode(Qt::ElideRight);
        QFont tabFont = parent->font();
        tabFont.setPixelSize(10);
        tabs->tabBar()->setFont(tabFont);
    }
    // The applet's tabs and the item's take the same place; one of them shows at a time.
    auto *layout = new QGridLayout(parent);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(appletTabs_, 0, 0);
    layout->addWidget(itemTabs_, 0, 0);
}

std::vector<std::pair<QWidget *, const char *>> PropertyPanel::helpTopics() const
{
    using namespace HelpTopic;
    return {{appletPage_, AppletSettings},
            {moreAppletPage_, MoreAppletSettings},
            {menuPage_, FirstLevelMenu},
            {normalPage_, ItemStates},
            {overPage_, ItemStates},
            {clickedPage_, ItemStates},
            {popupPage_, PopupMenus},
            {menuLookPage_, Look},
            {popupLookPage_, Look},
            {itemLookGroup_, Look},
            {itemPage_, Item},
            {firstLevelPage_, FirstLevelItemOptions}};
}

std::vector<FieldPage *> PropertyPanel::appletPages() const
{
    return {appletPage_, moreAppletPage_, menuPage_, normalPage_,
            overPage_,   clickedPage_,    popupPage_};
}

const PageFields &PropertyPanel::appletFields()
{
    if (!appletFields_.empty())
        return appletFields_;
    for (const FieldPage *page : appletPages())
        appletFields_.insert(appletFields_.end(), page->fields().begin(), page->fields().end());
    // Every field the author edits has exactly one control.
    std::vector<int> shown;
    for (const PageField &field : appletFields_)
        shown.push_back(field.position);
    std::sort(shown.begin(), shown.end());
    for (const AppletFieldInfo &info : appletFieldTable()) {
        const FieldKind kind = appletFieldKind(info.position);
        const bool edited = kind != FieldKind::Count && kind != FieldKind::Reserved &&
                            info.position != AppletField::ApBgSnd;
        if (edited != std::binary_search(shown.begin(), shown.end(), info.position))
            throw std::logic_error("applet field " + std::to_string(info.position) +
                                   " is not shown by exactly one control");
    }
    return appletFields_;
}

const PageField *PropertyPanel::field(Record record, int position)
{
    auto find = [position](const PageFields &fields) -> const PageField * {
        auto found = std::find_if(fields.begin(), fields.end(), [position](const PageField &f) {
            return f.position == position;
        });
        return found == fields.end() ? nullptr : &*found;
    };
    if (record == Record::Applet)
        return find(appletFields());
    const PageField *shown = find(itemPage_->fields());
    return shown ? shown : find(firstLevelPage_->fields());
}

QString PropertyPanel::caption(Record record, int position)
{
    const PageField *shown = field(record, position);
    return shown ? FieldPage::caption(*shown) : QString();
}

void PropertyPanel::wireFields()
{
    for (FieldPage *page : appletPages())
        connect(page, &FieldPage::fieldEdited, this,
                [this](int position) { onFieldEdited(Record::Applet, position); });
    for (FieldPage *page : std::initializer_list<FieldPage *>{itemPage_, firstLevelPage_})
        connect(page, &FieldPage::fieldEdited, this,
                [this](int position) { onFieldEdited(Record::Item, position); });
    for (const PageField &shown : appletFields()) {
        if (auto *const *panel = std::get_if<ColorPanel *>(&shown.control))
            connect(*panel, &ColorPanel::clicked, this,
                    [this, panel = *panel, position = shown.position] {
                        chooseColor(panel, position);
                    });
    }
    const std::pair<QToolButton *, QLineEdit *> pictures[] = {
        {appletPage_->apBgImgButton, appletPage_->apBgImgEdit},
        {firstLevelPage_->itNoIconButton, firstLevelPage_->itemNoBgImgEdit},
        {firstLevelPage_->itOvIconButton, firstLevelPage_->itemOvBgImgEdit},
        {firstLevelPage_->itClIconButton, firstLevelPage_->itemClBgImgEdit}};
    for (auto [button, target] : pictures)
        connect(button, &QToolButton::clicked, this,
                [this, target = target] { pickFile(target, true); });
    const std::pair<QToolButton *, QLineEdit *> sounds[] = {
        {firstLevelPage_->itOvSndButton, firstLevelPage_->itemOvBgSndEdit},
        {firstLevelPage_->itClSndButton, firstLevelPage_->itemClBgSndEdit}};
    for (auto [button, target] : sounds)
        connect(button, &QToolButton::clicked, this,
                [this, target = target] { pickFile(target, false); });
    connect(itemPage_->separatorButton, &QPushButton::clicked, this,
            [this] { itemPage_->itemCaptionEdit->setText(QStringLiteral("-")); });
}

// What a screen reader says for each control: the label beside it, within its group where the
// group is named; never its value or its object name.
void PropertyPanel::nameControls()
{
    std::vector<FieldPage *> pages = appletPages();
    pages.insert(pages.end(), {itemPage_, firstLevelPage_});
    for (const FieldPage *page : pages) {
        for (const PageField &shown : page->fields()) {
            const QString name = FieldPage::caption(shown);
            if (const auto *font = std::get_if<FontButtons>(&shown.control)) {
                font->bold->setAccessibleName(tr("Bold"));
                font->italic->setAccessibleName(tr("Italic"));
                continue;
            }
            QWidget *control = FieldPage::widgetOf(shown);
            control->setAccessibleName(name);
            if (auto *list = qobject_cast<QComboBox *>(control); list && list->lineEdit())
                list->lineEdit()->setAccessibleName(name);
        }
    }
    const std::pair<QToolButton *, QWidget *> pickers[] = {
        {appletPage_->apBgImgButton, appletPage_->apBgImgEdit},
        {firstLevelPage_->itNoIconButton, firstLevelPage_->itemNoBgImgEdit},
        {firstLevelPage_->itOvIconButton, firstLevelPage_->itemOvBgImgEdit},
        {firstLevelPage_->itClIconButton, firstLevelPage_->itemClBgImgEdit},
        {firstLevelPage_->itOvSndButton, firstLevelPage_->itemOvBgSndEdit},
        {firstLevelPage_->itClSndButton, firstLevelPage_->itemClBgSndEdit}};
    for (auto [button, field] : pickers)
        button->setAccessibleName(tr("Choose %1").arg(field->accessibleName()));
}

void PropertyPanel::onFieldEdited(Record record, int position)
{
    if (loading_)
        return;
    const PageField *edited = field(record, position);
    const ItemTree::Node item = document_.tree().find(shownItem_);
    if (!edited || (record == Record::Item && !item))
        return;
    const std::string value = FieldPage::storeField(*edited);
    const std::string before(record == Record::Applet ? document_.menu().appletData()[position]
                                                      : document_.tree().record(item)[position]);
    if (value == before)
        return;
    if (value.size() > MaxValueBytes) {
        // A value longer than a project file holds (a large paste) goes back as it was: it
        // could be kept in the editor but never saved.
        {
            const Loading loading(*this);
            FieldPage::loadField(*edited, before);
        }
        dialogs_.warning(FieldPage::widgetOf(*edited)->window(),
                         tr("\"%1\" would be longer than %L2 bytes, more than a project "
                            "file holds. It was not changed.")
                             .arg(caption(record, position))
                             .arg(qulonglong(MaxValueBytes)),
                         DialogService::OkOnly);
        return;
    }
    edited_ = position;
    try {
        document_.editFields(record, record == Record::Item ? shownItem_ : 0,
                             {{position, before, value}}, caption(record, position), editSeries_);
    } catch (...) {
        edited_ = 0;
        throw;
    }
    edited_ = 0;
}

void PropertyPanel::onAppletChanged(const std::vector<int> &positions)
{
    if (loading_)
        return;
    {
        const Loading loading(*this);
        const AppletRecord data = document_.menu().appletData();
        for (int position : positions) {
            const PageField *shown = field(Record::Applet, position);
            if (shown && position != edited_)
                FieldPage::loadField(*shown, data[position]);
        }
    }
    updateDependentFields();
}

void PropertyPanel::onItemChanged(MenuTree::Id item, const std::vector<int> &positions)
{
    const ItemTree::Node node = document_.tree().find(item);
    if (loading_ || item != shownItem_ || !node)
        return;
    {
        const Loading loading(*this);
        const ItemRecord &record = document_.tree().record(node);
        for (int position : positions) {
            const PageField *shown = field(Record::Item, position);
            if (shown && position != edited_)
                FieldPage::loadField(*shown, record[position]);
        }
    }
    updateItemFields();
}

void PropertyPanel::onFieldRevisited(Record record, int position)
{
    if (const PageField *shown = field(record, position))
        showControl(FieldPage::widgetOf(*shown));
}

void PropertyPanel::showControl(QWidget *control)
{
    // Every tab on the way to the control comes to the front.
    for (QWidget *w = control; w; w = w->parentWidget()) {
        auto *stack = qobject_cast<QStackedWidget *>(w->parentWidget());
        if (auto *tabs = stack ? qobject_cast<QTabWidget *>(stack->parentWidget()) : nullptr)
            tabs->setCurrentWidget(w);
    }
}

void PropertyPanel::onReset()
{
    shownItem_ = 0;
    loadApplet();
    updateDependentFields();
}

void PropertyPanel::adoptShown(Record record, MenuTree::Id item, const PageFields &fields,
                               const std::vector<std::string> &stored)
{
    EditorDocument::FieldChanges changes;
    for (std::size_t i = 0; i < fields.size(); ++i) {
        std::string shown = FieldPage::storeField(fields[i]);
        if (shown != stored[i])
            changes.push_back({fields[i].position, stored[i], std::move(shown)});
    }
    document_.adoptShownValues(record, item, changes);
}

void PropertyPanel::loadApplet()
{
    const Loading loading(*this);
    const AppletRecord data = document_.menu().appletData();
    std::map<int, const PageField *> byPosition;
    for (const PageField &shown : appletFields())
        byPosition[shown.position] = &shown;
    for (int position : FieldRules::appletLoadOrder()) {
        if (auto found = byPosition.find(position); found != byPosition.end())
            FieldPage::loadField(*found->second, data[position]);
    }
    std::vector<std::string> stored;
    for (const PageField &shown : appletFields())
        stored.emplace_back(data[shown.position]);
    adoptShown(Record::Applet, 0, appletFields(), stored);
}

void PropertyPanel::loadItem(ItemTree::Node node)
{
    const Loading loading(*this);
    const ItemRecord record = document_.tree().record(node);
    for (FieldPage *page : std::initializer_list<FieldPage *>{itemPage_, firstLevelPage_}) {
        page->load(record);
        std::vector<std::string> stored;
        for (const PageField &shown : page->fields())
            stored.emplace_back(record[shown.position]);
        adoptShown(Record::Item, document_.tree().id(node), page->fields(), stored);
    }
}

void PropertyPanel::showPagesFor(ItemTree::Node node)
{
    const bool root = node && !document_.tree().parent(node);
    appletTabs_->setVisible(root);
    itemTabs_->setVisible(!root);
}

void PropertyPanel::showCurrentNode()
{
    const ItemTree::Node node = document_.currentNode();
    if (!node)
        return;
    showPagesFor(node);
    // The item's tabs keep the last item's values while the root is current.
    if (!document_.tree().parent(node))
        return;
    if (shownItem_ != document_.tree().id(node)) {
        shownItem_ = document_.tree().id(node);
        loadItem(node);
        itemLookGroup_->showItem(shownItem_);
    }
    updateItemFields();
}

void PropertyPanel::updateItemFields()
{
    const MenuTree &tree = document_.tree();
    const ItemTree::Node node = tree.find(shownItem_);
    if (!node || node != document_.currentNode())
        return;
    const Loading loading(*this); // emptying a field that a rule disables is no edit
    const bool firstLevel = tree.level(node) == 1;
    const bool hasChildren = tree.childCount(node) > 0;
    const bool separator = itemPage_->itemCaptionEdit->text() == QLatin1String("-");
    itemTabs_->setTabVisible(FirstLevelTab, firstLevel);

    const bool linked = (!separator || firstLevel) && !hasChildren;
    const QString noLink = hasChildren ? tr("An item that opens a menu has no link of its own.")
                                       : tr("A separator has no link.");
    FieldRules::setFieldEnabled(itemPage_->itemURLEdit, linked);
    FieldRules::setFieldEnabled(itemPage_->itemTargetList, linked);
    explainDisabled(itemPage_->itemURLEdit, linked, noLink);
    explainDisabled(itemPage_->itemTargetList, linked, noLink);
    if (!linked && !itemPage_->itemURLEdit->text().isEmpty()) {
        // An item that opens a menu, or a separator, has no link: a save stores none.
        itemPage_->itemURLEdit->setText(QString());
        const std::string url(tree.record(node)[ItemField::ItemURL]);
        document_.adoptShownValues(Record::Item, shownItem_, {{ItemField::ItemURL, url, ""}});
    }
    itemPage_->separatorButton->setEnabled(!firstLevel && !hasChildren);
    explainDisabled(itemPage_->separatorButton, !firstLevel && !hasChildren,
                    firstLevel ? tr("A first-level item cannot be a separator.")
                               : tr("An item that opens a menu cannot be a separator."));
    FieldRules::setFieldEnabled(itemPage_->itemStatusBarTextEdit, firstLevel);
    explainDisabled(itemPage_->itemStatusBarTextEdit, firstLevel,
                    tr("Only first-level items show a status-bar text."));
    for (SpinEdit *offset :
         {firstLevelPage_->itemMenuOffsetXSpin, firstLevelPage_->itemMenuOffsetYSpin}) {
        offset->setEnabled(!firstLevel || hasChildren);
        explainDisabled(offset, !firstLevel || hasChildren,
                        tr("The offset places this item's menu; it opens none."));
    }
}

// A disabled field's hint says why it is disabled; enabled, it shows its own hint again.
void PropertyPanel::explainDisabled(QWidget *field, bool enabled, const QString &reason)
{
    static const char *const OwnHint = "ownHint";
    if (!field->property(OwnHint).isValid())
        field->setProperty(OwnHint, field->toolTip());
    field->setToolTip(enabled ? field->property(OwnHint).toString() : reason);
}

void PropertyPanel::editCaption()
{
    if (itemPage_->isVisible()) {
        itemPage_->itemCaptionEdit->setFocus();
        itemPage_->itemCaptionEdit->selectAll();
    }
}
