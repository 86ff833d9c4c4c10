#include "TestSupport.h"

#include "document/HtmlWriter.h"
#include "document/MenuStructure.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <new>
#include <random>
#include <sstream>

void buildTree(MemoryTree &tree, const std::vector<std::string> &outline)
{
    tree.clear();
    std::vector<ItemTree::Node> ancestors;
    for (const std::string &entry : outline) {
        const std::size_t depth = entry.find_first_not_of('>');
        const std::string caption = entry.substr(depth);
        ItemTree::Node parent = depth == 0 ? nullptr : ancestors[depth - 1];
        ancestors.resize(depth);
        ancestors.push_back(tree.addChild(parent, caption));
    }
}

void fillItemsFromTree(MenuDocument &doc, const ItemTree &tree)
{
    doc.resetToDefaults();
    const auto nodes = tree.preOrder();
    for (std::size_t k = 1; k < nodes.size(); ++k) {
        ItemRecord item = doc.newItem();
        item.set(ItemField::ItemCaption, tree.caption(nodes[k]));
        doc.insertItem(static_cast<int>(k - 1), item);
    }
}

std::vector<std::string> outlineOf(const ItemTree &tree)
{
    std::vector<std::string> outline;
    for (const PreOrderEntry &entry : preOrderEntries(tree))
        outline.push_back(std::string(static_cast<std::size_t>(entry.level), '>') +
                          tree.caption(entry.node));
    return outline;
}

TempFolder::TempFolder()
{
    std::random_device random;
    const auto base = std::filesystem::temp_directory_path();
    std::filesystem::path folder;
    do {
        folder = base / ("tarvelle-test-" + std::to_string(random()));
    } while (!std::filesystem::create_directory(folder));
    path_ = folder.string() + "/";
}

TempFolder::~TempFolder()
{
    std::error_code ec;
    std::filesystem::permissions(path_, std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::add, ec);
    std::filesystem::remove_all(path_, ec);
}

std::string readBytes(const std::string &path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream content;
    content << in.rdbuf();
    return content.str();
}

void writeBytes(const std::string &path, const std::string &bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << bytes;
}

std::vector<std::string> crlfLines(const std::string &text)
{
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t at = text.find("\r\n"); at != std::string::npos;
         at = text.find("\r\n", start)) {
        lines.push_back(text.substr(start, at - start));
        start = at + 2;
    }
    EXPECT_EQ(start, text.size()) << "the text does not end with CR LF";
    return lines;
}

// The worked example: Home links index.html; Products holds A (a.html, _blank) and B, which
// holds B1 (b1.html). Numbered as before a save.
void makeExample(MenuDocument &doc, MemoryTree &tree)
{
    buildTree(tree, {"Tarvelle", ">Home", ">Products", ">>A", ">>B", ">>>B1"});
    fillItemsFromTree(doc, tree);
    auto &items = doc.items();
    items[0].set(ItemField::ItemURL, "index.html");
    items[2].set(ItemField::ItemURL, "a.html");
    items[2].set(ItemField::ItemTarget, "_blank");
    items[4].set(ItemField::ItemURL, "b1.html");
    NullProgress progress;
    numberMenuStructure(tree, items, progress);
}

std::string savedPage(const MenuDocument &doc, const std::string &title, const ItemTree &tree)
{
    std::string text;
    TextOut out([&text](std::string_view piece) { text += piece; });
    HtmlWriter(doc).writeSavedPage(out, title, tree);
    out.flush();
    return text;
}

namespace {
thread_local std::size_t *allocationCount = nullptr;

void *allocate(std::size_t size)
{
    if (allocationCount)
        *allocationCount += size;
    if (void *block = std::malloc(size ? size : 1))
        return block;
    throw std::bad_alloc();
}
} // namespace

AllocationCounter::AllocationCounter() : outer_(allocationCount)
{
    allocationCount = &bytes_;
}

AllocationCounter::~AllocationCounter()
{
    allocationCount = outer_;
}

void *operator new(std::size_t size)
{
    return allocate(size);
}

void *operator new[](std::size_t size)
{
    return allocate(size);
}

void operator delete(void *block) noexcept
{
    std::free(block);
}

void operator delete[](void *block) noexcept
{
    std::free(block);
}

void operator delete(void *block, std::size_t) noexcept
{
    std::free(block);
}

void operator delete[](void *block, std::size_t) noexcept
{
    std::free(block);
}

// The library's temporary buffers (std::stable_sort's) come from the nothrow forms: they must
// take the same heap as the delete above.
void *operator new(std::size_t size, const std::nothrow_t &) noexcept
{
    try {
        return allocate(size);
    } catch (const std::bad_alloc &) {
        return nullptr;
    }
}

void *operator new[](std::size_t size, const std::nothrow_t &) noexcept
{
    try {
        return allocate(size);
    } catch (const std::bad_alloc &) {
        return nullptr;
    }
}

void operator delete(void *block, const std::nothrow_t &) noexcept
{
    std::free(block);
}

void operator delete[](void *block, const std::nothrow_t &) noexcept
{
    std::free(block);
}
