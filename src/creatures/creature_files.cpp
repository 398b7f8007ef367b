// The creature table, the working record, the templates and the creature
// file, and the copies between them.
#include "creatures/creature_files.h"

#include <cstdio>
#include <cstring>
#include <unordered_map>
#include <unordered_set>

#include "creatures/creature_death.h"
#include "creatures/creature_senses.h"
#include "creatures/creature_turn_index.h"

#include "base/debug_log.h"
#include "base/fatal.h"
#include "base/files.h"
#include "body/wounds.h"
#include "creatures/creature_queries.h"
#include "creatures/creature_species.h"
#include "creatures/people_makers.h"
#include "creatures/creature_table.h"
#include "game/player.h"
#include "game/save_load.h"
#include "game/turn_state.h"
#include "maps/world_files.h"
#include "game/save_set.h"
#include "maps/map_change.h"
#include "objects/map_kinds.h"
#include "objects/map_object_table.h"
#include "ui/message_line.h"

CreatureRecord Cre[CRE_SLOTS];
int32_t CreSlotRefs[CRE_SLOTS];
CreatureRecord CreScratch;
CreatureRecord CreTemplates[CRE_TEMPLATE_COUNT];

namespace {

std::vector<CreatureRecord> crs;
bool crs_read = false;

// Where the living creatures of the map stand in Data, by sotu: an entry
// is checked at every use, and a missing or stale one is found again by a
// scan of the table.
std::unordered_map<uint32_t, int> living_index;
// Identities that more than one loaded slot holds (a creature loaded twice):
// their lookups always walk the table, so that the first creature in its
// order answers, wherever the copies stand.
std::unordered_set<uint32_t> shared_identities;

void note_shared_identity(int slot) {
    const uint32_t s = Cre[slot].sotu;
    if (s == 0) return;
    for (int k = 0; k < CRE_SLOTS; ++k) {
        if (k != slot && CreSlotRefs[k] != 0 && Cre[k].sotu == s) {
            shared_identities.insert(s);
            return;
        }
    }
}

void note(const char* channel, const char* text) { debug_log(channel, text); }

int object_slot(const MapObject& o) {
    const int slot = o.DATA - CRE_REF_BASE;
    return cre_slot_valid(slot) ? slot : -1;
}

bool living_entry_matches(int i, uint32_t s) {
    if (!map_index_valid(i)) return false;
    const MapObject& o = Data[i];
    if (o.TYPE != MK_CREATURE) return false;
    const int slot = object_slot(o);
    return slot >= 0 && Cre[slot].sotu == s;
}

// The first object of the kind whose slot holds sotu s; -1 when none.
int scan_by_sotu(uint8_t kind, uint32_t s) {
    for (int i = 0; i < MAP_OBJECT_COUNT; ++i) {
        const MapObject& o = Data[i];
        if (o.TYPE != kind) continue;
        const int slot = object_slot(o);
        if (slot >= 0 && Cre[slot].sotu == s) return i;
    }
    return -1;
}

// The file as it is on the disk, or made anew when it is missing.
// The previous save's copy of the creature file in place of a damaged or
// lost one, when the save set vouches for it; the player is told.
bool take_previous_creature_file(const std::string& name, FileVerdict v) {
    SaveSetEntry entry;
    if (!save_set_entry(name.c_str(), entry) || !(entry.flags & SET_PREV) ||
        entry.prev_size % static_cast<long long>(sizeof(CreatureRecord)) != 0)
        return false;
    std::vector<CreatureRecord> previous(size_t(entry.prev_size / static_cast<long long>(sizeof(CreatureRecord))));
    if (!read_previous_copy(name.c_str(), previous.data(), previous.size() * sizeof(CreatureRecord))) return false;
    crs = std::move(previous);
    char text[300];
    format_text(text, sizeof text, "!%s was %s; the creatures were taken from the save before.", name.c_str(),
                verdict_words(v));
    tell_player(text);
    repair_character_file(name.c_str(), crs.data(), crs.size() * sizeof(CreatureRecord));
    return true;
}

void read_creature_file() {
    crs_read = true;
    crs.clear();
    const std::string name = creature_file_name();
    std::vector<uint8_t> bytes;
    const FileVerdict v = read_character_file(name.c_str(), bytes, size_t(1) << 31);
    char text[300];
    if (v == FileVerdict::Missing && take_previous_creature_file(name, v)) return;
    if (v == FileVerdict::Missing) {
        format_text(text, sizeof text, "!The creature file %s was missing; it is made anew, empty.", name.c_str());
        tell_player(text);
        crs.assign(CRS_NEW_FILE_RECORDS, CreatureRecord{});
        if (!write_character_file(name.c_str(), crs.data(), crs.size() * sizeof(CreatureRecord))) {
            format_text(text, sizeof text, "%s couldn't be written!", name.c_str());
            exit_with_message(text);
        }
        return;
    }
    if (v == FileVerdict::Damaged) {
        if (take_previous_creature_file(name, v)) return;
        // No whole copy: its own bytes are all there is; nothing of the
        // file on the disk is replaced until the next save.
        std::FILE* f = open_file_ci(character_file(name.c_str()), "rb");
        bytes.clear();
        if (f != nullptr) {
            uint8_t buffer[65536];
            size_t n;
            while ((n = std::fread(buffer, 1, sizeof buffer, f)) > 0) bytes.insert(bytes.end(), buffer, buffer + n);
            std::fclose(f);
        }
        format_text(text, sizeof text, "!%s is damaged and has no whole copy; its creatures are used as they are.",
                    name.c_str());
        tell_player(text);
    }
    const size_t whole = bytes.size() / sizeof(CreatureRecord);
    crs.resize(whole);
    if (whole > 0) std::memcpy(crs.data(), bytes.data(), whole * sizeof(CreatureRecord));
}

void free_slot(int slot) {
    CreSlotRefs[slot] = 0;
    Cre[slot].cre_class = CRE_CLASS_FREE;
}

// A full table gives back the slots that nothing names any more.
int reclaim_slots() {
    bool named[CRE_SLOTS] = {};
    for (const MapObject& o : Data) {
        if (o.TYPE != MK_CREATURE && o.TYPE != MK_CARCASS) continue;
        const int slot = object_slot(o);
        if (slot >= 0) named[slot] = true;
    }
    int freed = 0;
    for (int slot = 0; slot < CRE_SLOTS; ++slot) {
        if (named[slot]) continue;
        bool stacked = false;
        for (int e = 0; e < party_stack_count && !stacked; ++e)
            stacked = (party_stack[e].kind == MK_CREATURE || party_stack[e].kind == MK_CARCASS) &&
                      party_stack[e].data == CreSlotRefs[slot];
        if (stacked) continue;
        free_slot(slot);
        ++freed;
    }
    return freed;
}

int first_free_slot() {
    for (int slot = 0; slot < CRE_SLOTS; ++slot)
        if (CreSlotRefs[slot] == 0) return slot;
    return -1;
}

}  // namespace

// ------------------------------------------------------------ the file

std::string creature_file_name() { return std::string(character_name) + ".CRS"; }

std::vector<CreatureRecord>& crs_records() {
    if (!crs_read) read_creature_file();
    return crs;
}

bool create_creature_file() {
    crs_read = true;
    crs.assign(CRS_NEW_FILE_RECORDS, CreatureRecord{});
    return write_character_file(creature_file_name().c_str(), crs.data(), crs.size() * sizeof(CreatureRecord));
}

bool save_creature_file() {
    if (!crs_read) return true;
    return write_character_file(creature_file_name().c_str(), crs.data(), crs.size() * sizeof(CreatureRecord));
}

void reset_creature_tables() {
    std::memset(Cre, 0, sizeof Cre);
    std::memset(CreSlotRefs, 0, sizeof CreSlotRefs);
    std::memset(&CreScratch, 0, sizeof CreScratch);
    crs.clear();
    crs.shrink_to_fit();
    crs_read = false;
    living_index.clear();
    shared_identities.clear();
    creature_catch_up = 0;
    creature_no_redraw = 0;
    pending_catch_up_turns = 0;
    followed_trail_class = 0;
    reset_creature_making();
    reset_creature_death_state();
    reset_creature_senses();
    reset_turn_index();
}

// ------------------------------------------------------------ lookups

void recount_creature_identities() {
    shared_identities.clear();
    std::unordered_map<uint32_t, int> holders;
    for (int slot = 0; slot < CRE_SLOTS; ++slot)
        if (CreSlotRefs[slot] != 0 && Cre[slot].sotu != 0 && ++holders[Cre[slot].sotu] == 2)
            shared_identities.insert(Cre[slot].sotu);
}

int cre_by_sotu(uint32_t s) {
    const auto it = living_index.find(s);
    if (it != living_index.end() && living_entry_matches(it->second, s) && !shared_identities.count(s))
        return Data[it->second].DATA - CRE_REF_BASE;
    const int i = scan_by_sotu(MK_CREATURE, s);
    if (i < 0) {
        if (it != living_index.end()) living_index.erase(it);
        return CRE_NO_CREATURE;
    }
    living_index[s] = i;
    return Data[i].DATA - CRE_REF_BASE;
}

int dead_cre_by_sotu(uint32_t s) {
    const int i = scan_by_sotu(MK_CARCASS, s);
    return i < 0 ? CRE_NO_CREATURE : Data[i].DATA - CRE_REF_BASE;
}

void get_creature_record(uint32_t s, int mode, CreatureRecord& out) {
    const int slot = mode == MK_CARCASS ? dead_cre_by_sotu(s) : cre_by_sotu(s);
    if (slot != CRE_NO_CREATURE) {
        out = Cre[slot];
        return;
    }
    const std::vector<CreatureRecord>& file = crs_records();
    // Record s - 1000 is the one that should hold it; a file whose sotu
    // fields disagree is searched from the start.
    const long long direct = (long long)s - CRE_REF_BASE;
    if (direct >= 0 && direct < (long long)file.size() && file[size_t(direct)].cre_class != 0 &&
        file[size_t(direct)].sotu == s) {
        out = file[size_t(direct)];
        return;
    }
    for (const CreatureRecord& r : file) {
        if (r.cre_class != 0 && r.sotu == s) {
            out = r;
            return;
        }
    }
    std::memset(&out, 0, sizeof out);
}

bool read_creature_ref(int ref) {
    if (ref >= 0 && ref < CRE_TEMPLATE_COUNT) {
        CreScratch = CreTemplates[ref];
        return true;
    }
    if (ref < CRE_REF_BASE) return false;
    const std::vector<CreatureRecord>& file = crs_records();
    const size_t index = size_t(ref - CRE_REF_BASE);
    if (index >= file.size()) return false;
    CreScratch = file[index];
    return true;
}

void cre_template_to_scratch(int t, int generate) {
    if (t < 0 || t >= CRE_TEMPLATE_COUNT) return;
    if (t >= 500 && generate) creature_template(t);
    else CreScratch = CreTemplates[t];
}

int cre_load_into_slot(int reference, int reuse) {
    if (reuse) {
        for (int slot = 0; slot < CRE_SLOTS; ++slot)
            if (CreSlotRefs[slot] == reference && reference != 0) return CRE_REF_BASE + slot;
    }
    if (!read_creature_ref(reference) || CreScratch.cre_class == CRE_CLASS_FREE) {
        // An empty record is no creature: it would be taken for a free one.
        char text[100];
        format_text(text, sizeof text, "no creature record for reference %d", reference);
        note("cre", text);
        return CRE_NO_CREATURE;
    }
    int slot = first_free_slot();
    if (slot < 0 && reclaim_slots() > 0) slot = first_free_slot();
    if (slot < 0) {
        note("cre", "creature table full: nothing loaded");
        return CRE_NO_CREATURE;
    }
    CreSlotRefs[slot] = reference;
    Cre[slot] = CreScratch;
    check_creature_wound_slots(Cre[slot]);
    note_shared_identity(slot);
    return CRE_REF_BASE + slot;
}

void find_crs_record_by_text(const char* text, CreatureRecord& out) {
    const size_t n = text ? std::strlen(text) : 0;
    for (const CreatureRecord& r : crs_records()) {
        const char* name = r.personal_name;
        const size_t len = strnlen(name, sizeof r.personal_name);
        for (size_t at = 0; n > 0 && at + n <= len; ++at) {
            if (std::memcmp(name + at, text, n) == 0) {
                out = r;
                return;
            }
        }
    }
    std::memset(&out, 0, sizeof out);
}

// ------------------------------------------------------------ writes

bool write_crs_record(int ref, const CreatureRecord& record) {
    if (ref < CRE_REF_BASE || record.cre_class == CRE_CLASS_FREE) return false;
    std::vector<CreatureRecord>& file = crs_records();
    const size_t index = size_t(ref - CRE_REF_BASE);
    if (index >= file.size()) {
        char text[100];
        format_text(text, sizeof text, "write_crs_record: reference %d past the file's end", ref);
        note("cre", text);
        return false;
    }
    file[index] = record;
    return true;
}

int append_creature_record(CreatureRecord record) {
    if (record.cre_class == CRE_CLASS_FREE) return CRE_NO_CREATURE;
    std::vector<CreatureRecord>& file = crs_records();
    size_t index = 0;
    while (index < file.size() && file[index].cre_class != CRE_CLASS_FREE) ++index;
    if (index == file.size()) file.push_back(CreatureRecord{});
    record.sotu = uint32_t(CRE_REF_BASE + index);
    file[index] = record;
    return CRE_REF_BASE + int(index);
}

int append_and_load_creature(const CreatureRecord& record) {
    const int ref = append_creature_record(record);
    if (ref == CRE_NO_CREATURE) return CRE_NO_CREATURE;
    return cre_load_into_slot(ref, 0);
}

void cre_save_to_crs() {
    bool on_map[CRE_SLOTS] = {};
    for (const MapObject& o : Data) {
        if (o.TYPE != MK_CREATURE && o.TYPE != MK_CARCASS) continue;
        const int slot = object_slot(o);
        if (slot >= 0) on_map[slot] = true;
    }
    for (int slot = 0; slot < CRE_SLOTS; ++slot) {
        const int ref = CreSlotRefs[slot];
        if (Cre[slot].cre_class == CRE_CLASS_FREE || ref < CRE_REF_BASE) continue;
        bool present = on_map[slot];
        for (int e = 0; e < party_stack_count && !present; ++e)
            present = party_stack[e].kind == MK_CREATURE && party_stack[e].data == ref;
        if (!present) continue;
        CreatureRecord& c = Cre[slot];
        if (c.move_mode != MOVE_MODE_DEAD) c.day_mark = Plr.days_played;
        c.saved_world_x = int16_t(Plr.zoom_origin_x);
        c.saved_world_y = int16_t(Plr.zoom_origin_y);
        write_crs_record(ref, c);
    }
}

void cre_save_dead_to_crs() {
    for (const MapObject& o : Data) {
        if (o.TYPE != MK_CARCASS) continue;
        const int slot = object_slot(o);
        if (slot < 0) continue;
        Cre[slot].move_mode = MOVE_MODE_DEAD;
        write_crs_record(int(Cre[slot].sotu), Cre[slot]);
    }
}

// ------------------------------------------------------------ templates

void creature_defaults() {
    CreatureRecord& c = CreScratch;
    std::memset(&c, 0, sizeof c);
    c.stature = 2;
    c.attitude = 3;
    c.attitude2 = 3;
    c.activity = 1;
    c.home_culture = 255;
    c.weight_spread = 30;
    c.attr_smt = 14;
    c.attr_hrg = 14;
    c.species_f1 = 0.45f;
    c.carcass_damage_factor = 30.0f;
    copy_text(c.pain_word, "whimper");
    copy_text(c.call_word, "mumble");
    copy_text(c.attack_name[0], "kick");
    c.disposition = 2;
    c.gait2 = 1;
    c.species_speed = 60;
    c.attack_value[0] = 12;
    c.attack_value[1] = 30;
    c.attack_value[2] = 30;
    c.attack_skill[0] = uint8_t(30 + random_below(30));
    c.flee_threshold = uint8_t(50 + random_below(50));
    c.day_mark = -1;
    c.fight_target = FIGHT_TARGET_NONE;
    c.body_temp = 37.0f;
    c.meat_b = 3;
    c.meat_c = 15;
    std::memset(culture_tags, 0, sizeof culture_tags);
}

void docreatures() {
    char line[80];
    making_templates = 1;
    for (int k = 500; k < CRE_TEMPLATE_COUNT; ++k) {
        creature_template(k);
        CreTemplates[k] = CreScratch;
        format_text(line, sizeof line, "#%d %.*s", k, int(sizeof CreScratch.name), CreScratch.name);
        note("docreatures", line);
    }
    making_templates = 0;
}

bool write_constant_cre() {
    creature_defaults();
    for (CreatureRecord& t : CreTemplates) t = CreScratch;
    docreatures();
    return write_character_file("CONSTANT.CRE", CreTemplates, sizeof CreTemplates);
}

int load_constant_cre() {
    static CreatureRecord read[CRE_TEMPLATE_COUNT];
    const FileVerdict v = read_character_file("CONSTANT.CRE", read, sizeof read);
    if (v == FileVerdict::Good || v == FileVerdict::Unlisted) {
        std::memcpy(CreTemplates, read, sizeof CreTemplates);
        char line[80];
        for (int k = 0; k < CRE_TEMPLATE_COUNT; ++k) {
            format_text(line, sizeof line, "#%d %.*s", k + 1, int(sizeof read[k].name), read[k].name);
            note("readguy", line);
        }
        docreatures();
        return 1;
    }
    // Told when the game screen comes back, like the other repairs of a load.
    char text[160];
    format_text(text, sizeof text, "!CONSTANT.CRE was %s; the creature templates are made anew.", verdict_words(v));
    tell_player(text);
    creature_defaults();
    for (CreatureRecord& t : CreTemplates) t = CreScratch;
    docreatures();
    if (!repair_character_file("CONSTANT.CRE", CreTemplates, sizeof CreTemplates))
        show_message("!Could not write CONSTANT.CRE.");
    return 0;
}
