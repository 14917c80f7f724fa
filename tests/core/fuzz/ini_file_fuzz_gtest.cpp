// Program.ini as a user or a broken editor may leave it: random and damaged texts load
// without harm, answer lookups, and survive a save and a load unchanged.

#include <gtest/gtest.h>

#include <fstream>

#include "core/config/CIniFile.h"
#include "tests/core/fuzz/FuzzSupport.h"

using namespace qx260;
using qx260::fuzz::Random;

namespace
{

const std::vector<std::string> kPieces = {
    "[",
    "]",
    "=",
    "\r",
    "\n",
    "\r\n",
    std::string(1, '\0'),
    " ",
    "\t",
    ";",
    "//",
    "/*",
    "\\",
    "*",
    "Setup",
    "setup",
    "AppName",
    "Type1",
    "Field1",
    "130 - 160MHz|136 - 174MHz",
    "Language",
    "Chinese",
    "写频软件",
    "信道",
    "\xFF\xFE",
    "\xC3",
    "\xE5\x86",
    "\xF4\x90\x80\x80",
    "[Setup]\n",
    "\nkey=value\n",
    "[]",
    "[ ]",
    "x",
    "0",
    "==",
};

std::string randomIni(Random& r)
{
    std::string text = fuzz::randomText(r, 60, kPieces);
    if (r.chance(3))
        text.insert(r.below(text.size() + 1), std::string(r.range(4000, 20000), r.chance(50) ? 'a' : '='));
    return text;
}

const std::string kSample =
    "; Program.ini\r\n[Setup]\r\nAppName=QX\r\nLanguage=English // or Chinese\r\nType1=QX-260\r\n"
    "Field1=130 - 160MHz|136 - 174MHz|144 - 148MHz\r\n\r\n[English]\r\nAppName=Programmer\r\n"
    "[Chinese]\r\nAppName=写频软件\r\n";

bool blank(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
}

void expectClean(const std::string& s, const char* what, bool trimmed = true)
{
    EXPECT_EQ(s.find('\n'), std::string::npos) << what;
    EXPECT_EQ(s.find('\0'), std::string::npos) << what;
    if (trimmed && !s.empty()) {
        EXPECT_FALSE(blank(s.front())) << what;
        EXPECT_FALSE(blank(s.back())) << what;
    }
}

class IniFileFuzz : public ::testing::Test
{
  protected:
    void SetUp() override { ASSERT_TRUE(dir.ok()); }

    // Loads text, checks what was kept and how lookups answer, then saves a change and
    // loads the result: everything that was there comes back, plus the change.
    void check(const std::string& text, Random& r)
    {
        const std::string path = dir.file("Program.ini");
        std::ofstream(path, std::ios::binary | std::ios::trunc) << text;
        const bool ignoreCase = r.chance(50);
        CIniFile ini;
        ASSERT_TRUE(ini.Load(path, false, ignoreCase).ok());

        for (const CIniFile::Section& s : ini.sections()) {
            expectClean(s.name, "section name", false); // "[ x ]" is section " x "
            ASSERT_EQ(s.keys.size(), s.values.size());
            for (std::size_t k = 0; k < s.keys.size(); ++k) {
                expectClean(s.keys[k], "key");
                expectClean(s.values[k], "value");
                ASSERT_FALSE(s.keys[k].empty());
                EXPECT_EQ(std::string(";/\\*").find(s.keys[k].front()), std::string::npos)
                    << "comment kept as key";
                EXPECT_EQ(s.keys[k].find('='), std::string::npos);
                // A lookup gives a stored value, at most shortened by a trailing comment.
                const std::string got = ini.GetString(s.name, s.keys[k], "<none>");
                const int sec = ini.FindSection(s.name);
                ASSERT_GE(sec, 0);
                const int key = ini.FindKey(sec, s.keys[k]);
                if (key >= 0) {
                    const std::string& stored = ini.sections()[static_cast<std::size_t>(sec)].values[key];
                    EXPECT_EQ(stored.compare(0, got.size(), got), 0) << "lookup of " << s.keys[k];
                }
            }
        }
        EXPECT_EQ(ini.GetString("no such section", "k", " d "), " d ");

        // Save a change and load the file again.
        const std::string section = r.chance(50) ? "Setup" : "Fuzz";
        // Callers never set a line break or a zero byte (the command line refuses them).
        std::string value = fuzz::randomText(r, 4, {"1", "x", " ", "写", "=", "\xFF"});
        std::erase_if(value, [](char c) { return c == '\r' || c == '\n' || c == '\0'; });
        ini.SetString(section, "FuzzKey", value);
        ASSERT_TRUE(ini.Save().ok());
        CIniFile reloaded;
        ASSERT_TRUE(reloaded.Load(path, false, ignoreCase).ok());
        const std::vector<CIniFile::Section>& got = reloaded.sections();
        const std::vector<CIniFile::Section>& want = ini.sections();
        ASSERT_EQ(got.size(), want.size()) << "sections after save and load of\n"
                                           << testing::PrintToString(text);
        for (std::size_t i = 0; i < want.size(); ++i) {
            EXPECT_EQ(got[i].name, want[i].name) << "section " << i;
            EXPECT_EQ(got[i].keys, want[i].keys) << "section " << i;
            // Values are stored trimmed: the changed value comes back trimmed too.
            for (std::size_t k = 0; k < std::min(got[i].values.size(), want[i].values.size()); ++k) {
                std::string w = want[i].values[k];
                while (!w.empty() && blank(w.back()))
                    w.pop_back();
                while (!w.empty() && blank(w.front()))
                    w.erase(0, 1);
                EXPECT_EQ(got[i].values[k], w) << "section " << i << " key " << want[i].keys[k];
            }
        }
    }

    fuzz::TempDir dir;
};

TEST_F(IniFileFuzz, RandomTexts)
{
    Random r(11);
    for (int i = 0; i < 2000; ++i) {
        check(randomIni(r), r);
        if (HasFailure())
            return;
    }
}

TEST_F(IniFileFuzz, MutationsOfTheShippedFile)
{
    Random r(12);
    for (int i = 0; i < 2000; ++i) {
        check(fuzz::mutate(kSample, r, r.range(1, 10)), r);
        if (HasFailure())
            return;
    }
}

} // namespace
