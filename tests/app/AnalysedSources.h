// Test sources in the fake line language of FakeScanner, registered and analysed, plus sinks
// that remember what they were told.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "FakeScanner.h"
#include "NFileAnly.h"
#include "Sinks.h"
#include "TempDir.h"

namespace lumbra::test {

class RecordingMessages final : public MessageSink {
public:
    bool Message(const std::string& text, const std::string& caption, MessageKind) override {
        texts.push_back(caption + ": " + text);
        return true;
    }
    std::vector<std::string> texts;
};

class RecordingStatus final : public StatusSink {
public:
    void ShowStatus(int kind, const std::string& text) override {
        texts.push_back(std::to_string(kind) + " " + text);
    }
    std::vector<std::string> texts;
};

class AnalysedSources {
public:
    AnalysedSources() { engine.SetScanner(kKindCFamily, std::make_unique<FakeScanner>()); }

    // Registers one more file ("fn NAME" starts a module, "call NAME" calls one, other lines
    // are executable lines of the open module).
    void add(const std::string& name, const std::string& text) {
        engine.AddFile(dir.write(name, text), kKindCFamily);
    }
    void analyse() { engine.Analyze(); }
    ModuleRecord& module(std::string_view name) {
        if (!engine.CurrentFile())
            engine.SetCurrentFile(engine.GetFile(0));
        return *engine.FindModule(name);
    }

    TempDir dir;
    NFileAnly engine;
};

} // namespace lumbra::test
