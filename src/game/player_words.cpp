// Descriptive words about the character and the places around it.
#include "game/player_words.h"

#include <algorithm>
#include <cstring>

#include "base/platform.h"
#include "base/text_ring.h"
#include "game/player.h"
#include "maps/culture_regions.h"
#include "maps/map_layers.h"
#include "maps/regions.h"

char* distance_words(int distance) {
    return ring_copy(distance_text(distance, 0, 0, 0, 9));
}

char* plr_full_name() {
    char* out = next_ring_text();
    // Both fields are fixed-size; never read past them.
    format_text(out, TEXT_RING_BYTES, "%.*s %.*s", int(strnlen(plr.name, sizeof plr.name)),
                plr.name, int(strnlen(plr.second_name, sizeof plr.second_name)), plr.second_name);
    return out;
}

char* body_temperature_words(bool sentence, uint8_t* rgb) {
    return body_temperature_words_for(plr.bodytemp, sentence, rgb);
}


char* place_phrase(int world_x, int world_y) {
    char here[TEXT_RING_BYTES];
    copy_text(here, sizeof here, region_names_text(plr_world_x(), plr_world_y()));
    const char* there = region_names_text(world_x, world_y);
    char* out = next_ring_text();
    if (std::strcmp(here, there) == 0)
        format_text(out, TEXT_RING_BYTES, "here at %s", there);
    else
        format_text(out, TEXT_RING_BYTES, "at the region called %s", there);
    return out;
}

const char* hunger_words(int level) { return hunger_words_for(level, uint32_t(std::max(0, plr.Energiavaranto))); }
