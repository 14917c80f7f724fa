#pragma once
// Deterministic random input for the robustness tests: a seeded generator, texts built
// from pieces that matter to a parser, and mutations of valid input.

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "tests/support/TestSystem.h"

namespace qx260::fuzz
{

// A small fixed generator (xorshift64*), so that every platform sees the same cases.
class Random
{
  public:
    explicit Random(std::uint64_t seed) : state_(seed * 0x9E3779B97F4A7C15ull + 1) {}

    std::uint64_t next()
    {
        state_ ^= state_ >> 12;
        state_ ^= state_ << 25;
        state_ ^= state_ >> 27;
        return state_ * 0x2545F4914F6CDD1Dull;
    }
    // 0 .. n-1 (n > 0).
    std::size_t below(std::size_t n) { return static_cast<std::size_t>(next() % n); }
    int range(int lo, int hi) { return lo + static_cast<int>(below(static_cast<std::size_t>(hi - lo + 1))); }
    bool chance(int percent) { return below(100) < static_cast<std::size_t>(percent); }
    std::uint8_t byte() { return static_cast<std::uint8_t>(next() >> 56); }

    template <class T> const T& pick(const std::vector<T>& items) { return items[below(items.size())]; }

  private:
    std::uint64_t state_;
};

// A text of up to `pieces` pieces, each one of `alphabet` or (sometimes) a random byte.
inline std::string randomText(Random& r, std::size_t pieces, const std::vector<std::string>& alphabet)
{
    std::string text;
    const std::size_t n = r.below(pieces + 1);
    for (std::size_t i = 0; i < n; ++i) {
        if (r.chance(10))
            text.push_back(static_cast<char>(r.byte()));
        else
            text += r.pick(alphabet);
    }
    return text;
}

// `edits` random edits: overwrite, flip a bit, insert, erase, duplicate a run, cut the end.
template <class Sequence> Sequence mutate(Sequence data, Random& r, int edits)
{
    using Value = typename Sequence::value_type;
    for (int e = 0; e < edits; ++e) {
        const std::size_t size = data.size();
        const std::size_t at = size ? r.below(size) : 0;
        switch (r.below(6)) {
        case 0:
            if (size)
                data[at] = static_cast<Value>(r.byte());
            break;
        case 1:
            if (size)
                data[at] = static_cast<Value>(data[at] ^ (1u << r.below(8)));
            break;
        case 2:
            data.insert(data.begin() + static_cast<std::ptrdiff_t>(at), static_cast<Value>(r.byte()));
            break;
        case 3:
            if (size)
                data.erase(data.begin() + static_cast<std::ptrdiff_t>(at));
            break;
        case 4:
            if (size) {
                const std::size_t len = std::min<std::size_t>(r.below(32) + 1, size - at);
                Sequence run(data.begin() + static_cast<std::ptrdiff_t>(at),
                             data.begin() + static_cast<std::ptrdiff_t>(at + len));
                data.insert(data.begin() + static_cast<std::ptrdiff_t>(r.below(size + 1)), run.begin(),
                            run.end());
            }
            break;
        default:
            data.resize(size ? r.below(size + 1) : 0);
            break;
        }
    }
    return data;
}

// A private directory under the temporary directory, removed with everything in it.
class TempDir
{
  public:
    TempDir() { path_ = testsystem::makeTempDirectory("qx260-fuzz-"); }
    ~TempDir()
    {
        std::error_code ec;
        if (!path_.empty())
            std::filesystem::remove_all(path_, ec);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    bool ok() const { return !path_.empty(); }
    std::string file(std::string_view name) const { return path_ + "/" + std::string(name); }

  private:
    std::string path_;
};

} // namespace qx260::fuzz
