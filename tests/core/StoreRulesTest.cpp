#include "document/StoreRules.h"

#include "tests/core/TestSupport.h"

#include <gtest/gtest.h>

namespace {
AppletRecord defaults()
{
    MenuDocument doc;
    doc.resetToDefaults();
    return doc.appletData();
}
} // namespace

TEST(StoreRules, CountsComeFromTheTree)
{
    MemoryTree tree;
    AppletRecord data = defaults();
    applyAppletStoreRules(data, tree);
    EXPECT_EQ(data[AppletField::MnItemCount], "0"); // no tree at all
    EXPECT_EQ(data[AppletField::PopupMenuCount], "-1");

    buildTree(tree, {"Tarvelle"});
    applyAppletStoreRules(data, tree);
    EXPECT_EQ(data[AppletField::MnItemCount], "0");
    EXPECT_EQ(data[AppletField::PopupMenuCount], "-1");

    buildTree(tree, {"Tarvelle", ">A", ">>A1", ">B"});
    applyAppletStoreRules(data, tree);
    EXPECT_EQ(data[AppletField::MnItemCount], "2");
    EXPECT_EQ(data[AppletField::PopupMenuCount], "1");

    buildTree(tree, {"Tarvelle", ">A", ">>A1", ">>>A1a", ">B", ">>B1"});
    applyAppletStoreRules(data, tree);
    EXPECT_EQ(data[AppletField::PopupMenuCount], "3");
}

TEST(StoreRules, ReservedFieldsAndAppletSoundAreEmptied)
{
    MemoryTree tree;
    buildTree(tree, {"Tarvelle"});
    AppletRecord data = defaults();
    data.set(AppletField::ApBgSnd, "music.au");
    applyAppletStoreRules(data, tree);
    EXPECT_EQ(data[AppletField::ApBgSnd], "");
    const std::vector<int> reserved{3, 13, 15, 22, 24, 39, 41, 43, 57, 59, 61, 75, 77, 79};
    EXPECT_EQ(AppletField::reservedFields(), reserved);
    for (int pos : reserved)
        EXPECT_EQ(data[pos], "") << "field " << pos;
}

TEST(StoreRules, NoBorderMeansWidthZero)
{
    MemoryTree tree;
    buildTree(tree, {"Tarvelle"});
    const std::vector<std::pair<int, int>> pairs{{12, 14}, {21, 23}, {40, 42}, {58, 60}, {76, 78}};
    for (auto [width, style] : pairs) {
        AppletRecord data = defaults();
        data.set(width, "7");
        data.set(style, "0");
        applyAppletStoreRules(data, tree);
        EXPECT_EQ(data[width], "0") << "width field " << width;

        data.set(width, "7");
        data.set(style, "2");
        applyAppletStoreRules(data, tree);
        EXPECT_EQ(data[width], "7") << "width field " << width;
    }
}

TEST(StoreRules, FadeColourFollowsBackgroundWithoutGradient)
{
    MemoryTree tree;
    buildTree(tree, {"Tarvelle"});
    const std::vector<std::tuple<int, int, int>> triples{
        {2, 17, 88}, {18, 19, 89}, {32, 33, 90}, {50, 51, 91}, {68, 69, 92}};
    for (auto [background, fade, flag] : triples) {
        for (const char *off : {"0", "", " 1", "2"}) {
            AppletRecord data = defaults();
            data.set(background, "F4BE1A");
            data.set(fade, "123456");
            data.set(flag, off);
            applyAppletStoreRules(data, tree);
            EXPECT_EQ(data[fade], "F4BE1A") << "fade field " << fade << " flag '" << off << "'";
        }
        AppletRecord data = defaults();
        data.set(background, "F4BE1A");
        data.set(fade, "123456");
        data.set(flag, "1");
        applyAppletStoreRules(data, tree);
        EXPECT_EQ(data[fade], "123456");
    }
}
