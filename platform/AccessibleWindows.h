#pragma once

// Screen readers see the application's plain top-level widgets (the cloud's and the
// verbarium's windows) as frames named by their titles, as they see a main window, and
// a tooltip-like panel as a tooltip; Qt would hand them on as nameless fillers. Safe to
// call more than once.
void installWindowAccessibility();
