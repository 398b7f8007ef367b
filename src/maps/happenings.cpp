// Happenings around the player while time passes: meetings with the
// creatures that wander the world map, a distant animal heard, something
// strange now and then, the animals of a local map stocked anew after a
// while away, and the hints that someone is near.
#include "maps/happenings.h"

#include <cmath>
#include <cstdlib>
#include <cstring>

#include "base/debug_log.h"
#include "base/files.h"
#include "base/platform.h"
#include "body/skills.h"
#include "body/wounds.h"
#include "creatures/creature_files.h"
#include "creatures/creature_table.h"
#include "creatures/culture_goods.h"
#include "creatures/encounter_species.h"
#include "game/player.h"
#include "game/spend_time.h"
#include "game/turn_state.h"
#include "maps/map_change.h"
#include "maps/map_draw.h"
#include "maps/local_store.h"
#include "maps/map_layers.h"
#include "maps/map_services.h"
#include "maps/map_view.h"
#include "maps/markers.h"
#include "maps/terrain_queries.h"
#include "maps/terrain_types.h"
#include "objects/map_kinds.h"
#include "objects/map_object_table.h"
#include "society/society_services.h"
#include "ui/catalogue.h"
#include "ui/message_line.h"
#include "ui/prompts.h"
#include "ui/sound.h"
#include "work/work_services.h"

namespace {

// The game minute of the last random-encounter roll; -240 before the
// first, so the first check of a game may roll.
constexpr int kRollEvery = 240;
int32_t last_roll_minute = -kRollEvery;
// The game hour of the last move of the world's wanderers (-1 none yet).
int32_t last_wander_hour = -1;
// The player's square at the last presence check.
int32_t presence_x = -1, presence_y = -1;

int r(int n) { return n > 0 ? random_below(n) : 0; }

void note(const char* text) { debug_log("happenings", text); }

int world_code_here() {
    return is_world_map() ? terrain_at(player_x, player_y) : stored_world_terrain_at(plr_world_x(), plr_world_y());
}

// The world creature entry on the player's cell (world map only), or -1.
int world_entry_here() {
    if (!is_world_map()) return -1;
    for (int i = 0; i < MAP_OBJECT_COUNT; ++i) {
        const MapObject& o = Data[i];
        if (o.TYPE == MK_WORLD_CREATURE && o.x == player_x && o.y == player_y) return i;
    }
    return -1;
}

// The creature of a number (a reference or a kind) into CreScratch;
// false when there is none.
bool load_creature_number(int number) {
    if (number >= CRE_REF_BASE) return read_creature_ref(number) && CreScratch.cre_class != CRE_CLASS_FREE;
    if (number <= 0 || number >= CRE_TEMPLATE_COUNT) return false;
    cre_template_to_scratch(number, number >= 500 ? 1 : 0);
    return CreScratch.cre_class != CRE_CLASS_FREE;
}

void lower_name(char* out, size_t cap) {
    copy_field(out, cap, CreScratch.name, sizeof CreScratch.name);
    for (char* c = out; *c; ++c) *c = char(latin1_lower(static_cast<unsigned char>(*c)));
}

bool is_site_or_camp(int code) {
    switch (code) {
    case 30: case 60: case 86: case 210: case 211: case 239: return true;
    default: return false;
    }
}

// Too many creatures about on a local map for another to come.
bool local_map_crowded() {
    int kept = 0, large = 0;
    for (int s = 0; s < CRE_SLOTS; ++s) {
        if (CreSlotRefs[s] == 0 || Cre[s].cre_class == CRE_CLASS_FREE) continue;
        const CreatureRecord& c = Cre[s];
        int cx = 0, cy = 0;
        for (int i = 0; i < MAP_OBJECT_COUNT; ++i)
            if (Data[i].TYPE == MK_CREATURE && Data[i].DATA == CRE_REF_BASE + s) {
                cx = Data[i].x;
                cy = Data[i].y;
                break;
            }
        if (std::abs(cx - player_x) > 64 || std::abs(cy - player_y) > 64) continue;
        if (c.cre_status == CRE_STATUS_TIED || c.move_mode == MOVE_MODE_PARTY)
            ++kept;
        else if (c.weight > 10.0f)
            ++large;
    }
    return kept > 3 || large > 3;
}

bool in_month_mask(uint16_t mask) { return mask == 0 || (mask & (1u << Plr.month)) != 0; }

bool month_in_window(int from, int to) {
    if (from == 0 || to == 0) return true;
    const int m = Plr.month;
    return from <= to ? (m >= from && m <= to) : (m >= from || m <= to);
}

bool species_on_map(int kind) {
    for (int s = 0; s < CRE_SLOTS; ++s)
        if (CreSlotRefs[s] != 0 && Cre[s].cre_class != CRE_CLASS_FREE && Cre[s].kind == kind) return true;
    return false;
}

// The stocking day in the markers of the 3 x 3 cells around.
void stamp_stocking_day(int wx, int wy) {
    const int day = Plr.days_played != 0 ? Plr.days_played : 1;
    for (int dy = -1; dy <= 1; ++dy)
        for (int dx = -1; dx <= 1; ++dx) {
            const int m = marker_slot(wx + dx, wy + dy);
            if (m == MARKER_NONE) continue;
            Marker& mk = Markers[m];
            if (mk.world_x != wx + dx || mk.world_y != wy + dy) {
                if (mk.world_x != 0) continue;
                mk.world_x = int16_t(wx + dx);
                mk.world_y = int16_t(wy + dy);
            }
            mk.stocked_day = day;
        }
}

// One creature of the template on a free square of the map.
void spawn_one(int kind) {
    const CreatureRecord& t = CreTemplates[kind];
    int x = 0, y = 0;
    if (!random_spawn_spot(&x, &y, t.mobility)) return;
    if (t.terrain_mask != 0) {
        const int wx = world_x_of(x), wy = world_y_of(y);
        if (site_within_radius(wx, wy, 1)) return;
        if (!area_has_terrain_class(x, y, t.terrain_mask, t.terrain_need)) return;
    }
    cre_template_to_scratch(kind, 1);
    if (CreScratch.cre_class == CRE_CLASS_FREE) return;
    CreScratch.home_x = world_x_of(x);
    CreScratch.home_y = world_y_of(y);
    const int ref = append_and_load_creature(CreScratch);
    if (ref == CRE_NO_CREATURE) return;
    const int slot = ref - CRE_REF_BASE;
    if (put_object_on_map(MK_CREATURE, x, y, ref, 1) < 0) {
        CreSlotRefs[slot] = 0;
        Cre[slot].cre_class = CRE_CLASS_FREE;
        return;
    }
    // A mother may have her young with her.
    cre_spawn_kin(slot, 0);
}

// Replaces the first "<name>" of text by value (bounded).
void replace_variable(char* text, size_t cap, const char* name, const char* value) {
    char* at = std::strstr(text, name);
    if (!at) return;
    char rest[512];
    copy_text(rest, at + std::strlen(name));
    *at = 0;
    append_text(text, cap, value);
    append_text(text, cap, rest);
}

}  // namespace

int world_cell_found_x = 0, world_cell_found_y = 0;

void reset_world_happenings() {
    last_roll_minute = -kRollEvery;
    last_wander_hour = -1;
    presence_x = presence_y = -1;
    world_cell_found_x = world_cell_found_y = 0;
}

int check_world_encounter() {
    if (encounter_state != 0) return 0;
    if (!is_world_map()) return 0;
    const int wx = player_x, wy = player_y;
    if (site_within_radius(wx, wy, 1)) return 0;
    const int entry = world_entry_here();
    if (entry >= 0) {
        if (Data[entry].subkind != 2 || can_spot_world_creature(Data[entry].x, Data[entry].y, entry)) {
            encounter_state = 1;
            return 0;
        }
    }
    if (Plr.hour != last_wander_hour) {
        last_wander_hour = Plr.hour;
        drop_far_world_entries();
        stock_world_entries();
    }
    if (Plr.total_minutes - last_roll_minute >= kRollEvery) {
        last_roll_minute = Plr.total_minutes;
        if (terrain_flags_of(terrain_at(wx, wy)) & TF_WATER) return 0;
        if (r(10) == 0) {
            encounter_state = 2;
            task_interrupt_request = 3;
            return 255;
        }
    }
    return 0;
}

void world_map_encounter() {
    char text[200];
    const int code = world_code_here();
    const int wx = is_world_map() ? player_x : plr_world_x();
    const int wy = is_world_map() ? player_y : plr_world_y();
    if (is_site_or_camp(code) || (terrain_flags_of(code) & 0x10) || site_within_radius(wx, wy, 1)) return;
    const int entry = world_entry_here();
    if (entry < 0) {
        int water = 0;
        for (int dy = -1; dy <= 1; ++dy)
            for (int dx = -1; dx <= 1; ++dx)
                if (terrain_flags_of(stored_world_terrain_at(wx + dx, wy + dy)) & TF_WATER) ++water;
        if (water > 4) return;
    }
    if (!is_world_map() && local_map_crowded()) return;
    rebuild_view();
    int number = 0, subkind = 0;
    if (entry >= 0) {
        number = Data[entry].subkind == 4 ? int(Data[entry].expire_minute) : Data[entry].DATA;
        subkind = Data[entry].subkind;
        free_map_object(entry);
    } else {
        const int culture = world_culture_at(wx, wy);
        const int group = culture >= 0 && culture <= 9 ? culture_region(culture) : 0;
        number = choose_encounter_species(group, player_x, player_y, 0);
    }
    if (number == 0 || !load_creature_number(number)) return;
    char name[64];
    lower_name(name, sizeof name);
    if (CreScratch.cre_class == CRE_CLASS_HUMAN) {
        format_text(text, sizeof text, "!@You encounter %s...", name);
        show_message(text);
        play_sample("harr", 0);
    } else {
        const char* article = std::strchr("aeiou", name[0]) && name[0] ? "an" : "a";
        format_text(text, sizeof text, "!@You encounter an animal. You think it's %s %s...", article, name);
        show_message(text);
        play_sample("harr", 0);
        if (CreScratch.weight < 20.0f) {
            show_message(":You can zoom to the local terrain map and look for it.");
            if (!ask_yes_no("Zoom in the local terrain map?")) {
                show_message("Ok, you continue on your way.");
                return;
            }
        }
    }
    format_text(text, sizeof text, "encounter: %d at %d,%d", number, wx, wy);
    note(text);
    // The request carries the creature: the new map's encounter makes it.
    terrain_map(subkind == 2 ? 0 : 1, number);
}

int random_world_cell_near_player() {
    const int px = plr_world_x(), py = plr_world_y();
    for (int draw = 1; draw <= 200; ++draw) {
        int x = px - 25 + r(50);
        int y = py - 25 + r(50);
        x = x < 1 ? 1 : x > 3071 ? 3071 : x;
        y = y < 1 ? 1 : y > 2047 ? 2047 : y;
        if (draw <= 100) continue;
        if (terrain_flags_of(stored_world_terrain_at(x, y)) & TF_WANDER) {
            world_cell_found_x = x;
            world_cell_found_y = y;
            return 1;
        }
    }
    return 0;
}

void check_presence_hints_here() {
    if (player_x == presence_x && player_y == presence_y) return;
    presence_x = player_x;
    presence_y = player_y;
    for (int i = 0; i < MAP_OBJECT_COUNT; ++i) {
        const MapObject& o = Data[i];
        if (o.x != player_x || o.y != player_y) continue;
        if (o.TYPE == MK_PARTY_CREATURE) {
            show_message(":You think there is someone here.");
        } else if (o.TYPE == MK_WORLD_CREATURE && o.subkind == 2 && r(3) == 0) {
            if (plr_use_skill(0, 0, "TRACKING", 0) > 1) show_world_creature_tracks(i);
        }
    }
}

void spawn_local_creatures() {
    if (is_world_map()) return;
    const int wx = plr_world_x(), wy = plr_world_y();
    if (site_within_radius(wx, wy, 1)) return;
    const int mood = spirit_mood_add(player_x, player_y, 702, 0);
    if (mood < -50) return;
    if (mood < -25 && r(2) == 0) return;
    if (mood < -10 && r(5) == 0) return;
    const int m = marker_slot(wx, wy);
    if (m != MARKER_NONE && Markers[m].world_x == wx && Markers[m].world_y == wy && Markers[m].stocked_day != 0 &&
        std::abs(Plr.days_played - Markers[m].stocked_day) < 14)
        return;
    stamp_stocking_day(wx, wy);
    for (int kind = 0; kind < CRE_TEMPLATE_COUNT; ++kind) {
        const CreatureRecord& t = CreTemplates[kind];
        if (t.frequency <= 0 || t.cre_class == CRE_CLASS_FREE) continue;
        // Every kind is solitary until kinds keep a grouping of their own:
        // one creature at a time, whatever the abundance or the ritual.
        const int count = 1;
        if (r(5000) > t.frequency) continue;
        if (!month_in_window(t.season_from, t.season_to)) continue;
        if (species_on_map(kind)) continue;
        int made = r(2 * count);
        if (made > 12) made = 12;
        if (count == 1 && made == 0) made = 1;
        for (int i = 0; i < made; ++i) spawn_one(kind);
    }
}

int random_spawn_spot(int* out_x, int* out_y, int mobility) {
    if (is_world_map()) return 0;
    const bool swimmer = mobility == 96 || mobility == 128;
    for (int tries = 0; tries < 10; ++tries) {
        const int x = 72 + r(320);
        const int y = 72 + r(320);
        const int code = terrain_at(x, y);
        if (swimmer) {
            if (!(terrain_flags_of(code) & TF_WATER) || ice_thickness_at(x, y) > 0) continue;
        } else if (code != 250) {
            continue;
        }
        if (std::abs(x - 232) <= 63 || std::abs(y - 232) <= 63) continue;
        if (std::abs(x - player_x) <= 31 || std::abs(y - player_y) <= 31) continue;
        if (is_in_view(x, y)) continue;
        *out_x = x;
        *out_y = y;
        return 1;
    }
    return 0;
}

void roll_world_ambient_event() {
    if (!is_world_map()) return;
    const int roll = r(100);
    if (roll < 20) {
        hear_distant_creature();
    } else if (roll == 94 || roll == 95) {
        show_message("Something happens...");
        for (int slot = 0; slot < WOUND_SLOTS; ++slot)
            if (Plr.wounds[PW_KIND][slot] == 10) return;
        show_message("*hQ");
        plr_add_wound(0, 0, 5, 0, 10);
    }
}

void hear_distant_creature() {
    if (!is_world_map()) return;
    for (int i = 0; i < MAP_OBJECT_COUNT; ++i) {
        const MapObject& o = Data[i];
        if (o.TYPE != MK_WORLD_CREATURE) continue;
        const int dx = int(o.x) - player_x, dy = int(o.y) - player_y;
        if (std::abs(dx) + std::abs(dy) >= 6) continue;
        if (!load_creature_number(o.DATA)) return;
        double angle = std::atan2(double(dx), double(dy)) * 180.0 / 3.14159265358979;
        if (angle < 0) angle += 360.0;
        const bool seasonal = CreScratch.mobility == 64 || CreScratch.mobility == 128 || CreScratch.cre_class == 21;
        if (seasonal && !in_month_mask(CreScratch.calling_months)) return;
        msg_direction = direction_from_angle(angle);
        char text[600];
        copy_text(text, find_message_text("SOUND_IN_DISTANCE"));
        char sound[16];
        copy_field(sound, sizeof sound, CreScratch.call_word, sizeof CreScratch.call_word);
        replace_variable(text, sizeof text, "<npc_sound>", sound[0] ? sound : "a sound");
        fill_message_variables(text, sizeof text);
        show_message(text);
        if (CreScratch.cre_class == 21) play_sample(bird_call_sound(CreScratch), 0);
        return;
    }
}

