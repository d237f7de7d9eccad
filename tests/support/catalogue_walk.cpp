#include "support/catalogue_walk.h"

#include <cstddef>

namespace kadrimos::testing {
namespace {

void collect(ELEMENT_HEADER* e, std::vector<ELEMENT_HEADER*>& out) {
    if (e == nullptr) return;
    out.push_back(e);
    if (e->next_element == nullptr) return;
    for (std::size_t i = 0; e->next_element[i] != nullptr; ++i) collect(e->next_element[i], out);
}

}  // namespace

std::vector<ELEMENT_HEADER*> elements_of(const GAUGEHDR& gauge) {
    std::vector<ELEMENT_HEADER*> out;
    for (std::size_t i = 0; gauge.elements_list != nullptr && gauge.elements_list[i] != nullptr; ++i)
        collect(gauge.elements_list[i], out);
    return out;
}

std::vector<const MOUSERECT*> areas_of(const GAUGEHDR& gauge) {
    std::vector<const MOUSERECT*> out;
    for (const MOUSERECT* r = gauge.mouse_rect; r != nullptr && r->rect_type != MOUSE_RECT_EOL; ++r)
        if (r->rect_type == MOUSE_RECT_CHILD) out.push_back(r);
    return out;
}

}  // namespace kadrimos::testing
