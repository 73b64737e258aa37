#include "TransferRecorder.h"

#include <cstdio>

namespace halvex::testing {

void EventLog::Add(std::string event) {
    std::lock_guard lock(mutex_);
    events_.push_back(std::move(event));
}

std::vector<std::string> EventLog::Events() const {
    std::lock_guard lock(mutex_);
    return events_;
}

std::string WriteEvent(std::uint8_t byte) {
    char text[16];
    std::snprintf(text, sizeof text, "Write:%02X", byte);
    return text;
}

void RecordingEditor::SetEditorText(const std::string& text) {
    log_.Add("Set:" + text);
    inner_.SetEditorText(text);
}
void RecordingEditor::ClearEditor() {
    log_.Add("Clear");
    inner_.ClearEditor();
}
bool RecordingEditor::AppendEditorText(const std::string& text) {
    log_.Add("Append:" + text);
    return inner_.AppendEditorText(text);
}
void RecordingEditor::MoveCaretTo(std::size_t index) {
    log_.Add(index == static_cast<std::size_t>(-1) ? "Caret:end"
                                                   : "Caret:" + std::to_string(index));
    inner_.MoveCaretTo(index);
}
void RecordingEditor::SetEditorReadOnly(bool readOnly) {
    log_.Add(readOnly ? "ReadOnly:1" : "ReadOnly:0");
    inner_.SetEditorReadOnly(readOnly);
}

void RecordingDialogs::ShowMessage(const std::string& text, const std::string& caption,
                                   MessageIcon icon, const std::string& details) {
    log_.Add("Message:" + text);
    inner_.ShowMessage(text, caption, icon, details);
}
bool RecordingDialogs::AskYesNo(const std::string& text, const std::string& caption) {
    log_.Add("Ask:" + text);
    return inner_.AskYesNo(text, caption);
}

namespace {
class RecordingPort : public SerialPort {
public:
    RecordingPort(std::unique_ptr<SerialPort> inner, EventLog& log)
        : inner_(std::move(inner)), log_(log) {}
    bool SetupQueues(std::uint32_t in, std::uint32_t out) override {
        return inner_->SetupQueues(in, out);
    }
    bool GetLineSettings(LineSettings& s) override { return inner_->GetLineSettings(s); }
    bool SetLineSettings(const LineSettings& s) override { return inner_->SetLineSettings(s); }
    bool SetReadTimeout(std::uint32_t ms) override { return inner_->SetReadTimeout(ms); }
    ReadResult Read(std::uint8_t* b, std::size_t n) override { return inner_->Read(b, n); }
    bool Write(std::span<const std::uint8_t> bytes) override {
        for (std::uint8_t b : bytes) log_.Add(WriteEvent(b));
        return inner_->Write(bytes);
    }
    bool DrainOutput() override { return inner_->DrainOutput(); }
    void Close() override {
        if (!closed_) log_.Add("Close");
        closed_ = true;
        inner_->Close();
    }
    void Abort() override { inner_->Abort(); }

private:
    std::unique_ptr<SerialPort> inner_;
    EventLog& log_;
    bool closed_ = false;
};
}  // namespace

PortOpenResult RecordingOpener::Open(const std::string& portName) {
    PortOpenResult opened = inner_.Open(portName);
    if (opened.port) opened.port = std::make_unique<RecordingPort>(std::move(opened.port), log_);
    return opened;
}

}  // namespace halvex::testing
