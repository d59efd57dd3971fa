#include "asset_files.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace asset_files {

std::vector<uint8_t> Read(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {});
}

std::vector<uint8_t> Regenerate(const std::string& generator, const std::string& name) {
    const std::string path = ::testing::TempDir() + name;
    std::filesystem::remove(path);
    const std::string command = "'" + generator + "' '" + path + "'";
    if (std::system(command.c_str()) != 0) {
        return {};
    }
    std::vector<uint8_t> bytes = Read(path);
    std::filesystem::remove(path);
    return bytes;
}

}  // namespace asset_files
