#include "platform/music.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <system_error>

#include "platform/backend.h"
#include "platform/messages.h"
#include "platform/window.h"

namespace plat {

namespace {

constexpr uint32_t kPollTimerId = 1;
constexpr uint32_t kPollIntervalMs = 50;

std::string& MusicFolderSetting() {
    static std::string folder;
    return folder;
}

uint32_t NextDeviceId() {
    static uint32_t next = 1;
    return next++;
}

std::string Lower(std::string text) {
    for (char& c : text) c = char(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

// "trackNN.ogg" / ".flac" / ".wav", any case: NN, else 0.
int32_t TrackNumberOf(const std::string& fileName) {
    std::string name = Lower(fileName);
    size_t dot = name.rfind('.');
    if (dot != 7) return 0;
    std::string ext = name.substr(dot);
    if (ext != ".ogg" && ext != ".flac" && ext != ".wav") return 0;
    if (name.compare(0, 5, "track") != 0) return 0;
    if (!std::isdigit(static_cast<unsigned char>(name[5])) ||
        !std::isdigit(static_cast<unsigned char>(name[6]))) {
        return 0;
    }
    return (name[5] - '0') * 10 + (name[6] - '0');
}

// Milliseconds of a TMSF position within its track.
uint32_t TmsfOffsetMs(uint32_t tmsf) {
    uint32_t minutes = (tmsf >> 8) & 0xFF, seconds = (tmsf >> 16) & 0xFF,
             frames = (tmsf >> 24) & 0xFF;
    return (minutes * 60 + seconds) * 1000 + frames * 1000 / 75;
}

}  // namespace

// A hidden window whose timer lets the device notice track ends from the
// message loop.
class CdAudioDevice::PollWindow : public Window {
  public:
    explicit PollWindow(CdAudioDevice& device) : device_(device) {}

  protected:
    LResult OnMessage(uint32_t message, WParam wParam, LParam lParam) override {
        if (message == WM_TIMER && wParam == kPollTimerId) {
            device_.Poll();
            return 0;
        }
        return DefaultMessage(message, wParam, lParam);
    }

  private:
    CdAudioDevice& device_;
};

void SetMusicFolder(const std::string& hostPath) {
    MusicFolderSetting() = hostPath;
}

std::string MusicFolder() {
    return MusicFolderSetting().empty() ? std::string("music") : MusicFolderSetting();
}

std::vector<MusicTrackFile> FindMusicTracks(const std::string& hostFolder) {
    std::vector<MusicTrackFile> tracks;
    std::error_code error;
    std::filesystem::directory_iterator it(hostFolder, error), end;
    for (; !error && it != end; it.increment(error)) {
        if (!it->is_regular_file(error)) continue;
        int32_t track = TrackNumberOf(it->path().filename().string());
        if (track < 1) continue;
        // One file per track: the first name in sorted order wins.
        std::string path = it->path().string();
        auto same = std::find_if(tracks.begin(), tracks.end(),
                                 [&](const MusicTrackFile& t) { return t.track == track; });
        if (same == tracks.end()) {
            tracks.push_back({track, path});
        } else if (path < same->path) {
            same->path = path;
        }
    }
    std::sort(tracks.begin(), tracks.end(),
              [](const MusicTrackFile& a, const MusicTrackFile& b) { return a.track < b.track; });
    return tracks;
}

std::string MciErrorText(uint32_t error) {
    switch (error) {
        case kMciOk:
            return "";
        case kMciErrorDeviceNotReady:
            return "The device is not ready.";
        case kMciErrorOutOfRange:
            return "The specified parameter is out of range.";
        case kMciErrorBadTimeFormat:
            return "The specified time format is not supported.";
        case kMciErrorNotOpen:
            return "The device is not open.";
        default:
            return "Unknown error.";
    }
}

CdAudioDevice::CdAudioDevice() = default;

CdAudioDevice::~CdAudioDevice() {
    Close(nullptr);
}

uint32_t CdAudioDevice::Open(MusicDevice* player) {
    if (open_) return kMciOk;
    if (player == nullptr) player = CurrentBackend().Music();
    if (player == nullptr) return kMciErrorDeviceNotReady;
    std::vector<int32_t> tracks = player->Tracks();
    if (tracks.empty()) return kMciErrorDeviceNotReady;
    player_ = player;
    tracks_ = std::move(tracks);
    open_ = true;
    deviceId_ = NextDeviceId();
    timeFormat_ = kMciFormatMsf;
    mode_ = Mode::Stopped;
    position_ = {tracks_.front(), 0};
    pending_ = nullptr;
    pollWindow_ = std::make_unique<PollWindow>(*this);
    if (pollWindow_->Create(nullptr, {0, 0, 0, 0}, WS_POPUP)) {
        pollWindow_->SetTimer(kPollTimerId, kPollIntervalMs);
    }
    return kMciOk;
}

uint32_t CdAudioDevice::SetTimeFormat(uint32_t format, Window* notify) {
    if (!open_) return kMciErrorNotOpen;
    if (format != kMciFormatTmsf && format != kMciFormatMsf && format != kMciFormatMilliseconds) {
        return kMciErrorBadTimeFormat;
    }
    SupersedeNotification(notify);
    timeFormat_ = format;
    if (notify) Notify(notify, kMciNotifySuccessful);
    return kMciOk;
}

uint32_t CdAudioDevice::Play(std::optional<uint32_t> from, std::optional<uint32_t> to,
                             Window* notify) {
    if (!open_) return kMciErrorNotOpen;
    if ((from || to) && timeFormat_ != kMciFormatTmsf) return kMciErrorBadTimeFormat;
    Position start = position_;
    if (mode_ == Mode::Playing) start = {playingTrack_, player_->PositionMs()};
    if (from) {
        start = {int32_t(TmsfTrack(*from)), TmsfOffsetMs(*from)};
        if (std::find(tracks_.begin(), tracks_.end(), start.track) == tracks_.end()) {
            return kMciErrorOutOfRange;
        }
    }
    Position end{0, 0};
    if (to) {
        end = {int32_t(TmsfTrack(*to)), TmsfOffsetMs(*to)};
        if (end.track < 1) return kMciErrorOutOfRange;
        bool empty = end.track < start.track || (end.track == start.track && end.ms <= start.ms);
        if (empty) return kMciErrorOutOfRange;
    }
    AbortPlay();
    HaltPlayer();
    pending_ = notify;
    end_ = end;
    if (!StartTrack(start.track, start.ms)) EndPlay(kMciNotifyFailure);
    return kMciOk;
}

uint32_t CdAudioDevice::Pause(Window* notify) {
    if (!open_) return kMciErrorNotOpen;
    AbortPlay();
    if (mode_ == Mode::Playing) {
        position_ = {playingTrack_, player_->PositionMs()};
        HaltPlayer();
        mode_ = Mode::Paused;
    }
    if (notify) Notify(notify, kMciNotifySuccessful);
    return kMciOk;
}

uint32_t CdAudioDevice::Stop(Window* notify) {
    if (!open_) return kMciErrorNotOpen;
    AbortPlay();
    if (mode_ == Mode::Playing) position_ = {playingTrack_, player_->PositionMs()};
    HaltPlayer();
    mode_ = Mode::Stopped;
    if (notify) Notify(notify, kMciNotifySuccessful);
    return kMciOk;
}

uint32_t CdAudioDevice::Close(Window* notify) {
    if (!open_) return kMciErrorNotOpen;
    AbortPlay();
    HaltPlayer();
    mode_ = Mode::Stopped;
    open_ = false;
    pollWindow_.reset();
    player_ = nullptr;
    tracks_.clear();
    if (notify) Notify(notify, kMciNotifySuccessful);
    return kMciOk;
}

uint32_t CdAudioDevice::StatusCurrentTrack(uint32_t* track, Window* notify) {
    if (!open_) return kMciErrorNotOpen;
    SupersedeNotification(notify);
    if (track) *track = uint32_t(mode_ == Mode::Playing ? playingTrack_ : position_.track);
    if (notify) Notify(notify, kMciNotifySuccessful);
    return kMciOk;
}

uint32_t CdAudioDevice::StatusNumberOfTracks(uint32_t* count, Window* notify) {
    if (!open_) return kMciErrorNotOpen;
    SupersedeNotification(notify);
    // Tracks are numbered from 1 on the disc; missing ones are data tracks.
    if (count) *count = uint32_t(tracks_.back());
    if (notify) Notify(notify, kMciNotifySuccessful);
    return kMciOk;
}

void CdAudioDevice::Poll() {
    if (!open_ || mode_ != Mode::Playing) return;
    bool endInThisTrack = end_.track == playingTrack_ && end_.ms > 0;
    if (endInThisTrack && player_->PositionMs() >= end_.ms) {
        position_ = end_;
        HaltPlayer();
        EndPlay(kMciNotifySuccessful);
        return;
    }
    if (!player_->Finished()) return;
    int32_t next = NextTrackAfter(playingTrack_);
    bool nextInRange =
        next > 0 && (end_.track == 0 || next < end_.track || (next == end_.track && end_.ms > 0));
    HaltPlayer();
    if (nextInRange) {
        if (!StartTrack(next, 0)) EndPlay(kMciNotifyFailure);
        return;
    }
    position_ = next > 0 ? Position{next, 0} : Position{playingTrack_, 0};
    EndPlay(kMciNotifySuccessful);
}

void CdAudioDevice::Notify(Window* window, uint32_t code) {
    PostMessage(window, MM_MCINOTIFY, WParam(code), LParam(deviceId_));
}

void CdAudioDevice::SupersedeNotification(Window* notify) {
    if (notify == nullptr || pending_ == nullptr) return;
    Notify(pending_, kMciNotifySuperseded);
    pending_ = nullptr;
}

void CdAudioDevice::AbortPlay() {
    if (pending_ != nullptr) Notify(pending_, kMciNotifyAborted);
    pending_ = nullptr;
}

void CdAudioDevice::HaltPlayer() {
    if (player_ != nullptr && mode_ == Mode::Playing) player_->Halt();
}

bool CdAudioDevice::StartTrack(int32_t track, uint32_t ms) {
    playingTrack_ = track;
    if (!player_->Start(track, ms)) {
        position_ = {track, 0};
        mode_ = Mode::Stopped;
        return false;
    }
    mode_ = Mode::Playing;
    return true;
}

void CdAudioDevice::EndPlay(uint32_t code) {
    mode_ = Mode::Stopped;
    if (pending_ != nullptr) Notify(pending_, code);
    pending_ = nullptr;
}

int32_t CdAudioDevice::NextTrackAfter(int32_t track) const {
    auto it = std::upper_bound(tracks_.begin(), tracks_.end(), track);
    return it == tracks_.end() ? 0 : *it;
}

}  // namespace plat
