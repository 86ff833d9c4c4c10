#include "AccessibilityCheck.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>

// Fields by their names in the applet's field table.
using namespace AppletField;

namespace {
constexpr double MinimumContrast = 4.5;
const char *const StateNames[] = {"normal", "mouse-over", "clicked"};

double luminance(Rgb c)
{
    // The 256 channel values once: a menu of many items asks for the same few colours.
    static const std::array<double, 256> linear = [] {
        std::array<double, 256> table{};
        for (int v = 0; v < 256; ++v) {
            const double s = v / 255.0;
            table[std::size_t(v)] = s <= 0.03928 ? s / 12.92 : std::pow((s + 0.055) / 1.055, 2.4);
        }
        return table;
    }();
    auto at = [](int v) { return linear[std::size_t(std::clamp(v, 0, 255))]; };
    return 0.2126 * at(c.r) + 0.7152 * at(c.g) + 0.0722 * at(c.b);
}

// Row y of a gradient from a to b over h rows, as the menu paints it.
Rgb gradientRow(Rgb a, Rgb b, int y, int h)
{
    auto channel = [&](int from, int to) {
        const int n = (to - from) * (2 * y + 1) + h, d = 2 * h;
        return from + (n >= 0 ? n / d : -((-n + d - 1) / d));
    };
    return {channel(a.r, b.r), channel(a.g, b.g), channel(a.b, b.b)};
}

// A painted area: a colour, or a gradient over the rows from top to top + height.
struct Fill
{
    Rgb top, bottom;
    bool gradient = false;
    int y = 0, h = 1;

    Rgb at(int row) const
    {
        return gradient && h > 0 ? gradientRow(top, bottom, std::clamp(row - y, 0, h - 1), h) : top;
    }
};

std::string ratioText(double ratio)
{
    char text[16];
    std::snprintf(text, sizeof text, "%.1f", std::floor(ratio * 10) / 10);
    return text;
}
} // namespace

double contrastRatio(Rgb a, Rgb b)
{
    const double la = luminance(a), lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

std::vector<AccessibilityWarning>
accessibilityWarnings(const AppletRecord &data, const MenuRecords &items, const MenuLayout &layout)
{
    const AppletValues v(data);
    std::vector<AccessibilityWarning> warnings;
    const Fill applet{v.colour(ApBgClr), v.colour(ApBgFadeClr), v.flag(ApBgGradientFill), 0,
                      layout.applet.h};
    for (std::size_t k = 0; k < layout.items.size(); ++k) {
        const LayoutRect &r = layout.items[k];
        const int index = layout.itemIndex[k];
        const std::string caption = popupRowCaption(items[std::size_t(index)], false);
        if (caption.empty() || r.w <= 0 || r.h <= 0)
            continue;
        for (int state = 0; state < 3; ++state) {
            const int s = ItemNormalBlock + AppletField::ItemStateBlockSize * state;
            // What shows behind the caption: the item, else the menu box, else the applet.
            Fill behind = applet;
            if (!v.flag(s + StateOffset::BgTransparent))
                behind = {v.colour(s), v.colour(s + 1), v.flag(ItNoBgGradientFill + state), r.y,
                          r.h};
            else if (layout.menu && !v.flag(MnBgTransparent))
                behind = {v.colour(MnBgClr), v.colour(MnBgFadeClr), v.flag(MnBgGradientFill),
                          layout.menu->y, layout.menu->h};
            const Rgb text = v.colour(s + StateOffset::TextClr);
            double worst = 21;
            for (int y = r.y; y < r.y + r.h; ++y)
                worst = std::min(worst, contrastRatio(text, behind.at(y)));
            if (worst < MinimumContrast)
                warnings.push_back(
                    {index, "item " + std::to_string(index + 1) + " \"" + caption + "\"",
                     "the caption's contrast in the " + std::string(StateNames[state]) +
                         " state is " + ratioText(worst) +
                         ":1, below 4.5:1; make the caption colour or the background darker "
                         "or lighter"});
        }
    }
    if (!layout.items.empty()) {
        const LayoutRect &r = layout.items.front();
        if (r.w < MinimumTargetSize || r.h < MinimumTargetSize)
            warnings.push_back({-1, "first-level items",
                                std::to_string(r.w) + " x " + std::to_string(r.h) +
                                    " pixels is smaller than 24 x 24, hard to hit with a finger "
                                    "or an unsteady hand; make the items at least 24 pixels wide "
                                    "and high"});
    }
    return warnings;
}

namespace {
void popupWarnings(const LookValues &look, const std::string &scheme,
                   std::vector<AccessibilityWarning> &warnings)
{
    const struct
    {
        const char *where;
        Rgb text, background;
    } captions[] = {{"popup rows", look.popupText, look.popupBackground},
                    {"the highlighted popup row", look.popupHighlightText, look.popupHighlight}};
    for (const auto &caption : captions) {
        const double ratio = contrastRatio(caption.text, caption.background);
        if (ratio < MinimumContrast)
            warnings.push_back({-1, caption.where + scheme,
                                "the caption's contrast is " + ratioText(ratio) +
                                    ":1, below 4.5:1; make the caption colour or the background "
                                    "darker or lighter"});
    }
}
} // namespace

std::vector<AccessibilityWarning> accessibilityWarnings(const AppletRecord &data,
                                                        const MenuRecords &items,
                                                        const MenuLayout &layout,
                                                        const LookValues &look)
{
    std::vector<AccessibilityWarning> warnings = accessibilityWarnings(data, items, layout);
    popupWarnings(look, "", warnings);
    if (look.scheme == LookValues::Scheme::Light)
        return warnings;
    const char *const Dark = " in the dark scheme";
    for (AccessibilityWarning warning :
         accessibilityWarnings(look.inScheme(data, true), items, layout)) {
        if (warning.item < 0)
            continue; // sizes are the same in both schemes
        warning.where += Dark;
        warnings.push_back(std::move(warning));
    }
    popupWarnings(look.inScheme(true), Dark, warnings);
    return warnings;
}
