#pragma once
// Message boxes as the core needs them. The Qt shell shows real modal boxes (carried out on the
// user-interface thread when called from a worker, the caller waiting until the user closes
// the box); tests record the messages and answer questions.

#include <string>

namespace halvex {

// Caption of the messages of the transfer and conversion commands.
inline constexpr const char* kProgramCaption = "Veltra";
// Caption of the shell's own messages, the parameter dialog's validation and the DXF export.
inline constexpr const char* kAppCaption = "Halvex";

enum class MessageIcon { None, Information, Warning, Error };

class UserDialogs {
public:
    virtual ~UserDialogs() = default;

    // A modal message with an OK button; returns when the user has closed it. `details`, when
    // not empty, is shown below the message: why it happened and what the user can do.
    virtual void ShowMessage(const std::string& text, const std::string& caption,
                             MessageIcon icon = MessageIcon::None,
                             const std::string& details = {}) = 0;
    // The message that ends a transfer as failed: the port could not be used, the line failed or
    // timed out, the instrument answered wrongly. Shown as any other message; where the transfer
    // is traced, the trace ends with it and is written first, and the message names the file.
    virtual void ShowFailure(const std::string& text, const std::string& caption,
                             MessageIcon icon = MessageIcon::None,
                             const std::string& details = {}) {
        ShowMessage(text, caption, icon, details);
    }
    // A modal Yes/No question, Yes the default; true for Yes.
    virtual bool AskYesNo(const std::string& text, const std::string& caption) = 0;
};

}  // namespace halvex
