#pragma once

#include <QDialog>
#include <string>

class DialogService;
class QComboBox;
class QLineEdit;
class QRadioButton;
class QToolButton;
class ShellService;

// The browser chooser: the default browser, a browser found on the system, or a program the
// author names; and the launch that opens a page in the chosen one. Created once, it keeps
// the choice in memory for the rest of the run.
class WebBrowserDialog : public QDialog
{
    Q_OBJECT

public:
    WebBrowserDialog(DialogService &dialogs, ShellService &shell, QWidget *parent = nullptr);

    // Prepares the dialog as on showing, then shows it modally.
    int run();
    void onShown();
    void onBrowserChosen();
    void chooseBrowserProgram();
    void acceptChoice();

    // Opens folder + fileName in the chosen browser; false when that browser (or the
    // system's handler) could not be started.
    bool launchInBrowser(const QString &folder, const QString &fileName);

    // The browsers the registry knows of; each yields an empty path when not installed.
    static QString findInternetExplorer();
    static QString FindNavigator3();
    static QString FindCommunicator4();
    // The names offered in the list: the registry's browsers found, then the desktop's.
    static QStringList knownBrowsers();

    QString browserChoice;
    QString specifiedBrowser;

    QRadioButton *defaultBrowserButton;
    QRadioButton *knownBrowserButton;
    QComboBox *browserList;
    QRadioButton *specifiedBrowserButton;
    QLineEdit *specifiedBrowserEdit;
    QToolButton *chooseBrowserButton;

    static const char *const SettingsFile;
    // Where SettingsFile lives.
    static std::string settingsPath();
    static const char *const ProgramFilter;

private:
    // The choice is kept per user between sessions; so is the program path, typed or picked.
    void loadChoice();
    void saveChoice();
    void rememberProgram(const QString &path);

    DialogService &dialogs_;
    ShellService &shell_;
};
