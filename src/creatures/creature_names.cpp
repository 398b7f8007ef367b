#include "creatures/creature_names.h"

#include <cctype>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "base/debug_log.h"
#include "base/platform.h"
#include "base/tag_text.h"
#include "base/text_ring.h"
#include "body/wounds.h"
#include "creatures/creature_files.h"
#include "creatures/creature_queries.h"
#include "creatures/creature_services.h"
#include "creatures/creature_table.h"
#include "creatures/creature_traits.h"
#include "game/player.h"
#include "objects/object_names.h"
#include "society/society_services.h"
#include "ui/encyclopedia.h"
#include "objects/object_store.h"
#include "ui/boxes.h"
#include "ui/canvas.h"
#include "ui/catalogue.h"
#include "ui/font.h"
#include "ui/input.h"
#include "work/eating.h"

namespace {

constexpr int KIND_BEAR = 605;
constexpr int KIND_MOOSE_CALF_KIND = 606;
constexpr int KIND_PIG_FIRST = 613;
constexpr int KIND_PIG = 615;
constexpr int KIND_SHEEP = 616;
constexpr int KIND_DOG = 618;
constexpr int KIND_REINDEER = 619;
constexpr int KIND_FOREST_REINDEER = 620;
constexpr int KIND_ELK = 660;
constexpr uint8_t BODY_FALLEN = 1;
constexpr uint8_t BODY_SHOCKED = 3;
constexpr uint8_t BODY_FAINTED = 4;
constexpr uint8_t MOVE_RUNNING = 4;
constexpr uint8_t MOVE_HURRIED = 99;
constexpr uint8_t MOVE_LEASH_WALK = 2;
constexpr uint8_t BFDOM_TIED = 0x10;
constexpr uint32_t LIFE_ESCORTEE = 0x100;

std::string field_text(const char* field, size_t size) {
    char buffer[64];
    copy_field(buffer, sizeof buffer, field, size);
    return buffer;
}

void lower_first(std::string& s) {
    if (!s.empty()) s[0] = char(std::tolower(static_cast<unsigned char>(s[0])));
}

bool is_human(const CreatureRecord& c) { return c.cre_class == CRE_CLASS_HUMAN; }

// The kind phrase of step 3: bulls, does, calves and the like.
std::string kind_phrase(const CreatureRecord& c, int flags) {
    std::string name = field_text(c.name, sizeof c.name);
    if (is_human(c)) return name;
    lower_first(name);
    if (flags & NAME_KIND_ONLY) return name;
    const int k = c.kind;
    std::string phrase = name;
    if (c.sex_age & SEX_MALE) {
        if (k == KIND_ELK) phrase = "bull " + name;
        else if (k == KIND_SHEEP) phrase = "ram";
        else if (k == KIND_PIG) phrase = "boar";
        else if (k == KIND_REINDEER || k == KIND_FOREST_REINDEER) phrase = name + " stag";
    } else {
        if (k == KIND_BEAR) phrase = "female " + name;
        else if (k == KIND_PIG) phrase = "sow";
        else if (k == KIND_DOG) phrase = "female dog";
        else if (k == KIND_REINDEER || k == KIND_FOREST_REINDEER) phrase = name + " doe";
    }
    if (c.sex_age & SEX_YOUNG) {
        if (k == KIND_MOOSE_CALF_KIND || k == KIND_REINDEER || k == KIND_FOREST_REINDEER || k == KIND_ELK)
            phrase = name + " calf";
        else if (k >= KIND_PIG_FIRST && k <= KIND_PIG) phrase = "piglet";
        else if (k == KIND_SHEEP) phrase = "lamb";
        else if (k == KIND_DOG) phrase = name + " puppy";
        else phrase = name + " cub";
        lower_first(phrase);
    }
    return phrase;
}

void upgrade_old_name(CreatureRecord& c) {
    const std::string name = field_text(c.name, sizeof c.name);
    const size_t at = name.find("' the ");
    if (at == std::string::npos) return;
    const std::string rest = name.substr(at + 6);
    std::memset(c.name, 0, sizeof c.name);
    copy_text(c.name, sizeof c.name, rest.c_str());
    c.name_known |= NAME_KNOWN;
}

std::string name_of(const CreatureRecord& c, int flags) {
    const std::string kind = kind_phrase(c, flags);
    if (flags & NAME_KIND_ONLY) return is_human(c) ? "human" : kind;
    const std::string own = field_text(c.personal_name, sizeof c.personal_name);
    if (flags & NAME_ALWAYS_OWN) return own + " the " + kind;
    std::string result = kind;
    bool article = true;
    if ((c.name_known & NAME_KNOWN) || (is_human(c) && debug_messages_on)) {
        result = (flags & NAME_LONG) ? own + " the " + kind : own;
        article = false;
    }
    if (c.name_known & NAME_GIVEN_BY_PLAYER) {
        result = own;
        if (flags & NAME_DEFINITE) article = false;
        if (flags & NAME_LONG) {
            result = kind + " called " + own;
            lower_first(result);
            article = true;
        }
    }
    if ((flags & NAME_DEFINITE) && article) result = "the " + result;
    return result;
}

std::string size_word(const CreatureRecord& c) {
    if (is_human(c) || (c.sex_age & SEX_YOUNG) || c.base_weight == 0.0f) return "";
    if (c.weight <= 0.8f * c.base_weight) return "small ";
    if (c.weight >= 1.2f * c.base_weight) return "big ";
    return "";
}

std::string keyed(const char* key) { return message_by_key(key); }

// A list of words joined with commas, the last two with " and".
std::string join_words(const std::vector<std::string>& words) {
    std::string out;
    for (size_t i = 0; i < words.size(); ++i) {
        if (i > 0) out += i + 1 == words.size() ? " and " : ", ";
        out += words[i];
    }
    return out;
}

std::string dead_look(const CreatureRecord& c) { return size_word(c) + name_of(c, NAME_LONG); }

int used_percent(const CreatureRecord& c, char* out, size_t cap) {
    if (out && cap) out[0] = '\0';
    const float at_death = c.fatigue;  // a dead body keeps its weight at death here
    if (c.weight == at_death || c.Viimeisin_X != 0 || c.Viimeisin_Y != 0) return 0;
    const double lost = std::ceil(double(at_death) - double(c.weight));
    // Never divided by less than a kilogram.
    const double whole = std::max(1.0, std::floor(double(at_death)));
    int percent = int(std::ceil(lost / whole * 100.0));
    if (percent > 100) percent = 100;
    if (percent < 0) percent = 0;
    const int band = percent > 65 ? 3 : percent > 45 ? 2 : percent > 15 ? 1 : 0;
    if (out && cap) copy_text(out, cap, (c.carcass_bits & 1) ? carcass_cut_words[band] : carcass_eaten_words[band]);
    return percent;
}

int decay(const CreatureRecord& c, char* out, size_t cap) {
    if (out && cap) out[0] = '\0';
    const int days = std::abs(int(c.day_mark) - int(Plr.days_played));
    if (days < 2) return 0;
    const int m = Plr.month;
    if (m >= 4 && m <= 11) {
        if (days > 7) {
            if (out && cap) copy_text(out, cap, "decaying");
            return 100;
        }
        if (out && cap) copy_text(out, cap, "rotten");
        return 25;
    }
    if (days >= 14) {
        if (out && cap) copy_text(out, cap, "rotten");
        return 25;
    }
    return 0;
}

// The carcass text of a record; slot is its table slot, or -1 for a record
// in no slot (no wound damage is read for it).
std::string carcass_of(const CreatureRecord& c, int slot) {
    char used_word[WORD_TEXT_BYTES] = {};
    const int used = used_percent(c, used_word, sizeof used_word);
    const bool burnt = c.Puuha[0] == TASK_BURNT;
    int damage = 0;
    std::string word = used_word;
    if (!burnt && slot >= 0) {
        char damage_word[WORD_TEXT_BYTES] = {};
        damage = carcass_damage(slot, damage_word, sizeof damage_word);
        if (damage >= 4) word = damage_word;
    }
    const std::string look = dead_look(c);
    if (look.empty()) return "carcass";
    std::string text = (is_human(c) || (c.name_known & NAME_GIVEN_BY_PLAYER)) ? "dead " + look : look + " carcass";
    if (!word.empty() && damage >= used) text += ", " + word;
    char decay_word[WORD_TEXT_BYTES] = {};
    decay(c, decay_word, sizeof decay_word);
    if (decay_word[0]) text += std::string(", ") + decay_word;
    if (burnt) text += ", burnt";
    if (debug_messages_on) {
        char line[160];
        format_text(line, sizeof line, " [og weight: %.2f - now %.2f] Tornpct:%d", double(c.fatigue), double(c.weight),
                    damage);
        text += line;
        format_text(line, sizeof line, " [age: %u]", unsigned(std::abs(int(c.day_mark) - int(Plr.days_played))));
        text += line;
    }
    if (!burnt && c.Puuha[1] == TASK_SKINNING) {
        if (is_carcass_skinned(c)) text += " (skinned)";
        else text += " (partially skinned)";
    }
    return text;
}

const CreatureRecord* record_of(int creature) {
    if (!cre_slot_valid(creature) || Cre[creature].cre_class == CRE_CLASS_FREE) return nullptr;
    return &Cre[creature];
}

}  // namespace

void cre_upgrade_old_name(int creature) {
    if (cre_slot_valid(creature)) upgrade_old_name(Cre[creature]);
}

char* creature_name(int creature, int flags) {
    if (creature == -1) return ring_copy("human");
    const CreatureRecord* c = record_of(creature);
    if (c == nullptr) return ring_copy("creature");
    cre_upgrade_old_name(creature);
    const std::string name = name_of(*c, flags);
    return ring_copy(name.empty() ? "creature" : name.c_str());
}

const char* creature_record_name(int flags, const CreatureRecord& c) {
    CreatureRecord copy = c;
    upgrade_old_name(copy);
    return ring_copy(name_of(copy, flags).c_str());
}

const char* cre_size_word(const CreatureRecord& c) { return ring_copy(size_word(c).c_str()); }

const char* describe_creature_look(int creature) {
    const CreatureRecord* rec = record_of(creature);
    if (rec == nullptr) return ring_copy("");
    CreScratch = *rec;
    const CreatureRecord& c = CreScratch;
    cre_upgrade_old_name(creature);
    const std::string name = name_of(*rec, NAME_LONG);
    if (c.move_mode == MOVE_MODE_DEAD) return ring_copy((size_word(c) + name).c_str());
    std::string state, action;
    if (c.body_state == BODY_FALLEN) state = keyed("ACTIVITY_PROFILE:FALLEN");
    else if (c.body_state == BODY_SHOCKED || c.body_state == BODY_FAINTED) state = "unconscious";
    if (state != "unconscious") {
        if (c.move_mode == MOVE_HURRIED || c.move_mode == MOVE_LEASH_WALK) action = "aggressive";
        else if (c.move_mode == MOVE_RUNNING) action = "escaping";
    }
    if (c.move_mode == MOVE_MODE_ASLEEP) {
        state.clear();
        action = keyed("ACTIVITY_PROFILE:SLEEPING");
    }
    std::string injury;
    if (c.injury != 0) {
        const int e = c.attr_end;
        injury = keyed(c.injury <= 2 * e ? "OVERALL_INJURY:LOW" : c.injury <= 3 * e ? "OVERALL_INJURY:MED"
                                                                                    : "OVERALL_INJURY:HIGH");
        if (c.blood_lost != 0) injury += ", bleeding";
        injury += " injuries";
    }
    std::vector<std::string> words;
    for (const std::string* w : {&state, &action, &injury})
        if (!w->empty()) words.push_back(*w);
    std::string text = join_words(words);
    if (!text.empty()) text += " ";
    text += size_word(c) + name;
    std::vector<std::string> notes;
    if (c.air_state == 100) notes.push_back(keyed("ACTIVITY_PROFILE:FLYING"));
    else if (c.air_state == 200) notes.push_back(keyed("ACTIVITY_PROFILE:IN_A_TREE"));
    else if (c.air_state == -100) notes.push_back("diving");
    if (cre_is_companion(creature))
        notes.push_back((c.life_bits & LIFE_ESCORTEE) ? "escortee" : keyed("COMP_CONTROL:PARTY"));
    if (c.cre_status == CRE_STATUS_TIED) notes.push_back(keyed("COMP_CONTROL:LEASHED"));
    if (c.bfdom & BFDOM_TIED) notes.push_back(keyed("COMP_CONTROL:TIED"));
    if (!notes.empty()) text += " (" + join_words(notes) + ")";
    return ring_copy(text.c_str());
}

int carcass_used_percent(int carcass, char* out, size_t cap) {
    const CreatureRecord* c = record_of(carcass);
    if (c == nullptr) {
        if (out && cap) out[0] = '\0';
        return 0;
    }
    return used_percent(*c, out, cap);
}

int carcass_decay_text(int carcass, char* out, size_t cap) {
    const CreatureRecord* c = record_of(carcass);
    if (c == nullptr) {
        if (out && cap) out[0] = '\0';
        return 0;
    }
    return decay(*c, out, cap);
}

const char* carcass_text(int creature) {
    const CreatureRecord* c = record_of(creature);
    if (c == nullptr) return ring_copy("carcass");
    if (debug_messages_on) creature_info_sheet(creature);
    return ring_copy(carcass_of(*c, creature).c_str());
}

const char* carcass_text_of_record(const CreatureRecord& dead) {
    CreatureRecord copy = dead;
    upgrade_old_name(copy);
    return ring_copy(carcass_of(copy, -1).c_str());
}

namespace {

const char* fatigue_key(double f) {
    if (f > 70) return "OVERALL_FATIGUE:GREAT";
    if (f > 50) return "OVERALL_FATIGUE:HIGH";
    if (f > 30) return "OVERALL_FATIGUE:MED";
    if (f > 10) return "OVERALL_FATIGUE:LOW";
    if (f > 0) return "OVERALL_FATIGUE:LITTLE";
    return nullptr;
}

std::string object_line(const char* key, int object) {
    msg_item = object;
    std::string text = "<red>";
    text += message_by_key(key);
    text += "<black><br>";
    return text;
}

// The developer's lines under the sheet.
std::string debug_block(const CreatureRecord& c, int creature) {
    std::string t;
    char line[256];
    t += "RV0:";
    for (int b = 0; b < 16; ++b) t += ((c.diet1 >> b) & 1) ? "1" : ".";
    t += "<br>";
    format_text(line, sizeof line, "energy: %d/%d obstacle:%d<br>", int(c.energy), cre_stomach_capacity(creature),
                int(c.obstacle));
    t += line;
    format_text(line, sizeof line, "ruokavalio #1:%u #2:%u<br>", unsigned(c.diet1), unsigned(c.diet2));
    t += line;
    format_text(line, sizeof line, "lauma: %d lstatus: %d<br>", int(c.lauma), int(c.lstatus));
    t += line;
    format_text(line, sizeof line, "PUUHA: %d (aika: %d) PAAPUUHA: %d saalistaako:%d<br>", int(c.Puuha[0]),
                int(c.task_turns[0]), int(c.main_task), int(c.hunts));
    t += line;
    format_text(line, sizeof line, "NPC: %d SOTU: %u OMISTAJA: %d QUEST: %u<br>", creature, unsigned(c.sotu),
                int(c.owner), unsigned(c.quest_id));
    t += line;
    format_text(line, sizeof line, "Paino: %.2f (Keskip.: %2.f Kerroin:%d)<br>", double(c.weight),
                double(c.base_weight), int(c.weight_spread));
    t += line;
    format_text(line, sizeof line, "Load: %d, Encumbrance: %d Injury:%d<br>", int(c.load), int(c.exertion),
                int(c.injury));
    t += line;
    format_text(line, sizeof line, "Fatigue rate: %.2f, Fatigue: %.2f<br>", double(c.fatigue_rate),
                double(c.fatigue));
    t += line;
    format_text(line, sizeof line, "LastActionBit: %d<br>", int(c.LastActionBit));
    t += line;
    format_text(line, sizeof line, "Pako x,y: %d,%d (viimeisin x,y: %d,%d)<br>", int(c.flee_x), int(c.flee_y),
                int(c.Viimeisin_X), int(c.Viimeisin_Y));
    t += line;
    t += "bfdom: ";
    for (int b = 0; b < 8; ++b) t += ((c.bfdom >> b) & 1) ? "1" : "0";
    t += "<br>";
    format_text(line, sizeof line, "Moraali<br>Karta:%d Pakene:%d Hyokkaa:%d<br>", int(c.avoid_threshold),
                int(c.flee_threshold), int(c.attack_threshold));
    t += line;
    format_text(line, sizeof line, "Varovaisuus:%d<br>", int(c.caution));
    t += line;
    const std::string name = field_text(c.name, sizeof c.name), own = field_text(c.personal_name, sizeof c.personal_name);
    t += "''" + name + "'' ''" + own + "''<br>";
    return t;
}

}  // namespace

const char* creature_info_text(int creature) {
    const CreatureRecord* rec = record_of(creature);
    if (rec == nullptr) return ring_copy("");
    std::string look = describe_creature_look(creature);
    const CreatureRecord& c = *rec;
    if (!look.empty()) look[0] = char(std::toupper(static_cast<unsigned char>(look[0])));
    std::string text = look + ".<br>";
    std::vector<std::string> notes;
    if (c.cre_class == CRE_CLASS_SPIRIT) {
        const std::string line = spirit_line(c.spirit_value, c.kind);
        if (!line.empty()) notes.push_back(line);
    }
    if (c.kind == KIND_DOG && cre_is_own_animal(creature)) {
        const int capacity = cre_stomach_capacity(creature);
        if (c.energy < 0) notes.push_back("starved");
        else if (c.energy < capacity / 4) notes.push_back("very hungry");
        else if (c.energy < capacity / 2) notes.push_back("hungry");
    }
    if (const char* key = fatigue_key(std::ceil(double(c.fatigue)))) notes.push_back(keyed(key));
    if (!notes.empty()) {
        msg_npc = creature;
        std::string head = message_by_key("NPC_LOOKS_LIKE");
        if (!head.empty()) head[0] = char(std::toupper(static_cast<unsigned char>(head[0])));
        text += head + " " + join_words(notes) + ".<br><br>";
    }
    const int hands[2] = {c.wielded, c.shield};
    if (hands[0]) text += object_line("NPC_INFO_WIELDING", hands[0]);
    if (hands[1]) {
        const char* cover = nullptr;
        if (c.shield_cover & 8) cover = "on left side";
        if (c.shield_cover & 2) cover = "in center";
        if (c.shield_cover & 4) cover = "high";
        if (cover) {
            msg_item = hands[1];
            char filled[CATALOGUE_TEXT_BYTES];
            fill_message_format(filled, sizeof filled, message_by_key("NPC_INFO_SHIELD"), {cover});
            text += std::string("<red>") + filled + "<black><br>";
        } else {
            text += object_line("NPC_INFO_WIELDING", hands[1]);
        }
    }
    text += "<br>";
    std::vector<std::string> wounds;
    for (int s = 0; s < 20; ++s) {
        const char* w = wound_description(creature, s);
        if (w && w[0]) wounds.push_back(lower_case_copy(w));
    }
    if (!wounds.empty()) {
        text += std::string("<red>") + message_by_key("NPC_IS_INJURED") + "<black> " + join_words(wounds) + ".<br><br>";
    }
    std::vector<std::string> worn;
    for (int s = 0; s < 7; ++s) {
        if (!c.worn[s]) continue;
        std::string w = obj_name_with_unit(c.worn[s], 1, 0);
        if (debug_messages_on) w += " (" + std::to_string(c.worn[s]) + ")";
        worn.push_back(w);
    }
    if (!worn.empty())
        text += std::string("<blue>") + message_by_key("NPC_IS_WEARING") + "<black> " + join_words(worn) + "<br><br>";
    std::vector<std::string> carried;
    for (int s = 0; s < 20; ++s)
        if (c.inv_id[s]) carried.push_back(obj_name_with_unit(c.inv_id[s], c.inv_count[s], NAME_WITH_COUNT));
    if (!carried.empty())
        text += std::string("<blue>") + message_by_key("NPC_IS_CARRYING") + "<black> " + join_words(carried) + "<br>";
    if (debug_messages_on) text += debug_block(c, creature);
    return ring_copy(text.c_str());
}

void creature_info_sheet(int creature) {
    if (record_of(creature) == nullptr) return;
    const std::string text = creature_info_text(creature);
    add_text_to_word_buffer(true, text.c_str());
    const int height = draw_tagged_text(0, 0, 280, -1, colour_white(), 0);
    // Over the side panel, beside the map view (which is laid over the
    // canvas at every present).
    const int w = 300, h = std::min(510, height + 30);
    const int x = 492, y = 85;
    const SDL_Rect rect{x, y, w, h};
    save_screen_under("infoview", &rect);
    draw_paper_window(x, y, w, h, "");
    add_text_to_word_buffer(true, text.c_str());
    draw_tagged_text(x + 10, y + 15, 280, 0, map_rgb(0, 0, 0), 0);
    std::string topic = upper_case_copy(field_text(Cre[creature].name, sizeof Cre[creature].name).c_str());
    if (topic.find("RORORAD") != std::string::npos) topic = "RORORADIT";
    if (is_encyclopedia_topic(topic.c_str())) show_topic_hint(topic.c_str(), "There is more to learn about this topic.");
    present_screen();
    wait_key();
    restore_screen_under("infoview");
    free_screen_under("infoview");
    present_screen();
}
