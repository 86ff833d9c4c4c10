#include "Conversions.h"

#include "document/Errors.h"

#include <cctype>
#include <climits>
#include <cstdio>

std::string invalidIntegerMessage(std::string_view text)
{
    return "'" + std::string(text) + "' is not a valid integer value";
}

namespace {
// Characters from 1-based position pos, two at most, nothing when past the end.
std::string pairAt(std::string_view text, std::size_t pos)
{
    return pos <= text.size() ? std::string(text.substr(pos - 1, 2)) : std::string();
}
} // namespace

int hexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

std::string bgrHexToRgbHex(std::string_view text)
{
    return pairAt(text, 5) + pairAt(text, 3) + pairAt(text, 1);
}

BgrColor colorFromHex(std::string_view text)
{
    const std::string parsed = "$00" + bgrHexToRgbHex(text);
    // Hexadecimal digits after "$"; a 32-bit value holds at most eight significant ones.
    std::uint64_t value = 0;
    for (std::size_t i = 1; i < parsed.size(); ++i) {
        const int digit = hexDigit(parsed[i]);
        if (digit < 0)
            throw EConvertError(invalidIntegerMessage(parsed));
        value = value * 16 + static_cast<unsigned>(digit);
    }
    if (value > UINT32_MAX)
        throw EConvertError(invalidIntegerMessage(parsed));
    return static_cast<BgrColor>(value);
}

std::string hexFromColor(BgrColor color)
{
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%06X", static_cast<unsigned>(color));
    return bgrHexToRgbHex(buffer);
}

bool isRgbHex(std::string_view text)
{
    if (text.size() != 6)
        return false;
    for (char c : text) {
        if (hexDigit(c) < 0)
            return false;
    }
    return true;
}

bool tryParseInt(std::string_view text, int &value)
{
    std::size_t i = 0;
    const bool negative = !text.empty() && text[0] == '-';
    if (negative)
        i = 1;
    if (i >= text.size())
        return false;
    long long result = 0;
    for (; i < text.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        if (!std::isdigit(c))
            return false;
        result = result * 10 + (c - '0');
        if (result > static_cast<long long>(INT_MAX) + 1)
            return false;
    }
    if (negative)
        result = -result;
    if (result < INT_MIN || result > INT_MAX)
        return false;
    value = static_cast<int>(result);
    return true;
}

int parseInt(std::string_view text)
{
    int value = 0;
    if (!tryParseInt(text, value))
        throw EConvertError(invalidIntegerMessage(text));
    return value;
}
