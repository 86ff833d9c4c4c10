#include "TextCodec.h"

#include <cstdint>

namespace {
// Decodes one UTF-8 sequence at bytes[i]; returns its length, or 0 when it is malformed
// (overlong forms, surrogates and values past U+10FFFF are malformed).
std::size_t decodeUtf8(std::string_view bytes, std::size_t i, std::uint32_t &codePoint)
{
    const auto byte = [&bytes](std::size_t k) { return static_cast<unsigned char>(bytes[k]); };
    const unsigned char lead = byte(i);
    std::size_t length;
    std::uint32_t minimum;
    if (lead < 0x80) {
        codePoint = lead;
        return 1;
    } else if ((lead & 0xE0) == 0xC0) {
        length = 2, minimum = 0x80, codePoint = lead & 0x1F;
    } else if ((lead & 0xF0) == 0xE0) {
        length = 3, minimum = 0x800, codePoint = lead & 0x0F;
    } else if ((lead & 0xF8) == 0xF0) {
        length = 4, minimum = 0x10000, codePoint = lead & 0x07;
    } else {
        return 0;
    }
    if (i + length > bytes.size())
        return 0;
    for (std::size_t k = 1; k < length; ++k) {
        if ((byte(i + k) & 0xC0) != 0x80)
            return 0;
        codePoint = (codePoint << 6) | (byte(i + k) & 0x3F);
    }
    if (codePoint < minimum || codePoint > 0x10FFFF || (codePoint >= 0xD800 && codePoint <= 0xDFFF))
        return 0;
    return length;
}

// Windows-1252 0x80..0x9F; the five unassigned bytes map to the C1 controls of the same value.
constexpr std::uint16_t cp1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};
} // namespace

void appendUtf8(std::string &out, std::uint32_t cp)
{
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

bool isValidUtf8(const std::string &bytes)
{
    std::uint32_t cp;
    for (std::size_t i = 0; i < bytes.size();) {
        const std::size_t length = decodeUtf8(bytes, i, cp);
        if (length == 0)
            return false;
        i += length;
    }
    return true;
}

std::string windows1252ToUtf8(const std::string &bytes)
{
    std::string out;
    out.reserve(bytes.size() + bytes.size() / 8);
    for (char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte >= 0x80 && byte < 0xA0)
            appendUtf8(out, cp1252High[byte - 0x80]);
        else
            appendUtf8(out, byte);
    }
    return out;
}

std::string decodeText(const std::string &bytes)
{
    if (isValidUtf8(bytes))
        return bytes;
    // Line by line: one line written in the old 8-bit code page must not turn the UTF-8 of
    // every other line into mojibake. Line ends are ASCII in both, so they split safely.
    std::string text;
    text.reserve(bytes.size());
    std::size_t start = 0;
    while (start < bytes.size()) {
        std::size_t stop = bytes.find_first_of("\r\n", start);
        if (stop == std::string::npos)
            stop = bytes.size();
        const std::string line = bytes.substr(start, stop - start);
        text += isValidUtf8(line) ? line : windows1252ToUtf8(line);
        const std::size_t next = bytes.find_first_not_of("\r\n", stop);
        text.append(bytes, stop, (next == std::string::npos ? bytes.size() : next) - stop);
        start = next == std::string::npos ? bytes.size() : next;
    }
    return text;
}

std::vector<std::string> splitLines(const std::string &text)
{
    std::vector<std::string> lines;
    for (std::string_view line : splitLineViews(text))
        lines.emplace_back(line);
    return lines;
}

std::vector<std::string_view> splitLineViews(const std::string &text)
{
    std::vector<std::string_view> lines;
    for (LineCursor cursor(text); !cursor.atEnd();)
        lines.push_back(cursor.next());
    return lines;
}

LineCursor::LineCursor(std::string_view text) : text_(text), end_(text.find('\x1A'))
{
    if (end_ == std::string_view::npos)
        end_ = text.size();
}

std::string_view LineCursor::next()
{
    std::size_t stop = text_.find_first_of("\r\n", start_);
    if (stop == std::string_view::npos || stop > end_)
        stop = end_;
    const std::string_view line = text_.substr(start_, stop - start_);
    if (stop + 1 < end_ && text_[stop] == '\r' && text_[stop + 1] == '\n')
        ++stop;
    start_ = stop + 1;
    ++number_;
    return line;
}

std::string escapeHtmlAttribute(std::string_view utf8)
{
    std::string out;
    out.reserve(utf8.size());
    for (std::size_t i = 0; i < utf8.size();) {
        const char c = utf8[i];
        switch (c) {
        case '&':
            out += "&amp;";
            ++i;
            continue;
        case '"':
            out += "&quot;";
            ++i;
            continue;
        case '<':
            out += "&lt;";
            ++i;
            continue;
        case '>':
            out += "&gt;";
            ++i;
            continue;
        default:
            break;
        }
        if ((c >= 0x20 && c < 0x7F) || c == '\t') {
            out += c; // plain ASCII, as most of a page is: no decoding
            ++i;
            continue;
        }
        std::uint32_t cp;
        std::size_t length = decodeUtf8(utf8, i, cp);
        if (length == 0) {
            cp = 0xFFFD; // a stray byte: the replacement character, as a browser would show it
            length = 1;
        }
        if ((cp >= 0x20 && cp < 0x7F) || cp == '\t')
            out += static_cast<char>(cp);
        else if (cp == 0 || (cp >= 0x80 && cp <= 0x9F))
            out += "&#65533;"; // no reference carries these through HTML; they arrive as U+FFFD
        else
            out += "&#" + std::to_string(cp) + ";";
        i += length;
    }
    return out;
}

std::string visibleText(std::string_view text)
{
    static const char digits[] = "0123456789ABCDEF", lower[] = "0123456789abcdef";
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        const auto next = [&](std::size_t k) {
            return i + k < text.size() ? static_cast<unsigned char>(text[i + k]) : 0;
        };
        // The direction marks: U+061C is D8 9C; U+200E, U+200F, U+202A to U+202E and U+2066
        // to U+2069 are E2 80 8E-8F, E2 80 AA-AE and E2 81 A6-A9.
        std::uint32_t mark = 0;
        if (c == 0xD8 && next(1) == 0x9C)
            mark = 0x061C;
        else if (c == 0xE2 && next(1) == 0x80 && (next(2) == 0x8E || next(2) == 0x8F))
            mark = 0x2000 + (next(2) - 0x80);
        else if (c == 0xE2 && next(1) == 0x80 && next(2) >= 0xAA && next(2) <= 0xAE)
            mark = 0x2000 + (next(2) - 0x80);
        else if (c == 0xE2 && next(1) == 0x81 && next(2) >= 0xA6 && next(2) <= 0xA9)
            mark = 0x2040 + (next(2) - 0x80);
        if (mark) {
            out += "\\u";
            for (int shift = 12; shift >= 0; shift -= 4)
                out += digits[(mark >> shift) & 15];
            i += mark == 0x061C ? 1 : 2;
            continue;
        }
        const bool c1 = c == 0xC2 && (next(1) & 0xE0) == 0x80;
        if ((c < 0x20 && c != '\t' && c != '\r' && c != '\n') || c == 0x7F || c1) {
            const unsigned char shown = c1 ? static_cast<unsigned char>(text[++i]) : c;
            out += "\\x";
            out += lower[shown >> 4];
            out += lower[shown & 15];
        } else {
            out += static_cast<char>(c);
        }
    }
    return out;
}
