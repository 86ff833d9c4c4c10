#pragma once

#include <QString>
#include <QStringList>
#include <vector>

// Web browsers registered with a freedesktop desktop: the desktop entries that handle
// x-scheme-handler/http or https, found in the applications folders of the XDG data dirs.
struct DesktopBrowser
{
    QString name;
    QString exec;
    QString file;
};

namespace DesktopBrowsers {

// The browsers found, by name, each name once (the user's own entries first).
std::vector<DesktopBrowser> find();

// The command line of an entry's Exec key for one file: the words split as the
// desktop-entry rules quote them, the file put in place of %f, %F, %u or %U (or added at the
// end when there is none), %c, %k and %i expanded or dropped, %% as %.
QStringList expandExec(const DesktopBrowser &browser, const QString &file);

} // namespace DesktopBrowsers
