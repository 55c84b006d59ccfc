#include "platform/headless/headless_music.h"

#include <algorithm>

#include "platform/clock.h"

namespace plat {

void HeadlessMusic::SetTrack(int32_t track, uint32_t lengthMs) {
    if (lengthMs == 0) {
        tracks_.erase(track);
    } else {
        tracks_[track].lengthMs = lengthMs;
    }
}

void HeadlessMusic::SetTrackBroken(int32_t track, bool broken) {
    auto it = tracks_.find(track);
    if (it != tracks_.end()) it->second.broken = broken;
}

std::vector<int32_t> HeadlessMusic::Tracks() {
    std::vector<int32_t> numbers;
    for (const auto& [number, track] : tracks_) numbers.push_back(number);
    return numbers;
}

bool HeadlessMusic::Start(int32_t track, uint32_t offsetMs) {
    playing_ = false;
    auto it = tracks_.find(track);
    if (it == tracks_.end() || it->second.broken) return false;
    playing_ = true;
    track_ = track;
    offset_ = std::min(offsetMs, it->second.lengthMs);
    startedAt_ = TimeGetTime();
    records_.push_back({Record::Kind::Start, track, offset_});
    return true;
}

void HeadlessMusic::Halt() {
    if (!playing_) return;
    records_.push_back({Record::Kind::Halt, track_, PositionMs()});
    playing_ = false;
}

uint32_t HeadlessMusic::PositionMs() {
    if (!playing_) return 0;
    auto it = tracks_.find(track_);
    uint32_t length = it == tracks_.end() ? 0 : it->second.lengthMs;
    uint32_t elapsed = TimeGetTime() - startedAt_;
    return uint32_t(std::min<uint64_t>(uint64_t(offset_) + elapsed, length));
}

bool HeadlessMusic::Finished() {
    if (!playing_) return false;
    auto it = tracks_.find(track_);
    return it == tracks_.end() || PositionMs() >= it->second.lengthMs;
}

}  // namespace plat
