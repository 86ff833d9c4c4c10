// Time from process start to the main window shown (offscreen), without and with a project
// of 10,000 items named on the command line:
//   build/bench-bin/tarvelle_startup_bench

#include "bench/MenuShape.h"
#include "document/MemoryTree.h"
#include "document/MenuDocument.h"
#include "document/ProjectFile.h"

#include <benchmark/benchmark.h>
#include <cstdlib>
#include <filesystem>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char **environ;

namespace {
std::string probe;
std::string largeProject;

void run(benchmark::State &state, const std::vector<std::string> &args)
{
    std::vector<char *> argv{const_cast<char *>(probe.c_str())};
    for (const std::string &arg : args)
        argv.push_back(const_cast<char *>(arg.c_str()));
    argv.push_back(nullptr);
    for (auto _ : state) {
        pid_t child = 0;
        if (posix_spawn(&child, probe.c_str(), nullptr, nullptr, argv.data(), environ) != 0) {
            state.SkipWithError("cannot start the probe");
            return;
        }
        int status = 0;
        waitpid(child, &status, 0);
        if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
            state.SkipWithError("the probe failed");
            return;
        }
    }
}

void BM_StartToWindowShown(benchmark::State &state)
{
    run(state, {});
}
void BM_StartAndOpen10000Items(benchmark::State &state)
{
    run(state, {largeProject});
}

BENCHMARK(BM_StartToWindowShown)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_StartAndOpen10000Items)->Unit(benchmark::kMillisecond)->UseRealTime();
} // namespace

int main(int argc, char **argv)
{
    const auto here = std::filesystem::canonical("/proc/self/exe").parent_path();
    probe = (here / "tarvelle_startup_probe").string();
    const auto scratch = std::filesystem::temp_directory_path() / "tarvelle-startup-bench";
    std::filesystem::create_directories(scratch);
    // The probe writes the file association and the recent list: keep them out of the user's.
    setenv("XDG_CONFIG_HOME", scratch.c_str(), 1);
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    MenuDocument doc;
    MemoryTree tree;
    buildMenu(doc, tree, 10000);
    largeProject = (scratch / "large.tvl").string();
    ProjectWriter(doc, tree).save(largeProject);

    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
