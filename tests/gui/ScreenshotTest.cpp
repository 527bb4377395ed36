// lumbra32 --screenshot from the command line: a picture after the analysis, and clear
// refusals of malformed requests.
#include <gtest/gtest.h>

#include <QImage>
#include <filesystem>

#include "TempDir.h"

namespace lumbra {
namespace {

std::string program(const test::TempDir& home, const std::string& args) {
    return "QT_QPA_PLATFORM=offscreen XDG_CONFIG_HOME='" + home.path().string() +
           "' XDG_RUNTIME_DIR='" + home.path().string() + "' '" LUMBRA_GUI_PATH "' " + args;
}

TEST(Screenshot, APictureOfTheAnalysedSampleWithAModuleSelected) {
    test::TempDir home;
    const std::string out = (home.path() / "shot.png").string();
    const test::CommandResult r = test::RunCommand(
        program(home, "--screenshot '" + out + "' --size 900x600 --select evaluate '" +
                          LUMBRA_SAMPLE_DIR + "'"));
    ASSERT_EQ(r.status, 0) << r.err;
    const QImage image(QString::fromStdString(out));
    EXPECT_EQ(image.size(), QSize(900, 600));
    // The picture run never writes the settings.
    EXPECT_FALSE(std::filesystem::exists(home.path() / "Nuvex" / "Lumbra32" / "Lumbra32.ini"));
}

TEST(Screenshot, MalformedRequestsAreRefusedWithUsageStatus) {
    test::TempDir home;
    const std::string out = (home.path() / "shot.png").string();
    test::CommandResult r = test::RunCommand(program(home, "--screenshot x.png --size 12"));
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.err.find("WxH"), std::string::npos);
    r = test::RunCommand(program(home, "--screenshot x.png --show nothing"));
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.err.find("structure"), std::string::npos);
    r = test::RunCommand(program(home, "--screenshot '" + out + "' --select nosuchmodule '" +
                                           LUMBRA_SAMPLE_DIR + "'"));
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("nosuchmodule"), std::string::npos);
    r = test::RunCommand(program(home, "--screenshot x.png --source-style fancy"));
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.err.find("flowchart"), std::string::npos);
    r = test::RunCommand(program(home, "--screenshot x.png --fold some"));
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.err.find("all or none"), std::string::npos);
}

TEST(Screenshot, TheSourcePaneInAStyleWithEveryBlockFolded) {
    test::TempDir home;
    const std::string out = (home.path() / "source.png").string();
    const test::CommandResult r = test::RunCommand(program(
        home, "--screenshot '" + out + "' --size 900x600 --show source --select calculate " +
                  "--source-style linkage --fold all '" + LUMBRA_SAMPLE_DIR + "'"));
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_FALSE(QImage(QString::fromStdString(out)).isNull());
}

} // namespace
} // namespace lumbra
