// The host's radio stations: frequencies as the simulator encodes them,
// which receiver receives which station, distances and bearings from the
// nose as the aircraft moves, and the VOR needle's TO/FROM.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "navaids.h"

namespace kadrimos::host_sim {
namespace {

using K = StationCommand::Kind;

double out(const std::array<Navaids::Output, Navaids::kOutputs>& o, uint32_t token) {
    for (const Navaids::Output& x : o)
        if (x.token == token) return x.value;
    ADD_FAILURE() << "token " << token << " is not driven";
    return std::nan("");
}

// Degrees apart, the short way round north.
double apart(double a, double b) { return std::fabs(std::remainder(a - b, 360.0)); }

TEST(HostNavaids, FrequenciesDecodeFromBcdAndRefuseWhatIsNot) {
    const double rows[][3] = {
        {0x1390, 113.90, 0}, {0x0800, 108.00, 0}, {0x1795, 117.95, 0}, {0x13A0, 0, 0},
        {-1, 0, 0},          {4.5, 0, 0},         {NAN, 0, 0},         {0x10000, 0, 0},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r[0]);
        EXPECT_NEAR(nav_frequency_mhz(r[0]), r[1], 1e-9);
    }
}

// A VOR 10 nm east and an NDB 5 nm north of the placement; the aircraft at
// the placement heading 090, then past the VOR.
TEST(HostNavaids, ReceiversTunedToAStationSeeItFromTheNose) {
    Navaids n;
    n.place({K::Vor, 113.90, 10, 90});
    n.place({K::Ndb, 415, 5, 0});
    const Navaids::Tuning tuned = {0x1390, 0x1390, 415, 415, 90};
    const Navaids::Tuning untuned = {0x1170, 0x0800, 300, 0, 90};

    const Navaids::Aircraft start = {0, 0, 90};
    auto o = n.outputs(start, tuned);
    EXPECT_NEAR(out(o, 31), 10, 1e-6);
    EXPECT_NEAR(out(o, 860), 10, 1e-6);
    EXPECT_NEAR(out(o, 35), 10, 1e-6);
    EXPECT_LT(apart(out(o, 550), 0), 1e-4);   // dead ahead
    EXPECT_LT(apart(out(o, 39), 270), 1e-4);  // the beacon off the left wing
    EXPECT_NEAR(n.adf2_radial_rad(start, tuned) * 180 / 3.14159265358979, 270, 1e-4);
    EXPECT_EQ(out(o, 43), 1);  // TO on course 090
    EXPECT_NEAR(out(o, 40), 0, 1e-3);
    EXPECT_EQ(out(o, 49), 1000);
    EXPECT_EQ(out(o, 58), 1000);

    const Navaids::Aircraft past = {12 * 6076.12, 0, 90};
    o = n.outputs(past, tuned);
    EXPECT_NEAR(out(o, 31), 2, 1e-6);
    EXPECT_LT(apart(out(o, 550), 180), 1e-4);  // behind
    EXPECT_EQ(out(o, 43), 2);                  // FROM

    // A mile north of the course, inbound: the course lies to the right.
    const Navaids::Aircraft left_of_course = {0, 6076.12 * std::tan(5 * 3.14159265358979 / 180) * 10, 90};
    o = n.outputs(left_of_course, tuned);
    EXPECT_NEAR(out(o, 40), 63.5, 0.1);  // 5 degrees of 10

    o = n.outputs(start, untuned);
    EXPECT_EQ(out(o, 31), -1);
    EXPECT_EQ(out(o, 35), -1);
    EXPECT_EQ(out(o, 860), -1);
    EXPECT_EQ(out(o, 39), 90);
    EXPECT_EQ(out(o, 43), 0);
    EXPECT_EQ(out(o, 49), 0);
    EXPECT_NEAR(n.adf2_radial_rad(start, untuned), 3.14159265358979 / 2, 1e-12);
}

// A station on a frequency already used takes the old one's place.
TEST(HostNavaids, ASecondStationOnAFrequencyReplacesTheFirst) {
    Navaids n;
    n.place({K::Ndb, 415, 5, 0});
    n.place({K::Ndb, 415, 8, 180});
    n.place({K::Vor, 113.90, 8, 180});
    ASSERT_EQ(n.stations().size(), 2u);
    EXPECT_NEAR(Navaids::distance_nm(n.stations()[0], {0, 0, 0}), 8, 1e-9);
    EXPECT_NEAR(Navaids::bearing_deg(n.stations()[0], {0, 0, 0}), 180, 1e-6);
}

}  // namespace
}  // namespace kadrimos::host_sim
