// The preview folder and the publishable folder: staging resources and applet files for a
// preview, assembling the project's folder on save, and the publish report.

#include "Errors.h"
#include "FileSystem.h"
#include "qarAppletAgent.h"
#include "TextCodec.h"

#include <algorithm>
#include <cctype>
#include <map>
#include <set>

namespace {
const std::string PreviewFolderName = "preview";
const std::string Rule(77, '=');

// The file name without its final extension, whatever its case: "Menu.TVL" gives "Menu",
// "x.tvl.bak" gives "x.tvl". Outputs beside the project take this name.
std::string baseName(const std::string &fileName)
{
    const std::size_t dot = fileName.rfind('.');
    return dot == std::string::npos || dot == 0 ? fileName : fileName.substr(0, dot);
}

// The project file a save writes: the name as it was given (the file that was opened keeps
// its name, "Menu.TVL" stays "Menu.TVL"); a name without an extension gets ".tvl".
std::string projectName(const std::string &fileName)
{
    const std::size_t dot = fileName.rfind('.');
    return dot == std::string::npos || dot == 0 ? fileName + ".tvl" : fileName;
}

bool isImageSlot(std::size_t slot)
{
    // Slot order: ApBgImg, ApBgSnd, then per item three images and two sounds.
    if (slot < 2)
        return slot == 0;
    return (slot - 2) % 5 < 3;
}
} // namespace

std::string TqarAppletAgent::PreviewFolder() const
{
    if (!previewFolder_.empty())
        return previewFolder_;
    return fsx::withSeparator(programFolder_) + PreviewFolderName;
}

TStringArray TqarAppletAgent::ResourceSlots() const
{
    TStringArray slots;
    slots.reserve(2 + Items.size() * 5);
    forEachResourceSlot([&](std::size_t, const std::string &name) { slots.push_back(name); });
    return slots;
}

void TqarAppletAgent::CopyToPreview(const std::string &path)
{
    CopyToPreviewAs(path, fsx::fileNamePart(path));
}

void TqarAppletAgent::CopyToPreviewAs(const std::string &path, const std::string &name)
{
    const std::string preview = PreviewFolder();
    if (!fsx::folderExists(preview))
        fsx::createFolder(preview);
    if (fsx::isBareFileName(name))
        fsx::copyFile(path, fsx::withSeparator(preview) + name, fsx::Durable::No);
    stagedFiles_.push_back(name);
}

void TqarAppletAgent::StageFile(const std::string &name, const std::string &bytes)
{
    if (!fsx::isBareFileName(name))
        throw EInOutError("\"" + name + "\" is not a file name");
    const std::string preview = PreviewFolder();
    if (!fsx::folderExists(preview))
        fsx::createFolder(preview);
    stagedFiles_.push_back(name);
    fsx::writeFileAtomically(fsx::withSeparator(preview) + name, bytes, fsx::Durable::No);
}

void TqarAppletAgent::ClearPreview()
{
    const std::string preview = fsx::withSeparator(PreviewFolder());
    for (const std::string &name : stagedFiles_) {
        if (fsx::isBareFileName(name))
            fsx::removeFile(preview + name);
    }
    stagedFiles_.clear();
    fsx::removeEmptyFolder(PreviewFolder());
}

void TqarAppletAgent::StageAppletFiles(const std::string &folder)
{
    for (const std::string &file : appletFiles_)
        CopyToPreview(folder + file);
}

void TqarAppletAgent::StageResources(const std::string &folder)
{
    // Only regular files inside the folder are staged; a failure stays silent here.
    ProgressDisplay &progress = Progress();
    const ProgressFinish finish(progress);
    progress.setMaximum(static_cast<int>(Items.size() * 5 + 2));
    progress.setText("Copying Resource Files ... ...");
    // Each distinct file once, however many slots name it; the preview is a cache, so its
    // copies need not reach the disk before the next one.
    std::set<std::string> done;
    forEachResourceSlot([&](std::size_t, const std::string &name) {
        progress.step(1);
        // A value that is not a bare name never becomes part of a path.
        if (!fsx::isBareFileName(name) || !done.insert(name).second)
            return;
        const std::string preview = PreviewFolder();
        if (!fsx::folderExists(preview))
            fsx::createFolder(preview);
        try {
            if (fsx::copyResource(folder, name, fsx::withSeparator(preview) + name,
                                  fsx::Durable::No))
                ++stagedCopies_;
        } catch (const EInOutError &) {
        }
        stagedFiles_.push_back(name);
    });
}

void TqarAppletAgent::SetIncludeWebRuntime(bool include)
{
    includeWebRuntime_ = include;
    appletFiles_[2] = include ? WebRuntimeFile : "";
    appletFiles_[3] = include ? WebRuntimeMap : "";
}

bool TqarAppletAgent::SaveAll(const std::string &folder, const std::string &fileName,
                              const ItemTree &tree)
{
    return SaveAllFrom(folder, fileName, tree, PreviewFolder());
}

bool TqarAppletAgent::SaveAllFrom(const std::string &folder, const std::string &fileName,
                                  const ItemTree &tree, const std::string &resourceFolder)
{
    ProgressDisplay &progress = Progress();
    const ProgressFinish finish(progress);
    const std::string base = baseName(fileName);
    const fsx::FolderLock lock(folder);
    fsx::removeLeftoverTemporaries(folder);
    for (const std::string &file : appletFiles_) {
        if (!fsx::isBareFileName(file))
            continue;
        const bool copied = fsx::copyFile(fsx::withSeparator(programFolder_) + file, folder + file);
        // The page loads the runtime: without it the page shows nothing, so that is an error
        // like any other output's. The applet's own files are copied where they exist.
        if (!copied && file == WebRuntimeFile)
            throw EInOutError("Cannot copy \"" + file + "\" into \"" + folder + "\"");
    }
    fsx::writeFileAtomically(folder + base + ".html",
                             [&](TextOut &out) { WriteSavedPage(out, base, tree); });
    SaveProject(folder + projectName(fileName), tree);
    WritePublishReport(folder, base + "_PublishReport.txt");

    progress.setMaximum(static_cast<int>(Items.size() * 5 + 2));
    progress.setText("Copying Publishable Files ... ...");
    // A resource is never copied over what this save wrote, never taken from outside its
    // folder; a failing write ends the save. What is left out is told afterwards.
    const std::set<std::string> outputs = PublishOutputs(fileName);
    skippedResources_.clear();
    std::set<std::string> done;
    forEachResourceSlot([&](std::size_t, const std::string &name) {
        progress.step(1);
        if (!fsx::isBareFileName(name) || !done.insert(name).second)
            return;
        if (outputs.count(name) || !fsx::copyResource(resourceFolder, name, folder + name))
            skippedResources_.push_back(name);
    });
    return true;
}

std::set<std::string> TqarAppletAgent::PublishOutputs(const std::string &fileName) const
{
    const std::string base = baseName(fileName);
    std::set<std::string> outputs{base + ".html", projectName(fileName),
                                  base + "_PublishReport.txt"};
    for (const std::string &file : appletFiles_) {
        if (fsx::isBareFileName(file))
            outputs.insert(file);
    }
    return outputs;
}

std::map<std::string, std::string>
TqarAppletAgent::plannedWrites(const std::string &fileName, const std::string &resourceFolder) const
{
    std::map<std::string, std::string> writes;
    for (const std::string &name : PublishOutputs(fileName))
        writes[name] = std::string();
    for (const std::string &file : appletFiles_) {
        const std::string source = fsx::withSeparator(programFolder_) + file;
        if (fsx::isBareFileName(file) && !fsx::fileExists(source))
            writes.erase(file); // not copied where the program folder lacks it
        else if (fsx::isBareFileName(file))
            writes[file] = source;
    }
    std::set<std::string> seen; // each name is looked at once, however many items use it
    forEachResourceSlot([&](std::size_t, const std::string &name) {
        if (fsx::isBareFileName(name) && !writes.count(name) && seen.insert(name).second &&
            fsx::resourceProblem(resourceFolder, name).empty())
            writes[name] = fsx::withSeparator(resourceFolder) + name;
    });
    return writes;
}

namespace {
// What earlier saves wrote into a folder, as their reports tell: the files listed, and each
// report's page, project and the report itself.
std::set<std::string> writtenBefore(const std::string &folder, const std::set<std::string> &present)
{
    static const std::string reportSuffix = "_PublishReport.txt";
    std::set<std::string> ours;
    for (const std::string &name : present) {
        if (name.size() <= reportSuffix.size() ||
            name.compare(name.size() - reportSuffix.size(), reportSuffix.size(), reportSuffix) != 0)
            continue;
        const std::string base = name.substr(0, name.size() - reportSuffix.size());
        ours.insert({name, base + ".html", base + ".tvl"});
        try {
            const std::string report = fsx::readFile(fsx::withSeparator(folder) + name);
            for (LineCursor lines(report); !lines.atEnd();) {
                const std::string_view line = lines.next();
                if (line.size() > 2 && line.substr(0, 2) == "  ")
                    ours.insert(std::string(line.substr(2)));
            }
        } catch (const EInOutError &) {
        }
    }
    return ours;
}
} // namespace

TqarAppletAgent::ReplacedFiles
TqarAppletAgent::FilesReplaced(const std::string &folder, const std::string &fileName,
                               const std::string &resourceFolder) const
{
    const std::set<std::string> present = fsx::folderEntries(folder);
    const std::set<std::string> ours = writtenBefore(folder, present);
    ReplacedFiles replaced;
    for (const auto &[name, source] : plannedWrites(fileName, resourceFolder)) {
        if (!present.count(name))
            continue;
        const std::string existing = fsx::withSeparator(folder) + name;
        if (fsx::isReadOnlyFile(existing))
            replaced.readOnly.push_back(name);
        if (ours.count(name) || (!source.empty() && fsx::sameContent(source, existing)))
            continue; // Tarvelle's own, or the same bytes again: nothing is lost
        replaced.foreign.push_back(name);
    }
    return replaced;
}

TStringArray TqarAppletAgent::PublishedAppletFiles() const
{
    TStringArray files;
    for (const std::string &file : appletFiles_) {
        if (!fsx::isBareFileName(file))
            continue;
        if (file == WebRuntimeFile || fsx::fileExists(fsx::withSeparator(programFolder_) + file))
            files.push_back(file);
    }
    return files;
}

std::string TqarAppletAgent::PublishReportText() const
{
    ProgressDisplay &progress = Progress();
    const ProgressFinish finish(progress);
    progress.setMaximum(static_cast<int>(appletFiles_.size() + Items.size() * 5));
    progress.setText("Making Publish Report ... ...");

    std::string out;
    auto line = [&out](const std::string &text) {
        out += text;
        out += LineEnd;
    };
    line(Rule);
    line("This message contain the information about how to publish the applet. Please read it "
         "carefully!");
    line("All necessary files be saved in the same directory the project file (*.tvl) in. If you "
         "still not");
    line("save the current project, save it first! This message will aslo be saved in a text file "
         "along with");
    line("project file named \"ProjectName_PublishReport.txt\".");
    line(Rule);
    line("");
    line("[Applet class and archive file(s)]: Archive file be used for newer browser such as IE4+ "
         "or Netscape4+");
    for (const std::string &file : PublishedAppletFiles())
        line("  " + file);
    progress.step(static_cast<int>(appletFiles_.size()));

    // Each name is listed once across both sections, so a file named as an image and as a
    // sound appears under the images only.
    std::set<std::string> listed;
    auto listOnce = [&](const std::string &name) {
        if (!name.empty() && listed.insert(name).second)
            line("  " + name);
    };
    line("");
    line("[Image File(s)]: They should be copied to the same directory the applet class file in!");
    forEachResourceSlot([&](std::size_t slot, const std::string &name) {
        if (isImageSlot(slot))
            listOnce(name);
    });
    progress.step(static_cast<int>(Items.size() * 3));
    line("");
    line("[Audio File(s)]: They should be copied to the same directory the applet class file in!");
    forEachResourceSlot([&](std::size_t slot, const std::string &name) {
        if (!isImageSlot(slot))
            listOnce(name);
    });
    progress.step(static_cast<int>(Items.size() * 2));
    line("");
    line(Rule);
    line("End of Publish Report");
    line(Rule);
    return out;
}

void TqarAppletAgent::WritePublishReport(const std::string &folder,
                                         const std::string &fileName) const
{
    const ProgressFinish finish(Progress());
    fsx::writeFileAtomically(folder + fileName, PublishReportText());
}
