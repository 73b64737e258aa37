#include "editor/TraceFolder.h"

#include <QDir>
#include <algorithm>
#include <cctype>
#include <system_error>
#include <vector>

#include "convert/FileWrite.h"
#include "port/PortNames.h"
#include "transfers/TraceFormat.h"

namespace halvex {
namespace {

constexpr const char* kTraceExtension = ".trace";

bool IsTrace(const std::filesystem::directory_entry& entry) {
    std::error_code error;
    return entry.is_regular_file(error) && entry.path().extension() == kTraceExtension;
}

}  // namespace

std::filesystem::path DefaultTraceFolder() {
    const std::optional<std::string> state = ProcessEnvironment("XDG_STATE_HOME");
    std::filesystem::path base;
    if (state && std::filesystem::path(*state).is_absolute()) {
        base = *state;
    } else {
        base = std::filesystem::path(QDir::homePath().toStdString()) / ".local" / "state";
    }
    return base / "halvex" / "traces";
}

std::string TraceFileName(const std::string& command, std::chrono::system_clock::time_point start) {
    std::string name = IsoUtcTime(start);
    std::replace(name.begin(), name.end(), ':', '-');
    name += '-';
    for (const char c : command) {
        const auto byte = static_cast<unsigned char>(c);
        name += std::isalnum(byte) ? static_cast<char>(std::tolower(byte)) : '-';
    }
    return name + kTraceExtension;
}

void RemoveOldTraces(const std::filesystem::path& folder, std::size_t kept) {
    std::error_code error;
    std::vector<std::filesystem::path> traces;
    for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
        if (IsTrace(entry)) traces.push_back(entry.path());
    }
    if (traces.size() <= kept) return;
    std::sort(traces.begin(), traces.end());
    for (std::size_t i = 0; i + kept < traces.size(); ++i)
        std::filesystem::remove(traces[i], error);
}

TraceFolder::TraceFolder(std::filesystem::path folder, std::string program)
    : folder_(std::move(folder)), program_(std::move(program)) {}

std::optional<TracePlace> TraceFolder::PlaceTrace(const std::string& command,
                                                  std::chrono::system_clock::time_point start) {
    if (!enabled_) return std::nullopt;
    const std::string name = TraceFileName(command, start);
    std::filesystem::path path = folder_ / name;
    // A second transfer started within the same second gets a name of its own.
    std::error_code error;
    for (int n = 2; std::filesystem::exists(path, error); ++n) {
        path = folder_ / (name.substr(0, name.size() - std::string(kTraceExtension).size()) + "-" +
                          std::to_string(n) + kTraceExtension);
    }
    return TracePlace{path.string(), program_};
}

std::string TraceFolder::WriteTrace(const TracePlace& place, std::string_view text) {
    std::error_code made;
    std::filesystem::create_directories(folder_, made);
    const FileWriteResult written = WriteWholeFile(place.path, text);
    if (written.ok) RemoveOldTraces(folder_);
    std::lock_guard lock(mutex_);
    lastNote_ = written.ok
                    ? "Line trace: " + place.path
                    : "The line trace could not be written to " + place.path + ": " + written.error;
    return written.error;
}

std::string TraceFolder::TakeLastNote() {
    std::lock_guard lock(mutex_);
    return std::exchange(lastNote_, std::string());
}

}  // namespace halvex
