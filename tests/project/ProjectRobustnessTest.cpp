// Broken, hostile and odd project files: every reader ends with an empty list or the usual
// message, never a crash or a hang, and only regular files reach the engine.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <sys/stat.h>

#include "CNvPrjFile.h"
#include "EngineProjectHost.h"
#include "NFileAnly.h"
#include "ProjectOpen.h"
#include "Sinks.h"
#include "TempDir.h"

namespace lumbra {
namespace {

namespace fs = std::filesystem;
using test::TempDir;

const char* const kExtensions[] = {"prj",    "dsp",    "vbp", "dpr", "hwp",    "vcproj",
                                   "csproj", "vbproj", "bpr", "xml", "cbproj", "mtpj"};

class CountingMessages : public MessageSink {
public:
    std::vector<std::string> texts;
    bool Message(const std::string& text, const std::string&, MessageKind kind) override {
        texts.push_back(text);
        return kind == MessageKind::Question; // keep going through every listed file
    }
};

struct Opened {
    ProjectOpenResult result;
    int registered = 0;
    std::vector<std::string> messages;
};

Opened openWithEngine(const std::string& path) {
    NFileAnly engine;
    CountingMessages messages;
    FileInputOptions options;
    EngineProjectHost host(engine, messages, options);
    Opened o;
    o.result = OpenProject(path, ProjectSource::Direct, host);
    o.registered = engine.GetFileCount();
    o.messages = messages.texts;
    return o;
}

std::string randomBytes(std::size_t n, unsigned seed) {
    std::mt19937 rng(seed);
    std::string s(n, '\0');
    for (char& c : s)
        c = static_cast<char>(rng() & 0xFF);
    return s;
}

TEST(ProjectRobustness, JunkTruncatedAndDeepDocumentsYieldNothingHarmful) {
    TempDir dir;
    std::vector<std::string> bodies = {
        "",
        randomBytes(5000, 1),
        std::string(3000, '\0'),
        "<?xml version=\"1.0\"?><VisualStudioProject><Files><Filter Name=\"x\"><File Relat",
        "<?xml version=\"1.0\" encoding=\"no-such-charset\"?><Project/>",
        "\xef\xbb\xbf<manifest package=\"\xff\xfe\"><application><activity android:name=\"..\"/>",
        "[Files]\n" + std::string(20000, 'x') + "\n\"" + std::string(5000, 'q') + "\n",
    };
    std::string deep;
    for (int i = 0; i < 100000; ++i)
        deep += "<Files>";
    bodies.push_back("<VisualStudioProject>" + deep);
    bodies.push_back("<PROJECT>" + deep + std::string(100000 * 8, ' '));
    for (std::size_t b = 0; b < bodies.size(); ++b) {
        for (const char* ext : kExtensions) {
            std::string path = dir.write("junk" + std::to_string(b) + "." + ext, bodies[b]);
            Opened o = openWithEngine(path);
            EXPECT_EQ(o.registered, 0) << path;
        }
    }
}

TEST(ProjectRobustness, EveryTruncationOfTheFixturesIsReadSafely) {
    TempDir dir;
    const std::string data = LUMBRA_PROJECT_DATA_DIR;
    for (const char* fixture :
         {"vc6/APP.DSP", "vb6/Project1.vbp", "delphi/Console.dpr", "hew/sample.hwp",
          "vs2005/App.vcproj", "vs2008/App.csproj", "vs2003/App.vbproj", "bcb/Project1.bpr",
          "bcb/Project1.cbproj", "android/AndroidManifest.xml", "csplus/sample.mtpj"}) {
        std::ifstream in(data + fixture, std::ios::binary);
        std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        ASSERT_FALSE(bytes.empty()) << fixture;
        const std::string name = fs::path(fixture).filename().string();
        const std::size_t step = std::max<std::size_t>(7, bytes.size() / 30);
        for (std::size_t cut = 0; cut < bytes.size(); cut += step) {
            std::string path = dir.write(name, std::string_view(bytes).substr(0, cut));
            CNvPrjFile reader{TextReadSettings{}};
            ReadProject(reader, *LookupProjectFormat(path), path);
            EXPECT_LE(reader.Files().size(), 4u) << fixture << " cut at " << cut;
        }
    }
}

TEST(ProjectRobustness, HugeProjectFileEndsWithFileNotFound) {
    TempDir dir;
    std::string chunk = randomBytes(1 << 20, 7);
    for (const char* name : {"huge.dsp", "huge.bpr"}) {
        const fs::path path = dir.path() / name;
        {
            std::ofstream out(path, std::ios::binary);
            for (int i = 0; i < 100; ++i)
                out.write(chunk.data(), static_cast<std::streamsize>(chunk.size()));
        }
        Opened o = openWithEngine(path.string());
        EXPECT_TRUE(o.result.notFound) << name;
        EXPECT_EQ(o.registered, 0);
        EXPECT_EQ(o.messages, std::vector<std::string>{"File not found."});
        fs::remove(path);
    }
}

TEST(ProjectRobustness, OnlyRegularFilesAreRegistered) {
    TempDir dir;
    const std::string f = dir.path().string() + "/";
    dir.write("good.c", "int good;\n");
    fs::create_directories(dir.path() / "folder.c");
    fs::create_symlink("loop2.c", dir.path() / "loop1.c");
    fs::create_symlink("loop1.c", dir.path() / "loop2.c");
    ASSERT_EQ(::mkfifo((f + "fifo.c").c_str(), 0600), 0);
    fs::create_symlink("/dev/zero", dir.path() / "zero.c");
    const std::string names[] = {"folder.c", "loop1.c", "fifo.c", "zero.c", "good.c"};

    std::string prj = "[Files]\n", dsp, hwp = "[PROJECT_FILES]\n";
    for (const std::string& name : names) {
        prj += f + name + "\n";
        dsp += "# Begin Source File\nSOURCE=.\\" + name + "\n# End Source File\n";
        hwp += "\"" + name + "\"\n";
    }
    for (const auto& [name, body] : {std::pair{"p.prj", prj}, {"p.dsp", dsp}, {"p.hwp", hwp}}) {
        Opened o = openWithEngine(dir.write(name, body));
        EXPECT_EQ(o.result.listed, 5) << name;
        EXPECT_EQ(o.registered, 1) << name;
    }
    // The ".prj" asks about each of the four others, the foreign formats skip them silently.
    EXPECT_EQ(openWithEngine(f + "p.prj").messages.size(), 4u);
    EXPECT_TRUE(openWithEngine(f + "p.dsp").messages.empty());
}

TEST(ProjectRobustness, ProjectPathsThatAreNoRegularFiles) {
    TempDir dir;
    const std::string f = dir.path().string() + "/";
    fs::create_directories(dir.path() / "folder.dsp");
    fs::create_symlink("self.vcproj", dir.path() / "self.vcproj");
    ASSERT_EQ(::mkfifo((f + "pipe.prj").c_str(), 0600), 0);
    ASSERT_EQ(::mkfifo((f + "pipe.bpr").c_str(), 0600), 0);
    for (const char* name : {"folder.dsp", "self.vcproj", "pipe.bpr", "missing.mtpj"}) {
        Opened o = openWithEngine(f + name);
        EXPECT_FALSE(o.result.read) << name;
        EXPECT_TRUE(o.result.notFound) << name;
    }
    Opened prj = openWithEngine(f + "pipe.prj");
    EXPECT_FALSE(prj.result.read);
    EXPECT_TRUE(prj.messages.empty());
}

} // namespace
} // namespace lumbra
