#include "core/channels/ChannelCsv.h"

#include <array>
#include <vector>

#include "core/channels/CellEditRules.h"
#include "core/channels/ChannelCodec.h"
#include "core/channels/ChannelTable.h"
#include "core/channels/Csv.h"
#include "core/config/AsciiText.h"
#include "core/radio/ChannelTexts.h"
#include "core/radio/RadioImage.h"

namespace qx260
{

namespace
{

constexpr int kNoColumn = -1;

std::string trimmed(std::string_view text)
{
    const auto blank = [](char c) { return c == ' ' || c == '\t'; };
    while (!text.empty() && blank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && blank(text.back()))
        text.remove_suffix(1);
    return std::string(text);
}

// Table column of a header text in either language; kNoColumn when none.
int columnOfHeader(std::string_view header)
{
    for (int col = column::Channel; col <= column::Power; ++col)
        if (equalsIgnoringAsciiCase(header, columnHeader(col, false)) || header == columnHeader(col, true))
            return col;
    return kNoColumn;
}

std::string headerList()
{
    std::string out;
    for (int col = column::Channel; col <= column::Power; ++col)
        out += (col ? ", " : "") + columnHeader(col, false);
    return out;
}

// The cells a radio variant hides from the window and never stores.
bool hiddenByVariant(int col, int radioVariant)
{
    if (radioVariant == 1)
        return col == column::TxFrequency || col == column::EncodeTone;
    if (radioVariant == 2)
        return col == column::RxFrequency || col == column::DecodeTone;
    return false;
}

// "1".."16" written with digits only; 0 for anything else.
int channelNumber(const std::string& text)
{
    if (text.empty() || text.size() > 2)
        return 0;
    int n = 0;
    for (char c : text) {
        if (c < '0' || c > '9')
            return 0;
        n = n * 10 + (c - '0');
    }
    return n <= kChannelCount ? n : 0;
}

class Importer
{
  public:
    Importer(ChannelTable& table, BandLimits limits, bool languageFlag, int radioVariant)
        : table_(table), limits_(limits), languageFlag_(languageFlag), variant_(radioVariant)
    {
    }

    ChannelImportResult run(std::string_view csvText)
    {
        const CsvParseResult parsed = parseCsv(csvText);
        if (!parsed.ok())
            return failAt(parsed.errorLine, parsed.errorColumn, parsed.error);
        if (parsed.records.empty())
            return failAt(0, 0,
                          "the file is empty; its first line must be the header row (" + headerList() + ")");
        if (ChannelImportResult r = readHeader(parsed.records.front()); !r.ok())
            return r;

        std::array<int, kChannelCount + 1> seenOnLine{};
        int nextChannel = 1;
        for (std::size_t i = 1; i < parsed.records.size(); ++i) {
            const CsvRecord& record = parsed.records[i];
            std::array<std::string, ChannelTable::kCols> cells;
            std::array<const CsvField*, ChannelTable::kCols> fieldOf{};
            for (std::size_t f = 0; f < record.fields.size(); ++f) {
                const std::string text = trimmed(record.fields[f].text);
                if (f >= columns_.size()) {
                    if (!text.empty())
                        return failAt(record.fields[f].line, static_cast<int>(f) + 1,
                                      "this row has more fields than the header row has columns", "", text);
                    continue;
                }
                cells[static_cast<std::size_t>(columns_[f])] = text;
                fieldOf[static_cast<std::size_t>(columns_[f])] = &record.fields[f];
            }
            // Fields missing at the end of a short row count as empty; a row of nothing but
            // separators (spreadsheets write them below the data) is no channel.
            bool blankRow = true;
            for (const CsvField& f : record.fields)
                blankRow = blankRow && trimmed(f.text).empty();
            if (blankRow)
                continue;

            int channel = nextChannel;
            if (channelField_ > 0) {
                channel = channelNumber(cells[column::Channel]);
                if (channel == 0)
                    return failAt(record.line, channelField_, "the channel number must be 1 to 16",
                                  columnHeader(column::Channel, false), cells[column::Channel]);
            } else if (channel > kChannelCount) {
                return failAt(record.line, 0, "there are only 16 channels; this row is one too many");
            }
            if (seenOnLine[static_cast<std::size_t>(channel)] != 0)
                return failAt(record.line, channelField_,
                              "channel " + std::to_string(channel) + " was already given on line " +
                                  std::to_string(seenOnLine[static_cast<std::size_t>(channel)]),
                              columnHeader(column::Channel, false), cells[column::Channel]);
            seenOnLine[static_cast<std::size_t>(channel)] = record.line;
            nextChannel = channel + 1;

            currentLine_ = record.line;
            currentFields_ = fieldOf;
            if (ChannelImportResult r = applyRow(channel, cells); !r.ok())
                return r;
        }
        result_.changedChannels = static_cast<int>(result_.changed.size());
        return result_;
    }

  private:
    ChannelImportResult failAt(int line, int field, const std::string& message,
                               const std::string& header = {}, const std::string& value = {},
                               int messageId = 0)
    {
        ChannelImportResult r;
        r.failed = true;
        r.error = {line, field, header, value, messageId, message};
        return r;
    }

    // Fails at the field of table column col in the current row.
    ChannelImportResult failAtCell(int col, const std::string& value, const std::string& message,
                                   int messageId = 0)
    {
        const CsvField* f = currentFields_[static_cast<std::size_t>(col)];
        return failAt(f ? f->line : currentLine_, fieldNumber_[static_cast<std::size_t>(col)], message,
                      columnHeader(col, false), value, messageId);
    }

    ChannelImportResult readHeader(const CsvRecord& header)
    {
        fieldNumber_.fill(0);
        for (std::size_t f = 0; f < header.fields.size(); ++f) {
            const std::string name = trimmed(header.fields[f].text);
            const int col = columnOfHeader(name);
            const int number = static_cast<int>(f) + 1;
            if (col == kNoColumn)
                return failAt(header.line, number,
                              "\"" + name + "\" is not a column; the columns are " + headerList());
            if (fieldNumber_[static_cast<std::size_t>(col)] != 0)
                return failAt(header.line, number,
                              "the column \"" + columnHeader(col, false) + "\" is there twice");
            fieldNumber_[static_cast<std::size_t>(col)] = number;
            columns_.push_back(col);
        }
        channelField_ = fieldNumber_[column::Channel];
        const int needed = variant_ == 2 ? column::TxFrequency : column::RxFrequency;
        if (fieldNumber_[static_cast<std::size_t>(needed)] == 0)
            return failAt(header.line, 0,
                          "the header row has no \"" + columnHeader(needed, false) + "\" column");
        return {};
    }

    void clearRow(int r)
    {
        for (int c = column::RxFrequency; c <= column::Power; ++c)
            table_.setTextMatrix(r, c, std::string());
    }

    // Commits text into (r, col) as the window does; a refusal becomes the import's error.
    ChannelImportResult commit(int r, int col, const std::string& text, CommitTrigger trigger)
    {
        table_.moveTo(r, col);
        const CommitOutcome outcome = commitEdit(table_, col, text, trigger, limits_, languageFlag_);
        if (!outcome.ok())
            return failAtCell(col, text, cellEditMessageFallback(outcome.rejectedWithMessageId),
                              outcome.rejectedWithMessageId);
        return {};
    }

    ChannelImportResult applyRow(int r, const std::array<std::string, ChannelTable::kCols>& cells)
    {
        for (int col = column::RxFrequency; col <= column::Power; ++col)
            if (hiddenByVariant(col, variant_) && !cells[static_cast<std::size_t>(col)].empty())
                return failAtCell(col, cells[static_cast<std::size_t>(col)],
                                  "radio variant " + std::to_string(variant_) +
                                      " does not use this column; leave it empty");

        std::array<std::string, ChannelTable::kCols> before;
        bool unchanged = true;
        for (int col = column::RxFrequency; col <= column::Power; ++col) {
            before[static_cast<std::size_t>(col)] = table_.textMatrix(r, col);
            if (before[static_cast<std::size_t>(col)] != cells[static_cast<std::size_t>(col)])
                unchanged = false;
        }
        if (unchanged)
            return {}; // a row the user left alone

        const std::string& rx = cells[column::RxFrequency];
        const std::string& tx = cells[column::TxFrequency];
        const bool usesRx = !hiddenByVariant(column::RxFrequency, variant_);
        const bool usesTx =
            !hiddenByVariant(column::TxFrequency, variant_) && fieldNumber_[column::TxFrequency] != 0;
        if ((!usesRx || rx.empty()) && (!usesTx || tx.empty())) {
            clearRow(r);
        } else {
            if (usesRx && rx != table_.textMatrix(r, column::RxFrequency)) {
                if (rx.empty())
                    clearRow(r); // erased Rx: the channel goes; its Tx comes back below
                else if (ChannelImportResult res = commit(r, column::RxFrequency, rx, CommitTrigger::Enter);
                         !res.ok())
                    return res;
            }
            if (usesTx && tx != table_.textMatrix(r, column::TxFrequency)) {
                // A Tx frequency for a channel without any frequency is taken as when the user
                // types it and moves to another cell: a new channel with only a Tx side.
                const bool noChannel = table_.textMatrix(r, column::RxFrequency).empty() &&
                                       table_.textMatrix(r, column::TxFrequency).empty();
                if (ChannelImportResult res =
                        commit(r, column::TxFrequency, tx,
                               noChannel ? CommitTrigger::LeaveCell : CommitTrigger::Enter);
                    !res.ok())
                    return res;
            }
            for (int col = column::DecodeTone; col <= column::Power; ++col) {
                const std::string& text = cells[static_cast<std::size_t>(col)];
                if (hiddenByVariant(col, variant_) || text.empty() || text == table_.textMatrix(r, col))
                    continue;
                const TypedChoice choice = typedListChoice(col, text, languageFlag_);
                if (choice.item.empty()) {
                    const bool tone = col == column::DecodeTone || col == column::EncodeTone;
                    return failAtCell(
                        col, text,
                        choice.notANumber ? "not a number of hertz; write tones with a point as the decimal "
                                            "separator, such as 67.0"
                        : tone
                            ? "not in the tone list (None, 67.0 ... 254.1, D023N ... D754N, D023I ... D754I)"
                            : "not one of the choices of \"" + columnHeader(col, false) + "\"");
                }
                if (ChannelImportResult res = commit(r, col, choice.item, CommitTrigger::Enter); !res.ok())
                    return res;
            }
        }

        for (int col = column::RxFrequency; col <= column::Power; ++col) {
            if (table_.textMatrix(r, col) != before[static_cast<std::size_t>(col)]) {
                result_.changed.push_back(r);
                break;
            }
        }
        return {};
    }

    ChannelTable& table_;
    BandLimits limits_;
    bool languageFlag_;
    int variant_;
    std::vector<int> columns_;                           // table column of each file column
    std::array<int, ChannelTable::kCols> fieldNumber_{}; // file column of each table column, 0 = absent
    int channelField_ = 0;
    int currentLine_ = 0;
    std::array<const CsvField*, ChannelTable::kCols> currentFields_{};
    ChannelImportResult result_;
};

} // namespace

std::string exportChannelsCsv(const ChannelTable& table)
{
    std::vector<std::string> header;
    for (int col = column::Channel; col <= column::Power; ++col)
        header.push_back(columnHeader(col, false));
    std::string out = csvRecord(header);
    for (int r = 1; r <= kChannelCount; ++r) {
        std::vector<std::string> row{std::to_string(r)};
        for (int col = column::RxFrequency; col <= column::Power; ++col)
            row.push_back(table.textMatrix(r, col));
        out += csvRecord(row);
    }
    return out;
}

ChannelImportResult importChannelsCsv(ChannelTable& table, std::string_view csvText, BandLimits limits,
                                      bool languageFlag, int radioVariant)
{
    return Importer(table, limits, languageFlag, radioVariant).run(csvText);
}

void storeChangedChannels(ChannelTable& table, const ChannelImportResult& result, RadioImage& image,
                          int radioVariant)
{
    RadioImage encoded = image;
    encodeTable(table, encoded, radioVariant);
    for (int n : result.changed) {
        for (int k = 0; k < kChannelRecordSize; ++k)
            image.setChannelByte(n, k, encoded.channelByte(n, k));
        image.setScan(n, encoded.scan(n));
    }
}

} // namespace qx260
