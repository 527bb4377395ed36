// Reading source text: encoding and line-end detection, line splitting and conversion into the
// internal code page, and the description texts of a file.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "CodePage.h"
#include "Records.h"

namespace lumbra {

class MessageSink;

// Process-wide reading settings, set by the engine configuration.
struct TextReadSettings {
    int defaultEncoding = kEncAnsi;  // "MojiCode"
    int autoDetect = 1;              // "MojiCodeAuto"
    int codePage = kDefaultCodePage; // "CodePage": the internal code page
    bool japaneseUi = false;         // decides whether EUC-JP half-width katakana are converted
};

struct TextFormat {
    int encoding = kEncAnsi;
    std::uint8_t lineEnd = kLineEndLf;
};

// How many leading bytes detection looks at.
inline constexpr std::size_t kDetectBytes = 65535;

// Detection over the first bytes of a file (the caller passes at most kDetectBytes).
TextFormat DetectTextFormat(std::string_view head, const TextReadSettings& settings);

// Detection of a file on disk. Returns false when the file cannot be read; `format` then keeps
// its encoding and gets line end LF.
bool DetectTextFormat(const std::string& path, const TextReadSettings& settings,
                      TextFormat& format);

// Content detection alone (no byte-order marks): ANSI, JIS, EUC-JP or UTF8.
int DetectContentEncoding(std::string_view head);

// Converts one line (without its delimiter) from `encoding` into the internal code page. For the
// UTF encodings a leading byte-order mark is skipped and the result is cut at its first CR or LF.
void ConvertToInternal(std::string& line, int encoding, const TextReadSettings& settings);

// A whole text read and converted: lines in the internal code page, each followed in memory by
// a zero byte so that scanners may look one byte past its end.
class SourceText {
public:
    SourceText() = default;

    // Reads a file: detects its format, splits and
    // converts. Returns nullopt when the file cannot be read.
    static std::optional<SourceText> Load(const std::string& path,
                                          const TextReadSettings& settings);

    // The same over bytes in memory.
    static SourceText FromBytes(std::string_view bytes, const TextReadSettings& settings);

    // Text that is already in the internal code page, split at LF (a CR before it is dropped).
    // For tests and for texts produced by the program itself.
    static SourceText FromInternal(std::string_view text);

    int encoding() const { return format_.encoding; }
    std::uint8_t lineEnd() const { return format_.lineEnd; }
    const TextFormat& format() const { return format_; }

    std::size_t lineCount() const { return starts_.empty() ? 0 : starts_.size() - 1; }
    // Line i, 0-based, without delimiter.
    std::string_view line(std::size_t i) const {
        return std::string_view(buffer_.data() + starts_[i], starts_[i + 1] - starts_[i] - 1);
    }

private:
    void appendLine(std::string_view text);
    void finish();

    TextFormat format_;
    std::string buffer_;
    std::vector<std::size_t> starts_; // start of each line, then one past the last terminator
};

// Size text: "%ldB", "%ldkB" or "%ldMB".
std::string FormatFileSize(std::uint64_t size);

// The two description texts of a file: name, date and size; encoding and line end.
struct FileDescription {
    std::string nameDateSize;
    std::string encodingLineEnd;
};
FileDescription DescribeFile(const FileInfo& info, bool japaneseUi);

// Encoding name as the description shows it.
std::string EncodingName(int encoding, bool japaneseUi);
// " (LF)", " (CR)", " (CR+LF)" or "".
std::string LineEndText(std::uint8_t lineEnd);

// The setup dialog's "Add Layer": appends `root` and every folder below it, depth first, as
// "%s;" to `includeText`, with the limits of folder count, path length and text size. Messages
// go to `sink`. Returns false when nothing was added because of the folder limit.
bool AppendIncludeTree(const std::string& root, std::string& includeText, MessageSink& sink);

} // namespace lumbra
