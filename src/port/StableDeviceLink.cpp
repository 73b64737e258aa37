#include "port/StableDeviceLink.h"

#include <algorithm>
#include <filesystem>
#include <system_error>
#include <vector>

namespace halvex {

std::optional<std::string> FindStableDeviceLink(const std::string& device,
                                                const std::string& folder) {
    namespace fs = std::filesystem;
    std::error_code error;
    const fs::path target = fs::canonical(device, error);
    if (error) return std::nullopt;
    std::vector<std::string> links;
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        std::error_code linkError;
        if (fs::canonical(it->path(), linkError) == target && !linkError) {
            links.push_back(it->path().string());
        }
    }
    if (links.empty()) return std::nullopt;
    // One adapter can have several links (one per interface); take the same one every time.
    return *std::min_element(links.begin(), links.end());
}

}  // namespace halvex
