#include "site/SitePublisher.h"

#include "document/Errors.h"
#include "document/FileSystem.h"
#include "document/HtmlWriter.h"
#include "document/MenuDocument.h"
#include "document/MenuLayout.h"
#include "site/SiteLinks.h"
#include "site/SitePages.h"

#include <algorithm>
#include <filesystem>
#include <functional>
#include <set>

namespace site {
namespace {
using State = SiteEntry::State;

std::string plural(int count, const char *one, const char *many)
{
    return std::to_string(count) + " " + (count == 1 ? one : many);
}

std::string nativePath(const std::string &site, const std::string &path)
{
    std::string native = path;
    std::replace(native.begin(), native.end(), '/', fsx::separator());
    return fsx::withSeparator(site) + native;
}

std::size_t hashOf(std::string_view text)
{
    return std::hash<std::string_view>()(text);
}

// Why a page named in the site is left alone without being read.
std::string whyLeftOut(const PageFile &page)
{
    switch (page.kind) {
    case PageFile::Kind::Link:
        return page.outsideSite ? "is a link out of the site"
                                : "is a link; the page it leads to is written where it lies";
    case PageFile::Kind::NotRegular:
        return "is not a regular file";
    case PageFile::Kind::Unreadable:
        return "is a folder that cannot be read";
    case PageFile::Kind::Regular:
        break;
    }
    return std::string();
}
} // namespace

int SiteResult::count(SiteEntry::State state) const
{
    return static_cast<int>(
        std::count_if(pages.begin(), pages.end(),
                      [state](const SiteEntry &page) { return page.state == state; }));
}

bool SiteResult::refused() const
{
    const auto isRefused = [](const SiteEntry &entry) { return entry.state == State::Refused; };
    return std::any_of(pages.begin(), pages.end(), isRefused) ||
           std::any_of(assets.begin(), assets.end(), isRefused);
}

bool SiteResult::changes() const
{
    return count(State::Changed) + count(State::MarkersAdded) > 0 || !assets.empty();
}

std::string SiteResult::summary(bool done) const
{
    std::string text = plural(count(State::Changed) + count(State::MarkersAdded),
                              done ? "page changed" : "page to change",
                              done ? "pages changed" : "pages to change") +
                       ", " + std::to_string(count(State::Unchanged)) + " unchanged, " +
                       std::to_string(count(State::WithoutMarkers)) + " without markers";
    if (const int leftOut = count(State::LeftOut))
        text += ", " + std::to_string(leftOut) + " left out";
    if (const int refused = count(State::Refused))
        text += ", " + std::to_string(refused) + " refused";
    return text;
}

std::string assetFolder(const std::string &assets)
{
    if (assets.empty())
        return std::string();
    const std::filesystem::path folder = std::filesystem::u8path(assets).lexically_normal();
    const std::string relative = folder.generic_u8string();
    if (folder.is_absolute() || folder.has_root_name() || relative == "." ||
        *folder.begin() == "..")
        throw EInOutError("The assets folder \"" + assets +
                          "\" must be a folder inside the site, named from its top");
    return relative.back() == '/' ? relative : relative + '/';
}

SitePublisher::SitePublisher(const MenuDocument &document, const ItemTree &tree,
                             std::string resourceFolder, std::string projectName)
    : document_(document), parents_(itemParents(tree)), resourceFolder_(std::move(resourceFolder)),
      projectName_(std::move(projectName))
{
    // The first item without a popup, in pre-order, that links to a page is that page's.
    const ItemList &items = document.items();
    const std::size_t count = std::min(items.size(), parents_.size());
    for (std::size_t k = 0; k < count; ++k) {
        const bool opensPopup = k + 1 < count && parents_[k + 1] == static_cast<int>(k);
        const std::string_view url = items[k][ItemField::ItemURL];
        if (opensPopup || url.empty())
            continue;
        std::string key = linkKey(url);
        if (!key.empty())
            itemOfPage_.emplace(std::move(key), static_cast<int>(k));
    }
}

std::string SitePublisher::menuFor(const std::string &pagePath, const std::string &assets) const
{
    const std::vector<std::string> folder = folderOf(pagePath);
    PageLinks links;
    if (!folder.empty())
        links.address = [&folder](std::string_view url) { return addressFrom(folder, url); };
    const auto current = itemOfPage_.find(pageKeyOf(pagePath));
    links.currentItem = current == itemOfPage_.end() ? -1 : current->second;
    // Each page's menu is about as long as the one before: reserved at once, it is not copied
    // as it grows.
    TextOut out;
    out.reserve(menuBytes_ + menuBytes_ / 8);
    HtmlWriter(document_).writeSiteMenu(out, parents_, links,
                                        addressFrom(folder, assets + WebRuntimeFile));
    menuBytes_ = std::max(menuBytes_, out.size());
    return out.take();
}

SiteResult SitePublisher::plan(const std::string &site, const SiteOptions &options) const
{
    std::vector<Asset> assets;
    std::vector<std::size_t> hashes;
    return check(site, options, assets, hashes);
}

SiteResult SitePublisher::check(const std::string &site, const SiteOptions &options,
                                std::vector<Asset> &assetsToCopy,
                                std::vector<std::size_t> &pageHashes) const
{
    const std::string assets = assetFolder(options.assets);
    SiteResult result;
    for (const PageFile &file : findPages(site)) {
        SiteEntry entry{file.path, State::Unchanged, {}};
        pageHashes.push_back(0);
        if (file.kind != PageFile::Kind::Regular) {
            entry.state = State::LeftOut;
            entry.why = whyLeftOut(file);
            result.pages.push_back(std::move(entry));
            continue;
        }
        const std::string path = nativePath(site, file.path);
        std::string page;
        try {
            page = fsx::readFile(path);
        } catch (const EInOutError &error) {
            entry.state = State::LeftOut;
            entry.why = error.what();
            result.pages.push_back(std::move(entry));
            continue;
        }
        pageHashes.back() = hashOf(page);
        const bool marked = page.find(OpenMarker) != std::string::npos ||
                            page.find(CloseMarker) != std::string::npos;
        const PageUpdate update = updatePage(
            page, marked || options.addMarkers ? menuFor(file.path, assets) : std::string(),
            options.addMarkers);
        switch (update.state) {
        case PageUpdate::State::WithoutMarkers:
            entry.state = State::WithoutMarkers;
            break;
        case PageUpdate::State::NoBody:
            entry.state = State::WithoutMarkers;
            entry.why = "has no <body> tag to put the markers after";
            break;
        case PageUpdate::State::BrokenMarkers:
            entry.state = State::Refused;
            entry.why = "its markers " + std::string(OpenMarker) + " and " +
                        std::string(CloseMarker) + " do not make one pair";
            break;
        case PageUpdate::State::Filled:
        case PageUpdate::State::MarkersAdded:
            if (update.text == page)
                entry.state = State::Unchanged;
            else if (fsx::isReadOnlyFile(path)) {
                entry.state = State::Refused;
                entry.why = "is read-only";
            } else {
                entry.state = update.state == PageUpdate::State::Filled ? State::Changed
                                                                        : State::MarkersAdded;
            }
            break;
        }
        result.pages.push_back(std::move(entry));
    }
    checkAssets(site, assets, result.pages, result, assetsToCopy);
    return result;
}

void SitePublisher::checkAssets(const std::string &site, const std::string &assets,
                                const std::vector<SiteEntry> &pages, SiteResult &result,
                                std::vector<Asset> &assetsToCopy) const
{
    const std::string programFolder = fsx::withSeparator(document_.programFolder());
    if (!fsx::fileExists(programFolder + WebRuntimeFile))
        throw EInOutError("Cannot copy \"" + std::string(WebRuntimeFile) + "\": the program " +
                          "folder \"" + programFolder + "\" does not hold it");
    std::vector<Asset> wanted{{WebRuntimeFile, programFolder + WebRuntimeFile, {}}};
    if (fsx::fileExists(programFolder + WebRuntimeMap))
        wanted.push_back({WebRuntimeMap, programFolder + WebRuntimeMap, {}});

    // Pictures and sounds as a save decides them, but never over the runtime, the record or
    // a page of the site.
    std::set<std::string> taken{WebRuntimeFile, WebRuntimeMap, SiteAssetRecord};
    for (const SiteEntry &page : pages) {
        if (page.path.compare(0, assets.size(), assets) == 0)
            taken.insert(page.path.substr(assets.size()));
    }
    for (Publisher::Resource resource :
         Publisher(document_).resourcesFor(projectName_, resourceFolder_)) {
        const std::string name(resource.name);
        if (resource.check == fsx::ResourceCheck::Fine && taken.count(name))
            resource.check = fsx::ResourceCheck::OutputName;
        if (resource.check == fsx::ResourceCheck::Fine)
            wanted.push_back({name, fsx::resourceSource(resourceFolder_, name), {}});
        else
            result.leftOut.push_back(resource);
    }

    const std::string folder = nativePath(site, assets);
    const std::set<std::string> present = fsx::folderEntries(folder);
    const std::set<std::string> ours = tarvelleFilesIn(folder, present);
    if (!fsx::folderExists(folder) && fsx::fileExists(folder))
        throw EInOutError("\"" + folder + "\" is not a folder");
    for (const Asset &asset : wanted) {
        const std::string target = fsx::withSeparator(folder) + asset.name;
        SiteEntry entry{assets + asset.name, State::Changed, {}};
        if (present.count(asset.name)) {
            if (fsx::sameContent(asset.source, target))
                continue;
            if (fsx::isReadOnlyFile(target)) {
                entry.state = State::Refused;
                entry.why = "is read-only";
            } else if (!ours.count(asset.name)) {
                entry.state = State::Refused;
                entry.why = "would be replaced, and Tarvelle did not write it";
            }
        }
        try {
            fsx::checkTarget(target);
        } catch (const std::exception &error) {
            entry.state = State::Refused;
            entry.why = error.what();
        }
        if (entry.state != State::Refused)
            assetsToCopy.push_back(asset);
        result.assets.push_back(std::move(entry));
    }
    if (assetsToCopy.empty())
        return;
    // The record lists every asset this command has written into the folder, so a later run
    // may replace them; it changes only when they do.
    std::set<std::string> recorded;
    for (const Asset &asset : wanted)
        recorded.insert(asset.name);
    for (const std::string &name : tarvelleFilesIn(folder, {SiteAssetRecord})) {
        if (present.count(name) && name != SiteAssetRecord)
            recorded.insert(name);
    }
    std::string record = "Files the site command of Tarvelle copied into this folder:\r\n";
    for (const std::string &name : recorded)
        record += "  " + name + "\r\n";
    assetsToCopy.push_back({SiteAssetRecord, std::string(), record});
}

SiteResult SitePublisher::publish(const std::string &site, const SiteOptions &options) const
{
    const fsx::FolderLock lock(site);
    fsx::removeLeftoverTemporaries(site);
    std::vector<Asset> assets;
    std::vector<std::size_t> hashes;
    SiteResult result = check(site, options, assets, hashes);
    if (result.refused() || !result.changes())
        return result;

    const std::string assetPath = nativePath(site, assetFolder(options.assets));
    std::error_code error;
    const bool newFolder = !fsx::folderExists(assetPath);
    std::filesystem::create_directories(std::filesystem::u8path(assetPath), error);
    if (!fsx::folderExists(assetPath))
        throw EInOutError("Cannot create folder \"" + assetPath + "\"");
    fsx::removeLeftoverTemporaries(assetPath);
    try {
        fsx::FileBatch batch;
        for (const Asset &asset : assets) {
            const std::string bytes =
                asset.source.empty() ? asset.text : fsx::readFile(asset.source);
            batch.add(fsx::withSeparator(assetPath) + asset.name,
                      [&bytes](TextOut &out) { out += bytes; });
        }
        const std::string assetsName = assetFolder(options.assets);
        for (std::size_t k = 0; k < result.pages.size(); ++k) {
            const SiteEntry &entry = result.pages[k];
            if (entry.state != State::Changed && entry.state != State::MarkersAdded)
                continue;
            // Read again under the lock: a page changed since it was looked at stops it all.
            const std::string path = nativePath(site, entry.path);
            const std::string page = fsx::readFile(path);
            if (hashOf(page) != hashes[k])
                throw EInOutError("\"" + path + "\" changed while the site was published");
            const PageUpdate update =
                updatePage(page, menuFor(entry.path, assetsName), options.addMarkers);
            batch.add(path, [&update](TextOut &out) { out += update.text; });
        }
        batch.commit();
    } catch (...) {
        if (newFolder)
            fsx::removeEmptyFolder(assetPath);
        throw;
    }
    result.written = true;
    return result;
}

} // namespace site
