#pragma once
// Modal message boxes for the shell and for the core (through halvex::UserDialogs).
//
// ShowBox shows one box on the user-interface thread. MessageBoxes may be used from any thread:
// a worker's box is shown on the user-interface thread while the worker waits. Once the window
// is shutting down, boxes from workers are not shown: a message counts as closed with OK and a
// question as answered No.
//
// Tests install an answerer, which is asked instead of a box being shown and can record what
// would have been shown.

#include <QString>
#include <functional>
#include <string>

#include "common/UserDialogs.h"

class QWidget;

namespace halvex {

class UiThreadCall;

enum class BoxButtons { Ok, YesNo, YesNoCancel };
enum class BoxAnswer { Ok, Yes, No, Cancel };

struct BoxRequest {
    QString text;
    QString caption;
    BoxButtons buttons = BoxButtons::Ok;
    MessageIcon icon = MessageIcon::None;
    QString details = {};  // informative text below the message; empty for none
};

using BoxAnswerer = std::function<BoxAnswer(const BoxRequest&)>;

// Replaces real boxes by `answerer` (nullptr restores real boxes). User-interface thread only.
void SetBoxAnswerer(BoxAnswerer answerer);

// Shows a modal box on the user-interface thread (Yes is the default button of questions).
BoxAnswer ShowBox(QWidget* parent, const BoxRequest& request);

// A box shown with the application's caption "Halvex".
void ShowAppMessage(QWidget* parent, const QString& text, MessageIcon icon = MessageIcon::Warning);

class MessageBoxes : public UserDialogs {
public:
    // `parent` owns the boxes; `calls` carries them to the user-interface thread.
    MessageBoxes(QWidget* parent, UiThreadCall& calls);

    void ShowMessage(const std::string& text, const std::string& caption,
                     MessageIcon icon = MessageIcon::None,
                     const std::string& details = {}) override;
    bool AskYesNo(const std::string& text, const std::string& caption) override;

    // Any box, from any thread; the answer given while shutting down is OK, No or Cancel.
    BoxAnswer Ask(const BoxRequest& request);

private:
    QWidget* parent_;
    UiThreadCall& calls_;
};

}  // namespace halvex
