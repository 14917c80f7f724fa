// Reading and writing comma-separated values as spreadsheets produce them.

#include <gtest/gtest.h>

#include "core/channels/Csv.h"

using namespace qx260;

namespace
{

std::vector<std::vector<std::string>> texts(const CsvParseResult& r)
{
    std::vector<std::vector<std::string>> out;
    for (const CsvRecord& rec : r.records) {
        out.emplace_back();
        for (const CsvField& f : rec.fields)
            out.back().push_back(f.text);
    }
    return out;
}

using Rows = std::vector<std::vector<std::string>>;

TEST(Csv, ReadsWhatSpreadsheetsWrite)
{
    const struct {
        const char* name;
        std::string input;
        Rows expected;
    } cases[] = {
        {"LF", "a,b\n1,2\n", {{"a", "b"}, {"1", "2"}}},
        {"CRLF", "a,b\r\n1,2\r\n", {{"a", "b"}, {"1", "2"}}},
        {"lone CR", "a,b\r1,2", {{"a", "b"}, {"1", "2"}}},
        {"no final line end", "a,b\n1,2", {{"a", "b"}, {"1", "2"}}},
        {"byte order mark",
         "\xEF\xBB\xBF"
         "CH,Rx\n",
         {{"CH", "Rx"}}},
        {"blank lines skipped", "a\n\n\r\nb\n\n", {{"a"}, {"b"}}},
        {"empty fields kept", ",x,,\n", {{"", "x", "", ""}}},
        {"quoted comma and quote", "\"a,b\",\"say \"\"hi\"\"\"\n", {{"a,b", "say \"hi\""}}},
        {"quoted line break", "\"two\r\nlines\",z\n", {{"two\r\nlines", "z"}}},
        {"quoted empty is a record", "\"\"\n", {{""}}},
        {"UTF-8 text", "信道,宽\n", {{"信道", "宽"}}},
        {"nothing", "", {}},
    };
    for (const auto& c : cases) {
        const CsvParseResult r = parseCsv(c.input);
        EXPECT_TRUE(r.ok()) << c.name << ": " << r.error;
        EXPECT_EQ(texts(r), c.expected) << c.name;
    }
}

TEST(Csv, ReportsBrokenInputWithItsPlace)
{
    const struct {
        const char* name;
        std::string input;
        int line;
        int column;
    } cases[] = {
        {"unclosed quote", "a,b\n1,\"open\n2,3\n", 2, 2},
        {"text after closing quote", "a,b\n\"x\"y,2\n", 2, 1},
        {"Latin-1 byte", "a\n\xE9t\xE9\n", 2, 0},
        {"GBK bytes", "a\nb\n\xD0\xC5\xB5\xC0\n", 3, 0},
        {"truncated UTF-8 at the end", "a,\xE4\xBF", 1, 0},
        {"overlong encoding", "\xC0\xAF", 1, 0},
        {"surrogate", "\xED\xA0\x80", 1, 0},
    };
    for (const auto& c : cases) {
        const CsvParseResult r = parseCsv(c.input);
        EXPECT_FALSE(r.ok()) << c.name;
        EXPECT_TRUE(r.records.empty()) << c.name;
        EXPECT_EQ(r.errorLine, c.line) << c.name;
        EXPECT_EQ(r.errorColumn, c.column) << c.name;
    }
}

TEST(Csv, WritesFieldsThatReadBackUnchanged)
{
    const std::vector<std::string> fields{"plain", "a,b", "say \"hi\"", "two\nlines", " padded ", "", "无"};
    const std::string record = csvRecord(fields);
    EXPECT_EQ(record, "plain,\"a,b\",\"say \"\"hi\"\"\",\"two\nlines\",\" padded \",,无\r\n");
    const CsvParseResult r = parseCsv(record);
    ASSERT_TRUE(r.ok());
    ASSERT_EQ(r.records.size(), 1u);
    EXPECT_EQ(texts(r)[0], fields);
}

} // namespace
