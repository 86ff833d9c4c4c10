#include "ProgramFolder.h"

#include <QCoreApplication>
#include <QDir>

QString programFolder()
{
    return QDir::toNativeSeparators(QCoreApplication::applicationDirPath() + "/");
}

QString programFile(const QString &relative)
{
    return programFolder() + QDir::toNativeSeparators(relative);
}

QString nativePath(const QString &path)
{
    return QDir::toNativeSeparators(path);
}
