#include "convert/FinishConversion.h"

#include "convert/ConversionMessages.h"

namespace halvex {

bool FinishConversion(EditorOps& editor, UserDialogs& dialogs, const std::string& output,
                      bool produced, const std::string& hint) {
    if (!produced) {
        dialogs.ShowMessage(kTransformFailedMessage, kProgramCaption, MessageIcon::None, hint);
        return false;
    }
    if (!editor.ConfirmUnsaved()) return false;
    editor.ClearEditor();
    editor.SetEditorText(output);
    return true;
}

}  // namespace halvex
