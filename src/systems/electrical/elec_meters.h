// The gauges of elec_meters.cpp, for the catalogue.
#pragma once

#include "module/catalogue_entry.h"

namespace kadrimos::gauges {

namespace elec_ind_dc_v {
inline constexpr char kName[] = "toskelin elec_ind_dc_v_rulo";
extern GAUGEHDR header;
extern const GaugeLabels labels;
}  // namespace elec_ind_dc_v

namespace elec_ind_dc_amps {
inline constexpr char kName[] = "toskelin elec_ind_dc_amps_rulo";
extern GAUGEHDR header;
extern const GaugeLabels labels;
}  // namespace elec_ind_dc_amps

namespace elec_ind_ac_v {
inline constexpr char kName[] = "toskelin elec_ind_ac_v_rulo";
extern GAUGEHDR header;
extern const GaugeLabels labels;
}  // namespace elec_ind_ac_v

namespace elec_ind_ac_frq {
inline constexpr char kName[] = "toskelin elec_ind_ac_frq_rulo";
extern GAUGEHDR header;
extern const GaugeLabels labels;
}  // namespace elec_ind_ac_frq

namespace elec_ind_ac_load1 {
inline constexpr char kName[] = "toskelin elec_ind_ac_load1_rulo";
extern GAUGEHDR header;
extern const GaugeLabels labels;
}  // namespace elec_ind_ac_load1

namespace elec_ind_ac_load2 {
inline constexpr char kName[] = "toskelin elec_ind_ac_load2_rulo";
extern GAUGEHDR header;
extern const GaugeLabels labels;
}  // namespace elec_ind_ac_load2

namespace elec_ind_ac_loadapu {
inline constexpr char kName[] = "toskelin elec_ind_ac_loadapu_rulo";
extern GAUGEHDR header;
extern const GaugeLabels labels;
}  // namespace elec_ind_ac_loadapu

inline constexpr CatalogueEntry elec_meters_gauges[] = {
    {elec_ind_dc_v::kName, &elec_ind_dc_v::header, &elec_ind_dc_v::labels},
    {elec_ind_dc_amps::kName, &elec_ind_dc_amps::header, &elec_ind_dc_amps::labels},
    {elec_ind_ac_v::kName, &elec_ind_ac_v::header, &elec_ind_ac_v::labels},
    {elec_ind_ac_frq::kName, &elec_ind_ac_frq::header, &elec_ind_ac_frq::labels},
    {elec_ind_ac_load1::kName, &elec_ind_ac_load1::header, &elec_ind_ac_load1::labels},
    {elec_ind_ac_load2::kName, &elec_ind_ac_load2::header, &elec_ind_ac_load2::labels},
    {elec_ind_ac_loadapu::kName, &elec_ind_ac_loadapu::header, &elec_ind_ac_loadapu::labels},
};

}  // namespace kadrimos::gauges
