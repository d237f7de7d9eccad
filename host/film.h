// A scenario's film: one self-contained HTML page with the timeline, the
// pictures taken during the flight on a time slider, and what the crew
// heard, playable beside them. Everything is inside the page (pictures and
// sound as data), so it can be mailed or opened from anywhere.
//
// The page's script shows one moment at a time; moving the slider shows
// that moment's windows, marks the timeline up to it and sets the sound to
// its time. Opened with "#last" it goes to the last moment. It reports what
// it has loaded in the element "status" (data-loaded, data-pictures and
// data-showing), which the headless-browser test reads.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "pictures.h"

namespace kadrimos::host_sim {

struct Film {
    std::string title;              // the scenario's file name
    std::string timeline;           // the printed timeline, as printed
    std::vector<Picture> pictures;  // in the order taken
    std::vector<uint8_t> sound;     // a WAV file, or empty
};

// The page; `error` says why it could not be written.
bool write_film(const std::string& path, const Film& film, std::string& error);

// Base64 of `bytes` (RFC 4648, with padding).
std::string base64(const std::vector<uint8_t>& bytes);

}  // namespace kadrimos::host_sim
