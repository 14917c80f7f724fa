// The topics file of the user manual as the program reads it: comments, the default line,
// lines it must refuse (places outside the manual's folder among them), and the file that
// ships with the manual.

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "core/config/HelpTopics.h"

using namespace qx260;

namespace
{

struct PlaceCase {
    const char* text;
    int topic;
    const char* place;
    std::vector<int> unusableLines;
};

const PlaceCase kCases[] = {
    // a topic's own line, with and without a trailing comment
    {"144 connecting.html#port-setting\n", 144, "connecting.html#port-setting", {}},
    {"1000  channels.html#channel-grid   # the grid\n", 1000, "channels.html#channel-grid", {}},
    {"32799\tproduct-setup.html#language\r\n", 32799, "product-setup.html#language", {}},
    {"128 index.html\n", 128, "index.html", {}},
    // a number without a line: the default line, else the contents
    {"default main-window.html#keys\n1 a.html#b\n", 7, "main-window.html#keys", {}},
    {"1 a.html#b\n", 7, "index.html#contents", {}},
    {"", 7, "index.html#contents", {}},
    // comments: "#" at the start or after a blank; the one inside PAGE#ANCHOR is not
    {"# 5 x.html#y\n   # 5 x.html#z\n5 y.html#a#b\n", 5, "index.html#contents", {3}},
    {"5 x.html#y#comment\n", 5, "index.html#contents", {1}},
    // unusable lines are skipped and listed; the rest still counts
    {"5\n6 x.html#a extra\nfive x.html#a\n7 x.html#a\n", 7, "x.html#a", {1, 2, 3}},
    {"5 x.html#a\n5 y.html#b\n", 5, "y.html#b", {}},
    {"99999999999 x.html#a\n", 5, "index.html#contents", {1}},
    // places outside the manual's folder, or not pages, are never taken
    {"5 ../../etc/passwd\n", 5, "index.html#contents", {1}},
    {"5 /tmp/x.html#a\n", 5, "index.html#contents", {1}},
    {"5 https://example.invalid/x.html\n", 5, "index.html#contents", {1}},
    {"5 x.html#a\"onload\n", 5, "index.html#contents", {1}},
    {"5 x.html#\n6 .html\n7 x.txt#a\ndefault ../x.html\n", 5, "index.html#contents", {1, 2, 3, 4}},
};

class HelpTopicsPlace : public ::testing::TestWithParam<PlaceCase>
{
};

TEST_P(HelpTopicsPlace, IsTheLineOfTheTopicOrTheDefault)
{
    const PlaceCase& c = GetParam();
    const HelpTopics topics = HelpTopics::parse(c.text);
    EXPECT_EQ(topics.placeOf(c.topic), c.place) << c.text;
    EXPECT_EQ(topics.unusableLines(), c.unusableLines) << c.text;
    EXPECT_EQ(topics.ok(), c.unusableLines.empty());
}

INSTANTIATE_TEST_SUITE_P(Lines, HelpTopicsPlace, ::testing::ValuesIn(kCases));

TEST(HelpTopicsFile, TheShippedMapIsReadWhole)
{
    std::ifstream in(QX260_SOURCE_DIR "/doc/manual/topics.txt", std::ios::binary);
    ASSERT_TRUE(in);
    std::stringstream text;
    text << in.rdbuf();
    const HelpTopics topics = HelpTopics::parse(text.str());
    EXPECT_TRUE(topics.ok()) << "first unusable line: " << topics.unusableLines().front();
    // The topics the windows ask for most: the channel window, the dialogs, a menu command.
    EXPECT_EQ(topics.placeOf(1000), "channels.html#channel-grid");
    EXPECT_EQ(topics.placeOf(1118), "optional-features.html#time-out-time");
    EXPECT_EQ(topics.placeOf(144), "connecting.html#port-setting");
    EXPECT_EQ(topics.placeOf(32773), "read-write.html#read");
    EXPECT_EQ(topics.placeOf(4242), "index.html#contents");
}

} // namespace
