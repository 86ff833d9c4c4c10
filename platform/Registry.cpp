#include "Registry.h"

#include "platform/ProgramFolder.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace {
const char *rootName(Registry::Root root)
{
    switch (root) {
    case Registry::ClassesRoot:
        return "HKEY_CLASSES_ROOT";
    case Registry::CurrentUser:
        return "HKEY_CURRENT_USER";
    case Registry::LocalMachine:
        return "HKEY_LOCAL_MACHINE";
    }
    return "";
}

QString groupOf(const QString &key)
{
    QString group = key;
    group.replace(QLatin1Char('\\'), QLatin1Char('/'));
    while (group.startsWith(QLatin1Char('/')))
        group.remove(0, 1);
    while (group.endsWith(QLatin1Char('/')))
        group.chop(1);
    return group;
}

// QSettings stores a key's default value under the name "Default" in the native registry.
const QString DefaultValueName = QStringLiteral("Default");
} // namespace

Registry::Registry(Root root) : root_(root)
{
#ifdef Q_OS_WIN
    settings_ =
        std::make_unique<QSettings>(QString::fromLatin1(rootName(root)), QSettings::NativeFormat);
#else
    settings_ = std::make_unique<QSettings>(iniFile(root), QSettings::IniFormat);
#endif
}

Registry::~Registry() = default;

QString Registry::iniFile(Root root)
{
    return configFile(QString::fromLatin1(rootName(root)) + ".ini");
}

QString Registry::configFile(const QString &name)
{
    const QString folder =
        QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + "/Tarvelle";
    return folder + "/" + name;
}

bool Registry::openKey(const QString &key, bool create)
{
    closeKey();
    const QString group = groupOf(key);
    if (!create) {
        settings_->beginGroup(group);
        const bool exists =
            !settings_->childKeys().isEmpty() || !settings_->childGroups().isEmpty();
        settings_->endGroup();
        if (!exists)
            return false;
    } else if (!makePrivateFolder(QFileInfo(settings_->fileName()).absolutePath())) {
        throw RegistryError("cannot create the registry folder for " + key.toStdString());
    }
    group_ = group;
    open_ = true;
    return true;
}

void Registry::closeKey()
{
    open_ = false;
    group_.clear();
}

QString Registry::valueKey(const QString &name) const
{
    return group_ + "/" + (name.isEmpty() ? DefaultValueName : name);
}

void Registry::requireOpen() const
{
    if (!open_)
        throw RegistryError("no registry key is open");
}

void Registry::sync()
{
    settings_->sync();
#ifndef _WIN32
    makePrivateFile(settings_->fileName());
#endif
    if (settings_->status() != QSettings::NoError)
        throw RegistryError("cannot write the registry at " + settings_->fileName().toStdString());
}

bool Registry::valueExists(const QString &name) const
{
    requireOpen();
    return settings_->contains(valueKey(name));
}

QString Registry::readString(const QString &name) const
{
    requireOpen();
    return settings_->value(valueKey(name)).toString();
}

void Registry::writeString(const QString &name, const QString &value)
{
    requireOpen();
    // A value already stored is not written again: every write rewrites the whole file
    // and flushes it to disk, and some values are written at every start.
    const QString key = valueKey(name);
    if (settings_->contains(key) && settings_->value(key).toString() == value)
        return;
    settings_->setValue(key, value);
    sync();
}

int Registry::readInteger(const QString &name) const
{
    requireOpen();
    bool ok = false;
    const int value = settings_->value(valueKey(name)).toInt(&ok);
    if (!ok)
        throw RegistryError("the registry value " + name.toStdString() + " is not an integer");
    return value;
}

void Registry::writeInteger(const QString &name, int value)
{
    requireOpen();
    const QString key = valueKey(name);
    bool ok = false;
    if (settings_->contains(key) && settings_->value(key).toInt(&ok) == value && ok)
        return;
    settings_->setValue(key, value);
    sync();
}
