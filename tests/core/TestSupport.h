#pragma once

#include "document/MemoryTree.h"
#include "document/MenuDocument.h"

#include <string>
#include <vector>

// Builds a tree from an outline: one entry per node in pre-order, the caption prefixed by one
// '>' per level below the root ("Tarvelle", ">Home", ">Products", ">>A").
void buildTree(MemoryTree &tree, const std::vector<std::string> &outline);

// A document with defaults and one new item per item node, captioned after its node.
void fillItemsFromTree(MenuDocument &doc, const ItemTree &tree);

// The worked example of the generator and the project file: Home links index.html; Products
// holds A (a.html, _blank) and B, which holds B1 (b1.html); numbered as before a save.
void makeExample(MenuDocument &doc, MemoryTree &tree);

// The outline of a tree, the inverse of buildTree.
std::vector<std::string> outlineOf(const ItemTree &tree);

// The page a save writes, gathered from the pieces it is handed on in.
std::string savedPage(const MenuDocument &doc, const std::string &title, const ItemTree &tree);

// A fresh, empty folder under the system's temporary folder, removed on destruction.
class TempFolder
{
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder &) = delete;
    TempFolder &operator=(const TempFolder &) = delete;

    // The folder with a trailing separator.
    const std::string &path() const { return path_; }
    std::string file(const std::string &name) const { return path_ + name; }

private:
    std::string path_;
};

std::string readBytes(const std::string &path);
// The lines of a text whose every line ends with CR LF; a text that does not end so fails
// the calling test.
std::vector<std::string> crlfLines(const std::string &text);
void writeBytes(const std::string &path, const std::string &bytes);

// Records every call made to the progress display.
class RecordingProgress : public ProgressDisplay
{
public:
    int minimum() const override { return minimumValue; }
    void setMaximum(int value) override { maximums.push_back(value); }
    void step(int by) override { steps += by; }
    void setPosition(int value) override { position = value; }
    void setText(const std::string &value) override { texts.push_back(value); }

    int minimumValue = 0;
    std::vector<int> maximums;
    long long steps = 0;
    int position = -1;
    std::vector<std::string> texts;
};

// Counts the bytes allocated with operator new on this thread while one lives: a measure of
// how memory grows with the input that does not depend on the machine's speed.
class AllocationCounter
{
public:
    AllocationCounter();
    ~AllocationCounter();
    AllocationCounter(const AllocationCounter &) = delete;
    AllocationCounter &operator=(const AllocationCounter &) = delete;
    std::size_t bytes() const { return bytes_; }

private:
    std::size_t bytes_ = 0;
    std::size_t *outer_;
};
