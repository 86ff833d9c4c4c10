#pragma once

#include "document/Records.h"

#include <string>
#include <vector>

// The 96 applet settings. Their order is a wire format shared by the project file, the
// applet parameter "app" and the applet itself, so a field is identified by its position.
using AppletRecord = TextRecord<96>;

namespace AppletField {
enum : int
{
    MnItemCount = 1,
    ApBgClr = 2,
    Reserved3 = 3,
    ApBgImg = 4,
    ApBgImgAlign = 5,
    ApBgImgX = 6,
    ApBgImgY = 7,
    ApBgSnd = 8,
    ApLoadingMsg = 9,
    ApLoadingMsgClr = 10,
    ApLoadingBgClr = 11,
    ApBrdWidth = 12,
    Reserved13 = 13,
    ApBrdStyle = 14,
    Reserved15 = 15,
    ApBrdClr = 16,
    ApBgFadeClr = 17,
    MnBgClr = 18,
    MnBgFadeClr = 19,
    MnBgTransparent = 20,
    MnBrdWidth = 21,
    Reserved22 = 22,
    MnBrdStyle = 23,
    Reserved24 = 24,
    MnBrdClr = 25,
    MnItemsAlign = 26,
    MnX = 27,
    MnY = 28,
    MnItemsWidth = 29,
    MnItemsHeight = 30,
    MnItemsGap = 31,
    ItNoBgClr = 32,
    ItNoBgFadeClr = 33,
    ItNoBgImgAlign = 34,
    ItNoBgImgX = 35,
    ItNoBgImgY = 36,
    ItNoBgTransparent = 37,
    ItNoTextClr = 38,
    Reserved39 = 39,
    ItNoBrdWidth = 40,
    Reserved41 = 41,
    ItNoBrdStyle = 42,
    Reserved43 = 43,
    ItNoBrdClr = 44,
    ItNoFntName = 45,
    ItNoFntSize = 46,
    ItNoFntStyle = 47,
    ItNoTextOffset = 48,
    ItNoTextAlign = 49,
    ItOvBgClr = 50,
    ItOvBgFadeClr = 51,
    ItOvBgImgAlign = 52,
    ItOvBgImgX = 53,
    ItOvBgImgY = 54,
    ItOvBgTransparent = 55,
    ItOvTextClr = 56,
    Reserved57 = 57,
    ItOvBrdWidth = 58,
    Reserved59 = 59,
    ItOvBrdStyle = 60,
    Reserved61 = 61,
    ItOvBrdClr = 62,
    ItOvFntName = 63,
    ItOvFntSize = 64,
    ItOvFntStyle = 65,
    ItOvTextOffset = 66,
    ItOvTextAlign = 67,
    ItClBgClr = 68,
    ItClBgFadeClr = 69,
    ItClBgImgAlign = 70,
    ItClBgImgX = 71,
    ItClBgImgY = 72,
    ItClBgTransparent = 73,
    ItClTextClr = 74,
    Reserved75 = 75,
    ItClBrdWidth = 76,
    Reserved77 = 77,
    ItClBrdStyle = 78,
    Reserved79 = 79,
    ItClBrdClr = 80,
    ItClFntName = 81,
    ItClFntSize = 82,
    ItClFntStyle = 83,
    ItClTextOffset = 84,
    ItClTextAlign = 85,
    ApWidth = 86,
    ApHeight = 87,
    ApBgGradientFill = 88,
    MnBgGradientFill = 89,
    ItNoBgGradientFill = 90,
    ItOvBgGradientFill = 91,
    ItClBgGradientFill = 92,
    PopupMenuCount = 93,
    PopupFntName = 94,
    PopupFntSize = 95,
    PopupFntStyle = 96,
};

// Block starts of the three item states; each block has ItemStateBlockSize fields.
constexpr int ItemNormalBlock = ItNoBgClr;
constexpr int ItemOverBlock = ItOvBgClr;
constexpr int ItemClickedBlock = ItClBgClr;
constexpr int ItemStateBlockSize = 18;

// Offsets inside an item-state block.
namespace StateOffset {
enum : int
{
    BgClr = 0,
    BgFadeClr = 1,
    BgImgAlign = 2,
    BgImgX = 3,
    BgImgY = 4,
    BgTransparent = 5,
    TextClr = 6,
    BrdWidth = 8,
    BrdStyle = 10,
    BrdClr = 12,
    FntName = 13,
    FntSize = 14,
    FntStyle = 15,
    TextOffset = 16,
    TextAlign = 17,
};
} // namespace StateOffset

// The positions that nothing edits and every store empties.
inline const std::vector<int> &reservedFields()
{
    static const std::vector<int> fields{Reserved3,  Reserved13, Reserved15, Reserved22, Reserved24,
                                         Reserved39, Reserved41, Reserved43, Reserved57, Reserved59,
                                         Reserved61, Reserved75, Reserved77, Reserved79};
    return fields;
}
} // namespace AppletField

// What a field holds, which says how it is checked and converted.
enum class FieldKind
{
    Count, // derived from the tree on store
    Integer,
    Flag,
    Choice,    // 0-based position in a fixed list
    FontSize,  // the size text itself
    FontStyle, // "0" to "3"
    Colour,    // RRGGBB
    Text,
    FileName,
    Reserved,
};
FieldKind appletFieldKind(int position);

// Field names and defaults, by position.
struct AppletFieldInfo
{
    int position;
    const char *name;
    const char *defaultValue;
};
const std::vector<AppletFieldInfo> &appletFieldTable();

// The fixed choice lists; a choice is stored as the 0-based position of its entry.
namespace ChoiceList {
const std::vector<std::string> &placement();
const std::vector<std::string> &borderStyle();
const std::vector<std::string> &orientation();
const std::vector<std::string> &fontName();
const std::vector<std::string> &alignment();
// Font sizes are stored as the size text itself, not as a position.
const std::vector<std::string> &fontSize();
} // namespace ChoiceList

// Font style codes.
namespace FontStyle {
constexpr int Plain = 0;
constexpr int Bold = 1;
constexpr int Italic = 2;
constexpr int BoldItalic = 3;
} // namespace FontStyle

// Only the exact text "1" is on.
inline bool isFlagOn(std::string_view value)
{
    return value == "1";
}
