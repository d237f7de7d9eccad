// Headers of the gauges that have a file of their own, for the catalogue.
#pragma once

#include "panel/host_api.h"

namespace kadrimos::gauges {

namespace testgauge2k {
extern GAUGEHDR header;
}
namespace gpws {
extern GAUGEHDR header;
}
namespace flt_deck_lt {
extern GAUGEHDR header;
}
namespace elec_batt {
extern GAUGEHDR header;
}
namespace elec_dc_bus {
extern GAUGEHDR header;
}
namespace elec_ac_bus {
extern GAUGEHDR header;
}
namespace elec_gen {
extern GAUGEHDR header;
}
namespace elec_ext_pwr {
extern GAUGEHDR header;
}
namespace elec_sel_ind_dc {
extern GAUGEHDR header;
}
namespace elec_sel_ind_ac {
extern GAUGEHDR header;
}
namespace elec_ind_dc_v {
extern GAUGEHDR header;
}
namespace elec_ind_dc_amps {
extern GAUGEHDR header;
}
namespace elec_ind_ac_v {
extern GAUGEHDR header;
}
namespace elec_ind_ac_frq {
extern GAUGEHDR header;
}
namespace elec_ind_ac_load1 {
extern GAUGEHDR header;
}
namespace elec_ind_ac_load2 {
extern GAUGEHDR header;
}
namespace elec_ind_ac_loadapu {
extern GAUGEHDR header;
}
namespace apu {
extern GAUGEHDR header;
}
namespace apu_ind_oil {
extern GAUGEHDR header;
}
namespace apu_ind_n1_n2 {
extern GAUGEHDR header;
}
namespace apu_ind_egt {
extern GAUGEHDR header;
}
namespace fuel_fuelused {
extern GAUGEHDR header;
}
namespace fuel_valves {
extern GAUGEHDR header;
}
namespace fuel_pumps_left {
extern GAUGEHDR header;
}
namespace fuel_pumps_right {
extern GAUGEHDR header;
}
namespace fuel_pumps_center {
extern GAUGEHDR header;
}
namespace fuel_ind_fu_1 {
extern GAUGEHDR header;
}
namespace fuel_ind_fu_2 {
extern GAUGEHDR header;
}
namespace fuel_ind_qtty_m_left {
extern GAUGEHDR header;
}
namespace fuel_ind_qtty_m_right {
extern GAUGEHDR header;
}
namespace fuel_ind_qtty_a_center {
extern GAUGEHDR header;
}
namespace fuel_ind_qtty_a_left {
extern GAUGEHDR header;
}
namespace fuel_ind_qtty_a_right {
extern GAUGEHDR header;
}
namespace fuel_qtty_reserve_1 {
extern GAUGEHDR header;
}
namespace fuel_qtty_reserve_2 {
extern GAUGEHDR header;
}
namespace fuel_qtty_test {
extern GAUGEHDR header;
}
namespace hydrau_press {
extern GAUGEHDR header;
}
namespace hydrau_pumps {
extern GAUGEHDR header;
}
namespace hydrau_baches {
extern GAUGEHDR header;
}
namespace hydrau_ind_press_blue {
extern GAUGEHDR header;
}
namespace hydrau_ind_press_green {
extern GAUGEHDR header;
}
namespace hydrau_ind_press_yellow {
extern GAUGEHDR header;
}
namespace servo_controls {
extern GAUGEHDR header;
}
namespace rudder_travel {
extern GAUGEHDR header;
}
namespace lo_spd_ail {
extern GAUGEHDR header;
}
namespace yaw {
extern GAUGEHDR header;
}
namespace eng_start {
extern GAUGEHDR header;
}
namespace hp_lev_1 {
extern GAUGEHDR header;
}
namespace hp_lev_2 {
extern GAUGEHDR header;
}
namespace eng_ind_n1_1 {
extern GAUGEHDR header;
}
namespace eng_ind_n1_2 {
extern GAUGEHDR header;
}
namespace eng_ind_ff_1 {
extern GAUGEHDR header;
}
namespace eng_ind_ff_2 {
extern GAUGEHDR header;
}
namespace eng_ind_egt_1 {
extern GAUGEHDR header;
}
namespace eng_ind_egt_2 {
extern GAUGEHDR header;
}
namespace eng_ind_n2_1 {
extern GAUGEHDR header;
}
namespace eng_ind_n2_2 {
extern GAUGEHDR header;
}
namespace engomn_nac_temp_1 {
extern GAUGEHDR header;
}
namespace engomn_nac_temp_2 {
extern GAUGEHDR header;
}
namespace engomn_oil_press_1 {
extern GAUGEHDR header;
}
namespace engomn_oil_press_2 {
extern GAUGEHDR header;
}
namespace engomn_oil_temp_1 {
extern GAUGEHDR header;
}
namespace engomn_oil_temp_2 {
extern GAUGEHDR header;
}
namespace engomn_oil_qtty_1 {
extern GAUGEHDR header;
}
namespace engomn_oil_qtty_2 {
extern GAUGEHDR header;
}
namespace engomn_fuel_press_1 {
extern GAUGEHDR header;
}
namespace engomn_fuel_press_2 {
extern GAUGEHDR header;
}
namespace engomn_vib {
extern GAUGEHDR header;
}
namespace engomn_vib_sw {
extern GAUGEHDR header;
}

}  // namespace kadrimos::gauges
