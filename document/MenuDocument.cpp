#include "MenuDocument.h"

#include "document/AccessibilityCheck.h"
#include "document/FileSystem.h"

#include <algorithm>
#include <stdexcept>
#include <utility>

MenuDocument::MenuDocument() = default;

namespace {
void checkIndex(int index, std::size_t count)
{
    if (index < 0 || static_cast<std::size_t>(index) >= count)
        throw std::out_of_range("item index " + std::to_string(index) +
                                " is outside the item list of " + std::to_string(count) + " items");
}

template <typename Record> void recordToStrings(const Record &record, StringList &out)
{
    out.clear();
    out.reserve(Record::FieldCount);
    for (int pos = 1; pos <= Record::FieldCount; ++pos)
        out.emplace_back(record[pos]);
}

template <typename Record> Record stringsToRecord(const StringList &list)
{
    if (list.size() < static_cast<std::size_t>(Record::FieldCount))
        throw std::invalid_argument("a record of " + std::to_string(Record::FieldCount) +
                                    " fields needs as many strings, got " +
                                    std::to_string(list.size()));
    Record record;
    for (int pos = 1; pos <= Record::FieldCount; ++pos)
        record.set(pos, list[static_cast<std::size_t>(pos - 1)]);
    return record;
}
} // namespace

ItemRecord MenuDocument::item(int index) const
{
    checkIndex(index, Items.size());
    return Items[static_cast<std::size_t>(index)];
}

void MenuDocument::setItem(const ItemRecord &item, int index)
{
    checkIndex(index, Items.size());
    Items[static_cast<std::size_t>(index)] = item;
}

void MenuDocument::appletToStrings(const AppletRecord &data, StringList &out) const
{
    recordToStrings(data, out);
}

AppletRecord MenuDocument::appletFromStrings(const StringList &list) const
{
    return stringsToRecord<AppletRecord>(list);
}

void MenuDocument::itemToStrings(const ItemRecord &item, StringList &out) const
{
    recordToStrings(item, out);
}

ItemRecord MenuDocument::itemFromStrings(const StringList &list) const
{
    return stringsToRecord<ItemRecord>(list);
}

void MenuDocument::resetToDefaults()
{
    for (const AppletFieldInfo &field : appletFieldTable())
        AppletData.set(field.position, field.defaultValue);
    Items.clear();
    look_.clear();
}

void MenuDocument::startNewMenu()
{
    resetToDefaults();
    AppletData.set(AppletField::MnItemsHeight, std::to_string(MinimumTargetSize));
}

ItemRecord MenuDocument::newItem() const
{
    ItemRecord item;
    item.set(ItemField::ItemCaption, "Item");
    item.set(ItemField::ItemTarget, "_self");
    item.set(ItemField::ItemMenuOffsetX, "5");
    item.set(ItemField::ItemMenuOffsetY, "5");
    return item;
}

void MenuDocument::insertItem(int index, const ItemRecord &item)
{
    if (index < 0)
        return;
    if (Items.empty()) {
        Items.push_back(item);
        return;
    }
    if (static_cast<std::size_t>(index) > Items.size())
        return;
    Items.insert(Items.begin() + index, item);
}

void MenuDocument::deleteItem(int index)
{
    if (index < 0 || static_cast<std::size_t>(index) >= Items.size())
        return;
    Items.erase(Items.begin() + index);
}

void MenuDocument::moveItemUp(int index)
{
    if (index <= 0 || static_cast<std::size_t>(index) >= Items.size())
        return;
    std::swap(Items[static_cast<std::size_t>(index)], Items[static_cast<std::size_t>(index) - 1]);
}

namespace {
void checkRange(int first, int count, std::size_t size)
{
    if (first < 0 || count < 0 ||
        static_cast<std::size_t>(first) + static_cast<std::size_t>(count) > size)
        throw std::out_of_range("items " + std::to_string(first) + " to " +
                                std::to_string(first + count - 1) +
                                " are outside the item list of " + std::to_string(size) + " items");
}
} // namespace

void MenuDocument::deleteItems(int index, int count)
{
    checkRange(index, count, Items.size());
    Items.erase(Items.begin() + index, Items.begin() + index + count);
}

void MenuDocument::moveItemsUp(int index, int count, int distance)
{
    checkRange(index - distance, distance + count, Items.size());
    std::rotate(Items.begin() + (index - distance), Items.begin() + index,
                Items.begin() + index + count);
}

void MenuDocument::setProgress(ProgressDisplay *progress)
{
    progress_ = progress ? progress : &nullProgress_;
}

StringList MenuDocument::resourceSlots() const
{
    StringList slots;
    slots.reserve(2 + Items.size() * 5);
    forEachResourceSlot([&](std::size_t, const std::string &name) { slots.push_back(name); });
    return slots;
}

void MenuDocument::setIncludeWebRuntime(bool include)
{
    includeWebRuntime_ = include;
    appletFiles_[2] = include ? WebRuntimeFile : "";
    appletFiles_[3] = include ? WebRuntimeMap : "";
}
