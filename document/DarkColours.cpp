#include "DarkColours.h"

#include "document/AccessibilityCheck.h"
#include "document/MenuValues.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <string>
#include <vector>

namespace {
constexpr double LeastContrast = 4.5;

struct Hsl
{
    double h, s, l;
};

Hsl toHsl(Rgb c)
{
    const double r = c.r / 255.0, g = c.g / 255.0, b = c.b / 255.0;
    const double high = std::max({r, g, b}), low = std::min({r, g, b}), l = (high + low) / 2;
    if (high == low)
        return {0, 0, l};
    const double d = high - low, s = l > 0.5 ? d / (2 - high - low) : d / (high + low);
    const double h = high == r   ? (g - b) / d + (g < b ? 6 : 0)
                     : high == g ? (b - r) / d + 2
                                 : (r - g) / d + 4;
    return {h / 6, s, l};
}

Rgb toRgb(Hsl c)
{
    auto channel = [](double p, double q, double t) {
        t = t < 0 ? t + 1 : t > 1 ? t - 1 : t;
        return t < 1.0 / 6   ? p + (q - p) * 6 * t
               : t < 0.5     ? q
               : t < 2.0 / 3 ? p + (q - p) * (2.0 / 3 - t) * 6
                             : p;
    };
    auto byte = [](double v) { return int(std::lround(std::clamp(v, 0.0, 1.0) * 255)); };
    if (c.s == 0)
        return {byte(c.l), byte(c.l), byte(c.l)};
    const double q = c.l < 0.5 ? c.l * (1 + c.s) : c.l + c.s - c.l * c.s, p = 2 * c.l - q;
    return {byte(channel(p, q, c.h + 1.0 / 3)), byte(channel(p, q, c.h)),
            byte(channel(p, q, c.h - 1.0 / 3))};
}

Rgb turnedOver(Rgb c)
{
    Hsl hsl = toHsl(c);
    hsl.l = 1 - hsl.l;
    return toRgb(hsl);
}

// The caption's colour with its lightness moved, toward white or black (whichever side gets
// there nearer), until it differs from the background enough.
Rgb readableOn(Rgb caption, Rgb background)
{
    if (contrastRatio(caption, background) >= LeastContrast)
        return caption;
    const Hsl start = toHsl(caption);
    Rgb best = contrastRatio({255, 255, 255}, background) >= contrastRatio({0, 0, 0}, background)
                   ? Rgb{255, 255, 255}
                   : Rgb{0, 0, 0};
    const double target = best.r == 255 ? 1.0 : 0.0;
    for (int step = 1; step <= 100; ++step) {
        Hsl moved = start;
        moved.l = start.l + (target - start.l) * step / 100.0;
        const Rgb candidate = toRgb(moved);
        if (contrastRatio(candidate, background) >= LeastContrast)
            return candidate;
    }
    return best;
}

} // namespace

LookSettings deriveDarkColours(const AppletRecord &data, const LookSettings &look)
{
    using namespace AppletField;
    const AppletValues values(data);
    const LookValues light = LookValues::read(look);
    std::map<std::string, Rgb> dark;
    for (const AppletFieldInfo &field : appletFieldTable()) {
        const std::string name = field.name;
        if (name.size() > 3 && name.compare(name.size() - 3, 3, "Clr") == 0)
            dark[std::to_string(field.position)] = turnedOver(values.colour(field.position));
    }
    const std::pair<const char *, Rgb> popupColours[] = {
        {"popup-background", light.popupBackground},
        {"popup-text", light.popupText},
        {"popup-highlight", light.popupHighlight},
        {"popup-highlight-text", light.popupHighlightText},
        {"popup-frame", light.popupFrame},
        {"current-marker", light.currentMarker}};
    for (const auto &[name, colour] : popupColours)
        dark[name] = turnedOver(colour);
    if (light.popupSeparator)
        dark["popup-separator"] = turnedOver(*light.popupSeparator);

    // Every caption against what it is drawn on.
    std::vector<std::pair<std::string, std::string>> captions = {
        {std::to_string(ApLoadingMsgClr), std::to_string(ApLoadingBgClr)},
        {"popup-text", "popup-background"},
        {"popup-highlight-text", "popup-highlight"}};
    for (int block : {ItemNormalBlock, ItemOverBlock, ItemClickedBlock})
        captions.push_back({std::to_string(block + StateOffset::TextClr), std::to_string(block)});
    for (const auto &[caption, background] : captions)
        dark[caption] = readableOn(dark[caption], dark[background]);

    LookSettings derived = look;
    for (const auto &[key, colour] : dark)
        derived.set("dark." + key, hexOf(colour));
    return derived;
}
