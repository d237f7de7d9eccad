#include "panel/elements.h"

#include "panel/lamps.h"
#include "panel/text.h"

namespace kadrimos {

ELEMENT_HEADER* element(const GAUGEHDR& gauge, int depth) {
    if (gauge.elements_list == nullptr || depth < 0) return nullptr;
    ELEMENT_HEADER* e = gauge.elements_list[0];
    for (int k = 0; k < depth && e != nullptr; ++k)
        e = (e->next_element != nullptr) ? e->next_element[0] : nullptr;
    return e;
}

void show(ELEMENT_HEADER* element) {
    if (element != nullptr) element->image_flags &= ~IMAGE_HIDDEN;
}

void hide(ELEMENT_HEADER* element) {
    if (element != nullptr) element->image_flags |= IMAGE_HIDDEN;
}

void set_visible(ELEMENT_HEADER* element, bool visible) {
    if (visible)
        show(element);
    else
        hide(element);
}

bool is_visible(const ELEMENT_HEADER* element) {
    return element != nullptr && (element->image_flags & IMAGE_HIDDEN) == 0;
}

void light(const GAUGEHDR& gauge, int depth, bool bus_powered, bool condition) {
    set_visible(gauge, depth, lamp_lit(bus_powered, condition, false, false, false, false));
}

void show_one_of(const GAUGEHDR& gauge, std::initializer_list<int> depths, int selected) {
    int position = 0;
    for (int depth : depths) set_visible(element(gauge, depth), position++ == selected);
}

void write_fixed(ELEMENT_STRING& string, double value, int width, int precision) {
    if (string.string == nullptr) return;
    format_fixed(string.string, string.max_string_length + 1, value, width, precision);
}

void write_text(ELEMENT_STRING& string, const char* text) {
    if (string.string == nullptr) return;
    std::size_t n = 0;
    if (text != nullptr)
        for (; n < string.max_string_length && text[n] != '\0'; ++n) string.string[n] = text[n];
    string.string[n] = '\0';
}

}  // namespace kadrimos
