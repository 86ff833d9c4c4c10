// Tarvelle's own JSON: the whole project, every applet field and every item field by name, the
// items nested as the menu is. Read back, it gives the same project file byte for byte.

#include "document/MenuTree.h"
#include "interchange/Formats.h"
#include "interchange/Interchange.h"

#include <map>
#include <nlohmann/json.hpp>

using Json = nlohmann::ordered_json;
using interchange::EImportError;

namespace {
constexpr const char *FormatName = "tarvelle-menu";
constexpr int FormatVersion = 1;

Json itemsOf(const MenuDocument &document, const ItemTree &tree, ItemTree::Node node,
             std::size_t &next)
{
    Json items = Json::array();
    const int count = tree.childCount(node);
    for (int index = 0; index < count && next < document.items().size(); ++index) {
        const ItemRecord &record = document.items()[next++];
        const ItemTree::Node child = tree.child(node, index);
        Json item = Json::object();
        for (int pos = 1; pos <= ItemRecord::FieldCount; ++pos)
            item[ItemFieldNames[pos]] = std::string(record[pos]);
        // The tree's line differs from the caption only in a file edited by hand.
        const std::string line = tree.caption(child);
        if (line != record[ItemField::ItemCaption])
            item["structureLine"] = line;
        if (tree.childCount(child) > 0)
            item["children"] = itemsOf(document, tree, child, next);
        items.push_back(std::move(item));
    }
    return items;
}

class Reader
{
public:
    Reader(MenuDocument &document, ItemTree &tree) : document_(document), tree_(tree) {}

    void read(const Json &project)
    {
        if (!project.is_object() || project.value("format", Json()) != FormatName)
            throw EImportError("not a Tarvelle menu: the object's \"format\" is not \"" +
                               std::string(FormatName) + "\"");
        for (const auto &[key, value] : project.items()) {
            if (key != "format" && key != "version" && key != "root" && key != "applet" &&
                key != "items")
                throw EImportError("unknown field \"" + key + "\" at the top");
        }
        if (project.value("version", 0) != FormatVersion)
            throw EImportError("version " + project.value("version", Json()).dump() +
                               " is not one this program reads (" + std::to_string(FormatVersion) +
                               ")");
        document_.resetToDefaults();
        tree_.clear();
        tree_.addChild(nullptr, project.contains("root") ? text(project["root"], "root")
                                                         : std::string("Tarvelle"));
        if (project.contains("applet"))
            readApplet(project["applet"]);
        if (project.contains("items"))
            readItems(project["items"], tree_.root(), 1, "items");
    }

private:
    static std::string text(const Json &value, const std::string &where)
    {
        if (!value.is_string())
            throw EImportError(where + ": a text was expected, not " + value.dump());
        std::string line = value.get<std::string>();
        if (line.find_first_of("\r\n") != std::string::npos)
            throw EImportError(where + ": the value holds a line break");
        if (line.size() > MaxValueBytes)
            throw EImportError(where + ": the value is longer than " +
                               std::to_string(MaxValueBytes) + " bytes");
        return line;
    }

    void readApplet(const Json &applet)
    {
        if (!applet.is_object())
            throw EImportError("applet: an object of fields was expected");
        std::map<std::string, int> positions;
        for (const AppletFieldInfo &field : appletFieldTable())
            positions[field.name] = field.position;
        AppletRecord data = document_.appletData();
        for (const auto &[key, value] : applet.items()) {
            const auto found = positions.find(key);
            if (found == positions.end())
                throw EImportError("applet: unknown field \"" + key + "\"");
            data.set(found->second, text(value, "applet." + key));
        }
        document_.setAppletData(data);
    }

    void readItems(const Json &items, ItemTree::Node parent, int level, const std::string &where)
    {
        if (!items.is_array())
            throw EImportError(where + ": a list of items was expected");
        requireDepth(level, where);
        for (std::size_t index = 0; index < items.size(); ++index) {
            const std::string place = where + "[" + std::to_string(index) + "]";
            const Json &item = items[index];
            if (!item.is_object())
                throw EImportError(place + ": an item object was expected");
            if (document_.items().size() >= static_cast<std::size_t>(MaxMenuItems))
                throw EImportError(place + ": the menu has more than " +
                                   std::to_string(MaxMenuItems) + " items");
            ItemRecord record = document_.newItem();
            for (const auto &[key, value] : item.items()) {
                if (key == "children" || key == "structureLine")
                    continue;
                const int pos = fieldPosition(key);
                if (pos == 0)
                    throw EImportError(place + ": unknown field \"" + key + "\"");
                record.set(pos, text(value, place + "." + key));
            }
            const std::string line = item.contains("structureLine")
                                         ? text(item["structureLine"], place + ".structureLine")
                                         : std::string(record[ItemField::ItemCaption]);
            const ItemTree::Node node = tree_.addChild(parent, line);
            document_.items().push_back(std::move(record));
            if (item.contains("children"))
                readItems(item["children"], node, level + 1, place + ".children");
        }
    }

    static int fieldPosition(const std::string &name)
    {
        for (int pos = 1; pos <= ItemRecord::FieldCount; ++pos) {
            if (name == ItemFieldNames[pos])
                return pos;
        }
        return 0;
    }

    MenuDocument &document_;
    ItemTree &tree_;
};
} // namespace

std::string exportJson(const MenuDocument &document, const ItemTree &tree)
{
    Json project = Json::object();
    project["format"] = FormatName;
    project["version"] = FormatVersion;
    project["root"] = tree.root() ? tree.caption(tree.root()) : std::string("Tarvelle");
    Json applet = Json::object();
    const AppletRecord data = document.appletData();
    for (const AppletFieldInfo &field : appletFieldTable())
        applet[field.name] = std::string(data[field.position]);
    project["applet"] = std::move(applet);
    std::size_t next = 0;
    project["items"] = tree.root() ? itemsOf(document, tree, tree.root(), next) : Json::array();
    // Text that is not UTF-8 (an old project's line read as such) is written replaced, never
    // refused: the export is for reading elsewhere.
    return project.dump(2, ' ', false, Json::error_handler_t::replace) + "\n";
}

void importJson(const std::string &content, MenuDocument &document, ItemTree &tree)
{
    Json project;
    try {
        project = Json::parse(content);
    } catch (const Json::parse_error &error) {
        throw EImportError(std::string("not JSON: ") + error.what());
    }
    Reader(document, tree).read(project);
}
