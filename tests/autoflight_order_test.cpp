// The host serves the gauges one after another, in the order of the panel
// configuration; a gauge served before another reads what that other
// published at the previous update. The autoflight gauges each run their own
// step, so the order is part of what the aircraft does: these tests serve
// them in the configuration's order and in the reverse order.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "autoflight/modes.h"
#include "module/aircraft_state.h"
#include "support/fake_host.h"

namespace kadrimos::testing {
namespace {

using autoflight::Vertical;

constexpr const char* kVsi = "toskelin vsi_rulo";     // gauge04 in the configuration
constexpr const char* kAlt = "toskelin ap_alt_rulo";  // gauge38
constexpr uint32_t kVerticalSpeed = 65, kAltitude = 74, kNoseGear = 332, kN2Engine1 = 625, kN2Engine2 = 644;

// A raw vertical speed (m/s x 256) for feet per minute.
double raw_vertical_speed(double fpm) { return fpm * 0.3048 / 60 * 256; }

// ALT armed 1000 ft below the selection, level: the climb starts at once at
// 3000 ft/min, whose capture point is 1000 ft to go. Served in the panel's
// order the altitude panel sees the vertical speed indicator's reading of
// the same update and starts the capture at once; served before it, it sees
// the reading of the update before and starts one update later.
TEST(AutoflightServeOrder, TheAltitudeCaptureSeesTheVerticalSpeedOfTheUpdateBeforeWhenServedFirst) {
    struct Row {
        std::vector<const char*> order;
        int updates_to_capture;
    };
    const Row rows[] = {
        {{kVsi, kAlt}, 1},
        {{kAlt, kVsi}, 2},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.order.front());
        FakeHost host;
        aircraft.DcEssBusPowered = 1;
        autoflight::set_fd_command(autoflight::FdCommand::Fd1);
        aircraft.SelectedAltitude = 6000;
        host.set(kNoseGear, 0);
        host.set(kN2Engine1, 80);
        host.set(kN2Engine2, 80);
        host.set(kAltitude, 5000);
        host.set(kVerticalSpeed, 0);
        for (const char* g : r.order) host.update(g);
        autoflight::set_vertical_mode(Vertical::AltSelectArmed);
        host.set(kVerticalSpeed, raw_vertical_speed(3000));
        int updates = 0;
        while (autoflight::vertical_mode() == Vertical::AltSelectArmed && updates < 5) {
            for (const char* g : r.order) host.update(g);
            ++updates;
        }
        EXPECT_EQ(autoflight::vertical_mode(), Vertical::Capture);
        EXPECT_EQ(updates, r.updates_to_capture);
    }
}

constexpr const char* kAdi = "toskelin adi_fd_rulo";        // gauge02
constexpr const char* kMaster = "toskelin ap_master_rulo";  // gauge37
constexpr uint32_t kGsDeviation = 41, kGsFlag = 44, kCourse = 45, kNavStatus = 46, kSignal = 49, kOnGround = 60,
                   kHeading = 84, kApMasterFlag = 103, kRadioHeight = 614;

// LAND with AP 1, level below the glide path, which comes within capture.
// The flight director captures it; the autopilot master then flies the
// glide path and drops the altitude hold. Served in the panel's order the
// master sees the capture in the same update; served first, at the next.
// The approach coupling is the director's receiver bit, overwritten by the
// master: whichever is served last stands at the end of the update.
TEST(AutoflightServeOrder, TheMasterFliesTheGlidePathTheDirectorCapturedInTheSameUpdateWhenServedAfterIt) {
    struct Row {
        std::vector<const char*> order;
        int updates_to_glide_path;
        uint8_t coupled_on_the_ground;
    };
    const Row rows[] = {
        {{kAdi, kMaster}, 1, 0},
        {{kMaster, kAdi}, 2, 1},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.order.front());
        FakeHost host;
        for (uint8_t* bus : {&aircraft.DcEssBusPowered, &aircraft.DcNormBusPowered, &aircraft.AcEssBusPowered,
                             &aircraft.InstrBus1Powered, &aircraft.InstrBus2Powered, &aircraft.AcBus1Powered,
                             &aircraft.AcBus2Powered})
            *bus = 1;
        aircraft.BattLoadLevel = 2;
        autoflight::set_fd_command(autoflight::FdCommand::Fd1);
        autoflight::set_ap_engage(autoflight::ApEngage::Ap1);
        aircraft.ApLever1On = 1;
        autoflight::set_approach(autoflight::Approach::Land);
        autoflight::set_vertical_mode(Vertical::HoldPresent);
        host.set(kApMasterFlag, 1);
        host.set(kOnGround, 0);
        host.set(kRadioHeight, 600);
        host.set(kCourse, 270);
        host.set(kHeading, 270);
        host.set(kGsFlag, 1);
        host.set_bits(kNavStatus, 0xC0);
        host.set(kSignal, 1000);
        host.set(kGsDeviation, -60);
        for (const char* g : r.order) host.update(g);
        ASSERT_EQ(autoflight::vertical_mode(), Vertical::HoldPresent);
        host.set(kGsDeviation, -10);
        int updates = 0;
        while (autoflight::vertical_mode() != Vertical::None && updates < 5) {
            for (const char* g : r.order) host.update(g);
            ++updates;
        }
        EXPECT_TRUE(autoflight::gs_captured());
        EXPECT_EQ(updates, r.updates_to_glide_path);

        host.set(kOnGround, 1);
        for (const char* g : r.order) host.update(g);
        EXPECT_EQ(aircraft.ApproachCoupled, r.coupled_on_the_ground);
    }
}

}  // namespace
}  // namespace kadrimos::testing
