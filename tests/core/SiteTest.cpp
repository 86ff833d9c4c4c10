#include "cli/BatchTool.h"
#include "document/FileSystem.h"
#include "document/MenuStructure.h"
#include "document/ProjectFile.h"
#include "site/SiteLinks.h"
#include "site/SitePages.h"
#include "tests/core/TestSupport.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <map>
#include <random>
#include <sstream>

namespace fs = std::filesystem;

namespace {
const std::string Open = "<!-- tarvelle:menu -->", Close = "<!-- /tarvelle:menu -->";

struct ToolRun
{
    int status;
    std::string out, err;
};

ToolRun runSite(std::vector<std::string> args)
{
    args.insert(args.begin(), "site");
    std::ostringstream out, err;
    const int status = runBatchTool(args, fsx::folderPart(TARVELLE_CLI_PATH), out, err);
    return {status, out.str(), err.str()};
}

// Every file under a folder with its bytes (the folder's lock file aside).
std::map<std::string, std::string> snapshot(const std::string &folder)
{
    std::map<std::string, std::string> files;
    for (const auto &entry : fs::recursive_directory_iterator(folder)) {
        if (entry.is_regular_file() && !entry.is_symlink() &&
            entry.path().filename() != fsx::FolderLockName)
            files[entry.path().lexically_relative(folder).generic_string()] =
                readBytes(entry.path().string());
    }
    return files;
}

// A project linking pages at three depths, one picture, a link out and a root-relative one.
struct SiteProject
{
    TempFolder folder;
    MenuDocument doc;
    MemoryTree tree;
    std::string path = folder.file("menu.tvl");

    SiteProject()
    {
        buildTree(tree, {"Tarvelle", ">Home", ">Products", ">>Laptops", ">>Deep", ">>Mail",
                         ">>About", ">Contact"});
        fillItemsFromTree(doc, tree);
        const char *urls[] = {"index.html",
                              "",
                              "products/laptops.html",
                              "products/sub/deep.html",
                              "mailto:ann@example.org",
                              "/about.html?x",
                              "contact.html#form"};
        for (std::size_t k = 0; k < 7; ++k)
            doc.items()[k].set(ItemField::ItemURL, urls[k]);
        doc.items()[3].set(ItemField::ItemNoBgImg, "logo.gif");
        writeBytes(folder.file("logo.gif"), "GIF89a");
        save();
    }
    void save()
    {
        NullProgress none;
        numberMenuStructure(tree, doc.items(), none);
        ProjectWriter(doc, tree).save(path);
    }
};

// The site: marked pages with LF, CR LF (8-bit text, indented markers) and at two levels
// down, pages without markers, a link out of the site and a hidden folder.
struct Site
{
    TempFolder top;
    TempFolder outside;

    Site()
    {
        fs::create_directories(top.file("products/sub"));
        fs::create_directories(top.file(".git"));
        writeBytes(top.file("index.html"),
                   "<!DOCTYPE html>\n<body>\n" + Open + "\n" + Close + "\n<p>Home</p>\n");
        writeBytes(top.file("products/laptops.html"), "<html>\r\n<body>\r\n  <p>Caf\xE9</p>\r\n  " +
                                                          Open + "old menu\r\n  " + Close +
                                                          "\r\n</body>\r\n");
        writeBytes(top.file("products/sub/deep.html"), "<body>" + Open + Close + "</body>");
        writeBytes(top.file("about.html"), "<html><body><p>About</p></body></html>\n");
        writeBytes(top.file("contact.htm"), "<!-- <body> -->\n<BODY class=x><p>Mail</p></BODY>\n");
        writeBytes(top.file(".git/hidden.html"), Open + Close);
        writeBytes(outside.file("elsewhere.html"), Open + Close);
        fs::create_symlink(outside.file("elsewhere.html"), top.file("link.html"));
    }
};

// The text between a page's markers.
std::string between(const std::string &page)
{
    const std::size_t open = page.find(Open) + Open.size();
    return page.substr(open, page.find(Close) - open);
}
} // namespace

// Wherever a page lies, its address for a link leads where the link leads from the top.
TEST(SiteLinks, EveryFolderReachesWhatTheTopReaches)
{
    const auto resolved = [](const fs::path &from, const std::string &url) {
        const std::size_t end = std::min(url.find_first_of("?#"), url.size());
        return (from / url.substr(0, end)).lexically_normal().generic_string() + url.substr(end);
    };
    std::mt19937 random(35);
    const std::vector<std::string> names{"a", "b", "..", ".", "c.html", "index.html"};
    for (int run = 0; run < 2000; ++run) {
        std::vector<std::string> folder;
        fs::path page = "top";
        for (int depth = random() % 4; depth > 0; --depth) {
            folder.push_back(std::string(1, static_cast<char>('a' + random() % 3)));
            page /= folder.back();
        }
        std::string url;
        for (int parts = 1 + random() % 4; parts > 0; --parts)
            url += (url.empty() ? "" : "/") + names[random() % names.size()];
        if (random() % 3 == 0)
            url += random() % 2 ? "/" : "?q=1#f";
        const std::string address = site::addressFrom(folder, url);
        SCOPED_TRACE(url + " from " + page.generic_string() + " as " + address);
        // Above the top, only the leading ".." count, which both spell alike.
        if (resolved("top", url).compare(0, 2, "..") != 0) {
            EXPECT_EQ(resolved(page, address), resolved("top", url));
        }
    }
    for (const char *kept : {"http://x.org/a.html", "/a.html", "#top", "?q", "mailto:a@b.org",
                             "javascript:void(0)", ""})
        EXPECT_EQ(site::addressFrom({"products"}, kept), kept);
    EXPECT_EQ(site::addressFrom({"products"}, "software.html"), "../software.html");
    EXPECT_EQ(site::addressFrom({"products"}, "products/"), "./");
    EXPECT_EQ(site::linkKey("products/../products/index.html#x"), "/products/");
    EXPECT_EQ(site::linkKey("/Our%20team.html"), site::pageKeyOf("Our team.html"));
    EXPECT_EQ(site::linkKey("http://x.org/index.html"), "");
}

TEST(SitePages, TheMenuGoesBetweenTheMarkersAndNothingElseChanges)
{
    using State = site::PageUpdate::State;
    const std::string menu = "<applet>\r\n</applet>\r\n";
    struct Case
    {
        std::string page;
        bool addMarkers;
        State state;
        std::string text;
    } cases[] = {
        {"a\n" + Open + "old" + Close + "\nb", false, State::Filled,
         "a\n" + Open + "\n<applet>\n</applet>\n" + Close + "\nb"},
        {"a\r\n\t" + Open + "\r\n\t" + Close, false, State::Filled,
         "a\r\n\t" + Open + "\r\n<applet>\r\n</applet>\r\n\t" + Close},
        {"x\r" + Open + Close, false, State::Filled,
         "x\r" + Open + "\r<applet>\r</applet>\r" + Close},
        {"<!-- <body> --><BODY id=b>\np", true, State::MarkersAdded,
         "<!-- <body> --><BODY id=b>\n" + Open + "\n<applet>\n</applet>\n" + Close + "\np"},
        {"<p>no body\n", false, State::WithoutMarkers, ""},
        {"<p>no body\n", true, State::NoBody, ""},
        {Close + Open, false, State::BrokenMarkers, ""},
        {Open + Close + Open + Close, false, State::BrokenMarkers, ""},
        {Open, true, State::BrokenMarkers, ""},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.page);
        const site::PageUpdate update = site::updatePage(c.page, menu, c.addMarkers);
        EXPECT_EQ(update.state, c.state);
        EXPECT_EQ(update.text, c.text);
        if (!update.text.empty()) { // once in, the menu stays as it is
            EXPECT_EQ(site::updatePage(update.text, menu, c.addMarkers).text, update.text);
        }
    }
}

TEST(SiteCommand, EveryMarkedPageGetsTheMenuForItsFolder)
{
    SiteProject project;
    Site site;
    const std::string laptops = site.top.file("products/laptops.html");
    fs::permissions(laptops, fs::perms(0640));
    const std::map<std::string, std::string> before = snapshot(site.top.path());

    const ToolRun first = runSite({project.path, site.top.path()});
    EXPECT_EQ(fs::status(laptops).permissions(), fs::perms(0640));
    EXPECT_EQ(first.status, ExitCode::Problems) << first.err; // pages without markers, a link
    EXPECT_EQ(first.out, "about.html: no markers, left alone\n"
                         "contact.htm: no markers, left alone\n"
                         "index.html: menu written\n"
                         "products/laptops.html: menu written\n"
                         "products/sub/deep.html: menu written\n"
                         "zorvex.js: copied\nzorvex.js.map: copied\nlogo.gif: copied\n"
                         "3 pages changed, 0 unchanged, 2 without markers, 1 left out\n");
    EXPECT_EQ(first.err, "tarvelle-cli: left out: link.html (is a link out of the site)\n");

    std::map<std::string, std::string> after = snapshot(site.top.path());
    // Outside the markers every byte stays; the folder's files only gain the assets.
    for (const auto &[path, bytes] : before) {
        SCOPED_TRACE(path);
        const std::string &now = after.at(path);
        if (path == "about.html" || path == "contact.htm" || path.rfind(".git", 0) == 0) {
            EXPECT_EQ(now, bytes);
            continue;
        }
        EXPECT_EQ(now.substr(0, now.find(Open)), bytes.substr(0, bytes.find(Open)));
        EXPECT_EQ(now.substr(now.find(Close)), bytes.substr(bytes.find(Close)));
    }
    EXPECT_EQ(after.at("logo.gif"), "GIF89a");
    EXPECT_EQ(after.at("zorvex.js"), readBytes(fsx::folderPart(TARVELLE_CLI_PATH) + "zorvex.js"));
    EXPECT_EQ(after.size(), before.size() + 4); // runtime, map, picture, record
    EXPECT_EQ(readBytes(site.outside.file("elsewhere.html")), Open + Close);

    // Each page: the runtime and the links from its folder, its own link the current page.
    struct Expect
    {
        std::string page, script, home, current;
    } expected[] = {
        {"index.html", "<script src=zorvex.js>", "href=index.html aria-current=page>Home", ""},
        {"products/laptops.html", "<script src=../zorvex.js>", "href=../index.html>Home",
         "href=laptops.html aria-current=page>Laptops"},
        {"products/sub/deep.html", "<script src=../../zorvex.js>", "href=../../index.html>Home",
         "href=deep.html aria-current=page>Deep"},
    };
    for (const Expect &e : expected) {
        SCOPED_TRACE(e.page);
        const std::string menu = between(after.at(e.page));
        EXPECT_NE(menu.find(e.script), std::string::npos);
        EXPECT_NE(menu.find(e.home), std::string::npos);
        EXPECT_NE(menu.find(e.current.empty() ? e.home : e.current), std::string::npos);
        EXPECT_EQ(menu.find("aria-current"), menu.rfind("aria-current"));
        EXPECT_NE(menu.find("href=mailto:ann@example.org>"), std::string::npos);
        EXPECT_NE(menu.find("href=/about.html?x>"), std::string::npos);
    }
    EXPECT_EQ(between(after.at("products/laptops.html")).find('\n'),
              between(after.at("products/laptops.html")).find("\r\n") + 1);
    EXPECT_EQ(between(after.at("index.html")).find('\r'), std::string::npos);

    // Again without changes: nothing written, and said.
    const ToolRun second = runSite({project.path, site.top.path()});
    EXPECT_EQ(second.status, ExitCode::Problems);
    EXPECT_NE(second.out.find("0 pages changed, 3 unchanged, 2 without markers, 1 left out; "
                              "nothing to write\n"),
              std::string::npos);
    EXPECT_EQ(snapshot(site.top.path()), after);

    // A changed menu, tried first: nothing written until asked.
    project.doc.items()[6].set(ItemField::ItemCaption, "Write to us");
    project.save();
    const ToolRun dry = runSite({"--dry-run", "--add-markers", project.path, site.top.path()});
    EXPECT_NE(dry.out.find("contact.htm: markers and the menu would be added\n"),
              std::string::npos);
    EXPECT_NE(dry.out.find("5 pages changed, 0 unchanged, 0 without markers, 1 left out (a dry "
                           "run: nothing was written)\n"),
              std::string::npos);
    EXPECT_EQ(snapshot(site.top.path()), after);

    // The assets in a folder of their own, the markers after the real <body> tag.
    EXPECT_EQ(
        runSite({"--add-markers", "--assets", "lib/js", project.path, site.top.path()}).status,
        ExitCode::Problems);
    after = snapshot(site.top.path());
    EXPECT_NE(
        between(after.at("products/sub/deep.html")).find("<script src=../../lib/js/zorvex.js>"),
        std::string::npos);
    EXPECT_EQ(after.at("lib/js/logo.gif"), "GIF89a");
    EXPECT_EQ(after.at("contact.htm").rfind("<!-- <body> -->\n<BODY class=x>\n" + Open, 0), 0u);
    EXPECT_NE(after.at("contact.htm").find("Write to us"), std::string::npos);
}

TEST(SiteCommand, WhatCannotBeWrittenStopsItAllBeforeAnythingIs)
{
    SiteProject project;
    struct Case
    {
        const char *what;
        std::function<void(Site &)> spoil;
        std::vector<std::string> options;
        std::string message;
    } cases[] = {
        {"a read-only page",
         [](Site &site) {
             fs::permissions(site.top.file("products/laptops.html"),
                             fs::perms::owner_read | fs::perms::group_read);
         },
         {},
         "tarvelle-cli: products/laptops.html is read-only\n"},
        {"markers out of order",
         [](Site &site) { writeBytes(site.top.file("about.html"), Close + Open); },
         {},
         "tarvelle-cli: about.html its markers"},
        {"someone else's zorvex.js",
         [](Site &site) { writeBytes(site.top.file("zorvex.js"), "alert(1)"); },
         {},
         "tarvelle-cli: zorvex.js would be replaced, and Tarvelle did not write it\n"},
        {"assets outside the site",
         [](Site &) {},
         {"--assets", "../x"},
         "must be a folder inside the site"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        Site site;
        c.spoil(site);
        const std::map<std::string, std::string> before = snapshot(site.top.path());
        std::vector<std::string> args = c.options;
        args.insert(args.end(), {project.path, site.top.path()});
        const ToolRun run = runSite(args);
        EXPECT_EQ(run.status, ExitCode::LoadFailed);
        EXPECT_NE(run.err.find(c.message), std::string::npos) << run.err;
        EXPECT_NE(run.err.find("nothing was written") + run.out.find("nothing was written"),
                  2 * std::string::npos);
        EXPECT_EQ(snapshot(site.top.path()), before);
    }
    EXPECT_EQ(runSite({project.path}).status, ExitCode::Usage);
    EXPECT_EQ(runSite({"--assets", project.path, "site"}).status, ExitCode::Usage);
    EXPECT_EQ(runSite({"--frob", project.path, "site"}).status, ExitCode::Usage);
}
