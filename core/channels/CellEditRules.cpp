#include "core/channels/CellEditRules.h"

#include <array>

#include "core/channels/ChannelTable.h"
#include "core/config/AsciiText.h"
#include "core/radio/ChannelTexts.h"
#include "core/radio/Tones.h"

namespace qx260
{

namespace
{

struct ColumnEditor {
    int id;
    bool list;
};

// Index = table column 0..8.
constexpr std::array<ColumnEditor, ChannelTable::kCols> kEditors{{
    {2127, false}, // column 0 is never current; it maps to the first edit box
    {2127, false}, // Rx Frequency
    {2128, false}, // Tx Frequency
    {2132, true},  // QT/DQT Dec
    {2133, true},  // QT/DQT Enc
    {2134, true},  // W/N
    {2135, true},  // Scan
    {1130, true},  // Busy Lock
    {1129, true},  // Power
}};

bool validColumn(int col)
{
    return col >= 0 && col < ChannelTable::kCols;
}

void clearRow(ChannelTable& table, int r)
{
    for (int c = 1; c < table.cols(); ++c)
        table.setTextMatrix(r, c, std::string());
}

void writeDefaults(ChannelTable& table, int r, std::initializer_list<int> cols, bool languageFlag)
{
    for (int c : cols)
        table.setTextMatrix(r, c, newChannelDefault(c, languageFlag));
}

CommitOutcome commitRx(ChannelTable& table, int r, const FrequencyReading& reading, CommitTrigger trigger,
                       bool languageFlag)
{
    const bool hadRx = !table.textMatrix(r, column::RxFrequency).empty();
    switch (reading.verdict) {
    case FrequencyVerdict::Empty:
        if (hadRx)
            clearRow(table, r);
        return {};
    case FrequencyVerdict::OutOfRange:
        clearRow(table, r);
        return {resid::StrOutOfRange, false};
    case FrequencyVerdict::OffStep:
        clearRow(table, r);
        return {resid::StrStepValueError, false};
    case FrequencyVerdict::Valid:
        break;
    }
    table.setTextMatrix(r, column::RxFrequency, reading.textToStore);
    if (hadRx)
        return {};
    if (trigger == CommitTrigger::Enter) {
        table.setTextMatrix(r, column::TxFrequency, reading.textToStore);
        writeDefaults(table, r,
                      {column::DecodeTone, column::EncodeTone, column::Bandwidth, column::Scan,
                       column::BusyLock, column::Power},
                      languageFlag);
    } else {
        writeDefaults(table, r,
                      {column::DecodeTone, column::Bandwidth, column::Scan, column::BusyLock, column::Power},
                      languageFlag);
    }
    return {};
}

CommitOutcome commitTx(ChannelTable& table, int r, const FrequencyReading& reading, CommitTrigger trigger,
                       bool languageFlag)
{
    const std::string oldRx = table.textMatrix(r, column::RxFrequency);
    const bool hadTx = !table.textMatrix(r, column::TxFrequency).empty();
    const bool enter = trigger == CommitTrigger::Enter;
    switch (reading.verdict) {
    case FrequencyVerdict::Empty:
        if (enter)
            table.setTextMatrix(r, column::TxFrequency, oldRx); // Tx follows Rx again
        else if (hadTx)
            clearRow(table, r);
        return {};
    case FrequencyVerdict::OutOfRange:
        if (enter)
            clearRow(table, r);
        else
            table.setTextMatrix(r, column::TxFrequency, std::string());
        return {resid::StrOutOfRange, false};
    case FrequencyVerdict::OffStep:
        if (enter)
            table.setTextMatrix(r, column::TxFrequency, std::string());
        else
            clearRow(table, r);
        return {resid::StrStepValueError, false};
    case FrequencyVerdict::Valid:
        break;
    }
    if (enter) {
        // Enter sets the Tx side of an existing channel only; a channel that so far has
        // only a Tx frequency keeps it rather than losing it.
        const bool channelExists = !oldRx.empty() || hadTx;
        table.setTextMatrix(r, column::TxFrequency, channelExists ? reading.textToStore : std::string());
        return {};
    }
    table.setTextMatrix(r, column::TxFrequency, reading.textToStore);
    if (!hadTx)
        writeDefaults(table, r,
                      {column::EncodeTone, column::Bandwidth, column::Scan, column::BusyLock, column::Power},
                      languageFlag);
    return {};
}

} // namespace

const char* cellEditMessageFallback(int messageId)
{
    switch (messageId) {
    case resid::StrOutOfRange:
        return "Out of range,please input again.";
    case resid::StrStepValueError:
        return "Error data Value, please input according the step value(6.25K/5k).";
    case resid::StrCaution:
        return "Caution";
    default:
        return "";
    }
}

int editorIdForColumn(int col)
{
    return validColumn(col) ? kEditors[static_cast<std::size_t>(col)].id : kEditors[0].id;
}

bool isListColumn(int col)
{
    return validColumn(col) && kEditors[static_cast<std::size_t>(col)].list;
}

std::vector<std::string> listItemsForColumn(int col, bool languageFlag,
                                            const std::vector<std::string>& toneList)
{
    if (col == column::DecodeTone || col == column::EncodeTone)
        return toneList;
    return columnListItems(col, languageFlag);
}

int initialListSelection(const std::vector<std::string>& items, std::string_view cellText)
{
    for (std::size_t i = 0; i < items.size(); ++i)
        if (startsWithIgnoringAsciiCase(items[i], cellText))
            return static_cast<int>(i);
    return items.empty() ? -1 : 0;
}

std::string newChannelDefault(int col, bool languageFlag)
{
    switch (col) {
    case column::DecodeTone:
    case column::EncodeTone:
        return noToneText(languageFlag);
    case column::Bandwidth:
        return kWideText.pick(languageFlag);
    case column::Scan:
        return kNoText.pick(languageFlag);
    case column::BusyLock:
        return kOffText.pick(languageFlag);
    case column::Power:
        return kHighText.pick(languageFlag);
    default:
        return {};
    }
}

CommitOutcome commitEdit(ChannelTable& table, int col, const std::string& editorText, CommitTrigger trigger,
                         BandLimits limits, bool languageFlag)
{
    const int r = table.row();
    if (r < 1 || r >= table.rows() || col < 1 || col >= table.cols())
        return {};

    std::vector<std::string> before;
    for (int c = 1; c < table.cols(); ++c)
        before.push_back(table.textMatrix(r, c));

    CommitOutcome outcome;
    if (col == column::RxFrequency || col == column::TxFrequency) {
        const FrequencyReading reading = readFrequency(editorText, limits);
        outcome = col == column::RxFrequency ? commitRx(table, r, reading, trigger, languageFlag)
                                             : commitTx(table, r, reading, trigger, languageFlag);
    } else {
        // Settings cannot be given to a channel without any frequency.
        const bool emptyChannel = table.textMatrix(r, column::RxFrequency).empty() &&
                                  table.textMatrix(r, column::TxFrequency).empty();
        table.setTextMatrix(r, col, emptyChannel ? std::string() : editorText);
    }

    for (int c = 1; c < table.cols(); ++c)
        if (table.textMatrix(r, c) != before[static_cast<std::size_t>(c - 1)])
            outcome.changed = true;
    return outcome;
}

void advanceAfterEnter(ChannelTable& table)
{
    if (table.col() < table.cols() - 1) {
        table.setCol(table.col() + 1);
    } else if (table.row() < table.rows() - 1) {
        const int next = table.row() + 1;
        table.setCol(1);
        table.setRow(next);
    } else {
        table.setRow(1);
        table.setCol(1);
    }
}

} // namespace qx260
