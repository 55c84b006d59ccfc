// The application loop: dispatch what is queued, run the idle handler while
// the queue is empty, wait briefly for input, end on quit.

#include "platform/app.h"

#include <algorithm>
#include <cstdio>

#include "platform/message_queue.h"
#include "platform/screen.h"
#include "platform/termination.h"
#include "platform/window_system.h"

namespace plat {

bool Application::OnIdle(long /*count*/) {
    return false;
}

int Application::ExitInstance() {
    return QuitCode();
}

Application* CurrentApplication() {
    return WindowSystem::Get().app;
}

void PostQuit(int code) {
    WindowSystem& ws = WindowSystem::Get();
    if (ws.quit) return;
    ws.quit = true;
    ws.quitCode = code;
}

void ExitProcess(int code) {
    PostQuit(code);
}

void QuitWithFailure(const std::string& reason) {
    if (QuitRequested()) return;  // the first reason is the one told
    std::fprintf(stderr, "ferrovane: %s\n", reason.c_str());
    PostQuit(1);
}

bool QuitRequested() {
    return WindowSystem::Get().quit;
}

int QuitCode() {
    return WindowSystem::Get().quitCode;
}

ApplicationStepper::ApplicationStepper(Application& app, Backend& backend)
    : app_(app), backend_(backend) {}

ApplicationStepper::~ApplicationStepper() {
    WindowSystem& ws = WindowSystem::Get();
    if (ws.app == &app_) ws.app = nullptr;
}

bool ApplicationStepper::Start() {
    WindowSystem& ws = WindowSystem::Get();
    ws.app = &app_;
    ws.quit = false;
    ws.quitCode = 0;
    if (app_.InitInstance()) return true;
    if (IsWindow(app_.mainWindow)) app_.mainWindow->DestroyWindow();
    return false;
}

bool ApplicationStepper::Turn() {
    if (finished_) return false;
    if (TerminationSignal() != 0) {
        // The main window ends the program as its close button does; a loop
        // that still runs after that is ended here.
        if (!closeSent_ && IsWindow(app_.mainWindow)) {
            PostMessage(app_.mainWindow, WM_CLOSE, 0, 0);
        } else {
            PostQuit(0);
        }
        closeSent_ = true;
    }
    while (PumpMessage()) {
        idleCount_ = 0;
        wantsIdle_ = true;
    }
    if (QuitRequested()) return false;
    if (wantsIdle_) wantsIdle_ = app_.OnIdle(idleCount_++);
    PresentScreen();
    return !QuitRequested();
}

int ApplicationStepper::Finish() {
    if (!finished_) {
        finished_ = true;
        exitCode_ = app_.ExitInstance();
        if (TerminationSignal() != 0) exitCode_ = 128 + TerminationSignal();
        WindowSystem& ws = WindowSystem::Get();
        if (ws.app == &app_) ws.app = nullptr;
    }
    return exitCode_;
}

int RunApplication(Application& app, Backend& backend) {
    WindowSystem& ws = WindowSystem::Get();
    Backend* previous = ws.backend;
    SetCurrentBackend(&backend);
    int code = 0;
    {
        ApplicationStepper stepper(app, backend);
        if (stepper.Start()) {
            while (stepper.Turn()) {
                if (HasPendingMessages()) continue;
                // Idle work wants to run again: wait for input until it is
                // due. Otherwise sleep until input or the next timer.
                const uint32_t limit = stepper.WantsIdle() ? app.IdleDelay() : 100u;
                const uint32_t wait = std::min(limit, TimeUntilNextTimer());
                if (wait > 0) backend.WaitForEvents(wait);
            }
        }
        code = stepper.Finish();
    }
    SetCurrentBackend(previous);
    return code;
}

}  // namespace plat
