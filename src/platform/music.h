#pragma once
// CD-track music with the behaviour of a "cdaudio" device: open (fails when
// no tracks are there), time format tracks/minutes/seconds/frames, play from
// a track to another (the end is the start of the "to" track), play "to" only
// (from where it stopped or paused), pause, stop, close, and the status of the
// current track and of the number of tracks.
//
// A command given a window to notify posts MM_MCINOTIFY to it (wParam the
// code below, lParam the device id): a play that reaches its end ->
// successful; a play interrupted by stop, pause, close or a new play ->
// aborted; a pending play notification replaced by another command that asks
// for notification without interrupting the play -> superseded; a track that
// cannot be played -> failure. Stop, pause and close with a window notify
// successful for themselves (after the aborted play's notification).
//
// The tracks are played by a MusicDevice: the back end's (Backend::Music), or
// one handed to Open. Track ends are noticed by a timer of a hidden window, so
// notifications arrive through the message loop like any other message.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace plat {

class Window;

// A player of numbered tracks (the back end's part of the music).
class MusicDevice {
  public:
    virtual ~MusicDevice() = default;
    // The track numbers that can be played, ascending.
    virtual std::vector<int32_t> Tracks() = 0;
    // Starts track `track` at `offsetMs` into it; false when it cannot be
    // played (missing or unreadable).
    virtual bool Start(int32_t track, uint32_t offsetMs) = 0;
    // Stops what plays.
    virtual void Halt() = 0;
    // Milliseconds into the started track.
    virtual uint32_t PositionMs() = 0;
    // True once the started track has played to its end.
    virtual bool Finished() = 0;
};

// Where the host's music device looks for "trackNN.ogg", ".flac" or ".wav"
// (NN the track number, two digits; names matched case-insensitively): the
// data folder's "music" folder. Empty (the default) means "music" in the
// current folder.
void SetMusicFolder(const std::string& hostPath);
std::string MusicFolder();
// The tracks of a folder: number -> file path, ascending; tracks 1 to 99.
struct MusicTrackFile {
    int32_t track = 0;
    std::string path;
};
std::vector<MusicTrackFile> FindMusicTracks(const std::string& hostFolder);

// Notification codes (wParam of MM_MCINOTIFY).
constexpr uint32_t kMciNotifySuccessful = 1;
constexpr uint32_t kMciNotifySuperseded = 2;
constexpr uint32_t kMciNotifyAborted = 4;
constexpr uint32_t kMciNotifyFailure = 8;

// Time formats.
constexpr uint32_t kMciFormatMilliseconds = 0;
constexpr uint32_t kMciFormatMsf = 2;
constexpr uint32_t kMciFormatTmsf = 10;

// A position in the TMSF format: track in the low byte, then minutes,
// seconds and frames (75 per second).
constexpr uint32_t MakeTmsf(uint32_t track, uint32_t minutes = 0, uint32_t seconds = 0,
                            uint32_t frames = 0) {
    return (track & 0xFF) | ((minutes & 0xFF) << 8) | ((seconds & 0xFF) << 16) |
           ((frames & 0xFF) << 24);
}
constexpr uint32_t TmsfTrack(uint32_t tmsf) {
    return tmsf & 0xFF;
}

// Command results: 0 or an error.
constexpr uint32_t kMciOk = 0;
constexpr uint32_t kMciErrorDeviceNotReady = 276;
constexpr uint32_t kMciErrorOutOfRange = 282;
constexpr uint32_t kMciErrorBadTimeFormat = 293;
constexpr uint32_t kMciErrorNotOpen = 298;
// The text of an error ("" for kMciOk).
std::string MciErrorText(uint32_t error);

class CdAudioDevice {
  public:
    CdAudioDevice();
    ~CdAudioDevice();  // closes without notification
    CdAudioDevice(const CdAudioDevice&) = delete;
    CdAudioDevice& operator=(const CdAudioDevice&) = delete;

    // Opens on `player`, or on the back end's music device when null. Fails
    // with kMciErrorDeviceNotReady when there is no device or no track.
    uint32_t Open(MusicDevice* player = nullptr);
    bool IsOpen() const { return open_; }
    // A number unique to this opening (lParam of the notifications).
    uint32_t DeviceId() const { return deviceId_; }

    uint32_t SetTimeFormat(uint32_t format, Window* notify = nullptr);
    // `from` and `to` in the TMSF format (other formats: only without them).
    // Without `from`, play goes on from the current position; without `to`,
    // to the end of the last track.
    uint32_t Play(std::optional<uint32_t> from, std::optional<uint32_t> to, Window* notify);
    uint32_t Pause(Window* notify = nullptr);
    uint32_t Stop(Window* notify = nullptr);
    uint32_t Close(Window* notify = nullptr);

    uint32_t StatusCurrentTrack(uint32_t* track, Window* notify = nullptr);
    uint32_t StatusNumberOfTracks(uint32_t* count, Window* notify = nullptr);
    bool IsPlaying() const { return mode_ == Mode::Playing; }

    // Notices the end of a track: goes on with the next one inside the play
    // range or ends the play. Called by the device's timer.
    void Poll();

  private:
    enum class Mode { Stopped, Playing, Paused };
    struct Position {
        int32_t track = 0;
        uint32_t ms = 0;
    };
    class PollWindow;

    void Notify(Window* window, uint32_t code);
    // A command that asks for notification without interrupting the play
    // supersedes the pending play notification.
    void SupersedeNotification(Window* notify);
    void AbortPlay();
    void HaltPlayer();
    bool StartTrack(int32_t track, uint32_t ms);
    void EndPlay(uint32_t code);
    int32_t NextTrackAfter(int32_t track) const;

    MusicDevice* player_ = nullptr;
    std::unique_ptr<PollWindow> pollWindow_;
    std::vector<int32_t> tracks_;
    bool open_ = false;
    uint32_t deviceId_ = 0;
    uint32_t timeFormat_ = kMciFormatMsf;
    Mode mode_ = Mode::Stopped;
    Position position_;  // where a play without `from` starts
    Position end_;       // where the current play stops (track 0: the end)
    int32_t playingTrack_ = 0;
    Window* pending_ = nullptr;  // window of the pending play notification
};

}  // namespace plat
