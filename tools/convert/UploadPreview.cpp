// Upload previews: the records an upload command would send, exactly as it queues them (each
// record followed by one 0x02), built from the input as from the editor's text.

#include "ConvertCommands.h"
#include "upload/UploadCommand.h"

namespace halvex::tool {

namespace {

constexpr int kRefused = 1;

CommandResult PreviewUpload(UploadKind kind, std::string_view input) {
    UploadBuild build = BuildUpload(kind, std::string(input), Handshake::None);
    if (build.Refused()) return {{}, false, std::move(build.refusal), kRefused};
    return {std::move(build.queue), true, {}, 0};
}

}  // namespace

CommandResult PreviewTamselCoordinateUpload(std::string_view input) {
    return PreviewUpload(UploadKind::TamselCoordinate, input);
}
CommandResult PreviewBrennoCoordinateUpload(std::string_view input) {
    return PreviewUpload(UploadKind::BrennoCoordinate, input);
}
CommandResult PreviewCorvaneCoordinateUpload(std::string_view input) {
    return PreviewUpload(UploadKind::CorvaneCoordinate, input);
}
CommandResult PreviewTamselCodeListUpload(std::string_view input) {
    return PreviewUpload(UploadKind::TamselCodeList, input);
}
CommandResult PreviewBrennoCodeListUpload(std::string_view input) {
    return PreviewUpload(UploadKind::BrennoCodeList, input);
}
CommandResult PreviewOtherDataUpload(std::string_view input) {
    return PreviewUpload(UploadKind::OtherData, input);
}

}  // namespace halvex::tool
