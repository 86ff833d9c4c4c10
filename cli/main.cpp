#include "cli/BatchTool.h"
#include "document/FileSystem.h"

#include <filesystem>
#include <iostream>

namespace {
// The folder of the running executable's data (the web runtime and the applet files).
std::string programFolder(const char *argv0)
{
    std::error_code ec;
    std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (ec)
        exe = std::filesystem::absolute(argv0, ec);
    return fsx::dataFolderFor(exe.parent_path().string());
}
} // namespace

int main(int argc, char **argv)
{
    std::ios::sync_with_stdio(false);
    fsx::failOversizedWritesQuietly();
    const std::vector<std::string> args(argv + 1, argv + argc);
    return runBatchTool(args, programFolder(argv[0]), std::cout, std::cerr);
}
