// Menus in and out: real sites' shapes imported with their order and nesting, round trips
// through every export, and bad input refused with the place named and nothing written.

#include "interchange/Interchange.h"

#include "cli/BatchTool.h"
#include "document/FileSystem.h"
#include "document/HtmlWriter.h"
#include "document/MenuLayout.h"
#include "document/ProjectFile.h"
#include "interchange/Outline.h"
#include "tests/core/TestSupport.h"

#include <functional>
#include <gtest/gtest.h>
#include <random>
#include <sstream>

using namespace interchange;

namespace {
const std::string Fixtures = TARVELLE_SOURCE_DIR "/tests/core/interchange/";

std::string noScriptList(const MenuDocument &document, const ItemTree &tree)
{
    TextOut out;
    writeNoScriptMenu(out, document.items(), itemParents(tree));
    std::string list = out.take();
    list.erase(std::remove(list.begin(), list.end(), '\r'), list.end());
    return list;
}

int separators(const MenuDocument &document)
{
    return static_cast<int>(
        std::count_if(document.items().begin(), document.items().end(), [](const ItemRecord &item) {
            return item[ItemField::ItemCaption] == SeparatorCaption;
        }));
}

void importFile(const std::string &name, const ImportOptions &options, ImportedMenu &menu)
{
    importMenu(readBytes(Fixtures + name), name, options, menu);
}
} // namespace

// Each fixture is written in the shape its kind of site writes it; the list is what a visitor
// without scripts gets, in order and nesting.
TEST(Interchange, SitesMenusImportWithTheirOrderAndNesting)
{
    struct Case
    {
        std::string file;
        ImportOptions options;
        int separators;
        std::size_t leftOut;
        std::string list;
    };
    const std::string hugo = "<ul>\n<li><a href=/>Home</a>\n<li>Documentation\n<ul>\n"
                             "<li><a href=/docs/start>Getting started</a>\n<li>Reference\n<ul>\n"
                             "<li><a href=/docs/reference/>Reference</a>\n"
                             "<li><a href=/docs/reference/api/>API</a>\n"
                             "<li><a href=/docs/reference/cli/>CLI</a>\n</ul>\n</ul>\n"
                             "<li><a href=/blog/>Blog</a>\n<li><a href=https://github.example/"
                             "lantern target=_blank rel=noopener>GitHub</a>\n</ul>\n";
    const std::vector<Case> cases{
        {"wordpress.html",
         {},
         0,
         0,
         "<ul>\n<li><a href=https://hillfarm.example/>Home</a>\n<li>Our Breads\n<ul>\n"
         "<li><a href=https://hillfarm.example/breads/>Our Breads</a>\n"
         "<li><a href=https://hillfarm.example/breads/sourdough/>Sourdough</a>\n"
         "<li><a href=https://hillfarm.example/breads/rye/>Rye</a>\n</ul>\n"
         "<li><a href=https://shop.hillfarm.example/ target=_blank rel=noopener>Shop</a>\n"
         "<li><a href=https://hillfarm.example/contact/>Contact &amp; Hours</a>\n</ul>\n"},
        {"bootstrap.html",
         {},
         2,
         0,
         "<ul>\n<li><a href=index.html>Home</a>\n<li>Products\n<ul>\n"
         "<li><a href=products/tea.html>Tea</a>\n<li><a href=products/coffee.html>Coffee</a>\n"
         "<li><a href=products/gifts.html>Gift boxes</a>\n</ul>\n<li>Company\n<ul>\n"
         "<li><a href=about.html>About us</a>\n"
         "<li><a href=jobs.html target=_blank rel=noopener>Jobs</a>\n</ul>\n<li>Blog\n</ul>\n"},
        {"nested-list.html",
         {},
         1,
         0,
         "<ul>\n<li><a href=/>Start</a>\n<li>Guides\n<ul>\n"
         "<li><a href=/guides/install>Installing</a>\n<li>Advanced\n<ul>\n"
         "<li><a href=/guides/advanced/tuning>Tuning</a>\n"
         "<li><a href=/guides/advanced/faq>FAQ</a>\n</ul>\n</ul>\n"
         "<li><a href=/about>About</a>\n</ul>\n"},
        {"hugo.yaml", {}, 0, 1, hugo},
        {"hugo.toml", {}, 0, 1, hugo},
        {"navigation.yml",
         {std::nullopt, "docs", ""},
         0,
         1,
         "<ul>\n<li>Getting Started\n<ul>\n"
         "<li><a href=/docs/quick-start-guide/>Quick-Start Guide</a>\n"
         "<li><a href=/docs/structure/>Structure</a>\n</ul>\n<li>Customization\n<ul>\n"
         "<li><a href=/docs/configuration/>Configuration</a>\n"
         "<li><a href=/docs/navigation/>Navigation</a>\n</ul>\n</ul>\n"},
    };
    for (const Case &test : cases) {
        ImportedMenu menu;
        importFile(test.file, test.options, menu);
        EXPECT_EQ(noScriptList(menu.document, menu.tree), test.list) << test.file;
        EXPECT_EQ(separators(menu.document), test.separators) << test.file;
        EXPECT_EQ(menu.leftOut.size(), test.leftOut) << test.file;
        // A new menu's look, the items numbered as a save numbers them.
        EXPECT_EQ(menu.document.appletData()[AppletField::MnItemsHeight], "24") << test.file;
    }

    // The sitemap: a page under a folder is a child of the folder's page, which comes first
    // in its popup; a folder without a page is an item without a link.
    ImportedMenu site;
    importFile("sitemap.xml", {}, site);
    // 40 pages, two folders without a page, and the first entries of the ten popups whose
    // folder has a page.
    EXPECT_EQ(site.document.items().size(), 52u);
    const std::string list = noScriptList(site.document, site.tree);
    const std::string start = "<ul>\n<li><a href=https://www.brightweb.example/>Home</a>\n"
                              "<li>About\n<ul>\n<li><a href=https://www.brightweb.example/"
                              "about/>About</a>\n<li><a href=https://www.brightweb.example/"
                              "about/team.html>Team</a>\n";
    EXPECT_EQ(list.substr(0, start.size()), start);
    EXPECT_NE(list.find("<li>2025\n<ul>\n<li><a href=https://www.brightweb.example/blog/2025/"
                        "first-steps.html>First steps</a>\n"),
              std::string::npos);
    EXPECT_NE(list.find(">Seo audits</a>"), std::string::npos);
}

namespace {
// A random project of the shape the editor makes: branches without links, separators in
// popups only, captions that formats quote or escape.
void randomProject(std::mt19937 &random, MenuDocument &document, MemoryTree &tree)
{
    static const std::vector<std::string> words{
        "Home",   "true", "null",       "123",     "a: b",        "#tag",
        "- dash", "'q'",  "\"quoted\"", "Ünïcödé", "Tom & Jerry", "<b>",
        "x = 1",  "[x]",  "yes",        "~",       "C:\\path",    "é"};
    static const std::vector<std::string> targets{"_self", "_blank", "_top", "frame"};
    const auto pick = [&random](const std::vector<std::string> &from) {
        return from[std::uniform_int_distribution<std::size_t>(0, from.size() - 1)(random)];
    };
    document.startNewMenu();
    tree.addChild(nullptr, "Tarvelle");
    const std::function<void(ItemTree::Node, int)> grow = [&](ItemTree::Node parent, int level) {
        const int count = std::uniform_int_distribution<int>(level == 1 ? 1 : 0, 4)(random);
        for (int i = 0; i < count; ++i) {
            const bool separator = level > 1 && random() % 6 == 0;
            const std::string caption =
                separator ? SeparatorCaption : pick(words) + " " + std::to_string(i);
            ItemRecord item = document.newItem();
            item.set(ItemField::ItemCaption, caption);
            item.set(ItemField::ItemTarget, pick(targets));
            item.set(ItemField::ItemStatusBarText, random() % 2 ? pick(words) : std::string());
            const ItemTree::Node node = tree.addChild(parent, caption);
            document.items().push_back(item);
            const std::size_t at = document.items().size() - 1;
            if (!separator && level < 4 && random() % 3 == 0)
                grow(node, level + 1);
            if (tree.childCount(node) == 0 && !separator)
                document.items()[at].set(ItemField::ItemURL, "/" + pick(words) + ".html?a=1&b");
        }
    };
    grow(tree.root(), 1);
    AppletRecord data = document.appletData();
    data.set(AppletField::ApLoadingMsg, pick(words));
    document.setAppletData(data);
}

std::string projectText(const MenuDocument &document, const ItemTree &tree)
{
    return ProjectWriter(document, tree).text();
}

// What a format without a look carries: captions, links, targets and status texts, nested.
std::string itemsOf(const Outline &outline, int level = 0)
{
    std::string text;
    for (const OutlineItem &item : outline) {
        if (item.separator)
            continue;
        text += std::string(std::size_t(level), '>') + item.caption + "|" + item.url + "|" +
                (item.target.empty() ? "_self" : item.target) + "|" + item.statusText + "\n";
        text += itemsOf(item.children, level + 1);
    }
    return text;
}
} // namespace

TEST(Interchange, EveryExportReadsBackAsItWasWritten)
{
    std::vector<std::string> templates;
    for (const char *name : {"Classic Light Bar", "Night Bar", "Sky Gradient Column"})
        templates.push_back(
            readBytes(TARVELLE_SOURCE_DIR "/resources/templets/" + std::string(name) + ".tvl"));
    std::mt19937 random(20261209);
    for (int round = 0; round < 200 + static_cast<int>(templates.size()); ++round) {
        MenuDocument document;
        MemoryTree tree;
        if (round < static_cast<int>(templates.size())) {
            tree.addChild(nullptr, "Tarvelle");
            ProjectReader(document).read(templates[std::size_t(round)], tree);
        } else {
            randomProject(random, document, tree);
        }
        std::vector<std::string> leftOut;
        ImportedMenu fromJson;
        importMenu(exportMenu(ExportFormat::Json, document, tree, leftOut), "menu.json", {},
                   fromJson);
        ASSERT_EQ(projectText(fromJson.document, fromJson.tree), projectText(document, tree))
            << "round " << round;
        if (round < static_cast<int>(templates.size())) {
            ASSERT_EQ(projectText(document, tree), templates[std::size_t(round)]);
        }
        EXPECT_TRUE(leftOut.empty());

        const std::string items = itemsOf(outlineOf(document, tree));
        for (const auto &[format, name] : {std::pair{ExportFormat::HugoYaml, "config.yaml"},
                                           std::pair{ExportFormat::HugoToml, "hugo.toml"},
                                           std::pair{ExportFormat::Jekyll, "navigation.yml"}}) {
            const std::string text = exportMenu(format, document, tree, leftOut);
            ImportedMenu back;
            importMenu(text, name, {}, back);
            ASSERT_EQ(itemsOf(outlineOf(back.document, back.tree)), items)
                << "round " << round << " " << name << "\n"
                << text;
        }
    }
}

// Every refusal names the place; the batch tool then writes nothing and exits 2.
TEST(Interchange, BadInputIsRefusedWithThePlaceNamed)
{
    const std::string deepJson = [] {
        std::string text = R"({"format": "tarvelle-menu", "version": 1, "items": )";
        for (int level = 0; level < 1002; ++level)
            text += R"([{"ItemCaption": "x", "children": )";
        text += "[]";
        for (int level = 0; level < 1002; ++level)
            text += "}]";
        return text + "}";
    }();
    const std::string longCaption =
        "<nav><ul><li><a href=x>" + std::string(70000, 'a') + "</a></ul></nav>";
    struct Case
    {
        std::string name, content, message;
    };
    const std::vector<Case> cases{
        {"deep.json", deepJson, "deeper than 1000 levels"},
        {"cycle.yaml", "menus:\n  main:\n    - {name: A, parent: B}\n    - {name: B, parent: A}\n",
         "menus.main[0]: the parent references of \"A\" go round in a circle"},
        {"twice.toml", "[[menus.main]]\nname = 'A'\n[[menus.main]]\nidentifier = 'A'\n",
         "menus.main[1]: the identifier \"A\" is already menus.main[0]'s"},
        {"field.json", R"({"format": "tarvelle-menu", "version": 1, "items": [{"Colour": "x"}]})",
         "items[0]: unknown field \"Colour\""},
        {"break.json",
         R"({"format": "tarvelle-menu", "version": 1, "applet": {"ApLoadingMsg": "a\nb"}})",
         "applet.ApLoadingMsg: the value holds a line break"},
        {"nomenu.yaml", "title: Site\nmenus:\n  footer: []\n", "no menu \"main\""},
        {"broken.yaml", "menus:\n  main:\n    - name: A\n   bad: 1\n", "not YAML"},
        {"list.yml", "- title: [a, b]\n", "[0].title: a text was expected"},
        {"page.html", "<p>No lists here</p>", "holds no list of links"},
        {"feed.xml", "<rss><channel/></rss>", "not a sitemap"},
        {"long.html", longCaption, "caption is longer than 65536 bytes"},
        {"weight.yaml", "menus:\n  main:\n    - {name: A, weight: heavy}\n",
         "menus.main[0].weight: \"heavy\" is not a number"},
    };
    TempFolder folder;
    for (const Case &test : cases) {
        ImportedMenu menu;
        try {
            importMenu(test.content, test.name, {}, menu);
            ADD_FAILURE() << test.name << " was taken";
        } catch (const EImportError &error) {
            EXPECT_NE(std::string(error.what()).find(test.message), std::string::npos)
                << test.name << ": " << error.what();
        }
        writeBytes(folder.file(test.name), test.content);
        std::ostringstream out, err;
        EXPECT_EQ(
            runBatchTool({"import", folder.file(test.name), folder.file("out.tvl")}, "", out, err),
            ExitCode::LoadFailed)
            << test.name;
        EXPECT_FALSE(fsx::fileExists(folder.file("out.tvl"))) << test.name;
    }

    // The command line: a wrong one is 64, an existing project is kept without --force, and
    // something left out is told with exit 1.
    std::ostringstream out, err;
    EXPECT_EQ(runBatchTool({"import", "--format", "rss", "a", "b.tvl"}, "", out, err),
              ExitCode::Usage);
    EXPECT_EQ(runBatchTool({"export", "x.tvl"}, "", out, err), ExitCode::Usage);
    writeBytes(folder.file("kept.tvl"), "mine");
    EXPECT_EQ(
        runBatchTool({"import", Fixtures + "hugo.yaml", folder.file("kept.tvl")}, "", out, err),
        ExitCode::LoadFailed);
    EXPECT_EQ(readBytes(folder.file("kept.tvl")), "mine");
    std::ostringstream told;
    EXPECT_EQ(runBatchTool({"import", "--force", Fixtures + "hugo.yaml", folder.file("kept.tvl")},
                           "", out, told),
              ExitCode::Problems);
    EXPECT_NE(told.str().find("left out: menus.main[7]: the field \"pre\" is not taken over"),
              std::string::npos)
        << told.str();
}
