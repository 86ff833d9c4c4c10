#pragma once

#include "document/TextOut.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <set>
#include <string>
#include <vector>

// File access for the document core, with the error rules the document needs: reading and
// writing raise EInOutError, copies and folder changes fail silently.
namespace fsx {

// The whole file; EInOutError("File not found") for a missing file, EInOutError otherwise,
// also for anything but a regular file and for a file larger than MaxFileSize.
constexpr unsigned long long MaxFileSize = 256ULL * 1024 * 1024;
std::string readFile(const std::string &path);

// Writes the file whole through a temporary file in the same folder that is renamed over the
// target only when complete, so a failure leaves the previous file as it was. An existing
// file keeps its permissions, owner and group; a read-only one is not replaced (EReadOnly)
// unless a ReadOnlyReplacement is alive. A link at the target is replaced, not followed.
// Durable::No skips flushing to the disk, for copies that are only a cache (the preview's).
enum class Durable
{
    Yes,
    No
};
void writeFileAtomically(const std::string &path, const std::string &bytes,
                         Durable durable = Durable::Yes);
// The same, with the text written by write as it is made: an exception from write leaves the
// previous file as it was, and no temporary file behind.
void writeFileAtomically(const std::string &path, const std::function<void(TextOut &)> &write,
                         Durable durable = Durable::Yes);

// Files written together: each to a temporary file beside its target as it is added, all of
// them renamed over their targets by commit, so that a failure before commit (a full disk, a
// writer's exception) leaves every target as it was and no temporary behind. add checks its
// target as checkTarget does before writing.
class FileBatch
{
public:
    explicit FileBatch(Durable durable = Durable::Yes);
    ~FileBatch(); // removes the temporaries not renamed
    FileBatch(const FileBatch &) = delete;
    FileBatch &operator=(const FileBatch &) = delete;

    void add(const std::string &path, const std::function<void(TextOut &)> &write);
    void commit();

private:
    struct Pending
    {
        std::string target, temporary;
    };
    Durable durable_;
    std::vector<Pending> pending_;
};

// Throws what writing a file at path would fail on before anything is written: a read-only
// file (EReadOnly, unless a ReadOnlyReplacement is alive), a node that is no regular file or
// link, a name longer than its folder allows.
void checkTarget(const std::string &path);

// A file that cannot be written to: replacing it would override the owner's intent.
bool isReadOnlyFile(const std::string &path);
// While one lives, writeFileAtomically replaces read-only files (the user agreed to).
class ReadOnlyReplacement
{
public:
    ReadOnlyReplacement();
    ~ReadOnlyReplacement();
    ReadOnlyReplacement(const ReadOnlyReplacement &) = delete;
    ReadOnlyReplacement &operator=(const ReadOnlyReplacement &) = delete;
};

// The file a symbolic link leads to (through every link in a chain); the path itself when it
// is no link or leads nowhere.
std::string resolveLink(const std::string &path);

// What a file was when it was read or written, to tell whether someone changed it since.
struct FileStamp
{
    std::uintmax_t size = 0;
    std::int64_t modified = 0; // nanoseconds of the file's modification time
    std::uint64_t hash = 0;    // of the content
};
std::optional<FileStamp> fileStamp(const std::string &path); // none for a missing file
// The same for a file just read whole: content is what it holds.
std::optional<FileStamp> fileStamp(const std::string &path, const std::string &content);
// The content differs from the stamp's (a file only touched has not changed), or the file is
// gone. Files whose size and time are the stamp's are not read again.
bool changedSince(const std::string &path, const FileStamp &stamp);

// Holds a folder for one save at a time: a second save into it fails with EInOutError while
// the first runs, so two projects' files never mix. Released when destroyed or the process
// ends in any way.
class FolderLock
{
public:
    explicit FolderLock(const std::string &folder);
    ~FolderLock();
    FolderLock(const FolderLock &) = delete;
    FolderLock &operator=(const FolderLock &) = delete;

private:
    std::string path_;
    int fd_ = -1;
};
inline constexpr const char *FolderLockName = ".tarvelle.lock";

// Removes what writes that never finished (a killed save) left in a folder: the temporary
// files of this program that no write under way holds. Returns how many.
int removeLeftoverTemporaries(const std::string &folder);

// Copies a file over the target (through a temporary file, as every write); returns false on
// any failure.
bool copyFile(const std::string &from, const std::string &to, Durable durable = Durable::Yes);
// What publishing makes of a resource name: Fine, it is copied; otherwise why it is left out.
enum class ResourceCheck : unsigned char
{
    Fine,
    NotBare,    // "is not a bare file name"
    LockName,   // "takes the name of the folder's lock file"
    Missing,    // "is missing in the project's folder"
    LinkOut,    // "is a link out of the project's folder"
    NotRegular, // "is not a regular file"
    TooLarge,   // "is larger than 256 MB"
    OutputName, // "has the name of a file publishing writes" (decided by the caller)
};
// The reason in words; empty for Fine.
const char *describe(ResourceCheck check);
// What the file name in folder is to publishing: a bare name of a regular file inside that
// folder (a link only when it leads inside it) within the file-size limit is Fine.
ResourceCheck checkResource(const std::string &folder, const std::string &name);
// The same in words; empty when it can be published.
std::string resourceProblem(const std::string &folder, const std::string &name);
// The file a Fine resource is read from (a link resolved); empty otherwise.
std::string resourceSource(const std::string &folder, const std::string &name);
// Copies the file name from folder to target when checkResource finds it Fine; false
// otherwise. A failure while writing raises EInOutError and leaves the previous target.
bool copyResource(const std::string &folder, const std::string &name, const std::string &target,
                  Durable durable = Durable::Yes);
bool fileExists(const std::string &path);
// The names in a folder (files, links and folders alike); empty when it cannot be read.
std::set<std::string> folderEntries(const std::string &folder);
// The two files hold the same bytes (false when either cannot be read).
bool sameContent(const std::string &a, const std::string &b);
bool folderExists(const std::string &path);
void removeFile(const std::string &path);
void createFolder(const std::string &path); // private to the user (0700)
void removeEmptyFolder(const std::string &path);
// Removes a folder of this program's with everything in it, never following a link: a link
// inside is removed itself, and a path that is no folder (a link to one) is left alone.
// False when something could not be removed.
bool removeFolderTree(const std::string &path);

// The file-name part of a path (after the last separator; on Windows "\" and "/").
std::string fileNamePart(const std::string &path);
// The folder part of a path, with a trailing separator; empty for a bare name.
std::string folderPart(const std::string &path);
// A bare file name: not empty, no separators or drive colon, neither "." nor "..".
bool isBareFileName(const std::string &name);
// Makes a write past the file-size limit fail like any other write instead of ending the
// process (SIGXFSZ); programs call it once at start.
void failOversizedWritesQuietly();

// The platform's path separator.
char separator();
// The folder with a trailing separator (an empty folder stays empty).
std::string withSeparator(const std::string &folder);

// The folder holding the programs' data (help, samples, templates, the web runtime), with a
// separator at the end: the executable's own folder in a build or an unpacked copy, or
// share/tarvelle beside its bin folder once installed. Known by the web runtime it holds.
std::string dataFolderFor(const std::string &executableFolder);

} // namespace fsx
