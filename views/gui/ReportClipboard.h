// Hands a clipboard report (the same text the command line writes) to the clipboard and tells
// the user, as every "Clip" and output button does.
#pragma once

#include <string>

namespace lumbra::gui {

class TLumbra32App;

// Copies the text and shows `done` (English; "Copy to Clipboard." or "Output to Clipboard.")
// with the caption "Result".
void CopyReportToClipboard(TLumbra32App& app, const std::string& text, const char* done);

} // namespace lumbra::gui
