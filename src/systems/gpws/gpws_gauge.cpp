// "toskelin gpws_rulo": the ground proximity warning gauge.
//
// Its install loads the cockpit's sounds and its kill releases them: every
// other gauge plays them through the sound bank. The warning modes, callouts
// and the sequencing of the aural alerts that run in its update are not
// built yet; until they are, its update does nothing and its light stays
// dark.
#include "module/catalog.h"
#include "module/standard_routines.h"
#include "panel/elements.h"
#include "panel/mouse.h"
#include "sound/sound_bank.h"

namespace kadrimos::gauges::gpws {
namespace {

constexpr uint32_t kHelpId = 0xAB4C;
constexpr uint32_t kBackgroundBitmap = 4713;
constexpr uint32_t kLightBitmap = 4716;

void FSAPI callback(GAUGEHDR*, int32_t service, uintptr_t extra) {
    switch (service) {
        case PANEL_SERVICE_PRE_INSTALL:
            sound::load_all(extra);  // the host's extra value is the module handle
            break;
        case PANEL_SERVICE_PRE_KILL:
            sound::release_all();
            break;
        default:
            break;
    }
}

// Element 1: the red GPWS light.
constinit ELEMENT_ICON light = icon(header, kLightBitmap, {0, 0}, no_children);
constinit ELEMENT_STATIC_IMAGE background_element = background(header, kBackgroundBitmap, next_of<light>);
constinit ELEMENT_HEADER* elements[] = {&background_element.header, nullptr};
constinit auto mouse = mouse_table(kHelpId);

}  // namespace

constinit GAUGEHDR header = gauge_header("toskelin gpws_rulo", 47, elements, mouse.rect, callback);

}  // namespace kadrimos::gauges::gpws
