// Drawing the panel windows; see pictures.h.
#include "pictures.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstring>
#include <map>
#include <numbers>

#include "sim_host.h"

#if defined(KADRIMOS_HAVE_CAIRO)
#include <cairo.h>
#include <fontconfig/fontconfig.h>

#include <cstdlib>
#endif

namespace kadrimos::host_sim {

std::string picture_file_name(const Picture& p) {
    std::string out;
    auto add = [&out](const std::string& words) {
        for (char c : words) {
            const auto u = static_cast<unsigned char>(c);
            if (std::isalnum(u)) {
                out += static_cast<char>(std::tolower(u));
            } else if (!out.empty() && out.back() != '-') {
                out += '-';
            }
        }
        if (!out.empty() && out.back() != '-') out += '-';
    };
    add(p.name);
    add(p.title.empty() ? std::to_string(p.window) : p.title);
    while (!out.empty() && out.back() == '-') out.pop_back();
    return (out.empty() ? std::string("picture") : out) + ".png";
}

#if defined(KADRIMOS_HAVE_CAIRO)

bool pictures_available() { return true; }

namespace {

constexpr double kPi = std::numbers::pi;

// The panel behind the gauges, where no gauge covers it.
constexpr double kPanelGrey = 0.16;

// A Windows colour value, 0x00BBGGRR.
void set_colour(cairo_t* cr, uint32_t bgr) {
    cairo_set_source_rgb(cr, (bgr & 0xFF) / 255.0, ((bgr >> 8) & 0xFF) / 255.0, ((bgr >> 16) & 0xFF) / 255.0);
}

// Cairo's font face cache and the font configuration it loads for the first
// string drawn live until the process ends; given back at exit, so that the
// leak checker of the sanitizer builds sees only the host's own memory.
void release_font_caches() {
    cairo_debug_reset_static_data();
    FcFini();
}

cairo_status_t append_png(void* closure, const unsigned char* data, unsigned int length) {
    auto* out = static_cast<std::vector<uint8_t>*>(closure);
    out->insert(out->end(), data, data + length);
    return CAIRO_STATUS_SUCCESS;
}

}  // namespace

// Cairo surfaces of the bitmaps drawn so far, by number: pure black
// transparent, every other colour opaque.
struct Camera::Surfaces {
    std::map<uint32_t, cairo_surface_t*> by_id;
    ~Surfaces() {
        for (auto& [id, s] : by_id)
            if (s != nullptr) cairo_surface_destroy(s);
    }
};

Camera::Camera(ModuleBitmaps& bitmaps) : bitmaps_(bitmaps), surfaces_(std::make_unique<Surfaces>()) {
    static const bool registered = std::atexit(release_font_caches) == 0;
    (void)registered;
}
Camera::~Camera() = default;

// One picture being drawn.
struct Drawing {
    Camera& camera;
    const SimHost& host;
    cairo_t* cr;

    // The surface of bitmap `id`, or null (said once) when the module does
    // not have it in a readable form.
    cairo_surface_t* surface(uint32_t id, const std::string& where) {
        auto found = camera.surfaces_->by_id.find(id);
        if (found != camera.surfaces_->by_id.end()) return found->second;
        std::string error;
        const Bitmap* b = camera.bitmaps_.find(id, error);
        cairo_surface_t* s = nullptr;
        if (b == nullptr) {
            if (camera.reported_.insert(id).second) camera.problems_.push_back(where + ": " + error);
        } else {
            s = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, b->width, b->height);
            cairo_surface_flush(s);
            unsigned char* data = cairo_image_surface_get_data(s);
            const int stride = cairo_image_surface_get_stride(s);
            for (int32_t y = 0; y < b->height; ++y) {
                auto* row = reinterpret_cast<uint32_t*>(data + static_cast<std::ptrdiff_t>(y) * stride);
                for (int32_t x = 0; x < b->width; ++x) {
                    const Colour& c = b->at(x, y);
                    row[x] =
                        c.transparent() ? 0u : 0xFF000000u | uint32_t{c.r} << 16 | uint32_t{c.g} << 8 | c.b;
                }
            }
            cairo_surface_mark_dirty(s);
        }
        camera.surfaces_->by_id[id] = s;
        return s;
    }

    // Where a bitmap is missing: a box crossed in red, so that the gap is
    // seen for what it is.
    void missing(double x, double y, double w, double h) {
        cairo_save(cr);
        cairo_set_source_rgb(cr, 0.9, 0.1, 0.1);
        cairo_set_line_width(cr, 1.0);
        cairo_rectangle(cr, x + 0.5, y + 0.5, w - 1, h - 1);
        cairo_move_to(cr, x, y);
        cairo_line_to(cr, x + w, y + h);
        cairo_move_to(cr, x + w, y);
        cairo_line_to(cr, x, y + h);
        cairo_stroke(cr);
        cairo_restore(cr);
    }

    const DrawnValue& value_of(const ELEMENT_HEADER* e) {
        static const DrawnValue kNotDrawn{};
        const DrawnValue* v = host.drawn(e);
        return v != nullptr ? *v : kNotDrawn;
    }

    void paint(cairo_surface_t* s, double x, double y) {
        cairo_set_source_surface(cr, s, x, y);
        cairo_paint(cr);
    }

    void element(const ELEMENT_HEADER* e, const std::string& where) {
        const double x = e->position.x, y = e->position.y;
        if (e->element_type == ELEMENT_TYPE_STRING) {
            text(reinterpret_cast<const ELEMENT_STRING*>(e));
            return;
        }
        cairo_surface_t* s = surface(e->resource_id, where);
        if (s == nullptr) {
            missing(x, y, 12, 12);
            return;
        }
        const DrawnValue& v = value_of(e);
        cairo_save(cr);
        switch (e->element_type) {
            case ELEMENT_TYPE_NEEDLE: {
                const auto* n = reinterpret_cast<const ELEMENT_NEEDLE*>(e);
                cairo_translate(cr, x, y);
                cairo_rotate(cr, needle_angle(*n, v.main) * kPi / 180.0);
                paint(s, -e->offset.x, -e->offset.y);
                break;
            }
            case ELEMENT_TYPE_SLIDER: {
                const auto* l = reinterpret_cast<const ELEMENT_SLIDER*>(e);
                paint(s, x + finite(v.x) * l->x_scale, y + finite(v.y) * l->y_scale);
                break;
            }
            case ELEMENT_TYPE_MOVING_IMAGE: {
                const auto* m = reinterpret_cast<const ELEMENT_MOVING_IMAGE*>(e);
                cairo_surface_t* image = surface(e->resource_id + 1, where);
                if (image == nullptr) {
                    missing(x, y, cairo_image_surface_get_width(s), cairo_image_surface_get_height(s));
                    break;
                }
                // The image slides under its window: the range's start shows
                // its top left, the range's end its bottom right.
                const double dx = travel(v.x, m->x_min, m->x_max, cairo_image_surface_get_width(image),
                                         cairo_image_surface_get_width(s));
                const double dy = travel(v.y, m->y_min, m->y_max, cairo_image_surface_get_height(image),
                                         cairo_image_surface_get_height(s));
                cairo_set_source_surface(cr, image, x - dx, y - dy);
                cairo_mask_surface(cr, s, x, y);
                break;
            }
            case ELEMENT_TYPE_SPRITE: {
                // The picture behind the window, moved by x and y and turned
                // by the rotation about the window's pivot.
                const auto* p = reinterpret_cast<const ELEMENT_SPRITE*>(e);
                cairo_surface_t* image = surface(e->resource_id + 1, where);
                if (image == nullptr) {
                    missing(x, y, cairo_image_surface_get_width(s), cairo_image_surface_get_height(s));
                    break;
                }
                cairo_push_group(cr);
                cairo_translate(cr, x + e->offset.x, y + e->offset.y);
                cairo_rotate(cr, finite(v.main) * p->rotation_scale);
                cairo_translate(cr, finite(v.x) * p->x_scale, finite(v.y) * p->y_scale);
                paint(image, -cairo_image_surface_get_width(image) / 2.0,
                      -cairo_image_surface_get_height(image) / 2.0);
                cairo_pattern_t* turned = cairo_pop_group(cr);
                cairo_set_source(cr, turned);
                cairo_mask_surface(cr, s, x, y);
                cairo_pattern_destroy(turned);
                break;
            }
            default:
                paint(s, x, y);
                break;
        }
        cairo_restore(cr);
    }

    static double finite(double v) { return std::isfinite(v) ? v : 0.0; }

    // How far an image of `image` pixels moves under a window of `window`
    // for `value` in [low, high].
    static double travel(double value, double low, double high, int image, int window) {
        if (image <= window || !(high != low) || !std::isfinite(value)) return 0.0;
        const double f = std::clamp((value - low) / (high - low), 0.0, 1.0);
        return f * (image - window);
    }

    void text(const ELEMENT_STRING* s) {
        const double x = s->header.position.x, y = s->header.position.y;
        const double w = s->box_size.x, h = s->box_size.y;
        cairo_save(cr);
        set_colour(cr, s->bg_color);
        cairo_rectangle(cr, x, y, w, h);
        cairo_fill(cr);
        if (s->string != nullptr) {
            const std::string t(s->string, strnlen(s->string, s->max_string_length));
            // A free monospaced face stands in for the record's "Quartz".
            cairo_select_font_face(cr, "DejaVu Sans Mono", CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_BOLD);
            cairo_set_font_size(cr, h * 0.75);
            cairo_text_extents_t ext;
            cairo_text_extents(cr, t.c_str(), &ext);
            if (ext.width > w && ext.width > 0) {
                cairo_set_font_size(cr, h * 0.75 * w / ext.width);
                cairo_text_extents(cr, t.c_str(), &ext);
            }
            set_colour(cr, s->fg_color);
            cairo_move_to(cr, x + (w - ext.width) / 2 - ext.x_bearing,
                          y + (h - ext.height) / 2 - ext.y_bearing);
            cairo_show_text(cr, t.c_str());
        }
        cairo_restore(cr);
    }

    void gauge(const Placement& place) {
        const std::vector<ELEMENT_HEADER*> elements = SimHost::elements_of(place.gauge);
        if (elements.empty()) return;
        const std::string where = place.name;
        cairo_surface_t* background = surface(elements[0]->resource_id, where);
        const double bw = background ? cairo_image_surface_get_width(background) : place.width;
        const double bh = background ? cairo_image_surface_get_height(background) : place.height;
        cairo_save(cr);
        cairo_translate(cr, place.x, place.y);
        cairo_scale(cr, place.width / bw, place.height / bh);
        cairo_rectangle(cr, 0, 0, bw, bh);
        cairo_clip(cr);
        for (std::size_t k = 0; k < elements.size(); ++k) {
            const ELEMENT_HEADER* e = elements[k];
            if ((e->image_flags & IMAGE_HIDDEN) != 0) continue;
            if (k == 0 && background == nullptr) {
                missing(0, 0, bw, bh);
                continue;
            }
            element(e, where + " element " + std::to_string(k));
        }
        cairo_restore(cr);
    }
};

std::vector<Picture> Camera::take(const SimHost& host, const std::string& name) {
    std::vector<Picture> pictures;
    for (const PanelWindow& window : host.config().windows) {
        if (!host.window_open(window.ident)) continue;
        int32_t width = 1, height = 1;
        for (const Placement& p : window.gauges) {
            width = std::max(width, p.x + p.width);
            height = std::max(height, p.y + p.height);
        }
        cairo_surface_t* canvas = cairo_image_surface_create(CAIRO_FORMAT_RGB24, width, height);
        cairo_t* cr = cairo_create(canvas);
        cairo_set_source_rgb(cr, kPanelGrey, kPanelGrey, kPanelGrey);
        cairo_paint(cr);
        Drawing drawing{*this, host, cr};
        for (const Placement& p : window.gauges)
            if (p.gauge != nullptr) drawing.gauge(p);
        cairo_destroy(cr);
        Picture picture{name, host.tick(), window.ident, window.title, {}};
        cairo_surface_write_to_png_stream(canvas, append_png, &picture.png);
        cairo_surface_destroy(canvas);
        pictures.push_back(std::move(picture));
    }
    return pictures;
}

#else

bool pictures_available() { return false; }

struct Camera::Surfaces {};
Camera::Camera(ModuleBitmaps& bitmaps) : bitmaps_(bitmaps), surfaces_(std::make_unique<Surfaces>()) {}
Camera::~Camera() = default;
std::vector<Picture> Camera::take(const SimHost&, const std::string&) { return {}; }

#endif

}  // namespace kadrimos::host_sim
