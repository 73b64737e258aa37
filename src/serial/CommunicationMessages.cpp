#include "serial/CommunicationMessages.h"

namespace halvex {

std::string DownloadStoppedMessage(std::size_t linesShown) {
    return "Transfer stopped. " + std::to_string(linesShown) + " lines were received.";
}

std::string UploadStoppedMessage(std::size_t recordsSent, std::size_t recordsTotal) {
    return "Transfer stopped after " + std::to_string(recordsSent) + " of " +
           std::to_string(recordsTotal) + " records.";
}

}  // namespace halvex
