#include "panel/switches.h"

#include "sound/sound_bank.h"

namespace kadrimos {

void play_click() { sound::play_once(sound::SoundName::CLICK); }

bool move_switch(uint8_t& item, uint8_t position) {
    if (item == position) return false;
    play_click();
    item = position;
    return true;
}

void press_and_click(uint8_t& item) {
    play_click();
    item = (item == 0) ? 2 : 3;
}

}  // namespace kadrimos
