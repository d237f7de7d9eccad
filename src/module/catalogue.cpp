#include "module/catalogue.h"

namespace kadrimos {

const CatalogueEntry* catalogue_entry_of(const GAUGEHDR* gauge) {
    for (const auto& table : kCatalogueTables)
        for (const CatalogueEntry& entry : table)
            if (entry.header == gauge) return &entry;
    return nullptr;
}

}  // namespace kadrimos
