#pragma once
// Reads a file of tests/data byte for byte.

#include <fstream>
#include <iterator>
#include <string>

namespace halvex::testing {

inline std::string ReadFileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline std::string ReadDataFile(const std::string& name) {
    return ReadFileBytes(std::string(HALVEX_TEST_DATA_DIR) + "/" + name);
}

}  // namespace halvex::testing
