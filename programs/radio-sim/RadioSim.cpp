// qx260-radio-sim: a simulated QX-260 on a pseudo-terminal. It prints the path
// of the terminal's device on its first line of output; the programming software
// opens that device like a serial port. Signals take the radio off the line and put
// the next one on, as a shop swaps radios on one cable.
//
// A radio answers on time whatever else the machine does: one thread only serves the line
// (at a real-time priority where the system allows it, with its wake-ups at absolute times
// on the monotonic clock), and the exchange log is written by a thread of its own.

#include <fcntl.h>
#include <poll.h>
#include <pthread.h>
#include <signal.h>
#include <termios.h>
#include <unistd.h>
#ifdef __linux__
#include <sys/prctl.h>
#endif

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <fstream>
#include <iterator>
#include <string>
#include <thread>
#include <vector>

#include "programs/VersionText.h"
#include "programs/radio-sim/PromptScheduling.h"
#include "programs/radio-sim/RadioModel.h"

namespace
{

using qx260::sim::Bytes;
using qx260::sim::RadioModel;

volatile sig_atomic_t stopRequested = 0;
volatile sig_atomic_t removeRequested = 0;
volatile sig_atomic_t connectRequested = 0;

void onSignal(int)
{
    stopRequested = 1;
}

void onRemove(int)
{
    removeRequested = 1;
}

void onConnect(int)
{
    connectRequested = 1;
}

const char kUsage[] = "Usage: qx260-radio-sim [OPTIONS]\n"
                      "\n"
                      "A simulated QX-260 radio on a pseudo-terminal. Prints the device path on the\n"
                      "first line, then answers the programming software until it is stopped.\n"
                      "\n"
                      "Options:\n"
                      "  --link PATH             also make PATH a symbolic link to the device\n"
                      "  --load FILE.dat         start with the radio memory of a document\n"
                      "  --save FILE.dat         save the memory as a document after each write\n"
                      "  --pace BAUD             take the real time of every byte on the wire (e.g. 9600)\n"
                      "  --log FILE              record the exchange with time stamps\n"
                      "  --model 3|2             identify as \"P3207\" (default) or \"P2207\"\n"
                      "  --variant-byte HEX      last identification byte (default FF)\n"
                      "  --ident HEX...          any identification reply, e.g. 50313230370000FF\n"
                      "  --short-ident N         send only N bytes of the identification\n"
                      "Faults (sub-block K is the one at address 8*K):\n"
                      "  --silent                never answer\n"
                      "  --echo-handshake        echo the bytes of 0x02 \"PROGRAM\" instead of answering\n"
                      "  --echo-ident            echo the identification request before the reply\n"
                      "  --bad-handshake-acks N  refuse the first N handshake acknowledgements\n"
                      "  --no-answer N           leave the first N handshakes unanswered (radio still off)\n"
                      "  --wrong-write-ack K     answer write sub-block K with 0x15\n"
                      "  --corrupt-write K       store write sub-block K with its first byte inverted,\n"
                      "                          yet acknowledge it\n"
                      "  --wrong-read-ack K      answer the acknowledgement of read sub-block K with 0x15\n"
                      "  --short-read K          send only 7 bytes for read sub-block K\n"
                      "  --gap-at K              pause in the middle of the reply to read sub-block K\n"
                      "  --gap-ms MS             length of that pause (default 40)\n"
                      "  --drop-at K             hang up the line when sub-block K is asked for\n"
                      "Swapping radios on the one line (the device stays):\n"
                      "  SIGUSR1                 take the radio off the line: nothing answers\n"
                      "  SIGUSR2                 put the next radio on it: a radio as the options\n"
                      "                          above describe it, its memory as at the start\n"
                      "Other options:\n"
                      "  -h, --help              show this help and exit\n"
                      "  --version               show the version and exit\n";

struct Options {
    std::string link;
    std::string load;
    std::string save;
    std::string log;
    int pace = 0;
    RadioModel model;
};

bool parseInt(const char* text, int& value, int base = 10)
{
    char* end = nullptr;
    errno = 0;
    const long v = std::strtol(text, &end, base);
    if (errno != 0 || end == text || *end != '\0' || v < -1 || v > 1000000)
        return false;
    value = static_cast<int>(v);
    return true;
}

bool parseHex(std::string text, Bytes& bytes)
{
    std::string digits;
    for (char c : text)
        if (c != ' ' && c != ':')
            digits += c;
    if (digits.size() % 2 != 0)
        return false;
    bytes.clear();
    for (std::size_t i = 0; i < digits.size(); i += 2) {
        int v = 0;
        if (!parseInt(digits.substr(i, 2).c_str(), v, 16) || v < 0)
            return false;
        bytes.push_back(static_cast<std::uint8_t>(v));
    }
    return true;
}

std::int64_t nowMicros()
{
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return static_cast<std::int64_t>(ts.tv_sec) * 1000000 + ts.tv_nsec / 1000;
}

void sleepUntil(std::int64_t micros)
{
    timespec ts{};
    ts.tv_sec = static_cast<time_t>(micros / 1000000);
    ts.tv_nsec = static_cast<long>((micros % 1000000) * 1000);
    while (clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &ts, nullptr) == EINTR && !stopRequested) {
    }
}

// The exchange log, written away from the line. The line's thread copies each line into a
// ring of records made once at the start, and this thread formats, writes and flushes them.
// Nothing is allocated or freed on the line's thread for the log: the allocator's locks are
// not priority-aware, and a log thread holding one while the machine's other work runs
// would hold up the line (a radio answering 150 ms late). The two share only a mutex whose
// holder, while a thread of higher priority waits for it, runs at that priority. Should the
// ring fill up (the disk stalls), lines are left out and the log says how many.
class LogWriter
{
  public:
    explicit LogWriter(std::FILE* file) : file_(file)
    {
        pthread_mutexattr_t attr;
        pthread_mutexattr_init(&attr);
        pthread_mutexattr_setprotocol(&attr, PTHREAD_PRIO_INHERIT);
        pthread_mutex_init(&mutex_, &attr);
        pthread_mutexattr_destroy(&attr);
        pthread_cond_init(&wake_, nullptr);
        if (file_) {
            ring_.resize(kRecords);
            thread_ = std::thread([this] { run(); });
        }
    }
    ~LogWriter()
    {
        if (file_) {
            pthread_mutex_lock(&mutex_);
            done_ = true;
            pthread_mutex_unlock(&mutex_);
            pthread_cond_signal(&wake_);
            thread_.join();
            std::fclose(file_);
        }
        pthread_cond_destroy(&wake_);
        pthread_mutex_destroy(&mutex_);
    }
    LogWriter(const LogWriter&) = delete;
    LogWriter& operator=(const LogWriter&) = delete;

    // `micros` since the start; a note, when there is one (a string that lives as long as
    // the program), after the bytes.
    void add(std::int64_t micros, const char* direction, const std::uint8_t* bytes, std::size_t count,
             const char* note)
    {
        if (!file_)
            return;
        pthread_mutex_lock(&mutex_);
        if (used_ + (count + kRecordBytes - 1) / kRecordBytes > ring_.size()) {
            ++dropped_;
        } else {
            // A line longer than a record takes several, the later ones continuing it.
            std::size_t done = 0;
            do {
                Record& r = ring_[(first_ + used_) % ring_.size()];
                r.micros = micros;
                r.direction = direction;
                r.note = note;
                r.continues = done > 0;
                r.count = std::min(count - done, kRecordBytes);
                if (r.count > 0)
                    std::memcpy(r.bytes, bytes + done, r.count);
                done += r.count;
                ++used_;
            } while (done < count);
        }
        pthread_mutex_unlock(&mutex_);
        pthread_cond_signal(&wake_);
    }

  private:
    static constexpr std::size_t kRecords = 4096;
    static constexpr std::size_t kRecordBytes = 16;
    struct Record {
        std::int64_t micros = 0;
        const char* direction = "";
        const char* note = nullptr;
        bool continues = false;
        std::size_t count = 0;
        std::uint8_t bytes[kRecordBytes] = {};
    };

    void run()
    {
        std::vector<Record> taken;
        taken.reserve(kRecords);
        for (;;) {
            pthread_mutex_lock(&mutex_);
            while (!done_ && used_ == 0)
                pthread_cond_wait(&wake_, &mutex_);
            for (; used_ > 0; --used_, first_ = (first_ + 1) % ring_.size())
                taken.push_back(ring_[first_]);
            const std::size_t dropped = dropped_;
            dropped_ = 0;
            const bool done = done_;
            pthread_mutex_unlock(&mutex_);
            // A batch holds whole lines: a line's records are added at once.
            for (std::size_t i = 0; i < taken.size(); ++i) {
                const Record& r = taken[i];
                if (!r.continues)
                    std::fprintf(file_, "%s%6lld.%03lld %s", i == 0 ? "" : "\n",
                                 static_cast<long long>(r.micros / 1000),
                                 static_cast<long long>(r.micros % 1000), r.direction);
                for (std::size_t b = 0; b < r.count; ++b)
                    std::fprintf(file_, " %02X", r.bytes[b]);
                if (r.note)
                    std::fprintf(file_, " %s", r.note);
            }
            if (!taken.empty())
                std::fputc('\n', file_);
            if (dropped > 0)
                std::fprintf(file_, "- %zu lines left out: the log could not keep up\n", dropped);
            std::fflush(file_);
            taken.clear();
            if (done)
                return; // nothing can be added once done is set: the line's thread has ended
        }
    }

    std::FILE* file_;
    std::thread thread_;
    pthread_mutex_t mutex_;
    pthread_cond_t wake_;
    std::vector<Record> ring_; // made at the start, never resized
    std::size_t first_ = 0;    // the oldest record not yet taken
    std::size_t used_ = 0;     // records waiting
    std::size_t dropped_ = 0;  // lines left out since the last batch
    bool done_ = false;
};

class Simulator
{
  public:
    explicit Simulator(Options& options) : options_(options), model_(options.model) {}

    int run();

  private:
    bool openTerminal();
    // The line's thread: reads what the computer sends and answers it, nothing else.
    void serve();
    void handle(std::uint8_t byte, std::int64_t arrival);
    void send(const qx260::sim::Reply& reply, std::int64_t from);
    void saveMemory();
    // A log line for the time `at` (nowMicros() when negative).
    void logLine(const char* direction, const std::uint8_t* bytes, std::size_t count,
                 const char* note = nullptr, std::int64_t at = -1);
    void swapRadios();

    Options& options_;
    RadioModel model_; // the radio on the line now; options_.model is how each one starts
    bool onLine_ = true;
    int radioNumber_ = 1;
    int master_ = -1;
    int slave_ = -1;
    std::string device_;
    LogWriter* log_ = nullptr;
    std::int64_t start_ = 0;
    std::int64_t byteMicros_ = 0;
    std::int64_t rxClock_ = 0;
    std::int64_t txClock_ = 0;
    bool hungUp_ = false;
};

bool Simulator::openTerminal()
{
    master_ = posix_openpt(O_RDWR | O_NOCTTY);
    if (master_ < 0 || grantpt(master_) != 0 || unlockpt(master_) != 0) {
        std::fprintf(stderr, "qx260-radio-sim: cannot make a pseudo-terminal: %s\n", std::strerror(errno));
        return false;
    }
    const char* name = ptsname(master_);
    if (!name) {
        std::fprintf(stderr, "qx260-radio-sim: cannot name the pseudo-terminal: %s\n", std::strerror(errno));
        return false;
    }
    device_ = name;
    // Holding the terminal open keeps it alive between the sessions of the program.
    slave_ = open(name, O_RDWR | O_NOCTTY);
    if (slave_ < 0) {
        std::fprintf(stderr, "qx260-radio-sim: cannot open %s: %s\n", name, std::strerror(errno));
        return false;
    }
    termios tio{};
    if (tcgetattr(slave_, &tio) == 0) {
        cfmakeraw(&tio);
        tcsetattr(slave_, TCSANOW, &tio);
    }
    const int flags = fcntl(master_, F_GETFL);
    fcntl(master_, F_SETFL, flags | O_NONBLOCK);
    return true;
}

void Simulator::logLine(const char* direction, const std::uint8_t* bytes, std::size_t count, const char* note,
                        std::int64_t at)
{
    if (log_)
        log_->add((at < 0 ? nowMicros() : at) - start_, direction, bytes, count, note);
}

void Simulator::saveMemory()
{
    if (options_.save.empty())
        return;
    model_.memoryChanged = false;
    const Bytes file = RadioModel::toDocument(model_.memory);
    const std::string temp = options_.save + ".tmp";
    {
        std::ofstream out(temp, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(file.data()), static_cast<std::streamsize>(file.size()));
        if (!out) {
            std::fprintf(stderr, "qx260-radio-sim: cannot write %s\n", temp.c_str());
            return;
        }
    }
    if (std::rename(temp.c_str(), options_.save.c_str()) != 0)
        std::fprintf(stderr, "qx260-radio-sim: cannot replace %s: %s\n", options_.save.c_str(),
                     std::strerror(errno));
}

void Simulator::send(const qx260::sim::Reply& reply, std::int64_t from)
{
    std::int64_t t = from + static_cast<std::int64_t>(reply.delayMs) * 1000;
    if (reply.delayMs > 0 && byteMicros_ == 0)
        sleepUntil(t);
    for (std::size_t i = 0; i < reply.bytes.size(); ++i) {
        if (reply.gapAfter >= 0 && static_cast<int>(i) == reply.gapAfter) {
            t = std::max(t, nowMicros()) + static_cast<std::int64_t>(reply.gapMs) * 1000;
            sleepUntil(t);
        }
        if (byteMicros_ > 0) {
            // The byte is complete at the far end one byte time after the line is free. A
            // wake-up that came late sends what is due at once: the times stay absolute.
            t = std::max(t, txClock_) + byteMicros_;
            txClock_ = t;
            sleepUntil(t);
        }
        const std::uint8_t b = reply.bytes[i];
        for (;;) {
            const ssize_t n = write(master_, &b, 1);
            if (n == 1)
                break;
            if (n < 0 && (errno == EAGAIN || errno == EINTR)) {
                pollfd p{master_, POLLOUT, 0};
                poll(&p, 1, 10);
                continue;
            }
            break;
        }
    }
    if (!reply.bytes.empty())
        logLine(">", reply.bytes.data(), reply.bytes.size());
}

void Simulator::handle(std::uint8_t byte, std::int64_t arrival)
{
    // The radio works out its answer (and saves a written block) while the byte is still
    // on the line, so that the answer leaves as soon as the byte is complete.
    const std::size_t writesBefore = model_.writeAddresses.size();
    const qx260::sim::Reply reply = model_.receive(byte);
    // A block is stored before it is acknowledged, so whoever sees the acknowledgement
    // finds it in the saved memory.
    if (!reply.hangUp && model_.writeAddresses.size() != writesBefore)
        saveMemory();
    if (byteMicros_ > 0)
        sleepUntil(arrival);
    logLine("<", &byte, 1, nullptr, arrival);
    if (reply.hangUp) {
        logLine("-", nullptr, 0, "line dropped");
        hungUp_ = true;
        return;
    }
    send(reply, byteMicros_ > 0 ? arrival : nowMicros());
}

void Simulator::swapRadios()
{
    if (removeRequested) {
        removeRequested = 0;
        onLine_ = false;
        logLine("-", nullptr, 0, "radio taken off the line");
        std::fprintf(stderr, "qx260-radio-sim: radio %d taken off the line\n", radioNumber_);
    }
    if (connectRequested) {
        connectRequested = 0;
        onLine_ = true;
        model_ = options_.model;
        ++radioNumber_;
        logLine("-", nullptr, 0, "next radio on the line");
        std::fprintf(stderr, "qx260-radio-sim: radio %d on the line\n", radioNumber_);
    }
}

int Simulator::run()
{
    std::FILE* logFile = nullptr;
    if (!options_.log.empty()) {
        logFile = std::fopen(options_.log.c_str(), "w");
        if (!logFile) {
            std::fprintf(stderr, "qx260-radio-sim: cannot write the log %s: %s\n", options_.log.c_str(),
                         std::strerror(errno));
            return 1;
        }
    }
    LogWriter log(logFile);
    log_ = &log;
    if (!openTerminal())
        return 1;
    if (!options_.link.empty()) {
        unlink(options_.link.c_str());
        if (symlink(device_.c_str(), options_.link.c_str()) != 0) {
            std::fprintf(stderr, "qx260-radio-sim: cannot make the link %s: %s\n", options_.link.c_str(),
                         std::strerror(errno));
            return 1;
        }
    }
    byteMicros_ = options_.pace > 0 ? (10 * 1000000 + options_.pace / 2) / options_.pace : 0;
    start_ = nowMicros();
    std::printf("%s\n", device_.c_str());
    std::fflush(stdout);

    std::thread line([this] { serve(); });
    line.join();

    close(master_);
    close(slave_);
    if (!options_.link.empty())
        unlink(options_.link.c_str());
    log_ = nullptr;
    return 0;
}

void Simulator::serve()
{
    qx260::sim::askForPromptScheduling();
    // The signals stay blocked here too, except while the thread waits for the line: a signal
    // then ends the wait at once, and none can slip in between a look at the flags and it.
    sigset_t whileWaiting;
    pthread_sigmask(SIG_SETMASK, nullptr, &whileWaiting);
    for (int s : {SIGTERM, SIGINT, SIGUSR1, SIGUSR2})
        sigdelset(&whileWaiting, s);

    std::uint8_t buffer[256];
    while (!stopRequested && !hungUp_) {
        swapRadios();
        pollfd p{master_, POLLIN, 0};
        const int ready = ppoll(&p, 1, nullptr, &whileWaiting);
        if (ready < 0 && errno != EINTR)
            break;
        if (ready <= 0)
            continue;
        if (p.revents & (POLLHUP | POLLERR)) {
            // Nobody on the other end right now (the simulator holds its own end open, so
            // this is rare): wait a moment for the next session rather than spin.
            const timespec moment{0, 5000000};
            ppoll(nullptr, 0, &moment, &whileWaiting);
        }
        const ssize_t n = read(master_, buffer, sizeof buffer);
        if (n <= 0)
            continue;
        if (!onLine_)
            continue; // nobody there to hear it
        const std::int64_t now = nowMicros();
        for (ssize_t i = 0; i < n && !hungUp_; ++i) {
            std::int64_t arrival = now;
            if (byteMicros_ > 0) {
                arrival = std::max(now, rxClock_) + byteMicros_;
                rxClock_ = arrival;
            }
            handle(buffer[i], arrival);
        }
    }
}

bool parseOptions(int argc, char** argv, Options& o)
{
    auto& faults = o.model.faults;
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        auto next = [&](const char*& value) {
            if (i + 1 >= argc) {
                std::fprintf(stderr, "qx260-radio-sim: %s needs a value\n", a.c_str());
                return false;
            }
            value = argv[++i];
            return true;
        };
        auto nextInt = [&](int& value) {
            const char* v = nullptr;
            if (!next(v))
                return false;
            if (!parseInt(v, value)) {
                std::fprintf(stderr, "qx260-radio-sim: %s: not a number: %s\n", a.c_str(), v);
                return false;
            }
            return true;
        };
        const char* v = nullptr;
        if (a == "--help" || a == "-h") {
            std::fputs(kUsage, stdout);
            std::exit(0);
        } else if (a == "--version") {
            qx260::printVersion("qx260-radio-sim");
            std::exit(0);
        } else if (a == "--link") {
            if (!next(v))
                return false;
            o.link = v;
        } else if (a == "--load") {
            if (!next(v))
                return false;
            o.load = v;
        } else if (a == "--save") {
            if (!next(v))
                return false;
            o.save = v;
        } else if (a == "--log") {
            if (!next(v))
                return false;
            o.log = v;
        } else if (a == "--pace") {
            if (!nextInt(o.pace))
                return false;
        } else if (a == "--model") {
            if (!next(v))
                return false;
            if (std::strcmp(v, "3") != 0 && std::strcmp(v, "2") != 0) {
                std::fprintf(stderr, "qx260-radio-sim: --model takes 3 or 2\n");
                return false;
            }
            o.model.identity.model = v[0];
        } else if (a == "--variant-byte") {
            Bytes b;
            if (!next(v))
                return false;
            if (!parseHex(v, b) || b.size() != 1) {
                std::fprintf(stderr, "qx260-radio-sim: --variant-byte takes one hexadecimal byte\n");
                return false;
            }
            o.model.identity.variantByte = b[0];
        } else if (a == "--ident") {
            Bytes b;
            if (!next(v))
                return false;
            if (!parseHex(v, b)) {
                std::fprintf(stderr, "qx260-radio-sim: --ident takes hexadecimal bytes\n");
                return false;
            }
            faults.identReply = b;
        } else if (a == "--short-ident") {
            if (!nextInt(faults.shortIdent))
                return false;
        } else if (a == "--silent") {
            faults.silent = true;
        } else if (a == "--echo-handshake") {
            faults.echoHandshake = true;
        } else if (a == "--echo-ident") {
            faults.echoIdentRequest = true;
        } else if (a == "--bad-handshake-acks") {
            if (!nextInt(faults.badHandshakeAcks))
                return false;
        } else if (a == "--no-answer") {
            if (!nextInt(faults.unansweredHandshakes))
                return false;
        } else if (a == "--wrong-write-ack") {
            if (!nextInt(faults.wrongWriteAckAt))
                return false;
        } else if (a == "--corrupt-write") {
            if (!nextInt(faults.corruptWriteAt))
                return false;
        } else if (a == "--wrong-read-ack") {
            if (!nextInt(faults.wrongReadAckAt))
                return false;
        } else if (a == "--short-read") {
            if (!nextInt(faults.shortReadAt))
                return false;
        } else if (a == "--gap-at") {
            if (!nextInt(faults.gapAt))
                return false;
        } else if (a == "--gap-ms") {
            if (!nextInt(faults.gapMs))
                return false;
        } else if (a == "--drop-at") {
            if (!nextInt(faults.dropAt))
                return false;
        } else {
            std::fprintf(stderr, "qx260-radio-sim: unknown option %s\n\n%s", a.c_str(), kUsage);
            return false;
        }
    }
    if (!o.load.empty()) {
        std::ifstream in(o.load, std::ios::binary);
        const Bytes file((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        if (!in.good() && !in.eof()) {
            std::fprintf(stderr, "qx260-radio-sim: cannot read %s\n", o.load.c_str());
            return false;
        }
        const auto memory = RadioModel::fromDocument(file);
        if (!memory) {
            std::fprintf(stderr, "qx260-radio-sim: %s is not a 1040-byte document\n", o.load.c_str());
            return false;
        }
        o.model.memory = *memory;
    }
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    Options options;
    if (!parseOptions(argc, argv, options))
        return 64;
#ifdef __linux__
    prctl(PR_SET_PDEATHSIG, SIGTERM); // never outlive the test or script that started it
    // A radio answers on time: no timer slack added to the paced bytes' wake-ups.
    prctl(PR_SET_TIMERSLACK, 1UL, 0, 0, 0);
#endif
    // The signals reach the line's thread only, while it waits for the line (see serve()).
    sigset_t handled;
    sigemptyset(&handled);
    for (int s : {SIGTERM, SIGINT, SIGUSR1, SIGUSR2})
        sigaddset(&handled, s);
    pthread_sigmask(SIG_BLOCK, &handled, nullptr);
    struct sigaction sa {
    };
    sa.sa_handler = onSignal;
    sigaction(SIGTERM, &sa, nullptr);
    sigaction(SIGINT, &sa, nullptr);
    sa.sa_handler = onRemove;
    sigaction(SIGUSR1, &sa, nullptr);
    sa.sa_handler = onConnect;
    sigaction(SIGUSR2, &sa, nullptr);
    signal(SIGPIPE, SIG_IGN);
    Simulator simulator(options);
    return simulator.run();
}
