#pragma once

#include <string>
#include <vector>

// The menu's shape, as the document sees it: one root node (the applet, no item record)
// and captioned item nodes below it. The editor implements it over its tree view; tests
// and the batch tool use MemoryTree.
//
// Nodes are opaque handles owned by the tree; nullptr stands for "no node".
class ItemTree
{
public:
    using Node = void *;

    virtual ~ItemTree() = default;

    virtual Node root() const = 0;
    virtual Node parent(Node node) const = 0;
    virtual int childCount(Node node) const = 0;
    virtual Node child(Node node, int index) const = 0;
    virtual std::string caption(Node node) const = 0;

    // Removes every node, the root included.
    virtual void clear() = 0;
    // Adds a node as the last child of parent; with a null parent the node becomes the root
    // of an empty tree.
    virtual Node addChild(Node parent, const std::string &caption) = 0;

    // Every node in pre-order, the root first; empty for an empty tree.
    std::vector<Node> preOrder() const;
    int nodeCount() const { return static_cast<int>(preOrder().size()); }
};

// A node of the pre-order walk with what the document needs to know about it.
struct PreOrderEntry
{
    ItemTree::Node node;
    int level; // root 0, first-level items 1, ...
    int childCount;
    int parentIndex; // index of the parent entry in the walk; -1 for the root
};

// The pre-order walk with levels and parents, in time linear in the number of nodes.
std::vector<PreOrderEntry> preOrderEntries(const ItemTree &tree);
