// The document: a new one's defaults, title and path, saving and opening it again, and
// failed opens and saves that change nothing of it.

#include "core/radio/CProgramDoc.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>

#include "core/config/ProcessValues.h"
#include "tests/support/TestSystem.h"

using namespace qx260;
namespace fs = std::filesystem;

namespace
{

class Document : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        dir = testsystem::makeTempDirectory("qx260-doc-");
        ASSERT_FALSE(dir.empty());
        std::ofstream(dir + "/Program.ini") << "[Setup]\nAppName=QX-260 Programmer\n";
        ASSERT_TRUE(values.configurationStore.Load(dir + "/Program.ini").ok());
    }
    void TearDown() override { fs::remove_all(dir); }

    std::string dir;
    ProcessValues values;
};

} // namespace

TEST_F(Document, NewDocumentTakesDefaultsTitleAndPath)
{
    for (bool chinese : {false, true}) {
        values.setLanguage(languageOf(chinese));
        CProgramDoc doc;
        doc.modified = true;
        EXPECT_TRUE(doc.OnNewDocument(values));
        EXPECT_EQ(doc.image, RadioImage::newImage());
        EXPECT_EQ(doc.title, chinese ? "信道信息" : "Channel Information");
        EXPECT_EQ(doc.pathName, "QX-260 Programmer");
        EXPECT_TRUE(doc.newDocumentFlag);
        EXPECT_FALSE(doc.modified);
    }
}

TEST_F(Document, SaveThenOpenRoundTrips)
{
    CProgramDoc doc;
    doc.OnNewDocument(values);
    doc.image.setRxFrequency(5, 14500000);
    doc.modified = true;
    const std::string p = dir + "/five.dat";
    ASSERT_TRUE(doc.OnSaveDocument(p).ok());
    EXPECT_FALSE(doc.modified);
    EXPECT_EQ(doc.pathName, p);
    EXPECT_EQ(doc.title, "five.dat");

    CProgramDoc opened;
    opened.newDocumentFlag = true;
    ASSERT_TRUE(opened.OnOpenDocument(p).ok());
    EXPECT_FALSE(opened.newDocumentFlag);
    EXPECT_EQ(opened.image, doc.image);
    EXPECT_EQ(opened.title, "five.dat");
}

TEST_F(Document, FailedOpenChangesNothing)
{
    CProgramDoc doc;
    doc.OnNewDocument(values);
    doc.image.setRxFrequency(1, 14500000);
    const RadioImage before = doc.image;
    std::ofstream(dir + "/bad.dat") << "not a radio file";

    EXPECT_EQ(doc.OnOpenDocument(dir + "/bad.dat").error, DocumentError::FormatError);
    EXPECT_EQ(doc.OnOpenDocument(dir + "/none.dat").error, DocumentError::OpenFailed);
    EXPECT_EQ(doc.image, before);
    EXPECT_EQ(doc.title, "Channel Information");
    EXPECT_TRUE(doc.newDocumentFlag);
}

TEST_F(Document, FailedSaveKeepsPathAndModifiedMark)
{
    CProgramDoc doc;
    doc.OnNewDocument(values);
    doc.modified = true;
    const DocumentResult r = doc.OnSaveDocument(dir + "/missing/x.dat");
    EXPECT_EQ(r.error, DocumentError::WriteFailed);
    EXPECT_TRUE(doc.modified);
    EXPECT_EQ(doc.pathName, "QX-260 Programmer");
}
