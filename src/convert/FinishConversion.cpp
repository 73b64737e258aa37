#include "convert/FinishConversion.h"

#include "convert/ConversionMessages.h"

namespace halvex {

bool FinishConversion(EditorOps& editor, UserDialogs& dialogs, const std::string& output,
                      bool produced, const std::string& hint) {
    if (!produced) {
        if (hint.empty()) {
            dialogs.ShowMessage(kTransformFailedMessage, kProgramCaption);
        } else {
            dialogs.ShowMessageWithHint(kTransformFailedMessage, hint, kProgramCaption);
        }
        return false;
    }
    if (!editor.ConfirmUnsaved()) return false;
    editor.ClearEditor();
    editor.SetEditorText(output);
    return true;
}

}  // namespace halvex
