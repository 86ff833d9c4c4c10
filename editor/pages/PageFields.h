#pragma once

#include <variant>
#include <vector>

class ColorPanel;
class QAbstractButton;
class QCheckBox;
class QComboBox;
class QLineEdit;
class SpinEdit;

// The bold and italic buttons that together show a font style.
struct FontButtons
{
    QAbstractButton *bold;
    QAbstractButton *italic;
};

// The control that shows one field, by its kind of control.
using FieldControl =
    std::variant<ColorPanel *, QLineEdit *, SpinEdit *, QComboBox *, QCheckBox *, FontButtons>;

// How a text or list control holds the stored text.
enum class FieldForm
{
    Standard, // a list holds an entry number; an edit holds the text without outer spaces
    ByText,   // a list holds the entry that reads exactly as the text (the font sizes)
    Verbatim  // an edit, or a list's edit line, holds the text as it is
};

// One field of a record (by position) and the control of a page that shows it.
struct PageField
{
    int position;
    FieldControl control;
    FieldForm form = FieldForm::Standard;
};
using PageFields = std::vector<PageField>;
