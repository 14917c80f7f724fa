// The commit of a typed value into a channel; see ChannelEditing.h.

#include "core/channels/ChannelEditing.h"

namespace qx260
{

namespace
{

// Gives the settings fields of a new channel their defaults, except those the variant hides.
void giveDefaults(Channel& channel, std::initializer_list<ChannelField> fields, int radioVariant)
{
    for (ChannelField field : fields)
        if (!hiddenByVariant(field, radioVariant))
            setField(channel, field, newChannelDefault(field));
}

// A frequency field as the window shows it: a hidden one counts as empty.
bool shownFrequencyEmpty(const Channel& channel, ChannelField field, int radioVariant)
{
    const Frequency& f = field == ChannelField::RxFrequency ? channel.rx : channel.tx;
    return f.empty() || hiddenByVariant(field, radioVariant);
}

EditOutcome commitFrequency(Channel& channel, ChannelField field, std::string_view text,
                            CommitTrigger trigger, BandLimits limits, int radioVariant)
{
    const bool enter = trigger == CommitTrigger::Enter;
    const bool rxEmpty = shownFrequencyEmpty(channel, ChannelField::RxFrequency, radioVariant);
    const bool txEmpty = shownFrequencyEmpty(channel, ChannelField::TxFrequency, radioVariant);
    Frequency& target = field == ChannelField::RxFrequency ? channel.rx : channel.tx;
    const bool targetEmpty = field == ChannelField::RxFrequency ? rxEmpty : txEmpty;

    const ParsedField parsed = parseField(field, text, limits);
    if (!parsed.ok())
        return {parsed.refusal};
    if (std::holds_alternative<std::monostate>(parsed.value)) {
        // An erased Rx takes the channel. With Enter an erased Tx follows Rx again; without
        // an Rx to follow (a channel with a Tx side only) the channel goes as a whole. An
        // empty editor over an empty cell changes nothing: walking through a channel never
        // clears it.
        if (field == ChannelField::TxFrequency && enter && !rxEmpty)
            channel.tx = channel.rx;
        else if (!targetEmpty)
            channel = erasedChannel(channel);
        return {};
    }

    const Frequency value = std::get<Frequency>(parsed.value);
    // The text the field shows already: the stored word stays, even one no text gives back.
    if (!targetEmpty && frequencyText(target) == frequencyText(value))
        return {};
    target = value;
    if (field == ChannelField::RxFrequency) {
        if (!rxEmpty)
            return {};
        // A new channel. With Enter its Tx follows; moving away leaves the transmit side alone.
        if (enter) {
            if (!hiddenByVariant(ChannelField::TxFrequency, radioVariant))
                channel.tx = value;
            giveDefaults(channel,
                         {ChannelField::DecodeTone, ChannelField::EncodeTone, ChannelField::Bandwidth,
                          ChannelField::Scan, ChannelField::BusyLock, ChannelField::Power},
                         radioVariant);
        } else {
            giveDefaults(channel,
                         {ChannelField::DecodeTone, ChannelField::Bandwidth, ChannelField::Scan,
                          ChannelField::BusyLock, ChannelField::Power},
                         radioVariant);
        }
        return {};
    }
    // A Tx frequency typed into an empty channel makes one with a Tx side only, whether it is
    // confirmed with Enter or by moving away; moving away from the first Tx frequency of an
    // Rx channel gives it the defaults too.
    if ((rxEmpty && txEmpty) || (!enter && txEmpty))
        giveDefaults(channel,
                     {ChannelField::EncodeTone, ChannelField::Bandwidth, ChannelField::Scan,
                      ChannelField::BusyLock, ChannelField::Power},
                     radioVariant);
    return {};
}

} // namespace

EditOutcome commitField(Channel& channel, ChannelField field, std::string_view text, CommitTrigger trigger,
                        BandLimits limits, int radioVariant, Language language)
{
    if (hiddenByVariant(field, radioVariant))
        return {};
    const Channel before = channel;
    EditOutcome outcome;
    if (isFrequencyField(field)) {
        outcome = commitFrequency(channel, field, text, trigger, limits, radioVariant);
    } else if (!shownEmpty(channel, radioVariant) && text != fieldText(channel, field, language)) {
        // Settings cannot be given to a channel without any frequency.
        const ParsedField parsed = parseField(field, text, limits);
        if (!parsed.ok())
            return {parsed.refusal};
        setField(channel, field, parsed.value);
    }
    outcome.changed = !(channel == before);
    return outcome;
}

std::vector<int> channelsOutsideBand(const ChannelList& channels, BandLimits limits, int radioVariant)
{
    std::vector<int> outside;
    for (int n = 1; n <= kChannelCount; ++n) {
        const Channel& channel = channels.channel(n);
        for (ChannelField field : {ChannelField::RxFrequency, ChannelField::TxFrequency}) {
            const Frequency& f = field == ChannelField::RxFrequency ? channel.rx : channel.tx;
            if (f.empty() || hiddenByVariant(field, radioVariant))
                continue;
            if (readFrequency(frequencyText(f), limits).verdict == FrequencyVerdict::OutOfRange) {
                outside.push_back(n);
                break;
            }
        }
    }
    return outside;
}

} // namespace qx260
