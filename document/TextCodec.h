#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// Text is held as UTF-8. Files that are not valid UTF-8 are older 8-bit files in
// Windows-1252.
bool isValidUtf8(const std::string &bytes);
std::string windows1252ToUtf8(const std::string &bytes);
// The bytes as UTF-8: unchanged when valid, converted from Windows-1252 otherwise.
std::string decodeText(const std::string &bytes);
// Appends one code point as UTF-8.
void appendUtf8(std::string &out, std::uint32_t codePoint);

// Splits text into lines ended by CR LF, a bare LF or a bare CR. A Ctrl-Z ends the text.
// A last line without a line end counts; an empty text has no lines.
std::vector<std::string> splitLines(const std::string &text);
// The same lines as views into text, which must outlive them.
std::vector<std::string_view> splitLineViews(const std::string &text);

// The same lines one at a time, without holding them all: memory stays that of the text.
class LineCursor
{
public:
    explicit LineCursor(std::string_view text);
    bool atEnd() const { return start_ >= end_; }
    std::string_view next();                           // the next line; only when not at the end
    std::size_t lineNumber() const { return number_; } // of the line last read, from 1

private:
    std::string_view text_;
    std::size_t start_ = 0;
    std::size_t end_;
    std::size_t number_ = 0;
};

// Escapes a value for a double-quoted HTML attribute: & " < > as named references, every
// character outside printable ASCII as a decimal reference. Plain ASCII stays as it is.
// NUL and the C1 controls, which HTML turns into other characters whatever their
// reference, are written as U+FFFD, which is what a browser would make of them.
std::string escapeHtmlAttribute(std::string_view utf8);

// Text for a terminal or a message: control characters (C0 but tab and line ends, DEL, the C1
// range) are written as \xNN, and the characters that turn the direction of the text (U+061C,
// U+200E, U+200F, U+202A to U+202E, U+2066 to U+2069) as \uNNNN, so a name holding them can
// neither steer a terminal nor make a message read backwards.
std::string visibleText(std::string_view utf8);

// Text files end every line with CR LF.
inline constexpr const char *LineEnd = "\r\n";
