#pragma once
// Messages shared by the download receiver and the upload transfer.

#include <cstddef>
#include <string>

namespace halvex {

// The device failed or went away: a read failed, or a byte could not be written.
inline constexpr const char* kCommunicationFailedMessage = "Communication failed";

// After the user stopped a download: "Transfer stopped. N lines were received."
std::string DownloadStoppedMessage(std::size_t linesShown);
// After the user stopped an upload: "Transfer stopped after K of N records."
std::string UploadStoppedMessage(std::size_t recordsSent, std::size_t recordsTotal);
// A queued record longer than the sender takes with the handshake now set; `where` names it
// ("Line 12", or "Record 3" where its line is not known).
std::string RecordTooLongMessage(const std::string& where, std::size_t length, std::size_t longest);

}  // namespace halvex
