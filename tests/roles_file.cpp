// Prints the role labels of every gauge of the catalogue, in catalogue
// order, as the simulated host reads them (host/data/roles.txt): one line
// per labelled element, "gauge" ELEMENT "label", and one per mouse area,
// "gauge" area AREA "label". A background labelled "background" is left out:
// the host calls element 0 that by default.
//
// The labels live beside the records in the gauges' own files; this program
// is how the host's copy is made (scripts/update_roles.sh) and checked
// (the roles_file_matches_the_gauges test).
#include <cstdio>
#include <cstring>

#include "module/catalogue.h"
#include "module/exports.h"

namespace {

bool printable(const char* label) {
    return label != nullptr && *label != '\0' && std::strchr(label, '"') == nullptr;
}

}  // namespace

int main() {
    using namespace kadrimos;
    std::printf(
        "# Role labels of the gauges' elements and mouse areas, printed in the\n"
        "# timeline and used by scenarios: \"gauge\" ELEMENT \"label\" and\n"
        "# \"gauge\" area AREA \"label\". Element 0 is the background unless a line\n"
        "# here names it otherwise. Made from the gauges' sources by\n"
        "# scripts/update_roles.sh; a test checks that the two agree.\n");
    int status = 0;
    for (GAUGEHDR* const* g = Linkage.gauge_table; *g != nullptr; ++g) {
        const CatalogueEntry* entry = catalogue_entry_of(*g);
        if (entry == nullptr) {
            std::fprintf(stderr, "roles_file: \"%s\" has no catalogue entry\n", (*g)->gauge_name);
            status = 1;
            continue;
        }
        const GaugeLabels& labels = *entry->labels;
        for (std::size_t i = 0; i < labels.elements.size(); ++i) {
            const char* label = labels.elements[i].label;
            if (i == 0 && std::strcmp(label, "background") == 0) continue;
            if (!printable(label)) {
                std::fprintf(stderr, "roles_file: \"%s\" element %zu has no usable label\n", entry->name, i);
                status = 1;
                continue;
            }
            std::printf("\"%s\" %zu \"%s\"\n", entry->name, i, label);
        }
        for (std::size_t i = 0; i < labels.areas.size(); ++i) {
            const char* label = labels.areas[i].label;
            if (!printable(label)) {
                std::fprintf(stderr, "roles_file: \"%s\" area %zu has no usable label\n", entry->name, i);
                status = 1;
                continue;
            }
            std::printf("\"%s\" area %zu \"%s\"\n", entry->name, i, label);
        }
    }
    return status;
}
