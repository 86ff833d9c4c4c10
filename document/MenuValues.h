#pragma once

#include "document/AppletData.h"
#include "document/ItemData.h"

#include <string>
#include <vector>

// The menu's values as whatever draws the menu reads them: the page's runtime reads them from
// the applet tag, the editor from the document, and both must come to the same numbers. A
// value that is missing, does not parse or lies outside its range counts as its default.

// Splits on "|"; a text without "|" is one field, an empty text one empty field.
std::vector<std::string> splitFields(const std::string &text);

// An integer of optional minus and digits only, inside [low, high]; fallback otherwise.
int parseInteger(const std::string &text, int low, int high, int fallback);

// Red, green and blue, 0 to 255 each.
struct Rgb
{
    int r = 0, g = 0, b = 0;
    bool operator==(const Rgb &o) const { return r == o.r && g == o.g && b == o.b; }
};
// Six upper-case hexadecimal digits, as the settings keep a colour.
std::string hexOf(Rgb c);
// Six hexadecimal digits, either case, into out; false (out unchanged) for anything else.
bool parseColour(const std::string &text, Rgb &out);
// light and dark of a colour, as borders paint them.
Rgb lightOf(Rgb c);
Rgb darkOf(Rgb c);

// One caption font: family 0 TimesRoman (serif), 1 Helvetica (sans-serif), 2 Courier
// (monospace), 3 Dialog (sans-serif); size in pixels; style bit 1 bold, bit 2 italic.
struct CaptionFont
{
    int family = 0;
    int size = 14;
    int style = 0;
    // From the look settings: a CSS family list (or "page") in place of the family, a weight
    // (100 to 900) in place of the bold flag, capitals shown for the text as written.
    std::string families;
    int weight = 0;
    bool caps = false;
};

// The 96 applet fields as the value "app" carries them: each field followed by "|", split
// again, so a field holding "|" shifts the later ones exactly as it does in the page.
class AppletValues
{
public:
    explicit AppletValues(const AppletRecord &data);
    explicit AppletValues(const std::vector<std::string> &fields) : fields_(fields) {}

    // The raw text of a field (1-based); its default when missing.
    std::string text(int pos) const;
    int integer(int pos, int low, int high) const;
    int position(int pos) const { return integer(pos, -9999, 9999); } // positions, offsets
    int size(int pos) const { return integer(pos, 0, 9999); }         // sizes, border widths
    int choice(int pos, int count) const { return integer(pos, 0, count - 1); }
    bool flag(int pos) const { return text(pos) == "1"; }
    Rgb colour(int pos) const;
    // A part's border width: its width field unless its style field is "No Border".
    int borderWidth(int widthPos, int stylePos) const;
    // The font whose family field is at pos, followed by its size and style fields.
    CaptionFont font(int pos) const;

private:
    std::vector<std::string> fields_;
};

// A first-level item's fields 1 to 11 as its parameter "I0-n" carries them.
struct FirstLevelValues
{
    explicit FirstLevelValues(const ItemRecord &item);
    std::vector<std::string> fields;
    std::string field(int pos, const std::string &fallback) const;
    int offsetX() const;
    int offsetY() const;
};
