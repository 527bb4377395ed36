// A tiny line-based language for engine tests: "fn NAME" starts a module, "call NAME" calls one,
// anything else is an executable line of the open module. Both passes count lines so that tests
// can see when counts would be added twice.
#pragma once

#include <functional>
#include <string>

#include "LanguageScanner.h"
#include "NFileAnly.h"
#include "TextInput.h"

namespace lumbra::test {

class FakeScanner : public LanguageScanner {
public:
    // Called at the start of each file's second pass (tests use it to stop or pause the run).
    std::function<void(const FileRecord&)> onAnalysisStart;
    int definitionPasses = 0;
    int analysisPasses = 0;

    void DefinitionPass(NFileAnly& engine, FileRecord& file, const SourceText& text) override {
        ++definitionPasses;
        ModuleRecord* open = nullptr;
        for (std::size_t i = 0; i < text.lineCount(); ++i) {
            std::string_view line = text.line(i);
            const int number = static_cast<int>(i) + 1;
            if (line.substr(0, 3) == "fn ") {
                open = engine.CreateModule(line.substr(3), number, 0, true);
                if (open) {
                    open->pathNumb = 1;
                    ++file.pathNumb;
                }
                ++file.define;
            } else if (open) {
                ++open->exec;
                ++file.exec;
            } else {
                ++file.other;
            }
        }
    }

    void AnalysisPass(NFileAnly& engine, FileRecord& file, const SourceText& text) override {
        ++analysisPasses;
        if (onAnalysisStart)
            onAnalysisStart(file);
        for (std::size_t i = 0; i < text.lineCount(); ++i) {
            std::string_view line = text.line(i);
            const int number = static_cast<int>(i) + 1;
            if (line.substr(0, 3) == "fn ") {
                engine.SetCurrentModule(engine.FindModuleAtLine(line.substr(3), number));
            } else if (line.substr(0, 5) == "call ") {
                std::string_view callee = line.substr(5);
                ModuleRecord* current = file.currentModule;
                if (current)
                    ++current->comment; // stands for counts a second pass adds
                if (engine.FindModule(callee))
                    engine.AddCall(callee, 0);
                else
                    engine.AddCallToUndefined(callee);
            }
        }
    }
};

} // namespace lumbra::test
