#include "BatchTool.h"

#include "cli/SystemFontMeasure.h"
#include "document/AccessibilityCheck.h"
#include "document/Conversions.h"
#include "document/Errors.h"
#include "document/FileSystem.h"
#include "document/HtmlWriter.h"
#include "document/LinkCheck.h"
#include "document/MenuDocument.h"
#include "document/MenuLayout.h"
#include "document/MenuStructure.h"
#include "document/MenuTree.h"
#include "document/PackedTree.h"
#include "document/ProjectFile.h"
#include "document/Publisher.h"
#include "document/StoreRules.h"
#include "document/TextCodec.h"
#include "document/Version.h"
#include "interchange/Interchange.h"
#include "site/SitePublisher.h"

#include <algorithm>
#include <filesystem>
#include <map>
#include <optional>
#include <ostream>
#include <set>

namespace {
const char *const Usage =
    "usage: tarvelle-cli COMMAND PROJECT.tvl [ARGUMENT]\n"
    "\n"
    "commands:\n"
    "  html PROJECT.tvl [OUTPUT]   write the HTML fragment to OUTPUT or standard output\n"
    "  publish PROJECT.tvl FOLDER [--no-web-runtime] [--force]\n"
    "                              assemble the publishable folder in FOLDER: the page\n"
    "                              loads zorvex.js, copied beside it, unless\n"
    "                              --no-web-runtime is given; files there that Tarvelle\n"
    "                              did not write are only replaced with --force\n"
    "  report PROJECT.tvl          write the publish report to standard output\n"
    "  check PROJECT.tvl           list the problems of the project\n"
    "  layout [--width A] PROJECT.tvl\n"
    "                              write where the menu's parts lie, as JSON; with\n"
    "                              --width, the narrow form a page A pixels wide shows\n"
    "\n"
    "  import [--format F] [--menu NAME] [--element ID] [--force] SOURCE PROJECT.tvl\n"
    "                              make a new project of the menu in SOURCE: F is html,\n"
    "                              sitemap, hugo, jekyll or json (guessed when not given);\n"
    "                              an existing PROJECT.tvl is only replaced with --force\n"
    "  export --format F PROJECT.tvl [OUTPUT]\n"
    "                              write the menu as F (json, hugo-yaml, hugo-toml, jekyll,\n"
    "                              html) to OUTPUT or standard output\n"
    "\n"
    "  site [--dry-run] [--add-markers] [--assets FOLDER] PROJECT.tvl SITE\n"
    "                              put the menu into every page under SITE between\n"
    "                              <!-- tarvelle:menu --> and <!-- /tarvelle:menu -->, with\n"
    "                              addresses for each page's folder, and copy zorvex.js and\n"
    "                              the pictures into SITE (or FOLDER inside it);\n"
    "                              --add-markers puts the markers after <body> where a page\n"
    "                              has none; --dry-run only tells what would change\n"
    "\n"
    "  --help                      show this text\n"
    "  --version                   show the version\n";

// Text for a terminal: a caption holding an escape sequence must not steer it.
std::string printable(const std::string &text)
{
    return visibleText(text);
}

// A loaded project, prepared as the editor prepares a document before it saves. The tree is
// the packed one: a batch command only reads it, so it needs neither node identities nor a
// heap object per node.
struct Project
{
    MenuDocument doc;
    PackedTree tree;
    Publisher publisher{doc};
    std::string announcedItemCount; // the file's item count line, as written
};

void load(Project &project, const std::string &fileName, const std::string &programFolder)
{
    project.doc.setProgramFolder(programFolder);
    project.doc.resetToDefaults();
    project.tree.addChild(nullptr, "Tarvelle");
    ProjectReader reader(project.doc);
    reader.load(fileName, project.tree);
    project.announcedItemCount = reader.announcedItemCount();
    AppletRecord data = project.doc.appletData();
    applyAppletStoreRules(data, project.tree);
    project.doc.setAppletData(data);
    NullProgress progress;
    numberMenuStructure(project.tree, project.doc.items(), progress);
}

// load, or the reason it failed on err.
bool loadOrTell(Project &project, const std::string &fileName, const std::string &programFolder,
                std::ostream &err)
{
    try {
        load(project, fileName, programFolder);
        return true;
    } catch (const std::exception &error) {
        err << printable("tarvelle-cli: " + fileName + ": " + error.what()) << "\n";
        return false;
    }
}

std::string projectFolder(const std::string &fileName)
{
    const std::string folder = fsx::folderPart(fileName);
    return folder.empty() ? std::string(".") + fsx::separator() : folder;
}

// Text for a stream, handed on in pieces as it is made rather than held whole.
TextOut piecesTo(std::ostream &out)
{
    return TextOut([&out](std::string_view piece) {
        out.write(piece.data(), static_cast<std::streamsize>(piece.size()));
    });
}

int html(const Project &project, const std::vector<std::string> &args, std::ostream &out)
{
    if (args.size() > 2) {
        // The fragment never takes the place of the project it was made from.
        std::error_code error;
        if (std::filesystem::equivalent(args[2], args[1], error))
            throw EInOutError("Cannot write the page over the project \"" + args[1] + "\"");
        HtmlWriter(project.doc).save(args[2]);
    } else {
        TextOut text = piecesTo(out);
        HtmlWriter(project.doc).write(text);
        text.flush();
    }
    return ExitCode::Ok;
}

int publish(Project &project, const std::string &fileName, const std::string &folder, bool force,
            std::ostream &err)
{
    std::error_code ec;
    std::filesystem::create_directories(std::filesystem::u8path(folder), ec);
    if (!fsx::folderExists(folder))
        throw EInOutError("Cannot create folder \"" + folder + "\"");
    // Nothing is written while files that are someone else's, or read-only, stand in the way;
    // the question is put with the folder locked, so another save cannot change the answer.
    const auto mayReplace = [&](const Publisher::ReplacedFiles &replaced) {
        for (const std::string &file : replaced.readOnly)
            err << printable("tarvelle-cli: " + file + " is read-only and was not replaced")
                << "\n";
        const StringList foreign = force ? StringList() : replaced.foreign;
        for (const std::string &file : foreign)
            err << printable("tarvelle-cli: would replace " + file +
                             ", which Tarvelle did not write")
                << "\n";
        if (!foreign.empty())
            err << "tarvelle-cli: nothing was written; --force replaces these files\n";
        return replaced.readOnly.empty() && foreign.empty();
    };
    if (!project.publisher.saveAllFrom(fsx::withSeparator(folder), fsx::fileNamePart(fileName),
                                       project.tree, projectFolder(fileName), mayReplace))
        return ExitCode::LoadFailed;
    for (const AccessibilityWarning &warning :
         linkWarnings(MenuRecords{project.doc.items()}, project.doc.separator()))
        err << printable("tarvelle-cli: warning: " + warning.where + ": " + warning.what) << "\n";
    // In pieces, not a write a line: standard error has no buffer of its own.
    TextOut leftOut = piecesTo(err);
    for (const Publisher::Resource &resource : project.publisher.skippedResources()) {
        leftOut += printable("tarvelle-cli: left out: " + std::string(resource.name) + " (" +
                             fsx::describe(resource.check) + ")");
        leftOut += '\n';
    }
    leftOut.flush();
    return project.publisher.skippedResources().empty() ? ExitCode::Ok : ExitCode::Problems;
}

class Checker
{
public:
    Checker(const Project &project, std::ostream &out) : project_(project), out_(out) {}

    int run(const std::string &fileName)
    {
        leftOut_ =
            project_.publisher.resourcesFor(fsx::fileNamePart(fileName), projectFolder(fileName));
        leftOut_.erase(
            std::remove_if(leftOut_.begin(), leftOut_.end(),
                           [](const auto &r) { return r.check == fsx::ResourceCheck::Fine; }),
            leftOut_.end());
        std::sort(leftOut_.begin(), leftOut_.end(),
                  [](const auto &a, const auto &b) { return a.name < b.name; });
        checkCounts();
        checkCaptions();
        checkApplet();
        const ItemList &items = project_.doc.items();
        for (std::size_t k = 0; k < items.size(); ++k)
            checkItem(k, items[k]);
        checkAccessibility();
        return problems_ == 0 ? ExitCode::Ok : ExitCode::Problems;
    }

private:
    void problem(const std::string &where, const std::string &what)
    {
        out_ << printable(where + ": " + what) << "\n";
        ++problems_;
    }

    void checkCounts()
    {
        const std::string &announced = project_.announcedItemCount;
        const std::string nodes = std::to_string(project_.doc.items().size());
        if (announced != nodes)
            problem("project", "the structure has " + nodes +
                                   " items but the item section announces '" + announced + "'");
    }

    // The page shows the record's caption; the editor's tree shows the structure line.
    void checkCaptions()
    {
        const ItemList &items = project_.doc.items();
        std::size_t k = 0;
        for (const PreOrderEntry &entry : preOrderEntries(project_.tree)) {
            if (entry.level == 0 || k >= items.size())
                continue;
            const std::string line = project_.tree.caption(entry.node);
            const std::string caption(items[k][ItemField::ItemCaption]);
            if (caption != line)
                problem(itemName(k), "the caption '" + caption +
                                         "' differs from its structure "
                                         "line '" +
                                         line + "'; the page shows '" + caption + "'");
            ++k;
        }
    }

    std::string itemName(std::size_t k) const
    {
        return "item " + std::to_string(k + 1) + " \"" +
               std::string(project_.doc.items()[k][ItemField::ItemCaption]) + "\"";
    }

    // Each check takes where it looks as a function: the place is only written out for a
    // problem, not for every field of a large menu.
    template <class Where>
    void checkText(const Where &where, std::string_view value, bool separator = true)
    {
        if (separator && value.find('|') != std::string_view::npos)
            problem(where(),
                    "'" + std::string(value) + "' holds \"|\", which shifts the applet's fields");
        if (value.find_first_of("\r\n") != std::string_view::npos)
            problem(where(), "the value holds a line break");
    }

    // As publishing decides it: a resource it would leave out is a problem, with the reason.
    template <class Where> void checkResource(const Where &where, std::string_view name)
    {
        const auto found = std::lower_bound(
            leftOut_.begin(), leftOut_.end(), name,
            [](const auto &resource, std::string_view n) { return resource.name < n; });
        if (found != leftOut_.end() && found->name == name)
            problem(where(), "'" + std::string(name) + "' " + fsx::describe(found->check));
    }

    template <class Where> void checkInteger(const Where &where, std::string_view value)
    {
        int number;
        if (!tryParseInt(value, number))
            problem(where(), "'" + std::string(value) + "' is not an integer");
    }

    void checkApplet()
    {
        const AppletRecord data = project_.doc.appletData();
        for (const AppletFieldInfo &field : appletFieldTable()) {
            const auto where = [&field] {
                return "applet field " + std::to_string(field.position) + " " + field.name;
            };
            const std::string_view value = data[field.position];
            checkText(where, value);
            switch (appletFieldKind(field.position)) {
            case FieldKind::Count:
            case FieldKind::Integer:
            case FieldKind::Choice:
            case FieldKind::FontSize:
            case FieldKind::FontStyle:
                checkInteger(where, value);
                break;
            case FieldKind::Colour:
                if (!isRgbHex(value))
                    problem(where(), "'" + std::string(value) +
                                         "' is not a colour of six hexadecimal digits");
                break;
            case FieldKind::FileName:
                checkResource(where, value);
                break;
            case FieldKind::Flag:
            case FieldKind::Text:
            case FieldKind::Reserved:
                break;
            }
        }
    }

    void checkAccessibility()
    {
        const AppletRecord data = project_.doc.appletData();
        const MenuRecords items{project_.doc.items()};
        const MenuLayout layout = computeMenuLayout(
            data, items, itemParents(project_.tree), EstimatedMeasure(), PopupDepth::All,
            PopupMetrics::of(LookValues::read(project_.doc.look())));
        for (const AccessibilityWarning &warning :
             accessibilityWarnings(data, items, layout, LookValues::read(project_.doc.look())))
            problem(warning.where, warning.what);
        for (const AccessibilityWarning &warning : linkWarnings(items, project_.doc.separator()))
            problem(warning.where, warning.what);
    }

    void checkItem(std::size_t k, const ItemRecord &item)
    {
        using namespace ItemField;
        int pos = ItemCaption;
        const auto where = [&] {
            return "item " + std::to_string(k + 1) + " \"" + std::string(item[ItemCaption]) +
                   "\" " + ItemFieldNames[pos];
        };
        // A separator in the caption, link or target is told with what the page reads instead.
        for (pos = ItemCaption; pos <= ItemMenuOffsetY; ++pos)
            checkText(where, item[pos], pos > ItemTarget);
        for (pos = ItemMenuOffsetX; pos <= ItemMenuOffsetY; ++pos)
            checkInteger(where, item[pos]);
        for (pos = ItemNoBgImg; pos <= ItemClBgSnd; ++pos)
            checkResource(where, item[pos]);
    }

    const Project &project_;
    std::ostream &out_;
    // The resources publishing leaves out, with why, sorted by name (views into the records).
    std::vector<Publisher::Resource> leftOut_;
    int problems_ = 0;
};

// Removes every occurrence of a flag; true when there was one.
bool takeOption(std::vector<std::string> &args, const std::string &flag)
{
    const auto end = std::remove(args.begin(), args.end(), flag);
    const bool found = end != args.end();
    args.erase(end, args.end());
    return found;
}

std::optional<int> parseWidth(const std::string &text)
{
    if (text.empty() || text.size() > 4 ||
        !std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return std::nullopt;
    const int width = std::stoi(text);
    return width >= 1 ? std::optional<int>(width) : std::nullopt;
}

// Takes "--name VALUE" out of args into value; false when the option has no value.
bool takeValue(std::vector<std::string> &args, const std::string &name, std::string &value)
{
    const auto option = std::find(args.begin(), args.end(), name);
    if (option == args.end())
        return true;
    if (option + 1 == args.end())
        return false;
    value = *(option + 1);
    args.erase(option, option + 2);
    return true;
}

bool isOption(const std::string &arg)
{
    return arg.size() > 2 && arg.compare(0, 2, "--") == 0;
}

int usageError(std::ostream &err, const std::string &what)
{
    err << printable("tarvelle-cli: " + what) << "\n\n" << Usage;
    return ExitCode::Usage;
}

int tellLeftOut(const std::vector<std::string> &leftOut, const std::string &where,
                std::ostream &err)
{
    TextOut text = piecesTo(err);
    for (const std::string &what : leftOut) {
        text += printable("tarvelle-cli: " + where + what);
        text += '\n';
    }
    text.flush();
    return leftOut.empty() ? ExitCode::Ok : ExitCode::Problems;
}

// import [--format F] [--menu NAME] [--element ID] [--force] SOURCE PROJECT.tvl
int importCommand(std::vector<std::string> args, std::ostream &err)
{
    std::string formatName, menu, element;
    const bool force = takeOption(args, "--force");
    if (!takeValue(args, "--format", formatName) || !takeValue(args, "--menu", menu) ||
        !takeValue(args, "--element", element))
        return usageError(err, "an option of import lacks its value");
    interchange::ImportOptions options{std::nullopt, menu, element};
    if (!formatName.empty() && !(options.format = interchange::importFormatNamed(formatName)))
        return usageError(err, "import reads no format \"" + formatName + "\"");
    if (args.size() != 3 || std::any_of(args.begin(), args.end(), isOption))
        return usageError(err, "import takes a source and a project file");
    const std::string &source = args[1], &projectFile = args[2];
    if (!force && fsx::fileExists(projectFile)) {
        err << printable("tarvelle-cli: " + projectFile +
                         " exists; import writes a new project (--force replaces it)")
            << "\n";
        return ExitCode::LoadFailed;
    }
    interchange::ImportedMenu menuRead;
    try {
        interchange::importMenu(fsx::readFile(source), source, options, menuRead);
    } catch (const std::exception &error) {
        err << printable("tarvelle-cli: " + source + ": " + error.what()) << "\n";
        return ExitCode::LoadFailed;
    }
    try {
        ProjectWriter(menuRead.document, menuRead.tree).save(projectFile);
    } catch (const std::exception &error) {
        err << printable("tarvelle-cli: " + projectFile + ": " + error.what()) << "\n";
        return ExitCode::LoadFailed;
    }
    return tellLeftOut(menuRead.leftOut, source + ": left out: ", err);
}

// export --format F PROJECT.tvl [OUTPUT]
int exportCommand(std::vector<std::string> args, const std::string &programFolder,
                  std::ostream &out, std::ostream &err)
{
    std::string formatName;
    if (!takeValue(args, "--format", formatName))
        return usageError(err, "--format lacks its value");
    const auto format = interchange::exportFormatNamed(formatName);
    if (!format)
        return usageError(err, formatName.empty()
                                   ? std::string("export needs --format")
                                   : "export writes no format \"" + formatName + "\"");
    if (args.size() < 2 || args.size() > 3 || std::any_of(args.begin(), args.end(), isOption))
        return usageError(err, "export takes a project file and an optional output file");
    const std::string &fileName = args[1];
    Project project;
    if (!loadOrTell(project, fileName, programFolder, err))
        return ExitCode::LoadFailed;
    std::vector<std::string> leftOut;
    try {
        // Written as it is made, to the file (which takes its place once complete) or out.
        if (args.size() == 3) {
            std::error_code error;
            if (std::filesystem::equivalent(args[2], fileName, error))
                throw EInOutError("Cannot write the export over the project \"" + fileName + "\"");
            fsx::writeFileAtomically(args[2], [&](TextOut &text) {
                interchange::exportMenu(*format, project.doc, project.tree, text, leftOut);
            });
        } else {
            TextOut text = piecesTo(out);
            interchange::exportMenu(*format, project.doc, project.tree, text, leftOut);
            text.flush();
        }
    } catch (const std::exception &error) {
        err << printable("tarvelle-cli: " + (args.size() == 3 ? args[2] : fileName) + ": " +
                         error.what())
            << "\n";
        return ExitCode::LoadFailed;
    }
    return tellLeftOut(leftOut, fileName + ": warning: ", err);
}

// What a run of the site command did, a line a page or file it changed or left out, then the
// summary; the exit status.
int tellSite(const site::SiteResult &result, bool dryRun, std::ostream &out, std::ostream &err)
{
    using State = site::SiteEntry::State;
    TextOut lines = piecesTo(out);
    TextOut problems = piecesTo(err);
    const auto tell = [&](const site::SiteEntry &entry) {
        switch (entry.state) {
        case State::Changed:
            lines +=
                printable(entry.path + (dryRun ? ": the menu would be written" : ": menu written"));
            break;
        case State::MarkersAdded:
            lines += printable(entry.path + (dryRun ? ": markers and the menu would be added"
                                                    : ": markers added, menu written"));
            break;
        case State::WithoutMarkers:
            lines += printable(entry.path + ": no markers, left alone" +
                               (entry.why.empty() ? "" : " (" + entry.why + ")"));
            break;
        case State::LeftOut:
            problems += printable("tarvelle-cli: left out: " + entry.path + " (" + entry.why + ")");
            problems += '\n';
            return;
        case State::Refused:
            problems += printable("tarvelle-cli: " + entry.path + " " + entry.why);
            problems += '\n';
            return;
        case State::Unchanged:
            return;
        }
        lines += '\n';
    };
    for (const site::SiteEntry &page : result.pages)
        tell(page);
    for (const site::SiteEntry &asset : result.assets) {
        if (asset.state == State::Changed)
            lines += printable(asset.path + (dryRun ? ": would be copied\n" : ": copied\n"));
        else
            tell(asset);
    }
    for (const Publisher::Resource &resource : result.leftOut) {
        problems += printable("tarvelle-cli: left out: " + std::string(resource.name) + " (" +
                              fsx::describe(resource.check) + ")");
        problems += '\n';
    }
    std::string summary = result.summary();
    if (result.refused())
        summary += "; nothing was written";
    else if (dryRun)
        summary += " (a dry run: nothing was written)";
    else if (!result.written)
        summary += "; nothing to write";
    lines += summary + "\n";
    problems.flush();
    lines.flush();
    if (result.refused())
        return ExitCode::LoadFailed;
    return result.count(State::WithoutMarkers) + result.count(State::LeftOut) > 0 ||
                   !result.leftOut.empty()
               ? ExitCode::Problems
               : ExitCode::Ok;
}

// site [--dry-run] [--add-markers] [--assets FOLDER] PROJECT.tvl SITE
int siteCommand(std::vector<std::string> args, const std::string &programFolder, std::ostream &out,
                std::ostream &err)
{
    site::SiteOptions options;
    const bool dryRun = takeOption(args, "--dry-run");
    options.addMarkers = takeOption(args, "--add-markers");
    if (!takeValue(args, "--assets", options.assets))
        return usageError(err, "--assets lacks its folder");
    if (args.size() != 3 || std::any_of(args.begin(), args.end(), isOption))
        return usageError(err, "site takes a project file and a site folder");
    const std::string &fileName = args[1], &siteFolder = args[2];
    Project project;
    if (!loadOrTell(project, fileName, programFolder, err))
        return ExitCode::LoadFailed;
    const site::SitePublisher publisher(project.doc, project.tree, projectFolder(fileName),
                                        fsx::fileNamePart(fileName));
    site::SiteResult result;
    try {
        result =
            dryRun ? publisher.plan(siteFolder, options) : publisher.publish(siteFolder, options);
    } catch (const std::exception &error) {
        err << printable("tarvelle-cli: " + siteFolder + ": " + error.what()) << "\n"
            << "tarvelle-cli: nothing was written\n";
        return ExitCode::LoadFailed;
    }
    return tellSite(result, dryRun, out, err);
}

bool expects(const std::string &command, std::size_t argc)
{
    if (command == "html")
        return argc == 2 || argc == 3;
    if (command == "publish")
        return argc == 3;
    if (command == "report" || command == "check" || command == "layout")
        return argc == 2;
    return false;
}
} // namespace

int runBatchTool(const std::vector<std::string> &arguments, const std::string &programFolder,
                 std::ostream &out, std::ostream &err)
{
    if (arguments.size() == 1 && arguments[0] == "--help") {
        out << Usage;
        return ExitCode::Ok;
    }
    if (arguments.size() == 1 && arguments[0] == "--version") {
        out << "tarvelle-cli " << TarvelleVersion << "\n";
        return ExitCode::Ok;
    }
    if (!arguments.empty() && arguments[0] == "import")
        return importCommand(arguments, err);
    if (!arguments.empty() && arguments[0] == "export")
        return exportCommand(arguments, programFolder, out, err);
    if (!arguments.empty() && arguments[0] == "site")
        return siteCommand(arguments, programFolder, out, err);
    // Options may stand anywhere after the command.
    std::vector<std::string> args = arguments;
    const bool publishing = !args.empty() && args[0] == "publish";
    const bool webRuntime = !(publishing && takeOption(args, "--no-web-runtime"));
    const bool force = publishing && takeOption(args, "--force");
    if (publishing)
        takeOption(args, "--web-runtime"); // the former default, still accepted
    std::optional<int> narrowWidth;
    if (!args.empty() && args[0] == "layout") {
        const auto option = std::find(args.begin(), args.end(), "--width");
        if (option != args.end()) {
            narrowWidth = option + 1 != args.end() ? parseWidth(*(option + 1)) : std::nullopt;
            if (!narrowWidth) {
                err << "tarvelle-cli: --width takes a whole number of pixels from 1 to 9999\n\n"
                    << Usage;
                return ExitCode::Usage;
            }
            args.erase(option, option + 2);
        }
    }
    const bool unknownOption = std::any_of(args.begin(), args.end(), [](const std::string &a) {
        return a.size() > 2 && a.compare(0, 2, "--") == 0;
    });
    if (args.empty() || unknownOption || !expects(args[0], args.size())) {
        static const std::set<std::string> commands{"html",   "publish", "report", "check",
                                                    "layout", "import",  "export", "site"};
        if (!args.empty() && !commands.count(args[0]))
            err << printable("tarvelle-cli: unknown command \"" + args[0] + "\"") << "\n\n";
        err << Usage;
        return ExitCode::Usage;
    }

    const std::string &command = args[0];
    const std::string &fileName = args[1];
    Project project;
    project.doc.setIncludeWebRuntime(webRuntime);
    if (!loadOrTell(project, fileName, programFolder, err))
        return ExitCode::LoadFailed;
    try {
        if (command == "html")
            return html(project, args, out);
        if (command == "publish")
            return publish(project, fileName, args[2], force, err);
        if (command == "layout") {
            const MenuLayout layout =
                computeMenuLayout(project.doc.appletData(), MenuRecords{project.doc.items()},
                                  itemParents(project.tree), SystemFontMeasure(), PopupDepth::All,
                                  PopupMetrics::of(LookValues::read(project.doc.look())));
            TextOut json = piecesTo(out);
            if (narrowWidth)
                writeNarrowLayoutJson(json, project.doc.appletData(),
                                      MenuRecords{project.doc.items()}, layout, *narrowWidth);
            else
                writeMenuLayoutJson(json, layout);
            json.flush();
            return ExitCode::Ok;
        }
        if (command == "report") {
            out << printable(
                project.publisher.reportText(fsx::fileNamePart(fileName), projectFolder(fileName)));
            return ExitCode::Ok;
        }
        return Checker(project, out).run(fileName);
    } catch (const std::exception &error) {
        const std::string target = args.size() > 2 ? args[2] : fileName;
        err << printable("tarvelle-cli: " + target + ": " + error.what()) << "\n";
        return ExitCode::LoadFailed;
    }
}
