// Full Read and full Write against qx260-radio-sim paced like a real 9600 8N1 line,
// compared with the least time the same exchange needs on the wire (bytes on the
// line plus the protocol's own pauses and waits, see WireClock.h).

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>

#include <cstdio>

#include "bench/WireClock.h"
#include "core/link/ProtocolEngine.h"
#include "platform/QtSerialLink.h"

using namespace qx260;
using namespace qx260::link;

namespace
{

struct QuietHost : TransferHost {
    Direction direction = Direction::Read;
    void pumpOneMessage() override {}
    bool cancelRequested() override { return false; }
    void progress(int) override {}
    bool askRetry() override { return false; }
    void showMessage(int id, const std::string& reason) override
    {
        std::fprintf(stderr, "message %d %s\n", id, reason.c_str());
    }
    void showTypeMessage() override { std::fprintf(stderr, "type message\n"); }
    void commitCellEdit() override {}
    void encodeTable(RadioImage&) override {}
    Direction transferDirection() override { return direction; }
    void readCompleted(int) override {}
    void showDocumentWindow() override {}
    void closeProcessWindow() override {}
};

constexpr int kBaud = 9600;

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
    QuietHost host;
    host.direction = direction;
    RadioImage image = RadioImage::newImage();
    const TransferOutcome outcome = ProtocolEngine(link, host).run(image, "wire");
    Floor floor;
    if (!outcome.ok())
        return floor;
    floor.totalMs = link.nowMs();
    floor.wireMs = static_cast<double>(link.bytesOnLine()) * link.byteMs();
    return floor;
}

bool measure(const QString& device, Direction direction, double& ms)
{
    QtSerialLink link;
    QuietHost host;
    host.direction = direction;
    RadioImage image = RadioImage::newImage();
    QElapsedTimer clock;
    clock.start();
    const TransferOutcome outcome = ProtocolEngine(link, host).run(image, device.toStdString());
    ms = static_cast<double>(clock.nsecsElapsed()) / 1e6;
    return outcome.ok();
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QProcess sim;
    sim.start(QCoreApplication::applicationDirPath() + "/qx260-radio-sim",
              {"--pace", QString::number(kBaud)});
    if (!sim.waitForStarted(5000) || !sim.waitForReadyRead(5000)) {
        std::fprintf(stderr, "qx260-link-bench: cannot start qx260-radio-sim\n");
        return 1;
    }
    const QString device = QString::fromUtf8(sim.readLine()).trimmed();

    int worst = 0;
    bool allOk = true;
    const struct {
        const char* name;
        Direction direction;
        Floor floor;
    } runs[] = {{"Read ", Direction::Read, wireFloor(Direction::Read)},
                {"Write", Direction::Write, wireFloor(Direction::Write)}};
    std::printf("transfer   measured     floor  (wire + pauses)     ratio\n");
    for (const auto& run : runs) {
        double ms = 0;
        if (!measure(device, run.direction, ms)) {
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
        std::printf("%s   %7.1f ms %7.1f ms (%6.1f + %5.1f)   %5.3f %s\n", run.name, ms, run.floor.totalMs,
                    run.floor.wireMs, run.floor.waitsMs(), ratio,
                    ratio < 1.0     ? "BELOW THE FLOOR"
                    : ratio <= 1.10 ? "ok"
                                    : "OVER 1.10");
        if (ratio > 1.10 || ratio < 1.0)
            worst = 1;
    }
    sim.terminate();
    sim.waitForFinished(3000);
    return allOk ? worst : 1;
}
