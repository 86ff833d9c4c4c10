#pragma once

#include <memory>
#include <QSettings>
#include <QString>
#include <stdexcept>

// The per-user key of the program's settings.
inline constexpr const char *SettingsKey = "\\Software\\QAR\\Tarvelle\\1.0\\Settings";

// Error of the registry layer; callers decide whether to swallow it.
class RegistryError : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

// A small stand-in for the Windows registry. On Windows it maps onto the real registry;
// elsewhere each root is an INI file under the per-user configuration folder
// (<config>/Tarvelle/<root>.ini), so tests redirect it with XDG_CONFIG_HOME.
//
// Keys are written with backslashes ("\Software\QAR\Tarvelle\1.0\Settings"); the value
// named by an empty string is the key's default value.
class Registry
{
public:
    enum Root
    {
        ClassesRoot,
        CurrentUser,
        LocalMachine
    };

    explicit Registry(Root root);
    ~Registry();
    Registry(const Registry &) = delete;
    Registry &operator=(const Registry &) = delete;

    // Opens a key; without create, a key that does not exist gives false and stays closed.
    bool openKey(const QString &key, bool create);
    void closeKey();
    bool valueExists(const QString &name) const;
    QString readString(const QString &name) const;
    void writeString(const QString &name, const QString &value);
    int readInteger(const QString &name) const;
    void writeInteger(const QString &name, int value);
    bool readBool(const QString &name) const { return readInteger(name) != 0; }
    void writeBool(const QString &name, bool value) { writeInteger(name, value ? 1 : 0); }

    // The file behind a root on platforms without a registry.
    static QString iniFile(Root root);
    // A file of the program's own in the per-user configuration folder.
    static QString configFile(const QString &name);

private:
    QString valueKey(const QString &name) const;
    void requireOpen() const;
    void sync();

    Root root_;
    std::unique_ptr<QSettings> settings_;
    QString group_;
    bool open_ = false;
};
