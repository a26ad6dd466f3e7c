#pragma once

// Font metrics and painting need a GUI application: this makes one, offscreen unless
// a platform is asked for, that lives for the rest of the benchmark process.
void ensureGuiApplication();
