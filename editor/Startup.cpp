#include "Startup.h"

#include "Dialogs.h"
#include "FileSystem.h"
#include "MainForm.h"
#include "ProgramFolder.h"
#include "Registry.h"
#include "Shell.h"

#include <QApplication>

QString startFileName(const QStringList &arguments)
{
    QString joined;
    for (const QString &argument : arguments)
        joined += argument + QLatin1Char(' ');
    return joined.trimmed();
}

bool readShowTempletsDialog()
{
    try {
        Registry registry(Registry::CurrentUser);
        if (!registry.openKey(QLatin1String(SettingsKey), false))
            return true;
        if (!registry.valueExists(QLatin1String(ShowTempletsValue)))
            return true;
        return registry.readBool(QLatin1String(ShowTempletsValue));
    } catch (const RegistryError &) {
        return false;
    }
}

int runEditor(int argc, char **argv)
{
    fsx::failOversizedWritesQuietly();
    QApplication app(argc, argv);
    QApplication::setApplicationName(QLatin1String(ApplicationTitle));

    QtDialogs dialogs;
    QtShell shell;
    TMainForm window(EditorServices{dialogs, shell, programFolder()});
    window.show();

    const QString startFile = startFileName(QApplication::arguments().mid(1));
    if (!startFile.isEmpty())
        window.OpenStartFile(startFile);
    else if (readShowTempletsDialog())
        window.ShowTemplateChooser();
    return QApplication::exec();
}
