#pragma once

#include <string>
#include <string_view>
#include <vector>

// Item addresses in a site whose pages lie in folders of their own: a relative address (no
// scheme, not starting with "/", "#" or "?") is read from the site's top folder, as the author
// writes it, and each page gets it as seen from its own folder.
namespace site {

bool isSiteRelative(std::string_view url);

// A page's folder inside the site, as its names from the top ("products/laptops.html" lies in
// {"products"}).
std::vector<std::string> folderOf(std::string_view pagePath);

// The address a page in folder writes for url: a site-relative one rewritten from that folder
// ("software.html" is "../software.html" from {"products"}), any other as it is.
std::string addressFrom(const std::vector<std::string> &folder, std::string_view url);

// What an item's url or a page's path ("products/laptops.html") stands for when the current
// page is told: the path from the site's top with "." and ".." resolved and escapes decoded,
// fragment dropped, query kept, an index page as its folder. Absolute addresses give an empty
// key (the site's own address is not known); so does an address above the site's top.
std::string linkKey(std::string_view url);
std::string pageKeyOf(std::string_view pagePath);

} // namespace site
