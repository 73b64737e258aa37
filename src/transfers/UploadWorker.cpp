#include "transfers/UploadWorker.h"

#include <chrono>
#include <string_view>

#include "common/RecordQueue.h"
#include "port/OpenCommPort.h"

namespace halvex {
namespace {

// One upload run over an open port; the port stays open for the caller to close.
class UploadRun {
public:
    UploadRun(const TransferEnvironment& env, const TransferFields& fields, SerialPort& port,
              PauseFunction pause)
        : env_(env),
          fields_(fields),
          context_(port, env.settings, env.dialogs, fields.TransferMode) {
        context_.stopRequested = [&workers = env.workers] { return workers.StopRequested(); };
        context_.pause = [this, pause = std::move(pause)](std::chrono::milliseconds ms) {
            if (env_.trace) env_.trace->Event("pause " + std::to_string(ms.count()) + " ms");
            if (pause) {
                pause(ms);
            } else {
                PauseUnlessStopped(ms, context_.stopRequested);
            }
        };
    }

    // True when every record went out and the trailer was written.
    bool Run() {
        if (Stopping()) return false;
        env_.dialogs.ShowMessage(kUploadPrompt, kProgramCaption);
        env_.workers.Progress().StartClock();
        if (!SendJobHeader() || Stopping()) return false;
        // The echo replaces the text: from here on it no longer belongs to the file it came
        // from. Until here (port, prompt, header) the document stays as it was.
        env_.editor.DetachFromFile();
        env_.editor.ClearEditor();
        if (!SendQueue()) return false;
        if (!WriteTrailer()) {
            if (!Stopping()) env_.dialogs.ShowFailure(kCommunicationFailedMessage, kProgramCaption);
            return false;
        }
        return !Stopping();
    }

    bool Stopping() const { return context_.stopRequested(); }
    std::size_t RecordsSent() const { return recordsSent_; }

private:
    // Only a family that has a job header sends it, and only when the command asked for it.
    bool SendJobHeader() {
        if (fields_.SiteHeader != 1) return true;
        for (std::string_view record : context_.family.jobHeader) {
            if (!SendRecord(std::string(record), context_)) return false;
        }
        return true;
    }

    bool SendQueue() {
        std::int32_t counter = 0;
        return ForEachQueuedRecord(fields_.UploadQueue, [&](std::string_view queued) {
            const std::string record(queued);
            if (!FitsTheSender(record)) return false;
            if (!SendDataRecord(record, context_, counter)) return false;
            ++recordsSent_;
            env_.workers.Progress().RecordSent();
            // A full editor only stops the echo; the instrument still gets every record. Once
            // one echo did not fit, none follows, so the editor never shows a gap in the list.
            if (echoing_) echoing_ = env_.editor.AppendEditorText(record + "\r\n");
            return !Stopping();
        });
    }

    // The queue was checked against the handshake in force when the upload started; when it has
    // been changed since, a record may no longer fit. It is never cut: the transfer stops there.
    bool FitsTheSender(const std::string& record) {
        const std::size_t longest =
            context_.family.Records(env_.settings.CurrentHandshake()).longestRecord;
        if (record.size() <= longest) return true;
        const std::size_t index = recordsSent_;
        const std::string where = index < fields_.RecordLines.size()
                                      ? "Line " + std::to_string(fields_.RecordLines[index])
                                      : "Record " + std::to_string(index + 1);
        env_.dialogs.ShowFailure(RecordTooLongMessage(where, record.size(), longest),
                                 kProgramCaption, MessageIcon::Warning);
        return false;
    }

    // Writes the family's closing bytes, each pause counted from when what came before has
    // left the port. False when the device failed.
    bool WriteTrailer() {
        for (const TrailerStep& step : context_.family.trailer) {
            if (step.pauseLineDelay) {
                context_.pause(std::chrono::milliseconds(env_.settings.LineDelayMs.load()));
            } else if (step.pause.count() > 0) {
                context_.pause(step.pause);
            }
            if (!WriteAndDrain(context_.port, step.bytes)) return false;
        }
        return true;
    }

    const TransferEnvironment& env_;
    const TransferFields& fields_;
    SendContext context_;
    bool echoing_ = true;
    std::size_t recordsSent_ = 0;
};

}  // namespace

TransferOutcome UploadWorker(const TransferEnvironment& env, const TransferFields& fields,
                             PauseFunction pause) {
    std::unique_ptr<SerialPort> port = OpenCommPort(env);
    if (!port) return TransferOutcome::Failed;
    const std::size_t recordsTotal = CountQueuedRecords(fields.UploadQueue);
    env.workers.Progress().Begin(TransferKind::Upload, recordsTotal);
    bool finished = false;
    bool stopping = false;
    std::size_t recordsSent = 0;
    {
        AttachedPort attached(env.workers, *port);
        UploadRun run(env, fields, *port, std::move(pause));
        finished = run.Run();
        stopping = run.Stopping();
        recordsSent = run.RecordsSent();
    }
    port->Close();
    if (finished && !stopping) {
        env.dialogs.ShowMessage(kCommunicationFinished, kProgramCaption);
        return TransferOutcome::Completed;
    }
    if (!stopping) return TransferOutcome::Failed;
    if (!env.workers.StopSilently()) {
        env.dialogs.ShowMessage(UploadStoppedMessage(recordsSent, recordsTotal), kProgramCaption);
    }
    return TransferOutcome::Stopped;
}

bool StartUploadTransfer(TransferEnvironment env, TransferFields fields, TransferDone done) {
    WorkerRegistry& workers = env.workers;
    return workers.Start([env, fields = std::move(fields), done = std::move(done)] {
        const TransferOutcome outcome = UploadWorker(env, fields);
        env.workers.Progress().Finish(outcome);
        if (done) done(outcome);
    });
}

}  // namespace halvex
