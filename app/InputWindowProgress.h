#pragma once

class AppController;
class QMainWindow;
class QProgressBar;

namespace Ui {
class InputWindow;
} // namespace Ui

// What the input window says of the work under way: the analysis's stage in the status
// bar, and a long text going into the editor in a progress bar beside it and in the note
// above the text, which is shown read-only until it is asked for in the editor.
// Returns the progress bar, owned by the window's status bar.
QProgressBar *showInputWindowProgress(QMainWindow *window, Ui::InputWindow &input,
                                      AppController *controller);
