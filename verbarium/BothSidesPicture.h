#pragma once

#include "Layer.h"
#include "VerbariumLayout.h"

#include <memory>

// Both sides of a start word in one view: the words before it at the left, read from
// right to left, and the words after it at the right, the start word shared. Each side
// is a picture of its own tree, moved into the shared view.
struct BothSidesPicture
{
    VerbariumPicture before; // mirrored: its start word is the shared one
    VerbariumPicture after;  // its start word stands where before's does
    QSizeF viewSize;
};

// Joins the mirrored picture of the words before and the picture of the words after,
// each laid out alone, so that their start words coincide. The view is at least
// leastSize, the picture in its middle across.
BothSidesPicture joinedSides(VerbariumPicture before, VerbariumPicture after,
                             QSizeF leastSize = {});

// The joined picture as one picture of words, for hit tests, outlines and the keyboard:
// the start word and the words after first, then the words before (marked so, their
// nodes of beforeTree), the start word once.
VerbariumPicture pictureOfBothSides(const BothSidesPicture &picture);

// The joined picture as layers: the start word once, every other word and every curve of
// both sides.
std::unique_ptr<Layer> bothSidesLayers(const BothSidesPicture &picture);
