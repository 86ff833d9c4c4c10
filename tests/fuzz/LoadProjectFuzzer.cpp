// Any bytes as a project file: the load never crashes, hangs or leaks, and a file that loads
// saves and loads back to the same document.

#include "document/MemoryTree.h"
#include "document/MenuDocument.h"
#include "document/ProjectFile.h"
#include "tests/fuzz/FuzzSupport.h"

#include <stdexcept>
#include <vector>

namespace {
std::vector<std::string> outline(const ItemTree &tree)
{
    std::vector<std::string> lines;
    for (const PreOrderEntry &entry : preOrderEntries(tree))
        lines.push_back(std::to_string(entry.level) + ":" + tree.caption(entry.node));
    return lines;
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::string bytes(reinterpret_cast<const char *>(data), size);
    MenuDocument doc;
    doc.resetToDefaults();
    MemoryTree tree;
    tree.addChild(nullptr, "Tarvelle");
    try {
        ProjectReader(doc).read(bytes, tree);
    } catch (const std::runtime_error &) {
        // A clear error; the document must be as it was.
        fuzzCheck(outline(tree) == std::vector<std::string>{"0:Tarvelle"},
                  "a failed load changed the tree");
        fuzzCheck(doc.itemCount() == 0, "a failed load changed the items");
        return 0;
    }
    fuzzCheck(tree.root() != nullptr, "the tree lost its root");
    fuzzCheck(doc.itemCount() == tree.nodeCount() - 1, "the item list does not match the tree");

    const std::string saved = ProjectWriter(doc, tree).text();
    MenuDocument again;
    MemoryTree againTree;
    ProjectReader(again).read(saved, againTree);
    fuzzCheck(outline(againTree) == outline(tree), "the tree did not come back");
    fuzzCheck(again.appletData() == doc.appletData(), "the settings did not come back");
    fuzzCheck(again.items() == doc.items(), "the items did not come back");
    fuzzCheck(ProjectWriter(again, againTree).text() == saved, "the second save differs");
    return 0;
}
