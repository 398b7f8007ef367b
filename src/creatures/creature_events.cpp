// What a creature does, told to the player: seen when its square is in
// view, heard when it is out of sight but near enough.
#include "creatures/creature_events.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "creatures/creature_errands.h"
#include "creatures/creature_files.h"
#include "creatures/creature_society.h"
#include "creatures/creature_table.h"
#include "creatures/creature_traits.h"
#include "game/player.h"
#include "game/screen_hooks.h"
#include "maps/map_layers.h"
#include "maps/map_view.h"
#include "objects/map_object_table.h"
#include "ui/catalogue.h"
#include "ui/message_line.h"
#include "ui/sound.h"

int32_t forced_hearing_range = 0;

namespace {

constexpr int HEARD_FAR = 100;   // birds and villagers carry far
constexpr int HEARD_NEAR = 25;   // every other creature
constexpr int CATCH_UP_DISTANCE = 50;
constexpr int DATAPOS_ACTOR = 499;

bool has_word(const char* text, const char* word) { return text && std::strstr(text, word) != nullptr; }

int told(int creature, const char* seen, const char* options) {
    if (messages_suppressed) return 0;
    if (creature == -1) {
        show_message(seen ? seen : "");
        return 1;
    }
    const bool datapos = has_word(options, "DATAPOS_TARGET");
    const bool force = has_word(options, "FORCE_HEAR");
    const bool always = has_word(options, "ALWAYS_HEAR");

    // The heard text: the caller's, else the catalogue's heard version of
    // the message just looked up. The option words are no text to hear.
    const char* heard = heard_message_text;
    if (!force && !always && !datapos && options && options[0]) heard = options;
    if (force && !heard_message_text[0]) return 0;

    int x = 0, y = 0;
    if (datapos) {
        if (!map_index_valid(creature)) return 0;
        x = Data[creature].x;
        y = Data[creature].y;
        msg_npc = DATAPOS_ACTOR;
    } else {
        if (!cre_slot_valid(creature)) return 0;
        x = creature_x(creature);
        y = creature_y(creature);
        msg_npc = creature;
    }

    const char* text = nullptr;
    if (!force && is_in_view(x, y)) {
        text = seen;
    } else {
        int range = HEARD_NEAR;
        if (!datapos && (cre_is_bird(creature) || cre_is_society_member(creature))) range = HEARD_FAR;
        if (forced_hearing_range > 0) range = forced_hearing_range;
        int d = std::max(std::abs(x - player_x), std::abs(y - player_y));
        if (creature_catch_up) d = CATCH_UP_DISTANCE;
        if (d > range && !force && !always) return 0;
        if (!heard || !heard[0]) return 0;
        text = heard;
        screen_hooks.mark_sound_clue(x, y);
    }
    if (!text || !text[0]) return 0;
    set_sound_position(x, y);
    show_message(text);
    set_sound_position(0, 0);
    return 1;
}

}  // namespace

int cre_action_message(int creature, const char* seen, const char* heard) {
    const int shown = told(creature, seen, heard);
    forced_hearing_range = 0;
    return shown;
}
