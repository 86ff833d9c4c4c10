#pragma once

#include "editor/preview/MenuScene.h"

#include <optional>
#include <QTimer>
#include <QWidget>

// The menu drawn as the page shows it, and working as it does: hover, press, popups opened by
// clicks, by resting on a row and by the keyboard. Choosing an item that opens no popup does
// not follow its link: it asks for that item to be selected in the editor.
class PreviewCanvas : public QWidget
{
    Q_OBJECT

public:
    explicit PreviewCanvas(QWidget *parent = nullptr);

    // A new drawing of the menu; what is open stays open where the menu still has it.
    void setScene(MenuScene scene);
    const MenuScene &scene() const { return scene_; }
    const MenuView &view() const { return view_; }
    // Opens the popups on the item's path and lights it (the editor selected it).
    void showItem(int itemIndex);
    // 1 or 2: every pixel of the menu drawn as a square of that size.
    void setZoom(int zoom);
    // A design view: every first-level item in one state (-1 for the live menu), or the
    // loading message.
    void setDesign(int allInState, bool loading);
    // The narrow form a screen of that width shows (list open, every branch expanded), or
    // the menu itself with 0.
    void setNarrow(int width);
    int narrowWidth() const { return narrowWidth_; }
    // The menu as the page of the selected item shows it ("Show Current Page"), or as a page
    // that no item links to.
    void setShowCurrentPage(bool show);
    bool showsCurrentPage() const { return showCurrentPage_; }
    // The item whose link is the page's, or -1; drawn only while the view shows the page.
    void setCurrentPage(int itemIndex);
    // The menu's drawing at zoom 1 in a picture of the given size (the viewport that popups
    // are kept in), as the widget paints it.
    QImage render(QSize viewport) const;

signals:
    void itemChosen(int itemIndex);
    // The narrow form was asked for: a scene made without it must be made again.
    void narrowShown();
    // "Show Current Page" was turned on or off: the current item must be told again.
    void currentPageAsked();
    // The status text of the first-level item under the pointer, or empty.
    void statusTextChanged(const QString &text);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void leaveEvent(QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    bool focusNextPrevChild(bool next) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;

private:
    QSize viewport() const;
    QPoint toMenu(QPointF at) const;
    std::optional<MenuHit> leftButtonHit(QMouseEvent *event);
    void setHover(int item);
    void closeFrom(std::size_t depth);
    void openPopup(int popup);
    void toggleItem(int item);
    void openRow(int popup, int row);
    void choose(const MenuHit &hit);
    // Keyboard focus: a first-level item, or a row of an open popup.
    MenuHit focused() const;
    void focusOn(const MenuHit &hit);
    void scrollToPart(const MenuHit &hit);
    // False at the last stop (the first, going back): the focus then leaves the preview.
    std::vector<MenuHit> focusStops() const;
    bool moveFocus(bool forward);
    void updateSize();
    void paintMenu(QPainter &painter, QSize viewport) const;

    MenuScene scene_;
    MenuView view_;
    MenuHit pending_; // the row that opens its popup when the pointer rests on it
    QTimer restTimer_;
    int zoom_ = 1;
    int pointerItem_ = -1;
    int narrowWidth_ = 0;
    bool showCurrentPage_ = false;
};
