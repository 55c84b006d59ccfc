#pragma once
// CGameApp: the application object. InitInstance brings the system up,
// OnIdle is the main loop: between messages it paces the opponents, runs the
// frame update and, when the tick length has passed, the game tick.

#include <cstdint>
#include <string>

#include "platform/app.h"

class CGameState;

class CGameApp : public plat::Application {
  public:
    bool InitInstance() override;
    // One pass of the main loop; always asks for another one.
    bool OnIdle(long count) override;
    // The time until the next pass has work (idle_delay.cpp).
    uint32_t IdleDelay() override;
    // Deletes the main frame it created (whose destructor shuts the program
    // down), then shuts the game state down when the frame has not done it.
    int ExitInstance() override;

    // Once per pass: world animation, money display, vehicle movement,
    // board-vote goal and ambient sounds.
    void UpdateFrame();
    // Halted, paused by the player or after the goal: no vehicle moves (the
    // field animations go on while the game is not paused).
    static bool VehiclesStand(const CGameState& gs);

  protected:
    // Creates the main frame window (start-up step after the data paths):
    // the HAUPTFENSTER, deleted again by ExitInstance. Null when its window
    // could not be made.
    virtual plat::Window* CreateMainFrame();

  private:
    // Runs the city-growth screen's pass; true when the pass ends there.
    bool RunCityGrowthPass();
    void ReplayDeferredMouseMove();
    void StepOpponents();
    void RefreshMoneyDisplay();
    // Moves the vehicles; while they stand, refreshes their visible flags
    // and answers whether one changed.
    bool MoveVehicles();
    void TestBoardVoteGoal();
    // After a month's processing in a mission or career: the goal's result
    // screen, when the goal is met or failed.
    void ApplyLevelGoal(bool new_year);

    // Where the view looked when the frame update last drew the vehicles.
    struct Camera {
        const void* view = nullptr;
        double centre_x = 0.0;
        double centre_y = 0.0;
        int32_t zoom = 0;
        int32_t rotation = 0;
        friend bool operator==(const Camera&, const Camera&) = default;
    };
    static Camera CurrentCamera();
    bool ViewMovedSinceFrameDraw() const;
    // A field animation in a view that can be seen shows another frame than
    // its own: the next frame update draws it even while the vehicles stand.
    static bool AnimationsWaitForDrawing();
    // A mark overlay built while vehicles are on the map waits for the
    // next frame update's vehicle frame, which draws it; under P, with no
    // animation in view, no other reason to draw would ever come.
    static bool OverlayWaitsForDrawing();

    plat::Window* frame_ = nullptr;  // the HAUPTFENSTER made by CreateMainFrame
    Camera drawn_camera_;
    // A standing vehicle came into or went out of the view since the frame
    // update last drew the vehicles (kept while a screen covers the view).
    bool seen_changed_ = false;
    uint32_t ambient_time_ = 0;  // the last pass that counted ambient passes
};

// The end of the program (the main frame's destructor, or ExitInstance when
// there is no frame): writes the option keys of the settings file, destroys
// the game state and frees it. Does nothing once the state is gone.
// Frees the terrain object (way network, tile marker, construction helper).
void DestroyTerrain();
void ShutdownGameState();

// The text of the screen-size refusal.
extern const char kResolutionRefusal[];
