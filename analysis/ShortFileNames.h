#pragma once

#include "TextFile.h"

// The corpus of file with its files named by their paths below the folder they all
// share ("01.txt", "part 2/07.txt" of a folder chosen anywhere), as a reader looking
// at one corpus wants them; a text of one source as it is.
TextFile withShortNames(TextFile file);
