#pragma once

// Widgets need a widget application: this makes one, offscreen unless a platform is
// asked for, that lives for the rest of the benchmark process.
void ensureWidgetApplication();
