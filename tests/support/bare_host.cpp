#include "support/bare_host.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "module/exports.h"
#include "module/module_state.h"
#include "sound/sound_bank.h"
#include "support/catalogue_walk.h"

namespace kadrimos::testing {
namespace {

BareHost* current = nullptr;

void FSAPI element_call(ELEMENT_HEADER*) {}
void FSAPI element_install(ELEMENT_HEADER*, void*) {}
void FSAPI element_generate(ELEMENT_HEADER*, uint32_t) {}

// Where initialize_var points a record: the variables live in the host's
// fixed table, and lookups read them by token.
const uint32_t kInitialised = 1;

}  // namespace

struct BareHost::Services {
    static void FSAPI initialize_var(MODULE_VAR* var) {
        var->var_ptr = const_cast<uint32_t*>(&kInitialised);
        var->var_type = 1;
    }
    static void FSAPI lookup_var(MODULE_VAR* var) {
        std::memset(&var->value, 0, sizeof var->value);
        if (current != nullptr && var->id < kTokens) var->value = current->variables_[var->id];
    }
    static uint32_t FSAPI trigger_key_event(uint32_t id, uint32_t) {
        ++current->events;
        current->last_event = id;
        return 0;
    }
    static int32_t FSAPI panel_window_toggle(uint32_t) {
        ++current->toggles;
        return 1;
    }
    static int32_t FSAPI execute_calculator_code(const char*, double* fvalue, int32_t*, const char**) {
        if (!current->calculator_answers) return 0;
        if (fvalue != nullptr) *fvalue = current->calculator_value;
        return 1;
    }
};

namespace {
PANEL_SERVICES bare_services = {};
}  // namespace

BareHost::BareHost() : BareHost(Linkage.gauge_table) {}

BareHost::BareHost(GAUGEHDR* const* gauges) {
    sound::release_all();
    reset_module();
    current = this;
    bare_services.element_list_query = element_call;
    bare_services.element_list_install = element_install;
    bare_services.element_list_initialize = element_call;
    bare_services.element_list_update = element_call;
    bare_services.element_list_generate = element_generate;
    bare_services.element_list_plot = element_call;
    bare_services.element_list_kill = element_call;
    bare_services.initialize_var = Services::initialize_var;
    bare_services.lookup_var = Services::lookup_var;
    bare_services.trigger_key_event = Services::trigger_key_event;
    bare_services.panel_window_toggle = Services::panel_window_toggle;
    bare_services.execute_calculator_code = Services::execute_calculator_code;
    ImportTable.services = &bare_services;
    for (std::size_t i = 0; gauges[i] != nullptr; ++i) {
        GAUGEHDR* g = gauges[i];
        gauges_.push_back(g);
        elements_.push_back(elements_of(*g));
        areas_.push_back(areas_of(*g));
        // The host owns the text buffers, made here once: nothing is
        // allocated after construction.
        for (ELEMENT_HEADER* e : elements_.back()) {
            if (e->element_type != ELEMENT_TYPE_STRING) continue;
            auto* s = reinterpret_cast<ELEMENT_STRING*>(e);
            text_buffers_.emplace_back(std::size_t{s->max_string_length} + 1, '\0');
            strings_.push_back(s);
        }
    }
    give_text_buffers(true);
}

void BareHost::give_text_buffers(bool give) {
    for (std::size_t i = 0; i < strings_.size(); ++i)
        strings_[i]->string = give ? text_buffers_[i].data() : nullptr;
}

BareHost::~BareHost() {
    sound::release_all();
    ImportTable.services = nullptr;
    give_text_buffers(false);
    current = nullptr;
    reset_module();
}

void BareHost::restart() {
    sound::release_all();
    reset_module();
    for (MODULE_VAR_VALUE& v : variables_) v = MODULE_VAR_VALUE{};
    for (std::vector<char>& b : text_buffers_) std::fill(b.begin(), b.end(), '\0');
    give_text_buffers(true);
    calculator_value = 0;
    calculator_answers = true;
    ticks_ = 0;
    events = 0;
    last_event = 0;
    toggles = 0;
    drawn_sum = 0;
    drawn_not_finite = 0;
}

void BareHost::set(uint32_t token, double value) {
    if (token >= kTokens) return;
    variables_[token] = MODULE_VAR_VALUE{};
    variables_[token].n = value;
}

void BareHost::set_bits(uint32_t token, uint32_t value) {
    if (token >= kTokens) return;
    variables_[token] = MODULE_VAR_VALUE{};
    variables_[token].bits32 = value;
}

double BareHost::get(uint32_t token) const { return token < kTokens ? variables_[token].n : 0.0; }

const char* BareHost::name(std::size_t gauge) const { return gauges_[gauge]->gauge_name; }

void BareHost::service(std::size_t gauge, int32_t code, uintptr_t extra) {
    GAUGEHDR* g = gauges_[gauge];
    if (g->gauge_callback != nullptr) g->gauge_callback(g, code, extra);
}

void BareHost::install_all() {
    for (std::size_t i = 0; i < gauges_.size(); ++i) {
        gauges_[i]->install_routine(nullptr);
        service(i, PANEL_SERVICE_PRE_INSTALL, 0);
    }
}

void BareHost::kill_all() {
    for (std::size_t i = 0; i < gauges_.size(); ++i) {
        service(i, PANEL_SERVICE_PRE_KILL, 0);
        gauges_[i]->kill_routine();
    }
}

void BareHost::update(std::size_t gauge) {
    gauges_[gauge]->update_routine();
    service(gauge, PANEL_SERVICE_PRE_UPDATE, 0);
}

void BareHost::update_all() {
    ++ticks_;
    set(kTokenTicks, static_cast<double>(ticks_));
    set(kTokenSeconds, static_cast<double>(ticks_) / 18.0);
    set(kTokenSimSeconds, static_cast<double>(ticks_) / 18.0);
    for (std::size_t i = 0; i < gauges_.size(); ++i) update(i);
}

void BareHost::draw(std::size_t gauge) {
    gauges_[gauge]->draw_routine();
    for (ELEMENT_HEADER* e : elements_[gauge]) {
        double v = 0;
        switch (e->element_type) {
            case ELEMENT_TYPE_NEEDLE: {
                auto* n = reinterpret_cast<ELEMENT_NEEDLE*>(e);
                if (n->callback != nullptr) v += n->callback(e);
                break;
            }
            case ELEMENT_TYPE_STRING: {
                auto* s = reinterpret_cast<ELEMENT_STRING*>(e);
                if (s->callback != nullptr) v += s->callback(e);
                break;
            }
            case ELEMENT_TYPE_SLIDER: {
                auto* s = reinterpret_cast<ELEMENT_SLIDER*>(e);
                if (s->x_callback != nullptr) v += s->x_callback(e);
                if (s->y_callback != nullptr) v += s->y_callback(e);
                break;
            }
            case ELEMENT_TYPE_MOVING_IMAGE: {
                auto* m = reinterpret_cast<ELEMENT_MOVING_IMAGE*>(e);
                if (m->x_callback != nullptr) v += m->x_callback(e);
                if (m->y_callback != nullptr) v += m->y_callback(e);
                break;
            }
            case ELEMENT_TYPE_SPRITE: {
                auto* s = reinterpret_cast<ELEMENT_SPRITE*>(e);
                if (s->x_callback != nullptr) v += s->x_callback(e);
                if (s->y_callback != nullptr) v += s->y_callback(e);
                if (s->rotation_callback != nullptr) v += s->rotation_callback(e);
                break;
            }
            default:
                break;
        }
        if (std::isfinite(v)) {
            drawn_sum += v;
        } else {
            ++drawn_not_finite;
        }
    }
}

void BareHost::draw_all() {
    for (std::size_t i = 0; i < gauges_.size(); ++i) draw(i);
}

void BareHost::click(std::size_t gauge, std::size_t area, uint32_t mouse_flags) {
    const MOUSERECT* r = areas_[gauge][area];
    if (r->mouse_function == nullptr) return;
    PIXPOINT at = {r->box.x + r->box.width / 2, r->box.y + r->box.height / 2};
    r->mouse_function(&at, mouse_flags);
}

}  // namespace kadrimos::testing
