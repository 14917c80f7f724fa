#pragma once
// File > Import Channels and File > Export Channels of a channel window: the channels
// from and into a CSV file, in the program's own layout or the common channel-list
// layout, with the command line's checks and messages. An import is checked as if typed,
// all or nothing, and is one undoable change. Both work on the document's channels, for the
// radio variant the window's table was filled for.

#include <initializer_list>
#include <string>

#include <QString>

#include "core/config/Texts.h"

class CProgramView;

namespace qx260
{

struct ChannelImportError;
struct ChannelImportResult;

// A text of channel lists in the program's language.
QString listText(Text id, std::initializer_list<std::string> args = {});

// A refused import or paste as the window tells it: where and why (a refused frequency in
// the channel window's own words), then nothingChanged on a line of its own. place: the
// file's name; empty for rows pasted.
QString refusalText(const ChannelImportError& error, const std::string& place, const QString& nothingChanged);

// What an import or paste took differently than written (hidden columns kept, columns
// ignored), after done, in one information box; nothing when there is no such note.
void showImportNotes(CProgramView& view, const QString& caption, const std::string& done,
                     const ChannelImportResult& result);

// Asks for a file of either layout (told from its header row) and takes its channels; a
// refusal says where and why and leaves the channels as they were. A file whose locations
// are not channels 1 to 16 may be taken in file order instead, when the user agrees. A file
// with rows that cannot be taken as they stand opens the import dialog (CImportRowsDlg),
// which takes the rows the user checks, as one change.
void importChannels(CProgramView& view);

// Asks for a file name and writes the channels in the layout of the filter chosen.
void exportChannels(CProgramView& view);

} // namespace qx260
