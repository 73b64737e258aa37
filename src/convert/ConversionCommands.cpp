#include "convert/ConversionCommands.h"

#include "convert/BrennoConversion.h"
#include "convert/ConversionMessages.h"
#include "convert/DulmarConversion.h"
#include "convert/FinishConversion.h"
#include "convert/TamselCassConversion.h"
#include "convert/TamselPcodeConversion.h"

namespace halvex {

bool RunConversion(EditorOps& editor, UserDialogs& dialogs, Conversion convert) {
    const std::string text = editor.GetEditorText();
    const ConversionResult result = convert(text);
    if (result.wrongFormat) {
        dialogs.ShowMessage(kWrongFormatMessage, kProgramCaption);
        return false;
    }
    return FinishConversion(editor, dialogs, result.output, result.produced);
}

bool RunTamselCassConversion(EditorOps& editor, UserDialogs& dialogs) {
    return RunConversion(editor, dialogs, ConvertTamselToCass);
}
bool RunBrennoCassConversion(EditorOps& editor, UserDialogs& dialogs) {
    return RunConversion(editor, dialogs, ConvertBrennoToCass);
}
bool RunBrennoNezConversion(EditorOps& editor, UserDialogs& dialogs) {
    return RunConversion(editor, dialogs, ConvertBrennoToNez);
}
bool RunDulmarCassConversion(EditorOps& editor, UserDialogs& dialogs) {
    return RunConversion(editor, dialogs, ConvertDulmarToCass);
}
bool RunTamselPcodeConversion(EditorOps& editor, UserDialogs& dialogs) {
    return RunConversion(editor, dialogs, ConvertTamselPcode);
}

}  // namespace halvex
