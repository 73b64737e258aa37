#include "transfer/lib/TransferRun.h"

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include <memory>
#include <optional>

#include "port/SystemPorts.h"
#include "settings/PortChoiceSettings.h"
#include "shared/StreamIo.h"
#include "transfer/lib/ConsoleDialogs.h"
#include "transfer/lib/DeviceOpener.h"
#include "transfer/lib/EchoingEditor.h"
#include "transfer/lib/StopSignals.h"
#include "transfers/DownloadWorker.h"
#include "transfers/ProgressText.h"
#include "transfers/UploadWorker.h"

namespace halvex::transfer {

namespace {

constexpr const char* kProgram = "halvex-transfer: ";
// How often the progress line is redrawn.
constexpr int kProgressPeriodMs = 250;

// The upload's records, built from the file as the upload command builds them from the
// editor's text, for the handshake given; nothing after the refusal or read error was printed.
std::optional<TransferFields> BuildFromFile(const TransferArguments& args, ErrorConsole& console) {
    const std::optional<std::string> text = tool::ReadAsEditorText(
        args.input, [&console](const std::string& line) { console.PrintLine(kProgram + line); });
    if (!text) return std::nullopt;
    const UploadBuild build =
        BuildUpload(args.uploadKind, *text, HandshakeOf(args.settings.Protocol));
    if (build.Refused()) {
        console.PrintLine(build.refusal);
        return std::nullopt;
    }
    return build.Fields();
}

// --device opens its path; a port name is mapped as in the window: HALVEX_COMn, the device
// chosen in Serial Ports (the settings file), the default device.
std::unique_ptr<SerialPortOpener> MakeOpener(const TransferArguments& args, PortChoices& choices) {
    if (!args.device.empty()) return std::make_unique<DeviceOpener>(args.device);
    ReadPortChoices(choices);
    return MakeSystemPortOpener(choices.Lookup());
}

// The worker reports its end through a pipe, so the main loop waits for it beside the signals.
class DonePipe {
public:
    DonePipe() {
        if (::pipe2(fds_, O_CLOEXEC) != 0) fds_[0] = fds_[1] = -1;
    }
    ~DonePipe() {
        for (int fd : fds_) {
            if (fd >= 0) ::close(fd);
        }
    }
    DonePipe(const DonePipe&) = delete;
    DonePipe& operator=(const DonePipe&) = delete;

    bool Ok() const { return fds_[0] >= 0; }
    int ReadFd() const { return fds_[0]; }
    TransferDone Reporter() const {
        return [fd = fds_[1]](TransferOutcome outcome) {
            const auto byte = static_cast<unsigned char>(outcome);
            while (::write(fd, &byte, 1) < 0 && errno == EINTR) {
            }
        };
    }
    TransferOutcome Take() const {
        unsigned char byte = static_cast<unsigned char>(TransferOutcome::Failed);
        while (::read(fds_[0], &byte, 1) < 0 && errno == EINTR) {
        }
        return static_cast<TransferOutcome>(byte);
    }

private:
    int fds_[2] = {-1, -1};
};

struct Ending {
    TransferOutcome outcome = TransferOutcome::Failed;
    int stopSignal = 0;  // the signal that asked for the stop; 0: none
};

// Waits for the worker's end, stopping it at the first signal and drawing the progress.
Ending WaitForWorker(WorkerRegistry& workers, const DonePipe& done, StopSignals& signals,
                     ErrorConsole& console) {
    Ending ending;
    for (;;) {
        pollfd fds[2] = {{signals.Fd(), POLLIN, 0}, {done.ReadFd(), POLLIN, 0}};
        ::poll(fds, 2, kProgressPeriodMs);
        if ((fds[0].revents & POLLIN) != 0 && ending.stopSignal == 0) {
            ending.stopSignal = signals.Take();
            if (ending.stopSignal != 0) {
                signals.Release();
                workers.StopAll(StopNotice::Report);
            }
        }
        if ((fds[1].revents & (POLLIN | POLLHUP)) != 0) {
            ending.outcome = done.Take();
            break;
        }
        console.ShowProgress(DescribeProgress(workers.Progress().Snapshot()));
    }
    workers.WaitIdle();
    console.ClearProgress();
    return ending;
}

int ExitStatus(const Ending& ending) {
    switch (ending.outcome) {
        case TransferOutcome::Completed:
            return kExitCompleted;
        case TransferOutcome::Stopped:
            if (ending.stopSignal != 0) return kExitSignalBase + ending.stopSignal;
            break;
        case TransferOutcome::Failed:
            break;
    }
    return kExitFailed;
}

// Everything one transfer needs, alive until the worker has ended.
class Transfer {
public:
    explicit Transfer(const TransferArguments& args)
        : args_(args),
          console_(STDERR_FILENO, !args.quiet && ::isatty(STDERR_FILENO) == 1),
          editor_(STDOUT_FILENO),
          // Standard input that holds the upload's file has no Enter for the prompts.
          dialogs_(console_, workers_, STDIN_FILENO,
                   ::isatty(STDIN_FILENO) == 1 && args.input != "-") {
        settings_.Store(args.settings);
    }

    int Run() {
        std::optional<TransferFields> fields;
        if (args_.direction == Direction::Upload) {
            fields = BuildFromFile(args_, console_);
            if (!fields) return kExitFailed;
        }
        std::unique_ptr<SerialPortOpener> ports = MakeOpener(args_, choices_);
        StopSignals signals;
        DonePipe done;
        if (!done.Ok() || !Start(*ports, fields, done)) {
            console_.PrintLine(std::string(kProgram) + "cannot start the transfer");
            return kExitFailed;
        }
        const Ending ending = WaitForWorker(workers_, done, signals, console_);
        if (!WriteResult(ending.outcome)) return kExitFailed;
        if (ending.outcome == TransferOutcome::Completed) {
            console_.PrintForUser(DescribeTransferEnd(workers_.Progress().Snapshot()));
        }
        return ExitStatus(ending);
    }

private:
    bool Start(SerialPortOpener& ports, const std::optional<TransferFields>& fields,
               const DonePipe& done) {
        const TransferEnvironment env{Editor(), dialogs_, settings_, ports, workers_};
        const BlockedStopSignals blocked;
        if (fields) return StartUploadTransfer(env, *fields, done.Reporter());
        return StartDownload(env, args_.family, done.Reporter());
    }

    // A download keeps its text in memory until the end; an upload echoes as it goes.
    MemoryEditor& Editor() {
        return args_.direction == Direction::Upload ? static_cast<MemoryEditor&>(editor_)
                                                    : download_;
    }

    // Writes the download's text (whatever arrived, also after a failure or a stop), or
    // reports a lost echo; false after telling why. A download that ended without a line
    // received writes nothing, so a port that did not open leaves an earlier FILE as it was.
    bool WriteResult(TransferOutcome outcome) {
        if (args_.direction == Direction::Download && outcome != TransferOutcome::Completed &&
            download_.Text().empty()) {
            return true;
        }
        std::string error;
        const bool written = args_.direction == Direction::Download
                                 ? tool::WriteAll(args_.output, download_.Text(), error)
                                 : (error = editor_.EchoError()).empty();
        if (written) return true;
        console_.PrintLine(kProgram + ("cannot write " + tool::DescribePath(args_.output, false)) +
                           ": " + error);
        return false;
    }

    const TransferArguments& args_;
    ErrorConsole console_;
    EchoingEditor editor_;
    MemoryEditor download_;
    CommSettings settings_;
    PortChoices choices_;
    ConsoleDialogs dialogs_;
    // Declared after what the worker uses, so that it is gone before any of that.
    WorkerRegistry workers_;
};

}  // namespace

int RunTransfer(const TransferArguments& args) { return Transfer(args).Run(); }

}  // namespace halvex::transfer
