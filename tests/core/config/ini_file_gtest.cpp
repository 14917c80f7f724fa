// Program.ini read and written as the program does: sections, keys and notes, letter case,
// odd and duplicate lines written back, saving only when changed, and a failed or refused
// save that leaves the old file whole.

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "core/config/CIniFile.h"
#include "tests/support/TestSystem.h"

namespace fs = std::filesystem;
using qx260::CIniFile;
using qx260::FileResult;
namespace testsystem = qx260::testsystem;

namespace
{

class IniFileTest : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        dir_ = fs::temp_directory_path() /
               ("qx260-ini-" + std::to_string(testsystem::processId()) + "-" +
                std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        fs::remove_all(dir_);
        fs::create_directories(dir_);
        path_ = (dir_ / "Program.ini").string();
    }
    void TearDown() override
    {
        std::error_code ec;
        fs::permissions(dir_, fs::perms::owner_all, fs::perm_options::add, ec);
        fs::remove_all(dir_, ec);
    }

    void write(const std::string& content)
    {
        std::ofstream out(path_, std::ios::binary);
        out << content;
    }
    std::string read() const
    {
        std::ifstream in(path_, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }
    // Loads content the way the program does: case-insensitive, no auto-save.
    void load(CIniFile& ini, const std::string& content, bool ignoreCase = true)
    {
        write(content);
        ASSERT_TRUE(ini.Load(path_, false, ignoreCase).ok());
    }

    fs::path dir_;
    std::string path_;
};

TEST_F(IniFileTest, ParsesKeysValuesAndSections)
{
    CIniFile ini;
    load(ini,
         "  top = level \r\n"
         "[Setup]\r\n"
         "Language =  Chinese\t\r\n"
         "Expr=a=b\r\n"
         "bare line\r\n"
         "# not a comment\r\n"
         "; gone\r\n// gone\r\n/* gone\r\n\\ gone\r\n* gone\r\n= no key\r\n\r\n"
         "[ Spaced Name ]\r\n"
         "k=v"); // last line without a line end
    EXPECT_EQ(ini.GetString("", "top", "?"), "level");
    EXPECT_EQ(ini.GetString("Setup", "Language", ""), "Chinese");
    EXPECT_EQ(ini.GetString("Setup", "Expr", ""), "a=b");
    EXPECT_EQ(ini.GetString("Setup", "bare line", "?"), "");
    EXPECT_EQ(ini.GetString("Setup", "# not a comment", "?"), "");
    EXPECT_EQ(ini.GetString(" Spaced Name ", "k", ""), "v");
    ASSERT_EQ(ini.sections().size(), 3u);
    EXPECT_EQ(ini.sections()[1].keys.size(), 4u); // comments and the empty key are dropped
}

TEST_F(IniFileTest, CutsNotesWhenReadingButStoresThemWhole)
{
    CIniFile ini;
    load(ini, "[S]\n"
              "slashes=word // note\n"
              "semicolon=word ;note\n"
              "tabsemi=word\t;note\n"
              "block=a/*b\n"
              "order=x\t;y//z\n");
    EXPECT_EQ(ini.GetString("S", "slashes", ""), "word ");
    EXPECT_EQ(ini.GetString("S", "semicolon", ""), "word ;note");
    EXPECT_EQ(ini.GetString("S", "tabsemi", ""), "word");
    EXPECT_EQ(ini.GetString("S", "block", ""), "a");
    EXPECT_EQ(ini.GetString("S", "order", ""), "x");
    EXPECT_EQ(ini.sections()[1].values[0], "word // note");
}

// A byte-order mark is no part of a line: skipped when read, kept when written at the start
// of the file, dropped where two such files were joined into one.
TEST_F(IniFileTest, ByteOrderMarksAreNoPartOfALine)
{
    const struct {
        const char* content;
        const char* section;
        const char* key;
        const char* value;
        const char* saved; // after Setup/ShowLang=1 was set
    } cases[] = {
        {"\xEF\xBB\xBF[Setup]\r\nLanguage=Chinese\r\n", "Setup", "Language", "Chinese",
         "\xEF\xBB\xBF[Setup]\r\nLanguage=Chinese\r\nShowLang=1\r\n"},
        {"[Setup]\r\nLanguage=Chinese\r\n\xEF\xBB\xBF; the second file\r\n\xEF\xBB\xBF[Other]\r\nKey=1\r\n",
         "Other", "Key", "1", "[Setup]\r\nLanguage=Chinese\r\nShowLang=1\r\n[Other]\r\nKey=1\r\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.saved);
        CIniFile ini;
        load(ini, c.content);
        EXPECT_EQ(ini.GetString(c.section, c.key, ""), c.value);
        ini.SetString("Setup", "ShowLang", "1");
        ASSERT_TRUE(ini.Save().ok());
        EXPECT_EQ(read(), c.saved);
    }
}

TEST_F(IniFileTest, DefaultsTrimmedOnlyForMissingKeyInExistingSection)
{
    CIniFile ini;
    load(ini, "[Setup]\nLanguage=English\n");
    EXPECT_EQ(ini.GetString("Setup", "Missing", "  dflt \t"), "dflt");
    EXPECT_EQ(ini.GetString("Nowhere", "Missing", "  dflt \t"), "  dflt \t");
}

TEST_F(IniFileTest, EmptyFileHasNoSectionsAndWritesTwoLines)
{
    CIniFile ini;
    load(ini, "");
    EXPECT_EQ(ini.FindSection(""), -1);
    EXPECT_EQ(ini.GetString("", "k", " d "), " d ");
    ini.SetString("Setup", "Language", "English");
    EXPECT_TRUE(ini.changed());
    EXPECT_TRUE(ini.Save().ok());
    EXPECT_EQ(read(), "[Setup]\r\nLanguage=English\r\n");
}

TEST_F(IniFileTest, DuplicatesFirstSectionLastKeyAndAllWrittenBack)
{
    CIniFile ini;
    load(ini, "[A]\nk=1\nk=2\n[A]\nk=3\n");
    EXPECT_EQ(ini.GetString("A", "k", ""), "2");
    ini.SetString("A", "k", "9");
    EXPECT_EQ(ini.GetString("A", "k", ""), "9");
    ASSERT_TRUE(ini.Save().ok());
    EXPECT_EQ(read(), "[A]\r\nk=1\r\nk=9\r\n[A]\r\nk=3\r\n");
}

TEST_F(IniFileTest, OddLinesAreWrittenBackAsKeys)
{
    CIniFile ini;
    load(ini, "head=1\n[Setup] ; note\nlonely\n[]\ninner=x\n");
    EXPECT_EQ(ini.FindSection("Setup"), -1);
    EXPECT_EQ(ini.GetString("", "[Setup] ; note", "?"), "");
    ini.SetString("", "head", "2");
    ASSERT_TRUE(ini.Save().ok());
    EXPECT_EQ(read(), "head=2\r\n[Setup] ; note=\r\nlonely=\r\n[]\r\ninner=x\r\n");

    // Read again, the nameless section keeps its keys: they never join the one before it,
    // where they could hide that section's own values.
    CIniFile again;
    ASSERT_TRUE(again.Load(path_, false, true).ok());
    EXPECT_EQ(again.GetString("", "inner", ""), "");
    ASSERT_EQ(again.sections().size(), 2u);
    EXPECT_EQ(again.sections()[1].keys, std::vector<std::string>{"inner"});
}

TEST_F(IniFileTest, LetterCaseFollowsTheOption)
{
    CIniFile folded;
    load(folded, "[Setup]\nLanguage=English\n", true);
    EXPECT_EQ(folded.GetString("setup", "LANGUAGE", ""), "English");

    // Same value in another case: stored as given, not a change.
    folded.SetString("SETUP", "language", "ENGLISH");
    EXPECT_FALSE(folded.changed());
    EXPECT_EQ(folded.GetString("Setup", "Language", ""), "ENGLISH");

    CIniFile exact;
    load(exact, "[Setup]\nLanguage=English\n", false);
    EXPECT_EQ(exact.GetString("setup", "Language", "d"), "d");
    EXPECT_EQ(exact.GetString("Setup", "language", "d"), "d");
    exact.SetString("Setup", "Language", "english");
    EXPECT_TRUE(exact.changed());
}

TEST_F(IniFileTest, ChangedMarkAndSaveOnlyWhenChanged)
{
    CIniFile ini;
    load(ini, "[S]\nk=v\n");
    ini.SetString("S", "k", "v");
    EXPECT_FALSE(ini.changed());
    write("untouched");
    EXPECT_TRUE(ini.Save().ok());
    EXPECT_EQ(read(), "untouched");

    ini.SetString("S", "new", ""); // a new key is a change even with an empty value
    EXPECT_TRUE(ini.changed());
    ASSERT_TRUE(ini.Save().ok());
    EXPECT_TRUE(ini.changed()); // stays set after writing
    EXPECT_EQ(read(), "[S]\r\nk=v\r\nnew=\r\n");

    ini.Clear();
    EXPECT_FALSE(ini.changed());
    EXPECT_TRUE(ini.filePath().empty());
    ini.SetString("S", "k", "ignored without a file");
    EXPECT_TRUE(ini.sections().empty());
}

TEST_F(IniFileTest, SetStringStoresWithoutTrimmingAndAddsSections)
{
    CIniFile ini;
    load(ini, "a=1\n");
    ini.SetString("New", " spaced ", " value ");
    ASSERT_TRUE(ini.Save().ok());
    EXPECT_EQ(read(), "a=1\r\n[New]\r\n spaced = value \r\n");
}

TEST_F(IniFileTest, MissingFileIsCreatedEmpty)
{
    CIniFile ini;
    ASSERT_TRUE(ini.Load(path_, false, true).ok());
    EXPECT_TRUE(fs::exists(path_));
    EXPECT_EQ(ini.filePath(), path_);
    EXPECT_EQ(ini.GetString("Setup", "Language", ""), "");
}

TEST_F(IniFileTest, UnopenablePathLeavesStoreWithoutFile)
{
    CIniFile ini;
    const FileResult loaded = ini.Load((dir_ / "no" / "such" / "dir.ini").string(), true, true);
    EXPECT_FALSE(loaded.ok());
    EXPECT_NE(loaded.reason.find("No such file"), std::string::npos) << loaded.reason;
    EXPECT_TRUE(ini.filePath().empty());
    ini.SetString("Setup", "Language", "English");
    EXPECT_FALSE(ini.changed());
    const FileResult saved = ini.Save();
    EXPECT_FALSE(saved.ok());
    EXPECT_FALSE(saved.reason.empty());
    EXPECT_EQ(ini.GetString("Setup", "Language", "x"), "x");
}

TEST_F(IniFileTest, UnreadableFileIsNotTakenForEmpty)
{
    SKIP_WITHOUT_POSIX_FILES();
    if (testsystem::permissionsIgnored())
        GTEST_SKIP() << "root reads unreadable files";
    write("[Setup]\nLanguage=Chinese\n");
    fs::permissions(path_, fs::perms::owner_write);
    CIniFile ini;
    EXPECT_FALSE(ini.Load(path_, true, true).ok());
    ini.SetString("Setup", "Language", "English");
    EXPECT_FALSE(ini.Save().ok());
    fs::permissions(path_, fs::perms::owner_read | fs::perms::owner_write);
    EXPECT_EQ(read(), "[Setup]\nLanguage=Chinese\n");
}

TEST_F(IniFileTest, ReloadDropsPreviousContents)
{
    CIniFile ini;
    load(ini, "[A]\nk=1\n");
    load(ini, "[B]\nk=2\n");
    EXPECT_EQ(ini.FindSection("A"), -1);
    EXPECT_EQ(ini.GetString("B", "k", ""), "2");
}

TEST_F(IniFileTest, ZeroBytesEndALineTextAndLongLinesSurvive)
{
    CIniFile ini;
    const std::string longValue(100000, 'x');
    load(ini, std::string("[S]\nk=v\0junk\n", 13) + std::string(64, '\0') + "\nlong=" + longValue + "\n");
    EXPECT_EQ(ini.GetString("S", "k", ""), "v");
    EXPECT_EQ(ini.GetString("S", "long", ""), longValue);
    EXPECT_EQ(ini.sections()[1].keys.size(), 2u);
}

TEST_F(IniFileTest, AutoSaveOnDestruction)
{
    write("[Setup]\nLanguage=English\n");
    {
        CIniFile ini;
        ASSERT_TRUE(ini.Load(path_, true, true).ok());
        ini.SetString("Setup", "Language", "Chinese");
    }
    EXPECT_EQ(read(), "[Setup]\r\nLanguage=Chinese\r\n");
    {
        CIniFile ini; // unchanged: the file is left as it is
        ASSERT_TRUE(ini.Load(path_, true, true).ok());
        write("kept");
    }
    EXPECT_EQ(read(), "kept");
}

TEST_F(IniFileTest, OpenTakesTheProgramDirectory)
{
    write("[Setup]\nLanguage=Chinese\n");
    CIniFile ini;
    ASSERT_TRUE(ini.Open("Program.ini", false, true, (dir_ / "qx260").string()).ok());
    EXPECT_EQ(ini.filePath(), path_);
    EXPECT_EQ(ini.GetString("Setup", "Language", ""), "Chinese");

    const fs::path before = fs::current_path();
    fs::current_path(dir_);
    CIniFile bare;
    EXPECT_TRUE(bare.Open("Program.ini", false, true, "qx260").ok());
    fs::current_path(before);
    EXPECT_EQ(bare.GetString("Setup", "Language", ""), "Chinese");
}

TEST_F(IniFileTest, FailedSaveKeepsTheWholeOldFile)
{
    // The data cannot be made durable (or anything else fails once the new file is
    // written): the old file stays as it was and no temporary is left beside it.
    CIniFile ini;
    load(ini, "[S]\nk=a long old value that is longer than the new one\n");
    ini.SetString("S", "k", "v");
    const qx260::FileSyncHook previous =
        qx260::setFileSyncHook([](const std::string&, qx260::SyncTarget target) {
            return target == qx260::SyncTarget::File ? FileResult::failure("Input/output error")
                                                     : FileResult{};
        });
    const FileResult saved = ini.Save();
    qx260::setFileSyncHook(previous);
    EXPECT_EQ(saved.reason, "Input/output error");
    EXPECT_EQ(read(), "[S]\nk=a long old value that is longer than the new one\n");
    EXPECT_EQ(std::distance(fs::directory_iterator(dir_), fs::directory_iterator()), 1);
    EXPECT_EQ(ini.GetString("S", "k", ""), "v"); // still in memory
}

TEST_F(IniFileTest, ReadOnlyFileIsNotReplaced)
{
    // Judged by the file's permissions, so also when the system would let the write pass.
    CIniFile ini;
    load(ini, "[S]\nk=old\n");
    ini.SetString("S", "k", "new");
    fs::permissions(path_, fs::perms::owner_read);
    EXPECT_FALSE(ini.Save().ok());
    fs::permissions(path_, fs::perms::owner_read | fs::perms::owner_write);
    EXPECT_EQ(read(), "[S]\nk=old\n");
    EXPECT_EQ(ini.GetString("S", "k", ""), "new"); // still in memory
}

TEST_F(IniFileTest, AStaleTemporaryOfItsOwnGoesWithTheNextSave)
{
    // Left by saves killed part-way: only "<file>.tmp-" and six letters or digits, older
    // than this process. Another file's, another pattern's and a newer one stay.
    struct Case {
        std::string name;
        bool old;
        bool removed;
    };
    const std::vector<Case> cases = {
        {"Program.ini.tmp-a1B2c3", true, true},   {"Program.ini.tmp-zzzzzz", true, true},
        {"Program.ini.tmp-a1B2c", true, false},   {"Program.ini.tmp-a1B2c34", true, false},
        {"Program.ini.tmp-a1B2c!", true, false},  {"Other.ini.tmp-a1B2c3", true, false},
        {"Program.ini.tmp-new123", false, false}, {"Program.ini.bak", true, false},
    };
    for (const Case& c : cases) {
        std::ofstream(dir_ / c.name) << "left";
        const auto now = fs::file_time_type::clock::now();
        fs::last_write_time(dir_ / c.name, c.old ? now - std::chrono::hours(1) : now + std::chrono::hours(1));
    }
    fs::create_directory(dir_ / "Program.ini.tmp-folder"); // not a file: stays
    CIniFile ini;
    load(ini, "[S]\nk=old\n");
    ini.SetString("S", "k", "new");
    ASSERT_TRUE(ini.Save().ok());
    for (const Case& c : cases)
        EXPECT_EQ(fs::exists(dir_ / c.name), !c.removed) << c.name;
    EXPECT_TRUE(fs::is_directory(dir_ / "Program.ini.tmp-folder"));
}

// Installed: the user's own file over the shipped one. Only the language comes from the
// user's file; every other value from the shipped one, so a newer shipped file reaches a
// user who has an old full copy.
TEST_F(IniFileTest, TheUsersFileOverTheShippedOne)
{
    const std::string shipped = (dir_ / "shipped.ini").string();
    std::ofstream(shipped, std::ios::binary)
        << "[Setup]\nLanguage=English\nType1=NEW\nField1=136 - 174MHz\n[English]\nTitle=T\n";
    const std::vector<CIniFile::OwnKey> own{{"Setup", "Language"}};
    struct Case {
        const char* name;
        const char* userFile; // nullptr: none
        const char* language;
        const char* type;
    };
    const std::vector<Case> cases = {
        {"no file of the user's yet", nullptr, "English", "NEW"},
        {"the language chosen", "[Setup]\r\nLanguage=Chinese\r\n", "Chinese", "NEW"},
        {"an old full copy", "[Setup]\nLanguage=Chinese\nType1=OLD\nType2=GONE\n", "Chinese", "NEW"},
        {"a file that names no language", "[Other]\nk=v\n", "English", "NEW"},
        {"a binary file", "\x01\x02\xff[\x00]=\n", "English", "NEW"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        fs::remove(path_);
        if (c.userFile)
            write(c.userFile);
        const std::string before = c.userFile ? read() : std::string();
        CIniFile ini;
        ASSERT_TRUE(ini.LoadOwn(path_, false, true).ok());
        ASSERT_TRUE(ini.LoadDefaults(shipped, own).ok());
        EXPECT_EQ(fs::exists(path_), c.userFile != nullptr); // loading makes no file
        EXPECT_EQ(ini.GetString("setup", "LANGUAGE", ""), c.language);
        EXPECT_EQ(ini.GetString("Setup", "Type1", ""), c.type);
        EXPECT_EQ(ini.GetString("Setup", "Type2", "none"), "none");
        EXPECT_EQ(ini.GetString("English", "Title", ""), "T");
        EXPECT_EQ(ini.defaultsPath(), shipped);
        ASSERT_TRUE(ini.Save().ok()); // nothing changed: nothing written
        EXPECT_EQ(c.userFile ? read() : std::string(), before);
    }

    // Choosing a language writes the user's file only; a first choice makes it with that
    // key alone.
    fs::remove(path_);
    const std::string shippedBefore =
        "[Setup]\nLanguage=English\nType1=NEW\nField1=136 - 174MHz\n[English]\nTitle=T\n";
    CIniFile ini;
    ASSERT_TRUE(ini.LoadOwn(path_, false, true).ok());
    ASSERT_TRUE(ini.LoadDefaults(shipped, own).ok());
    ini.SetString("Setup", "Language", "Chinese");
    ASSERT_TRUE(ini.Save().ok());
    EXPECT_EQ(read(), "[Setup]\r\nLanguage=Chinese\r\n");
    std::ifstream in(shipped, std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()),
              shippedBefore);

    // A shipped file that cannot be read is said; the user's file is still read.
    CIniFile missing;
    ASSERT_TRUE(missing.LoadOwn(path_, false, true).ok());
    EXPECT_FALSE(missing.LoadDefaults((dir_ / "none.ini").string(), own).ok());
    EXPECT_FALSE(fs::exists(dir_ / "none.ini"));
    EXPECT_EQ(missing.GetString("Setup", "Language", ""), "Chinese");
}

} // namespace
