// The channel files of both layouts read and written; see ChannelCsv.h.

#include "core/channels/ChannelCsv.h"

#include <array>
#include <filesystem>
#include <vector>

#include "core/channels/CellEditRules.h"
#include "core/channels/ChannelCodec.h"
#include "core/channels/ChannelTable.h"
#include "core/channels/CommonChannelLayout.h"
#include "core/channels/Csv.h"
#include "core/channels/SpreadsheetValues.h"
#include "core/config/AsciiText.h"
#include "core/config/FileAccess.h"
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

std::string headerList(bool chinese)
{
    std::string out;
    for (int col = column::Channel; col <= column::Power; ++col)
        out += (col ? ", " : "") + columnHeader(col, chinese);
    return out;
}

bool isToneColumn(int col)
{
    return col == column::DecodeTone || col == column::EncodeTone;
}

bool isFrequencyColumn(int col)
{
    return col == column::RxFrequency || col == column::TxFrequency;
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

// Where a cell's text came from in the file, for messages about it.
struct CellSource {
    int line = 0;
    int field = 0; // file column from 1; 0: none
    std::string header;
    std::string value; // the file's own text
    std::string note;  // what the cell was made of, put before the message
};

// One row of the file as the table's cell texts (columns 1..8).
struct RowCells {
    std::array<std::string, ChannelTable::kCols> cells;
    std::array<CellSource, ChannelTable::kCols> sources;
    bool noTransmit = false; // a receive side only, made as the window makes one
};

class Importer
{
  public:
    Importer(ChannelTable& table, const ChannelRowsInput& input, BandLimits limits, bool languageFlag,
             int radioVariant)
        : table_(table), input_(input), limits_(limits), languageFlag_(languageFlag), variant_(radioVariant),
          zh_(input.chineseMessages)
    {
    }

    ChannelImportResult run()
    {
        const char separator = input_.separator ? input_.separator : csvSeparatorOf(input_.text);
        decimalComma_ = separator == ';';
        const CsvParseResult parsed = parseCsv(input_.text, separator);
        if (!parsed.ok())
            return failAt(parsed.errorLine, parsed.errorColumn, parseMessage(parsed));
        if (parsed.records.empty())
            return failAt(0, 0,
                          words("the file is empty; its first line must be the header row (",
                                "文件是空的；第一行必须是标题行（") +
                              headerList(zh_) + words(")", "）"));
        std::size_t first = 0;
        if (ChannelImportResult r = readHeader(parsed.records.front(), first); !r.ok())
            return r;

        std::array<int, kChannelCount + 1> seenOnLine{};
        int nextChannel = input_.firstChannel > 0 ? input_.firstChannel : 1;
        for (std::size_t i = first; i < parsed.records.size(); ++i) {
            const CsvRecord& record = parsed.records[i];
            RowCells row;
            std::string channelText;
            bool blankRow = true;
            for (const CsvField& f : record.fields)
                blankRow = blankRow && trimmed(f.text).empty();
            // A row of nothing but separators (spreadsheets write them below the data) is no
            // channel in a file; among rows pasted it is an empty channel.
            if (blankRow && input_.firstChannel == 0)
                continue;
            const bool numbered = input_.firstChannel == 0 && !input_.renumber && channelField_ > 0;
            currentChannel_ = numbered || nextChannel > kChannelCount ? 0 : nextChannel;
            currentLine_ = record.line;
            if (!blankRow) {
                if (ChannelImportResult r = layout_ == ChannelCsvLayout::Common
                                                ? commonRow(record, row, channelText)
                                                : programRow(record, row, channelText);
                    !r.ok())
                    return r;
            }

            int channel = nextChannel;
            if (numbered) {
                channel = channelNumber(channelText);
                if (channel == 0) {
                    ChannelImportResult r = failAt(
                        record.line, channelField_,
                        layout_ == ChannelCsvLayout::Common
                            ? words("the location must be a channel 1 to 16 (this radio has 16 channels)",
                                    "位置必须是 1 到 16 的信道（本电台有 16 个信道）")
                            : words("the channel number must be 1 to 16", "信道号必须是 1 到 16"),
                        channelHeader_, channelText);
                    r.error.badLocation = true;
                    return r;
                }
            } else if (channel > kChannelCount) {
                return failAt(record.line, 0,
                              input_.firstChannel > 0
                                  ? words("the rows run past channel 16", "粘贴的行超出了第 16 信道")
                                  : words("there are only 16 channels; this row is one too many",
                                          "只有 16 个信道；这一行多出来了"));
            }
            if (seenOnLine[static_cast<std::size_t>(channel)] != 0)
                return failAt(record.line, channelField_,
                              words("channel ", "信道 ") + std::to_string(channel) +
                                  words(" was already given on line ", " 已在第 ") +
                                  std::to_string(seenOnLine[static_cast<std::size_t>(channel)]) +
                                  words("", " 行给出"),
                              channelHeader_, channelText);
            seenOnLine[static_cast<std::size_t>(channel)] = record.line;
            nextChannel = channel + 1;

            currentChannel_ = channel;
            if (ChannelImportResult r = applyRow(channel, row); !r.ok())
                return r;
            ++result_.rows;
        }
        result_.changedChannels = static_cast<int>(result_.changed.size());
        result_.layout = layout_;
        addNotes();
        return result_;
    }

  private:
    std::string words(const char* english, const char* chinese) const { return zh_ ? chinese : english; }

    std::string parseMessage(const CsvParseResult& parsed) const
    {
        switch (parsed.kind) {
        case CsvError::NotUtf8:
            return words("the file is not UTF-8 text; save it as CSV in UTF-8",
                         "文件不是 UTF-8 文本；请以 UTF-8 编码另存为 CSV");
        case CsvError::UnclosedQuote:
            return words("a quoted field is not closed (a \" is missing)",
                         "引号中的字段没有结束（缺少一个 \"）");
        case CsvError::TextAfterQuote:
            return words("text follows the closing \" of a quoted field",
                         "引号中的字段在结束的 \" 之后还有文字");
        case CsvError::None:
            break;
        }
        return parsed.error;
    }

    ChannelImportResult failAt(int line, int field, const std::string& message,
                               const std::string& header = {}, const std::string& value = {},
                               int messageId = 0)
    {
        ChannelImportResult r;
        r.failed = true;
        r.error = {line, field, header, value, messageId, message, {}, currentChannel_, false};
        return r;
    }

    // Fails at the place the cell of table column col came from.
    ChannelImportResult failAtCell(const RowCells& row, int col, const std::string& value,
                                   const std::string& message, int messageId = 0)
    {
        const CellSource& s = row.sources[static_cast<std::size_t>(col)];
        ChannelImportResult r = failAt(s.line ? s.line : currentLine_, s.field, message,
                                       s.header.empty() ? columnHeader(col, zh_) : s.header,
                                       s.value.empty() ? value : s.value, messageId);
        r.error.note = s.note;
        return r;
    }

    // The first record is the header row, or (when it may be left out and names no column)
    // the first row, in the columns the window shows.
    ChannelImportResult readHeader(const CsvRecord& header, std::size_t& firstRow)
    {
        std::vector<std::string> names;
        bool namesAColumn = false;
        for (const CsvField& f : header.fields) {
            names.push_back(trimmed(f.text));
            namesAColumn = namesAColumn || columnOfHeader(names.back()) != kNoColumn;
        }
        firstRow = 1;
        if (isCommonLayoutHeader(names))
            return readCommonHeader(header, names);
        if (!namesAColumn && input_.headerOptional) {
            firstRow = 0;
            headerless_ = true;
            const std::array<int, 9> widths = columnWidthsForVariant(variant_);
            for (int col = column::RxFrequency; col <= column::Power; ++col)
                if (widths[static_cast<std::size_t>(col)] > 0)
                    columns_.push_back(col);
            for (std::size_t f = 0; f < columns_.size(); ++f)
                fieldNumber_[static_cast<std::size_t>(columns_[f])] = static_cast<int>(f) + 1;
            return {};
        }
        return readProgramHeader(header, names);
    }

    ChannelImportResult readProgramHeader(const CsvRecord& header, const std::vector<std::string>& names)
    {
        for (std::size_t f = 0; f < names.size(); ++f) {
            const std::string& name = names[f];
            const int col = columnOfHeader(name);
            const int number = static_cast<int>(f) + 1;
            if (col == kNoColumn)
                return failAt(
                    header.line, number,
                    "\"" + name + words("\" is not a column; the columns are ", "\" 不是一列；列为 ") +
                        headerList(zh_) +
                        words(" (or those of the common channel-list layout: Location, Frequency, ...)",
                              "（或通用信道表格式的列：Location、Frequency ……）"));
            if (fieldNumber_[static_cast<std::size_t>(col)] != 0)
                return failAt(header.line, number,
                              words("the column \"", "列 \"") + columnHeader(col, zh_) +
                                  words("\" is there twice", "\" 出现了两次"));
            fieldNumber_[static_cast<std::size_t>(col)] = number;
            columns_.push_back(col);
        }
        channelField_ = fieldNumber_[column::Channel];
        channelHeader_ = columnHeader(column::Channel, zh_);
        const int needed = variant_ == 2 ? column::TxFrequency : column::RxFrequency;
        if (fieldNumber_[static_cast<std::size_t>(needed)] == 0)
            return failAt(header.line, 0,
                          words("the header row has no \"", "标题行没有 \"") + columnHeader(needed, zh_) +
                              words("\" column", "\" 列"));
        return {};
    }

    ChannelImportResult readCommonHeader(const CsvRecord& header, const std::vector<std::string>& names)
    {
        layout_ = ChannelCsvLayout::Common;
        commonFieldNumber_.fill(0);
        for (std::size_t f = 0; f < names.size(); ++f) {
            const CommonField field = commonFieldOfHeader(names[f]);
            const int number = static_cast<int>(f) + 1;
            commonFields_.push_back(field);
            if (field == CommonField::Ignored) {
                if (!names[f].empty())
                    ignored_.push_back(names[f]);
                continue;
            }
            int& seen = commonFieldNumber_[static_cast<std::size_t>(field)];
            if (seen != 0)
                return failAt(header.line, number,
                              words("the column \"", "列 \"") + commonFieldName(field) +
                                  words("\" is there twice", "\" 出现了两次"));
            seen = number;
        }
        channelField_ = commonFieldNumber_[static_cast<std::size_t>(CommonField::Location)];
        channelHeader_ = commonFieldName(CommonField::Location);
        if (commonFieldNumber_[static_cast<std::size_t>(CommonField::Frequency)] == 0)
            return failAt(header.line, 0,
                          words("the header row has no \"Frequency\" column", "标题行没有 \"Frequency\" 列"));
        return {};
    }

    // A number field: a decimal comma is a point in a file separated by ';' and refused
    // anywhere else (a frequency "145,125" would otherwise read as 145).
    ChannelImportResult numberText(std::string& text, const CellSource& source)
    {
        if (decimalComma_) {
            text = withDecimalPoint(text);
        } else if (hasDecimalComma(text)) {
            return failAt(source.line, source.field,
                          words("use a point as the decimal separator: write ", "小数点须为 \".\"：请写作 ") +
                              withDecimalPoint(text),
                          source.header, text);
        }
        return {};
    }

    ChannelImportResult programRow(const CsvRecord& record, RowCells& row, std::string& channelText)
    {
        for (std::size_t f = 0; f < record.fields.size(); ++f) {
            std::string text = trimmed(record.fields[f].text);
            if (f >= columns_.size()) {
                if (!text.empty())
                    return failAt(record.fields[f].line, static_cast<int>(f) + 1,
                                  headerless_
                                      ? words("this row has more fields than the window shows columns; "
                                              "copy the header line with the rows",
                                              "这一行的字段比窗口显示的列多；请连同标题行一起复制")
                                      : words("this row has more fields than the header row has columns",
                                              "这一行的字段比标题行的列多"),
                                  "", text);
                continue;
            }
            const int col = columns_[f];
            const CellSource source{
                record.fields[f].line, static_cast<int>(f) + 1, columnHeader(col, zh_), text, {}};
            if (col == column::Channel) {
                channelText = text;
                continue;
            }
            if (isFrequencyColumn(col) || isToneColumn(col))
                if (ChannelImportResult r = numberText(text, source); !r.ok())
                    return r;
            if (isToneColumn(col))
                text = toneListText(text);
            row.cells[static_cast<std::size_t>(col)] = text;
            row.sources[static_cast<std::size_t>(col)] = source;
        }
        // Fields missing at the end of a short row count as empty.
        for (int col = column::RxFrequency; col <= column::Power; ++col)
            if (row.sources[static_cast<std::size_t>(col)].field == 0)
                row.sources[static_cast<std::size_t>(col)] = {
                    record.line, fieldNumber_[static_cast<std::size_t>(col)], columnHeader(col, zh_), {}, {}};
        return {};
    }

    ChannelImportResult commonRow(const CsvRecord& record, RowCells& row, std::string& channelText)
    {
        CommonRowValues values;
        std::array<CellSource, kCommonFieldCount> sources;
        for (std::size_t i = 0; i < kCommonFieldCount; ++i) {
            const auto field = static_cast<CommonField>(i);
            sources[i] = {record.line, commonFieldNumber_[i], commonFieldName(field), {}, {}};
        }
        for (std::size_t f = 0; f < record.fields.size() && f < commonFields_.size(); ++f) {
            const CommonField field = commonFields_[f];
            if (field == CommonField::Ignored)
                continue;
            const auto i = static_cast<std::size_t>(field);
            std::string text = trimmed(record.fields[f].text);
            sources[i].line = record.fields[f].line;
            sources[i].value = text;
            if (field == CommonField::Frequency || field == CommonField::Offset ||
                field == CommonField::RToneFreq || field == CommonField::CToneFreq)
                if (ChannelImportResult r = numberText(text, sources[i]); !r.ok())
                    return r;
            values[i] = text;
        }
        channelText = values[static_cast<std::size_t>(CommonField::Location)];

        const CommonRowCells cells = commonRowToCells(values, variant_, zh_);
        if (!cells.ok()) {
            const CellSource& s = sources[static_cast<std::size_t>(cells.failedField)];
            return failAt(s.line, s.field, cells.message, s.header, s.value);
        }
        for (int col = column::RxFrequency; col <= column::Power; ++col) {
            const auto c = static_cast<std::size_t>(col);
            row.cells[c] = cells.cells[c];
            row.sources[c] = sources[static_cast<std::size_t>(cells.sources[c].field)];
            row.sources[c].note = cells.sources[c].note;
        }
        row.noTransmit = cells.noTransmit;
        sideLeftOut_ = sideLeftOut_ || cells.sideLeftOut;
        return {};
    }

    void clearRow(int r)
    {
        for (int c = column::RxFrequency; c <= column::Power; ++c)
            table_.setTextMatrix(r, c, std::string());
    }

    // Commits text into (r, col) as the window does; a refusal becomes the import's error.
    ChannelImportResult commit(const RowCells& row, int r, int col, const std::string& text,
                               CommitTrigger trigger)
    {
        table_.moveTo(r, col);
        const CommitOutcome outcome = commitEdit(table_, col, text, trigger, limits_, languageFlag_);
        if (!outcome.ok())
            return failAtCell(row, col, text, cellEditMessageFallback(outcome.rejectedWithMessageId),
                              outcome.rejectedWithMessageId);
        return {};
    }

    // A receive side only: typed into an empty row and left without Enter, as the window
    // makes such a channel. The settings the row does not give stay as the channel had them.
    ChannelImportResult applyReceiveOnly(const RowCells& row, int r,
                                         const std::array<std::string, ChannelTable::kCols>& before)
    {
        clearRow(r);
        if (ChannelImportResult res =
                commit(row, r, column::RxFrequency, row.cells[column::RxFrequency], CommitTrigger::LeaveCell);
            !res.ok())
            return res;
        for (int col : {column::BusyLock, column::Power})
            if (!before[static_cast<std::size_t>(col)].empty())
                table_.setTextMatrix(r, col, before[static_cast<std::size_t>(col)]);
        return {};
    }

    ChannelImportResult applyRow(int r, const RowCells& row)
    {
        const auto& cells = row.cells;
        for (int col = column::RxFrequency; col <= column::Power; ++col)
            if (hiddenByVariant(col, variant_) && !cells[static_cast<std::size_t>(col)].empty())
                return failAtCell(
                    row, col, cells[static_cast<std::size_t>(col)],
                    words("radio variant ", "电台类型 ") + std::to_string(variant_) +
                        words(" does not use this column; leave it empty", " 不使用这一列；请留空"));

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
        // A row of the common layout always says how the channel transmits.
        const bool usesTx = !hiddenByVariant(column::TxFrequency, variant_) &&
                            (layout_ == ChannelCsvLayout::Common || fieldNumber_[column::TxFrequency] != 0);
        if ((!usesRx || rx.empty()) && (!usesTx || tx.empty())) {
            clearRow(r);
        } else if (row.noTransmit && usesTx) {
            if (table_.textMatrix(r, column::RxFrequency) != rx ||
                !table_.textMatrix(r, column::TxFrequency).empty())
                if (ChannelImportResult res = applyReceiveOnly(row, r, before); !res.ok())
                    return res;
        } else {
            if (usesRx && rx != table_.textMatrix(r, column::RxFrequency)) {
                if (rx.empty())
                    clearRow(r); // erased Rx: the channel goes; its Tx comes back below
                else if (ChannelImportResult res =
                             commit(row, r, column::RxFrequency, rx, CommitTrigger::Enter);
                         !res.ok())
                    return res;
            }
            if (usesTx && tx != table_.textMatrix(r, column::TxFrequency)) {
                // A Tx frequency for a channel without any frequency is taken as when the user
                // types it and moves to another cell: a new channel with only a Tx side.
                const bool noChannel = table_.textMatrix(r, column::RxFrequency).empty() &&
                                       table_.textMatrix(r, column::TxFrequency).empty();
                if (ChannelImportResult res =
                        commit(row, r, column::TxFrequency, tx,
                               noChannel ? CommitTrigger::LeaveCell : CommitTrigger::Enter);
                    !res.ok())
                    return res;
            }
        }
        if (!table_.textMatrix(r, column::RxFrequency).empty() ||
            !table_.textMatrix(r, column::TxFrequency).empty())
            if (ChannelImportResult res = applySettings(r, row); !res.ok())
                return res;

        for (int col = column::RxFrequency; col <= column::Power; ++col) {
            if (table_.textMatrix(r, col) != before[static_cast<std::size_t>(col)]) {
                result_.changed.push_back(r);
                break;
            }
        }
        return {};
    }

    // The list columns of a channel that has a frequency.
    ChannelImportResult applySettings(int r, const RowCells& row)
    {
        for (int col = column::DecodeTone; col <= column::Power; ++col) {
            const std::string& text = row.cells[static_cast<std::size_t>(col)];
            if (hiddenByVariant(col, variant_) || text.empty() || text == table_.textMatrix(r, col))
                continue;
            const TypedChoice choice = typedListChoice(col, text, languageFlag_);
            if (choice.item.empty())
                return failAtCell(
                    row, col, text,
                    choice.notANumber
                        ? words("not a number of hertz; write tones with a point as the decimal separator, "
                                "such as 67.0",
                                "不是赫兹数；亚音请用小数点书写，例如 67.0")
                    : isToneColumn(col)
                        ? words("not in the tone list (None, 67.0 ... 254.1, D023N ... D754N, D023I "
                                "... D754I)",
                                "不在亚音列表中（无、67.0 … 254.1、D023N … D754N、D023I … D754I）")
                        : words("not one of the choices of \"", "不是 \"") + columnHeader(col, zh_) +
                              words("\"", "\" 的选项之一"));
            if (ChannelImportResult res = commit(row, r, col, choice.item, CommitTrigger::Enter); !res.ok())
                return res;
        }
        return {};
    }

    void addNotes()
    {
        if (!ignored_.empty()) {
            std::string list;
            for (const std::string& name : ignored_)
                list += (list.empty() ? "" : ", ") + name;
            result_.notes.push_back(words("Ignored columns (this radio keeps no such values): ",
                                          "已忽略的列（本电台不保存这些值）：") +
                                    list);
        }
        if (sideLeftOut_)
            result_.notes.push_back(
                variant_ == 1
                    ? words("Radio variant 1 keeps the receive side only: the transmit frequencies and "
                            "encode tones of the file were not imported.",
                            "电台类型 1 只保存接收一侧：文件中的发射频率和编码亚音没有导入。")
                    : words("Radio variant 2 keeps the transmit side only: the receive frequencies and "
                            "decode tones of the file were not imported.",
                            "电台类型 2 只保存发射一侧：文件中的接收频率和解码亚音没有导入。"));
    }

    ChannelTable& table_;
    const ChannelRowsInput& input_;
    BandLimits limits_;
    bool languageFlag_;
    int variant_;
    bool zh_;
    ChannelCsvLayout layout_ = ChannelCsvLayout::Program;
    bool decimalComma_ = false;
    bool headerless_ = false;  // rows pasted without a header line, in the columns the window shows
    std::vector<int> columns_; // program layout: table column of each file column
    std::array<int, ChannelTable::kCols> fieldNumber_{}; // file column of each table column, 0 = absent
    std::vector<CommonField> commonFields_;              // common layout: field of each file column
    std::array<int, kCommonFieldCount> commonFieldNumber_{};
    std::vector<std::string> ignored_; // common layout: the columns not read
    bool sideLeftOut_ = false;
    int channelField_ = 0;
    std::string channelHeader_;
    int currentLine_ = 0;
    int currentChannel_ = 0;
    ChannelImportResult result_;
};

} // namespace

std::string exportChannelsCsv(const ChannelTable& table, ChannelCsvLayout layout)
{
    if (layout == ChannelCsvLayout::Common) {
        std::string out = csvRecord(commonLayoutHeader());
        for (int r = 1; r <= kChannelCount; ++r)
            if (const std::vector<std::string> row = commonRowOfChannel(table, r); !row.empty())
                out += csvRecord(row);
        return out;
    }
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

ChannelImportResult importChannelRows(ChannelTable& table, const ChannelRowsInput& input, BandLimits limits,
                                      bool languageFlag, int radioVariant)
{
    return Importer(table, input, limits, languageFlag, radioVariant).run();
}

ChannelImportResult importChannelsCsv(ChannelTable& table, std::string_view csvText, BandLimits limits,
                                      bool languageFlag, int radioVariant, bool renumber)
{
    ChannelRowsInput input;
    input.text = csvText;
    input.renumber = renumber;
    return importChannelRows(table, input, limits, languageFlag, radioVariant);
}

std::string importErrorText(const ChannelImportError& e, const std::string& place,
                            const std::string& windowMessage, bool chinese)
{
    std::string where;
    if (!place.empty()) {
        where = place;
        if (e.line > 0)
            where += ":" + std::to_string(e.line);
        if (e.field > 0)
            where += (chinese ? ": 第 " : ": column ") + std::to_string(e.field) + (chinese ? " 列" : "") +
                     (e.header.empty() ? "" : " (" + e.header + ")");
    } else if (e.channel > 0) {
        where = (chinese ? "信道 " : "Channel ") + std::to_string(e.channel) +
                (e.header.empty() ? "" : (chinese ? "，" : ", ") + e.header);
    } else {
        where = (chinese ? "第 " : "Line ") + std::to_string(e.line) + (chinese ? " 行" : "");
    }
    std::string what = e.messageId && !windowMessage.empty() ? windowMessage : e.message;
    if (!e.note.empty())
        what = e.note + ": " + what;
    if (!e.value.empty())
        what = "\"" + e.value + "\": " + what;
    return where + ": " + what;
}

ChannelFileRead readChannelListFile(const std::string& path, bool chinese)
{
    // A channel list is a few kilobytes; a pipe, a device or anything far larger is not one.
    const FileReadResult read = readWholeFile(path, kMaxTextFileSize);
    if (read.kind == FileResult::Kind::TooLarge)
        return {{},
                path + (chinese ? " 大于 1 MB，不是信道表"
                                : " is larger than 1 MB and so not a list of 16 channels")};
    if (!read.ok())
        return {{}, (chinese ? "无法打开 " : "cannot open ") + path + ": " + read.reason};
    return {std::string(read.bytes.begin(), read.bytes.end()), {}};
}

FileResult writeChannelListFile(const std::string& path, std::string_view text)
{
    return replaceFile(path, text);
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
