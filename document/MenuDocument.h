#pragma once

#include "document/AppletData.h"
#include "document/ItemData.h"
#include "document/LookSettings.h"
#include "document/ProgressDisplay.h"

#include <string>
#include <utility>

// The script that draws the menu in today's browsers, and the line that loads it in a page.
inline constexpr const char *WebRuntimeFile = "zorvex.js";
inline constexpr const char *WebRuntimeScript = "<script src=\"zorvex.js\"></script>";
// The runtime's source map: the shipped script is minified, the map leads back to its source.
inline constexpr const char *WebRuntimeMap = "zorvex.js.map";

// The one document: the applet settings, the item list, and the fixed names of the applet's
// program files. Records are values: accessors hand out copies, except items, which hands
// out the document's own list. ProjectReader and ProjectWriter read and write it as a
// project file, HtmlWriter writes its HTML, Publisher stages and publishes its files.
class MenuDocument
{
public:
    MenuDocument();

    AppletRecord appletData() const { return AppletData; }
    void setAppletData(const AppletRecord &data) { AppletData = data; }

    // The look settings beside the applet fields; empty for the basic look.
    const LookSettings &look() const { return look_; }
    void setLook(LookSettings look) { look_ = std::move(look); }

    ItemList &items() { return Items; }
    const ItemList &items() const { return Items; }
    // Throw std::out_of_range naming the index and the count when the index is outside.
    ItemRecord item(int index) const;
    void setItem(const ItemRecord &item, int index);
    int itemCount() const { return static_cast<int>(Items.size()); }

    // Record <-> string list conversions; the "To" forms empty the output list first and
    // size it exactly. The "From" forms need at least as many entries as the record has
    // fields and ignore the rest (std::invalid_argument otherwise).
    void appletToStrings(const AppletRecord &data, StringList &out) const;
    AppletRecord appletFromStrings(const StringList &list) const;
    void itemToStrings(const ItemRecord &item, StringList &out) const;
    ItemRecord itemFromStrings(const StringList &list) const;

    // Applet fields to their defaults, the item list and the look settings emptied.
    void resetToDefaults();
    // The same, with the look of a new menu: first-level items tall enough to hit with a
    // finger, as the accessibility check asks. A file lacking the field still reads the default.
    void startNewMenu();
    ItemRecord newItem() const;

    // Item list editing; indexes outside the accepted range change nothing.
    void insertItem(int index, const ItemRecord &item);
    void deleteItem(int index);
    void moveItemUp(int index);
    // Removes count items from index on: the same as count deleteItem calls at index, in
    // linear time. Throws std::out_of_range when the range is not inside the list.
    void deleteItems(int index, int count);
    // Moves the block of count items at index up past the distance items before it, each
    // block keeping its inner order: the same list as the count x distance moveItemUp calls
    // at index + k, index + k - 1, ... (k = 0 .. count - 1), in linear time. Throws
    // std::out_of_range when the blocks are not inside the list.
    void moveItemsUp(int index, int count, int distance);

    const std::string &separator() const { return separator_; }
    const StringList &appletFiles() const { return appletFiles_; }
    const std::string &appletName() const { return appletName_; }

    // Where long operations report progress; null reports nowhere. Not owned.
    void setProgress(ProgressDisplay *progress);
    ProgressDisplay &progress() const { return *progress_; }

    // The folder of the running program, holding the applet files and the preview folder.
    void setProgramFolder(const std::string &folder) { programFolder_ = folder; }
    const std::string &programFolder() const { return programFolder_; }

    // Whether saving includes the web runtime: the page loads it, it is copied beside the
    // page from the program folder, and the report lists it with the applet's files (in the
    // third, otherwise empty, entry of appletFiles).
    void setIncludeWebRuntime(bool include);
    bool includeWebRuntime() const { return includeWebRuntime_; }

    // Resource names in slot order: ApBgImg, ApBgSnd, then per item the five files.
    StringList resourceSlots() const;
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
        // The items' icons are pictures too: each takes the first slot of a record past the
        // items, so that slots keep telling pictures from sounds.
        for (const auto &[name, value] : look_.entries()) {
            if (name.compare(0, 5, "icon.") == 0 && LookSettings::isKnown(name)) {
                visit(slot, std::string_view(value));
                slot += 5;
            }
        }
    }
    // The first slot past the items' own: those of the look's pictures.
    std::size_t firstLookSlot() const { return Items.size() * 5 + 2; }

private:
    AppletRecord AppletData;
    ItemList Items;
    LookSettings look_;
    std::string separator_ = "|";
    StringList appletFiles_{"zorvex.jar", "zorvex.class", "", ""};
    std::string appletName_ = "zorvex";
    bool includeWebRuntime_ = false;

    std::string programFolder_;
    NullProgress nullProgress_;
    ProgressDisplay *progress_ = &nullProgress_;
};
