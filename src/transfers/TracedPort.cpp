#include "transfers/TracedPort.h"

namespace halvex {

TracedPort::TracedPort(std::unique_ptr<SerialPort> port, LineTrace& trace)
    : port_(std::move(port)), trace_(trace) {}

bool TracedPort::SetupQueues(std::uint32_t inputBytes, std::uint32_t outputBytes) {
    return port_->SetupQueues(inputBytes, outputBytes);
}

bool TracedPort::GetLineSettings(LineSettings& settings) {
    return port_->GetLineSettings(settings);
}

bool TracedPort::SetLineSettings(const LineSettings& settings) {
    return port_->SetLineSettings(settings);
}

bool TracedPort::SetReadTimeout(std::uint32_t totalMs) { return port_->SetReadTimeout(totalMs); }

ReadResult TracedPort::Read(std::uint8_t* buffer, std::size_t count) {
    const ReadResult result = port_->Read(buffer, count);
    NoteStop();
    trace_.Bytes(TraceDirection::Received, {buffer, result.count});
    if (result.status == ReadStatus::Failed) {
        trace_.Event("read failed");
    } else if (result.count < count) {
        trace_.Event("time-out");
    }
    return result;
}

bool TracedPort::Write(std::span<const std::uint8_t> bytes) {
    // Recorded before the write, which may wait for flow control: the time is when it was sent.
    NoteStop();
    trace_.Bytes(TraceDirection::Sent, bytes);
    const bool written = port_->Write(bytes);
    NoteStop();
    if (!written) trace_.Event("write failed");
    return written;
}

bool TracedPort::DrainOutput() {
    const bool drained = port_->DrainOutput();
    NoteStop();
    trace_.Event(drained ? "drained" : "drain failed");
    return drained;
}

void TracedPort::Close() {
    NoteStop();
    port_->Close();
}

void TracedPort::Abort() {
    aborted_ = true;
    port_->Abort();
}

void TracedPort::NoteStop() {
    if (stopNoted_ || !aborted_.load(std::memory_order_relaxed)) return;
    stopNoted_ = true;
    trace_.Event("stopped");
}

TracedPortOpener::TracedPortOpener(SerialPortOpener& ports, const CommSettings& settings,
                                   LineTrace& trace, bool byName)
    : ports_(ports), settings_(settings), trace_(trace), byName_(byName) {}

PortOpenResult TracedPortOpener::Open(const std::string& portName) {
    const CommSettingsValues settings = settings_.Load();
    PortOpenResult opened = ports_.Open(portName);
    trace_.PortRequested({byName_ ? portName : std::string(), opened.device}, settings,
                         opened.port != nullptr);
    if (opened.port) opened.port = std::make_unique<TracedPort>(std::move(opened.port), trace_);
    return opened;
}

}  // namespace halvex
