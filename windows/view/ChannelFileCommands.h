#pragma once
// File > Import Channels and File > Export Channels of a channel window: the channels
// from and into a CSV file, in the program's own layout or the common channel-list
// layout, with the command line's checks and messages. An import is checked as if typed,
// all or nothing, and is one undoable change.

class CProgramView;

namespace qx260
{

// Asks for a file of either layout (told from its header row) and takes its channels; a
// refusal says where and why and leaves the channels as they were. A file whose locations
// are not channels 1 to 16 may be taken in file order instead, when the user agrees.
void importChannels(CProgramView& view);

// Asks for a file name and writes the channels in the layout of the filter chosen.
void exportChannels(CProgramView& view);

} // namespace qx260
