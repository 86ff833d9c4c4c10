#pragma once

#include <iosfwd>
#include <string>
#include <vector>

// The batch tool: loads a project as the editor opens it, applies the store rules and the
// menu numbering, then writes the HTML, a publishable folder or the report, or checks the
// project. Returns the process exit status.
int runBatchTool(const std::vector<std::string> &args, const std::string &programFolder,
                 std::ostream &out, std::ostream &err);

namespace ExitCode {
constexpr int Ok = 0;
constexpr int Problems = 1;
constexpr int LoadFailed = 2;
constexpr int Usage = 64;
} // namespace ExitCode
