// The menus of static-site generators: Hugo's menus (YAML, TOML or JSON site configuration,
// entries linked by parent) and Jekyll's navigation lists (YAML, entries nesting children).

#include "interchange/Formats.h"
#include "interchange/Interchange.h"

#include <algorithm>
#include <cctype>
#include <map>
#include <nlohmann/json.hpp>
#include <optional>
#include <set>
#include <sstream>
#include <toml++/toml.h>
#include <yaml-cpp/yaml.h>

using interchange::EImportError;

namespace {
// ---- Hugo

struct HugoEntry
{
    std::string where; // "menus.main[3]"
    std::string name, identifier, parent, url, title, target;
    std::optional<long long> weight;
};

const std::set<std::string> &hugoFields()
{
    static const std::set<std::string> fields{"name",    "identifier", "parent", "url",
                                              "pageRef", "title",      "weight", "params"};
    return fields;
}

// What every syntax hands over: a field's text, or a number's digits.
struct FieldSink
{
    HugoEntry &entry;
    LeftOut &leftOut;

    void text(const std::string &key, const std::string &value)
    {
        if (key == "name")
            entry.name = value;
        else if (key == "identifier")
            entry.identifier = value;
        else if (key == "parent")
            entry.parent = value;
        else if (key == "url")
            entry.url = value;
        else if (key == "pageRef" && entry.url.empty())
            entry.url = value;
        else if (key == "title")
            entry.title = value;
        else if (key == "weight") {
            try {
                entry.weight = std::stoll(value);
            } catch (const std::exception &) {
                throw EImportError(entry.where + ".weight: \"" + value + "\" is not a number");
            }
        } else if (key == "target")
            entry.target = value;
    }
    void unknown(const std::string &key)
    {
        leftOut.push_back(entry.where + ": the field \"" + key + "\" is not taken over");
    }
};

std::vector<HugoEntry> hugoFromYaml(const std::string &content, const std::string &menu,
                                    LeftOut &leftOut)
{
    YAML::Node root;
    try {
        root = YAML::Load(content);
    } catch (const YAML::Exception &error) {
        throw EImportError(std::string("not YAML: ") + error.what());
    }
    if (!root.IsMap())
        throw EImportError("not a site configuration: a mapping with \"menus\" was expected");
    const std::string key = root["menus"] ? "menus" : "menu";
    const YAML::Node list = root[key] && root[key].IsMap() ? root[key][menu] : YAML::Node();
    if (!list || !list.IsSequence())
        throw EImportError("the configuration has no menu \"" + menu + "\"");
    std::vector<HugoEntry> entries;
    for (std::size_t i = 0; i < list.size(); ++i) {
        HugoEntry entry;
        entry.where = key + "." + menu + "[" + std::to_string(i) + "]";
        if (!list[i].IsMap())
            throw EImportError(entry.where + ": an entry (a mapping) was expected");
        FieldSink sink{entry, leftOut};
        for (const auto &field : list[i]) {
            const std::string name = field.first.as<std::string>("");
            if (!hugoFields().count(name)) {
                sink.unknown(name);
            } else if (name == "params") {
                if (field.second.IsMap() && field.second["target"] &&
                    field.second["target"].IsScalar())
                    sink.text("target", field.second["target"].as<std::string>());
            } else if (field.second.IsScalar()) {
                sink.text(name, field.second.as<std::string>());
            } else {
                throw EImportError(entry.where + "." + name + ": a text was expected");
            }
        }
        entries.push_back(std::move(entry));
    }
    return entries;
}

std::vector<HugoEntry> hugoFromToml(const std::string &content, const std::string &menu,
                                    LeftOut &leftOut)
{
    toml::table root;
    try {
        root = toml::parse(content);
    } catch (const toml::parse_error &error) {
        std::ostringstream where;
        where << error.source().begin;
        throw EImportError("not TOML: " + std::string(error.description()) + " at " + where.str());
    }
    const std::string key = root.contains("menus") ? "menus" : "menu";
    const toml::array *list = root[key][menu].as_array();
    if (!list)
        throw EImportError("the configuration has no menu \"" + menu + "\"");
    std::vector<HugoEntry> entries;
    for (std::size_t i = 0; i < list->size(); ++i) {
        HugoEntry entry;
        entry.where = key + "." + menu + "[" + std::to_string(i) + "]";
        const toml::table *table = (*list)[i].as_table();
        if (!table)
            throw EImportError(entry.where + ": an entry (a table) was expected");
        FieldSink sink{entry, leftOut};
        for (const auto &[name, value] : *table) {
            const std::string field(name.str());
            if (!hugoFields().count(field)) {
                sink.unknown(field);
            } else if (field == "params") {
                if (const auto target = value.as_table()
                                            ? (*value.as_table())["target"].value<std::string>()
                                            : std::nullopt)
                    sink.text("target", *target);
            } else if (const auto text = value.value<std::string>()) {
                sink.text(field, *text);
            } else if (const auto number = value.value<long long>()) {
                sink.text(field, std::to_string(*number));
            } else {
                throw EImportError(entry.where + "." + field + ": a text was expected");
            }
        }
        entries.push_back(std::move(entry));
    }
    return entries;
}

std::vector<HugoEntry> hugoFromJson(const std::string &content, const std::string &menu,
                                    LeftOut &leftOut)
{
    nlohmann::json root;
    try {
        root = nlohmann::json::parse(content);
    } catch (const nlohmann::json::parse_error &error) {
        throw EImportError(std::string("not JSON: ") + error.what());
    }
    const std::string key = root.is_object() && root.contains("menus") ? "menus" : "menu";
    if (!root.is_object() || !root.contains(key) || !root[key].is_object() ||
        !root[key].contains(menu) || !root[key][menu].is_array())
        throw EImportError("the configuration has no menu \"" + menu + "\"");
    const nlohmann::json &list = root[key][menu];
    std::vector<HugoEntry> entries;
    for (std::size_t i = 0; i < list.size(); ++i) {
        HugoEntry entry;
        entry.where = key + "." + menu + "[" + std::to_string(i) + "]";
        if (!list[i].is_object())
            throw EImportError(entry.where + ": an entry (an object) was expected");
        FieldSink sink{entry, leftOut};
        for (const auto &[name, value] : list[i].items()) {
            if (!hugoFields().count(name)) {
                sink.unknown(name);
            } else if (name == "params") {
                if (value.is_object() && value.contains("target") && value["target"].is_string())
                    sink.text("target", value["target"].get<std::string>());
            } else if (value.is_string()) {
                sink.text(name, value.get<std::string>());
            } else if (value.is_number_integer()) {
                sink.text(name, std::to_string(value.get<long long>()));
            } else {
                throw EImportError(entry.where + "." + name + ": a text was expected");
            }
        }
        entries.push_back(std::move(entry));
    }
    return entries;
}

class HugoTree
{
public:
    HugoTree(std::vector<HugoEntry> entries, LeftOut &leftOut)
        : entries_(std::move(entries)), children_(entries_.size() + 1)
    {
        std::map<std::string, std::size_t> byKey;
        for (std::size_t i = 0; i < entries_.size(); ++i) {
            const std::string key = keyOf(entries_[i]);
            if (key.empty())
                throw EImportError(entries_[i].where + ": the entry has neither a name nor an "
                                                       "identifier");
            const auto [found, added] = byKey.emplace(key, i);
            if (!added)
                throw EImportError(entries_[i].where + ": the identifier \"" + key +
                                   "\" is already " + entries_[found->second].where + "'s");
        }
        std::vector<std::size_t> parents(entries_.size(), Root);
        for (std::size_t i = 0; i < entries_.size(); ++i) {
            const std::string &parent = entries_[i].parent;
            if (parent.empty())
                continue;
            const auto found = byKey.find(parent);
            if (found == byKey.end())
                leftOut.push_back(entries_[i].where + ": the parent \"" + parent +
                                  "\" is not in the menu; the entry is a first-level item");
            else
                parents[i] = found->second;
        }
        for (std::size_t i = 0; i < entries_.size(); ++i) {
            requireNoCycle(parents, i);
            children_[parents[i] == Root ? entries_.size() : parents[i]].push_back(i);
        }
        for (std::vector<std::size_t> &list : children_)
            std::stable_sort(list.begin(), list.end(), [this](std::size_t a, std::size_t b) {
                return before(entries_[a], entries_[b]);
            });
    }

    Outline outline() const { return outlineOf(entries_.size(), 1); }

private:
    static constexpr std::size_t Root = SIZE_MAX;

    static std::string keyOf(const HugoEntry &entry)
    {
        return entry.identifier.empty() ? entry.name : entry.identifier;
    }

    // Hugo's order: by weight (entries without one last), then name, then identifier.
    static bool before(const HugoEntry &a, const HugoEntry &b)
    {
        if (a.weight.has_value() != b.weight.has_value())
            return a.weight.has_value();
        if (a.weight && *a.weight != *b.weight)
            return *a.weight < *b.weight;
        if (a.name != b.name)
            return a.name < b.name;
        return a.identifier < b.identifier;
    }

    void requireNoCycle(const std::vector<std::size_t> &parents, std::size_t start) const
    {
        std::size_t steps = 0;
        for (std::size_t at = parents[start]; at != Root; at = parents[at]) {
            if (at == start || ++steps > entries_.size())
                throw EImportError(entries_[start].where + ": the parent references of \"" +
                                   keyOf(entries_[start]) + "\" go round in a circle");
        }
    }

    Outline outlineOf(std::size_t node, int level) const
    {
        Outline items;
        for (const std::size_t index : children_[node]) {
            const HugoEntry &entry = entries_[index];
            requireDepth(level, entry.where);
            OutlineItem item;
            item.caption = entry.name.empty() ? keyOf(entry) : entry.name;
            item.url = entry.url;
            item.target = entry.target;
            item.statusText = entry.title;
            item.children = outlineOf(index, level + 1);
            items.push_back(std::move(item));
        }
        return items;
    }

    std::vector<HugoEntry> entries_;
    // Each entry's children, and the first-level entries last.
    std::vector<std::vector<std::size_t>> children_;
};

std::string lowerExtension(const std::string &fileName)
{
    const std::size_t dot = fileName.rfind('.');
    std::string extension = dot == std::string::npos ? std::string() : fileName.substr(dot + 1);
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return extension;
}

// ---- Jekyll

const std::set<std::string> &jekyllFields()
{
    static const std::set<std::string> fields{"title", "url", "children", "target", "description"};
    return fields;
}

Outline jekyllList(const YAML::Node &list, const std::string &where, int level, LeftOut &leftOut)
{
    requireDepth(level, where);
    Outline items;
    for (std::size_t i = 0; i < list.size(); ++i) {
        const std::string place = where + "[" + std::to_string(i) + "]";
        const YAML::Node entry = list[i];
        if (!entry.IsMap())
            throw EImportError(place + ": an entry (a mapping) was expected");
        OutlineItem item;
        for (const auto &field : entry) {
            const std::string name = field.first.as<std::string>("");
            if (!jekyllFields().count(name)) {
                leftOut.push_back(place + ": the field \"" + name + "\" is not taken over");
                continue;
            }
            if (name == "children") {
                if (!field.second.IsSequence())
                    throw EImportError(place + ".children: a list was expected");
                item.children = jekyllList(field.second, place + ".children", level + 1, leftOut);
                continue;
            }
            if (!field.second.IsScalar())
                throw EImportError(place + "." + name + ": a text was expected");
            const std::string value = field.second.as<std::string>();
            if (name == "title")
                item.caption = value;
            else if (name == "url")
                item.url = value;
            else if (name == "target")
                item.target = value;
            else
                item.statusText = value;
        }
        items.push_back(std::move(item));
    }
    return items;
}

// ---- exports

// Identifiers made from captions: lower case letters, digits and dashes, unique in the menu.
class Identifiers
{
public:
    std::string make(const std::string &caption)
    {
        std::string slug;
        for (const char c : caption) {
            if (std::isalnum(static_cast<unsigned char>(c)))
                slug += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
            else if (!slug.empty() && slug.back() != '-')
                slug += '-';
        }
        while (!slug.empty() && slug.back() == '-')
            slug.pop_back();
        if (slug.empty())
            slug = "item";
        std::string unique = slug;
        for (int n = 2; !taken_.insert(unique).second; ++n)
            unique = slug + "-" + std::to_string(n);
        return unique;
    }

private:
    std::set<std::string> taken_;
};

// The entries a flat, parent-linked menu gets, in the menu's order.
struct FlatEntry
{
    std::string identifier, name, url, title, target, parent;
    long long weight;
};

// Separators and levels below the third are named once each.
struct Losses
{
    LeftOut &leftOut;
    std::size_t separators = 0;
    std::string deepest;

    void separator() { ++separators; }
    void tooDeep(const std::string &caption)
    {
        if (deepest.empty())
            deepest = caption;
    }
    void report()
    {
        if (separators > 0)
            leftOut.push_back(std::to_string(separators) +
                              " separator(s) are not exported: the format has none");
        if (!deepest.empty())
            leftOut.push_back("items below the second level (the first: \"" + deepest +
                              "\") may not show: most themes show two levels");
    }
};

void flatten(const Outline &items, const std::string &parent, int level, Identifiers &ids,
             Losses &losses, std::vector<FlatEntry> &entries)
{
    long long weight = 0;
    for (const OutlineItem &item : items) {
        if (item.separator) {
            losses.separator();
            continue;
        }
        if (level > 2)
            losses.tooDeep(item.caption);
        weight += 10;
        FlatEntry entry{ids.make(item.caption),
                        item.caption,
                        item.url,
                        item.statusText,
                        item.target == "_self" ? std::string() : item.target,
                        parent,
                        weight};
        entries.push_back(entry);
        flatten(item.children, entry.identifier, level + 1, ids, losses, entries);
    }
}

std::vector<FlatEntry> flatEntries(const Outline &outline, LeftOut &leftOut)
{
    Identifiers ids;
    Losses losses{leftOut, 0, std::string()};
    std::vector<FlatEntry> entries;
    flatten(outline, std::string(), 1, ids, losses, entries);
    losses.report();
    return entries;
}

void emitJekyll(YAML::Emitter &out, const Outline &items, int level, Losses &losses)
{
    out << YAML::BeginSeq;
    for (const OutlineItem &item : items) {
        if (item.separator) {
            losses.separator();
            continue;
        }
        if (level > 2)
            losses.tooDeep(item.caption);
        out << YAML::BeginMap << YAML::Key << "title" << YAML::Value << item.caption;
        if (!item.url.empty())
            out << YAML::Key << "url" << YAML::Value << item.url;
        if (!item.target.empty() && item.target != "_self")
            out << YAML::Key << "target" << YAML::Value << item.target;
        if (!item.statusText.empty())
            out << YAML::Key << "description" << YAML::Value << item.statusText;
        if (!item.children.empty()) {
            out << YAML::Key << "children" << YAML::Value;
            emitJekyll(out, item.children, level + 1, losses);
        }
        out << YAML::EndMap;
    }
    out << YAML::EndSeq;
}
} // namespace

Outline importHugo(const std::string &content, const std::string &fileName, const std::string &menu,
                   LeftOut &leftOut)
{
    const std::string name = menu.empty() ? "main" : menu;
    const std::string extension = lowerExtension(fileName);
    const std::size_t start = content.find_first_not_of(" \t\r\n");
    std::vector<HugoEntry> entries;
    if (extension == "toml")
        entries = hugoFromToml(content, name, leftOut);
    else if (extension == "json" || (start != std::string::npos && content[start] == '{'))
        entries = hugoFromJson(content, name, leftOut);
    else
        entries = hugoFromYaml(content, name, leftOut);
    return HugoTree(std::move(entries), leftOut).outline();
}

Outline importJekyll(const std::string &content, const std::string &menu, LeftOut &leftOut)
{
    YAML::Node root;
    try {
        root = YAML::Load(content);
    } catch (const YAML::Exception &error) {
        throw EImportError(std::string("not YAML: ") + error.what());
    }
    std::string where = "the list";
    YAML::Node list = root;
    if (root.IsMap()) {
        if (!menu.empty()) {
            list = root[menu];
            where = menu;
        } else if (root["main"]) {
            list = root["main"];
            where = "main";
        } else {
            for (const auto &field : root) {
                if (field.second.IsSequence()) {
                    list = field.second;
                    where = field.first.as<std::string>("");
                    break;
                }
            }
        }
    }
    if (!list || !list.IsSequence())
        throw EImportError(menu.empty() ? std::string("the file holds no navigation list")
                                        : "the file has no list \"" + menu + "\"");
    return jekyllList(list, where, 1, leftOut);
}

std::string exportHugoYaml(const Outline &outline, LeftOut &leftOut)
{
    YAML::Emitter out;
    out << YAML::BeginMap << YAML::Key << "menus" << YAML::Value << YAML::BeginMap << YAML::Key
        << "main" << YAML::Value << YAML::BeginSeq;
    for (const FlatEntry &entry : flatEntries(outline, leftOut)) {
        out << YAML::BeginMap;
        out << YAML::Key << "identifier" << YAML::Value << entry.identifier;
        out << YAML::Key << "name" << YAML::Value << entry.name;
        if (!entry.url.empty())
            out << YAML::Key << "url" << YAML::Value << entry.url;
        if (!entry.parent.empty())
            out << YAML::Key << "parent" << YAML::Value << entry.parent;
        out << YAML::Key << "weight" << YAML::Value << entry.weight;
        if (!entry.title.empty())
            out << YAML::Key << "title" << YAML::Value << entry.title;
        if (!entry.target.empty())
            out << YAML::Key << "params" << YAML::Value << YAML::BeginMap << YAML::Key << "target"
                << YAML::Value << entry.target << YAML::EndMap;
        out << YAML::EndMap;
    }
    out << YAML::EndSeq << YAML::EndMap << YAML::EndMap;
    return std::string(out.c_str()) + "\n";
}

std::string exportHugoToml(const Outline &outline, LeftOut &leftOut)
{
    toml::array main;
    for (const FlatEntry &entry : flatEntries(outline, leftOut)) {
        toml::table table{{"identifier", entry.identifier}, {"name", entry.name}};
        if (!entry.url.empty())
            table.insert("url", entry.url);
        if (!entry.parent.empty())
            table.insert("parent", entry.parent);
        table.insert("weight", entry.weight);
        if (!entry.title.empty())
            table.insert("title", entry.title);
        if (!entry.target.empty())
            table.insert("params", toml::table{{"target", entry.target}});
        main.push_back(std::move(table));
    }
    toml::table root{{"menus", toml::table{{"main", std::move(main)}}}};
    std::ostringstream out;
    out << root << "\n";
    return out.str();
}

std::string exportJekyll(const Outline &outline, LeftOut &leftOut)
{
    YAML::Emitter out;
    Losses losses{leftOut, 0, std::string()};
    emitJekyll(out, outline, 1, losses);
    losses.report();
    return std::string(out.c_str()) + "\n";
}
