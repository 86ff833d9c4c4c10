#include "FolderMemory.h"

#include "platform/Settings.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

namespace {
QString kindOf(const QString &filter)
{
    const QRegularExpressionMatch match =
        QRegularExpression(QStringLiteral("\\*\\.([A-Za-z0-9]+)")).match(filter);
    return match.hasMatch() ? match.captured(1).toLower() : QStringLiteral("any");
}
} // namespace

namespace FolderMemory {

QString folderFor(const QString &filter)
{
    const QString folder = Settings().folder(kindOf(filter));
    return !folder.isEmpty() && QFileInfo(folder).isDir() ? folder : QString();
}

void remember(const QString &filter, const QString &pickedFile)
{
    if (pickedFile.isEmpty())
        return;
    // Not stored, the next dialog starts where the platform decides.
    Settings().setFolder(kindOf(filter),
                         QDir::toNativeSeparators(QFileInfo(pickedFile).absolutePath()));
}

} // namespace FolderMemory
