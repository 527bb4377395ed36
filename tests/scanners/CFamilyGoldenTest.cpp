// Golden fixtures of the C-family scanner: each tests/data/cfamily/<case>.<ext> is scanned (with
// the options of its first line) and the engine's contents must equal <case>.<ext>.expected.
// Set LUMBRA_UPDATE_GOLDEN=1 to rewrite the expected files after a deliberate change.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "ScanHarness.h"

namespace fs = std::filesystem;

namespace lumbra::test {
namespace {

std::string readAll(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

std::vector<std::string> fixtures() {
    std::vector<std::string> names;
    for (const auto& e : fs::directory_iterator(fs::path(LUMBRA_TEST_DATA_DIR) / "cfamily")) {
        const std::string ext = e.path().extension().string();
        if (e.is_regular_file() && ext != ".expected")
            names.push_back(e.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

class CFamilyGolden : public ::testing::TestWithParam<std::string> {};

TEST_P(CFamilyGolden, MatchesExpectedDump) {
    const fs::path source = fs::path(LUMBRA_TEST_DATA_DIR) / "cfamily" / GetParam();
    const std::string text = readAll(source);
    ScanHarness scan(ParseSetup(text.substr(0, text.find('\n'))));
    scan.Add(GetParam(), text);
    if (ParseSetup(text.substr(0, text.find('\n'))).analyse)
        scan.Analyse();
    const std::string dump = scan.Dump(true);
    const fs::path expected = source.string() + ".expected";
    if (std::getenv("LUMBRA_UPDATE_GOLDEN")) {
        std::ofstream(expected, std::ios::binary) << dump;
        GTEST_SKIP() << "rewrote " << expected;
    }
    ASSERT_TRUE(fs::exists(expected)) << "no " << expected;
    EXPECT_EQ(dump, readAll(expected));
}

INSTANTIATE_TEST_SUITE_P(Fixtures, CFamilyGolden, ::testing::ValuesIn(fixtures()),
                         [](const auto& info) {
                             std::string n = info.param;
                             for (char& c : n)
                                 if (!std::isalnum(static_cast<unsigned char>(c)))
                                     c = '_';
                             return n;
                         });

// Realistic sources of every flavour analysed together: modules, counts and calls.
TEST(CFamilyGoldenReal, RealisticSourcesMatchTheirExpectedModules) {
    const fs::path dir = fs::path(LUMBRA_TEST_DATA_DIR) / "cfamily" / "real";
    std::vector<std::string> names;
    for (const auto& e : fs::directory_iterator(dir))
        // junk.c (binary bytes) is for the robustness test: its names depend on iconv.
        if (e.is_regular_file() && e.path().filename() != "expected.dump" &&
            e.path().filename() != "junk.c")
            names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    ScanHarness scan;
    for (const std::string& name : names)
        scan.Add(name, readAll(dir / name));
    scan.Analyse();
    const std::string dump = scan.Dump(false);
    const fs::path expected = dir / "expected.dump";
    if (std::getenv("LUMBRA_UPDATE_GOLDEN")) {
        std::ofstream(expected, std::ios::binary) << dump;
        GTEST_SKIP() << "rewrote " << expected;
    }
    EXPECT_EQ(dump, readAll(expected));
}

} // namespace
} // namespace lumbra::test
