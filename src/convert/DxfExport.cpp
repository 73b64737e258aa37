#include "convert/DxfExport.h"

#include "convert/ConversionMessages.h"
#include "convert/FileWrite.h"
#include "convert/LineEnds.h"

namespace halvex {

namespace {

DxfExportOutcome WriteDrawing(const DxfDrawing& drawing, const std::string& path) {
    const FileWriteResult write = WriteWholeFile(path, drawing.bytes);
    return {write.ok, drawing.points, path, write.error};
}

}  // namespace

DxfExportOutcome ExportCassToDxf(const std::string& editorText, const std::string& path) {
    return WriteDrawing(BuildCassDxf(editorText), path);
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

std::string DxfDetails(std::string_view text, const DxfDrawing& drawing, LineEndsRemedy remedy) {
    std::string details = DescribeLeftOutLines(drawing);
    const std::string hint = drawing.points == 0 ? LfLineEndsHint(text, remedy) : std::string();
    if (!details.empty() && !hint.empty()) details += "\n\n";
    return details + hint;
}

DxfExportOutcome RunCassDxfExport(EditorOps& editor, UserDialogs& dialogs,
                                  const std::string& path) {
    const std::string text = editor.GetEditorText();
    const DxfDrawing drawing = BuildCassDxf(text);
    const DxfExportOutcome outcome = WriteDrawing(drawing, path);
    if (!outcome.written) {
        dialogs.ShowMessage(DxfExportMessage(outcome), kAppCaption, MessageIcon::Error);
        return outcome;
    }
    dialogs.ShowMessage(DxfExportMessage(outcome), kAppCaption,
                        drawing.leftOutCount > 0 ? MessageIcon::Warning : MessageIcon::None,
                        DxfDetails(text, drawing));
    return outcome;
}

}  // namespace halvex
