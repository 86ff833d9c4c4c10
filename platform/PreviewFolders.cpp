#include "PreviewFolders.h"

#include "document/FileSystem.h"

#include <cerrno>
#include <QCoreApplication>
#include <QDir>
#include <QRegularExpression>
#ifndef _WIN32
#include <csignal>
#endif

namespace {
const char *const Prefix = "tarvelle-preview-";

bool processIsGone(qint64 pid)
{
#ifndef _WIN32
    return pid > 0 && ::kill(static_cast<pid_t>(pid), 0) != 0 && errno == ESRCH;
#else
    Q_UNUSED(pid)
    return false;
#endif
}
} // namespace

namespace PreviewFolders {
QString templateIn(const QString &base)
{
    return base + QLatin1Char('/') + QLatin1String(Prefix) +
           QString::number(QCoreApplication::applicationPid()) + QLatin1Char('-');
}

int removeStale(const QString &base)
{
    static const QRegularExpression name(QStringLiteral("^tarvelle-preview-([0-9]+)-[^/]+$"));
    int removed = 0;
    const QDir folder(base);
    for (const QString &entry :
         folder.entryList({QLatin1String(Prefix) + QLatin1Char('*')}, QDir::Dirs | QDir::Hidden)) {
        const QRegularExpressionMatch match = name.match(entry);
        if (!match.hasMatch() || !processIsGone(match.captured(1).toLongLong()))
            continue;
        // Never through a link: one planted under a preview folder's name is left alone.
        if (fsx::removeFolderTree(QDir::toNativeSeparators(folder.filePath(entry)).toStdString()))
            ++removed;
    }
    return removed;
}
} // namespace PreviewFolders
