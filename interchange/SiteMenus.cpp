// The menus of static-site generators: Hugo's menus (YAML, TOML or JSON site configuration,
// entries linked by parent) and Jekyll's navigation lists (YAML, entries nesting children).

#include "interchange/Formats.h"
#include "interchange/Interchange.h"

#include <algorithm>
#include <cctype>
#include <deque>
#include <map>
#include <nlohmann/json.hpp>
#include <optional>
#include <set>
#include <sstream>
#include <toml++/toml.h>
#include <yaml-cpp/eventhandler.h>
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

// The events of a YAML document, each with its path from the root (keys of mappings,
// positions in lists): the formats take what they need as it goes by, and a large menu is
// never a YAML document in memory.
class YamlPaths : public YAML::EventHandler
{
public:
    struct Step
    {
        std::string key;
        long index = -1; // a position in a list; -1 for a key
    };
    using Path = std::vector<Step>;

    // The first document of content, or EImportError.
    void parse(const std::string &content)
    {
        std::istringstream in(content);
        try {
            YAML::Parser parser(in);
            parser.HandleNextDocument(*this);
        } catch (const YAML::Exception &error) {
            throw EImportError(std::string("not YAML: ") + error.what());
        }
    }

    static std::string place(const Path &path)
    {
        std::string text;
        for (const Step &step : path) {
            if (step.index < 0 && step.key.empty())
                continue; // a key not read yet
            text += step.index >= 0 ? "[" + std::to_string(step.index) + "]"
                                    : (text.empty() ? "" : ".") + step.key;
        }
        return text.empty() ? std::string("the file") : text;
    }

protected:
    // A text (null as empty), or a mapping or list starting or ending, at path.
    virtual void scalar(const Path &path, const std::string &value) = 0;
    virtual void collectionStart(const Path &path, bool mapping) = 0;
    virtual void collectionEnd(const Path &path) = 0;

private:
    struct Open
    {
        bool mapping;
        bool expectKey;
        long count;
    };

    void OnDocumentStart(const YAML::Mark &) override {}
    void OnDocumentEnd() override {}
    void OnNull(const YAML::Mark &mark, YAML::anchor_t anchor) override
    {
        OnScalar(mark, std::string(), anchor, std::string());
    }
    void OnAlias(const YAML::Mark &, YAML::anchor_t) override
    {
        throw EImportError(place(path_) + ": an alias (*name) is not read");
    }
    void OnScalar(const YAML::Mark &, const std::string &, YAML::anchor_t,
                  const std::string &value) override
    {
        if (!open_.empty() && open_.back().mapping && open_.back().expectKey) {
            path_.back().key = value;
            open_.back().expectKey = false;
            return;
        }
        beforeValue();
        scalar(path_, value);
        afterValue();
    }
    void OnSequenceStart(const YAML::Mark &, const std::string &, YAML::anchor_t,
                         YAML::EmitterStyle::value) override
    {
        start(false);
    }
    void OnSequenceEnd() override { end(); }
    void OnMapStart(const YAML::Mark &, const std::string &, YAML::anchor_t,
                    YAML::EmitterStyle::value) override
    {
        start(true);
    }
    void OnMapEnd() override { end(); }

    void start(bool mapping)
    {
        if (!open_.empty() && open_.back().mapping && open_.back().expectKey)
            throw EImportError(place(path_) + ": a key that is a mapping or a list is not read");
        beforeValue();
        collectionStart(path_, mapping);
        open_.push_back({mapping, mapping, 0});
        path_.push_back(Step());
    }
    void end()
    {
        open_.pop_back();
        path_.pop_back();
        collectionEnd(path_);
        afterValue();
    }
    void beforeValue()
    {
        if (!open_.empty() && !open_.back().mapping)
            path_.back().index = open_.back().count++;
    }
    void afterValue()
    {
        if (!open_.empty() && open_.back().mapping)
            open_.back().expectKey = true;
    }

    std::vector<Open> open_;
    Path path_;
};

// Hugo's menu entries under menus.NAME (or menu.NAME), each as it is read.
class HugoYaml : public YamlPaths
{
public:
    HugoYaml(const std::string &menu, LeftOut &leftOut) : menu_(menu), leftOut_(leftOut) {}

    std::vector<HugoEntry> entries()
    {
        if (!found_[0] && !found_[1])
            throw EImportError("the configuration has no menu \"" + menu_ + "\"");
        return std::move(entries_[found_[0] ? 0 : 1]);
    }

private:
    // 0 for "menus", 1 for "menu", -1 elsewhere.
    int menuAt(const Path &path) const
    {
        if (path.size() < 2 || path[1].key != menu_ || path[1].index >= 0)
            return -1;
        return path[0].key == "menus" ? 0 : path[0].key == "menu" ? 1 : -1;
    }

    void scalar(const Path &path, const std::string &value) override
    {
        const int menu = menuAt(path);
        if (menu < 0 || path.size() < 3 || path.size() > 5)
            return;
        if (path.size() == 3 || path.size() == 2)
            throw EImportError(place(path) + ": an entry (a mapping) was expected");
        HugoEntry &entry = entries_[std::size_t(menu)].back();
        FieldSink sink{entry, leftOut_};
        const std::string &field = path[3].key;
        if (path.size() == 4 && !hugoFields().count(field))
            sink.unknown(field);
        else if (path.size() == 4 && field != "params")
            sink.text(field, value);
        else if (path.size() == 5 && field == "params" && path[4].key == "target")
            sink.text("target", value);
    }

    void collectionStart(const Path &path, bool mapping) override
    {
        if (path.empty() && !mapping)
            throw EImportError("not a site configuration: a mapping with \"menus\" was expected");
        const int menu = menuAt(path);
        if (menu < 0)
            return;
        if (path.size() == 2) {
            if (mapping)
                throw EImportError(place(path) + ": a list of entries was expected");
            found_[menu] = true;
        } else if (path.size() == 3) {
            if (!mapping)
                throw EImportError(place(path) + ": an entry (a mapping) was expected");
            HugoEntry entry;
            entry.where = place(path);
            entries_[std::size_t(menu)].push_back(std::move(entry));
        } else if (path.size() == 4) {
            const std::string &field = path[3].key;
            if (!hugoFields().count(field))
                FieldSink{entries_[std::size_t(menu)].back(), leftOut_}.unknown(field);
            else if (field != "params" || !mapping)
                throw EImportError(place(path) + ": a text was expected");
        }
    }

    void collectionEnd(const Path &) override {}

    std::string menu_;
    LeftOut &leftOut_;
    bool found_[2] = {false, false};
    std::vector<HugoEntry> entries_[2];
};

std::vector<HugoEntry> hugoFromYaml(const std::string &content, const std::string &menu,
                                    LeftOut &leftOut)
{
    HugoYaml reader(menu, leftOut);
    reader.parse(content);
    return reader.entries();
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

// ---- Jekyll

const std::set<std::string> &jekyllFields()
{
    static const std::set<std::string> fields{"title", "url", "children", "target", "description"};
    return fields;
}

// Jekyll's navigation lists: the file's list, or each list of its top mapping, by name, with
// what each left out; the one asked for is taken when the file is read.
class JekyllYaml : public YamlPaths
{
public:
    struct List
    {
        std::string name;
        Outline items;
        LeftOut leftOut;
    };

    std::deque<List> lists;
    bool topIsList = false;

private:
    enum class Kind
    {
        TopMapping,
        List,
        Entry,
        Ignored,
    };
    struct Frame
    {
        Kind kind;
        Outline *items;     // a list's entries
        OutlineItem *entry; // an entry's item
    };

    void scalar(const Path &path, const std::string &value) override
    {
        if (frames_.empty() || frames_.back().kind == Kind::TopMapping ||
            frames_.back().kind == Kind::Ignored)
            return;
        if (frames_.back().kind == Kind::List)
            throw EImportError(place(path) + ": an entry (a mapping) was expected");
        OutlineItem &item = *frames_.back().entry;
        const std::string &field = path.back().key;
        if (!jekyllFields().count(field))
            lists.back().leftOut.push_back(entryPlace(path) + ": the field \"" + field +
                                           "\" is not taken over");
        else if (field == "title")
            item.caption = value;
        else if (field == "url")
            item.url = value;
        else if (field == "target")
            item.target = value;
        else if (field == "description")
            item.statusText = value;
        else
            throw EImportError(place(path) + ": a list was expected");
    }

    void collectionStart(const Path &path, bool mapping) override
    {
        if (frames_.empty()) {
            topIsList = !mapping;
            if (mapping) {
                frames_.push_back({Kind::TopMapping, nullptr, nullptr});
                return;
            }
            lists.push_back({"the list", {}, {}});
            frames_.push_back({Kind::List, &lists.back().items, nullptr});
            return;
        }
        const Frame frame = frames_.back();
        if (frame.kind == Kind::TopMapping && !mapping) {
            lists.push_back({path.back().key, {}, {}});
            frames_.push_back({Kind::List, &lists.back().items, nullptr});
        } else if (frame.kind == Kind::List) {
            if (!mapping)
                throw EImportError(place(path) + ": an entry (a mapping) was expected");
            frame.items->emplace_back();
            frames_.push_back({Kind::Entry, nullptr, &frame.items->back()});
        } else if (frame.kind == Kind::Entry) {
            const std::string &field = path.back().key;
            if (field == "children" && !mapping) {
                requireDepth(++level_ + 1, place(path));
                frames_.push_back({Kind::List, &frame.entry->children, nullptr});
            } else if (jekyllFields().count(field)) {
                throw EImportError(place(path) + (field == "children" ? ": a list was expected"
                                                                      : ": a text was expected"));
            } else {
                lists.back().leftOut.push_back(entryPlace(path) + ": the field \"" + field +
                                               "\" is not taken over");
                frames_.push_back({Kind::Ignored, nullptr, nullptr});
            }
        } else {
            frames_.push_back({Kind::Ignored, nullptr, nullptr});
        }
    }

    void collectionEnd(const Path &) override
    {
        // The lists of entries' children count the depth.
        if (frames_.back().kind == Kind::List && frames_.size() > 1 &&
            frames_[frames_.size() - 2].kind == Kind::Entry)
            --level_;
        frames_.pop_back();
    }

    static std::string entryPlace(const Path &path)
    {
        return place(Path(path.begin(), path.end() - 1));
    }

    std::vector<Frame> frames_;
    int level_ = 0;
};

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
    JekyllYaml reader;
    reader.parse(content);
    const auto named = [&reader](const std::string &name) {
        return std::find_if(reader.lists.begin(), reader.lists.end(),
                            [&name](const JekyllYaml::List &list) { return list.name == name; });
    };
    auto chosen = reader.lists.begin();
    if (!reader.topIsList && !menu.empty())
        chosen = named(menu);
    else if (!reader.topIsList && named("main") != reader.lists.end())
        chosen = named("main");
    if (chosen == reader.lists.end())
        throw EImportError(menu.empty() ? std::string("the file holds no navigation list")
                                        : "the file has no list \"" + menu + "\"");
    leftOut.insert(leftOut.end(), chosen->leftOut.begin(), chosen->leftOut.end());
    return std::move(chosen->items);
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
    // An array of tables, written a table at a time: the whole menu is never a TOML document
    // in memory.
    std::ostringstream out;
    bool first = true;
    for (const FlatEntry &entry : flatEntries(outline, leftOut)) {
        toml::table table{{"identifier", entry.identifier}, {"name", entry.name}};
        if (!entry.url.empty())
            table.insert("url", entry.url);
        if (!entry.parent.empty())
            table.insert("parent", entry.parent);
        table.insert("weight", entry.weight);
        if (!entry.title.empty())
            table.insert("title", entry.title);
        if (!entry.target.empty()) {
            toml::table params{{"target", entry.target}};
            params.is_inline(true);
            table.insert("params", std::move(params));
        }
        out << (first ? "" : "\n") << "[[menus.main]]\n" << table << "\n";
        first = false;
    }
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
