#include "Interchange.h"

#include "document/HtmlWriter.h"
#include "document/MenuLayout.h"
#include "document/MenuStructure.h"
#include "document/MenuTree.h"
#include "document/StoreRules.h"
#include "document/TextOut.h"
#include "interchange/Formats.h"

#include <algorithm>
#include <cctype>
#include <cstddef>
#include <utility>

namespace interchange {

namespace {
// The formats' names on the command line: a name may read one format, write one, or both.
struct FormatName
{
    std::string_view name;
    std::optional<ImportFormat> import;
    std::optional<ExportFormat> exported;
};
constexpr FormatName FormatNames[] = {
    {"html", ImportFormat::Html, ExportFormat::Html},
    {"sitemap", ImportFormat::Sitemap, std::nullopt},
    {"hugo", ImportFormat::Hugo, std::nullopt},
    {"hugo-yaml", std::nullopt, ExportFormat::HugoYaml},
    {"hugo-toml", std::nullopt, ExportFormat::HugoToml},
    {"jekyll", ImportFormat::Jekyll, ExportFormat::Jekyll},
    {"json", ImportFormat::Json, ExportFormat::Json},
};

const FormatName *formatNamed(std::string_view name)
{
    for (const FormatName &format : FormatNames) {
        if (format.name == name)
            return &format;
    }
    return nullptr;
}
} // namespace

std::optional<ImportFormat> importFormatNamed(std::string_view name)
{
    const FormatName *format = formatNamed(name);
    return format ? format->import : std::nullopt;
}

std::optional<ExportFormat> exportFormatNamed(std::string_view name)
{
    const FormatName *format = formatNamed(name);
    return format ? format->exported : std::nullopt;
}

namespace {
bool contains(std::string_view text, std::string_view part)
{
    return text.find(part) != std::string_view::npos;
}
} // namespace

ImportFormat guessImportFormat(const std::string &fileName, std::string_view content)
{
    const std::string extension = lowerExtension(fileName);
    const std::string_view head = content.substr(0, 4096);
    if (extension == "html" || extension == "htm" || extension == "php")
        return ImportFormat::Html;
    if (extension == "xml" || contains(head, "<urlset"))
        return ImportFormat::Sitemap;
    if (extension == "json")
        return contains(head, "\"tarvelle-menu\"") ? ImportFormat::Json : ImportFormat::Hugo;
    if (extension == "toml")
        return ImportFormat::Hugo;
    if (extension == "yaml" || extension == "yml") {
        // A site configuration has its menus under a key; a navigation file is a list or lists.
        const bool siteConfig = contains(content, "\nmenus:") || contains(content, "\nmenu:") ||
                                content.rfind("menus:", 0) == 0 || content.rfind("menu:", 0) == 0;
        return siteConfig ? ImportFormat::Hugo : ImportFormat::Jekyll;
    }
    if (contains(head, "\"tarvelle-menu\""))
        return ImportFormat::Json;
    return ImportFormat::Html;
}

void importMenu(const std::string &content, const std::string &fileName,
                const ImportOptions &options, ImportedMenu &menu)
{
    const ImportFormat format =
        options.format ? *options.format : guessImportFormat(fileName, content);
    menu.tree.addChild(nullptr, "Tarvelle");
    if (format == ImportFormat::Json) {
        importJson(content, menu.document, menu.tree);
        return;
    }
    Outline outline;
    switch (format) {
    case ImportFormat::Html:
        outline = importHtml(content, options.element, menu.leftOut);
        break;
    case ImportFormat::Sitemap:
        outline = importSitemap(content, menu.leftOut);
        break;
    case ImportFormat::Hugo:
        outline = importHugo(content, fileName, options.menu, menu.leftOut);
        break;
    case ImportFormat::Jekyll:
        outline = importJekyll(content, options.menu, menu.leftOut);
        break;
    case ImportFormat::Json:
        break;
    }
    if (outline.empty())
        throw EImportError("no menu was found");
    buildProject(std::move(outline), menu.document, menu.tree);
    // Numbered and with the store rules applied, as a save writes a project.
    AppletRecord data = menu.document.appletData();
    applyAppletStoreRules(data, menu.tree);
    menu.document.setAppletData(data);
    NullProgress progress;
    numberMenuStructure(menu.tree, menu.document.items(), progress);
}

namespace {
// The look of a new menu, against which an export tells whether the look is lost.
bool hasOwnLook(const MenuDocument &document)
{
    MenuDocument fresh;
    fresh.startNewMenu();
    const AppletRecord mine = document.appletData(), theirs = fresh.appletData();
    for (const AppletFieldInfo &field : appletFieldTable()) {
        const FieldKind kind = appletFieldKind(field.position);
        if (kind != FieldKind::Count && kind != FieldKind::Reserved &&
            mine[field.position] != theirs[field.position])
            return true;
    }
    return false;
}
} // namespace

std::string exportMenu(ExportFormat format, const MenuDocument &document, const ItemTree &tree,
                       std::vector<std::string> &leftOut)
{
    TextOut out;
    exportMenu(format, document, tree, out, leftOut);
    return out.take();
}

void exportMenu(ExportFormat format, const MenuDocument &document, const ItemTree &tree,
                TextOut &out, std::vector<std::string> &leftOut)
{
    if (format == ExportFormat::Json) {
        exportJson(document, tree, out);
        return;
    }
    if (format == ExportFormat::Html) {
        writeNoScriptMenu(out, document.items(), itemParents(tree));
        return;
    }
    if (hasOwnLook(document))
        leftOut.push_back("the menu's look (colours, fonts, borders, pictures and sounds of the "
                          "menu) is not exported");
    std::size_t withFiles = 0;
    std::string first;
    for (const ItemRecord &item : document.items()) {
        for (int pos = ItemField::ItemNoBgImg; pos <= ItemField::ItemClBgSnd; ++pos) {
            if (!item[pos].empty()) {
                if (withFiles++ == 0)
                    first = std::string(item[ItemField::ItemCaption]);
                break;
            }
        }
    }
    if (withFiles > 0)
        leftOut.push_back("the pictures and sounds of " + std::to_string(withFiles) +
                          " item(s) (the first: \"" + first + "\") are not exported");
    const Outline outline = outlineOf(document, tree);
    switch (format) {
    case ExportFormat::HugoYaml:
        out += exportHugoYaml(outline, leftOut);
        break;
    case ExportFormat::HugoToml:
        out += exportHugoToml(outline, leftOut);
        break;
    default:
        out += exportJekyll(outline, leftOut);
        break;
    }
}

} // namespace interchange

// ---- the outline

std::string lowerExtension(const std::string &fileName)
{
    const std::size_t dot = fileName.rfind('.');
    const std::size_t slash = fileName.find_last_of("/\\");
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash))
        return std::string();
    std::string extension = fileName.substr(dot + 1);
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return extension;
}

void requireDepth(int level, const std::string &where)
{
    if (level > MaxMenuDepth)
        throw interchange::EImportError(where + ": the menu is deeper than " +
                                        std::to_string(MaxMenuDepth) +
                                        " levels, the most a project holds");
}

std::string collapseBlanks(std::string_view text)
{
    std::string out;
    bool blank = false;
    for (const char c : text) {
        if (c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f' || c == '\v') {
            blank = !out.empty();
            continue;
        }
        if (blank)
            out += ' ';
        blank = false;
        out += c;
    }
    return out;
}

namespace {
// A value as a project line holds it: one line, and no bar, which separates the applet's
// fields (in a link it is written as the address escape that means the same).
std::string projectValue(std::string_view value, bool address, const std::string &where)
{
    // Control characters (Ctrl-Z ends a file for some readers) are blanks in a text, escapes
    // in an address.
    std::string visible;
    for (const char c : value) {
        const auto byte = static_cast<unsigned char>(c);
        if ((byte < 0x20 && c != '\t' && c != '\n' && c != '\r') || byte == 0x7F) {
            static const char hex[] = "0123456789ABCDEF";
            visible += address ? std::string{'%', hex[byte >> 4], hex[byte & 15]} : " ";
        } else {
            visible += c;
        }
    }
    std::string out;
    for (const char c : collapseBlanks(visible))
        out += c != '|' ? std::string(1, c) : address ? "%7C" : "/";
    if (out.size() > MaxValueBytes)
        throw interchange::EImportError(where + " is longer than " + std::to_string(MaxValueBytes) +
                                        " bytes, the most a project line holds");
    return out;
}

struct Builder
{
    MenuDocument &document;
    ItemTree &tree;

    void add(Outline &items, ItemTree::Node parent, int level)
    {
        for (OutlineItem &item : items) {
            if (!item.separator && !item.children.empty() && !item.url.empty()) {
                OutlineItem page;
                page.caption = item.caption;
                page.url = std::move(item.url);
                page.target = std::move(item.target);
                page.statusText = item.statusText;
                item.children.insert(item.children.begin(), std::move(page));
                item.url.clear();
                item.target.clear();
            }
            const std::string where = "item \"" + collapseBlanks(item.caption).substr(0, 60) + "\"";
            requireDepth(level, where);
            if (document.items().size() >= static_cast<std::size_t>(MaxMenuItems))
                throw interchange::EImportError("the menu has more than " +
                                                std::to_string(MaxMenuItems) +
                                                " items, the most a project holds");
            ItemRecord record = document.newItem();
            const std::string caption =
                item.separator ? std::string(SeparatorCaption)
                               : projectValue(item.caption, false, where + "'s caption");
            record.set(ItemField::ItemCaption, caption);
            record.set(ItemField::ItemURL, projectValue(item.url, true, where + "'s link"));
            const std::string target = projectValue(item.target, false, where + "'s target");
            record.set(ItemField::ItemTarget, target.empty() ? "_self" : target);
            record.set(ItemField::ItemStatusBarText,
                       projectValue(item.statusText, false, where + "'s status text"));
            const ItemTree::Node node = tree.addChild(parent, caption);
            document.items().push_back(std::move(record));
            add(item.children, node, level + 1);
        }
    }
};

void collect(const MenuDocument &document, const ItemTree &tree, ItemTree::Node node,
             std::size_t &next, Outline &into)
{
    const ItemList &items = document.items();
    const int count = tree.childCount(node);
    for (int index = 0; index < count && next < items.size(); ++index) {
        const ItemRecord &record = items[next++];
        OutlineItem item;
        item.caption = std::string(record[ItemField::ItemCaption]);
        item.url = std::string(record[ItemField::ItemURL]);
        item.target = std::string(record[ItemField::ItemTarget]);
        item.statusText = std::string(record[ItemField::ItemStatusBarText]);
        const ItemTree::Node child = tree.child(node, index);
        item.separator = item.caption == SeparatorCaption && tree.childCount(child) == 0;
        collect(document, tree, child, next, item.children);
        into.push_back(std::move(item));
    }
}
} // namespace

void buildProject(Outline outline, MenuDocument &document, ItemTree &tree)
{
    document.startNewMenu();
    if (!tree.root())
        tree.addChild(nullptr, "Tarvelle");
    Builder{document, tree}.add(outline, tree.root(), 1);
}

Outline outlineOf(const MenuDocument &document, const ItemTree &tree)
{
    Outline outline;
    std::size_t next = 0;
    if (tree.root())
        collect(document, tree, tree.root(), next, outline);
    return outline;
}
