#include "Publisher.h"

#include "document/Errors.h"
#include "document/FileSystem.h"
#include "document/HtmlWriter.h"
#include "document/MenuDocument.h"
#include "document/ProjectFile.h"
#include "document/TextCodec.h"

#include <algorithm>
#include <cctype>
#include <map>
#include <set>
#include <tuple>
#include <unordered_set>

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

// Decides resources for one folder: with many names, the folder is listed once, so that a
// name it does not hold is missing without asking the disk for each.
class ResourceChecker
{
public:
    ResourceChecker(const std::string &folder, std::size_t names) : folder_(folder)
    {
#ifndef _WIN32 // names there match whatever their case: only the system can tell
        if (names > 64) {
            const std::set<std::string> entries = fsx::folderEntries(folder);
            listed_.insert(entries.begin(), entries.end());
            listing_ = true;
        }
#else
        (void)names;
#endif
    }
    // False only for a name the folder cannot hold (when it was listed).
    bool mayExist(const std::string &name) const
    {
        return !listing_ || listed_.count(name);
    }
    fsx::ResourceCheck operator()(const std::string &name) const
    {
        if (fsx::isBareFileName(name) && name != fsx::FolderLockName && !mayExist(name))
            return fsx::ResourceCheck::Missing;
        return fsx::checkResource(folder_, name);
    }

private:
    const std::string &folder_;
    std::unordered_set<std::string> listed_;
    bool listing_ = false;
};
} // namespace

std::string Publisher::previewFolder() const
{
    if (!previewFolder_.empty())
        return previewFolder_;
    return fsx::withSeparator(document_.programFolder()) + PreviewFolderName;
}

void Publisher::stage(const std::string &path)
{
    stageAs(path, fsx::fileNamePart(path));
}

void Publisher::stageAs(const std::string &path, const std::string &name)
{
    const std::string preview = previewFolder();
    if (!fsx::folderExists(preview))
        fsx::createFolder(preview);
    if (fsx::isBareFileName(name))
        fsx::copyFile(path, fsx::withSeparator(preview) + name, fsx::Durable::No);
    stagedFiles_.push_back(name);
}

void Publisher::stageFile(const std::string &name, const std::string &bytes)
{
    if (!fsx::isBareFileName(name))
        throw EInOutError("\"" + name + "\" is not a file name");
    const std::string preview = previewFolder();
    if (!fsx::folderExists(preview))
        fsx::createFolder(preview);
    stagedFiles_.push_back(name);
    fsx::writeFileAtomically(fsx::withSeparator(preview) + name, bytes, fsx::Durable::No);
}

void Publisher::clearStaged()
{
    const std::string preview = fsx::withSeparator(previewFolder());
    for (const std::string &name : stagedFiles_) {
        if (fsx::isBareFileName(name))
            fsx::removeFile(preview + name);
    }
    stagedFiles_.clear();
    fsx::removeEmptyFolder(previewFolder());
}

void Publisher::stageAppletFiles(const std::string &folder)
{
    for (const std::string &file : document_.appletFiles())
        stage(folder + file);
}

void Publisher::stageResources(const std::string &folder)
{
    // Only regular files inside the folder are staged, each once however many slots name it;
    // a failure stays silent here. Only names the folder holds are remembered, so a menu
    // naming millions of missing files stages in little memory.
    ProgressDisplay &progress = document_.progress();
    const ProgressFinish finish(progress);
    const std::size_t slots = document_.items().size() * 5 + 2;
    progress.setMaximum(static_cast<int>(slots));
    progress.setText("Copying Resource Files ... ...");
    const ResourceChecker check(folder, slots);
    std::unordered_set<std::string> done;
    const std::string icons = menuIconFolder();
    document_.forEachResourceView([&](std::size_t slot, std::string_view view) {
        progress.step(1);
        const std::string name(view);
        if (name.empty() || !done.insert(name).second)
            return;
        if (check.mayExist(name) && check(name) == fsx::ResourceCheck::Fine)
            stageFrom(folder, name);
        // An icon of the program's own set is written beside the page once it is used.
        else if (slot >= document_.firstLookSlot() && !icons.empty() && fsx::isBareFileName(name) &&
                 fsx::fileExists(icons + name))
            stageFrom(icons, name);
    });
}

std::string Publisher::menuIconFolder() const
{
    const std::string &program = document_.programFolder();
    return program.empty() ? std::string()
                           : fsx::withSeparator(fsx::withSeparator(program) + "menu-icons");
}

void Publisher::stageFrom(const std::string &folder, const std::string &name)
{
    const std::string preview = previewFolder();
    if (!fsx::folderExists(preview))
        fsx::createFolder(preview);
    // The preview is a cache: its copies need not reach the disk before the next one.
    try {
        if (fsx::copyResource(folder, name, fsx::withSeparator(preview) + name, fsx::Durable::No))
            ++stagedCopies_;
    } catch (const EInOutError &) {
    }
    stagedFiles_.push_back(name);
}

bool Publisher::saveAll(const std::string &folder, const std::string &fileName,
                        const ItemTree &tree, const ReplaceQuestion &mayReplace)
{
    return saveAllFrom(folder, fileName, tree, previewFolder(), mayReplace);
}

bool Publisher::saveAllFrom(const std::string &folder, const std::string &fileName,
                            const ItemTree &tree, const std::string &resourceFolder,
                            const ReplaceQuestion &mayReplace)
{
    ProgressDisplay &progress = document_.progress();
    const ProgressFinish finish(progress);
    const std::string base = baseName(fileName);
    const fsx::FolderLock lock(folder);
    fsx::removeLeftoverTemporaries(folder);
    // Asked under the lock: another save cannot put files there between question and writes.
    if (mayReplace && !mayReplace(filesReplaced(folder, fileName, resourceFolder)))
        return false;

    std::vector<Resource> resources = resourcesFor(fileName, resourceFolder);
    std::vector<std::pair<std::string, std::string>> copies; // target name, source path
    for (const std::string &file : appletFiles())
        copies.emplace_back(file, fsx::withSeparator(document_.programFolder()) + file);
    // The page loads the runtime: without it the page shows nothing, so that is an error
    // like any other output's.
    if (document_.includeWebRuntime() &&
        !fsx::fileExists(fsx::withSeparator(document_.programFolder()) + WebRuntimeFile))
        throw EInOutError("Cannot copy \"" + std::string(WebRuntimeFile) + "\" into \"" + folder +
                          "\"");
    const std::string page = base + ".html", project = projectName(fileName),
                      report = base + "_PublishReport.txt";

    // Every target is checked before anything is written, then every file is written beside
    // its target, and only then do they take their places: a failure on the way leaves the
    // folder as it was.
    for (const auto &[name, source] : copies)
        fsx::checkTarget(folder + name);
    for (const std::string &name : {page, project, report})
        fsx::checkTarget(folder + name);
    for (const Resource &resource : resources) {
        if (resource.check == fsx::ResourceCheck::Fine)
            fsx::checkTarget(folder + std::string(resource.name));
    }
    fsx::FileBatch batch;
    for (const auto &[name, source] : copies) {
        const std::string bytes = fsx::readFile(source);
        batch.add(folder + name, [&bytes](TextOut &out) { out += bytes; });
    }
    batch.add(folder + page,
              [&](TextOut &out) { HtmlWriter(document_).writeSavedPage(out, base, tree); });
    batch.add(folder + project, [&](TextOut &out) { ProjectWriter(document_, tree).write(out); });

    progress.setMaximum(static_cast<int>(resources.size()));
    progress.setText("Copying Publishable Files ... ...");
    skippedResources_.clear();
    for (Resource &resource : resources) {
        progress.step(1);
        const std::string name(resource.name);
        if (resource.check != fsx::ResourceCheck::Fine)
            continue;
        // A file removed or replaced by a link since it was looked at is left out as it now is.
        const std::string source = fsx::resourceSource(resourceFolder, name);
        if (source.empty()) {
            const fsx::ResourceCheck now = fsx::checkResource(resourceFolder, name);
            resource.check = now == fsx::ResourceCheck::Fine ? fsx::ResourceCheck::Missing : now;
            continue;
        }
        const std::string bytes = fsx::readFile(source);
        batch.add(folder + name, [&bytes](TextOut &out) { out += bytes; });
    }
    // The report lists what this save writes, so that a later save knows which files are
    // Tarvelle's own.
    batch.add(folder + report, [&](TextOut &out) { writeReport(out, fileName, resources); });
    batch.commit();
    // What was left out stays to be told, in the same memory.
    resources.erase(std::remove_if(resources.begin(), resources.end(),
                                   [](const Resource &resource) {
                                       return resource.check == fsx::ResourceCheck::Fine;
                                   }),
                    resources.end());
    skippedResources_ = std::move(resources);
    return true;
}

std::set<std::string> Publisher::outputs(const std::string &fileName) const
{
    const std::string base = baseName(fileName);
    std::set<std::string> outputs{base + ".html", projectName(fileName),
                                  base + "_PublishReport.txt"};
    for (const std::string &file : document_.appletFiles()) {
        if (fsx::isBareFileName(file))
            outputs.insert(file);
    }
    return outputs;
}

std::vector<Publisher::Resource> Publisher::distinctResources() const
{
    // Views into the records, sorted to find each name's first slot: no copy of a name, so a
    // menu naming millions of files needs a few words of memory for each.
    std::vector<Resource> resources;
    document_.forEachResourceView([&resources](std::size_t slot, std::string_view name) {
        if (!name.empty())
            resources.push_back({name, static_cast<std::uint32_t>(slot)});
    });
    const auto soundSlot = [](const Resource &r) { return !isImageSlot(r.slot); };
    std::sort(resources.begin(), resources.end(), [&](const auto &a, const auto &b) {
        return std::make_tuple(a.name, soundSlot(a), a.slot) <
               std::make_tuple(b.name, soundSlot(b), b.slot);
    });
    resources.erase(std::unique(resources.begin(), resources.end(),
                                [](const auto &a, const auto &b) { return a.name == b.name; }),
                    resources.end());
    std::sort(resources.begin(), resources.end(),
              [](const auto &a, const auto &b) { return a.slot < b.slot; });
    return resources;
}

std::vector<Publisher::Resource> Publisher::resourcesFor(const std::string &fileName,
                                                         const std::string &resourceFolder) const
{
    std::vector<Resource> resources = distinctResources();
    const std::set<std::string> written = outputs(fileName);
    const ResourceChecker check(resourceFolder, resources.size());
    for (Resource &resource : resources) {
        const std::string name(resource.name);
        resource.check = written.count(name) ? fsx::ResourceCheck::OutputName : check(name);
    }
    return resources;
}

std::map<std::string, std::string> Publisher::plannedWrites(const std::string &fileName,
                                                            const std::string &resourceFolder) const
{
    std::map<std::string, std::string> writes;
    for (const std::string &name : outputs(fileName))
        writes[name] = std::string();
    for (const std::string &file : document_.appletFiles()) {
        const std::string source = fsx::withSeparator(document_.programFolder()) + file;
        if (fsx::isBareFileName(file) && !fsx::fileExists(source))
            writes.erase(file); // not copied where the program folder lacks it
        else if (fsx::isBareFileName(file))
            writes[file] = source;
    }
    for (const Resource &resource : resourcesFor(fileName, resourceFolder)) {
        const std::string name(resource.name);
        if (resource.check == fsx::ResourceCheck::Fine)
            writes[name] = fsx::withSeparator(resourceFolder) + name;
    }
    return writes;
}

StringList Publisher::filesWritten(const std::string &fileName,
                                   const std::string &resourceFolder) const
{
    StringList names;
    for (const auto &[name, source] : plannedWrites(fileName, resourceFolder))
        names.push_back(name);
    return names;
}

std::set<std::string> tarvelleFilesIn(const std::string &folder,
                                      const std::set<std::string> &present)
{
    static const std::string reportSuffix = "_PublishReport.txt";
    std::set<std::string> ours;
    const auto readList = [&](const std::string &name) {
        try {
            const std::string report = fsx::readFile(fsx::withSeparator(folder) + name);
            for (LineCursor lines(report); !lines.atEnd();) {
                const std::string_view line = lines.next();
                if (line.size() > 2 && line.substr(0, 2) == "  ")
                    ours.insert(std::string(line.substr(2)));
            }
        } catch (const EInOutError &) {
        }
    };
    for (const std::string &name : present) {
        if (name == SiteAssetRecord) {
            ours.insert(name);
            readList(name);
        }
        if (name.size() <= reportSuffix.size() ||
            name.compare(name.size() - reportSuffix.size(), reportSuffix.size(), reportSuffix) != 0)
            continue;
        const std::string base = name.substr(0, name.size() - reportSuffix.size());
        ours.insert({name, base + ".html", base + ".tvl"});
        readList(name);
    }
    return ours;
}

Publisher::ReplacedFiles Publisher::filesReplaced(const std::string &folder,
                                                  const std::string &fileName,
                                                  const std::string &resourceFolder) const
{
    const std::set<std::string> present = fsx::folderEntries(folder);
    const std::set<std::string> ours = tarvelleFilesIn(folder, present);
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

StringList Publisher::appletFiles() const
{
    StringList files;
    for (const std::string &file : document_.appletFiles()) {
        if (!fsx::isBareFileName(file))
            continue;
        if (file == WebRuntimeFile ||
            fsx::fileExists(fsx::withSeparator(document_.programFolder()) + file))
            files.push_back(file);
    }
    return files;
}

std::string Publisher::reportText(const std::string &fileName) const
{
    std::vector<Resource> every = resourcesFor(fileName, std::string());
    for (Resource &resource : every)
        resource.check = fsx::ResourceCheck::Fine;
    TextOut out;
    writeReport(out, fileName, every);
    return out.take();
}

std::string Publisher::reportText(const std::string &fileName,
                                  const std::string &resourceFolder) const
{
    TextOut out;
    writeReport(out, fileName, resourcesFor(fileName, resourceFolder));
    return out.take();
}

void Publisher::writeReport(TextOut &out, const std::string &fileName,
                            const std::vector<Resource> &resources) const
{
    ProgressDisplay &progress = document_.progress();
    const ProgressFinish finish(progress);
    progress.setMaximum(static_cast<int>(document_.appletFiles().size() + resources.size()));
    progress.setText("Making Publish Report ... ...");

    // Every line that starts with two blanks names a file the save writes: a later save reads
    // them back to tell its own files from the author's.
    const std::string base = baseName(fileName);
    out.line(Rule);
    out.line("This report lists the files that show the menu on a web site. Upload them all into "
             "one folder");
    out.line("of the site. Saving the project writes them beside the project file, with this "
             "report as");
    out.line("\"" + base +
             "_PublishReport.txt\"; Applet > Publish to Folder writes them into a "
             "folder you choose.");
    out.line(Rule);
    out.line("");
    out.line("[Page]: It shows the menu. To show the menu in a page of your own, copy the part "
             "between");
    out.line("<body> and </body> into that page and upload the files below beside it.");
    out.line("  " + base + ".html");
    out.line("");
    out.line(document_.includeWebRuntime()
                 ? "[Web runtime]: zorvex.js draws the menu; zorvex.js.map serves browsers' "
                   "developer tools."
                 : "[Applet files]: The page holds only the applet tag, which today's browsers do "
                   "not run.");
    for (const std::string &file : appletFiles())
        out.line("  " + file);
    progress.step(static_cast<int>(document_.appletFiles().size()));

    // Each name once across both sections: one named as an image and as a sound appears
    // under the images only. Only what is copied is listed.
    const auto listSection = [&](bool images) {
        for (const Resource &resource : resources) {
            if (resource.check != fsx::ResourceCheck::Fine || isImageSlot(resource.slot) != images)
                continue;
            out += "  ";
            out.line(resource.name);
            progress.step(1);
        }
    };
    out.line("");
    out.line("[Image File(s)]: They go into the same folder as the page.");
    listSection(true);
    out.line("");
    out.line("[Audio File(s)]: They go into the same folder as the page.");
    listSection(false);
    out.line("");
    out.line(Rule);
    out.line("End of Publish Report");
    out.line(Rule);
}
