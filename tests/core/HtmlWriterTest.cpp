#include "document/HtmlWriter.h"

#include "document/MenuStructure.h"
#include "tests/core/TestSupport.h"

#include <gtest/gtest.h>

namespace {

std::string appParam(const MenuDocument &doc)
{
    StringList values;
    doc.appletToStrings(doc.appletData(), values);
    std::string app = "\t<param name=\"app\" value=\"";
    for (const std::string &v : values)
        app += v + "|";
    return app + "\">";
}
} // namespace

TEST(HtmlWriter, EmptyDocumentGivesSixLines)
{
    MenuDocument doc;
    doc.resetToDefaults();
    RecordingProgress progress;
    doc.setProgress(&progress);
    const auto html = crlfLines(HtmlWriter(doc).fragment());
    ASSERT_EQ(html.size(), 6u);
    EXPECT_EQ(html[0], "<HTML>");
    EXPECT_EQ(html[1],
              "<applet code=\"zorvex.class\" archive=\"zorvex.jar\" width=\"400\" height=\"60\">");
    EXPECT_EQ(html[2].rfind("\t<param name=\"Copyright\" value=\"", 0), 0u);
    EXPECT_NE(html[2].find("Zorvex"), std::string::npos);
    EXPECT_EQ(html[3], appParam(doc));
    EXPECT_EQ(html[4], "</applet>");
    EXPECT_EQ(html[5], "</HTML>");
    EXPECT_EQ(progress.maximums, std::vector<int>{100});

    MenuDocument blank; // 96 empty fields
    EXPECT_EQ(crlfLines(HtmlWriter(blank).fragment())[3],
              "\t<param name=\"app\" value=\"" + std::string(96, '|') + "\">");

    progress.minimumValue = 7;
    crlfLines(HtmlWriter(doc).fragment());
    EXPECT_EQ(progress.maximums.back(), 107);
}

TEST(HtmlWriter, WorkedExampleByteForByte)
{
    MenuDocument doc;
    MemoryTree tree;
    makeExample(doc, tree);
    const auto html = crlfLines(HtmlWriter(doc).fragment());
    ASSERT_EQ(html.size(), 13u);
    EXPECT_EQ(std::vector<std::string>(html.begin() + 4, html.begin() + 11),
              (std::vector<std::string>{
                  "\t<param name=\"I0-0\" value=\"Home|index.html|_self|||||||5|5|\">",
                  "\t<param name=\"I0-1\" value=\"Products||_self|||||||5|5|\">",
                  "\t<param name=\"btn1mn0\" value=\"\">",
                  "\t<param name=\"btn1mn0it0\" value=\"A|a.html|_blank|\">",
                  "\t<param name=\"btn1mn1\" value=\"B\">",
                  "\t<param name=\"btn1mn0it1\" value=\"btn1mn1\">",
                  "\t<param name=\"btn1mn1it0\" value=\"B1|b1.html|_self|\">",
              }));
    EXPECT_EQ(html[11], "</applet>");
    EXPECT_EQ(html[12], "</HTML>");
}

TEST(HtmlWriter, ValuesCannotBreakTheAttribute)
{
    MenuDocument doc;
    MemoryTree tree;
    buildTree(tree, {"Tarvelle", ">x"});
    fillItemsFromTree(doc, tree);
    doc.items()[0].set(ItemField::ItemCaption, "Tom & \"Jerry\" <b>caf\xC3\xA9</b> a|b");
    AppletRecord data = doc.appletData();
    data.set(AppletField::ApWidth, "4\"00");
    doc.setAppletData(data);
    NullProgress none;
    numberMenuStructure(tree, doc.items(), none);
    const auto html = crlfLines(HtmlWriter(doc).fragment());
    EXPECT_EQ(
        html[1],
        "<applet code=\"zorvex.class\" archive=\"zorvex.jar\" width=\"4&quot;00\" height=\"60\">");
    EXPECT_EQ(html[4], "\t<param name=\"I0-0\" value=\"Tom &amp; &quot;Jerry&quot; "
                       "&lt;b&gt;caf&#233;&lt;/b&gt; a|b|"
                       "|_self|||||||5|5|\">");
}

TEST(HtmlWriter, SavedPageWithTheRuntimeCarriesThePlainMenu)
{
    MenuDocument doc;
    MemoryTree tree;
    buildTree(tree,
              {"Tarvelle", ">Home", ">Products", ">>A", ">>-", ">>B", ">>>B1", ">Caf<\u00e9>"});
    fillItemsFromTree(doc, tree);
    ItemList &items = doc.items();
    items[0].set(ItemField::ItemURL, "index.html");
    items[2].set(ItemField::ItemURL, "a.html");
    items[2].set(ItemField::ItemTarget, "_Blank");
    items[5].set(ItemField::ItemURL, "b1.html?a=1&b=\"2\"");
    items[5].set(ItemField::ItemTarget, "frame");
    NullProgress none;
    numberMenuStructure(tree, items, none);

    EXPECT_EQ(savedPage(doc, "x", tree), HtmlWriter(doc).fragment()) << "no runtime: the fragment";
    doc.setIncludeWebRuntime(true);
    const auto page = crlfLines(savedPage(doc, "My <menu>", tree));
    const auto fragment = crlfLines(HtmlWriter(doc).fragment());
    ASSERT_EQ(page.size(), 8 + (fragment.size() - 3) + 14 + 4);
    EXPECT_EQ(page[5], "<title>My &lt;menu&gt;</title>");
    EXPECT_TRUE(std::equal(fragment.begin() + 1, fragment.end() - 2, page.begin() + 8));
    // Links keep their targets (_self is the default), values are quoted only where HTML needs
    // it, separators inside popups are left out, a branch is its caption and its list; the
    // lists lie in a canvas of the applet's size, which keeps the menu's place.
    EXPECT_EQ(
        std::vector<std::string>(page.end() - 18, page.end()),
        (std::vector<std::string>{
            "<canvas width=400 height=60>",
            "<ul>",
            "<li><a href=index.html>Home</a>",
            "<li>Products",
            "<ul>",
            "<li><a href=a.html target=_Blank rel=noopener>A</a>",
            "<li>B",
            "<ul>",
            "<li><a href=\"b1.html?a=1&amp;b=&quot;2&quot;\" target=frame rel=noopener>B1</a>",
            "</ul>",
            "</ul>",
            "<li>Caf&lt;&#233;&gt;",
            "</ul>",
            "</canvas>",
            "</applet>",
            "<script src=\"zorvex.js\"></script>",
            "</body>",
            "</html>",
        }));
}
