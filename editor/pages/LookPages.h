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
class SpinEdit;

// Tab "Popup Look": the popups' colours, frame, separators, spacing, corners and shadow, each
// control one look setting. Every change is one undoable step; the page shows the document's
// values whenever they change (an undo, an opened project).
class PopupLookPage : public QWidget
{
    Q_OBJECT

public:
    PopupLookPage(EditorDocument &document, DialogService &dialogs, QWidget *parent = nullptr);

    // Shows the document's look settings.
    void showLook();

private:
    // A control, the setting it edits and the value it shows; label names its undo step.
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
    void onSeparatorToggled(bool single);
    void onNumberEdited(const Number &number);
    void onShadowChosen(int level);

    EditorDocument &document_;
    DialogService &dialogs_;
    std::vector<Colour> colours_;
    std::vector<Number> numbers_;
    QCheckBox *singleSeparator_;
    ColorPanel *separatorColour_;
    QComboBox *shadow_;
    bool editing_ = false;
};
