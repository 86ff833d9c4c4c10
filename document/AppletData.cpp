#include "AppletData.h"

#include <stdexcept>
#include <string>

const std::vector<AppletFieldInfo> &appletFieldTable()
{
    static const std::vector<AppletFieldInfo> table{
        {1, "MnItemCount", "0"},
        {2, "ApBgClr", "FFFFFF"},
        {3, "Reserved3", "000000"},
        {4, "ApBgImg", ""},
        {5, "ApBgImgAlign", "0"},
        {6, "ApBgImgX", "0"},
        {7, "ApBgImgY", "0"},
        {8, "ApBgSnd", ""},
        {9, "ApLoadingMsg", "Loading..."},
        {10, "ApLoadingMsgClr", "000000"},
        {11, "ApLoadingBgClr", "FFFFFF"},
        {12, "ApBrdWidth", "5"},
        {13, "Reserved13", "0"},
        {14, "ApBrdStyle", "3"},
        {15, "Reserved15", "0"},
        {16, "ApBrdClr", "F4BE1A"},
        {17, "ApBgFadeClr", "FFFFFF"},
        {18, "MnBgClr", "000000"},
        {19, "MnBgFadeClr", "000000"},
        {20, "MnBgTransparent", "0"},
        {21, "MnBrdWidth", "0"},
        {22, "Reserved22", "0"},
        {23, "MnBrdStyle", "0"},
        {24, "Reserved24", "0"},
        {25, "MnBrdClr", "FFFFFF"},
        {26, "MnItemsAlign", "1"},
        {27, "MnX", "40"},
        {28, "MnY", "20"},
        {29, "MnItemsWidth", "80"},
        {30, "MnItemsHeight", "20"},
        {31, "MnItemsGap", "0"},
        {32, "ItNoBgClr", "FFFFFF"},
        {33, "ItNoBgFadeClr", "FFFFFF"},
        {34, "ItNoBgImgAlign", "0"},
        {35, "ItNoBgImgX", "0"},
        {36, "ItNoBgImgY", "0"},
        {37, "ItNoBgTransparent", "0"},
        {38, "ItNoTextClr", "000000"},
        {39, "Reserved39", "0"},
        {40, "ItNoBrdWidth", "5"},
        {41, "Reserved41", "0"},
        {42, "ItNoBrdStyle", "3"},
        {43, "Reserved43", "0"},
        {44, "ItNoBrdClr", "D0AC1A"},
        {45, "ItNoFntName", "0"},
        {46, "ItNoFntSize", "14"},
        {47, "ItNoFntStyle", "0"},
        {48, "ItNoTextOffset", "0"},
        {49, "ItNoTextAlign", "1"},
        {50, "ItOvBgClr", "FFFFFF"},
        {51, "ItOvBgFadeClr", "FFFFFF"},
        {52, "ItOvBgImgAlign", "0"},
        {53, "ItOvBgImgX", "0"},
        {54, "ItOvBgImgY", "0"},
        {55, "ItOvBgTransparent", "0"},
        {56, "ItOvTextClr", "000000"},
        {57, "Reserved57", "0"},
        {58, "ItOvBrdWidth", "5"},
        {59, "Reserved59", "0"},
        {60, "ItOvBrdStyle", "3"},
        {61, "Reserved61", "0"},
        {62, "ItOvBrdClr", "FDCD5E"},
        {63, "ItOvFntName", "0"},
        {64, "ItOvFntSize", "14"},
        {65, "ItOvFntStyle", "0"},
        {66, "ItOvTextOffset", "0"},
        {67, "ItOvTextAlign", "1"},
        {68, "ItClBgClr", "FFFFFF"},
        {69, "ItClBgFadeClr", "FFFFFF"},
        {70, "ItClBgImgAlign", "0"},
        {71, "ItClBgImgX", "0"},
        {72, "ItClBgImgY", "0"},
        {73, "ItClBgTransparent", "0"},
        {74, "ItClTextClr", "000000"},
        {75, "Reserved75", "0"},
        {76, "ItClBrdWidth", "5"},
        {77, "Reserved77", "0"},
        {78, "ItClBrdStyle", "4"},
        {79, "Reserved79", "0"},
        {80, "ItClBrdClr", "FDCD5E"},
        {81, "ItClFntName", "0"},
        {82, "ItClFntSize", "14"},
        {83, "ItClFntStyle", "0"},
        {84, "ItClTextOffset", "0"},
        {85, "ItClTextAlign", "1"},
        {86, "ApWidth", "400"},
        {87, "ApHeight", "60"},
        {88, "ApBgGradientFill", "0"},
        {89, "MnBgGradientFill", "0"},
        {90, "ItNoBgGradientFill", "0"},
        {91, "ItOvBgGradientFill", "0"},
        {92, "ItClBgGradientFill", "0"},
        {93, "PopupMenuCount", "0"},
        {94, "PopupFntName", "0"},
        {95, "PopupFntSize", "14"},
        {96, "PopupFntStyle", "0"},
    };
    return table;
}

namespace ChoiceList {
const std::vector<std::string> &placement()
{
    static const std::vector<std::string> list{"Free", "Center", "Left", "Right", "Tile", "Resize"};
    return list;
}

const std::vector<std::string> &borderStyle()
{
    static const std::vector<std::string> list{"No Border", "Raised Frame", "Lowered Frame",
                                               "Raised Bevel", "Lowered Bevel"};
    return list;
}

const std::vector<std::string> &orientation()
{
    static const std::vector<std::string> list{"Vertical", "Horizontal"};
    return list;
}

const std::vector<std::string> &fontName()
{
    static const std::vector<std::string> list{"TimesRoman", "Helvetica", "Courier", "Dialog"};
    return list;
}

const std::vector<std::string> &alignment()
{
    static const std::vector<std::string> list{"Left", "Center", "Right"};
    return list;
}

const std::vector<std::string> &fontSize()
{
    static const std::vector<std::string> list{"8",  "10", "12", "14", "16", "18", "20",
                                               "22", "24", "26", "28", "36", "48", "72"};
    return list;
}
} // namespace ChoiceList

namespace {
bool endsWith(const std::string &text, const std::string &suffix)
{
    return text.size() >= suffix.size() &&
           text.compare(text.size() - suffix.size(), suffix.size(), suffix) == 0;
}

bool startsWith(const std::string &text, const std::string &prefix)
{
    return text.compare(0, prefix.size(), prefix) == 0;
}

// Field names follow one scheme, so the kind is read off the name.
FieldKind kindOfName(const std::string &name)
{
    if (startsWith(name, "Reserved"))
        return FieldKind::Reserved;
    if (name == "MnItemCount" || name == "PopupMenuCount")
        return FieldKind::Count;
    if (endsWith(name, "Clr"))
        return FieldKind::Colour;
    if (name == "ApBgImg" || name == "ApBgSnd")
        return FieldKind::FileName;
    if (name == "ApLoadingMsg")
        return FieldKind::Text;
    if (endsWith(name, "GradientFill") || endsWith(name, "Transparent"))
        return FieldKind::Flag;
    if (endsWith(name, "FntSize"))
        return FieldKind::FontSize;
    if (endsWith(name, "FntStyle"))
        return FieldKind::FontStyle;
    if (endsWith(name, "Align") || endsWith(name, "BrdStyle") || endsWith(name, "FntName"))
        return FieldKind::Choice;
    return FieldKind::Integer;
}
} // namespace

FieldKind appletFieldKind(int position)
{
    if (position < 1 || position > AppletRecord::FieldCount)
        throw std::out_of_range("applet field " + std::to_string(position) + " does not exist");
    return kindOfName(appletFieldTable()[static_cast<std::size_t>(position - 1)].name);
}
