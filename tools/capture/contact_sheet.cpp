#include "tools/capture/contact_sheet.h"

#include <algorithm>

namespace {

constexpr int LabelHeight = 14;
constexpr int Gap = 4;
constexpr int Scale = 2;
constexpr uint32_t Background = 0x303030FF;
constexpr uint32_t LabelColour = 0xE0E0E0FF;

// Rows of a 3-pixel-wide glyph, top first; bit 2 is the left column.
const uint8_t* Glyph(char c) {
    static const uint8_t digits[10][5] = {
        {7, 5, 5, 5, 7}, {2, 6, 2, 2, 7}, {7, 1, 7, 4, 7}, {7, 1, 7, 1, 7}, {5, 5, 7, 1, 1},
        {7, 4, 7, 1, 7}, {7, 4, 7, 5, 7}, {7, 1, 1, 1, 1}, {7, 5, 7, 5, 7}, {7, 5, 7, 1, 7}};
    static const uint8_t dot[5] = {0, 0, 0, 0, 2};
    static const uint8_t s[5] = {0, 3, 6, 1, 6};
    static const uint8_t f[5] = {3, 4, 6, 4, 4};
    static const uint8_t minus[5] = {0, 0, 7, 0, 0};
    static const uint8_t blank[5] = {0, 0, 0, 0, 0};
    if (c >= '0' && c <= '9') return digits[c - '0'];
    if (c == '.') return dot;
    if (c == 's') return s;
    if (c == 'f') return f;
    if (c == '-') return minus;
    return blank;
}

}  // namespace

void DrawLabel(RgbaImage& image, int x, int y, const std::string& text, uint32_t rgba) {
    for (char c : text) {
        const uint8_t* rows = Glyph(c);
        for (int row = 0; row < 5; ++row) {
            for (int column = 0; column < 3; ++column) {
                if (rows[row] & (4 >> column)) {
                    image.Fill(x + column * Scale, y + row * Scale, Scale, Scale, rgba);
                }
            }
        }
        x += 4 * Scale;
    }
}

void ContactSheet::Add(const RgbaImage& frame, const std::string& label) {
    Frames.push_back({frame, label});
}

RgbaImage ContactSheet::Compose() const {
    if (Frames.empty()) {
        return {};
    }
    const int frameWidth = Frames.front().Frame.Width;
    const int frameHeight = Frames.front().Frame.Height;
    const int columns = std::min<int>(Columns, static_cast<int>(Frames.size()));
    const int rows = (static_cast<int>(Frames.size()) + columns - 1) / columns;
    const int cellWidth = frameWidth + Gap;
    const int cellHeight = LabelHeight + frameHeight + Gap;
    RgbaImage sheet(columns * cellWidth + Gap, rows * cellHeight + Gap, Background);
    for (size_t i = 0; i < Frames.size(); ++i) {
        const int x = Gap + static_cast<int>(i % columns) * cellWidth;
        const int y = Gap + static_cast<int>(i / columns) * cellHeight;
        DrawLabel(sheet, x, y + 2, Frames[i].Label, LabelColour);
        sheet.Paste(Frames[i].Frame, x, y + LabelHeight);
    }
    return sheet;
}
