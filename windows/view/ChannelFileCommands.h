#pragma once
// File > Import Channels and File > Export Channels of a channel window: the channels
// from and into a CSV file, in the program's own layout or the common channel-list
// layout, with the command line's checks and messages. An import is checked as if typed,
// all or nothing, and is one undoable change.

#include <string>

#include <QString>

class CProgramView;

namespace qx260
{

struct ChannelImportError;

// A refused import or paste as the window tells it: where and why (a refused frequency in
// the channel window's own words), then nothingChanged on a line of its own. place: the
// file's name; empty for rows pasted.
QString refusalText(const ChannelImportError& error, const std::string& place, const QString& nothingChanged);

// Asks for a file of either layout (told from its header row) and takes its channels; a
// refusal says where and why and leaves the channels as they were. A file whose locations
// are not channels 1 to 16 may be taken in file order instead, when the user agrees.
void importChannels(CProgramView& view);

// Asks for a file name and writes the channels in the layout of the filter chosen.
void exportChannels(CProgramView& view);

} // namespace qx260
