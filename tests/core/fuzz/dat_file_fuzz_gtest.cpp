// Loading damaged and random *.dat files: a refused file never changes the open
// document, and an accepted one always decodes and encodes without harm.

#include <gtest/gtest.h>

#include <fstream>

#include <sys/stat.h>

#include "core/channels/Channel.h"
#include "core/channels/ChannelCodec.h"
#include "core/config/CIniFile.h"
#include "core/config/ProcessValues.h"
#include "core/config/UserStore.h"
#include "core/radio/CProgramDoc.h"
#include "tests/core/fuzz/FuzzSupport.h"

using namespace qx260;
using qx260::fuzz::Random;
namespace fs = std::filesystem;

namespace
{

using Bytes = std::vector<std::uint8_t>;

void writeFile(const std::string& path, const Bytes& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

Bytes validFile(Random& r)
{
    RadioImage image = RadioImage::newImage();
    for (int n = 1; n <= kChannelCount; ++n) {
        if (r.chance(60))
            image.setRxFrequency(n, static_cast<std::uint32_t>(r.range(13000000, 17400000)));
        if (r.chance(60))
            image.setTxFrequency(n, static_cast<std::uint32_t>(r.range(13000000, 17400000)));
    }
    const auto file = serializeDat(image);
    return Bytes(file.begin(), file.end());
}

// The bits of the image the channel codec writes (decode of a new document also writes
// the two product bytes).
class DatFileFuzz : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.ok());
        std::ofstream(dir.file("Program.ini"), std::ios::binary)
            << "[Setup]\nAppName=QX\nType1=QX-260\nField1=130 - 160MHz|136 - 174MHz|\n"
               "Type2=QX-260L\nField2=136.5-150.0625MHz\nType3=X\nField3=|\n"
               "[English]\nAppName=Programmer\n[Chinese]\nAppName=写频软件\n";
        ASSERT_TRUE(values.configurationStore.Load(dir.file("Program.ini"), false, true).ok());
    }

    // Loads `bytes` into a document that already holds another file and checks the
    // outcome against what the file is.
    void loadAndCheck(const Bytes& bytes, Random& r)
    {
        const std::string path = dir.file("in.dat");
        writeFile(path, bytes);

        CProgramDoc doc;
        doc.image = RadioImage::newImage();
        doc.image.setByte(r.below(kImageSize), r.byte());
        doc.title = "kept.dat";
        doc.pathName = "/somewhere/kept.dat";
        doc.modified = true;
        const CProgramDoc before = doc;

        const DocumentResult result = doc.OnOpenDocument(path);
        const bool acceptable = bytes.size() >= kDatFileSize && bytes[0] == 'Q' && bytes[1] == '9' &&
                                bytes[2] == 'F' && bytes[3] == '2';
        ASSERT_EQ(result.ok(), acceptable) << "file of " << bytes.size() << " bytes";
        if (!acceptable) {
            EXPECT_EQ(result.error, DocumentError::FormatError);
            EXPECT_TRUE(doc.image == before.image) << "a refused file changed the document";
            EXPECT_EQ(doc.title, before.title);
            EXPECT_EQ(doc.pathName, before.pathName);
            EXPECT_TRUE(doc.modified);
            return;
        }
        ASSERT_TRUE(
            std::equal(doc.image.bytes().begin(), doc.image.bytes().end(), bytes.begin() + kDatHeaderSize));
        ++accepted;
        decodeEncode(doc.image, r);
    }

    // Opened as the window opens it and stored back: only a new document's product bytes may
    // change (they take the user's choice), and the channels give back every byte.
    void decodeEncode(const RadioImage& loaded, Random& r)
    {
        const bool newDocument = r.chance(20);
        RadioImage image = loaded;
        settleProductChoice(image, newDocument, store, values.configurationStore);
        encodeChannels(decodeChannels(image), image);
        for (std::size_t i = 0; i < kImageSize; ++i) {
            if (newDocument && (i == offset::ProductType || i == offset::BandIndex))
                continue;
            ASSERT_EQ(int(image.byte(i)), int(loaded.byte(i))) << "offset " << i;
        }
    }

    fuzz::TempDir dir;
    ProcessValues values;
    MemoryUserStore store;
    int accepted = 0;
};

TEST_F(DatFileFuzz, RandomBytesOfAnyLength)
{
    Random r(1);
    for (int i = 0; i < 2000; ++i) {
        Bytes bytes(r.chance(50) ? r.below(kDatFileSize + 200) : kDatFileSize + r.below(3));
        for (auto& b : bytes)
            b = r.byte();
        if (bytes.size() >= 4 && r.chance(60))
            std::copy_n("Q9F2", 4, bytes.begin());
        loadAndCheck(bytes, r);
        if (HasFatalFailure())
            return;
    }
    EXPECT_GT(accepted, 300);
}

TEST_F(DatFileFuzz, EveryTruncationOfAValidFileIsRefused)
{
    Random r(2);
    const Bytes file = validFile(r);
    for (std::size_t size = 0; size <= kDatFileSize; ++size) {
        loadAndCheck(Bytes(file.begin(), file.begin() + static_cast<std::ptrdiff_t>(size)), r);
        if (HasFatalFailure())
            return;
    }
    EXPECT_EQ(accepted, 1);
}

TEST_F(DatFileFuzz, MutationsOfAValidFile)
{
    Random r(3);
    for (int i = 0; i < 2000; ++i) {
        loadAndCheck(fuzz::mutate(validFile(r), r, r.range(1, 8)), r);
        if (HasFatalFailure())
            return;
    }
    EXPECT_GT(accepted, 300);
}

TEST_F(DatFileFuzz, SavedImagesLoadBackExactly)
{
    // File names reach the core as the bytes the system's file calls take: UTF-8 on POSIX
    // systems, the ANSI code page on Windows, which has no Chinese in Wine's default.
#ifdef _WIN32
    const char* const kOtherName = "other.dat";
#else
    const char* const kOtherName = "其他.dat";
#endif
    Random r(4);
    for (int i = 0; i < 40; ++i) {
        CProgramDoc doc;
        for (auto& b : doc.image.bytes())
            b = r.byte();
        const std::string path = dir.file(i % 2 ? "out.dat" : kOtherName);
        ASSERT_TRUE(doc.OnSaveDocument(path).ok());
        CProgramDoc loaded;
        ASSERT_TRUE(loaded.OnOpenDocument(path).ok());
        ASSERT_TRUE(loaded.image == doc.image);
    }
}

} // namespace

namespace
{

TEST_F(DatFileFuzz, PathsThatAreNoDocumentAreRefusedAtOnce)
{
    SKIP_WITHOUT_POSIX_FILES();
#ifndef _WIN32
    ASSERT_EQ(::mkfifo(dir.file("pipe.dat").c_str(), 0600), 0); // nobody ever writes to it
#endif
    fs::create_directory(dir.file("folder.dat"));
    // Each is refused before anything is read, with the reason a user can act on.
    struct Case {
        std::string path;
        std::string reason;
    } const cases[] = {
        {dir.file("pipe.dat"), "not a regular file"},
        {dir.file("folder.dat"), "Is a directory"},
        {dir.file("missing.dat"), "No such file or directory"},
        {"/dev/null", "not a regular file"},
        {"/dev/zero", "not a regular file"},
        {"", "No such file or directory"},
    };
    for (const Case& c : cases) {
        CProgramDoc doc;
        doc.image = RadioImage::newImage();
        doc.pathName = "kept.dat";
        const RadioImage before = doc.image;
        const DocumentResult result = doc.OnOpenDocument(c.path);
        EXPECT_EQ(result.error, DocumentError::OpenFailed) << c.path;
        EXPECT_EQ(result.reason, c.reason) << c.path;
        EXPECT_TRUE(doc.image == before) << c.path;
        EXPECT_EQ(doc.pathName, "kept.dat");
    }
}

} // namespace
