// Language-kind selection by extension and the registration of a chosen list of files.
#include <gtest/gtest.h>

#include "FileInput.h"
#include "NFileAnly.h"
#include "Sinks.h"
#include "TempDir.h"

namespace lumbra {
namespace {

using test::TempDir;

TEST(Extensions, MatchEntriesWrittenAllUpperOrAllLower) {
    ExtensionTable t = ExtensionTable::Defaults();
    EXPECT_EQ(LookupExtension(t, "/x/main.c"), kKindCFamily + 2);
    EXPECT_EQ(LookupExtension(t, "/x/MAIN.CPP"), kKindCFamily + 2);
    EXPECT_EQ(LookupExtension(t, "/x/Main.Cpp"), kKindCFamily + 2); // lower-cased form matches
    EXPECT_EQ(LookupExtension(t, "/x/boot.asm"), kKindAssembler + 2);
    EXPECT_EQ(LookupExtension(t, "/x/form.frm"), kKindBasic + 2);
    EXPECT_EQ(LookupExtension(t, "/x/unit.pas"), kKindPascal + 2);
    EXPECT_EQ(LookupExtension(t, "/x/readme.txt"), 0);
    EXPECT_EQ(LookupExtension(t, "/x.d/Makefile"), 0);
    t.extensions[2].push_back("MixedCase");
    EXPECT_EQ(LookupExtension(t, "a.mixedcase"), 0); // neither all upper nor all lower
}

class Recorder : public MessageSink {
public:
    std::vector<std::string> texts;
    bool Message(const std::string& text, const std::string& caption, MessageKind) override {
        texts.push_back(caption + ": " + text);
        return true;
    }
};

TEST(InputFiles, UnknownExtensionWarnsButEveryPathEntersTheRecentList) {
    TempDir dir;
    std::vector<std::string> paths = {dir.write("one.c", "x\n"), dir.write("two.txt", "x\n"),
                                      dir.write("three.c", "x\n")};
    NFileAnly engine;
    Recorder messages;
    std::vector<std::string> recent;
    FileInputHooks hooks;
    hooks.messages = &messages;
    hooks.addRecent = [&](const std::string& p) { recent.push_back(p); };
    FileInputResult r = InputFiles(engine, paths, {}, hooks);
    EXPECT_EQ(r.registered, 2);
    EXPECT_EQ(r.unknownKind, 1);
    EXPECT_EQ(engine.GetFileCount(), 2);
    ASSERT_EQ(messages.texts.size(), 1u);
    EXPECT_EQ(messages.texts[0], "Caution: Undefined extention.(" + paths[1] + ")");
    EXPECT_EQ(recent, paths);
}

TEST(InputFiles, BatchInputIsSilentAndAFixedLanguageTakesEveryFile) {
    TempDir dir;
    NFileAnly engine;
    Recorder messages;
    int recentCount = 0;
    FileInputHooks hooks;
    hooks.messages = &messages;
    hooks.addRecent = [&](const std::string&) { ++recentCount; };
    FileInputOptions batch;
    batch.withoutMessages = true;
    InputFiles(engine, {dir.write("notes.txt", "x\n")}, batch, hooks);
    EXPECT_TRUE(messages.texts.empty());
    EXPECT_EQ(recentCount, 0);
    EXPECT_EQ(engine.GetFileCount(), 0);

    FileInputOptions pascal;
    pascal.language = kKindPascal;
    pascal.withoutMessages = true;
    std::string path = dir.write("notes.txt", "x\n");
    InputFiles(engine, {path, path}, pascal, hooks);
    ASSERT_EQ(engine.GetFileCount(), 1); // the second registration is refused silently
    EXPECT_EQ(engine.GetFileKind(0), kKindPascal);
}

TEST(InputFiles, CancelStopsAfterTheCurrentFile) {
    TempDir dir;
    NFileAnly engine;
    FileInputHooks hooks;
    hooks.progress = [](int p, int) { return p < 1; };
    FileInputResult r = InputFiles(engine, {dir.write("a.c", ""), dir.write("b.c", "")}, {}, hooks);
    EXPECT_TRUE(r.cancelled);
    EXPECT_EQ(engine.GetFileCount(), 1);
}

} // namespace
} // namespace lumbra
