#pragma once
// The frame every upload command runs on the user-interface thread: ConfirmUnsaved, build the
// queue from the editor text, start the upload transfer with the worker's own copy of the
// queue and of the two transfer fields.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "transfers/TransferEnvironment.h"

namespace halvex {

enum class UploadKind {
    TamselCoordinate,   // command 32776
    BrennoCoordinate,   // command 32780
    CorvaneCoordinate,  // command 32781
    TamselCodeList,     // command 32777
    BrennoCodeList,     // command 32786
    OtherData,          // command 32787
};

// The command's name, as its menu item has it: "Upload Tamsel Coordinate", ...; "Upload Corvane
// Coordinate" for the command without a menu item.
std::string UploadCommandName(UploadKind kind);

struct UploadBuild {
    std::string queue;
    std::vector<std::size_t> recordLines;  // the editor line of each queued record
    std::uint8_t siteHeader = 0;
    InstrumentFamily family = InstrumentFamily::Tamsel;
    // Empty, or the message that tells the user why nothing can be uploaded.
    std::string refusal;

    bool Refused() const { return !refusal.empty(); }
    TransferFields Fields() const { return {family, siteHeader, queue, recordLines}; }
};

// Builds the queue of one upload command from the whole editor text, refusing records longer
// than the sender takes with `handshake` (the one in force when the upload starts).
UploadBuild BuildUpload(UploadKind kind, const std::string& editorText, Handshake handshake);

// The whole command: refuses while a transfer runs, asks ConfirmUnsaved, builds, and starts the
// transfer (traced where env.traces asks for it). Returns the fields given to the worker, or
// nothing when the command was refused, the user declined or the text was refused (after a message
// naming the line); nothing is sent then.
std::optional<TransferFields> RunUploadCommand(UploadKind kind, const TransferEnvironment& env);

}  // namespace halvex
