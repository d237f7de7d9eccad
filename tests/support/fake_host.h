// An in-process host for unit tests.
//
// It fills ImportTable with a services table that records what the module
// asks of the host: variables are served from a store keyed by token (and a
// lookup of a record the module did not initialise with this host is
// counted, since the simulator would read it through a pointer it never
// set), key events and window
// toggles are logged, calculator expressions are answered from a store keyed
// by their text. Like the simulator it owns the text buffers of the string
// elements. Constructing a FakeHost puts the whole module back to its load
// state; destroying it takes the table and the buffers away again.
//
// Tests read like the cockpit: set the host, click, run, look.
//   FakeHost host;
//   host.click("testgauge2k", 0);
//   host.update("testgauge2k");
//   EXPECT_TRUE(host.sent(0x10417));
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "panel/host_api.h"
#include "support/catalogue_walk.h"

namespace kadrimos::testing {

struct KeyEvent {
    uint32_t id;
    uint32_t value;
    bool operator==(const KeyEvent&) const = default;
};

// What the module asked of the sound card (Linux audio substitute).
struct SoundEvent {
    std::string kind;  // open, close, create, play, stop, volume, release
    std::string name;  // the sound's name; empty for the device
    int32_t value;     // play: 1 looped, 0 once; volume: hundredths of a dB
    bool operator==(const SoundEvent&) const = default;
};

// Which element operation the module passed to the host, with what.
struct ElementCall {
    std::string operation;
    ELEMENT_HEADER* element;
    uintptr_t value;
};

class FakeHost {
public:
    // Whether the tests of this build can see the sound card: on Linux the
    // audio substitute reports every request; on Windows the sound card is
    // DirectSound itself, and sound_events() stays empty.
    static constexpr bool kHearsSounds =
#if defined(_WIN32)
        false;
#else
        true;
#endif

    FakeHost();
    ~FakeHost();
    FakeHost(const FakeHost&) = delete;
    FakeHost& operator=(const FakeHost&) = delete;

    // --- Host side -----------------------------------------------------------
    void set(uint32_t token, double value);         // a double variable
    void set_bits(uint32_t token, uint32_t value);  // an integer variable
    void set_calculator(const std::string& expression, double value);
    int32_t toggle_result = 1;  // what panel_window_toggle answers

    const std::vector<KeyEvent>& events() const { return events_; }
    bool sent(uint32_t id) const;
    std::size_t count(uint32_t id) const;
    const std::vector<uint32_t>& toggled_windows() const { return toggles_; }
    const std::vector<ElementCall>& element_calls() const { return element_calls_; }
    std::size_t lookups() const { return lookups_; }
    // Lookups of records that initialize_var had not set up first.
    std::size_t uninitialised_lookups() const { return uninitialised_lookups_; }
    // Sound card events (always empty in the Windows build, where the sound
    // card is the real DirectSound).
    const std::vector<SoundEvent>& sound_events() const { return sound_events_; }
    std::size_t plays(const std::string& name) const;
    // Installs the GPWS gauge, which loads the cockpit's sounds.
    void load_sounds() { service("toskelin gpws_rulo", PANEL_SERVICE_PRE_INSTALL, 0); }
    void clear_logs();

    // --- Gauges --------------------------------------------------------------
    static GAUGEHDR& gauge(std::string_view name);
    static std::vector<GAUGEHDR*> all_gauges();

    void service(std::string_view name, int32_t code, uintptr_t extra = 0);
    void update(std::string_view name) { service(name, PANEL_SERVICE_PRE_UPDATE); }
    // Clicks the area with this index (0 = first area after the parent), or
    // the area with this label (`click("toskelin elec_batt_rulo", "BAT 1 ON")`).
    int32_t click(std::string_view name, std::size_t area_index);
    int32_t click(std::string_view name, std::string_view area_label);
    // Clicks the area under a point; fails the test if there is none.
    int32_t click_at(std::string_view name, int32_t x, int32_t y);
    // Calls every value and string callback of the gauge, in chain order.
    void draw(std::string_view name);

    // Elements by depth or by label; an unknown label fails the test, naming
    // the labels the gauge has.
    static ELEMENT_HEADER* element(std::string_view name, int depth);
    static ELEMENT_HEADER* element(std::string_view name, std::string_view label);
    static bool visible(std::string_view name, int depth);
    static bool visible(std::string_view name, std::string_view label);
    static int depth_of(std::string_view name, std::string_view label);
    static std::size_t area_of(std::string_view name, std::string_view label);
    // The last value a draw got from the element's callback(s).
    double value(const ELEMENT_HEADER* element) const;
    static std::string text(const ELEMENT_HEADER* element);

private:
    friend struct Services;
    friend struct SoundObserver;
    std::map<uint32_t, MODULE_VAR_VALUE> variables_;
    std::map<std::string, double> calculator_;
    std::vector<KeyEvent> events_;
    std::vector<uint32_t> toggles_;
    std::vector<ElementCall> element_calls_;
    std::vector<SoundEvent> sound_events_;
    std::map<const ELEMENT_HEADER*, double> values_;
    std::vector<std::vector<char>> text_buffers_;
    std::size_t lookups_ = 0;
    std::size_t uninitialised_lookups_ = 0;
    uintptr_t serial_;
};

}  // namespace kadrimos::testing
