#include "transfers/DownloadWorker.h"

#include <memory>

#include "port/OpenCommPort.h"
#include "transfers/ControlBytes.h"
#include "transfers/InstrumentFamilies.h"

namespace halvex {

namespace {

constexpr std::uint8_t kAckByte[] = {kAck};
constexpr std::uint8_t kEnqByte[] = {kEnq};

enum class DownloadEnd { Terminator, ReadFailed, TimedOut, EditorFull };

// The receiving loop over an open port, with its line buffer and first-line flag.
class DownloadRun {
public:
    DownloadRun(const TransferEnvironment& env, const DownloadRules& rules, SerialPort& port)
        : env_(env), rules_(rules), port_(port) {}

    DownloadEnd Receive() {
        for (;;) {
            std::uint8_t byte = 0;
            const ReadResult read = port_.Read(&byte, 1);
            if (read.status == ReadStatus::Failed) return DownloadEnd::ReadFailed;
            if (read.count == 0) return DownloadEnd::TimedOut;
            env_.workers.Progress().AddReceived(1);
            if (byte == rules_.terminator) return DownloadEnd::Terminator;
            const bool acknowledge = byte == kLf && Answering();
            // The ACK goes out before the line shows. A line that arrived whole is shown even
            // when its ACK could not be sent; the download then ends as a failed read would.
            const bool acknowledged = !acknowledge || port_.Write(kAckByte);
            Collect(byte);
            if (byte == kLf && !ShowLine()) return DownloadEnd::EditorFull;
            // The next byte's time-out counts from when the ACK has left the port.
            if (!acknowledged || (acknowledge && !port_.DrainOutput())) {
                return DownloadEnd::ReadFailed;
            }
        }
    }

    std::size_t NulBytesShown() const { return nulBytesShown_; }
    std::size_t LinesShown() const { return linesShown_; }

private:
    bool Answering() const { return rules_.Answers(env_.settings.CurrentHandshake()); }

    void Collect(std::uint8_t byte) {
        if (byte == 0) {
            ++lineNulBytes_;
            byte = static_cast<std::uint8_t>(kNulSubstitute);
        }
        line_.push_back(static_cast<char>(byte));
    }

    // Puts the collected line into the editor; false when the editor is full.
    bool ShowLine() {
        if (firstLine_) {
            firstLine_ = false;  // the caret still stands at the start of the emptied editor
        } else {
            env_.editor.MoveCaretTo(kCaretToEnd);
        }
        if (!env_.editor.AppendEditorText(line_)) return false;
        ++linesShown_;
        env_.workers.Progress().LineShown();
        nulBytesShown_ += lineNulBytes_;
        lineNulBytes_ = 0;
        line_ = rules_.extraLineFeed ? std::string(1, static_cast<char>(kLf)) : std::string();
        return true;
    }

    const TransferEnvironment& env_;
    const DownloadRules& rules_;
    SerialPort& port_;
    std::string line_;
    bool firstLine_ = true;
    std::size_t lineNulBytes_ = 0;
    std::size_t nulBytesShown_ = 0;
    std::size_t linesShown_ = 0;
};

// Once the transfer is being stopped, only the stop's own report is shown.
void Tell(const TransferEnvironment& env, const std::string& message) {
    if (!env.workers.StopRequested()) env.dialogs.ShowMessage(message, kProgramCaption);
}

// The message that ends the download as failed.
void TellFailure(const TransferEnvironment& env, const std::string& message) {
    if (!env.workers.StopRequested()) env.dialogs.ShowFailure(message, kProgramCaption);
}

// Shows the prompt and, where the exchange starts with it, sends ENQ and waits until it has left
// the port, so the first byte's time-out counts from then. False when ENQ could not be sent.
bool Prompt(const TransferEnvironment& env, const DownloadRules& rules, SerialPort& port) {
    if (rules.Answers(env.settings.CurrentHandshake())) {
        Tell(env, kDownloadPromptStationFirst);
        return port.Write(kEnqByte) && port.DrainOutput();
    }
    Tell(env, kDownloadPromptComputerFirst);
    return true;
}

// Closes the port and tells the user how the download ended, each message in its order.
void Finish(const TransferEnvironment& env, DownloadEnd end, SerialPort& port) {
    switch (end) {
        case DownloadEnd::Terminator:
            port.Close();
            break;
        case DownloadEnd::ReadFailed:
            port.Close();
            TellFailure(env, kCommunicationFailedMessage);
            break;
        case DownloadEnd::TimedOut:
            TellFailure(env, kCommunicationTimeOutMessage);
            port.Close();
            break;
        case DownloadEnd::EditorFull:
            port.Close();
            TellFailure(env, kDownloadTooLargeMessage);
            break;
    }
}

}  // namespace

std::string NulBytesReplacedMessage(std::size_t count) {
    const std::string bytes = count == 1 ? "1 byte" : std::to_string(count) + " bytes";
    return "The instrument sent " + bytes +
           " of value 0, which the editor cannot hold. They are shown as the byte SUB (0x1A).";
}

TransferOutcome DownloadWorker(const TransferEnvironment& env, InstrumentFamily family) {
    // The download replaces the text: from here on it no longer belongs to the file it came from.
    env.editor.DetachFromFile();
    env.editor.ClearEditor();
    std::unique_ptr<SerialPort> port = OpenCommPort(env);
    if (!port) return TransferOutcome::Failed;
    env.workers.Progress().Begin(TransferKind::Download);
    std::size_t nulBytesShown = 0;
    std::size_t linesShown = 0;
    bool stopped = false;
    bool completed = false;
    {
        AttachedPort attached(env.workers, *port);
        env.editor.SetEditorReadOnly(true);
        const DownloadRules& rules = DescribeFamily(family).download;
        DownloadRun run(env, rules, *port);
        const bool started = Prompt(env, rules, *port);
        env.workers.Progress().StartClock();
        const DownloadEnd end = started ? run.Receive() : DownloadEnd::ReadFailed;
        // A download that reached its terminator is complete, whenever a stop came.
        completed = end == DownloadEnd::Terminator;
        stopped = !completed && env.workers.StopRequested();
        if (stopped) {
            port->Close();
        } else {
            Finish(env, end, *port);
        }
        nulBytesShown = run.NulBytesShown();
        linesShown = run.LinesShown();
    }
    env.editor.SetEditorReadOnly(false);
    if (stopped) {
        if (env.workers.StopSilently()) return TransferOutcome::Stopped;
        env.dialogs.ShowMessage(DownloadStoppedMessage(linesShown), kProgramCaption,
                                MessageIcon::None,
                                nulBytesShown > 0 ? NulBytesReplacedMessage(nulBytesShown) : "");
        return TransferOutcome::Stopped;
    }
    if (nulBytesShown > 0) Tell(env, NulBytesReplacedMessage(nulBytesShown));
    return completed ? TransferOutcome::Completed : TransferOutcome::Failed;
}

bool StartDownload(TransferEnvironment env, InstrumentFamily family, TransferDone done) {
    WorkerRegistry& workers = env.workers;
    return workers.Start([env, family, done = std::move(done)] {
        const TransferOutcome outcome = DownloadWorker(env, family);
        env.workers.Progress().Finish(outcome);
        if (done) done(outcome);
    });
}

}  // namespace halvex
