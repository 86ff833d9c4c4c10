#include "LookSettings.h"

#include "document/AppletData.h"
#include "document/FileSystem.h"

#include <algorithm>
#include <cctype>
#include <stdexcept>
#include <vector>

namespace {
enum class Kind
{
    Families,
    Weight,
    Flag,
    Number,
    Colour,
    OptionalColour,
    Scheme
};

struct Setting
{
    const char *name;
    Kind kind;
    const char *defaultText;
    int low = 0, high = 0;
};

const Setting Settings[] = {
    {"caps", Kind::Flag, "0"},
    {"current-marker", Kind::Colour, "316AC5"},
    {"font", Kind::Families, ""},
    {"menu-radius", Kind::Number, "0", 0, 32},
    {"popup-background", Kind::Colour, "F0F0F0"},
    {"popup-font", Kind::Families, ""},
    {"popup-frame", Kind::Colour, "808080"},
    {"popup-frame-width", Kind::Number, "1", 0, 2},
    {"popup-highlight", Kind::Colour, "316AC5"},
    {"popup-highlight-text", Kind::Colour, "FFFFFF"},
    {"popup-inset", Kind::Number, "0", 0, 8},
    {"popup-padding", Kind::Number, "8", 4, 32},
    {"popup-radius", Kind::Number, "0", 0, 16},
    {"popup-row", Kind::Number, "24", 24, 64},
    {"popup-separator", Kind::OptionalColour, ""},
    {"popup-shadow", Kind::Number, "0", 0, 3},
    {"popup-text", Kind::Colour, "000000"},
    {"popup-weight", Kind::Weight, ""},
    {"radius", Kind::Number, "0", 0, 32},
    {"scheme", Kind::Scheme, "light"},
    {"transition", Kind::Number, "0", 0, 300},
    {"weight", Kind::Weight, ""},
};

const Setting *settingNamed(std::string_view name)
{
    for (const Setting &setting : Settings) {
        if (name == setting.name)
            return &setting;
    }
    return nullptr;
}

bool startsWith(std::string_view text, std::string_view prefix)
{
    return text.substr(0, prefix.size()) == prefix;
}

// The colours a dark or custom-property value may stand in for: the applet's colour fields
// by position, and the popup colours by name.
bool isColourKey(const std::string &key)
{
    const Setting *setting = settingNamed(key);
    if (setting)
        return setting->kind == Kind::Colour || setting->kind == Kind::OptionalColour;
    const int position = parseInteger(key, 1, AppletRecord::FieldCount, 0);
    if (position == 0 || std::to_string(position) != key)
        return false;
    const std::string name = appletFieldTable()[std::size_t(position) - 1].name;
    return name.size() > 3 && name.compare(name.size() - 3, 3, "Clr") == 0;
}

// An item record number as it is written: digits, no leading zero.
bool isRecordNumber(const std::string &key)
{
    return !key.empty() && key.size() <= 9 && (key == "0" || key[0] != '0') &&
           std::all_of(key.begin(), key.end(), [](char c) { return c >= '0' && c <= '9'; });
}

bool isPlainFamilyChar(char c)
{
    const unsigned char u = static_cast<unsigned char>(c);
    return std::isalnum(u) || c == ' ' || c == '-' || c == '_';
}

// A CSS family list: names of letters, digits, blanks, "-" and "_", or double-quoted names,
// separated by commas; or "page".
bool isFamilyList(const std::string &text)
{
    if (text == "page")
        return true;
    std::size_t at = 0;
    for (;;) {
        while (at < text.size() && text[at] == ' ')
            ++at;
        if (at < text.size() && text[at] == '"') {
            const std::size_t close = text.find('"', at + 1);
            if (close == std::string::npos || close == at + 1)
                return false;
            const std::string_view quoted(text.data() + at + 1, close - at - 1);
            if (quoted.find_first_of("\\;{}<>") != std::string_view::npos)
                return false;
            at = close + 1;
        } else {
            const std::size_t start = at;
            while (at < text.size() && isPlainFamilyChar(text[at]))
                ++at;
            if (at == start)
                return false;
        }
        while (at < text.size() && text[at] == ' ')
            ++at;
        if (at == text.size())
            return true;
        if (text[at] != ',')
            return false;
        ++at;
    }
}

bool hasEnding(const std::string &name, std::initializer_list<const char *> endings)
{
    std::string lower = name;
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return std::any_of(endings.begin(), endings.end(), [&lower](const char *ending) {
        const std::string_view tail(ending);
        return lower.size() > tail.size() &&
               lower.compare(lower.size() - tail.size(), tail.size(), tail) == 0;
    });
}

bool isCustomProperty(const std::string &text)
{
    return text.size() > 2 && startsWith(text, "--") &&
           std::all_of(text.begin() + 2, text.end(), [](char c) {
               return std::isalnum(static_cast<unsigned char>(c)) || c == '-' || c == '_';
           });
}

std::size_t characterCount(const std::string &text)
{
    return std::size_t(std::count_if(text.begin(), text.end(), [](char c) {
        return (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    }));
}

std::optional<Rgb> colourOf(const std::string &text)
{
    Rgb colour;
    if (!parseColour(text, colour))
        return std::nullopt;
    return colour;
}

int weightOf(const std::string &text)
{
    const int weight = parseInteger(text, 100, 900, 0);
    return weight % 100 == 0 ? weight : 0;
}

LookValues::Scheme schemeOf(const std::string &text)
{
    if (text == "dark")
        return LookValues::Scheme::Dark;
    if (text == "auto")
        return LookValues::Scheme::Auto;
    return LookValues::Scheme::Light;
}

void jsonString(std::string &out, const std::string &text)
{
    static const char Hex[] = "0123456789abcdef";
    out += '"';
    for (const char c : text) {
        const unsigned char u = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (u < 0x20) {
            out += "\\u00";
            out += Hex[u >> 4];
            out += Hex[u & 15];
        } else {
            out += c;
        }
    }
    out += '"';
}
} // namespace

bool LookSettings::isValidName(std::string_view name)
{
    if (startsWith(name, "font-file.")) {
        const std::string_view family = name.substr(10);
        return !family.empty() && family.find_first_of("=\r\n\x1A") == std::string_view::npos;
    }
    return !name.empty() && std::all_of(name.begin(), name.end(), [](char c) {
        return (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '.' || c == '-';
    });
}

bool LookSettings::isKnown(const std::string &name)
{
    if (settingNamed(name))
        return true;
    if (startsWith(name, "dark.") || startsWith(name, "var."))
        return isColourKey(name.substr(name.find('.') + 1));
    if (startsWith(name, "icon.") || startsWith(name, "badge."))
        return isRecordNumber(name.substr(name.find('.') + 1));
    return startsWith(name, "font-file.") && isValidName(name);
}

std::string LookSettings::defaultOf(const std::string &name)
{
    const Setting *setting = settingNamed(name);
    return setting ? setting->defaultText : std::string();
}

std::string LookSettings::value(const std::string &name) const
{
    const auto found = entries_.find(name);
    return found != entries_.end() ? found->second : defaultOf(name);
}

void LookSettings::set(const std::string &name, const std::string &value)
{
    if (!isValidName(name))
        throw std::invalid_argument("\"" + name + "\" is not the name of a look setting");
    if (value.find_first_of("\r\n\x1A") != std::string::npos)
        throw std::invalid_argument("The look setting " + name +
                                    " holds a line break or Ctrl-Z, which a project file "
                                    "cannot keep");
    if (isKnown(name) && value == defaultOf(name))
        entries_.erase(name);
    else
        entries_[name] = value;
}

std::optional<std::pair<std::string, std::string>> LookSettings::parseLine(std::string_view line)
{
    // A family name may hold any character but "=", so the first "=" ends every name.
    const std::size_t equals = line.find('=');
    if (equals == std::string_view::npos || !isValidName(line.substr(0, equals)))
        return std::nullopt;
    return std::make_pair(std::string(line.substr(0, equals)),
                          std::string(line.substr(equals + 1)));
}

std::string LookSettings::toJson() const
{
    std::string out = "{";
    for (const auto &[name, value] : entries_) {
        if (out.size() > 1)
            out += ',';
        jsonString(out, name);
        out += ':';
        jsonString(out, value);
    }
    return out + "}";
}

LookValues LookValues::read(const LookSettings &settings)
{
    LookValues look;
    auto number = [&settings](const char *name) {
        const Setting &setting = *settingNamed(name);
        return parseInteger(settings.value(name), setting.low, setting.high,
                            parseInteger(setting.defaultText, setting.low, setting.high, 0));
    };
    auto colour = [&settings](const char *name, Rgb &out) {
        if (const std::optional<Rgb> parsed = colourOf(settings.value(name)))
            out = *parsed;
    };
    auto families = [&settings](const char *name) {
        const std::string text = settings.value(name);
        return isFamilyList(text) ? text : std::string();
    };
    look.font = families("font");
    look.popupFont = families("popup-font");
    look.weight = weightOf(settings.value("weight"));
    look.popupWeight = weightOf(settings.value("popup-weight"));
    look.caps = settings.value("caps") == "1";
    look.radius = number("radius");
    look.menuRadius = number("menu-radius");
    look.popupRadius = number("popup-radius");
    colour("popup-background", look.popupBackground);
    colour("popup-text", look.popupText);
    colour("popup-highlight", look.popupHighlight);
    colour("popup-highlight-text", look.popupHighlightText);
    colour("popup-frame", look.popupFrame);
    look.popupFrameWidth = number("popup-frame-width");
    look.popupSeparator = colourOf(settings.value("popup-separator"));
    colour("current-marker", look.currentMarker);
    look.popupPadding = number("popup-padding");
    look.popupRow = number("popup-row");
    look.popupInset = number("popup-inset");
    look.popupShadow = number("popup-shadow");
    look.transition = number("transition");
    look.scheme = schemeOf(settings.value("scheme"));

    for (const auto &[name, value] : settings.entries()) {
        if (!LookSettings::isKnown(name))
            continue;
        const std::string key = name.substr(name.find('.') + 1);
        if (startsWith(name, "dark.")) {
            if (const std::optional<Rgb> parsed = colourOf(value))
                look.dark[key] = *parsed;
        } else if (startsWith(name, "var.")) {
            if (isCustomProperty(value))
                look.vars[key] = value;
        } else if (startsWith(name, "icon.")) {
            if (fsx::isBareFileName(value) && hasEnding(value, {".svg", ".png"}))
                look.icons[std::stoi(key)] = value;
        } else if (startsWith(name, "badge.")) {
            const std::size_t length = characterCount(value);
            if (length >= 1 && length <= 12)
                look.badges[std::stoi(key)] = value;
        } else if (startsWith(name, "font-file.")) {
            if (fsx::isBareFileName(value) && hasEnding(value, {".woff2", ".woff", ".ttf", ".otf"}))
                look.fontFiles[key] = value;
        }
    }
    return look;
}

LookValues LookValues::inScheme(bool darkScheme) const
{
    LookValues look = *this;
    if (!darkScheme)
        return look;
    const std::pair<const char *, Rgb LookValues::*> colours[] = {
        {"popup-background", &LookValues::popupBackground},
        {"popup-text", &LookValues::popupText},
        {"popup-highlight", &LookValues::popupHighlight},
        {"popup-highlight-text", &LookValues::popupHighlightText},
        {"popup-frame", &LookValues::popupFrame},
        {"current-marker", &LookValues::currentMarker}};
    for (const auto &[name, member] : colours) {
        if (const auto found = dark.find(name); found != dark.end())
            look.*member = found->second;
    }
    if (const auto found = dark.find("popup-separator"); found != dark.end() && popupSeparator)
        look.popupSeparator = found->second;
    return look;
}

AppletRecord LookValues::inScheme(AppletRecord data, bool darkScheme) const
{
    for (const auto &[key, colour] : dark) {
        const int position = parseInteger(key, 1, AppletRecord::FieldCount, 0);
        if (darkScheme && position > 0)
            data.set(position, hexOf(colour));
    }
    return data;
}
