// Columns a UTF-8 text takes in a fixed-width font, so padded text lines up in Japanese too.
#pragma once

#include <string>
#include <string_view>

namespace lumbra {

// Wide (East Asian wide and full-width) characters count two columns, every other character
// one. Bytes that are not valid UTF-8 count one column each.
int DisplayWidth(std::string_view utf8);

// Steps over the character at byte `i` (which must be < utf8.size()): returns the byte after it
// and sets `width` to its columns.
std::size_t NextCharacter(std::string_view utf8, std::size_t i, int& width);

// The text followed by blanks up to `columns` columns (nothing when it is already as wide).
std::string PadToWidth(std::string_view utf8, int columns);

} // namespace lumbra
