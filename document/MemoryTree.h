#pragma once

#include "document/ItemTree.h"

#include <memory>

// A plain in-memory item tree for tests and the batch tool.
class MemoryTree : public ItemTree
{
public:
    MemoryTree() = default;
    MemoryTree(const MemoryTree &) = delete;
    MemoryTree &operator=(const MemoryTree &) = delete;

    Node root() const override;
    Node parent(Node node) const override;
    int childCount(Node node) const override;
    Node child(Node node, int index) const override;
    std::string caption(Node node) const override;
    void clear() override;
    Node addChild(Node parent, const std::string &caption) override;

    // Editing operations the editor performs on its own tree view.
    // Inserts a node as child number index of parent (index clamped to the child count).
    Node insertChild(Node parent, int index, const std::string &caption);
    void remove(Node node);

private:
    struct Item
    {
        std::string caption;
        Item *parent = nullptr;
        std::vector<std::unique_ptr<Item>> children;
    };
    static Item *item(Node node) { return static_cast<Item *>(node); }

    std::unique_ptr<Item> root_;
};
