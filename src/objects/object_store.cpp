// The object store's tables, working records and operations, and its files.
#include "objects/object_store.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <unordered_map>
#include <vector>

#include "base/debug_log.h"
#include "base/files.h"
#include "base/stubs.h"
#include "base/text_ring.h"
#include "objects/item_commands.h"
#include "objects/object_ageing.h"
#include "objects/object_names.h"
#include "ui/catalogue.h"
#include "ui/message_line.h"

ObjectRecord ItemTypes[ITEM_TYPE_COUNT];
ObjectRecord Objects[OBJECT_INSTANCE_COUNT];
ObjectRecord current_object;
ObjectRecord type_scratch;
uint8_t obj_table_nearly_full = 0;
int32_t obj_new_since_maintenance = OBJ_MAINTENANCE_SPACING;
int32_t template_excluded_class = 0;
int32_t template_random_choice = 0;

namespace {

// ------------------------------------------------------------ texts of fields

// Copies a fixed field (not necessarily terminated) into a terminated buffer.
template <size_t N>
void field_text(char (&out)[N], const char* field, size_t field_size) {
    copy_field(out, N, field, field_size);
}

// Two fields equal after both are lower-cased (Latin-1 and the font's own
// umlaut capitals alike).
bool fields_equal_no_case(const char* a, size_t a_size, const char* b, size_t b_size) {
    size_t i = 0;
    for (;; ++i) {
        const unsigned char ca = i < a_size ? static_cast<unsigned char>(a[i]) : 0;
        const unsigned char cb = i < b_size ? static_cast<unsigned char>(b[i]) : 0;
        if (fold_lower(ca) != fold_lower(cb)) return false;
        if (ca == 0) return true;
    }
}

// Two fields equal as exact texts (each ends at its first zero or its size).
bool fields_equal(const char* a, size_t a_size, const char* b, size_t b_size) {
    const size_t la = strnlen(a, a_size);
    const size_t lb = strnlen(b, b_size);
    return la == lb && std::memcmp(a, b, la) == 0;
}

template <size_t N, size_t M>
bool same_text(const char (&a)[N], const char (&b)[M]) { return fields_equal(a, N, b, M); }
template <size_t N, size_t M>
bool same_text_no_case(const char (&a)[N], const char (&b)[M]) { return fields_equal_no_case(a, N, b, M); }

void clear_reserved(ObjectRecord& r) {
    std::memset(r.reserved_1, 0, sizeof r.reserved_1);
    r.reserved_91 = 0;
    r.reserved_103 = 0;
    std::memset(r.reserved_110, 0, sizeof r.reserved_110);
    r.reserved_146 = 0;
    std::memset(r.reserved_150, 0, sizeof r.reserved_150);
    std::memset(r.reserved_168, 0, sizeof r.reserved_168);
}

// ------------------------------------------------------------ the slot index
// Merging a record needs the used slots that could stack with it: those of
// the same class, kind and lower-cased name. The index keeps, for a hash of
// those three, the ascending list of such slots; every candidate is still
// compared in full. Alongside: a hint of the lowest free slot from 1 (every
// slot from 1 below it is in use).

uint64_t stack_key(const ObjectRecord& r) {
    uint64_t h = 1469598103934665603ULL;
    auto mix = [&h](unsigned char c) {
        h ^= c;
        h *= 1099511628211ULL;
    };
    mix(r.item_class);
    const uint32_t kind = uint32_t(r.kind);
    for (int i = 0; i < 4; ++i) mix(uint8_t(kind >> (8 * i)));
    for (size_t i = 0; i < sizeof r.name && r.name[i]; ++i) mix(fold_lower(static_cast<unsigned char>(r.name[i])));
    return h;
}

struct SlotIndex {
    bool valid = false;
    std::unordered_map<uint64_t, std::vector<int32_t>> slots_of_key;
    std::vector<uint64_t> key_of_slot = std::vector<uint64_t>(OBJECT_INSTANCE_COUNT, 0);
    std::vector<uint8_t> indexed = std::vector<uint8_t>(OBJECT_INSTANCE_COUNT, 0);
};

SlotIndex& slot_index() {
    static SlotIndex index;
    return index;
}

int32_t free_hint = 1;
bool table_full_warned = false;

void index_remove(SlotIndex& ix, int slot) {
    if (!ix.indexed[size_t(slot)]) return;
    ix.indexed[size_t(slot)] = 0;
    auto found = ix.slots_of_key.find(ix.key_of_slot[size_t(slot)]);
    if (found == ix.slots_of_key.end()) return;
    std::vector<int32_t>& list = found->second;
    auto at = std::lower_bound(list.begin(), list.end(), slot);
    if (at != list.end() && *at == slot) list.erase(at);
    if (list.empty()) ix.slots_of_key.erase(found);
}

void index_add(SlotIndex& ix, int slot) {
    const uint64_t key = stack_key(Objects[slot]);
    ix.key_of_slot[size_t(slot)] = key;
    ix.indexed[size_t(slot)] = 1;
    std::vector<int32_t>& list = ix.slots_of_key[key];
    if (list.empty() || list.back() < slot) list.push_back(slot);
    else list.insert(std::lower_bound(list.begin(), list.end(), slot), slot);
}

void rebuild_index() {
    SlotIndex& ix = slot_index();
    ix.slots_of_key.clear();
    std::fill(ix.indexed.begin(), ix.indexed.end(), 0);
    for (int slot = 0; slot < OBJECT_INSTANCE_COUNT; ++slot)
        if (Objects[slot].item_class != 0) index_add(ix, slot);
    ix.valid = true;
}

// After Objects[slot] was written through the store.
void slot_changed(int slot) {
    SlotIndex& ix = slot_index();
    if (ix.valid) {
        index_remove(ix, slot);
        if (Objects[slot].item_class != 0) index_add(ix, slot);
    }
    if (Objects[slot].item_class == 0 && slot >= 1 && slot < free_hint) free_hint = slot;
}

// The first free slot: 0 when free, else the first from 1; -1 when none.
int first_free_slot() {
    if (Objects[0].item_class == 0) return 0;
    for (int slot = std::max(free_hint, 1); slot < OBJECT_INSTANCE_COUNT; ++slot)
        if (Objects[slot].item_class == 0) {
            free_hint = slot;
            return slot;
        }
    free_hint = OBJECT_INSTANCE_COUNT;
    return -1;
}

// The lowest used slot below `limit` whose record stacks with r; -1 none.
int find_stackable(const ObjectRecord& r, int limit) {
    SlotIndex& ix = slot_index();
    if (!ix.valid) rebuild_index();
    auto found = ix.slots_of_key.find(stack_key(r));
    if (found == ix.slots_of_key.end()) return -1;
    for (int32_t slot : found->second) {
        if (slot >= limit) break;
        if (Objects[slot].item_class != 0 && obj_can_stack(Objects[slot], r)) return slot;
    }
    return -1;
}

void place(int slot, const ObjectRecord& r) {
    Objects[slot] = r;
    clear_reserved(Objects[slot]);
    slot_changed(slot);
    if (obj_new_since_maintenance < OBJ_MAINTENANCE_SPACING) ++obj_new_since_maintenance;
}

void note_high_slot(int slot) {
    if (slot < OBJ_NEARLY_FULL_SLOT || obj_table_nearly_full) return;
    if (obj_new_since_maintenance < OBJ_MAINTENANCE_SPACING) return;
    obj_table_nearly_full = 1;
    obj_new_since_maintenance = 0;
}

// No free slot: the maintenance frees what nothing refers to.
void run_maintenance_for_room() {
    object_maintenance();
    obj_new_since_maintenance = 0;
    obj_store_changed();
}

void report_table_full(const char* what) {
    char line[120];
    format_text(line, sizeof line, "%s: all %d object slots are in use; nothing was stored", what,
                OBJECT_INSTANCE_COUNT);
    debug_log("objtable!", line);
    if (table_full_warned || messages_suppressed) return;  // told once, when it can be seen
    table_full_warned = true;
    show_message(message_by_key("WARNING_OBJECT_TABLE_FULL"));
}

// The first free slot, after one maintenance run when there is none; -1
// (reported) when the table stays full.
int free_slot_or_report(const char* what) {
    int slot = first_free_slot();
    if (slot >= 0) return slot;
    run_maintenance_for_room();
    slot = first_free_slot();
    if (slot < 0) report_table_full(what);
    return slot;
}

bool is_blank_type(const ObjectRecord& t) {
    char name[sizeof t.name + 1];
    field_text(name, t.name, sizeof t.name);
    return name[0] == 0 || std::strstr(name, "*unmatchable") != nullptr;
}

// The upper-cased name of a type (the name search's view of it).
void upper_name(const ObjectRecord& t, char (&out)[sizeof(ObjectRecord::name) + 1]) {
    size_t i = 0;
    for (; i < sizeof t.name && t.name[i]; ++i) out[i] = char(fold_upper(static_cast<unsigned char>(t.name[i])));
    out[i] = 0;
}

bool random_pick_qualifies(const ObjectRecord& t) {
    char name[sizeof t.name + 1];
    field_text(name, t.name, sizeof t.name);
    if (name[0] == 0 || std::strchr(name, '*') != nullptr) return false;
    if (t.item_class == ITEM_PLANT) return false;
    return t.kind != 55 && t.kind != 61 && t.kind != 69 && t.kind != 434;
}

constexpr int RANDOM_TYPE_DRAWS = 4000;

int random_item_type() {
    for (int draw = 0; draw < RANDOM_TYPE_DRAWS; ++draw) {
        const int id = 1 + random_below(ITEM_TYPE_COUNT - 1);
        current_object = ItemTypes[id];
        if (random_pick_qualifies(current_object)) return id;
    }
    for (int id = 1; id < ITEM_TYPE_COUNT; ++id) {
        current_object = ItemTypes[id];
        if (random_pick_qualifies(current_object)) return id;
    }
    return 0;
}

bool name_matches(const char* upper, const char* pattern, int exact) {
    if (exact == 1) return std::strcmp(upper, pattern) == 0;
    const char* at = std::strstr(upper, pattern);
    if (at == nullptr) return false;
    const char after = at[std::strlen(pattern)];
    return after == ' ' || after == 0;
}

bool within(float a, float b, double limit) {
    // Weights are decimal amounts kept as floats: 1.002 and 1.000 differ by
    // 0.002 as the player reads them, a few millionths less as stored.
    return std::fabs(double(a) - double(b)) < limit - 1e-6;
}

}  // namespace

// ------------------------------------------------------------ lookups

ObjectRecord& obj_record(int id, ObjectRecord& out) {
    if (obj_id_is_type(id)) {
        type_scratch = ItemTypes[id];
        out = type_scratch;
    } else if (obj_id_is_instance(id)) {
        out = Objects[id - FIRST_INSTANCE_ID];
    } else {
        out = type_scratch;
    }
    return out;
}

void obj_load_current(int id) {
    if (id > LAST_INSTANCE_ID) std::memset(&current_object, 0, sizeof current_object);
    else obj_record(id, current_object);
}

void obj_type_to_scratch(int id) {
    if (obj_id_is_type(id)) type_scratch = ItemTypes[id];
}

// ------------------------------------------------------------ storing

int obj_new_instance(int t) {
    if (t >= FIRST_INSTANCE_ID) return t <= LAST_INSTANCE_ID ? t : 0;
    if (t < 0 || t >= ITEM_TYPE_COUNT) return 0;
    const int slot = free_slot_or_report("new instance");
    if (slot < 0) return 0;
    if (slot != 0) note_high_slot(slot);
    if (t > 0) type_scratch = ItemTypes[t];
    place(slot, type_scratch);
    return FIRST_INSTANCE_ID + slot;
}

int obj_store_record(ObjectRecord record) {
    for (int attempt = 0; attempt < 2; ++attempt) {
        if (Objects[0].item_class == 0) {
            place(0, record);
            return FIRST_INSTANCE_ID;
        }
        const int free = first_free_slot();
        const int match = find_stackable(record, free < 0 ? OBJECT_INSTANCE_COUNT : free);
        if (match >= 0) return FIRST_INSTANCE_ID + match;
        if (free >= 0) {
            note_high_slot(free);
            place(free, record);
            return FIRST_INSTANCE_ID + free;
        }
        if (attempt == 0) run_maintenance_for_room();
    }
    report_table_full("store record");
    return 0;
}

int obj_store_new(ObjectRecord record) {
    const int slot = free_slot_or_report("store new");
    if (slot < 0) return 0;
    place(slot, record);
    return FIRST_INSTANCE_ID + slot;
}

bool obj_write_record(int id, ObjectRecord record) {
    if (!obj_id_is_instance(id)) return false;
    const int slot = id - FIRST_INSTANCE_ID;
    Objects[slot] = record;
    clear_reserved(Objects[slot]);
    slot_changed(slot);
    return true;
}

int obj_store_template(int s) {
    int target = -1;
    if (s >= 0) {
        if (s < ITEM_TYPE_COUNT) target = s;
    } else {
        const bool by_kind_and_class = s < -1;
        for (int i = 1; i < ITEM_TYPE_COUNT && target < 0; ++i) {
            const ObjectRecord& t = ItemTypes[i];
            if (!same_text_no_case(t.name, current_object.name)) continue;
            if (by_kind_and_class && (t.kind != current_object.kind || t.item_class != current_object.item_class))
                continue;
            target = i;
        }
        for (int i = 1; i < ITEM_TYPE_COUNT && target < 0; ++i)
            if (is_blank_type(ItemTypes[i])) target = i;
    }
    if (current_object.weight > current_object.full_weight) current_object.full_weight = current_object.weight;
    if (target < 0) return -1;
    ItemTypes[target] = current_object;
    clear_reserved(ItemTypes[target]);
    return target;
}

// ------------------------------------------------------------ comparisons

bool obj_can_stack(const ObjectRecord& a, const ObjectRecord& b) {
    // Every rule must hold, so the order of the tests is free: the plain
    // numbers first, the case-blind texts last.
    if (a.item_class != b.item_class) return false;
    if (a.kind != b.kind || a.subclass != b.subclass || a.extra_a != b.extra_a || a.extra_b != b.extra_b ||
        a.symbol != b.symbol || a.MAGIC != b.MAGIC || a.extra_value != b.extra_value)
        return false;
    if (std::memcmp(a.coverage, b.coverage, sizeof a.coverage) != 0) return false;
    if (a.ad_class != b.ad_class || a.state_bits != b.state_bits || a.link != b.link || a.blunt != b.blunt ||
        a.edge != b.edge || a.point != b.point || a.protection4 != b.protection4 || a.length != b.length ||
        a.full_length != b.full_length || a.effect_raw != b.effect_raw || a.contents != b.contents ||
        a.unit_price != b.unit_price || a.unit != b.unit || a.material != b.material ||
        a.ownerID != b.ownerID || a.x != b.x || a.y != b.y)
        return false;
    if (a.price != b.price) return false;
    const double weight_limit = (a.material & MATERIAL_SILVER) ? 0.002 : 0.003;
    if (!within(a.weight, b.weight, weight_limit) || !within(a.full_weight, b.full_weight, 0.003)) return false;
    if (a.quality != b.quality) {
        // An ungraded record stacks with a known grade of 0 or 3.
        auto known_zero_or_three = [](uint8_t q) {
            const int grade = q & OBJ_GRADE_MASK;
            return (q & OBJ_GRADE_KNOWN) != 0 && (grade == 0 || grade == 3);
        };
        const bool excepted = (a.quality == 0 && known_zero_or_three(b.quality)) ||
                              (b.quality == 0 && known_zero_or_three(a.quality));
        if (!excepted) return false;
    }
    // Food keeps well for 50 days and more: such ages count as one.
    if (a.spoilage_days != b.spoilage_days &&
        !(a.item_class == ITEM_FOOD && a.spoilage_days >= 50 && b.spoilage_days >= 50))
        return false;
    if (obj_is_plant(a) && a.un_id != b.un_id) return false;
    if (a.rating != b.rating) {
        const bool lenient_class =
            a.item_class != ITEM_SKIN && a.item_class != ITEM_TOOL && a.item_class != ITEM_FOOD;
        if (!(b.rating <= 140 && lenient_class)) return false;
    }
    if (a.ownflag != b.ownflag) {
        const bool excepted = (a.ownflag == 0 && (b.ownflag & OBJ_OWNFLAG_STACKS_WITH_NONE)) ||
                              (b.ownflag == 0 && (a.ownflag & OBJ_OWNFLAG_STACKS_WITH_NONE));
        if (!excepted) return false;
    }
    if ((a.tile[0] != 0 || b.tile[0] != 0) && !same_text(a.tile, b.tile)) return false;
    return same_text_no_case(a.name, b.name) && same_text_no_case(a.skill, b.skill);
}

bool obj_same_sort(ObjectRecord a, ObjectRecord b) {
    if (a.item_class != b.item_class) return false;
    switch (a.item_class) {
        case ITEM_FOOD: return a.kind == b.kind;
        case ITEM_WEAPON: return same_text(a.skill, b.skill);
        case ITEM_TIMBER: return a.subclass == b.subclass && a.kind == b.kind;
        default: return true;
    }
}

bool obj_same_item(ObjectRecord a, ObjectRecord b) {
    return a.item_class == b.item_class && a.kind == b.kind && same_text(a.skill, b.skill) &&
           same_text(a.name, b.name) && a.subclass == b.subclass;
}

void obj_set_quality(int grade, ObjectRecord& record) {
    const int g = std::clamp(grade, 0, 5);
    record.quality = uint8_t((record.quality & ~OBJ_GRADE_MASK) | g);
}

// ------------------------------------------------------------ item types

ObjectRecord& obj_template_by_kind(int k, ObjectRecord& out) {
    std::memset(out.name, 0, sizeof out.name);
    out.item_class = 0;
    out.kind = 0;
    int matches[100];
    int count = 0;
    for (int i = 0; i < ITEM_TYPE_COUNT && count < 100; ++i) {
        const ObjectRecord& t = ItemTypes[i];
        if (t.kind != k || t.item_class == 0 || int(t.item_class) == template_excluded_class) continue;
        matches[count++] = i;
        if (!template_random_choice) break;
    }
    if (count > 0) out = ItemTypes[matches[template_random_choice ? random_below(count) : 0]];
    template_excluded_class = 0;
    template_random_choice = 0;
    return out;
}

int obj_template_by_name(const char* pattern, int exact) {
    char wanted[500];
    copy_text(wanted, upper_case_copy(pattern ? pattern : ""));
    if (wanted[0] == 0) return 0;
    if (std::strcmp(wanted, "*RANDOM*") == 0) return random_item_type();
    char upper[sizeof(ObjectRecord::name) + 1];
    int count = 0;
    for (int i = 1; i < ITEM_TYPE_COUNT; ++i) {
        upper_name(ItemTypes[i], upper);
        if (name_matches(upper, wanted, exact)) ++count;
    }
    if (count == 0) {
        current_object = ItemTypes[ITEM_TYPE_COUNT - 1];  // the last one examined
        return 0;
    }
    const int nth = random_below(count) + 1;
    int seen = 0;
    for (int i = 1; i < ITEM_TYPE_COUNT; ++i) {
        upper_name(ItemTypes[i], upper);
        if (name_matches(upper, wanted, exact) && ++seen == nth) {
            current_object = ItemTypes[i];
            return i;
        }
    }
    return 0;
}

int obj_template_index_by_kind(int k) {
    for (int i = 0; i < ITEM_TYPE_COUNT; ++i)
        if (ItemTypes[i].kind == k) return i;
    return -1;
}

int obj_kind_by_template_name(const char* name) {
    const char* wanted = name ? name : "";
    for (int i = 0; i < ITEM_TYPE_COUNT; ++i)
        if (fields_equal(ItemTypes[i].name, sizeof ItemTypes[i].name, wanted, std::strlen(wanted) + 1))
            return ItemTypes[i].kind;
    return 0;
}

void obj_clear_record(ObjectRecord& record) {
    std::memset(&record, 0, sizeof record);
    copy_text(record.skill, NO_SKILL);
    const auto at = reinterpret_cast<uintptr_t>(&record);
    const auto first = reinterpret_cast<uintptr_t>(&Objects[0]);
    const auto end = reinterpret_cast<uintptr_t>(&Objects[OBJECT_INSTANCE_COUNT]);
    if (at >= first && at < end) slot_changed(int((at - first) / sizeof(ObjectRecord)));
}

void obj_clear_staging() {
    obj_clear_record(current_object);
    copy_text(current_object.name, UNMATCHABLE_NAME);
}

void obj_clear_reserved(ObjectRecord& record) { clear_reserved(record); }

bool obj_is_plant(const ObjectRecord& record) {
    if (record.item_class == ITEM_PLANT) return true;
    const int k = record.kind;
    return k == 61 || (k >= 430 && k <= 438) || k == 513;
}

bool obj_is_shield(const ObjectRecord& record) {
    char skill[sizeof record.skill + 1];
    field_text(skill, record.skill, sizeof record.skill);
    return std::strcmp(skill, "SHIELD") == 0;
}

int count_object_instances() {
    int used = 0;
    for (const ObjectRecord& r : Objects)
        if (r.item_class != 0) ++used;
    return used;
}

// ------------------------------------------------------------ the store's state

void obj_store_changed() {
    slot_index().valid = false;
    free_hint = 1;
}

void reset_object_store() {
    std::memset(ItemTypes, 0, sizeof ItemTypes);
    std::memset(Objects, 0, sizeof Objects);
    std::memset(&current_object, 0, sizeof current_object);
    std::memset(&type_scratch, 0, sizeof type_scratch);
    std::memset(&naming_scratch, 0, sizeof naming_scratch);
    obj_table_nearly_full = 0;
    obj_new_since_maintenance = OBJ_MAINTENANCE_SPACING;
    template_excluded_class = 0;
    template_random_choice = 0;
    table_full_warned = false;
    reset_object_maintenance();
    obj_store_changed();
}

// ------------------------------------------------------------ files

bool save_object_store(const std::string& path) {
    for (ObjectRecord& r : Objects) clear_reserved(r);
    return write_records(path, Objects, OBJECT_INSTANCE_COUNT);
}

bool save_item_types(const std::string& path) {
    for (ObjectRecord& r : ItemTypes) clear_reserved(r);
    return write_records(path, ItemTypes, ITEM_TYPE_COUNT);
}

void clear_object_store() {
    std::memset(Objects, 0, sizeof Objects);
    obj_store_changed();
}

int load_object_store(const std::string& path) {
    FILE* file = open_file_ci(path, "rb");
    if (file == nullptr) return -1;
    const size_t count = std::fread(Objects, sizeof(ObjectRecord), OBJECT_INSTANCE_COUNT, file);
    std::fclose(file);
    if (count < size_t(OBJECT_INSTANCE_COUNT))
        std::memset(&Objects[count], 0, sizeof(ObjectRecord) * (size_t(OBJECT_INSTANCE_COUNT) - count));
    objects_loaded(int(count));
    return int(count);
}

void objects_loaded(int records) {
    char name[sizeof(ObjectRecord::name) + 1];
    char line[100];
    if (records > OBJECT_INSTANCE_COUNT) records = OBJECT_INSTANCE_COUNT;
    for (int i = 0; i < records; ++i) {
        current_object = Objects[i];
        if (current_object.item_class == 0) continue;
        field_text(name, current_object.name, sizeof current_object.name);
        format_text(line, sizeof line, "#%d/%d %s", i, OBJECT_INSTANCE_COUNT, name);
        debug_log("readguy", line);
    }
    obj_store_changed();
}

bool load_item_types(const std::string& path) { return read_records(path, ItemTypes, ITEM_TYPE_COUNT); }

