#include "transfer/lib/TraceFile.h"

#include "common/Version.h"
#include "convert/FileWrite.h"
#include "transfer/lib/TransferArguments.h"

namespace halvex::transfer {

TraceFile::TraceFile(std::string path, bool portByName)
    : path_(std::move(path)), portByName_(portByName) {}

std::optional<TracePlace> TraceFile::PlaceTrace(const std::string&,
                                                std::chrono::system_clock::time_point) {
    return TracePlace{path_, std::string(kTransferProgram) + " " + std::string(kVersion),
                      portByName_};
}

std::string TraceFile::WriteTrace(const TracePlace& place, std::string_view text) {
    const FileWriteResult written = WriteWholeFile(place.path, text);
    std::lock_guard lock(mutex_);
    error_ = written.ok ? std::string() : written.error;
    return error_;
}

std::string TraceFile::Error() const {
    std::lock_guard lock(mutex_);
    return error_;
}

}  // namespace halvex::transfer
