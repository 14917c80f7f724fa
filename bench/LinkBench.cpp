// Full Read and full Write against qx260-radio-sim paced like a real 9600 8N1 line,
// compared with the least time the same exchange needs on the wire (bytes on the
// line plus the pauses the radio must see and the protocol's waits, see WireClock.h):
// at most 5 % more. Then the fleet write: four radios on four paced simulated radios at
// once, each port on its own thread as qx260-cli and the window run them, against one
// radio alone: at most 1.15 times as long. Each time is the best of a few runs, since
// the machine's other work only ever adds to it.

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

using namespace qx260;
using namespace qx260::link;

namespace
{

constexpr int kBaud = 9600;
constexpr int kRuns = 3;
constexpr double kTransferLimit = 1.05; // measured / floor of one Read or Write
constexpr double kFleetLimit = 1.15;    // four radios at once / one radio

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

// The floor of a transfer: the same engine against the wire clock, with a radio
// that answers the moment a request has arrived.
struct Floor {
    double totalMs = 0;
    double wireMs = 0; // bytes on the line, both directions
    double waitsMs() const { return totalMs - wireMs; }
};

Floor wireFloor(Direction direction)
{
    bench::WireClockLink link(kBaud);
    link.open("wire");
    Floor floor;
    if (!transfer(link, direction))
        return floor;
    floor.totalMs = link.nowMs();
    floor.wireMs = static_cast<double>(link.bytesOnLine()) * link.byteMs();
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
// last radio is written, or a negative time when one failed.
double fleetWrite(const std::vector<QString>& devices)
{
    const RadioImage image = RadioImage::newImage();
    std::vector<std::unique_ptr<PortActivity>> activities;
    std::vector<int> ok(devices.size(), 0);
    FleetSettings settings;
    QElapsedTimer clock;
    clock.start();
    {
        PortThreads threads;
        for (std::size_t i = 0; i < devices.size(); ++i) {
            activities.push_back(std::make_unique<PortActivity>());
            threads.start([&, i](SerialLink& link) {
                ok[i] = writeRadioTurn(link, devices[i].toStdString(), image, settings, *activities[i]).ok();
            });
        }
    }
    const double ms = static_cast<double>(clock.nsecsElapsed()) / 1e6;
    return std::all_of(ok.begin(), ok.end(), [](int v) { return v != 0; }) ? ms : -1;
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

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    std::vector<std::unique_ptr<QProcess>> sims;
    std::vector<QString> devices;
    for (int i = 0; i < 4; ++i) {
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
    std::printf("load average before: %s\n", qPrintable(loadAverage()));

    int worst = 0;
    bool allOk = true;
    const struct {
        const char* name;
        Direction direction;
        Floor floor;
    } runs[] = {{"Read ", Direction::Read, wireFloor(Direction::Read)},
                {"Write", Direction::Write, wireFloor(Direction::Write)}};
    std::printf("transfer   measured     floor  (wire + pauses)     ratio  (best of %d, at most %.2f)\n",
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
        if (run.floor.totalMs <= 0) {
            std::printf("%s  the floor could not be computed\n", run.name);
            allOk = false;
            continue;
        }
        const double ratio = ms / run.floor.totalMs;
        std::printf("%s   %7.1f ms %7.1f ms (%6.1f + %5.1f)   %5.3f %s (overhead %+.1f %%)\n", run.name, ms,
                    run.floor.totalMs, run.floor.wireMs, run.floor.waitsMs(), ratio,
                    ratio < 1.0               ? "BELOW THE FLOOR"
                    : ratio <= kTransferLimit ? "ok"
                                              : "OVER THE LIMIT",
                    (ratio - 1) * 100);
        if (ratio > kTransferLimit || ratio < 1.0)
            worst = 1;
    }

    const double one = best([&] { return fleetWrite({device}); });
    const double four = best([&] { return fleetWrite(devices); });
    if (one < 0 || four < 0) {
        std::printf("fleet write  failed\n");
        allOk = false;
    } else {
        const double ratio = four / one;
        std::printf("fleet write: one radio %.1f ms, four at once %.1f ms: ratio %.3f %s (at most %.2f)\n",
                    one, four, ratio, ratio <= kFleetLimit ? "ok" : "OVER THE LIMIT", kFleetLimit);
        if (ratio > kFleetLimit)
            worst = 1;
    }
    std::printf("load average after: %s\n", qPrintable(loadAverage()));
    for (auto& sim : sims) {
        sim->terminate();
        sim->waitForFinished(3000);
    }
    return allOk ? worst : 1;
}
