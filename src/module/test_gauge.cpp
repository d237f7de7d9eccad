// "testgauge2k": the development gauge, first in the catalogue.
//
// A background with, side by side over it, one hidden icon and four numeric
// read-outs stacked 36 pixels apart. Its one area toggles the test flag: set,
// a click clears it; clear, a click sends event 0x10417 and sets it. The
// read-outs serve development only; nothing else reads the test flag.
#include "module/catalog.h"
#include "module/module_state.h"
#include "module/standard_routines.h"
#include "panel/elements.h"
#include "panel/host.h"
#include "panel/mouse.h"

namespace kadrimos::gauges::testgauge2k {
namespace {

constexpr uint32_t kTestEvent = 0x10417;
constexpr uint32_t kHelpId = 0xAA1A;

constexpr uint32_t kBackgroundBitmap = 4096;
constexpr uint32_t kIconBitmap = 4099;

// Tokens shown by the read-outs: the second and third always show their own
// variable, the fourth while the test flag is set.
constexpr uint32_t kSecondToken = 349;
constexpr uint32_t kThirdToken = 78;
constexpr uint32_t kFourthToken = 329;  // flap position

constexpr TextStyle kReadout = {{80, 30}, 0x80FF, 0x0, 0x5C5C5C, 6};
constexpr int kPrecision = 6;  // "%1.6f"
constexpr int kWidth = 1;

TestGaugeState& self = private_state.test_gauge;

// The read-outs' own variables live in their element records; whether each
// has been initialised is kept here, by read-out.
constinit uint32_t own_variable_initialised[4] = {};

// The element's own variable, looked up just before it is read.
double own_variable(ELEMENT_HEADER* e, int readout) {
    return host::read(as_string(e).source_var[0], own_variable_initialised[readout]);
}

double print(ELEMENT_HEADER* e, double value) {
    write_fixed(as_string(e), value, kWidth, kPrecision);
    return value;
}

double FSAPI first_readout(ELEMENT_HEADER* e) {
    return print(e, self.test_flag ? static_cast<double>(aircraft.VerticalMode) : self.idle_readout);
}
double FSAPI second_readout(ELEMENT_HEADER* e) { return print(e, own_variable(e, 1)); }
double FSAPI third_readout(ELEMENT_HEADER* e) { return print(e, own_variable(e, 2)); }
double FSAPI fourth_readout(ELEMENT_HEADER* e) {
    return print(e, self.test_flag ? own_variable(e, 3)
                                   : static_cast<double>(private_state.hydraulic_monitor.flap_at_loss));
}

int32_t FSAPI toggle_test_flag(PIXPOINT*, uint32_t) {
    if (self.test_flag) {
        self.test_flag = 0;
    } else {
        host::send_event(kTestEvent, 0);
        self.test_flag = 1;
    }
    return 0;
}

// The read-outs have nothing to do on an update: they compute when drawn.
void FSAPI callback(GAUGEHDR*, int32_t, uintptr_t) {}

constinit ELEMENT_ICON hidden_icon = icon(header, kIconBitmap, {0, 0}, no_children);
constinit ELEMENT_STRING readouts[4] = {
    string_element(header, {0, 0}, kReadout, first_readout, 0, no_children),
    string_element(header, {0, 36}, kReadout, second_readout, kSecondToken, no_children),
    string_element(header, {0, 72}, kReadout, third_readout, kThirdToken, no_children),
    string_element(header, {0, 108}, kReadout, fourth_readout, kFourthToken, no_children),
};

// The test gauge is the one gauge whose background has several children.
constinit ELEMENT_HEADER* children[] = {&hidden_icon.header, &readouts[0].header, &readouts[1].header,
                                        &readouts[2].header, &readouts[3].header, nullptr};
constinit ELEMENT_STATIC_IMAGE background_element = background(header, kBackgroundBitmap, children);
constinit ELEMENT_HEADER* elements[] = {&background_element.header, nullptr};

constinit auto mouse =
    mouse_table(kHelpId, {area("TEST flag", {0, 0, 36, 17}, CURSOR_HAND, toggle_test_flag)});

}  // namespace

constinit GAUGEHDR header = gauge_header("testgauge2k", 36, elements, mouse.rect, callback);

}  // namespace kadrimos::gauges::testgauge2k
