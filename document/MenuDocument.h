#pragma once

#include "document/AppletData.h"
#include "document/FileSystem.h"
#include "document/ItemData.h"
#include "document/ItemTree.h"
#include "document/ProgressDisplay.h"
#include "document/TextOut.h"

#include <cstdint>
#include <functional>
#include <map>
#include <set>
#include <string>

// The script that draws the menu in today's browsers, and the line that loads it in a page.
inline constexpr const char *WebRuntimeFile = "zorvex.js";
inline constexpr const char *WebRuntimeScript = "<script src=\"zorvex.js\"></script>";
// The runtime's source map: the shipped script is minified, the map leads back to its source.
inline constexpr const char *WebRuntimeMap = "zorvex.js.map";

// The one document: the applet settings, the item list, and the fixed names of the applet's
// program files. Records are values: accessors hand out copies, except GetItems, which hands
// out the document's own list.
class MenuDocument
{
public:
    MenuDocument();

    TAppletData GetAppletData() const { return AppletData; }
    void SetAppletData(const TAppletData &data) { AppletData = data; }

    TItemArray &GetItems() { return Items; }
    const TItemArray &GetItems() const { return Items; }
    // Throw std::out_of_range naming the index and the count when the index is outside.
    TItemData GetItem(int index) const;
    void SetItem(const TItemData &item, int index);
    int ItemCount() const { return static_cast<int>(Items.size()); }

    // Record <-> string list conversions; the "To" forms empty the output list first and
    // size it exactly. The "From" forms need at least as many entries as the record has
    // fields and ignore the rest (std::invalid_argument otherwise).
    void AppletDataToStrings(const TAppletData &data, TStringArray &out) const;
    TAppletData StringsToAppletData(const TStringArray &list) const;
    void ItemToStrings(const TItemData &item, TStringArray &out) const;
    TItemData StringsToItem(const TStringArray &list) const;

    // Applet fields to their defaults and the item list emptied.
    void ResetToDefaults();
    TItemData MakeNewItem() const;

    // Item list editing; indexes outside the accepted range change nothing.
    void InsertItem(int index, const TItemData &item);
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
    const TStringArray &AppletFiles() const { return appletFiles_; }
    const std::string &AppletName() const { return appletName_; }
    const TStringArray &StagedFiles() const { return stagedFiles_; }

    // Where long operations report progress; null reports nowhere. Not owned.
    void SetProgress(ProgressDisplay *progress);
    ProgressDisplay &Progress() const { return *progress_; }

    // The folder of the running program, holding the applet files and the preview folder.
    void SetProgramFolder(const std::string &folder) { programFolder_ = folder; }
    const std::string &ProgramFolder() const { return programFolder_; }
    // The folder "preview" in the program folder unless a folder of its own is set (each
    // running editor has a private one, so two editors never share staged files).
    std::string PreviewFolder() const;
    void SetPreviewFolder(const std::string &folder) { previewFolder_ = folder; }

    // Whether saving includes the web runtime: the page loads it, it is copied beside the
    // page from the program folder, and the report lists it with the applet's files (in the
    // third, otherwise empty, entry of AppletFiles).
    void SetIncludeWebRuntime(bool include);
    bool IncludeWebRuntime() const { return includeWebRuntime_; }

    // Preview staging and publishing (Publishing.cpp).
    void CopyToPreview(const std::string &path);
    // CopyToPreview under another name than the file's own.
    void CopyToPreviewAs(const std::string &path, const std::string &name);
    void ClearPreview();
    // Writes a file of the given bare name into the preview folder and records it, as
    // CopyToPreview does for a copied file. Throws EInOutError when it cannot be written.
    void StageFile(const std::string &name, const std::string &bytes);
    void StageAppletFiles(const std::string &folder);
    void StageResources(const std::string &folder);
    // How many files staging has copied so far, for tests of its cost.
    long long StagedCopies() const { return stagedCopies_; }
    // The files already in folder that a save of fileName there would replace, sorted by
    // name: foreign, those it would give other bytes and that no save of Tarvelle wrote (no
    // publish report in the folder lists them, and they are no page, project or report of
    // one); readOnly, those that are read-only.
    struct ReplacedFiles
    {
        TStringArray foreign;
        TStringArray readOnly;
    };
    ReplacedFiles FilesReplaced(const std::string &folder, const std::string &fileName,
                                const std::string &resourceFolder) const;
    // Asked, with the folder locked, whether the files a save replaces may go; no means
    // nothing is written.
    using ReplaceQuestion = std::function<bool(const ReplacedFiles &)>;

    // Writes the page, the project, the applet's files, the resources and the report into
    // folder, all or nothing: every file goes to a temporary first, and only when all are
    // written do they take their places. False when mayReplace said no.
    bool SaveAll(const std::string &folder, const std::string &fileName, const ItemTree &tree,
                 const ReplaceQuestion &mayReplace = nullptr);
    // SaveAll taking the resources from another folder than the preview folder.
    bool SaveAllFrom(const std::string &folder, const std::string &fileName, const ItemTree &tree,
                     const std::string &resourceFolder,
                     const ReplaceQuestion &mayReplace = nullptr);

    // A resource name as publishing decides it, once however many slots name it: the slot
    // where it first stands (a name used for an image and a sound counts as an image) and
    // whether it is copied. The name is a view into the document's records, valid until they
    // change.
    struct PublishedResource
    {
        std::string_view name;
        std::uint32_t slot = 0;
        fsx::ResourceCheck check = fsx::ResourceCheck::Fine;
    };
    // Every resource a save of fileName with resources from resourceFolder names, in the
    // order of their slots.
    std::vector<PublishedResource> PublishResources(const std::string &fileName,
                                                    const std::string &resourceFolder) const;
    // The resources the last SaveAll left out, with why: missing, not bare names, outside
    // their folder, or named like a file the save writes. Views, as PublishResources gives.
    const std::vector<PublishedResource> &SkippedResources() const { return skippedResources_; }
    // The report listing every resource named, as if each were found.
    std::string PublishReportText() const;
    // The report a save of fileName with resources from resourceFolder writes: the resources
    // it leaves out are not in it.
    std::string PublishReportText(const std::string &fileName,
                                  const std::string &resourceFolder) const;
    // The applet files a save puts beside the page, which the report lists: the web runtime
    // when it is included, the others only when the program folder holds them.
    TStringArray PublishedAppletFiles() const;
    // The files a save of fileName writes into its folder besides the resources: the page,
    // the project, the report and the applet's files. No resource is copied over them.
    std::set<std::string> PublishOutputs(const std::string &fileName) const;

    // Resource names in slot order: ApBgImg, ApBgSnd, then per item the five files.
    TStringArray ResourceSlots() const;
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
        for (const TItemData &item : Items) {
            for (int pos : {ItemField::ItemNoBgImg, ItemField::ItemOvBgImg, ItemField::ItemClBgImg,
                            ItemField::ItemOvBgSnd, ItemField::ItemClBgSnd})
                visit(slot++, item[pos]);
        }
    }

private:
    TAppletData AppletData;
    TItemArray Items;
    std::string separator_ = "|";
    TStringArray appletFiles_{"zorvex.jar", "zorvex.class", "", ""};
    std::string appletName_ = "zorvex";
    bool includeWebRuntime_ = false;
    std::vector<PublishedResource> skippedResources_;
    TStringArray stagedFiles_;

    std::string programFolder_;
    std::string previewFolder_;
    long long stagedCopies_ = 0;
    // Each file a save of fileName writes, with the file its bytes are copied from (empty for
    // what the save makes).
    std::map<std::string, std::string> plannedWrites(const std::string &fileName,
                                                     const std::string &resourceFolder) const;
    void writeReport(TextOut &out, const std::vector<PublishedResource> &resources) const;
    // Each resource name once, at its first slot as PublishResources orders them, unchecked.
    std::vector<PublishedResource> distinctResources() const;
    NullProgress nullProgress_;
    ProgressDisplay *progress_ = &nullProgress_;
};
