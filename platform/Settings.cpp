#include "Settings.h"

#include "platform/ProgramFolder.h"

#include <QCryptographicHash>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>

namespace {
// The groups of the settings, and where earlier versions kept the same values.
const char *const Main = "Settings/";
const char *const Folders = "Folders/";
const char *const EarlierMain = "Software/QAR/Tarvelle/1.0/Settings";
const char *const EarlierFolders = "Software/QAR/Tarvelle/1.0/Folders";

// The site a project was last published to: a value per project file, named after a hash of
// its path (a path cannot name a value).
QString siteKey(const QString &project)
{
    return QLatin1String(Main) + QStringLiteral("Site-") +
           QString::fromLatin1(QCryptographicHash::hash(project.toUtf8(), QCryptographicHash::Sha1)
                                   .toHex()
                                   .left(20));
}

std::unique_ptr<QSettings> openSettings()
{
#ifdef Q_OS_WIN
    return std::make_unique<QSettings>(QStringLiteral("Tarvelle"), QStringLiteral("Tarvelle"));
#else
    return std::make_unique<QSettings>(Settings::configFile(QStringLiteral("Tarvelle.conf")),
                                       QSettings::IniFormat);
#endif
}

std::unique_ptr<QSettings> openEarlierSettings()
{
#ifdef Q_OS_WIN
    return std::make_unique<QSettings>(QStringLiteral("HKEY_CURRENT_USER"),
                                       QSettings::NativeFormat);
#else
    const QString file = Settings::configFile(QStringLiteral("HKEY_CURRENT_USER.ini"));
    if (!QFileInfo::exists(file))
        return nullptr;
    return std::make_unique<QSettings>(file, QSettings::IniFormat);
#endif
}
} // namespace

Settings::Settings() : settings_(openSettings())
{
    if (settings_->allKeys().isEmpty())
        takeOverEarlierSettings();
}

Settings::~Settings() = default;

QString Settings::configFile(const QString &name)
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/Tarvelle/") + name;
}

void Settings::takeOverEarlierSettings()
{
    const std::unique_ptr<QSettings> earlier = openEarlierSettings();
    if (!earlier)
        return;
    for (const auto &[from, to] :
         {std::pair{EarlierMain, Main}, std::pair{EarlierFolders, Folders}}) {
        earlier->beginGroup(QLatin1String(from));
        for (const QString &name : earlier->childKeys())
            store(QLatin1String(to) + name, earlier->value(name));
        earlier->endGroup();
    }
}

QString Settings::text(const QString &key) const
{
    return settings_->value(key).toString();
}

std::optional<int> Settings::integer(const QString &key) const
{
    bool ok = false;
    const int value = settings_->value(key).toInt(&ok);
    return ok ? std::optional<int>(value) : std::nullopt;
}

void Settings::store(const QString &key, const QVariant &value)
{
    // A value already stored is not written again: every write rewrites the whole file.
    if (settings_->contains(key) && settings_->value(key).toString() == value.toString())
        return;
#ifndef Q_OS_WIN
    if (!makePrivateFolder(QFileInfo(settings_->fileName()).absolutePath()))
        return;
#endif
    settings_->setValue(key, value);
    settings_->sync();
#ifndef Q_OS_WIN
    makePrivateFile(settings_->fileName());
#endif
}

bool Settings::previewShown() const
{
    return integer(QLatin1String(Main) + "LivePreviewShown").value_or(1) != 0;
}
void Settings::setPreviewShown(bool shown)
{
    store(QLatin1String(Main) + "LivePreviewShown", shown ? 1 : 0);
}
QByteArray Settings::windowState() const
{
    return QByteArray::fromBase64(text(QLatin1String(Main) + "MainWindowDocks").toLatin1());
}
void Settings::setWindowState(const QByteArray &state)
{
    store(QLatin1String(Main) + "MainWindowDocks", QString::fromLatin1(state.toBase64()));
}
QByteArray Settings::windowGeometry() const
{
    return QByteArray::fromBase64(text(QLatin1String(Main) + "MainWindowGeometry").toLatin1());
}
void Settings::setWindowGeometry(const QByteArray &geometry)
{
    store(QLatin1String(Main) + "MainWindowGeometry", QString::fromLatin1(geometry.toBase64()));
}
std::optional<int> Settings::treeExtraWidth() const
{
    return integer(QLatin1String(Main) + "TreeExtraWidth");
}
QByteArray Settings::splitterState() const
{
    return QByteArray::fromBase64(text(QLatin1String(Main) + "MainWindowSplitter").toLatin1());
}
void Settings::setSplitterState(const QByteArray &state)
{
    store(QLatin1String(Main) + "MainWindowSplitter", QString::fromLatin1(state.toBase64()));
}

bool Settings::includeWebRuntime() const
{
    return integer(QLatin1String(Main) + "IncludeWebRuntime").value_or(1) != 0;
}
void Settings::setIncludeWebRuntime(bool include)
{
    store(QLatin1String(Main) + "IncludeWebRuntime", include ? 1 : 0);
}
QString Settings::siteFolder(const QString &project) const
{
    return text(siteKey(project));
}
void Settings::setSiteFolder(const QString &project, const QString &folder)
{
    store(siteKey(project), folder);
}
bool Settings::showTemplates() const
{
    // Shown until turned off; a value that cannot be read hides it.
    const QString key = QLatin1String(Main) + "ShowTempletsDialog";
    return !settings_->contains(key) || integer(key).value_or(0) != 0;
}
void Settings::setShowTemplates(bool show)
{
    store(QLatin1String(Main) + "ShowTempletsDialog", show ? 1 : 0);
}
QString Settings::browserChoice() const
{
    return text(QLatin1String(Main) + "WebBrowser");
}
QString Settings::specifiedBrowser() const
{
    return text(QLatin1String(Main) + "WebBrowserProgram");
}
void Settings::setBrowser(const QString &choice, const QString &program)
{
    store(QLatin1String(Main) + "WebBrowser", choice);
    store(QLatin1String(Main) + "WebBrowserProgram", program);
}
QString Settings::folder(const QString &kind) const
{
    return text(QLatin1String(Folders) + kind);
}
void Settings::setFolder(const QString &kind, const QString &folder)
{
    store(QLatin1String(Folders) + kind, folder);
}
