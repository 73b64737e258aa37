#include "port/ComPortName.h"

#include <cctype>

namespace halvex {

namespace {

bool IsComName(const std::string& name) {
    if (name.size() < 4) return false;
    for (std::size_t i = 0; i < 3; ++i) {
        if (std::toupper(static_cast<unsigned char>(name[i])) != "COM"[i]) return false;
    }
    if (name[3] == '0') return false;
    for (std::size_t i = 3; i < name.size(); ++i) {
        if (!std::isdigit(static_cast<unsigned char>(name[i]))) return false;
    }
    return true;
}

}  // namespace

std::string ComDeviceName(const std::string& name) {
    if (!IsComName(name)) return name;
    return "\\\\.\\COM" + name.substr(3);
}

}  // namespace halvex
