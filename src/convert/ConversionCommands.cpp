#include "convert/ConversionCommands.h"

#include "convert/BrennoConversion.h"
#include "convert/ConversionMessages.h"
#include "convert/DulmarConversion.h"
#include "convert/FinishConversion.h"
#include "convert/LineEnds.h"
#include "convert/TamselCassConversion.h"
#include "convert/TamselPcodeConversion.h"

namespace halvex {

namespace {

// The conversions that find the end of each input line at CR; the others read LF lines or the
// Tamsel field stream.
bool FindsLinesAtCr(Conversion convert) {
    return convert == ConvertBrennoToCass || convert == ConvertBrennoToNez ||
           convert == ConvertDulmarToCass;
}

}  // namespace

std::string ConversionFailureDetails(std::string_view text, Conversion convert,
                                     const ConversionResult& result, LineEndsRemedy remedy) {
    if (text.empty()) return "The text is empty.";
    if (std::string hint = FindsLinesAtCr(convert) ? LfLineEndsHint(text, remedy) : std::string();
        !hint.empty())
        return hint;
    return result.failure;
}

bool RunConversion(EditorOps& editor, UserDialogs& dialogs, Conversion convert) {
    const std::string text = editor.GetEditorText();
    const ConversionResult result = convert(text);
    if (result.wrongFormat) {
        dialogs.ShowMessage(kWrongFormatMessage, kProgramCaption);
        return false;
    }
    const std::string details =
        result.produced ? std::string() : ConversionFailureDetails(text, convert, result);
    return FinishConversion(editor, dialogs, result.output, result.produced, details);
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
