#pragma once
// Texts from Program.ini as a window shows them. The file may hold a name of any length;
// one of many thousand characters makes a list or a caption useless, and one of millions
// can end the program. So a long one is shown cut, while the program keeps it whole.

#include <QString>

#include <string>

namespace qx260
{

// Longer texts are cut here for display.
constexpr int kMaxDisplayLength = 1000;

// text (UTF-8) as shown: its first kMaxDisplayLength characters and "…" when it is longer.
QString displayText(const std::string& text);

} // namespace qx260
