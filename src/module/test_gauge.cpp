// "testgauge2k": the development gauge, first in the catalogue.
//
// A background with, side by side over it, one hidden icon and four numeric
// read-outs stacked 36 pixels apart. Its one area toggles the test flag: set,
// a click clears it; clear, a click sends event 0x10417 and sets it. The
// read-outs serve development only; nothing else reads the test flag.
#include "module/test_gauge.h"

#include "module/catalogue_entry.h"
#include "module/module_state.h"
#include "module/standard_routines.h"
#include "panel/chain.h"
#include "panel/elements.h"
#include "panel/host.h"
#include "panel/mouse.h"

KADRIMOS_GAUGE_WITH_STATE(testgauge2k, "testgauge2k")

namespace kadrimos::gauges::testgauge2k {
namespace {

constexpr uint32_t kTestEvent = 0x10417;
constexpr uint32_t kHelpId = 0xAA1A;
constexpr TextStyle kReadout = {{80, 30}, 0x80FF, 0x0, 0x5C5C5C, 6};
constexpr int kPrecision = 6;  // "%1.6f"
constexpr int kWidth = 1;

State& self = state;

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

// Element 0 the background; its children, side by side: 1 the hidden icon,
// 2 to 5 the read-outs. The second and third always show their own variable
// (tokens 349 and 78), the fourth while the test flag is set (329, the flap
// position).
constexpr ElementSpec kElements[] = {
    background_spec(4096),
    icon_spec("hidden icon", 4099, {0, 0}),
    string_spec("read-out 1", {0, 0}, kReadout, first_readout, 0),
    string_spec("read-out 2", {0, 36}, kReadout, second_readout, 349),
    string_spec("read-out 3", {0, 72}, kReadout, third_readout, 78),
    string_spec("read-out 4", {0, 108}, kReadout, fourth_readout, 329),
};
constexpr std::size_t kElementCount = std::size(kElements);

// The test gauge is the one gauge whose background has several children.
struct Records {
    ELEMENT_HEADER* list[2];
    ElementRecord records[kElementCount];
    ELEMENT_HEADER* children[kElementCount];  // the background's, null-terminated
};

constexpr Records make_records(Records& into) {
    Records r{};
    r.list[0] = header_of(into.records[0], kElements[0].kind);
    r.records[0] = element_record(header, kElements[0], into.children);
    for (std::size_t k = 1; k < kElementCount; ++k) {
        r.children[k - 1] = header_of(into.records[k], kElements[k].kind);
        r.records[k] = element_record(header, kElements[k], no_children);
    }
    return r;
}
constinit Records records = make_records(records);

constexpr AreaSpec kAreas[] = {area("TEST flag", {0, 0, 36, 17}, CURSOR_HAND, toggle_test_flag)};
constinit auto mouse = mouse_table(kHelpId, kAreas);

}  // namespace

constinit State state{};
void reset_state() { reset_to_load_values(state); }

constinit GAUGEHDR header = gauge_header(kName, 36, records.list, mouse.rect, callback);
constinit const GaugeLabels labels = {kElements, kAreas};

}  // namespace kadrimos::gauges::testgauge2k
