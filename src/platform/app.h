#pragma once
// The application object and the main loop.
//
// A program derives from plat::Application, sets `mainWindow` in InitInstance
// and hands itself to RunApplication with a back end:
//
//   loop: while messages are waiting, take and dispatch them; when none is
//   waiting, call OnIdle(count) (count 0, 1, 2, ... since the last message);
//   while OnIdle answers true it is called again after waiting for input for
//   at most IdleDelay() (the back end waits, the headless one does not), so
//   the idle work keeps its own cadence without burning a core. When OnIdle
//   answers false the loop sleeps until input or the next timer.
//
// A termination request (termination.h) makes the loop send WM_CLOSE to the
// main window; should the loop still run on the turn after, it ends it.
//
// The loop ends on PostQuit (or when the main window is destroyed); then
// ExitInstance runs and its answer is the exit code. ExitProcess is the
// orderly stand-in for ending the process from inside a handler: it asks the
// loop to end and returns, so the caller must return at once; destructors and
// ExitInstance still run.
//
// Tests step an application with ApplicationStepper on the headless back end.

#include <string>

#include "platform/backend.h"
#include "platform/window.h"

namespace plat {

class Application {
  public:
    Application() = default;
    virtual ~Application() = default;
    Application(const Application&) = delete;
    Application& operator=(const Application&) = delete;

    // False refuses the start (the loop does not run; ExitInstance does).
    virtual bool InitInstance() { return true; }
    // One idle pass; true asks for another one.
    virtual bool OnIdle(long count);
    // While idle passes are wanted: how long the loop may wait for input
    // before the next pass has work to do (milliseconds). The default, 1,
    // runs the passes continuously.
    virtual uint32_t IdleDelay() { return 1; }
    // Runs once at the end; the answer is the program's exit code. The
    // default answers the code given to PostQuit.
    virtual int ExitInstance();

    // The main window: its PreTranslateMessage sees every queued message;
    // destroying it ends the loop (the pointer is cleared then).
    Window* mainWindow = nullptr;
};

// The application that RunApplication or an ApplicationStepper runs.
Application* CurrentApplication();

int RunApplication(Application& app, Backend& backend);

// Ends the loop with `code` once the posted messages before it have been
// handled (input and later paints and timers are not handled any more).
void PostQuit(int code);
// exit() from inside a handler: PostQuit(code) and return.
void ExitProcess(int code);
// The program ends because something failed: writes "ferrovane: <reason>" as
// one line to stderr and asks the loop to end with code 1. Nothing happens
// when the loop is already asked to end.
void QuitWithFailure(const std::string& reason);
bool QuitRequested();
int QuitCode();

// The loop of RunApplication, one turn at a time, without waiting.
class ApplicationStepper {
  public:
    ApplicationStepper(Application& app, Backend& backend);
    ~ApplicationStepper();
    ApplicationStepper(const ApplicationStepper&) = delete;
    ApplicationStepper& operator=(const ApplicationStepper&) = delete;

    // Calls InitInstance; false when it refused.
    bool Start();
    // Handles every waiting message, then runs one idle pass. False once the
    // loop has ended (quit).
    bool Turn();
    // Calls ExitInstance (once) and returns the exit code (128 + the signal
    // after a termination request).
    int Finish();

    // True when the last idle pass answered true.
    bool WantsIdle() const { return wantsIdle_; }

  private:
    Application& app_;
    Backend& backend_;
    long idleCount_ = 0;
    bool wantsIdle_ = true;
    bool closeSent_ = false;  // WM_CLOSE sent for a termination request
    bool finished_ = false;
    int exitCode_ = 0;
};

}  // namespace plat
