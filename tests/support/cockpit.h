// Starting points for tests, reached as a crew and an aircraft would reach
// them: host values for where the aircraft is and what its engines do, the
// crew's clicks, and the panel served in the simulator's order until the
// systems settle.
//
//   FakeHost host;
//   prepare(host, Cockpit::PoweredOnGround);
//   EXPECT_TRUE(FakeHost::visible("toskelin elec_batt_rulo", "BAT 1 ON"));
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "module/aircraft_state.h"
#include "support/fake_host.h"

namespace kadrimos::testing {

enum class Cockpit {
    ColdAndDark,             // on the ground, everything off
    BatteriesOn,             // the three batteries on
    PoweredOnGround,         // batteries, APU running, its generator on line
    EnginesRunningOnGround,  // a running aircraft set up on the ground
    InFlight,                // clean, engines running, in the cruise
};
inline constexpr Cockpit kAllCockpits[] = {Cockpit::ColdAndDark, Cockpit::BatteriesOn,
                                           Cockpit::PoweredOnGround, Cockpit::EnginesRunningOnGround,
                                           Cockpit::InFlight};
const char* name_of(Cockpit cockpit);

// The gauges of host/data/panel.cfg in the order the simulator serves them:
// window by window, each gauge once.
const std::vector<std::string>& panel_order();

// Called after each gauge's update with the shared record as it stood just
// before it: what that one update wrote.
using UpdateWatch = std::function<void(const std::string& gauge, const AircraftState& before)>;

// Updates of the whole panel in that order, with the host's clock (ticks,
// seconds) advancing by one update each.
void serve_panel(FakeHost& host, int updates = 1, const UpdateWatch& watch = {});

// Brings a fresh host and module to `cockpit`.
void prepare(FakeHost& host, Cockpit cockpit, const UpdateWatch& watch = {});

}  // namespace kadrimos::testing
