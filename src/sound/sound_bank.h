// The cockpit's 25 sounds, addressed by name.
//
// They are loaded once, when the host installs the GPWS gauge, and released
// when it kills that gauge. Gauges play them only through these functions. A
// sound that did not load is null and every request for it is skipped: the
// gauge that would have played it works on, silently.
#pragma once

#include <cstddef>
#include <cstdint>

#include "sound/engine.h"

namespace kadrimos::sound {

// The sounds in load order; the names are those of the wave resources.
enum class SoundName : uint8_t {
    CLICK,
    HI,
    LO,
    INNER,
    MIDDLE,
    OUTER,
    DONTSNK,
    GLIDESLOPE,
    WPULLUP,
    SNKRATE,
    TERRAIN,
    TOOLOWFLAPS,
    TOOLOWGEAR,
    TOOLOWTERRAIN,
    CLICLICLIC,
    CLACKER,
    GONGMONO,
    GONGCONT,
    KLAXONCONT,
    KLAXONINT,
    RE,
    REREP,
    SONNERIE,
    WROOF,
    BRAKESSND,
};

inline constexpr std::size_t kSoundCount = 25;

// Columns: resource name, volume at load (hundredths of a decibel).
struct CatalogueEntry {
    const char* name;
    int16_t initial_volume;
};
inline constexpr CatalogueEntry kCatalogue[kSoundCount] = {
    {"CLICK", -2000},      {"HI", -3100},          {"LO", -3100},          {"INNER", -2000},
    {"MIDDLE", -2000},     {"OUTER", -2000},       {"DONTSNK", -1000},     {"GLIDESLOPE", -1000},
    {"WPULLUP", -1000},    {"SNKRATE", -1000},     {"TERRAIN", -1000},     {"TOOLOWFLAPS", -1000},
    {"TOOLOWGEAR", -1000}, {"TOOLOWTERRAIN", -1000}, {"CLICLICLIC", -1800}, {"CLACKER", -2000},
    {"GONGMONO", -1500},   {"GONGCONT", -1200},    {"KLAXONCONT", -1300},  {"KLAXONINT", -1000},
    {"RE", -1400},         {"REREP", -2300},       {"SONNERIE", -1500},    {"WROOF", -1500},
    {"BRAKESSND", -1500},
};
static_assert(static_cast<std::size_t>(SoundName::BRAKESSND) + 1 == kSoundCount);

// The master volume moves every sound by 100 per step, within 10 steps
// either way of the load volumes.
inline constexpr int8_t kMasterStepLimit = 10;
inline constexpr int16_t kMasterStep = 100;

struct SoundBank {
    Sound* sounds[kSoundCount] = {};  // null: not loaded
    int16_t volumes[kSoundCount] = {
        kCatalogue[0].initial_volume,  kCatalogue[1].initial_volume,  kCatalogue[2].initial_volume,
        kCatalogue[3].initial_volume,  kCatalogue[4].initial_volume,  kCatalogue[5].initial_volume,
        kCatalogue[6].initial_volume,  kCatalogue[7].initial_volume,  kCatalogue[8].initial_volume,
        kCatalogue[9].initial_volume,  kCatalogue[10].initial_volume, kCatalogue[11].initial_volume,
        kCatalogue[12].initial_volume, kCatalogue[13].initial_volume, kCatalogue[14].initial_volume,
        kCatalogue[15].initial_volume, kCatalogue[16].initial_volume, kCatalogue[17].initial_volume,
        kCatalogue[18].initial_volume, kCatalogue[19].initial_volume, kCatalogue[20].initial_volume,
        kCatalogue[21].initial_volume, kCatalogue[22].initial_volume, kCatalogue[23].initial_volume,
        kCatalogue[24].initial_volume,
    };
    int8_t master_step = 0;
    // 1 while a loaded sound has been asked to loop and not stopped since:
    // a released sound has stopped with its buffer.
    uint8_t looping[kSoundCount] = {};
};

// Where the sounds come from: the module handle the host gave at install.
struct SoundEngineState {
    uintptr_t module = 0;
};

// Install of the GPWS gauge: opens the device, loads the 25 sounds in
// catalogue order, then sets each one's volume from the table.
void load_all(uintptr_t module);
// Kill of the GPWS gauge: releases the sounds in reverse order, then the
// device.
void release_all();

void master_volume_up();
void master_volume_down();

void play_once(SoundName name);
void start_loop(SoundName name);
void stop_loop(SoundName name);
// Whether the sound is loaded and looping: a gauge that must keep a loop
// running asks once, and asks again after the sounds have been reloaded.
bool is_looping(SoundName name);

}  // namespace kadrimos::sound
