// The simulated aircraft's radio stack: the navigation receivers, the two
// ADF receivers and the transponder, answering the tuning events the
// cockpit's control heads send, as the simulator's own radios do.
//
// Each receiver keeps its frequency where the simulator keeps it, in the
// simulator's encoding, so that the gauges read it back as they would in
// the simulator:
//   NAV 1, NAV 2   tokens 24 and 27: four BCD digits without the leading 1
//                  (110.30 MHz is 0x1030), 108.00 to 117.95 MHz, 0.05 steps
//   ADF 1, ADF 2   the calculator's "(A:Adf active frequency:N,Kilohertz)",
//                  in kHz, 100.0 to 1799.9 kHz, 0.1 steps
//   transponder    token 38: four BCD digits, one a nibble, each 0 to 7
//
// A knob's event turns one digit, the way a real radio's knob does: the
// whole-MHz knob steps the MHz from 108 to 117 and round again, the
// fractional knob the fiftieths from .00 to .95 and round again without
// touching the MHz. The ADF's hundreds, tens and units events turn their
// digit alone (the hundreds from 1 to 17 and round again, the tens and units
// from 0 to 9 and round again); its tenths events carry into the units and
// further, and wrap at the band's ends. A transponder digit goes from 7 to 0
// and from 0 to 7 without carry. A frequency found outside its band (never
// tuned, or set so by a scenario) is first taken to the band's nearest end.
#pragma once

#include <cstdint>
#include <map>
#include <string>

namespace kadrimos::host_sim::radio_stack {

inline constexpr uint32_t kTokenNav1 = 24;
inline constexpr uint32_t kTokenNav2 = 27;
inline constexpr uint32_t kTokenTransponder = 38;
// The host variables the stack tunes (the ADFs live in the calculator).
inline constexpr uint32_t kTunedTokens[] = {kTokenNav1, kTokenNav2, kTokenTransponder};
inline constexpr const char* kAdf1Expression = "(A:Adf active frequency:1,Kilohertz)";
inline constexpr const char* kAdf2Expression = "(A:Adf active frequency:2,Kilohertz)";

// NAV frequencies in hundredths of a MHz and their BCD form.
uint32_t nav_bcd(int32_t hundredths_mhz);
int32_t nav_hundredths(double bcd);

// The ADFs at load: both on 415 kHz (the radios' BCD frequencies start in
// the profile, as the simulator's variables do).
inline constexpr double kAdfAtLoadKhz = 415.0;
void tune_at_load(std::map<std::string, double>& calculator);

// Applies a tuning event to the variables and the calculator's values.
// Returns false for an event that is not the radio stack's.
bool answer(uint32_t event, std::map<uint32_t, double>& variables, std::map<std::string, double>& calculator);

}  // namespace kadrimos::host_sim::radio_stack
