#pragma once
// A simulated music device for tests: tracks of given lengths that "play"
// by the clock of the current back end, so that a test drives track ends by
// advancing the fake clock. Records every start and halt.
//
//   plat::HeadlessMusic music;
//   music.SetTrack(2, 60000);          // track 2, one minute
//   host.SetMusicDevice(&music);
//   ...open the CD-audio device, play track 2...
//   host.RunFor(60000, 50);            // the end is noticed, MM_MCINOTIFY arrives

#include <cstdint>
#include <map>
#include <vector>

#include "platform/music.h"

namespace plat {

class HeadlessMusic : public MusicDevice {
  public:
    // Adds or changes a track; a length of 0 removes it.
    void SetTrack(int32_t track, uint32_t lengthMs);
    // A track that is listed but cannot be played (Start fails).
    void SetTrackBroken(int32_t track, bool broken);

    std::vector<int32_t> Tracks() override;
    bool Start(int32_t track, uint32_t offsetMs) override;
    void Halt() override;
    uint32_t PositionMs() override;
    bool Finished() override;

    struct Record {
        enum class Kind { Start, Halt } kind;
        int32_t track;
        uint32_t ms;  // offset at a start, position at a halt
        friend bool operator==(const Record&, const Record&) = default;
    };
    const std::vector<Record>& Records() const { return records_; }
    void ClearRecords() { records_.clear(); }
    // The track playing now, 0 when none.
    int32_t PlayingTrack() const { return playing_ ? track_ : 0; }

  private:
    struct Track {
        uint32_t lengthMs = 0;
        bool broken = false;
    };
    std::map<int32_t, Track> tracks_;
    bool playing_ = false;
    int32_t track_ = 0;
    uint32_t offset_ = 0;
    uint32_t startedAt_ = 0;
    std::vector<Record> records_;
};

}  // namespace plat
