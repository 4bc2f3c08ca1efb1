#pragma once
// Whether the program has been told to end by a signal (see SignalExit). The
// request holds wherever it arrived, in a modal box's loop included: from
// then on no box opens and no further window is started, and the program
// ends as the Exit command ends it instead of running its event loop.

namespace tavro {

// Safe to call from a signal handler.
void requestEnd();
bool endRequested();
// For tests, which run many programs in one process.
void clearEndRequest();

}  // namespace tavro
