#pragma once

#include "editor/pages/FieldPage.h"

class ColorPanel;
class QCheckBox;
class QComboBox;
class QToolButton;
class SpinEdit;
class TextEdit;

// Tab "Applet Settings": the applet's size and background.
class AppletSettingsPage : public FieldPage
{
    Q_OBJECT

public:
    explicit AppletSettingsPage(QWidget *parent = nullptr);

    SpinEdit *spnedtApWidth;
    SpinEdit *spnedtApHeight;
    TextEdit *edtApBgImg;
    QToolButton *spdbtnApBgImg;
    SpinEdit *spnedtApBgImgX;
    SpinEdit *spnedtApBgImgY;
    QComboBox *cmbxApBgImgAlign;
    ColorPanel *pnlApBgClr;
    ColorPanel *pnlApBgFadeClr;
    QCheckBox *chbxApBgGradientFill;

private:
    void declareFields();
};

// Tab "More Applet Settings": the applet border and the loading message.
class MoreAppletSettingsPage : public FieldPage
{
    Q_OBJECT

public:
    explicit MoreAppletSettingsPage(QWidget *parent = nullptr);

    SpinEdit *spnedtApBrdWidth;
    QComboBox *cmbxApBrdStyle;
    ColorPanel *pnlApBrdClr;
    TextEdit *edtApLoadingMsg;
    ColorPanel *pnlApLoadingBgClr;
    ColorPanel *pnlApLoadingMsgClr;

private:
    void declareFields();
};

// Tab "Popup Menu Only": the font of the popup menus.
class PopupMenuPage : public FieldPage
{
    Q_OBJECT

public:
    explicit PopupMenuPage(QWidget *parent = nullptr);

    QComboBox *cmbxPopupFntName;
    QComboBox *cmbxPopupFntSize;
    QToolButton *spdbtnPopupFntBold;
    QToolButton *spdbtnPopupFntItalic;

private:
    void declareFields();
};
