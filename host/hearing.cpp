#include "hearing.h"

#include <cmath>
#include <cstdio>

namespace kadrimos::host_sim {

void Listener::hear(int64_t tick, double dbfs) {
    ++updates_;
    if (loudest_tick_ < 0 || dbfs > loudest_dbfs_) {
        loudest_dbfs_ = dbfs;
        loudest_tick_ = tick;
    }
    // NaN cannot come from a sum of squares; were it to, it is no silence.
    if (dbfs < kSilentDbfs) return;
    if (first_sound_tick_ < 0) {
        first_sound_tick_ = tick;
        first_sound_dbfs_ = dbfs;
    }
    if (sounding_ && tick - current_.last - 1 >= kPauseUpdates) finish();
    if (!sounding_) {
        sounding_ = true;
        current_ = Burst{tick, tick, dbfs};
        current_loud_ = false;
    }
    current_.last = tick;
    if (dbfs > current_.loudest_dbfs) current_.loudest_dbfs = dbfs;
    if (dbfs >= kLoudDbfs) current_loud_ = true;
}

void Listener::finish() {
    // A faint stretch with no loud update in it is no sound heard.
    if (sounding_ && current_loud_) bursts_.push_back(current_);
    sounding_ = false;
}

std::string dbfs_text(double dbfs) {
    if (std::isinf(dbfs) && dbfs < 0) return "digital silence";
    char text[32];
    std::snprintf(text, sizeof text, "%.1f dBFS", dbfs);
    return text;
}

}  // namespace kadrimos::host_sim
