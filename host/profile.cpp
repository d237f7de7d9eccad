#include "profile.h"

#include <cmath>

#include "text_input.h"
#include "trace.h"

namespace kadrimos::host_sim {
namespace {

constexpr int64_t kMaxToken = 0x7FFFFFFF;

// A token or an event at word i, by number or, given names, by name.
uint32_t token_at(const Line& line, std::size_t i, const Names* names) {
    if (names != nullptr) return names->token_at(line, i);
    return static_cast<uint32_t>(need_integer(line, i, "a variable token", 0, kMaxToken));
}

uint32_t event_at(const Line& line, std::size_t i, const Names* names) {
    if (names != nullptr) return names->event_at(line, i);
    return static_cast<uint32_t>(need_integer(line, i, "an event id", 0, 0xFFFFFFFF));
}

// An effect whose kind word is at `at`: "on EVENT KIND ..." has it at 2, a
// rule's "then KIND ..." wherever its conditions end.
Effect read_effect(const Line& line, std::size_t at, const Names* names) {
    Effect e;
    const std::string& kind = need_word(line, at, "an effect (toggle, set, add, ramp or hold)");
    e.token = token_at(line, at + 1, names);
    if (kind == "toggle") {
        need_count(line, at + 2, at + 2);
        e.kind = Effect::Kind::Toggle;
    } else if (kind == "set") {
        // set TOKEN VALUE, set TOKEN value [times FACTOR]
        if (line.words.size() > at + 2 && line.words[at + 2] == "value") {
            need_count(line, at + 3, at + 5);
            e.kind = Effect::Kind::SetEventValue;
            e.value = 1.0;
            if (line.words.size() > at + 3) {
                if (line.words[at + 3] != "times") line.fail("expected 'times' after 'value'");
                need_count(line, at + 5, at + 5);
                e.value = need_double(line, at + 4, "the factor");
            }
        } else {
            need_count(line, at + 3, at + 3);
            e.kind = Effect::Kind::Set;
            e.value = need_double(line, at + 2, "the value to set");
        }
    } else if (kind == "add") {
        // add TOKEN STEP [min LOW] [max HIGH]
        e.kind = Effect::Kind::Add;
        e.value = need_double(line, at + 2, "the step");
        std::size_t i = at + 3;
        while (i < line.words.size()) {
            const std::string& w = line.words[i];
            if (w == "min") {
                e.low = need_double(line, i + 1, "the lower limit");
            } else if (w == "max") {
                e.high = need_double(line, i + 1, "the upper limit");
            } else {
                line.fail("expected 'min' or 'max', found '" + w + "'");
            }
            i += 2;
        }
        if (e.low > e.high) line.fail("min is above max");
    } else if (kind == "ramp") {
        // ramp TOKEN to TARGET rate PER_SECOND
        need_count(line, at + 6, at + 6);
        if (line.words[at + 2] != "to") line.fail("expected 'to' after the token");
        e.kind = Effect::Kind::Ramp;
        e.value = need_double(line, at + 3, "the target");
        if (line.words[at + 4] != "rate") line.fail("expected 'rate' after the target");
        e.rate_per_second = need_double(line, at + 5, "the rate per second");
        if (!(e.rate_per_second > 0)) line.fail("the rate must be above 0");
    } else if (kind == "hold") {
        // hold TOKEN VALUE release VALUE
        need_count(line, at + 5, at + 5);
        e.kind = Effect::Kind::Hold;
        e.value = need_double(line, at + 2, "the value held");
        if (line.words[at + 3] != "release") line.fail("expected 'release' after the value held");
        e.release = need_double(line, at + 4, "the value once released");
    } else {
        line.fail("unknown effect '" + kind + "' (toggle, set, add, ramp or hold)");
    }
    return e;
}

Condition::Op comparison_at(const Line& line, std::size_t i) {
    const std::string& w = need_word(line, i, "a comparison (<, <=, >, >=, == or !=)");
    if (w == "<") return Condition::Op::Less;
    if (w == "<=") return Condition::Op::LessOrEqual;
    if (w == ">") return Condition::Op::Greater;
    if (w == ">=") return Condition::Op::GreaterOrEqual;
    if (w == "==") return Condition::Op::Equal;
    if (w == "!=") return Condition::Op::NotEqual;
    line.fail("unknown comparison '" + w + "' (<, <=, >, >=, == or !=)");
}

// when TOKEN OP VALUE [and TOKEN OP VALUE]... then EFFECT
Rule read_rule(const Line& line, const Names* names) {
    Rule rule;
    std::size_t i = 1;
    for (;;) {
        Condition c;
        c.token = token_at(line, i, names);
        c.op = comparison_at(line, i + 1);
        c.value = need_double(line, i + 2, "the value to compare with");
        rule.conditions.push_back(c);
        const std::string& joint = need_word(line, i + 3, "'and' or 'then'");
        if (joint == "then") break;
        if (joint != "and") line.fail("expected 'and' or 'then', found '" + joint + "'");
        i += 4;
    }
    rule.effect = read_effect(line, i + 4, names);
    const Effect::Kind kind = rule.effect.kind;
    if (kind != Effect::Kind::Set && kind != Effect::Kind::Add && kind != Effect::Kind::Ramp)
        line.fail("a rule's effect is set (to a number), add or ramp");
    return rule;
}

}  // namespace

bool Condition::holds(double variable) const {
    if (std::isnan(variable) || std::isnan(value)) return false;
    switch (op) {
        case Op::Less:
            return variable < value;
        case Op::LessOrEqual:
            return variable <= value;
        case Op::Greater:
            return variable > value;
        case Op::GreaterOrEqual:
            return variable >= value;
        case Op::Equal:
            return variable == value;
        case Op::NotEqual:
            return variable != value;
    }
    return false;
}

Profile read_profile(const std::string& path, const Names* names) {
    Profile profile;
    for (const Line& line : read_lines(path)) {
        const std::string& what = line.words[0];
        if (what == "integer") {
            need_count(line, 2, 2);
            profile.integer_tokens.insert(token_at(line, 1, names));
        } else if (what == "initial") {
            need_count(line, 3, 3);
            profile.initial_values[token_at(line, 1, names)] = need_double(line, 2, "the initial value");
        } else if (what == "on") {
            const uint32_t id = event_at(line, 1, names);
            profile.effects[id].push_back(read_effect(line, 2, names));
            profile.effects[id].back().source = line.text;
        } else if (what == "when") {
            profile.rules.push_back(read_rule(line, names));
            profile.rules.back().effect.source = line.text;
        } else {
            line.fail("unknown statement '" + what + "' (integer, initial, on or when)");
        }
    }
    return profile;
}

}  // namespace kadrimos::host_sim
