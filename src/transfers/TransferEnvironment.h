#pragma once
// What a transfer worker is given when it starts: the editor and message boxes (through the
// core interfaces), the live communication settings, the device opener and the registry that
// tracks it, and where its line trace goes, plus the transfer fields its command made.
//
// The fields are the worker's own: TransferMode, SiteHeader and UploadQueue are handed over when
// its command starts it and nothing else keeps them, so a later command cannot rewrite a queue,
// or switch the instrument family, under a running transfer. CommSettings stays live (atomics,
// read at the moment of use), so a change confirmed in the parameter dialog reaches the running
// worker's next read.

#include <cstdint>
#include <string>
#include <vector>

#include "common/EditorOps.h"
#include "common/UserDialogs.h"
#include "port/CommSettings.h"
#include "port/OpenCommPort.h"
#include "port/SerialPort.h"
#include "transfers/LineTrace.h"
#include "transfers/TraceSink.h"
#include "transfers/WorkerRegistry.h"

namespace halvex {

struct TransferFields {
    InstrumentFamily TransferMode = InstrumentFamily::Tamsel;  // 1 Tamsel, 2 Brenno, 3 Corvane
    std::uint8_t SiteHeader = 0;    // 1 asks for the Tamsel job header
    std::string UploadQueue;        // records, each followed by one 0x02
    // The editor line each queued record came from, for messages; may be empty.
    std::vector<std::size_t> RecordLines = {};
};

struct TransferEnvironment {
    EditorOps& editor;
    UserDialogs& dialogs;
    const CommSettings& settings;
    SerialPortOpener& ports;
    WorkerRegistry& workers;
    // Where the line trace of a transfer goes (TracedTransfer.h); nullptr: none is recorded.
    TraceSink* traces = nullptr;
    // The running transfer's trace, where the workers note what the port cannot see (their
    // pauses); nullptr when none is recorded.
    LineTrace* trace = nullptr;
};

// The first step of every worker: the port named by the live settings, or nullptr after the
// message was shown.
inline std::unique_ptr<SerialPort> OpenCommPort(const TransferEnvironment& env) {
    return OpenCommPort(env.settings, env.ports, env.dialogs);
}

}  // namespace halvex
