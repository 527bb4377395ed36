// Encoding detection, line splitting and conversion of source text.
#include "TextInput.h"

#include <algorithm>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sys/stat.h>

#include "Lang.h"
#include "Sinks.h"

namespace fs = std::filesystem;

namespace lumbra {
namespace {

unsigned char at(std::string_view s, std::size_t i) {
    return i < s.size() ? static_cast<unsigned char>(s[i]) : 0;
}

// --- content scores -----------------------------------------------------------------------

int scoreShiftJis(std::string_view buf) {
    int score = 0;
    for (std::size_t i = 0; i < buf.size() && buf[i] != 0;) {
        unsigned char c = at(buf, i);
        if ((c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC)) {
            unsigned char t = at(buf, i + 1);
            if ((t >= 0x40 && t <= 0x7E) || (t >= 0x80 && t <= 0xFC)) {
                ++score;
                i += 2;
                continue;
            }
            return 0;
        }
        ++i;
    }
    return score;
}

// Length of a JIS mode-switching escape at i (0 when none); sets doubleByte accordingly.
std::size_t jisEscape(std::string_view buf, std::size_t i, bool& doubleByte) {
    if (at(buf, i) != 0x1B)
        return 0;
    unsigned char b1 = at(buf, i + 1), b2 = at(buf, i + 2);
    if (b1 == 0x24 && (b2 == 0x40 || b2 == 0x41 || b2 == 0x42)) {
        doubleByte = true;
        return 3;
    }
    if (b1 == 0x24 && b2 == 0x28 && at(buf, i + 3) >= 0x40 && at(buf, i + 3) <= 0x4D) {
        doubleByte = true;
        return 4;
    }
    if (b1 == 0x28 && b2 >= 0x40 && b2 <= 0x4D) {
        doubleByte = false;
        return 3;
    }
    return 0;
}

int scoreJis(std::string_view buf) {
    int score = 0;
    bool doubleByte = false;
    for (std::size_t i = 0; i < buf.size() && buf[i] != 0;) {
        if (std::size_t n = jisEscape(buf, i, doubleByte)) {
            i += n;
            continue;
        }
        if (doubleByte) {
            if (at(buf, i) & 0x80)
                return 0;
            ++score;
            i += 2;
            continue;
        }
        ++i;
    }
    return score;
}

int scoreEucJp(std::string_view buf) {
    int score = 0;
    for (std::size_t i = 0; i < buf.size() && buf[i] != 0;) {
        unsigned char c = at(buf, i);
        std::size_t lead = 0;
        if (c == 0x8F && at(buf, i + 1) >= 0xA1 && at(buf, i + 1) <= 0xFE)
            lead = 2;
        else if (c == 0x8E || (c >= 0xA1 && c <= 0xFE))
            lead = 1;
        if (lead == 0) {
            ++i;
            continue;
        }
        unsigned char t = at(buf, i + lead);
        if (t >= 0xA1 && t <= 0xFE) {
            ++score;
            i += lead + 1;
            continue;
        }
        return 0;
    }
    return score;
}

// Score of well-formed UTF-8 sequences; -1 when the text cannot be UTF-8.
int scoreUtf8(std::string_view buf) {
    int score = 0;
    for (std::size_t i = 0; i < buf.size() && buf[i] != 0;) {
        unsigned char c = at(buf, i);
        std::size_t follow = 0;
        if (c < 0x80 || c == 0xC0 || c == 0xC1) {
            ++i;
            continue;
        }
        if (c >= 0xC2 && c <= 0xDF)
            follow = 1;
        else if (c >= 0xE0 && c <= 0xEF)
            follow = 2;
        else if (c >= 0xF0 && c <= 0xF7)
            follow = 3;
        else
            return -1; // a stray continuation byte or F8-FF
        for (std::size_t k = 1; k <= follow; ++k) {
            unsigned char t = at(buf, i + k);
            if (t < 0x80 || t > 0xBF)
                return -1;
        }
        ++score;
        i += follow + 1;
    }
    return score;
}

// --- JIS / EUC arithmetic --------------------------------------------------------------------

void jisPairToShiftJis(unsigned char j1, unsigned char j2, std::string& out) {
    unsigned char s1 = static_cast<unsigned char>(((j1 + 1) >> 1) + (j1 < 0x5F ? 0x70 : 0xB0));
    unsigned char s2;
    if (j1 & 1)
        s2 = static_cast<unsigned char>(j2 + (j2 < 0x60 ? 0x1F : 0x20));
    else
        s2 = static_cast<unsigned char>(j2 + 0x7E);
    out += static_cast<char>(s1);
    out += static_cast<char>(s2);
}

std::string jisToShiftJis(std::string_view in) {
    std::string out;
    out.reserve(in.size());
    bool doubleByte = false;
    for (std::size_t i = 0; i < in.size();) {
        if (std::size_t n = jisEscape(in, i, doubleByte)) {
            i += n;
            continue;
        }
        if (doubleByte && i + 1 < in.size() && in[i] != 0x1B) {
            jisPairToShiftJis(static_cast<unsigned char>(in[i]) & 0x7F,
                              static_cast<unsigned char>(in[i + 1]) & 0x7F, out);
            i += 2;
            continue;
        }
        out += in[i++];
    }
    return out;
}

std::string eucToShiftJis(std::string_view in, bool convertKatakana) {
    std::string out;
    out.reserve(in.size());
    for (std::size_t i = 0; i < in.size();) {
        unsigned char c = static_cast<unsigned char>(in[i]);
        if (c >= 0x80 && i + 1 < in.size()) {
            unsigned char t = static_cast<unsigned char>(in[i + 1]);
            if (c == 0x8E) {
                if (convertKatakana) {
                    out += static_cast<char>(t);
                } else {
                    out += static_cast<char>(c);
                    out += static_cast<char>(t);
                }
            } else {
                jisPairToShiftJis(c & 0x7F, t & 0x7F, out);
            }
            i += 2;
            continue;
        }
        out += in[i++];
    }
    return out;
}

void cutAtLineBreak(std::string& text) {
    std::size_t pos = text.find_first_of("\r\n");
    if (pos != std::string::npos)
        text.resize(pos);
}

bool isAsciiText(std::string_view text) {
    for (unsigned char c : text)
        if (c >= 0x80)
            return false;
    return true;
}

const char* internalCharset(const TextReadSettings& s) {
    const CodePageInfo* cp = FindCodePage(s.codePage);
    return cp ? cp->iconvName : "UTF-8";
}

std::string readHead(std::ifstream& in) {
    std::string head(kDetectBytes, '\0');
    in.read(head.data(), static_cast<std::streamsize>(head.size()));
    head.resize(static_cast<std::size_t>(in.gcount()));
    return head;
}

} // namespace

// --- detection -------------------------------------------------------------------------------

int DetectContentEncoding(std::string_view head) {
    std::string_view buf = head.substr(0, std::min<std::size_t>(head.size(), 65534));
    // Plain ASCII scores 0 everywhere, which makes it ANSI; most sources are plain ASCII.
    unsigned char high = 0;
    for (unsigned char c : buf)
        high |= c;
    if (high < 0x80 && buf.find('\x1b') == std::string_view::npos)
        return kEncAnsi;
    int sjis = scoreShiftJis(buf);
    int jis = scoreJis(buf);
    int euc = scoreEucJp(buf);
    int utf8 = scoreUtf8(buf);
    // Text that is well-formed UTF-8 throughout wins a tie: a 2-byte UTF-8 character (an
    // accented Latin letter) also scores as one EUC-JP pair, while real EUC-JP or Shift-JIS text
    // is almost never well-formed UTF-8.
    if (utf8 > 0 && utf8 >= sjis && utf8 >= jis && utf8 >= euc)
        return kEncUtf8;
    if (euc > sjis && euc > jis)
        return kEncEucJp;
    if (jis > sjis)
        return kEncJis;
    return kEncAnsi;
}

TextFormat DetectTextFormat(std::string_view head, const TextReadSettings& settings) {
    // Reading stops at the end-of-file mark of old text files.
    head = head.substr(0, std::min(head.size(), kDetectBytes));
    if (std::size_t eof = head.find('\x1a'); eof != std::string_view::npos)
        head = head.substr(0, eof);

    TextFormat f;
    f.encoding = settings.defaultEncoding;
    if (settings.autoDetect) {
        unsigned char b0 = at(head, 0), b1 = at(head, 1), b2 = at(head, 2), b3 = at(head, 3);
        if (b0 == 0xEF && b1 == 0xBB && b2 == 0xBF)
            f.encoding = kEncUtf8;
        else if (b0 == 0xEF && b1 == 0xBB)
            f.encoding = DetectContentEncoding(head);
        else if (b0 == 0xFF && b1 == 0xFE)
            f.encoding = kEncUtf16Le;
        else if (b0 != 0 && b1 == 0 && b2 != 0 && b3 == 0)
            f.encoding = kEncUtf16Le;
        else if ((b0 == 0xFE && b1 == 0xFF) || (b0 == 0 && b1 != 0 && b2 == 0 && b3 != 0))
            f.encoding = kEncUtf16Be;
        else
            f.encoding = DetectContentEncoding(head);
    }

    if (f.encoding == kEncUtf16Le || f.encoding == kEncUtf16Be) {
        const bool le = f.encoding == kEncUtf16Le;
        auto unit = [&](std::size_t k) {
            unsigned char a = at(head, 2 * k), b = at(head, 2 * k + 1);
            return le ? (a | (b << 8)) : ((a << 8) | b);
        };
        std::size_t units = head.size() / 2;
        for (std::size_t k = 0; k < units; ++k) {
            if (unit(k) == 13) {
                f.lineEnd = (k + 1 < units && unit(k + 1) == 10) ? kLineEndCrLf : kLineEndCr;
                break;
            }
        }
    } else {
        std::size_t end = head.find('\0');
        std::string_view text = head.substr(0, end);
        std::size_t cr = text.find('\r');
        if (cr != std::string_view::npos)
            f.lineEnd = (cr + 1 < text.size() && text[cr + 1] == '\n') ? kLineEndCrLf : kLineEndCr;
    }
    return f;
}

bool DetectTextFormat(const std::string& path, const TextReadSettings& settings,
                      TextFormat& format) {
    std::error_code ec;
    std::ifstream in;
    if (fs::is_regular_file(path, ec))
        in.open(path, std::ios::binary);
    if (!in) {
        format.lineEnd = kLineEndLf;
        return false;
    }
    format = DetectTextFormat(readHead(in), settings);
    return true;
}

// --- conversion ------------------------------------------------------------------------------

void ConvertToInternal(std::string& line, int encoding, const TextReadSettings& settings) {
    const bool internal932 = settings.codePage == kCodePageShiftJis;
    std::string out;
    switch (encoding) {
    case kEncAnsi:
        if (internal932 || isAsciiText(line))
            return;
        ConvertCharset(line, "CP932", internalCharset(settings), out);
        line.swap(out);
        return;
    case kEncJis:
        if (line.find('\x1b') == std::string::npos && isAsciiText(line))
            return;
        line = jisToShiftJis(line);
        if (!internal932) {
            ConvertCharset(line, "CP932", internalCharset(settings), out);
            line.swap(out);
        }
        return;
    case kEncEucJp:
        if (isAsciiText(line))
            return;
        if (internal932) {
            line = eucToShiftJis(line, settings.japaneseUi);
        } else {
            ConvertCharset(line, "EUC-JP", internalCharset(settings), out);
            line.swap(out);
        }
        return;
    case kEncUtf8: {
        std::string_view text = line;
        if (text.size() >= 3 && text.substr(0, 3) == "\xEF\xBB\xBF")
            text.remove_prefix(3);
        ConvertCharset(text, "UTF-8", internalCharset(settings), out);
        line.swap(out);
        cutAtLineBreak(line);
        return;
    }
    case kEncUtf16Le:
    case kEncUtf16Be: {
        std::string_view text = line;
        if (text.size() >= 2 && ((encoding == kEncUtf16Le && text.substr(0, 2) == "\xFF\xFE") ||
                                 (encoding == kEncUtf16Be && text.substr(0, 2) == "\xFE\xFF")))
            text.remove_prefix(2);
        if (text.size() % 2)
            text.remove_suffix(1);
        // ASCII fast path: every unit below 0x80.
        bool ascii = true;
        const std::size_t lowByte = encoding == kEncUtf16Le ? 0 : 1;
        for (std::size_t i = 0; i < text.size() && ascii; i += 2)
            ascii =
                static_cast<unsigned char>(text[i + lowByte]) < 0x80 && text[i + 1 - lowByte] == 0;
        if (ascii) {
            out.reserve(text.size() / 2);
            for (std::size_t i = 0; i < text.size(); i += 2)
                out += text[i + lowByte];
        } else {
            ConvertCharset(text, encoding == kEncUtf16Le ? "UTF-16LE" : "UTF-16BE",
                           internalCharset(settings), out);
        }
        line.swap(out);
        cutAtLineBreak(line);
        return;
    }
    default:
        return;
    }
}

// --- SourceText ------------------------------------------------------------------------------

void SourceText::appendLine(std::string_view text) {
    if (starts_.empty())
        starts_.push_back(0);
    buffer_.append(text);
    buffer_.push_back('\0');
    starts_.push_back(buffer_.size());
}

void SourceText::finish() {
    if (starts_.empty())
        starts_.push_back(0);
}

SourceText SourceText::FromInternal(std::string_view text) {
    SourceText st;
    st.buffer_.reserve(text.size() + 1);
    std::size_t pos = 0;
    while (pos < text.size()) {
        std::size_t eol = text.find('\n', pos);
        std::size_t end = eol == std::string_view::npos ? text.size() : eol;
        std::string_view line = text.substr(pos, end - pos);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        st.appendLine(line);
        pos = eol == std::string_view::npos ? text.size() : eol + 1;
    }
    st.finish();
    return st;
}

SourceText SourceText::FromBytes(std::string_view bytes, const TextReadSettings& settings) {
    SourceText st;
    st.format_ = DetectTextFormat(bytes.substr(0, std::min(bytes.size(), kDetectBytes)), settings);
    const int enc = st.format_.encoding;
    std::string line;
    st.buffer_.reserve(bytes.size() + bytes.size() / 16 + 16);

    const bool byteEncoding =
        enc == kEncAnsi || enc == kEncJis || enc == kEncEucJp || enc == kEncUtf8;
    auto emit = [&](std::string_view raw) {
        // Plain ASCII needs no conversion in any byte encoding (JIS switches modes with ESC).
        if (byteEncoding && isAsciiText(raw) && raw.find('\x1b') == std::string_view::npos) {
            if (!raw.empty() && (raw.back() == '\r' || raw.back() == '\x1a'))
                raw.remove_suffix(1);
            st.appendLine(raw);
            return;
        }
        line.assign(raw);
        ConvertToInternal(line, enc, settings);
        if (!line.empty() && (line.back() == '\r' || line.back() == '\x1a'))
            line.pop_back();
        st.appendLine(line);
    };

    if (enc == kEncUtf16Le || enc == kEncUtf16Be) {
        // Split at the delimiter unit, keeping units aligned.
        const unsigned delim = st.format_.lineEnd & 0x7F;
        const bool le = enc == kEncUtf16Le;
        std::size_t start = 0;
        std::size_t units = bytes.size() / 2;
        for (std::size_t k = 0; k < units; ++k) {
            unsigned char a = static_cast<unsigned char>(bytes[2 * k]);
            unsigned char b = static_cast<unsigned char>(bytes[2 * k + 1]);
            unsigned u = le ? (a | (b << 8)) : ((a << 8) | b);
            if (u == delim) {
                std::string_view raw = bytes.substr(start, 2 * k - start);
                if (st.format_.lineEnd == kLineEndCrLf && raw.size() >= 2) {
                    unsigned char x = static_cast<unsigned char>(raw[raw.size() - 2]);
                    unsigned char y = static_cast<unsigned char>(raw[raw.size() - 1]);
                    if ((le ? (x | (y << 8)) : ((x << 8) | y)) == 13)
                        raw.remove_suffix(2);
                }
                emit(raw);
                start = 2 * k + 2;
            }
        }
        if (start < bytes.size())
            emit(bytes.substr(start));
    } else {
        const char delim = static_cast<char>(st.format_.lineEnd & 0x7F);
        std::size_t start = 0;
        while (start < bytes.size()) {
            const void* hit = std::memchr(bytes.data() + start, delim, bytes.size() - start);
            std::size_t end =
                hit ? static_cast<std::size_t>(static_cast<const char*>(hit) - bytes.data())
                    : bytes.size();
            emit(bytes.substr(start, end - start));
            start = end + 1;
        }
    }
    st.finish();
    return st;
}

std::optional<SourceText> SourceText::Load(const std::string& path,
                                           const TextReadSettings& settings) {
    std::error_code ec;
    if (!fs::is_regular_file(path, ec))
        return std::nullopt;
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return std::nullopt;
    std::string bytes;
    auto size = fs::file_size(path, ec);
    if (!ec)
        bytes.reserve(static_cast<std::size_t>(size));
    char chunk[1 << 16];
    while (in.read(chunk, sizeof chunk) || in.gcount() > 0)
        bytes.append(chunk, static_cast<std::size_t>(in.gcount()));
    if (in.bad())
        return std::nullopt;
    return FromBytes(bytes, settings);
}

// --- description texts -------------------------------------------------------------------------

std::string FormatFileSize(std::uint64_t size) {
    if (size <= 1024)
        return Format("%lluB", static_cast<unsigned long long>(size));
    if (size <= 1048576)
        return Format("%llukB", static_cast<unsigned long long>(size / 1024));
    return Format("%lluMB", static_cast<unsigned long long>(size / 1048576));
}

std::string EncodingName(int encoding, bool japaneseUi) {
    switch (encoding) {
    case kEncAnsi:
        return japaneseUi ? "\xe3\x82\xb7\xe3\x83\x95\xe3\x83\x88JIS" : "ANSI";
    case kEncJis:
        return "JIS";
    case kEncEucJp:
        return japaneseUi ? "EUC-JP" : "EUC";
    case kEncUtf8:
        return "UTF8";
    case kEncUtf16Le:
        return "UTF16-LE";
    case kEncUtf16Be:
        return "UTF16-BE";
    default:
        return "";
    }
}

std::string LineEndText(std::uint8_t lineEnd) {
    switch (lineEnd) {
    case kLineEndLf:
        return " (LF)";
    case kLineEndCr:
        return " (CR)";
    case kLineEndCrLf:
        return " (CR+LF)";
    default:
        return "";
    }
}

FileDescription DescribeFile(const FileInfo& info, bool japaneseUi) {
    const FileTime& t = info.timeStamp;
    FileDescription d;
    std::string size = FormatFileSize(info.size);
    // The name already carries its extension.
    if (japaneseUi)
        d.nameDateSize = Format("%s  %04d/%02d/%02d %02d:%02d:%02d %s", info.name.c_str(), t.year,
                                t.month, t.day, t.hour, t.minute, t.second, size.c_str());
    else
        d.nameDateSize = Format("%s  %02d/%02d/%04d %02d:%02d:%02d %s", info.name.c_str(), t.month,
                                t.day, t.year, t.hour, t.minute, t.second, size.c_str());
    d.encodingLineEnd = EncodingName(info.encoding, japaneseUi) + LineEndText(info.lineEnd);
    return d;
}

// --- include folder tree -----------------------------------------------------------------------

bool AppendIncludeTree(const std::string& root, std::string& includeText, MessageSink& sink) {
    constexpr std::size_t kMaxFolders = 1000;
    constexpr std::size_t kMaxPath = 260;
    constexpr std::size_t kMaxText = 8192;

    std::vector<std::string> folders;
    bool overLimit = false;
    std::function<void(const fs::path&)> walk = [&](const fs::path& dir) {
        if (overLimit)
            return;
        if (folders.size() >= kMaxFolders) {
            overLimit = true;
            return;
        }
        folders.push_back(dir.string());
        std::vector<fs::path> children;
        std::error_code ec;
        for (fs::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec)) {
            std::error_code ec2;
            if (!it->is_directory(ec2) || it->is_symlink(ec2))
                continue;
            std::string name = it->path().filename().string();
            // Version-control folders hold no headers and many sub-folders.
            if (name == ".svn" || name == ".git" || name == ".hg")
                continue;
            children.push_back(it->path());
        }
        std::sort(children.begin(), children.end());
        for (const fs::path& child : children) {
            if (overLimit)
                return;
            if (child.string().size() > kMaxPath) {
                sink.Message(Format(tr("!!!Full path too long.\n\n(%s/%s)"), dir.string().c_str(),
                                    child.filename().string().c_str()),
                             tr("Caution"), MessageKind::Warning);
                continue;
            }
            walk(child);
        }
    };
    walk(fs::path(root));
    if (overLimit) {
        sink.Message(tr("Dirctory Number Limit(1000) Over"), tr("Caution"), MessageKind::Warning);
        return false;
    }
    for (const std::string& folder : folders) {
        std::string entry = folder + ";";
        if (includeText.size() + entry.size() >= kMaxText) {
            sink.Message(tr("Path Size Limit Over"), tr("Caution"), MessageKind::Warning);
            break;
        }
        includeText += entry;
    }
    return true;
}

} // namespace lumbra
