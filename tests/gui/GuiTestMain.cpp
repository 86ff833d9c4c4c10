// Runs the GUI suites headlessly, with the registry and the configuration redirected into
// a temporary folder so no test touches the user's settings.

#include <gtest/gtest.h>
#include <QApplication>
#include <QTemporaryDir>

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir config;
    qputenv("XDG_CONFIG_HOME", config.path().toLocal8Bit());
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
