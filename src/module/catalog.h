// Headers of the gauges that have a file of their own, for the catalogue.
#pragma once

#include "panel/host_api.h"

namespace kadrimos::gauges {

namespace testgauge2k {
extern GAUGEHDR header;
}
namespace gpws {
extern GAUGEHDR header;
}
namespace flt_deck_lt {
extern GAUGEHDR header;
}

}  // namespace kadrimos::gauges
