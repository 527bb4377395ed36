// Interface texts for widgets: the program's string table as QString. (Inside a QObject,
// plain `tr` would name Qt's own translation function.)
#pragma once

#include <QString>
#include <string>
#include <string_view>

#include "Lang.h"

namespace lumbra::gui {

inline QString UiText(const char* english) {
    return QString::fromUtf8(lumbra::tr(english));
}
inline QString UiText(std::string_view english) {
    return QString::fromUtf8(lumbra::tr(std::string(english).c_str()));
}
// UTF-8 text as QString.
inline QString Utf8(const std::string& text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace lumbra::gui
