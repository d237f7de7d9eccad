// "toskelin ap_hdg_rulo": the heading panel of the autoflight system.
//
// The selected-heading window (three drums, the hundreds on a drum of four
// positions), its knob (one or ten degrees either way, repeating while held,
// round through north: 359 and 1 more is 0, 350 and 10 more is 0), and the
// HDG and NAV pushbuttons with their lights. Its update runs the lateral
// modes: heading select, radio navigation (VOR or localiser), GPS-coupled
// and INS-coupled navigation, by switching the host autopilot's heading
// hold, navigation hold and wing leveller and handing it the heading to fly.
//
// The host's autopilot functions are switched by their on and off events,
// each only while its flag says it is the other way: a function is switched
// off only while its flag reads 1.0 and on only while it reads 0 (and a
// flag that reads neither is left alone). The flag is then taken as the
// event leaves it, so that a function switched off and on again within one
// update sees each event once.
//
// Every heading handed to the host, and the heading reference kept for the
// flight director, stays within 0 to 359 degrees. A heading reading that is
// not a number leaves the reference where it was.
//
// Inputs: SelectedHeading, the mode bytes (modes.h), InsCoupledValue (the
// INS coupling), FdHeadingCommand; tokens 46 (navigation receiver status:
// 0x40 and 0x80), 103 (host autopilot master), 104, 105, 106 (wing leveller,
// navigation hold, heading hold), 107 (the host's heading reference),
// 836 (GPS bearing, radians), 848 (GPS drives NAV1).
// Outputs: SelectedHeading, HeadingSelectMode, NavMode, HeadingReference,
// NavCoupled, BankRefRetake, and the clearing of LocCaptured,
// FdLateralBasicMode, ModeCancelHold, GoAroundMode and the approach mode;
// events 0x101fa, 0x1010f, 0x1010d, 0x10113, 0x10119, 0x10117, 0x1011b,
// 0x10115.
#include <cmath>
#include <cstdint>

#include "autoflight/heading_state.h"
#include "autoflight/modes.h"
#include "module/catalogue_entry.h"
#include "module/module_state.h"
#include "panel/chain.h"
#include "panel/drum.h"
#include "panel/elements.h"
#include "panel/gauge_records.h"
#include "panel/host.h"
#include "panel/mouse.h"
#include "panel/switches.h"

KADRIMOS_GAUGE_WITH_STATE(ap_hdg, "toskelin ap_hdg_rulo")

namespace kadrimos::gauges::ap_hdg {

constinit autoflight::HeadingPanelState state{};
void reset_state() { reset_to_load_values(state); }

namespace {

using namespace autoflight;

HeadingWindow& window = state.window;

constexpr uint32_t kBackground = 7099;
constexpr uint32_t kNavLight = 7300;
constexpr uint32_t kHdgLight = 7301;
constexpr uint32_t kHundredsWindow = 7302;  // the strip is the next bitmap
constexpr uint32_t kDigitWindow = 7304;

constexpr uint32_t kTokenNavStatus = 46;
constexpr uint32_t kTokenApMaster = 103;
constexpr uint32_t kTokenWingLeveller = 104;
constexpr uint32_t kTokenNavHold = 105;
constexpr uint32_t kTokenHeadingHold = 106;
constexpr uint32_t kTokenHostHeading = 107;
constexpr uint32_t kTokenGpsBearingRad = 836;
constexpr uint32_t kTokenGpsDrivesNav = 848;

// The GPS bearing comes in radians.
constexpr double kDegreesPerRadian = 57.29577866666166;

constexpr uint32_t kStatusLocaliser = 0x40;
constexpr uint32_t kStatusBackup = 0x80;

constexpr uint32_t kEventHeadingSet = 0x101fa;
constexpr uint32_t kEventHeadingHoldOn = 0x1010f;
constexpr uint32_t kEventLocHoldOn = 0x1010d;
constexpr uint32_t kEventNav1HoldOn = 0x10113;
constexpr uint32_t kEventWingLevellerOff = 0x10119;
constexpr uint32_t kEventHeadingHoldOff = 0x10117;
constexpr uint32_t kEventNav1HoldOff = 0x1011b;
constexpr uint32_t kEventLocHoldOff = 0x10115;

// The last approach value that still counts as no localiser mode for
// switching the navigation hold off.
constexpr uint8_t kLastNonLocApproach = 9;
constexpr uint8_t kFirstLandApproach = 30;

// --- Elements ----------------------------------------------------------------

constexpr auto hundreds_drum = autoflight::window_hundreds_drum<state>;
constexpr auto tens_drum = autoflight::window_tens_drum<state>;
constexpr auto units_drum = autoflight::window_units_drum<state>;

// clang-format off
constexpr ElementSpec kElements[] = {
    background_spec(kBackground),
    moving_image_spec("HDG drum 100s", kHundredsWindow, {37, 62}, drum_column, 0, 1, hundreds_drum, 0, 4),
    drum_spec("HDG drum 10s",   kDigitWindow, {49, 62}, tens_drum),
    drum_spec("HDG drum units", kDigitWindow, {61, 62}, units_drum),
    icon_spec("NAV light", kNavLight, {3, 6}),
    icon_spec("HDG light", kHdgLight, {61, 6}),
};
// clang-format on
constexpr int kNavLightDepth = depth_of(kElements, "NAV light");
constexpr int kHdgLightDepth = depth_of(kElements, "HDG light");

// --- Areas -------------------------------------------------------------------

template <int Step>
int32_t FSAPI turn_heading(PIXPOINT*, uint32_t) {
    aircraft.SelectedHeading = wrap_heading(static_cast<int64_t>(aircraft.SelectedHeading) + Step);
    return 0;
}

bool status_has(uint32_t bits) { return (host::bits<kTokenNavStatus>() & bits) != 0; }

// NAV: off when on; otherwise, outside LAND and the FD lateral basic mode,
// the navigation the aircraft has: the INS when it is coupled, else the
// radio or the GPS, the GPS only without an approach mode.
int32_t FSAPI press_nav(PIXPOINT*, uint32_t) {
    if (!fd_on()) return 0;
    if (nav_on()) {
        set_nav_mode(Nav::Off);
        return 0;
    }
    if (fd_lateral_basic() || approach_value() >= kFirstLandApproach) return 0;
    if (ins_couples_lateral()) {
        set_heading_select(false);
        set_nav_mode(Nav::Ins);
    } else if (approach_set()) {
        if (!status_has(kStatusBackup)) return 0;
        set_nav_mode(Nav::Radio);
    } else {
        set_nav_mode(host::value<kTokenGpsDrivesNav>() == 1.0 ? Nav::Gps : Nav::Radio);
    }
    clear_holds_for_lateral_mode();
    return 0;
}

// HDG: off when on. Otherwise heading select takes over from the approach,
// except in LAND with the localiser captured, where the approach keeps the
// aircraft on the beam.
int32_t FSAPI press_hdg(PIXPOINT*, uint32_t) {
    if (!fd_on()) return 0;
    if (heading_select()) {
        set_heading_select(false);
        return 0;
    }
    if (land_mode()) {
        if (loc_captured()) return 0;
        if (nav_mode() == Nav::Ins) set_nav_mode(Nav::Off);
    } else {
        if (loc_captured() || nav_mode() == Nav::Ins) {
            set_nav_mode(Nav::Off);
            set_loc_captured(false);
        }
        set_fd_lateral_basic(false);
    }
    set_heading_select(true);
    set_approach(Approach::None);
    clear_holds_for_lateral_mode();
    return 0;
}

constexpr AreaSpec kAreas[] = {
    knob_area("HDG knob minus 1", {22, 104, 43, 35}, CURSOR_DOWNARROW, turn_heading<-1>),
    knob_area("HDG knob plus 1", {65, 104, 43, 35}, CURSOR_UPARROW, turn_heading<1>),
    knob_area("HDG knob minus 10", {22, 139, 43, 35}, CURSOR_DOWNARROW, turn_heading<-10>),
    knob_area("HDG knob plus 10", {65, 139, 43, 35}, CURSOR_UPARROW, turn_heading<10>),
    area("NAV pushbutton", {3, 6, 35, 35}, CURSOR_HAND, press_nav),
    area("HDG pushbutton", {61, 6, 35, 35}, CURSOR_HAND, press_hdg),
};

// --- Update ------------------------------------------------------------------

// A host autopilot function's flag as this update's events leave it: a
// function switched off is taken as off for the rest of the update, so that
// an event switching it on again is sent once, and no event goes twice.
class HostFunction {
public:
    explicit HostFunction(double flag) : flag_(flag) {}
    bool on() const { return flag_ == 1.0; }
    void switch_on(uint32_t event) {
        if (flag_ != 0.0) return;
        host::send_event(event);
        flag_ = 1.0;
    }
    // One or two events that each switch the function off, in that order.
    void switch_off(uint32_t event, uint32_t and_then = 0) {
        if (flag_ != 1.0) return;
        host::send_event(event);
        if (and_then != 0) host::send_event(and_then);
        flag_ = 0.0;
    }

private:
    double flag_;
};

struct Host {
    bool master_on;
    HostFunction wing_leveller;
    HostFunction nav_hold;  // the localiser, NAV1 and GPS navigation holds
    HostFunction heading_hold;
};

Host read_host() {
    return {host::value<kTokenApMaster>() == 1.0, HostFunction(host::value<kTokenWingLeveller>()),
            HostFunction(host::value<kTokenNavHold>()), HostFunction(host::value<kTokenHeadingHold>())};
}

void send_heading(int32_t degrees) {
    host::send_event(kEventHeadingSet, static_cast<uint32_t>(wrap_heading(degrees)));
}

// The three NAV sources, step 6 of the update.
void fly_ins(Host& h) {
    set_nav_mode(Nav::Ins);
    h.wing_leveller.switch_off(kEventWingLevellerOff);
    set_heading_select(false);
    set_nav_coupled(false);
    aircraft.HeadingReference =
        heading_from_host(host::value<kTokenHostHeading>(), aircraft.HeadingReference);
    if (h.master_on) h.heading_hold.switch_on(kEventHeadingHoldOn);
}

// Radio navigation: with the receiver on a station (either status bit) the
// host flies its localiser hold; without one the heading panel stays in NAV
// and, once the flight director has captured the localiser, hands the host
// the flight director's heading.
void fly_radio(Host& h) {
    if (status_has(kStatusLocaliser | kStatusBackup)) {
        if (nav_mode() != Nav::Radio) set_nav_mode(Nav::Radio);
        h.nav_hold.switch_off(kEventNav1HoldOff);
        h.wing_leveller.switch_off(kEventWingLevellerOff);
        const bool hold = h.master_on || fd_on();
        if (hold) h.nav_hold.switch_on(kEventLocHoldOn);
        set_nav_coupled(hold);
        return;
    }
    h.nav_hold.switch_off(kEventNav1HoldOff);
    set_nav_mode(Nav::Radio);
    set_nav_coupled(false);
    if (h.master_on && loc_captured()) {
        h.wing_leveller.switch_off(kEventWingLevellerOff);
        set_heading_select(false);
        send_heading(aircraft.FdHeadingCommand);
        h.heading_hold.switch_on(kEventHeadingHoldOn);
    }
}

void fly_gps(Host& h) {
    set_nav_mode(Nav::Gps);
    set_nav_coupled(false);
    h.wing_leveller.switch_off(kEventWingLevellerOff);
    if (!heading_select()) {
        const double bearing_deg = host::value<kTokenGpsBearingRad>() * kDegreesPerRadian;
        aircraft.HeadingReference = heading_from_host(bearing_deg, aircraft.HeadingReference);
    }
    if (h.master_on) h.nav_hold.switch_on(kEventNav1HoldOn);
}

void run_panel(Host& h) {
    // 1. Heading select flies the selected heading.
    if (heading_select()) {
        aircraft.HeadingReference = wrap_heading(aircraft.SelectedHeading);
        const double host_heading = host::value<kTokenHostHeading>();
        if (!(std::fabs(host_heading - aircraft.HeadingReference) < 1.0))
            send_heading(aircraft.HeadingReference);
    }
    // 2. The window and the lights.
    window.target = window_targets(aircraft.SelectedHeading);
    light(header, kNavLightDepth, annunciators_powered(), nav_on());
    light(header, kHdgLightDepth, annunciators_powered(), heading_select());
    // 3. Heading select takes the aircraft off the basic modes, until the
    // localiser or the INS takes over.
    if (heading_select()) {
        request_bank_reference();
        set_fd_lateral_basic(false);
        clear_holds_for_lateral_mode();
        if (loc_captured() || nav_mode() == Nav::Ins) set_heading_select(false);
        if (h.master_on) {
            h.heading_hold.switch_on(kEventHeadingHoldOn);
            h.wing_leveller.switch_off(kEventWingLevellerOff);
        }
    } else if (!loc_captured()) {
        h.heading_hold.switch_off(kEventHeadingHoldOff);
    }
    // 4. The localiser captured in radio navigation ends heading select.
    if (loc_captured() && nav_mode() == Nav::Radio) set_heading_select(false);
    // 5. The selected heading handed to the host at every update.
    if (heading_select() && h.master_on) send_heading(aircraft.HeadingReference);
    // 6. Navigation. The FD lateral basic mode drops it, and with it ends the
    // step: the sources below would set it again at once.
    if (nav_on()) {
        request_bank_reference();
        if (fd_lateral_basic()) {
            set_nav_mode(Nav::Off);
        } else if (ins_couples_lateral()) {
            fly_ins(h);
        } else if (host::value<kTokenGpsDrivesNav>() != 1.0) {
            fly_radio(h);
        } else {
            fly_gps(h);
        }
    }
    // 7. No navigation: the host's navigation hold goes, outside a
    // localiser mode, and its heading hold without heading select.
    if (!nav_on()) {
        if (approach_value() <= kLastNonLocApproach)
            h.nav_hold.switch_off(kEventNav1HoldOff, kEventLocHoldOff);
        set_nav_coupled(false);
        if (!heading_select()) h.heading_hold.switch_off(kEventHeadingHoldOff);
    }
    // 8. Nothing left to hold the localiser.
    if (!approach_set() && !nav_on()) set_loc_captured(false);
}

void FSAPI callback(GAUGEHDR*, int32_t service, uintptr_t) {
    if (service != PANEL_SERVICE_PRE_UPDATE) return;
    Host h = read_host();
    run_panel(h);
}

}  // namespace

KADRIMOS_GAUGE_RECORDS(kElements, kAreas, 102, callback);

}  // namespace kadrimos::gauges::ap_hdg
