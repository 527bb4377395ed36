// Column widths of UTF-8 text.
#include "DisplayWidth.h"

#include <algorithm>
#include <cstdint>
#include <iterator>

namespace lumbra {
namespace {

struct Range {
    char32_t first;
    char32_t last;
};

// East Asian wide and full-width blocks, in ascending order.
constexpr Range kWide[] = {
    {0x1100, 0x115F},   {0x2E80, 0x303E},   {0x3041, 0x33FF},   {0x3400, 0x4DBF},
    {0x4E00, 0x9FFF},   {0xA000, 0xA4CF},   {0xAC00, 0xD7A3},   {0xF900, 0xFAFF},
    {0xFE30, 0xFE4F},   {0xFF00, 0xFF60},   {0xFFE0, 0xFFE6},   {0x1F300, 0x1F64F},
    {0x1F900, 0x1F9FF}, {0x20000, 0x2FFFD}, {0x30000, 0x3FFFD},
};

bool isWide(char32_t c) {
    auto it = std::upper_bound(std::begin(kWide), std::end(kWide), c,
                               [](char32_t v, const Range& r) { return v < r.first; });
    return it != std::begin(kWide) && c <= std::prev(it)->last;
}

} // namespace

std::size_t NextCharacter(std::string_view s, std::size_t i, int& width) {
    const auto b = static_cast<unsigned char>(s[i]);
    const std::size_t len = b < 0x80           ? 1
                            : (b >> 5) == 0x6  ? 2
                            : (b >> 4) == 0xE  ? 3
                            : (b >> 3) == 0x1E ? 4
                                               : 0;
    width = 1;
    if (len == 0 || i + len > s.size())
        return i + 1;
    char32_t c = len == 1 ? b : (b & (0x7F >> len));
    for (std::size_t k = 1; k < len; ++k) {
        const auto t = static_cast<unsigned char>(s[i + k]);
        if ((t & 0xC0) != 0x80)
            return i + 1;
        c = (c << 6) | (t & 0x3F);
    }
    width = isWide(c) ? 2 : 1;
    return i + len;
}

int DisplayWidth(std::string_view s) {
    int width = 0;
    for (std::size_t i = 0; i < s.size();) {
        int w = 1;
        i = NextCharacter(s, i, w);
        width += w;
    }
    return width;
}

std::string PadToWidth(std::string_view utf8, int columns) {
    std::string out(utf8);
    const int width = DisplayWidth(utf8);
    if (width < columns)
        out.append(static_cast<std::size_t>(columns - width), ' ');
    return out;
}

} // namespace lumbra
