#include "sim_host.h"

#include <cmath>
#include <cstring>
#include <numbers>
#include <stdexcept>

#include "com_radios.h"
#include "radio_stack.h"

#if !defined(_WIN32)
#include "platform/linux/audio_substitute.h"
#endif

namespace kadrimos::host_sim {
namespace {

// The module calls plain functions; they reach the one active host.
SimHost* active = nullptr;

// The element operations: the simulator installs, updates and draws the
// element lists itself; this host does that work in its own serve and draw.
void FSAPI element_op(ELEMENT_HEADER*) {}
void FSAPI element_install(ELEMENT_HEADER*, void*) {}
void FSAPI element_generate(ELEMENT_HEADER*, uint32_t) {}

// What initialize_var points a record at. The simulator points it at its own
// copy of the variable; this host serves variables by token, and the pointer
// only tells a lookup that the record was set up. It is the same for every
// host of the process, so a record set up by an earlier host stays valid.
const uint32_t kInitialisedRecord = 1;
constexpr uint32_t kTypeDouble = 1;
constexpr uint32_t kTypeInteger = 2;
constexpr uint32_t kAltimeterSettingMb = 75;  // KOHLSMAN_SETTING_MB

void FSAPI initialize_var(MODULE_VAR* var) {
    if (active != nullptr && var != nullptr) active->initialize(var);
}
void FSAPI lookup_var(MODULE_VAR* var) {
    if (active != nullptr && var != nullptr) active->lookup(var);
}
uint32_t FSAPI trigger_key_event(uint32_t id, uint32_t value) {
    if (active != nullptr) active->key_event(id, value);
    return 0;
}
int32_t FSAPI panel_window_toggle(uint32_t ident) {
    return active != nullptr ? active->toggle_window(ident) : 0;
}
int32_t FSAPI execute_calculator_code(const char* code, double* value, int32_t*, const char**) {
    return active != nullptr ? active->calculate(code, value) : 0;
}

// The low 32 bits of an integer variable, without undefined conversions of
// values a scenario may set on purpose (NaN, infinities, out of range).
uint32_t integer_bits(double v) {
    if (!(v == v)) return 0;
    if (v >= 4294967295.0) return 0xFFFFFFFFu;
    if (v <= -2147483648.0) return 0x80000000u;
    if (v < 0) return static_cast<uint32_t>(static_cast<int32_t>(v));
    return static_cast<uint32_t>(v);
}

void collect(ELEMENT_HEADER* e, std::vector<ELEMENT_HEADER*>& out, int guard) {
    if (e == nullptr || guard > 100000) return;
    out.push_back(e);
    if (e->next_element == nullptr) return;
    for (std::size_t i = 0; e->next_element[i] != nullptr; ++i) collect(e->next_element[i], out, guard + 1);
}

#if !defined(_WIN32)
void observe_sound(const KadrimosAudioEvent* e, void*) {
    if (active != nullptr && e != nullptr) active->sound_event(e->kind, e->buffer, e->value);
}
#endif

}  // namespace

void SimHost::sound_event(int kind, const void* buffer, int32_t value) {
#if defined(_WIN32)
    (void)kind;
    (void)buffer;
    (void)value;
#else
    auto* b = static_cast<const KadrimosAudioBuffer*>(buffer);
    std::string name = b != nullptr ? kadrimos_audio_name(b) : "";
    switch (kind) {
        case KADRIMOS_AUDIO_OPEN:
            trace_.sound(tick_, "open", name, value);
            break;
        case KADRIMOS_AUDIO_CLOSE:
            trace_.sound(tick_, "close", name, value);
            break;
        case KADRIMOS_AUDIO_CREATE: {
            const KadrimosAudioFormat* f = kadrimos_audio_format(b);
            uint32_t size = 0;
            const uint8_t* samples = kadrimos_audio_samples(b, &size);
            audio_.create(b, name, f->samples_per_second, f->channels, f->bits_per_sample, samples, size);
            trace_.sound(tick_, "create", name, value);
            break;
        }
        case KADRIMOS_AUDIO_PLAY:
            sounds_.push_back({tick_, name, value != 0 ? "looping" : "played"});
            audio_.play(b, tick_, value != 0);
            trace_.sound(tick_, "play", name, value);
            break;
        case KADRIMOS_AUDIO_STOP:
            sounds_.push_back({tick_, name, "stopped"});
            audio_.stop(b, tick_);
            trace_.sound(tick_, "stop", name, value);
            break;
        case KADRIMOS_AUDIO_VOLUME:
            audio_.volume(b, tick_, value);
            trace_.sound(tick_, "volume", name, value);
            break;
        case KADRIMOS_AUDIO_RELEASE:
            audio_.release(b, tick_);
            trace_.sound(tick_, "release", name, value);
            break;
        default:
            break;
    }
#endif
}

SimHost::SimHost(LoadedModule& module, PanelConfig config, Profile profile, Roles roles, Trace& trace)
    : module_(module),
      config_(std::move(config)),
      profile_(std::move(profile)),
      roles_(std::move(roles)),
      trace_(trace) {
    if (active != nullptr) throw std::logic_error("one simulated host at a time");
    active = this;
    radio_stack::tune_at_load(calculator_);
    services_.element_list_query = element_op;
    services_.element_list_install = element_install;
    services_.element_list_initialize = element_op;
    services_.element_list_update = element_op;
    services_.element_list_generate = element_generate;
    services_.element_list_plot = element_op;
    services_.element_list_kill = element_op;
    services_.initialize_var = initialize_var;
    services_.lookup_var = lookup_var;
    services_.trigger_key_event = trigger_key_event;
    services_.panel_window_toggle = panel_window_toggle;
    services_.execute_calculator_code = execute_calculator_code;
    module_.imports().services = &services_;
#if !defined(_WIN32)
    kadrimos_audio_observe(observe_sound, nullptr);
#endif
    variables_ = profile_.initial_values;
    for (const PanelWindow& w : config_.windows)
        if (w.open_at_start) open_.insert(w.ident);
}

SimHost::~SimHost() {
    finish();  // a host that goes away kills its gauges, whatever stopped it
#if !defined(_WIN32)
    kadrimos_audio_observe(nullptr, nullptr);
#endif
    module_.imports().services = nullptr;
    // The text buffers go with the host.
    for (auto& [element, buffer] : text_buffers_) element->string = nullptr;
    active = nullptr;
}

std::vector<ELEMENT_HEADER*> SimHost::elements_of(const GAUGEHDR* gauge) {
    std::vector<ELEMENT_HEADER*> out;
    for (std::size_t i = 0; gauge->elements_list[i] != nullptr; ++i) collect(gauge->elements_list[i], out, 0);
    return out;
}

std::vector<const MOUSERECT*> SimHost::areas_of(const GAUGEHDR* gauge) {
    std::vector<const MOUSERECT*> out;
    for (const MOUSERECT* r = gauge->mouse_rect; r->rect_type != MOUSE_RECT_EOL; ++r)
        if (r->rect_type == MOUSE_RECT_CHILD) out.push_back(r);
    return out;
}

void SimHost::start() {
    mark_state();
    variables_[kTokenTicks] = 0.0;
    variables_[kTokenSeconds] = 0.0;
    std::string open;
    for (const PanelWindow& w : config_.windows) {
        if (!open_.count(w.ident)) continue;
        for (const Placement& p : w.gauges) install(p.gauge);
        open += (open.empty() ? "" : ", ") + window_name(w.ident);
    }
    trace_.note(tick_, "started: " + std::to_string(installed_.size()) +
                           " gauges installed, windows open: " + (open.empty() ? "none" : open));
}

void SimHost::install(GAUGEHDR* gauge) {
    if (!installed_.insert(gauge).second) return;  // a gauge placed twice is one gauge
    gauge->install_routine(reinterpret_cast<void*>(module_.handle()));
    install_elements(gauge);
    if (gauge->gauge_callback != nullptr)
        gauge->gauge_callback(gauge, PANEL_SERVICE_PRE_INSTALL, module_.handle());
    GaugeRecord record{gauge, elements_of(gauge), {}};
    for (ELEMENT_HEADER* e : record.elements) record.shown.push_back((e->image_flags & IMAGE_HIDDEN) == 0);
    records_.push_back(std::move(record));
}

// What the simulator does with a gauge's element records when it installs
// them: it gives each string its text buffer and works out the angle of the
// needle at each point of each needle's table (in degrees clockwise from
// pointing right, as the background's y axis runs down).
void SimHost::install_elements(GAUGEHDR* gauge) {
    for (ELEMENT_HEADER* e : elements_of(gauge)) {
        if (e->element_type == ELEMENT_TYPE_STRING) {
            auto* s = reinterpret_cast<ELEMENT_STRING*>(e);
            std::vector<char>& buffer = text_buffers_[s];
            buffer.assign(std::size_t{s->max_string_length} + 1, '\0');
            s->string = buffer.data();
        } else if (e->element_type == ELEMENT_TYPE_NEEDLE) {
            auto* n = reinterpret_cast<ELEMENT_NEEDLE*>(e);
            for (uint32_t i = 0; n->nonlinearity_table != nullptr && i < n->nonlinearity_count; ++i) {
                NONLINEARITY& point = n->nonlinearity_table[i];
                point.degrees = std::atan2(point.pt.y - e->position.y, point.pt.x - e->position.x) * 180.0 /
                                std::numbers::pi;
            }
        }
    }
}

// Angles are kept within (-180, 180], as atan2 gives them.
double needle_angle(const ELEMENT_NEEDLE& needle, double value) {
    const NONLINEARITY* table = needle.nonlinearity_table;
    const uint32_t count = needle.nonlinearity_count;
    if (table == nullptr || count == 0 || !std::isfinite(value)) return 0.0;
    // A table runs up or down in value; beyond its ends the needle stays at
    // the end point.
    const bool rising = count < 2 || table[count - 1].value >= table[0].value;
    auto before = [rising](double a, double b) { return rising ? a <= b : a >= b; };
    if (before(value, table[0].value)) return table[0].degrees;
    for (uint32_t i = 1; i < count; ++i) {
        if (!before(value, table[i].value)) continue;
        const double span = table[i].value - table[i - 1].value;
        const double t = span == 0.0 ? 1.0 : (value - table[i - 1].value) / span;
        // Turn the short way between the two points, across the 180 degree
        // line where the scale crosses it.
        double turn = table[i].degrees - table[i - 1].degrees;
        if (turn > 180.0) turn -= 360.0;
        if (turn < -180.0) turn += 360.0;
        double angle = table[i - 1].degrees + t * turn;
        if (angle > 180.0) angle -= 360.0;
        if (angle <= -180.0) angle += 360.0;
        return angle;
    }
    return table[count - 1].degrees;
}

void SimHost::picture(const std::string& name) {
    trace_.picture(tick_, name);
    if (picture_taker_) picture_taker_(name);
}

void SimHost::serve(GAUGEHDR* gauge) {
    gauge->update_routine();
    if (gauge->gauge_callback != nullptr) gauge->gauge_callback(gauge, PANEL_SERVICE_PRE_UPDATE, 0);
}

void SimHost::draw(GAUGEHDR* gauge) {
    gauge->draw_routine();
    for (ELEMENT_HEADER* e : elements_of(gauge)) {
        DrawnValue v;
        v.drawn = true;
        switch (e->element_type) {
            case ELEMENT_TYPE_NEEDLE: {
                auto* n = reinterpret_cast<ELEMENT_NEEDLE*>(e);
                if (n->callback == nullptr) continue;
                v.main = n->callback(e);
                break;
            }
            case ELEMENT_TYPE_STRING: {
                auto* s = reinterpret_cast<ELEMENT_STRING*>(e);
                if (s->callback == nullptr) continue;
                v.main = s->callback(e);
                break;
            }
            case ELEMENT_TYPE_SLIDER: {
                auto* s = reinterpret_cast<ELEMENT_SLIDER*>(e);
                if (s->x_callback) v.main = v.x = s->x_callback(e);
                if (s->y_callback) v.main = v.y = s->y_callback(e);
                break;
            }
            case ELEMENT_TYPE_MOVING_IMAGE: {
                auto* m = reinterpret_cast<ELEMENT_MOVING_IMAGE*>(e);
                if (m->x_callback) v.main = v.x = m->x_callback(e);
                if (m->y_callback) v.main = v.y = m->y_callback(e);
                break;
            }
            case ELEMENT_TYPE_SPRITE: {
                auto* s = reinterpret_cast<ELEMENT_SPRITE*>(e);
                if (s->x_callback) v.x = s->x_callback(e);
                if (s->y_callback) v.y = s->y_callback(e);
                if (s->rotation_callback) v.main = s->rotation_callback(e);
                break;
            }
            default:
                continue;
        }
        drawn_[e] = v;
    }
}

void SimHost::apply_ramps() {
    for (auto it = ramps_.begin(); it != ramps_.end();) {
        double& v = variables_[it->first];
        double next = v + it->second.step;
        bool arrived = (it->second.step >= 0) ? next >= it->second.target : next <= it->second.target;
        next = arrived ? it->second.target : next;
        if (it->second.source.empty())
            v = next;  // the scenario's own ramp
        else
            profile_writes(it->first, v, next, it->second.source);
        it = arrived ? ramps_.erase(it) : std::next(it);
    }
}

void SimHost::update() {
    ++tick_;
    // The clocks the simulator keeps itself: ticks, elapsed seconds, and the
    // engines' working time, which runs while an engine burns fuel.
    variables_[kTokenTicks] = static_cast<double>(tick_);
    variables_[kTokenSeconds] = static_cast<double>(tick_) / kTicksPerSecond;
    if (variable(kTokenFuelFlow1) > 0 || variable(kTokenFuelFlow2) > 0) {
        const double worked = variable(kTokenEngineWorkingTime);
        variables_[kTokenEngineWorkingTime] = (std::isfinite(worked) ? worked : 0.0) + 1.0 / kTicksPerSecond;
    }
    apply_ramps();
    spool_engines();
    if (motion_.active()) {
        // The simulator's autopilot flies the aircraft from what its
        // variables read as this update begins.
        HostAutopilot ap;
        ap.master = variable(kTokenApMaster);
        ap.wing_leveler = variable(kTokenApWingLeveler);
        ap.nav_hold = variable(kTokenApNavHold);
        ap.heading_hold = variable(kTokenApHeadingHold);
        ap.heading_bug_deg = variable(kTokenApHeadingBug);
        ap.altitude_hold = variable(kTokenApAltitudeHold);
        ap.altitude_ref_ft = variable(kTokenApAltitudeRef);
        ap.approach_hold = variable(kTokenApApproachHold);
        ap.glideslope_hold = variable(kTokenApGlideslopeHold);
        ap.vertical_speed_ref_fpm = variable(kTokenApVerticalSpeed);
        motion_.set_autopilot(ap);
        Thrust thrust;
        thrust.airspeed_hold = variable(kTokenApAirspeedHold) == 1.0;
        thrust.reference_kt = variable(kTokenApAirspeedRef);
        thrust.throttles_commanded =
            variable(kTokenAutothrottleArmed) == 1.0 && (throttle_commanded_[0] || throttle_commanded_[1]);
        thrust.n1 = (variable(kTokenN1Engine1) + variable(kTokenN1Engine2)) / 2.0;
        motion_.set_thrust(thrust);
        motion_.set_nav1_mhz(nav_frequency_mhz(variable(radio_stack::kTokenNav1)));
        motion_.step();
        publish_motion();
        publish_navaids();
    }
    marker_tones_.update(tick_, variable(kTokenMarkerBeacon), variable(kTokenMarkerChannel) == 1.0);
    std::vector<GAUGEHDR*> served;
    for (const PanelWindow& w : config_.windows) {
        if (!open_.count(w.ident)) continue;
        for (const Placement& p : w.gauges) {
            // A window event sent by an earlier gauge of this update may have
            // closed this window already; the simulator stops serving it then.
            if (!open_.count(w.ident)) break;
            serve(p.gauge);
            served.push_back(p.gauge);
        }
    }
    for (GAUGEHDR* g : served) draw(g);
    release_holds();
    apply_rules();
    trace_changes();
    trace_values();
    trace_profile_runs();
    trace_.end_update(tick_);
}

// A held value lasts while its event comes at every update: the simulator
// keeps a starter engaged only while the panel holds it.
void SimHost::release_holds() {
    for (auto it = held_.begin(); it != held_.end();) {
        if (it->second.arrived) {
            it->second.arrived = false;
            ++it;
        } else {
            profile_writes(it->first, variables_[it->first], it->second.release,
                           it->second.source + " (no longer held)");
            it = held_.erase(it);
        }
    }
}

// One step of the aircraft's own behaviour: each rule whose conditions all
// hold applies its effect, in file order.
void SimHost::apply_rules() {
    for (const Rule& rule : profile_.rules) {
        bool all = true;
        for (const Condition& c : rule.conditions) all = all && c.holds(variable(c.token));
        if (!all) continue;
        const Effect& e = rule.effect;
        double& v = variables_[e.token];
        switch (e.kind) {
            case Effect::Kind::Set:
                profile_writes(e.token, v, e.value, e.source);
                break;
            case Effect::Kind::Add:
                profile_writes(e.token, v, std::fmin(std::fmax(v + e.value, e.low), e.high), e.source);
                break;
            case Effect::Kind::Ramp: {
                const double from = std::isfinite(v) ? v : 0.0;
                const double step = e.rate_per_second / kTicksPerSecond;
                profile_writes(
                    e.token, v,
                    e.value >= from ? std::fmin(from + step, e.value) : std::fmax(from - step, e.value),
                    e.source);
                break;
            }
            default:
                break;  // the reader admits no other effect in a rule
        }
    }
}

void SimHost::trace_changes() {
    std::vector<Trace::ElementChange> changes;
    for (GaugeRecord& r : records_) {
        changes.clear();
        for (std::size_t i = 0; i < r.elements.size(); ++i) {
            bool shown = (r.elements[i]->image_flags & IMAGE_HIDDEN) == 0;
            if (shown == r.shown[i]) continue;
            r.shown[i] = shown;
            int index = static_cast<int>(i);
            changes.push_back({index, roles_.of(r.gauge->gauge_name, index), shown});
        }
        trace_.elements(tick_, r.gauge->gauge_name, changes);
    }
}

void SimHost::finish() {
    if (finished_) return;
    finished_ = true;
    trace_.finish(tick_);
    for (GaugeRecord& r : records_) {
        if (r.gauge->gauge_callback != nullptr) r.gauge->gauge_callback(r.gauge, PANEL_SERVICE_PRE_KILL, 0);
        r.gauge->kill_routine();
    }
}

void SimHost::set_variable(uint32_t token, double value) {
    if (motion_.drives_now(token) && motion_overrides_.insert(token).second)
        trace_.motion_override(tick_, token);
    ramps_.erase(token);
    held_.erase(token);
    variables_[token] = value;
}

double SimHost::variable(uint32_t token) const {
    auto found = variables_.find(token);
    return found == variables_.end() ? 0.0 : found->second;
}

void SimHost::ramp_variable(uint32_t token, double target, int64_t ticks) {
    if (ticks <= 0) {
        set_variable(token, target);
        return;
    }
    if (motion_.drives_now(token) && motion_overrides_.insert(token).second)
        trace_.motion_override(tick_, token);
    double from = variable(token);
    if (!std::isfinite(from)) from = 0.0;
    ramps_[token] = {target, (target - from) / static_cast<double>(ticks), {}};
}

std::string SimHost::move_aircraft(const MotionCommand& command) {
    std::string why = motion_.command(command);
    if (why.empty()) {
        // The model takes back what the scenario had taken over, ramps too.
        for (const DrivenVariable& d : kDrivenVariables) ramps_.erase(d.token);
        if (motion_.ils_placed())
            for (const DrivenVariable& d : kIlsVariables) ramps_.erase(d.token);
        // The crew sets the runway's course on the receiver as the ILS is
        // placed; from then on the course is the cockpit's.
        if (command.kind == MotionCommand::Kind::Ils) {
            ramps_.erase(kTokenNavCourse);
            variables_[kTokenNavCourse] = command.value;
        }
        motion_overrides_.clear();
        publish_motion();
    }
    return why;
}

// The model's variables, but those the scenario took over; and the model's
// notes for the timeline.
void SimHost::publish_motion() {
    for (const MotionNote& n : motion_.take_notes()) trace_.motion(tick_, n.what, n.text);
    if (!motion_.active()) return;  // terrain and temperature alone move nothing yet
    const auto setting = variables_.find(kAltimeterSettingMb);
    const double setting_mb = setting == variables_.end() ? kStandardSettingMb : setting->second;
    for (const AircraftMotion::Output& o : motion_.outputs(setting_mb))
        if (motion_overrides_.count(o.token) == 0) variables_[o.token] = o.value;
    if (motion_.ils_placed())
        for (const AircraftMotion::Output& o : motion_.ils_outputs())
            if (motion_overrides_.count(o.token) == 0) variables_[o.token] = o.value;
}

// What the receivers make of the stations, where the aircraft is now. The
// first receiver's needle, flag, status and signal belong to the ILS once
// one is placed.
void SimHost::publish_navaids() {
    if (!navaids_.any()) return;
    const Navaids::Aircraft a = {motion_.east_ft(), motion_.north_ft(), motion_.heading_deg()};
    const auto khz = [this](const char* expression) {
        const auto found = calculator_.find(expression);
        return found == calculator_.end() ? 0.0 : found->second;
    };
    const Navaids::Tuning t = {variable(radio_stack::kTokenNav1), variable(radio_stack::kTokenNav2),
                               khz(radio_stack::kAdf1Expression), khz(radio_stack::kAdf2Expression),
                               variable(kTokenNavCourse)};
    const auto out = navaids_.outputs(a, t);
    const std::size_t owned = motion_.ils_placed() ? out.size() - Navaids::kIlsOwned : out.size();
    for (std::size_t i = 0; i < owned; ++i) variables_[out[i].token] = out[i].value;
    calculator_[kAdf2Radial] = navaids_.adf2_radial_rad(a, t);
}

void SimHost::set_calculator(const std::string& expression, double value) { calculator_[expression] = value; }

int32_t SimHost::click(GAUGEHDR* gauge, int area_index, PIXPOINT point) {
    const MOUSERECT* area = areas_of(gauge).at(static_cast<std::size_t>(area_index));
    trace_.click(tick_, gauge->gauge_name, area_index, roles_.area_of(gauge->gauge_name, area_index));
    return area->mouse_function(&point, area->mouse_flags);
}

bool SimHost::open_window(uint32_t ident) {
    const PanelWindow* w = config_.find(ident);
    if (w == nullptr) return false;
    if (!open_.insert(ident).second) return true;
    trace_.window(tick_, ident, true);
    for (const Placement& p : w->gauges) install(p.gauge);
    return true;
}

bool SimHost::close_window(uint32_t ident) {
    if (config_.find(ident) == nullptr) return false;
    if (open_.erase(ident)) trace_.window(tick_, ident, false);
    return true;
}

bool SimHost::window_open(uint32_t ident) const { return open_.count(ident) != 0; }

bool SimHost::gauge_on_open_window(const GAUGEHDR* gauge) const {
    for (const PanelWindow& w : config_.windows)
        if (open_.count(w.ident))
            for (const Placement& p : w.gauges)
                if (p.gauge == gauge) return true;
    return false;
}

const DrawnValue* SimHost::drawn(const ELEMENT_HEADER* element) const {
    auto found = drawn_.find(element);
    return found == drawn_.end() ? nullptr : &found->second;
}

void SimHost::initialize(MODULE_VAR* var) {
    var->var_ptr = const_cast<uint32_t*>(&kInitialisedRecord);
    var->var_type = profile_.integer_tokens.count(var->id) ? kTypeInteger : kTypeDouble;
}

void SimHost::lookup(MODULE_VAR* var) {
    std::memset(&var->value, 0, sizeof var->value);
    // The simulator reads a variable through the pointer that
    // initialize_var set: a record never set up would be read through null.
    // This host serves 0 and says so once per token.
    if (var->var_ptr == nullptr) {
        ++uninitialised_lookups_;
        if (uninitialised_tokens_.insert(var->id).second)
            trace_.note(tick_, "host: token " + std::to_string(var->id) + " looked up before initialize_var");
        return;
    }
    double v = variable(var->id);
    if (profile_.integer_tokens.count(var->id))
        var->value.bits32 = integer_bits(v);
    else
        var->value.n = v;
}

// Engines whose throttles the cockpit commands spool to their levers' N1;
// the others keep what the profile and the scenario give them.
void SimHost::spool_engines() {
    struct Engine {
        uint32_t n1, n2, lever;
    };
    constexpr Engine kEngines[2] = {{kTokenN1Engine1, kTokenN2Engine1, kTokenLeverFraction1},
                                    {kTokenN1Engine2, kTokenN2Engine2, kTokenLeverFraction2}};
    for (int k = 0; k < 2; ++k) {
        const Engine& e = kEngines[k];
        if (!throttle_commanded_[k] || !(variable(e.n2) >= kRunningN2)) continue;
        const double n1 = spool_n1(variable(e.n1), variable(e.lever));
        profile_writes(e.n1, variables_[e.n1], n1, "the engine answering its throttle");
        profile_writes(e.n2, variables_[e.n2], n2_for_n1(n1), "the engine answering its throttle");
    }
}

void SimHost::key_event(uint32_t id, uint32_t value) {
    events_.push_back({tick_, id, value});
    if (id == kEventThrottle1Set || id == kEventThrottle1Up) throttle_commanded_[0] = true;
    if (id == kEventThrottle2Set || id == kEventThrottle2Up) throttle_commanded_[1] = true;
    trace_.event(tick_, id, value);
    if (id == kEventOpenWindow && !open_window(value)) trace_.unknown_window(tick_, value, "opening");
    if (id == kEventCloseWindow && !close_window(value)) trace_.unknown_window(tick_, value, "closing");
    tune_radios(id);
    apply_effects(id, value);
}

void SimHost::tune_radios(uint32_t id) {
    std::map<uint32_t, double> tuned;
    for (uint32_t token : radio_stack::kTunedTokens) tuned[token] = variable(token);
    if (radio_stack::answer(id, tuned, calculator_)) {
        for (const auto& [token, value] : tuned)
            if (!(value == variable(token)))
                profile_writes(token, variables_[token], value, "the radio stack tuning its radio");
        return;
    }
    if (ComTuning t = com_radio_tuning(id, variables_); t.token != 0)
        profile_writes(t.token, variables_[t.token], t.value, t.source);
}

void SimHost::apply_effects(uint32_t id, uint32_t value) {
    auto found = profile_.effects.find(id);
    if (found == profile_.effects.end()) return;
    for (const Effect& e : found->second) {
        double& v = variables_[e.token];
        switch (e.kind) {
            case Effect::Kind::Toggle:
                ramps_.erase(e.token);
                profile_writes(e.token, v, v == 0.0 ? 1.0 : 0.0, e.source);
                break;
            case Effect::Kind::Set:
                ramps_.erase(e.token);
                profile_writes(e.token, v, e.value, e.source);
                break;
            case Effect::Kind::SetEventValue:
                // Event values are 32-bit integers; commands such as a trim
                // setting are signed. Some carry their value in a unit of
                // their own (the altimeter setting in sixteenths of a
                // millibar), which the profile's factor turns into the
                // variable's.
                ramps_.erase(e.token);
                profile_writes(e.token, v, static_cast<double>(static_cast<int32_t>(value)) * e.value,
                               e.source);
                break;
            case Effect::Kind::Add:
                ramps_.erase(e.token);
                profile_writes(e.token, v, std::fmin(std::fmax(v + e.value, e.low), e.high), e.source);
                break;
            case Effect::Kind::Ramp: {
                double from = std::isfinite(v) ? v : 0.0;
                double step = e.rate_per_second / kTicksPerSecond;
                ramps_[e.token] = {e.value, e.value >= from ? step : -step, e.source};
                break;
            }
            case Effect::Kind::Hold:
                ramps_.erase(e.token);
                profile_writes(e.token, v, e.value, e.source);
                held_[e.token] = {e.release, true, e.source};
                break;
        }
    }
}

namespace {

const char* kind_name(uint32_t kind) {
    switch (kind) {
        case ELEMENT_TYPE_STATIC_IMAGE:
            return "background";
        case ELEMENT_TYPE_NEEDLE:
            return "needle";
        case ELEMENT_TYPE_STRING:
            return "string";
        case ELEMENT_TYPE_SLIDER:
            return "slider";
        case ELEMENT_TYPE_ICON:
            return "icon";
        case ELEMENT_TYPE_MOVING_IMAGE:
            return "moving image";
        case ELEMENT_TYPE_SPRITE:
            return "sprite";
        default:
            return "element";
    }
}

std::string shown_number(double v) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%.6g", v);
    return buf;
}

}  // namespace

std::vector<std::string> SimHost::describe(const GAUGEHDR* gauge) const {
    std::vector<std::string> lines;
    const std::string name = gauge->gauge_name;
    const std::vector<ELEMENT_HEADER*> elements = elements_of(gauge);
    for (std::size_t k = 0; k < elements.size(); ++k) {
        const ELEMENT_HEADER* e = elements[k];
        const std::string role = roles_.of(name, static_cast<int>(k));
        std::string line = "element " + std::to_string(k) + (role.empty() ? "" : " (" + role + ")") + ", " +
                           kind_name(e->element_type) + ", " +
                           ((e->image_flags & IMAGE_HIDDEN) != 0 ? "hidden" : "shown");
        if (const DrawnValue* v = drawn(e)) {
            if (e->element_type == ELEMENT_TYPE_SLIDER || e->element_type == ELEMENT_TYPE_MOVING_IMAGE)
                line += ", x " + shown_number(v->x) + " y " + shown_number(v->y);
            else if (e->element_type != ELEMENT_TYPE_ICON && e->element_type != ELEMENT_TYPE_STATIC_IMAGE)
                line += ", value " + shown_number(v->main);
        }
        if (e->element_type == ELEMENT_TYPE_STRING) {
            const auto* str = reinterpret_cast<const ELEMENT_STRING*>(e);
            if (str->string != nullptr)
                line += ", text \"" + std::string(str->string, strnlen(str->string, str->max_string_length)) +
                        "\"";
        }
        lines.push_back(line);
    }
    const std::vector<const MOUSERECT*> areas = areas_of(gauge);
    for (std::size_t i = 0; i < areas.size(); ++i) {
        const std::string label = roles_.area_of(name, static_cast<int>(i));
        const PIXBOX& b = areas[i]->box;
        lines.push_back("area " + std::to_string(i) + (label.empty() ? "" : " (" + label + ")") + ", x " +
                        std::to_string(b.x) + " y " + std::to_string(b.y) + " width " +
                        std::to_string(b.width) + " height " + std::to_string(b.height));
    }
    return lines;
}

void SimHost::show(const GAUGEHDR* gauge) { trace_.show(tick_, gauge->gauge_name, describe(gauge)); }

void SimHost::mark_state() {
    const STATE_DIRECTORY* d = module_.state();
    if (d == nullptr) return;
    const auto* record = static_cast<const uint8_t*>(d->record);
    state_at_mark_.assign(record, record + d->record_size);
}

namespace {

// One element of an item, as text.
std::string state_value(const uint8_t* at, uint32_t kind) {
    auto read = [at](auto v) {
        std::memcpy(&v, at, sizeof v);
        return v;
    };
    switch (kind) {
        case STATE_U8:
            return std::to_string(read(uint8_t{}));
        case STATE_I8:
            return std::to_string(read(int8_t{}));
        case STATE_U16:
            return std::to_string(read(uint16_t{}));
        case STATE_I16:
            return std::to_string(read(int16_t{}));
        case STATE_U32:
            return std::to_string(read(uint32_t{}));
        case STATE_I32:
            return std::to_string(read(int32_t{}));
        case STATE_F32:
            return shown_number(read(float{}));
        case STATE_F64:
            return shown_number(read(double{}));
        default:
            return "?";
    }
}

}  // namespace

void SimHost::show_state() {
    const STATE_DIRECTORY* d = module_.state();
    std::vector<std::string> lines;
    if (d == nullptr) {
        lines.push_back("the module describes no shared state");
    } else {
        if (state_at_mark_.size() != d->record_size) mark_state();
        const auto* now = static_cast<const uint8_t*>(d->record);
        for (uint32_t i = 0; i < d->item_count; ++i) {
            const STATE_ITEM& item = d->items[i];
            if (item.count == 0 || item.offset + item.size > d->record_size) continue;
            const uint32_t each = item.size / item.count;
            for (uint32_t k = 0; k < item.count; ++k) {
                const uint32_t at = item.offset + k * each;
                if (std::memcmp(now + at, state_at_mark_.data() + at, each) == 0) continue;
                lines.push_back(std::string(item.name) +
                                (item.count > 1 ? "[" + std::to_string(k) + "]" : "") + " " +
                                state_value(state_at_mark_.data() + at, item.kind) + " -> " +
                                state_value(now + at, item.kind));
            }
        }
        if (lines.empty()) lines.push_back("no item changed since the mark");
    }
    trace_.show(tick_, "state", lines);
}

void SimHost::trace_value(const GAUGEHDR* gauge, int element) {
    for (const TracedValue& t : traced_values_)
        if (t.gauge == gauge && t.element == element) return;
    traced_values_.push_back({gauge, element, 0.0, false, false, 0});
}

// A traced value prints as tracing begins, when it passes a point of its
// needle's table, and when it has stood still for a second after moving.
void SimHost::trace_values() {
    for (TracedValue& t : traced_values_) {
        const ELEMENT_HEADER* e = elements_of(t.gauge)[static_cast<std::size_t>(t.element)];
        const DrawnValue* v = drawn(e);
        if (v == nullptr) continue;
        const std::string role = roles_.of(t.gauge->gauge_name, t.element);
        const double now = v->main;
        if (!t.seen) {
            trace_.value(tick_, t.gauge->gauge_name, t.element, role, "value", now);
            t = {t.gauge, t.element, now, true, false, 0};
            continue;
        }
        const bool same = now == t.last || (std::isnan(now) && std::isnan(t.last));
        if (same) {
            // Settled: a whole second without a change after moving (a value
            // that steps now and then is still on its way).
            if (t.moving && ++t.still == kTicksPerSecond) {
                trace_.value(tick_, t.gauge->gauge_name, t.element, role, "settled at", now);
                t.moving = false;
            }
            continue;
        }
        t.still = 0;
        if (e->element_type == ELEMENT_TYPE_NEEDLE) {
            const auto* n = reinterpret_cast<const ELEMENT_NEEDLE*>(e);
            for (uint32_t i = 0; n->nonlinearity_table != nullptr && i < n->nonlinearity_count; ++i) {
                const double mark = n->nonlinearity_table[i].value;
                if ((t.last < mark && mark <= now) || (now <= mark && mark < t.last))
                    trace_.value(tick_, t.gauge->gauge_name, t.element, role, "passed", mark);
            }
        }
        t.last = now;
        t.moving = true;
    }
}

void SimHost::profile_writes(uint32_t token, double& v, double next, const std::string& source) {
    const bool same = v == next || (std::isnan(v) && std::isnan(next));
    v = next;
    if (!same) profile_changes_[token] = {source, next};
}

// After each update: a variable the profile began to change prints a line;
// one it went on changing for several updates prints another when it stops.
void SimHost::trace_profile_runs() {
    for (const auto& [token, change] : profile_changes_) {
        auto run = profile_runs_.find(token);
        if (run != profile_runs_.end() && run->second.source == change.first &&
            run->second.last == tick_ - 1) {
            run->second.last = tick_;
            run->second.value = change.second;
            continue;
        }
        if (run != profile_runs_.end() && run->second.last > run->second.first)
            trace_.profile_change(
                tick_, token, run->second.value,
                "over " + std::to_string(run->second.last - run->second.first + 1) + " updates",
                run->second.source);
        trace_.profile_change(tick_, token, change.second, "", change.first);
        profile_runs_[token] = {change.first, tick_, tick_, change.second};
    }
    for (auto it = profile_runs_.begin(); it != profile_runs_.end();) {
        const ProfileRun& r = it->second;
        if (r.last >= tick_) {
            ++it;
            continue;
        }
        if (r.last > r.first)
            trace_.profile_change(tick_, it->first, r.value,
                                  "over " + std::to_string(r.last - r.first + 1) + " updates", r.source);
        it = profile_runs_.erase(it);
    }
    profile_changes_.clear();
}

int32_t SimHost::toggle_window(uint32_t ident) {
    if (config_.find(ident) == nullptr) {
        trace_.unknown_window(tick_, ident, "toggling");
        return 0;
    }
    if (window_open(ident))
        close_window(ident);
    else
        open_window(ident);
    return 1;
}

int32_t SimHost::calculate(const char* code, double* value) {
    if (code == nullptr) return 0;
    auto found = calculator_.find(code);
    if (found == calculator_.end()) return 0;
    if (value != nullptr) *value = found->second;
    return 1;
}

}  // namespace kadrimos::host_sim
