#pragma once

#include "editor/pages/FieldPage.h"

class QComboBox;
class QGroupBox;
class QPushButton;
class QToolButton;
class SpinEdit;
class TextEdit;

// Tab "Item": caption, link and status-bar text of the selected item.
class ItemPage : public FieldPage
{
    Q_OBJECT

public:
    explicit ItemPage(QWidget *parent = nullptr);

    TextEdit *edtItemCaption;
    QPushButton *btnSeparator;
    TextEdit *edtItemURL;
    QComboBox *cmbxItemTarget;
    TextEdit *edtItemStatusBarText;
};

// Tab "First Level Item Options": popup offsets, background images and sounds of a
// first-level item.
class FirstLevelItemOptionsPage : public FieldPage
{
    Q_OBJECT

public:
    explicit FirstLevelItemOptionsPage(QWidget *parent = nullptr);

    SpinEdit *spnedtItemMenuOffsetX;
    SpinEdit *spnedtItemMenuOffsetY;
    QGroupBox *grpBackgroundImage;
    TextEdit *edtItemNoBgImg;
    QToolButton *spdbtnItNoIcon;
    TextEdit *edtItemOvBgImg;
    QToolButton *spdbtnItOvIcon;
    TextEdit *edtItemClBgImg;
    QToolButton *spdbtnItClIcon;
    TextEdit *edtItemOvBgSnd;
    QToolButton *spdbtnItOvSnd;
    TextEdit *edtItemClBgSnd;
    QToolButton *spdbtnItClSnd;
};
