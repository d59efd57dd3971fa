#pragma once

#include <string>
#include <vector>

#include "headless/rgba_image.h"

// Many frames on one picture, each under a small label (its number and show time), so a whole
// stretch of the show can be looked at at once.
class ContactSheet {
public:
    explicit ContactSheet(int columns) : Columns(columns) {}

    void Add(const RgbaImage& frame, const std::string& label);
    bool Empty() const { return Frames.empty(); }
    RgbaImage Compose() const;

private:
    struct Entry {
        RgbaImage Frame;
        std::string Label;
    };
    int Columns;
    std::vector<Entry> Frames;
};

// Draws text of digits, '.', 's', 'f', '-' and spaces in a 3 x 5 pixel font scaled by 2.
void DrawLabel(RgbaImage& image, int x, int y, const std::string& text, uint32_t rgba);
