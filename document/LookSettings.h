#pragma once

#include "document/AppletData.h"
#include "document/MenuValues.h"

#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

// The look settings: named values beside the 96 applet fields that give a menu today's look
// (fonts, corners, popup colours, shadows, schemes, the site's colours, icons and badges). A
// setting at its default changes nothing and is not kept, so a menu without them stores and
// draws as it always has. Names the program does not know are kept as they are, so a file
// from a later version loses nothing here.
class LookSettings
{
public:
    using Entries = std::map<std::string, std::string>;

    // Lower-case ASCII letters, digits, "." and "-"; after "font-file." the family name, any
    // characters but "=" and line breaks.
    static bool isValidName(std::string_view name);
    // Whether the program knows the setting: one of the table's, or one of a family
    // ("dark.", "var.", "icon.", "badge.", "font-file.") with a valid key.
    static bool isKnown(const std::string &name);
    // The value that changes nothing; empty for settings without one and unknown names.
    static std::string defaultOf(const std::string &name);

    const Entries &entries() const { return entries_; }
    bool empty() const { return entries_.empty(); }
    // The stored text, or the default when the setting is not kept.
    std::string value(const std::string &name) const;
    // Keeps value, or forgets the setting when value is its default. A name that is not valid,
    // or a value with a line break or Ctrl-Z, is refused with std::invalid_argument.
    void set(const std::string &name, const std::string &value);
    void clear() { entries_.clear(); }

    // A "name=value" line of the project file; nothing for a line that is not one.
    static std::optional<std::pair<std::string, std::string>> parseLine(std::string_view line);
    // Every setting as a JSON object of strings, sorted by name: {"radius":"6"}.
    std::string toJson() const;

    bool operator==(const LookSettings &other) const { return entries_ == other.entries_; }
    bool operator!=(const LookSettings &other) const { return !(*this == other); }

private:
    Entries entries_;
};

// The look settings read into values, each checked against its form and range: a value that
// does not parse or lies outside counts as the default. Whatever draws, checks or writes the
// menu reads these, never the texts.
struct LookValues
{
    enum class Scheme
    {
        Light,
        Dark,
        Auto
    };

    std::string font, popupFont;     // CSS family lists, "page", or empty for the basic families
    int weight = 0, popupWeight = 0; // 100 to 900; 0: the bold flag decides
    bool caps = false;
    int radius = 0, menuRadius = 0, popupRadius = 0;
    Rgb popupBackground{0xF0, 0xF0, 0xF0}, popupText{0, 0, 0};
    Rgb popupHighlight{0x31, 0x6A, 0xC5}, popupHighlightText{0xFF, 0xFF, 0xFF};
    Rgb popupFrame{0x80, 0x80, 0x80};
    int popupFrameWidth = 1;
    std::optional<Rgb> popupSeparator; // none: the two lines of the basic look
    Rgb currentMarker{0x31, 0x6A, 0xC5};
    int popupPadding = 8, popupRow = 24, popupInset = 0, popupShadow = 0;
    int transition = 0; // milliseconds
    Scheme scheme = Scheme::Light;
    // By colour position ("18") or popup colour name ("popup-text").
    std::map<std::string, Rgb> dark;
    std::map<std::string, std::string> vars; // the same keys, to a custom property's name
    std::map<int, std::string> icons;        // by item record number
    std::map<int, std::string> badges;
    std::map<std::string, std::string> fontFiles; // family to file name

    static LookValues read(const LookSettings &settings);
    // The popup colours of a scheme: in the dark one each takes its dark value where it has
    // one.
    LookValues inScheme(bool darkScheme) const;
    // The applet record's colours of a scheme, the same way.
    AppletRecord inScheme(AppletRecord data, bool darkScheme) const;
    // Whether a page whose visitor prefers the dark scheme (or not) shows this one dark.
    bool showsDark(bool visitorPrefersDark) const
    {
        return scheme == Scheme::Dark || (scheme == Scheme::Auto && visitorPrefersDark);
    }
    // A font of the fields with the look's families, weight and (first level) capitals.
    CaptionFont firstLevelFont(CaptionFont font) const
    {
        font.families = this->font;
        font.weight = weight;
        font.caps = caps;
        return font;
    }
    CaptionFont popupFontOf(CaptionFont font) const
    {
        font.families = popupFont;
        font.weight = popupWeight;
        return font;
    }
};
