// The settings store over an in-memory ini document that is written atomically.
#include "TProfile2.h"

#include <cerrno>
#include <climits>
#include <cstring>
#include <unistd.h>

#include "AtomicFile.h"

namespace lumbra {
namespace {

// The leading decimal number of a text ("-" and digits), saturated at the type's limits.
long long leadingNumber(std::string_view s, bool& any) {
    std::size_t i = 0;
    bool negative = false;
    if (i < s.size() && (s[i] == '-' || s[i] == '+')) {
        negative = s[i] == '-';
        ++i;
    }
    long long value = 0;
    any = false;
    for (; i < s.size() && s[i] >= '0' && s[i] <= '9'; ++i) {
        any = true;
        if (value < LLONG_MAX / 10)
            value = value * 10 + (s[i] - '0');
    }
    return negative ? -value : value;
}

int clampInt(long long v) {
    return v > INT_MAX ? INT_MAX : v < INT_MIN ? INT_MIN : static_cast<int>(v);
}

long clampLong(long long v) {
    return v > LONG_MAX ? LONG_MAX : v < LONG_MIN ? LONG_MIN : static_cast<long>(v);
}

// Cuts to at most `limit` bytes without splitting a UTF-8 sequence.
void cutValue(std::string& s, std::size_t limit) {
    if (s.size() <= limit)
        return;
    std::size_t cut = limit;
    for (int back = 0; back < 3 && cut > 0 && (static_cast<unsigned char>(s[cut]) & 0xC0) == 0x80;
         ++back)
        --cut;
    s.resize(cut);
}

} // namespace

void TProfile2::SetFileName(std::string_view path) {
    fileName_ = std::string(path);
    ini_.Clear();
    unreadable_ = false;
    dirty_ = false;
    lastError_.clear();
    if (fileName_.empty())
        return;
    int err = 0;
    std::optional<std::string> bytes = ReadWholeFile(fileName_, err);
    if (!bytes) {
        if (err != ENOENT && err != ENOTDIR) {
            unreadable_ = true;
            lastError_ = "cannot read " + fileName_ + ": " + std::strerror(err);
        }
        return;
    }
    if (IniFile::LooksLikeUtf16(*bytes)) {
        unreadable_ = true;
        lastError_ = fileName_ + " is UTF-16 text, which settings cannot be read from";
        return;
    }
    ini_.Parse(*bytes);
}

void TProfile2::SetSection(std::string_view name) {
    section_ = std::string(name);
}

bool TProfile2::DeleteSection(std::string_view name) {
    if (!ini_.RemoveSection(name))
        return !unreadable_;
    return changed();
}

bool TProfile2::WriteString(std::string_view key, std::string_view text) {
    ini_.Set(section_, key, text);
    return changed();
}

bool TProfile2::WriteInt(std::string_view key, int number) {
    return WriteString(key, std::to_string(number));
}

std::string TProfile2::ReadString(std::string_view key, std::string_view defaultText) const {
    std::optional<std::string> value = ini_.Get(section_, key);
    std::string out = value ? std::move(*value) : std::string(defaultText);
    cutValue(out, kMaxValueLength);
    return out;
}

int TProfile2::ReadInt(std::string_view key, int defaultValue) const {
    std::optional<std::string> value = ini_.Get(section_, key);
    if (!value)
        return defaultValue;
    bool any = false;
    long long n = leadingNumber(*value, any);
    return any ? clampInt(n) : defaultValue;
}

void TProfile2::SplitList(std::string_view text, std::span<ProfileField> fields) {
    std::size_t start = 0;
    for (ProfileField& field : fields) {
        if (start > text.size())
            break;
        std::size_t end = text.find(',', start);
        if (end == std::string_view::npos)
            end = text.size();
        std::string_view piece = text.substr(start, end - start);
        field.text = std::string(piece);
        if (!piece.empty() && ((piece[0] >= '0' && piece[0] <= '9') || piece[0] == '-')) {
            bool any = false;
            long long n = leadingNumber(piece, any);
            field.integer = clampInt(n);
            field.longValue = clampLong(n);
        }
        start = end + 1;
    }
}

void TProfile2::BeginUpdate() {
    if (updateDepth_++ == 0)
        updateFailed_ = false;
}

bool TProfile2::EndUpdate() {
    if (updateDepth_ == 0 || --updateDepth_ > 0)
        return !updateFailed_;
    if (dirty_ && !flush())
        updateFailed_ = true;
    return !updateFailed_;
}

bool TProfile2::changed() {
    dirty_ = true;
    if (updateDepth_ > 0)
        return true; // EndUpdate reports the outcome of the group
    return flush();
}

bool TProfile2::flush() {
    if (fileName_.empty() || readOnly_) {
        dirty_ = false;
        return true;
    }
    if (unreadable_)
        return false; // lastError_ already says why
    if (!WriteFileAtomically(fileName_, ini_.Text(), lastError_))
        return false;
    dirty_ = false;
    return true;
}

bool TProfile2::ResetContents(std::string_view bytes) {
    ini_.Parse(bytes);
    unreadable_ = false;
    return changed();
}

bool TProfile2::RemoveFile() {
    ini_.Clear();
    dirty_ = false;
    unreadable_ = false;
    if (fileName_.empty() || readOnly_)
        return true;
    if (::unlink(fileName_.c_str()) != 0 && errno != ENOENT) {
        lastError_ = "cannot delete " + fileName_ + ": " + std::strerror(errno);
        return false;
    }
    return true;
}

} // namespace lumbra
