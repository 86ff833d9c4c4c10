#pragma once

#include "document/AppletData.h"
#include "document/ItemData.h"
#include "document/ProgressDisplay.h"

#include <string>

// The script that draws the menu in today's browsers, and the line that loads it in a page.
inline constexpr const char *WebRuntimeFile = "zorvex.js";
inline constexpr const char *WebRuntimeScript = "<script src=\"zorvex.js\"></script>";
// The runtime's source map: the shipped script is minified, the map leads back to its source.
inline constexpr const char *WebRuntimeMap = "zorvex.js.map";

// The one document: the applet settings, the item list, and the fixed names of the applet's
// program files. Records are values: accessors hand out copies, except GetItems, which hands
// out the document's own list. ProjectReader and ProjectWriter read and write it as a
// project file, HtmlWriter writes its HTML, Publisher stages and publishes its files.
class MenuDocument
{
public:
    MenuDocument();

    AppletRecord GetAppletData() const { return AppletData; }
    void SetAppletData(const AppletRecord &data) { AppletData = data; }

    ItemList &GetItems() { return Items; }
    const ItemList &GetItems() const { return Items; }
    // Throw std::out_of_range naming the index and the count when the index is outside.
    ItemRecord GetItem(int index) const;
    void SetItem(const ItemRecord &item, int index);
    int ItemCount() const { return static_cast<int>(Items.size()); }

    // Record <-> string list conversions; the "To" forms empty the output list first and
    // size it exactly. The "From" forms need at least as many entries as the record has
    // fields and ignore the rest (std::invalid_argument otherwise).
    void AppletDataToStrings(const AppletRecord &data, StringList &out) const;
    AppletRecord StringsToAppletData(const StringList &list) const;
    void ItemToStrings(const ItemRecord &item, StringList &out) const;
    ItemRecord StringsToItem(const StringList &list) const;

    // Applet fields to their defaults and the item list emptied.
    void ResetToDefaults();
    ItemRecord MakeNewItem() const;

    // Item list editing; indexes outside the accepted range change nothing.
    void InsertItem(int index, const ItemRecord &item);
    void DeleteItem(int index);
    void MoveItemUp(int index);
    // Removes count items from index on: the same as count DeleteItem calls at index, in
    // linear time. Throws std::out_of_range when the range is not inside the list.
    void DeleteItems(int index, int count);
    // Moves the block of count items at index up past the distance items before it, each
    // block keeping its inner order: the same list as the count x distance MoveItemUp calls
    // at index + k, index + k - 1, ... (k = 0 .. count - 1), in linear time. Throws
    // std::out_of_range when the blocks are not inside the list.
    void MoveItemsUp(int index, int count, int distance);

    const std::string &Separator() const { return separator_; }
    const StringList &AppletFiles() const { return appletFiles_; }
    const std::string &AppletName() const { return appletName_; }

    // Where long operations report progress; null reports nowhere. Not owned.
    void SetProgress(ProgressDisplay *progress);
    ProgressDisplay &Progress() const { return *progress_; }

    // The folder of the running program, holding the applet files and the preview folder.
    void SetProgramFolder(const std::string &folder) { programFolder_ = folder; }
    const std::string &ProgramFolder() const { return programFolder_; }

    // Whether saving includes the web runtime: the page loads it, it is copied beside the
    // page from the program folder, and the report lists it with the applet's files (in the
    // third, otherwise empty, entry of AppletFiles).
    void SetIncludeWebRuntime(bool include);
    bool IncludeWebRuntime() const { return includeWebRuntime_; }

    // Resource names in slot order: ApBgImg, ApBgSnd, then per item the five files.
    StringList ResourceSlots() const;
    // Calls visit(slot, name) for each slot in the order above, without copying the names.
    // The name is handed over in one string that is reused from slot to slot.
    template <class Visit> void forEachResourceSlot(Visit visit) const
    {
        std::string name;
        forEachResourceView([&name, &visit](std::size_t slot, std::string_view value) {
            name.assign(value);
            visit(slot, static_cast<const std::string &>(name));
        });
    }
    // The same with each name as a view into the records.
    template <class Visit> void forEachResourceView(Visit visit) const
    {
        visit(0, AppletData[AppletField::ApBgImg]);
        visit(1, AppletData[AppletField::ApBgSnd]);
        std::size_t slot = 2;
        for (const ItemRecord &item : Items) {
            for (int pos : {ItemField::ItemNoBgImg, ItemField::ItemOvBgImg, ItemField::ItemClBgImg,
                            ItemField::ItemOvBgSnd, ItemField::ItemClBgSnd})
                visit(slot++, item[pos]);
        }
    }

private:
    AppletRecord AppletData;
    ItemList Items;
    std::string separator_ = "|";
    StringList appletFiles_{"zorvex.jar", "zorvex.class", "", ""};
    std::string appletName_ = "zorvex";
    bool includeWebRuntime_ = false;

    std::string programFolder_;
    NullProgress nullProgress_;
    ProgressDisplay *progress_ = &nullProgress_;
};
