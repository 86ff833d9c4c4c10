#pragma once

#include "document/MenuTree.h"
#include "editor/EditorDocument.h"
#include "editor/pages/PageFields.h"
#include "editor/pages/PageGroups.h"

#include <QObject>
#include <string>
#include <vector>

class AppletSettingsPage;
class ColorPanel;
class DialogService;
class FieldPage;
class FirstLevelItemOptionsPage;
class ItemLookGroup;
class ItemPage;
class ItemStatePage;
class MenuPage;
class MoreAppletSettingsPage;
class MenuLookPage;
class PopupLookPage;
class PopupMenuPage;
class QCheckBox;
class QComboBox;
class QLineEdit;
class QTabWidget;
class QToolButton;
class QWidget;
class SpinEdit;

// The property pages: the applet's tabs while the root is current, an item's tabs while an
// item is. They show what the document holds; an edit the author makes on a field becomes
// one command on the document, and what the document then signals is shown again.
class PropertyPanel : public QObject
{
    Q_OBJECT

public:
    // The tabs are made in parent, which they fill.
    PropertyPanel(EditorDocument &document, DialogService &dialogs, QWidget *parent);
    // Shows the tabs of the document's current node and, for an item, its fields.
    void showCurrentNode();
    // Enables the item's fields that apply to it where it stands in the tree.
    void updateItemFields();
    // Every applet field shown again from the document; a malformed value stops the load at
    // its field and throws.
    void loadApplet();
    // The caption field in front, selected, as F2 in the tree asks.
    void editCaption();

    QTabWidget *appletTabs() const { return appletTabs_; }
    QTabWidget *itemTabs() const { return itemTabs_; }
    // The help topics of the tab pages, by page.
    std::vector<std::pair<QWidget *, const char *>> helpTopics() const;

private:
    using Record = EditorDocument::Record;
    // While fields are loaded, the controls' notifications are no edits.
    class Loading
    {
    public:
        explicit Loading(PropertyPanel &panel) : panel_(panel) { ++panel_.loading_; }
        ~Loading() { --panel_.loading_; }
        Loading(const Loading &) = delete;
        Loading &operator=(const Loading &) = delete;

    private:
        PropertyPanel &panel_;
    };

    void buildTabs(QWidget *parent);
    void wireFields();
    void wireDependentFields();
    void nameControls();
    const PageFields &appletFields();
    std::vector<FieldPage *> appletPages() const;
    const PageField *field(Record record, int position);
    QString caption(Record record, int position);

    void onFieldEdited(Record record, int position);
    void onAppletChanged(const std::vector<int> &positions);
    void onItemChanged(MenuTree::Id item, const std::vector<int> &positions);
    void onFieldRevisited(Record record, int position);
    void onReset();
    void loadItem(ItemTree::Node node);
    // Takes over the values as the controls show them, where their form differs.
    void adoptShown(Record record, MenuTree::Id item, const PageFields &fields,
                    const std::vector<std::string> &stored);
    void showPagesFor(ItemTree::Node node);
    void explainDisabled(QWidget *field, bool enabled, const QString &reason);
    void showControl(QWidget *control);

    void chooseColor(ColorPanel *panel, int position);
    void pickFile(QLineEdit *field, bool picture);
    void updateDependentFields();
    void updateFadePanel(QCheckBox *box, ColorPanel *panel);
    void updateImagePosition(const PageKit::ImagePlacement &placement);
    void updateBorder(const PageKit::BorderControls &border);

    EditorDocument &document_;
    DialogService &dialogs_;
    QTabWidget *appletTabs_;
    QTabWidget *firstLevelTabs_;
    QTabWidget *itemTabs_;
    AppletSettingsPage *appletPage_;
    MoreAppletSettingsPage *moreAppletPage_;
    MenuPage *menuPage_;
    ItemStatePage *normalPage_;
    ItemStatePage *overPage_;
    ItemStatePage *clickedPage_;
    PopupMenuPage *popupPage_;
    MenuLookPage *menuLookPage_;
    PopupLookPage *popupLookPage_;
    ItemPage *itemPage_;
    ItemLookGroup *itemLookGroup_;
    FirstLevelItemOptionsPage *firstLevelPage_;
    PageFields appletFields_;

    int loading_ = 0;
    int edited_ = 0;             // the position being edited, which shows its value already
    int editSeries_ = 0;         // a new series each time the focus moves
    MenuTree::Id shownItem_ = 0; // the item whose fields the item's tabs show
};
