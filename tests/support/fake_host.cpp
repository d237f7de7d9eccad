#include "support/fake_host.h"

#include <gtest/gtest.h>

#include <cstring>

#include "module/exports.h"
#include "module/module_state.h"
#include "sound/sound_bank.h"

#if !defined(_WIN32)
#include "platform/linux/audio_substitute.h"
#endif

namespace kadrimos::testing {
namespace {
FakeHost* current = nullptr;
}  // namespace

struct Services {
    static int32_t record(const char* operation, ELEMENT_HEADER* element, uintptr_t value = 0) {
        current->element_calls_.push_back({operation, element, value});
        return current->element_result;
    }
    static int32_t FSAPI query(ELEMENT_HEADER* e) { return record("query", e); }
    static int32_t FSAPI install(ELEMENT_HEADER* e, uintptr_t v) { return record("install", e, v); }
    static int32_t FSAPI initialize(ELEMENT_HEADER* e) { return record("initialize", e); }
    static int32_t FSAPI update(ELEMENT_HEADER* e) { return record("update", e); }
    static int32_t FSAPI generate(ELEMENT_HEADER* e, uintptr_t v) { return record("generate", e, v); }
    static int32_t FSAPI plot(ELEMENT_HEADER* e) { return record("plot", e); }
    static int32_t FSAPI kill(ELEMENT_HEADER* e) { return record("kill", e); }

    static void FSAPI lookup_var(MODULE_VAR* var) {
        ++current->lookups_;
        auto found = current->variables_.find(var->id);
        std::memset(&var->value, 0, sizeof var->value);
        if (found != current->variables_.end()) var->value = found->second;
    }
    static int32_t FSAPI trigger_key_event(uint32_t id, uint32_t value) {
        current->events_.push_back({id, value});
        return 1;
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
        static const char* const kinds[] = {"", "open", "close", "create", "play", "stop", "volume", "release"};
        if (current == nullptr) return;
        current->sound_events_.push_back(
            {kinds[e->kind], e->buffer ? kadrimos_audio_name(e->buffer) : "", e->value});
    }
};
#endif

namespace {
PANEL_SERVICES table = {
    Services::query,
    Services::install,
    Services::initialize,
    Services::update,
    Services::generate,
    Services::plot,
    Services::kill,
    Services::lookup_var,
    Services::trigger_key_event,
    Services::panel_window_toggle,
    Services::execute_calculator_code,
};

}  // namespace

FakeHost::FakeHost() {
    sound::release_all();
    reset_module();
    current = this;
    ImportTable.services = &table;
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
