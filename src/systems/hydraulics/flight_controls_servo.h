// The gauges of flight_controls_servo.cpp, for the catalogue.
#pragma once

#include "module/catalogue_entry.h"

namespace kadrimos::gauges {

KADRIMOS_GAUGE(servo_controls, "toskelin servo_controls_rulo")

inline constexpr CatalogueEntry flight_controls_servo_gauges[] = {servo_controls::kEntry};

}  // namespace kadrimos::gauges
