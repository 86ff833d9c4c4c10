#include "DesktopBrowsers.h"

#include <QDir>
#include <QFile>
#include <QSet>
#include <QTextStream>

namespace DesktopBrowsers {

namespace {
QStringList applicationFolders()
{
    QString home = qEnvironmentVariable("XDG_DATA_HOME");
    if (home.isEmpty())
        home = QDir::homePath() + "/.local/share";
    QString dirs = qEnvironmentVariable("XDG_DATA_DIRS");
    if (dirs.isEmpty())
        dirs = QStringLiteral("/usr/local/share:/usr/share");
    QStringList folders{home + "/applications"};
    for (const QString &dir : dirs.split(QLatin1Char(':'), Qt::SkipEmptyParts))
        folders << dir + "/applications";
    return folders;
}

// The keys of the [Desktop Entry] group, untranslated.
QMap<QString, QString> readEntry(const QString &path)
{
    QMap<QString, QString> keys;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return keys;
    QTextStream in(&file);
    bool inEntry = false;
    while (!in.atEnd()) {
        const QString line = in.readLine().trimmed();
        if (line.startsWith(QLatin1Char('['))) {
            inEntry = line == QLatin1String("[Desktop Entry]");
            continue;
        }
        const int equals = line.indexOf(QLatin1Char('='));
        if (!inEntry || equals <= 0 || line.startsWith(QLatin1Char('#')))
            continue;
        const QString key = line.left(equals).trimmed();
        if (!keys.contains(key))
            keys.insert(key, line.mid(equals + 1).trimmed());
    }
    return keys;
}

bool handlesWeb(const QMap<QString, QString> &keys)
{
    const QStringList types = keys.value(QStringLiteral("MimeType")).split(QLatin1Char(';'));
    return types.contains(QStringLiteral("x-scheme-handler/http")) ||
           types.contains(QStringLiteral("x-scheme-handler/https"));
}

// Splits Exec into words: blanks separate, double quotes group, and inside quotes a
// backslash escapes ", `, $ and \.
QStringList splitExec(const QString &exec)
{
    QStringList words;
    QString word;
    bool quoted = false;
    bool inWord = false;
    for (int i = 0; i < exec.size(); ++i) {
        const QChar c = exec[i];
        if (quoted) {
            if (c == QLatin1Char('\\') && i + 1 < exec.size()) {
                word += exec[++i];
            } else if (c == QLatin1Char('"')) {
                quoted = false;
            } else {
                word += c;
            }
        } else if (c == QLatin1Char('"')) {
            quoted = inWord = true;
        } else if (c.isSpace()) {
            if (inWord)
                words << word;
            word.clear();
            inWord = false;
        } else {
            word += c;
            inWord = true;
        }
    }
    if (inWord)
        words << word;
    return words;
}
} // namespace

std::vector<DesktopBrowser> find()
{
    std::vector<DesktopBrowser> browsers;
    QSet<QString> seenFiles;
    QSet<QString> seenNames;
    for (const QString &folder : applicationFolders()) {
        const QStringList files =
            QDir(folder).entryList({QStringLiteral("*.desktop")}, QDir::Files, QDir::Name);
        for (const QString &name : files) {
            if (seenFiles.contains(name))
                continue; // an entry in an earlier folder hides the same entry in later ones
            seenFiles.insert(name);
            const auto keys = readEntry(folder + "/" + name);
            if (keys.value(QStringLiteral("Type"), QStringLiteral("Application")) !=
                    QLatin1String("Application") ||
                keys.value(QStringLiteral("Hidden")) == QLatin1String("true") || !handlesWeb(keys))
                continue;
            const QString title = keys.value(QStringLiteral("Name"));
            const QString exec = keys.value(QStringLiteral("Exec"));
            if (title.isEmpty() || exec.isEmpty() || seenNames.contains(title))
                continue;
            seenNames.insert(title);
            browsers.push_back({title, exec, folder + "/" + name});
        }
    }
    return browsers;
}

QStringList expandExec(const DesktopBrowser &browser, const QString &file)
{
    QStringList command;
    bool placed = false;
    for (const QString &word : splitExec(browser.exec)) {
        if (word == QLatin1String("%f") || word == QLatin1String("%F") ||
            word == QLatin1String("%u") || word == QLatin1String("%U")) {
            command << file;
            placed = true;
        } else if (word == QLatin1String("%i")) {
            // The entry's icon is of no use for opening a page.
        } else {
            QString expanded;
            for (int i = 0; i < word.size(); ++i) {
                if (word[i] != QLatin1Char('%') || i + 1 >= word.size()) {
                    expanded += word[i];
                    continue;
                }
                const QChar code = word[++i];
                if (code == QLatin1Char('%'))
                    expanded += QLatin1Char('%');
                else if (code == QLatin1Char('c'))
                    expanded += browser.name;
                else if (code == QLatin1Char('k'))
                    expanded += browser.file;
                else if (code == QLatin1Char('f') || code == QLatin1Char('u')) {
                    expanded += file;
                    placed = true;
                }
                // Deprecated and unknown codes are dropped.
            }
            if (!expanded.isEmpty() || word.isEmpty())
                command << expanded;
        }
    }
    if (!placed && !command.isEmpty())
        command << file;
    return command;
}

} // namespace DesktopBrowsers
