// The module under a hostile host.
//
// The input is a little program that a host could run against the module
// through its two records: set any variable to any double (NaN, infinities,
// huge values, denormals, negative zero, integers with the sign bit set) or
// to any 32 bits, click any area of any gauge with any flags, update, draw,
// send service codes the module should ignore, answer calculator
// expressions with odd values or not at all, skip ticks, repeat them, move
// the clock backwards. The module must survive it all: any crash,
// sanitizer report or hang is a finding.
//
// Every run starts from the module's load state and installs every gauge;
// it ends with every gauge killed, so that the sound bank is released.
#include <cstdint>
#include <cstring>
#include <limits>

#include "support/bare_host.h"

namespace {

using kadrimos::testing::BareHost;

// Reads the input front to back; past its end every read gives 0.
class Input {
public:
    Input(const uint8_t* data, std::size_t size) : data_(data), size_(size) {}
    bool done() const { return pos_ >= size_; }
    uint8_t byte() { return pos_ < size_ ? data_[pos_++] : 0; }
    uint16_t u16() { return static_cast<uint16_t>(byte() | byte() << 8); }
    uint32_t u32() { return static_cast<uint32_t>(u16()) | static_cast<uint32_t>(u16()) << 16; }
    double raw_double() {
        uint64_t bits = static_cast<uint64_t>(u32()) | static_cast<uint64_t>(u32()) << 32;
        double d;
        std::memcpy(&d, &bits, sizeof d);
        return d;
    }

private:
    const uint8_t* data_;
    std::size_t size_;
    std::size_t pos_ = 0;
};

// The values a broken or mischievous host hands over most often.
constexpr double kSpecial[] = {
    std::numeric_limits<double>::quiet_NaN(),
    -std::numeric_limits<double>::quiet_NaN(),
    std::numeric_limits<double>::infinity(),
    -std::numeric_limits<double>::infinity(),
    1e300,
    -1e300,
    std::numeric_limits<double>::denorm_min(),
    -0.0,
    0.0,
    1.0,
    -1.0,
    4294967295.0,
    2147483648.0,
    -2147483649.0,
    65536.0,
    16383.0,
    0.5,
    1e-9,
};

double value(Input& in) {
    const uint8_t how = in.byte();
    if (how < 128) return kSpecial[how % std::size(kSpecial)];
    if (how < 192) return static_cast<double>(static_cast<int16_t>(in.u16()));  // a plausible integer
    return in.raw_double();
}

// Service codes outside install (2), update (6) and kill (12).
constexpr int32_t kOtherServices[] = {0, 1, 3, 4, 5, 7, 8, 9, 10, 11, 13, -1, 14, 255, 0x7fffffff};

BareHost& host() {
    static BareHost h;
    return h;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    BareHost& h = host();
    h.restart();
    h.install_all();
    Input in(data, size);
    for (int steps = 0; !in.done() && steps < 4096; ++steps) {
        switch (in.byte() % 12) {
            case 0:
                h.set(in.u16() % BareHost::kTokens, value(in));
                break;
            case 1:
                h.set_bits(in.u16() % BareHost::kTokens, in.u32());
                break;
            case 2: {
                const std::size_t g = in.byte() % h.gauge_count();
                const uint8_t a = in.byte();
                if (h.area_count(g) != 0)
                    h.click(g, a % h.area_count(g), in.byte() < 200 ? MOUSE_LEFTSINGLE : in.u32());
                break;
            }
            case 3:
                h.update_all();
                break;
            case 4:
                h.draw_all();
                break;
            case 5:
                h.update(in.byte() % h.gauge_count());
                break;
            case 6: {
                const std::size_t g = in.byte() % h.gauge_count();
                h.service(g, kOtherServices[in.byte() % std::size(kOtherServices)], in.u32());
                break;
            }
            case 7:
                // A host that answers calculator code oddly, and one that
                // takes the string elements' text buffers away.
                h.calculator_value = value(in);
                h.calculator_answers = in.byte() % 4 != 0;
                h.give_text_buffers(in.byte() % 8 != 0);
                break;
            case 8:
                h.set_ticks(h.ticks() + in.u16());  // ticks skipped
                break;
            case 9:
                h.set_ticks(h.ticks() > 0 ? h.ticks() - 1 - in.byte() % h.ticks() : 0);  // a reloaded flight
                break;
            case 10:
                for (int n = in.byte() % 64; n > 0; --n) {
                    h.update_all();
                    h.draw_all();
                }
                break;
            case 11: {
                // A window opened twice: install again without a kill.
                const std::size_t g = in.byte() % h.gauge_count();
                h.service(g, PANEL_SERVICE_PRE_INSTALL, 0);
                break;
            }
        }
    }
    h.update_all();
    h.draw_all();
    h.kill_all();
    return 0;
}
