#pragma once

#include "document/Errors.h"
#include "document/MenuDocument.h"
#include "document/PackedTree.h"
#include "document/TextOut.h"

#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

// Menus in and out of Tarvelle: imported from a site's HTML, its sitemap, the menu settings
// of a static-site generator or Tarvelle's own JSON; exported for them.
namespace interchange {

enum class ImportFormat
{
    Html,
    Sitemap,
    Hugo,
    Jekyll,
    Json,
};

enum class ExportFormat
{
    Json,
    HugoYaml,
    HugoToml,
    Jekyll,
    Html,
};

// A source that cannot be read as its format, holds no menu, or exceeds what a project holds;
// the message names the place.
class EImportError : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

// "html", "sitemap", "hugo", "jekyll", "json"; nothing for another name.
std::optional<ImportFormat> importFormatNamed(std::string_view name);
// "json", "hugo-yaml", "hugo-toml", "jekyll", "html".
std::optional<ExportFormat> exportFormatNamed(std::string_view name);
// The format of a source, from its file name's extension and its first bytes.
ImportFormat guessImportFormat(const std::string &fileName, std::string_view content);

struct ImportOptions
{
    std::optional<ImportFormat> format; // guessed when not given
    std::string menu;                   // hugo: menus.NAME (default "main"); jekyll: a list
    std::string element;                // html: the id of the element holding the menu
};

// An imported project: a new menu's look with the source's items, or Tarvelle's JSON whole.
struct ImportedMenu
{
    MenuDocument document;
    PackedTree tree;
    // What the source held that the project does not, each with where and why.
    std::vector<std::string> leftOut;
};

// Reads content (the source file's bytes; fileName for the guess and the messages) into
// menu, whose document and tree start empty. Throws EImportError.
void importMenu(const std::string &content, const std::string &fileName,
                const ImportOptions &options, ImportedMenu &menu);

// Writes the project as the format holds it, in pieces as it is made; leftOut receives what
// the format cannot hold.
void exportMenu(ExportFormat format, const MenuDocument &document, const ItemTree &tree,
                TextOut &out, std::vector<std::string> &leftOut);
// The same, whole.
std::string exportMenu(ExportFormat format, const MenuDocument &document, const ItemTree &tree,
                       std::vector<std::string> &leftOut);

} // namespace interchange
