// The ini layer and the settings store: lookup rules, in-place edits that keep foreign lines,
// list splitting, and writes that never leave a damaged file behind.
#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <random>
#include <sys/stat.h>
#include <unistd.h>

#include "AtomicFile.h"
#include "IniFile.h"
#include "Settings.h"
#include "TProfile2.h"
#include "TempDir.h"

namespace lumbra {
namespace {

namespace fs = std::filesystem;
using test::TempDir;

// --- lookup ---------------------------------------------------------------------------------

TEST(IniFile, SectionsAndKeysIgnoreCaseAndTheFirstOccurrenceWins) {
    IniFile ini;
    ini.Parse("top=ignored\n"
              "[Setup]\n"
              "  CpuSet = 2 \n"
              "cpuset=3\n"
              "; Locale=1\n"
              "Plain line without equals\n"
              "[SETUP]\n"
              "Locale=2\n"
              "[Other]\n"
              "Path=a=b\n");
    EXPECT_EQ(ini.Get("setup", "CPUSET"), "2");
    EXPECT_EQ(ini.Get("Setup", "Locale"), std::nullopt) << "a comment and a later section";
    EXPECT_EQ(ini.Get("other", "path"), "a=b");
    EXPECT_EQ(ini.Get("", "top"), std::nullopt) << "keys before any section belong to none";
    EXPECT_EQ(ini.Get("Missing", "x"), std::nullopt);
    EXPECT_TRUE(ini.HasSection("OTHER"));
}

TEST(IniFile, LineEndsBomAndForeignLinesSurviveUntouched) {
    const std::string text = "\xEF\xBB\xBF; comment\r\n[Files]\r\n/src/a=b.c\r\n/src/\x93\xfa.c\r\n"
                             "\r\n[Setup]\r\nCpuset=1\r\nodd line\n[Tail]\rX=1";
    IniFile ini;
    ini.Parse(text);
    EXPECT_EQ(ini.Text(), text);
    EXPECT_EQ(ini.Get("Setup", "Cpuset"), "1");
    EXPECT_EQ(ini.Get("Tail", "X"), "1") << "a lone CR ends a line too";
}

TEST(IniFile, RandomBytesReadBackExactlyAndLoadWithoutHarm) {
    std::mt19937 random(5);
    const std::string alphabet = "[]=;,\r\n\t -0123456789AnlyOptSetupCpu\x82\xff";
    for (int round = 0; round < 200; ++round) {
        std::string bytes;
        const int length = static_cast<int>(random() % 400);
        for (int i = 0; i < length; ++i)
            bytes += round % 2 ? static_cast<char>(random() % 256)
                               : alphabet[random() % alphabet.size()];
        IniFile ini;
        ini.Parse(bytes);
        ASSERT_EQ(ini.Text(), bytes);
        TProfile2 store;
        store.ResetContents(bytes);
        Settings s = Settings::Defaults({}, false);
        LoadAllSettings(store, s, {});
        LoadWindowSettings(store, s, {});
        EXPECT_GE(s.cpuSet, 1);
        EXPECT_LE(s.cpuSet, 3);
        ASSERT_TRUE(SaveAllSettings(store, s));
    }
}

// --- editing ----------------------------------------------------------------------------------

TEST(IniFile, WritesReplaceInPlaceAppendWithinTheSectionOrAddASection) {
    IniFile ini;
    ini.Parse("[Files]\r\n/a.c\r\n/b.c\r\n\r\n[Setup]\r\ncpuset = 1\r\n\r\n[File]\r\nPath=/x");
    ini.Set("SETUP", "Cpuset", "2");
    ini.Set("Setup", "Locale", "1");
    ini.Set("File", "Rev", "1");
    ini.Set("Window", "Range", "1");
    EXPECT_EQ(ini.Text(), "[Files]\r\n/a.c\r\n/b.c\r\n\r\n"
                          "[Setup]\r\nCpuset=2\r\nLocale=1\r\n\r\n"
                          "[File]\r\nPath=/x\r\nRev=1\r\n"
                          "[Window]\r\nRange=1\r\n");
    ini.Set("Window", "Text", "two\nlines");
    EXPECT_EQ(ini.Get("Window", "Text"), "two lines") << "a value never breaks the layout";
}

TEST(IniFile, RemovingASectionTakesEveryOccurrenceAndOnlyIt) {
    IniFile ini;
    ini.Parse("[Analize]\nA=1\n[Keep]\nK=1\n[analize]\nB=2\n");
    EXPECT_TRUE(ini.RemoveSection("ANALIZE"));
    EXPECT_EQ(ini.Text(), "[Keep]\nK=1\n");
    EXPECT_FALSE(ini.RemoveSection("Analize"));
    EXPECT_TRUE(ini.RemoveKey("keep", "k"));
    EXPECT_EQ(ini.Text(), "[Keep]\n");
}

// --- the store ----------------------------------------------------------------------------------

TEST(TProfile2, ReadsDefaultsNumbersAndTheValueLimit) {
    TProfile2 store;
    store.SetFileName(""); // memory only
    store.SetSection("Window");
    EXPECT_EQ(store.ReadString("Missing"), "");
    EXPECT_EQ(store.ReadString("Missing", "dflt"), "dflt");
    EXPECT_EQ(store.ReadInt("Missing", 15), 15);
    store.WriteString("Word", "abc");
    store.WriteString("Lead", "-12px");
    store.WriteString("Huge", "99999999999");
    store.WriteInt("Num", -7);
    EXPECT_EQ(store.ReadInt("Word", 5), 5) << "not a number keeps the default";
    EXPECT_EQ(store.ReadInt("Lead", 5), -12);
    EXPECT_EQ(store.ReadInt("Huge", 5), 2147483647);
    EXPECT_EQ(store.ReadInt("Num", 0), -7);

    std::string longValue(TProfile2::kMaxValueLength - 1, 'x');
    longValue += "\xe6\x97\xa5"; // a three-byte character across the limit
    store.WriteString("Long", longValue);
    std::string read = store.ReadString("Long");
    EXPECT_EQ(read.size(), TProfile2::kMaxValueLength - 1) << "cut before the split character";
}

TEST(TProfile2, SplitListKeepsCallerDefaultsAndNumbersOfEmptyFields) {
    std::array<ProfileField, 6> f;
    for (std::size_t i = 0; i < f.size(); ++i) {
        f[i].text = "d";
        f[i].integer = 100 + static_cast<int>(i);
        f[i].longValue = 100 + static_cast<long>(i);
    }
    TProfile2::SplitList("7,,-3x,abc", f);
    EXPECT_EQ(f[0].text, "7");
    EXPECT_EQ(f[0].integer, 7);
    EXPECT_EQ(f[1].text, "") << "an empty field clears the text";
    EXPECT_EQ(f[1].integer, 101) << "and keeps the number";
    EXPECT_EQ(f[2].integer, -3);
    EXPECT_EQ(f[2].longValue, -3);
    EXPECT_EQ(f[3].text, "abc");
    EXPECT_EQ(f[3].integer, 103) << "a word is no number";
    EXPECT_EQ(f[4].text, "d") << "fields the value lacks keep the caller's";
    EXPECT_EQ(f[5].integer, 105);

    std::array<ProfileField, 2> few;
    const std::string longField(300, 'w');
    TProfile2::SplitList(longField + ",16777215,extra,fields", few);
    EXPECT_EQ(few[0].text, longField) << "long fields are kept whole";
    EXPECT_EQ(few[1].longValue, 16777215);
}

TEST(TProfile2, WritesGoToTheFileAndGroupsWriteOnce) {
    TempDir dir;
    const std::string path = (dir.path() / "s.ini").string();
    TProfile2 store;
    store.SetFileName(path);
    store.SetSection("Setup");
    EXPECT_TRUE(store.WriteInt("Cpuset", 2));
    EXPECT_EQ(test::ReadFile(path), "[Setup]\nCpuset=2\n") << "a single write goes through at once";

    store.BeginUpdate();
    store.WriteInt("Locale", 1);
    EXPECT_EQ(test::ReadFile(path), "[Setup]\nCpuset=2\n") << "grouped writes wait for the end";
    EXPECT_TRUE(store.EndUpdate());
    EXPECT_EQ(test::ReadFile(path), "[Setup]\nCpuset=2\nLocale=1\n");

    TProfile2 again;
    again.SetFileName(path);
    again.SetSection("setup");
    EXPECT_EQ(again.ReadInt("LOCALE", 0), 1);

    again.SetReadOnly(true);
    EXPECT_TRUE(again.DeleteSection("Setup"));
    EXPECT_EQ(again.ReadInt("Locale", 0), 0) << "the change is seen in memory";
    EXPECT_EQ(test::ReadFile(path), "[Setup]\nCpuset=2\nLocale=1\n") << "but never written";

    EXPECT_TRUE(store.RemoveFile());
    EXPECT_FALSE(fs::exists(path));
    EXPECT_EQ(store.ReadInt("Cpuset", 1), 1);
}

TEST(TProfile2, FilesItCannotReadAreNeverOverwritten) {
    TempDir dir;
    const std::string utf16 = dir.write("wide.ini", std::string("\xff\xfe[\0S\0]\0", 8));
    TProfile2 store;
    store.SetFileName(utf16);
    EXPECT_FALSE(store.IsReadable());
    store.SetSection("S");
    EXPECT_FALSE(store.WriteString("K", "v"));
    EXPECT_EQ(test::ReadFile(utf16), std::string("\xff\xfe[\0S\0]\0", 8));

    const std::string folder = (dir.path() / "folder.ini").string();
    fs::create_directory(folder);
    store.SetFileName(folder);
    EXPECT_FALSE(store.IsReadable());
    EXPECT_FALSE(store.LastError().empty());
}

// --- atomic writes
// --------------------------------------------------------------------------------

class AtomicWrite : public ::testing::Test {
protected:
    void TearDown() override { SetAtomicWriteFault(std::nullopt); }

    // Only the file itself is left in the folder (no temporary files).
    static void expectOnlyFile(const TempDir& dir) {
        int count = 0;
        for (const auto& entry : fs::directory_iterator(dir.path())) {
            (void)entry;
            ++count;
        }
        EXPECT_EQ(count, 1);
    }
};

TEST_F(AtomicWrite, AFullDiskPartWayLeavesTheOldFileIntact) {
    TempDir dir;
    const std::string old = "[Files]\n/src/a.c\n[Setup]\nCpuset=1\n";
    const std::string path = dir.write("p.prj", old);
    TProfile2 store;
    store.SetFileName(path);
    store.SetSection("Setup");
    SetAtomicWriteFault(AtomicWriteFault{AtomicWriteFault::Stage::Write, ENOSPC, 10});
    EXPECT_FALSE(store.WriteInt("Cpuset", 3));
    EXPECT_NE(store.LastError().find(std::strerror(ENOSPC)), std::string::npos)
        << store.LastError();
    EXPECT_EQ(test::ReadFile(path), old);
    expectOnlyFile(dir);

    for (auto stage : {AtomicWriteFault::Stage::Sync, AtomicWriteFault::Stage::Rename}) {
        SetAtomicWriteFault(AtomicWriteFault{stage, EIO, 0});
        EXPECT_FALSE(store.WriteInt("Cpuset", 3));
        EXPECT_EQ(test::ReadFile(path), old);
        expectOnlyFile(dir);
    }

    SetAtomicWriteFault(std::nullopt);
    EXPECT_TRUE(store.WriteInt("Locale", 2)) << "the next write carries every change";
    EXPECT_EQ(test::ReadFile(path), "[Files]\n/src/a.c\n[Setup]\nCpuset=3\nLocale=2\n");
}

TEST_F(AtomicWrite, AReadOnlyFolderReportsFailureAndKeepsTheFile) {
    TempDir dir;
    const std::string old = "[Setup]\nCpuset=1\n";
    const std::string path = dir.write("s.ini", old);
    TProfile2 store;
    store.SetFileName(path);
    store.SetSection("Setup");
    if (::geteuid() == 0) {
        // The superuser writes into read-only folders; simulate the refusal instead.
        SetAtomicWriteFault(AtomicWriteFault{AtomicWriteFault::Stage::Open, EACCES, 0});
    } else {
        fs::permissions(dir.path(), fs::perms::owner_read | fs::perms::owner_exec);
    }
    EXPECT_FALSE(store.WriteInt("Cpuset", 2));
    EXPECT_NE(store.LastError().find(dir.path().string()), std::string::npos);
    fs::permissions(dir.path(), fs::perms::owner_all);
    EXPECT_EQ(test::ReadFile(path), old);
    expectOnlyFile(dir);
}

TEST_F(AtomicWrite, PermissionsAndSymbolicLinksAreKept) {
    TempDir dir;
    const std::string real = dir.write("real.ini", "[A]\nk=1\n");
    ::chmod(real.c_str(), 0640);
    const std::string link = (dir.path() / "link.ini").string();
    fs::create_symlink(real, link);
    std::string error;
    ASSERT_TRUE(WriteFileAtomically(link, "[A]\nk=2\n", error)) << error;
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(test::ReadFile(real), "[A]\nk=2\n");
    struct stat st {};
    ASSERT_EQ(::stat(real.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0640u);
}

} // namespace
} // namespace lumbra
