// Scanner test harness.
#include "ScanHarness.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "AnalysisRunner.h"
#include "ScannerRegistry.h"
#include "Settings.h"
#include "TextInput.h"
#include "common/LineWord.h"

namespace lumbra::test {

ScanSetup ParseSetup(std::string_view firstLine) {
    ScanSetup setup;
    std::size_t at = firstLine.find("options:");
    if (at == std::string_view::npos)
        return setup;
    std::istringstream in(std::string(firstLine.substr(at + 8)));
    std::string item;
    while (in >> item) {
        std::size_t eq = item.find('=');
        std::string key = item.substr(0, eq);
        std::string value = eq == std::string::npos ? "" : item.substr(eq + 1);
        if (key == "noanalysis") {
            setup.analyse = false;
        } else if (key == "kind") {
            setup.kind = std::stoi(value);
        } else if (key == "cpu") {
            setup.cpuSet = std::stoi(value);
        } else if (key == "decorations") {
            setup.decorations = value;
        } else if (key == "fold") {
            setup.sourceFolding = std::stoi(value);
        } else if (key == "labels") {
            std::size_t start = 0;
            while (start <= value.size()) {
                std::size_t bar = value.find('|', start);
                if (bar == std::string::npos)
                    bar = value.size();
                setup.labels.push_back(value.substr(start, bar - start));
                start = bar + 1;
            }
        } else if (key.rfind("count", 0) == 0) {
            setup.countOptions.emplace_back(std::stoi(key.substr(5)), std::stoi(value));
        } else if (!key.empty() && key.find_first_not_of("0123456789") == std::string::npos) {
            setup.options.emplace_back(std::stoi(key), std::stoi(value));
        }
    }
    return setup;
}

ScanHarness::ScanHarness(const ScanSetup& setup) : kind_(setup.kind) {
    InstallScanners(engine_);
    if (setup.cpuSet >= 1 && setup.cpuSet <= kInstructionSetCount)
        for (int g = 0; g < kInstructionGroupCount; ++g)
            engine_.AddKeywords(kDefaultInstructions[static_cast<std::size_t>(setup.cpuSet - 1)]
                                                    [static_cast<std::size_t>(g)],
                                g);
    engine_.SetDecorationChars(setup.decorations);
    for (auto [index, value] : setup.options)
        engine_.SetOption(index, value);
    for (auto [index, value] : setup.countOptions)
        engine_.SetCountOption(index, value);
    for (std::size_t k = 0; k < setup.labels.size() && k < 4; ++k)
        engine_.SetCommentKeyword(setup.labels[k], static_cast<int>(k));
    engine_.SetSourceFolding(setup.sourceFolding);
    TextReadSettings s = engine_.GetTextReadSettings();
    s.defaultEncoding = kEncUtf8;
    engine_.SetTextReadSettings(s);
}

std::string ScanHarness::Add(const std::string& name, std::string_view text) {
    return Add(name, text, kind_);
}

std::string ScanHarness::Add(const std::string& name, std::string_view text, int kind) {
    std::string path = dir_.write(name, text);
    engine_.AddFile(path, kind);
    sources_.emplace_back(name, std::string(text));
    return path;
}

void ScanHarness::Analyse() {
    AnalysisRunner runner(engine_);
    runner.Start();
    runner.Join();
}

const ModuleRecord* ScanHarness::Module(std::string_view name, int line) {
    for (int id = 1; id <= engine_.GetModuleCount(); ++id) {
        const ModuleRecord* m = engine_.GetModule(id);
        if (m && m->name == name && (line < 0 || m->line == line))
            return m;
    }
    return nullptr;
}

std::string ScanHarness::ModuleList(int file) {
    std::string out;
    const FileRecord* f = engine_.GetFile(file);
    if (!f)
        return out;
    for (const ModuleRecord* m : f->modules) {
        if (!out.empty())
            out += ' ';
        out += m->name + "@" + std::to_string(m->line);
    }
    return out;
}

std::string ScanHarness::CallList(int file) {
    std::string out;
    const FileRecord* f = engine_.GetFile(file);
    if (!f)
        return out;
    for (const ModuleRecord* m : f->modules) {
        for (const CallRecord& c : m->calls) {
            if (!out.empty())
                out += ' ';
            out += m->name + ">" + c.name;
        }
    }
    return out;
}

std::uint32_t ScanHarness::Word(int file, int line) {
    const FileRecord* f = engine_.GetFile(file);
    if (!f || line < 1 || static_cast<std::size_t>(line) > f->lineTable.size())
        return 0;
    return f->lineTable[static_cast<std::size_t>(line) - 1];
}

std::string ScanHarness::Dump(bool words) {
    std::ostringstream out;
    char hex[16];
    for (int i = 0; i < engine_.GetFileCount(); ++i) {
        const FileRecord& f = *engine_.GetFile(i);
        out << "file " << f.name << " lines=" << f.lineCount << " exec=" << f.exec
            << " comment=" << f.comment << " define=" << f.define << " space=" << f.space
            << " other=" << f.other << " path=" << f.pathNumb << " modules=" << f.moduleCount
            << " region=" << f.regionFlag << " level=" << f.greatestBlockLevel << "\n";
        for (const ConstantRecord& c : f.constants) {
            out << "  constant " << c.name << " = " << c.value;
            if (c.isText)
                out << " text=\"" << c.text << "\"";
            out << "\n";
        }
        for (const ModuleRecord* m : f.modules) {
            out << "  module " << m->id << " " << m->name << " line=" << m->line
                << " kind=" << m->containerKind << " exec=" << m->exec << " comment=" << m->comment
                << " define=" << m->define << " space=" << m->space << " other=" << m->other
                << " path=" << m->pathNumb << " recursive=" << m->recursive;
            if (m->hasFunctionText)
                out << " text=\"" << m->functionText << "\"";
            out << "\n";
            for (const CallRecord& c : m->calls) {
                const ModuleRecord* t = engine_.GetModule(c.targetId);
                out << "    call " << c.name << " -> "
                    << (t ? t->name + "@" + std::to_string(t->line) + " #" + std::to_string(t->id)
                          : std::string("none"));
                if (c.targetLine)
                    out << " pinned=" << c.targetLine;
                out << "\n";
            }
        }
        if (!f.branches.empty())
            out << "  branches columns=" << f.branchColumnCount << "\n";
        for (const BranchRecord& b : f.branches)
            out << "  branch " << b.sourceLine << " -> " << b.targetLine << " join=" << b.joinLine
                << " column=" << b.column << "\n";
        if (!words)
            continue;
        std::string_view text;
        for (const auto& [name, source] : sources_)
            if (name == f.name)
                text = source;
        SourceText st = SourceText::FromInternal(text);
        for (int line = 1; line <= f.lineCount; ++line) {
            std::snprintf(hex, sizeof hex, "%08X", f.lineTable[static_cast<std::size_t>(line) - 1]);
            out << "  " << line << " " << hex << " | ";
            if (static_cast<std::size_t>(line) <= st.lineCount())
                out << st.line(static_cast<std::size_t>(line) - 1);
            out << "\n";
        }
    }
    return out.str();
}

std::vector<std::string> FixtureNames(const std::string& subdir,
                                      const std::vector<std::string>& extensions) {
    namespace fs = std::filesystem;
    std::vector<std::string> names;
    for (const auto& e : fs::directory_iterator(fs::path(LUMBRA_TEST_DATA_DIR) / subdir)) {
        const std::string ext = e.path().extension().string();
        if (e.is_regular_file() &&
            std::find(extensions.begin(), extensions.end(), ext) != extensions.end())
            names.push_back(e.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

void ExpectGolden(const std::string& dump, const std::string& expectedPath) {
    if (std::getenv("LUMBRA_UPDATE_GOLDEN")) {
        std::ofstream(expectedPath, std::ios::binary) << dump;
        GTEST_SKIP() << "rewrote " << expectedPath;
    }
    ASSERT_TRUE(std::filesystem::exists(expectedPath)) << "no " << expectedPath;
    EXPECT_EQ(dump, ReadFile(expectedPath));
}

ScanSetup SetupFor(int kind, std::vector<std::pair<int, int>> options) {
    ScanSetup setup;
    setup.kind = kind;
    setup.options = std::move(options);
    return setup;
}

void PrintTo(const DefinitionCase& c, std::ostream* os) {
    *os << c.name;
}

std::string DefinitionCaseName(const ::testing::TestParamInfo<DefinitionCase>& info) {
    return info.param.name;
}

void ExpectDefinitions(const ScanSetup& setup, const std::string& name, const DefinitionCase& c) {
    ScanHarness scan(setup);
    scan.Add(name, c.source);
    scan.Analyse();
    EXPECT_EQ(scan.ModuleList(), c.modules);
    EXPECT_EQ(scan.CallList(), c.calls);
}

void ExpectSound(ScanHarness& scan, const std::string& what) {
    NFileAnly& engine = scan.engine();
    for (int i = 0; i < engine.GetFileCount(); ++i) {
        const FileRecord& f = *engine.GetFile(i);
        EXPECT_EQ(f.exec + f.comment + f.define + f.space + f.other, f.lineCount)
            << what << " " << f.name;
        for (const ModuleRecord* m : f.modules) {
            EXPECT_GE(m->line, 0) << what;
            EXPECT_LE(m->line, f.lineCount) << what << " " << m->name;
            EXPECT_FALSE(m->name.empty()) << what;
        }
        EXPECT_LE(f.greatestBlockLevel, kLineLevelMax) << what;
    }
}

} // namespace lumbra::test
