// The fleet write of qx260-cli: the ports' threads, what they show on the terminal, the
// backups kept per radio and the report file.

#include "programs/cli/fleet.h"

#include <QDateTime>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <mutex>

#include "core/channels/Csv.h"
#include "core/compare/DifferenceText.h"
#include "core/compare/ImageCompare.h"
#include "core/config/FileAccess.h"
#include "core/config/ProcessValues.h"
#include "core/link/FleetWrite.h"
#include "core/link/WireLog.h"
#include "core/radio/CProgramDoc.h"
#include "platform/PortSettings.h"
#include "platform/PortThreads.h"
#include "platform/Terminal.h"
#include "programs/cli/CliContext.h"
#include "programs/cli/Command.h"

namespace qx260::cli
{

namespace
{

using link::PortActivity;
using link::RadioTurn;

// One --port: where it leads, and what its thread leaves for the others to read.
struct Port {
    std::string name;   // as given
    std::string device; // what it opens
    PortActivity activity;
    std::string logText; // its wire log (--log), written by its own thread only
    std::string shown;   // the last radio's result once the port is finished
    bool failed = false; // a radio on it was not written (and verified, when asked)
};

// What a port's thread tells the main thread.
struct Event {
    std::size_t port = 0;
    bool removed = false; // repeat: the radio of the last turn no longer answers
    int radio = 0;
    RadioTurn turn;
};

class Events
{
  public:
    void push(Event event)
    {
        std::lock_guard<std::mutex> lock(mutex_);
        events_.push_back(std::move(event));
    }
    std::vector<Event> take()
    {
        std::lock_guard<std::mutex> lock(mutex_);
        std::vector<Event> taken;
        taken.swap(events_);
        return taken;
    }

  private:
    std::mutex mutex_;
    std::vector<Event> events_;
};

// The clock a shop goes by, in digits that no locale changes.
std::string localTime(const char* format)
{
    return QDateTime::currentDateTime().toString(QString::fromLatin1(format)).toStdString();
}

// "6.2": tenths of a second, with a point whatever the locale.
std::string secondsText(double seconds)
{
    const long long tenths = std::llround(seconds * 10);
    return std::to_string(tenths / 10) + "." + std::to_string(tenths % 10);
}

// A word as a POSIX shell reads it back: as it is when it holds nothing the shell treats
// specially, else in single quotes.
std::string shellWord(const std::string& word)
{
    const bool plain =
        !word.empty() && word.find_first_not_of("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"
                                                "0123456789_./:=,+-@%") == std::string::npos;
    if (plain)
        return word;
    std::string quoted = "'";
    for (char c : word)
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

// The ports whose radio was not written as options to give the write again:
// "--port COM2 --port COM5".
std::string portOptions(const std::vector<std::string>& ports)
{
    std::string text;
    for (const std::string& port : ports)
        text += (text.empty() ? "--port " : " --port ") + shellWord(port);
    return text;
}

std::vector<std::string> linesOf(const std::string& text)
{
    std::vector<std::string> lines;
    for (std::size_t at = 0; at < text.size();) {
        const std::size_t end = std::min(text.find('\n', at), text.size());
        lines.push_back(text.substr(at, end - at));
        at = end + 1;
    }
    return lines;
}

std::string indented(const std::string& text)
{
    std::string out;
    for (const std::string& line : linesOf(text))
        out += "    " + line + "\n";
    return out;
}

// The report: one CSV line per radio, each appended by one write to a file opened for
// appending, so lines of several threads (or of two programs) never mix.
class Report
{
  public:
    explicit Report(std::string path) : path_(std::move(path)) {}

    // A new or empty file starts with the header line. False with the reason.
    bool begin(std::string& error)
    {
        std::error_code ec;
        if (std::filesystem::exists(path_, ec) && std::filesystem::file_size(path_, ec) > 0)
            return true;
        return append(csvRecord({"time", "port", "result", "seconds", "verify", "backup"}), error);
    }

    void add(const std::string& port, const RadioTurn& turn)
    {
        std::string verify;
        if (turn.verifyAsked)
            verify = turn.verified() ? "verified" : turn.readBack ? "differs" : "not verified";
        const std::string line = csvRecord({localTime("yyyy-MM-dd HH:mm:ss"), port,
                                            turn.ok() ? "ok" : link::turnSummary(turn, Language::English),
                                            secondsText(turn.seconds), verify, turn.backup.name});
        std::string error;
        std::lock_guard<std::mutex> lock(mutex_);
        if (!append(line, error) && failure_.empty())
            failure_ = error;
    }

    // The first line that could not be added, when one could not.
    std::string failure()
    {
        std::lock_guard<std::mutex> lock(mutex_);
        return failure_;
    }

  private:
    // The whole line or none of it, and the system's reason when none.
    bool append(const std::string& line, std::string& error)
    {
        if (const FileResult added = appendWhole(path_, line); !added.ok()) {
            error = path_ + ": " + added.reason;
            return false;
        }
        return true;
    }

    std::mutex mutex_;
    std::string path_;
    std::string failure_;
};

// What the user sees: the result lines (standard output), and on a terminal one progress
// line per port below them (standard error), redrawn in place. Elsewhere the states of
// repeat mode come as lines of their own.
class Display
{
  public:
    Display(std::vector<std::unique_ptr<Port>>& ports, const TransferOptions& options,
            const RadioImage& image)
        : ports_(ports), options_(options), image_(image), drawn_(!options.quiet && isTerminal(stderr)),
          resultsOnTerminal_(isTerminal(stdout))
    {
        for (const auto& port : ports_)
            width_ = std::max(width_, port->name.size());
    }

    void show(const std::vector<Event>& events)
    {
        if (drawn_ && linesDrawn_ > 0) {
            std::fprintf(stderr, "\x1b[%dA\r", linesDrawn_);
            std::fflush(stderr);
        }
        for (const Event& event : events)
            event.removed ? removed(event) : ended(event);
        if (drawn_) {
            for (const auto& port : ports_)
                std::fprintf(stderr, "\x1b[K%s\n", progressLine(*port).c_str());
            linesDrawn_ = static_cast<int>(ports_.size());
        }
    }

    // Takes the progress lines away and says what came of it all.
    int finish(bool interrupted, const std::string& reportFailure)
    {
        if (drawn_ && linesDrawn_ > 0)
            std::fprintf(stderr, "\x1b[%dA\r\x1b[J", linesDrawn_);
        std::string text = interrupted ? "Stopped by Ctrl+C. " : "";
        text += std::to_string(radios_) + (radios_ == 1 ? " radio: " : " radios: ") +
                std::to_string(written_) + " written";
        if (options_.verify)
            text += ", " + std::to_string(verified_) + " verified";
        text += ", " + std::to_string(failed_.size()) + " failed";
        for (std::size_t i = 0; i < failed_.size(); ++i)
            text += (i == 0 ? " (" : ", ") + failed_[i] + (i + 1 == failed_.size() ? ")" : "");
        std::printf("%s.\n", text.c_str());
        // Ready to be given again: the same write to only the ports that failed.
        std::vector<std::string> failedPorts;
        for (const auto& port : ports_)
            if (port->failed)
                failedPorts.push_back(port->name);
        if (!options_.repeat && ports_.size() > 1 && !failedPorts.empty())
            std::printf("To write the failed radios again: %s\n", portOptions(failedPorts).c_str());
        if (!reportFailure.empty())
            return fail(kExitFailure, "the report could not be added to: " + reportFailure);
        if (radios_ == 0)
            return fail(kExitFailure, "no radio was written");
        return failed_.empty() ? kExitOk : kExitFailure;
    }

  private:
    std::string label(const Port& port, int radio) const
    {
        if (!options_.repeat)
            return port.name;
        return (ports_.size() > 1 ? port.name + " radio " : "radio ") + std::to_string(radio);
    }

    void ended(const Event& event)
    {
        Port& port = *ports_[event.port];
        const RadioTurn& turn = event.turn;
        const std::string summary = link::turnSummary(turn, Language::English);
        std::string line = label(port, turn.radio) + ": " +
                           (turn.ok() || turn.cancelled() ? summary : "FAILED: " + summary) + " (" +
                           secondsText(turn.seconds) + " s)\n";
        if (!turn.backup.name.empty() && turn.backup.ok())
            line += "    backup: " + turn.backup.name + "\n";
        if (turn.readBack && !turn.verified()) {
            const ImageDifferences d = compareImages(image_, *turn.readBack, 0, processValues().language());
            line += indented(differenceLines(d, image_, *turn.readBack, processValues()));
        }
        if (turn.radioHolds() == link::WriteResult::RadioHolds::FirstBlocks)
            line += "    to put it right, write " + options_.input + " into it again\n";
        print(line);

        ++radios_;
        written_ += turn.written() ? 1 : 0;
        verified_ += turn.verified() ? 1 : 0;
        if (!turn.ok()) {
            failed_.push_back(label(port, turn.radio));
            port.failed = true;
        }
        port.shown = turn.ok() ? summary : "FAILED";
        if (options_.repeat && !drawn_ && !options_.quiet &&
            turn.outcome.ending != link::TransferEnding::OpenFailed)
            std::fprintf(stderr, "%s: waiting until radio %d is taken off the cable or switched off\n",
                         port.name.c_str(), turn.radio);
    }

    void removed(const Event& event)
    {
        if (!drawn_ && !options_.quiet)
            std::fprintf(stderr, "%s: radio %d is off the line; waiting for radio %d\n",
                         ports_[event.port]->name.c_str(), event.radio, event.radio + 1);
    }

    void print(const std::string& text)
    {
        if (drawn_ && resultsOnTerminal_) {
            // Over the progress lines, each line cleared to its end first.
            for (const std::string& line : linesOf(text))
                std::fprintf(stdout, "\x1b[K%s\n", line.c_str());
        } else {
            std::fputs(text.c_str(), stdout);
        }
        std::fflush(stdout);
    }

    std::string progressLine(const Port& port) const
    {
        const int stage = port.activity.stage;
        const int radio = port.activity.radio;
        std::string text = port.name + std::string(width_ - port.name.size(), ' ') + "  ";
        const char* word = stage == PortActivity::Backup   ? "backup   "
                           : stage == PortActivity::Write  ? "writing  "
                           : stage == PortActivity::Verify ? "verifying"
                                                           : nullptr;
        if (word) {
            const int blocks = port.activity.blocks;
            const int filled = blocks * kBarWidth / link::wire::kBlockCount;
            text += std::string(word) + " [" + std::string(static_cast<std::size_t>(filled), '#') +
                    std::string(static_cast<std::size_t>(kBarWidth - filled), ' ') + "] " +
                    std::to_string(blocks) + "/" + std::to_string(link::wire::kBlockCount);
            if (options_.repeat)
                text += "  radio " + std::to_string(radio);
        } else if (stage == PortActivity::WaitingForRemoval) {
            text += "radio " + std::to_string(radio) + " done: take it off the cable (or switch it off)";
        } else if (stage == PortActivity::WaitingForRadio) {
            text += "waiting for radio " + std::to_string(radio) + " (connect it and switch it on)";
        } else if (stage == PortActivity::Finished) {
            text += port.shown;
        } else {
            text += "starting";
        }
        // One screen line each, or moving back over them would miss.
        return text.size() > kLineLimit ? text.substr(0, kLineLimit - 3) + "..." : text;
    }

    static constexpr int kBarWidth = 30;
    static constexpr std::size_t kLineLimit = 79;

    std::vector<std::unique_ptr<Port>>& ports_;
    const TransferOptions& options_;
    const RadioImage& image_;
    bool drawn_;
    bool resultsOnTerminal_;
    std::size_t width_ = 0;
    int linesDrawn_ = 0;
    int radios_ = 0;
    int written_ = 0;
    int verified_ = 0;
    std::vector<std::string> failed_;
};

} // namespace

bool wantsFleetWrite(const TransferOptions& options)
{
    return options.ports.size() > 1 || options.repeat || !options.backupDir.empty() ||
           !options.report.empty();
}

int writeFleet(TransferOptions& options, const RadioImage& image)
{
    // Where each port leads; one device named twice would be two transfers on one line.
    std::vector<std::unique_ptr<Port>> ports;
    const link::PortMapping mapping = link::systemPortMapping();
    for (const std::string& name : options.ports) {
        const std::optional<std::string> device = link::resolvePortDevice(name, mapping);
        if (!device)
            return fail(kExitFailure,
                        name + ": no serial device is set for this port (see \"qx260-cli ports\"); "
                               "nothing was written");
        for (const auto& other : ports) {
            if (other->device == *device || sameFile(other->device, *device))
                return fail(kExitUsage, name + " and " + other->name + " are the same port (" + *device +
                                            "); name each port once");
        }
        ports.push_back(std::make_unique<Port>());
        ports.back()->name = name;
        ports.back()->device = *device;
    }

    // The verification's difference lines name products as the configuration does.
    if (options.verify) {
        std::string error;
        if (!loadConfiguration(processValues(), std::string(), error))
            std::fprintf(stderr, "qx260-cli: %s (product names are shown as numbers)\n", error.c_str());
    }
    std::unique_ptr<Report> report;
    if (!options.report.empty()) {
        report = std::make_unique<Report>(options.report);
        if (std::string error; !report->begin(error))
            return fail(kExitFailure, "cannot add to the report " + error + "; nothing was written");
    }
    std::unique_ptr<link::BackupFolder> backups;
    if (!options.backupDir.empty())
        backups = std::make_unique<link::BackupFolder>(options.backupDir);

    // One Ctrl+C handler for every port: each ends at its next safe point.
    TransferSession session;
    link::FleetSettings settings;
    settings.verify = options.verify;
    settings.retries = options.retries;
    settings.cancelRequested = [] { return TransferSession::interrupted(); };

    Events events;
    Display display(ports, options, image);
    {
        link::PortThreads threads;
        for (std::size_t i = 0; i < ports.size(); ++i) {
            Port& port = *ports[i];
            link::FleetSettings mine = settings;
            if (backups)
                mine.keepBackup = [&backups, &port](const RadioImage& memory) {
                    return backups->keep(port.name, memory);
                };
            threads.start([&, i, mine](link::SerialLink& serial) {
                link::LoggingSerialLink logged(serial, [&port](const std::string& line) {
                    port.logText += line;
                    port.logText += '\n';
                });
                link::SerialLink& used = options.log.empty() ? serial : logged;
                auto ended = [&](const RadioTurn& turn) {
                    if (report)
                        report->add(port.name, turn);
                    events.push({i, false, turn.radio, turn});
                };
                if (options.repeat) {
                    link::writeRadiosInTurn(used, port.device, image, mine, port.activity,
                                            {ended, [&](int radio) {
                                                 events.push({i, true, radio, {}});
                                             }});
                } else {
                    ended(link::writeRadioTurn(used, port.device, image, mine, port.activity));
                }
                port.activity.stage = PortActivity::Finished;
            });
        }
        while (!threads.wait(100))
            display.show(events.take());
    }
    display.show(events.take());

    // One wire log for the run, each port's exchange in a part of its own.
    for (const auto& port : ports) {
        if (ports.size() > 1 && !port->logText.empty())
            options.logText += "== " + port->name + " (" + port->device + ")\n";
        options.logText += port->logText;
    }
    return display.finish(TransferSession::interrupted(), report ? report->failure() : std::string());
}

} // namespace qx260::cli
