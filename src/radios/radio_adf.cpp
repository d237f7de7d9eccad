// "toskelin radio_adf1_rulo": the control head of the two ADF receivers.
//
// One head for both receivers: the selector at the top chooses the receiver
// whose active frequency the five drums show (thousands, hundreds, tens and
// units of kHz, and tenths) and whose tuning events the three knobs send.
// The left knob steps the hundreds, the middle one the tens, the right one
// the units, or the tenths (with carry into the units) once the FINE button
// has been pressed; pressed again, it steps the units again. The head's
// picture shows the selector at 2 while the second receiver is chosen. The
// TEST button starts the ADF indicator's test when either of its supplies
// (AC essential normal or DC normal) is live; the indicator ends the test.
//
// The frequency lives in the simulator and is read in kHz every update; the
// knobs send their events whatever the power.
//
// Inputs: AcEssNormPowered, DcNormBusPowered; the calculator's active ADF 1
// and ADF 2 frequencies (kHz).
// Outputs: AdfTestRequest (raised); key events 65648 to 65650 and 65666 to
// 65668 (ADF 1 hundreds, tens, units up and down), 66461 and 66462 (ADF 1
// tenths with carry), 66544 to 66555 (the same for ADF 2).
#include <cmath>
#include <cstdint>

#include "module/aircraft_state.h"
#include "module/catalogue_entry.h"
#include "module/module_state.h"
#include "panel/chain.h"
#include "panel/convert.h"
#include "panel/drum.h"
#include "panel/elements.h"
#include "panel/gauge_records.h"
#include "panel/host.h"
#include "panel/lists.h"
#include "panel/mouse.h"
#include "panel/switches.h"

KADRIMOS_GAUGE_WITH_STATE(radio_adf1, "toskelin radio_adf1_rulo")

namespace kadrimos::gauges::radio_adf1 {

namespace {

constexpr int kDrums = 5;  // thousands, hundreds, tens, units, tenths

struct AdfHeadState {
    uint8_t AdfSelector = 1;
    uint8_t AdfFineMode = 0;
    double frequency_khz = 0;
    uint8_t target[kDrums] = {};
    double position[kDrums] = {};
};

}  // namespace

constinit AdfHeadState state{};
void reset_state() { reset_to_load_values(state); }

namespace {

AdfHeadState& self = state;

// The digits an ADF frequency shows, thousands to tenths. The frequency is
// taken to the nearest tenth of a kHz first: the simulator keeps 415.3 kHz
// as 415.2999..., whose tenths read without rounding would be 2. A value
// that is not a number shows 0000.0; the window holds 0 to 1999.9 kHz.
void adf_digits(double frequency_khz, uint8_t (&digits)[kDrums]) {
    constexpr int32_t kLastTenth = 19999;
    int32_t tenths = to_integer<int32_t>(std::round(finite_or(frequency_khz, 0.0) * 10));
    tenths = tenths < 0 ? 0 : tenths > kLastTenth ? kLastTenth : tenths;
    digits[0] = static_cast<uint8_t>(tenths / 10000);
    digits[1] = static_cast<uint8_t>(tenths / 1000 % 10);
    digits[2] = static_cast<uint8_t>(tenths / 100 % 10);
    digits[3] = static_cast<uint8_t>(tenths / 10 % 10);
    digits[4] = static_cast<uint8_t>(tenths % 10);
}

constexpr uint32_t kBackground = 7081;
constexpr uint32_t kPictureBitmap = 7963;  // receiver 1's; receiver 2's is the next one
constexpr uint32_t kTwoWindow = 7965;      // its strip 7966: 0 1 0
constexpr uint32_t kTenWindow = 7967;      // its strip 7968: 0 to 9 and 0

template <int D>
double FSAPI drum(ELEMENT_HEADER*) {
    constexpr const drum::Steps& steps = D == 0 ? drum::kTwoDigits : drum::kTenDigits;
    self.position[D] = drum::stepping_position(self.position[D], self.target[D], steps);
    return self.position[D];
}

// Drum columns, left to right, the tenths past the decimal point.
// clang-format off
constexpr ElementSpec kElements[] = {
    background_spec(kBackground),
    icon_spec("ADF 1 picture", kPictureBitmap,     {41, 0}, kIconFlags),
    icon_spec("ADF 2 picture", kPictureBitmap + 1, {41, 0}),
    moving_image_spec("ADF thousands drum", kTwoWindow, {24, 95}, drum_column, 0, 1, drum<0>, 0, 2),
    drum_spec("ADF hundreds drum", kTenWindow, {38, 95}, drum<1>),
    drum_spec("ADF tens drum",     kTenWindow, {52, 95}, drum<2>),
    drum_spec("ADF units drum",    kTenWindow, {66, 95}, drum<3>),
    drum_spec("ADF tenths drum",   kTenWindow, {84, 95}, drum<4>),
};
// clang-format on
constexpr int kPicture1 = depth_of(kElements, "ADF 1 picture");
constexpr int kPicture2 = depth_of(kElements, "ADF 2 picture");

// --- Areas ---------------------------------------------------------------------------

// A knob's event for each receiver; the units knob in FINE mode sends the
// tenths events instead.
struct KnobEvents {
    uint32_t receiver1, receiver2;
    uint32_t fine1, fine2;  // 0: the knob has no FINE mode
};
// Columns: ADF 1, ADF 2, ADF 1 in FINE, ADF 2 in FINE.
constexpr KnobEvents kHundredsUp = {65648, 66544, 0, 0};
constexpr KnobEvents kHundredsDown = {65666, 66548, 0, 0};
constexpr KnobEvents kTensUp = {65649, 66545, 0, 0};
constexpr KnobEvents kTensDown = {65667, 66549, 0, 0};
constexpr KnobEvents kUnitsUp = {65650, 66546, 66462, 66554};
constexpr KnobEvents kUnitsDown = {65668, 66550, 66461, 66555};

template <const KnobEvents& K>
int32_t FSAPI turn(PIXPOINT*, uint32_t) {
    const bool second = self.AdfSelector == 2;
    const bool fine = self.AdfFineMode == 1 && K.fine1 != 0;
    if (fine)
        host::send_event(second ? K.fine2 : K.fine1, 0);
    else
        host::send_event(second ? K.receiver2 : K.receiver1, 0);
    return 0;
}

int32_t FSAPI selector(PIXPOINT*, uint32_t) {
    self.AdfSelector = self.AdfSelector == 2 ? 1 : 2;
    return 0;
}

int32_t FSAPI fine_button(PIXPOINT*, uint32_t) {
    self.AdfFineMode = self.AdfFineMode == 1 ? 0 : 1;
    return 0;
}

int32_t FSAPI test_button(PIXPOINT*, uint32_t) {
    if (aircraft.AcEssNormPowered == 1 || aircraft.DcNormBusPowered == 1) request(aircraft.AdfTestRequest);
    return 0;
}

constexpr auto kAreas =
    join<AreaSpec>(knob_area("ADF hundreds up", {27, 49, 29, 21}, CURSOR_UPARROW, turn<kHundredsUp>),
                   knob_area("ADF hundreds down", {27, 70, 29, 21}, CURSOR_DOWNARROW, turn<kHundredsDown>),
                   knob_area("ADF tens up", {56, 49, 29, 21}, CURSOR_UPARROW, turn<kTensUp>),
                   knob_area("ADF tens down", {56, 70, 29, 21}, CURSOR_DOWNARROW, turn<kTensDown>),
                   knob_area("ADF units up", {85, 49, 29, 21}, CURSOR_UPARROW, turn<kUnitsUp>),
                   knob_area("ADF units down", {85, 70, 29, 21}, CURSOR_DOWNARROW, turn<kUnitsDown>),
                   area("ADF selector", {41, 0, 60, 23}, CURSOR_HAND, selector),
                   area("ADF FINE button", {71, 23, 27, 21}, CURSOR_HAND, fine_button),
                   area("ADF TEST button", {115, 6, 27, 27}, CURSOR_HAND, test_button));

// --- Update ----------------------------------------------------------------------------

void FSAPI callback(GAUGEHDR*, int32_t service, uintptr_t) {
    if (service != PANEL_SERVICE_PRE_UPDATE) return;
    const bool second = self.AdfSelector == 2;
    self.frequency_khz = host::calculate(second ? "(A:Adf active frequency:2,Kilohertz)"
                                                : "(A:Adf active frequency:1,Kilohertz)");
    adf_digits(self.frequency_khz, self.target);
    set_visible(header, kPicture1, !second);
    set_visible(header, kPicture2, second);
}

}  // namespace

KADRIMOS_GAUGE_RECORDS(kElements, kAreas, 142, callback);

}  // namespace kadrimos::gauges::radio_adf1
