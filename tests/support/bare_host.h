// A host that allocates nothing once it has started.
//
// The allocation test, the host fuzzer and the benchmark drive the module
// through its two records as the simulator does, and must not measure (or
// trip over) a host's own bookkeeping. This host keeps its variables in a
// fixed table, counts key events and window toggles instead of logging them,
// and lists every gauge's elements and mouse areas, and makes the string
// elements' text buffers, once, when it is made.
//
//   BareHost host;          // module reset, services in place
//   host.install_all();
//   host.update_all();      // element update + service 6 for every gauge
//   host.draw_all();        // every value and string callback
//   host.click(g, a);       // mouse area a of gauge g
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "panel/host_api.h"

namespace kadrimos::testing {

class BareHost {
public:
    // Tokens at or above this read 0 and cannot be set.
    static constexpr uint32_t kTokens = 1024;
    static constexpr uint32_t kTokenTicks = 1;
    static constexpr uint32_t kTokenSeconds = 604;
    static constexpr uint32_t kTokenSimSeconds = 607;

    BareHost();
    // Serves these gauges (null-terminated) instead of the module's catalogue.
    explicit BareHost(GAUGEHDR* const* gauges);
    ~BareHost();
    BareHost(const BareHost&) = delete;
    BareHost& operator=(const BareHost&) = delete;

    // Puts the module back to its load state and the host's variables,
    // clock and counts to zero, keeping the lists made at construction (the
    // fuzzer runs thousands of inputs on one host). Kill every gauge first.
    void restart();

    void set(uint32_t token, double value);
    void set_bits(uint32_t token, uint32_t value);
    double get(uint32_t token) const;
    // What every calculator expression answers, and whether it is answered.
    double calculator_value = 0;
    bool calculator_answers = true;
    // Sets or takes away the string elements' text buffers (the simulator
    // sets them; a text callback must write nothing without one).
    void give_text_buffers(bool give);

    std::size_t gauge_count() const { return gauges_.size(); }
    std::size_t area_count(std::size_t gauge) const { return areas_[gauge].size(); }
    const char* name(std::size_t gauge) const;

    void install_all();
    void kill_all();
    // Advances the host clock one tick (1/18 s) and serves every gauge.
    void update_all();
    void draw_all();
    void service(std::size_t gauge, int32_t code, uintptr_t extra = 0);
    void update(std::size_t gauge);
    void draw(std::size_t gauge);
    void click(std::size_t gauge, std::size_t area, uint32_t mouse_flags = MOUSE_LEFTSINGLE);

    uint64_t ticks() const { return ticks_; }
    // Sets the host's tick counter, which the next update_all() advances
    // from: a host may skip ticks or, reloading a flight, go back.
    void set_ticks(uint64_t ticks) { ticks_ = ticks; }
    // Key events and window toggles received, and a sum of every value drawn
    // (NaN and infinities counted apart), so that two runs can be compared
    // and an optimiser cannot drop the draws.
    uint64_t events = 0;
    uint32_t last_event = 0;
    uint64_t toggles = 0;
    double drawn_sum = 0;
    uint64_t drawn_not_finite = 0;

private:
    struct Services;
    MODULE_VAR_VALUE variables_[kTokens]{};
    std::vector<GAUGEHDR*> gauges_;
    std::vector<std::vector<ELEMENT_HEADER*>> elements_;
    std::vector<std::vector<const MOUSERECT*>> areas_;
    std::vector<std::vector<char>> text_buffers_;  // the string elements' texts
    std::vector<ELEMENT_STRING*> strings_;
    uint64_t ticks_ = 0;
};

}  // namespace kadrimos::testing
