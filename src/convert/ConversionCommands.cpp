#include "convert/ConversionCommands.h"

#include "convert/BrennoConversion.h"
#include "convert/ConversionMessages.h"
#include "convert/DulmarConversion.h"
#include "convert/FinishConversion.h"
#include "convert/LineEnds.h"
#include "convert/TamselCassConversion.h"
#include "convert/TamselPcodeConversion.h"

namespace halvex {

std::string ConversionFailureHint(std::string_view text, LinesEndAt linesEndAt) {
    return linesEndAt == LinesEndAt::Cr ? LfLineEndsHint(text) : std::string();
}

bool RunConversion(EditorOps& editor, UserDialogs& dialogs, Conversion convert,
                   LinesEndAt linesEndAt) {
    const std::string text = editor.GetEditorText();
    const ConversionResult result = convert(text);
    if (result.wrongFormat) {
        dialogs.ShowMessage(kWrongFormatMessage, kProgramCaption);
        return false;
    }
    const std::string hint =
        result.produced ? std::string() : ConversionFailureHint(text, linesEndAt);
    return FinishConversion(editor, dialogs, result.output, result.produced, hint);
}

bool RunTamselCassConversion(EditorOps& editor, UserDialogs& dialogs) {
    return RunConversion(editor, dialogs, ConvertTamselToCass);
}
bool RunBrennoCassConversion(EditorOps& editor, UserDialogs& dialogs) {
    return RunConversion(editor, dialogs, ConvertBrennoToCass, LinesEndAt::Cr);
}
bool RunBrennoNezConversion(EditorOps& editor, UserDialogs& dialogs) {
    return RunConversion(editor, dialogs, ConvertBrennoToNez, LinesEndAt::Cr);
}
bool RunDulmarCassConversion(EditorOps& editor, UserDialogs& dialogs) {
    return RunConversion(editor, dialogs, ConvertDulmarToCass, LinesEndAt::Cr);
}
bool RunTamselPcodeConversion(EditorOps& editor, UserDialogs& dialogs) {
    return RunConversion(editor, dialogs, ConvertTamselPcode);
}

}  // namespace halvex
