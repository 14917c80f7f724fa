// Full Read and full Write against qx260-radio-sim paced like a real 9600 8N1 line,
// compared with the time the exchange needs on the wire at the least.

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>

#include <cstdio>

#include "link/ProtocolEngine.h"
#include "link/QtSerialLink.h"

using namespace qx260;
using namespace qx260::link;

namespace {

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

constexpr double kBaud = 9600;
constexpr double kByteMs = 10 * 1000 / kBaud;  // start bit, 8 data bits, stop bit

// The least time of a whole transfer: bytes on the line plus the pauses the
// protocol itself takes, plus the wait for the early answer (a radio answers only
// after the last handshake byte, so that one-byte read always waits its budget).
struct Floor {
    double wireMs;
    double pausesMs;
    double total() const { return wireMs + pausesMs; }
};

Floor handshakeFloor()
{
    using namespace timing;
    const int bytes = 8 + 1 + 1 + 8 + 1 + 1;  // handshake, late answer, request, identification, ack, ack
    const double pauses = kHandshakePasses * kHandshakePassPause + 8 * kHandshakeBytePause +
                          kBudgets.readTotal(1) + 2 * kIdentRequestPause + kAckSettlePause;
    return {bytes * kByteMs, pauses};
}

Floor readFloor()
{
    using namespace timing;
    Floor f = handshakeFloor();
    const int perBlockBytes = 2 * (4 + 12 + 1 + 1);
    f.wireMs += wire::kBlockCount * perBlockBytes * kByteMs;
    f.pausesMs += wire::kBlockCount * (2 * kReadAckPause + kSecondReadRequestPause);
    return f;
}

Floor writeFloor()
{
    using namespace timing;
    Floor f = handshakeFloor();
    const int perBlockBytes = 2 * (4 + 8 + 1);
    f.wireMs += wire::kBlockCount * perBlockBytes * kByteMs;
    f.pausesMs += wire::kBlockCount * 2 * kWriteDataPause;
    return f;
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
    return outcome.completed();
}

}  // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QProcess sim;
    sim.start(QCoreApplication::applicationDirPath() + "/qx260-radio-sim", {"--pace", "9600"});
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
    } runs[] = {{"Read ", Direction::Read, readFloor()}, {"Write", Direction::Write, writeFloor()}};
    std::printf("transfer   measured     floor  (wire + pauses)     ratio\n");
    for (const auto& run : runs) {
        double ms = 0;
        if (!measure(device, run.direction, ms)) {
            std::printf("%s  failed\n", run.name);
            allOk = false;
            continue;
        }
        const double ratio = ms / run.floor.total();
        std::printf("%s   %7.1f ms %7.1f ms (%6.1f + %5.1f)   %5.3f %s\n", run.name, ms, run.floor.total(),
                    run.floor.wireMs, run.floor.pausesMs, ratio, ratio <= 1.10 ? "ok" : "OVER 1.10");
        if (ratio > 1.10)
            worst = 1;
    }
    sim.terminate();
    sim.waitForFinished(3000);
    return allOk ? worst : 1;
}
