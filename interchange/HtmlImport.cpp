// A menu from a page: the first nav element's outermost list, the element with a given id, or
// the outermost list holding the most links. WordPress menus, Bootstrap navbars and plain
// nested lists all keep their order and nesting.

#include "interchange/Formats.h"
#include "interchange/Interchange.h"

#include <cstring>
#include <gumbo.h>
#include <memory>

using interchange::EImportError;

namespace {
using Output = std::unique_ptr<GumboOutput, void (*)(GumboOutput *)>;

Output parse(const std::string &content)
{
    return Output(gumbo_parse_with_options(&kGumboDefaultOptions, content.data(), content.size()),
                  [](GumboOutput *output) { gumbo_destroy_output(&kGumboDefaultOptions, output); });
}

bool isElement(const GumboNode *node, GumboTag tag)
{
    return node->type == GUMBO_NODE_ELEMENT && node->v.element.tag == tag;
}

bool isList(const GumboNode *node)
{
    return isElement(node, GUMBO_TAG_UL) || isElement(node, GUMBO_TAG_OL);
}

std::string attribute(const GumboNode *node, const char *name)
{
    if (node->type != GUMBO_NODE_ELEMENT)
        return std::string();
    const GumboAttribute *found = gumbo_get_attribute(&node->v.element.attributes, name);
    return found ? found->value : std::string();
}

bool hasClass(const GumboNode *node, const char *name)
{
    const std::string classes = " " + collapseBlanks(attribute(node, "class")) + " ";
    return classes.find(" " + std::string(name) + " ") != std::string::npos;
}

const GumboVector &children(const GumboNode *node)
{
    static const GumboVector none = {nullptr, 0, 0};
    return node->type == GUMBO_NODE_ELEMENT || node->type == GUMBO_NODE_DOCUMENT
               ? (node->type == GUMBO_NODE_ELEMENT ? node->v.element.children
                                                   : node->v.document.children)
               : none;
}

template <class Visit> void forEachChild(const GumboNode *node, Visit visit)
{
    const GumboVector &list = children(node);
    for (unsigned int i = 0; i < list.length; ++i)
        visit(static_cast<const GumboNode *>(list.data[i]));
}

// The first node in document order (outermost first along each path) that matches, without
// looking inside matches; an explicit stack, as pages nest deeply.
template <class Match> const GumboNode *findFirst(const GumboNode *from, Match match)
{
    std::vector<const GumboNode *> pending{from};
    while (!pending.empty()) {
        const GumboNode *node = pending.back();
        pending.pop_back();
        if (node != from && match(node))
            return node;
        const GumboVector &list = children(node);
        for (unsigned int i = list.length; i-- > 0;)
            pending.push_back(static_cast<const GumboNode *>(list.data[i]));
    }
    return nullptr;
}

// Every node below from that matches, outermost only.
template <class Match>
std::vector<const GumboNode *> findOutermost(const GumboNode *from, Match match)
{
    std::vector<const GumboNode *> found, pending{from};
    while (!pending.empty()) {
        const GumboNode *node = pending.back();
        pending.pop_back();
        if (node != from && match(node)) {
            found.push_back(node);
            continue;
        }
        const GumboVector &list = children(node);
        for (unsigned int i = list.length; i-- > 0;)
            pending.push_back(static_cast<const GumboNode *>(list.data[i]));
    }
    return found;
}

std::size_t countLinks(const GumboNode *from)
{
    std::size_t links = 0;
    std::vector<const GumboNode *> pending{from};
    while (!pending.empty()) {
        const GumboNode *node = pending.back();
        pending.pop_back();
        if (isElement(node, GUMBO_TAG_A) && !attribute(node, "href").empty())
            ++links;
        const GumboVector &list = children(node);
        for (unsigned int i = 0; i < list.length; ++i)
            pending.push_back(static_cast<const GumboNode *>(list.data[i]));
    }
    return links;
}

// The text a node shows, lists below it left out.
void appendText(const GumboNode *node, std::string &text)
{
    std::vector<const GumboNode *> pending{node};
    while (!pending.empty()) {
        const GumboNode *next = pending.back();
        pending.pop_back();
        if (next->type == GUMBO_NODE_TEXT || next->type == GUMBO_NODE_WHITESPACE ||
            next->type == GUMBO_NODE_CDATA) {
            text += next->v.text.text;
            text += ' ';
            continue;
        }
        if (isList(next) || isElement(next, GUMBO_TAG_SCRIPT) || isElement(next, GUMBO_TAG_STYLE))
            continue;
        const GumboVector &list = children(next);
        for (unsigned int i = list.length; i-- > 0;)
            pending.push_back(static_cast<const GumboNode *>(list.data[i]));
    }
}

std::string shownText(const GumboNode *node)
{
    std::string text;
    appendText(node, text);
    return collapseBlanks(text);
}

bool isSeparator(const GumboNode *node)
{
    if (isElement(node, GUMBO_TAG_HR) || attribute(node, "role") == "separator" ||
        hasClass(node, "divider") || hasClass(node, "dropdown-divider"))
        return true;
    // A list entry that holds only a rule (Bootstrap's <li><hr class="dropdown-divider"></li>).
    if (!isElement(node, GUMBO_TAG_LI) || !shownText(node).empty())
        return false;
    bool rule = false;
    forEachChild(node, [&rule](const GumboNode *child) { rule = rule || isSeparator(child); });
    return rule;
}

// A toggle's address that leads nowhere of its own.
bool isToggleAddress(const std::string &href)
{
    const std::string address = collapseBlanks(href);
    return address.empty() || address == "#" || address.rfind("javascript:", 0) == 0;
}

class ListReader
{
public:
    explicit ListReader(LeftOut &leftOut) : leftOut_(leftOut) {}

    Outline read(const GumboNode *list, int level)
    {
        requireDepth(level, "the list nesting");
        Outline items;
        forEachChild(list, [&](const GumboNode *child) {
            if (isSeparator(child)) {
                if (level > 1)
                    items.push_back(separator());
                else
                    leftOut_.push_back("a separator at the first level (the menu bar has none)");
                return;
            }
            if (isElement(child, GUMBO_TAG_LI))
                readEntry(child, level, items);
        });
        return items;
    }

private:
    static OutlineItem separator()
    {
        OutlineItem item;
        item.separator = true;
        return item;
    }

    void readEntry(const GumboNode *entry, int level, Outline &items)
    {
        OutlineItem item;
        const GumboNode *sublist = findFirst(entry, [](const GumboNode *n) { return isList(n); });
        const GumboNode *link = findFirst(
            entry, [](const GumboNode *n) { return isElement(n, GUMBO_TAG_A) || isList(n); });
        if (link && isList(link))
            link = nullptr; // the entry's own link comes before its list
        item.caption = link ? shownText(link) : shownText(entry);
        if (item.caption.empty())
            item.caption = shownText(entry);
        if (link) {
            const std::string href = attribute(link, "href");
            item.url = sublist && isToggleAddress(href) ? std::string() : href;
            item.target = attribute(link, "target");
            item.statusText = collapseBlanks(attribute(link, "title"));
        }
        if (sublist)
            item.children = read(sublist, level + 1);
        if (item.caption.empty() && item.children.empty())
            return; // an empty entry shows nothing
        items.push_back(std::move(item));
    }

    LeftOut &leftOut_;
};

const GumboNode *elementById(const GumboNode *root, const std::string &id)
{
    return findFirst(root, [&id](const GumboNode *n) {
        return n->type == GUMBO_NODE_ELEMENT && attribute(n, "id") == id;
    });
}

const GumboNode *menuList(const GumboNode *root, const std::string &elementId)
{
    const auto outermostList = [](const GumboNode *from) {
        return isList(from) ? from : findFirst(from, [](const GumboNode *n) { return isList(n); });
    };
    if (!elementId.empty()) {
        const GumboNode *element = elementById(root, elementId);
        if (!element)
            throw EImportError("no element has the id \"" + elementId + "\"");
        const GumboNode *list = outermostList(element);
        if (!list)
            throw EImportError("the element \"" + elementId + "\" holds no list");
        return list;
    }
    if (const GumboNode *nav =
            findFirst(root, [](const GumboNode *n) { return isElement(n, GUMBO_TAG_NAV); })) {
        if (const GumboNode *list = outermostList(nav))
            return list;
    }
    const GumboNode *best = nullptr;
    std::size_t most = 0;
    for (const GumboNode *list :
         findOutermost(root, [](const GumboNode *n) { return isList(n); })) {
        const std::size_t links = countLinks(list);
        if (links > most) {
            best = list;
            most = links;
        }
    }
    return best;
}
} // namespace

Outline importHtml(const std::string &content, const std::string &elementId, LeftOut &leftOut)
{
    const Output output = parse(content);
    const GumboNode *list = menuList(output->root, elementId);
    if (!list)
        throw EImportError("the page holds no list of links");
    return ListReader(leftOut).read(list, 1);
}
