#include "site/SitePages.h"

#include "document/Errors.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <gumbo.h>

namespace fs = std::filesystem;

namespace site {
namespace {
bool isPageName(const std::string &name)
{
    std::string lower(name);
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    const auto endsWith = [&lower](std::string_view tail) {
        return lower.size() > tail.size() &&
               lower.compare(lower.size() - tail.size(), tail.size(), tail) == 0;
    };
    return endsWith(".html") || endsWith(".htm");
}

// The path from the site's top with "/" between names, whatever the platform writes.
std::string sitePath(const fs::path &site, const fs::path &file)
{
    return file.lexically_relative(site).generic_u8string();
}

bool inside(const fs::path &folder, const fs::path &file)
{
    const fs::path relative = file.lexically_relative(folder);
    return !relative.empty() && *relative.begin() != "..";
}

// The line end a page uses: that of its first line; CR LF in a page of one line.
std::string_view lineEndOf(std::string_view page)
{
    const std::size_t end = page.find_first_of("\r\n");
    if (end == std::string_view::npos)
        return "\r\n";
    if (page[end] == '\n')
        return "\n";
    return end + 1 < page.size() && page[end + 1] == '\n' ? "\r\n" : "\r";
}

// Appends menu, whose lines end in CR LF, with the page's line ends instead.
void appendWithLineEnds(std::string &text, std::string_view menu, std::string_view lineEnd)
{
    if (lineEnd == "\r\n") {
        text += menu;
        return;
    }
    for (std::size_t start = 0; start < menu.size();) {
        const std::size_t end = std::min(menu.find("\r\n", start), menu.size());
        text.append(menu, start, end - start);
        if (end < menu.size())
            text += lineEnd;
        start = end + 2;
    }
}

// Where markers go: just after the page's own <body ...> tag, as an HTML parser finds it (not
// one in a comment or a script); npos when the page has none.
std::size_t afterBodyTag(std::string_view page)
{
    GumboOutput *output = gumbo_parse_with_options(&kGumboDefaultOptions, page.data(), page.size());
    std::size_t position = std::string_view::npos;
    const GumboVector &children = output->root->v.element.children;
    for (unsigned k = 0; k < children.length; ++k) {
        const auto *node = static_cast<const GumboNode *>(children.data[k]);
        if (node->type != GUMBO_NODE_ELEMENT || node->v.element.tag != GUMBO_TAG_BODY)
            continue;
        const GumboStringPiece &tag = node->v.element.original_tag;
        if (tag.length > 0 && tag.data >= page.data() && tag.data < page.data() + page.size())
            position = static_cast<std::size_t>(tag.data - page.data()) + tag.length;
        break;
    }
    gumbo_destroy_output(&kGumboDefaultOptions, output);
    return position;
}
} // namespace

std::vector<PageFile> findPages(const std::string &site)
{
    std::error_code error;
    const fs::path top = fs::u8path(site);
    if (!fs::is_directory(top, error))
        throw EInOutError("\"" + site + "\" is not a folder");
    const fs::path realTop = fs::canonical(top, error);
    std::vector<PageFile> pages;
    fs::recursive_directory_iterator walk(top, fs::directory_options::skip_permission_denied,
                                          error),
        end;
    if (error)
        throw EInOutError("Cannot read the folder \"" + site + "\": " + error.message());
    for (; walk != end; walk.increment(error)) {
        if (error)
            throw EInOutError("Cannot read the folder \"" + site + "\": " + error.message());
        const fs::directory_entry &entry = *walk;
        const std::string name = entry.path().filename().u8string();
        if (entry.is_directory(error) && !entry.is_symlink(error)) {
            if (name.size() > 1 && name[0] == '.') {
                walk.disable_recursion_pending();
                continue;
            }
            // A folder that cannot be listed may hold pages: it is named, not passed over.
            const fs::directory_iterator listing(entry.path(), error);
            if (error) {
                pages.push_back({sitePath(top, entry.path()), PageFile::Kind::Unreadable, false});
                walk.disable_recursion_pending();
                error.clear();
            }
            continue;
        }
        if (!isPageName(name))
            continue;
        PageFile page{sitePath(top, entry.path()), PageFile::Kind::Regular, false};
        if (entry.is_symlink(error)) {
            page.kind = PageFile::Kind::Link;
            const fs::path target = fs::weakly_canonical(entry.path(), error);
            page.outsideSite = error || !inside(realTop, target);
            error.clear();
        } else if (!entry.is_regular_file(error)) {
            page.kind = PageFile::Kind::NotRegular;
        }
        pages.push_back(std::move(page));
        if (pages.size() > MaxPages)
            throw EInOutError("\"" + site + "\" holds more than 100,000 pages");
    }
    std::sort(pages.begin(), pages.end(),
              [](const PageFile &a, const PageFile &b) { return a.path < b.path; });
    return pages;
}

PageUpdate updatePage(std::string_view page, std::string_view menu, bool addMarkers)
{
    PageUpdate update;
    const std::size_t open = page.find(OpenMarker);
    const std::size_t close = page.find(CloseMarker);
    const std::string_view lineEnd = lineEndOf(page);
    if (open == std::string_view::npos && close == std::string_view::npos) {
        if (!addMarkers)
            return update;
        const std::size_t body = afterBodyTag(page);
        if (body == std::string_view::npos) {
            update.state = PageUpdate::State::NoBody;
            return update;
        }
        update.state = PageUpdate::State::MarkersAdded;
        update.text.reserve(page.size() + menu.size() + 64);
        update.text.append(page.substr(0, body));
        update.text.append(lineEnd).append(OpenMarker).append(lineEnd);
        appendWithLineEnds(update.text, menu, lineEnd);
        update.text.append(CloseMarker).append(page.substr(body));
        return update;
    }
    const bool paired = open != std::string_view::npos && close != std::string_view::npos &&
                        open + OpenMarker.size() <= close &&
                        page.find(OpenMarker, open + 1) == std::string_view::npos &&
                        page.find(CloseMarker, close + 1) == std::string_view::npos;
    if (!paired) {
        update.state = PageUpdate::State::BrokenMarkers;
        return update;
    }
    // The blanks before the closing marker on its line stay, so an indented pair keeps its look.
    std::size_t indent = close;
    while (indent > open + OpenMarker.size() &&
           (page[indent - 1] == ' ' || page[indent - 1] == '\t'))
        --indent;
    update.state = PageUpdate::State::Filled;
    update.text.reserve(page.size() + menu.size());
    update.text.append(page.substr(0, open + OpenMarker.size())).append(lineEnd);
    appendWithLineEnds(update.text, menu, lineEnd);
    update.text.append(page.substr(indent));
    return update;
}

} // namespace site
