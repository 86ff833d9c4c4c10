#include "document/LookSettings.h"

#include "document/HtmlWriter.h"
#include "document/MemoryTree.h"
#include "document/MenuDocument.h"
#include "document/ProjectFile.h"
#include "document/TextOut.h"
#include "interchange/Formats.h"
#include "tests/core/TestSupport.h"

#include <functional>
#include <gtest/gtest.h>
#include <map>
#include <random>

namespace {
std::string saved(const MenuDocument &doc, const ItemTree &tree)
{
    return ProjectWriter(doc, tree).text();
}

// Each row: one setting as a file holds it, and what the typed reader makes of it.
struct ValueCase
{
    const char *name, *value;
    std::function<std::string(const LookValues &)> read;
    const char *expected;
};

std::string rgb(Rgb c)
{
    char text[8];
    std::snprintf(text, sizeof text, "%02X%02X%02X", c.r, c.g, c.b);
    return text;
}
} // namespace

TEST(LookSettings, ValuesAreCheckedAgainstTheirFormsAndRanges)
{
    const auto radius = [](const LookValues &v) { return std::to_string(v.radius); };
    const auto popupRadius = [](const LookValues &v) { return std::to_string(v.popupRadius); };
    const auto padding = [](const LookValues &v) { return std::to_string(v.popupPadding); };
    const auto row = [](const LookValues &v) { return std::to_string(v.popupRow); };
    const auto weight = [](const LookValues &v) { return std::to_string(v.weight); };
    const auto font = [](const LookValues &v) { return v.font; };
    const auto background = [](const LookValues &v) { return rgb(v.popupBackground); };
    const auto separator = [](const LookValues &v) {
        return v.popupSeparator ? rgb(*v.popupSeparator) : std::string("none");
    };
    const auto scheme = [](const LookValues &v) { return std::to_string(int(v.scheme)); };
    const auto dark = [](const LookValues &v) {
        std::string out;
        for (const auto &[key, colour] : v.dark)
            out += key + ":" + rgb(colour) + ";";
        return out;
    };
    const auto vars = [](const LookValues &v) {
        return v.vars.empty() ? std::string()
                              : v.vars.begin()->first + ":" + v.vars.begin()->second;
    };
    const auto icon = [](const LookValues &v) {
        return v.icons.empty()
                   ? std::string()
                   : std::to_string(v.icons.begin()->first) + ":" + v.icons.begin()->second;
    };
    const auto badge = [](const LookValues &v) {
        return v.badges.empty() ? std::string() : v.badges.begin()->second;
    };
    const auto fontFile = [](const LookValues &v) {
        return v.fontFiles.empty() ? std::string()
                                   : v.fontFiles.begin()->first + ":" + v.fontFiles.begin()->second;
    };
    const ValueCase cases[] = {
        {"radius", "6", radius, "6"},
        {"radius", "999", radius, "0"},
        {"radius", "-1", radius, "0"},
        {"radius", " 6", radius, "0"},
        {"popup-radius", "16", popupRadius, "16"},
        {"popup-radius", "17", popupRadius, "0"},
        {"popup-padding", "3", padding, "8"},
        {"popup-padding", "32", padding, "32"},
        {"popup-row", "23", row, "24"},
        {"popup-row", "64", row, "64"},
        {"weight", "600", weight, "600"},
        {"weight", "650", weight, "0"},
        {"weight", "1000", weight, "0"},
        {"font", "Inter, \"Noto Sans\", sans-serif", font, "Inter, \"Noto Sans\", sans-serif"},
        {"font", "page", font, "page"},
        {"font", "Inter;color:red", font, ""},
        {"font", "Inter,,serif", font, ""},
        {"font", "\"unclosed", font, ""},
        {"popup-background", "1e1e2e", background, "1E1E2E"},
        {"popup-background", "#1E1E2E", background, "F0F0F0"},
        {"popup-separator", "DDDDDD", separator, "DDDDDD"},
        {"popup-separator", "grey", separator, "none"},
        {"scheme", "dark", scheme, "1"},
        {"scheme", "auto", scheme, "2"},
        {"scheme", "Dark", scheme, "0"},
        {"dark.18", "101010", dark, "18:101010;"},
        {"dark.popup-text", "EEEEEE", dark, "popup-text:EEEEEE;"},
        {"dark.1", "101010", dark, ""},   // ApWidth is no colour
        {"dark.018", "101010", dark, ""}, // positions are written without zeros before
        {"dark.18", "10101", dark, ""},
        {"var.popup-highlight", "--brand", vars, "popup-highlight:--brand"},
        {"var.18", "brand", vars, ""},
        {"var.18", "--a b", vars, ""},
        {"icon.3", "home.svg", icon, "3:home.svg"},
        {"icon.3", "../home.svg", icon, ""},
        {"icon.3", "home.gif", icon, ""},
        {"icon.03", "home.svg", icon, ""},
        {"badge.0", "New", badge, "New"},
        {"badge.0", "Thirteen char", badge, ""},
        {"badge.0", "Ümlaut ünïc", badge, "Ümlaut ünïc"},
        {"font-file.Inter Var", "inter.woff2", fontFile, "Inter Var:inter.woff2"},
        {"font-file.Inter", "inter.exe", fontFile, ""},
    };
    for (const ValueCase &c : cases) {
        LookSettings settings;
        settings.set(c.name, c.value);
        EXPECT_EQ(c.read(LookValues::read(settings)), c.expected) << c.name << "=" << c.value;
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
