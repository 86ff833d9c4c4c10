#include "ProgramFolder.h"

#include <QCoreApplication>
#include <QDir>

QString programFolder()
{
    return QDir::toNativeSeparators(QCoreApplication::applicationDirPath() + "/");
}
