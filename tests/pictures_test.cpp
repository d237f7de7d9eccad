// Pictures of the panel show what the crew sees: for elements chosen by
// role, the pixels where the element stands in the picture of its window
// change when the element is shown or hidden, or when its value moves. The
// real module and its art, the default panel configuration.
#include "pictures.h"

#include <cairo.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include "module_bitmaps.h"
#include "module_loader.h"
#include "panel_config.h"
#include "profile.h"
#include "sim_host.h"
#include "trace.h"

namespace kadrimos::host_sim {
namespace {

const std::string kSource = KADRIMOS_SOURCE_DIR;

const Names& default_names() {
    static const Names names = Names::read(kSource + "/host/data/names.txt");
    return names;
}

// A decoded picture: 0xRRGGBB pixels.
struct Pixels {
    int width = 0, height = 0;
    std::vector<uint32_t> rgb;
};

Pixels decode(const Picture& p) {
    struct Reader {
        const std::vector<uint8_t>* png;
        std::size_t at = 0;
    } reader{&p.png};
    auto read = [](void* closure, unsigned char* data, unsigned int length) {
        auto* r = static_cast<Reader*>(closure);
        if (r->at + length > r->png->size()) return CAIRO_STATUS_READ_ERROR;
        std::copy_n(r->png->data() + r->at, length, data);
        r->at += length;
        return CAIRO_STATUS_SUCCESS;
    };
    cairo_surface_t* s = cairo_image_surface_create_from_png_stream(read, &reader);
    Pixels out;
    if (cairo_surface_status(s) == CAIRO_STATUS_SUCCESS) {
        out.width = cairo_image_surface_get_width(s);
        out.height = cairo_image_surface_get_height(s);
        const int stride = cairo_image_surface_get_stride(s);
        const unsigned char* data = cairo_image_surface_get_data(s);
        for (int y = 0; y < out.height; ++y)
            for (int x = 0; x < out.width; ++x)
                out.rgb.push_back(reinterpret_cast<const uint32_t*>(data + y * stride)[x] & 0xFFFFFF);
    }
    cairo_surface_destroy(s);
    return out;
}

class Pictures : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(pictures_available());
        module = std::make_unique<LoadedModule>(KADRIMOS_MODULE_PATH);
        PanelConfig config = read_panel_config(kSource + "/host/data/panel.cfg", module->gauges());
        host = std::make_unique<SimHost>(*module, std::move(config),
                                         read_profile(kSource + "/host/data/profile.txt", &default_names()),
                                         Roles::read(kSource + "/host/data/roles.txt"), trace);
        bitmaps = std::make_unique<ModuleBitmaps>(KADRIMOS_MODULE_PATH, module->handle());
        camera = std::make_unique<Camera>(*bitmaps);
        host->start();
        host->set_variable(60, 1);  // on the ground
        run(2);
    }
    void TearDown() override {
        if (host) host->finish();
    }

    void run(int updates) {
        for (int i = 0; i < updates; ++i) host->update();
    }
    GAUGEHDR* gauge(const std::string& name) const {
        for (GAUGEHDR* g : module->gauges())
            if (name == g->gauge_name) return g;
        ADD_FAILURE() << "no gauge " << name;
        return nullptr;
    }
    void click(const std::string& name, const std::string& area) {
        const int index = Roles::read(kSource + "/host/data/roles.txt").area_labelled(name, area);
        ASSERT_GE(index, 0) << area;
        host->click(gauge(name), index, {0, 0});
    }

    // The picture of the window holding `name`, and where, in it, the box
    // (x, y, w, h in the gauge's own pixels) lies.
    struct Seen {
        Pixels pixels;
        int left, top, right, bottom;
    };
    Seen look(const std::string& name, int x, int y, int w, int h) {
        for (const PanelWindow& window : host->config().windows) {
            for (const Placement& p : window.gauges) {
                if (p.name != name) continue;
                for (const Picture& picture : camera->take(*host, "test")) {
                    if (picture.window != window.ident) continue;
                    std::string error;
                    const Bitmap* bg = bitmaps->find(SimHost::elements_of(p.gauge)[0]->resource_id, error);
                    const double sx = double(p.width) / bg->width, sy = double(p.height) / bg->height;
                    return {decode(picture), p.x + int(std::floor(x * sx)), p.y + int(std::floor(y * sy)),
                            p.x + int(std::ceil((x + w) * sx)), p.y + int(std::ceil((y + h) * sy))};
                }
            }
        }
        ADD_FAILURE() << name << " is on no open window";
        return {};
    }
    static int differing(const Seen& a, const Seen& b) {
        int n = 0;
        for (int y = a.top; y < a.bottom && y < a.pixels.height; ++y)
            for (int x = a.left; x < a.right && x < a.pixels.width; ++x)
                n += a.pixels.rgb[y * a.pixels.width + x] != b.pixels.rgb[y * b.pixels.width + x];
        return n;
    }

    Trace trace{nullptr, nullptr};
    std::unique_ptr<LoadedModule> module;
    std::unique_ptr<SimHost> host;
    std::unique_ptr<ModuleBitmaps> bitmaps;
    std::unique_ptr<Camera> camera;
};

TEST_F(Pictures, ASwitchMovedShowsInThePicture) {
    const Seen moved_before = look("toskelin elec_batt_rulo", 19, 50, 31, 75);
    const Seen still_before = look("toskelin elec_batt_rulo", 81, 50, 31, 75);
    click("toskelin elec_batt_rulo", "BAT 1 ON");
    run(1);
    EXPECT_GT(differing(moved_before, look("toskelin elec_batt_rulo", 19, 50, 31, 75)), 20);
    // A switch that did not move looks the same.
    EXPECT_EQ(differing(still_before, look("toskelin elec_batt_rulo", 81, 50, 31, 75)), 0);
}

TEST_F(Pictures, ALightComingOnAndANeedleTurningShowInThePicture) {
    click("toskelin elec_batt_rulo", "BAT 1 ON");
    click("toskelin elec_batt_rulo", "BAT 2 ON");
    click("toskelin elec_batt_rulo", "BAT 3 ON");
    run(2);
    // The APU's START light and its N1 needle: dark and at rest before the
    // start, lit and turning after.
    const Seen light_before = look("toskelin apu_rulo", 17, 146, 20, 20);
    const Seen needle_before = look("toskelin apu_ind_n1_n2_rulo", 0, 0, 91, 91);
    click("toskelin apu_rulo", "MASTER ON");
    click("toskelin apu_rulo", "START");
    run(18 * 8);
    const Seen light_after = look("toskelin apu_rulo", 17, 146, 20, 20);
    const Seen needle_after = look("toskelin apu_ind_n1_n2_rulo", 0, 0, 91, 91);
    EXPECT_GT(differing(light_before, light_after), 10);
    EXPECT_GT(differing(needle_before, needle_after), 20);
}

// A window closed has no picture; every open one has one, as a PNG.
TEST_F(Pictures, EveryOpenWindowAndOnlyOpenOnesArePictured) {
    const std::vector<Picture> pictures = camera->take(*host, "now");
    std::size_t open = 0;
    for (const PanelWindow& w : host->config().windows) open += host->window_open(w.ident);
    ASSERT_EQ(pictures.size(), open);
    for (const Picture& p : pictures) {
        SCOPED_TRACE(p.title);
        EXPECT_TRUE(host->window_open(p.window));
        EXPECT_GT(decode(p).width, 0);
        EXPECT_EQ(picture_file_name(p).substr(0, 4), "now-");
    }
    EXPECT_TRUE(camera->problems().empty()) << camera->problems().front();
}

}  // namespace
}  // namespace kadrimos::host_sim
