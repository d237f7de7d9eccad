// Element chains as gauges write them, and the show/hide shapes the gauges
// use on them. The gauge here is a small one of the test's own, written the
// way every cockpit gauge is.
#include "panel/elements.h"

#include <gtest/gtest.h>

#include <limits>

#include "module/standard_routines.h"
#include "panel/chain.h"
#include "panel/gauge_records.h"

namespace kadrimos {
namespace sample {
extern GAUGEHDR header;
namespace {

// A three-position switch (elements 1 to 3, down, middle, up) under a light
// (element 4).
constexpr ElementSpec kElements[] = {
    background_spec(4512),
    icon_spec("switch down", 4509, {0, 0}, kIconFlags),
    icon_spec("switch middle", 4506, {0, 0}),
    icon_spec("switch up", 4503, {0, 0}),
    icon_spec("light", 4500, {10, 0}),
};
using Records = GaugeRecords<kElements, kNoAreas, 0, header>;

}  // namespace
constinit GAUGEHDR header = gauge_of<kElements, kNoAreas, header>("sample", 40, nullptr);

// The record of element k.
ELEMENT_HEADER* record(int k) { return header_of(Records::chain.records[k], kElements[k].kind); }
}  // namespace sample

namespace {

using sample::header;
using sample::record;

TEST(ElementChain, ElementKWalksKFirstChildrenFromTheBackground) {
    EXPECT_EQ(element(header, 0), record(0));
    EXPECT_EQ(element(header, 1), record(1));
    EXPECT_EQ(element(header, 3), record(3));
    EXPECT_EQ(element(header, 4), record(4));
    EXPECT_EQ(element(header, 4)->next_element, nullptr) << "the last element has no children";
    EXPECT_EQ(element(header, 5), nullptr);
    EXPECT_EQ(element(header, -1), nullptr);
    for (int k = 0; k <= 4; ++k) EXPECT_EQ(element(header, k)->gauge_header, &header);
}

TEST(ElementChain, ShowAndHideTouchOnlyTheHiddenBitAndAreIdempotent) {
    ELEMENT_HEADER* e = element(header, 2);
    const uint32_t drawing = e->image_flags & ~IMAGE_HIDDEN;
    hide(e);
    hide(e);
    EXPECT_FALSE(is_visible(e));
    show(e);
    show(e);
    EXPECT_TRUE(is_visible(e));
    EXPECT_EQ(e->image_flags, drawing);
    hide(e);
    EXPECT_EQ(e->image_flags, drawing | IMAGE_HIDDEN);
    show(nullptr);  // a missing element is ignored
    hide(nullptr);
}

TEST(ElementChain, OneOfNShowsExactlyTheSelectedPosition) {
    for (int position = 0; position < 3; ++position) {
        show_one_of(header, {1, 2, 3}, position);
        for (int k = 1; k <= 3; ++k) EXPECT_EQ(is_visible(element(header, k)), k == position + 1);
    }
    show_one_of(header, {1, 2, 3}, 7);  // a position without a bitmap shows none
    for (int k = 1; k <= 3; ++k) EXPECT_FALSE(is_visible(element(header, k)));
}

TEST(ElementChain, LightsAndFlagsAreDarkWithoutPower) {
    light(header, 4, false, true);
    EXPECT_FALSE(is_visible(element(header, 4)));
    light(header, 4, true, true);
    EXPECT_TRUE(is_visible(element(header, 4)));
    light(header, 4, true, false);
    EXPECT_FALSE(is_visible(element(header, 4)));

    flag(header, 1, 2, false, true);  // unpowered: the off bitmap
    EXPECT_TRUE(is_visible(element(header, 1)));
    EXPECT_FALSE(is_visible(element(header, 2)));
    flag(header, 1, 2, true, true);
    EXPECT_FALSE(is_visible(element(header, 1)));
    EXPECT_TRUE(is_visible(element(header, 2)));
}

TEST(ClampAndReturn, OutOfScaleValuesAreLimitedAndWrittenBack) {
    double volts = 41.0;
    EXPECT_EQ(clamp_write_back(volts, 0.0, 35.0), 35.0);
    EXPECT_EQ(volts, 35.0);
    int32_t amps = -450;
    EXPECT_EQ(clamp_write_back(amps, -300, 300), -300.0);
    EXPECT_EQ(amps, -300);
    double nothing = std::numeric_limits<double>::quiet_NaN();
    EXPECT_EQ(clamp_write_back(nothing, 0.0, 160.0), 0.0) << "not a number reads as the scale's bottom";
    EXPECT_EQ(nothing, 0.0);
    uint8_t selector = 3;
    EXPECT_EQ(clamp_write_back<uint8_t>(selector, 0, 4), 3.0);
    EXPECT_EQ(selector, 3);
}

TEST(StringText, IsCutToTheElementsLengthAndNeedsTheHostsBuffer) {
    char buffer[8] = "#######";
    ELEMENT_STRING window{};
    window.max_string_length = 2;
    write_text(window, "12:59");  // no buffer yet: nothing written, nothing read
    window.string = buffer;
    write_text(window, "12:59");
    EXPECT_STREQ(buffer, "12");
    EXPECT_EQ(buffer[3], '#') << "nothing past the terminator";
    write_fixed(window, 123.0, 1, 0);
    EXPECT_STREQ(buffer, "12");
    write_text(window, nullptr);
    EXPECT_STREQ(buffer, "");
}

}  // namespace
}  // namespace kadrimos
