#pragma once

class QFrame;

// The look of a bar that tells the reader something about the picture below it: a
// panel tinted towards the highlight colour, so it stands apart from the controls.
void setNoticeBarLook(QFrame &bar);
