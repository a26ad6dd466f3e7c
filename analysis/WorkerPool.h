#pragma once

class QThreadPool;

// The threads long work runs on, apart from Qt's global pool: Qt's raster painting
// splits a large fill over the global pool's threads and waits for them, so work
// holding those threads for seconds would hold the window's painting as long. As many
// threads as cores; never destroyed, so that quitting waits for no work.
QThreadPool &workerPool();
