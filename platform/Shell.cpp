#include "Shell.h"

#include <QDesktopServices>
#include <QProcess>
#include <QUrl>

bool QtShell::openDocument(const QString &target)
{
    const QUrl url =
        target.contains(QLatin1String("://")) ? QUrl(target) : QUrl::fromLocalFile(target);
    return QDesktopServices::openUrl(url);
}

bool QtShell::startProgram(const QString &program, const QStringList &arguments,
                           const QString &workingDirectory)
{
    return QProcess::startDetached(program, arguments, workingDirectory);
}
