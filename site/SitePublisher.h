#pragma once

#include "document/ItemTree.h"
#include "document/Publisher.h"

#include <map>
#include <string>
#include <vector>

class MenuDocument;

namespace site {

struct SiteOptions
{
    std::string assets; // the folder under the site for the runtime and the pictures; "" the top
    bool addMarkers = false; // markers after <body> in the pages that have none
};

// What publishing does to one page of the site (or, for an asset, to one file it copies).
struct SiteEntry
{
    enum class State
    {
        Changed,        // the menu written between its markers
        MarkersAdded,   // markers put after <body>, the menu between them
        Unchanged,      // it already shows this menu
        WithoutMarkers, // left alone
        LeftOut,        // left alone for a reason (why)
        Refused         // it cannot be written as asked: nothing is written (why)
    };
    std::string path; // from the site's top, "/" between names
    State state = State::Unchanged;
    std::string why;
};

struct SiteResult
{
    std::vector<SiteEntry> pages;
    std::vector<SiteEntry> assets;            // the files copied: Changed or Refused
    std::vector<Publisher::Resource> leftOut; // pictures and sounds not copied, with why
    bool written = false;

    int count(SiteEntry::State state) const;
    bool refused() const;
    bool changes() const; // anything to write
    // "3 pages changed, 5 unchanged, 2 without markers"; before publishing (done false) "3
    // pages to change, ...".
    std::string summary(bool done = true) const;
};

// Puts the menu into every page of a site that asks for it (between its markers), each with
// its links and the runtime's address as seen from its own folder and its own link marked as
// the current page, and copies the runtime and the menu's pictures and sounds into the site
// once. All or nothing, under the folder's lock, as a save.
class SitePublisher
{
public:
    // Pictures and sounds are copied from resourceFolder; projectName names what a save of the
    // project writes, which is never taken for one of them.
    SitePublisher(const MenuDocument &document, const ItemTree &tree, std::string resourceFolder,
                  std::string projectName);

    // What publish would do, nothing written.
    SiteResult plan(const std::string &site, const SiteOptions &options) const;
    // Writes what plan finds to change, unless it refuses something; throws EInOutError when a
    // write fails, leaving every file as it was.
    SiteResult publish(const std::string &site, const SiteOptions &options) const;

    // The text between a page's markers.
    std::string menuFor(const std::string &pagePath, const std::string &assets) const;

private:
    // A file copied into the assets folder from source, or written with text.
    struct Asset
    {
        std::string name, source, text;
    };
    // The plan, with the files to copy and a hash of each page as it was read.
    SiteResult check(const std::string &site, const SiteOptions &options,
                     std::vector<Asset> &assetsToCopy, std::vector<std::size_t> &pageHashes) const;
    void checkAssets(const std::string &site, const std::string &assets,
                     const std::vector<SiteEntry> &pages, SiteResult &result,
                     std::vector<Asset> &assetsToCopy) const;

    const MenuDocument &document_;
    std::vector<int> parents_;
    std::map<std::string, int> itemOfPage_; // the current page's item by the page's key
    std::string resourceFolder_, projectName_;
    mutable std::size_t menuBytes_ = 0; // the longest menu made so far
};

// The folder under the site that holds the assets, "" or ending in "/"; throws EInOutError for
// one that is not inside the site.
std::string assetFolder(const std::string &assets);

} // namespace site
