#include "site/SiteLinks.h"

#include "document/Conversions.h"
#include "document/CurrentPage.h"
#include "document/LinkCheck.h"


namespace site {
namespace {
// A path's names with "." and ".." resolved; ".." above the top stays as a leading "..".
// folder tells whether the path names a folder (ends in "/", "." or "..").
struct ResolvedPath
{
    std::vector<std::string> names;
    bool folder = false;
    bool aboveTop = false;
};

ResolvedPath resolvePath(std::string_view path)
{
    ResolvedPath resolved;
    std::size_t start = 0;
    while (start <= path.size()) {
        const std::size_t end = std::min(path.find('/', start), path.size());
        const std::string_view name = path.substr(start, end - start);
        const bool last = end == path.size();
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
        if (last)
            resolved.folder = name.empty() || name == "." || name == "..";
        start = end + 1;
    }
    return resolved;
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
} // namespace

bool isSiteRelative(std::string_view url)
{
    return !url.empty() && url[0] != '/' && url[0] != '#' && url[0] != '?' && url[0] != '\\' &&
           linkScheme(url).empty();
}

std::vector<std::string> folderOf(std::string_view pagePath)
{
    ResolvedPath resolved = resolvePath(pagePath);
    if (!resolved.folder && !resolved.names.empty())
        resolved.names.pop_back();
    return resolved.names;
}

std::string addressFrom(const std::vector<std::string> &folder, std::string_view url)
{
    if (folder.empty() || !isSiteRelative(url))
        return std::string(url);
    const std::size_t pathEnd = std::min(url.find_first_of("?#"), url.size());
    ResolvedPath target = resolvePath(url.substr(0, pathEnd));
    std::string file;
    if (!target.folder && !target.names.empty()) {
        file = std::move(target.names.back());
        target.names.pop_back();
    }
    std::size_t common = 0;
    while (common < folder.size() && common < target.names.size() &&
           folder[common] == target.names[common])
        ++common;
    std::string address;
    for (std::size_t k = common; k < folder.size(); ++k)
        address += "../";
    for (std::size_t k = common; k < target.names.size(); ++k)
        address += target.names[k] + '/';
    address += file;
    if (address.empty())
        address = "./";
    return address + std::string(url.substr(pathEnd));
}

std::string linkKey(std::string_view url)
{
    std::string_view path = url.substr(0, url.find('#'));
    if (!path.empty() && path[0] == '/' && (path.size() < 2 || path[1] != '/'))
        path.remove_prefix(1); // the site's top is the server's
    else if (!isSiteRelative(path))
        return std::string();
    const std::size_t pathEnd = std::min(path.find('?'), path.size());
    const ResolvedPath resolved = resolvePath(decodeEscapes(path.substr(0, pathEnd)));
    if (resolved.aboveTop)
        return std::string();
    std::string key;
    for (const std::string &name : resolved.names)
        key += '/' + name;
    if (resolved.folder || key.empty())
        key += '/';
    return pageKey(key + std::string(path.substr(pathEnd)));
}

std::string pageKeyOf(std::string_view pagePath)
{
    return pageKey("/" + std::string(pagePath));
}

} // namespace site
