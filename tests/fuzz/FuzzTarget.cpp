// The shared parts of the fuzz targets: reading the fuzzer's bytes, reporting a broken
// property, the scratch folder and the configuration the targets decode with.

#include "tests/fuzz/FuzzTarget.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "core/config/CIniFile.h"
#include "core/radio/Tones.h"
#include "tests/support/TestSystem.h"

namespace qx260::fuzz
{

namespace
{

bool throwing = false;

// The product types and bands of the shipped Program.ini, and a type whose band list is
// odd, so that decoding meets both.
constexpr std::string_view kConfiguration =
    "[Setup]\r\nLanguage=English\r\nAppName=QX-260 Programmer\r\n"
    "Type1=QX-260\r\nField1=130 - 160MHz|136 - 174MHz|144 - 148MHz\r\n"
    "Type2=QX-260L\r\nField2=136 - 150MHz|150 - 174MHz\r\n"
    "Type3=X\r\nField3=|174 - 136MHz\r\n"
    "[English]\r\nAppName=QX-260 Programming Software\r\n"
    "[Chinese]\r\nAppName=QX-260 写频软件\r\n";

// Made on first use, removed with everything in it when the process ends.
class ScratchFolder
{
  public:
    ScratchFolder() : path_(testsystem::makeTempDirectory("qx260-fuzz-"))
    {
        if (path_.empty()) {
            std::fprintf(stderr, "no scratch folder could be made\n");
            std::abort();
        }
    }
    ~ScratchFolder()
    {
        std::error_code ec;
        std::filesystem::remove_all(path_, ec);
    }
    const std::string& path() const { return path_; }

  private:
    std::string path_;
};

const std::string& scratchFolder()
{
    static const ScratchFolder folder;
    return folder.path();
}

} // namespace

std::string FuzzInput::text(char end)
{
    std::string out;
    while (!empty()) {
        const char c = static_cast<char>(data_[at_++]);
        if (c == end)
            break;
        out.push_back(c);
    }
    return out;
}

std::string_view FuzzInput::rest()
{
    const std::string_view out(reinterpret_cast<const char*>(data_ + at_), empty() ? 0 : size_ - at_);
    at_ = size_;
    return out;
}

void propertyFailed(const char* file, int line, const char* condition, const std::string& what)
{
    std::string text = std::string(file) + ":" + std::to_string(line) + ": " + condition + ": " + what;
    if (throwing)
        throw PropertyFailure{text};
    std::fprintf(stderr, "property broken: %s\n", text.c_str());
    std::abort();
}

void throwOnPropertyFailure()
{
    throwing = true;
}

std::string scratchFile(std::string_view name)
{
    return scratchFolder() + "/" + std::string(name);
}

const CIniFile& shippedConfiguration()
{
    static const CIniFile& config = []() -> const CIniFile& {
        const std::string path = scratchFile("shipped.ini");
        std::ofstream(path, std::ios::binary) << kConfiguration;
        static CIniFile ini;
        if (!ini.Load(path, false, true).ok()) {
            std::fprintf(stderr, "the configuration could not be loaded\n");
            std::abort();
        }
        return ini;
    }();
    return config;
}

std::string firstDifference(const RadioImage& before, const RadioImage& after)
{
    for (std::size_t o = 0; o < kImageSize; ++o)
        if (before.byte(o) != after.byte(o))
            return "offset " + std::to_string(o) + ": " + std::to_string(before.byte(o)) + " then " +
                   std::to_string(after.byte(o));
    return "no difference";
}

RadioImage sampleDocument()
{
    RadioImage image = RadioImage::newImage();
    image.setByte(offset::BandIndex, 1);
    const char* const tones[] = {"None", "67.0", "D023N", "254.1", "D754I", "100.0"};
    for (int n = 1; n <= kChannelCount; ++n) {
        if (n % 5 == 0)
            continue; // empty
        const std::uint32_t rx = 14400000 + 1250 * static_cast<std::uint32_t>(n);
        if (n != 7)
            image.setRxFrequency(n, rx);
        if (n != 3)
            image.setTxFrequency(n, n % 2 ? rx : rx + 60000);
        image.setDecodeTone(n, toneTextToWord(tones[n % 6]));
        image.setEncodeTone(n, toneTextToWord(tones[(n + 2) % 6]));
        image.setWide(n, n % 2 == 0);
        image.setScan(n, n % 3 == 0);
        image.setBusyLock(n, static_cast<BusyLock>(n % 3));
        image.setHighPower(n, n % 4 != 1);
    }
    return image;
}

} // namespace qx260::fuzz
