#include "core/radio/CProgramDoc.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

using namespace qx260;
namespace fs = std::filesystem;

namespace {

class DatFile : public ::testing::Test {
protected:
    void SetUp() override
    {
        char pattern[] = "/tmp/qx260-dat-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        dir = pattern;
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
        image.setByte(0x3FF, 0x42);  // beyond the transferred area, kept in the file
        return image;
    }

    std::string dir;
};

}  // namespace

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
    EXPECT_EQ(entries(), std::vector<std::string>{"a.dat"});  // no temporary left behind
}

TEST_F(DatFile, WrongOrShortFilesAreRefusedAndTheImageIsKept)
{
    const auto good = serializeDat(sampleImage());
    std::vector<std::uint8_t> badMagic(good.begin(), good.end());
    badMagic[2] = 'G';
    std::vector<std::uint8_t> shortFile(good.begin(), good.end() - 1);
    std::vector<std::uint8_t> tiny = {'Q', '9', 'F', '2'};
    std::vector<std::uint8_t> empty;

    for (const std::vector<std::uint8_t>* bytes : {&badMagic, &shortFile, &tiny, &empty}) {
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
    // The directory does not exist: nothing can be created.
    DocumentResult r = saveDatFile(path("nodir/a.dat"), sampleImage());
    EXPECT_EQ(r.error, DocumentError::WriteFailed);
    EXPECT_FALSE(r.reason.empty());

    // The target is a non-empty directory: the rename fails after the data was written.
    fs::create_directory(path("taken.dat"));
    writeBytes(path("taken.dat/keep"), {1, 2, 3});
    r = saveDatFile(path("taken.dat"), sampleImage());
    EXPECT_EQ(r.error, DocumentError::WriteFailed);
    EXPECT_EQ(readBytes(path("taken.dat/keep")), (std::vector<std::uint8_t>{1, 2, 3}));
    EXPECT_EQ(entries(), std::vector<std::string>{"taken.dat"});
}

TEST_F(DatFile, SaveReplacesAndKeepsPermissionsAndLinks)
{
    const std::string p = path("a.dat");
    writeBytes(p, {9, 9, 9});
    ASSERT_EQ(chmod(p.c_str(), 0640), 0);
    ASSERT_TRUE(saveDatFile(p, sampleImage()).ok());
    struct stat st;
    ASSERT_EQ(stat(p.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0640u);
    EXPECT_EQ(readBytes(p).size(), kDatFileSize);

    // Saving through a link writes the file it points to and keeps the link.
    ASSERT_EQ(symlink("a.dat", path("link.dat").c_str()), 0);
    RadioImage other = sampleImage();
    other.setRxFrequency(2, 15000000);
    ASSERT_TRUE(saveDatFile(path("link.dat"), other).ok());
    EXPECT_TRUE(fs::is_symlink(path("link.dat")));
    RadioImage back;
    ASSERT_TRUE(loadDatFile(p, back).ok());
    EXPECT_EQ(back, other);
}
