// The CSV reader and writer: the byte order mark skipped, text that is not UTF-8 refused
// with its line, quoted fields, the separator a spreadsheet chose, and fields quoted only
// where they need it.

#include "core/channels/Csv.h"

#include <algorithm>
#include <cstdio>

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

// Whether text is UTF-16: a byte order mark of either order, or a first line whose every
// other byte is 0 (what ASCII text in UTF-16 looks like without a mark).
bool looksLikeUtf16(std::string_view text)
{
    if (text.substr(0, 2) == "\xFF\xFE" || text.substr(0, 2) == "\xFE\xFF")
        return true;
    const std::size_t pairs = std::min<std::size_t>(text.size(), 64) / 2;
    if (pairs < 2)
        return false;
    std::size_t zeroEven = 0;
    std::size_t zeroOdd = 0;
    for (std::size_t i = 0; i < pairs; ++i) {
        const char even = text[2 * i];
        const char odd = text[2 * i + 1];
        if (even == '\0' && odd != '\0')
            ++zeroEven;
        else if (odd == '\0' && even != '\0')
            ++zeroOdd;
    }
    return std::max(zeroEven, zeroOdd) == pairs;
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

    if (looksLikeUtf16(text)) {
        result.kind = CsvError::Utf16;
        result.error = "this file is UTF-16; save it as UTF-8";
        result.errorLine = 1;
        return result;
    }
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

std::string escapedControlBytes(std::string_view text)
{
    std::string out;
    for (char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte == 0) {
            out += "\\0";
        } else if (byte < 0x20 && c != '\t' && c != '\n' && c != '\r') {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\x%02X", byte);
            out += escaped;
        } else {
            out += c;
        }
    }
    return out;
}

} // namespace qx260
