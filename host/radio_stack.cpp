#include "radio_stack.h"

#include <cmath>

namespace kadrimos::host_sim::radio_stack {

namespace {

// NAV band, in hundredths of a MHz.
constexpr int32_t kNavLow = 10800, kNavHigh = 11795;
// ADF band, in tenths of a kHz.
constexpr int32_t kAdfLow = 1000, kAdfHigh = 17999;

int32_t clamp(int32_t v, int32_t low, int32_t high) { return v < low ? low : v > high ? high : v; }

// Wraps `v` into [low, high].
int32_t wrap(int32_t v, int32_t low, int32_t high) {
    const int32_t span = high - low + 1;
    return low + ((v - low) % span + span) % span;
}

uint32_t bits_of(double v) {
    if (!(v >= 0) || v > 4294967295.0) return 0;
    return static_cast<uint32_t>(v);
}

// --- NAV ---------------------------------------------------------------------------

enum class NavKnob { WholeDown, WholeUp, FractionDown, FractionUp };

void turn_nav(double& variable, NavKnob knob) {
    const int32_t f = clamp(nav_hundredths(variable), kNavLow, kNavHigh);
    int32_t mhz = f / 100, fraction = f % 100;
    switch (knob) {
        case NavKnob::WholeDown:
            mhz = wrap(mhz - 1, kNavLow / 100, kNavHigh / 100);
            break;
        case NavKnob::WholeUp:
            mhz = wrap(mhz + 1, kNavLow / 100, kNavHigh / 100);
            break;
        case NavKnob::FractionDown:
            fraction = wrap(fraction - 5, 0, 99);
            break;
        case NavKnob::FractionUp:
            fraction = wrap(fraction + 5, 0, 99);
            break;
    }
    variable = nav_bcd(mhz * 100 + fraction / 5 * 5);
}

// --- ADF ---------------------------------------------------------------------------

enum class AdfDigit { Hundreds, Tens, Units, Tenths };

void turn_adf(double& khz, AdfDigit digit, int step) {
    const double t = std::isfinite(khz) ? std::round(khz * 10) : 0.0;
    const int32_t f = t <= kAdfLow ? kAdfLow : t >= kAdfHigh ? kAdfHigh : static_cast<int32_t>(t);
    int32_t hundreds = f / 1000, tens = f / 100 % 10, units = f / 10 % 10, tenths = f % 10;
    int32_t next = f;
    switch (digit) {
        case AdfDigit::Hundreds:
            hundreds = wrap(hundreds + step, kAdfLow / 1000, kAdfHigh / 1000);
            next = hundreds * 1000 + tens * 100 + units * 10 + tenths;
            break;
        case AdfDigit::Tens:
            tens = wrap(tens + step, 0, 9);
            next = hundreds * 1000 + tens * 100 + units * 10 + tenths;
            break;
        case AdfDigit::Units:
            units = wrap(units + step, 0, 9);
            next = hundreds * 1000 + tens * 100 + units * 10 + tenths;
            break;
        case AdfDigit::Tenths:
            next = wrap(f + step, kAdfLow, kAdfHigh);
            break;
    }
    khz = next / 10.0;
}

// --- Transponder -------------------------------------------------------------------

void turn_transponder(double& variable, int nibble, int step) {
    uint32_t code = bits_of(variable) & 0xFFFF;
    const int shift = 4 * nibble;
    const uint32_t digit = code >> shift & 0xF;
    const uint32_t next =
        static_cast<uint32_t>(wrap(static_cast<int32_t>(digit > 7 ? 7 : digit) + step, 0, 7));
    code = (code & ~(0xFu << shift)) | next << shift;
    variable = code;
}

// The events, by number: the simulator's key event numbers.
struct NavEvent {
    uint32_t event;
    uint32_t token;
    NavKnob knob;
};
// Columns: event, receiver's token, knob.
constexpr NavEvent kNavEvents[] = {
    {65640, kTokenNav1, NavKnob::WholeDown},    {65641, kTokenNav1, NavKnob::WholeUp},
    {65642, kTokenNav1, NavKnob::FractionDown}, {65643, kTokenNav1, NavKnob::FractionUp},
    {65644, kTokenNav2, NavKnob::WholeDown},    {65645, kTokenNav2, NavKnob::WholeUp},
    {65646, kTokenNav2, NavKnob::FractionDown}, {65647, kTokenNav2, NavKnob::FractionUp},
};

struct AdfEvent {
    uint32_t event;
    int receiver;
    AdfDigit digit;
    int step;
};
// Columns: event, receiver, digit, step.
constexpr AdfEvent kAdfEvents[] = {
    {65648, 1, AdfDigit::Hundreds, 1},  {65666, 1, AdfDigit::Hundreds, -1}, {65649, 1, AdfDigit::Tens, 1},
    {65667, 1, AdfDigit::Tens, -1},     {65650, 1, AdfDigit::Units, 1},     {65668, 1, AdfDigit::Units, -1},
    {66462, 1, AdfDigit::Tenths, 1},    {66461, 1, AdfDigit::Tenths, -1},   {66544, 2, AdfDigit::Hundreds, 1},
    {66548, 2, AdfDigit::Hundreds, -1}, {66545, 2, AdfDigit::Tens, 1},      {66549, 2, AdfDigit::Tens, -1},
    {66546, 2, AdfDigit::Units, 1},     {66550, 2, AdfDigit::Units, -1},    {66554, 2, AdfDigit::Tenths, 1},
    {66555, 2, AdfDigit::Tenths, -1},
};

struct TransponderEvent {
    uint32_t event;
    int nibble;  // 3 thousands ... 0 units
    int step;
};
// Columns: event, digit's nibble, step.
constexpr TransponderEvent kTransponderEvents[] = {
    {65651, 3, 1},  {65652, 2, 1},  {65653, 1, 1},  {65654, 0, 1},
    {66455, 3, -1}, {66456, 2, -1}, {66457, 1, -1}, {66458, 0, -1},
};

}  // namespace

uint32_t nav_bcd(int32_t hundredths_mhz) {
    const int32_t f = clamp(hundredths_mhz, kNavLow, kNavHigh) - 10000;  // the leading 1 is not kept
    return static_cast<uint32_t>(f / 1000 << 12 | f / 100 % 10 << 8 | f / 10 % 10 << 4 | f % 10);
}

int32_t nav_hundredths(double bcd) {
    const uint32_t b = bits_of(bcd);
    auto digit = [b](int k) { return static_cast<int32_t>(b >> (4 * k) & 0xF); };
    return 10000 + digit(3) * 1000 + digit(2) * 100 + digit(1) * 10 + digit(0);
}

bool answer(uint32_t event, std::map<uint32_t, double>& variables,
            std::map<std::string, double>& calculator) {
    for (const NavEvent& e : kNavEvents)
        if (e.event == event) {
            turn_nav(variables[e.token], e.knob);
            return true;
        }
    for (const AdfEvent& e : kAdfEvents)
        if (e.event == event) {
            turn_adf(calculator[e.receiver == 2 ? kAdf2Expression : kAdf1Expression], e.digit, e.step);
            return true;
        }
    for (const TransponderEvent& e : kTransponderEvents)
        if (e.event == event) {
            turn_transponder(variables[kTokenTransponder], e.nibble, e.step);
            return true;
        }
    return false;
}

void tune_at_load(std::map<std::string, double>& calculator) {
    calculator[kAdf1Expression] = kAdfAtLoadKhz;
    calculator[kAdf2Expression] = kAdfAtLoadKhz;
}

}  // namespace kadrimos::host_sim::radio_stack
