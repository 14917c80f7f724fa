// Full Read and full Write against qx260-radio-sim paced like a real 9600 8N1 line,
// compared with the floor of the exchange: its bytes on the line in both directions plus
// the pauses the protocol names, each counted as the radio sees it, once the bytes before it
// have left (2 ms before each handshake byte, 1 ms between a write frame and its data, 1 ms
// before each read acknowledgement and before the second read request of a block): at most
// 5 % more. What the engine itself adds on a perfect line (the message passes before the
// handshake, the look for an early answer, its other short waits) is shown beside it, from
// the engine run against a virtual clock (see WireClock.h). Then fleet writes: four and
// sixteen radios on as many paced simulated radios at once, each port on its own thread as
// qx260-cli and the window run them, against one radio alone: at most 1.15 and 1.2 times as
// long. Each time is the best of a few runs, since the machine's other work only ever adds
// to it. The bench asks for real-time scheduling for its transfers (as the simulated radio
// does for its line) and says whether it got it.

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>

#include <QFile>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <vector>

#include "bench/WireClock.h"
#include "core/link/FleetWrite.h"
#include "core/link/ProtocolEngine.h"
#include "platform/PortThreads.h"
#include "platform/QtSerialLink.h"
#include "programs/radio-sim/PromptScheduling.h"

using namespace qx260;
using namespace qx260::link;

namespace
{

constexpr int kBaud = 9600;
constexpr int kRuns = 5;
constexpr double kTransferLimit = 1.05; // measured / floor of one Read or Write
constexpr double kFourLimit = 1.15;     // four radios at once / one radio
constexpr double kSixteenLimit = 1.2;   // sixteen radios at once / one radio
constexpr int kRadios = 16;

// One Read or Write on the open `link`; a failure is said on standard error.
bool transfer(SerialLink& link, Direction direction)
{
    RadioImage image = RadioImage::newImage();
    const TransferOutcome outcome =
        direction == Direction::Read ? readRadio(link, image) : writeRadio(link, image);
    if (!outcome.ok())
        std::fprintf(stderr, "%s: %s\n", transferEndingName(outcome.ending), outcome.reason.c_str());
    return outcome.ok();
}

// The pauses the protocol names for one transfer, in milliseconds.
double namedPausesMs(Direction direction)
{
    const int subBlocks = 2 * wire::kBlockCount;
    const double handshake = 8.0 * timing::kHandshakeBytePause;
    if (direction == Direction::Write)
        return handshake + subBlocks * timing::kWriteDataPause;
    return handshake + subBlocks * timing::kReadAckPause +
           wire::kBlockCount * timing::kSecondReadRequestPause;
}

// The floor of a transfer: its bytes on the line (counted by running the engine against the
// wire clock, with a radio that answers the moment a request has arrived) and the named
// pauses. The same run gives the time the engine takes on that perfect line.
struct Floor {
    double wireMs = 0;   // bytes on the line, both directions
    double pausesMs = 0; // the named pauses
    double idealMs = 0;  // the engine against the wire clock
    double totalMs() const { return wireMs + pausesMs; }
};

Floor wireFloor(Direction direction)
{
    bench::WireClockLink link(kBaud);
    link.open("wire");
    Floor floor;
    if (!transfer(link, direction))
        return floor;
    floor.wireMs = static_cast<double>(link.bytesOnLine()) * link.byteMs();
    floor.pausesMs = namedPausesMs(direction);
    floor.idealMs = link.nowMs();
    return floor;
}

bool measure(const QString& device, Direction direction, double& ms)
{
    QtSerialLink link;
    QElapsedTimer clock;
    clock.start();
    const LinkResult opened = link.open(device.toStdString());
    if (!opened.ok()) {
        std::fprintf(stderr, "%s: %s\n", qPrintable(device), opened.reason.c_str());
        return false;
    }
    const bool ok = transfer(link, direction);
    link.close();
    ms = static_cast<double>(clock.nsecsElapsed()) / 1e6;
    return ok;
}

// The fleet write of `devices`, all at once, each on its own thread: the time until the
// last radio is written, or a negative time when one failed (each failed radio said on
// standard error).
double fleetWrite(const std::vector<QString>& devices)
{
    const RadioImage image = RadioImage::newImage();
    std::vector<std::unique_ptr<PortActivity>> activities;
    std::vector<RadioTurn> turns(devices.size());
    FleetSettings settings;
    QElapsedTimer clock;
    clock.start();
    {
        PortThreads threads;
        for (std::size_t i = 0; i < devices.size(); ++i) {
            activities.push_back(std::make_unique<PortActivity>());
            threads.start([&, i](SerialLink& link) {
                turns[i] = writeRadioTurn(link, devices[i].toStdString(), image, settings, *activities[i]);
            });
        }
    }
    const double ms = static_cast<double>(clock.nsecsElapsed()) / 1e6;
    bool allOk = true;
    for (std::size_t i = 0; i < devices.size(); ++i)
        if (!turns[i].ok()) {
            allOk = false;
            std::fprintf(stderr, "fleet write of %zu radios: radio %zu (%s): %s (%s%s%s)\n", devices.size(),
                         i + 1, qPrintable(devices[i]), turnSummary(turns[i], Language::English).c_str(),
                         transferEndingName(turns[i].outcome.ending),
                         turns[i].outcome.reason.empty() ? "" : ": ", turns[i].outcome.reason.c_str());
        }
    return allOk ? ms : -1;
}

// The fastest of kRuns, or a negative time when a run failed.
template <typename Run> double best(Run run)
{
    double fastest = 0;
    for (int i = 0; i < kRuns; ++i) {
        const double ms = run();
        if (ms < 0)
            return ms;
        fastest = i == 0 ? ms : std::min(fastest, ms);
    }
    return fastest;
}

QString loadAverage()
{
    QFile file(QStringLiteral("/proc/loadavg"));
    if (!file.open(QIODevice::ReadOnly))
        return QStringLiteral("unknown");
    return QString::fromLatin1(file.readLine()).section(' ', 0, 2);
}

// "one radio 1748.2 ms, four at once 1811.8 ms: ratio 1.036 ok (at most 1.15)"; false when
// over the limit.
bool reportFleet(const char* what, double one, double many, double limit)
{
    const double ratio = many / one;
    std::printf("fleet write: one radio %.1f ms, %s at once %.1f ms: ratio %.3f %s (at most %.2f)\n", one,
                what, many, ratio, ratio <= limit ? "ok" : "OVER THE LIMIT", limit);
    return ratio <= limit;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    std::vector<std::unique_ptr<QProcess>> sims;
    std::vector<QString> devices;
    for (int i = 0; i < kRadios; ++i) {
        sims.push_back(std::make_unique<QProcess>());
        QProcess& sim = *sims.back();
        sim.start(QCoreApplication::applicationDirPath() + "/qx260-radio-sim",
                  {"--pace", QString::number(kBaud)});
        if (!sim.waitForStarted(5000) || !sim.waitForReadyRead(5000)) {
            std::fprintf(stderr, "qx260-link-bench: cannot start qx260-radio-sim\n");
            return 1;
        }
        devices.push_back(QString::fromUtf8(sim.readLine()).trimmed());
    }
    const QString& device = devices.front();
    // The transfers' threads (made from this one) run as promptly as the simulated radios, so
    // that the figures say what the link takes rather than what the machine's other work
    // takes from it.
    const sim::Scheduling scheduling = sim::askForPromptScheduling();
    std::printf("load average before: %s; transfers scheduled %s\n", qPrintable(loadAverage()),
                scheduling == sim::Scheduling::RealTime ? "in real time"
                : scheduling == sim::Scheduling::Nice   ? "at nice -10"
                                                        : "as ordinary work");

    int worst = 0;
    bool allOk = true;
    const struct {
        const char* name;
        Direction direction;
        Floor floor;
    } runs[] = {{"Read ", Direction::Read, wireFloor(Direction::Read)},
                {"Write", Direction::Write, wireFloor(Direction::Write)}};
    std::printf("transfer   measured     floor  (wire + named pauses)   ratio  (best of %d, at most %.2f)\n",
                kRuns, kTransferLimit);
    for (const auto& run : runs) {
        const double ms = best([&] {
            double one = 0;
            return measure(device, run.direction, one) ? one : -1.0;
        });
        if (ms < 0) {
            std::printf("%s  failed\n", run.name);
            allOk = false;
            continue;
        }
        if (run.floor.totalMs() <= run.floor.pausesMs) {
            std::printf("%s  the floor could not be computed\n", run.name);
            allOk = false;
            continue;
        }
        const double ratio = ms / run.floor.totalMs();
        std::printf("%s   %7.1f ms %7.1f ms (%6.1f + %5.1f)   %5.3f %s (overhead %+.1f %%; the engine on a "
                    "perfect line: %.1f ms)\n",
                    run.name, ms, run.floor.totalMs(), run.floor.wireMs, run.floor.pausesMs, ratio,
                    ratio < 1.0               ? "BELOW THE FLOOR"
                    : ratio <= kTransferLimit ? "ok"
                                              : "OVER THE LIMIT",
                    (ratio - 1) * 100, run.floor.idealMs);
        if (ratio > kTransferLimit || ratio < 1.0)
            worst = 1;
    }

    const double one = best([&] { return fleetWrite({device}); });
    const double four = best([&] { return fleetWrite({devices.begin(), devices.begin() + 4}); });
    const double sixteen = best([&] { return fleetWrite(devices); });
    if (one < 0 || four < 0 || sixteen < 0) {
        std::printf("fleet write  failed\n");
        allOk = false;
    } else {
        if (!reportFleet("four", one, four, kFourLimit))
            worst = 1;
        if (!reportFleet("sixteen", one, sixteen, kSixteenLimit))
            worst = 1;
    }
    std::printf("load average after: %s\n", qPrintable(loadAverage()));
    for (auto& sim : sims) {
        sim->terminate();
        sim->waitForFinished(3000);
    }
    return allOk ? worst : 1;
}
