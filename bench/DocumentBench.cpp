// One document's whole life on disk, 1000 times over: open the file, decode it into the
// channel table, change a channel, encode the table and save the file again. Reports
// the time of a cycle and the peak memory of the process against their targets.
//
//   qx260-document-bench [--cycles N] [--dir DIRECTORY]
// DIRECTORY (default: the temporary directory) receives a private working folder.

#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "core/channels/ChannelCodec.h"
#include "core/channels/ChannelEditing.h"
#include "core/channels/ChannelTable.h"
#include "core/config/CIniFile.h"
#include "core/config/ProcessValues.h"
#include "core/config/UserStore.h"
#include "core/radio/CProgramDoc.h"
#include "core/radio/Decimal.h"

using namespace qx260;
namespace fs = std::filesystem;

namespace
{

constexpr double kCycleTargetMs = 1.0; // every cycle (the slowest 1 % included)
constexpr double kMemoryTargetMb = 50.0;

const char kConfig[] =
    "[Setup]\r\nAppName=QX\r\nLanguage=English\r\nType1=QX-260\r\nField1=136 - 174MHz|144 - 148MHz\r\n"
    "[English]\r\nAppName=Programmer\r\n[Chinese]\r\nAppName=写频软件\r\n";

double peakMemoryMb()
{
    struct rusage usage {
    };
    ::getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) / 1024.0; // kilobytes on Linux
}

double percentile(std::vector<double> sorted, double p)
{
    std::sort(sorted.begin(), sorted.end());
    const std::size_t i =
        std::min(sorted.size() - 1, static_cast<std::size_t>(p * static_cast<double>(sorted.size())));
    return sorted[i];
}

int usage()
{
    std::fprintf(stderr, "usage: qx260-document-bench [--cycles N] [--dir DIRECTORY]\n");
    return 64;
}

} // namespace

int main(int argc, char** argv)
{
    int cycles = 1000;
    std::string base = fs::temp_directory_path().string();
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--cycles" && i + 1 < argc) {
            cycles = static_cast<int>(leadingInteger(argv[++i]));
            if (cycles < 1)
                return usage();
        } else if (arg == "--dir" && i + 1 < argc) {
            base = argv[++i];
        } else {
            return usage();
        }
    }

    std::string dir = base + "/qx260-document-bench-XXXXXX";
    if (!::mkdtemp(dir.data())) {
        std::perror(("qx260-document-bench: cannot make a folder in " + base).c_str());
        return 1;
    }
    struct Cleanup {
        std::string path;
        ~Cleanup()
        {
            std::error_code ec;
            fs::remove_all(path, ec);
        }
    } cleanup{dir};

    ProcessValues values;
    if (std::FILE* f = std::fopen((dir + "/Program.ini").c_str(), "wb")) {
        std::fputs(kConfig, f);
        std::fclose(f);
    }
    if (!values.configurationStore.Load(dir + "/Program.ini", false, true).ok()) {
        std::fprintf(stderr, "qx260-document-bench: cannot read %s/Program.ini\n", dir.c_str());
        return 1;
    }
    MemoryUserStore store;
    values.userStore = &store;

    // A document with every channel in use.
    const std::string path = dir + "/bench.dat";
    CProgramDoc doc;
    doc.OnNewDocument(values);
    for (int n = 1; n <= kChannelCount; ++n) {
        doc.image.setRxFrequency(n, 14500000 + 1250 * static_cast<std::uint32_t>(n));
        doc.image.setTxFrequency(n, 14500000 + 1250 * static_cast<std::uint32_t>(n));
    }
    if (const DocumentResult saved = doc.OnSaveDocument(path); !saved.ok()) {
        std::fprintf(stderr, "qx260-document-bench: cannot write %s: %s\n", path.c_str(),
                     saved.reason.c_str());
        return 1;
    }

    std::vector<double> ms;
    ms.reserve(static_cast<std::size_t>(cycles));
    for (int i = 0; i < cycles; ++i) {
        const auto start = std::chrono::steady_clock::now();

        CProgramDoc cycleDoc;
        const DocumentResult opened = cycleDoc.OnOpenDocument(path);
        // Shown as the window shows it, one channel typed, saved.
        const Language language = i % 2 == 1 ? Language::Chinese : Language::English;
        settleProductChoice(cycleDoc.image, false, store, values.configurationStore);
        const ProductDescription product =
            describeProduct(cycleDoc.image, values.configurationStore, "English", language);
        ChannelTable table;
        fillChannelTable(table, decodeChannels(cycleDoc.image), 1, language);
        const int n = i % kChannelCount + 1;
        Channel channel = decodeChannel(cycleDoc.image, n);
        commitField(channel, ChannelField::RxFrequency, formatScaled(14500000 + 625 * (i % 64), 5),
                    CommitTrigger::Enter, product.bandLimits, 1, language);
        encodeChannel(channel, cycleDoc.image, n);
        const DocumentResult saved = cycleDoc.OnSaveDocument(path);

        ms.push_back(
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
        if (!opened.ok() || !saved.ok()) {
            std::fprintf(stderr, "qx260-document-bench: cycle %d failed: %s\n", i + 1,
                         (opened.ok() ? saved : opened).reason.c_str());
            return 1;
        }
    }

    double total = 0;
    for (double t : ms)
        total += t;
    const double mean = total / static_cast<double>(ms.size());
    const double median = percentile(ms, 0.5);
    const double p99 = percentile(ms, 0.99);
    const double worst = *std::max_element(ms.begin(), ms.end());
    const double memory = peakMemoryMb();
    const bool timeOk = p99 < kCycleTargetMs;
    const bool memoryOk = memory < kMemoryTargetMb;

    std::printf("qx260-document-bench: %d cycles of open + decode + edit + encode + save in %s\n", cycles,
                dir.c_str());
    std::printf("cycle      mean %7.3f ms  median %7.3f ms  99%% %7.3f ms  worst %7.3f ms   target 99%% < "
                "%.1f ms  %s\n",
                mean, median, p99, worst, kCycleTargetMs, timeOk ? "ok" : "MISSED");
    std::printf(
        "peak memory %6.1f MB                                                 target < %.0f MB    %s\n",
        memory, kMemoryTargetMb, memoryOk ? "ok" : "MISSED");
    return timeOk && memoryOk ? 0 : 1;
}
