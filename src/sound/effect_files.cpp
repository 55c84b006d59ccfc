#include "sound/effect_files.h"

#include <cstring>
#include <vector>

#include "platform/app.h"
#include "platform/file.h"
#include "platform/input.h"
#include "platform/message_box.h"
#include "platform/messages.h"
#include "platform/window.h"
#include "sound/sound_manager.h"
#include "sound/sound_view.h"
#include "sound/wave_file.h"
#include "state/game_state.h"
#include "state/messages.h"

namespace {

constexpr uint32_t kMissingBoxFlags = MB_RETRYCANCEL | MB_ICONSTOP | MB_SYSTEMMODAL;
constexpr int32_t kNewsEffect = 30;
constexpr uint32_t kEffectBufferFlags = plat::kSoundBufferStatic | plat::kSoundBufferCtrlFrequency |
                                        plat::kSoundBufferCtrlPan | plat::kSoundBufferCtrlVolume;

// The wait cursor while a file loads, when there is a world view to show it.
class WaitCursor {
  public:
    WaitCursor() : shown_(sound_view::Exists()) {
        if (shown_) plat::SetCursor(IDC_WAIT);
    }
    ~WaitCursor() {
        if (shown_) plat::SetCursor(IDC_ARROW);
    }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;

  private:
    bool shown_;
};

std::vector<uint8_t> ReadWholeFile(plat::FileHandle file) {
    const int32_t size = plat::SeekFile(file, 0, plat::SeekFrom::End);
    if (size <= 0 || plat::SeekFile(file, 0, plat::SeekFrom::Begin) != 0) return {};
    std::vector<uint8_t> bytes(static_cast<size_t>(size));
    const int32_t read = plat::ReadFile(file, bytes.data(), uint32_t(size));
    bytes.resize(read > 0 ? size_t(read) : 0);
    return bytes;
}

}  // namespace

std::string EffectFileName(int32_t effect) {
    const std::string folder = g_pGameState != nullptr ? g_pGameState->DataPath(kPathSound) : ".";
    if (effect == kNewsEffect) return folder + "\\fx_30.wav";
    return folder + "\\fx_" + std::to_string(effect) + "_1.wav";
}

std::string MissingSoundText(const std::string& name) {
    return "The following sound information couldn\xb4t be located:\n " + plat::HostPath(name) +
           " \n Check to make sure the information is available: For instance, is the CD "
           "inserted in the player.";
}

void CSoundManager::LoadEffects() {
    for (int32_t effect = kFirstEffect; effect <= kLastEffect && ready == 1; ++effect) {
        LoadWav(EffectFileName(effect), &effects[size_t(effect - kFirstEffect)]);
    }
}

bool CSoundManager::LoadWav(const std::string& name, plat::SoundBufferHandle* buffer) {
    buffer->reset();
    if (ready != 1) return false;
    WaitCursor cursor;
    plat::FileHandle file = plat::kInvalidFile;
    while ((file = plat::OpenFile(name, plat::OpenMode::Read)) == plat::kInvalidFile) {
        if (plat::QuitRequested()) return false;  // the program is ending: no more boxes
        if (plat::MessageBox(nullptr, MissingSoundText(name), "Ferrovane", kMissingBoxFlags) ==
            IDRETRY) {
            continue;
        }
        // The program ends: nothing is loaded or played from here on.
        plat::QuitWithFailure("the sound " + plat::HostPath(name) + " is missing");
        ReleaseDevices();
        plat::ClipCursor(nullptr);
        plat::SendMessage(main_window, kMsgAbort);
        return false;
    }
    const std::vector<uint8_t> bytes = ReadWholeFile(file);
    plat::CloseFile(file);
    const std::optional<WaveSamples> samples = FindWaveSamples(bytes);
    if (!samples) return true;
    const plat::WaveFormat format = plat::PcmFormat(1, 11025, 8);
    plat::SoundBufferHandle made =
        direct_sound->CreateBuffer({kEffectBufferFlags, samples->bytes, &format});
    plat::SoundBuffer::LockedRegion region;
    if (!made || !made->Lock(0, samples->bytes, &region)) return true;
    std::memcpy(region.first, bytes.data() + samples->offset, region.firstBytes);
    made->Unlock(region);
    *buffer = std::move(made);
    return true;
}
