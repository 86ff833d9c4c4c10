#pragma once

#include <string>

// File access for the document core, with the error rules the document needs: reading and
// writing raise EInOutError, copies and folder changes fail silently.
namespace fsx {

// The whole file; EInOutError("File not found") for a missing file, EInOutError otherwise,
// also for anything but a regular file and for a file larger than MaxFileSize.
constexpr unsigned long long MaxFileSize = 256ULL * 1024 * 1024;
std::string readFile(const std::string &path);

// Writes the file whole through a temporary file in the same folder that is renamed over the
// target only when complete, so a failure leaves the previous file as it was.
void writeFileAtomically(const std::string &path, const std::string &bytes);

// Removes what writes that never finished (a killed save) left in a folder: the temporary
// files of this program that no write under way holds. Returns how many.
int removeLeftoverTemporaries(const std::string &folder);

// Copies a file over the target (through a temporary file, as every write); returns false on
// any failure.
bool copyFile(const std::string &from, const std::string &to);
// Why the file name in folder cannot be published ("is missing in the project's folder", ...);
// empty when it can: a bare name of a regular file inside that folder (a link only when it
// leads inside it) within the file-size limit.
std::string resourceProblem(const std::string &folder, const std::string &name);
// Copies the file name from folder to target when resourceProblem finds none; false when it
// finds one. A failure while writing raises EInOutError and leaves the previous target.
bool copyResource(const std::string &folder, const std::string &name, const std::string &target);
bool fileExists(const std::string &path);
bool folderExists(const std::string &path);
void removeFile(const std::string &path);
void createFolder(const std::string &path);
void removeEmptyFolder(const std::string &path);

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
