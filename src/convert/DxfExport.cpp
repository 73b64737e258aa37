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
    if (outcome.points > 0) return kDxfSuccessPrefix + std::to_string(outcome.points) + " points";
    return kNotCassMessage;
}

DxfExportOutcome RunCassDxfExport(EditorOps& editor, UserDialogs& dialogs,
                                  const std::string& path) {
    const std::string text = editor.GetEditorText();
    const DxfExportOutcome outcome = ExportCassToDxf(text, path);
    const std::string hint =
        outcome.written && outcome.points == 0 ? LfLineEndsHint(text) : std::string();
    dialogs.ShowMessage(DxfExportMessage(outcome), kAppCaption,
                        outcome.written ? MessageIcon::None : MessageIcon::Error, hint);
    return outcome;
}

}  // namespace halvex
