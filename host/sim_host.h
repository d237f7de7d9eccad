// The simulated host: serves a module's gauges the way the simulator does.
//
// It fills ImportTable with its panel services, installs the gauges of the
// open panel windows (service 2 with the module handle), and on every update
// advances simulated time by one tick (18 a second; token 1 counts ticks,
// token 604 is the clock in seconds), serves the gauges of the open windows
// in order (element update, callback with service 6), then draws each served
// gauge (every value callback of its element tree, in order), and then lets
// the simulated aircraft answer: held values whose event did not come in
// this update are released, and the profile's rules apply. Element
// visibility changes, key events and window changes go to the trace. At the
// end every installed gauge gets service 12 and its kill routine.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "audio_track.h"
#include "marker_tones.h"
#include "module_loader.h"
#include "motion.h"
#include "navaids.h"
#include "panel/host_api.h"
#include "panel_config.h"
#include "profile.h"
#include "trace.h"

namespace kadrimos::host_sim {

inline constexpr int kTicksPerSecond = 18;
inline constexpr uint32_t kTokenTicks = 1;
inline constexpr uint32_t kTokenSeconds = 604;
// The simulator's engine working time, in seconds: it runs while an engine
// burns fuel (engine 1 and 2 fuel flow, lb/h).
inline constexpr uint32_t kTokenEngineWorkingTime = 607;
inline constexpr uint32_t kTokenFuelFlow1 = 638;
inline constexpr uint32_t kTokenFuelFlow2 = 657;
// The engines as the autothrottle flies them: N1 and N2 (%), the throttle
// levers (0 idle .. 1 full), the lever commands and small steps up, and the
// simulator's airspeed hold with its reference (kt), and its autothrottle
// armed: the thrust moves the speed only while the autothrottle is armed.
inline constexpr uint32_t kTokenN1Engine1 = 624;
inline constexpr uint32_t kTokenN2Engine1 = 625;
inline constexpr uint32_t kTokenN1Engine2 = 643;
inline constexpr uint32_t kTokenN2Engine2 = 644;
inline constexpr uint32_t kTokenLeverFraction1 = 558;
inline constexpr uint32_t kTokenLeverFraction2 = 568;
inline constexpr uint32_t kTokenApAirspeedHold = 115;
inline constexpr uint32_t kTokenApAirspeedRef = 116;
inline constexpr uint32_t kTokenAutothrottleArmed = 123;
inline constexpr uint32_t kEventThrottle1Set = 0x1011C;
inline constexpr uint32_t kEventThrottle2Set = 0x1011D;
inline constexpr uint32_t kEventThrottle1Up = 0x101AD;
inline constexpr uint32_t kEventThrottle2Up = 0x101B2;
inline constexpr uint32_t kEventOpenWindow = 0x103CB;
inline constexpr uint32_t kEventCloseWindow = 0x103CC;

// A play or stop request to the sound card, as the timeline shows it.
struct SoundRequest {
    int64_t tick;
    std::string name;
    std::string what;  // "played", "looping", "stopped"
};

struct SentEvent {
    int64_t tick;
    uint32_t id;
    uint32_t value;
};

// What a draw got from an element.
struct DrawnValue {
    double main = 0.0;  // needle, string, sprite rotation; else the last axis
    double x = 0.0;
    double y = 0.0;
    bool drawn = false;
};

// The angle (degrees clockwise from pointing right) at which a needle stands
// for `value`, from the angles the host wrote into its table at install:
// linear between the table's points, at the end points beyond them, 0 for a
// value that is not a number. What a picture of the panel turns the needle
// bitmap by.
double needle_angle(const ELEMENT_NEEDLE& needle, double value);

class SimHost {
public:
    SimHost(LoadedModule& module, PanelConfig config, Profile profile, Roles roles, Trace& trace);
    ~SimHost();
    SimHost(const SimHost&) = delete;
    SimHost& operator=(const SimHost&) = delete;

    // Installs the gauges of the windows open at start.
    void start();
    // Runs one update: time, serve, draw, trace the changes.
    void update();
    // Kills every installed gauge; the host is done.
    void finish();

    // --- The aircraft side ---------------------------------------------------
    void set_variable(uint32_t token, double value);
    double variable(uint32_t token) const;
    void ramp_variable(uint32_t token, double target, int64_t ticks);
    void set_calculator(const std::string& expression, double value);
    // The aircraft's motion (motion.h): carries out a motion statement and
    // returns why it cannot (empty: done). From the first placement on, the
    // model drives its variables at every update, before the gauges are
    // served. A variable it drives that the scenario sets or ramps follows
    // the scenario instead until the next motion statement; the model's own
    // state is left as it was.
    std::string move_aircraft(const MotionCommand& command);
    const AircraftMotion& motion() const { return motion_; }
    // Radio stations (navaids.h): from the first one placed on, the
    // receivers' variables follow the aircraft at every update.
    void place_station(const StationCommand& command) { navaids_.place(command); }

    // Calls an area's handler as a click at `point` (gauge pixels).
    int32_t click(GAUGEHDR* gauge, int area_index, PIXPOINT point);

    // Marks a moment of the flight in the timeline and hands it to whoever
    // takes pictures of the panel (nobody, unless set).
    void picture(const std::string& name);
    void on_picture(std::function<void(const std::string& name)> taker) { picture_taker_ = std::move(taker); }

    // Lines describing a gauge as the crew and the host see it now: each
    // element with its label, kind, visibility, last value and text, each
    // mouse area with its label and rectangle.
    std::vector<std::string> describe(const GAUGEHDR* gauge) const;
    // Prints that description into the timeline.
    void show(const GAUGEHDR* gauge);
    // From now on the timeline shows the element's value when it passes a
    // point of its scale (a needle's table) and when it settles.
    void trace_value(const GAUGEHDR* gauge, int element);

    // --- Windows -------------------------------------------------------------
    bool open_window(uint32_t ident);  // false: no such window
    bool close_window(uint32_t ident);
    bool window_open(uint32_t ident) const;
    bool gauge_on_open_window(const GAUGEHDR* gauge) const;

    // --- Looking -------------------------------------------------------------
    int64_t tick() const { return tick_; }
    const PanelConfig& config() const { return config_; }
    const std::vector<SentEvent>& events() const { return events_; }
    // Forgets the key events and sound requests seen so far: a scenario's
    // mark, after which expectations look only at what comes next. Keeps a
    // long flight's memory from growing with its history.
    void forget_history() {
        events_.clear();
        sounds_.clear();
        mark_state();
    }
    // Prints the items of the module's shared cockpit record that changed
    // since the last mark (or the start), by name, with their values then
    // and now.
    void show_state();
    const DrawnValue* drawn(const ELEMENT_HEADER* element) const;
    bool installed(const GAUGEHDR* gauge) const { return installed_.count(gauge) != 0; }

    // Elements of a gauge numbered as the trace numbers them: depth first
    // from the background (element k of a chain is its k-th below the
    // background).
    static std::vector<ELEMENT_HEADER*> elements_of(const GAUGEHDR* gauge);
    static std::vector<const MOUSERECT*> areas_of(const GAUGEHDR* gauge);

    // Services called by the module (through the table in ImportTable).
    void initialize(MODULE_VAR* var);
    void lookup(MODULE_VAR* var);
    // Lookups of records that initialize_var had not set up: each would read
    // through a null pointer in the simulator.
    std::size_t uninitialised_lookups() const { return uninitialised_lookups_; }
    void key_event(uint32_t id, uint32_t value);
    int32_t toggle_window(uint32_t ident);
    int32_t calculate(const char* code, double* value);

    // The sound card's requests, as the audio substitute reports them (Linux
    // only: the Windows host cannot look inside DirectSound).
    const AudioTrack& audio() const { return audio_; }
    const std::vector<SoundRequest>& sounds() const { return sounds_; }
    // Whether this host can see the sound card's requests at all.
    static constexpr bool kHearsSounds =
#if defined(_WIN32)
        false;
#else
        true;
#endif
    void sound_event(int kind, const void* buffer, int32_t value);

private:
    struct GaugeRecord {
        GAUGEHDR* gauge;
        std::vector<ELEMENT_HEADER*> elements;
        std::vector<bool> shown;
    };
    struct Ramp {
        double target;
        double step;         // per tick
        std::string source;  // the profile line that started it; empty: the scenario's
    };
    // The profile's changes to one host variable, update after update, for
    // the timeline: a run starts with its first change and ends with the
    // first update that does not change the variable by the same line.
    struct ProfileRun {
        std::string source;
        int64_t first = 0, last = 0;
        double value = 0.0;
    };

    void install(GAUGEHDR* gauge);
    void install_elements(GAUGEHDR* gauge);
    void serve(GAUGEHDR* gauge);
    void draw(GAUGEHDR* gauge);
    void trace_changes();
    void apply_ramps();
    void release_holds();
    void apply_rules();
    void apply_effects(uint32_t id, uint32_t value);
    // The radios' tuning commands: the NAV receivers, ADFs and transponder
    // (radio_stack.h) and the COM radios (com_radios.h), written and traced
    // as the profile's effects are.
    void tune_radios(uint32_t id);
    // The profile line `source` sets `token` (held in `v`) to `next`.
    void profile_writes(uint32_t token, double& v, double next, const std::string& source);
    void trace_profile_runs();
    void publish_motion();
    void publish_navaids();

    LoadedModule& module_;
    PanelConfig config_;
    Profile profile_;
    Roles roles_;
    Trace& trace_;
    PANEL_SERVICES services_{};

    int64_t tick_ = 0;
    std::map<uint32_t, double> variables_;
    std::map<uint32_t, Ramp> ramps_;
    struct Held {
        double release;
        bool arrived;  // the event came during the current update
        std::string source;
    };
    std::map<uint32_t, Held> held_;
    std::map<std::string, double> calculator_;
    std::set<uint32_t> open_;
    std::set<const GAUGEHDR*> installed_;
    std::vector<GaugeRecord> records_;  // in install order
    std::map<const ELEMENT_HEADER*, DrawnValue> drawn_;
    std::vector<SentEvent> events_;
    AudioTrack audio_;
    MarkerTones marker_tones_{audio_};  // the marker receiver's own tones, on the same track
    std::vector<SoundRequest> sounds_;
    std::map<ELEMENT_STRING*, std::vector<char>> text_buffers_;
    std::set<uint32_t> uninitialised_tokens_;
    std::size_t uninitialised_lookups_ = 0;
    bool finished_ = false;
    std::function<void(const std::string&)> picture_taker_;
    std::map<uint32_t, std::pair<std::string, double>> profile_changes_;  // this update's, by token
    std::map<uint32_t, ProfileRun> profile_runs_;
    struct TracedValue {
        const GAUGEHDR* gauge;
        int element;
        double last;
        bool seen;          // a value was drawn since tracing began
        bool moving;        // it changed since it last settled
        int64_t still = 0;  // updates without a change since it last moved
    };
    std::vector<TracedValue> traced_values_;
    std::vector<uint8_t> state_at_mark_;
    AircraftMotion motion_;
    // The engines whose throttles the cockpit has commanded (engines 1 and
    // 2): from then on they answer their levers.
    bool throttle_commanded_[2] = {false, false};
    void spool_engines();
    std::set<uint32_t>
        motion_overrides_;  // driven variables the scenario set since the last motion statement
    Navaids navaids_;
    void mark_state();
    void trace_values();
};

}  // namespace kadrimos::host_sim
