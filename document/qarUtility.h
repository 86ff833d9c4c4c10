#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// Colours are stored as RRGGBB text and held in memory as 0x00BBGGRR.
using TColor = std::uint32_t;

// Swaps the first and the last character pair: BBGGRR becomes RRGGBB. Pairs beyond the end
// of a shorter text contribute nothing; characters after the sixth are ignored.
std::string BGRHexToRGBHex(std::string_view text);

// Parses "$00" + pairs 3, 2, 1 of the text as hexadecimal. Throws EConvertError with
// "'$00…' is not a valid integer value" when that text is not a hexadecimal number.
TColor RGBHexToColor(std::string_view text);

// Formats a plain 0x00BBGGRR value as RRGGBB (at least six upper-case digits before the
// swap). System colours must be resolved by the caller.
std::string ColorToRGBHex(TColor color);

// True for exactly six hexadecimal digits.
bool isRGBHex(std::string_view text);

// Parses a whole decimal integer with an optional leading minus; throws EConvertError with
// the standard message otherwise (also when it does not fit in an int).
int StrToInt(std::string_view text);

// Like StrToInt, but reports failure through the return value.
bool tryStrToInt(std::string_view text, int &value);
