#include "site/SiteLinks.h"

#include "document/PageAddress.h"

namespace site {
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
