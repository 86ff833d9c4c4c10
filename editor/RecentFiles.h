#pragma once

#include <QString>
#include <QStringList>

// The projects opened last, at most four, kept in a text file that every editor of the user
// shares: "&1 path" per line, the newest first.
class RecentFileList
{
public:
    static constexpr int Slots = 4;

    // programFolder ends with a separator.
    explicit RecentFileList(QString programFolder);

    // Beside the program when it may write there (a copy run from its build or unpacked
    // folder); an installed copy keeps the list in the per-user data folder.
    QString path() const;
    // The list's lines, at most four, empty ones kept; a missing list is created empty.
    QStringList lines() const;
    // Puts a file first unless it is listed already (letter case counts). Two editors may add
    // at once: the read-modify-write happens under a lock file; a lock that stays taken throws.
    void add(const QString &fileName) const;

private:
    QString programFolder_;
};
