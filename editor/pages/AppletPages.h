#pragma once

#include "editor/pages/FieldPage.h"
#include "editor/pages/PageGroups.h"

class ColorPanel;
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

    SpinEdit *apWidthSpin;
    SpinEdit *apHeightSpin;
    TextEdit *apBgImgEdit;
    QToolButton *apBgImgButton;
    PageKit::ImagePlacement placement;
    PageKit::BackgroundColours colours;

private:
    void declareFields();
};

// Tab "More Applet Settings": the applet border and the loading message.
class MoreAppletSettingsPage : public FieldPage
{
    Q_OBJECT

public:
    explicit MoreAppletSettingsPage(QWidget *parent = nullptr);

    PageKit::BorderControls border;
    TextEdit *apLoadingMsgEdit;
    ColorPanel *apLoadingBgClrPanel;
    ColorPanel *apLoadingMsgClrPanel;

private:
    void declareFields();
};

// Tab "Popup Menu Only": the font of the popup menus.
class PopupMenuPage : public FieldPage
{
    Q_OBJECT

public:
    explicit PopupMenuPage(QWidget *parent = nullptr);

    PageKit::FontControls captionFont;

private:
    void declareFields();
};
