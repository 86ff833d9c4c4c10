#pragma once

#include "document/FileSystem.h"
#include "document/ItemTree.h"
#include "document/Records.h"
#include "document/TextOut.h"

#include <cstdint>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <string_view>
#include <vector>

class MenuDocument;

// The record of the files the site command copied into a folder (the runtime, pictures and
// sounds), one name a line after two blanks, as in a publish report.
inline constexpr const char *SiteAssetRecord = ".tarvelle-assets";

// The files in folder that Tarvelle wrote, as the publish reports and the site command's record
// there tell: the files they list, and each report's page, project and the report itself.
// present is what the folder holds.
std::set<std::string> tarvelleFilesIn(const std::string &folder,
                                      const std::set<std::string> &present);

// The preview folder and the publishable folder of a document: staging resources and applet
// files for a preview, assembling the project's folder on save, and the publish report.
class Publisher
{
public:
    explicit Publisher(const MenuDocument &document) : document_(document) {}
    // A copy would stage for the copied document's records while its folder is shared.
    Publisher(const Publisher &) = delete;
    Publisher &operator=(const Publisher &) = delete;

    // The folder "preview" in the program folder unless a folder of its own is set (each
    // running editor has a private one, so two editors never share staged files).
    std::string previewFolder() const;
    void setPreviewFolder(const std::string &folder) { previewFolder_ = folder; }

    // Copies a file into the preview folder (under another name than its own) and records
    // it, even where the copy fails.
    void stage(const std::string &path);
    void stageAs(const std::string &path, const std::string &name);
    // Writes a file of the given bare name into the preview folder and records it. Throws
    // EInOutError when it cannot be written.
    void stageFile(const std::string &name, const std::string &bytes);
    void stageAppletFiles(const std::string &folder);
    void stageResources(const std::string &folder);
    // The program's own set of menu icons; empty without a program folder.
    std::string menuIconFolder() const;
    // Removes what was staged, and the preview folder once it is empty.
    void clearStaged();
    const StringList &stagedFiles() const { return stagedFiles_; }
    // How many files staging has copied so far, for tests of its cost.
    long long stagedCopies() const { return stagedCopies_; }

    // The files already in folder that a save of fileName there would replace, sorted by
    // name: foreign, those it would give other bytes and that no save of Tarvelle wrote (no
    // publish report in the folder lists them, and they are no page, project or report of
    // one); readOnly, those that are read-only.
    struct ReplacedFiles
    {
        StringList foreign;
        StringList readOnly;
    };
    ReplacedFiles filesReplaced(const std::string &folder, const std::string &fileName,
                                const std::string &resourceFolder) const;
    // Asked, with the folder locked, whether the files a save replaces may go; no means
    // nothing is written.
    using ReplaceQuestion = std::function<bool(const ReplacedFiles &)>;

    // Writes the page, the project, the applet's files, the resources and the report into
    // folder, all or nothing: every file goes to a temporary first, and only when all are
    // written do they take their places. False when mayReplace said no.
    bool saveAll(const std::string &folder, const std::string &fileName, const ItemTree &tree,
                 const ReplaceQuestion &mayReplace = nullptr);
    // saveAll taking the resources from another folder than the preview folder.
    bool saveAllFrom(const std::string &folder, const std::string &fileName, const ItemTree &tree,
                     const std::string &resourceFolder,
                     const ReplaceQuestion &mayReplace = nullptr);

    // A resource name as publishing decides it, once however many slots name it: the slot
    // where it first stands (a name used for an image and a sound counts as an image) and
    // whether it is copied. The name is a view into the document's records, valid until they
    // change.
    struct Resource
    {
        std::string_view name;
        std::uint32_t slot = 0;
        fsx::ResourceCheck check = fsx::ResourceCheck::Fine;
    };
    // Every resource a save of fileName with resources from resourceFolder names, in the
    // order of their slots.
    std::vector<Resource> resourcesFor(const std::string &fileName,
                                       const std::string &resourceFolder) const;
    // The resources the last save left out, with why: missing, not bare names, outside
    // their folder, or named like a file the save writes.
    const std::vector<Resource> &skippedResources() const { return skippedResources_; }
    // The report of a save of fileName listing every resource named, as if each were found.
    std::string reportText(const std::string &fileName) const;
    // The report a save of fileName with resources from resourceFolder writes: the resources
    // it leaves out are not in it.
    std::string reportText(const std::string &fileName, const std::string &resourceFolder) const;
    // The applet files a save puts beside the page, which the report lists: the web runtime
    // when it is included, the others only when the program folder holds them.
    StringList appletFiles() const;
    // Every file a save of fileName with resources from resourceFolder writes, by name: what
    // the folder will hold.
    StringList filesWritten(const std::string &fileName, const std::string &resourceFolder) const;
    // The files a save of fileName writes into its folder besides the resources: the page,
    // the project, the report and the applet's files. No resource is copied over them.
    std::set<std::string> outputs(const std::string &fileName) const;

private:
    // Each file a save of fileName writes, with the file its bytes are copied from (empty for
    // what the save makes).
    std::map<std::string, std::string> plannedWrites(const std::string &fileName,
                                                     const std::string &resourceFolder) const;
    void writeReport(TextOut &out, const std::string &fileName,
                     const std::vector<Resource> &resources) const;
    void stageFrom(const std::string &folder, const std::string &name);
    // Each resource name once, at its first slot as resourcesFor orders them, unchecked.
    std::vector<Resource> distinctResources() const;

    const MenuDocument &document_;
    std::string previewFolder_;
    StringList stagedFiles_;
    long long stagedCopies_ = 0;
    std::vector<Resource> skippedResources_;
};
