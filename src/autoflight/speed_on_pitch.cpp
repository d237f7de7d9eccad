// Speed on pitch: the autopilot holds the airspeed at engagement by
// stepping its vertical-speed command, climbing to shed speed and
// descending to gain it.
//
// The airspeed is sampled every 9 ticks; its trend is the change between
// the last two samples (kt per 9 ticks). The speed error (IAS less the
// reference) picks a row of the table below and the trend a column; the
// step found there is applied once, and the row then waits 18 ticks (one
// second) before it steps again, so that the aircraft has time to answer.
// Entering another row starts afresh. Far off the speed (10 kt or more) and
// still moving the wrong way, the big step repeats every update until the
// command leads the present vertical speed by 500 ft/min (too fast) or
// 800 ft/min (too slow).
#include <cstdint>
#include <iterator>

#include "autoflight/ap_master_state.h"
#include "autoflight/modes.h"
#include "module/aircraft_state.h"
#include "panel/convert.h"
#include "panel/host.h"

namespace kadrimos::autoflight {
namespace {

ApMasterState& self = gauges::ap_master::state;

constexpr uint32_t kAltitudeHoldOn = 0x10110;
constexpr double kSampleTicks = 9;
constexpr double kRowHoldTicks = 18;
constexpr int32_t kCommandLimit = 4999;  // beyond it the command is set back to 4990
constexpr int32_t kCommandBackOff = 4990;
constexpr double kTooFastLeadFpm = 500;
constexpr double kTooSlowLeadFpm = 800;

// Error rows, from the fastest to the slowest (kt): E >= 10, [4, 10), [2, 4),
// [1, 2), [0.5, 1), [0.3, 0.5), the dead band (-0.3, 0.3), [-0.5, -0.3],
// [-1, -0.5), [-2, -1), [-4, -2), [-10, -4), below -10. (The row [-0.5,
// -0.3) as written leaves -0.3 itself in no band; it is taken into that
// row, which steps nothing.)
constexpr double kRowFloors[] = {10, 4, 2, 1, 0.5, 0.3};  // the positive rows' lower edges
constexpr int kDeadBandRow = 6;
constexpr int kRowCount = 13;

// Trend columns, from the fastest rise to the fastest fall (kt per 9 ticks):
// above 1, (0.5, 1], (0.25, 0.5], (0.1, 0.25], (0.05, 0.1], the centre
// (-0.05, 0.05], (-0.1, -0.05], (-0.25, -0.1], (-0.5, -0.25], (-1, -0.5],
// -1 and below.
constexpr double kColumnFloors[] = {1, 0.5, 0.25, 0.1, 0.05, -0.05, -0.1, -0.25, -0.5, -1};
constexpr int kColumnCount = 11;
static_assert(std::size(kColumnFloors) + 1 == kColumnCount);

// The steps, ft/min. Where the aircraft's rows list fewer steps than a side
// has trend bands (five rising, five falling), the bands share them as the
// top row shares its falling side: with three steps, the two bands nearest
// the centre share the first, the middle band takes the second and the two
// outermost bands the third; with four steps, the two outermost bands share
// the outermost step. A side's steps are told apart from the other side's
// by the centre band's step, which lies between them.
// clang-format off
constexpr int32_t kSteps[kRowCount][kColumnCount] = {
    //  >1   .5-1  .25-.5 .1-.25 .05-.1 centre  -.1   -.25   -.5    -1    <=-1
    {  500,  500,  500,  500,  500,    50,    50,    50,   -35,   -85,   -85},  // E >= 10
    {  500,  250,  100,   40,   20,    20,   -25,   -25,   -75,  -350,  -350},  // [4, 10)
    {  350,  200,  100,   50,   25,    10,   -25,   -25,  -100,  -350,  -350},  // [2, 4)
    {  250,  200,  100,   50,   25,     5,   -25,   -50,  -150,  -350,  -350},  // [1, 2)
    {   24,   12,    6,    3,    1,     5,    -1,    -3,    -6,   -12,   -24},  // [0.5, 1)
    {    0,    0,    0,    0,    0,     0,     0,     0,     0,     0,     0},  // [0.3, 0.5)
    {    0,    0,    0,    0,    0,     0,     0,     0,     0,     0,     0},  // dead band
    {    0,    0,    0,    0,    0,     0,     0,     0,     0,     0,     0},  // [-0.5, -0.3]
    {   40,   30,   20,   10,    5,    -5,    -1,    -3,    -6,   -12,   -24},  // [-1, -0.5)
    {  350,  350,  150,   50,   10,    -5,   -25,   -50,  -100,  -200,  -250},  // [-2, -1)
    {  350,  350,  100,   25,   25,   -15,   -25,   -50,  -100,  -200,  -350},  // [-4, -2)
    {  350,  350,   75,   25,   25,   -20,   -40,   -80,  -100,  -250,  -500},  // [-10, -4)
    {   85,   85,   35,  -50,  -50,   -50,  -500,  -500,  -500,  -500,  -500},  // below -10
};
// clang-format on
static_assert(std::size(kSteps) == kRowCount, "one row an error band");
static_assert(std::size(kSteps[0]) == kColumnCount, "one column a trend band");

// The phase byte of each row: 6 to 1 from the outer bands in, both sides.
constexpr uint8_t kPhases[kRowCount] = {6, 5, 4, 3, 2, 1, 0, 1, 2, 3, 4, 5, 6};

constexpr int kTopRow = 0;
constexpr int kBottomRow = kRowCount - 1;
constexpr int kCentreColumn = 5;

int row_of(double e) {
    constexpr int kFloors = static_cast<int>(std::size(kRowFloors));
    for (int r = 0; r < kFloors; ++r)
        if (e >= kRowFloors[r]) return r;
    if (e > -kRowFloors[kFloors - 1]) return kDeadBandRow;
    // The slow side, from -0.5 down: rows 7 to 11 end at -0.5, -1, -2, -4
    // and -10; below that, the bottom row.
    for (int i = kFloors - 2; i >= 0; --i)
        if (e >= -kRowFloors[i]) return kDeadBandRow + (kFloors - 1 - i);
    return kBottomRow;
}

int column_of(double trend) {
    for (int c = 0; c < static_cast<int>(std::size(kColumnFloors)); ++c)
        if (trend > kColumnFloors[c]) return c;
    return kColumnCount - 1;
}

}  // namespace

SpeedStep speed_step_for(double error_kt, double trend) {
    // A speed that is not a number is no error at all.
    if (error_kt != error_kt) return {-1, 0, 0, 0};
    const int row = row_of(error_kt);
    if (row == kDeadBandRow) return {-1, 0, 0, 0};
    const int column = trend == trend ? column_of(trend) : kCentreColumn;
    const bool repeats =
        (row == kTopRow && column < kCentreColumn) || (row == kBottomRow && column > kCentreColumn);
    return {static_cast<int8_t>(row), kSteps[row][column], kPhases[row],
            static_cast<uint8_t>(repeats ? 1 : 0)};
}

void run_speed_on_pitch(const ApReadings& in) {
    if (!speed_on_pitch() || !vertical_below_capture() || approach_set() || in.on_ground) return;
    SpeedOnPitchMemory& m = self.speed;
    const double now = in.tick;
    if (m.initialised == 0) {
        host::send_event(kAltitudeHoldOn);
        aircraft.ApVsCommand = vertical_speed_command(in.vs_fpm);
        m.reference_kt = to_integer<int32_t>(in.ias_kt);
        m.samples = 0;
        m.trend = 0;
        m.next_sample_tick = now;
        m.row = -1;
        m.phase = 0;
        m.initialised = 1;
    }
    const bool speed_read = in.ias_kt == in.ias_kt;
    // A clock gone back more than a sample period starts the sampling again.
    if (now < m.next_sample_tick - kSampleTicks) m.next_sample_tick = now;
    if (speed_read && !(now < m.next_sample_tick)) {
        m.previous_sample_kt = m.last_sample_kt;
        m.last_sample_kt = in.ias_kt;
        if (m.samples < 2) ++m.samples;
        if (m.samples >= 2) m.trend = m.last_sample_kt - m.previous_sample_kt;
        m.next_sample_tick = now + kSampleTicks;
    }
    const SpeedStep step = speed_step_for(in.ias_kt - m.reference_kt, m.trend);
    if (step.row != m.row) m.phase = 0;
    m.row = step.row;
    int32_t command = aircraft.ApVsCommand;
    if (step.row < 0) {
        m.phase = 0;
    } else if (m.phase == 0 || !(now < m.hold_until_tick)) {
        command += step.step_fpm;
        m.phase = step.phase;
        m.hold_until_tick = now + kRowHoldTicks;
    } else if (step.repeats == 1) {
        const bool too_fast_row = step.row == kTopRow;
        const bool short_of_lead =
            too_fast_row ? command < in.vs_fpm + kTooFastLeadFpm : command > in.vs_fpm - kTooSlowLeadFpm;
        if (short_of_lead) command += step.step_fpm;
    }
    if (command > kCommandLimit) command = kCommandBackOff;
    if (command < -kCommandLimit) command = -kCommandBackOff;
    aircraft.ApVsCommand = command;
    send_vertical_speed(command, in.altitude_ft);
}

}  // namespace kadrimos::autoflight
