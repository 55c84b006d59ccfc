#pragma once
// What the simulation tells the world view, and the little it asks of it.
// The frame installs the real view while one exists; otherwise Views()
// answers with a view that shows nothing and ignores every call.

#include <cstdint>

class ViewEvents {
  public:
    ViewEvents() = default;
    // An installed object that goes away puts the do-nothing view back.
    virtual ~ViewEvents();
    ViewEvents(const ViewEvents&) = delete;
    ViewEvents& operator=(const ViewEvents&) = delete;

    // Renders the view again (the layers whose redraw flags are set).
    virtual void RedrawView() {}
    // Whether field (x, y) lies in the visible part of the view.
    virtual bool IsTileInView(int32_t /*x*/, int32_t /*y*/) { return false; }
    // The stereo pan of a sound effect at field (x, y).
    virtual int32_t GetSoundPan(int32_t /*x*/, int32_t /*y*/) { return 0; }
    // Frees the view's overlay item list.
    virtual void ClearOverlay() {}
    // Whether the view shows the 1:16 overview map, and drawing it.
    virtual bool ShowsOverviewMap() { return false; }
    virtual void DrawOverviewMap() {}
    // Field animations at a building's anchor.
    virtual void AddAnimation(int32_t /*x*/, int32_t /*y*/, int32_t /*kind*/) {}
    virtual void RemoveAnimationAt(int32_t /*x*/, int32_t /*y*/) {}
    // Whether the information tool is active (the panel follows the selected
    // object).
    virtual bool InformationToolActive() { return false; }
    // The terrain under the cursor changed: pick the field under the cursor
    // again at the next idle pass.
    virtual void RequestRepick() {}
};

// The installed view, or the do-nothing one.
ViewEvents& Views();
// Installs `view` (until its destruction); null puts the do-nothing view back.
void InstallViewEvents(ViewEvents* view);

// A mouse move over the view that the main frame swallowed because it came
// less than 250 ms after the last one; the idle pass replays it. A new world
// view starts with the block zeroed.
struct MouseMoveTimes {
    int32_t pending = 0;
    uint32_t time = 0;  // time of the last real mouse move
    uint32_t elapsed = 0;
};
extern MouseMoveTimes g_MouseMoveTime;
