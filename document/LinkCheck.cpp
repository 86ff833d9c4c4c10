#include "LinkCheck.h"

#include <algorithm>
#include <cctype>

std::string linkScheme(const std::string &url)
{
    auto blank = [](char c) { return static_cast<unsigned char>(c) <= 0x20; };
    const auto first = std::find_if_not(url.begin(), url.end(), blank);
    const auto last = std::find_if_not(url.rbegin(), url.rend(), blank).base();
    std::string scheme;
    for (auto c = first; c < last; ++c) {
        if (*c == '\t' || *c == '\n' || *c == '\r')
            continue;
        if (*c == ':')
            return scheme;
        const auto u = static_cast<unsigned char>(*c);
        const bool schemeChar =
            std::isalpha(u) ||
            (!scheme.empty() && (std::isdigit(u) || *c == '+' || *c == '-' || *c == '.'));
        if (!schemeChar)
            return std::string();
        scheme += static_cast<char>(std::tolower(u));
    }
    return std::string();
}

bool linkRunsScript(const std::string &url)
{
    if (std::none_of(url.begin(), url.end(), [](char c) { return c == ':'; }))
        return false; // a relative link, as most are: no scheme to read

    const std::string scheme = linkScheme(url);
    return scheme == "javascript" || scheme == "vbscript" || scheme == "data";
}

PageReading pageReading(const TItemData &item, const std::string &separator)
{
    using namespace ItemField;
    const std::string value =
        item[ItemCaption] + separator + item[ItemURL] + separator + item[ItemTarget] + separator;
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

std::vector<AccessibilityWarning> linkWarnings(const MenuRecords &items,
                                               const std::string &separator)
{
    using namespace ItemField;
    std::vector<AccessibilityWarning> warnings;
    for (std::size_t k = 0; k < items.size(); ++k) {
        const TItemData &item = items[k];
        // A plain loop: the values are short, and a call per value to a library search cost
        // more than the search on a menu of many items.
        auto holds = [&](int pos) {
            if (separator.size() != 1)
                return !separator.empty() && item[pos].find(separator) != std::string::npos;
            for (const char c : item[pos]) {
                if (c == separator[0])
                    return true;
            }
            return false;
        };
        const bool shifted = holds(ItemCaption) || holds(ItemURL) || holds(ItemTarget);
        // Most links are plain: the page's fields are only worked out where they shift.
        if (!shifted && !linkRunsScript(item[ItemURL]))
            continue;
        const std::string where =
            "item " + std::to_string(k + 1) + " \"" + item[ItemCaption] + "\"";
        const PageReading page = pageReading(item, separator);
        if (shifted)
            warnings.push_back({static_cast<int>(k), where,
                                "\"" + separator +
                                    "\" in its caption, link or target shifts the "
                                    "page's fields: the page shows \"" +
                                    page.caption + "\", links to \"" + page.url +
                                    "\" in target \"" + page.target + "\""});
        if (linkRunsScript(page.url))
            warnings.push_back({static_cast<int>(k), where,
                                "the link \"" + page.url +
                                    "\" runs a script when it is followed (" +
                                    linkScheme(page.url) + ":)"});
    }
    return warnings;
}
