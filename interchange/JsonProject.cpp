// Tarvelle's own JSON: the whole project, every applet field and every item field by name, the
// items nested as the menu is. Read back, it gives the same project file byte for byte. Both
// ways stream: the writer goes item by item, the reader takes the parser's events into the
// records, so a large menu needs little more memory than the project itself.

#include "document/MenuTree.h"
#include "document/TextOut.h"
#include "interchange/Formats.h"
#include "interchange/Interchange.h"

#include <algorithm>
#include <array>
#include <map>
#include <nlohmann/json.hpp>

using Json = nlohmann::json;
using interchange::EImportError;

namespace {
constexpr const char *FormatName = "tarvelle-menu";
constexpr int FormatVersion = 1;

// A JSON string; text that is not UTF-8 (never in a loaded project) is written replaced.
std::string jsonString(std::string_view text)
{
    return Json(std::string(text)).dump(-1, ' ', false, Json::error_handler_t::replace);
}

// Appends text as a JSON string: printable ASCII without quotes or backslashes as it is (most
// values), anything else through the library's escaping.
void appendJsonString(TextOut &out, std::string_view text)
{
    const bool plain = std::all_of(text.begin(), text.end(), [](char c) {
        return c >= 0x20 && c < 0x7F && c != '"' && c != '\\';
    });
    if (!plain) {
        out += jsonString(text);
        return;
    }
    out += '"';
    out += text;
    out += '"';
}

class Writer
{
public:
    Writer(const MenuDocument &document, const ItemTree &tree, TextOut &out)
        : document_(document), tree_(tree), out_(out)
    {}

    void write()
    {
        out_ += "{\n  \"format\": " + jsonString(FormatName) +
                ",\n  \"version\": " + std::to_string(FormatVersion) + ",\n  \"root\": " +
                jsonString(tree_.root() ? tree_.caption(tree_.root()) : "Tarvelle") +
                ",\n  \"applet\": {";
        const AppletRecord data = document_.appletData();
        const char *comma = "\n";
        for (const AppletFieldInfo &field : appletFieldTable()) {
            out_ += comma + std::string(4, ' ') + jsonString(field.name) + ": " +
                    jsonString(data[field.position]);
            comma = ",\n";
        }
        out_ += "\n  },\n  \"items\": ";
        writeItems(tree_.root(), 2);
        writeLook();
        out_ += "\n}\n";
    }

private:
    // The look settings as the page's "look" carries them; none for the basic look.
    void writeLook()
    {
        const LookSettings &look = document_.look();
        if (look.empty())
            return;
        out_ += ",\n  \"look\": {";
        const char *comma = "\n";
        for (const auto &[name, value] : look.entries()) {
            out_ += comma + std::string(4, ' ') + jsonString(name) + ": " + jsonString(value);
            comma = ",\n";
        }
        out_ += "\n  }";
    }

    void writeItems(ItemTree::Node node, std::size_t indent)
    {
        const int count = node ? tree_.childCount(node) : 0;
        if (count == 0 || next_ >= document_.items().size()) {
            out_ += "[]";
            return;
        }
        const std::string inner(indent + 2, ' '), field(indent + 4, ' ');
        out_ += "[";
        for (int index = 0; index < count && next_ < document_.items().size(); ++index) {
            const ItemRecord &record = document_.items()[next_++];
            const ItemTree::Node child = tree_.child(node, index);
            out_ += index == 0 ? "\n" : ",\n";
            out_ += inner;
            out_ += '{';
            for (int pos = 1; pos <= ItemRecord::FieldCount; ++pos) {
                out_ += pos == 1 ? "\n" : ",\n";
                out_ += field;
                out_ += '"';
                out_ += ItemFieldNames[pos];
                out_ += "\": ";
                appendJsonString(out_, record[pos]);
            }
            // The tree's line differs from the caption only in a file edited by hand.
            const std::string line = tree_.caption(child);
            if (line != record[ItemField::ItemCaption])
                out_ += ",\n" + field + "\"structureLine\": " + jsonString(line);
            if (tree_.childCount(child) > 0) {
                out_ += ",\n" + field + "\"children\": ";
                writeItems(child, indent + 4);
            }
            out_ += "\n" + inner + "}";
        }
        out_ += "\n" + std::string(indent, ' ') + "]";
    }

    const MenuDocument &document_;
    const ItemTree &tree_;
    std::size_t next_ = 0;
    TextOut &out_;
};

// The parser's events, taken straight into the records. Items are numbered as they start,
// which is the menu's pre-order whatever order an item's fields come in; the tree is built
// from the parents once the whole file is read.
class Reader
{
public:
    using number_integer_t = Json::number_integer_t;
    using number_unsigned_t = Json::number_unsigned_t;
    using number_float_t = Json::number_float_t;
    using string_t = Json::string_t;
    using binary_t = Json::binary_t;

    explicit Reader(MenuDocument &document) : document_(document)
    {
        for (const AppletFieldInfo &field : appletFieldTable())
            appletFields_[field.name] = field.position;
        document_.resetToDefaults();
        applet_ = document_.appletData();
    }

    void build(ItemTree &tree)
    {
        if (format_ != FormatName)
            throw EImportError("not a Tarvelle menu: the object's \"format\" is not \"" +
                               std::string(FormatName) + "\"");
        if (!versionSeen_)
            throw EImportError("the object has no \"version\"");
        document_.setAppletData(applet_);
        document_.setLook(look_);
        tree.clear();
        std::vector<ItemTree::Node> nodes;
        nodes.reserve(parents_.size());
        const ItemTree::Node root = tree.addChild(nullptr, root_);
        for (std::size_t k = 0; k < parents_.size(); ++k) {
            const auto line = lines_.find(k);
            nodes.push_back(tree.addChild(
                parents_[k] < 0 ? root : nodes[std::size_t(parents_[k])],
                line != lines_.end() ? line->second
                                     : std::string(document_.items()[k][ItemField::ItemCaption])));
        }
    }

    // The events.
    bool null() { return wrongValue("null"); }
    bool boolean(bool) { return wrongValue("true or false"); }
    bool number_integer(number_integer_t value) { return number(value); }
    bool number_unsigned(number_unsigned_t value)
    {
        return number(static_cast<number_integer_t>(value));
    }
    bool number_float(number_float_t, const string_t &text) { return wrongValue(text); }
    bool binary(binary_t &) { return wrongValue("binary data"); }

    bool string(string_t &value)
    {
        if (stack_.empty() || stack_.back().kind == Kind::Items)
            return wrongValue(jsonString(value));
        Frame &frame = stack_.back();
        if (frame.kind == Kind::Top && key_ == ".format")
            format_ = value;
        else if (frame.kind == Kind::Top && key_ == ".root")
            root_ = oneLine(std::move(value));
        else if (frame.kind == Kind::Top)
            return wrongValue(jsonString(value));
        else if (frame.kind == Kind::Applet)
            applet_.set(appletFields_.at(key_.substr(1)), oneLine(std::move(value)));
        else if (frame.kind == Kind::Look)
            look_.set(key_.substr(1), oneLine(std::move(value)));
        else if (key_ == ".structureLine")
            lines_[std::size_t(frame.item)] = oneLine(std::move(value));
        else if (key_ == ".children")
            return wrongValue(jsonString(value));
        else
            frame.values[std::size_t(field_ - 1)] = oneLine(std::move(value));
        return true;
    }

    bool start_object(std::size_t)
    {
        if (stack_.empty()) {
            stack_.push_back({Kind::Top, std::string(), 0, 0});
        } else if (stack_.back().kind == Kind::Top && key_ == ".applet") {
            stack_.push_back({Kind::Applet, "applet", 0, 0});
        } else if (stack_.back().kind == Kind::Top && key_ == ".look") {
            stack_.push_back({Kind::Look, "look", 0, 0});
        } else if (stack_.back().kind == Kind::Items) {
            Frame &items = stack_.back();
            if (document_.items().size() >= static_cast<std::size_t>(MaxMenuItems))
                throw EImportError(items.place + ": the menu has more than " +
                                   std::to_string(MaxMenuItems) + " items");
            const std::size_t k = document_.items().size();
            document_.items().emplace_back();
            parents_.push_back(items.item);
            stack_.push_back(
                {Kind::Item, items.place + "[" + std::to_string(items.count++) + "]", int(k), 0});
            // The fields are gathered and put into the record at once when the item ends.
            const ItemRecord fresh = document_.newItem();
            for (int pos = 1; pos <= ItemRecord::FieldCount; ++pos)
                stack_.back().values[std::size_t(pos - 1)] = std::string(fresh[pos]);
        } else {
            return wrongValue("an object");
        }
        return true;
    }

    bool key(string_t &name)
    {
        const Frame &frame = stack_.back();
        key_ = "." + name;
        field_ = frame.kind == Kind::Item ? itemField(name) : 0;
        const bool known = frame.kind == Kind::Top
                               ? (name == "format" || name == "version" || name == "root" ||
                                  name == "applet" || name == "items" || name == "look")
                           : frame.kind == Kind::Applet ? appletFields_.count(name) > 0
                           : frame.kind == Kind::Look
                               ? LookSettings::isValidName(name)
                               : (name == "children" || name == "structureLine" || field_ > 0);
        if (!known)
            throw EImportError((frame.place.empty() ? std::string("the top") : frame.place) +
                               ": unknown field \"" + name + "\"");
        return true;
    }

    bool start_array(std::size_t)
    {
        if (stack_.empty() || stack_.back().kind == Kind::Items ||
            stack_.back().kind == Kind::Applet || stack_.back().kind == Kind::Look)
            return wrongValue("a list");
        const Frame &frame = stack_.back();
        if (frame.kind == Kind::Top && key_ == ".items") {
            stack_.push_back({Kind::Items, "items", -1, 0});
        } else if (frame.kind == Kind::Item && key_ == ".children") {
            requireDepth(++level_ + 1, frame.place + ".children");
            stack_.push_back({Kind::Items, frame.place + ".children", frame.item, 0});
        } else {
            return wrongValue("a list");
        }
        return true;
    }

    bool end_object()
    {
        Frame &frame = stack_.back();
        if (frame.kind == Kind::Item) {
            std::array<std::string_view, ItemRecord::FieldCount> fields;
            for (std::size_t i = 0; i < fields.size(); ++i)
                fields[i] = frame.values[i];
            document_.items()[std::size_t(frame.item)].assign(fields);
        }
        stack_.pop_back();
        key_.clear();
        return true;
    }
    bool end_array()
    {
        if (stack_.back().item >= 0)
            --level_;
        stack_.pop_back();
        key_.clear();
        return true;
    }

    bool parse_error(std::size_t, const std::string &, const nlohmann::detail::exception &error)
    {
        throw EImportError(std::string("not JSON: ") + error.what());
    }

private:
    enum class Kind
    {
        Top,
        Applet,
        Look,
        Items,
        Item,
    };
    struct Frame
    {
        Kind kind;
        std::string place; // "items[2].children[0]"
        int item;          // the item (Item) or the item whose children these are (Items)
        int count;         // the entries of a list so far
        std::array<std::string, ItemRecord::FieldCount> values = {}; // an item's fields
    };

    static int itemField(const std::string &name)
    {
        for (int pos = 1; pos <= ItemRecord::FieldCount; ++pos) {
            if (name == ItemFieldNames[pos])
                return pos;
        }
        return 0;
    }

    // The value, when one line of a project holds it; the place is named only for a refusal.
    std::string oneLine(std::string value) const
    {
        const bool lineBreak = value.find_first_of("\r\n\x1A") != std::string::npos;
        if (lineBreak || value.size() > MaxValueBytes)
            throw EImportError(
                (stack_.back().place.empty() ? key_.substr(1) : stack_.back().place + key_) +
                (lineBreak
                     ? std::string(": the value holds a line break or Ctrl-Z")
                     : ": the value is longer than " + std::to_string(MaxValueBytes) + " bytes"));
        return value;
    }

    bool number(number_integer_t value)
    {
        if (stack_.empty() || stack_.back().kind != Kind::Top || key_ != ".version")
            return wrongValue(std::to_string(value));
        if (value != FormatVersion)
            throw EImportError("version " + std::to_string(value) +
                               " is not one this program reads (" + std::to_string(FormatVersion) +
                               ")");
        versionSeen_ = true;
        return true;
    }

    bool wrongValue(const std::string &what) const
    {
        const std::string place =
            stack_.empty() ? std::string("the file")
            : stack_.back().kind == Kind::Items
                ? stack_.back().place
                : (stack_.back().place.empty() ? "the top" : stack_.back().place) + key_;
        const bool itemExpected = !stack_.empty() && stack_.back().kind == Kind::Items;
        throw EImportError(
            place + ": " +
            (itemExpected ? std::string("an item object was expected") : "a text was expected") +
            ", not " + what.substr(0, 60));
    }

    MenuDocument &document_;
    AppletRecord applet_;
    LookSettings look_;
    std::map<std::string, int> appletFields_;
    std::vector<Frame> stack_;
    std::string key_; // ".name" of the value that comes next
    int field_ = 0;   // its position when it is an item's field
    int level_ = 0;   // the children lists open
    std::string format_;
    bool versionSeen_ = false;
    std::string root_ = "Tarvelle";
    std::vector<int> parents_;                 // each item's parent item, -1 on the menu bar
    std::map<std::size_t, std::string> lines_; // structure lines that differ from the caption
};
} // namespace

void exportJson(const MenuDocument &document, const ItemTree &tree, TextOut &out)
{
    Writer(document, tree, out).write();
}

void importJson(const std::string &content, MenuDocument &document, ItemTree &tree)
{
    Reader reader(document);
    Json::sax_parse(content, &reader);
    reader.build(tree);
}
