// Golden fixtures of the Basic and Pascal scanners: each file of tests/data/basic and
// tests/data/pascal (or each folder, whose files are registered together in name order) is
// scanned and analysed, and the engine's contents must equal <entry>.expected. A first line with
// "options:" sets the options (ScanHarness ParseSetup); the header-comment labels are the English
// defaults; the folder's ".inc" files are there to be included. Set LUMBRA_UPDATE_GOLDEN=1 to
// rewrite the expected files after a deliberate change.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <filesystem>

#include "ScanHarness.h"

namespace fs = std::filesystem;

namespace lumbra::test {
namespace {

struct Entry {
    std::string subdir;
    int kind;
    std::string name; // a file or a folder below subdir
};

void PrintTo(const Entry& e, std::ostream* os) {
    *os << e.subdir << "/" << e.name;
}

std::vector<Entry> entries(const std::string& subdir, int kind) {
    std::vector<Entry> out;
    for (const auto& e : fs::directory_iterator(fs::path(LUMBRA_TEST_DATA_DIR) / subdir))
        if (e.path().extension() != ".expected" && e.path().extension() != ".inc")
            out.push_back({subdir, kind, e.path().filename().string()});
    std::sort(out.begin(), out.end(),
              [](const Entry& a, const Entry& b) { return a.name < b.name; });
    return out;
}

class LanguageGolden : public ::testing::TestWithParam<Entry> {};

TEST_P(LanguageGolden, MatchesExpectedDump) {
    const Entry& entry = GetParam();
    const fs::path base = fs::path(LUMBRA_TEST_DATA_DIR) / entry.subdir / entry.name;
    std::vector<fs::path> files;
    if (fs::is_directory(base)) {
        for (const auto& e : fs::directory_iterator(base))
            files.push_back(e.path());
        std::sort(files.begin(), files.end());
    } else {
        files.push_back(base);
    }
    const std::string first = ReadFile(files.front());
    ScanSetup setup = ParseSetup(first.substr(0, first.find('\n')));
    setup.kind = entry.kind;
    if (setup.labels.empty())
        setup.labels = {"No.", "Name", "Function", "Remarks"};
    ScanHarness scan(setup);
    for (const auto& e : fs::directory_iterator(base.parent_path()))
        if (e.path().extension() == ".inc")
            scan.Write(e.path().filename().string(), ReadFile(e.path()));
    for (const fs::path& f : files)
        scan.Add(f.filename().string(), ReadFile(f));
    if (setup.analyse)
        scan.Analyse();
    ExpectGolden(scan.Dump(true), base.string() + ".expected");
}

std::string entryName(const ::testing::TestParamInfo<Entry>& info) {
    std::string n = info.param.subdir + "_" + info.param.name;
    for (char& c : n)
        if (!std::isalnum(static_cast<unsigned char>(c)))
            c = '_';
    return n;
}

INSTANTIATE_TEST_SUITE_P(Basic, LanguageGolden, ::testing::ValuesIn(entries("basic", kKindBasic)),
                         entryName);
INSTANTIATE_TEST_SUITE_P(Pascal, LanguageGolden,
                         ::testing::ValuesIn(entries("pascal", kKindPascal)), entryName);

} // namespace
} // namespace lumbra::test
