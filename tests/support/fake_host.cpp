#include "support/fake_host.h"

#include <gtest/gtest.h>

#include <cstring>
#include <span>

#include "module/catalogue.h"
#include "module/exports.h"
#include "module/module_state.h"
#include "sound/sound_bank.h"

#if !defined(_WIN32)
#include "platform/linux/audio_substitute.h"
#endif

namespace kadrimos::testing {
namespace {
FakeHost* current = nullptr;

// What initialize_var writes into a record's var_ptr: the serial number of
// the host that set it up (never dereferenced). A record set up by an earlier
// host counts as not set up for this one, as for a new simulator.
uintptr_t last_serial = 0;
void* mark_of(uintptr_t serial) { return reinterpret_cast<void*>(serial); }
}  // namespace

struct Services {
    static void record(const char* operation, ELEMENT_HEADER* element, uintptr_t value = 0) {
        current->element_calls_.push_back({operation, element, value});
    }
    static void FSAPI query(ELEMENT_HEADER* e) { record("query", e); }
    static void FSAPI install(ELEMENT_HEADER* e, void* handle) {
        record("install", e, reinterpret_cast<uintptr_t>(handle));
    }
    static void FSAPI initialize(ELEMENT_HEADER* e) { record("initialize", e); }
    static void FSAPI update(ELEMENT_HEADER* e) { record("update", e); }
    static void FSAPI generate(ELEMENT_HEADER* e, uint32_t phase) { record("generate", e, phase); }
    static void FSAPI plot(ELEMENT_HEADER* e) { record("plot", e); }
    static void FSAPI kill(ELEMENT_HEADER* e) { record("kill", e); }

    static void FSAPI initialize_var(MODULE_VAR* var) {
        var->var_ptr = mark_of(current->serial_);
        var->var_type = 1;
    }
    static void FSAPI lookup_var(MODULE_VAR* var) {
        ++current->lookups_;
        if (var->var_ptr != mark_of(current->serial_)) ++current->uninitialised_lookups_;
        auto found = current->variables_.find(var->id);
        std::memset(&var->value, 0, sizeof var->value);
        if (found != current->variables_.end()) var->value = found->second;
    }
    static uint32_t FSAPI trigger_key_event(uint32_t id, uint32_t value) {
        current->events_.push_back({id, value});
        return 0;
    }
    static int32_t FSAPI panel_window_toggle(uint32_t id) {
        current->toggles_.push_back(id);
        return current->toggle_result;
    }
    static int32_t FSAPI execute_calculator_code(const char* code, double* fvalue, int32_t*, const char**) {
        auto found = current->calculator_.find(code);
        if (found == current->calculator_.end()) return 0;
        if (fvalue != nullptr) *fvalue = found->second;
        return 1;
    }
};

#if !defined(_WIN32)
struct SoundObserver {
    static void observe(const KadrimosAudioEvent* e, void*) {
        static const char* const kinds[] = {"",     "open", "close",  "create",
                                            "play", "stop", "volume", "release"};
        if (current == nullptr) return;
        current->sound_events_.push_back(
            {kinds[e->kind], e->buffer ? kadrimos_audio_name(e->buffer) : "", e->value});
    }
};
#endif

namespace {
PANEL_SERVICES make_table() {
    PANEL_SERVICES t{};
    t.element_list_query = Services::query;
    t.element_list_install = Services::install;
    t.element_list_initialize = Services::initialize;
    t.element_list_update = Services::update;
    t.element_list_generate = Services::generate;
    t.element_list_plot = Services::plot;
    t.element_list_kill = Services::kill;
    t.initialize_var = Services::initialize_var;
    t.lookup_var = Services::lookup_var;
    t.trigger_key_event = Services::trigger_key_event;
    t.panel_window_toggle = Services::panel_window_toggle;
    t.execute_calculator_code = Services::execute_calculator_code;
    return t;
}
PANEL_SERVICES table = make_table();

// Every string element of the catalogue.
std::vector<ELEMENT_STRING*> string_elements() {
    std::vector<ELEMENT_STRING*> out;
    for (GAUGEHDR* g : FakeHost::all_gauges())
        for (ELEMENT_HEADER* e : elements_of(*g))
            if (e->element_type == ELEMENT_TYPE_STRING) out.push_back(reinterpret_cast<ELEMENT_STRING*>(e));
    return out;
}

}  // namespace

FakeHost::FakeHost() : serial_(++last_serial) {
    sound::release_all();
    reset_module();
    current = this;
    ImportTable.services = &table;
    for (ELEMENT_STRING* e : string_elements()) {
        text_buffers_.emplace_back(std::size_t{e->max_string_length} + 1, '\0');
        e->string = text_buffers_.back().data();
    }
#if !defined(_WIN32)
    kadrimos_audio_fail_device(0);
    kadrimos_audio_observe(SoundObserver::observe, nullptr);
#endif
}

FakeHost::~FakeHost() {
    sound::release_all();  // nothing a test loaded outlives it
#if !defined(_WIN32)
    kadrimos_audio_observe(nullptr, nullptr);
    kadrimos_audio_fail_device(0);
#endif
    ImportTable.services = nullptr;
    for (ELEMENT_STRING* e : string_elements()) e->string = nullptr;
    current = nullptr;
    reset_module();
}

std::size_t FakeHost::plays(const std::string& name) const {
    std::size_t n = 0;
    for (const SoundEvent& e : sound_events_) n += (e.kind == "play" && e.name == name) ? 1 : 0;
    return n;
}

void FakeHost::set(uint32_t token, double value) {
    MODULE_VAR_VALUE v{};
    v.n = value;
    variables_[token] = v;
}

void FakeHost::set_bits(uint32_t token, uint32_t value) {
    MODULE_VAR_VALUE v{};
    v.bits32 = value;
    variables_[token] = v;
}

void FakeHost::set_calculator(const std::string& expression, double value) {
    calculator_[expression] = value;
}

bool FakeHost::sent(uint32_t id) const { return count(id) > 0; }

std::size_t FakeHost::count(uint32_t id) const {
    std::size_t n = 0;
    for (const KeyEvent& e : events_) n += (e.id == id) ? 1 : 0;
    return n;
}

void FakeHost::clear_logs() {
    events_.clear();
    sound_events_.clear();
    toggles_.clear();
    element_calls_.clear();
    lookups_ = 0;
    uninitialised_lookups_ = 0;
}

std::vector<GAUGEHDR*> FakeHost::all_gauges() {
    std::vector<GAUGEHDR*> out;
    for (std::size_t i = 0; i < kGaugeCount && Linkage.gauge_table[i] != nullptr; ++i)
        out.push_back(Linkage.gauge_table[i]);
    return out;
}

GAUGEHDR& FakeHost::gauge(std::string_view name) {
    for (GAUGEHDR* g : all_gauges())
        if (name == g->gauge_name) return *g;
    ADD_FAILURE() << "no gauge named " << name;
    return *Linkage.gauge_table[0];
}

void FakeHost::service(std::string_view name, int32_t code, uintptr_t extra) {
    GAUGEHDR& g = gauge(name);
    if (g.gauge_callback != nullptr) g.gauge_callback(&g, code, extra);
}

int32_t FakeHost::click(std::string_view name, std::size_t area_index) {
    auto areas = areas_of(gauge(name));
    if (area_index >= areas.size()) {
        ADD_FAILURE() << name << " has no area " << area_index;
        return 0;
    }
    const MOUSERECT& r = *areas[area_index];
    PIXPOINT point{r.box.x + r.box.width / 2, r.box.y + r.box.height / 2};
    return r.mouse_function(&point, r.mouse_flags);
}

int32_t FakeHost::click(std::string_view name, std::string_view area_label) {
    return click(name, area_of(name, area_label));
}

namespace {

template <typename Spec>
std::string labels_of(std::span<const Spec> specs) {
    std::string out;
    for (const Spec& s : specs) out += std::string(out.empty() ? "" : ", ") + "\"" + s.label + "\"";
    return out;
}

template <typename Spec>
std::size_t index_of(std::string_view name, std::span<const Spec> specs, std::string_view label,
                     const char* what) {
    for (std::size_t i = 0; i < specs.size(); ++i)
        if (label == specs[i].label) return i;
    ADD_FAILURE() << name << " has no " << what << " labelled \"" << label
                  << "\"; its labels: " << labels_of(specs);
    return specs.size();
}

const GaugeLabels& labels_of_gauge(std::string_view name) {
    static const GaugeLabels none{};
    const CatalogueEntry* entry = catalogue_entry_of(&FakeHost::gauge(name));
    return entry != nullptr ? *entry->labels : none;
}

}  // namespace

int FakeHost::depth_of(std::string_view name, std::string_view label) {
    return static_cast<int>(index_of(name, labels_of_gauge(name).elements, label, "element"));
}

std::size_t FakeHost::area_of(std::string_view name, std::string_view label) {
    return index_of(name, labels_of_gauge(name).areas, label, "area");
}

int32_t FakeHost::click_at(std::string_view name, int32_t x, int32_t y) {
    for (const MOUSERECT* r : areas_of(gauge(name))) {
        if (x >= r->box.x && x < r->box.x + r->box.width && y >= r->box.y && y < r->box.y + r->box.height) {
            PIXPOINT point{x - r->box.x, y - r->box.y};
            return r->mouse_function(&point, r->mouse_flags);
        }
    }
    ADD_FAILURE() << "no area of " << name << " under (" << x << ", " << y << ")";
    return 0;
}

void FakeHost::draw(std::string_view name) {
    for (ELEMENT_HEADER* e : elements_of(gauge(name))) {
        double v = 0.0;
        switch (e->element_type) {
            case ELEMENT_TYPE_NEEDLE: {
                auto* n = reinterpret_cast<ELEMENT_NEEDLE*>(e);
                if (n->callback != nullptr) v = n->callback(e);
                break;
            }
            case ELEMENT_TYPE_STRING: {
                auto* s = reinterpret_cast<ELEMENT_STRING*>(e);
                if (s->callback != nullptr) v = s->callback(e);
                break;
            }
            case ELEMENT_TYPE_SLIDER: {
                auto* s = reinterpret_cast<ELEMENT_SLIDER*>(e);
                if (s->x_callback != nullptr) v = s->x_callback(e);
                if (s->y_callback != nullptr) v = s->y_callback(e);
                break;
            }
            case ELEMENT_TYPE_MOVING_IMAGE: {
                auto* m = reinterpret_cast<ELEMENT_MOVING_IMAGE*>(e);
                if (m->x_callback != nullptr) v = m->x_callback(e);
                if (m->y_callback != nullptr) v = m->y_callback(e);
                break;
            }
            case ELEMENT_TYPE_SPRITE: {
                auto* s = reinterpret_cast<ELEMENT_SPRITE*>(e);
                if (s->x_callback != nullptr) v = s->x_callback(e);
                if (s->y_callback != nullptr) v = s->y_callback(e);
                if (s->rotation_callback != nullptr) v = s->rotation_callback(e);
                break;
            }
            default:
                continue;
        }
        values_[e] = v;
    }
}

ELEMENT_HEADER* FakeHost::element(std::string_view name, int depth) {
    ELEMENT_HEADER* e = gauge(name).elements_list[0];
    for (int k = 0; k < depth && e != nullptr; ++k) e = e->next_element ? e->next_element[0] : nullptr;
    return e;
}

ELEMENT_HEADER* FakeHost::element(std::string_view name, std::string_view label) {
    return element(name, depth_of(name, label));
}

bool FakeHost::visible(std::string_view name, std::string_view label) {
    return visible(name, depth_of(name, label));
}

bool FakeHost::visible(std::string_view name, int depth) {
    ELEMENT_HEADER* e = element(name, depth);
    EXPECT_NE(e, nullptr) << name << " has no element " << depth;
    return e != nullptr && (e->image_flags & IMAGE_HIDDEN) == 0;
}

double FakeHost::value(const ELEMENT_HEADER* element) const {
    auto found = values_.find(element);
    EXPECT_NE(found, values_.end()) << "element was not drawn";
    return found == values_.end() ? 0.0 : found->second;
}

std::string FakeHost::text(const ELEMENT_HEADER* element) {
    const auto* s = reinterpret_cast<const ELEMENT_STRING*>(element);
    return s->string != nullptr ? std::string(s->string) : std::string();
}

}  // namespace kadrimos::testing
