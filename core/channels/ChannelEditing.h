#pragma once
// What taking a typed value into a channel does (a commit): a frequency is checked against
// the band and the channel steps, a frequency typed into an empty channel gives it the
// new-channel settings, an erased frequency erases the channel, and settings cannot be given
// to a channel without a frequency. The rules see the channel as the window shows it for the
// radio variant, and never change a field the variant hides (erasing takes the whole channel).
// Every front end commits through here: the channel window, the command line, imports and
// pastes.

#include <string_view>
#include <vector>

#include "core/channels/Channel.h"
#include "core/channels/ChannelFields.h"
#include "core/config/Language.h"
#include "core/radio/FrequencyCheck.h"

namespace qx260
{

enum class CommitTrigger {
    Enter,     // key Enter: commit, then advance
    LeaveCell, // the current cell moves away, or a transfer starts
};

struct EditOutcome {
    FieldRefusal refusal = FieldRefusal::None;
    bool changed = false; // the channel is stored differently now
    bool ok() const { return refusal == FieldRefusal::None; }
    // The window's message for a refused frequency; 0 otherwise.
    int messageId() const { return refusalMessageId(refusal); }
};

// Takes text, typed into field of channel, as the window takes an editor's text. A text equal
// to what the field shows in the window's language changes nothing (a tone the list does not
// offer, opened and confirmed, stays as stored). A refused text changes nothing either.
EditOutcome commitField(Channel& channel, ChannelField field, std::string_view text, CommitTrigger trigger,
                        BandLimits limits, int radioVariant, Language language);

// The channels (1..16) with a shown frequency outside the band limits, in channel order:
// after the band is changed they are kept, and the user is told which to change.
std::vector<int> channelsOutsideBand(const ChannelList& channels, BandLimits limits, int radioVariant);

} // namespace qx260
