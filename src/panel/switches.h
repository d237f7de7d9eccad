// The shapes of the cockpit's mouse handlers.
//
// Handlers are small: they move a switch, step a value, raise a request flag
// or send one command to the host. They never draw (the gauge's next update
// shows the new position) and, unless a gauge says otherwise, they work
// without electrical power: a switch moves whether or not its bus is alive.
// No handler looks at the click point or the mouse flags.
#pragma once

#include <concepts>
#include <cstdint>

#include "module/aircraft_state.h"
#include "panel/host_api.h"

namespace kadrimos {

// The switch click, played through the sound bank (silent if the CLICK sound
// did not load).
void play_click();

// Position switch: moves `item` to `position`, with a click only if the
// switch was elsewhere. Returns whether it moved.
bool move_switch(uint8_t& item, uint8_t position);

// Clicked press (a generator TEST position): always clicks; stores 2 if the
// item was 0, else 3. The gauge's update reads these codes as a timed press.
void press_and_click(uint8_t& item);

// Momentary button: raises the request flag; the gauge's next update acts on
// it and clears it.
inline void request(uint8_t& flag) {
    if (flag == 0) flag = 1;
}

// Steppers: silent. A value at its limit stays there.
template <std::integral T>
void step_down(T& item, T step, T floor) {
    item = (item < floor + step) ? floor : static_cast<T>(item - step);
}
template <std::integral T>
void step_up(T& item, T step, T ceiling) {
    item = (item > ceiling - step) ? ceiling : static_cast<T>(item + step);
}
// Wrapping stepper over [0, modulo): a heading bug stepping by 1 or 10 goes
// from 359 to 0 and from 0 to 359.
template <std::integral T>
void step_wrap(T& item, int delta, int modulo) {
    int v = (static_cast<int>(item) + delta) % modulo;
    if (v < 0) v += modulo;
    item = static_cast<T>(v);
}

// A position-switch area on an item of the shared record:
//   area({8, 2, 37, 31}, CURSOR_HAND, set_position<&AircraftState::Batt1Switch, 2>)
template <auto Item, uint8_t Position>
int32_t FSAPI set_position(PIXPOINT*, uint32_t) {
    move_switch(aircraft.*Item, Position);
    return 0;
}

}  // namespace kadrimos
