// The film page; see film.h.
#include "film.h"

#include <cctype>
#include <fstream>
#include <sstream>

namespace kadrimos::host_sim {
namespace {

std::string html(const std::string& text) {
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        switch (c) {
            case '&':
                out += "&amp;";
                break;
            case '<':
                out += "&lt;";
                break;
            case '>':
                out += "&gt;";
                break;
            case '"':
                out += "&quot;";
                break;
            default:
                out += c;
        }
    }
    return out;
}

// The tick a timeline line is stamped with ("   1.000 s  tick     18  ..."),
// or -1 for a line without one.
long long tick_of(const std::string& line) {
    const std::size_t at = line.find(" tick ");
    if (at == std::string::npos) return -1;
    std::size_t i = at + 6;
    while (i < line.size() && line[i] == ' ') ++i;
    long long tick = 0;
    bool digits = false;
    for (; i < line.size() && std::isdigit(static_cast<unsigned char>(line[i])); ++i) {
        tick = tick * 10 + (line[i] - '0');
        digits = true;
    }
    return digits ? tick : -1;
}

const char* kStyle = R"css(
body { background: #1d2024; color: #e8e4d8; font: 14px "DejaVu Sans", sans-serif; margin: 0; }
header { padding: 10px 16px; background: #2b3036; display: flex; gap: 24px; align-items: baseline; }
h1 { font-size: 18px; margin: 0; }
#player { position: sticky; top: 0; z-index: 1; background: #23272c; padding: 8px 16px;
          display: flex; gap: 16px; align-items: center; border-bottom: 1px solid #444; }
#moment { flex: 1; }
#moment-label { min-width: 22em; font-weight: bold; }
.moment { display: none; padding: 8px 16px; }
.moment.shown { display: block; }
figure { display: inline-block; margin: 6px; vertical-align: top; }
figure img { display: block; max-width: 100%; border: 1px solid #555; image-rendering: pixelated; }
figcaption { color: #b9b29c; padding-top: 2px; }
#timeline { margin: 0; padding: 8px 16px; max-height: 40vh; overflow: auto; background: #15171a;
            font: 12px "DejaVu Sans Mono", monospace; }
#timeline span.past { color: #f0d890; }
#timeline span.future { color: #6d7178; }
)css";

const char* kScript = R"js(
(function () {
  const slider = document.getElementById("moment");
  const label = document.getElementById("moment-label");
  const status = document.getElementById("status");
  const audio = document.getElementById("sound");
  const moments = Array.from(document.querySelectorAll(".moment"));
  const timeline = document.getElementById("timeline");
  const lines = Array.from(timeline.querySelectorAll("span"));
  const images = Array.from(document.querySelectorAll(".moment img"));
  function report() {
    const loaded = images.filter(function (i) { return i.complete && i.naturalWidth > 0; }).length;
    status.dataset.loaded = loaded;
    status.dataset.pictures = images.length;
    status.dataset.showing = Number(slider.value) + 1;
    status.textContent = loaded + " of " + images.length + " pictures loaded; moment " +
        (Number(slider.value) + 1) + " of " + moments.length;
  }
  function show(index) {
    moments.forEach(function (m, i) { m.classList.toggle("shown", i === index); });
    const m = moments[index];
    if (!m) return;
    const tick = Number(m.dataset.tick);
    label.textContent = m.dataset.name + " \u2014 " + (tick / 18).toFixed(1) + " s, update " + tick;
    let last = null;
    lines.forEach(function (l) {
      const past = Number(l.dataset.tick) <= tick;
      l.className = past ? "past" : "future";
      if (past) last = l;
    });
    // Scroll the timeline itself, not the page, to the moment.
    if (last) timeline.scrollTop = Math.max(0, last.offsetTop - timeline.offsetTop - timeline.clientHeight / 2);
    if (audio && isFinite(audio.duration)) audio.currentTime = Math.min(tick / 18, audio.duration);
    report();
  }
  slider.addEventListener("input", function () { show(Number(slider.value)); });
  images.forEach(function (i) { i.addEventListener("load", report); });
  if (location.hash === "#last") slider.value = slider.max;
  show(Number(slider.value));
})();
)js";

}  // namespace

std::string base64(const std::vector<uint8_t>& bytes) {
    static const char kDigits[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    std::string out;
    out.reserve((bytes.size() + 2) / 3 * 4);
    std::size_t i = 0;
    for (; i + 2 < bytes.size(); i += 3) {
        const uint32_t v = uint32_t{bytes[i]} << 16 | uint32_t{bytes[i + 1]} << 8 | bytes[i + 2];
        out += kDigits[v >> 18];
        out += kDigits[(v >> 12) & 63];
        out += kDigits[(v >> 6) & 63];
        out += kDigits[v & 63];
    }
    if (i < bytes.size()) {
        const bool two = i + 1 < bytes.size();
        const uint32_t v = uint32_t{bytes[i]} << 16 | (two ? uint32_t{bytes[i + 1]} << 8 : 0u);
        out += kDigits[v >> 18];
        out += kDigits[(v >> 12) & 63];
        out += two ? kDigits[(v >> 6) & 63] : '=';
        out += '=';
    }
    return out;
}

bool write_film(const std::string& path, const Film& film, std::string& error) {
    std::ofstream out(path, std::ios::binary);
    if (!out) {
        error = "cannot write the film " + path;
        return false;
    }
    // Moments: runs of pictures taken together (one name, one tick).
    struct Moment {
        std::string name;
        int64_t tick;
        std::vector<const Picture*> pictures;
    };
    std::vector<Moment> moments;
    for (const Picture& p : film.pictures) {
        if (moments.empty() || moments.back().name != p.name || moments.back().tick != p.tick)
            moments.push_back({p.name, p.tick, {}});
        moments.back().pictures.push_back(&p);
    }

    out << "<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n<title>"
        << html(film.title) << " \xE2\x80\x94 kadrimos</title>\n<style>" << kStyle
        << "</style>\n</head>\n<body>\n";
    out << "<header><h1>" << html(film.title) << "</h1><p id=\"status\">loading</p></header>\n";
    out << "<section id=\"player\"><input type=\"range\" id=\"moment\" min=\"0\" max=\""
        << (moments.empty() ? 0 : moments.size() - 1)
        << "\" value=\"0\" step=\"1\"><span id=\"moment-label\"></span>";
    if (!film.sound.empty())
        out << "<audio id=\"sound\" controls preload=\"auto\" src=\"data:audio/wav;base64,"
            << base64(film.sound) << "\"></audio>";
    out << "</section>\n";
    for (const Moment& m : moments) {
        out << "<section class=\"moment\" data-tick=\"" << m.tick << "\" data-name=\"" << html(m.name)
            << "\">\n";
        for (const Picture* p : m.pictures)
            out << "<figure><img alt=\"" << html(p->title) << "\" src=\"data:image/png;base64,"
                << base64(p->png) << "\"><figcaption>" << html(p->title) << "</figcaption></figure>\n";
        out << "</section>\n";
    }
    out << "<pre id=\"timeline\">";
    std::istringstream lines(film.timeline);
    long long last_tick = 0;
    for (std::string line; std::getline(lines, line);) {
        const long long tick = tick_of(line);
        if (tick >= 0) last_tick = tick;
        out << "<span data-tick=\"" << last_tick << "\">" << html(line) << "\n</span>";
    }
    out << "</pre>\n<script>" << kScript << "</script>\n</body>\n</html>\n";
    if (!out) {
        error = "cannot write the film " + path;
        return false;
    }
    return true;
}

}  // namespace kadrimos::host_sim
