// Service codes other than pre-install, pre-update and pre-kill change
// nothing anywhere; a callback never crashes on a code it does not know.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "module/module_state.h"
#include "support/fake_host.h"

namespace kadrimos::testing {
namespace {

// Everything a callback could change: the shared record, the private states
// and every element's flags and text.
std::vector<unsigned char> module_bytes() {
    std::vector<unsigned char> out;
    auto append = [&out](const void* p, std::size_t n) {
        const auto* b = static_cast<const unsigned char*>(p);
        for (std::size_t i = 0; i < n; ++i) out.push_back(b[i]);
    };
    append(&aircraft, sizeof aircraft);
    append(&private_state, sizeof private_state);
    for (GAUGEHDR* g : FakeHost::all_gauges()) {
        for (ELEMENT_HEADER* e : elements_of(*g)) {
            append(&e->image_flags, sizeof e->image_flags);
            if (e->element_type == ELEMENT_TYPE_STRING) {
                const auto* s = reinterpret_cast<const ELEMENT_STRING*>(e);
                append(s->string, s->max_string_length + 1);
            }
        }
    }
    return out;
}

TEST(ServiceCodes, OtherThanTwoSixAndTwelveChangeNothing) {
    FakeHost host;
    host.load_sounds();
    host.clear_logs();
    aircraft.PanelOptionFlag = 1;  // would show the window buttons on an update
    const auto before = module_bytes();
    for (GAUGEHDR* g : FakeHost::all_gauges()) {
        if (g->gauge_callback == nullptr) continue;
        for (int32_t code : {0, 1, 3, 4, 5, 7, 8, 9, 10, 11, 13, 14, -1, 99, INT32_MIN, INT32_MAX})
            g->gauge_callback(g, code, 0xDEADBEEF);
    }
    EXPECT_EQ(module_bytes(), before);
    EXPECT_TRUE(host.events().empty());
    EXPECT_TRUE(host.toggled_windows().empty());
    EXPECT_TRUE(host.sound_events().empty());
}

TEST(ServiceCodes, GaugesNotSimulatedYetIgnoreEveryCode) {
    FakeHost host;
    const auto before = module_bytes();
    for (const char* name : {"toskelin omi_rulo", "toskelin failures_rulo"}) {
        for (int32_t code : {2, 6, 12}) host.service(name, code, 1);
    }
    EXPECT_EQ(module_bytes(), before);
    EXPECT_TRUE(host.events().empty());
}

// The simulator reads a variable through what initialize_var set up: every
// record the module looks up has been initialised first, and is initialised
// again once the module is back at its load state.
TEST(HostServices, EveryVariableIsInitialisedBeforeItsFirstLookup) {
    for (int host_number = 0; host_number < 2; ++host_number) {
        SCOPED_TRACE(host_number);
        FakeHost host;  // the second starts from the load state
        host.load_sounds();
        host.set(60, 1);   // on the ground
        host.set(329, 1);  // engines and generators running
        for (uint32_t token : {624u, 625u, 643u, 644u}) host.set(token, 60);
        for (int update = 0; update < 40; ++update)
            for (GAUGEHDR* g : FakeHost::all_gauges()) {
                host.update(g->gauge_name);
                host.draw(g->gauge_name);
            }
        for (GAUGEHDR* g : FakeHost::all_gauges())
            for (std::size_t a = 0; a < areas_of(*g).size(); ++a) host.click(g->gauge_name, a);
        EXPECT_GT(host.lookups(), 1000u);
        EXPECT_EQ(host.uninitialised_lookups(), 0u);
    }
}

TEST(ServiceCodes, AnUpdateBeforeTheHostTableIsFilledIsHarmless) {
    reset_module();
    aircraft.PanelOptionFlag = 1;
    for (GAUGEHDR* g : FakeHost::all_gauges())
        if (g->gauge_callback != nullptr) g->gauge_callback(g, PANEL_SERVICE_PRE_UPDATE, 0);
    EXPECT_TRUE(FakeHost::visible("toskelin toggle_pan_rad_rulo", 0));
    reset_module();
}

}  // namespace
}  // namespace kadrimos::testing
