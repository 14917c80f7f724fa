// A channel list read into rows, each judged on its own, and the chosen rows taken; see
// ImportPlan.h.

#include "core/channels/ImportPlan.h"

#include <algorithm>
#include <optional>

#include "core/channels/ChannelCodec.h"
#include "core/channels/ChannelFields.h"
#include "core/channels/CommonChannelLayout.h"
#include "core/channels/Csv.h"
#include "core/channels/SpreadsheetValues.h"
#include "core/config/AsciiText.h"
#include "core/config/CIniFile.h"
#include "core/config/Texts.h"
#include "core/radio/ChannelTexts.h"
#include "core/radio/Decimal.h"
#include "core/radio/RadioImage.h"
#include "res/ResourceIds.h"

namespace qx260
{

namespace
{

constexpr int kFrequencyDecimals = 5; // a frequency word counts 10 Hz units

bool inBand(std::int64_t units, BandLimits band)
{
    return units >= band.lower && units <= band.upper;
}

// The file columns the rows are shown by, from 0; -1 for a column the file lacks.
struct ShownColumns {
    int location = -1;
    int name = -1;
    int frequency = -1;
    int decode = -1; // the program layout's tones
    int encode = -1;
    std::array<int, kCommonFieldCount> common{}; // the common layout's columns by field

    ShownColumns() { common.fill(-1); }
};

bool namesColumn(const std::string& header, int col)
{
    return equalsIgnoringAsciiCase(header, columnHeader(col, Language::English)) ||
           header == columnHeader(col, Language::Chinese);
}

ShownColumns shownColumns(const CsvRecord& header, ChannelCsvLayout layout)
{
    ShownColumns shown;
    for (std::size_t f = 0; f < header.fields.size(); ++f) {
        const std::string name = trimmed(header.fields[f].text);
        const int i = static_cast<int>(f);
        const auto first = [i](int& column) {
            if (column < 0)
                column = i;
        };
        if (layout == ChannelCsvLayout::Common) {
            if (equalsIgnoringAsciiCase(name, "Name"))
                first(shown.name);
            const CommonField field = commonFieldOfHeader(name);
            if (field != CommonField::Ignored)
                first(shown.common[static_cast<std::size_t>(field)]);
        } else {
            if (namesColumn(name, 0))
                first(shown.location);
            if (namesColumn(name, columnOf(ChannelField::RxFrequency)))
                first(shown.frequency);
            if (namesColumn(name, columnOf(ChannelField::DecodeTone)))
                first(shown.decode);
            if (namesColumn(name, columnOf(ChannelField::EncodeTone)))
                first(shown.encode);
        }
    }
    if (layout == ChannelCsvLayout::Common) {
        shown.location = shown.common[static_cast<std::size_t>(CommonField::Location)];
        shown.frequency = shown.common[static_cast<std::size_t>(CommonField::Frequency)];
    }
    return shown;
}

std::string fieldAt(const CsvRecord& record, int column)
{
    if (column < 0 || static_cast<std::size_t>(column) >= record.fields.size())
        return {};
    return trimmed(record.fields[static_cast<std::size_t>(column)].text);
}

// The tones of a row as written: "TSQL 100.0", "DTCS 023 NN", "D023N / 88.5".
std::string writtenTones(const CsvRecord& record, const ShownColumns& shown, ChannelCsvLayout layout)
{
    const auto join = [](std::initializer_list<std::string> parts, const char* between) {
        std::string out;
        for (const std::string& part : parts)
            if (!part.empty())
                out += (out.empty() ? "" : between) + part;
        return out;
    };
    if (layout == ChannelCsvLayout::Program)
        return join({fieldAt(record, shown.decode), fieldAt(record, shown.encode)}, " / ");
    const auto common = [&](CommonField field) {
        return fieldAt(record, shown.common[static_cast<std::size_t>(field)]);
    };
    const std::string mode = common(CommonField::Tone);
    if (equalsIgnoringAsciiCase(mode, "Tone"))
        return join({mode, common(CommonField::RToneFreq)}, " ");
    if (equalsIgnoringAsciiCase(mode, "TSQL"))
        return join({mode, common(CommonField::CToneFreq)}, " ");
    if (equalsIgnoringAsciiCase(mode, "DTCS"))
        return join({mode, common(CommonField::DtcsCode), common(CommonField::DtcsPolarity)}, " ");
    if (equalsIgnoringAsciiCase(mode, "Cross"))
        return join({mode, common(CommonField::CrossMode)}, " ");
    return mode;
}

// Why a row is refused, in a few words: the band and the step by the frequency, a mode by
// its name, anything else by its column, value and message.
std::string reasonOf(const ChannelImportError& e, const ImportTarget& target)
{
    const Language language = target.language;
    const std::string value = escapedControlBytes(e.value);
    const std::string frequency =
        frequencyRefusalReason(e.messageId, e.checked.empty() ? e.value : e.checked, target.limits, language);
    if (!frequency.empty())
        return frequency;
    if (equalsIgnoringAsciiCase(e.header, commonFieldName(CommonField::Mode)) && !e.value.empty())
        return formatText(Text::ImportModeNotHeld, language, {value});
    std::string what = e.messageId ? messageText(e.messageId, language) : e.message;
    if (!e.note.empty())
        what = e.note + ": " + what;
    if (!e.value.empty())
        what = "\"" + value + "\": " + what;
    return e.header.empty() ? what : escapedControlBytes(e.header) + " " + what;
}

// The receive frequency of a row in 10 Hz units, when it is a plain number.
std::optional<std::int64_t> rowUnits(const std::string& text)
{
    const std::optional<double> value = parsePlainDecimal(text);
    return value ? scaleExact(*value, kFrequencyDecimals) : std::nullopt;
}

// Once per file: another band Product Information offers holds more of the rows than the
// document's band does.
std::string bandNoteOf(const std::vector<std::optional<std::int64_t>>& units, const ImportTarget& target)
{
    const auto count = [&units](BandLimits band) {
        return std::count_if(units.begin(), units.end(),
                             [band](const auto& u) { return u && inBand(*u, band); });
    };
    const auto own = count(target.limits);
    std::optional<BandLimits> best;
    auto bestCount = own;
    for (const BandLimits& band : target.otherBands)
        if (const auto n = count(band); n > bestCount)
            best = band, bestCount = n;
    if (!best)
        return {};
    return formatText(Text::ImportBandNote, target.language,
                      {bandRangeText(*best), std::to_string(bestCount)});
}

ChannelRowsInput rowsInput(std::string_view text, char separator, int firstChannel)
{
    ChannelRowsInput input;
    input.text = text;
    input.separator = separator;
    input.firstChannel = firstChannel;
    return input;
}

} // namespace

std::vector<BandLimits> otherProductBands(const RadioImage& image, const CIniFile& config)
{
    const std::string number = std::to_string(image.byte(offset::ProductType) + 1);
    const std::vector<std::string> bands = splitBandList(config.GetString("Setup", "Field" + number, ""));
    const BandLimits own = bandLimitsFromText(
        bandItem(config.GetString("Setup", "Field" + number, ""), image.byte(offset::BandIndex)));
    std::vector<BandLimits> out;
    for (const std::string& text : bands)
        if (const BandLimits band = bandLimitsFromText(text); band.upper > 0 && !(band == own))
            out.push_back(band);
    return out;
}

ImportFile readImportFile(std::string_view text, const ImportTarget& target)
{
    ImportFile file;
    const auto refuse = [&file](const ChannelImportResult& r) {
        file.failed = true;
        file.error = r.error;
        return file;
    };
    file.separator = csvSeparatorOf(text);
    const CsvParseResult parsed = parseCsv(text, file.separator);
    // The file as a whole: its bytes, its quotes and its header row, as the import reads them.
    if (!parsed.ok() || parsed.records.empty())
        return refuse(importChannels({}, rowsInput(text, file.separator, 0), target.limits,
                                     target.radioVariant, target.language));
    const CsvRecord& header = parsed.records.front();
    std::vector<std::string> headerTexts;
    for (const CsvField& field : header.fields)
        headerTexts.push_back(field.text);
    file.header = csvRecord(headerTexts, file.separator);
    const ChannelImportResult headerOnly = importChannels(
        {}, rowsInput(file.header, file.separator, 1), target.limits, target.radioVariant, target.language);
    if (!headerOnly.ok()) {
        ChannelImportResult r = headerOnly;
        r.error.line = header.line;
        return refuse(r);
    }
    file.layout = headerOnly.layout;
    const ShownColumns shown = shownColumns(header, file.layout);

    std::vector<std::optional<std::int64_t>> units;
    for (std::size_t i = 1; i < parsed.records.size(); ++i) {
        const CsvRecord& record = parsed.records[i];
        std::vector<std::string> texts;
        bool blank = true;
        for (const CsvField& field : record.fields) {
            texts.push_back(field.text);
            blank = blank && trimmed(field.text).empty();
        }
        if (blank)
            continue; // spreadsheets write rows of separators below the data
        ImportRow row;
        row.line = record.line;
        row.location = fieldAt(record, shown.location);
        row.name = fieldAt(record, shown.name);
        row.frequency = fieldAt(record, shown.frequency);
        row.tones = writtenTones(record, shown, file.layout);
        row.record = csvRecord(texts, file.separator);
        units.push_back(rowUnits(file.separator == ';' ? withDecimalPoint(row.frequency) : row.frequency));

        // Judged alone, into channel 1 of an empty list: what the row holds, not where it goes.
        const ChannelImportResult alone =
            importChannels({}, rowsInput(file.header + row.record, file.separator, 1), target.limits,
                           target.radioVariant, target.language);
        row.fits = alone.ok();
        if (row.fits) {
            const Channel& channel = alone.channels.channel(1);
            const bool receives = !hiddenByVariant(ChannelField::RxFrequency, target.radioVariant);
            row.frequency = frequencyText(receives ? channel.rx : channel.tx);
            row.tones = fieldText(channel, ChannelField::DecodeTone, target.language) + " / " +
                        fieldText(channel, ChannelField::EncodeTone, target.language);
        } else {
            row.reason = reasonOf(alone.error, target);
        }
        file.rows.push_back(std::move(row));
    }
    file.bandNote = bandNoteOf(units, target);
    return file;
}

std::vector<bool> fittingSelection(const ImportFile& file, int firstChannel)
{
    std::vector<bool> chosen(file.rows.size(), false);
    int next = std::max(firstChannel, 1);
    for (std::size_t i = 0; i < file.rows.size() && next <= kChannelCount; ++i)
        if (file.rows[i].fits) {
            chosen[i] = true;
            ++next;
        }
    return chosen;
}

std::vector<int> plannedChannels(const std::vector<bool>& chosen, int firstChannel)
{
    std::vector<int> channels(chosen.size(), 0);
    int next = std::max(firstChannel, 1);
    for (std::size_t i = 0; i < chosen.size(); ++i)
        if (chosen[i] && next <= kChannelCount)
            channels[i] = next++;
    return channels;
}

bool selectRowsByLine(const ImportFile& file, std::string_view list, std::vector<bool>& chosen,
                      std::string& error)
{
    chosen.assign(file.rows.size(), false);
    const auto number = [](std::string_view text) -> std::optional<int> {
        const std::string t = trimmed(text);
        if (t.empty() || t.size() > 7 || t.find_first_not_of("0123456789") != std::string::npos)
            return std::nullopt;
        return std::stoi(t);
    };
    std::size_t start = 0;
    while (start <= list.size()) {
        const std::size_t comma = std::min(list.find(',', start), list.size());
        const std::string_view part = list.substr(start, comma - start);
        const std::size_t dash = part.find('-');
        const std::optional<int> from = number(part.substr(0, dash));
        const std::optional<int> to = dash == std::string_view::npos ? from : number(part.substr(dash + 1));
        if (!from || !to || *to < *from) {
            error.assign(1, '"');
            error += part;
            error += "\" is not a line number or a range of them such as 2-9";
            return false;
        }
        for (int line = *from; line <= *to; ++line) {
            const auto row = std::find_if(file.rows.begin(), file.rows.end(),
                                          [line](const ImportRow& r) { return r.line == line; });
            if (row != file.rows.end()) {
                chosen[static_cast<std::size_t>(row - file.rows.begin())] = true;
            } else if (*from == *to) {
                error = "no row starts on line " + std::to_string(line);
                return false;
            }
        }
        start = comma + 1;
    }
    if (std::find(chosen.begin(), chosen.end(), true) == chosen.end()) {
        error = "no row starts on the lines " + std::string(list);
        return false;
    }
    return true;
}

ImportTaken takeChosenRows(const ChannelList& current, const ImportFile& file,
                           const std::vector<bool>& chosen, int firstChannel, const ImportTarget& target)
{
    ImportTaken taken;
    std::vector<bool> taking(file.rows.size(), false);
    for (std::size_t i = 0; i < file.rows.size(); ++i)
        taking[i] = i < chosen.size() && chosen[i] && file.rows[i].fits;
    const std::vector<int> channels = plannedChannels(taking, firstChannel);

    std::string text = file.header;
    std::vector<std::size_t> rowOfChannel(kChannelCount + 1, 0);
    for (std::size_t i = 0; i < file.rows.size(); ++i) {
        const ImportRow& row = file.rows[i];
        if (channels[i] > 0) {
            text += row.record;
            rowOfChannel[static_cast<std::size_t>(channels[i])] = i;
            ++taken.taken;
            continue;
        }
        // A row that fits is left out for want of a channel once the rows before it fill the
        // channels up to 16; otherwise because it was not chosen.
        const bool channelsFull = std::max(firstChannel, 1) + taken.taken > kChannelCount;
        const std::string reason = !row.fits      ? row.reason
                                   : channelsFull ? textOf(Text::ImportNoChannelLeft, target.language)
                                                  : textOf(Text::ImportNotChosen, target.language);
        taken.leftOut.push_back({row.line, reason});
    }
    if (taken.taken == 0) {
        taken.result.channels = current;
        return taken;
    }
    taken.result = importChannels(current, rowsInput(text, file.separator, std::max(firstChannel, 1)),
                                  target.limits, target.radioVariant, target.language);
    if (!taken.result.ok()) {
        // The refusal on the row's own line of the file, not of the rows put together.
        const int channel = taken.result.error.channel;
        if (channel >= 1 && channel <= kChannelCount)
            taken.result.error.line = file.rows[rowOfChannel[static_cast<std::size_t>(channel)]].line;
        taken.taken = 0;
    }
    return taken;
}

std::string importSummary(const ImportTaken& taken, Language language)
{
    return formatText(Text::ImportSummary, language,
                      {std::to_string(taken.taken), std::to_string(taken.leftOut.size())});
}

std::string importRefusalText(const ChannelImportError& error, const std::string& place,
                              const ImportTarget& target)
{
    const std::string reason = frequencyRefusalReason(
        error.messageId, error.checked.empty() ? error.value : error.checked, target.limits, target.language);
    if (reason.empty())
        return importErrorText(
            error, place, error.messageId ? messageText(error.messageId, target.language) : std::string(),
            target.language);
    ChannelImportError told = error;
    told.messageId = 0;
    told.message = reason;
    if (told.note.empty()) // the reason names the value itself
        told.value.clear();
    return importErrorText(told, place, {}, target.language);
}

} // namespace qx260
