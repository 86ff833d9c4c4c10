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

    SpinEdit *spnedtMnX;
    SpinEdit *spnedtMnY;
    SpinEdit *spnedtMnItemsWidth;
    SpinEdit *spnedtMnItemsHeight;
    SpinEdit *spnedtMnItemsGap;
    QComboBox *spnedtMnItemsAlign;
    ColorPanel *pnlMnBgClr;
    ColorPanel *pnlMnBgFadeClr;
    QCheckBox *chckbxMnBgGradientFill;
    QCheckBox *chckbxMnBgTransparent;
    SpinEdit *spnedtMnBrdWidth;
    QComboBox *cmbxMnBrdStyle;
    ColorPanel *pnlMnBrdClr;

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

    QComboBox *cmbxFntName;
    QComboBox *cmbxFntSize;
    QToolButton *spdbtnFntBold;
    QToolButton *spdbtnFntItalic;
    QComboBox *cmbxTextAlign;
    SpinEdit *spnedtTextOffset;
    ColorPanel *pnlTextClr;
    SpinEdit *spnedtBgImgX;
    SpinEdit *spnedtBgImgY;
    QComboBox *spnedtBgImgAlign;
    ColorPanel *pnlBgClr;
    ColorPanel *pnlBgFadeClr;
    QCheckBox *chckbxBgGradientFill;
    QCheckBox *chckbxBgTransparent;
    SpinEdit *spnedtBrdWidth;
    QComboBox *cmbxBrdStyle;
    ColorPanel *pnlBrdClr;

private:
    void declareFields();
    int block_;
};
