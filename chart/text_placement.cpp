#include "chart/text_placement.h"

namespace chart {
namespace {

// The average advance of a sans-serif letter, digit or space, in ems.
constexpr double AverageAdvance = 0.58;
constexpr int MostMoves = 8;

bool IsAbove(TextPlacement placement) {
    return placement == TextPlacement::Above || placement == TextPlacement::AboveLeft ||
           placement == TextPlacement::AboveRight;
}

bool IsBelow(TextPlacement placement) {
    return placement == TextPlacement::Below || placement == TextPlacement::BelowLeft ||
           placement == TextPlacement::BelowRight;
}

TextAnchor AnchorOf(TextPlacement placement) {
    switch (placement) {
    case TextPlacement::Left:
    case TextPlacement::AboveLeft:
    case TextPlacement::BelowLeft:
        return TextAnchor::End;
    case TextPlacement::Right:
    case TextPlacement::AboveRight:
    case TextPlacement::BelowRight:
        return TextAnchor::Start;
    default:
        return TextAnchor::Middle;
    }
}

} // namespace

double EstimatedTextWidth(std::string_view text, double size) {
    std::size_t letters = 0;
    for (const char byte : text) {
        letters += (static_cast<unsigned char>(byte) & 0xC0) != 0x80 ? 1 : 0;
    }
    return static_cast<double>(letters) * AverageAdvance * size;
}

PlacedText TextPlacer::Place(PixelPoint anchor, TextPlacement placement, int line,
                             std::string_view text, double size, bool movable) {
    const double lines = size * LineSpacing * line;
    PlacedText placed{anchor, AnchorOf(placement)};
    if (placed.anchor == TextAnchor::End) {
        placed.at.x -= gap_;
    } else if (placed.anchor == TextAnchor::Start) {
        placed.at.x += gap_;
    }
    if (IsAbove(placement)) {
        placed.at.y -= gap_ + lines;
    } else if (IsBelow(placement)) {
        placed.at.y += gap_ + CapHeight * size + lines;
    } else {
        placed.at.y += CapHeight * size / 2 + lines;
    }

    const double width = EstimatedTextWidth(text, size);
    if (placed.anchor == TextAnchor::Start && placed.at.x + width > plot_.left + plot_.width) {
        placed.anchor = TextAnchor::End;
        placed.at.x -= 2 * gap_;
    } else if (placed.anchor == TextAnchor::End && placed.at.x - width < plot_.left) {
        placed.anchor = TextAnchor::Start;
        placed.at.x += 2 * gap_;
    }
    if (movable) {
        placed = KeptClear(placed, width, size, (IsAbove(placement) ? -1 : 1) * size * LineSpacing);
    }
    placed_.push_back(BoxOf(placed, width, size));
    return placed;
}

PlacedText TextPlacer::KeptClear(PlacedText text, double width, double size, double step) const {
    PlacedText first = text;
    for (int move = 0; move <= 2 * MostMoves; ++move) {
        const int lines = move % 2 == 0 ? move / 2 : -(move + 1) / 2;
        PlacedText tried = text;
        tried.at.y += lines * step;
        const Box box = BoxOf(tried, width, size);
        const double bottom = plot_.top + plot_.height;
        if (box.bottom > bottom) {
            tried.at.y -= box.bottom - bottom;
        } else if (box.top < plot_.top) {
            tried.at.y += plot_.top - box.top;
        }
        if (move == 0) {
            first = tried;
        }
        if (!Overlaps(BoxOf(tried, width, size))) {
            return tried;
        }
    }
    return first;
}

TextPlacer::Box TextPlacer::BoxOf(const PlacedText& text, double width, double size) {
    const double left = text.anchor == TextAnchor::Start    ? text.at.x
                        : text.anchor == TextAnchor::Middle ? text.at.x - width / 2
                                                            : text.at.x - width;
    // The descenders reach below the baseline.
    return {left, text.at.y - CapHeight * size, left + width,
            text.at.y + (LineSpacing - CapHeight) * size};
}

bool TextPlacer::Overlaps(const Box& box) const {
    for (const Box& placed : placed_) {
        if (box.left < placed.right && placed.left < box.right && box.top < placed.bottom &&
            placed.top < box.bottom) {
            return true;
        }
    }
    return false;
}

} // namespace chart
