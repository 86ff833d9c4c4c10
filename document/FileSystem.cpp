#include "FileSystem.h"

#include "document/Errors.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <random>
#ifndef _WIN32
#include <ctime>
#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#endif
#include <cstring>
#include <filesystem>
#include <fstream>
#include <vector>

namespace fs = std::filesystem;

namespace fsx {

namespace {
fs::path toPath(const std::string &path)
{
    return fs::u8path(path);
}

std::string reason()
{
    return errno != 0 ? std::string(". ") + std::strerror(errno) : std::string();
}

int readOnlyReplacements = 0;

bool readOnlyReplaced()
{
    return readOnlyReplacements > 0;
}

bool isSeparator(char c)
{
#ifdef _WIN32
    return c == '\\' || c == '/';
#else
    return c == '/';
#endif
}
} // namespace

ReadOnlyReplacement::ReadOnlyReplacement()
{
    ++readOnlyReplacements;
}

ReadOnlyReplacement::~ReadOnlyReplacement()
{
    --readOnlyReplacements;
}

std::string readFile(const std::string &path)
{
    std::error_code ec;
    const fs::path p = toPath(path);
    if (!fs::exists(p, ec))
        throw EInOutError("File not found");
    if (fs::is_directory(p, ec))
        throw EInOutError("Cannot open file \"" + path + "\". It is a folder");
    // Only regular files, and none larger than a project ever is: a device or a FIFO would
    // hang or fill the memory.
    if (!fs::is_regular_file(p, ec))
        throw EInOutError("Cannot open file \"" + path + "\". It is not a regular file");
    const std::uintmax_t size = fs::file_size(p, ec);
    if (!ec && size > MaxFileSize)
        throw EInOutError("Cannot open file \"" + path + "\". It is larger than 256 MB");
    errno = 0;
    std::ifstream in(p, std::ios::binary);
    if (!in)
        throw EInOutError("Cannot open file \"" + path + "\"" + reason());
    // Read straight into one string: the file's size in memory, not twice that.
    std::string content;
    if (!ec)
        content.reserve(static_cast<std::size_t>(size));
    char block[65536];
    while (in.read(block, sizeof block) || in.gcount() > 0) {
        if (content.size() + static_cast<std::size_t>(in.gcount()) > MaxFileSize)
            throw EInOutError("Cannot open file \"" + path + "\". It is larger than 256 MB");
        content.append(block, static_cast<std::size_t>(in.gcount()));
    }
    if (in.bad())
        throw EInOutError("Cannot read file \"" + path + "\"" + reason());
    return content;
}

#ifndef _WIN32
namespace {
// A temporary name beside the target that nobody can guess or prepare. It is short whatever
// the target's name (a name of the folder's greatest length still has room for it) and
// recognisable as this program's.
std::string temporaryName(const fs::path &target)
{
    // Drawn from the system each time: a forked process must not repeat its parent's names.
    std::random_device random;
    const char digits[] = "0123456789abcdefghijklmnopqrstuvwxyz";
    std::string name = ".tarvelle-";
    for (int i = 0; i < 12; ++i)
        name += digits[random() % 36];
    return (target.parent_path() / (name + ".tmp~")).string();
}

bool writeAll(int fd, std::string_view bytes)
{
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        done += static_cast<std::size_t>(n);
    }
    return true;
}
} // namespace

bool isReadOnlyFile(const std::string &path)
{
    struct stat info = {};
    if (::lstat(toPath(path).c_str(), &info) != 0 || !S_ISREG(info.st_mode))
        return false;
    // No write permission for anyone, or none for this user (root may write anything, but a
    // file nobody may write is meant to stay).
    return (info.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0 ||
           ::access(toPath(path).c_str(), W_OK) != 0;
}

FolderLock::FolderLock(const std::string &folder) : path_(withSeparator(folder) + FolderLockName)
{
    // A lock whose file was removed by the holder between open and flock is no lock: try
    // again on the file now under that name.
    for (int attempt = 0; attempt < 8; ++attempt) {
        fd_ = ::open(path_.c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0600);
        if (fd_ < 0)
            throw EInOutError("Cannot lock folder \"" + folder + "\"" + reason());
        if (::flock(fd_, LOCK_EX | LOCK_NB) != 0) {
            const bool busy = errno == EWOULDBLOCK;
            ::close(fd_);
            fd_ = -1;
            if (!busy) {
                ::unlink(path_.c_str()); // a file system without locks: the save goes on
                return;                  // unguarded, and leaves no file behind
            }
            throw EInOutError("Another save is writing into folder \"" + folder +
                              "\"; try again when it has finished");
        }
        struct stat held = {}, named = {};
        if (::fstat(fd_, &held) == 0 && ::lstat(path_.c_str(), &named) == 0 &&
            held.st_ino == named.st_ino && held.st_dev == named.st_dev)
            return;
        ::close(fd_);
        fd_ = -1;
    }
    throw EInOutError("Cannot lock folder \"" + folder + "\"");
}

FolderLock::~FolderLock()
{
    if (fd_ >= 0) {
        ::unlink(path_.c_str());
        ::close(fd_);
    }
}

int removeLeftoverTemporaries(const std::string &folder)
{
    // A temporary of a write that ended without renaming it (a killed save): this program's
    // name, a regular file, not locked by a write under way, and not changed this second.
    static const std::string prefix = ".tarvelle-", suffix = ".tmp~";
    int removed = 0;
    std::error_code ec;
    for (const fs::directory_entry &entry : fs::directory_iterator(toPath(folder), ec)) {
        const std::string name = entry.path().filename().string();
        if (name.size() != prefix.size() + 12 + suffix.size() || name.rfind(prefix, 0) != 0 ||
            name.compare(name.size() - suffix.size(), suffix.size(), suffix) != 0)
            continue;
        const int fd = ::open(entry.path().c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
        if (fd < 0)
            continue;
        struct stat info = {};
        const bool stale = ::fstat(fd, &info) == 0 && S_ISREG(info.st_mode) &&
                           info.st_mtime < ::time(nullptr) - 1 &&
                           ::flock(fd, LOCK_EX | LOCK_NB) == 0;
        if (stale && ::unlink(entry.path().c_str()) == 0)
            ++removed;
        ::close(fd);
    }
    return removed;
}

void checkTarget(const std::string &path)
{
    const fs::path target = toPath(path);
    if (!readOnlyReplaced() && isReadOnlyFile(path))
        throw EReadOnly("Cannot replace file \"" + path + "\". It is read-only");
    struct stat existing = {};
    // A device, a pipe, a socket or a folder is never replaced by a file: the rename would
    // take the system's node away (as root, /dev/null itself). A link is replaced, never
    // written through.
    if (::lstat(target.c_str(), &existing) == 0 && !S_ISREG(existing.st_mode) &&
        !S_ISLNK(existing.st_mode))
        throw EInOutError("Cannot write file \"" + path + "\". It is not a regular file");
    // The temporary's name is short, so a name the folder cannot hold would only fail at the
    // rename, after the other files of a save had taken their places.
    const fs::path folder = target.has_parent_path() ? target.parent_path() : fs::path(".");
    const long longest = ::pathconf(folder.c_str(), _PC_NAME_MAX);
    const std::string name = target.filename().string();
    if (longest > 0 && name.size() > static_cast<std::size_t>(longest))
        throw EInOutError("Cannot write file \"" + path + "\". Its name is longer than the " +
                          std::to_string(longest) + " bytes a file name may have");
}

FileBatch::FileBatch(Durable durable) : durable_(durable) {}

FileBatch::~FileBatch()
{
    for (const Pending &file : pending_)
        ::unlink(file.temporary.c_str());
}

void FileBatch::add(const std::string &path, const std::function<void(TextOut &)> &write)
{
    checkTarget(path);
    const fs::path target = toPath(path);
    struct stat existing = {};
    const bool keep = ::lstat(target.c_str(), &existing) == 0 && S_ISREG(existing.st_mode);
    // Created exclusively and never through a link, so a link planted under the temporary
    // name cannot redirect the write; the rename then replaces the target itself (a link
    // there is replaced, not written through).
    std::string temporary;
    int fd = -1;
    for (int attempt = 0; attempt < 16 && fd < 0; ++attempt) {
        temporary = temporaryName(target);
        errno = 0;
        fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
        if (fd < 0 && errno != EEXIST)
            break;
    }
    if (fd < 0)
        throw EInOutError("Cannot create file \"" + path + "\"" + reason());
    // Listed at once, so that it goes whatever fails from here on.
    pending_.push_back({path, temporary});
    // Locked while it is written, so that removing leftovers never takes a live one.
    ::flock(fd, LOCK_EX);
    // The new file is the old one to everyone else: same permissions, owner and group (the
    // owner only where the system lets this process give files away).
    if (keep) {
        if (::fchown(fd, existing.st_uid, existing.st_gid) != 0)
            (void)!::fchown(fd, static_cast<uid_t>(-1), existing.st_gid);
        ::fchmod(fd, existing.st_mode & 07777);
    }
    struct Closer
    {
        int fd;
        ~Closer() { ::close(fd); }
    } closer{fd};
    const auto writeFailed = [&] {
        return EInOutError("Cannot write file \"" + path + "\"" + reason());
    };
    TextOut out([&](std::string_view piece) {
        errno = 0;
        if (!writeAll(fd, piece))
            throw writeFailed();
    });
    write(out);
    out.flush();
    errno = 0;
    // Flushed to the disk before it takes the target's place, as a save that survives a
    // power cut needs.
    if (durable_ == Durable::Yes && ::fsync(fd) != 0)
        throw writeFailed();
}

void FileBatch::commit()
{
    std::set<std::string> folders;
    // The renamed ones leave the list at once, the rest stay for the destructor to remove;
    // in one step, as a batch may hold a site's thousands of pages.
    std::size_t renamed = 0;
    const auto forgetRenamed = [&] {
        pending_.erase(pending_.begin(), pending_.begin() + std::ptrdiff_t(renamed));
    };
    for (; renamed < pending_.size(); ++renamed) {
        const Pending &file = pending_[renamed];
        const fs::path target = toPath(file.target);
        errno = 0;
        if (::rename(file.temporary.c_str(), target.c_str()) != 0) {
            const EInOutError error("Cannot replace file \"" + file.target + "\"" + reason());
            forgetRenamed();
            throw error;
        }
        folders.insert(target.has_parent_path() ? target.parent_path().string() : ".");
    }
    forgetRenamed();
    if (durable_ == Durable::No)
        return;
    // And the folders, so the new names themselves are on the disk.
    for (const std::string &folder : folders) {
        const int dir = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (dir >= 0) {
            ::fsync(dir);
            ::close(dir);
        }
    }
}
#else
bool isReadOnlyFile(const std::string &path)
{
    std::error_code ec;
    const fs::perms perms = fs::status(toPath(path), ec).permissions();
    return !ec && fs::is_regular_file(toPath(path), ec) &&
           (perms & fs::perms::owner_write) == fs::perms::none;
}

FolderLock::FolderLock(const std::string &folder) : path_(withSeparator(folder) + FolderLockName) {}

FolderLock::~FolderLock() = default;

int removeLeftoverTemporaries(const std::string &)
{
    return 0;
}

void checkTarget(const std::string &path)
{
    const fs::path target = toPath(path);
    if (!readOnlyReplaced() && isReadOnlyFile(path))
        throw EReadOnly("Cannot replace file \"" + path + "\". It is read-only");
    std::error_code existing;
    const fs::file_status status = fs::symlink_status(target, existing);
    if (!existing && fs::exists(status) && !fs::is_regular_file(status) && !fs::is_symlink(status))
        throw EInOutError("Cannot write file \"" + path + "\". It is not a regular file");
}

FileBatch::FileBatch(Durable durable) : durable_(durable) {}

FileBatch::~FileBatch()
{
    std::error_code ec;
    for (const Pending &file : pending_)
        fs::remove(toPath(file.temporary), ec);
}

void FileBatch::add(const std::string &path, const std::function<void(TextOut &)> &write)
{
    checkTarget(path);
    fs::path temporary = toPath(path);
    temporary += ".tmp~";
    errno = 0;
    std::ofstream file(temporary, std::ios::binary | std::ios::trunc);
    if (!file)
        throw EInOutError("Cannot create file \"" + path + "\"" + reason());
    pending_.push_back({path, temporary.u8string()});
    TextOut out([&file](std::string_view piece) {
        file.write(piece.data(), static_cast<std::streamsize>(piece.size()));
    });
    write(out);
    out.flush();
    file.flush();
    const bool written = file.good();
    const std::string writeReason = reason();
    file.close();
    if (!written || file.fail())
        throw EInOutError("Cannot write file \"" + path + "\"" + writeReason);
}

void FileBatch::commit()
{
    std::size_t renamed = 0;
    for (; renamed < pending_.size(); ++renamed) {
        const Pending &file = pending_[renamed];
        std::error_code ec;
        fs::rename(toPath(file.temporary), toPath(file.target), ec);
        if (ec) {
            const EInOutError error("Cannot replace file \"" + file.target + "\". " + ec.message());
            pending_.erase(pending_.begin(), pending_.begin() + std::ptrdiff_t(renamed));
            throw error;
        }
    }
    pending_.clear();
}

#endif

void writeFileAtomically(const std::string &path, const std::function<void(TextOut &)> &write,
                         Durable durable)
{
    FileBatch batch(durable);
    batch.add(path, write);
    batch.commit();
}

void writeFileAtomically(const std::string &path, const std::string &bytes, Durable durable)
{
    writeFileAtomically(
        path, [&bytes](TextOut &out) { out += bytes; }, durable);
}

bool copyFile(const std::string &from, const std::string &to, Durable durable)
{
    if (from.empty() || to.empty())
        return false;
    std::error_code ec;
    if (!fs::is_regular_file(toPath(from), ec))
        return false;
    try {
        writeFileAtomically(to, readFile(from), durable);
    } catch (const EInOutError &) {
        return false;
    }
    return true;
}

const char *describe(ResourceCheck check)
{
    switch (check) {
    case ResourceCheck::Fine:
        break;
    case ResourceCheck::NotBare:
        return "is not a bare file name";
    case ResourceCheck::LockName:
        return "takes the name of the folder's lock file";
    case ResourceCheck::Missing:
        return "is missing in the project's folder";
    case ResourceCheck::LinkOut:
        return "is a link out of the project's folder";
    case ResourceCheck::NotRegular:
        return "is not a regular file";
    case ResourceCheck::TooLarge:
        return "is larger than 256 MB";
    case ResourceCheck::OutputName:
        return "has the name of a file publishing writes";
    }
    return "";
}

ResourceCheck checkResource(const std::string &folder, const std::string &name)
{
    if (!isBareFileName(name))
        return ResourceCheck::NotBare;
    // A copy under that name would be taken for the lock and removed with it.
    if (name == FolderLockName)
        return ResourceCheck::LockName;
    std::error_code ec;
    const fs::path path = toPath(withSeparator(folder) + name);
    if (!fs::exists(path, ec))
        return ResourceCheck::Missing;
    const fs::path base = fs::weakly_canonical(toPath(folder.empty() ? "." : folder), ec);
    const fs::path source = fs::weakly_canonical(path, ec);
    // Inside the folder: the resolved source lies below the resolved folder.
    const auto mismatch = std::mismatch(base.begin(), base.end(), source.begin(), source.end());
    if (ec || mismatch.first != base.end())
        return ResourceCheck::LinkOut;
    if (!fs::is_regular_file(source, ec))
        return ResourceCheck::NotRegular;
    if (fs::file_size(source, ec) > MaxFileSize || ec)
        return ResourceCheck::TooLarge;
    return ResourceCheck::Fine;
}

std::string resourceProblem(const std::string &folder, const std::string &name)
{
    return describe(checkResource(folder, name));
}

std::string resourceSource(const std::string &folder, const std::string &name)
{
    if (checkResource(folder, name) != ResourceCheck::Fine)
        return std::string();
    std::error_code ec;
    return fs::weakly_canonical(toPath(withSeparator(folder) + name), ec).u8string();
}

bool copyResource(const std::string &folder, const std::string &name, const std::string &target,
                  Durable durable)
{
    const std::string source = resourceSource(folder, name);
    if (source.empty())
        return false;
    writeFileAtomically(target, readFile(source), durable);
    return true;
}

std::string resolveLink(const std::string &path)
{
    std::error_code ec;
    if (!fs::is_symlink(toPath(path), ec))
        return path;
    const fs::path target = fs::canonical(toPath(path), ec);
    return ec ? path : target.u8string();
}

namespace {
std::uint64_t contentHash(const std::string &bytes)
{
    std::uint64_t hash = 14695981039346656037ULL; // FNV-1a
    for (const char c : bytes)
        hash = (hash ^ static_cast<unsigned char>(c)) * 1099511628211ULL;
    return hash;
}

std::optional<FileStamp> statStamp(const std::string &path)
{
    std::error_code ec;
    const fs::path p = toPath(path);
    const std::uintmax_t size = fs::file_size(p, ec);
    if (ec)
        return std::nullopt;
    const auto time = fs::last_write_time(p, ec);
    if (ec)
        return std::nullopt;
    FileStamp stamp;
    stamp.size = size;
    stamp.modified =
        std::chrono::duration_cast<std::chrono::nanoseconds>(time.time_since_epoch()).count();
    return stamp;
}
} // namespace

std::optional<FileStamp> fileStamp(const std::string &path)
{
    std::optional<FileStamp> stamp = statStamp(path);
    if (!stamp)
        return std::nullopt;
    try {
        stamp->hash = contentHash(readFile(path));
    } catch (const EInOutError &) {
        return std::nullopt;
    }
    return stamp;
}

std::optional<FileStamp> fileStamp(const std::string &path, const std::string &content)
{
    std::optional<FileStamp> stamp = statStamp(path);
    if (stamp)
        stamp->hash = contentHash(content);
    return stamp;
}

bool changedSince(const std::string &path, const FileStamp &stamp)
{
    const std::optional<FileStamp> now = statStamp(path);
    if (!now)
        return true;
    if (now->size == stamp.size && now->modified == stamp.modified)
        return false;
    const std::optional<FileStamp> read = fileStamp(path);
    return !read || read->size != stamp.size || read->hash != stamp.hash;
}

std::set<std::string> folderEntries(const std::string &folder)
{
    std::set<std::string> names;
    std::error_code ec;
    for (const fs::directory_entry &entry :
         fs::directory_iterator(toPath(folder.empty() ? "." : folder), ec))
        names.insert(entry.path().filename().u8string());
    return names;
}

bool sameContent(const std::string &a, const std::string &b)
{
    std::error_code ec;
    if (fs::file_size(toPath(a), ec) != fs::file_size(toPath(b), ec) || ec)
        return false;
    try {
        return readFile(a) == readFile(b);
    } catch (const EInOutError &) {
        return false;
    }
}

bool fileExists(const std::string &path)
{
    std::error_code ec;
    return fs::is_regular_file(toPath(path), ec);
}

bool folderExists(const std::string &path)
{
    std::error_code ec;
    return fs::is_directory(toPath(path), ec);
}

void removeFile(const std::string &path)
{
    std::error_code ec;
    if (fs::is_regular_file(toPath(path), ec))
        fs::remove(toPath(path), ec);
}

void createFolder(const std::string &path)
{
#ifdef _WIN32
    std::error_code ec;
    fs::create_directory(toPath(path), ec);
#else
    ::mkdir(toPath(path).c_str(), 0700);
#endif
}

void removeEmptyFolder(const std::string &path)
{
    std::error_code ec;
    if (fs::is_directory(toPath(path), ec) && fs::is_empty(toPath(path), ec))
        fs::remove(toPath(path), ec);
}

#ifndef _WIN32
namespace {
// Empties the folder open as fd and closes it, one name at a time relative to it, so that no
// path is looked up again: a folder swapped for a link meanwhile cannot redirect the removal.
bool emptyFolderAt(int fd, int depth)
{
    DIR *folder = ::fdopendir(fd);
    if (!folder) {
        ::close(fd);
        return false;
    }
    bool whole = true;
    std::vector<std::string> names;
    while (const dirent *entry = ::readdir(folder)) {
        const std::string name = entry->d_name;
        if (name != "." && name != "..")
            names.push_back(name);
    }
    for (const std::string &name : names) {
        struct stat info = {};
        if (::fstatat(fd, name.c_str(), &info, AT_SYMLINK_NOFOLLOW) != 0)
            continue;
        if (S_ISDIR(info.st_mode)) {
            const int inner = depth < 64 ? ::openat(fd, name.c_str(),
                                                    O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC)
                                         : -1;
            whole = inner >= 0 && emptyFolderAt(inner, depth + 1) &&
                    ::unlinkat(fd, name.c_str(), AT_REMOVEDIR) == 0 && whole;
        } else {
            whole = ::unlinkat(fd, name.c_str(), 0) == 0 && whole;
        }
    }
    ::closedir(folder);
    return whole;
}
} // namespace

bool removeFolderTree(const std::string &path)
{
    const int fd = ::open(toPath(path).c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0)
        return false;
    return emptyFolderAt(fd, 0) && ::rmdir(toPath(path).c_str()) == 0;
}
#else
bool removeFolderTree(const std::string &path)
{
    // Links are removed, not followed.
    std::error_code ec;
    if (!fs::is_directory(fs::symlink_status(toPath(path), ec)))
        return false;
    fs::remove_all(toPath(path), ec);
    return !ec;
}
#endif

std::string fileNamePart(const std::string &path)
{
    for (std::size_t i = path.size(); i > 0; --i) {
        if (isSeparator(path[i - 1]))
            return path.substr(i);
    }
    return path;
}

std::string folderPart(const std::string &path)
{
    return path.substr(0, path.size() - fileNamePart(path).size());
}

bool isBareFileName(const std::string &name)
{
    if (name.empty() || name == "." || name == "..")
        return false;
    return name.find_first_of("/\\:") == std::string::npos && name.find('\0') == std::string::npos;
}

void failOversizedWritesQuietly()
{
#ifdef SIGXFSZ
    std::signal(SIGXFSZ, SIG_IGN);
#endif
}

char separator()
{
#ifdef _WIN32
    return '\\';
#else
    return '/';
#endif
}

std::string withSeparator(const std::string &folder)
{
    if (folder.empty() || isSeparator(folder.back()))
        return folder;
    return folder + separator();
}

std::string dataFolderFor(const std::string &executableFolder)
{
    const std::string here = withSeparator(executableFolder);
    if (fileExists(here + "zorvex.js"))
        return here;
    const std::string shared = withSeparator(folderPart(here.substr(0, here.size() - 1))) +
                               "share" + separator() + "tarvelle" + separator();
    return fileExists(shared + "zorvex.js") ? shared : here;
}

} // namespace fsx
