#include "CurrentPage.h"

#include <algorithm>
#include <cctype>

namespace {
char lower(char c)
{
    return static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
}

bool endsWithNoCase(std::string_view text, std::string_view tail)
{
    return text.size() >= tail.size() &&
           std::equal(tail.begin(), tail.end(), text.end() - std::ptrdiff_t(tail.size()),
                      [](char a, char b) { return lower(a) == lower(b); });
}
} // namespace

std::string pageKey(std::string_view url)
{
    std::string key(url.substr(0, url.find('#')));
    // "scheme://host" in lower case; the path and the query exactly as written.
    const std::size_t scheme = key.find("://");
    if (scheme != std::string::npos) {
        const std::size_t pathStart = key.find_first_of("/?", scheme + 3);
        std::transform(key.begin(),
                       pathStart == std::string::npos ? key.end()
                                                      : key.begin() + std::ptrdiff_t(pathStart),
                       key.begin(), lower);
    }
    const std::size_t query = std::min(key.find('?'), key.size());
    const std::string_view path = std::string_view(key).substr(0, query);
    for (std::string_view index : {"index.html", "index.htm"}) {
        const bool whole =
            path.size() == index.size() ||
            (path.size() > index.size() && path[path.size() - index.size() - 1] == '/');
        if (endsWithNoCase(path, index) && whole) {
            key.erase(query - index.size(), index.size());
            break;
        }
    }
    return key;
}

int currentPageItem(const MenuRecords &items, const std::vector<int> &parents,
                    std::string_view pageUrl)
{
    if (pageUrl.empty())
        return -1;
    const std::string page = pageKey(pageUrl);
    const std::size_t count = std::min(items.size(), parents.size());
    for (std::size_t k = 0; k < count; ++k) {
        const bool opensPopup = k + 1 < count && parents[k + 1] == int(k);
        const std::string_view url = items[k][ItemField::ItemURL];
        if (!opensPopup && !url.empty() && pageKey(url) == page)
            return int(k);
    }
    return -1;
}
