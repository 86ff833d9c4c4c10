#pragma once

#include <memory>
#include <optional>
#include <QByteArray>
#include <QString>

class QSettings;

// The program's settings for this user, where the platform keeps them: the registry on Windows,
// ~/.config/Tarvelle/Tarvelle.conf elsewhere (XDG_CONFIG_HOME moves it, as tests do). The first
// time, the settings of earlier versions (HKEY_CURRENT_USER.ini) are taken over, so that no one
// loses one. Every setting is a convenience: one that cannot be read is its default, one that
// cannot be stored is dropped.
class Settings
{
public:
    Settings();
    ~Settings();
    Settings(const Settings &) = delete;
    Settings &operator=(const Settings &) = delete;

    bool previewShown() const; // shown on the first start
    void setPreviewShown(bool shown);
    // The main window's docks and place, as QMainWindow saves them; empty before the first end.
    QByteArray windowState() const;
    void setWindowState(const QByteArray &state);
    QByteArray windowGeometry() const;
    void setWindowGeometry(const QByteArray &geometry);
    // The handle between the tree and the pages, as QSplitter saves it; before it, what the
    // tree had beyond its default width.
    QByteArray splitterState() const;
    void setSplitterState(const QByteArray &state);
    std::optional<int> treeExtraWidth() const;

    bool includeWebRuntime() const; // on unless turned off
    void setIncludeWebRuntime(bool include);
    // The site folder last published for a project, by the project's file.
    QString siteFolder(const QString &project) const;
    void setSiteFolder(const QString &project, const QString &folder);
    bool showTemplates() const; // the template chooser at start, unless turned off
    void setShowTemplates(bool show);
    // The browser for previews: a known one by name, "specified" for a program of the user's.
    QString browserChoice() const;
    QString specifiedBrowser() const;
    void setBrowser(const QString &choice, const QString &program);
    // The folder a file dialog for a kind of file ("tvl", "any") last opened in.
    QString folder(const QString &kind) const;
    void setFolder(const QString &kind, const QString &folder);

    // A file of the program's own in the per-user configuration folder.
    static QString configFile(const QString &name);

private:
    QString text(const QString &key) const;
    std::optional<int> integer(const QString &key) const;
    void store(const QString &key, const QVariant &value);
    void takeOverEarlierSettings();

    std::unique_ptr<QSettings> settings_;
};
