// The module's art as a host finds it: every bitmap an element names is in
// the module, is the simulator's kind (8-bit palette), and is large enough
// for the element's role. It reads the real library, through the module's
// resources in the Windows build and its bitmap section in the Linux one.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <map>
#include <numbers>
#include <string>
#include <vector>

#include "module_bitmaps.h"
#include "module_loader.h"
#include "sim_host.h"

namespace kadrimos::host_sim {
namespace {

struct Box {
    double left, top, right, bottom;  // right and bottom exclusive
};

bool inside(const Box& b, const Bitmap& background) {
    // Half a pixel of slack for corners of turned bitmaps.
    return b.left >= -0.5 && b.top >= -0.5 && b.right <= background.width + 0.5 &&
           b.bottom <= background.height + 0.5;
}

// The bitmap of a needle turned to `degrees` (clockwise from pointing
// right) about its pivot, placed at the element's position.
Box turned(const ELEMENT_HEADER& e, const Bitmap& b, double degrees) {
    const double a = degrees * std::numbers::pi / 180.0;
    Box box{1e9, 1e9, -1e9, -1e9};
    for (const auto& [cx, cy] : {std::pair{0, 0}, {b.width, 0}, {0, b.height}, {b.width, b.height}}) {
        const double dx = cx - e.offset.x, dy = cy - e.offset.y;
        const double x = e.position.x + dx * std::cos(a) - dy * std::sin(a);
        const double y = e.position.y + dx * std::sin(a) + dy * std::cos(a);
        box = {std::min(box.left, x), std::min(box.top, y), std::max(box.right, x), std::max(box.bottom, y)};
    }
    return box;
}

class Art : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        module = new LoadedModule(KADRIMOS_MODULE_PATH);
        bitmaps = new ModuleBitmaps(KADRIMOS_MODULE_PATH, module->handle());
    }
    static void TearDownTestSuite() {
        delete bitmaps;
        delete module;
    }
    static LoadedModule* module;
    static ModuleBitmaps* bitmaps;
};
LoadedModule* Art::module = nullptr;
ModuleBitmaps* Art::bitmaps = nullptr;

TEST_F(Art, EveryElementsBitmapIsInTheModuleAndFitsItsRole) {
    ASSERT_EQ(bitmaps->unreadable(), "");
    ASSERT_EQ(module->gauges().size(), 142u);
    std::size_t checked = 0;
    for (const GAUGEHDR* g : module->gauges()) {
        SCOPED_TRACE(g->gauge_name);
        const std::vector<ELEMENT_HEADER*> elements = SimHost::elements_of(g);
        ASSERT_FALSE(elements.empty());
        std::string error;
        const Bitmap* background = bitmaps->find(elements[0]->resource_id, error);
        ASSERT_NE(background, nullptr) << error;
        for (std::size_t k = 1; k < elements.size(); ++k) {
            const ELEMENT_HEADER& e = *elements[k];
            SCOPED_TRACE("element " + std::to_string(k) + ", bitmap " + std::to_string(e.resource_id));
            const Box at_rest = {double(e.position.x), double(e.position.y), 0, 0};
            if (e.element_type == ELEMENT_TYPE_STRING) {
                const auto& s = reinterpret_cast<const ELEMENT_STRING&>(e);
                EXPECT_TRUE(inside(
                    {at_rest.left, at_rest.top, at_rest.left + s.box_size.x, at_rest.top + s.box_size.y},
                    *background));
                continue;
            }
            const Bitmap* b = bitmaps->find(e.resource_id, error);
            ASSERT_NE(b, nullptr) << error;
            ++checked;
            if (e.element_type == ELEMENT_TYPE_NEEDLE) {
                const auto& n = reinterpret_cast<const ELEMENT_NEEDLE&>(e);
                // A pivot within the bitmap, unless the bitmap is a pointer
                // standing clear of its centre of rotation (pivot to its
                // left); turned to every point of its scale it stays on the
                // dial.
                if (e.offset.x >= 0) {
                    EXPECT_LT(e.offset.x, b->width);
                    EXPECT_LT(e.offset.y, b->height);
                }
                EXPECT_GE(e.offset.y, 0);
                for (uint32_t i = 0; i < n.nonlinearity_count; ++i) {
                    const PIXPOINT tip = n.nonlinearity_table[i].pt;
                    const double degrees =
                        std::atan2(tip.y - e.position.y, tip.x - e.position.x) * 180.0 / std::numbers::pi;
                    EXPECT_TRUE(inside(turned(e, *b, degrees), *background)) << "turned to point " << i;
                }
            } else if (e.element_type == ELEMENT_TYPE_MOVING_IMAGE) {
                // The record names the window; the image moving under it is
                // the next bitmap, no narrower and, for a drum of eleven
                // cells, eleven windows high.
                const auto& m = reinterpret_cast<const ELEMENT_MOVING_IMAGE&>(e);
                const Bitmap* image = bitmaps->find(e.resource_id + 1, error);
                ASSERT_NE(image, nullptr) << error;
                EXPECT_GE(image->width, b->width);
                if (m.y_min == 0 && m.y_max == 10) {
                    EXPECT_EQ(image->height, 11 * b->height);
                }
                EXPECT_TRUE(
                    inside({at_rest.left, at_rest.top, at_rest.left + b->width, at_rest.top + b->height},
                           *background));
            } else {
                EXPECT_TRUE(
                    inside({at_rest.left, at_rest.top, at_rest.left + b->width, at_rest.top + b->height},
                           *background));
            }
        }
        for (const MOUSERECT* r = g->mouse_rect; r->rect_type != MOUSE_RECT_EOL; ++r) {
            if (r->rect_type != MOUSE_RECT_CHILD) continue;
            EXPECT_TRUE(inside({double(r->box.x), double(r->box.y), double(r->box.x + r->box.width),
                                double(r->box.y + r->box.height)},
                               *background))
                << "area at " << r->box.x << ", " << r->box.y;
        }
    }
    EXPECT_GT(checked, 400u);
}

// The simulator draws pure black as transparent: a background mostly
// transparent would show little of its gauge. A background is shared only
// by the members of one family (the same width and the same number of
// elements: the engine dials of both engines, say), never by two different
// gauges, so that each placeholder, too, shows where it sits.
//
// A gauge as wide as the whole panel is the other way round: it is the
// instrument lighting laid over every gauge of the main panel, and drawn
// mostly opaque it would hide them. Its background must be mostly clear.
constexpr uint32_t kPanelWidthMm = 1280;

TEST_F(Art, BackgroundsAreSeenAndSharedOnlyWithinAFamily) {
    std::map<uint32_t, std::pair<uint32_t, std::size_t>> shape_of;  // background -> width, elements
    for (const GAUGEHDR* g : module->gauges()) {
        SCOPED_TRACE(g->gauge_name);
        const std::vector<ELEMENT_HEADER*> elements = SimHost::elements_of(g);
        const uint32_t id = elements[0]->resource_id;
        const auto shape = std::pair{g->size_x_mm, elements.size()};
        const auto [it, first] = shape_of.emplace(id, shape);
        EXPECT_TRUE(first || it->second == shape) << "background " << id << " is another kind of gauge's";
        std::string error;
        const Bitmap* b = bitmaps->find(id, error);
        ASSERT_NE(b, nullptr) << error;
        const auto opaque = std::count_if(b->pixels.begin(), b->pixels.end(),
                                          [&](uint8_t p) { return !b->palette[p].transparent(); });
        if (g->size_x_mm >= kPanelWidthMm)
            EXPECT_LT(opaque, static_cast<long>(b->pixels.size() / 2))
                << "an overlay hides the panel under it";
        else
            EXPECT_GT(opaque, static_cast<long>(b->pixels.size() / 2));
    }
}

// --- Reading bitmaps ---------------------------------------------------------------

// A 2 x 2 bitmap as a resource holds it: header, a palette of `colours`,
// rows padded to 4 bytes, bottom row first.
std::vector<uint8_t> small_bitmap(uint32_t bits = 8, uint32_t colours = 2, uint8_t corner = 1) {
    std::vector<uint8_t> b(40 + 4 * colours + 8, 0);
    auto put32 = [&](std::size_t at, uint32_t v) {
        for (int i = 0; i < 4; ++i) b[at + i] = static_cast<uint8_t>(v >> (8 * i));
    };
    put32(0, 40);
    put32(4, 2);
    put32(8, 2);
    b[12] = 1;
    b[14] = static_cast<uint8_t>(bits);
    put32(32, colours);
    if (colours >= 2) b[40 + 4 + 2] = 0xFF;  // colour 1: red
    b[40 + 4 * colours + 4] = corner;        // top row (stored second), first pixel
    return b;
}

TEST(BitmapReading, AGoodBitmapReadsTopRowFirstWithBlackTransparent) {
    const std::vector<uint8_t> data = small_bitmap();
    Bitmap b;
    std::string error;
    ASSERT_TRUE(decode_bitmap(data.data(), data.size(), b, error)) << error;
    EXPECT_EQ(b.width, 2);
    EXPECT_EQ(b.height, 2);
    EXPECT_EQ(b.at(0, 0).r, 0xFF);
    EXPECT_FALSE(b.at(0, 0).transparent());
    EXPECT_TRUE(b.at(1, 1).transparent());
}

TEST(BitmapReading, AnythingButAWholeEightBitPaletteBitmapIsRefusedWithItsReason) {
    struct Case {
        const char* what;
        std::vector<uint8_t> data;
        const char* reason;
    };
    std::vector<uint8_t> truncated = small_bitmap();
    truncated.resize(truncated.size() - 1);
    std::vector<uint8_t> wide = small_bitmap();
    wide[5] = 0x7F;  // width 0x7F02
    std::vector<uint8_t> compressed = small_bitmap();
    compressed[16] = 1;
    const Case cases[] = {
        {"empty", {}, "shorter than a bitmap header"},
        {"24 bits a pixel", small_bitmap(24), "not an uncompressed 8-bit palette bitmap"},
        {"run-length compressed", compressed, "not an uncompressed 8-bit palette bitmap"},
        {"cut short", truncated, "run past the end"},
        {"absurdly wide", wide, "out of range"},
        {"a palette of 300", small_bitmap(8, 300), "a palette of 300 colours"},
        {"a pixel beyond its palette", small_bitmap(8, 2, 5), "is colour 5 of a palette of 2"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Bitmap b;
        std::string error;
        EXPECT_FALSE(decode_bitmap(c.data.data(), c.data.size(), b, error));
        EXPECT_NE(error.find(c.reason), std::string::npos) << error;
        EXPECT_TRUE(b.pixels.empty());
    }
}

TEST(BitmapReading, AFileThatIsNoLibraryIsSaidToBeSo) {
    const std::string path = ::testing::TempDir() + "not_a_library.so";
    FILE* f = std::fopen(path.c_str(), "wb");
    ASSERT_NE(f, nullptr);
    std::fputs("this is a text file, not a library at all, and long enough to have a header", f);
    std::fclose(f);
    std::string error;
    EXPECT_TRUE(read_elf_section(path, "kadrimos_bitmaps", error).empty());
    EXPECT_NE(error.find("is not a little-endian ELF file"), std::string::npos) << error;
    error.clear();
    EXPECT_TRUE(read_elf_section(path + ".missing", "kadrimos_bitmaps", error).empty());
    EXPECT_NE(error.find("cannot read"), std::string::npos) << error;
}

}  // namespace
}  // namespace kadrimos::host_sim
