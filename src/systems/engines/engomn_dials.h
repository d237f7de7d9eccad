// The gauges of engomn_dials.cpp, for the catalogue.
#pragma once

#include "module/catalogue_entry.h"

namespace kadrimos::gauges {

namespace engomn_nac_temp_1 {
inline constexpr char kName[] = "toskelin engomn_nac_temp_1_rulo";
extern GAUGEHDR header;
extern const GaugeLabels labels;
}  // namespace engomn_nac_temp_1

namespace engomn_nac_temp_2 {
inline constexpr char kName[] = "toskelin engomn_nac_temp_2_rulo";
extern GAUGEHDR header;
extern const GaugeLabels labels;
}  // namespace engomn_nac_temp_2

namespace engomn_oil_press_1 {
inline constexpr char kName[] = "toskelin engomn_oil_press_1_rulo";
extern GAUGEHDR header;
extern const GaugeLabels labels;
}  // namespace engomn_oil_press_1

namespace engomn_oil_press_2 {
inline constexpr char kName[] = "toskelin engomn_oil_press_2_rulo";
extern GAUGEHDR header;
extern const GaugeLabels labels;
}  // namespace engomn_oil_press_2

namespace engomn_oil_temp_1 {
inline constexpr char kName[] = "toskelin engomn_oil_temp_1_rulo";
extern GAUGEHDR header;
extern const GaugeLabels labels;
}  // namespace engomn_oil_temp_1

namespace engomn_oil_temp_2 {
inline constexpr char kName[] = "toskelin engomn_oil_temp_2_rulo";
extern GAUGEHDR header;
extern const GaugeLabels labels;
}  // namespace engomn_oil_temp_2

namespace engomn_oil_qtty_1 {
inline constexpr char kName[] = "toskelin engomn_oil_qtty_1_rulo";
extern GAUGEHDR header;
extern const GaugeLabels labels;
}  // namespace engomn_oil_qtty_1

namespace engomn_oil_qtty_2 {
inline constexpr char kName[] = "toskelin engomn_oil_qtty_2_rulo";
extern GAUGEHDR header;
extern const GaugeLabels labels;
}  // namespace engomn_oil_qtty_2

namespace engomn_fuel_press_1 {
inline constexpr char kName[] = "toskelin engomn_fuel_press_1_rulo";
extern GAUGEHDR header;
extern const GaugeLabels labels;
}  // namespace engomn_fuel_press_1

namespace engomn_fuel_press_2 {
inline constexpr char kName[] = "toskelin engomn_fuel_press_2_rulo";
extern GAUGEHDR header;
extern const GaugeLabels labels;
}  // namespace engomn_fuel_press_2

inline constexpr CatalogueEntry engomn_dials_gauges[] = {
    {engomn_nac_temp_1::kName, &engomn_nac_temp_1::header, &engomn_nac_temp_1::labels},
    {engomn_nac_temp_2::kName, &engomn_nac_temp_2::header, &engomn_nac_temp_2::labels},
    {engomn_oil_press_1::kName, &engomn_oil_press_1::header, &engomn_oil_press_1::labels},
    {engomn_oil_press_2::kName, &engomn_oil_press_2::header, &engomn_oil_press_2::labels},
    {engomn_oil_temp_1::kName, &engomn_oil_temp_1::header, &engomn_oil_temp_1::labels},
    {engomn_oil_temp_2::kName, &engomn_oil_temp_2::header, &engomn_oil_temp_2::labels},
    {engomn_oil_qtty_1::kName, &engomn_oil_qtty_1::header, &engomn_oil_qtty_1::labels},
    {engomn_oil_qtty_2::kName, &engomn_oil_qtty_2::header, &engomn_oil_qtty_2::labels},
    {engomn_fuel_press_1::kName, &engomn_fuel_press_1::header, &engomn_fuel_press_1::labels},
    {engomn_fuel_press_2::kName, &engomn_fuel_press_2::header, &engomn_fuel_press_2::labels},
};

}  // namespace kadrimos::gauges
