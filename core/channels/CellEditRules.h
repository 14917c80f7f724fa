#pragma once
// What happens when a cell editor over the channel table is opened and when its value is
// taken back into the table (a commit): frequency validation against the band limits and
// the channel steps, new-channel defaults, clearing a channel, and the move after Enter.
// Pure functions over the ChannelTable; the windows only show editors and messages.

#include <string>
#include <string_view>
#include <vector>

#include "core/channels/ChannelEditing.h"
#include "core/radio/FrequencyCheck.h"
#include "res/ResourceIds.h"

namespace qx260
{

class ChannelTable;

// English texts of the messages a rejected commit shows (resid::StrOutOfRange,
// resid::StrStepValueError, caption resid::StrCaution), for when no resource library
// supplies them.
const char* cellEditMessageFallback(int messageId);

// The editor laid over a column: its control id and whether it is a drop-down list.
// Column 0 (never current) maps to the first edit box.
int editorIdForColumn(int col);
bool isListColumn(int col);

// The items of a column's list editor; the tone columns take the view's tone list.
std::vector<std::string> listItemsForColumn(int col, bool languageFlag,
                                            const std::vector<std::string>& toneList);

// Opening a list editor: the first item whose text begins with the cell text, ignoring
// case (ASCII letters only; other bytes compare exactly); the first item when none does.
int initialListSelection(const std::vector<std::string>& items, std::string_view cellText);
// The same search, -1 when no item begins with the cell text (a stored code or tone the
// list does not offer, such as D017N or 62.5): the editor then offers the cell's own text.
int matchingListItem(const std::vector<std::string>& items, std::string_view cellText);

// A value typed for list column col (on the command line, in an imported file): the item of
// the list in the language of languageFlag that it names in either language, any letter
// case. In a tone column a number of hertz written plainly names its tone too ("100" is
// 100.0); a text there that starts like a number but is no plain one ("67,0") sets
// notANumber. item is empty when the text names no item.
struct TypedChoice {
    std::string item;
    bool notANumber = false;
};
TypedChoice typedListChoice(int col, std::string_view text, bool languageFlag);

// The text a new channel gets in column 3..8 ("None", "Wide", "No", "Off", "High").
std::string newChannelDefault(int col, bool languageFlag);

struct CommitOutcome {
    int rejectedWithMessageId = 0; // 0, resid::StrFrequencyNotANumber, StrOutOfRange or StrStepValueError
    bool changed = false;          // some cell of the table has a new text
    bool ok() const { return rejectedWithMessageId == 0; } // the value was taken (or nothing to take)
};

// Takes `editorText` of the editor shown over (table.row(), col) back into the table.
// The caller has already established that the editor is shown; after the commit it is
// hidden whatever the outcome. A refused frequency changes no cell: the channel stays as it
// was. An empty frequency editor over a cell that was already empty changes nothing either:
// walking through a channel with Enter or the mouse never clears it.
CommitOutcome commitEdit(ChannelTable& table, int col, const std::string& editorText, CommitTrigger trigger,
                         BandLimits limits, bool languageFlag);

// The move after Enter (also when nothing was committed, never after a rejection): next
// column, else column 1 of the next row, else row 1 column 1. Each step is a separate move
// of the current cell, so LeaveCell / EnterCell fire as for a user move.
void advanceAfterEnter(ChannelTable& table);

} // namespace qx260
