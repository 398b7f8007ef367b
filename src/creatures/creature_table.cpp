// The creature table on a map: the map-entry passes, storing, taking off
// and bringing back, and the queries over creature records.
#include "creatures/creature_table.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "base/debug_log.h"
#include "base/files.h"
#include "base/platform.h"
#include "base/stubs.h"
#include "body/body_queries.h"
#include "creatures/creature_files.h"
#include "creatures/creature_queries.h"
#include "creatures/creature_services.h"
#include "game/player.h"
#include "maps/map_change.h"
#include "maps/map_layers.h"
#include "maps/markers.h"
#include "maps/world_files.h"
#include "objects/map_kinds.h"
#include "objects/map_object_table.h"
#include "objects/map_objects.h"
#include "ui/message_line.h"

uint8_t creature_catch_up = 0;
uint8_t creature_no_redraw = 0;
int32_t pending_catch_up_turns = 0;
int32_t followed_trail_class = 0;

namespace {

constexpr int KIND_RAM_EWE = 617;
constexpr int KIND_SHEEP = 616;
constexpr int KIND_BULL_COW = 610;
constexpr int KIND_CATTLE = 609;
constexpr int KIND_DOG = 618;
// The most generated creatures of one map entry that may get kin.
constexpr int REMEMBERED_PREDEFINED = 99;

void note(const char* channel, const char* text) { debug_log(channel, text); }

int slot_of(const MapObject& o) {
    const int slot = o.DATA - CRE_REF_BASE;
    return cre_slot_valid(slot) ? slot : -1;
}

bool is_creature_object(const MapObject& o) { return o.TYPE == MK_CREATURE || o.TYPE == MK_CARCASS; }

void log_creature_objects(const char* heading) {
    note("cremaint", heading);
    char text[100];
    for (int i = 0; i < MAP_OBJECT_COUNT; ++i) {
        if (Data[i].TYPE != MK_CREATURE) continue;
        format_text(text, sizeof text, "[data #%d] cr_type Data: %d", i, Data[i].DATA);
        note("cremaint", text);
    }
}

// The kind conversions and ownership of a creature as it is loaded.
void settle_loaded_creature(CreatureRecord& c, const MapObject& o) {
    if (!is_world_map() && c.home_x == 0) {
        c.home_x = world_x_of(o.x);
        c.home_y = world_y_of(o.y);
    }
    if (c.kind == KIND_RAM_EWE) {
        c.sex_age |= SEX_MALE;
        copy_text(c.picture_key, "av-ram");
        copy_text(c.name, "sheep");
        c.kind = KIND_SHEEP;
    }
    if (c.kind == KIND_BULL_COW) {
        c.sex_age |= SEX_MALE;
        copy_text(c.picture_key, "av-bull");
        copy_text(c.name, "bull");
        c.kind = KIND_CATTLE;
    }
    if (c.kind == KIND_DOG && c.birth_winter == 0) {
        if (random_below(2) == 0) c.sex_age |= SEX_MALE;
        c.birth_winter = uint8_t(Plr.winters - 3);
        c.birth_day = int16_t(Plr.days_played - 1000);
    }
    if (c.move_mode == MOVE_MODE_PARTY) c.party_flags |= PARTY_MEMBER;
    if (c.attitude == ATTITUDE_TO_PLAYER) {
        note("crmess", "ATTITUDE CONVERT -> PLR");
        c.owner = OWNER_PLAYER;
    }
    if (c.kind == KIND_DOG && c.cre_status != CRE_STATUS_TIED && c.owner != OWNER_PLAYER) {
        const int m = marker_slot(c.home_x, c.home_y);
        if (m != MARKER_NONE && Markers[m].world_x == c.home_x && Markers[m].world_y == c.home_y &&
            Markers[m].village_id > 0) {
            c.owner = Markers[m].village_id;
            c.cre_bits = 0;
        }
    }
}

}  // namespace

// ------------------------------------------------------------ off and back

void Poista_Olento(int cr) {
    if (is_world_map() || !cre_slot_valid(cr)) return;
    const int i = cre_datapos(cr);
    char text[160];
    format_text(text, sizeof text, "Poista_Olento(%d)", cr);
    note("party!", text);
    const CreatureRecord& c = Cre[cr];
    format_text(text, sizeof text, "remove %.*s sotu:%u", int(sizeof c.name), c.name, c.sotu);
    note("party!", text);
    const bool human = c.cre_class == CRE_CLASS_HUMAN;
    format_text(text, sizeof text, "removal stats - pet: %d comp: %d leashed: %d", cre_is_companion(cr),
                !human && (c.cre_status == CRE_STATUS_TIED || c.owner == OWNER_PLAYER) ? 1 : 0,
                c.cre_status == CRE_STATUS_TIED ? 1 : 0);
    note("party!", text);
    if (i >= 0) free_map_object(i);
}

int release_held_creature(uint32_t s) {
    int held = -1;
    for (int i = 0; i < MAP_OBJECT_COUNT; ++i)
        if (Data[i].TYPE == MK_HELD_CREATURE && uint32_t(Data[i].DATA) == s) held = i;
    if (held < 0) return 0;
    CreatureRecord copy;
    get_creature_record(s, MK_CREATURE, copy);
    if (copy.kind != 0) {
        copy.bfdom |= BFDOM_BROUGHT_BACK;
        copy.cre_flags = (copy.cre_flags & ~CRE_AWAY) | CRE_BROUGHT_BACK;
        write_crs_record(int(s), copy);
        const int ref = cre_load_into_slot(int(s), 1);
        if (ref != CRE_NO_CREATURE) {
            free_map_object(held);
            const MapPoint p = random_spot_out_of_view();
            if (put_object_on_map(MK_CREATURE, p.x, p.y, ref, 1) >= 0) {
                CreatureRecord& c = Cre[ref - CRE_REF_BASE];
                c.Puuha[0] = c.task_turns[0] = c.task_state[0] = 0;
                c.task_x[0] = c.task_y[0] = c.task_target[0] = 0;
            }
        }
    }
    for (const MapObject& o : Data) {
        if (o.TYPE != MK_CREATURE) continue;
        const int slot = slot_of(o);
        if (slot >= 0 && cre_is_predator(slot) && !cre_is_leashable(0, slot)) Cre[slot].energy = 0;
    }
    return 1;
}

// ------------------------------------------------------------ map entry

void creature_mess() {
    char text[200];
    note("crmess", "creature_mess()");
    note("crmess", creature_file_name().c_str());
    std::vector<CreatureRecord>& file = crs_records();

    int free_records = 0;
    for (const CreatureRecord& r : file)
        if (r.cre_class == CRE_CLASS_FREE) ++free_records;
    format_text(text, sizeof text, "vapaat paikat: %d", free_records);
    note("crmess", text);
    if (free_records < CRS_LOW_WATER) file.resize(file.size() + CRS_GROWTH, CreatureRecord{});

    // Generated creatures (a template index in DATA) get records: each
    // takes the next free record after the last one taken, or a new one at
    // the end, so the file is walked once.
    note("crmess", "predefined cr-scan (Data)");
    int remembered[REMEMBERED_PREDEFINED];
    int remembered_count = 0;
    size_t cursor = 0;
    for (int i = 0; i < MAP_OBJECT_COUNT; ++i) {
        MapObject& o = Data[i];
        if (!is_creature_object(o) || o.DATA < 0 || o.DATA >= CRE_TEMPLATE_COUNT) continue;
        format_text(text, sizeof text, "Data #%d: Predef creature found [%d] x,y: %d,%d", i, o.DATA, o.x, o.y);
        note("crmess", text);
        cre_template_to_scratch(o.DATA, 1);
        if (CreScratch.cre_class == CRE_CLASS_FREE) {
            // An empty template makes no creature: it would read as a free
            // record.
            format_text(text, sizeof text, "empty template %d, remove dataentry %d", o.DATA, i);
            note("crmess", text);
            free_map_object(i);
            continue;
        }
        while (cursor < file.size() && file[cursor].cre_class != CRE_CLASS_FREE) ++cursor;
        if (cursor == file.size()) file.push_back(CreatureRecord{});
        format_text(text, sizeof text, "savepos: %d", int(cursor));
        note("crmess", text);
        const int ref = CRE_REF_BASE + int(cursor);
        CreScratch.sotu = uint32_t(ref);
        o.DATA = ref;
        if (remembered_count < REMEMBERED_PREDEFINED) remembered[remembered_count++] = i;
        format_text(text, sizeof text, "Creature got: %.*s. Sotu set: %u. Data now: %d", int(sizeof CreScratch.name),
                    CreScratch.name, unsigned(ref), ref);
        note("crmess", text);
        file[cursor] = CreScratch;
        note("crmess", "--- creature written ----");
    }

    std::memset(CreSlotRefs, 0, sizeof CreSlotRefs);
    for (CreatureRecord& c : Cre) c.cre_class = CRE_CLASS_FREE;
    note("crmess", "scan compiled creature data:");
    note("crmess", "----");

    int j = 0;
    for (int i = 0; i < MAP_OBJECT_COUNT; ++i) {
        MapObject& o = Data[i];
        if (!is_creature_object(o)) continue;
        format_text(text, sizeof text, "Data #%d: TYPE:%d DATA:%d x,y:%d,%d", i, o.TYPE, o.DATA, o.x, o.y);
        note("crmess", text);
        const long long index = (long long)o.DATA - CRE_REF_BASE;
        if (index < 0 || index >= (long long)file.size() || file[size_t(index)].cre_class == CRE_CLASS_FREE) {
            format_text(text, sizeof text, "corrupt creature, remove dataentry %d (DATA:%d)", i, o.DATA);
            note("crmess", text);
            free_map_object(i);
            continue;
        }
        if (j >= CRE_SLOTS) {
            // The table is full: the creature waits as a held entry and
            // keeps its record.
            format_text(text, sizeof text, "table full, creature %d held", o.DATA);
            note("crmess", text);
            o.TYPE = MK_HELD_CREATURE;
            o.subkind = 1;
            o.day_stamp = int16_t(Plr.days_played);
            o.time_stamp = Plr.total_minutes;
            continue;
        }
        CreatureRecord& c = Cre[j];
        c = file[size_t(index)];
        format_text(text, sizeof text, "Creature read: %.*s -> Cre[#%d]", int(sizeof c.name), c.name, j);
        note("crmess", text);
        settle_loaded_creature(c, o);
        c.sotu = uint32_t(o.DATA);
        CreSlotRefs[j] = o.DATA;
        o.DATA = CRE_REF_BASE + j;
        format_text(text, sizeof text, "sotu given: %u", c.sotu);
        note("crmess", text);
        ++j;
    }
    recount_creature_identities();
    note("crmess", "fclose FP2 and complete");
    for (int k = 0; k < remembered_count; ++k) {
        const MapObject& o = Data[remembered[k]];
        const int slot = slot_of(o);
        if (o.TYPE == MK_CREATURE && slot >= 0) cre_spawn_kin(slot, 0);
    }
}

void cre_maintenance() {
    const bool was_quiet = messages_suppressed;
    messages_suppressed = true;
    creature_no_redraw = 1;
    creature_catch_up = 1;
    note("cremaint", "remove");
    log_creature_objects("cre_maintenance() - initial creature data");
    for (int slot = 0; slot < CRE_SLOTS; ++slot) cre_upkeep(slot);
    log_creature_objects("cre_maintenance() - creature data after creature_update()");
    log_creature_objects("cre_maintenance() - creature data after CreatureMove()");

    for (int i = 0; i < MAP_OBJECT_COUNT; ++i) {
        if (Data[i].TYPE != MK_CREATURE) continue;
        const int slot = slot_of(Data[i]);
        if (slot < 0 || !(Cre[slot].cre_flags & CRE_AWAY)) continue;
        for (int count = 1000; count >= 0; count -= 10) {
            Cre[slot].catch_up_count = int16_t(count);
            CreatureAct(i);
            if (Data[i].TYPE != MK_CREATURE || slot_of(Data[i]) != slot) break;
        }
        Cre[slot].catch_up_count = 0;
    }
    for (int t = 0; t < pending_catch_up_turns; ++t) update_map_objects();

    for (MapObject& o : Data) {
        if (o.TYPE != MK_CREATURE) continue;
        const int slot = slot_of(o);
        if (slot < 0 || !(Cre[slot].cre_flags & CRE_AWAY)) continue;
        o.TYPE = MK_HELD_CREATURE;
        o.subkind = 1;
        o.day_stamp = int16_t(Plr.days_played);
        o.time_stamp = Plr.total_minutes;
        o.DATA = int32_t(Cre[slot].sotu);
    }
    messages_suppressed = was_quiet;
    if (followed_trail_class != 0) {
        for (const MapObject& o : Data) {
            if (o.TYPE != MK_CREATURE) continue;
            const int slot = slot_of(o);
            if (slot < 0 || Cre[slot].cre_class != followed_trail_class) continue;
            if (o.x > 200 && o.x < 264 && o.y > 200 && o.y < 264) {
                trail_end_notice(o.x, o.y, 0);
                break;
            }
        }
        followed_trail_class = 0;
    }
    pending_catch_up_turns = 0;
    update_map_objects();
    creature_no_redraw = 0;
    creature_catch_up = 0;
}

// ------------------------------------------------------------ storing

namespace {
int reference_depth = 0;
std::vector<std::pair<int, int32_t>> reference_undo;  // object index, its DATA
}  // namespace

void creature_references_begin() {
    if (reference_depth++ > 0) return;
    reference_undo.clear();
    char text[160];
    for (int i = 0; i < MAP_OBJECT_COUNT; ++i) {
        MapObject& o = Data[i];
        if (!is_creature_object(o) || o.DATA < CRE_REF_BASE) continue;
        const int slot = o.DATA - CRE_REF_BASE;
        int32_t ref = cre_slot_valid(slot) ? CreSlotRefs[slot] : 0;
        if (ref == 0) {
            // It names no loaded creature: stored as a reference that the
            // next entry removes as corrupt.
            format_text(text, sizeof text, "DATA #%d names the empty slot of %d", i, o.DATA);
            note("savemap", text);
            ref = -1;
        }
        reference_undo.emplace_back(i, o.DATA);
        o.DATA = ref;
        format_text(text, sizeof text, "SaveMap DATA #%d creature %d", i, ref);
        note("savemap", text);
    }
}

void creature_references_end() {
    if (reference_depth == 0 || --reference_depth > 0) return;
    for (const auto& [i, data] : reference_undo) Data[i].DATA = data;
    reference_undo.clear();
}

void creature_tasks_renumbered(const int16_t* old_to_new) {
    for (int slot = 0; slot < CRE_SLOTS; ++slot) {
        if (CreSlotRefs[slot] == 0) continue;
        CreatureRecord& c = Cre[slot];
        for (int k = 0; k < 10; ++k) c.task_target[k] = renumbered_task_target(c.Puuha[k], c.task_target[k], old_to_new);
    }
}

// ------------------------------------------------------------ queries

int cre_age_months(const CreatureRecord& r) {
    long long days;
    if (r.birth_day == 0 && r.birth_winter == 0) days = 1000;
    else if (r.birth_day < 0) days = std::llabs((long long)r.birth_day) + Plr.days_played;
    else days = std::llabs((long long)Plr.days_played - r.birth_day);
    return int(days / 30);
}

void count_group_in_crs(int32_t g, uint8_t out[5]) {
    int count[5] = {};
    for (const CreatureRecord& r : crs_records()) {
        if (r.cre_class == CRE_CLASS_FREE || r.lauma != g) continue;
        if (r.move_mode == MOVE_MODE_DEAD) ++count[0];
        else ++count[1];
        if (r.acquaintance != 0) ++count[2];
        if (r.injury != 0) ++count[3];
        if (r.move_mode == 4) ++count[4];
    }
    for (int k = 0; k < 5; ++k) out[k] = uint8_t(std::min(count[k], 255));
}

int burnt_degree_text(char* out, int out_size, const CreatureRecord& r) {
    if (out && out_size > 0) out[0] = 0;
    if (r.Puuha[0] != TASK_BURNT) return 0;
    // Whole numbers only: the divisor is the weight rounded up, times ten,
    // and never zero.
    const long long divisor = std::max(1LL, (long long)std::ceil(std::max(0.0f, r.weight)) * 10);
    const long long turns = std::max(0, r.task_turns[0]);
    long long share = (turns * 100 + divisor - 1) / divisor;
    share = std::min(share, 100LL);
    const char* words = share > 75 ? "mostly burnt" : share > 50 ? "largely burnt" : share > 25 ? "partially burnt"
                                                                                              : "slightly burnt";
    if (out && out_size > 0) copy_text(out, size_t(out_size), words);
    return int(share);
}

void mark_carcass_skinned(CreatureRecord& r) {
    r.Puuha[1] = TASK_SKINNING;
    r.task_turns[1] = 100;
    r.task_target[1] = 100;
    r.task_state[1] = 100;
}

int is_carcass_skinned(const CreatureRecord& r) {
    return r.Puuha[1] == TASK_SKINNING && r.task_target[1] >= r.task_turns[1] && r.task_state[1] == 100 ? 1 : 0;
}

int carcass_skin_left(const CreatureRecord& r) {
    return r.Puuha[1] == TASK_SKINNING ? r.task_turns[1] - r.task_target[1] : CRE_NO_CREATURE;
}

int is_adjacent_to_player(int x, int y) {
    if (creature_catch_up) return 0;
    return std::max(std::abs(x - player_x), std::abs(y - player_y)) < 2 ? 1 : 0;
}

int distance_to_player(int x, int y) {
    if (creature_catch_up) return 50;
    return std::max(std::abs(x - player_x), std::abs(y - player_y));
}

int group_region_residents(int x, int y, int32_t g) {
    if (is_world_map()) return 0;
    if (std::abs(x - Plr.zoom_origin_x) > 2 || std::abs(y - Plr.zoom_origin_y) > 2) return 0;
    const int culture = world_culture_at(x, y);
    for (const MapObject& o : Data) {
        if (o.TYPE != MK_CREATURE) continue;
        const int slot = slot_of(o);
        if (slot < 0) continue;
        CreatureRecord& c = Cre[slot];
        if (c.cre_class == CRE_CLASS_HUMAN && c.lauma == 0 && c.home_culture == culture) c.lauma = g;
    }
    return 1;
}

GamePlace find_largest_game_nearby(CreatureRecord& out) {
    GamePlace place{0, 0};
    float heaviest = -1.0f;
    const uint16_t bit = uint16_t(Plr.culture < 16 ? 1u << Plr.culture : 0u);
    const int pwx = is_world_map() ? player_x : plr_world_x();
    const int pwy = is_world_map() ? player_y : plr_world_y();
    const MapObject* world = is_world_map() ? Data : world_data_copy;
    for (int i = 0; i < MAP_OBJECT_COUNT; ++i) {
        const MapObject& o = world[i];
        if (o.TYPE != MK_WORLD_CREATURE) continue;
        const int d = std::max(std::abs(int(o.x) - pwx), std::abs(int(o.y) - pwy));
        if (d < 1 || d > 20) continue;
        if (o.DATA >= CRE_REF_BASE) {
            cre_template_to_scratch(o.ref >= 0 && o.ref < CRE_TEMPLATE_COUNT ? o.ref : 0, 0);
            read_creature_ref(o.DATA);
        } else {
            cre_template_to_scratch(o.DATA, 0);
        }
        if (CreScratch.cre_class == CRE_CLASS_HUMAN) continue;
        if (!((CreScratch.culture_mask1 | CreScratch.culture_mask2) & bit)) continue;
        if (CreScratch.base_weight > heaviest) {
            heaviest = CreScratch.base_weight;
            out = CreScratch;
            place = {o.x, o.y};
        }
    }
    if (!is_world_map() && !creature_catch_up) {
        for (const MapObject& o : Data) {
            if (o.TYPE != MK_CREATURE) continue;
            if (std::max(std::abs(int(o.x) - player_x), std::abs(int(o.y) - player_y)) <= 64) continue;
            const CreatureRecord* c = nullptr;
            const int slot = slot_of(o);
            if (slot >= 0) c = &Cre[slot];
            else if (o.DATA >= 0 && o.DATA < CRE_TEMPLATE_COUNT) c = &CreTemplates[o.DATA];
            if (c == nullptr || !((c->culture_mask1 | c->culture_mask2) & bit)) continue;
            if (c->base_weight > heaviest) {
                heaviest = c->base_weight;
                out = *c;
                place = {o.x, o.y};
            }
        }
    }
    return place;
}

int cre_spawn_kin(int mother, int force) {
    if (!cre_slot_valid(mother) || Cre[mother].cre_class == CRE_CLASS_FREE) return 0;
    const CreatureRecord& m = Cre[mother];
    if (m.sex_age & (SEX_MALE | SEX_YOUNG)) return 0;
    constexpr int KIND_FOREST_REINDEER = 620, KIND_ELK = 660, KIND_BEAR = 605;
    int odds = 0;
    if (m.kind == KIND_FOREST_REINDEER || m.kind == KIND_ELK) odds = 4;
    else if (m.kind == KIND_BEAR) odds = 5;
    if (odds == 0) return 0;
    if (!force && random_below(odds) != 0) return 0;
    const int at = cre_datapos(mother);
    if (at < 0) return 0;
    // The slot is checked before the record is written, so that no young
    // one is left in the file without a place on the map.
    int free_slot = -1;
    for (int s = 0; s < CRE_SLOTS && free_slot < 0; ++s)
        if (CreSlotRefs[s] == 0) free_slot = s;
    if (free_slot < 0) return 0;
    CreatureRecord young;
    make_young_creature(m.kind, young);
    young.follow_sotu = int32_t(m.sotu);  // the mother's identity
    const int ref = append_and_load_creature(young);
    if (ref == CRE_NO_CREATURE) return 0;
    const int slot = ref - CRE_REF_BASE;
    if (put_object_on_map(MK_CREATURE, Data[at].x, Data[at].y, ref, 1) < 0) {
        CreSlotRefs[slot] = 0;
        Cre[slot].cre_class = CRE_CLASS_FREE;
        return 0;
    }
    if (m.kind != KIND_FOREST_REINDEER) {
        const int32_t group = ++Plr.quest_id_counter;
        Cre[mother].lauma = group;
        Cre[mother].lstatus = 1;
        Cre[slot].lauma = group;
    }
    return 1;
}
