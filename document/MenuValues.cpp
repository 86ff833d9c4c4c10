#include "MenuValues.h"

#include <cctype>

std::vector<std::string> splitFields(const std::string &text)
{
    std::vector<std::string> fields;
    std::size_t from = 0;
    for (std::size_t bar = text.find('|'); bar != std::string::npos; bar = text.find('|', from)) {
        fields.push_back(text.substr(from, bar - from));
        from = bar + 1;
    }
    fields.push_back(text.substr(from));
    return fields;
}

int parseInteger(const std::string &text, int low, int high, int fallback)
{
    const bool negative = !text.empty() && text[0] == '-';
    const std::size_t first = negative ? 1 : 0;
    if (text.size() == first)
        return fallback;
    long long value = 0;
    for (std::size_t i = first; i < text.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        if (!std::isdigit(c))
            return fallback;
        // Past every range in use; only whether the text is all digits still matters.
        if (value < 1000000000LL)
            value = value * 10 + (c - '0');
    }
    if (negative)
        value = -value;
    return value >= low && value <= high ? static_cast<int>(value) : fallback;
}

Rgb lightOf(Rgb c)
{
    auto up = [](int v) { return v + (255 - v) * 2 / 5; };
    return {up(c.r), up(c.g), up(c.b)};
}

Rgb darkOf(Rgb c)
{
    auto down = [](int v) { return v * 3 / 5; };
    return {down(c.r), down(c.g), down(c.b)};
}

std::string hexOf(Rgb c)
{
    static const char Hex[] = "0123456789ABCDEF";
    std::string text;
    for (int v : {c.r, c.g, c.b}) {
        text += Hex[(v >> 4) & 15];
        text += Hex[v & 15];
    }
    return text;
}

bool parseColour(const std::string &text, Rgb &out)
{
    if (text.size() != 6)
        return false;
    int value = 0;
    for (char ch : text) {
        const unsigned char c = static_cast<unsigned char>(ch);
        if (!std::isxdigit(c))
            return false;
        value = value * 16 + (std::isdigit(c) ? c - '0' : std::tolower(c) - 'a' + 10);
    }
    out = {value >> 16, (value >> 8) & 255, value & 255};
    return true;
}

namespace {
std::string joined(const AppletRecord &data)
{
    std::string app;
    for (int pos = 1; pos <= AppletRecord::FieldCount; ++pos) {
        app += data[pos];
        app += '|';
    }
    return app;
}

std::string defaultOf(int pos)
{
    if (pos < 1 || pos > AppletRecord::FieldCount)
        return {};
    return appletFieldTable()[static_cast<std::size_t>(pos) - 1].defaultValue;
}
} // namespace

AppletValues::AppletValues(const AppletRecord &data) : fields_(splitFields(joined(data))) {}

std::string AppletValues::text(int pos) const
{
    if (pos >= 1 && static_cast<std::size_t>(pos) <= fields_.size())
        return fields_[static_cast<std::size_t>(pos) - 1];
    return defaultOf(pos);
}

int AppletValues::integer(int pos, int low, int high) const
{
    return parseInteger(text(pos), low, high, parseInteger(defaultOf(pos), low, high, 0));
}

Rgb AppletValues::colour(int pos) const
{
    Rgb c;
    if (!parseColour(text(pos), c))
        parseColour(defaultOf(pos), c);
    return c;
}

int AppletValues::borderWidth(int widthPos, int stylePos) const
{
    return choice(stylePos, 5) != 0 ? size(widthPos) : 0;
}

CaptionFont AppletValues::font(int pos) const
{
    CaptionFont font;
    font.family = choice(pos, 4);
    font.size = integer(pos + 1, 1, 999);
    font.style = integer(pos + 2, 0, 3);
    return font;
}

FirstLevelValues::FirstLevelValues(const ItemRecord &item)
{
    std::string value;
    for (int pos = ItemField::ItemCaption; pos <= ItemField::ItemMenuOffsetY; ++pos) {
        value += item[pos];
        value += '|';
    }
    fields = splitFields(value);
}

std::string FirstLevelValues::field(int pos, const std::string &fallback) const
{
    return static_cast<std::size_t>(pos) <= fields.size()
               ? fields[static_cast<std::size_t>(pos) - 1]
               : fallback;
}

int FirstLevelValues::offsetX() const
{
    return parseInteger(field(ItemField::ItemMenuOffsetX, "5"), -9999, 9999, 5);
}

int FirstLevelValues::offsetY() const
{
    return parseInteger(field(ItemField::ItemMenuOffsetY, "5"), -9999, 9999, 5);
}
