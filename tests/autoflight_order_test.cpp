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

}  // namespace
}  // namespace kadrimos::testing
