#include "document/Publisher.h"

#include "document/Errors.h"
#include "document/HtmlWriter.h"
#include "document/ProjectFile.h"
#include "tests/core/TestSupport.h"

#include <array>
#include <filesystem>
#include <gtest/gtest.h>

namespace fs = std::filesystem;

namespace {
struct Fixture
{
    TempFolder program;
    TempFolder project;
    MenuDocument doc;
    Publisher publisher{doc};
    MemoryTree tree;

    Fixture()
    {
        doc.setProgramFolder(program.path());
        buildTree(tree, {"Tarvelle", ">Only"});
        fillItemsFromTree(doc, tree);
    }
    std::string preview(const std::string &name = "") const
    {
        return program.path() + "preview/" + name;
    }
};

} // namespace

TEST(Publisher, ReportListsEveryNameOnce)
{
    Fixture f;
    AppletRecord data = f.doc.appletData();
    data.set(AppletField::ApBgImg, "bg.gif");
    f.doc.setAppletData(data);
    auto &item = f.doc.items()[0];
    item.set(ItemField::ItemNoBgImg, "bg.gif");
    item.set(ItemField::ItemOvBgImg, "over.gif");
    item.set(ItemField::ItemClBgSnd, "click.au");
    item.set(ItemField::ItemOvBgSnd, "over.gif"); // named as an image too: listed under images only

    const std::string rule(77, '=');
    EXPECT_EQ(crlfLines(f.publisher.reportText("menu.tvl")),
              (std::vector<std::string>{
                  rule,
                  "This report lists the files that show the menu on a web site. Upload them all "
                  "into one folder",
                  "of the site. Saving the project writes them beside the project file, with this "
                  "report as",
                  "\"menu_PublishReport.txt\"; Applet > Publish to Folder writes them into a "
                  "folder you choose.",
                  rule,
                  "",
                  "[Page]: It shows the menu. To show the menu in a page of your own, copy the "
                  "part between",
                  "<body> and </body> into that page and upload the files below beside it.",
                  "  menu.html",
                  "",
                  "[Applet files]: The page holds only the applet tag, which today's browsers do "
                  "not run.",
                  "",
                  "[Image File(s)]: They go into the same folder as the page.",
                  "  bg.gif",
                  "  over.gif",
                  "",
                  "[Audio File(s)]: They go into the same folder as the page.",
                  "  click.au",
                  "",
                  rule,
                  "End of Publish Report",
                  rule,
              }));

    // The runtime's section names only what the folder receives: the runtime, and the
    // applet's own files where the program folder holds them.
    f.doc.setIncludeWebRuntime(true);
    writeBytes(f.program.file("zorvex.class"), "CLASS");
    const std::vector<std::string> lines = crlfLines(f.publisher.reportText("menu.tvl"));
    EXPECT_EQ(std::vector<std::string>(lines.begin() + 10, lines.begin() + 14),
              (std::vector<std::string>{"[Web runtime]: zorvex.js draws the menu; zorvex.js.map "
                                        "serves browsers' developer tools.",
                                        "  zorvex.class", "  zorvex.js", ""}));
}

TEST(Publisher, StagingRecordsAndClearingDeletesOnlyStagedFiles)
{
    Fixture f;
    writeBytes(f.project.file("bg.gif"), "GIF");
    writeBytes(f.project.file("zorvex.jar"), "JAR");
    f.publisher.stage(f.project.file("bg.gif"));
    f.publisher.stage(f.project.file("missing.gif")); // recorded although the copy fails
    EXPECT_EQ(readBytes(f.preview("bg.gif")), "GIF");
    EXPECT_EQ(f.publisher.stagedFiles(), (StringList{"bg.gif", "missing.gif"}));

    f.publisher.clearStaged();
    EXPECT_TRUE(f.publisher.stagedFiles().empty());
    EXPECT_FALSE(fs::exists(f.preview()));
    // Made again, it is as private as before: the pictures of an unsaved project are nobody's
    // business.
    f.publisher.stage(f.project.file("bg.gif"));
    EXPECT_EQ(fs::status(f.preview()).permissions() & fs::perms::all, fs::perms::owner_all);

    // A file that was not staged keeps the folder.
    f.publisher.clearStaged();
    f.publisher.stageAppletFiles(f.project.path());
    EXPECT_EQ(f.publisher.stagedFiles(), (StringList{"zorvex.jar", "zorvex.class", "", ""}));
    writeBytes(f.preview("stranger.txt"), "x");
    f.publisher.clearStaged();
    EXPECT_FALSE(fs::exists(f.preview("zorvex.jar")));
    EXPECT_TRUE(fs::exists(f.preview("stranger.txt")));
}

TEST(Publisher, StageResourcesUsesOnlyBareNames)
{
    Fixture f;
    writeBytes(f.project.file("bg.gif"), "GIF");
    writeBytes(f.project.file("click.au"), "AU");
    fs::create_directory(f.project.file("sub"));
    writeBytes(f.project.file("sub/inner.gif"), "IN");
    AppletRecord data = f.doc.appletData();
    data.set(AppletField::ApBgImg, "bg.gif");
    data.set(AppletField::ApBgSnd, "../outside.au");
    f.doc.setAppletData(data);
    auto &item = f.doc.items()[0];
    item.set(ItemField::ItemNoBgImg, "sub/inner.gif");
    item.set(ItemField::ItemOvBgImg, "..");
    item.set(ItemField::ItemClBgSnd, "click.au");

    RecordingProgress progress;
    f.doc.setProgress(&progress);
    f.publisher.stageResources(f.project.path());
    EXPECT_EQ(f.publisher.stagedFiles(), (StringList{"bg.gif", "click.au"}));
    EXPECT_EQ(progress.maximums, std::vector<int>{7});
    EXPECT_EQ(progress.steps, 7);
    EXPECT_EQ(progress.texts, (std::vector<std::string>{"Copying Resource Files ... ...", ""}));
    EXPECT_FALSE(fs::exists(f.preview("inner.gif")));
}

TEST(Publisher, SaveAllAssemblesThePublishableFolder)
{
    Fixture f;
    writeBytes(f.program.file("zorvex.jar"), "JAR");
    writeBytes(f.program.file("zorvex.class"), "CLASS");
    writeBytes(f.project.file("bg.gif"), "GIF");
    AppletRecord data = f.doc.appletData();
    data.set(AppletField::ApBgImg, "bg.gif");
    f.doc.setAppletData(data);
    f.doc.items()[0].set(ItemField::ItemNoBgImg, "bg.gif");
    f.doc.items()[0].set(ItemField::ItemClBgImg, "/etc/passwd");
    f.publisher.stageResources(f.project.path());

    TempFolder out;
    // The project keeps the name it was opened under; the outputs take it without its final
    // extension.
    EXPECT_TRUE(f.publisher.saveAll(out.path(), "Menu.TVL", f.tree));
    auto namesIn = [](const std::string &folder) {
        std::vector<std::string> names;
        for (const auto &entry : fs::directory_iterator(folder))
            names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    };
    EXPECT_EQ(namesIn(out.path()),
              (std::vector<std::string>{"Menu.TVL", "Menu.html", "Menu_PublishReport.txt", "bg.gif",
                                        "zorvex.class", "zorvex.jar"}));
    EXPECT_EQ(readBytes(out.file("Menu.html")), HtmlWriter(f.doc).fragment());
    EXPECT_EQ(readBytes(out.file("Menu.TVL")), ProjectWriter(f.doc, f.tree).text());
    for (const auto &[given, project, page] : std::vector<std::array<std::string, 3>>{
             {"x.tvl.bak", "x.tvl.bak", "x.tvl.html"}, {"plain", "plain.tvl", "plain.html"}}) {
        TempFolder other;
        f.publisher.saveAll(other.path(), given, f.tree);
        EXPECT_TRUE(fs::exists(other.file(project))) << given;
        EXPECT_TRUE(fs::exists(other.file(page))) << given;
    }
    EXPECT_EQ(readBytes(out.file("Menu_PublishReport.txt")),
              f.publisher.reportText("Menu.TVL", f.publisher.previewFolder()));
    EXPECT_EQ(readBytes(out.file("Menu_PublishReport.txt")).find("/etc/passwd"),
              std::string::npos); // never copied, so not listed
}

TEST(Publisher, WriteFailureEndsSaveAll)
{
    Fixture f;
    TempFolder out;
    fs::create_directory(out.file("menu.tvl"));
    writeBytes(out.file("menu.tvl/keep"), "x");
    EXPECT_THROW(f.publisher.saveAll(out.path(), "menu.tvl", f.tree), std::runtime_error);
    EXPECT_FALSE(fs::exists(out.file("menu.html"))) << "all or nothing";
    EXPECT_FALSE(fs::exists(out.file("menu_PublishReport.txt")));
    // A read-only project is found before the page or the runtime is written.
    writeBytes(f.program.file("zorvex.js"), "RUNTIME");
    f.doc.setIncludeWebRuntime(true);
    TempFolder readOnly;
    writeBytes(readOnly.file("menu.tvl"), "OLD");
    fs::permissions(readOnly.file("menu.tvl"), fs::perms::owner_read);
    EXPECT_THROW(f.publisher.saveAll(readOnly.path(), "menu.tvl", f.tree), EReadOnly);
    EXPECT_EQ(fsx::folderEntries(readOnly.path()), std::set<std::string>{"menu.tvl"});
}

TEST(Publisher, ResourcesComeOnlyFromInsideTheirFolderAndNeverReplaceOutputs)
{
    Fixture f;
    TempFolder outside;
    writeBytes(outside.file("secret"), "private key");
    writeBytes(f.project.file("ok.gif"), "GIF");
    writeBytes(f.project.file("Menu.html"), "a picture named like the page");
    std::filesystem::create_symlink(outside.file("secret"), f.project.file("leak.gif"));
    std::filesystem::create_symlink(f.project.file("ok.gif"), f.project.file("inside.gif"));
    ItemRecord &item = f.doc.items()[0];
    item.set(ItemField::ItemNoBgImg, "ok.gif");
    item.set(ItemField::ItemOvBgImg, "leak.gif");
    item.set(ItemField::ItemClBgImg, "inside.gif");
    item.set(ItemField::ItemOvBgSnd, "Menu.html");
    item.set(ItemField::ItemClBgSnd, "missing.au");

    TempFolder out;
    f.publisher.saveAllFrom(out.path(), "Menu.tvl", f.tree, f.project.path());
    EXPECT_EQ(readBytes(out.file("ok.gif")), "GIF");
    EXPECT_EQ(readBytes(out.file("inside.gif")), "GIF") << "a link that stays inside is fine";
    EXPECT_FALSE(std::filesystem::exists(out.file("leak.gif"))) << "nothing from outside";
    EXPECT_EQ(readBytes(out.file("Menu.html")), savedPage(f.doc, "Menu", f.tree))
        << "the page stays";
    std::vector<std::string> skipped;
    for (const auto &resource : f.publisher.skippedResources())
        skipped.push_back(std::string(resource.name) + " " + fsx::describe(resource.check));
    EXPECT_EQ(skipped,
              (std::vector<std::string>{"leak.gif is a link out of the project's folder",
                                        "Menu.html has the name of a file publishing writes",
                                        "missing.au is missing in the project's folder"}));

    // Staging takes the same care: the link out never reaches the preview folder.
    f.publisher.stageResources(f.project.path());
    EXPECT_TRUE(std::filesystem::exists(f.preview("ok.gif")));
    EXPECT_FALSE(std::filesystem::exists(f.preview("leak.gif")));

    // A copy that fails while writing ends the save and reports it.
    TempFolder blocked;
    std::filesystem::create_directory(std::filesystem::u8path(blocked.file("ok.gif")));
    std::filesystem::create_directory(std::filesystem::u8path(blocked.file("ok.gif/x")));
    EXPECT_THROW(f.publisher.saveAllFrom(blocked.path(), "Menu.tvl", f.tree, f.project.path()),
                 EInOutError);
    f.publisher.clearStaged();
}
