// Document core throughput on large menus, beside a reference that writes and reads the same
// bytes with one plain buffered stream.
//
//   build/bench-bin/tarvelle_core_bench

#include "bench/MenuShape.h"
#include "document/HtmlWriter.h"
#include "document/MemoryTree.h"
#include "document/MenuDocument.h"
#include "document/MenuStructure.h"
#include "document/ProjectFile.h"

#include <benchmark/benchmark.h>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <sstream>

namespace {
struct Menu
{
    MenuDocument doc;
    MemoryTree tree;

    explicit Menu(int items)
    {
        buildMenu(doc, tree, items);
        NullProgress progress;
        numberMenuStructure(tree, doc.items(), progress);
    }
};

Menu &menu(int items)
{
    static std::map<int, std::unique_ptr<Menu>> menus;
    auto &slot = menus[items];
    if (!slot)
        slot = std::make_unique<Menu>(items);
    return *slot;
}

std::string scratchFile()
{
    return (std::filesystem::temp_directory_path() / "tarvelle-bench.tvl").string();
}

void BM_SaveProject(benchmark::State &state)
{
    Menu &m = menu(static_cast<int>(state.range(0)));
    const std::string file = scratchFile();
    for (auto _ : state)
        ProjectWriter(m.doc, m.tree).save(file);
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

void BM_LoadProject(benchmark::State &state)
{
    Menu &m = menu(static_cast<int>(state.range(0)));
    const std::string file = scratchFile();
    ProjectWriter(m.doc, m.tree).save(file);
    MenuDocument doc;
    MemoryTree tree;
    for (auto _ : state)
        ProjectReader(doc).load(file, tree);
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

void BM_GenerateHTML(benchmark::State &state)
{
    Menu &m = menu(static_cast<int>(state.range(0)));
    const std::string file = scratchFile() + ".html";
    for (auto _ : state)
        HtmlWriter(m.doc).save(file);
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

void BM_NumberMenuStructure(benchmark::State &state)
{
    Menu &m = menu(static_cast<int>(state.range(0)));
    NullProgress progress;
    for (auto _ : state)
        numberMenuStructure(m.tree, m.doc.items(), progress);
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

// Reference: the same project bytes written line by line and read back line by line.
void BM_ReferenceWrite(benchmark::State &state)
{
    Menu &m = menu(static_cast<int>(state.range(0)));
    const std::string text = ProjectWriter(m.doc, m.tree).text();
    const std::string file = scratchFile() + ".ref";
    for (auto _ : state) {
        std::ofstream out(file, std::ios::binary);
        std::istringstream lines(text);
        for (std::string line; std::getline(lines, line);)
            out << line << '\n';
    }
}

void BM_ReferenceRead(benchmark::State &state)
{
    Menu &m = menu(static_cast<int>(state.range(0)));
    const std::string file = scratchFile() + ".ref";
    {
        std::ofstream out(file, std::ios::binary);
        out << ProjectWriter(m.doc, m.tree).text();
    }
    for (auto _ : state) {
        std::ifstream in(file, std::ios::binary);
        std::vector<std::string> lines;
        for (std::string line; std::getline(in, line);)
            lines.push_back(line);
        benchmark::DoNotOptimize(lines.data());
    }
}

#define SIZES ->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond)
BENCHMARK(BM_SaveProject) SIZES;
BENCHMARK(BM_LoadProject) SIZES;
BENCHMARK(BM_GenerateHTML) SIZES;
BENCHMARK(BM_NumberMenuStructure) SIZES;
BENCHMARK(BM_ReferenceWrite) SIZES;
BENCHMARK(BM_ReferenceRead) SIZES;
} // namespace

BENCHMARK_MAIN();
