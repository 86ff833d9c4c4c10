// Saving must never leave a damaged project file: not when the process is killed in the
// middle of a save, not when the folder turns read-only, not when a write fails half way.

#include "document/Errors.h"
#include "document/FileSystem.h"
#include "document/ProjectFile.h"
#include "document/Publisher.h"
#include "tests/core/TestSupport.h"

#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <filesystem>
#include <gtest/gtest.h>
#include <map>
#include <random>
#include <sched.h>
#include <set>
#include <sys/file.h>
#include <sys/mount.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {
struct Project
{
    MenuDocument doc;
    Publisher publisher{doc};
    MemoryTree tree;

    Project(int items, const std::string &prefix)
    {
        std::vector<std::string> outline{"Tarvelle"};
        for (int k = 0; k < items; ++k)
            outline.push_back(std::string(k % 3 == 0 ? ">" : ">>") + prefix + std::to_string(k));
        buildTree(tree, outline);
        fillItemsFromTree(doc, tree);
    }
};

// Runs body in a child process and returns its exit status (-1 when it did not exit).
template <typename Body> int inChild(Body body)
{
    const pid_t child = fork();
    if (child == 0) {
        int status = 1;
        try {
            status = body();
        } catch (...) {
            status = 2;
        }
        _exit(status);
    }
    int status = 0;
    waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}
} // namespace

TEST(CrashSafety, KillDuringSaveLeavesOneWholeDocument)
{
    TempFolder folder;
    const std::string path = folder.file("menu.tvl");
    // Temporary files carry unpredictable names ending in ".tmp~".
    auto temporaries = [&] {
        std::vector<std::filesystem::path> found;
        for (const auto &entry : std::filesystem::directory_iterator(folder.path()))
            if (entry.path().string().size() > 5 &&
                entry.path().string().compare(entry.path().string().size() - 5, 5, ".tmp~") == 0)
                found.push_back(entry.path());
        return found;
    };
    Project first(1000, "First "), second(1000, "Second ");
    const std::string firstText = ProjectWriter(first.doc, first.tree).text();
    const std::string secondText = ProjectWriter(second.doc, second.tree).text();
    ProjectWriter(first.doc, first.tree).save(path);

    std::mt19937 random(20261208);
    int midWrite = 0;
    for (int kill = 0; kill < 200; ++kill) {
        for (const auto &old : temporaries())
            std::filesystem::remove(old); // so a temporary file afterwards is this kill's
        int signal[2];
        ASSERT_EQ(pipe(signal), 0);
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            close(signal[0]);
            for (;;) {
                for (Project *project : {&first, &second}) {
                    const char tick = 1;
                    if (write(signal[1], &tick, 1) != 1)
                        _exit(1);
                    ProjectWriter(project->doc, project->tree).save(path);
                }
            }
        }
        close(signal[1]);
        // Let the child start a random number of saves, then kill it after a random spin.
        const int saves = 1 + static_cast<int>(random() % 4);
        char tick;
        for (int started = 0; started < saves && read(signal[0], &tick, 1) == 1;)
            ++started;
        const unsigned spin = random() % 400000;
        for (volatile unsigned i = 0; i < spin; i = i + 1) {
        }
        ::kill(child, SIGKILL);
        int status = 0;
        waitpid(child, &status, 0);
        close(signal[0]);

        if (!temporaries().empty())
            ++midWrite;
        const std::string bytes = readBytes(path);
        ASSERT_TRUE(bytes == firstText || bytes == secondText)
            << "kill " << kill << " left " << bytes.size() << " bytes that are neither document";
    }
    RecordProperty("kills_mid_write", midWrite);
    std::printf("[ kills ] 200 kills, %d landed while a temporary file was being written\n",
                midWrite);
}

TEST(CrashSafety, ReadOnlyFolderKeepsThePreviousFile)
{
    TempFolder folder;
    const std::string path = folder.file("menu.tvl");
    writeBytes(path, "previous contents");
    Project project(10, "Item ");
    // The folder is made read-only under the test's feet: in a mount namespace of its own the
    // child binds it read-only, which binds root as well as any other user.
    const int status = inChild([&] {
        if (unshare(CLONE_NEWNS) != 0 ||
            mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0 ||
            mount(folder.path().c_str(), folder.path().c_str(), nullptr, MS_BIND, nullptr) != 0 ||
            mount(nullptr, folder.path().c_str(), nullptr, MS_REMOUNT | MS_BIND | MS_RDONLY,
                  nullptr) != 0)
            return 77;
        try {
            ProjectWriter(project.doc, project.tree).save(path);
        } catch (const EInOutError &) {
            return readBytes(path) == "previous contents" ? 3 : 4;
        }
        return 0;
    });
    if (status == 77 && geteuid() != 0) {
        // No mount namespace for this user: a folder without write permission binds it too.
        std::filesystem::permissions(folder.path(), std::filesystem::perms::owner_read |
                                                        std::filesystem::perms::owner_exec);
        EXPECT_THROW(ProjectWriter(project.doc, project.tree).save(path), EInOutError);
    } else {
        EXPECT_EQ(status, 3)
            << "the save into a read-only folder was not reported (77: no namespace)";
    }
    EXPECT_EQ(readBytes(path), "previous contents");
}

TEST(CrashSafety, KillDuringPublishLeavesEveryOutputOldOrNew)
{
    TempFolder resources, out;
    writeBytes(resources.file("first.gif"), std::string(200000, 'F'));
    writeBytes(resources.file("second.gif"), std::string(200000, 'S'));
    Project first(300, "First "), second(300, "Second ");
    first.doc.items()[0].set(ItemField::ItemNoBgImg, "logo.gif");
    second.doc.items()[0].set(ItemField::ItemNoBgImg, "logo.gif");
    // Each document publishes its own picture under the same name.
    TempFolder firstPictures, secondPictures;
    writeBytes(firstPictures.file("logo.gif"), readBytes(resources.file("first.gif")));
    writeBytes(secondPictures.file("logo.gif"), readBytes(resources.file("second.gif")));
    const Project *projects[] = {&first, &second};
    const TempFolder *pictures[] = {&firstPictures, &secondPictures};
    std::map<std::string, std::set<std::string>> versions; // every output's two versions
    for (int v = 0; v < 2; ++v) {
        TempFolder scratch;
        Project &p = const_cast<Project &>(*projects[v]);
        p.publisher.saveAllFrom(scratch.path(), "menu.tvl", p.tree, pictures[v]->path());
        for (const char *name : {"menu.html", "menu.tvl", "menu_PublishReport.txt", "logo.gif"})
            versions[name].insert(readBytes(scratch.file(name)));
    }
    first.publisher.saveAllFrom(out.path(), "menu.tvl", first.tree, firstPictures.path());

    std::mt19937 random(8);
    for (int kill = 0; kill < 60; ++kill) {
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            for (int v = 0;; v = 1 - v) {
                Project &p = const_cast<Project &>(*projects[v]);
                p.publisher.saveAllFrom(out.path(), "menu.tvl", p.tree, pictures[v]->path());
            }
        }
        // Kill it after a random spin, somewhere inside one of the publishes.
        const unsigned spin = random() % 4000000;
        for (volatile unsigned i = 0; i < spin; i = i + 1) {
        }
        ::kill(child, SIGKILL);
        waitpid(child, nullptr, 0);
        for (const auto &[name, both] : versions)
            ASSERT_TRUE(both.count(readBytes(out.file(name))))
                << "kill " << kill << " left " << name << " neither old nor new";
    }
}

// A name of the folder's greatest length is written like any other: the temporary file
// beside it has a short name of its own, which tells whose it is.
TEST(CrashSafety, TheLongestNamesCanBeWritten)
{
    TempFolder folder;
    const std::string name(250, 'p');
    fsx::writeFileAtomically(folder.file(name + ".gif"), "GIF");
    EXPECT_EQ(readBytes(folder.file(name + ".gif")), "GIF");
    EXPECT_TRUE(fsx::copyFile(folder.file(name + ".gif"), folder.file(name + ".png")));
    std::size_t files = 0;
    for (const auto &entry : std::filesystem::directory_iterator(folder.path())) {
        ++files;
        EXPECT_EQ(entry.path().filename().string().rfind(".tarvelle-", 0), std::string::npos);
    }
    EXPECT_EQ(files, 2u) << "no temporary file is left";
}

// What a killed save left goes with the next save into that folder; a write under way (its
// temporary locked) and files of other names stay.
TEST(CrashSafety, TheNextSaveRemovesWhatAKilledOneLeft)
{
    TempFolder folder;
    const std::string left = folder.file(".tarvelle-abcdefghijkl.tmp~");
    const std::string live = folder.file(".tarvelle-mnopqrstuvwx.tmp~");
    const std::string other = folder.file("photo.tmp~");
    for (const std::string &path : {left, live, other}) {
        writeBytes(path, "partial");
        std::filesystem::last_write_time(path, std::filesystem::file_time_type::clock::now() -
                                                   std::chrono::minutes(5));
    }
    const int held = ::open(live.c_str(), O_RDONLY);
    ASSERT_GE(held, 0);
    ASSERT_EQ(::flock(held, LOCK_EX), 0);

    MenuDocument doc;
    doc.resetToDefaults();
    MemoryTree tree;
    buildTree(tree, {"Tarvelle", ">Home"});
    fillItemsFromTree(doc, tree);
    Publisher(doc).saveAll(folder.path(), "menu.tvl", tree);
    EXPECT_FALSE(std::filesystem::exists(left));
    EXPECT_TRUE(std::filesystem::exists(live));
    EXPECT_TRUE(std::filesystem::exists(other));
    ::close(held);
}
