// Runs the GUI suites headlessly on a screen of 1366 x 768 (a common laptop's), with the
// registry, the configuration and the kept copies of unsaved work redirected into a temporary
// folder so no test touches the user's settings or files.

#include "tests/gui/KilledEditor.h"

#include <gtest/gtest.h>
#include <QApplication>
#include <QFile>
#include <QTemporaryDir>

int main(int argc, char **argv)
{
    QTemporaryDir config;
    QFile screens(config.filePath("screens.json"));
    if (screens.open(QIODevice::WriteOnly))
        screens.write(R"({"screens": [{"name": "laptop", "x": 0, "y": 0, "width": 1366,
                          "height": 768, "logicalDpi": 96, "logicalBaseDpi": 96,
                          "dpr": 1}]})");
    screens.close();
    qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + screens.fileName().toLocal8Bit());
    qputenv("XDG_CONFIG_HOME", config.path().toLocal8Bit());
    // An editor run to be killed keeps its work where the test that runs it looks.
    if (argc < 2 || qstrcmp(argv[1], KilledEditorOption) != 0)
        qputenv("XDG_STATE_HOME", config.filePath("state").toLocal8Bit());
    QApplication app(argc, argv);
    // Run again as an editor that a test kills.
    if (const int exitCode = editUntilKilled(argc, argv); exitCode >= 0)
        return exitCode;
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
