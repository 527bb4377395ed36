// Where the core reports to the user: messages (boxes in the GUI, stderr in the CLI) and status
// texts.
#pragma once

#include <string>

namespace lumbra {

enum class MessageKind {
    Warning,     // caption "Caution", OK only
    Information, // caption "Result", OK only
    Question,    // Yes/No; the answer is the result
};

class MessageSink {
public:
    virtual ~MessageSink() = default;
    // Shows one message; returns true for "Yes" (questions) and true for the other kinds.
    virtual bool Message(const std::string& text, const std::string& caption, MessageKind kind) = 0;
};

class StatusSink {
public:
    virtual ~StatusSink() = default;
    // kind 0: the counts only; 1 and 2: counts, a line break and text; 3: counts and "- text -".
    virtual void ShowStatus(int kind, const std::string& text) = 0;
};

// Swallows everything; questions answer "No" so that nothing destructive happens unasked.
class NullMessageSink final : public MessageSink {
public:
    bool Message(const std::string&, const std::string&, MessageKind kind) override {
        return kind != MessageKind::Question;
    }
};

class NullStatusSink final : public StatusSink {
public:
    void ShowStatus(int, const std::string&) override {}
};

} // namespace lumbra
