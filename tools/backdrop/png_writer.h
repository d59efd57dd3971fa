#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Writes 8-bit RGBA pictures as PNG files. The output depends on the pixels alone (no time
// stamp), so the same picture always gives the same bytes.
class PngWriter {
public:
    // Returns false, with a reason in Error(), if the file could not be written.
    bool Write(const std::string& path, int width, int height, const std::vector<uint8_t>& rgba);

    const std::string& Error() const { return error_; }

private:
    bool Encode(std::FILE* file, int width, int height, const std::vector<uint8_t>& rgba);

    std::string error_;
};
