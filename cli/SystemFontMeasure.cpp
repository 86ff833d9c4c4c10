#include "SystemFontMeasure.h"

#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H
#include <harfbuzz/hb-ft.h>
#include <harfbuzz/hb.h>
#include <sstream>
#include <vector>

// FreeType's library, and fontconfig's configuration while a measure lives: the last one to
// go releases it, so that the process ends holding nothing of it.
struct SystemFontMeasure::Library
{
    FT_Library freetype = nullptr;
    static inline int live = 0;
    Library()
    {
        if (live++ == 0)
            FcInit();
        FT_Init_FreeType(&freetype);
    }
    ~Library()
    {
        if (freetype)
            FT_Done_FreeType(freetype);
        if (--live == 0)
            FcFini();
    }
};

struct SystemFontMeasure::Face
{
    FT_Face face = nullptr;
    hb_font_t *font = nullptr;
    ~Face()
    {
        if (font)
            hb_font_destroy(font); // releases the face it was made from
        else if (face)
            FT_Done_Face(face);
    }
};

namespace {
// The families a browser gives the generic names, as the preview names them too.
std::string genericFamily(const std::string &name)
{
    if (name == "serif")
        return "Times New Roman";
    if (name == "sans-serif" || name == "system-ui")
        return "Arial";
    if (name == "monospace")
        return "Monospace";
    return name;
}

bool installed(const std::string &family)
{
    FcPattern *pattern = FcPatternCreate();
    FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8 *>(family.c_str()));
    FcObjectSet *objects = FcObjectSetBuild(FC_FAMILY, nullptr);
    FcFontSet *fonts = FcFontList(nullptr, pattern, objects);
    const bool found = fonts && fonts->nfont > 0;
    if (fonts)
        FcFontSetDestroy(fonts);
    FcObjectSetDestroy(objects);
    FcPatternDestroy(pattern);
    return found;
}

// The family a caption is drawn in: the first installed name of the look's list (generic
// names always count), else the field's family.
std::string familyOf(const CaptionFont &font)
{
    static const char *const basic[] = {"Times New Roman", "Arial", "Monospace", "Arial"};
    const std::string fallback = basic[std::clamp(font.family, 0, 3)];
    if (font.families.empty() || font.families == "page")
        return fallback;
    std::stringstream list(font.families);
    for (std::string name; std::getline(list, name, ',');) {
        const auto first = name.find_first_not_of(' '), last = name.find_last_not_of(' ');
        if (first == std::string::npos)
            continue;
        name = name.substr(first, last - first + 1);
        if (name.size() > 1 && name.front() == '"' && name.back() == '"')
            name = name.substr(1, name.size() - 2);
        const std::string family = genericFamily(name);
        if (family != name || installed(family))
            return family;
    }
    return "Times New Roman"; // none installed: the browser's own default
}
} // namespace

SystemFontMeasure::SystemFontMeasure() : library_(std::make_unique<Library>()) {}

SystemFontMeasure::~SystemFontMeasure() = default;

const SystemFontMeasure::Face *SystemFontMeasure::face(const CaptionFont &font) const
{
    const std::string family = familyOf(font);
    const int weight = font.weight > 0 ? font.weight : (font.style & 1) ? 700 : 400;
    const bool italic = font.style & 2;
    const std::string key =
        family + '/' + std::to_string(weight) + (italic ? "i/" : "/") + std::to_string(font.size);
    if (auto found = faces_.find(key); found != faces_.end())
        return found->second.get();
    auto face = std::make_unique<Face>();
    FcPattern *pattern = FcPatternCreate();
    FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8 *>(family.c_str()));
    FcPatternAddInteger(pattern, FC_WEIGHT, FcWeightFromOpenType(weight));
    FcPatternAddInteger(pattern, FC_SLANT, italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
    FcPatternAddDouble(pattern, FC_PIXEL_SIZE, font.size);
    FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result = FcResultNoMatch;
    FcPattern *match = FcFontMatch(nullptr, pattern, &result);
    FcChar8 *file = nullptr;
    int index = 0;
    if (match && library_->freetype &&
        FcPatternGetString(match, FC_FILE, 0, &file) == FcResultMatch) {
        FcPatternGetInteger(match, FC_INDEX, 0, &index);
        if (FT_New_Face(library_->freetype, reinterpret_cast<const char *>(file), index,
                        &face->face) == 0) {
            FT_Set_Pixel_Sizes(face->face, 0, FT_UInt(std::max(1, font.size)));
            face->font = hb_ft_font_create_referenced(face->face);
            FT_Done_Face(face->face); // the font holds its own reference
            hb_ft_font_set_load_flags(face->font, FT_LOAD_NO_HINTING);
        } else {
            face->face = nullptr;
        }
    }
    if (match)
        FcPatternDestroy(match);
    FcPatternDestroy(pattern);
    return faces_.emplace(key, std::move(face)).first->second.get();
}

double SystemFontMeasure::width(const std::string &utf8, const CaptionFont &font) const
{
    const Face *found = face(font);
    if (!found || !found->font)
        return estimate_.width(utf8, font);
    hb_buffer_t *buffer = hb_buffer_create();
    hb_buffer_add_utf8(buffer, utf8.data(), int(utf8.size()), 0, int(utf8.size()));
    hb_buffer_guess_segment_properties(buffer);
    hb_shape(found->font, buffer, nullptr, 0);
    unsigned count = 0;
    const hb_glyph_position_t *positions = hb_buffer_get_glyph_positions(buffer, &count);
    double advance = 0;
    for (unsigned k = 0; k < count; ++k)
        advance += positions[k].x_advance;
    hb_buffer_destroy(buffer);
    return advance / 64.0;
}
