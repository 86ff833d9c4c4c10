#include "document/LookSettings.h"

#include "document/AccessibilityCheck.h"
#include "document/DarkColours.h"
#include "document/HtmlWriter.h"
#include "document/MemoryTree.h"
#include "document/MenuDocument.h"
#include "document/ProjectFile.h"
#include "document/TextOut.h"
#include "interchange/Formats.h"
#include "tests/core/TestSupport.h"

#include <algorithm>
#include <fstream>
#include <functional>
#include <gtest/gtest.h>
#include <map>
#include <nlohmann/json.hpp>
#include <random>

namespace {
std::string saved(const MenuDocument &doc, const ItemTree &tree)
{
    return ProjectWriter(doc, tree).text();
}

std::string hex(Rgb c)
{
    char text[8];
    std::snprintf(text, sizeof text, "%02X%02X%02X", c.r, c.g, c.b);
    return text;
}

template <class Map, class Show> std::string first(const Map &map, Show show)
{
    return map.empty() ? std::string() : show(*map.begin());
}

// A value of the typed reader as the shared table of cases writes it.
std::string shown(const LookValues &v, const std::string &read)
{
    const std::map<std::string, std::function<std::string()>> values = {
        {"radius", [&] { return std::to_string(v.radius); }},
        {"menuRadius", [&] { return std::to_string(v.menuRadius); }},
        {"popupRadius", [&] { return std::to_string(v.popupRadius); }},
        {"popupPadding", [&] { return std::to_string(v.popupPadding); }},
        {"popupRow", [&] { return std::to_string(v.popupRow); }},
        {"popupFrameWidth", [&] { return std::to_string(v.popupFrameWidth); }},
        {"popupInset", [&] { return std::to_string(v.popupInset); }},
        {"popupShadow", [&] { return std::to_string(v.popupShadow); }},
        {"transition", [&] { return std::to_string(v.transition); }},
        {"weight", [&] { return std::to_string(v.weight); }},
        {"popupWeight", [&] { return std::to_string(v.popupWeight); }},
        {"caps", [&] { return std::string(v.caps ? "1" : "0"); }},
        {"font", [&] { return v.font; }},
        {"popupFont", [&] { return v.popupFont; }},
        {"popupBackground", [&] { return hex(v.popupBackground); }},
        {"popupText", [&] { return hex(v.popupText); }},
        {"popupHighlight", [&] { return hex(v.popupHighlight); }},
        {"popupHighlightText", [&] { return hex(v.popupHighlightText); }},
        {"popupFrame", [&] { return hex(v.popupFrame); }},
        {"currentMarker", [&] { return hex(v.currentMarker); }},
        {"popupSeparator",
         [&] { return v.popupSeparator ? hex(*v.popupSeparator) : std::string("none"); }},
        {"scheme",
         [&] {
             return std::string(v.scheme == LookValues::Scheme::Dark   ? "dark"
                                : v.scheme == LookValues::Scheme::Auto ? "auto"
                                                                       : "light");
         }},
        {"dark",
         [&] {
             std::string out;
             for (const auto &[key, colour] : v.dark)
                 out += key + ":" + hex(colour) + ";";
             return out;
         }},
        {"vars", [&] { return first(v.vars, [](auto &e) { return e.first + ":" + e.second; }); }},
        {"icons",
         [&] {
             return first(v.icons,
                          [](auto &e) { return std::to_string(e.first) + ":" + e.second; });
         }},
        {"badges", [&] { return first(v.badges, [](auto &e) { return e.second; }); }},
        {"fontFiles",
         [&] { return first(v.fontFiles, [](auto &e) { return e.first + ":" + e.second; }); }},
    };
    return values.at(read)();
}
} // namespace

// The table the runtime's tests read too: both read every setting alike.
TEST(LookSettings, ValuesAreCheckedAgainstTheirFormsAndRanges)
{
    std::ifstream file(TARVELLE_SOURCE_DIR "/tests/data/look-values.json");
    const nlohmann::json table = nlohmann::json::parse(file);
    ASSERT_GT(table.at("cases").size(), 50u);
    for (const nlohmann::json &c : table.at("cases")) {
        LookSettings settings;
        settings.set(c.at("name"), c.at("value"));
        EXPECT_EQ(shown(LookValues::read(settings), c.at("read")), c.at("expected"))
            << c.at("name") << "=" << c.at("value");
    }
}

// Random settings, known and unknown, set and reset against a plain map as the model: the
// settings keep what differs from its default, and the project file, Tarvelle JSON and the
// page carry exactly that.
TEST(LookSettings, StorageRoundTripsAgainstAModel)
{
    const std::vector<std::pair<std::string, std::vector<std::string>>> pool = {
        {"radius", {"0", "6", "999", "x"}},
        {"scheme", {"light", "dark", "auto"}},
        {"popup-background", {"F0F0F0", "1E1E2E", "zz"}},
        {"popup-separator", {"", "DDDDDD"}},
        {"font", {"", "page", "Inter, sans-serif", "\"Fira Sans\""}},
        {"dark.18", {"", "101010"}},
        {"icon.2", {"", "home.svg"}},
        {"badge.0", {"", "New", "\"quoted\" & <b>"}},
        {"font-file.My Font", {"", "my.woff2"}},
        {"future-setting", {"", "anything = at all"}},
        {"x.y-2", {"1"}},
    };
    std::mt19937 random(2026);
    for (int round = 0; round < 60; ++round) {
        MenuDocument doc;
        MemoryTree tree;
        makeExample(doc, tree);
        const std::string basic = saved(doc, tree);
        std::map<std::string, std::string> model;
        LookSettings look;
        for (int step = 0; step < 8; ++step) {
            const auto &[name, values] = pool[random() % pool.size()];
            const std::string value = values[random() % values.size()];
            look.set(name, value);
            const bool isDefault =
                LookSettings::isKnown(name) && value == LookSettings::defaultOf(name);
            if (isDefault)
                model.erase(name);
            else
                model[name] = value;
        }
        ASSERT_EQ(look.entries(), model);
        doc.setLook(look);

        const std::string file = saved(doc, tree);
        MenuDocument loaded;
        MemoryTree loadedTree;
        ProjectReader(loaded).read(file, loadedTree);
        EXPECT_EQ(loaded.look(), look);
        EXPECT_EQ(saved(loaded, loadedTree), file);
        // What comes before the section is the file of the basic look: a reader that stops
        // after the items opens it as that.
        EXPECT_EQ(file.substr(0, basic.size()), basic);
        EXPECT_EQ(file.size() == basic.size(), look.empty());

        TextOut json;
        exportJson(doc, tree, json);
        MenuDocument imported;
        MemoryTree importedTree;
        importJson(json.take(), imported, importedTree);
        EXPECT_EQ(imported.look(), look);

        const std::string fragment = HtmlWriter(doc).fragment();
        const std::size_t app = fragment.find("<param name=\"app\"");
        const std::size_t next = fragment.find("\r\n", app) + 2;
        const bool hasLook = fragment.compare(next, 25, "\t<param name=\"look\" value") == 0;
        EXPECT_EQ(hasLook, !look.empty());
    }
}

TEST(LookSettings, TheLookParameterIsEscapedJsonAfterApp)
{
    MenuDocument doc;
    MemoryTree tree;
    makeExample(doc, tree);
    LookSettings look;
    look.set("scheme", "auto");
    look.set("radius", "6");
    look.set("badge.1", "\"<&>\"");
    doc.setLook(look);
    const std::string fragment = HtmlWriter(doc).fragment();
    EXPECT_NE(fragment.find("\t<param name=\"look\" value=\"{&quot;badge.1&quot;:&quot;\\&quot;"
                            "&lt;&amp;&gt;\\&quot;&quot;,&quot;radius&quot;:&quot;6&quot;,"
                            "&quot;scheme&quot;:&quot;auto&quot;}\">"),
              std::string::npos)
        << fragment.substr(0, 2000);

    // Lines that are no setting, and names of the wrong form, are passed over on reading.
    const std::string file = saved(doc, tree);
    const std::string marker = "--------------- Look Description ---------------\r\n";
    std::string edited = file;
    edited.insert(edited.find(marker) + marker.size(), "no equals sign\r\nUpper=1\r\n");
    MenuDocument loaded;
    MemoryTree loadedTree;
    ProjectReader(loaded).read(edited, loadedTree);
    EXPECT_EQ(loaded.look(), look);
    EXPECT_THROW(look.set("Radius", "1"), std::invalid_argument);
    EXPECT_THROW(look.set("radius", "1\n2"), std::invalid_argument);
}

// Over random menus: every caption of the dark scheme is readable on its background, and the
// colours keep their hues where the captions needed no moving.
TEST(LookSettings, DerivedDarkColoursAreReadable)
{
    using namespace AppletField;
    std::mt19937 random(45);
    auto colour = [&random] {
        char text[8];
        std::snprintf(text, sizeof text, "%06X", unsigned(random() & 0xFFFFFF));
        return std::string(text);
    };
    for (int round = 0; round < 200; ++round) {
        MenuDocument doc;
        AppletRecord data = doc.appletData();
        for (const AppletFieldInfo &field : appletFieldTable()) {
            if (std::string(field.name).size() > 3 &&
                std::string(field.name).substr(std::string(field.name).size() - 3) == "Clr")
                data.set(field.position, colour());
        }
        LookSettings look;
        look.set("popup-background", colour());
        look.set("popup-highlight", colour());
        look.set("radius", "4");
        const LookValues dark = LookValues::read(deriveDarkColours(data, look));
        ASSERT_EQ(dark.radius, 4); // the other settings stay
        auto at = [&dark](const std::string &key) { return dark.dark.at(key); };
        std::vector<std::pair<std::string, std::string>> pairs = {
            {"popup-text", "popup-background"},
            {"popup-highlight-text", "popup-highlight"},
            {std::to_string(ApLoadingMsgClr), std::to_string(ApLoadingBgClr)}};
        for (int block : {ItemNormalBlock, ItemOverBlock, ItemClickedBlock})
            pairs.push_back({std::to_string(block + StateOffset::TextClr), std::to_string(block)});
        for (const auto &[caption, background] : pairs)
            EXPECT_GE(contrastRatio(at(caption), at(background)), 4.5) << caption;
        // A background is its light colour with the lightness turned over.
        const Rgb lightBack = AppletValues(data).colour(MnBgClr), darkBack = at("18");
        const auto lightness = [](Rgb c) {
            return (std::max({c.r, c.g, c.b}) + std::min({c.r, c.g, c.b})) / 510.0;
        };
        EXPECT_NEAR(lightness(darkBack), 1 - lightness(lightBack), 0.01);
    }
}

// The check reads the look's colours: the popup rows, the highlight, and the dark scheme.
TEST(LookSettings, TheCheckWarnsOfFaintCaptionsInTheLooksColours)
{
    MenuDocument doc;
    MemoryTree tree;
    makeExample(doc, tree);
    const MenuRecords items{doc.items()};
    const MenuLayout layout =
        computeMenuLayout(doc.appletData(), doc.items(), itemParents(tree), EstimatedMeasure());
    auto wheres = [&](const LookSettings &look) {
        std::vector<std::string> out;
        for (const AccessibilityWarning &w :
             accessibilityWarnings(doc.appletData(), items, layout, LookValues::read(look)))
            out.push_back(w.where);
        return out;
    };
    const std::vector<std::string> basic = wheres({});
    LookSettings look;
    look.set("popup-text", "E0E0E0");
    std::vector<std::string> expected = basic;
    expected.push_back("popup rows");
    EXPECT_EQ(wheres(look), expected);

    look = deriveDarkColours(doc.appletData(), {});
    look.set("scheme", "auto");
    EXPECT_EQ(wheres(look), basic) << "derived dark colours are readable";
    look.set("dark.popup-highlight-text", look.value("dark.popup-highlight"));
    expected = basic;
    expected.push_back("the highlighted popup row in the dark scheme");
    EXPECT_EQ(wheres(look), expected);
}
