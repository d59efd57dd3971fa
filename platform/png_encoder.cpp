#include "platform/png_encoder.h"

#define STB_IMAGE_WRITE_IMPLEMENTATION
#define STBI_WRITE_NO_STDIO
#include <stb_image_write.h>

#include <cstdio>
#include <memory>

namespace gfx {
namespace {

void Append(void* context, void* data, int size) {
    const auto* bytes = static_cast<const uint8_t*>(data);
    static_cast<std::vector<uint8_t>*>(context)->insert(
        static_cast<std::vector<uint8_t>*>(context)->end(), bytes, bytes + size);
}

}  // namespace

std::vector<uint8_t> EncodePng(uint32_t width, uint32_t height, int channels,
                               const std::vector<uint8_t>& pixels) {
    std::vector<uint8_t> file;
    const bool fits = width > 0 && height > 0 && width <= 65535 && height <= 65535 &&
                      channels >= 1 && channels <= 4 &&
                      pixels.size() == size_t{width} * height * static_cast<size_t>(channels);
    if (!fits) {
        return file;
    }
    const int stride = static_cast<int>(width) * channels;
    if (stbi_write_png_to_func(Append, &file, static_cast<int>(width), static_cast<int>(height),
                               channels, pixels.data(), stride) == 0) {
        file.clear();
    }
    return file;
}

bool WritePngFile(const std::string& path, uint32_t width, uint32_t height, int channels,
                  const std::vector<uint8_t>& pixels, std::string* error) {
    const std::vector<uint8_t> png = EncodePng(width, height, channels, pixels);
    if (png.empty()) {
        *error = "cannot encode " + path;
        return false;
    }
    std::unique_ptr<FILE, int (*)(FILE*)> file(std::fopen(path.c_str(), "wb"), &std::fclose);
    if (!file || std::fwrite(png.data(), 1, png.size(), file.get()) != png.size()) {
        *error = "cannot write " + path;
        return false;
    }
    if (std::fclose(file.release()) != 0) {
        *error = "cannot write " + path;
        return false;
    }
    return true;
}

}  // namespace gfx
