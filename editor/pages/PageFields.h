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

// The control that shows one applet field, by its kind of control.
using FieldControl =
    std::variant<ColorPanel *, QLineEdit *, SpinEdit *, QComboBox *, QCheckBox *, FontButtons>;

// One applet field (by position) and the control of a page that shows it. Each applet page
// lists its own fields; the window loads and stores through these lists.
struct PageField
{
    int position;
    FieldControl control;
};
using PageFields = std::vector<PageField>;
