#pragma once

#include "PageFields.h"

#include <QWidget>

class ColorPanel;
class QCheckBox;
class QComboBox;
class QToolButton;
class SpinEdit;
class TextEdit;

// Tab "Applet Settings": the applet's size and background.
class AppletSettingsPage : public QWidget
{
    Q_OBJECT

public:
    explicit AppletSettingsPage(QWidget *parent = nullptr);
    PageFields fields() const;

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
};

// Tab "More Applet Settings": the applet border and the loading message.
class MoreAppletSettingsPage : public QWidget
{
    Q_OBJECT

public:
    explicit MoreAppletSettingsPage(QWidget *parent = nullptr);
    PageFields fields() const;

    SpinEdit *spnedtApBrdWidth;
    QComboBox *cmbxApBrdStyle;
    ColorPanel *pnlApBrdClr;
    TextEdit *edtApLoadingMsg;
    ColorPanel *pnlApLoadingBgClr;
    ColorPanel *pnlApLoadingMsgClr;
};

// Tab "Popup Menu Only": the font of the popup menus.
class PopupMenuPage : public QWidget
{
    Q_OBJECT

public:
    explicit PopupMenuPage(QWidget *parent = nullptr);
    PageFields fields() const;

    QComboBox *cmbxPopupFntName;
    QComboBox *cmbxPopupFntSize;
    QToolButton *spdbtnPopupFntBold;
    QToolButton *spdbtnPopupFntItalic;
};
