#pragma once
// Messages shared by the download receiver and the upload transfer.

namespace halvex {

// The device failed or went away: a read failed, or a byte could not be written.
inline constexpr const char* kCommunicationFailedMessage = "Communication failed";

}  // namespace halvex
