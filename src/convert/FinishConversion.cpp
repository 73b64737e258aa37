#include "convert/FinishConversion.h"

#include "convert/ConversionMessages.h"

namespace halvex {

bool FinishConversion(EditorOps& editor, UserDialogs& dialogs, const std::string& output,
                      bool produced) {
    if (!produced) {
        dialogs.ShowMessage(kTransformFailedMessage, kProgramCaption);
        return false;
    }
    if (!editor.ConfirmUnsaved()) return false;
    editor.ClearEditor();
    editor.SetEditorText(output);
    return true;
}

}  // namespace halvex
