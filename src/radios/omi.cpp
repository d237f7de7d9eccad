// "toskelin omi_rulo": the marker-beacon lights.
//
// Three lights, outer (blue), middle (amber) and inner (white), each lit
// while the simulator's marker receiver hears its beacon. The test button
// lights them one after the other, inner, middle, outer, each with its tone,
// so the crew can check lamps and audio before an approach: 25 ticks for the
// inner and middle, 18 for the outer. While the test runs, the lights follow
// it alone. The lights and the test are fed by the DC normal bus: without it
// they are dark, a test under way is dropped and a new one cannot start.
//
// Inputs: DcNormBusPowered; tokens 354 (marker received: 0 none, 1 outer,
// 2 middle, 3 inner) and 1 (ticks).
// Outputs: the sounds "INNER", "MIDDLE", "OUTER" during the test.
#include <cstdint>

#include "module/aircraft_state.h"
#include "module/catalogue_entry.h"
#include "module/module_state.h"
#include "panel/chain.h"
#include "panel/convert.h"
#include "panel/elements.h"
#include "panel/gauge_records.h"
#include "panel/host.h"
#include "panel/lists.h"
#include "panel/mouse.h"
#include "panel/timing.h"
#include "sound/sound_bank.h"

KADRIMOS_GAUGE_WITH_STATE(omi, "toskelin omi_rulo")

namespace kadrimos::gauges::omi {

namespace {

struct MarkerTestState {
    uint8_t MarkerTestStep = 0;  // 0 idle, 1 inner, 2 middle, 3 outer
    uint8_t MarkerTestRunning = 0;
    timing::Deadline MarkerTestEnd{};
};

}  // namespace

constinit MarkerTestState state{};
void reset_state() { reset_to_load_values(state); }

namespace {

MarkerTestState& self = state;

constexpr uint32_t kBackground = 7079;
constexpr uint32_t kLightBitmap = 7960;  // outer, middle, inner

// clang-format off
constexpr ElementSpec kElements[] = {
    background_spec(kBackground),
    icon_spec("OM light", kLightBitmap,     {6, 8}),
    icon_spec("MM light", kLightBitmap + 1, {26, 8}),
    icon_spec("IM light", kLightBitmap + 2, {46, 8}),
};
// clang-format on
constexpr int kOuter = depth_of(kElements, "OM light");
constexpr int kMiddle = depth_of(kElements, "MM light");
constexpr int kInner = depth_of(kElements, "IM light");

// The test's steps: its light, its tone and how long it lasts.
struct TestStep {
    int light;
    sound::SoundName tone;
    double ticks;
};
// Columns: light, tone, duration (ticks).
constexpr TestStep kTestSteps[] = {
    {kInner, sound::SoundName::INNER, 25},
    {kMiddle, sound::SoundName::MIDDLE, 25},
    {kOuter, sound::SoundName::OUTER, 18},
};
constexpr uint8_t kLastStep = static_cast<uint8_t>(std::size(kTestSteps));

// --- Areas ---------------------------------------------------------------------------

int32_t FSAPI press_test(PIXPOINT*, uint32_t) {
    if (self.MarkerTestStep == 0 && aircraft.DcNormBusPowered == 1) self.MarkerTestStep = 1;
    return 0;
}

constexpr auto kAreas = join<AreaSpec>(area("MKR TEST button", {19, 101, 35, 35}, CURSOR_HAND, press_test));

// --- Update ----------------------------------------------------------------------------

void show_only(int light) {
    set_visible(header, kOuter, light == kOuter);
    set_visible(header, kMiddle, light == kMiddle);
    set_visible(header, kInner, light == kInner);
}

void abort_test() {
    self.MarkerTestStep = 0;
    self.MarkerTestRunning = 0;
    timing::clear(self.MarkerTestEnd);
}

// One update of the test: a step starts with its tone, shows its light until
// its time is up, and hands over to the next on the same update.
void run_test() {
    const double now = finite_or(host::value<1>(), 0.0);
    while (self.MarkerTestStep != 0) {
        const TestStep& step = kTestSteps[self.MarkerTestStep - 1];
        if (self.MarkerTestRunning == 0) {
            sound::play_once(step.tone);
            timing::set_for(self.MarkerTestEnd, now, step.ticks);
            self.MarkerTestRunning = 1;
        }
        if (!timing::due(self.MarkerTestEnd, now)) {
            show_only(step.light);
            return;
        }
        self.MarkerTestRunning = 0;
        timing::clear(self.MarkerTestEnd);
        self.MarkerTestStep =
            self.MarkerTestStep == kLastStep ? 0 : static_cast<uint8_t>(self.MarkerTestStep + 1);
    }
    show_only(0);
}

int received_light() {
    switch (host::bits<354>()) {
        case 1:
            return kOuter;
        case 2:
            return kMiddle;
        case 3:
            return kInner;
        default:
            return 0;
    }
}

void FSAPI callback(GAUGEHDR*, int32_t service, uintptr_t) {
    if (service != PANEL_SERVICE_PRE_UPDATE) return;
    if (aircraft.DcNormBusPowered != 1) {
        abort_test();
        show_only(0);
        return;
    }
    if (self.MarkerTestStep != 0) {
        run_test();
        return;
    }
    show_only(received_light());
}

}  // namespace

KADRIMOS_GAUGE_RECORDS(kElements, kAreas, 69, callback);

}  // namespace kadrimos::gauges::omi
