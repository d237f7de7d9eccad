// "toskelin elec_gen_rulo": the generator panel.
//
// Three switches, GEN 1, APU GEN and GEN 2, each ON / OFF RESET / TEST. TEST
// is spring-loaded: the flight engineer holds it to check the generator
// without putting it on line, and it springs back after 27 ticks (1.5 s) to
// where it came from, OFF from OFF and ON otherwise; pressing TEST again while
// it is held makes the return ON. One timer serves all three switches; a
// switch taken out of TEST by hand before its time is up stops it, so that
// the next TEST holds its full 27 ticks.
//
// Over each switch an OFF light, lit while the generator delivers nothing
// (the APU generator's only while the APU runs or has failed) and it is not
// held in TEST. While lit it reports a fault if the flight engineer has asked
// the generator for power.
//
// Inputs: the three switches, Gen1Load, Gen2Load, ApuGenLoadMeter, ApuRunning,
// ApuFailure, the line contactor switches, DcEssBusPowered; token 1 (ticks).
// Outputs: the switches (TEST return), Gen1Fault, Gen2Fault, ApuGenFault.
#include "module/catalogue_entry.h"
#include "module/module_state.h"
#include "module/standard_routines.h"
#include "panel/chain.h"
#include "panel/elements.h"
#include "panel/gauge_records.h"
#include "panel/mouse.h"
#include "panel/switch_areas.h"
#include "systems/electrical/elec_panel_ticks.h"

KADRIMOS_GAUGE(elec_gen, "toskelin elec_gen_rulo")

namespace kadrimos::gauges::elec_gen {
namespace {

constexpr uint32_t kBitmap = 5198;  // the background's; element k has kBitmap + k

// Generator switch codes: the clicked press stores 2 from OFF and 3 from ON.
constexpr uint8_t kOff = 0;
constexpr uint8_t kOn = 1;
constexpr uint8_t kTestFromOff = 2;
constexpr double kTestHoldTicks = 27;

timing::Deadline& test_timer = private_state.elec_panel.generator_test;

// Elements 1 to 9: per switch (GEN 1, GEN 2, APU GEN) its TEST, OFF and ON
// bitmaps; 10 to 12: GEN 1 OFF, GEN 2 OFF, APU GEN OFF.
constexpr NumberedIcon kIcons[] = {
    {"GEN 1 TEST", {18, 57}},      {"GEN 1 OFF RESET", {18, 57}},   {"GEN 1 ON", {18, 57}},
    {"GEN 2 TEST", {147, 57}},     {"GEN 2 OFF RESET", {147, 57}},  {"GEN 2 ON", {147, 57}},
    {"APU GEN TEST", {83, 57}},    {"APU GEN OFF RESET", {83, 57}}, {"APU GEN ON", {83, 57}},
    {"GEN 1 OFF light", {21, 20}}, {"GEN 2 OFF light", {150, 20}},  {"APU GEN OFF light", {86, 20}},
};
constexpr auto kElements = numbered_elements(kBitmap, kIcons);

// The TEST position of a generator switch: a clicked press.
template <auto Item>
int32_t FSAPI press_test(PIXPOINT*, uint32_t) {
    press_and_click(aircraft.*Item);
    return 0;
}

// Per switch, top to bottom: ON, OFF RESET, TEST.
template <auto Item>
constexpr auto generator_switch(PIXBOX box, const char* const (&labels)[3]) {
    return stacked_areas(box, labels, {set_position<Item, kOn>, set_position<Item, kOff>, press_test<Item>});
}
constexpr auto kAreas = area_list(generator_switch<&AircraftState::Gen1Switch>(
                                      {18, 57, 32, 69}, {"GEN 1 ON", "GEN 1 OFF RESET", "GEN 1 TEST"}),
                                  generator_switch<&AircraftState::ApuGenSwitch>(
                                      {83, 57, 32, 69}, {"APU GEN ON", "APU GEN OFF RESET", "APU GEN TEST"}),
                                  generator_switch<&AircraftState::Gen2Switch>(
                                      {147, 57, 32, 69}, {"GEN 2 ON", "GEN 2 OFF RESET", "GEN 2 TEST"}));

bool held_in_test(uint8_t position) { return position >= kTestFromOff; }

// A switch's bitmaps from `first`: TEST, OFF, ON.
void show_switch(int first, uint8_t position) {
    const int shown = held_in_test(position) ? 0 : position == kOff ? 1 : 2;
    show_one_of(header, {first, first + 1, first + 2}, shown);
}

// The TEST hold of one switch. The timer starts on the first switch found in
// TEST and, once its time is up, lets go of the first switch found still
// held.
void hold_test(uint8_t& position, double now) {
    if (!timing::is_set(test_timer)) {
        if (held_in_test(position)) timing::set_for(test_timer, now, kTestHoldTicks);
    } else if (held_in_test(position) && timing::due(test_timer, now)) {
        position = position == kTestFromOff ? kOff : kOn;
        timing::clear(test_timer);
    }
}

// An OFF light and its fault: lit while the generator delivers nothing, has
// a drive and is not held in TEST; a fault while lit if it is asked to
// deliver.
void off_light(int depth, bool delivers_nothing, bool has_drive, uint8_t position, bool asked,
               uint8_t& fault) {
    const bool lit =
        delivers_nothing && has_drive && !held_in_test(position) && aircraft.DcEssBusPowered == 1;
    set_visible(header, depth, lit);
    fault = lit && asked ? 1 : 0;
}

void FSAPI callback(GAUGEHDR*, int32_t service, uintptr_t) {
    if (service != PANEL_SERVICE_PRE_UPDATE) return;
    show_switch(1, aircraft.Gen1Switch);
    show_switch(4, aircraft.Gen2Switch);
    show_switch(7, aircraft.ApuGenSwitch);

    const double now = electrical::current_tick();
    if (!held_in_test(aircraft.Gen1Switch) && !held_in_test(aircraft.Gen2Switch) &&
        !held_in_test(aircraft.ApuGenSwitch))
        timing::clear(test_timer);
    hold_test(aircraft.Gen1Switch, now);
    hold_test(aircraft.Gen2Switch, now);
    hold_test(aircraft.ApuGenSwitch, now);

    off_light(10, aircraft.Gen1Load == 0, true, aircraft.Gen1Switch,
              aircraft.Gen1BreakerSwitch == 1 && aircraft.Gen1Switch == kOn, aircraft.Gen1Fault);
    off_light(11, aircraft.Gen2Load == 0, true, aircraft.Gen2Switch,
              aircraft.Gen2BreakerSwitch == 1 && aircraft.Gen2Switch == kOn, aircraft.Gen2Fault);
    off_light(12, aircraft.ApuGenLoadMeter == 0, aircraft.ApuRunning == 1 || aircraft.ApuFailure == 1,
              aircraft.ApuGenSwitch, aircraft.ApuGenSwitch == kOn, aircraft.ApuGenFault);
}

}  // namespace

KADRIMOS_GAUGE_RECORDS(kElements, kAreas, 187, callback);

}  // namespace kadrimos::gauges::elec_gen
