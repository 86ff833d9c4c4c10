#pragma once

#include "document/ItemData.h"
#include "document/ItemTree.h"
#include "document/TextOut.h"

#include <functional>
#include <string>
#include <string_view>

class MenuDocument;

// How one page of a site reaches the menu: each link's address as written in that page, and
// the page's own item (-1 for none), whose link is the current page.
struct PageLinks
{
    std::function<std::string(std::string_view)> address; // unset: the addresses as stored
    int currentItem = -1;

    std::string operator()(std::string_view url) const
    {
        return address ? address(url) : std::string(url);
    }
};

// The menu as plain nested lists of links, as the saved page carries it for visitors without
// scripts; parents as itemParents gives them.
void writeNoScriptMenu(TextOut &out, const ItemList &items, const std::vector<int> &parents,
                       const PageLinks &links = {});

// The HTML that embeds a document's menu: the fragment, one applet tag whose parameters carry
// the settings in "app" and every item in parameters of its own, CR LF after every line; and
// the page a save writes.
class HtmlWriter
{
public:
    explicit HtmlWriter(const MenuDocument &document) : document_(document) {}

    void write(TextOut &out) const;
    std::string fragment() const;
    // Writes the fragment in place of fileName only once it is complete.
    void save(const std::string &fileName) const;
    // The page a save writes: the fragment alone without the web runtime; with it, a whole
    // HTML5 document titled with the project's name, carrying the menu also as plain lists
    // inside the applet element (for visitors without scripts) and loading the runtime.
    void writeSavedPage(TextOut &out, const std::string &title, const ItemTree &tree) const;
    // The menu as a page of a site carries it: the applet element with the plain lists, its
    // links as that page reaches them, and the line loading the runtime from scriptPath.
    void writeSiteMenu(TextOut &out, const std::vector<int> &parents, const PageLinks &links,
                       const std::string &scriptPath) const;

private:
    // The applet element from its start tag to its last parameter.
    void writeAppletElement(TextOut &out, const PageLinks &links = {}) const;
    void writePlaceholder(TextOut &out, const std::vector<int> &parents,
                          const PageLinks &links) const;

    const MenuDocument &document_;
};
