#pragma once

#include "document/MenuLayout.h"
#include "editor/preview/QtCaptionMeasure.h"

#include <QHash>
#include <QImage>
#include <QPoint>
#include <QSize>
#include <QString>
#include <vector>

class QPainter;

// What is lit and open in a drawn menu.
struct MenuView
{
    int hover = -1; // the first-level item under the pointer or with the keyboard focus
    int press = -1; // the first-level item the button is held on
    int open = -1;  // the first-level item whose popup is open
    // The open popups (indices into the layout's popups), outermost first, and in each the
    // row under the pointer or with the keyboard focus (-1 for none).
    std::vector<int> chain;
    std::vector<int> lit;
    int allInState = -1; // a design view: every first-level item in this state (0, 1, 2)
    bool loading = false;
    bool keyboard = false; // the focus came from the keyboard: the focused part wears a ring
    // The current page: the item whose link is the page's (its row wears a marker), and the
    // first-level item holding it (drawn clicked where it would be normal); -1 for none.
    int currentItem = -1;
    int current = -1;

    int state(int item) const
    {
        if (allInState >= 0)
            return allInState;
        if (press == item || open == item)
            return 2;
        if (hover == item)
            return 1;
        return item == current ? 2 : 0;
    }
};

// What lies under a point: a first-level item, a popup row, or nothing (both -1).
struct MenuHit
{
    int item = -1;  // first-level item number
    int popup = -1; // index into the layout's popups
    int row = -1;
};

// One menu as the pages describe it: its layout and everything its drawing needs, taken from
// the applet record and the item records when it is made. Draws and hit-tests the menu in
// applet coordinates, exactly as the page's runtime does.
class MenuScene
{
public:
    MenuScene() = default;
    // With withNarrow, the narrow form (a row for every item) is worked out, and with it every
    // popup's rows. Without it, only the first level is laid out when the scene is made, and
    // a popup when a view first shows it: the scene then reads the records from items' list
    // when it needs them (a list of another length than it had is no longer read), so that
    // list must outlive the scene.
    MenuScene(const AppletRecord &data, const MenuRecords &items, const std::vector<int> &parents,
              const QtCaptionMeasure &measure, const QString &imageFolder, bool withNarrow = true,
              const LookValues &look = {});
    bool hasNarrow() const { return hasNarrow_; }

    // The layout: the first level, and the popups laid out so far. A popup's index stays while
    // the scene lives; its widths (and the places that follow from them) come when a view
    // shows it. Laying out and measuring every popup of a large menu after each command would
    // cost its size; a view shows a handful.
    const MenuLayout &layout() const { return layout_; }
    // Lays out the popup's rows and gives it its width from its captions, and its place from
    // its parent's width.
    void measurePopup(int popup) const;
    // The popup at a path (first-level number, then row numbers), laid out; -1 for none.
    int popupAt(const std::vector<int> &path) const;
    int width() const { return layout_.applet.w; }
    int height() const { return layout_.applet.h; }
    // The item record index of a first-level item or of a popup row.
    int itemOf(const MenuHit &hit) const;
    const std::string &statusText(int item) const { return first_[std::size_t(item)].status; }
    // The popup a first-level item opens, or -1.
    int popupOf(int item) const { return layout_.itemPopup[std::size_t(item)]; }
    // The path to an item record: the open chain that shows it and its row, or its
    // first-level number; false when the record is not shown.
    bool locate(int itemIndex, MenuView &view) const;
    // The view shows the page of the item: its row is marked, its first-level item clicked.
    void showCurrentPage(int itemIndex, MenuView &view) const;

    // Where the open popups lie once kept in a viewport of the given size.
    std::vector<QPoint> popupPositions(const MenuView &view, QSize viewport) const;
    MenuHit hitTest(QPoint at, const MenuView &view, QSize viewport) const;
    void paint(QPainter &painter, const MenuView &view, QSize viewport) const;

    // The narrow form a phone shows below the applet's width, with the list open and every
    // branch expanded: the bar and the list, narrowHeight() pixels high in all.
    const NarrowLayout &narrowLayout() const { return narrow_; }
    int narrowHeight() const;
    void paintNarrow(QPainter &painter, int width, const MenuView &view = {}) const;

private:
    struct FirstLevel
    {
        QString caption;
        std::string status;
        QString images[3];
    };
    void paintItem(QPainter &painter, int k, int state) const;
    void paintPopup(QPainter &painter, const LayoutPopup &popup, QPoint at, int lit, int opened,
                    int currentItem) const;
    const QImage *image(const QString &name) const;

    void layOutRows(int popup) const;
    bool locateLazily(int itemIndex, MenuView &view) const;
    const ItemRecord *record(int item) const;

    AppletRecord data_;
    LookValues look_;
    PopupMetrics metrics_;
    mutable MenuLayout layout_;
    const QtCaptionMeasure *measure_ = nullptr;
    mutable std::vector<bool> measured_; // by popup
    // What laying out a popup later reads, when the scene lays them out as they are shown.
    const ItemList *items_ = nullptr;
    std::size_t itemCount_ = 0;
    int replaced_ = -1;
    ItemRecord replacement_;
    std::vector<int> parents_;
    mutable std::vector<int> opener_; // by popup: the item that opens it; -1 once laid out
    bool hasNarrow_ = false;
    NarrowLayout narrow_; // rows as wide as the applet; painting takes the width it is given
    std::vector<FirstLevel> first_;
    QString imageFolder_;
    mutable QHash<QString, QImage> images_;
};
