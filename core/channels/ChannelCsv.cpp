// The channel files of both layouts read and written; see ChannelCsv.h.

#include "core/channels/ChannelCsv.h"

#include <array>
#include <optional>
#include <vector>

#include "core/channels/ChannelEditing.h"
#include "core/channels/ChannelFields.h"
#include "core/channels/CommonChannelLayout.h"
#include "core/channels/Csv.h"
#include "core/channels/SpreadsheetValues.h"
#include "core/config/AsciiText.h"
#include "core/config/FileAccess.h"
#include "core/config/Texts.h"
#include "core/radio/ChannelTexts.h"
#include "core/radio/Decimal.h"

namespace qx260
{

namespace
{

constexpr int kNoColumn = -1;
constexpr int kChannelColumn = 0; // CH, before the fields' columns 1..8

std::size_t at(ChannelField field)
{
    return static_cast<std::size_t>(columnOf(field) - 1);
}

// Column (0 for CH, else a field's) of a header text in either language; kNoColumn when none.
int columnOfHeader(std::string_view header)
{
    for (int col = kChannelColumn; col <= columnOf(ChannelField::Power); ++col)
        if (equalsIgnoringAsciiCase(header, columnHeader(col, Language::English)) ||
            header == columnHeader(col, Language::Chinese))
            return col;
    return kNoColumn;
}

std::string headerList(Language language)
{
    std::string out;
    for (int col = kChannelColumn; col <= columnOf(ChannelField::Power); ++col)
        out += (col ? ", " : "") + columnHeader(col, language);
    return out;
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

// Whether text is what the field shows, in either language.
bool showsAs(const Channel& channel, ChannelField field, std::string_view text)
{
    return text == fieldText(channel, field, Language::English) ||
           text == fieldText(channel, field, Language::Chinese);
}

// Whether text is a plain number that is exactly what the frequency holds ("170.000000" for
// 170.00000), wherever it lies: a value the file restates is no value typed anew.
bool showsFrequency(const Frequency& frequency, std::string_view text)
{
    if (text == frequencyText(frequency))
        return true;
    const std::optional<std::uint32_t> units = frequency.units();
    const std::optional<double> value = parsePlainDecimal(text);
    // a digit finer than 10 Hz is a different frequency, refused where it is taken
    return units && value && !hasDigitsBeyond(text, 5) &&
           scaleExact(*value, 5) == std::optional<std::int64_t>(*units);
}

// Whether text restates what field of the channel holds.
bool restates(const Channel& channel, ChannelField field, std::string_view text)
{
    if (field == ChannelField::RxFrequency)
        return showsFrequency(channel.rx, text);
    if (field == ChannelField::TxFrequency)
        return showsFrequency(channel.tx, text);
    return showsAs(channel, field, text);
}

// Sets the field to value, or to the form keepFormOf stores it in when that reads the same,
// so that a value the file restates keeps its stored bytes.
void takeValue(Channel& channel, ChannelField field, const FieldValue& value, const Channel& keepFormOf)
{
    Channel probe = keepFormOf;
    setField(probe, field, value);
    const bool same =
        fieldText(probe, field, Language::English) == fieldText(keepFormOf, field, Language::English);
    setField(channel, field, same ? fieldValue(keepFormOf, field) : value);
}

// Where a field's text came from in the file, for messages about it.
struct CellSource {
    int line = 0;
    int field = 0; // file column from 1; 0: none
    std::string header;
    std::string value; // the file's own text
    std::string note;  // what the text was made of, put before the message
};

// One row of the file as the texts of a channel's fields, at [columnOf(field) - 1].
struct RowTexts {
    std::array<std::optional<std::string>, kChannelFields.size()> texts; // none: the row says nothing
    std::array<CellSource, kChannelFields.size()> sources;
    bool noTransmit = false; // a receive side only, made as the window makes one
};

class Importer
{
  public:
    Importer(const ChannelList& current, const ChannelRowsInput& input, BandLimits limits, int radioVariant,
             Language language)
        : current_(current), input_(input), limits_(limits), variant_(radioVariant), language_(language)
    {
        result_.channels = current;
    }

    ChannelImportResult run()
    {
        const char separator = input_.separator ? input_.separator : csvSeparatorOf(input_.text);
        decimalComma_ = separator == ';';
        const CsvParseResult parsed = parseCsv(input_.text, separator);
        if (!parsed.ok())
            return failAt(parsed.errorLine, parsed.errorColumn, parseMessage(parsed));
        if (parsed.records.empty())
            return failAt(0, 0, text(Text::FileEmpty, {headerList(language_)}));
        std::size_t first = 0;
        if (ChannelImportResult r = readHeader(parsed.records.front(), first); !r.ok())
            return r;

        std::array<int, kChannelCount + 1> seenOnLine{};
        int nextChannel = input_.firstChannel > 0 ? input_.firstChannel : 1;
        for (std::size_t i = first; i < parsed.records.size(); ++i) {
            const CsvRecord& record = parsed.records[i];
            RowTexts row;
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
                    ChannelImportResult r =
                        failAt(record.line, channelField_,
                               text(layout_ == ChannelCsvLayout::Common ? Text::LocationNotOneTo16
                                                                        : Text::ChannelNotOneTo16),
                               channelHeader_, channelText);
                    r.error.badLocation = true;
                    return r;
                }
            } else if (channel > kChannelCount) {
                return failAt(record.line, 0,
                              text(input_.firstChannel > 0 ? Text::RowsPastChannel16 : Text::RowTooMany));
            }
            if (const int seen = seenOnLine[static_cast<std::size_t>(channel)]; seen != 0)
                return failAt(record.line, channelField_,
                              text(Text::ChannelGivenTwice, {std::to_string(channel), std::to_string(seen)}),
                              channelHeader_, channelText);
            seenOnLine[static_cast<std::size_t>(channel)] = record.line;
            nextChannel = channel + 1;

            currentChannel_ = channel;
            if (ChannelImportResult r = applyRow(channel, row); !r.ok())
                return r;
            ++result_.rows;
        }
        result_.layout = layout_;
        addNotes();
        return result_;
    }

  private:
    std::string text(Text id, std::initializer_list<std::string> args = {}) const
    {
        return formatText(id, language_, args);
    }

    std::string parseMessage(const CsvParseResult& parsed) const
    {
        switch (parsed.kind) {
        case CsvError::NotUtf8:
            return text(Text::CsvNotUtf8);
        case CsvError::Utf16:
            return text(Text::CsvUtf16);
        case CsvError::UnclosedQuote:
            return text(Text::CsvUnclosedQuote);
        case CsvError::TextAfterQuote:
            return text(Text::CsvTextAfterQuote);
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
        r.channels = current_;
        r.failed = true;
        r.error = {line, field, header, value, messageId, message, {}, currentChannel_, false, {}};
        return r;
    }

    // Fails at the place the text of field came from.
    ChannelImportResult failAtField(const RowTexts& row, ChannelField field, const std::string& value,
                                    const std::string& message, int messageId = 0)
    {
        const CellSource& s = row.sources[at(field)];
        ChannelImportResult r = failAt(s.line ? s.line : currentLine_, s.field, message,
                                       s.header.empty() ? columnHeader(columnOf(field), language_) : s.header,
                                       s.value.empty() ? value : s.value, messageId);
        r.error.note = s.note;
        r.error.checked = value;
        return r;
    }

    // A value of field refused: the window's message for a frequency, the list's for the rest.
    ChannelImportResult refuse(const RowTexts& row, ChannelField field, const std::string& value,
                               FieldRefusal refusal)
    {
        const int id = refusalMessageId(refusal);
        const std::string message = fieldRefusalText(refusal, field, language_);
        return failAtField(row, field, value, message, id);
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
            // The columns the window shows: those of the channel and its tones the variant
            // keeps, W/N, and Scan unless the variant hides it.
            for (ChannelField field : kChannelFields)
                if (!hiddenByVariant(field, variant_) && columnOf(field) <= columnOf(ChannelField::Scan))
                    columns_.push_back(columnOf(field));
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
                return failAt(header.line, number,
                              text(Text::NotAColumn, {escapedControlBytes(name), headerList(language_)}));
            if (fieldNumber_[static_cast<std::size_t>(col)] != 0)
                return failAt(header.line, number, text(Text::ColumnTwice, {columnHeader(col, language_)}));
            fieldNumber_[static_cast<std::size_t>(col)] = number;
            columns_.push_back(col);
        }
        channelField_ = fieldNumber_[kChannelColumn];
        channelHeader_ = columnHeader(kChannelColumn, language_);
        const int needed = columnOf(variant_ == 2 ? ChannelField::TxFrequency : ChannelField::RxFrequency);
        if (fieldNumber_[static_cast<std::size_t>(needed)] == 0)
            return failAt(header.line, 0, text(Text::NoSuchColumn, {columnHeader(needed, language_)}));
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
                return failAt(header.line, number, text(Text::ColumnTwice, {commonFieldName(field)}));
            seen = number;
        }
        channelField_ = commonFieldNumber_[static_cast<std::size_t>(CommonField::Location)];
        channelHeader_ = commonFieldName(CommonField::Location);
        if (commonFieldNumber_[static_cast<std::size_t>(CommonField::Frequency)] == 0)
            return failAt(header.line, 0, text(Text::NoSuchColumn, {"Frequency"}));
        return {};
    }

    // A number field: a decimal comma is a point in a file separated by ';' and refused
    // anywhere else (a frequency "145,125" would otherwise read as 145).
    ChannelImportResult numberText(std::string& number, const CellSource& source)
    {
        if (decimalComma_)
            number = withDecimalPoint(number);
        else if (hasDecimalComma(number))
            return failAt(source.line, source.field, text(Text::DecimalComma, {withDecimalPoint(number)}),
                          source.header, number);
        return {};
    }

    ChannelImportResult programRow(const CsvRecord& record, RowTexts& row, std::string& channelText)
    {
        for (std::size_t f = 0; f < record.fields.size(); ++f) {
            std::string value = trimmed(record.fields[f].text);
            if (f >= columns_.size()) {
                if (!value.empty())
                    return failAt(record.fields[f].line, static_cast<int>(f) + 1,
                                  text(headerless_ ? Text::MoreFieldsThanShown : Text::MoreFieldsThanHeader),
                                  "", value);
                continue;
            }
            const int col = columns_[f];
            const CellSource source{
                record.fields[f].line, static_cast<int>(f) + 1, columnHeader(col, language_), value, {}};
            if (col == kChannelColumn) {
                channelText = value;
                continue;
            }
            const ChannelField field = *fieldOfColumn(col);
            if (isFrequencyField(field) || isToneField(field))
                if (ChannelImportResult r = numberText(value, source); !r.ok())
                    return r;
            row.texts[at(field)] = value;
            row.sources[at(field)] = source;
        }
        // Fields missing at the end of a short row count as empty.
        for (ChannelField field : kChannelFields) {
            const int number = fieldNumber_[static_cast<std::size_t>(columnOf(field))];
            if (number != 0 && !row.texts[at(field)]) {
                row.texts[at(field)] = std::string();
                row.sources[at(field)] = {
                    record.line, number, columnHeader(columnOf(field), language_), {}, {}};
            }
        }
        return {};
    }

    ChannelImportResult commonRow(const CsvRecord& record, RowTexts& row, std::string& channelText)
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
            std::string value = trimmed(record.fields[f].text);
            sources[i].line = record.fields[f].line;
            sources[i].value = value;
            if (field == CommonField::Frequency || field == CommonField::Offset ||
                field == CommonField::RToneFreq || field == CommonField::CToneFreq)
                if (ChannelImportResult r = numberText(value, sources[i]); !r.ok())
                    return r;
            values[i] = value;
        }
        channelText = values[static_cast<std::size_t>(CommonField::Location)];

        const CommonRowFields fields = commonRowToFields(values, language_);
        if (!fields.ok()) {
            const CellSource& s = sources[static_cast<std::size_t>(fields.failedField)];
            return failAt(s.line, s.field, fields.message, s.header, s.value);
        }
        // A row without a Frequency says only that there is no channel.
        const std::size_t given = fields.noChannel ? 2 : at(ChannelField::Scan) + 1;
        for (std::size_t i = 0; i < given; ++i) {
            row.texts[i] = fields.texts[i];
            row.sources[i] = sources[static_cast<std::size_t>(fields.sources[i].field)];
            row.sources[i].note = fields.sources[i].note;
        }
        row.noTransmit = fields.noTransmit;
        return {};
    }

    // Commits text into field of channel as the window does; a refusal stops the import.
    ChannelImportResult commit(const RowTexts& row, Channel& channel, ChannelField field,
                               const std::string& value, CommitTrigger trigger)
    {
        const EditOutcome outcome = commitField(channel, field, value, trigger, limits_, variant_, language_);
        if (!outcome.ok())
            return refuse(row, field, value, outcome.refusal);
        return {};
    }

    // The frequency of field as the window shows it: empty where the variant hides it.
    std::string shownFrequency(const Channel& channel, ChannelField field) const
    {
        if (hiddenByVariant(field, variant_))
            return {};
        return frequencyText(field == ChannelField::RxFrequency ? channel.rx : channel.tx);
    }

    // The frequencies the window shows, as typed into them with Enter.
    ChannelImportResult applyShownFrequencies(const RowTexts& row, Channel& channel)
    {
        const std::string rx = row.texts[at(ChannelField::RxFrequency)].value_or("");
        const std::string tx = row.texts[at(ChannelField::TxFrequency)].value_or("");
        const bool usesRx = !hiddenByVariant(ChannelField::RxFrequency, variant_);
        // A row of the common layout always says how the channel transmits.
        const bool usesTx =
            !hiddenByVariant(ChannelField::TxFrequency, variant_) &&
            (layout_ == ChannelCsvLayout::Common ||
             fieldNumber_[static_cast<std::size_t>(columnOf(ChannelField::TxFrequency))] != 0);
        if ((!usesRx || rx.empty()) && (!usesTx || tx.empty())) {
            if (!shownEmpty(channel, variant_))
                channel = erasedChannel(channel);
            return {};
        }
        if (row.noTransmit && usesTx) {
            // A receive side only, typed into an empty row and left without Enter, as the
            // window makes such a channel; Busy Lock and Power stay as the channel had them.
            if (showsFrequency(channel.rx, rx) && channel.tx.empty())
                return {};
            const Channel kept = channel;
            channel = erasedChannel(channel);
            if (ChannelImportResult r =
                    commit(row, channel, ChannelField::RxFrequency, rx, CommitTrigger::LeaveCell);
                !r.ok())
                return r;
            if (!shownEmpty(kept, variant_)) {
                channel.busyLock = kept.busyLock;
                channel.stored.busyLockByte = kept.stored.busyLockByte;
                channel.power = kept.power;
            }
            return {};
        }
        if (usesRx && !showsFrequency(channel.rx, rx))
            if (ChannelImportResult r =
                    commit(row, channel, ChannelField::RxFrequency, rx, CommitTrigger::Enter);
                !r.ok())
                return r;
        if (usesTx && !showsFrequency(channel.tx, tx)) {
            // A Tx frequency for a channel without any frequency is taken as when the user
            // types it and moves to another cell: a new channel with only a Tx side.
            const bool noChannel = shownFrequency(channel, ChannelField::RxFrequency).empty() &&
                                   shownFrequency(channel, ChannelField::TxFrequency).empty();
            if (ChannelImportResult r = commit(row, channel, ChannelField::TxFrequency, tx,
                                               noChannel ? CommitTrigger::LeaveCell : CommitTrigger::Enter);
                !r.ok())
                return r;
        }
        return {};
    }

    // The fields the variant hides: a value there is kept as the file gives it. An empty
    // one says nothing, except a frequency in a row of the common layout (no such side).
    ChannelImportResult applyHiddenFields(const RowTexts& row, Channel& channel, const Channel& before)
    {
        for (ChannelField field : kChannelFields) {
            const std::optional<std::string>& value = row.texts[at(field)];
            if (!hiddenByVariant(field, variant_) || !value)
                continue;
            if (value->empty() && !(layout_ == ChannelCsvLayout::Common && isFrequencyField(field)))
                continue;
            if (restates(before, field, *value)) {
                setField(channel, field, fieldValue(before, field));
            } else {
                const ParsedField parsed = parseField(field, *value, limits_);
                if (!parsed.ok())
                    return refuse(row, field, *value, parsed.refusal);
                takeValue(channel, field, parsed.value, before);
            }
            if (fieldText(channel, field, Language::English) != fieldText(before, field, Language::English))
                hiddenTaken_[at(field)] = true;
        }
        return {};
    }

    // The settings of a channel that has a frequency (shown or not); an empty text keeps
    // what the channel has.
    ChannelImportResult applySettings(const RowTexts& row, Channel& channel)
    {
        if (channel.rx.empty() && channel.tx.empty())
            return {};
        for (ChannelField field : kChannelFields) {
            const std::optional<std::string>& value = row.texts[at(field)];
            if (isFrequencyField(field) || hiddenByVariant(field, variant_) || !value || value->empty() ||
                showsAs(channel, field, *value))
                continue;
            const ParsedField parsed = parseField(field, *value, limits_);
            if (!parsed.ok())
                return refuse(row, field, *value, parsed.refusal);
            takeValue(channel, field, parsed.value, channel);
        }
        return {};
    }

    ChannelImportResult applyRow(int n, const RowTexts& row)
    {
        Channel& channel = result_.channels.channel(n);
        const Channel before = channel;
        if (ChannelImportResult r = applyShownFrequencies(row, channel); !r.ok())
            return r;
        if (ChannelImportResult r = applyHiddenFields(row, channel, before); !r.ok())
            return r;
        if (ChannelImportResult r = applySettings(row, channel); !r.ok())
            return r;
        if (!(channel == before))
            result_.changed.push_back(n);
        return {};
    }

    void addNotes()
    {
        if (!ignored_.empty()) {
            std::string list;
            for (const std::string& name : ignored_)
                list += (list.empty() ? "" : ", ") + name;
            result_.notes.push_back(text(Text::IgnoredColumns, {list}));
        }
        std::string hidden;
        for (ChannelField field : kChannelFields)
            if (hiddenTaken_[at(field)])
                hidden += (hidden.empty() ? "" : ", ") + columnHeader(columnOf(field), language_);
        if (!hidden.empty())
            result_.notes.push_back(text(Text::HiddenColumnsKept, {hidden, std::to_string(variant_)}));
    }

    const ChannelList& current_;
    const ChannelRowsInput& input_;
    BandLimits limits_;
    int variant_;
    Language language_;
    ChannelCsvLayout layout_ = ChannelCsvLayout::Program;
    bool decimalComma_ = false;
    bool headerless_ = false;  // rows pasted without a header line, in the columns the window shows
    std::vector<int> columns_; // program layout: column (CH 0, fields 1..8) of each file column
    std::array<int, kChannelFields.size() + 1> fieldNumber_{}; // file column of each column, 0 = absent
    std::vector<CommonField> commonFields_;                    // common layout: field of each file column
    std::array<int, kCommonFieldCount> commonFieldNumber_{};
    std::vector<std::string> ignored_;                      // common layout: the columns not read
    std::array<bool, kChannelFields.size()> hiddenTaken_{}; // hidden fields a row changed
    int channelField_ = 0;
    std::string channelHeader_;
    int currentLine_ = 0;
    int currentChannel_ = 0;
    ChannelImportResult result_;
};

} // namespace

std::string exportChannels(const ChannelList& channels, ChannelCsvLayout layout, Language language)
{
    if (layout == ChannelCsvLayout::Common) {
        std::string out = csvRecord(commonLayoutHeader());
        for (int n = 1; n <= kChannelCount; ++n)
            if (const std::vector<std::string> row = commonRowOfChannel(channels.channel(n), n); !row.empty())
                out += csvRecord(row);
        return out;
    }
    std::vector<std::string> header;
    for (int col = kChannelColumn; col <= columnOf(ChannelField::Power); ++col)
        header.push_back(columnHeader(col, Language::English));
    std::string out = csvRecord(header);
    for (int n = 1; n <= kChannelCount; ++n) {
        // Every field, as the window shows them with no side hidden.
        const std::array<std::string, 8> texts = shownFieldTexts(channels.channel(n), 0, language);
        std::vector<std::string> row{std::to_string(n)};
        row.insert(row.end(), texts.begin(), texts.end());
        out += csvRecord(row);
    }
    return out;
}

ChannelImportResult importChannels(const ChannelList& current, const ChannelRowsInput& input,
                                   BandLimits limits, int radioVariant, Language language)
{
    return Importer(current, input, limits, radioVariant, language).run();
}

std::string importErrorText(const ChannelImportError& e, const std::string& place,
                            const std::string& windowMessage, Language language)
{
    const auto text = [language](Text id, std::initializer_list<std::string> args) {
        return formatText(id, language, args);
    };
    std::string where;
    if (!place.empty()) {
        where = place;
        if (e.line > 0) {
            where += ':';
            where += std::to_string(e.line);
        }
        if (e.field > 0)
            where += text(Text::PlaceColumn, {std::to_string(e.field)}) +
                     (e.header.empty() ? "" : " (" + escapedControlBytes(e.header) + ")");
    } else if (e.channel > 0) {
        where = text(Text::ChannelNumber, {std::to_string(e.channel)}) +
                (e.header.empty() ? "" : text(Text::PlaceSeparator, {}) + e.header);
    } else {
        where = text(Text::PlaceLine, {std::to_string(e.line)});
    }
    std::string what = e.messageId && !windowMessage.empty() ? windowMessage : e.message;
    if (!e.note.empty())
        what = e.note + ": " + what;
    if (!e.value.empty()) {
        std::string value(1, '"');
        value += escapedControlBytes(e.value);
        value += "\": ";
        what = value + what;
    }
    return where + ": " + what;
}

ChannelFileRead readChannelListFile(const std::string& path, Language language)
{
    // A channel list is a few kilobytes; a pipe, a device or anything far larger is not one.
    const FileReadResult read = readWholeFile(path, kMaxTextFileSize);
    if (read.kind == FileResult::Kind::TooLarge)
        return {{}, formatText(Text::FileTooLarge, language, {path})};
    if (!read.ok())
        return {{}, formatText(Text::FileCannotOpen, language, {path, read.reason})};
    return {std::string(read.bytes.begin(), read.bytes.end()), {}};
}

FileResult writeChannelListFile(const std::string& path, std::string_view text)
{
    return replaceFile(path, text);
}

} // namespace qx260
