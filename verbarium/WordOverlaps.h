#pragma once

#include <QRectF>
#include <cstddef>
#include <optional>
#include <utility>
#include <vector>

struct PlacedWord;

// Overlaps smaller than this, across or up, are not seen on screen.
constexpr double visibleOverlap = 1.0;

// Two words, by index, whose boxes overlap by more than tolerance both across and up;
// none when every word has room of its own. Boxes that only touch do not overlap.
std::optional<std::pair<std::size_t, std::size_t>>
firstOverlap(const std::vector<PlacedWord> &words, double tolerance);
