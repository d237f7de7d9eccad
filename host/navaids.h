// Radio stations on the ground: VOR/DMEs and NDBs a scenario places around
// the aircraft, and what the aircraft's receivers make of them.
//
//   vor 113.90 at 12 nm bearing 40      a VOR with its DME
//   ndb 415 at 8 nm bearing 300         an NDB
//
// A station stands DIST nautical miles from where the aircraft was first
// placed, on the given bearing from there (degrees; the model knows no
// magnetic variation). A second station on a frequency already used takes
// the first one's place.
//
// A receiver receives a station while it is tuned to the station's
// frequency, as the simulator encodes it:
//   NAV1_FREQUENCY (24), NAV2_FREQUENCY (27)  BCD of the megahertz less 100,
//                                             0x1390 for 113.90
//   the two ADFs                              the calculator values the radio
//                                             stack keeps, in kilohertz
//                                             (radio_stack.h)
// Once a station is placed, every update drives (the aircraft placed):
//   31, 35, 860  DME distances of receivers 1 and 2 and the HSI's (receiver
//                1's), nm, horizontal; -1 with no station received
//   550, 59      bearings to the stations of receivers 1 and 2, degrees from
//                the nose, clockwise (0 with none)
//   55, 58       receiver 2's status word (0: a VOR) and signal (1000, or 0)
//   40, 43, 46, 49  receiver 1's course deviation (+-127 for +-10 degrees
//                off the course set on it, token 45), TO/FROM (1 TO, 2 FROM,
//                0 none), status word and signal, unless an ILS is placed
//                (the ILS then owns them)
//   39           bearing to ADF 1's station from the nose (90 with none, where
//                an ADF needle rests)
//   "(A:ADF Radial:2,radians)"  the same for ADF 2, in radians
// Everything is worked out with additions, multiplications, divisions,
// square roots and the motion model's own arc tangent and cosine, so that
// Linux and Windows hosts give the same numbers.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "text_input.h"

namespace kadrimos::host_sim {

struct StationCommand {
    enum class Kind { Vor, Ndb };
    Kind kind = Kind::Vor;
    double frequency = 0.0;  // VOR: MHz; NDB: kHz
    double distance_nm = 0.0;
    double bearing_deg = 0.0;
};

// Whether the scenario verb `verb` places a station.
bool is_station_verb(const std::string& verb);
// Reads "vor|ndb FREQ at DIST nm bearing BRG". Throws InputError with the
// line for a malformed statement or a number out of range (a VOR from
// 108.00 to 117.95 MHz, an NDB from 190 to 1750 kHz, 0.1 to 300 nm, a
// bearing from 0 to 360).
StationCommand read_station_statement(const Line& line);

// The simulator's frequency encodings. A word that is not BCD (a digit
// above 9, a negative or fractional value, not a number) tunes nothing: 0.
double nav_frequency_mhz(double bcd);

inline constexpr const char* kAdf2Radial = "(A:ADF Radial:2,radians)";

class Navaids {
public:
    struct Station {
        StationCommand::Kind kind;
        double frequency;
        double east_ft, north_ft;
    };
    void place(const StationCommand& c);
    bool any() const { return !stations_.empty(); }
    const std::vector<Station>& stations() const { return stations_; }

    // What the receivers see: where the aircraft is (feet east and north of
    // its first placement) and where its nose points, and their tuning.
    struct Aircraft {
        double east_ft, north_ft, heading_deg;
    };
    struct Tuning {
        double nav1_bcd, nav2_bcd, adf1_khz, adf2_khz;  // the ADFs as the radio stack keeps them
        double nav1_course_deg;
    };
    struct Output {
        uint32_t token;
        double value;
    };
    // The variables in the order listed above; receiver 1's needle, flag,
    // status word and signal last, for the caller to leave to the ILS.
    static constexpr std::size_t kOutputs = 12;
    std::array<Output, kOutputs> outputs(const Aircraft& a, const Tuning& t) const;
    static constexpr std::size_t kIlsOwned = 4;  // the last four outputs
    // ADF 2's bearing from the nose, radians (pi/2 with none).
    double adf2_radial_rad(const Aircraft& a, const Tuning& t) const;

    // A station's distance (nm) and bearing from the nose (degrees, 0 to
    // 360) seen from the aircraft.
    static double distance_nm(const Station& s, const Aircraft& a);
    static double bearing_deg(const Station& s, const Aircraft& a);  // from north
    static double relative_bearing_deg(const Station& s, const Aircraft& a);

private:
    const Station* tuned(StationCommand::Kind kind, double frequency) const;
    std::vector<Station> stations_;
};

}  // namespace kadrimos::host_sim
