// The scenes, encounters and world events that the last passes of the map
// maker lay on the working local map, new or stored alike.
#include "mapgen/scenes.h"

#include <cstring>

#include "base/debug_log.h"
#include "base/files.h"
#include "base/platform.h"
#include "creatures/creature_errands.h"
#include "creatures/creature_files.h"
#include "creatures/creature_species.h"
#include "creatures/culture_goods.h"
#include "creatures/encounter_species.h"
#include "game/player.h"
#include "game/save_set.h"
#include "mapgen/fillers.h"
#include "mapgen/gen_grid.h"
#include "mapgen/rndhouse.h"
#include "mapgen/settlement_stamps.h"
#include "maps/map_layers.h"
#include "maps/terrain_queries.h"
#include "maps/world_files.h"
#include "objects/inventory.h"
#include "objects/map_kinds.h"
#include "objects/object_store.h"

int encounter_force_dog = 0;

namespace {

int r(int n) { return n > 0 ? random_below(n) : 0; }

void log_make(const char* text) { debug_log("terrain_make", text); }

bool has_tag(const char* tags, const char* tag) { return tags && std::strstr(tags, tag) != nullptr; }

int item(const char* name) { return obj_template_by_name(name, 1); }

void add_item(int x, int y, const char* name, int amount) {
    const int id = item(name);
    if (id != 0 && amount > 0) zoom_add_data(x, y, MK_ITEM, id, amount);
}

// Ground with cover 0 (nothing growing there).
void clear_cell(int x, int y) {
    if (!on_gen_grid(x, y)) return;
    gen_terrain(x, y) = T_GROUND;
    gen_cover(x, y) = 0;
}

void set_cell(int x, int y, uint8_t code) {
    if (on_gen_grid(x, y)) gen_terrain(x, y) = code;
}

bool ground_patch(int x, int y) {
    for (int dy = -1; dy <= 1; ++dy)
        for (int dx = -1; dx <= 1; ++dx) {
            const int cx = x + dx, cy = y + dy;
            if (!on_gen_grid(cx, cy)) continue;
            if (gen_terrain(cx, cy) != T_GROUND) return false;
        }
    return true;
}

// A creature of the template as an entry, the template number as its data.
void add_creature(int x, int y, int kind) {
    if (on_gen_grid(x, y)) zoom_add_data(x, y, MK_CREATURE, kind, 1);
}

// The culture of the cell being made.
int making_culture() { return generation_culture(generation_world_x, generation_world_y); }

// A member of an encounter may stand here.
bool fit_for_member(int x, int y, bool aquatic) {
    const uint32_t f = terrain_flags_of(gen_terrain(x, y));
    if ((f & TF_WANDER) && !(f & TF_OBSTACLE)) return true;
    if (f & TF_WATER) return aquatic || world_ice_thickness_at(generation_world_x, generation_world_y) >= 500;
    return false;
}

// The counter the groups of creatures draw their ids from.
int32_t next_group_id() { return ++Plr.quest_id_counter; }

// A creature written to the creature file: its reference, or
// CRE_NO_CREATURE.
int write_creature(const CreatureRecord& record) { return append_creature_record(record); }

}  // namespace

MapPoint scene_place(const char* tags) {
    for (int tries = 0; tries < 100; ++tries) {
        int x, y;
        if (has_tag(tags, "[mid]")) {
            x = 16 + r(32);
            y = 16 + r(32);
        } else if (has_tag(tags, "[borders]")) {
            x = r(2) == 0 ? 64 - r(16) : r(16);
            y = r(2) == 0 ? 64 - r(16) : r(16);
        } else {
            x = r(64);
            y = r(64);
        }
        if (!on_gen_grid(x, y)) continue;
        if (gen_terrain(x, y) != T_GROUND) continue;
        if (ground_patch(x, y)) return MapPoint{x, y};
    }
    return MapPoint{0, 0};
}

void scene_hunter() {
    static const int animals[4] = {611, 605, 602, 608};
    const int animal = animals[r(4)];
    const int hx = 32 - r(4), hy = 30 - r(3);
    add_creature(hx, hy, 540);
    for (int i = 0; i < 4; ++i) {
        const int bx = 34 + r(4), by = 30 - r(3);
        add_entry_unmerged(bx, by, MK_BLOOD, 1, Plr.days_played);
    }
    const int ax = 32 - r(10), ay = 27 - r(10);
    add_creature(ax, ay, animal);
}

void scene_fence_line() {
    int x = 16 + r(16);
    for (int y = 16; y <= 47; ++y) {
        if (r(10) == 5 || y == 32) {
            set_cell(x, y, 21);
            zoom_add_data(x, y, MK_TRAP, 396, 0);
        } else {
            set_cell(x, y, 42);
        }
        x += r(2);
    }
}

void scene_abandoned_camp() {
    for (int y = 26; y <= 29; ++y)
        for (int x = 26; x <= 29; ++x) set_cell(x, y, T_GROUND);
    set_cell(28, 28, 31);
    add_item(26, 26, "FIREWOOD", 30);
    add_item(27, 26, "TREE TRUNK", 1);
    add_item(26, 28, "TREE TRUNK", 1);
    for (const MapPoint p : {MapPoint{29, 29}, MapPoint{29, 28}}) {
        const int id = obj_template_by_name("*RANDOM*", 0);
        if (id != 0) zoom_add_data(p.x, p.y, MK_ITEM, id, 1);
    }
}

void scene_woodwork_site() {
    // A three-sided shed open to the south, its floor cleared.
    for (int y = 13; y <= 17; ++y)
        for (int x = 28; x <= 33; ++x) clear_cell(x, y);
    for (int x = 29; x <= 32; ++x) set_cell(x, 13, 196);
    set_cell(28, 13, 218);
    set_cell(33, 13, 191);
    for (int y = 14; y <= 16; ++y) {
        set_cell(28, y, 200);
        set_cell(33, y, 188);
    }
    set_cell(28, 17, 192);
    set_cell(33, 17, 217);
    // The work ground beside it.
    for (int y = 25; y <= 32; ++y)
        for (int x = 31; x <= 42; ++x) clear_cell(x, y);
    add_item(30, 16, "LOG", 10 + r(10));
    add_item(31, 16, "BROAD AXE", 1);
    add_item(32, 26, "TREE TRUNK", 1);
    add_item(37, 29, "BOARD", 10 + r(20));
    add_item(38, 29, "SLENDER TREE TRUNK", 10 + r(20));
    add_item(39, 30, "LOG", 5 + r(10));
    add_item(38, 31, "CARVING AXE", 1);
    add_item(40, 27, "SPLITTING AXE", 1);
    add_item(41, 27, "TREE TRUNK", 1);
    add_item(40, 28, "LOG", 10 + r(20));
}

void scene_tethered_animal() {
    const int kind = random_village_animal_template(making_culture());
    if (kind > 0) {
        CreatureRecord animal{};
        creature_template_for_culture(kind, making_culture(), animal, 0);
        animal.cre_status = CRE_STATUS_TIED;
        const int ref = write_creature(animal);
        if (ref != CRE_NO_CREATURE) zoom_add_data(32, 32, MK_CREATURE, ref, 1);
        add_item(32, 32, "ROPE", 1);
    }
    for (int y = 18; y < GEN_SIDE; ++y)
        for (int x = 25; x <= 35; ++x) {
            if (r(3) != 0) continue;
            clear_cell(x, y);
            if (r(20) == 0) add_entry_unmerged(x, y, MK_FIRE_SITE, 600, 600);
        }
}

void zoom_place_camp_scene(int object_id, int reference, const char* tags) {
    const MapPoint spot = scene_place("[mid]");
    if (spot.x == 0 && spot.y == 0) {
        log_make("camp scene: no place");
        return;
    }
    set_cell(spot.x, spot.y, 31);
    if (has_tag(tags, "[camping]")) {
        add_entry_unmerged(spot.x, spot.y + 1, MK_FIRE_SITE, 10, Plr.days_played);
        add_item(spot.x + 1, spot.y + 1, "FIREWOOD", 1 + r(5));
        add_item(spot.x - 1, spot.y + 1, "BRANCH", 1 + r(15));
    }
    if (has_tag(tags, "[blood]")) {
        for (int i = 0; i < 10; ++i) {
            const MapPoint b = scene_place("[borders]");
            if (b.x != 0 || b.y != 0) add_entry_unmerged(b.x, b.y, MK_BLOOD, 1, Plr.days_played + 1);
        }
    }
    const int culture = making_culture();
    for (int i = 0; i < 2; ++i) {
        const int food = random_culture_meat_food(culture);
        if (food != 0) zoom_add_data(spot.x - 1 + 2 * i, spot.y, MK_ITEM, food, 1 + r(5));
    }
    if (object_id != -1000 && object_id != 0) zoom_add_data(spot.x + 1, spot.y + 1, MK_ITEM, object_id, 1);
    if (reference != 0) zoom_add_data(spot.x, spot.y, MK_CREATURE, reference, 1);
}

int zoom_place_bird_theft_scene(int culture, int data_value) {
    const int bird = random_culture_template(culture, 4);
    if (bird == 0) return 0;
    // The stolen catch: an item named for the bird, carrying the thief's mark.
    cre_template_to_scratch(bird, 0);
    char name[64];
    copy_text(name, CreScratch.name);
    for (char* c = name; *c; ++c) *c = char(latin1_upper(static_cast<unsigned char>(*c)));
    int type = obj_template_by_name(name, 0);
    if (type == 0) type = obj_template_by_name("MEAT", 0);
    if (type == 0) return 0;
    const int catch_id = obj_new_instance(type);
    if (catch_id == 0) return 0;
    ObjectRecord rec;
    obj_record(catch_id, rec);
    rec.extra_value = data_value;
    obj_write_record(catch_id, rec);
    const int snare = item("LOOP SNARE");
    const int snares = 2 + r(3);
    for (int i = 0; i < snares; ++i) {
        const MapPoint p = scene_place("[mid]");
        if (p.x == 0 && p.y == 0) return 0;
        if (snare != 0) add_entry_unmerged(p.x, p.y, MK_ITEM, snare, 1);
        add_entry_unmerged(p.x + 1, p.y, MK_ITEM, catch_id, 1 + r(2));
        add_entry_unmerged(p.x, p.y + 1, MK_ITEM, catch_id, 1 + r(3));
    }
    return 1;
}

int zoom_place_site_scene(const char* tags, int culture) {
    static ObjectList goods;
    clear_object_list(goods);
    if (random_culture_item_set(culture, goods) <= 0) return 0;
    MapPoint spot{0, 0};
    if (has_tag(tags, "[cave]"))
        spot = find_cave_floor();
    else
        spot = scene_place("[mid]");
    if (spot.x == 0 && spot.y == 0) return 0;
    if (has_tag(tags, "[triboulder]")) {
        set_cell(spot.x, spot.y - 1, T_BIG_ROCK);
        set_cell(spot.x - 1, spot.y, T_BIG_ROCK);
        set_cell(spot.x + 1, spot.y, T_BIG_ROCK);
        gen_cover(spot.x, spot.y) &= COVER_SURFACE_MASK;
    }
    if (has_tag(tags, "[chasm]")) {
        auto drop = [](int x, int y, int by) {
            if (!on_gen_grid(x, y)) return;
            const int h = gen_height(x, y) - by;
            gen_height(x, y) = uint8_t(h < 0 ? 0 : h);
        };
        drop(spot.x, spot.y, 3);
        drop(spot.x, spot.y - 1, 2);
        drop(spot.x, spot.y + 1, 2);
    }
    const int kind = has_tag(tags, "[pit]") ? MK_STRUCTURE_MARK : MK_ITEM;
    for (int i = 0; i < goods.count && i < OBJECT_LIST_SIZE; ++i) {
        const MapObject& g = goods.entries[i];
        if (g.DATA == 0) continue;
        if (kind == MK_ITEM)
            zoom_add_data(spot.x, spot.y, kind, g.DATA, g.amount ? g.amount : 1);
        else
            add_entry_unmerged(spot.x, spot.y, kind, g.DATA, g.amount ? g.amount : 1);
    }
    add_entry_unmerged(spot.x, spot.y, MK_STRUCTURE_MARK, 0, 1);
    return 1;
}

int place_treasure_scene(const char* scene_tags, int culture) { return zoom_place_site_scene(scene_tags, culture); }

void Encounter(int n) {
    char text[120];
    const int culture = making_culture();
    // A written creature comes as it is: one entry carrying its reference.
    if (n >= CRE_REF_BASE) {
        if (!read_creature_ref(n) || CreScratch.cre_class == CRE_CLASS_FREE) {
            format_text(text, sizeof text, "Encounter: no creature %d", n);
            log_make(text);
            return;
        }
        for (int tries = 0; tries < 250; ++tries) {
            const int x = 16 + r(64) / 2, y = 16 + r(64) / 2;
            if (fit_for_member(x, y, CreScratch.mobility == 96 || CreScratch.mobility == 128)) {
                zoom_add_data(x, y, MK_CREATURE, n, 1);
                return;
            }
        }
        return;
    }
    if (n == 0) {
        const int group = culture >= 0 && culture <= 9 ? culture_region(culture) : 0;
        n = choose_encounter_species(group, player_x, player_y, 0);
        if (n == 0) return;
    }
    if (n < 500 || n >= CRE_TEMPLATE_COUNT) {
        format_text(text, sizeof text, "Encounter: no template %d", n);
        log_make(text);
        return;
    }
    cre_template_to_scratch(n, 0);
    if (CreScratch.cre_class == CRE_CLASS_FREE) return;
    // Solitary unless the kind goes about in a group.
    int size = 1;
    if (n == 551) size = 2 + r(3);
    if (n == 500) size = 1 + r(3);
    const bool aquatic = CreScratch.mobility == 96 || CreScratch.mobility == 128;

    // Every member finds its place before anything is written.
    MapPoint places[8];
    int placed = 0;
    for (int m = 0; m < size; ++m) {
        bool found = false;
        for (int tries = 0; tries < 250 && !found; ++tries) {
            const int x = 16 + r(64) / 2, y = 16 + r(64) / 2;
            if (fit_for_member(x, y, aquatic)) {
                places[placed++] = MapPoint{x, y};
                found = true;
            }
        }
        if (!found) break;
    }
    if (placed == 0) return;
    const bool people = n == 540 || n == 550 || n == 500;
    const bool dog = people && (r(5) == 0 || encounter_force_dog != 0);

    const int32_t group = n == 551 ? next_group_id() : 0;
    int first_ref = 0;
    for (int m = 0; m < placed; ++m) {
        int data = n;
        if (n == 551 || n == 500) {
            CreatureRecord member{};
            creature_template_for_culture(n, n == 500 ? 11 : culture, member, group);
            if (n == 551) {
                member.home_x = plr_world_x();
                member.home_y = plr_world_y();
                member.map_flags |= 0x04;
            } else if (placed == 1 || r(3) == 0) {
                cre_roll_personal_values(member);
            }
            const int ref = write_creature(member);
            if (ref == CRE_NO_CREATURE) continue;
            data = ref;
        }
        if (m == 0) first_ref = data >= CRE_REF_BASE ? data : 0;
        zoom_add_data(places[m].x, places[m].y, MK_CREATURE, data, 1);
    }
    if (dog) {
        CreatureRecord hound{};
        creature_template_for_culture(618, culture, hound, group);
        if (first_ref != 0) hound.follow_sotu = first_ref;
        const int ref = write_creature(hound);
        const int dx = places[0].x + 1 < GEN_SIDE ? places[0].x + 1 : places[0].x - 1;
        if (ref != CRE_NO_CREATURE) zoom_add_data(dx, places[0].y, MK_CREATURE, ref, 1);
    }
    format_text(text, sizeof text, "Encounter: %d x %d", placed, n);
    log_make(text);
}

void Siirra_Maailma_Tapahtumat() {
    load_world_data_copy();
    const int wx = generation_world_x, wy = generation_world_y;
    bool changed = false;
    for (int i = 0; i < MAP_OBJECT_COUNT; ++i) {
        MapObject& o = world_data_copy[i];
        if (o.TYPE != MK_WORLD_CREATURE || o.x != wx || o.y != wy) continue;
        const int subkind = o.subkind;
        const int number = subkind == 4 ? int(o.expire_minute) : o.DATA;
        o.TYPE = MK_FREED;
        o.DATA = 0;
        o.x = 0;
        o.y = 0;
        changed = true;
        if (is_world_map()) std::memcpy(Data, world_data_copy, sizeof Data);
        if (subkind != 2) Encounter(number);
    }
    // Off the world map the taken entries go back to the disk, so that they
    // never come down a second time.
    if (changed && !is_world_map()) write_character_file("DATA.DAT", world_data_copy, sizeof world_data_copy);
}
