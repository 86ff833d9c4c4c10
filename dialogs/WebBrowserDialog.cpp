#include "WebBrowserDialog.h"

#include "dialogs/DesktopBrowsers.h"
#include "document/FileSystem.h"
#include "document/TextCodec.h"
#include "platform/Appearance.h"
#include "platform/Dialogs.h"
#include "platform/Help.h"
#include "platform/Settings.h"
#include "platform/Shell.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileInfo>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QToolButton>
#include <QVBoxLayout>

const char *const WebBrowserDialog::SettingsFile = "wbrwsr.dat";

std::string WebBrowserDialog::settingsPath()
{
    // The per-user configuration folder, not whatever folder the editor was started from.
    return QDir::toNativeSeparators(Settings::configFile(QLatin1String(SettingsFile)))
        .toStdString();
}
#ifdef Q_OS_WIN
const char *const WebBrowserDialog::ProgramFilter = "Execute Files (*.exe, *.com)|*.exe; *.com";
#else
// Programs carry no extension here.
const char *const WebBrowserDialog::ProgramFilter = "All Files (*)|*";
#endif

namespace {
const char *const InternetExplorer = "Internet Explorer";
const char *const Navigator3 = "Netscape Navigator 3";
const char *const Communicator4 = "Netscape Communicator 4.x";
const char *const NetscapeProgram = "\\Program\\Netscape.exe";

// A value of the Windows registry (an empty name for the key's default value); empty where
// there is no registry and when the key or value is missing.
QString registryValue(const char *root, const QString &key, const QString &name)
{
#ifdef Q_OS_WIN
    const QSettings registry(QLatin1String(root) + QLatin1Char('\\') + key,
                             QSettings::NativeFormat);
    return registry.value(name.isEmpty() ? QStringLiteral("Default") : name).toString();
#else
    Q_UNUSED(root)
    Q_UNUSED(key)
    Q_UNUSED(name)
    return QString();
#endif
}
const char *const LocalMachine = "HKEY_LOCAL_MACHINE";
const char *const CurrentUser = "HKEY_CURRENT_USER";

QString netscapeProgram(const QString &installDirectory)
{
    return installDirectory.isEmpty() ? QString() : installDirectory + NetscapeProgram;
}
} // namespace

WebBrowserDialog::WebBrowserDialog(DialogService &dialogs, ShellService &shell, QWidget *parent)
    : QDialog(parent), dialogs_(dialogs), shell_(shell)
{
    setObjectName("formWebBrowser");
    setFont(compactFont());
    setWindowTitle(tr("Web Browser"));
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint |
                   Qt::WindowTitleHint);
    HelpService::setTopic(this, HelpTopic::MenuItems);

    auto *box = new QGroupBox(tr("Web Browser"), this);
    defaultBrowserButton = new QRadioButton(tr("Use Default Browser"), box);
    defaultBrowserButton->setObjectName("RadioButtonBrowserDefault");
    defaultBrowserButton->setChecked(true);
    knownBrowserButton = new QRadioButton(tr("Use Known Browser in System"), box);
    knownBrowserButton->setObjectName("RadioButtonBrowserKnownInSystem");
    browserList = new QComboBox(box);
    browserList->setObjectName("ComboBoxBrowserList");
    browserList->setAccessibleName(tr("Known browser"));
    specifiedBrowserButton = new QRadioButton(tr("User Specified Browser Program"), box);
    specifiedBrowserButton->setObjectName("RadioButtonBrowserUserSpecify");
    auto *label = new QLabel(tr("Execute File:"), box);
    label->setObjectName("Label1");
    specifiedBrowserEdit = new QLineEdit(box);
    specifiedBrowserEdit->setObjectName("editSpecifiedBrowserFileName");
    label->setBuddy(specifiedBrowserEdit);
    chooseBrowserButton = new QToolButton(box);
    chooseBrowserButton->setObjectName("spdbtnOpenExeFile");
    chooseBrowserButton->setAccessibleName(tr("Choose the browser program"));
    chooseBrowserButton->setIcon(QIcon(QStringLiteral(":/icons/folder.svg")));
    chooseBrowserButton->setAutoRaise(true);

    auto *inner = new QVBoxLayout(box);
    inner->addWidget(defaultBrowserButton);
    inner->addWidget(knownBrowserButton);
    auto *list = new QHBoxLayout;
    list->addSpacing(20);
    list->addWidget(browserList, 1);
    inner->addLayout(list);
    inner->addWidget(specifiedBrowserButton);
    // The program's path takes the group's whole width, on a row of its own.
    auto *caption = new QHBoxLayout;
    caption->addSpacing(20);
    caption->addWidget(label);
    inner->addLayout(caption);
    auto *program = new QHBoxLayout;
    program->addSpacing(20);
    program->addWidget(specifiedBrowserEdit, 1);
    program->addWidget(chooseBrowserButton);
    inner->addLayout(program);
    box->setMinimumWidth(356);

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setObjectName("bitbtnOk");
    buttons->button(QDialogButtonBox::Cancel)->setObjectName("bitbtnCancel");
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(box);
    layout->addWidget(buttons);
    setFixedWidth(380);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(browserList, &QComboBox::activated, this, &WebBrowserDialog::onBrowserChosen);
    connect(chooseBrowserButton, &QToolButton::clicked, this,
            &WebBrowserDialog::chooseBrowserProgram);
    connect(buttons, &QDialogButtonBox::accepted, this, &WebBrowserDialog::acceptChoice);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    loadChoice();
}

QString WebBrowserDialog::findInternetExplorer()
{
    return registryValue(
        LocalMachine,
        QStringLiteral("SOFTWARE\\Microsoft\\windows\\CurrentVersion\\App Paths\\IEXPLORE.EXE"),
        QString());
}

QString WebBrowserDialog::FindNavigator3()
{
    return netscapeProgram(
        registryValue(CurrentUser, QStringLiteral("SOFTWARE\\Netscape\\Netscape Navigator\\Main"),
                      QStringLiteral("Install Directory")));
}

QString WebBrowserDialog::FindCommunicator4()
{
    const QString base = QStringLiteral("SOFTWARE\\Netscape\\Netscape Navigator");
    const QString version = registryValue(LocalMachine, base, QStringLiteral("CurrentVersion"));
    if (version.isEmpty())
        return QString();
    return netscapeProgram(registryValue(LocalMachine, base + "\\" + version + "\\Main",
                                         QStringLiteral("Install Directory")));
}

QStringList WebBrowserDialog::knownBrowsers()
{
    QStringList names;
    if (!findInternetExplorer().isEmpty())
        names << InternetExplorer;
    if (!FindNavigator3().isEmpty())
        names << Navigator3;
    if (!FindCommunicator4().isEmpty())
        names << Communicator4;
    for (const DesktopBrowser &browser : DesktopBrowsers::find()) {
        if (!names.contains(browser.name))
            names << browser.name;
    }
    return names;
}

int WebBrowserDialog::run()
{
    onShown();
    return dialogs_.runModal(this);
}

void WebBrowserDialog::onShown()
{
    browserList->clear();
    browserList->addItems(knownBrowsers());
    if (browserList->count() > 0)
        browserList->setCurrentIndex(0);
    // The choice in force is the one shown.
    const int known = browserList->findText(browserChoice);
    if (browserChoice == QLatin1String("specified"))
        specifiedBrowserButton->setChecked(true);
    else if (known >= 0) {
        knownBrowserButton->setChecked(true);
        browserList->setCurrentIndex(known);
    } else
        defaultBrowserButton->setChecked(true);
    const std::string settings = settingsPath();
    if (!fsx::fileExists(settings))
        return;
    try {
        const auto lines = splitLines(decodeText(fsx::readFile(settings)));
        specifiedBrowserEdit->setText(lines.empty() ? QString() : QString::fromStdString(lines[0]));
    } catch (const std::exception &error) {
        dialogs_.error(this, QString::fromStdString(error.what()));
    }
}

void WebBrowserDialog::onBrowserChosen()
{
    knownBrowserButton->setChecked(true);
}

void WebBrowserDialog::chooseBrowserProgram()
{
    const QString program = dialogs_.openFile(this, QLatin1String(ProgramFilter), false);
    if (program.isEmpty())
        return;
    const QString path = QDir::toNativeSeparators(program);
    specifiedBrowserEdit->setText(path);
    specifiedBrowserButton->setChecked(true);
    rememberProgram(path);
}

void WebBrowserDialog::rememberProgram(const QString &path)
{
    try {
        QDir().mkpath(QFileInfo(QString::fromStdString(settingsPath())).absolutePath());
        fsx::writeFileAtomically(settingsPath(), path.toStdString() + LineEnd);
    } catch (const std::exception &error) {
        dialogs_.error(this, QString::fromStdString(error.what()));
    }
}

// The choice of the last session: Preview, F1 and Help Topics use it from the start.
void WebBrowserDialog::loadChoice()
{
    // Not remembered: the default browser.
    const Settings settings;
    browserChoice = settings.browserChoice();
    specifiedBrowser = settings.specifiedBrowser();
}

void WebBrowserDialog::saveChoice()
{
    // Not stored, the choice holds for this session.
    Settings().setBrowser(browserChoice, specifiedBrowser);
}

void WebBrowserDialog::acceptChoice()
{
    if (defaultBrowserButton->isChecked()) {
        browserChoice = QStringLiteral("default");
    } else if (knownBrowserButton->isChecked()) {
        browserChoice =
            browserList->count() > 0 ? browserList->currentText() : QStringLiteral("default");
    } else if (specifiedBrowserButton->isChecked()) {
        if (!specifiedBrowserEdit->text().isEmpty()) {
            specifiedBrowser = specifiedBrowserEdit->text();
            browserChoice = QStringLiteral("specified");
            rememberProgram(specifiedBrowser); // typed as well as picked
        } else {
            browserChoice = QStringLiteral("default");
        }
    }
    saveChoice();
    accept();
}

bool WebBrowserDialog::launchInBrowser(const QString &folder, const QString &fileName)
{
    const QString page = folder + fileName;
    if (browserChoice.isEmpty() || browserChoice == QLatin1String("default"))
        return shell_.openDocument(page);
    if (browserChoice == QLatin1String("specified"))
        return shell_.startProgram(specifiedBrowser, {fileName}, folder);
    QString program;
    if (browserChoice == QLatin1String(InternetExplorer))
        program = findInternetExplorer();
    else if (browserChoice == QLatin1String(Navigator3))
        program = FindNavigator3();
    else if (browserChoice == QLatin1String(Communicator4))
        program = FindCommunicator4();
    if (!program.isEmpty())
        return shell_.startProgram(program, {page}, QString());
    for (const DesktopBrowser &browser : DesktopBrowsers::find()) {
        if (browser.name != browserChoice)
            continue;
        QStringList command = DesktopBrowsers::expandExec(browser, page);
        return !command.isEmpty() && shell_.startProgram(command.takeFirst(), command, QString());
    }
    return false; // the chosen browser is no longer there
}
