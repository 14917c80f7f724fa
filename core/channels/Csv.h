#pragma once
// Comma-separated values as spreadsheets write them: fields separated by commas, records
// by CRLF or LF, a field in double quotes may hold commas, line breaks and "" for one
// quote. A UTF-8 byte order mark at the start is skipped; the text must be UTF-8.

#include <string>
#include <string_view>
#include <vector>

namespace qx260
{

struct CsvField {
    std::string text;
    int line = 0; // line of the file the field starts on, from 1
};

struct CsvRecord {
    std::vector<CsvField> fields;
    int line = 0; // line the record starts on
};

struct CsvParseResult {
    std::vector<CsvRecord> records; // blank lines are not records
    std::string error;              // empty on success
    int errorLine = 0;
    int errorColumn = 0; // field number within the record, from 1
    bool ok() const { return error.empty(); }
};

CsvParseResult parseCsv(std::string_view text);

// One field quoted when it needs to be (comma, quote, CR, LF, or blanks at either end).
std::string csvField(std::string_view text);
// One record with CRLF at the end.
std::string csvRecord(const std::vector<std::string>& fields);

// True when text is well-formed UTF-8.
bool isValidUtf8(std::string_view text);

} // namespace qx260
