// Pictures of the panel windows, drawn as the simulator draws its gauges:
// each gauge at its place in the panel configuration, scaled to its size
// there, its background and then its elements in chain order; hidden
// elements left out, pure black transparent; needles turned through their
// tables by the value they gave at the last draw, moving images moved under
// their window, sliders and sprites offset and turned by their values,
// strings printed in their box with their colours. Everything comes from
// the module's records and the values the host's own draw obtained, through
// the panel interface only: a picture calls no callback of the module.
//
// The Linux host draws with Cairo; the Windows build of the host has no
// pictures (pictures_available() says so).
#pragma once

#include <cstdint>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "module_bitmaps.h"

namespace kadrimos::host_sim {

class SimHost;

struct Picture {
    std::string name;  // the moment's name ("engines started")
    int64_t tick = 0;
    uint32_t window = 0;
    std::string title;  // the window's title
    std::vector<uint8_t> png;
};

// Whether this build of the host can draw pictures.
bool pictures_available();

class Camera {
public:
    explicit Camera(ModuleBitmaps& bitmaps);
    ~Camera();
    Camera(const Camera&) = delete;
    Camera& operator=(const Camera&) = delete;

    // A picture of every open window of `host`, in the panel's order.
    std::vector<Picture> take(const SimHost& host, const std::string& name);

    // What could not be drawn (a bitmap missing or unreadable), each said
    // once; the picture shows a marked box in its place.
    const std::vector<std::string>& problems() const { return problems_; }

private:
    struct Surfaces;
    ModuleBitmaps& bitmaps_;
    std::unique_ptr<Surfaces> surfaces_;
    std::vector<std::string> problems_;
    std::set<uint32_t> reported_;
    friend struct Drawing;
};

// A file name made of a picture's name and window: lower case letters,
// digits and dashes ("engines-started-flight-engineer-panel.png").
std::string picture_file_name(const Picture& p);

}  // namespace kadrimos::host_sim
