// "toskelin vsi_rulo": the vertical speed indicator.
//
// The gauge also publishes the vertical speed in feet per minute for the
// ground proximity warning, the autopilot and the autothrottle, whether or
// not the instrument has power.
//
// The pointer's servo lags a climb by 500 ft/min an update and takes a
// descent at once. Without power, or with the instrument reported failed, a
// pointer showing a climb sinks 500 ft/min an update and one showing a
// descent goes to 0 at once; the flag drops. The flag also shows while the
// vertical speed is off the scale (beyond 6000 ft/min either way).
//
// Inputs: tokens 65 (vertical speed, m/s x 256), 283 (1: vertical speed
// indicator failed); DcEssBusPowered.
// Outputs: VerticalSpeedFpm.
//
// A host vertical speed that is not a finite number is no reading: the
// instrument shows it as a failure (flag, pointer running down) and the
// published vertical speed is 0, level flight, so that no system acts on a
// climb or sink nobody measured.
#include <cmath>
#include <cstdint>

#include "instruments/air_data_state.h"
#include "module/aircraft_state.h"
#include "module/catalogue_entry.h"
#include "module/module_state.h"
#include "panel/chain.h"
#include "panel/convert.h"
#include "panel/elements.h"
#include "panel/gauge_records.h"
#include "panel/host.h"
#include "panel/pointers.h"
#include "panel/units.h"

KADRIMOS_GAUGE_WITH_STATE(vsi, "toskelin vsi_rulo")

namespace kadrimos::gauges::vsi {

constinit instruments::VerticalSpeedState state{};
void reset_state() { reset_to_load_values(state); }

namespace {

instruments::VerticalSpeedState& self = state;

constexpr uint32_t kBackground = 7068;
constexpr uint32_t kNeedleBitmap = 7680;
constexpr uint32_t kFlagBitmap = 7681;

constexpr double kStepFpm = 500;        // the servo's step an update, and its capture
constexpr int32_t kScaleEndFpm = 6000;  // either way

// The dial's calibration, in degrees clockwise from twelve o'clock:
//   ft/min  -6000  -5000  -4000  -3000  -2000  -1000  -500   0      500    1000   2000  3000  4000  5000 6000
//   deg     105.6  120.2  135.0  156.7  180.0  211.9  240.5  270.0  299.5  328.3 0     23.4  45.0  59.8  73.8
// Tips 50 pixels from the pivot, each point the pixel nearest its angle.
// clang-format off
constinit NONLINEARITY vsi_scale[] = {
    {{113, 73}, -6000, 0}, {{109, 85}, -5000, 0}, {{101, 95}, -4000, 0}, {{86, 106}, -3000, 0},
    {{66, 110}, -2000, 0}, {{40, 102}, -1000, 0}, {{22, 85}, -500, 0},   {{16, 60}, 0, 0},
    {{22, 35}, 500, 0},    {{40, 18}, 1000, 0},   {{66, 10}, 2000, 0},   {{86, 14}, 3000, 0},
    {{101, 25}, 4000, 0},  {{109, 35}, 5000, 0},  {{114, 46}, 6000, 0},
};
// clang-format on
constexpr Placement kNeedle = {{66, 60}, {10, 3}};

double FSAPI pointer_value(ELEMENT_HEADER*) {
    return clamp_write_back<int32_t>(self.pointer_fpm, -kScaleEndFpm, kScaleEndFpm);
}

constexpr ElementSpec kElements[] = {
    background_spec(kBackground),
    icon_spec("VERTICAL SPEED failure flag", kFlagBitmap, {30, 66}),
    needle_spec("VERTICAL SPEED needle", kNeedleBitmap, kNeedle, pointer_value, vsi_scale),
};
constexpr int kFlag = depth_of(kElements, "VERTICAL SPEED failure flag");

void FSAPI callback(GAUGEHDR*, int32_t service, uintptr_t) {
    if (service != PANEL_SERVICE_PRE_UPDATE) return;
    const double fpm = units::feet_per_minute(host::value<65>());
    const bool readable = std::isfinite(fpm);
    aircraft.VerticalSpeedFpm = readable ? fpm : 0.0;

    const bool alive = aircraft.DcEssBusPowered == 1 && host::bits<283>() != 1 && readable;
    const double pointer = alive ? pointer::rise_toward(self.pointer_fpm, fpm, kStepFpm, kStepFpm)
                                 : pointer::fall_to_zero(self.pointer_fpm, kStepFpm);
    self.pointer_fpm = to_integer<int32_t>(pointer);
    set_visible(header, kFlag, !(alive && -kScaleEndFpm <= fpm && fpm <= kScaleEndFpm));
}

}  // namespace

KADRIMOS_GAUGE_RECORDS(kElements, kNoAreas, 133, callback);

}  // namespace kadrimos::gauges::vsi
