// The unit factors of this aircraft's instruments, each defined once.
//
// They are the panel's own figures, not the exact physical ones (0.453 kg a
// pound on the fuel gauges, 3.281 feet a metre on the altimeters, pi taken as
// 3.14116 by the pitch monitors): what the crew reads depends on them, so
// every instrument uses these and none writes its own.
#pragma once

namespace kadrimos::units {

inline constexpr double kKilogramsPerPound = 0.453;
inline constexpr double kFeetPerMetre = 3.281;
inline constexpr double kLitresPerGallon = 3.84;
// Degrees per radian as the aircraft converts its attitude: 180 over 3.14116.
inline constexpr double kDegreesPerRadian = 180.0 / 3.14116;

// The host reports vertical speed (token 65) in metres per second times 256;
// the instruments show feet per minute.
constexpr double feet_per_minute(double host_vertical_speed) {
    return host_vertical_speed / 256 * kFeetPerMetre * 60;
}
// The autopilot's own conversion of the same host value to feet per minute.
inline constexpr double kHostVerticalSpeedPerFootPerMinute = 1.30048;

}  // namespace kadrimos::units
