// Saving and opening *.dat files: header then image, wrong or short files refused with the
// document kept, the system's reason for unreadable files, and saves that keep the old
// file on failure, reach the disk before the rename, and keep permissions and links.

#include "core/radio/CProgramDoc.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "core/config/FileAccess.h"
#include "tests/support/TestSystem.h"

using namespace qx260;
namespace fs = std::filesystem;

namespace
{

class DatFile : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        dir = testsystem::makeTempDirectory("qx260-dat-");
        ASSERT_FALSE(dir.empty());
    }
    void TearDown() override { fs::remove_all(dir); }

    std::string path(const std::string& name) const { return dir + "/" + name; }

    static void writeBytes(const std::string& p, const std::vector<std::uint8_t>& bytes)
    {
        std::ofstream out(p, std::ios::binary);
        out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    }
    static std::vector<std::uint8_t> readBytes(const std::string& p)
    {
        std::ifstream in(p, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }
    std::vector<std::string> entries() const
    {
        std::vector<std::string> names;
        for (const auto& e : fs::directory_iterator(dir))
            names.push_back(e.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }

    static RadioImage sampleImage()
    {
        RadioImage image = RadioImage::newImage();
        image.setRxFrequency(1, 14512500);
        image.setByte(0x3FF, 0x42); // beyond the transferred area, kept in the file
        return image;
    }

    std::string dir;
};

} // namespace

TEST_F(DatFile, SavedFileIsHeaderThenImage)
{
    const RadioImage image = sampleImage();
    const std::string p = path("a.dat");
    ASSERT_TRUE(saveDatFile(p, image).ok());
    const auto bytes = readBytes(p);
    ASSERT_EQ(bytes.size(), kDatFileSize);
    EXPECT_EQ(std::string(bytes.begin(), bytes.begin() + 4), "Q9F2");
    for (std::size_t i = 4; i < kDatHeaderSize; ++i)
        EXPECT_EQ(bytes[i], 0) << i;
    EXPECT_TRUE(std::equal(image.bytes().begin(), image.bytes().end(), bytes.begin() + kDatHeaderSize));

    RadioImage back;
    ASSERT_TRUE(loadDatFile(p, back).ok());
    EXPECT_EQ(back, image);
    EXPECT_EQ(entries(), std::vector<std::string>{"a.dat"}); // no temporary left behind
}

TEST_F(DatFile, WrongOrShortFilesAreRefusedAndTheImageIsKept)
{
    const auto good = serializeDat(sampleImage());
    std::vector<std::uint8_t> badMagic(good.begin(), good.end());
    badMagic[2] = 'G';
    std::vector<std::uint8_t> shortFile(good.begin(), good.end() - 1);
    std::vector<std::uint8_t> tiny = {'Q', '9', 'F', '2'};
    std::vector<std::uint8_t> headerOnly(good.begin(), good.begin() + kDatHeaderSize);
    std::vector<std::uint8_t> empty;

    for (const std::vector<std::uint8_t>* bytes : {&badMagic, &shortFile, &tiny, &headerOnly, &empty}) {
        writeBytes(path("x.dat"), *bytes);
        RadioImage image = RadioImage::newImage();
        const DocumentResult r = loadDatFile(path("x.dat"), image);
        EXPECT_EQ(r.error, DocumentError::FormatError) << bytes->size();
        EXPECT_EQ(image, RadioImage::newImage());
    }
}

TEST_F(DatFile, HeaderPaddingIgnoredAndTrailingBytesDropped)
{
    const RadioImage image = sampleImage();
    const auto good = serializeDat(image);
    std::vector<std::uint8_t> bytes(good.begin(), good.end());
    bytes[7] = 0x99;
    bytes.insert(bytes.end(), 5000, 0xAB);
    writeBytes(path("long.dat"), bytes);
    RadioImage loaded;
    ASSERT_TRUE(loadDatFile(path("long.dat"), loaded).ok());
    EXPECT_EQ(loaded, image);
}

TEST_F(DatFile, UnreadableFilesNameTheSystemReason)
{
    RadioImage image;
    DocumentResult r = loadDatFile(path("missing.dat"), image);
    EXPECT_EQ(r.error, DocumentError::OpenFailed);
    EXPECT_NE(r.reason.find("No such file"), std::string::npos) << r.reason;

    r = loadDatFile(dir, image);
    EXPECT_EQ(r.error, DocumentError::OpenFailed);
    EXPECT_FALSE(r.reason.empty());
}

TEST_F(DatFile, FailedSaveLeavesNoTraceAndKeepsTheOldFile)
{
    const std::vector<std::uint8_t> old = {1, 2, 3};
    // A name that fits, but leaves no room for the temporary's suffix.
    const std::string longName = std::string(250, 'n') + ".dat";
#ifdef _WIN32
    const char* const kNameTooLongReason = ""; // the C library there says "No such file or directory"
#else
    const char* const kNameTooLongReason = "File name too long";
#endif
    const FileSyncHook failingSync = [](const std::string&, SyncTarget target) {
        return target == SyncTarget::File ? FileResult::failure("Input/output error") : FileResult{};
    };
    struct Case {
        const char* what;
        std::string target;
        std::string kept; // a file that must come through unchanged
        FileSyncHook sync;
        std::string reason; // empty: any
    } const cases[] = {
        {"no such folder", path("nodir/a.dat"), "", nullptr, "No such file or directory"},
        // the rename fails after the data was written
        {"a folder in the way", path("taken.dat"), path("taken.dat/keep"), nullptr, ""},
        {"no room for the temporary's name", path(longName), path(longName), nullptr, kNameTooLongReason},
        {"the data does not reach the disk", path("a.dat"), path("a.dat"), failingSync, "Input/output error"},
    };
    fs::create_directory(path("taken.dat"));
    writeBytes(path("taken.dat/keep"), old);
    writeBytes(path(longName), old);
    writeBytes(path("a.dat"), old);
    const std::vector<std::string> before = entries();

    for (const Case& c : cases) {
        const FileSyncHook previous = setFileSyncHook(c.sync);
        const DocumentResult r = saveDatFile(c.target, sampleImage());
        setFileSyncHook(previous);
        EXPECT_EQ(r.error, DocumentError::WriteFailed) << c.what;
        EXPECT_FALSE(r.reason.empty()) << c.what;
        if (!c.reason.empty()) {
            EXPECT_EQ(r.reason, c.reason) << c.what;
        }
        if (!c.kept.empty()) {
            EXPECT_EQ(readBytes(c.kept), old) << c.what;
        }
        EXPECT_EQ(entries(), before) << c.what << ": a temporary was left behind";
    }
}

TEST_F(DatFile, SaveSyncsTheCompleteDataBeforeTheRenameThenTheFolder)
{
    struct Sync {
        std::string path;
        SyncTarget target;
        std::uintmax_t size;
    };
    static std::vector<Sync> syncs;
    syncs.clear();
    const FileSyncHook previous = setFileSyncHook([](const std::string& p, SyncTarget target) {
        std::error_code ec;
        syncs.push_back({p, target, target == SyncTarget::File ? fs::file_size(p, ec) : 0});
        return FileResult{};
    });
    writeBytes(path("a.dat"), {9});
    const DocumentResult r = saveDatFile(path("a.dat"), sampleImage());
    setFileSyncHook(previous);

    ASSERT_TRUE(r.ok()) << r.reason;
    ASSERT_EQ(syncs.size(), 2u);
    EXPECT_EQ(syncs[0].target, SyncTarget::File);
    EXPECT_EQ(syncs[0].path.rfind(path("a.dat.tmp-"), 0), 0u) << syncs[0].path;
    EXPECT_EQ(syncs[0].size, kDatFileSize);
    EXPECT_EQ(syncs[1].target, SyncTarget::Folder);
    EXPECT_EQ(fs::path(syncs[1].path), fs::path(dir));
}

TEST_F(DatFile, SaveReplacesAndKeepsPermissionsAndLinks)
{
    SKIP_WITHOUT_POSIX_FILES();
    const std::string p = path("a.dat");
    writeBytes(p, {9, 9, 9});
    ASSERT_EQ(chmod(p.c_str(), 0640), 0);
    ASSERT_TRUE(saveDatFile(p, sampleImage()).ok());
    struct stat st;
    ASSERT_EQ(stat(p.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0640u);
    EXPECT_EQ(readBytes(p).size(), kDatFileSize);

    // Saving through a link writes the file it points to and keeps the link.
    fs::create_symlink("a.dat", path("link.dat"));
    RadioImage other = sampleImage();
    other.setRxFrequency(2, 15000000);
    ASSERT_TRUE(saveDatFile(path("link.dat"), other).ok());
    EXPECT_TRUE(fs::is_symlink(path("link.dat")));
    RadioImage back;
    ASSERT_TRUE(loadDatFile(p, back).ok());
    EXPECT_EQ(back, other);
}
