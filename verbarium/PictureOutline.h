#pragma once

#include "VerbariumLayout.h"

#include <QPointF>
#include <QRectF>
#include <vector>

// The tree of the words a picture shows, by their indices in the picture's words: each
// word's parent (−1 for the start word), its shown followers in the tree's order, and
// its level (1 for the start word). In a picture of both sides the start word's
// followers are those of both sides, the words after first. What the keyboard walks and
// screen readers read.
struct PictureOutline
{
    std::vector<int> parent;
    std::vector<std::vector<int>> children;
    std::vector<int> level;
    std::vector<bool> before; // whether each word is one of the words before the start
};

PictureOutline outlineOf(const VerbariumPicture &picture);

// A move of the keyboard focus through the shown tree. FirstChildBefore goes from the
// start word to the first of the words before it, in a picture of both sides.
enum class TreeStep { FirstChild, FirstChildBefore, Parent, PreviousSibling, NextSibling };

// The word the step leads to from the word at index from; from itself where it leads
// nowhere, the start word (0) from −1. Steps stay on the side they start from: the
// start word's first child is the first word after it, its siblings on its own side.
int stepInOutline(const PictureOutline &outline, int from, TreeStep step);
// The followers of the word at index on one side, in the tree's order.
std::vector<int> childrenOnSide(const PictureOutline &outline, int index, bool before);

// The word whose box holds point (view coordinates, y upward), the one drawn last where
// boxes overlap, as the eye sees it; −1 over the background and the curves.
int placedWordAt(const VerbariumPicture &picture, QPointF point);
