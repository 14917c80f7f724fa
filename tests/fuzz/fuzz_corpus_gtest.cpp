// The fuzz targets' seeds and every input a fuzzer ever found a fault with, replayed
// through the same property functions in every test run (no fuzzer needed): corpus/TARGET/
// holds the seeds, regressions/TARGET/ the minimised findings.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

#include "tests/fuzz/FuzzTarget.h"

namespace fs = std::filesystem;

namespace
{

using Property = void (*)(const std::uint8_t*, std::size_t);

// Replays every file of the target's folders; returns how many there were.
int replay(const std::string& target, Property property)
{
    qx260::fuzz::throwOnPropertyFailure();
    int files = 0;
    for (const char* kind : {"corpus", "regressions"}) {
        const fs::path folder = fs::path(QX260_FUZZ_DIR) / kind / target;
        std::error_code ec;
        if (!fs::is_directory(folder, ec))
            continue;
        std::vector<fs::path> paths;
        for (const fs::directory_entry& entry : fs::directory_iterator(folder))
            if (entry.is_regular_file())
                paths.push_back(entry.path());
        std::sort(paths.begin(), paths.end());
        for (const fs::path& path : paths) {
            std::ifstream in(path, std::ios::binary);
            const std::vector<std::uint8_t> bytes{std::istreambuf_iterator<char>(in), {}};
            ++files;
            try {
                property(bytes.data(), bytes.size());
            } catch (const qx260::fuzz::PropertyFailure& failure) {
                ADD_FAILURE() << path.string() << ": " << failure.text;
            }
        }
    }
    return files;
}

} // namespace

TEST(FuzzCorpus, DatFile)
{
    EXPECT_GT(replay("dat_file", qx260::fuzz::checkDatFile), 0);
}

TEST(FuzzCorpus, ConfigFiles)
{
    EXPECT_GT(replay("config_files", qx260::fuzz::checkConfigFiles), 0);
}

TEST(FuzzCorpus, ChannelCsv)
{
    EXPECT_GT(replay("channel_csv", qx260::fuzz::checkChannelCsv), 0);
}

TEST(FuzzCorpus, TypedValues)
{
    EXPECT_GT(replay("typed_values", qx260::fuzz::checkTypedValues), 0);
}

TEST(FuzzCorpus, Protocol)
{
    EXPECT_GT(replay("protocol", qx260::fuzz::checkProtocol), 0);
}
