#pragma once

// Page addresses as the menu reads them, in one place: the current page, the site command, the
// sitemap importer and the link check all read an address through these rules.

#include <string>
#include <string_view>
#include <vector>

// The scheme of a link as a browser reads it (blanks and control characters around it and
// tabs and line breaks inside it dropped), in lower case; empty for a relative link.
std::string linkScheme(std::string_view url);

// The path of an address: what follows "scheme://host" (all of a relative address), up to its
// query or fragment.
std::string_view addressPath(std::string_view url);

// "%41" as "A"; a "%" without two hexadecimal digits stays as it is.
std::string decodeEscapes(std::string_view text);

// A path's names with "." and ".." resolved; ".." above the top stays as a leading "..".
struct ResolvedPath
{
    std::vector<std::string> names;
    bool folder = false;   // the path names a folder: it ends in "/", "." or ".."
    bool aboveTop = false; // a ".." went above the path's top
};
ResolvedPath resolvePath(std::string_view path);

// "index.html" or "index.htm" in any case: the page a folder's address stands for.
bool isIndexPage(std::string_view name);

// A link's address as pages compare them: without its fragment, a path ending in an index page
// as the same path ending in "/", scheme and host in lower case, the query as written.
std::string pageKey(std::string_view url);
