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
    // A group of another kind of control, below the page's own.
    void addGroup(QWidget *group);

    TextEdit *itemCaptionEdit;
    QPushButton *separatorButton;
    TextEdit *itemURLEdit;
    QComboBox *itemTargetList;
    TextEdit *itemStatusBarTextEdit;
};

// Tab "First Level Item Options": popup offsets, background images and sounds of a
// first-level item.
class FirstLevelItemOptionsPage : public FieldPage
{
    Q_OBJECT

public:
    explicit FirstLevelItemOptionsPage(QWidget *parent = nullptr);

    SpinEdit *itemMenuOffsetXSpin;
    SpinEdit *itemMenuOffsetYSpin;
    QGroupBox *backgroundImageGroup;
    TextEdit *itemNoBgImgEdit;
    QToolButton *itNoIconButton;
    TextEdit *itemOvBgImgEdit;
    QToolButton *itOvIconButton;
    TextEdit *itemClBgImgEdit;
    QToolButton *itClIconButton;
    TextEdit *itemOvBgSndEdit;
    QToolButton *itOvSndButton;
    TextEdit *itemClBgSndEdit;
    QToolButton *itClSndButton;
};
