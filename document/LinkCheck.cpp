#include "LinkCheck.h"

#include <algorithm>
#include <cctype>

bool linkRunsScript(std::string_view url)
{
    if (std::none_of(url.begin(), url.end(), [](char c) { return c == ':'; }))
        return false; // a relative link, as most are: no scheme to read

    const std::string scheme = linkScheme(url);
    return scheme == "javascript" || scheme == "vbscript" || scheme == "data";
}

PageReading pageReading(const ItemRecord &item, const std::string &separator)
{
    using namespace ItemField;
    std::string value;
    for (const std::string_view field : {item[ItemCaption], item[ItemURL], item[ItemTarget]}) {
        value += field;
        value += separator;
    }
    PageReading fields;
    std::string *parts[] = {&fields.caption, &fields.url, &fields.target};
    std::size_t start = 0;
    for (std::string *part : parts) {
        const std::size_t stop =
            separator.empty() ? std::string::npos : value.find(separator, start);
        *part = value.substr(start, stop == std::string::npos ? std::string::npos : stop - start);
        if (stop == std::string::npos)
            break;
        start = stop + separator.size();
    }
    return fields;
}

namespace {
// Whether the page reads other fields than the record holds: a caption, link or target
// holding the separator. A plain loop: the values are short, and a call per value to a
// library search cost more than the search on a menu of many items.
bool shiftsFields(const ItemRecord &item, const std::string &separator)
{
    using namespace ItemField;
    auto holds = [&](int pos) {
        if (separator.size() != 1)
            return !separator.empty() && item[pos].find(separator) != std::string::npos;
        for (const char c : item[pos]) {
            if (c == separator[0])
                return true;
        }
        return false;
    };
    return holds(ItemCaption) || holds(ItemURL) || holds(ItemTarget);
}

bool warnsOfLink(const ItemRecord &item, const std::string &separator)
{
    // Most links are plain: the page's fields are only worked out where they shift.
    return shiftsFields(item, separator) || linkRunsScript(item[ItemField::ItemURL]);
}

void addLinkWarnings(const ItemRecord &item, std::size_t k, const std::string &separator,
                     std::vector<AccessibilityWarning> &warnings)
{
    using namespace ItemField;
    const bool shifted = shiftsFields(item, separator);
    const std::string where =
        "item " + std::to_string(k + 1) + " \"" + std::string(item[ItemCaption]) + "\"";
    const PageReading page = pageReading(item, separator);
    if (shifted)
        warnings.push_back({static_cast<int>(k), where,
                            "\"" + separator +
                                "\" in its caption, link or target shifts the "
                                "page's fields: the page shows \"" +
                                page.caption + "\", links to \"" + page.url + "\" in target \"" +
                                page.target + "\""});
    if (linkRunsScript(page.url))
        warnings.push_back({static_cast<int>(k), where,
                            "the link \"" + page.url + "\" runs a script when it is followed (" +
                                linkScheme(page.url) + ":)"});
}
} // namespace

std::vector<AccessibilityWarning> linkWarnings(const MenuRecords &items,
                                               const std::string &separator)
{
    std::vector<AccessibilityWarning> warnings;
    for (std::size_t k = 0; k < items.size(); ++k) {
        if (warnsOfLink(items[k], separator))
            addLinkWarnings(items[k], k, separator, warnings);
    }
    return warnings;
}

std::vector<AccessibilityWarning>
LinkWarningIndex::warnings(MenuTree &tree, const MenuRecords &items, const std::string &separator)
{
    MenuTree::RecordChanges changes = tree.takeRecordChanges();
    if (changes.all || separator != separator_) {
        separator_ = separator;
        flagged_.clear();
        recordsRead_ += items.items.size();
        std::vector<std::size_t> found;
        for (std::size_t k = 0; k < items.items.size(); ++k) {
            if (warnsOfLink(items.items[k], separator))
                found.push_back(k);
        }
        // A few items are found from their places; many, by one walk over the tree.
        if (found.size() > MostFoundByPlace) {
            const std::vector<MenuTree::Id> ids = tree.itemIds();
            for (const std::size_t k : found) {
                if (k < ids.size())
                    flagged_.insert(ids[k]);
            }
        } else {
            for (const std::size_t k : found) {
                if (const ItemTree::Node node = tree.nodeAt(static_cast<int>(k)))
                    flagged_.insert(tree.id(node));
            }
        }
    } else {
        recordsRead_ += changes.nodes.size();
        for (const MenuTree::Id id : changes.nodes) {
            const ItemTree::Node node = tree.find(id);
            if (node && warnsOfLink(tree.record(node), separator))
                flagged_.insert(id);
            else
                flagged_.erase(id);
        }
    }
    // Finding an item's place costs a walk up its path: with many flagged items, one pass
    // over the list costs less.
    if (flagged_.size() > MostLocated) {
        recordsRead_ += items.size();
        return linkWarnings(items, separator);
    }

    std::vector<std::size_t> places;
    for (auto it = flagged_.begin(); it != flagged_.end();) {
        const ItemTree::Node node = tree.find(*it);
        if (!node) { // taken out of the menu
            it = flagged_.erase(it);
            continue;
        }
        places.push_back(static_cast<std::size_t>(tree.itemIndex(node)));
        ++it;
    }
    // The record on the pages, not yet stored, stands for its item.
    if (items.replacement && items.replaced >= 0 &&
        static_cast<std::size_t>(items.replaced) < items.size()) {
        const auto replaced = static_cast<std::size_t>(items.replaced);
        places.erase(std::remove(places.begin(), places.end(), replaced), places.end());
        if (warnsOfLink(*items.replacement, separator))
            places.push_back(replaced);
    }
    std::sort(places.begin(), places.end());
    std::vector<AccessibilityWarning> warnings;
    for (const std::size_t k : places)
        addLinkWarnings(items[k], k, separator, warnings);
    return warnings;
}
