#include "transfer/lib/TransferRun.h"

#include <unistd.h>

#include <memory>
#include <mutex>
#include <optional>

#include "shared/StreamIo.h"
#include "shared/SystemIo.h"
#include "transfer/lib/ConsoleDialogs.h"
#include "transfer/lib/DeviceOpener.h"
#include "transfer/lib/EchoingEditor.h"
#include "transfer/lib/PortLookup.h"
#include "transfer/lib/StopSignals.h"
#include "transfer/lib/TraceFile.h"
#include "transfers/DownloadCommand.h"
#include "transfers/DownloadWorker.h"
#include "transfers/ProgressText.h"
#include "transfers/TracedTransfer.h"
#include "transfers/UploadWorker.h"

namespace halvex::transfer {

namespace {

constexpr const char* kProgram = "halvex-transfer: ";
// How often the progress line is redrawn.
constexpr std::chrono::milliseconds kProgressPeriod{250};

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

// --device opens its device; a port name is looked up as this platform does (PortLookup.h).
std::unique_ptr<SerialPortOpener> MakeOpener(const TransferArguments& args) {
    if (!args.device.empty()) return std::make_unique<DeviceOpener>(args.device);
    return MakePortNameOpener();
}

// The worker's report of its end, for the main loop, which it wakes.
class WorkerEnd {
public:
    explicit WorkerEnd(StopSignals& signals) : signals_(signals) {}

    TransferDone Reporter() {
        return [this](TransferOutcome outcome) {
            {
                std::lock_guard lock(mutex_);
                outcome_ = outcome;
            }
            signals_.Wake();
        };
    }
    std::optional<TransferOutcome> Outcome() const {
        std::lock_guard lock(mutex_);
        return outcome_;
    }

private:
    StopSignals& signals_;
    mutable std::mutex mutex_;
    std::optional<TransferOutcome> outcome_;
};

struct Ending {
    TransferOutcome outcome = TransferOutcome::Failed;
    int stopSignal = 0;  // the signal that asked for the stop; 0: none
};

// Waits for the worker's end, stopping it at the first signal and drawing the progress.
Ending WaitForWorker(WorkerRegistry& workers, const WorkerEnd& end, StopSignals& signals,
                     ErrorConsole& console) {
    Ending ending;
    for (;;) {
        const int signal = signals.Wait(kProgressPeriod);
        if (signal != 0 && ending.stopSignal == 0) {
            ending.stopSignal = signal;
            signals.Release();
            workers.StopAll(StopNotice::Report);
        }
        if (const std::optional<TransferOutcome> outcome = end.Outcome()) {
            ending.outcome = *outcome;
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
          console_(STDERR_FILENO, !args.quiet && tool::IsTerminal(STDERR_FILENO)),
          editor_(STDOUT_FILENO),
          // Standard input that holds the upload's file has no Enter for the prompts.
          dialogs_(console_, workers_, STDIN_FILENO,
                   tool::IsTerminal(STDIN_FILENO) && args.input != "-"),
          trace_(args.trace, args.device.empty()) {
        settings_.Store(args.settings);
    }

    int Run() {
        std::optional<TransferFields> fields;
        if (args_.direction == Direction::Upload) {
            fields = BuildFromFile(args_, console_);
            if (!fields) return kExitFailed;
        }
        std::unique_ptr<SerialPortOpener> ports = MakeOpener(args_);
        StopSignals signals;
        WorkerEnd end(signals);
        if (!Start(*ports, fields, end)) {
            console_.PrintLine(std::string(kProgram) + "cannot start the transfer");
            return kExitFailed;
        }
        const Ending ending = WaitForWorker(workers_, end, signals, console_);
        if (!WriteResult(ending.outcome) || !TraceWritten()) return kExitFailed;
        if (ending.outcome == TransferOutcome::Completed) {
            console_.PrintForUser(DescribeTransferEnd(workers_.Progress().Snapshot()));
        }
        return ExitStatus(ending);
    }

private:
    bool Start(SerialPortOpener& ports, const std::optional<TransferFields>& fields,
               WorkerEnd& end) {
        TraceSink* traces = args_.trace.empty() ? nullptr : &trace_;
        const TransferEnvironment env{Editor(), dialogs_, settings_, ports, workers_, traces};
        const BlockedStopSignals blocked;
        if (fields) {
            return StartTraced(
                env, UploadCommandName(args_.uploadKind),
                [&fields](const TransferEnvironment& traced, TransferDone done) {
                    return StartUploadTransfer(traced, *fields, std::move(done));
                },
                end.Reporter());
        }
        return StartTraced(
            env, DownloadCommandName(args_.family),
            [this](const TransferEnvironment& traced, TransferDone done) {
                return StartDownload(traced, args_.family, std::move(done));
            },
            end.Reporter());
    }

    // False after telling why the --trace FILE could not be written.
    bool TraceWritten() {
        const std::string error = trace_.Error();
        if (error.empty()) return true;
        console_.PrintLine(kProgram + ("cannot write " + args_.trace) + ": " + error);
        return false;
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
    ConsoleDialogs dialogs_;
    TraceFile trace_;
    // Declared after what the worker uses, so that it is gone before any of that.
    WorkerRegistry workers_;
};

}  // namespace

int RunTransfer(const TransferArguments& args) { return Transfer(args).Run(); }

}  // namespace halvex::transfer
