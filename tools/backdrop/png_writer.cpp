#include "png_writer.h"

#include <png.h>

#include <cstdio>
#include <filesystem>

bool PngWriter::Write(const std::string& path, int width, int height,
                      const std::vector<uint8_t>& rgba) {
    // Written beside the target and renamed, so an interrupted build never leaves half a file
    // that looks up to date.
    const std::string partial = path + ".partial";
    std::FILE* file = std::fopen(partial.c_str(), "wb");
    if (file == nullptr) {
        error_ = "cannot create " + partial;
        return false;
    }
    const bool encoded = Encode(file, width, height, rgba);
    const bool closed = std::fclose(file) == 0;
    if (!encoded || !closed) {
        std::remove(partial.c_str());
        if (error_.empty()) {
            error_ = "cannot write " + partial;
        }
        return false;
    }
    std::error_code code;
    std::filesystem::rename(partial, path, code);
    if (code) {
        error_ = "cannot rename to " + path + ": " + code.message();
        return false;
    }
    return true;
}

bool PngWriter::Encode(std::FILE* file, int width, int height, const std::vector<uint8_t>& rgba) {
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png != nullptr ? png_create_info_struct(png) : nullptr;
    if (info == nullptr) {
        png_destroy_write_struct(&png, nullptr);
        error_ = "libpng could not start";
        return false;
    }
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        error_ = "libpng failed while encoding";
        return false;
    }
    png_init_io(png, file);
    png_set_compression_level(png, 9);
    png_set_IHDR(png, info, static_cast<png_uint_32>(width), static_cast<png_uint_32>(height), 8,
                 PNG_COLOR_TYPE_RGBA, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                 PNG_FILTER_TYPE_DEFAULT);
    png_set_sRGB(png, info, PNG_sRGB_INTENT_PERCEPTUAL);
    png_text comment = {};
    comment.compression = PNG_TEXT_COMPRESSION_NONE;
    comment.key = const_cast<char*>("Comment");
    comment.text = const_cast<char*>("Backdrop");
    png_set_text(png, info, &comment, 1);
    png_write_info(png, info);
    const size_t stride = static_cast<size_t>(width) * 4;
    for (int y = 0; y < height; ++y) {
        png_write_row(png, const_cast<png_bytep>(rgba.data() + stride * static_cast<size_t>(y)));
    }
    png_write_end(png, info);
    png_destroy_write_struct(&png, &info);
    return true;
}
