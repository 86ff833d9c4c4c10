// Any bytes through every importer: a source is taken or refused with EImportError, never
// with a crash or another exception, and every project an import makes opens again.
//
// The first byte picks the format (and the file name its guesses read); the rest is the source.

#include "document/MemoryTree.h"
#include "document/ProjectFile.h"
#include "interchange/Interchange.h"
#include "tests/fuzz/FuzzSupport.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    if (size == 0)
        return 0;
    using interchange::ImportFormat;
    struct Kind
    {
        ImportFormat format;
        const char *fileName;
    };
    static const Kind kinds[] = {
        {ImportFormat::Html, "page.html"},   {ImportFormat::Sitemap, "sitemap.xml"},
        {ImportFormat::Hugo, "config.yaml"}, {ImportFormat::Jekyll, "navigation.yml"},
        {ImportFormat::Json, "menu.json"},   {ImportFormat::Hugo, "hugo.toml"}};
    const Kind &kind = kinds[data[0] % 6];
    const std::string source(reinterpret_cast<const char *>(data) + 1, size - 1);
    interchange::ImportedMenu menu;
    try {
        interchange::importMenu(source, kind.fileName, {kind.format, "", ""}, menu);
    } catch (const interchange::EImportError &) {
        return 0;
    }
    std::string text;
    try {
        text = ProjectWriter(menu.document, menu.tree).text();
    } catch (const std::exception &error) {
        fuzzFailure(std::string("the imported project cannot be written: ") + error.what());
    }
    MenuDocument again;
    MemoryTree tree;
    tree.addChild(nullptr, "Tarvelle");
    try {
        ProjectReader(again).read(text, tree);
    } catch (const std::exception &error) {
        fuzzFailure(std::string("the imported project does not open again: ") + error.what());
    }
    fuzzCheck(again.items().size() == menu.document.items().size(),
              "the project read back has another number of items");
    return 0;
}
