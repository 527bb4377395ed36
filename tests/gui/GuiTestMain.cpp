// Widget tests run on the offscreen platform, with settings in a scratch folder: no display is
// needed and the user's own settings are never touched.
#include <gtest/gtest.h>

#include <QApplication>
#include <QStandardPaths>

#include "TempDir.h"

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static lumbra::test::TempDir home;
    qputenv("XDG_CONFIG_HOME", QByteArray::fromStdString(home.path().string()));
    qputenv("XDG_RUNTIME_DIR", QByteArray::fromStdString(home.path().string()));
    QStandardPaths::setTestModeEnabled(true);
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
