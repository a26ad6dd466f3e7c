#pragma once

#include "VerbariumLayout.h"

#include <QPointF>
#include <QRectF>
#include <vector>

// The tree of the words a picture shows, by their indices in the picture's words: each
// word's parent (−1 for the start word), its shown followers in the tree's order, and
// its level (1 for the start word). What the keyboard walks and screen readers read.
struct PictureOutline
{
    std::vector<int> parent;
    std::vector<std::vector<int>> children;
    std::vector<int> level;
};

PictureOutline outlineOf(const VerbariumPicture &picture);

// A move of the keyboard focus through the shown tree.
enum class TreeStep { FirstChild, Parent, PreviousSibling, NextSibling };

// The word the step leads to from the word at index from; from itself where it leads
// nowhere, the start word (0) from −1.
int stepInOutline(const PictureOutline &outline, int from, TreeStep step);

// The word whose box holds point (view coordinates, y upward), the one drawn last where
// boxes overlap, as the eye sees it; −1 over the background and the curves.
int placedWordAt(const VerbariumPicture &picture, QPointF point);
