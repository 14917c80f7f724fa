#pragma once
// Comma-separated values as spreadsheets write them: fields separated by commas, records
// by CRLF or LF, a field in double quotes may hold commas, line breaks and "" for one
// quote. A UTF-8 byte order mark at the start is skipped; the text must be UTF-8. Text
// in UTF-16 (with a byte order mark or without: every other byte of its first line 0) is
// refused as such, so that the user is told what to save it as.
// Spreadsheets in decimal-comma locales separate fields by ';', and their clipboard by
// tabs: the same rules hold with that separator.

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

enum class CsvError { None, NotUtf8, Utf16, UnclosedQuote, TextAfterQuote };

struct CsvParseResult {
    std::vector<CsvRecord> records; // blank lines are not records
    CsvError kind = CsvError::None;
    std::string error; // what is wrong, in English; empty on success
    int errorLine = 0;
    int errorColumn = 0; // field number within the record, from 1
    bool ok() const { return error.empty(); }
};

CsvParseResult parseCsv(std::string_view text, char separator = ',');

// The separator of a file: ';' when its first line holds a ';' and no ',' outside quotes
// (what a spreadsheet writes where the comma is the decimal separator), else ','.
char csvSeparatorOf(std::string_view text);

// One field quoted when it needs to be (separator, quote, CR, LF, or blanks at either end).
std::string csvField(std::string_view text, char separator = ',');
// One record with CRLF at the end.
std::string csvRecord(const std::vector<std::string>& fields, char separator = ',');

// A text with its NUL and other control bytes written as \0, \x01, ... so that a message
// that quotes it is shown whole (tabs and line ends stay).
std::string escapedControlBytes(std::string_view text);

// True when text is well-formed UTF-8.
bool isValidUtf8(std::string_view text);

} // namespace qx260
