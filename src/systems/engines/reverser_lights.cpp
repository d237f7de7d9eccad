// "toskelin rev_voy_left_rulo", "toskelin rev_voy_right_rulo": each engine's
// thrust reverser lights.
//
// R.UNLK is lit while the reverser is in transit, 36 ticks (2 s) each way.
// Going out, REV comes on 30 ticks after the reverser unlocked and stays on
// while it is deployed; coming back in, REV goes out 6 ticks after it started
// to stow. A reverser brought back in before its doors reached the deployed
// stop is stowed again: the lights go out and the next deployment times its
// transit afresh.
//
// The lights run on the DC essential bus: without it they are dark and
// their logic stands. The lamp test lights both.
//
// Inputs: DcEssBusPowered, AnnLightTest; tokens 641 and 660 (engine 1 and 2
// reverser position: 0.01 or more is out of its stowed lock), 1 (ticks).
#include "systems/engines/reverser_lights.h"

#include <cstdint>

#include "module/catalogue_entry.h"
#include "module/module_state.h"
#include "panel/chain.h"
#include "panel/convert.h"
#include "panel/elements.h"
#include "panel/gauge_records.h"
#include "panel/host.h"
#include "panel/timing.h"

KADRIMOS_GAUGE_WITH_STATE(rev_voy_left, "toskelin rev_voy_left_rulo")
KADRIMOS_GAUGE_WITH_STATE(rev_voy_right, "toskelin rev_voy_right_rulo")

namespace kadrimos::engines {

constinit ReverserLightState reverser_lights[2]{};

namespace {

constexpr uint32_t kBackground = 5749;
constexpr uint32_t kUnlockedBitmap = 5755;
constexpr uint32_t kRevBitmap = 5752;

constexpr double kOutOfLock = 0.01;
constexpr double kTransitTicks = 36;
constexpr double kRevOnTicks = 30;  // deploying: REV lights this long after unlocking
constexpr double kRevOffTicks = 6;  // stowing: REV goes out this long after the doors move

}  // namespace

ReverserLights reverser_step(ReverserLightState& r, double position, double now) {
    const bool out = position >= kOutOfLock;  // not a number: in its lock
    switch (r.phase) {
        case kStowed:
            if (out) {
                r.phase = kDeploying;
                timing::set_for(r.unlocked, now, kTransitTicks);
                timing::set_for(r.rev, now, kRevOnTicks);
            }
            break;
        case kDeploying:
            if (!out) r.phase = kStowed;
            break;
        case kDeployed:
            if (!out) {
                r.phase = kStowing;
                timing::set_for(r.unlocked, now, kTransitTicks);
                timing::set_for(r.rev, now, kRevOffTicks);
            }
            break;
        case kStowing:
            if (out) r.phase = kDeployed;
            break;
        default:
            r.phase = kStowed;
            break;
    }
    // The end of a transit.
    if ((r.phase == kDeploying || r.phase == kStowing) && timing::due(r.unlocked, now))
        r.phase = r.phase == kDeploying ? kDeployed : kStowed;

    ReverserLights lights;
    switch (r.phase) {
        case kDeploying:
            lights.unlocked = true;
            lights.rev = timing::due(r.rev, now);
            break;
        case kDeployed:
            lights.rev = true;
            break;
        case kStowing:
            lights.unlocked = true;
            lights.rev = !timing::due(r.rev, now);
            break;
        default:
            break;
    }
    if (r.phase == kStowed || r.phase == kDeployed) {
        timing::clear(r.unlocked);
        timing::clear(r.rev);
    }
    return lights;
}

namespace {

// Elements: 1 R.UNLK, 2 REV.
constexpr ElementSpec kElements[] = {
    background_spec(kBackground),
    icon_spec("R.UNLK light", kUnlockedBitmap, {50, 0}),
    icon_spec("REV light", kRevBitmap, {2, 0}),
};
constexpr int kUnlocked = depth_of(kElements, "R.UNLK light");
constexpr int kRev = depth_of(kElements, "REV light");

template <int Engine>
double reverser_position() {
    return Engine == 0 ? host::value<641>() : host::value<660>();
}

template <int Engine>
void FSAPI callback(GAUGEHDR* gauge, int32_t service, uintptr_t) {
    if (service != PANEL_SERVICE_PRE_UPDATE || gauge == nullptr) return;
    const bool powered = aircraft.DcEssBusPowered == 1;
    ReverserLights lights;
    if (powered) {
        const double now = finite_or(host::value<1>(), 0.0);
        lights = reverser_step(reverser_lights[Engine], reverser_position<Engine>(), now);
    }
    const bool test = aircraft.AnnLightTest == 1;
    set_visible(*gauge, kUnlocked, powered && (lights.unlocked || test));
    set_visible(*gauge, kRev, powered && (lights.rev || test));
}

}  // namespace
}  // namespace kadrimos::engines

namespace kadrimos::gauges::rev_voy_left {
void reset_state() { reset_to_load_values(engines::reverser_lights[0]); }
KADRIMOS_GAUGE_RECORDS(engines::kElements, kNoAreas, 93, engines::callback<0>);
}  // namespace kadrimos::gauges::rev_voy_left

namespace kadrimos::gauges::rev_voy_right {
void reset_state() { reset_to_load_values(engines::reverser_lights[1]); }
KADRIMOS_GAUGE_RECORDS(engines::kElements, kNoAreas, 93, engines::callback<1>);
}  // namespace kadrimos::gauges::rev_voy_right
