#pragma once

class VerbariumView;

// Screen readers see the verbarium as a tree: the start word, its followers below it,
// and so on, each item a tree item named by its word and numbers ("lord, 7,035 times,
// 4,900 branches"), with its level, its place among its siblings and whether its
// followers are shown (expanded) or left out (collapsed). The keyboard focus moves
// among them, and words out of sight are not on screen.

// Makes every VerbariumView describe itself so; safe to call more than once.
void installVerbariumAccessibility();
// Tells screen readers that the keyboard focus is on the picture's word at index.
void verbariumFocusMoved(VerbariumView *view, int index);
