#include "document/ProjectFile.h"

#include "document/Errors.h"
#include "document/FileSystem.h"
#include "document/MenuStructure.h"
#include "document/MenuTree.h"
#include "document/TextCodec.h"
#include "tests/core/TestSupport.h"

#include <csignal>
#include <filesystem>
#include <gtest/gtest.h>
#ifndef _WIN32
#include <sys/stat.h>
#endif
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {
const std::vector<std::string> ExampleOutline{"Tarvelle", ">Home", ">Products",
                                              ">>A",      ">>B",   ">>>B1"};

void expectSameDocument(const MenuDocument &a, const ItemTree &ta, const MenuDocument &b,
                        const ItemTree &tb)
{
    EXPECT_EQ(outlineOf(ta), outlineOf(tb));
    EXPECT_EQ(a.appletData(), b.appletData());
    EXPECT_EQ(a.items(), b.items());
}

// A document that differs from the defaults everywhere it can.
void makeSentinel(MenuDocument &doc, MemoryTree &tree)
{
    buildTree(tree, {"Old", ">X", ">Y"});
    fillItemsFromTree(doc, tree);
    AppletRecord data = doc.appletData();
    data.set(AppletField::ApWidth, "999");
    doc.setAppletData(data);
    doc.items()[1].set(ItemField::ItemURL, "y.html");
}

// A structure section made complete: the default settings and a new item's record per item.
std::string withRecords(const std::string &structure, int items)
{
    MenuDocument doc;
    doc.resetToDefaults();
    MemoryTree empty;
    empty.addChild(nullptr, "T");
    const std::string text = ProjectWriter(doc, empty).text();
    const std::size_t applet = text.find("--------------- Applet Parameter Description Start");
    const std::size_t itemsAt = text.find("--------------- Item Parameter Description Start");
    std::string record;
    StringList fields;
    doc.itemToStrings(doc.newItem(), fields);
    for (const std::string &field : fields)
        record += field + "\r\n";
    std::string result = structure + text.substr(applet, itemsAt - applet) +
                         "--------------- Item Parameter Description Start ---------------\r\n" +
                         std::to_string(items) + "\r\n";
    result.reserve(result.size() + record.size() * static_cast<std::size_t>(items) + 80);
    for (int k = 0; k < items; ++k)
        result += record;
    return result + "--------------- Item Parameter Description End ---------------\r\n";
}
} // namespace

TEST(ProjectFile, WorkedExampleIsWrittenLineByLine)
{
    MenuDocument doc;
    MemoryTree tree;
    makeExample(doc, tree);
    const std::vector<std::string> file = crlfLines(ProjectWriter(doc, tree).text());
    ASSERT_EQ(file.size(), 3u + 4 + 2 + 6 + 2 + 96 + 2 + 1 + 5 * 15);
    EXPECT_EQ(file[0], "Note: This file be created and maintained by Tarvelle,");
    EXPECT_EQ(file[1], "please do not modify it by yourself, otherwise the project file may not");
    EXPECT_EQ(file[2], "be opened correctly! Thanks!. ");
    EXPECT_EQ(file[3], "--------------- General Description Start ---------------");
    EXPECT_EQ(file[4], "Name = Tarvelle");
    EXPECT_EQ(file[5], "Version = 10 ");
    EXPECT_EQ(file[6], "--------------- General Description End ---------------");
    EXPECT_EQ(file[7], "--------------- Structure Description Start ---------------");
    EXPECT_EQ(std::vector<std::string>(file.begin() + 8, file.begin() + 14),
              (std::vector<std::string>{"Tarvelle", "\tHome", "\tProducts", "\t\tA", "\t\tB",
                                        "\t\t\tB1"}));
    EXPECT_EQ(file[14], "--------------- Structure Description End ---------------");
    EXPECT_EQ(file[15], "--------------- Applet Parameter Description Start ---------------");
    EXPECT_EQ(file[16], "0"); // MnItemCount as stored; the store rules run before a save
    EXPECT_EQ(file[16 + 85], "400");
    EXPECT_EQ(file[112], "--------------- Applet Parameter Description End ---------------");
    EXPECT_EQ(file[113], "--------------- Item Parameter Description Start ---------------");
    EXPECT_EQ(file[114], "5");
    EXPECT_EQ(std::vector<std::string>(file.begin() + 115, file.begin() + 130),
              (std::vector<std::string>{"Home", "index.html", "_self", "", "", "", "", "", "", "5",
                                        "5", "", "", "0", "0"}));
    // B, the fourth record, ends with ItemSubMenu, ItemMenu, ItemIndex, ItemButton.
    EXPECT_EQ(
        std::vector<std::string>(file.begin() + 115 + 3 * 15 + 11, file.begin() + 115 + 4 * 15),
        (std::vector<std::string>{"1", "0", "1", "1"}));
    EXPECT_EQ(file.back(), "--------------- Item Parameter Description End ---------------");
}

TEST(ProjectFile, SaveAndLoadRoundTrip)
{
    TempFolder folder;
    MenuDocument doc;
    MemoryTree tree;
    makeExample(doc, tree);
    AppletRecord data = doc.appletData();
    data.set(AppletField::ApLoadingMsg, "Bitte warten … café");
    doc.setAppletData(data);
    doc.items()[3].set(ItemField::ItemStatusBarText, "Ünïcödé");
    RecordingProgress saving;
    doc.setProgress(&saving);
    ProjectWriter(doc, tree).save(folder.file("menu.tvl"));
    EXPECT_EQ(saving.maximums, std::vector<int>{5 * 15 + 18});
    EXPECT_EQ(saving.steps, 5 * 15 + 18);
    EXPECT_EQ(saving.texts.front(), "Saving Data ... ...");
    EXPECT_EQ(saving.texts.back(), "");
    EXPECT_EQ(saving.position, 0);

    MenuDocument loaded;
    MemoryTree loadedTree;
    RecordingProgress loading;
    loaded.setProgress(&loading);
    ProjectReader(loaded).load(folder.file("menu.tvl"), loadedTree);
    expectSameDocument(doc, tree, loaded, loadedTree);
    EXPECT_EQ(loading.maximums, std::vector<int>{5 * 15});
    EXPECT_EQ(loading.texts,
              (std::vector<std::string>{"Loading Data ... ...", "Analyzing Data ... ..."}));

    // No items: one structure line, the count 0, nothing after it but the end marker.
    MenuDocument empty;
    empty.resetToDefaults();
    MemoryTree rootOnly;
    buildTree(rootOnly, {"Tarvelle"});
    ProjectWriter(empty, rootOnly).save(folder.file("empty.tvl"));
    const auto file = crlfLines(readBytes(folder.file("empty.tvl")));
    EXPECT_EQ(file[8], "Tarvelle");
    EXPECT_EQ(file[9], "--------------- Structure Description End ---------------");
    EXPECT_EQ(file[file.size() - 2], "0");
    ProjectReader(loaded).load(folder.file("empty.tvl"), loadedTree);
    expectSameDocument(empty, rootOnly, loaded, loadedTree);
}

TEST(ProjectFile, ReaderSkipsForeignTextAndAcceptsOtherLineEnds)
{
    MenuDocument doc;
    MemoryTree tree;
    makeExample(doc, tree);
    std::string text = ProjectWriter(doc, tree).text();
    text.replace(0, text.find("--------------- Structure"), "anything\r\nat all\r\n");
    const std::string appletStart = "--------------- Applet Parameter";
    text.insert(text.find(appletStart), "between\r\nsections\r\n");

    for (const std::string &lineEnd : {std::string("\n"), std::string("\r")}) {
        std::string converted;
        for (std::size_t i = 0; i < text.size(); ++i) {
            if (text.compare(i, 2, "\r\n") == 0) {
                converted += lineEnd;
                ++i;
            } else {
                converted += text[i];
            }
        }
        MenuDocument loaded;
        MemoryTree loadedTree;
        ProjectReader(loaded).read(converted + "\x1A trailing garbage", loadedTree);
        expectSameDocument(doc, tree, loaded, loadedTree);
    }
}

TEST(ProjectFile, FilesThatAreNoProjectAreRefusedAndChangeNothing)
{
    MenuDocument doc, before;
    MemoryTree tree, beforeTree;
    makeSentinel(doc, tree);
    makeSentinel(before, beforeTree);
    for (const std::string &bytes :
         {std::string(), std::string("just text\r\nno markers\r\n"),
          std::string("--------------- Structure Description Start ---------------\r\nTarvelle\r\n"
                      "\tcut off inside the structure")}) {
        EXPECT_THROW(ProjectReader(doc).read(bytes, tree), ENotAProject);
        expectSameDocument(before, beforeTree, doc, tree);
    }
    const TempFolder folder;
    writeBytes(folder.file("notes.txt"), "just text\r\n");
    try {
        ProjectReader(doc).load(folder.file("notes.txt"), tree);
        ADD_FAILURE() << "a text file loaded as a project";
    } catch (const ENotAProject &error) {
        EXPECT_EQ(error.what(),
                  "\"" + folder.file("notes.txt") + "\" is not a Tarvelle project file");
    }
}

TEST(ProjectFile, CutOffFilesAreRefusedAndChangeNothing)
{
    MenuDocument source;
    MemoryTree sourceTree;
    makeExample(source, sourceTree);
    const std::string text = ProjectWriter(source, sourceTree).text();
    const auto cutAfter = [&text](const std::string &marker, int lines) {
        std::size_t cut = text.find(marker);
        for (int line = 0; line < lines; ++line)
            cut = text.find("\r\n", cut) + 2;
        return text.substr(0, cut);
    };
    std::string fewer = text;
    fewer.replace(fewer.find("Start ---------------\r\n5\r\n"), 26,
                  "Start ---------------\r\n3\r\n");
    const std::pair<std::string, std::string> cases[] = {
        {cutAfter("--------------- Structure Description End", 1), "its applet settings"},
        {cutAfter("--------------- Applet Parameter", 4), "the end of its applet settings"},
        {cutAfter("--------------- Applet Parameter Description End", 1), "its item records"},
        {cutAfter("--------------- Item Parameter", 2 + 2 * 15 + 7), "item record 3 of 5"},
        {fewer, "item record 4 of 5"},
    };
    for (const auto &[bytes, before] : cases) {
        MenuDocument doc, unchanged;
        MemoryTree tree, unchangedTree;
        makeSentinel(doc, tree);
        makeSentinel(unchanged, unchangedTree);
        try {
            ProjectReader(doc).read(bytes, tree);
            ADD_FAILURE() << "a file cut off before " << before << " loaded";
        } catch (const ENotAProject &error) {
            EXPECT_EQ(error.what(), "The file is cut off before " + before);
            EXPECT_EQ(error.named("m.tvl").what(), "\"m.tvl\" is cut off before " + before);
        }
        expectSameDocument(unchanged, unchangedTree, doc, tree);
    }
}

TEST(ProjectFile, FailedLoadsLeaveTheDocumentAsItWas)
{
    MenuDocument source;
    MemoryTree sourceTree;
    makeExample(source, sourceTree);
    const std::string text = ProjectWriter(source, sourceTree).text();
    const std::string countLine = "Item Parameter Description Start ---------------\r\n5\r\n";

    struct Case
    {
        std::string bytes;
        std::string message;
    };
    std::string badCount = text;
    badCount.replace(badCount.find(countLine), countLine.size(),
                     "Item Parameter Description Start ---------------\r\nfive\r\n");
    std::string negativeCount = text;
    negativeCount.replace(negativeCount.find(countLine), countLine.size(),
                          "Item Parameter Description Start ---------------\r\n-1\r\n");
    std::string hugeCount = text;
    hugeCount.replace(
        hugeCount.find(countLine), countLine.size(),
        "Item Parameter Description Start ---------------\r\n18446744073709551616\r\n");
    std::string badDepth = text;
    badDepth.replace(badDepth.find("\t\t\tB1"), 5, "\t\t\t\tB1");
    std::string secondRoot = text;
    secondRoot.replace(secondRoot.find("\tHome"), 5, "Home");

    const std::vector<Case> cases{
        {badCount, "'five' is not a valid integer value"},
        {negativeCount, "'-1' is not a valid item count"},
        {hugeCount, "'18446744073709551616' is not a valid integer value"},
        {badDepth, "Invalid level (4) for item \"B1\""},
        {secondRoot, "Invalid level (0) for item \"Home\""},
    };
    for (const Case &c : cases) {
        MenuDocument doc, before;
        MemoryTree tree, beforeTree;
        makeSentinel(doc, tree);
        makeSentinel(before, beforeTree);
        try {
            ProjectReader(doc).read(c.bytes, tree);
            ADD_FAILURE() << "no error for " << c.message;
        } catch (const std::runtime_error &error) {
            EXPECT_EQ(error.what(), c.message);
        }
        expectSameDocument(before, beforeTree, doc, tree);
    }

    TempFolder folder;
    MenuDocument doc;
    MemoryTree tree;
    makeSentinel(doc, tree);
    try {
        ProjectReader(doc).load(folder.file("missing.tvl"), tree);
        FAIL() << "a missing file loaded";
    } catch (const EInOutError &error) {
        EXPECT_STREQ(error.what(), "File not found");
    }
    EXPECT_THROW(ProjectReader(doc).load(folder.path(), tree), EInOutError);
    EXPECT_EQ(outlineOf(tree), (std::vector<std::string>{"Old", ">X", ">Y"}));
}

TEST(ProjectFile, RecordCountFollowsTheTree)
{
    MenuDocument source;
    MemoryTree sourceTree;
    makeExample(source, sourceTree);
    std::string text = ProjectWriter(source, sourceTree).text();

    MenuDocument doc;
    MemoryTree tree;
    // More records than nodes: the surplus goes, so no index runs past the tree later.
    std::string more = text;
    more.replace(more.find("\t\t\tB1\r\n"), 7, "");
    ProjectReader(doc).read(more, tree);
    EXPECT_EQ(doc.itemCount(), 4);
    EXPECT_EQ(doc.item(3), source.item(3));
}

TEST(ProjectFile, OldEightBitFilesAreReadAsWindows1252)
{
    MenuDocument source;
    MemoryTree sourceTree;
    buildTree(sourceTree, {"Tarvelle", ">Caf\xC3\xA9"});
    fillItemsFromTree(source, sourceTree);
    std::string text = ProjectWriter(source, sourceTree).text();
    // The same file as an 8-bit program wrote it: é is one byte, and a euro sign too.
    std::string latin;
    for (std::size_t at = text.find("Caf\xC3\xA9"); at != std::string::npos;
         at = text.find("Caf\xC3\xA9")) {
        text.replace(at, 5, "Caf\xE9\x80");
    }
    latin = text;
    MenuDocument doc;
    MemoryTree tree;
    ProjectReader(doc).read(latin, tree);
    EXPECT_EQ(outlineOf(tree), (std::vector<std::string>{"Tarvelle", ">Caf\xC3\xA9\xE2\x82\xAC"}));
    EXPECT_EQ(doc.item(0)[ItemField::ItemCaption], "Caf\xC3\xA9\xE2\x82\xAC");
}

TEST(ProjectFile, SaveFailingHalfWayKeepsThePreviousFile)
{
    TempFolder folder;
    MenuDocument doc;
    MemoryTree tree;
    makeExample(doc, tree);
    const std::string path = folder.file("menu.tvl");
    const std::string previous(100, 'p');
    writeBytes(path, previous);

    // In a child process, a file-size limit makes every write past 256 bytes fail, whoever runs
    // the test (permissions do not bind root).
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        signal(SIGXFSZ, SIG_IGN);
        rlimit limit{256, 256};
        setrlimit(RLIMIT_FSIZE, &limit);
        try {
            ProjectWriter(doc, tree).save(path);
        } catch (const EInOutError &) {
            _exit(3);
        }
        _exit(0);
    }
    int status = 0;
    waitpid(child, &status, 0);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 3) << "the failed write was not reported";
    EXPECT_EQ(readBytes(path), previous);
    EXPECT_FALSE(std::filesystem::exists(path + ".tmp~"));
}

// A project larger than the pieces a save hands to the disk is written byte for byte as its
// text, and one refused at its last value leaves the previous file and nothing else.
TEST(ProjectFile, LargeSavesGoInPiecesAndStillAllOrNothing)
{
    TempFolder folder;
    MenuDocument doc;
    MenuTree tree{doc.items()};
    const ItemTree::Node root = tree.addChild(nullptr, "Tarvelle");
    for (int k = 0; k < 30000; ++k) {
        ItemRecord item = doc.newItem();
        item.set(ItemField::ItemCaption, "Item " + std::to_string(k));
        item.set(ItemField::ItemURL, "page" + std::to_string(k) + ".html");
        tree.insertItem(root, k, std::string(item[ItemField::ItemCaption]), item);
    }
    const std::string path = folder.file("big.tvl");
    ProjectWriter(doc, tree).save(path);
    const std::string saved = readBytes(path);
    ASSERT_GT(saved.size(), 2u << 20);
    EXPECT_EQ(saved, ProjectWriter(doc, tree).text());

    ItemRecord last = doc.item(29999);
    last.set(ItemField::ItemClBgSnd, "a\nb");
    doc.setItem(last, 29999);
    EXPECT_THROW(ProjectWriter(doc, tree).save(path), EInOutError);
    EXPECT_EQ(readBytes(path), saved);
    EXPECT_EQ(fsx::folderEntries(folder.path()), std::set<std::string>{"big.tvl"});
}

TEST(ProjectFile, SaveOntoAFolderFailsAndLeavesNoTemporaryFile)
{
    TempFolder folder;
    MenuDocument doc;
    MemoryTree tree;
    makeExample(doc, tree);
    const std::string path = folder.file("menu.tvl");
    std::filesystem::create_directory(path);
    std::filesystem::create_directory(path + "/keep"); // a non-empty folder cannot be replaced
    EXPECT_THROW(ProjectWriter(doc, tree).save(path), EInOutError);
    EXPECT_TRUE(std::filesystem::is_directory(path + "/keep"));
    EXPECT_FALSE(std::filesystem::exists(path + ".tmp~"));
}

TEST(ProjectFile, LimitsAndValuesAFileCannotKeep)
{
    const TempFolder folder;
    // Only regular files of a project's size are read.
    writeBytes(folder.file("huge.tvl"), "");
    std::filesystem::resize_file(std::filesystem::u8path(folder.file("huge.tvl")),
                                 fsx::MaxFileSize + 1); // sparse: no disk is used
    EXPECT_THROW(fsx::readFile(folder.file("huge.tvl")), EInOutError);
#ifndef _WIN32
    ASSERT_EQ(::mkfifo(folder.file("pipe.tvl").c_str(), 0600), 0);
    try {
        fsx::readFile(folder.file("pipe.tvl"));
        ADD_FAILURE() << "a FIFO was read";
    } catch (const EInOutError &error) {
        EXPECT_NE(std::string(error.what()).find("not a regular file"), std::string::npos);
    }
#endif

    // A structure deeper than 1,000 levels is refused; 1,000 are fine.
    auto chain = [](int depth) {
        std::string text = "--------------- Structure Description Start ---------------\r\nT\r\n";
        for (int level = 1; level <= depth; ++level)
            text += std::string(static_cast<std::size_t>(level), '\t') + "D\r\n";
        return withRecords(text + "--------------- Structure Description End ---------------\r\n",
                           depth);
    };
    MenuDocument doc;
    MemoryTree tree;
    ProjectReader(doc).read(chain(1000), tree);
    EXPECT_EQ(doc.itemCount(), 1000);
    EXPECT_THROW(ProjectReader(doc).read(chain(1001), tree), ETreeError);
    EXPECT_EQ(doc.itemCount(), 1000) << "nothing changed";

    // A value holding a line break or Ctrl-Z is never written: the file would not read back.
    MenuDocument example;
    MemoryTree exampleTree;
    makeExample(example, exampleTree);
    ProjectWriter(example, exampleTree).save(folder.file("menu.tvl"));
    const std::string before = readBytes(folder.file("menu.tvl"));
    for (const char *bad : {"a\rb", "a\nb", "a\x1a"}) {
        ItemRecord item = example.item(0);
        item.set(ItemField::ItemURL, bad);
        example.setItem(item, 0);
        EXPECT_THROW(ProjectWriter(example, exampleTree).save(folder.file("menu.tvl")),
                     EInOutError);
        EXPECT_EQ(readBytes(folder.file("menu.tvl")), before);
    }
}

TEST(ProjectFile, EncodingIsDecidedPerLine)
{
    // One line in the old 8-bit code page among UTF-8 lines: each reads as it was written.
    EXPECT_EQ(decodeText("Caf\xc3\xa9\r\ncaf\xe9\r\n\xe2\x82\xac\n\x80"),
              "Caf\xc3\xa9\r\ncaf\xc3\xa9\r\n\xe2\x82\xac\n\xe2\x82\xac");
}

#ifndef _WIN32
TEST(ProjectFile, SavesNeverWriteThroughLinks)
{
    const TempFolder folder;
    const TempFolder elsewhere;
    MenuDocument doc;
    MemoryTree tree;
    makeExample(doc, tree);
    writeBytes(elsewhere.file("victim"), "precious");
    // A link planted under the old temporary name, and one in place of the project itself.
    std::filesystem::create_symlink(elsewhere.file("victim"), folder.file("menu.tvl.tmp~"));
    std::filesystem::create_symlink(elsewhere.file("victim"), folder.file("other.tvl"));
    ProjectWriter(doc, tree).save(folder.file("menu.tvl"));
    ProjectWriter(doc, tree).save(folder.file("other.tvl"));
    EXPECT_EQ(readBytes(elsewhere.file("victim")), "precious");
    EXPECT_EQ(readBytes(folder.file("menu.tvl")), ProjectWriter(doc, tree).text());
    EXPECT_FALSE(std::filesystem::is_symlink(folder.file("other.tvl"))) << "replaced, not followed";
    EXPECT_EQ(readBytes(folder.file("other.tvl")), ProjectWriter(doc, tree).text());
}
#endif

// What the reader refuses is never written: a menu one level too deep is an error on saving,
// and no file is left.
TEST(ProjectFile, AMenuTooDeepToReadIsNeverWritten)
{
    MenuDocument doc;
    doc.resetToDefaults();
    MemoryTree tree;
    std::vector<std::string> outline{"Tarvelle"};
    for (int level = 1; level <= MaxMenuDepth + 1; ++level)
        outline.push_back(std::string(static_cast<std::size_t>(level), '>') + "L");
    buildTree(tree, outline);
    fillItemsFromTree(doc, tree);
    TempFolder folder;
    EXPECT_THROW(ProjectWriter(doc, tree).save(folder.file("deep.tvl")), ETreeError);
    EXPECT_FALSE(std::filesystem::exists(folder.file("deep.tvl")));
}

// Input a real menu never holds is refused with the limit and the line, before memory grows
// with it; up to the limits the file reads.
TEST(ProjectFile, SizeLimitsNameTheLimitAndTheLine)
{
    const std::string start =
        "--------------- Structure Description Start ---------------\r\nT\r\n";
    const std::string end = "--------------- Structure Description End ---------------\r\n";
    auto wide = [&](int items) {
        std::string text = start;
        for (int k = 0; k < items; ++k)
            text += "\tI\r\n";
        return withRecords(text + end, items);
    };
    const std::string longest(MaxValueBytes, 'x');
    struct Case
    {
        std::string text;
        const char *message; // empty: the file loads
    };
    const Case cases[] = {
        {wide(MaxMenuItems), ""},
        {wide(MaxMenuItems + 1), "more than 1,000,000 items, the most a project file holds "
                                 "(line 1,000,003)"},
        {withRecords(start + "\t" + longest.substr(1) + "\r\n" + end, 1), ""},
        {start + "\t" + longest + "\r\n" + end, "Line 3 is longer than 65,536 bytes"},
        // Bytes of the old 8-bit code page are refused before they are doubled by decoding,
        {start + "\t" + std::string(MaxValueBytes, '\x9f') + "\r\n" + end, "Line 3 is longer"},
        // and a line that only decoding makes too long is refused after it.
        {start + "\t" + std::string(MaxValueBytes / 2 + 1, '\x9f') + "\r\n" + end,
         "Line 3 is longer"},
    };
    for (const Case &c : cases) {
        MenuDocument doc;
        MemoryTree tree;
        makeSentinel(doc, tree);
        const std::string before = ProjectWriter(doc, tree).text();
        try {
            ProjectReader(doc).read(c.text, tree);
            EXPECT_STREQ(c.message, "") << "loaded";
        } catch (const std::runtime_error &error) {
            EXPECT_NE(std::string(error.what()).find(c.message), std::string::npos) << error.what();
            EXPECT_NE(c.message[0], '\0') << error.what();
            EXPECT_EQ(ProjectWriter(doc, tree).text(), before) << "nothing changed";
        }
    }

    // The writer keeps to the same limits: no file is written that would not read back.
    MenuDocument doc;
    MemoryTree tree;
    makeExample(doc, tree);
    doc.items()[0].set(ItemField::ItemCaption, longest + "y");
    EXPECT_THROW(ProjectWriter(doc, tree).text(), EInOutError);
}

// A save is checked as it is written (UTF-8, CR LF) against what the reader opens: a structure
// line that tabs make too long, or a file past the size limit, is refused and nothing changes.
TEST(ProjectFile, WhatWouldNotOpenAgainIsNeverSaved)
{
    const TempFolder folder;
    const std::string path = folder.file("menu.tvl");
    writeBytes(path, "the previous project");
    const auto refused = [&](const MenuDocument &doc, const ItemTree &tree,
                             const std::string &message) {
        try {
            ProjectWriter(doc, tree).save(path);
            ADD_FAILURE() << "saved: " << message;
        } catch (const std::runtime_error &error) {
            EXPECT_NE(std::string(error.what()).find(message), std::string::npos) << error.what();
        }
        EXPECT_EQ(readBytes(path), "the previous project");
        EXPECT_EQ(fsx::folderEntries(folder.path()).size(), 1u) << "no temporary is left";
    };

    // 65,535 bytes of caption: one tab is the most its structure line takes.
    MenuDocument doc;
    doc.resetToDefaults();
    MemoryTree tree;
    const std::string caption(MaxValueBytes - 1, 'c');
    buildTree(tree, {"Tarvelle", ">" + caption, ">>" + caption});
    fillItemsFromTree(doc, tree);
    refused(doc, tree, "(2 tabs and the caption) is longer than 65,536 bytes");
    tree.clear();
    buildTree(tree, {"Tarvelle", ">" + caption});
    doc.items().resize(1);
    MenuDocument reread;
    MemoryTree rereadTree;
    ProjectReader(reread).read(ProjectWriter(doc, tree).text(), rereadTree);
    EXPECT_EQ(rereadTree.caption(rereadTree.child(rereadTree.root(), 0)), caption);

    // 4,097 links of 65,536 bytes: a file past 256 MB is refused before it is complete.
    std::vector<std::string> outline{"Tarvelle"};
    outline.resize(4098, ">I");
    tree.clear();
    buildTree(tree, outline);
    fillItemsFromTree(doc, tree);
    for (ItemRecord &item : doc.items())
        item.set(ItemField::ItemURL, std::string(MaxValueBytes, 'u'));
    refused(doc, tree, "larger than 256 MB as saved");
    doc.items().clear();
    tree.clear();
    buildTree(tree, {"Tarvelle", ">a", ">b"});
    doc.items().resize(1);
    refused(doc, tree, "The menu has 2 items but only 1 item records");
}
