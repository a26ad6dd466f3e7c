#pragma once

#include <QMargins>
#include <QRect>

// Where the windows go on screen; plain geometry, so it can be checked for any screen.

// The client rectangle for a window that would like wanted (its client area) and wears
// a frame of frameMargins: shrunk where the frame does not fit in available, then
// moved the least distance that brings the whole frame inside.
QRect fitInside(const QRect &wanted, const QRect &available, const QMargins &frameMargins);
