#include "core/channels/CellEditRules.h"

#include <array>
#include <cstdint>
#include <optional>

#include "core/channels/ChannelTable.h"
#include "core/config/AsciiText.h"
#include "core/radio/ChannelTexts.h"
#include "core/radio/Decimal.h"
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

// The message of a frequency that is refused; 0 for one that is taken.
int refusalMessage(FrequencyVerdict verdict)
{
    switch (verdict) {
    case FrequencyVerdict::NotANumber:
        return resid::StrFrequencyNotANumber;
    case FrequencyVerdict::OutOfRange:
        return resid::StrOutOfRange;
    case FrequencyVerdict::OffStep:
        return resid::StrStepValueError;
    case FrequencyVerdict::Empty:
    case FrequencyVerdict::Valid:
        break;
    }
    return 0;
}

// A refused frequency changes nothing: the cell keeps its text and the channel its settings.
CommitOutcome commitRx(ChannelTable& table, int r, const FrequencyReading& reading, CommitTrigger trigger,
                       bool languageFlag)
{
    const bool hadRx = !table.textMatrix(r, column::RxFrequency).empty();
    if (reading.verdict == FrequencyVerdict::Empty) {
        if (hadRx)
            clearRow(table, r);
        return {};
    }
    if (const int message = refusalMessage(reading.verdict))
        return {message, false};

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
    if (reading.verdict == FrequencyVerdict::Empty) {
        // With Enter, Tx follows Rx again; without an Rx to follow (a channel with a Tx side
        // only) the channel goes as a whole, settings and all, as it is stored.
        if (enter && !oldRx.empty())
            table.setTextMatrix(r, column::TxFrequency, oldRx);
        else if (hadTx)
            clearRow(table, r);
        return {};
    }
    if (const int message = refusalMessage(reading.verdict))
        return {message, false};

    table.setTextMatrix(r, column::TxFrequency, reading.textToStore);
    // A Tx frequency typed into an empty row makes a channel with only a Tx side, whether it
    // is confirmed with Enter or by moving away; moving away from the first Tx frequency of
    // an Rx channel gives it the defaults too.
    const bool newChannel = oldRx.empty() && !hadTx;
    if (newChannel || (!enter && !hadTx))
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
    case resid::StrFrequencyNotANumber:
        return "Not a number, please input again: digits with a point as the decimal separator, such as "
               "145.125.";
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

int matchingListItem(const std::vector<std::string>& items, std::string_view cellText)
{
    for (std::size_t i = 0; i < items.size(); ++i)
        if (startsWithIgnoringAsciiCase(items[i], cellText))
            return static_cast<int>(i);
    return -1;
}

int initialListSelection(const std::vector<std::string>& items, std::string_view cellText)
{
    const int match = matchingListItem(items, cellText);
    return match >= 0 || items.empty() ? match : 0;
}

TypedChoice typedListChoice(int col, std::string_view text, bool languageFlag)
{
    const bool tone = col == column::DecodeTone || col == column::EncodeTone;
    const std::vector<std::string> items =
        tone ? buildToneList(languageFlag) : columnListItems(col, languageFlag);
    const std::vector<std::string> others =
        tone ? buildToneList(!languageFlag) : columnListItems(col, !languageFlag);
    for (std::size_t i = 0; i < items.size(); ++i)
        if (equalsIgnoringAsciiCase(text, items[i]) ||
            (i < others.size() && equalsIgnoringAsciiCase(text, others[i])))
            return {items[i]};
    if (!tone)
        return {};

    if (const std::optional<double> hertz = parsePlainDecimal(text)) {
        // Only a value that is whole tenths of a hertz can be a tone of the list (and every
        // tone of the list lies far below 100 kHz, which keeps the products below in range).
        const std::optional<std::int64_t> tenths = scaleExact(*hertz, 1);
        if (tenths && *tenths > 0 && *tenths < 1'000'000 && scaleExact(*hertz, 6) == *tenths * 100000) {
            const std::string shown = formatScaled(*tenths, 1);
            for (const std::string& item : items)
                if (item == shown)
                    return {item};
        }
        return {};
    }
    const std::size_t first = text.find_first_not_of(" \t");
    const bool startsLikeANumber =
        first != std::string_view::npos &&
        std::string_view("0123456789.,+-").find(text[first]) != std::string_view::npos;
    return {std::string(), startsLikeANumber};
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
