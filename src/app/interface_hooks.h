#pragma once
// The frame's view, panel and sound objects and the hooks through which the
// simulation reaches them: each setter puts the object into its global and
// installs it behind the hook; null takes it out and puts the do-nothing
// hook back. The caller keeps ownership.

class CSoundManager;
class HAUPTDIALOG;
class SPIEL_FELD;

void SetWorldView(SPIEL_FELD* view);
void SetControlPanel(HAUPTDIALOG* panel);
void SetSoundManager(CSoundManager* sound);
