#pragma once
// A request from outside to end the program: SIGINT (Ctrl+C) or SIGTERM. The
// host back end records the signal (from any thread) and wakes the loop; the
// loop then closes the main window as the window's close button does, so the
// program ends in order and writes its settings. From the request on, every
// message box answers at once as if it had been closed, without showing, so
// that no box can hold the end up; the exit code is 128 + the signal.

namespace plat {

// Records the signal (the first one counts). Safe from any thread.
void RequestTermination(int signal);
// The signal asked for, 0 when none was.
int TerminationSignal();
// Forgets the request (a fresh window layer).
void ClearTermination();

}  // namespace plat
