#include "FolderMemory.h"

#include "platform/Registry.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

namespace {
const char *const FoldersKey = "\\Software\\QAR\\Tarvelle\\1.0\\Folders";

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
    try {
        Registry registry(Registry::CurrentUser);
        if (!registry.openKey(QLatin1String(FoldersKey), false) ||
            !registry.valueExists(kindOf(filter)))
            return {};
        const QString folder = registry.readString(kindOf(filter));
        return QFileInfo(folder).isDir() ? folder : QString();
    } catch (const RegistryError &) {
        return {};
    }
}

void remember(const QString &filter, const QString &pickedFile)
{
    if (pickedFile.isEmpty())
        return;
    try {
        Registry registry(Registry::CurrentUser);
        registry.openKey(QLatin1String(FoldersKey), true);
        registry.writeString(kindOf(filter),
                             QDir::toNativeSeparators(QFileInfo(pickedFile).absolutePath()));
    } catch (const RegistryError &) {
        // The next dialog starts where the platform decides.
    }
}

} // namespace FolderMemory
