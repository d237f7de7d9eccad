// What a listener makes of the crew's audio track: whether a stretch of it
// is loud or silent, and how many separate sounds were heard in it.
//
// The track is heard one update at a time: each update's window (1/18 s,
// 1225 samples) has one level, the RMS of its samples in decibels relative
// to full scale (dBFS: a full-scale square wave is 0, a full-scale sine -3,
// digital silence minus infinity). The thresholds suit the cockpit's
// sounds at their load volumes and at every master volume step: the
// quietest, a switch click, is about -41 dBFS over its first update (-51
// with the master volume ten steps down), the voice callouts -15 to -20.
// Between the two thresholds lie the fading tails of chimes and gongs: not
// loud, not yet silent, so that neither expectation depends on where
// exactly a tail ends.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace kadrimos::host_sim {

// An update at or above this level is loud.
inline constexpr double kLoudDbfs = -55.0;
// An update below this level is silent.
inline constexpr double kSilentDbfs = -65.0;
// Sounding updates separated by fewer silent updates than this belong to
// one sound: the pauses between the words of a callout ("too low ...
// flaps", 0.17 s) and the strokes of a triple click do not split them; a
// callout repeated back to back after its own trailing pause, or the
// blasts of an intermittent klaxon (0.33 s apart), are heard again. (With
// the master volume at its top steps the faint end of "too low, terrain"
// is no longer silent, and its repetitions run together.)
inline constexpr int64_t kPauseUpdates = 4;

// One sound heard: a stretch of updates none of which is silent, holding at
// least one loud update, and set apart from the next by a pause.
struct Burst {
    int64_t first = 0;  // its first and last updates (ticks)
    int64_t last = 0;
    double loudest_dbfs = 0.0;
};

// Hears updates in order and keeps what the expectations ask about.
class Listener {
public:
    void hear(int64_t tick, double dbfs);
    // Ends the last sound (one still going at the end of the stretch counts).
    void finish();

    int64_t updates() const { return updates_; }
    // The loudest update (the first of equals); `loudest_tick` is -1 if
    // nothing was heard.
    double loudest_dbfs() const { return loudest_dbfs_; }
    int64_t loudest_tick() const { return loudest_tick_; }
    // The first update that was not silent, or -1.
    int64_t first_sound_tick() const { return first_sound_tick_; }
    double first_sound_dbfs() const { return first_sound_dbfs_; }
    const std::vector<Burst>& bursts() const { return bursts_; }

    bool loud() const { return loudest_tick_ >= 0 && loudest_dbfs_ >= kLoudDbfs; }
    bool silent() const { return first_sound_tick_ < 0; }

private:
    int64_t updates_ = 0;
    double loudest_dbfs_ = 0.0;
    int64_t loudest_tick_ = -1;
    int64_t first_sound_tick_ = -1;
    double first_sound_dbfs_ = 0.0;
    std::vector<Burst> bursts_;
    bool sounding_ = false;  // a stretch of sound is open
    Burst current_;
    bool current_loud_ = false;
};

// A level as the reports write it: "-41.3 dBFS", or "digital silence".
std::string dbfs_text(double dbfs);

}  // namespace kadrimos::host_sim
