#include "PageAddress.h"

#include "document/Conversions.h"

#include <algorithm>
#include <cctype>

namespace {
char lower(char c)
{
    return static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
}

// Where the path of an address starts: after "scheme://host", or at once.
std::size_t pathStart(std::string_view url)
{
    const std::size_t scheme = url.find("://");
    if (scheme == std::string_view::npos || scheme > url.find_first_of("/?#"))
        return 0;
    return std::min(url.find_first_of("/?#", scheme + 3), url.size());
}
} // namespace

std::string linkScheme(std::string_view url)
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

std::string_view addressPath(std::string_view url)
{
    const std::size_t start = pathStart(url);
    const std::size_t end = std::min(url.find_first_of("?#", start), url.size());
    return url.substr(start, end - start);
}

std::string decodeEscapes(std::string_view text)
{
    std::string decoded;
    decoded.reserve(text.size());
    for (std::size_t k = 0; k < text.size(); ++k) {
        const int high = k + 2 < text.size() && text[k] == '%' ? hexDigit(text[k + 1]) : -1;
        const int low = high >= 0 ? hexDigit(text[k + 2]) : -1;
        if (low >= 0) {
            decoded += static_cast<char>(high * 16 + low);
            k += 2;
        } else {
            decoded += text[k];
        }
    }
    return decoded;
}

ResolvedPath resolvePath(std::string_view path)
{
    ResolvedPath resolved;
    std::size_t start = 0;
    while (start <= path.size()) {
        const std::size_t end = std::min(path.find('/', start), path.size());
        const std::string_view name = path.substr(start, end - start);
        if (name == "..") {
            if (!resolved.names.empty() && resolved.names.back() != "..")
                resolved.names.pop_back();
            else {
                resolved.names.emplace_back("..");
                resolved.aboveTop = true;
            }
        } else if (!name.empty() && name != ".") {
            resolved.names.emplace_back(name);
        }
        if (end == path.size())
            resolved.folder = name.empty() || name == "." || name == "..";
        start = end + 1;
    }
    return resolved;
}

bool isIndexPage(std::string_view name)
{
    for (std::string_view index : {"index.html", "index.htm"}) {
        if (name.size() == index.size() && std::equal(index.begin(), index.end(), name.begin(),
                                                      [](char a, char b) { return a == lower(b); }))
            return true;
    }
    return false;
}

std::string pageKey(std::string_view url)
{
    std::string key(url.substr(0, url.find('#')));
    // "scheme://host" in lower case; the path and the query exactly as written.
    const std::size_t start = pathStart(key);
    std::transform(key.begin(), key.begin() + std::ptrdiff_t(start), key.begin(), lower);
    const std::size_t query = std::min(key.find('?', start), key.size());
    const std::size_t nameStart = key.rfind('/', query == 0 ? 0 : query - 1);
    const std::size_t name =
        nameStart == std::string::npos || nameStart < start ? start : nameStart + 1;
    if (isIndexPage(std::string_view(key).substr(name, query - name)))
        key.erase(name, query - name);
    return key;
}
