#include "ProgramFolder.h"

#include "FileSystem.h"

#include <QCoreApplication>
#include <QDir>

QString programFolder()
{
    const std::string exe =
        QDir::toNativeSeparators(QCoreApplication::applicationDirPath()).toStdString();
    return QString::fromStdString(fsx::dataFolderFor(exe));
}
