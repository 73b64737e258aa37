#include "transfers/CommunicationMessages.h"

namespace halvex {

std::string DownloadStoppedMessage(std::size_t linesShown) {
    if (linesShown == 1) return "Transfer stopped. 1 line was received.";
    return "Transfer stopped. " + std::to_string(linesShown) + " lines were received.";
}

std::string UploadStoppedMessage(std::size_t recordsSent, std::size_t recordsTotal) {
    return "Transfer stopped after " + std::to_string(recordsSent) + " of " +
           std::to_string(recordsTotal) + " records.";
}

std::string RecordTooLongMessage(const std::string& where, std::size_t length,
                                 std::size_t longest) {
    return where + " cannot be sent: its record has " + std::to_string(length) +
           " characters, more than the " + std::to_string(longest) +
           " the instrument takes with the handshake now set. The transfer was stopped.";
}

}  // namespace halvex
