#include "creatures/people_makers.h"

#include <algorithm>
#include <cstring>

#include "base/files.h"
#include "base/platform.h"
#include "creatures/creature_errands.h"
#include "creatures/creature_files.h"
#include "creatures/creature_species.h"
#include "creatures/culture_goods.h"
#include "creatures/personal_names.h"
#include "objects/object_store.h"

uint8_t making_templates = 0;

namespace {

constexpr int CARRIED_SLOTS = 20;
constexpr int WORN_SLOTS = 7;
constexpr int SLOT_MAX = 255;
constexpr float PERSON_KG = 70.0f, CHILD_KG = 30.0f, SPIRIT_KG = 40.0f;

bool chance(int percent) { return random_below(100) < percent; }
template <size_t N>
const char* one_of(const char* const (&names)[N]) {
    return names[random_below(int(N))];
}
int type_named(const char* name) { return obj_template_by_name(name, 1); }

// Three draws below 6, plus 3 (3-18); a child's two (3-13).
uint8_t roll_attribute(int draws) {
    int sum = 3;
    for (int i = 0; i < draws; ++i) sum += random_below(6);
    return uint8_t(sum);
}
void roll_attributes(int draws) {
    CreatureRecord& c = CreScratch;
    c.attr_int = roll_attribute(draws);
    c.attr_end = roll_attribute(draws);
    c.attr_str = roll_attribute(draws);
    c.attr_dex = roll_attribute(draws);
    c.attr_agi = roll_attribute(draws);
    c.attr_smt = roll_attribute(draws);
    c.attr_hrg = roll_attribute(draws);
}

// People's skill levels where no level is given.
int usual_level() { return 30 + random_below(30); }
void set_usual_skills(std::initializer_list<const char*> skills) {
    for (const char* s : skills) npc_set_skill(s, usual_level());
}

// The picture letters of the place's culture group: e, w, n, or nj for the
// Rororad where the kind has a picture of its own.
enum Group { EAST, WEST, NORTH, RORORAD };
Group picture_group(int culture, bool rororad_pictures) {
    if (culture == CULTURE_RORORAD && rororad_pictures) return RORORAD;
    if (culture == 1 || (culture >= 4 && culture <= 6)) return WEST;
    if (culture >= 7 && culture <= 9) return NORTH;
    return EAST;
}

void set_picture(const char* key, int type_code) {
    copy_text(CreScratch.picture_key, key);
    CreScratch.type_code = type_code;
}

void set_name(const char* text) { copy_text(CreScratch.name, text); }
// Culture word and type word: "Kaumolais tribesman".
void set_culture_name(const char* word) {
    char text[64];
    format_text(text, sizeof text, "%s %s", creation_culture_word, word);
    set_name(text);
}

void wear_on(CreatureRecord& c, int id) {
    if (id == 0) return;
    for (int32_t w : c.worn)
        if (w == id) return;
    ObjectRecord item;
    obj_record(id, item);
    for (int32_t& w : c.worn) {
        if (w == 0) continue;
        ObjectRecord other;
        obj_record(w, other);
        // The catalogue's garments share their class and kinds: one worn in
        // another's place is one of the same sort over the same body parts.
        if (other.item_class == item.item_class && other.subclass == item.subclass && other.kind == item.kind &&
            std::memcmp(other.coverage, item.coverage, sizeof item.coverage) == 0) {
            w = id;
            return;
        }
    }
    for (int32_t& w : c.worn)
        if (w == 0) {
            w = id;
            return;
        }
}

// A new instance of the type, graded by the culture (no grade at level 3);
// the type itself for a template.
int new_instance(int type, int culture) {
    if (!obj_id_is_type(type)) return 0;
    if (making_templates) return type;
    ObjectRecord r;
    obj_record(type, r);
    const int level = culture_gear_level(culture);
    if (level != 3) {
        obj_set_quality(random_item_quality(level), r);
        r.quality |= OBJ_GRADE_KNOWN;
    }
    return obj_store_record(r);
}

int add_to_slots(CreatureRecord& c, int id, int amount, bool by_name, bool with_state, uint8_t state) {
    if (id == 0 || amount <= 0) return 0;
    ObjectRecord item;
    obj_record(id, item);
    int left = amount;
    for (int i = 0; i < CARRIED_SLOTS && left > 0; ++i) {
        if (c.inv_id[i] == 0 || (with_state && c.inv_state[i] != state)) continue;
        bool same = c.inv_id[i] == id;
        if (!same && by_name) {
            ObjectRecord other;
            obj_record(c.inv_id[i], other);
            same = std::strncmp(other.name, item.name, sizeof item.name) == 0;
        }
        if (!same) continue;
        const int room = SLOT_MAX - c.inv_count[i];
        const int put = left < room ? left : room;
        c.inv_count[i] = uint8_t(c.inv_count[i] + put);
        left -= put;
    }
    for (int i = 0; i < CARRIED_SLOTS && left > 0; ++i) {
        if (c.inv_id[i] != 0) continue;
        const int put = left < SLOT_MAX ? left : SLOT_MAX;
        c.inv_id[i] = id;
        c.inv_count[i] = uint8_t(put);
        c.inv_state[i] = with_state ? state : 0;
        left -= put;
    }
    return amount - left;
}

// The six men's garments at a level, each made and worn.
void outfit_man(int level, int culture) {
    CreatureRecord& c = CreScratch;
    npc_wear_new(c, pick_footwear(level), culture);
    npc_wear_new(c, pick_legwear(level), culture);
    npc_wear_new(c, pick_undershirt(level), culture);
    npc_wear_new(c, pick_shirt(level), culture);
    npc_wear_new(c, pick_headwear(level), culture);
    npc_wear_new(c, pick_belt(level), culture);
}
// The same at level 1, the types worn as they are.
void outfit_worn_types() {
    npc_wear_type(pick_footwear(1));
    npc_wear_type(pick_legwear(1));
    npc_wear_type(pick_undershirt(1));
    npc_wear_type(pick_shirt(1));
    npc_wear_type(pick_headwear(1));
    npc_wear_type(pick_belt(1));
}
void outfit_woman(int culture) {
    CreatureRecord& c = CreScratch;
    npc_wear_new(c, pick_footwear(1), culture);
    npc_wear_new(c, pick_dress(1), culture);
    npc_wear_new(c, pick_belt(1), culture);
    npc_wear_new(c, pick_undergarment(), culture);
    npc_wear_new(c, pick_apron(), culture);
    npc_wear_new(c, pick_womens_headwear(), culture);
}
void outfit_child_boy(int culture) {
    CreatureRecord& c = CreScratch;
    npc_wear_new(c, pick_footwear(0), culture);
    npc_wear_new(c, pick_legwear(0), culture);
    npc_wear_new(c, pick_undershirt(0), culture);
    npc_wear_new(c, pick_shirt(0), culture);
}
void outfit_child_girl(int culture) {
    CreatureRecord& c = CreScratch;
    npc_wear_new(c, pick_footwear(0), culture);
    npc_wear_new(c, pick_undergarment(), culture);
    npc_wear_new(c, pick_dress(0), culture);
    npc_wear_new(c, pick_belt(0), culture);
}

int home() { return CreScratch.home_culture; }

void gear_weapons() {
    const int c = home();
    if (chance(80)) npc_add_items(random_culture_weapon_name(c), 1 + random_below(3));
    if (chance(40)) {
        npc_add_item(random_everyday_knife_name(c));
        if (chance(20)) npc_add_item(random_tool_name(c));
    }
}

void gear_tools() {
    const int c = home();
    if (chance(15)) npc_add_item(random_tool_name(c));
    if (chance(10)) npc_add_items(random_tool_name(c), 1 + random_below(2));
}

void give_arrows(int picks) {
    for (int i = 0; i < picks; ++i) npc_add_items(random_arrow_name(home()), 5 + random_below(5));
}

// ------------------------------------------------------------ the kinds

const char* const kAlwaysWeapons[10] = {"HANDAXE", "SPEAR",           "HANDAXE",          "WOODSMAN'S AXE", "CLUB",
                                        "MACE",    "BASTARD SWORD",   "RORORAD SCIMITAR", "SCIMITAR",       "SHORTSWORD"};
const char* const kSundries[8] = {"LEATHER CORD", "SKIN", "WOODEN MUG", "LOOP SNARE",
                                  "ROPE",         "LEATHER CORD", "SHOVEL", "TORCH"};

void make_rororad_warrior() {
    make_person_base(CULTURE_RORORAD);
    CreatureRecord& c = CreScratch;
    set_picture("npc-njwar", 1003);
    set_name("Rororad warrior");
    c.move_mode = 0;
    c.prev_move_mode = 0;
    outfit_worn_types();
    if (chance(40)) {
        npc_wear_new(c, random_body_armour_name(CULTURE_RORORAD, 1), CULTURE_RORORAD);
        npc_wear_new(c, random_headgear_name(CULTURE_RORORAD, 1), CULTURE_RORORAD);
        npc_wear_new(c, random_limb_armour_name(CULTURE_RORORAD, 1), CULTURE_RORORAD);
    }
    static const char* const kKnives[3] = {"KNIFE", "BROAD KNIFE", "HUNTING KNIFE"};
    static const char* const kSecond[4] = {"HANDAXE", "WOODSMAN'S AXE", "SPEAR", "CLUB"};
    if (chance(70)) npc_add_item(type_named(one_of(kKnives)));
    if (chance(50)) npc_add_item(type_named(one_of(kSecond)));
    npc_add_item(type_named(one_of(kAlwaysWeapons)));
    if (chance(25)) npc_add_item(type_named("ROUNDSHIELD"));
    if (chance(33)) {
        static const char* const kBows[2] = {"SHORTBOW", "HUNTING BOW"};
        static const char* const kArrows[3] = {"ARROW", "ARROW", "BROADHEAD ARROW"};
        npc_add_item(type_named(one_of(kBows)));
        for (int i = 0; i < 3; ++i) npc_add_items(type_named(one_of(kArrows)), 5 + random_below(5));
    }
    if (chance(15)) npc_add_item(type_named(one_of(kAlwaysWeapons)));
    if (chance(30)) npc_add_item(type_named(one_of(kSundries)));
    if (chance(30)) npc_add_item(random_sundry_item_name(CULTURE_RORORAD));
    npc_set_skill("BOW", 50 + random_below(50));
    npc_set_skill("SWORD", 70 + random_below(30));
    npc_set_skill("KNIFE", 70 + random_below(30));
    npc_set_skill("AXE", 50 + random_below(50));
}

void make_foreign_trader() {
    make_person_base(CULTURE_FOREIGN);
    CreatureRecord& c = CreScratch;
    c.cre_status = 5;
    set_picture("npc-ftrader", 1004);
    set_name("Foreign trader");
    outfit_worn_types();
    npc_wear_new(c, random_body_armour_name(CULTURE_FOREIGN, 1), CULTURE_FOREIGN);
    npc_wear_new(c, random_headgear_name(CULTURE_FOREIGN, 1), CULTURE_FOREIGN);
    npc_wear_new(c, random_limb_armour_name(CULTURE_FOREIGN, 1), CULTURE_FOREIGN);
    gear_weapons();
    static const char* const kFirst[7] = {"HANDAXE", "SPEAR", "BATTLEAXE", "SHORTSWORD", "BROADSWORD", "BATTLESWORD",
                                          "MACE"};
    static const char* const kSecond[6] = {"HANDAXE", "WOODSMAN'S AXE", "JAVELIN", "SPEAR", "CLUB", "MACE"};
    npc_give_new(c, type_named(one_of(kFirst)), 1, CULTURE_FOREIGN, 0);
    if (chance(50)) npc_give_new(c, type_named(one_of(kSecond)), 1, CULTURE_FOREIGN, 0);
    if (chance(30)) npc_give_new(c, type_named(one_of(kSundries)), 1, CULTURE_FOREIGN, 0);
    if (chance(30)) npc_give_new(c, random_sundry_item_name(CULTURE_FOREIGN), 1, CULTURE_FOREIGN, 0);
    set_usual_skills({"BOW", "SWORD", "KNIFE", "AXE"});
}

void make_woman() {
    make_person_base(-1);
    CreatureRecord& c = CreScratch;
    c.cre_status = 14;
    static const char* const kWords[3] = {"Maiden", "Woman", "Housewife"};
    set_culture_name(one_of(kWords));
    copy_text(c.personal_name, draw_personal_name('F', home()));
    static const char* const kKeys[4] = {"npc-ewoman", "npc-wwoman", "npc-nwoman", "npc-njwoman"};
    static const int kCodes[4] = {1008, 1016, 1024, 1061};
    const Group g = picture_group(home(), true);
    set_picture(kKeys[g], kCodes[g]);
    outfit_woman(home());
    npc_add_item(random_tool_name(home()));
    gear_tools();
}

void make_tribesman() {
    make_person_base(-1);
    static const char* const kWords[2] = {"tribesman", "peasant"};
    set_culture_name(one_of(kWords));
    static const char* const kKeys[4] = {"npc-eman", "npc-wman", "npc-nman", "npc-njman"};
    static const int kCodes[4] = {1009, 1017, 1025, 1005};
    const Group g = picture_group(home(), true);
    set_picture(kKeys[g], kCodes[g]);
    outfit_man(1, home());
    if (chance(90)) npc_add_item(random_tool_name(home()));
    if (chance(10)) npc_add_item(random_jewellery_name(home()));
}

void make_woodsman() {
    make_person_base(-1);
    CreatureRecord& c = CreScratch;
    c.cre_status = 12;
    const bool hunter = random_below(2) == 1;
    set_name(hunter ? "hunter" : "woodsman");
    c.npc_trait = hunter ? 2 : 1;
    static const char* const kKeys[3] = {"npc-ewdsman", "npc-wwdsman", "npc-nwdsman"};
    static const int kCodes[3] = {1010, 1018, 1026};
    const Group g = picture_group(home(), false);
    set_picture(kKeys[g], kCodes[g]);
    outfit_man(1 + random_below(2), home());
    gear_weapons();
    if (chance(50)) give_arrows(1);
    if (chance(40)) npc_add_item(random_everyday_knife_name(home()));
    if (chance(30)) npc_add_item(random_fishing_gear_name());
    if (chance(20)) npc_add_item(random_bow_name(home()));
    npc_set_skill("SPEAR", 60);
    npc_set_skill("BOW", 60 + random_below(40));
    npc_set_skill("AXE", 40 + random_below(60));
    npc_set_skill("KNIFE", 40);
}

void make_adventurer(bool robber) {
    make_person_base(-1);
    CreatureRecord& c = CreScratch;
    c.cre_status = robber ? 20 : 11;
    set_name(robber ? "robber" : "adventurer");
    c.npc_trait = 6;
    static const char* const kKeys[3] = {"npc-eadv", "npc-wadv", "npc-nadv"};
    static const int kCodes[3] = {1006, 1014, 1022};
    const Group g = robber ? EAST : picture_group(home(), false);
    set_picture(kKeys[g], kCodes[g]);
    outfit_man(1, home());
    gear_weapons();
    npc_give_new(c, type_named("ROUNDSHIELD"), 1, home(), 0);
    if (chance(50)) npc_add_item(random_culture_weapon_name(home()));
    if (chance(50)) npc_add_item(random_tool_name(home()));
    give_arrows(3);
    set_usual_skills({"BOW", "SWORD", "KNIFE", "SPEAR"});
}

// The elder's make; the sage adds to it.
void make_elder_body() {
    CreatureRecord& c = CreScratch;
    outfit_man(1 + random_below(2), home());
    if (chance(50)) npc_add_item(random_tool_name(home()));
    if (chance(30)) npc_add_item(random_sundry_item_name(home()));
    gear_tools();
    c.attitude2 = 4;
}

void make_old_man() {
    make_person_base(-1);
    char word[64];
    copy_text(word, creation_culture_word);
    for (char* p = word; *p; ++p) *p = char(latin1_lower(static_cast<unsigned char>(*p)));
    word[0] = char(latin1_upper(static_cast<unsigned char>(word[0])));
    char text[80];
    format_text(text, sizeof text, "Old %s man", word);
    set_name(text);
    static const char* const kKeys[3] = {"npc-eoldman", "npc-woldman", "npc-noldman"};
    static const int kCodes[3] = {1011, 1019, 1027};
    const Group g = picture_group(home(), false);
    set_picture(kKeys[g], kCodes[g]);
    make_elder_body();
    set_usual_skills({"SWORD", "KNIFE", "AXE", "SPEAR"});
}

void make_sage() {
    make_person_base(-1);
    CreatureRecord& c = CreScratch;
    c.cre_status = 13;
    set_name(random_below(2) == 0 ? "shaman" : "sage");
    static const char* const kKeys[3] = {"npc-esage", "npc-wsage", "npc-nsage"};
    static const int kCodes[3] = {1012, 1020, 1028};
    const Group g = picture_group(home(), false);
    set_picture(kKeys[g], kCodes[g]);
    make_elder_body();
    // The ritual item of the culture: an ornament of its lists.
    npc_add_item(random_jewellery_name(home()));
    gear_tools();
}

void make_craftsman() {
    make_person_base(-1);
    CreatureRecord& c = CreScratch;
    set_culture_name("craftsman");
    static const char* const kKeys[4] = {"npc-ecraftm", "npc-wcraftm", "npc-nman", "npc-njman"};
    static const int kCodes[4] = {1005, 1013, 1021, 1005};
    const Group g = picture_group(home(), true);
    set_picture(kKeys[g], kCodes[g]);
    outfit_man(1 + random_below(2), home());
    npc_add_item(random_tool_name(home()));
    if (chance(50)) npc_add_item(random_tool_name(home()));
    c.attitude = 4;
    c.attitude2 = 4;
    c.move_mode = 3;
}

void make_child() {
    make_person_base(-1);
    CreatureRecord& c = CreScratch;
    c.cre_status = 15;
    const bool girl = random_below(2) == 1;
    set_culture_name(girl ? "girl" : "boy");
    static const char* const kBoys[4] = {"npc-eboy", "npc-wboy", "npc-nboy", "npc-njboy"};
    static const char* const kGirls[4] = {"npc-egirl", "npc-wgirl", "npc-ngirl", "npc-njgirl"};
    static const int kCodes[4] = {1007, 1015, 1023, 1007};
    const Group g = picture_group(home(), true);
    set_picture(girl ? kGirls[g] : kBoys[g], girl ? 0 : kCodes[g]);
    if (girl) {
        copy_text(c.personal_name, draw_personal_name('F', home()));
        outfit_child_girl(home());
    } else {
        outfit_child_boy(home());
    }
    roll_attributes(2);
    c.base_weight = CHILD_KG;
    std::memset(c.skill_slot_name, 0, sizeof c.skill_slot_name);
    std::memset(c.skill_slot_level, 0, sizeof c.skill_slot_level);
    npc_set_skill("KNIFE", usual_level());
}

// A spirit's garment: a type made anew under a name of its own, worn.
void wear_renamed(const char* type_name, const char* name) {
    const int type = obj_template_by_name(type_name, 0);
    if (type == 0) return;
    if (making_templates) {
        wear_on(CreScratch, type);
        return;
    }
    ObjectRecord r;
    obj_record(type, r);
    copy_text(r.name, name);
    wear_on(CreScratch, obj_store_record(r));
}

void make_spirit(int kind) {
    creature_defaults();
    CreatureRecord& c = CreScratch;
    c.cre_class = CRE_CLASS_SPIRIT;
    c.home_culture = uint8_t(creation_culture);
    copy_text(c.second_name, random_foreign_name());
    copy_text(c.personal_name, draw_personal_name(kind == 700 ? 'F' : 'M', creation_culture));
    copy_text(c.pain_word, "laugh");
    copy_text(c.call_word, "sing");
    copy_text(c.attack_name[0], "kick");
    c.attack_skill[0] = 95;
    set_usual_skills({"SWORD", "KNIFE", "SPEAR", "CLUB"});
    c.walk_speed = 6;
    c.max_speed = 12;
    c.weight_spread = 0;
    c.base_weight = SPIRIT_KG;
    if (kind == 700) {
        c.cre_status = 14;
        set_name("Beautiful maid");
        copy_text(c.picture_key, random_below(2) == 0 ? "npc-ewoman" : "npc-wwoman");
        outfit_woman(creation_culture);
    } else if (kind == 701) {
        set_name(random_below(2) == 0 ? "Long-bearded old man" : "Man with long black hair");
        copy_text(c.picture_key, "npc-wtrman");
        wear_renamed("linen shirt", "Lake reed shirt");
        wear_renamed("linen trousers", "Grass trousers");
        wear_renamed("Leather cap", "Fish leather cap");
        for (const char* fish : {"PIKE", "PERCH", "ROACH", "BREAM"}) npc_add_item(type_named(fish));
    } else {
        set_name(random_below(2) == 0 ? "Long grey bearded old man" : "Old man with long grey beard");
        copy_text(c.picture_key, "npc-forspr");
        wear_renamed("Fur overcoat", "Tree lichen overcoat");
        wear_renamed("linen trousers", "Moss trousers");
        wear_renamed("Leather cap", "Grey hat");
    }
}

// A women's picker: per level a chance and three names.
struct OutfitRow {
    int chance;
    const char* names[3];
};
int pick_outfit(const OutfitRow& row) {
    if (random_below(100) + 1 > row.chance) return 0;
    return obj_template_by_name(row.names[random_below(3)], 0);
}

}  // namespace

// ------------------------------------------------------------ the pickers

int pick_dress(int level) {
    static const OutfitRow kRows[3] = {{50, {"Linen dress", "Linen dress", "Woollen dress"}},
                                       {70, {"Woollen dress", "Woollen dress", "Linen dress"}},
                                       {90, {"Woollen dress", "Woollen dress", "Linen dress"}}};
    return pick_outfit(kRows[level < 0 ? 0 : level > 2 ? 2 : level]);
}
int pick_undergarment() {
    static const OutfitRow kRow = {100, {"Linen undergarment", "Woollen undergarment", "Linen undergarment"}};
    return pick_outfit(kRow);
}
int pick_apron() {
    static const OutfitRow kRow = {70, {"Linen apron", "Woollen apron", "cloak"}};
    return pick_outfit(kRow);
}
int pick_womens_headwear() {
    static const OutfitRow kRow = {60, {"veil", "Woollen cowl", "hood"}};
    return pick_outfit(kRow);
}

// ------------------------------------------------------------ the base

void make_person_base(int h) {
    CreatureRecord& c = CreScratch;
    c.cre_class = CRE_CLASS_HUMAN;
    c.home_culture = uint8_t(h == -1 ? creation_culture : h);
    copy_text(c.second_name, random_foreign_name());
    c.disposition = 2;
    c.attitude = uint8_t(random_below(5));
    if (c.attitude == 0) c.attitude = uint8_t(random_below(5));
    c.attitude2 = uint8_t(random_below(5));
    c.cre_status = 0;
    c.stature = 2;
    c.activity = 1;
    std::memset(c.unlisted_66, 0, sizeof c.unlisted_66);
    copy_text(c.personal_name, draw_personal_name('M', c.home_culture));
    copy_text(c.pain_word, "swear");
    copy_text(c.call_word, "sing");
    std::memset(c.name, 0, sizeof c.name);
    roll_attributes(3);
    c.species_byte = uint8_t(40 + random_below(30));
    c.dodge = uint8_t(40 + random_below(30));
    copy_text(c.attack_name[0], "kick");
    c.attack_impact[0] = 0;
    c.attack_value[0] = 12;
    c.attack_aspect[0] = 0;
    c.attack_skill[0] = uint8_t(usual_level());
    c.species_speed = uint8_t(40 + random_below(40));
    c.walk_speed = uint8_t(c.species_speed / 10);
    c.max_speed = uint8_t(2 * c.walk_speed);
    static const char* const kWeaponSkills[5] = {"SWORD", "KNIFE", "SPEAR", "AXE", "CLUB"};
    const char* skill = kWeaponSkills[random_below(5)];
    npc_set_skill(skill, usual_level());
    c.base_weight = PERSON_KG;
    c.talk_value = uint8_t(1 + random_below(5));
    c.species_f1 = 0.3f;
    c.random_a = 0;
    c.flee_threshold = 0;
    c.avoid_threshold = 0;
    c.attack_threshold = 0;
    c.morale2 = 0;
    c.hyokkaavyys = uint8_t(70 + random_below(30));
    npc_temperament();
}

void npc_temperament() {
    CreatureRecord& c = CreScratch;
    if (c.home_culture != CULTURE_RORORAD && c.home_culture != CULTURE_FOREIGN) return;
    c.random_a = 0;
    c.flee_threshold = 0;
    c.avoid_threshold = 0;
    c.morale2 = 100;
    if (c.home_culture == CULTURE_RORORAD) {
        c.attack_threshold = uint8_t(90 + random_below(10));
        c.enmity = -100;
    }
    c.hyokkaavyys = uint8_t(90 + random_below(10));
}

void npc_set_skill(const char* skill, int level) {
    CreatureRecord& c = CreScratch;
    constexpr size_t n = sizeof c.skill_slot_name[0];
    for (int i = 0; i < 4; ++i)
        if (c.skill_slot_name[i][0] != 0 && std::strncmp(c.skill_slot_name[i], skill, n) == 0) {
            c.skill_slot_level[i] = uint8_t(level);
            return;
        }
    for (int i = 0; i < 4; ++i)
        if (c.skill_slot_name[i][0] == 0) {
            std::memset(c.skill_slot_name[i], 0, n);
            std::memcpy(c.skill_slot_name[i], skill, std::min(n, std::strlen(skill)));
            c.skill_slot_level[i] = uint8_t(level);
            return;
        }
}

int npc_add_item(int id) {
    CreatureRecord& c = CreScratch;
    if (id == 0) return 0;
    for (int32_t held : c.inv_id)
        if (held == id) return 0;
    return add_to_slots(c, id, 1, false, false, 0);
}

int npc_add_items(int id, int amount) { return add_to_slots(CreScratch, id, amount, true, false, 0); }

void npc_wear_type(int id) { wear_on(CreScratch, id); }

void npc_wear_new(CreatureRecord& c, int type, int culture) { wear_on(c, new_instance(type, culture)); }

void npc_give_new(CreatureRecord& c, int type, int amount, int culture, uint8_t slot_state) {
    add_to_slots(c, new_instance(type, culture), amount, false, true, slot_state);
}

bool make_person_kind(int kind) {
    switch (kind) {
    case 500: make_rororad_warrior(); break;
    case 510: make_foreign_trader(); break;
    case 520: make_woman(); break;
    case 530: make_tribesman(); break;
    case 540: make_woodsman(); break;
    case 550: make_adventurer(false); break;
    case 551: make_adventurer(true); break;
    case 560: make_old_man(); break;
    case 570: make_sage(); break;
    case 580: make_craftsman(); break;
    case 590: make_child(); break;
    case 700: case 701: case 702: make_spirit(kind); break;
    default: return false;
    }
    return true;
}
