#pragma once

#include <string>
#include <string_view>
#include <vector>

// The pages of a site and the place in each where the menu goes: between two comments the
// author puts into the page, or right after its <body> tag where the author asks for them.
namespace site {

inline constexpr std::string_view OpenMarker = "<!-- tarvelle:menu -->";
inline constexpr std::string_view CloseMarker = "<!-- /tarvelle:menu -->";
inline constexpr std::size_t MaxPages = 100000;

// A file of the site named like a page (".html", ".htm", in any case).
struct PageFile
{
    enum class Kind
    {
        Regular,
        Link,       // never written through: a page is written where it lies
        NotRegular, // a device, a pipe, a socket
        Unreadable  // a folder that could not be listed
    };
    std::string path; // from the site's top, "/" between names
    Kind kind = Kind::Regular;
    bool outsideSite = false; // a link that leads out of the site
};

// Every page under site, sorted by path: links to folders are not followed, hidden folders
// (".git") not entered. Throws EInOutError for a site that is no folder or holds more than
// MaxPages pages.
std::vector<PageFile> findPages(const std::string &site);

// A page with the menu put in.
struct PageUpdate
{
    enum class State
    {
        Filled,         // between its markers
        MarkersAdded,   // markers put after <body>, the menu between them
        WithoutMarkers, // left alone
        NoBody,         // markers asked for, but the page shows no <body> tag
        BrokenMarkers   // one marker without the other, or a pair more than once
    };
    State state = State::WithoutMarkers;
    std::string text; // the whole new page, when Filled or MarkersAdded
};

// menu is the text between the markers, lines ending in CR LF; it is written with the page's
// own line ends, and the closing marker keeps its indentation. Nothing outside the markers
// changes.
PageUpdate updatePage(std::string_view page, std::string_view menu, bool addMarkers);

} // namespace site
