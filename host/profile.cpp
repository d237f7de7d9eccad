#include "profile.h"

#include "text_input.h"

namespace kadrimos::host_sim {
namespace {

constexpr int64_t kMaxToken = 0x7FFFFFFF;

uint32_t token_at(const Line& line, std::size_t i) {
    return static_cast<uint32_t>(need_integer(line, i, "a variable token", 0, kMaxToken));
}

Effect read_effect(const Line& line) {
    // on EVENT KIND TOKEN ...
    Effect e;
    const std::string& kind = need_word(line, 2, "an effect (toggle, set, add or ramp)");
    e.token = token_at(line, 3);
    if (kind == "toggle") {
        need_count(line, 4, 4);
        e.kind = Effect::Kind::Toggle;
    } else if (kind == "set") {
        need_count(line, 5, 5);
        if (line.words[4] == "value") {
            e.kind = Effect::Kind::SetEventValue;
        } else {
            e.kind = Effect::Kind::Set;
            e.value = need_double(line, 4, "the value to set");
        }
    } else if (kind == "add") {
        // add TOKEN STEP [min LOW] [max HIGH]
        e.kind = Effect::Kind::Add;
        e.value = need_double(line, 4, "the step");
        std::size_t i = 5;
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
        need_count(line, 8, 8);
        if (line.words[4] != "to") line.fail("expected 'to' after the token");
        e.kind = Effect::Kind::Ramp;
        e.value = need_double(line, 5, "the target");
        if (line.words[6] != "rate") line.fail("expected 'rate' after the target");
        e.rate_per_second = need_double(line, 7, "the rate per second");
        if (!(e.rate_per_second > 0)) line.fail("the rate must be above 0");
    } else {
        line.fail("unknown effect '" + kind + "' (toggle, set, add or ramp)");
    }
    return e;
}

}  // namespace

Profile read_profile(const std::string& path) {
    Profile profile;
    for (const Line& line : read_lines(path)) {
        const std::string& what = line.words[0];
        if (what == "integer") {
            need_count(line, 2, 2);
            profile.integer_tokens.insert(token_at(line, 1));
        } else if (what == "initial") {
            need_count(line, 3, 3);
            profile.initial_values[token_at(line, 1)] = need_double(line, 2, "the initial value");
        } else if (what == "on") {
            auto id = static_cast<uint32_t>(need_integer(line, 1, "an event id", 0, 0xFFFFFFFF));
            profile.effects[id].push_back(read_effect(line));
        } else {
            line.fail("unknown statement '" + what + "' (integer, initial or on)");
        }
    }
    return profile;
}

}  // namespace kadrimos::host_sim
