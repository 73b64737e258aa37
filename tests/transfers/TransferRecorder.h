#pragma once
// One ordered log of everything a transfer worker does to the editor, the message boxes and the
// port, so a test can check the order across them (an ACK written before its line is shown, ENQ
// after the prompt closes). Each wrapper forwards to the real object and logs the call.

#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "common/EditorOps.h"
#include "common/UserDialogs.h"
#include "port/SerialPort.h"

namespace halvex::testing {

class EventLog {
public:
    void Add(std::string event);
    std::vector<std::string> Events() const;

private:
    mutable std::mutex mutex_;
    std::vector<std::string> events_;
};

// "Write:06" style name of a written byte.
std::string WriteEvent(std::uint8_t byte);

class RecordingEditor : public EditorOps {
public:
    RecordingEditor(EditorOps& inner, EventLog& log) : inner_(inner), log_(log) {}
    std::string GetEditorText() override { return inner_.GetEditorText(); }
    void SetEditorText(const std::string& text) override;
    void ClearEditor() override;
    bool AppendEditorText(const std::string& text) override;
    void MoveCaretTo(std::size_t index) override;
    void SetEditorReadOnly(bool readOnly) override;
    bool ConfirmUnsaved() override { return inner_.ConfirmUnsaved(); }
    // Forwarded without an entry: its place among the editor calls is checked by the worker tests.
    void DetachFromFile() override { inner_.DetachFromFile(); }

private:
    EditorOps& inner_;
    EventLog& log_;
};

class RecordingDialogs : public UserDialogs {
public:
    RecordingDialogs(UserDialogs& inner, EventLog& log) : inner_(inner), log_(log) {}
    void ShowMessage(const std::string& text, const std::string& caption,
                     MessageIcon icon = MessageIcon::None,
                     const std::string& details = {}) override;
    bool AskYesNo(const std::string& text, const std::string& caption) override;

private:
    UserDialogs& inner_;
    EventLog& log_;
};

// Opens through another opener and logs every write and the close of the ports it hands out.
class RecordingOpener : public SerialPortOpener {
public:
    RecordingOpener(SerialPortOpener& inner, EventLog& log) : inner_(inner), log_(log) {}
    PortOpenResult Open(const std::string& portName) override;

private:
    SerialPortOpener& inner_;
    EventLog& log_;
};

}  // namespace halvex::testing
