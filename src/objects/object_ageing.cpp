// Perishables that age, and the maintenance of the object store.
#include "objects/object_ageing.h"

#include <cstring>
#include <vector>

#include "base/files.h"
#include "base/platform.h"
#include "creatures/creature_files.h"
#include "game/player.h"
#include "game/turn_state.h"
#include "maps/local_store.h"
#include "maps/map_change.h"
#include "maps/map_services.h"
#include "maps/world_files.h"
#include "objects/item_commands.h"
#include "objects/map_object_table.h"
#include "society/society_services.h"
#include "society/villages.h"
#include "ui/catalogue.h"
#include "ui/message_line.h"

int32_t obj_maintenance_runs = 0;
uint8_t obj_maintenance_warned = 0;

namespace {

constexpr int KIND_NEVER_AGES = 411;
constexpr uint8_t SUBCLASS_CELLAR_28 = 28, SUBCLASS_CELLAR_29 = 29;
constexpr uint8_t SPOILED = 255;
constexpr uint32_t EFFECT_SPOILED = 0x2;
constexpr uint8_t OWNFLAG_UNPAID = 0x1, OWNFLAG_TAKEN = 0x2;
// A run that frees fewer than this leaves the store nearly as full.
constexpr int MAINTENANCE_FREES_LITTLE = 100;
constexpr int MAPS_BETWEEN_NOTES = 2500;

// The keep mark of each instance slot, for the run under way.
uint8_t keep_marks[OBJECT_INSTANCE_COUNT];

void mark(int32_t id) {
    if (obj_id_is_instance(id)) keep_marks[id - FIRST_INSTANCE_ID] = 1;
}

struct MapsRead {
    int count = 0;
};

void mark_stored_objects(const MapObject* objects, int count, void* context) {
    for (int i = 0; i < count; ++i) mark(objects[i].DATA);
    MapsRead& read = *static_cast<MapsRead*>(context);
    if (++read.count % MAPS_BETWEEN_NOTES == 0) {
        char line[80];
        format_text(line, sizeof line, "#%d maps read - please wait...", read.count);
        show_message(line);
    }
}

// Ids that a list-giving service holds (the villages, the quests).
void mark_listed(int (*list)(int* ids, int capacity)) {
    const int n = list(nullptr, 0);
    if (n <= 0) return;
    std::vector<int> ids(size_t(n), 0);
    const int got = list(ids.data(), n);
    for (int i = 0; i < got && i < n; ++i) mark(ids[size_t(i)]);
}

}  // namespace

// ------------------------------------------------------------ ageing

int obj_decay_record(int object_id, int mode, int place, ObjectRecord& out, int days) {
    if (!obj_id_is_valid(object_id)) return DECAY_UNCHANGED;
    ObjectRecord r;
    obj_record(object_id, r);
    if (r.item_class != ITEM_FOOD && r.item_class != ITEM_SKIN) return DECAY_UNCHANGED;
    if (r.spoilage_days == SPOILED) return DECAY_UNCHANGED;
    if (r.item_class == ITEM_SKIN && r.coverage[0] == 1) return DECAY_UNCHANGED;
    if (r.kind == KIND_NEVER_AGES) return DECAY_UNCHANGED;
    if (mode == DECAY_AGE) {
        if (days <= 0) return DECAY_UNCHANGED;
        if (place == DECAY_PLACE_CELLAR) {
            if (r.subclass == SUBCLASS_CELLAR_28 || r.subclass == SUBCLASS_CELLAR_29) return DECAY_UNCHANGED;
            if (random_below(3) != 2) return DECAY_UNCHANGED;
        }
        // The weather of the days that passed, ending today.
        const int today = Plr.day + 30 * (Plr.month - 1);
        const double mean = weather_history_average(today - days + 1, today).temperature;
        const double week = weather_history_average(today - 6, today).temperature;
        if (mean <= -5.0 && week <= 0.0) return DECAY_UNCHANGED;
        if (week < 0.0 && days <= 14) return DECAY_UNCHANGED;
    }
    if (mode != DECAY_SPOIL && r.spoilage_days > days) {
        r.spoilage_days = uint8_t(r.spoilage_days - days);
        if (r.spoilage_days == 1) {
            const int g = r.quality & OBJ_GRADE_MASK;
            if (g == 0 || g >= 3) obj_set_quality(2, r);
        }
        out = r;
        return DECAY_AGED;
    }
    r.spoilage_days = SPOILED;
    r.price = 0.0f;
    r.unit_price = 0.0f;
    obj_set_quality(1, r);
    r.quality |= OBJ_GRADE_KNOWN;
    if (r.item_class == ITEM_FOOD) r.effect_raw |= EFFECT_SPOILED;
    else r.blunt = r.edge = r.point = r.protection4 = r.length = r.full_length = 1;
    out = r;
    return DECAY_SPOILED;
}

// ------------------------------------------------------------ maintenance

void obj_mark_creature_items(const CreatureRecord& creature) {
    mark(creature.wielded);
    mark(creature.shield);  // the second hand's
    for (int32_t id : creature.inv_id) mark(id);
    for (int32_t id : creature.worn) mark(id);
}

void obj_maintenance() {
    ++obj_maintenance_runs;
    obj_table_nearly_full = 0;
    obj_new_since_maintenance = 0;
    remove_file("objmaint.txt");
    show_message("#Ksm needs to perform object maintenance now. That will take a few moments.");
    if (!skip_message_pauses) pause_prompt();
    show_message("#Maintenancing - please wait ...");

    std::memset(keep_marks, 0, sizeof keep_marks);
    // What other instances hold (a container's contents, a tool's attached
    // part), and what keeps itself: an owner, an unpaid or taken mark, a
    // special code.
    for (int slot = 0; slot < OBJECT_INSTANCE_COUNT; ++slot) {
        const ObjectRecord& r = Objects[slot];
        if (r.item_class == 0) continue;
        mark(r.contents);
        if ((r.item_class == ITEM_WEAPON || r.item_class == ITEM_TOOL) && r.effect_raw != 0)
            mark(int32_t(r.effect_raw));
        if (r.ownerID != 0 || (r.ownflag & (OWNFLAG_UNPAID | OWNFLAG_TAKEN)) || r.MAGIC != 0) keep_marks[slot] = 1;
    }

    MapsRead maps;
    zoom_read_stored_objects(mark_stored_objects, &maps);

    show_message("#Reading NPC objs - please wait...");
    // The creature file of the character (none before a character is
    // loaded).
    if (character_name[0] != 0)
        for (const CreatureRecord& c : crs_records())
            if (c.cre_class != 0) obj_mark_creature_items(c);
    for (const CreatureRecord& c : Cre)
        if (c.cre_class != 0) obj_mark_creature_items(c);

    for (int32_t id : Plr.plr_inv_id) mark(id);
    for (const MapObject& o : Data) mark(o.DATA);
    for (const MapObject& o : world_data_copy)
        if (o.DATA >= FIRST_INSTANCE_ID || o.TYPE == 1) mark(o.DATA);
    // Things on their way to the next map, a village's debts and goods, and
    // what quests hold.
    for (int e = 0; e < party_stack_count && e < PARTY_STACK_SIZE; ++e) mark(party_stack[e].data);
    mark_listed(village_held_object_ids);
    mark_listed(quest_held_object_ids);

    int kept = 0, freed = 0;
    for (int slot = 0; slot < OBJECT_INSTANCE_COUNT; ++slot) {
        if (Objects[slot].item_class == 0) continue;
        if (keep_marks[slot]) {
            ++kept;
            continue;
        }
        // Cleared as obj_clear_record clears, without mending the store's
        // index slot by slot: it is built anew once, below.
        std::memset(&Objects[slot], 0, sizeof Objects[slot]);
        copy_text(Objects[slot].skill, NO_SKILL);
        ++freed;
    }
    obj_store_changed();
    char line[80];
    format_text(line, sizeof line, "#%d objects kept.", kept);
    show_message(line);
    show_message("=Maintenance done - continue playing now.");
    if (freed < MAINTENANCE_FREES_LITTLE && !obj_maintenance_warned) {
        obj_maintenance_warned = 1;
        show_message(message_by_key("WARNING_OBJECTS_NEARLY_FULL"));
    }
}

void object_maintenance() { obj_maintenance(); }

void reset_object_maintenance() {
    obj_maintenance_runs = 0;
    obj_maintenance_warned = 0;
}
