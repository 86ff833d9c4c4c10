#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// Colours are stored as RRGGBB text and held in memory as 0x00BBGGRR.
using BgrColor = std::uint32_t;

// Swaps the first and the last character pair: BBGGRR becomes RRGGBB. Pairs beyond the end
// of a shorter text contribute nothing; characters after the sixth are ignored.
std::string bgrHexToRgbHex(std::string_view text);

// Parses "$00" + pairs 3, 2, 1 of the text as hexadecimal. Throws EConvertError with
// "'$00…' is not a valid integer value" when that text is not a hexadecimal number.
BgrColor colorFromHex(std::string_view text);

// Formats a plain 0x00BBGGRR value as RRGGBB (at least six upper-case digits before the
// swap). System colours must be resolved by the caller.
std::string hexFromColor(BgrColor color);

// The value of a hexadecimal digit, either case; -1 for any other character.
int hexDigit(char c);

// True for exactly six hexadecimal digits.
bool isRgbHex(std::string_view text);

// Parses a whole decimal integer with an optional leading minus; throws EConvertError with
// the standard message otherwise (also when it does not fit in an int).
int parseInt(std::string_view text);

// Like parseInt, but reports failure through the return value.
bool tryParseInt(std::string_view text, int &value);
