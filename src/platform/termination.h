#pragma once
// A request from outside to end the program: SIGINT (Ctrl+C) or SIGTERM. The
// host back end records the signal (from any thread), which wakes the loop
// through the back end's waker; the loop then closes the main window as the
// window's close button does, so the program ends in order and writes its
// settings. From the request on, every message box answers at once as if it
// had been closed, without showing, so that no box can hold the end up; the
// exit code is 128 + the signal.

namespace plat {

// How a back end wakes its event loop from another thread.
using TerminationWaker = void (*)();

// Records the signal (the first one counts) and calls the waker, if one is
// set. Safe from any thread.
void RequestTermination(int signal);
// The back end sets its waker once its event loop can be woken, and sets
// null before it takes that loop down: a waker still running in another
// thread has returned by then, and none is called afterwards.
void SetTerminationWaker(TerminationWaker waker);
// The signal asked for, 0 when none was.
int TerminationSignal();
// Forgets the request (a fresh window layer).
void ClearTermination();

}  // namespace plat
