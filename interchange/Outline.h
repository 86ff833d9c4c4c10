#pragma once

#include "document/ItemTree.h"
#include "document/MenuDocument.h"

#include <string>
#include <vector>

// A menu as another program's data describes it: captions, links, targets, status texts and
// the nesting, without Tarvelle's look. Importers make one; the project is built from it.
struct OutlineItem
{
    std::string caption;
    std::string url;
    std::string target;
    std::string statusText;
    bool separator = false;
    std::vector<OutlineItem> children;
};
using Outline = std::vector<OutlineItem>;

// What an importer could not take over, each with where and why; the import goes on.
using LeftOut = std::vector<std::string>;

// Every format's parser stops at the depth a project holds, before the nesting can hurt.
void requireDepth(int level, const std::string &where);

// A file name's extension in lower case ("Menu.TOML" gives "toml"); empty without one.
std::string lowerExtension(const std::string &fileName);

// One line of text: blanks (line breaks, tabs, runs of them) collapsed into one, trimmed.
std::string collapseBlanks(std::string_view text);

// The project of an outline: a new menu's look and an item per entry. An entry that has both
// a link and children keeps its children, and its link goes to a first child of the same
// caption, as an item that opens a popup follows no link.
void buildProject(Outline outline, MenuDocument &document, ItemTree &tree);

// The outline of a project's items (separators as such), for the exports.
Outline outlineOf(const MenuDocument &document, const ItemTree &tree);
