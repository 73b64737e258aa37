#include "convert/FinishConversion.h"

#include "convert/ConversionMessages.h"

namespace halvex {

bool FinishConversion(EditorOps& editor, UserDialogs& dialogs, const std::string& output,
                      bool produced, const std::string& details) {
    if (!produced) {
        dialogs.ShowMessage(kTransformFailedMessage, kProgramCaption, MessageIcon::None, details);
        return false;
    }
    if (!editor.ConfirmUnsaved()) return false;
    editor.ClearEditor();
    editor.SetEditorText(output);
    return true;
}

}  // namespace halvex
