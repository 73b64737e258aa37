#include "convert/DxfExport.h"

#include "convert/CassDxf.h"
#include "convert/ConversionMessages.h"
#include "convert/FileWrite.h"
#include "convert/LineEnds.h"

namespace halvex {

DxfExportOutcome ExportCassToDxf(const std::string& editorText, const std::string& path) {
    const DxfDrawing drawing = BuildCassDxf(editorText);
    const FileWriteResult write = WriteWholeFile(path, drawing.bytes);
    return {write.ok, drawing.points, path, write.error};
}

std::string DxfExportMessage(const DxfExportOutcome& outcome) {
    if (!outcome.written)
        return "Cannot write the file " + outcome.path + ": " + outcome.error +
               ". Nothing was exported.";
    return DxfPointsMessage(outcome.points);
}

std::string DxfPointsMessage(int points) {
    if (points > 0) return kDxfSuccessPrefix + std::to_string(points) + " points";
    return kNotCassMessage;
}

std::string DxfPointsHint(std::string_view text, int points) {
    return points == 0 ? LfLineEndsHint(text) : std::string();
}

DxfExportOutcome RunCassDxfExport(EditorOps& editor, UserDialogs& dialogs,
                                  const std::string& path) {
    const std::string text = editor.GetEditorText();
    const DxfExportOutcome outcome = ExportCassToDxf(text, path);
    const std::string hint = outcome.written ? DxfPointsHint(text, outcome.points) : std::string();
    dialogs.ShowMessage(DxfExportMessage(outcome), kAppCaption,
                        outcome.written ? MessageIcon::None : MessageIcon::Error, hint);
    return outcome;
}

}  // namespace halvex
