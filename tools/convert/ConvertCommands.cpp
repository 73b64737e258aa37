#include "ConvertCommands.h"

#include <array>

#include "convert/BrennoConversion.h"
#include "convert/CassDxf.h"
#include "convert/ConversionCommands.h"
#include "convert/ConversionMessages.h"
#include "convert/DulmarConversion.h"
#include "convert/DxfExport.h"
#include "convert/LineEnds.h"
#include "convert/TamselCassConversion.h"
#include "convert/TamselPcodeConversion.h"

namespace halvex::tool {

namespace {

constexpr int kFailure = 1;

// The message, and the hint (when there is one) on the line below it.
std::string WithHint(const std::string& message, const std::string& hint) {
    return hint.empty() ? message : message + "\n" + hint;
}

// A conversion as the menu command runs it: its output on success, its message (and what the
// menu command shows below it, the line-end hint naming the crlf command) otherwise.
template <Conversion Convert>
CommandResult RunConversion(std::string_view input) {
    const ConversionResult result = Convert(input);
    if (result.wrongFormat) return {{}, false, kWrongFormatMessage, kFailure};
    if (!result.produced)
        return {{},
                false,
                WithHint(kTransformFailedMessage,
                         ConversionFailureDetails(input, Convert, result,
                                                  LineEndsRemedy::ConvertCommand)),
                kFailure};
    return {result.output, true, {}, 0};
}

// The drawing is written in both outcomes, as the export writes its file in both.
CommandResult RunCassDxf(std::string_view input) {
    DxfDrawing drawing = BuildCassDxf(input);
    std::string message = WithHint(DxfPointsMessage(drawing.points),
                                   DxfDetails(input, drawing, LineEndsRemedy::ConvertCommand));
    return {std::move(drawing.bytes), true, std::move(message), drawing.points > 0 ? 0 : kFailure};
}

// Edit, "Line Ends to CR LF" on a file, without the editor's capacity.
CommandResult RunCrLf(std::string_view input) { return {LfToCrLf(input), true, {}, 0}; }

constexpr std::array kCommands{
    ConvertCommand{"tamsel-cass", "Tamsel coordinate download to CASS point lines",
                   RunConversion<ConvertTamselToCass>},
    ConvertCommand{"brenno-cass", "Brenno point records to CASS point lines",
                   RunConversion<ConvertBrennoToCass>},
    ConvertCommand{"brenno-nez", "Brenno point records to a NEZ point list (north first)",
                   RunConversion<ConvertBrennoToNez>},
    ConvertCommand{"dulmar-cass", "Dulmar point lines to CASS point lines",
                   RunConversion<ConvertDulmarToCass>},
    ConvertCommand{"tamsel-pcode", "Tamsel code-list download to a numbered code table",
                   RunConversion<ConvertTamselPcode>},
    ConvertCommand{"cass-dxf", "CASS point lines to a DXF drawing", RunCassDxf},
    ConvertCommand{"upload-tamsel-coordinate",
                   "CASS point lines to a Tamsel coordinate upload's records",
                   PreviewTamselCoordinateUpload},
    ConvertCommand{"upload-brenno-coordinate",
                   "CASS point lines to a Brenno coordinate upload's records",
                   PreviewBrennoCoordinateUpload},
    ConvertCommand{"upload-corvane-coordinate",
                   "CASS point lines to a Corvane coordinate upload's records",
                   PreviewCorvaneCoordinateUpload},
    ConvertCommand{"upload-tamsel-pcode", "Code lines to a Tamsel code-list upload's records",
                   PreviewTamselCodeListUpload},
    ConvertCommand{"upload-brenno-pcode", "Code lines to a Brenno code-list upload's records",
                   PreviewBrennoCodeListUpload},
    ConvertCommand{"upload-other-data", "Text lines to a free-text upload's records",
                   PreviewOtherDataUpload},
    ConvertCommand{"crlf", "LF line ends to CR LF, as Edit, \"Line Ends to CR LF\"", RunCrLf},
};

}  // namespace

std::span<const ConvertCommand> Commands() { return kCommands; }

const ConvertCommand* FindCommand(std::string_view name) {
    for (const ConvertCommand& command : kCommands)
        if (command.name == name) return &command;
    return nullptr;
}

}  // namespace halvex::tool
