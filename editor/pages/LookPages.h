#pragma once

#include "document/LookSettings.h"

#include <QWidget>
#include <string>
#include <vector>

class ColorPanel;
class DialogService;
class EditorDocument;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QVBoxLayout;
class SpinEdit;

// A tab of look settings, each control one setting. Every change is one undoable step; the
// page shows the document's values whenever they change (an undo, an opened project).
class LookPage : public QWidget
{
    Q_OBJECT

public:
    // name: the page's object name; its groups go into page_, top to bottom.
    LookPage(EditorDocument &document, DialogService &dialogs, const char *name, QWidget *parent);

    // Shows the document's look settings.
    void showLook();

protected:
    // A colour panel or a spin box of group for a setting, showing the value member of the
    // read settings; label names the undo step and, with subject, the control for screen
    // readers.
    ColorPanel *addColour(QGroupBox *group, const char *setting, Rgb LookValues::*value,
                          const char *name, const QString &label, const QString &hint);
    SpinEdit *addNumber(QGroupBox *group, const char *setting, int LookValues::*value,
                        const char *name, int low, int high, const QString &label,
                        const QString &hint);
    // The controls the page shows itself; connects the common ones and shows the values.
    virtual void showOwn(const LookValues &look) = 0;
    void finish(const QString &subject);
    void edit(const char *setting, const std::string &value, const QString &label, int series = -1);

    EditorDocument &document_;
    DialogService &dialogs_;
    QVBoxLayout *page_;

private:
    struct Colour
    {
        const char *setting;
        Rgb LookValues::*value;
        ColorPanel *panel;
        QString label;
    };
    struct Number
    {
        const char *setting;
        int LookValues::*value;
        SpinEdit *spin;
        QString label;
    };
    void chooseColour(const Colour &colour);
    void onNumberEdited(const Number &number);

    std::vector<Colour> colours_;
    std::vector<Number> numbers_;
    bool editing_ = false;
};

// Tab "Popup Look": the popups' colours, frame, separators, spacing, corners and shadow.
class PopupLookPage : public LookPage
{
    Q_OBJECT

public:
    PopupLookPage(EditorDocument &document, DialogService &dialogs, QWidget *parent = nullptr);

private:
    void showOwn(const LookValues &look) override;
    void onSeparatorToggled(bool single);

    QCheckBox *singleSeparator_;
    ColorPanel *separatorColour_;
    QComboBox *shadow_;
};

// Tab "Menu Look": the captions' fonts, weights and capitals, the corners of the items and of
// the menu, and how popups open.
class MenuLookPage : public LookPage
{
    Q_OBJECT

public:
    MenuLookPage(EditorDocument &document, DialogService &dialogs, QWidget *parent = nullptr);

private:
    struct Font
    {
        const char *setting, *weightSetting;
        QComboBox *families, *weight;
        QString label;
    };
    void showOwn(const LookValues &look) override;
    Font addFont(QGroupBox *group, const char *setting, const char *weightSetting, const char *name,
                 const QString &label);
    void onFamiliesEdited(const Font &font);

    void deriveDarkColours();

    Font captionFont_, popupFont_;
    QCheckBox *caps_;
    QComboBox *scheme_;
};
