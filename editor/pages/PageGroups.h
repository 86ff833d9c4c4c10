#pragma once

#include <QString>

class ColorPanel;
class QCheckBox;
class QComboBox;
class QToolButton;
class QVBoxLayout;
class QWidget;
class SpinEdit;

// The groups that stand on several pages, built one way. Their controls are named by kind,
// the page's prefix and the property, as "spnedt" + "Mn" + "BrdWidth".
namespace PageKit {

struct BorderControls
{
    SpinEdit *width;
    QComboBox *style;
    ColorPanel *color;
};
struct BorderHints
{
    QString intro, width, style, color;
};
// A "Border" group on page: width, style and colour in one row, after an optional intro line.
BorderControls borderGroup(QVBoxLayout *page, QWidget *parent, const QString &prefix,
                           const BorderHints &hints);

struct ImagePlacement
{
    SpinEdit *x, *y;
    QComboBox *align;
};
struct PlacementTexts
{
    QString xLabel, alignLabel, x, y, align; // the labels of X and of the list; the hints
};
// The row "X, Y, Alignment" of a background image; alignKind names the list's kind.
ImagePlacement imagePlacement(QVBoxLayout *rows, QWidget *parent, const QString &prefix,
                              const PlacementTexts &texts, const char *alignKind);

struct BackgroundColours
{
    ColorPanel *color, *fade;
    QCheckBox *gradient, *transparent; // transparent: null where the page has none
};
struct BackgroundHints
{
    QString color, fade, gradient, transparent; // no transparent hint: no such box
};
// The row "BG Color, Fade Color, Gradient Fill[, Transparent]" of a background group.
// checkKind names the check boxes' kind (the applet's page spells it "chbx").
BackgroundColours backgroundColours(QVBoxLayout *rows, QWidget *parent, const QString &prefix,
                                    const BackgroundHints &hints, const char *checkKind = "chckbx");

struct FontControls
{
    QComboBox *name, *size;
    QToolButton *bold, *italic;
};
struct FontHints
{
    QString name, size, bold, italic;
};
// The row "Font Name, Font Size, B, I" of a text group.
FontControls fontRow(QVBoxLayout *rows, QWidget *parent, const QString &prefix,
                     const FontHints &hints);

} // namespace PageKit
