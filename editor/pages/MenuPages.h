#pragma once

#include "editor/pages/FieldPage.h"

class ColorPanel;
class QCheckBox;
class QComboBox;
class QToolButton;
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
    ColorPanel *mnBgClrPanel;
    ColorPanel *mnBgFadeClrPanel;
    QCheckBox *mnBgGradientFillBox;
    QCheckBox *mnBgTransparentBox;
    SpinEdit *mnBrdWidthSpin;
    QComboBox *mnBrdStyleList;
    ColorPanel *mnBrdClrPanel;

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

    QComboBox *fntNameList;
    QComboBox *fntSizeList;
    QToolButton *fntBoldButton;
    QToolButton *fntItalicButton;
    QComboBox *textAlignList;
    SpinEdit *textOffsetSpin;
    ColorPanel *textClrPanel;
    SpinEdit *bgImgXSpin;
    SpinEdit *bgImgYSpin;
    QComboBox *bgImgAlignList;
    ColorPanel *bgClrPanel;
    ColorPanel *bgFadeClrPanel;
    QCheckBox *bgGradientFillBox;
    QCheckBox *bgTransparentBox;
    SpinEdit *brdWidthSpin;
    QComboBox *brdStyleList;
    ColorPanel *brdClrPanel;

private:
    void declareFields();
    int block_;
};
