#pragma once

class VerbariumView;

// Screen readers see the verbarium as a tree: the start word, its followers below it,
// and so on, each item named "word, N times" and described by its level ("level 2").
// The keyboard focus moves among them.

// Makes every VerbariumView describe itself so; safe to call more than once.
void installVerbariumAccessibility();
// Tells screen readers that the keyboard focus is on the picture's word at index.
void verbariumFocusMoved(VerbariumView *view, int index);
