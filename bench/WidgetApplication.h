#pragma once

// Widgets need a widget application: this makes one, as ensureGuiApplication does a
// GUI application.
void ensureWidgetApplication();
