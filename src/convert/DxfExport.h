#pragma once
// The CASS to DXF export as the menu runs it, once the user has chosen the file: the drawing of
// the editor's point lines is written to the path (in both outcomes, as the user asked for a
// file), then the outcome is shown with caption "Halvex" and no icon. The editor is only read.

#include <string>
#include <string_view>

#include "common/EditorOps.h"
#include "common/UserDialogs.h"
#include "convert/CassDxf.h"
#include "convert/LineEnds.h"

namespace halvex {

struct DxfExportOutcome {
    bool written = false;
    int points = 0;
    std::string path;
    std::string error;  // the system's reason when not written
};

// Builds the drawing of the text and writes it to the path.
DxfExportOutcome ExportCassToDxf(const std::string& editorText, const std::string& path);

// "Successfully transformed N points", "The file is not CASS DAT format", or, when the file could
// not be written, "Cannot write the file <path>: <reason>. Nothing was exported.".
std::string DxfExportMessage(const DxfExportOutcome& outcome);
// The message of a drawing that was written: "Successfully transformed N points", or "The file
// is not CASS DAT format" when it holds no point.
std::string DxfPointsMessage(int points);
// Below that message: the point lines the drawing left out (DescribeLeftOutLines), and the
// line-end hint (naming `remedy`) when no point was found in a text with LF line ends; empty when
// neither applies.
std::string DxfDetails(std::string_view text, const DxfDrawing& drawing,
                       LineEndsRemedy remedy = LineEndsRemedy::EditMenu);

// GetEditorText, ExportCassToDxf, then the message with the details below it: with a warning
// icon when point lines were left out, with the error icon when the file could not be written.
DxfExportOutcome RunCassDxfExport(EditorOps& editor, UserDialogs& dialogs, const std::string& path);

}  // namespace halvex
