#include "ProgramFolder.h"

#include "document/FileSystem.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#ifndef _WIN32
#include <unistd.h>
#endif

QString programFolder()
{
    const std::string exe =
        QDir::toNativeSeparators(QCoreApplication::applicationDirPath()).toStdString();
    return QString::fromStdString(fsx::dataFolderFor(exe));
}

bool isPortableFolder(const QString &folder)
{
    const QFileInfo info(folder);
    if (!info.isDir() || !info.isWritable())
        return false;
    const QString path = QDir::cleanPath(info.canonicalFilePath()) + QLatin1Char('/');
#ifdef _WIN32
    QStringList system;
    for (const char *name : {"ProgramFiles", "ProgramFiles(x86)", "ProgramW6432", "SystemRoot"}) {
        const QString value = qEnvironmentVariable(name);
        if (!value.isEmpty())
            system << QDir::cleanPath(QDir::fromNativeSeparators(value)) + QLatin1Char('/');
    }
    const Qt::CaseSensitivity cs = Qt::CaseInsensitive;
#else
    if (info.ownerId() != ::getuid())
        return false;
    const QStringList system{"/usr/",   "/opt/", "/bin/", "/sbin/", "/lib/",
                             "/lib64/", "/etc/", "/var/", "/snap/", "/app/"};
    const Qt::CaseSensitivity cs = Qt::CaseSensitive;
#endif
    for (const QString &prefix : system) {
        if (path.startsWith(prefix, cs))
            return false;
    }
    return true;
}

bool makePrivateFolder(const QString &folder)
{
    if (!QDir().mkpath(folder))
        return false;
    return QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                             QFileDevice::ExeOwner);
}

void makePrivateFile(const QString &file)
{
    if (QFileInfo(file).isFile())
        QFile::setPermissions(file, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
}
