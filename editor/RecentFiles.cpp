#include "RecentFiles.h"

#include "document/Errors.h"
#include "document/FileSystem.h"
#include "document/TextCodec.h"
#include "platform/ProgramFolder.h"

#include <QDir>
#include <QFileInfo>
#include <QLockFile>
#include <QStandardPaths>
#include <utility>

RecentFileList::RecentFileList(QString programFolder) : programFolder_(std::move(programFolder)) {}

QString RecentFileList::path() const
{
    if (isPortableFolder(programFolder_))
        return programFolder_ + "recentfile.dat";
    // The list names the user's files: nobody else reads it.
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    makePrivateFolder(folder);
    return QDir::toNativeSeparators(folder + "/recentfile.dat");
}

QStringList RecentFileList::lines() const
{
    const std::string file = path().toStdString();
    if (!fsx::fileExists(file)) {
        fsx::writeFileAtomically(file, std::string());
        makePrivateFile(path()); // later saves keep the mode
    }
    QStringList lines;
    for (const std::string &line : splitLines(decodeText(fsx::readFile(file)))) {
        if (lines.size() == Slots)
            break;
        lines << QString::fromStdString(line);
    }
    return lines;
}

void RecentFileList::add(const QString &fileName) const
{
    if (fileName.isEmpty())
        return;
    // Two editors updating the list at once would each write back what they read, losing
    // the other's entry.
    QLockFile lock(path() + QLatin1String(".lock"));
    lock.setStaleLockTime(10000);
    if (!lock.tryLock(5000))
        throw EInOutError("Cannot update \"" + path().toStdString() +
                          "\". Another editor keeps it locked");
    QStringList entries = lines();
    while (entries.size() < Slots)
        entries << QString();
    for (QString &entry : entries) {
        if (!entry.isEmpty())
            entry = entry.mid(3); // "&1 " before the path
    }
    if (entries.contains(fileName, Qt::CaseSensitive))
        return;
    entries.prepend(fileName);
    entries.removeLast();
    std::string text;
    for (int s = 0; s < Slots; ++s) {
        if (!entries[s].isEmpty())
            text += "&" + std::to_string(s + 1) + " " + entries[s].toStdString() + LineEnd;
    }
    fsx::writeFileAtomically(path().toStdString(), text);
}
