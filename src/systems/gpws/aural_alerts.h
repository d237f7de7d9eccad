// The cockpit's aural alerts other than the ground proximity callouts: the
// alerts other gauges request, the gear horn, the warning re-arm latches and
// the master warning and caution sounds. Run by the GPWS gauge's update after
// its callout.
#pragma once

namespace kadrimos::gpws {

// One update of the aural alerts (reads the host's gear and flap positions
// and the shared record; writes WarningRearm, LightCancelled,
// BigPanelRequest and ReCalloutRequest).
void update_aural_alerts();

}  // namespace kadrimos::gpws
