#pragma once
// Texts as a window shows them: the program's own from the catalogue in the language of
// the program, and texts from Program.ini. That file may hold a name of any length; one of
// many thousand characters makes a list or a caption useless, and one of millions can end
// the program. So a long one is shown cut, while the program keeps it whole.

#include <QString>

#include <string>

#include "core/config/Texts.h"

namespace qx260
{

// Longer texts are cut here for display.
constexpr int kMaxDisplayLength = 1000;

// text (UTF-8) as shown: its first kMaxDisplayLength characters and "…" when it is longer.
QString displayText(const std::string& text);

// A text of the catalogue in the program's language; its places %1, %2, ... are left for
// QString::arg.
QString programText(Text id);

} // namespace qx260
