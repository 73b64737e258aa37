#include "upload/UploadCommand.h"

#include <memory>

#include "common/RecordQueue.h"
#include "transfers/InstrumentFamilies.h"
#include "transfers/TracedTransfer.h"
#include "transfers/TransferGuard.h"
#include "transfers/UploadWorker.h"
#include "upload/CodeListRecords.h"
#include "upload/CoordinateRecords.h"
#include "upload/TamselCoordinate.h"
#include "upload/UploadLineScan.h"

namespace halvex {
namespace {

struct KindSettings {
    std::uint8_t siteHeader;
    InstrumentFamily family;
};

KindSettings SettingsFor(UploadKind kind) {
    using enum InstrumentFamily;
    switch (kind) {
        case UploadKind::TamselCoordinate:
            return {1, Tamsel};
        case UploadKind::BrennoCoordinate:
            return {1, Brenno};
        case UploadKind::CorvaneCoordinate:
            return {1, Corvane};
        case UploadKind::TamselCodeList:
            return {0, Tamsel};
        case UploadKind::BrennoCodeList:
            return {0, Brenno};
        case UploadKind::OtherData:
            return {0, Corvane};
    }
    return {0, Tamsel};
}

// `longestRecord`: what the family's sender takes with the handshake in force.
std::unique_ptr<RecordBuilder> MakeBuilder(UploadKind kind, std::string& queue,
                                           std::size_t longestRecord) {
    switch (kind) {
        case UploadKind::TamselCoordinate:
            return std::make_unique<TamselCoordinateBuilder>(queue);
        case UploadKind::BrennoCoordinate:
            return std::make_unique<BrennoCoordinateBuilder>(queue);
        case UploadKind::CorvaneCoordinate:
            return std::make_unique<CorvaneCoordinateBuilder>(queue);
        case UploadKind::TamselCodeList:
            return std::make_unique<TamselCodeListBuilder>(queue);
        case UploadKind::BrennoCodeList:
            return std::make_unique<BrennoCodeListBuilder>(queue, longestRecord);
        case UploadKind::OtherData:
            return std::make_unique<OtherDataBuilder>(queue, longestRecord);
    }
    return nullptr;
}

std::string RefusalMessage(std::size_t lineNumber, const std::string& reason) {
    return "Line " + std::to_string(lineNumber) + " cannot be uploaded: " + reason +
           ". Nothing was sent.";
}

// Gives each record queued since the last call the editor line `lineNumber`.
class RecordLineNotes {
public:
    void Note(UploadBuild& build, std::size_t lineNumber) {
        ForEachPiece(std::string_view(build.queue).substr(scanned_),
                     [&](std::string_view, bool ended) {
                         if (ended) build.recordLines.push_back(lineNumber);
                         return true;
                     });
        scanned_ = build.queue.size();
    }

private:
    std::size_t scanned_ = 0;
};

}  // namespace

std::string UploadCommandName(UploadKind kind) {
    switch (kind) {
        case UploadKind::TamselCoordinate:
            return "Upload Tamsel Coordinate";
        case UploadKind::BrennoCoordinate:
            return "Upload Brenno Coordinate";
        case UploadKind::CorvaneCoordinate:
            return "Upload Corvane Coordinate";
        case UploadKind::TamselCodeList:
            return "Upload Tamsel Pcode";
        case UploadKind::BrennoCodeList:
            return "Upload Brenno Pcode";
        case UploadKind::OtherData:
            return "Upload Other Data";
    }
    return "Upload";
}

UploadBuild BuildUpload(UploadKind kind, const std::string& editorText, Handshake handshake) {
    const KindSettings settings = SettingsFor(kind);
    UploadBuild build;
    build.siteHeader = settings.siteHeader;
    build.family = settings.family;

    std::string text;
    text.reserve(editorText.size() + 2);
    text.append(editorText).append("\r\n");
    const std::size_t longestRecord =
        DescribeFamily(settings.family).Records(handshake).longestRecord;
    std::unique_ptr<RecordBuilder> builder = MakeBuilder(kind, build.queue, longestRecord);
    std::size_t lineNumber = 0;
    RecordLineNotes notes;
    ForEachUploadLine(text, [&](std::string_view line) {
        ++lineNumber;
        std::string reason = builder->AddLine(line);
        notes.Note(build, lineNumber);
        if (reason.empty()) return true;
        build.refusal = RefusalMessage(lineNumber, reason);
        return false;
    });
    if (build.Refused()) {
        build.queue.clear();
        build.recordLines.clear();
    } else {
        builder->Finish();
        notes.Note(build, lineNumber);
    }
    return build;
}

std::optional<TransferFields> RunUploadCommand(UploadKind kind, const TransferEnvironment& env) {
    if (RefuseWhileTransferRuns(env.workers, env.dialogs)) return std::nullopt;
    if (!env.editor.ConfirmUnsaved()) return std::nullopt;
    UploadBuild build =
        BuildUpload(kind, env.editor.GetEditorText(), env.settings.CurrentHandshake());
    if (build.Refused()) {
        env.dialogs.ShowMessage(build.refusal, kProgramCaption, MessageIcon::Warning);
        return std::nullopt;
    }
    TransferFields fields = build.Fields();
    // No thread: the command ends without a message.
    StartTraced(env, UploadCommandName(kind),
                [fields](const TransferEnvironment& traced, TransferDone done) {
                    return StartUploadTransfer(traced, fields, std::move(done));
                });
    return fields;
}

}  // namespace halvex
