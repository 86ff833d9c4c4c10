#pragma once

#include "document/ItemTree.h"
#include "document/TextOut.h"

#include <string>

class MenuDocument;

// Writes a document and the tree of its items as a project file: note lines, the General,
// Structure, Applet Parameter and Item Parameter sections and, when the menu has look
// settings, the Look section; CR LF after every line. What its
// reader would refuse (too large, too deep, too long a line) is never written.
class ProjectWriter
{
public:
    ProjectWriter(const MenuDocument &document, const ItemTree &tree)
        : document_(document), tree_(tree)
    {}

    void write(TextOut &out) const;
    std::string text() const;
    // Writes the file in place of fileName only once it is complete.
    void save(const std::string &fileName) const;

private:
    const MenuDocument &document_;
    const ItemTree &tree_;
};

// Reads a project file into a document and the tree of its items. A file without a complete
// structure, settings and records raises ENotAProject and changes nothing.
class ProjectReader
{
public:
    explicit ProjectReader(MenuDocument &document) : document_(document) {}

    void load(const std::string &fileName, ItemTree &tree);
    void read(const std::string &bytes, ItemTree &tree);
    // The item count line of the file last read, as written; empty when it had none.
    const std::string &announcedItemCount() const { return announcedItemCount_; }

private:
    MenuDocument &document_;
    std::string announcedItemCount_;
};
