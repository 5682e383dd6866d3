#pragma once

#include "drawing/TextRenderer.h"

// A stand-in for the platform's text: every character is 5 pixels wide ("i" 2), its ink a solid
// block from the baseline up to the ascent with a one-pixel gap at its right, a "g" one row
// below the baseline too. Ascent 9, descent 3: a cell 12 rows tall.
class BlockRenderer final : public vlnokan::drawing::TextRenderer {
public:
    vlnokan::drawing::TextInk render(std::string_view text,
                                     const vlnokan::drawing::Face& face) const override {
        vlnokan::drawing::TextInk result;
        lastFace = face;
        result.ascent = 9;
        result.descent = 3;
        int width = 0;
        for (char c : text)
            width += c == 'i' ? 2 : 5;
        if (width == 0)
            return result;
        result.inkArea = {0, -9, width, 10};
        result.ink.assign(std::size_t(width) * 10, false);
        int x = 0;
        for (char c : text) {
            const int advance = c == 'i' ? 2 : 5;
            result.advances.push_back(advance);
            if (c != ' ')
                for (int row = 0; row < (c == 'g' ? 10 : 9); ++row)
                    for (int column = x; column < x + advance - 1; ++column)
                        result.ink[std::size_t(row * width + column)] = true;
            x += advance;
        }
        return result;
    }
    mutable vlnokan::drawing::Face lastFace;
};
