#pragma once

#include "editor/pages/FieldPage.h"
#include "editor/pages/PageGroups.h"

class ColorPanel;
class QComboBox;
class SpinEdit;

// Tab "Menu" of the first-level menu: position, item size, background and border.
class MenuPage : public FieldPage
{
    Q_OBJECT

public:
    explicit MenuPage(QWidget *parent = nullptr);

    SpinEdit *mnXSpin;
    SpinEdit *mnYSpin;
    SpinEdit *mnItemsWidthSpin;
    SpinEdit *mnItemsHeightSpin;
    SpinEdit *mnItemsGapSpin;
    QComboBox *mnItemsAlignList;
    PageKit::BackgroundColours colours;
    PageKit::BorderControls border;

private:
    void declareFields();
};

// One of the tabs "Item Normal Status", "Item Mouse Over Status" and "Item Clicked Status".
// The controls are named with the state's infix ("ItNo", "ItOv", "ItCl"), as in
// "pnlItOvBrdClr"; the members carry the names without it.
class ItemStatePage : public FieldPage
{
    Q_OBJECT

public:
    // block: the position of the state's first field (its background colour).
    ItemStatePage(const QString &infix, int block, QWidget *parent = nullptr);

    PageKit::FontControls captionFont;
    QComboBox *textAlignList;
    SpinEdit *textOffsetSpin;
    ColorPanel *textClrPanel;
    PageKit::ImagePlacement placement;
    PageKit::BackgroundColours colours;
    PageKit::BorderControls border;

private:
    void declareFields();
    int block_;
};
