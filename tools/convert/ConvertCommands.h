#pragma once
// The commands of halvex-convert. Each takes the input bytes exactly as the editor would hold
// them and gives what the editor (or the exported file) would hold afterwards. A new command is
// one more entry in the table.

#include <span>
#include <string>
#include <string_view>

namespace halvex::tool {

struct CommandResult {
    std::string output;  // bytes for OUTPUT
    bool writeOutput = false;
    std::string message;  // for stderr: one line, what explains it on the lines below, or empty
    int exitCode = 0;
};

struct ConvertCommand {
    std::string_view name;
    std::string_view summary;
    CommandResult (*run)(std::string_view input);
};

std::span<const ConvertCommand> Commands();

// Upload previews (UploadPreview.cpp): the queue of records an upload command would send.
CommandResult PreviewTamselCoordinateUpload(std::string_view input);
CommandResult PreviewBrennoCoordinateUpload(std::string_view input);
CommandResult PreviewCorvaneCoordinateUpload(std::string_view input);
CommandResult PreviewTamselCodeListUpload(std::string_view input);
CommandResult PreviewBrennoCodeListUpload(std::string_view input);
CommandResult PreviewOtherDataUpload(std::string_view input);

// nullptr when no command has that name.
const ConvertCommand* FindCommand(std::string_view name);

}  // namespace halvex::tool
