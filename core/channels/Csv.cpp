// The CSV reader and writer: the byte order mark skipped, text that is not UTF-8 refused
// with its line, quoted fields, the separator a spreadsheet chose, and fields quoted only
// where they need it.

#include "core/channels/Csv.h"

namespace qx260
{

namespace
{

// Line of the byte at position pos (from 1).
int lineAt(std::string_view text, std::size_t pos)
{
    int line = 1;
    for (std::size_t i = 0; i < pos && i < text.size(); ++i) {
        if (text[i] == '\n' || (text[i] == '\r' && (i + 1 >= text.size() || text[i + 1] != '\n')))
            ++line;
    }
    return line;
}

// Position of the first byte that breaks UTF-8, or npos.
std::size_t firstInvalidUtf8(std::string_view text)
{
    std::size_t i = 0;
    while (i < text.size()) {
        const auto c = static_cast<unsigned char>(text[i]);
        std::size_t length;
        char32_t cp;
        if (c < 0x80) {
            ++i;
            continue;
        } else if (c >= 0xC2 && c <= 0xDF) {
            length = 2;
            cp = c & 0x1F;
        } else if (c >= 0xE0 && c <= 0xEF) {
            length = 3;
            cp = c & 0x0F;
        } else if (c >= 0xF0 && c <= 0xF4) {
            length = 4;
            cp = c & 0x07;
        } else {
            return i;
        }
        if (i + length > text.size())
            return i;
        for (std::size_t k = 1; k < length; ++k) {
            const auto cc = static_cast<unsigned char>(text[i + k]);
            if ((cc & 0xC0) != 0x80)
                return i;
            cp = (cp << 6) | (cc & 0x3F);
        }
        // Overlong forms, surrogates and values past U+10FFFF.
        if ((length == 3 && cp < 0x800) || (length == 4 && (cp < 0x10000 || cp > 0x10FFFF)) ||
            (cp >= 0xD800 && cp <= 0xDFFF))
            return i;
        i += length;
    }
    return std::string_view::npos;
}

bool isLineEnd(char c)
{
    return c == '\r' || c == '\n';
}

} // namespace

bool isValidUtf8(std::string_view text)
{
    return firstInvalidUtf8(text) == std::string_view::npos;
}

CsvParseResult parseCsv(std::string_view text, char separator)
{
    CsvParseResult result;
    int line = 1;
    if (text.substr(0, 3) == "\xEF\xBB\xBF")
        text.remove_prefix(3);

    if (const std::size_t bad = firstInvalidUtf8(text); bad != std::string_view::npos) {
        result.kind = CsvError::NotUtf8;
        result.error = "the file is not UTF-8 text; save it as CSV in UTF-8";
        result.errorLine = lineAt(text, bad);
        return result;
    }

    // Consumes one line end at i (CRLF, LF or a lone CR).
    auto skipLineEnd = [&](std::size_t& i) {
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
            ++i;
        ++i;
        ++line;
    };

    std::size_t i = 0;
    CsvRecord record;
    bool recordHasQuotes = false;
    while (i <= text.size()) {
        CsvField field;
        field.line = line;
        if (record.fields.empty())
            record.line = line;

        if (i < text.size() && text[i] == '"') {
            recordHasQuotes = true;
            ++i;
            bool closed = false;
            while (i < text.size()) {
                const char c = text[i];
                if (c == '"') {
                    if (i + 1 < text.size() && text[i + 1] == '"') {
                        field.text += '"';
                        i += 2;
                        continue;
                    }
                    ++i;
                    closed = true;
                    break;
                }
                if (c == '\n' || (c == '\r' && (i + 1 >= text.size() || text[i + 1] != '\n')))
                    ++line;
                field.text += c;
                ++i;
            }
            if (!closed) {
                result.kind = CsvError::UnclosedQuote;
                result.error = "a quoted field is not closed (a \" is missing)";
                result.errorLine = field.line;
                result.errorColumn = static_cast<int>(record.fields.size()) + 1;
                result.records.clear();
                return result;
            }
            if (i < text.size() && text[i] != separator && !isLineEnd(text[i])) {
                result.kind = CsvError::TextAfterQuote;
                result.error = "text follows the closing \" of a quoted field";
                result.errorLine = line;
                result.errorColumn = static_cast<int>(record.fields.size()) + 1;
                result.records.clear();
                return result;
            }
        } else {
            while (i < text.size() && text[i] != separator && !isLineEnd(text[i]))
                field.text += text[i++];
        }
        record.fields.push_back(std::move(field));

        if (i < text.size() && text[i] == separator) {
            ++i;
            continue;
        }
        // End of the record: a line end or the end of the text.
        const bool blank = record.fields.size() == 1 && record.fields[0].text.empty() && !recordHasQuotes;
        if (!blank)
            result.records.push_back(std::move(record));
        record = CsvRecord();
        recordHasQuotes = false;
        if (i >= text.size())
            break;
        skipLineEnd(i);
        if (i >= text.size())
            break;
    }
    return result;
}

char csvSeparatorOf(std::string_view text)
{
    bool quoted = false;
    bool semicolon = false;
    for (char c : text) {
        if (c == '"')
            quoted = !quoted;
        else if (!quoted && isLineEnd(c))
            break;
        else if (!quoted && c == ',')
            return ',';
        else if (!quoted && c == ';')
            semicolon = true;
    }
    return semicolon ? ';' : ',';
}

std::string csvField(std::string_view text, char separator)
{
    const bool needsQuotes = text.find_first_of("\"\r\n") != std::string_view::npos ||
                             text.find(separator) != std::string_view::npos ||
                             (!text.empty() && (text.front() == ' ' || text.back() == ' '));
    if (!needsQuotes)
        return std::string(text);
    std::string out = "\"";
    for (char c : text) {
        if (c == '"')
            out += '"';
        out += c;
    }
    return out + "\"";
}

std::string csvRecord(const std::vector<std::string>& fields, char separator)
{
    std::string out;
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (i)
            out += separator;
        out += csvField(fields[i], separator);
    }
    return out + "\r\n";
}

} // namespace qx260
