#include "cli/BatchTool.h"

#include "document/FileSystem.h"
#include "document/MenuStructure.h"
#include "document/ProjectFile.h"
#include "document/Version.h"
#include "tests/core/TestSupport.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <sstream>
#ifndef _WIN32
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace {
struct ToolRun
{
    int status;
    std::string out;
    std::string err;
};

ToolRun run(const std::vector<std::string> &args,
            const std::string &programFolder = "/nonexistent/")
{
    std::ostringstream out, err;
    const int status = runBatchTool(args, programFolder, out, err);
    return {status, out.str(), err.str()};
}

// A project in its own folder, saved as the editor saves it.
struct SavedProject
{
    TempFolder folder;
    MenuDocument doc;
    MemoryTree tree;
    std::string path;

    SavedProject()
    {
        buildTree(tree, {"Tarvelle", ">Home", ">Products", ">>A"});
        fillItemsFromTree(doc, tree);
        doc.items()[0].set(ItemField::ItemNoBgImg, "home.gif");
        writeBytes(folder.file("home.gif"), "GIF");
        path = folder.file("site.tvl");
        NullProgress none;
        numberMenuStructure(tree, doc.items(), none);
        ProjectWriter(doc, tree).save(path);
    }
};
} // namespace

TEST(BatchTool, UsageHelpAndVersion)
{
    EXPECT_EQ(run({}).status, ExitCode::Usage);
    const ToolRun unknown = run({"frobnicate", "x.tvl"});
    EXPECT_EQ(unknown.status, ExitCode::Usage);
    EXPECT_EQ(unknown.err.rfind("tarvelle-cli: unknown command \"frobnicate\"", 0), 0u);
    EXPECT_EQ(run({"publish", "x.tvl"}).status, ExitCode::Usage);
    const ToolRun help = run({"--help"});
    EXPECT_EQ(help.status, ExitCode::Ok);
    EXPECT_NE(help.out.find("usage: tarvelle-cli"), std::string::npos);
    const ToolRun version = run({"--version"});
    EXPECT_EQ(version.status, ExitCode::Ok);
    EXPECT_EQ(version.out, std::string("tarvelle-cli ") + TarvelleVersion + "\n");
}

TEST(BatchTool, LoadErrorsNameTheFile)
{
    TempFolder folder;
    const ToolRun missing = run({"html", folder.file("none.tvl")});
    EXPECT_EQ(missing.status, ExitCode::LoadFailed);
    EXPECT_EQ(missing.err, "tarvelle-cli: " + folder.file("none.tvl") + ": File not found\n");

    writeBytes(folder.file("bad.tvl"),
               "--------------- Structure Description Start ---------------\r\nT\r\n\t\t\tdeep\r\n"
               "--------------- Structure Description End ---------------\r\n");
    const ToolRun bad = run({"check", folder.file("bad.tvl")});
    EXPECT_EQ(bad.status, ExitCode::LoadFailed);
    EXPECT_NE(bad.err.find("Invalid level (3) for item \"deep\""), std::string::npos);

    // A file that is no project is refused by every command and never replaced.
    writeBytes(folder.file("notes"), "root:x:0:0:root:/root:/bin/bash\n");
    for (const std::vector<std::string> &args :
         {std::vector<std::string>{"html", folder.file("notes")},
          {"report", folder.file("notes")},
          {"check", folder.file("notes")},
          {"layout", folder.file("notes")},
          {"publish", folder.file("notes"), folder.path()}}) {
        const ToolRun refused = run(args);
        EXPECT_EQ(refused.status, ExitCode::LoadFailed) << args[0];
        EXPECT_NE(refused.err.find("is not a Tarvelle project file"), std::string::npos);
    }
    EXPECT_EQ(readBytes(folder.file("notes")), "root:x:0:0:root:/root:/bin/bash\n");
}

TEST(BatchTool, HtmlAndReportMatchTheEditorsOutput)
{
    SavedProject p;
    const ToolRun html = run({"html", p.path});
    EXPECT_EQ(html.status, ExitCode::Ok);
    // The store rules ran: two first-level items, one popup.
    EXPECT_NE(html.out.find("value=\"2|FFFFFF|"), std::string::npos);
    EXPECT_NE(html.out.find("\t<param name=\"btn1mn0it0\" value=\"A||_self|\">\r\n"),
              std::string::npos);

    const std::string output = p.folder.file("out.html");
    EXPECT_EQ(run({"html", p.path, output}).status, ExitCode::Ok);
    EXPECT_EQ(readBytes(output), html.out);

    const ToolRun report = run({"report", p.path});
    EXPECT_EQ(report.status, ExitCode::Ok);
    EXPECT_NE(report.out.find("  home.gif\r\n"), std::string::npos);
}

TEST(BatchTool, PublishAssemblesTheFolder)
{
    SavedProject p;
    TempFolder program;
    writeBytes(program.file("zorvex.jar"), "JAR");
    const std::string target = p.folder.file("public/site");
    // Without the runtime it loads the page would show nothing: an error, and nothing written.
    const ToolRun missing = run({"publish", p.path, target}, program.path());
    EXPECT_EQ(missing.status, ExitCode::LoadFailed);
    EXPECT_NE(missing.err.find("zorvex.js"), std::string::npos) << missing.err;
    EXPECT_FALSE(std::filesystem::exists(target + "/site.html"));
    writeBytes(program.file("zorvex.js"), "RUNTIME");
    EXPECT_EQ(run({"publish", p.path, target}, program.path()).status, ExitCode::Ok);
    for (const char *name :
         {"site.html", "site.tvl", "site_PublishReport.txt", "home.gif", "zorvex.jar"})
        EXPECT_TRUE(std::filesystem::exists(target + "/" + name)) << name;
    EXPECT_FALSE(std::filesystem::exists(program.path() + "preview"));
}

TEST(BatchTool, PublishIncludesTheWebRuntimeUnlessTold)
{
    SavedProject p;
    TempFolder program;
    writeBytes(program.file("zorvex.js"), "RUNTIME");
    const std::string target = p.folder.file("site-out");
    EXPECT_EQ(run({"publish", p.path, target}, program.path()).status, ExitCode::Ok);
    EXPECT_EQ(readBytes(target + "/zorvex.js"), "RUNTIME");
    const std::vector<std::string> page = crlfLines(readBytes(target + "/site.html"));
    ASSERT_GE(page.size(), 8u);
    EXPECT_EQ(std::vector<std::string>(page.begin(), page.begin() + 8),
              (std::vector<std::string>{
                  "<!DOCTYPE html>", "<html lang=\"en\">", "<head>", "<meta charset=\"utf-8\">",
                  "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">",
                  "<title>site</title>", "</head>", "<body>"}));
    const std::string report = readBytes(target + "/site_PublishReport.txt");
    EXPECT_NE(report.find("developer tools.\r\n  zorvex.js\r\n\r\n"), std::string::npos) << report;

    // Without it, the page is the fragment to the byte.
    const std::string plain = p.folder.file("plain");
    EXPECT_EQ(run({"publish", "--no-web-runtime", p.path, plain}, program.path()).status,
              ExitCode::Ok);
    EXPECT_EQ(readBytes(plain + "/site.html"), run({"html", p.path}).out);
    EXPECT_FALSE(std::filesystem::exists(plain + "/zorvex.js"));
    EXPECT_EQ(run({"publish", p.path, "--web-runtime", target}, program.path()).status,
              ExitCode::Ok);
    EXPECT_EQ(run({"html", p.path, "--web-runtime"}).status, ExitCode::Usage);

    // The narrow layout, and a width that is no number.
    EXPECT_EQ(run({"layout", "--width", "320", p.path}).out.rfind("{\"width\": 320, ", 0), 0u);
    for (const char *bad : {"0", "wide", "12345", "-3"})
        EXPECT_EQ(run({"layout", p.path, "--width", bad}).status, ExitCode::Usage) << bad;
    EXPECT_EQ(run({"layout", p.path, "--width"}).status, ExitCode::Usage);
}

TEST(BatchTool, LayoutPrintsTheMenusPlaces)
{
    SavedProject p;
    const ToolRun r = run({"layout", p.path});
    EXPECT_EQ(r.status, ExitCode::Ok) << r.err;
    // Default settings: a horizontal menu at (40, 20) of 80 x 20 items; the popup of Products
    // opens 5, 5 below it with one 24-pixel row (the least a touch target is), at least 80 wide.
    EXPECT_EQ(r.out, "{\"applet\": [0, 0, 400, 60], \"menu\": [40, 20, 160, 20], "
                     "\"items\": [[40, 20, 80, 20], [120, 20, 80, 20]], \"popups\": "
                     "[{\"path\": [1], \"box\": [125, 45, 80, 30], \"rows\": "
                     "[[48, 24, \"item\"]]}]}\n");
}

TEST(BatchTool, CheckListsProblems)
{
    SavedProject p;
    // The default items, 20 pixels high, are too small a target.
    const ToolRun small = run({"check", p.path});
    EXPECT_EQ(small.status, ExitCode::Problems);
    EXPECT_EQ(small.out.rfind("first-level items: 80 x 20 pixels is smaller than 24 x 24", 0), 0u);
    AppletRecord data = p.doc.appletData();
    data.set(AppletField::MnItemsHeight, "24");
    p.doc.setAppletData(data);
    ProjectWriter(p.doc, p.tree).save(p.path);
    const ToolRun clean = run({"check", p.path});
    EXPECT_EQ(clean.status, ExitCode::Ok) << clean.out;
    EXPECT_EQ(clean.out, "");

    data.set(AppletField::ApBgClr, "GGGGGG");
    data.set(AppletField::ApWidth, "wide");
    data.set(AppletField::ApBgImg, "../up.gif");
    p.doc.setAppletData(data);
    p.doc.items()[1].set(ItemField::ItemURL, "a|b");
    p.doc.items()[1].set(ItemField::ItemClBgSnd, "gone.au");
    ProjectWriter(p.doc, p.tree).save(p.path);
    std::string text = readBytes(p.path);
    const std::string count = "Start ---------------\r\n3\r\n";
    text.replace(text.find(count), count.size(), "Start ---------------\r\n4\r\n");
    writeBytes(p.path, text);

    const ToolRun dirty = run({"check", p.path});
    EXPECT_EQ(dirty.status, ExitCode::Problems);
    for (const char *expected :
         {"project: the structure has 3 items but the item section announces '4'",
          "applet field 2 ApBgClr: 'GGGGGG' is not a colour",
          "applet field 86 ApWidth: 'wide' is not an integer",
          "applet field 4 ApBgImg: '../up.gif' is not a bare file name",
          "item 2 \"Products\": \"|\" in its caption, link or target shifts the page's fields: "
          "the page shows \"Products\", links to \"a\" in target \"b\"",
          "item 2 \"Products\" ItemClBgSnd: 'gone.au' is missing in the project's folder"})
        EXPECT_NE(dirty.out.find(expected), std::string::npos) << expected << "\n" << dirty.out;
}

// check tells what publish does with the same file: what it leaves out and why, what the page
// shows instead of the structure line, links that run script.
TEST(BatchTool, CheckAgreesWithPublish)
{
    SavedProject p;
    const TempFolder outside;
    writeBytes(outside.file("far.gif"), "GIF");
    std::filesystem::create_symlink(outside.file("far.gif"), p.folder.file("link.gif"));
    writeBytes(p.folder.file("huge.gif"), "");
    std::filesystem::resize_file(std::filesystem::u8path(p.folder.file("huge.gif")),
                                 fsx::MaxFileSize + 1); // sparse: no disk is used
    ItemList &items = p.doc.items();
    items[0].set(ItemField::ItemOvBgImg, "link.gif");
    items[0].set(ItemField::ItemClBgImg, "huge.gif");
    items[1].set(ItemField::ItemNoBgImg, "site.html");
    items[1].set(ItemField::ItemURL, " \tJavaScript:alert(1)");
    items[2].set(ItemField::ItemCaption, "Shown");
    items[2].set(ItemField::ItemNoBgImg, fsx::FolderLockName);
    items[2].set(ItemField::ItemOvBgImg, "images/logo.gif");
    writeBytes(p.folder.file(fsx::FolderLockName), "GIF");
    ProjectWriter(p.doc, p.tree).save(p.path);

    const ToolRun checked = run({"check", p.path});
    for (const char *expected :
         {"item 1 \"Home\" ItemOvBgImg: 'link.gif' is a link out of the project's folder",
          "item 1 \"Home\" ItemClBgImg: 'huge.gif' is larger than 256 MB",
          "item 2 \"Products\" ItemNoBgImg: 'site.html' has the name of a file publishing writes",
          "item 2 \"Products\": the link \" \tJavaScript:alert(1)\" runs a script",
          "item 3 \"Shown\": the caption 'Shown' differs from its structure line 'A'",
          "item 3 \"Shown\" ItemNoBgImg: '.tarvelle.lock' takes the name of the folder's lock "
          "file"})
        EXPECT_NE(checked.out.find(expected), std::string::npos) << expected << "\n" << checked.out;

    const TempFolder site, program;
    writeBytes(program.file("zorvex.js"), "RUNTIME");
    const ToolRun published = run({"publish", p.path, site.path()}, program.path());
    EXPECT_EQ(published.status, ExitCode::Problems);
    for (const char *expected :
         {"left out: link.gif (is a link out of the project's folder)",
          "left out: huge.gif (is larger than 256 MB)",
          "left out: site.html (has the name of a file publishing writes)",
          "left out: .tarvelle.lock (takes the name of the folder's lock file)",
          "warning: item 2 \"Products\": the link"})
        EXPECT_NE(published.err.find(expected), std::string::npos) << expected << "\n"
                                                                   << published.err;
    EXPECT_NE(readBytes(site.file("site.html")).find("<li>Shown"), std::string::npos);
    // Every resource left out is named by both with the same reason, and not listed to upload.
    // (The page's own name is listed as the page.)
    const std::string report = readBytes(site.file("site_PublishReport.txt"));
    const std::size_t resourcesListed = report.find("[Image File(s)]");
    int leftOut = 0;
    for (std::size_t at = 0; (at = published.err.find("left out: ", at)) != std::string::npos;
         ++leftOut) {
        const std::size_t open = published.err.find(" (", at);
        const std::string name = published.err.substr(at + 10, open - at - 10);
        const std::string reason =
            published.err.substr(open + 2, published.err.find(")\n", open) - open - 2);
        EXPECT_NE(checked.out.find("'" + name + "' " + reason), std::string::npos) << name;
        EXPECT_EQ(report.find("  " + name + "\r\n", resourcesListed), std::string::npos) << name;
        at = open;
    }
    EXPECT_EQ(leftOut, 5);
    EXPECT_NE(report.find("  home.gif\r\n"), std::string::npos);
}

// Publishing replaces only what Tarvelle wrote (what a report lists, and a report lists only
// what was written), decides that with the folder locked, and writes all or nothing.
TEST(BatchTool, PublishReplacesOnlyWhatItWrote)
{
    SavedProject p;
    p.doc.items()[1].set(ItemField::ItemNoBgImg, "logo.gif");
    ProjectWriter(p.doc, p.tree).save(p.path);
    const TempFolder site, program;
    writeBytes(program.file("zorvex.js"), "RUNTIME");
    writeBytes(site.file("logo.gif"), "SITE");
    const ToolRun first = run({"publish", p.path, site.path()}, program.path());
    EXPECT_EQ(first.status, ExitCode::Problems) << "logo.gif is missing in the project";
    writeBytes(p.folder.file("logo.gif"), "NEW");
    const ToolRun second = run({"publish", p.path, site.path()}, program.path());
    EXPECT_EQ(second.status, ExitCode::LoadFailed);
    EXPECT_NE(second.err.find("would replace logo.gif"), std::string::npos) << second.err;
    EXPECT_EQ(readBytes(site.file("logo.gif")), "SITE");
    {
        const fsx::FolderLock busy(site.path());
        const ToolRun locked = run({"publish", p.path, site.path(), "--force"}, program.path());
        EXPECT_EQ(locked.status, ExitCode::LoadFailed);
        EXPECT_NE(locked.err.find("Another save is writing"), std::string::npos) << locked.err;
        EXPECT_EQ(locked.err.find("did not write"), std::string::npos) << locked.err;
    }
    EXPECT_EQ(run({"publish", p.path, site.path(), "--force"}, program.path()).status,
              ExitCode::Ok);
    EXPECT_EQ(readBytes(site.file("logo.gif")), "NEW");

    // A name too long for the report fails before any file takes its place.
    const std::string longName = p.folder.file(std::string(250, 'n') + ".tvl");
    ProjectWriter(p.doc, p.tree).save(longName);
    const TempFolder fresh;
    const ToolRun tooLong = run({"publish", longName, fresh.path()}, program.path());
    EXPECT_EQ(tooLong.status, ExitCode::LoadFailed);
    EXPECT_NE(tooLong.err.find("longer than the 255 bytes"), std::string::npos) << tooLong.err;
    EXPECT_TRUE(std::filesystem::is_empty(fresh.path()));
}

TEST(BatchTool, ControlCharactersNeverReachTheTerminal)
{
    SavedProject p;
    // An escape sequence in a resource name and in a caption, as a hostile file holds them.
    p.doc.items()[0].set(ItemField::ItemNoBgImg, "\x1b]0;owned\x07.gif");
    p.doc.items()[1].set(ItemField::ItemCaption, "C1 \xc2\x9b"
                                                 "31m");
    ProjectWriter(p.doc, p.tree).save(p.path);
    for (const char *command : {"report", "check"}) {
        const ToolRun r = run({command, p.path});
        for (const std::string &text : {r.out, r.err}) {
            EXPECT_EQ(text.find('\x1b'), std::string::npos) << command;
            EXPECT_EQ(text.find("\xc2\x9b"), std::string::npos) << command;
        }
        if (std::string(command) == "check") { // the name, missing, is told made visible
            EXPECT_NE(r.out.find("\\x1b]0;owned\\x07.gif"), std::string::npos) << r.out;
        }
    }
    const ToolRun missing = run({"html", p.folder.file("\x1b[2J\u202Elvt.tvl")});
    EXPECT_EQ(missing.err.find('\x1b'), std::string::npos);
    EXPECT_NE(missing.err.find("\\x1b[2J\\u202Elvt.tvl"), std::string::npos) << missing.err;
}

#ifndef _WIN32
TEST(BatchTool, AWriteOverTheFileSizeLimitIsAnErrorNotADeath)
{
    SavedProject p;
    const std::string target = p.folder.file("out");
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        rlimit limit{200, 200}; // the page alone is larger
        setrlimit(RLIMIT_FSIZE, &limit);
        const int quiet = ::open("/dev/null", O_WRONLY);
        dup2(quiet, 2);
        execl(TARVELLE_CLI_PATH, "tarvelle-cli", "publish", p.path.c_str(), target.c_str(),
              static_cast<char *>(nullptr));
        _exit(127);
    }
    int status = 0;
    waitpid(child, &status, 0);
    ASSERT_TRUE(WIFEXITED(status)) << "ended by signal " << WTERMSIG(status);
    EXPECT_EQ(WEXITSTATUS(status), ExitCode::LoadFailed);
    EXPECT_TRUE(std::filesystem::is_empty(target)) << "all or nothing";
}
#endif

// The programs find their data beside themselves in a build, and in share/tarvelle beside
// their bin folder once installed; with neither, they keep their own folder.
TEST(BatchTool, DataFolderInBothLayouts)
{
    namespace fs = std::filesystem;
    const fs::path root =
        fs::temp_directory_path() / ("tarvelle-layout-" + std::to_string(::getpid()));
    fs::create_directories(root / "build" / "bin");
    fs::create_directories(root / "usr" / "bin");
    fs::create_directories(root / "usr" / "share" / "tarvelle");
    fs::create_directories(root / "bare" / "bin");
    fsx::writeFileAtomically((root / "build" / "bin" / "zorvex.js").string(), "");
    fsx::writeFileAtomically((root / "usr" / "share" / "tarvelle" / "zorvex.js").string(), "");
    const std::string sep(1, fsx::separator());
    EXPECT_EQ(fsx::dataFolderFor((root / "build" / "bin").string()),
              (root / "build" / "bin").string() + sep);
    EXPECT_EQ(fsx::dataFolderFor((root / "usr" / "bin").string() + sep),
              (root / "usr" / "share" / "tarvelle").string() + sep);
    EXPECT_EQ(fsx::dataFolderFor((root / "bare" / "bin").string()),
              (root / "bare" / "bin").string() + sep);
    fs::remove_all(root);
}

#ifndef _WIN32
// publish replaces only what Tarvelle wrote: someone's files of the same names are listed and
// nothing is written unless --force; read-only files stay; a folder another save is writing
// into is refused; what it replaces keeps its permissions.
#ifndef _WIN32
// An output that is the project itself, a pipe or a device is refused, and stays as it was.
TEST(BatchTool, HtmlNeverReplacesTheProjectOrASystemNode)
{
    const SavedProject saved;
    const std::string bytes = readBytes(saved.path);
    const std::string pipe = saved.folder.file("pipe");
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    for (const std::string &target : {saved.path, saved.folder.file("./site.tvl"), pipe}) {
        const ToolRun refused = run({"html", saved.path, target});
        EXPECT_EQ(refused.status, ExitCode::LoadFailed) << target;
        EXPECT_NE(refused.err.find("Cannot write"), std::string::npos) << refused.err;
    }
    EXPECT_EQ(readBytes(saved.path), bytes);
    struct stat node = {};
    ASSERT_EQ(::lstat(pipe.c_str(), &node), 0);
    EXPECT_TRUE(S_ISFIFO(node.st_mode));
}
#endif

TEST(BatchTool, PublishNeverReplacesWhatIsNotItsOwn)
{
    SavedProject p;
    const TempFolder program, site;
    writeBytes(program.file("zorvex.js"), "RUNTIME");
    writeBytes(site.file("site.html"), "the site's own page");
    writeBytes(site.file("home.gif"), "another logo");
    writeBytes(site.file("zorvex.js"), "RUNTIME"); // the same bytes: nothing is lost
    auto publish = [&](std::vector<std::string> extra = {}) {
        std::vector<std::string> args{"publish", p.path, site.path()};
        args.insert(args.end(), extra.begin(), extra.end());
        return run(args, program.path());
    };
    const ToolRun refused = publish();
    EXPECT_EQ(refused.status, ExitCode::LoadFailed);
    EXPECT_NE(refused.err.find("would replace home.gif"), std::string::npos) << refused.err;
    EXPECT_NE(refused.err.find("would replace site.html"), std::string::npos) << refused.err;
    EXPECT_EQ(refused.err.find("zorvex.js"), std::string::npos) << refused.err;
    EXPECT_EQ(readBytes(site.file("site.html")), "the site's own page");
    EXPECT_FALSE(std::filesystem::exists(site.file("site.tvl"))) << "nothing written";

    EXPECT_EQ(publish({"--force"}).status, ExitCode::Ok);
    EXPECT_EQ(readBytes(site.file("home.gif")), "GIF");
    // Written by Tarvelle now, as its report tells: replaced without asking, modes kept.
    ::chmod(site.file("site.tvl").c_str(), 0600);
    ::chmod(site.file("home.gif").c_str(), 0640);
    EXPECT_EQ(publish().status, ExitCode::Ok);
    struct stat info = {};
    ASSERT_EQ(::stat(site.file("site.tvl").c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0600u);
    ASSERT_EQ(::stat(site.file("home.gif").c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0640u);

    ::chmod(site.file("site.html").c_str(), 0444);
    const std::string page = readBytes(site.file("site.html"));
    p.doc.items()[0].set(ItemField::ItemCaption, "Start");
    ProjectWriter(p.doc, p.tree).save(p.path);
    const ToolRun readOnly = publish({"--force"});
    EXPECT_EQ(readOnly.status, ExitCode::LoadFailed);
    EXPECT_NE(readOnly.err.find("site.html is read-only"), std::string::npos) << readOnly.err;
    EXPECT_EQ(readBytes(site.file("site.html")), page);
    ::chmod(site.file("site.html").c_str(), 0644);

    {
        const fsx::FolderLock busy(site.path());
        const ToolRun locked = publish();
        EXPECT_EQ(locked.status, ExitCode::LoadFailed);
        EXPECT_NE(locked.err.find("Another save is writing"), std::string::npos) << locked.err;
    }
    EXPECT_EQ(publish().status, ExitCode::Ok);
    EXPECT_FALSE(std::filesystem::exists(site.file(fsx::FolderLockName))) << "released";
}
#endif
