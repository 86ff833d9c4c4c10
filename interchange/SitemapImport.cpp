// A menu from a sitemap: the tree follows the pages' paths, a page under /a/ being a child of
// the page /a/; a folder without a page of its own becomes an item without a link.

#include "document/PageAddress.h"
#include "interchange/Formats.h"
#include "interchange/Interchange.h"

#include <cctype>
#include <map>
#include <pugixml.hpp>

using interchange::EImportError;

namespace {
// The name without a namespace prefix: "sm:loc" is "loc".
std::string localName(const pugi::xml_node &node)
{
    const std::string name = node.name();
    const std::size_t colon = name.find(':');
    return colon == std::string::npos ? name : name.substr(colon + 1);
}

// The path's segments: "https://site/a/b.html?x" gives "a", "b.html"; a folder's index page
// stands for the folder.
std::vector<std::string> segments(const std::string &address)
{
    const std::string_view path = addressPath(address);
    std::vector<std::string> parts;
    std::size_t start = 0;
    while (start <= path.size()) {
        const std::size_t end = std::min(path.find('/', start), path.size());
        if (end > start)
            parts.emplace_back(path.substr(start, end - start));
        start = end + 1;
    }
    if (!parts.empty() && parts.back().rfind("index.", 0) == 0)
        parts.pop_back();
    return parts;
}

// "our-team.html" gives "Our team".
std::string captionOf(const std::string &segment)
{
    const std::size_t dot = segment.rfind('.');
    std::string caption = dot == std::string::npos || dot == 0 ? segment : segment.substr(0, dot);
    for (char &c : caption) {
        if (c == '-' || c == '_')
            c = ' ';
    }
    caption = collapseBlanks(caption);
    if (!caption.empty())
        caption[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(caption[0])));
    return caption;
}

// The pages by path, each node keeping its children in the sitemap's order.
struct PathNode
{
    std::string caption;
    std::string url;
    std::vector<std::size_t> children;
};

Outline outlineFrom(const std::vector<PathNode> &nodes, std::size_t index, int level)
{
    requireDepth(level, "the path " + nodes[index].caption);
    Outline items;
    for (const std::size_t child : nodes[index].children) {
        OutlineItem item;
        item.caption = nodes[child].caption;
        item.url = nodes[child].url;
        item.children = outlineFrom(nodes, child, level + 1);
        items.push_back(std::move(item));
    }
    return items;
}
} // namespace

Outline importSitemap(const std::string &content, LeftOut &leftOut)
{
    pugi::xml_document xml;
    const pugi::xml_parse_result parsed = xml.load_buffer(content.data(), content.size());
    if (!parsed)
        throw EImportError("not XML: " + std::string(parsed.description()) + " at byte " +
                           std::to_string(parsed.offset));
    const pugi::xml_node urlset = xml.document_element();
    if (localName(urlset) != "urlset")
        throw EImportError("not a sitemap: the document is <" + std::string(urlset.name()) +
                           ">, not <urlset>");
    std::vector<PathNode> nodes(1); // the site
    std::map<std::string, std::size_t> byPath{{std::string(), 0}};
    for (const pugi::xml_node url : urlset.children()) {
        if (localName(url) != "url")
            continue;
        std::string address;
        for (const pugi::xml_node field : url.children()) {
            if (localName(field) == "loc")
                address = collapseBlanks(field.text().get());
        }
        if (address.empty()) {
            leftOut.push_back("a <url> without a <loc>");
            continue;
        }
        std::string path;
        std::size_t parent = 0;
        const std::vector<std::string> parts = segments(address);
        for (std::size_t i = 0; i < parts.size(); ++i) {
            path += "/" + parts[i];
            auto found = byPath.find(path);
            if (found == byPath.end()) {
                found = byPath.emplace(path, nodes.size()).first;
                nodes.push_back({captionOf(parts[i]), std::string(), {}});
                nodes[parent].children.push_back(found->second);
            }
            parent = found->second;
        }
        if (parts.empty()) {
            // The site's home page: the first first-level item.
            nodes.push_back({"Home", address, {}});
            nodes[0].children.insert(nodes[0].children.begin(), nodes.size() - 1);
            continue;
        }
        if (!nodes[parent].url.empty())
            leftOut.push_back("\"" + address + "\": another address already gave the page " + path);
        else
            nodes[parent].url = address;
    }
    return outlineFrom(nodes, 0, 1);
}
