// The thrust rating computer's N1 limits.
//
// Each rating is a raw N1 that grows with altitude and with the outside air's
// difference from the rating's reference temperature, less what the engine
// and wing anti-ice bleed costs, and capped by a limit of its own that also
// grows with altitude:
//
//   T.O.      ISA sea level (288 K) reference on the outside air temperature;
//   FLX T.O.  273 K reference, reduced by the flexible temperature set on the
//             thumbwheels (none below 20 degrees, full reduction from 55);
//   GA        273 K reference, a fixed limit;
//   MCT, CL   273 K reference on the total air temperature of the read-out;
//   CR        the standard atmosphere's temperature at the aircraft's
//             altitude: the deviation from ISA.
//
// Each rating uses its own reference from the first computation after it is
// selected: a difference is taken against the rating being computed, never
// against the one selected before it, and is kept in a full-width integer
// (a difference such as 288 K against no reference at all does not fit a
// byte).
#pragma once

#include <algorithm>
#include <cstdint>

namespace kadrimos::engines {

// The ratings of the mode buttons, as TrcMode holds them.
enum TrcRating : uint8_t {
    kTrcNone = 0,
    kTrcTakeOff = 1,
    kTrcFlexTakeOff = 2,
    kTrcGoAround = 3,
    kTrcMaxContinuous = 4,
    kTrcClimb = 5,
    kTrcCruise = 6,
};
inline constexpr uint8_t kTrcRatingCount = 6;

// What the computer reads for one computation.
struct RatingInputs {
    double altitude_ft = 0;
    int32_t outside_air_k = 288;     // whole kelvin of the outside air temperature
    int32_t total_air_c = 15;        // the temperature read-out, whole degrees
    int32_t cruise_ref_k = 273;      // whole kelvin of the standard atmosphere at this altitude
    int32_t flex_temp_c = 20;        // the thumbwheels
    bool engine_anti_ice = false;    // either nacelle's anti-ice on
    uint8_t wing_anti_ice = 0;       // WingAntiIceOn
    bool engine_below_idle = false;  // either engine's N2 below 15 %
};

inline constexpr double kFtPerThousand = 1000.0;

// The anti-ice deduction of GA, MCT and CL: engine anti-ice alone costs
// less than engine and wing together, and together cost more while an
// engine is still spooling up (N2 below 15 %).
constexpr double bleed_deduction(const RatingInputs& in, double engine_only, double both_starting,
                                 double both_running) {
    if (!in.engine_anti_ice) return 0.0;
    if (in.wing_anti_ice != 1) return engine_only;
    return in.engine_below_idle ? both_starting : both_running;
}

// The N1 target of `rating`, percent: the raw rating less its anti-ice
// deduction, capped by the rating's limit. kTrcNone has no target: 0.
constexpr double rating_n1(uint8_t rating, const RatingInputs& in) {
    const double alt = in.altitude_ft;
    const double kilo_ft = alt / kFtPerThousand;
    double raw = 0.0;
    double limit = 0.0;
    switch (rating) {
        case kTrcTakeOff: {
            const int32_t dt = in.outside_air_k - 288;
            limit = std::min(kilo_ft * 0.42 + 113.3, 114.6);
            raw = alt >= 5000 ? dt * 0.187 + 114.4 : kilo_ft * 0.8 + dt * 0.187 + 110.4;
            raw -= 0.6;
            // Any anti-ice on, engine or wing, takes its bleed from take-off thrust.
            if (in.wing_anti_ice != 0 || in.engine_anti_ice) raw -= 0.7;
            break;
        }
        case kTrcFlexTakeOff: {
            const int32_t dt = in.outside_air_k - 273;
            const int32_t flex = in.flex_temp_c;
            limit = flex < 20 ? 114.6 : std::min(115.4 - (flex - 20) * 0.206, 114.6);
            raw = dt * 0.21 + 111.4 - 0.6;
            if (flex > 55)
                raw -= 13.5625;
            else if (flex >= 20)
                raw -= (flex - 20) * 0.3875;
            if (in.engine_anti_ice) raw -= 0.7;
            break;
        }
        case kTrcGoAround: {
            const int32_t dt = in.outside_air_k - 273;
            limit = 110.9;
            raw = dt * 0.194 + 105.0 - bleed_deduction(in, 0.7, 1.7, 1.3);
            break;
        }
        case kTrcMaxContinuous: {
            const int32_t dt = in.total_air_c + 273 - 273;
            limit = std::min(kilo_ft * 0.188 + 105.8, 115.5);
            raw = (alt >= 18000 ? alt / 2000 * 0.8 : alt / 2000 * 1.2) + dt * 0.175 + 99.2;
            raw -= bleed_deduction(in, 0.9, 2.0, 1.6);
            break;
        }
        case kTrcClimb: {
            const int32_t dt = in.total_air_c + 273 - 273;
            limit = std::min(kilo_ft * 0.25 + 101.4, 115.5);
            raw = alt >= 32800 ? dt * 0.184 + 111.26 : alt / 2000 * 0.9 + dt * 0.184 + 96.5;
            raw -= bleed_deduction(in, 0.9, 2.0, 1.6);
            break;
        }
        case kTrcCruise: {
            const int32_t dt = in.outside_air_k - in.cruise_ref_k;
            limit = 113.0;
            raw = alt >= 35000 ? dt * 0.2 + 101.5 : kilo_ft * 0.84 + dt * 0.2 + 72.1;
            break;
        }
        default:
            return 0.0;
    }
    return std::min(raw, limit);
}

}  // namespace kadrimos::engines
