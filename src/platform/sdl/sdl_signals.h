#pragma once
// SIGINT and SIGTERM for the SDL back end. Both are blocked in every thread
// and taken by a watcher thread of their own, so that they reach the game in
// every state, also while a message box holds the main thread: the watcher
// records the termination request (platform/termination.h), which wakes the
// event loop while SDL runs; the back end withdraws that wake-up before it
// takes SDL down, so the watcher never calls into SDL during or after
// SDL_Quit. SDL shows a message box in a child process and waits for it;
// while a box is open the watcher ends that child, so the box call returns
// and the program can end in order. Should the box still be open after two
// seconds, or a second signal come, the process ends at once.

namespace plat {

// Blocks the signals and starts the watcher (once; before SDL starts threads).
void WatchTerminationSignals();
// The main thread tells the watcher while a message box is shown.
void SetMessageBoxOpen(bool open);

}  // namespace plat
