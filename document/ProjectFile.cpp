// The project file: note lines, the General, Structure, Applet Parameter and Item Parameter
// sections, and the Look section when the menu has look settings, CR LF after every line.

#include "ProjectFile.h"

#include "document/Conversions.h"
#include "document/Errors.h"
#include "document/FileSystem.h"
#include "document/MenuDocument.h"
#include "document/MenuTree.h"
#include "document/TextCodec.h"

#include <algorithm>
#include <array>
#include <climits>
#include <optional>
#include <stdexcept>

namespace {
const std::string StructureStart = "--------------- Structure Description Start ---------------";
const std::string StructureEnd = "--------------- Structure Description End ---------------";
const std::string AppletStart =
    "--------------- Applet Parameter Description Start ---------------";
const std::string AppletEnd = "--------------- Applet Parameter Description End ---------------";
const std::string ItemStart = "--------------- Item Parameter Description Start ---------------";
const std::string ItemEnd = "--------------- Item Parameter Description End ---------------";
const std::string LookStart = "--------------- Look Description ---------------";
const std::string LookEnd = "--------------- Look Description End ---------------";

const char *const HeaderLines[] = {
    "Note: This file be created and maintained by Tarvelle,",
    "please do not modify it by yourself, otherwise the project file may not",
    "be opened correctly! Thanks!. ",
    "--------------- General Description Start ---------------",
    "Name = Tarvelle",
    "Version = 10 ",
    "--------------- General Description End ---------------",
};

// The length of value's first characters, at most bytes long, not cutting a character.
std::size_t utf8Prefix(std::string_view value, std::size_t bytes)
{
    while (bytes > 0 && bytes < value.size() && (value[bytes] & 0xC0) == 0x80)
        --bytes;
    return std::min(bytes, value.size());
}

// A value the file cannot keep: a line break would shift every later line, and Ctrl-Z ends
// the file for its reader.
void requireOneLine(std::string_view value, const std::string &what)
{
    if (value.find_first_of("\r\n\x1A") != std::string_view::npos)
        throw EInOutError(what + " \"" +
                          std::string(value.substr(0, value.find_first_of("\r\n\x1A"))) +
                          "...\" holds a line break or Ctrl-Z, which a project file cannot keep");
    if (value.size() > MaxValueBytes)
        throw EInOutError(what + " \"" + std::string(value.substr(0, utf8Prefix(value, 40))) +
                          "...\" is longer than " + std::to_string(MaxValueBytes) +
                          " bytes, the most a project file holds");
}

// The file as it is written (UTF-8, CR LF after every line) must not outgrow what its reader
// opens: an 8-bit file grows when saved as UTF-8, LF line ends grow to CR LF.
void requireOpensAgain(const TextOut &out)
{
    if (out.size() > fsx::MaxFileSize)
        throw EInOutError("The project is larger than 256 MB as saved (UTF-8 with CR LF line "
                          "ends), more than a project file opens with; it was not saved");
}

int clampToInt(long long value)
{
    return static_cast<int>(std::min<long long>(value, INT_MAX));
}

std::string withThousands(std::size_t number)
{
    std::string digits = std::to_string(number);
    for (std::size_t at = digits.size(); at > 3; at -= 3)
        digits.insert(at - 3, ",");
    return digits;
}

EInOutError tooLong(std::size_t line)
{
    return EInOutError("Line " + withThousands(line) + " is longer than " +
                       withThousands(MaxValueBytes) +
                       " bytes, the most a project file value holds");
}

// The file's bytes hold no line longer than a value may be. Checked before the text is
// decoded, since decoding a long 8-bit line would double it.
void requireShortLines(std::string_view bytes)
{
    for (LineCursor cursor(bytes); !cursor.atEnd();) {
        if (cursor.next().size() > MaxValueBytes)
            throw tooLong(cursor.lineNumber());
    }
}

// Forward-only reader over the lines of the file, none longer than a value may be.
class LineReader
{
public:
    explicit LineReader(std::string_view text) : cursor_(text) {}

    bool atEnd() const { return cursor_.atEnd(); }
    std::size_t lineNumber() const { return cursor_.lineNumber(); }
    std::string_view read()
    {
        const std::string_view line = cursor_.next();
        if (line.size() > MaxValueBytes)
            throw tooLong(cursor_.lineNumber());
        return line;
    }
    // Moves past the next line equal to marker; false (at the end) when there is none.
    bool skipPast(std::string_view marker)
    {
        while (!atEnd()) {
            if (read() == marker)
                return true;
        }
        return false;
    }

private:
    LineCursor cursor_;
};

// A structure line as read: its caption is a view into the file's text.
struct StructureLine
{
    int depth;
    std::string_view caption;
};

StructureLine parseStructureLine(std::string_view line)
{
    const std::size_t depth = line.find_first_not_of("\t ");
    if (depth == std::string_view::npos)
        return {static_cast<int>(line.size()), std::string_view()};
    return {static_cast<int>(depth), line.substr(depth)};
}

// Checks the structure lines before anything is built: every line after the root must lie
// at most one level deeper than the line before it, and below the root. Nothing is kept: the
// tree is built from the same lines once the whole file has been read. Returns how many lines
// there are, the root's included.
std::size_t checkStructure(LineReader &reader, const ENotAProject &notAProject)
{
    std::size_t count = 0;
    int previous = 0;
    for (;;) {
        if (reader.atEnd())
            throw notAProject; // the file ends inside the structure: nothing changes
        const std::string_view line = reader.read();
        if (line == StructureEnd)
            break;
        if (count > static_cast<std::size_t>(MaxMenuItems))
            throw ETreeError("The menu has more than " + withThousands(MaxMenuItems) +
                             " items, the most a project file holds (line " +
                             withThousands(reader.lineNumber()) + ")");
        const StructureLine parsed = parseStructureLine(line);
        if (count > 0 && (parsed.depth > previous + 1 || parsed.depth == 0)) {
            throw ETreeError("Invalid level (" + std::to_string(parsed.depth) + ") for item \"" +
                             std::string(parsed.caption) + "\"");
        } else if (count > 0 && parsed.depth > MaxMenuDepth) {
            throw ETreeError("The menu is deeper than " + std::to_string(MaxMenuDepth) +
                             " levels at item \"" + std::string(parsed.caption) + "\"");
        }
        previous = count > 0 ? parsed.depth : 0;
        ++count;
    }
    return std::max<std::size_t>(count, 1);
}

// Builds the tree from the structure lines that checkStructure accepted.
void rebuildTree(ItemTree &tree, LineReader lines)
{
    tree.clear();
    std::vector<ItemTree::Node> ancestors; // ancestors[d]: the last node of depth d
    for (bool root = true;; root = false) {
        const std::string_view line = lines.atEnd() ? StructureEnd : lines.read();
        if (line == StructureEnd) {
            if (root)
                tree.addChild(nullptr, "Tarvelle"); // the tree always keeps its root
            return;
        }
        StructureLine parsed = parseStructureLine(line);
        parsed.depth = root ? 0 : parsed.depth;
        const ItemTree::Node parent = root ? nullptr : ancestors[parsed.depth - 1];
        ancestors.resize(static_cast<std::size_t>(parsed.depth));
        ancestors.push_back(tree.addChild(parent, std::string(parsed.caption)));
    }
}

// What a file holds, parsed completely before the document changes.
struct ParsedProject
{
    std::size_t structureLines = 0; // the root's included
    std::optional<StringList> appletValues;
    std::optional<ItemList> items; // one per node at most; incomplete ones empty
    std::string announced;         // the item count line as written
    LookSettings look;
};

// The look section after the item records, when there is one: a line that is no setting is
// passed over, and a section cut off keeps what it holds.
LookSettings readLook(LineReader &reader)
{
    LookSettings look;
    if (!reader.skipPast(ItemEnd) || reader.atEnd() || reader.read() != LookStart)
        return look;
    while (!reader.atEnd()) {
        const std::string_view line = reader.read();
        if (line == LookEnd)
            break;
        const auto setting = LookSettings::parseLine(line);
        try {
            if (setting)
                look.set(setting->first, setting->second);
        } catch (const std::invalid_argument &) {
            // a value the file cannot keep (Ctrl-Z) is passed over as a line that is no setting
        }
    }
    return look;
}

int parseItemCount(const std::string &line)
{
    const int count = parseInt(line);
    if (count < 0)
        throw EConvertError("'" + line + "' is not a valid item count");
    return count;
}

// Reads one item record, packed once from its lines; false when the file ends before its
// last field.
bool readItem(LineReader &reader, ItemRecord &item, ProgressDisplay &progress)
{
    std::array<std::string_view, ItemRecord::FieldCount> fields;
    for (std::string_view &field : fields) {
        if (reader.atEnd())
            return false;
        field = reader.read();
        progress.step(1);
    }
    item.assign(fields);
    return true;
}
} // namespace

std::string ProjectWriter::text() const
{
    TextOut out;
    write(out);
    return out.take();
}

void ProjectWriter::write(TextOut &out) const
{
    const ItemList &items = document_.items();
    const ItemTree &tree = tree_;
    const auto itemCount = static_cast<long long>(items.size());
    ProgressDisplay &progress = document_.progress();
    progress.setMaximum(clampToInt(itemCount * 15 + 18));
    progress.setText("Saving Data ... ...");

    for (const char *line : HeaderLines)
        out.line(line);
    progress.step(3);

    if (items.size() > static_cast<std::size_t>(MaxMenuItems))
        throw ETreeError("The menu has more than " + std::to_string(MaxMenuItems) +
                         " items, the most a project file holds");
    out.line(StructureStart);
    std::size_t nodes = 0;
    for (const PreOrderEntry &entry : preOrderEntries(tree)) {
        requireOneLine(tree.caption(entry.node), "The caption");
        // A file its reader would refuse is never written.
        if (entry.level > MaxMenuDepth)
            throw ETreeError("The menu is deeper than " + std::to_string(MaxMenuDepth) +
                             " levels at item \"" + tree.caption(entry.node) + "\"");
        const std::string caption = tree.caption(entry.node);
        const std::size_t level = static_cast<std::size_t>(entry.level);
        if (level + caption.size() > MaxValueBytes)
            throw EInOutError(
                "The structure line of \"" + caption.substr(0, utf8Prefix(caption, 40)) +
                "...\" (" + withThousands(level) + " tabs and the caption) is longer than " +
                withThousands(MaxValueBytes) + " bytes, the most a project file line holds");
        out += std::string(level, '\t');
        out.line(caption);
        requireOpensAgain(out);
        nodes += entry.level > 0 ? 1 : 0;
    }
    // Every item needs its record, or the file would read as cut off.
    if (nodes > items.size())
        throw ETreeError("The menu has " + withThousands(nodes) + " items but only " +
                         withThousands(items.size()) + " item records");
    out.line(StructureEnd);
    progress.step(10);

    out.line(AppletStart);
    StringList values;
    document_.appletToStrings(document_.appletData(), values);
    for (const std::string &value : values) {
        requireOneLine(value, "The applet setting");
        out.line(value);
    }
    out.line(AppletEnd);
    progress.step(5);

    out.line(ItemStart);
    out.line(std::to_string(itemCount));
    for (const ItemRecord &item : items) {
        for (int pos = 1; pos <= ItemRecord::FieldCount; ++pos) {
            requireOneLine(item[pos], "The item value");
            out.line(item[pos]);
            progress.step(1);
        }
        requireOpensAgain(out);
    }
    out.line(ItemEnd);
    // Only a menu with look settings has the section, so one without keeps its file as it was.
    const LookSettings &look = document_.look();
    if (!look.empty()) {
        out.line(LookStart);
        for (const auto &[name, value] : look.entries()) {
            requireOneLine(name + "=" + value, "The look setting");
            out.line(name + "=" + value);
        }
        out.line(LookEnd);
    }
    requireOpensAgain(out);
}

void ProjectWriter::save(const std::string &fileName) const
{
    const ProgressFinish finish(document_.progress());
    fsx::writeFileAtomically(fileName, [this](TextOut &out) { write(out); });
}

void ProjectReader::load(const std::string &fileName, ItemTree &tree)
{
    const std::string bytes = fsx::readFile(fileName);
    try {
        read(bytes, tree);
    } catch (const ENotAProject &error) {
        throw error.named(fileName);
    }
}

void ProjectReader::read(const std::string &bytes, ItemTree &tree)
{
    // Most files are UTF-8 already and are read in place, without a copy; the reader checks
    // their lines. Others are checked before decoding could double a long line.
    const bool utf8 = isValidUtf8(bytes);
    if (!utf8)
        requireShortLines(bytes);
    const std::string converted = utf8 ? std::string() : decodeText(bytes);
    LineReader reader(utf8 ? std::string_view(bytes) : std::string_view(converted));
    const ENotAProject notAProject("The file is not a Tarvelle project file");
    if (!reader.skipPast(StructureStart))
        throw notAProject;

    ParsedProject project;
    const LineReader structure = reader;
    project.structureLines = checkStructure(reader, notAProject);

    // A file cut off before its settings or records is refused: defaults in their place
    // would publish a menu the author never made.
    if (!reader.skipPast(AppletStart))
        throw ENotAProject::cutOff("its applet settings");
    StringList values;
    while (values.size() < static_cast<std::size_t>(AppletRecord::FieldCount) && !reader.atEnd())
        values.emplace_back(reader.read());
    if (values.size() < static_cast<std::size_t>(AppletRecord::FieldCount))
        throw ENotAProject::cutOff("the end of its applet settings");
    project.appletValues = std::move(values);

    ProgressDisplay &progress = document_.progress();
    if (!reader.skipPast(ItemStart) || reader.atEnd())
        throw ENotAProject::cutOff("its item records");
    {
        project.announced = reader.read();
        const int count = parseItemCount(project.announced);
        progress.setMaximum(clampToInt(static_cast<long long>(count) * 15));
        progress.setText("Loading Data ... ...");
        // Records are only kept for the nodes the tree has, so a huge announced count
        // cannot make the load allocate more than the file holds.
        const std::size_t nodes = project.structureLines - 1;
        const std::size_t kept = std::min(static_cast<std::size_t>(count), nodes);
        ItemList items(kept);
        ItemRecord surplus;
        std::size_t complete = 0;
        for (std::size_t k = 0; k < static_cast<std::size_t>(count) && !reader.atEnd(); ++k) {
            ItemRecord &item = k < kept ? items[k] : surplus;
            if (readItem(reader, item, progress))
                ++complete;
        }
        // Every item needs its record: fewer means the file was cut off or broken by hand.
        if (complete < nodes)
            throw ENotAProject::cutOff("item record " + withThousands(complete + 1) + " of " +
                                       withThousands(nodes));
        project.items = std::move(items);
    }
    project.look = readLook(reader);

    // The file has been read completely: only now does the document change.
    rebuildTree(tree, structure);
    document_.setAppletData(document_.appletFromStrings(*project.appletValues));
    document_.items() = std::move(*project.items);
    document_.setLook(std::move(project.look));
    announcedItemCount_ = std::move(project.announced);

    progress.setPosition(0);
    progress.setText("Analyzing Data ... ...");
}
