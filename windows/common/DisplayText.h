#pragma once
// Texts from Program.ini as a window shows them. The file may hold a name of any length;
// a window that lays out, measures and draws one of a million characters stops answering
// (or worse), so a long one is shown cut, while the program keeps working with it whole.

#include <QString>

#include <string>

namespace qx260
{

// Longer texts are cut here for display.
constexpr int kMaxDisplayLength = 1000;

// text (UTF-8) as shown: its first kMaxDisplayLength characters and "…" when it is longer.
QString displayText(const std::string& text);

} // namespace qx260
