// The terminal side of read and write: the progress bar, the Retry answers and Ctrl+C of
// each transfer and what is said when it ends (with what a write left in the radio), the checks made before
// the radio is touched, the command's port and its wire log.

#include "programs/cli/transfer.h"

#include <QCoreApplication>

#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>

#include "core/config/FileAccess.h"
#include "core/config/Texts.h"
#include "core/link/WriteWorkflow.h"
#include "platform/PortSettings.h"
#include "platform/Terminal.h"
#include "programs/cli/CliContext.h"
#include "programs/cli/Command.h"
#include "res/ResourceIds.h"

namespace qx260::cli
{

namespace
{

// Set by the signal handler, read by the transfers of every port's thread.
std::atomic<int> interruptFlag{0};
static_assert(std::atomic<int>::is_always_lock_free, "the Ctrl+C flag is set in a signal handler");

void onInterrupt(int)
{
    interruptFlag = 1;
    std::signal(SIGINT, SIG_DFL); // a second Ctrl+C ends the program at once
}

// The window's transfer messages, in English as everything else the command line says.
const char* transferMessage(int id)
{
    return messageText(id, Language::English);
}

bool parseCount(const std::string& text, int& value)
{
    if (text.empty() || text.size() > 6)
        return false;
    value = 0;
    for (char c : text) {
        if (c < '0' || c > '9')
            return false;
        value = value * 10 + (c - '0');
    }
    return true;
}

// Whether a file can be saved at `path` (see checkBeforeTransfer).
int checkOutputFolder(const std::string& path)
{
    const std::filesystem::path output(path);
    std::error_code error;
    const std::filesystem::path folder = output.has_parent_path() ? output.parent_path() : ".";
    if (!std::filesystem::is_directory(folder, error))
        return fail(kExitFailure, "cannot write " + path + ": the folder " + folder.string() +
                                      " does not exist; choose a file in an existing folder");
    if (::access(folder.c_str(), W_OK) != 0)
        return fail(kExitFailure, "cannot write " + path + ": " + std::strerror(errno) +
                                      "; choose a file in a folder you may write to");
    if (const FileResult replaceable = checkReplaceable(path); !replaceable.ok())
        return fail(kExitFailure,
                    "cannot write " + path + ": " + replaceable.reason + "; choose another file");
    return kExitOk;
}

} // namespace

struct TransferSession::State {
    int argc = 1;
    char name[10] = "qx260-cli";
    char* argv[2] = {name, nullptr};
    std::unique_ptr<QCoreApplication> app;
    void (*previous)(int) = SIG_DFL;
};

namespace
{
int sessionDepth = 0;
}

TransferSession::TransferSession() : state_(new State)
{
    // The serial port needs an application object on this thread.
    if (!QCoreApplication::instance())
        state_->app = std::make_unique<QCoreApplication>(state_->argc, state_->argv);
    if (sessionDepth++ == 0) {
        interruptFlag = 0;
        state_->previous = std::signal(SIGINT, onInterrupt);
    }
}

TransferSession::~TransferSession()
{
    if (--sessionDepth == 0)
        std::signal(SIGINT, state_->previous);
    delete state_;
}

bool TransferSession::interrupted()
{
    return interruptFlag != 0;
}

int checkBeforeTransfer(const TransferOptions& options)
{
    if (int code = checkUserSettings(); code != kExitOk)
        return code;
    // Found out now, not after the radio has been read, that a file cannot be made.
    for (const std::string* file : {&options.output, &options.backup, &options.log, &options.report}) {
        if (!file->empty()) {
            if (int code = checkOutputFolder(*file); code != kExitOk)
                return code;
        }
    }
    if (!options.backupDir.empty()) {
        std::error_code error;
        const std::filesystem::file_status found = std::filesystem::status(options.backupDir, error);
        if (std::filesystem::exists(found) && !std::filesystem::is_directory(found))
            return fail(kExitFailure, "--backup-dir " + options.backupDir +
                                          ": this is a file, not a folder; name the folder to keep the "
                                          "backups in");
        if (!std::filesystem::is_directory(found))
            return fail(kExitFailure, "--backup-dir " + options.backupDir +
                                          ": no such folder; make it first, or name an existing one");
        if (::access(options.backupDir.c_str(), W_OK) != 0)
            return fail(kExitFailure, "--backup-dir " + options.backupDir + ": " + std::strerror(errno) +
                                          "; choose a folder you may write to");
    }
    return kExitOk;
}

int finishWireLog(const TransferOptions& options, int code)
{
    // Nothing logged: the port was never reached, and an older log stays as it is.
    if (options.log.empty() || options.logText.empty())
        return code;
    if (const FileResult written = replaceFile(options.log, options.logText); !written.ok()) {
        fail(kExitFailure, "cannot write the log file " + options.log + ": " + written.reason);
        return code == kExitOk ? kExitFailure : code;
    }
    return code;
}

int transferOptionsFrom(const ParsedArgs& args, bool isRead, TransferOptions& options)
{
    const auto text = [&args](const char* name, std::string& into) {
        if (const std::string* value = args.option(name))
            into = *value;
    };
    options.ports = args.all("--port");
    for (const std::string& port : options.ports)
        if (port.empty())
            return fail(kExitUsage, "--port needs a port (COM1 .. COM16 or a device path)");
    if (!isRead)
        options.input = args.positional.front();
    text("-o", options.output);
    text("--log", options.log);
    text("--backup", options.backup);
    text("--backup-dir", options.backupDir);
    text("--report", options.report);
    if (const std::string* retries = args.option("--retries");
        retries && !parseCount(*retries, options.retries))
        return fail(kExitUsage, "--retries needs a number");
    options.quiet = args.has("--quiet");
    options.verify = args.has("--verify");
    options.repeat = args.has("--repeat");
    options.port = options.ports.front();
    if (!options.backup.empty() && (options.ports.size() > 1 || options.repeat))
        return fail(kExitUsage, "--backup names one file for one radio; for several, --backup-dir DIR keeps "
                                "one per radio");
    if (!options.backup.empty() && !options.backupDir.empty())
        return fail(kExitUsage, "--backup and --backup-dir: choose one");
    // An empty name given on purpose ("-o ''") names no file either.
    if (isRead && options.output.empty())
        return fail(kExitUsage, "say where the document goes: -o FILE.dat");
    if (!isRead && options.input.empty())
        return fail(kExitUsage, "say which document to send: write --port PORT FILE.dat");
    if (isRead && options.output == "-")
        return fail(kExitUsage, "a document does not go to standard output; name a file: -o FILE.dat");
    if (!isRead && options.input == "-")
        return fail(kExitUsage, "a document does not come from standard input; name a file");
    if (!options.backup.empty() && sameFile(options.backup, options.input))
        return fail(kExitUsage, "--backup would overwrite the document being written; name another file");
    // The log replaces its file at the end: it must not take the place of a document.
    for (const std::string* document : {&options.output, &options.input, &options.backup, &options.report}) {
        if (!options.log.empty() && !document->empty() && sameFile(options.log, *document))
            return fail(kExitUsage,
                        "--log names " + *document + ", which the log would replace; name another file");
    }
    // The report grows at its end: a document must not take the lines.
    for (const std::string* document : {&options.input, &options.backup}) {
        if (!options.report.empty() && !document->empty() && sameFile(options.report, *document))
            return fail(kExitUsage,
                        "--report names " + *document + ", which the report would change; name another file");
    }
    return kExitOk;
}

TerminalTransfer::TerminalTransfer(const TransferOptions& options)
    : options_(options), retriesLeft_(options.retries), showBar_(!options.quiet && isTerminal(stderr))
{
}

void TerminalTransfer::begin(link::Direction direction)
{
    direction_ = direction;
    retriesLeft_ = options_.retries;
}

link::TransferControl TerminalTransfer::control()
{
    link::TransferControl control;
    control.progress = [this](int position) { progress(position); };
    control.cancelRequested = [] { return interruptFlag != 0; };
    control.communicationError = [this] { return communicationError(); };
    return control;
}

void TerminalTransfer::progress(int position)
{
    if (!showBar_)
        return;
    const int width = 40;
    const int filled = position * width / link::wire::kBlockCount;
    std::fprintf(stderr, "\r%s [%s%s] %d/%d", direction_ == link::Direction::Read ? "Reading" : "Writing",
                 std::string(static_cast<std::size_t>(filled), '#').c_str(),
                 std::string(static_cast<std::size_t>(width - filled), ' ').c_str(), position,
                 link::wire::kBlockCount);
    barShown_ = true;
}

link::RetryDecision TerminalTransfer::communicationError()
{
    endBar();
    if (retriesLeft_ > 0 && !interruptFlag) {
        --retriesLeft_;
        std::fprintf(stderr, "qx260-cli: %s (retrying)\n", transferMessage(resid::StrCommunicationError));
        return link::RetryDecision::Retry;
    }
    std::fprintf(stderr, "qx260-cli: %s\n", transferMessage(resid::StrCommunicationError));
    return link::RetryDecision::Cancel;
}

void TerminalTransfer::endBar()
{
    if (barShown_)
        std::fputc('\n', stderr);
    barShown_ = false;
}

int TerminalTransfer::ended(const link::TransferOutcome& outcome, const std::string& device)
{
    endBar();
    const auto say = [&](int id) {
        if (outcome.reason.empty())
            std::fprintf(stderr, "qx260-cli: %s\n", transferMessage(id));
        else
            std::fprintf(stderr, "qx260-cli: %s\n  %s\n", transferMessage(id), outcome.reason.c_str());
    };
    switch (link::endingMessage(outcome)) {
    case link::EndingMessage::CannotOpenPort:
        say(resid::StrCannotOpenPort);
        break;
    case link::EndingMessage::ProgramInterrupt:
        say(resid::StrProgramInterrupt);
        break;
    case link::EndingMessage::TypeMismatch:
        std::fprintf(stderr,
                     "qx260-cli: Caution: Becuase the type of radio does not match,\ncommunications is "
                     "interrupt.\n");
        break;
    case link::EndingMessage::None:
        break;
    }

    if (outcome.ok()) {
        if (!options_.quiet) {
            if (outcome.direction == link::Direction::Read)
                std::fprintf(stderr, "Read %d blocks from %s; radio variant %d.\n", outcome.blocksDone,
                             device.c_str(), outcome.radioVariant());
            else
                std::fprintf(stderr, "Wrote %d blocks to %s.\n", outcome.blocksDone, device.c_str());
        }
        return kExitOk;
    }
    if (outcome.direction == link::Direction::Write) {
        // However a Write ended, what the radio now holds, and for part of the document
        // how to put it right.
        const link::RadioContents held = link::contentsAfterWrite(outcome);
        const std::string holds = link::radioHoldsText(held, Language::English, link::Wording::Clause);
        const bool cancelled = outcome.ending == link::TransferEnding::Cancelled;
        std::fprintf(stderr, "qx260-cli: %s%s.\n", cancelled ? "cancelled: " : "", holds.c_str());
        if (!held.unchanged()) {
            const std::string restore =
                options_.backup.empty()
                    ? " (there is no backup of what it held; next time, --backup FILE.dat makes one)"
                    : ", or write the backup " + options_.backup + " to put back what it held";
            std::fprintf(stderr, "  To put it right, write %s again%s.\n", options_.input.c_str(),
                         restore.c_str());
        }
    } else if (outcome.ending == link::TransferEnding::Cancelled) {
        std::fprintf(stderr, "qx260-cli: cancelled; the port is closed and no file was changed.\n");
    }
    return kExitFailure;
}

CommandPort::CommandPort(TransferOptions& options)
    : options_(options), logged_(port_, [&options](const std::string& line) {
          options.logText += line;
          options.logText += '\n';
      })
{
}

CommandPort::~CommandPort()
{
    close();
}

link::LinkResult CommandPort::open()
{
    const std::optional<std::string> device =
        link::resolvePortDevice(options_.port, link::systemPortMapping());
    if (!device)
        return {link::LinkStatus::OpenFailed,
                options_.port + ": no serial device is set for this port (see \"qx260-cli ports\")"};
    device_ = *device;
    return link().open(device_);
}

void CommandPort::close()
{
    if (link().isOpen())
        link().close();
}

link::SerialLink& CommandPort::link()
{
    return options_.log.empty() ? static_cast<link::SerialLink&>(port_) : logged_;
}

} // namespace qx260::cli
