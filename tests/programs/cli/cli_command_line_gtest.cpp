// qx260-cli's one parser over the commands' own declarations: what a command line gives
// the command, or the usage error it gets instead, one row per case.

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <vector>

#include "programs/cli/CommandLine.h"

namespace qx260::cli
{
namespace
{

struct Row {
    std::vector<std::string> line; // the command, then what follows it
    std::string error;             // the whole message; empty: the line is read
    std::vector<std::string> positional = {};
    std::map<std::string, std::vector<std::string>> values = {};
    std::set<std::string> flags = {};
};

std::string joined(const std::vector<std::string>& words)
{
    std::string text;
    for (const std::string& w : words)
        text += (text.empty() ? "" : " ") + w;
    return text;
}

TEST(CliCommandLine, ReadsEachCommandLineByItsDeclaration)
{
    const Row rows[] = {
        // what the command gets
        {{"show", "x.dat", "--json"}, "", {"x.dat"}, {}, {"--json"}},
        {{"show", "x.dat", "--config", "p.ini"}, "", {"x.dat"}, {{"--config", {"p.ini"}}}},
        {{"show", "--config=p.ini", "x.dat"}, "", {"x.dat"}, {{"--config", {"p.ini"}}}},
        {{"export", "x.dat", "--output", "-"}, "", {"x.dat"}, {{"-o", {"-"}}}},
        {{"print", "x.dat", "-o", "x.pdf", "--language", "chinese"},
         "",
         {"x.dat"},
         {{"-o", {"x.pdf"}}, {"--language", {"Chinese"}}}},
        {{"write", "-p", "COM1", "--port=COM2", "x.dat"}, "", {"x.dat"}, {{"--port", {"COM1", "COM2"}}}},
        {{"set", "--", "-x.dat", "1", "W/N=Wide"}, "", {"-x.dat", "1", "W/N=Wide"}},
        {{"show", "x.dat", "--config", "a.ini", "--config=b.ini"}, "", {"x.dat"}, {{"--config", {"b.ini"}}}},
        // options
        {{"read", "--port", "COM1", "--port", "COM2", "-o", "x.dat"},
         "--port may be given only once; see qx260-cli read --help."},
        {{"print", "a.dat", "-o"}, "-o needs a value (OUT.pdf); see qx260-cli print --help."},
        {{"show", "x.dat", "--json=yes"}, "--json takes no value; see qx260-cli show --help."},
        {{"show", "x.dat", "--variant", "3"},
         "--variant takes 0, 1 or 2, not \"3\"; see qx260-cli show --help."},
        {{"diff", "a.dat", "b.dat", "--variant", "3"},
         "--variant takes 0, 1 or 2, not \"3\"; see qx260-cli diff --help."},
        {{"print", "a.dat", "-o", "x.pdf", "--variant", "3"},
         "--variant takes 0, 1 or 2, not \"3\"; see qx260-cli print --help."},
        {{"show", "x.dat", "--language", "French"},
         "--language takes English or Chinese, not \"French\"; see qx260-cli show --help."},
        {{"print", "a.dat", "-o", "x.pdf", "--language", "French"},
         "--language takes English or Chinese, not \"French\"; see qx260-cli print --help."},
        {{"show", "x.dat", "--jsno"},
         "unknown option \"--jsno\"; did you mean \"--json\"? See qx260-cli show --help."},
        {{"diff", "a.dat", "--varient=1", "b.dat"},
         "unknown option \"--varient=1\"; did you mean \"--variant\"? See qx260-cli diff --help."},
        {{"show", "x.dat", "--bogus"}, "unknown option \"--bogus\"; see qx260-cli show --help."},
        {{"print", "a.dat", "-o", "x.pdf", "--colour"},
         "unknown option \"--colour\"; see qx260-cli print --help."},
        {{"print", "a.dat"}, "no -o OUT.pdf given; see qx260-cli print --help."},
        // arguments
        {{"print", "a.dat", "b.dat", "-o", "x.pdf"},
         "unexpected argument \"b.dat\"; see qx260-cli print --help."},
        {{"show"}, "no FILE.dat given; see qx260-cli show --help."},
        {{"print", "-o", "x.pdf"}, "no FILE.dat given; see qx260-cli print --help."},
        {{"diff", "a.dat"}, "no B.dat given; see qx260-cli diff --help."},
        {{"set", "x.dat", "2"}, "no COLUMN=TEXT given; see qx260-cli set --help."},
        {{"config", "get", "p.ini", "Setup"}, "no KEY given; see qx260-cli config --help."},
        {{"config", "frob", "p.ini"}, "no SECTION given; see qx260-cli config --help."},
        // commands
        {{"wirte"}, "unknown command \"wirte\"; did you mean \"write\"? See qx260-cli --help."},
        {{"frob"}, "unknown command \"frob\"; see qx260-cli --help."},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(joined(row.line));
        const Command* command = findCommand(row.line.front());
        if (!command) {
            EXPECT_EQ(unknownCommandMessage(row.line.front()), row.error);
            continue;
        }
        ParsedArgs parsed;
        std::string error;
        const bool read = parseCommandLine(*command, {row.line.begin() + 1, row.line.end()}, parsed, error);
        EXPECT_EQ(error, row.error);
        EXPECT_EQ(read, row.error.empty());
        if (read) {
            EXPECT_EQ(parsed.positional, row.positional);
            EXPECT_EQ(parsed.values, row.values);
            EXPECT_EQ(parsed.flags, row.flags);
        }
    }
}

} // namespace
} // namespace qx260::cli
