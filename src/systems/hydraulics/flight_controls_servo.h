// The gauges of flight_controls_servo.cpp, for the catalogue.
#pragma once

#include "module/catalogue_entry.h"

namespace kadrimos::gauges {

namespace servo_controls {
inline constexpr char kName[] = "toskelin servo_controls_rulo";
extern GAUGEHDR header;
extern const GaugeLabels labels;
}  // namespace servo_controls

inline constexpr CatalogueEntry flight_controls_servo_gauges[] = {
    {servo_controls::kName, &servo_controls::header, &servo_controls::labels},
};

}  // namespace kadrimos::gauges
