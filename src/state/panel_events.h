#pragma once
// What the simulation tells the control panel, and the little it asks of it.
// The frame installs the real panel while one exists; otherwise Panel()
// answers with a panel that shows nothing and ignores every call.

#include <cstdint>
#include <optional>

class PanelEvents {
  public:
    PanelEvents() = default;
    // An installed object that goes away puts the do-nothing panel back.
    virtual ~PanelEvents();
    PanelEvents(const PanelEvents&) = delete;
    PanelEvents& operator=(const PanelEvents&) = delete;

    // The terrain brush size as the panel holds it (unchecked).
    virtual int32_t BrushSize() { return 1; }
    // Shows "Action not possible:" with the reason `code` 1..5.
    virtual void ShowActionNotPossible(int32_t /*code*/) {}
    // The building number the information panel shows (0 none).
    virtual int32_t SelectedStructure() { return 0; }
    // Redraws the information panel.
    virtual void RefreshInfoPanel() {}
    // The building number the structure information window shows; empty
    // while the window is closed.
    virtual std::optional<int32_t> StructureInfoBuilding() { return std::nullopt; }
    // Redraws the figures of the structure information window.
    virtual void RedrawStructureInfo() {}
    // A computer opponent (slot 0..2) has a new factory standing: the news
    // popup of its first chain.
    virtual void OpponentNews(int32_t /*slot*/) {}
};

// The installed panel, or the do-nothing one.
PanelEvents& Panel();
// Installs `panel` (until its destruction); null puts the do-nothing panel back.
void InstallPanelEvents(PanelEvents* panel);
