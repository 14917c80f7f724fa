#pragma once
// What the fuzz targets share. Each target is one property function over a byte string:
// libFuzzer calls it with the inputs it makes (built with QX260_LIBFUZZER), and
// fuzz_corpus_gtest replays the seeds and every kept finding through the same function in
// the normal test run. A broken property aborts under libFuzzer, so that it counts as a
// finding, and fails the replaying test with the file's name otherwise.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "core/radio/RadioImage.h"

namespace qx260
{
class CIniFile;
} // namespace qx260

namespace qx260::fuzz
{

// The fuzzer's bytes taken in order as choices and texts; past the end every choice is
// its fallback and every text empty.
class FuzzInput
{
  public:
    FuzzInput(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}

    bool empty() const { return at_ >= size_; }
    std::uint8_t byte(std::uint8_t fallback = 0) { return empty() ? fallback : data_[at_++]; }
    // The bytes up to the next `end` (which is taken too) or to the end of the input.
    std::string text(char end = '\n');
    std::string_view rest();

  private:
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t at_ = 0;
};

// Reports a broken property (see above for where it goes).
void propertyFailed(const char* file, int line, const char* condition, const std::string& what);
// The replaying test's handler: it throws PropertyFailure instead of aborting.
struct PropertyFailure {
    std::string text;
};
void throwOnPropertyFailure();

// `what` is built only when the condition fails.
#define FUZZ_CHECK(condition, what)                                                                          \
    do {                                                                                                     \
        if (!(condition))                                                                                    \
            ::qx260::fuzz::propertyFailed(__FILE__, __LINE__, #condition, (what));                           \
    } while (0)

// A private folder for the files a property writes (created once, removed at exit).
std::string scratchFile(std::string_view name);
// The shipped configuration's product types and bands, as the programs load it.
const CIniFile& shippedConfiguration();
// A document of the band 136 - 174 MHz whose channels differ in everything a channel holds:
// both sides, one side only, tones and codes, every setting, and empty channels.
RadioImage sampleDocument();

// "offset N: X then Y" of the first byte two images differ in (for messages).
std::string firstDifference(const RadioImage& before, const RadioImage& after);

// The properties, one per input from outside.
void checkDatFile(const std::uint8_t* data, std::size_t size);
void checkConfigFiles(const std::uint8_t* data, std::size_t size);
void checkChannelCsv(const std::uint8_t* data, std::size_t size);
void checkTypedValues(const std::uint8_t* data, std::size_t size);
void checkProtocol(const std::uint8_t* data, std::size_t size);

} // namespace qx260::fuzz

// The libFuzzer entry point of a target file.
#ifdef QX260_LIBFUZZER
#define QX260_FUZZ_ENTRY(property)                                                                           \
    extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)                        \
    {                                                                                                        \
        property(data, size);                                                                                \
        return 0;                                                                                            \
    }
#else
#define QX260_FUZZ_ENTRY(property)
#endif
