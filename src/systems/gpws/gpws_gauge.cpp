// "toskelin gpws_rulo": the ground proximity warning gauge.
//
// Its install loads the cockpit's sounds and its kill releases them: every
// other gauge plays them through the sound bank. The warning modes, callouts
// and the sequencing of the aural alerts that run in its update are not
// built yet; until they are, its update does nothing and its light stays
// dark.
#include "module/catalogue_entry.h"
#include "module/standard_routines.h"
#include "panel/chain.h"
#include "panel/elements.h"
#include "panel/gauge_records.h"
#include "panel/mouse.h"
#include "sound/sound_bank.h"
#include "systems/gpws/aural_alerts.h"

KADRIMOS_GAUGE(gpws, "toskelin gpws_rulo")

namespace kadrimos::gauges::gpws {
namespace {

constexpr uint32_t kHelpId = 0xAB4C;

void FSAPI callback(GAUGEHDR*, int32_t service, uintptr_t extra) {
    switch (service) {
        case PANEL_SERVICE_PRE_INSTALL:
            sound::load_all(extra);  // the host's extra value is the module handle
            break;
        case PANEL_SERVICE_PRE_KILL:
            sound::release_all();
            break;
        case PANEL_SERVICE_PRE_UPDATE:
            kadrimos::gpws::update_aural_alerts();
            break;
        default:
            break;
    }
}

// Element 1: the red GPWS light.
constexpr ElementSpec kElements[] = {
    background_spec(4713),
    icon_spec("GPWS light", 4716, {0, 0}),
};

}  // namespace

KADRIMOS_GAUGE_RECORDS(kElements, kNoAreas, 47, callback, kHelpId);

}  // namespace kadrimos::gauges::gpws
