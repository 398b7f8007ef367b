#include "creatures/culture_goods.h"

#include <cstring>

#include "base/files.h"
#include "base/platform.h"
#include "base/text_ring.h"
#include "creatures/creature_errands.h"
#include "creatures/creature_files.h"
#include "creatures/creature_species.h"
#include "objects/inventory.h"
#include "objects/item_makers.h"
#include "objects/object_store.h"
#include "ui/message_line.h"
#include "work/herblore.h"
#include "work/work_services.h"

namespace {

struct Culture {
    const char* name;
    const char* lower;
    const char* code;
    int region;
    int gear;
};
const Culture kCultures[CULTURE_COUNT] = {
    {"Kaumolainen", "kaumolais", "kau", REGION_EAST, 2},
    {"Driikil\xE4inen", "driikil\xE4is", "dri", REGION_WEST, 5},
    {"Kiessel\xE4inen", "kiessel\xE4is", "kie", REGION_EAST, 3},
    {"Reemil\xE4inen", "reemil\xE4is", "ree", REGION_EAST, 4},
    {"Sartolainen", "sartolais", "sar", REGION_WEST, 4},
    {"Islander", "islander", "isl", REGION_WEST, 2},
    {"Koivulainen", "koivulais", "koi", REGION_WEST, 3},
    {"of Kuikka-tribe", "kuikka-tribe", "kui", REGION_NORTH, 3},
    {"of Owl-tribe", "owl-tribe", "owl", REGION_NORTH, 3},
    {"of Seal-tribe", "seal-tribe", "sea", REGION_NORTH, 2},
    {"the vagabond", "vagabond", "vag", REGION_NONE, 3},
    {"Rororad", "rororad", "nje", REGION_NONE, 3},
    {"Foreigner", "foreign", "for", REGION_NONE, 5},
    {"Forester", "forester", "woo", REGION_NONE, 2},
};

bool valid(int c) { return c >= 0 && c < CULTURE_COUNT; }

// A percentage: a draw below 100 under the chance.
bool chance(int percent) { return random_below(100) < percent; }
// One name of a fixed set, drawn evenly.
template <size_t N>
const char* one_of(const char* const (&names)[N]) {
    return names[random_below(int(N))];
}

void add_names(std::initializer_list<const char*> names) {
    for (const char* n : names) add_item_name(n);
}
// "1 in n": added when a draw below n gives 0.
void add_one_in(int n, const char* name) {
    if (random_below(n) == 0) add_item_name(name);
}

constexpr int KIND_REINDEER = 619;
constexpr int KIND_GREY_SEAL = 650;
constexpr int KIND_DOG = 618;
constexpr int CLASS_BIRD = 21;
constexpr float SMALL_ANIMAL_KG = 12.0f;

// The object made from a type: copied, graded q with its bit, and stored
// (an identical stored instance is used again). 0 for no type.
int made_graded(int type, int grade) {
    if (!obj_id_is_type(type)) return 0;
    ObjectRecord r;
    obj_record(type, r);
    obj_set_quality(grade, r);
    r.quality |= OBJ_GRADE_KNOWN;
    return obj_store_record(r);
}

// The fur of the kind: its skin made into a finished fur or leather item.
// CreScratch is kept as the caller left it.
int fur_of_kind(int kind, int quality) {
    if (kind <= 0) return 0;
    const CreatureRecord kept = CreScratch;
    creature_template(kind);
    const CreatureRecord animal = CreScratch;
    CreScratch = kept;
    ObjectRecord skin;
    obj_clear_record(skin);
    make_skin_record(3, 1.0f, animal, skin);
    ObjectRecord fur;
    obj_clear_record(fur);
    make_tanned_hide_record(quality == 0 ? 3 : quality, fur, skin);
    // Until hides can be worked nothing comes of the skin.
    if (fur.name[0] == 0) return 0;
    return obj_store_record(fur);
}

// A garment of a random item type whose name holds the word, graded 5.
int garment_of_word(const char* word) {
    const int type = obj_template_by_name(word, 0);
    return made_graded(type, 5);
}

void append_entry(ObjectList& list, int id, int amount) {
    if (id == 0 || list.count >= OBJECT_LIST_SIZE - 1) return;
    MapObject& e = list.entries[list.count++];
    std::memset(&e, 0, sizeof e);
    e.DATA = id;
    e.amount = uint16_t(amount);
}

int bag_of_kind(int kind) {
    ObjectRecord goods;
    template_random_choice = 1;
    obj_template_by_kind(kind, goods);
    if (goods.name[0] == 0) return 0;
    return obj_put_in_new_bag(0.0f, goods);
}

}  // namespace

// ------------------------------------------------------------ the table

const char* culture_name(int c) { return valid(c) ? kCultures[c].name : ""; }
const char* culture_lower_word(int c) { return valid(c) ? kCultures[c].lower : ""; }
const char* culture_code(int c) { return valid(c) ? kCultures[c].code : ""; }
int culture_gear_level(int c) { return valid(c) ? kCultures[c].gear : 3; }
int culture_region(int c) { return c >= 0 && c <= 9 ? kCultures[c].region : REGION_NONE; }

int random_robber_culture(int c) {
    struct Row {
        int below;
        int results[4];
    };
    static const Row kRows[10] = {
        {2, {10, 8}},        {4, {10, 5, 4, 6}}, {4, {10, 0, 6, 3}}, {2, {10, 6}},    {4, {10, 1, 9, 6}},
        {2, {10, 1}},        {3, {10, 1, 4}},    {2, {10, 8}},       {3, {10, 0, 7}}, {2, {10, 4}},
    };
    if (c < 0 || c > 9) return 10;
    return kRows[c].results[random_below(kRows[c].below)];
}

int random_neighbour_culture(int c) {
    static const int kRows[10][5] = {
        {3, 6, 7, 3}, {3, 4, 2, 3}, {3, 8, 1, 4}, {3, 6, 8, 1}, {4, 5, 1, 2, 7},
        {4, 6, 4, 2, 3}, {4, 0, 5, 9, 8}, {3, 3, 0, 6}, {3, 9, 6, 3}, {4, 8, 6, 2, 0},
    };
    if (c < 0 || c > 9) return 10;
    return kRows[c][1 + random_below(kRows[c][0])];
}

int random_village_animal_template(int c) {
    static const int kSheepPig[3] = {616, 615, 616};
    static const int kFarm[3] = {609, 615, 616};
    static const int kReindeer[3] = {619, 619, 619};
    static const int kDogs[3] = {618, 618, 618};
    static const int kForeign[3] = {618, 615, 616};
    const int* row;
    if (c == 0 || c == 5) row = kSheepPig;
    else if ((c >= 1 && c <= 4) || c == 6 || c == 11) row = kFarm;
    else if (c >= 7 && c <= 9) row = kReindeer;
    else if (c == 10 || c == 13) row = kDogs;
    else if (c == 12) row = kForeign;
    else return KIND_DOG;
    int kind = row[random_below(3)];
    if (chance(20)) kind = KIND_DOG;
    return kind;
}

int random_culture_template(int c, int mode) {
    if (!valid(c)) return 0;
    const uint16_t bit = uint16_t(1u << c);
    int matches[CRE_TEMPLATE_COUNT];
    int n = 0;
    for (int k = 0; k < CRE_TEMPLATE_COUNT; ++k) {
        const CreatureRecord& t = CreTemplates[k];
        if (t.cre_class == CRE_CLASS_FREE || t.cre_class == CRE_CLASS_HUMAN) continue;
        bool ok;
        switch (mode) {
        case 1: ok = (t.culture_mask1 & bit) != 0; break;
        case 2: ok = (t.culture_mask2 & bit) != 0; break;
        case 3: ok = (t.culture_mask1 & bit) != 0 && t.base_weight <= SMALL_ANIMAL_KG; break;
        case 4: ok = (t.culture_mask2 & bit) != 0 && t.cre_class == CLASS_BIRD; break;
        default: ok = false;
        }
        if (!ok) continue;
        matches[n++] = k;
        char name[sizeof t.name + 1];
        copy_field(name, sizeof name, t.name, sizeof t.name);
        debug_message_format("kult: %d ani: %s", c, name);
    }
    return n == 0 ? 0 : matches[random_below(n)];
}

const char* random_culture_animal_name(int c) {
    const int kind = random_culture_template(c, 1);
    if (kind == 0) return ring_copy("animal");
    const CreatureRecord& t = CreTemplates[kind];
    char name[sizeof t.name + 1];
    copy_field(name, sizeof name, t.name, sizeof t.name);
    for (char* p = name; *p; ++p) *p = char(latin1_lower(static_cast<unsigned char>(*p)));
    return ring_copy(name);
}

// ------------------------------------------------------------ pickers

int random_everyday_knife_name(int c) {
    clear_item_name_list();
    add_names({"SMALL KNIFE", "KNIFE"});
    switch (c) {
    case 0: add_names({"KAUMOLAIS KNIFE"}); break;
    case 3: case 4: case 6: case 12: add_names({"BROAD KNIFE"}); break;
    case 5: case 7: add_names({"FISHER'S KNIFE"}); break;
    case 8: add_names({"BROAD KNIFE", "NORTHERN KNIFE"}); break;
    case 9: add_names({"NORTHERN KNIFE"}); break;
    case 11: add_names({"HUNTING KNIFE"}); break;
    default: break;
    }
    return Arvo_Esine_Listasta();
}

int random_jewellery_name(int c) {
    clear_item_name_list();
    add_names({"BRONZE BROOCH", "SMALL BRONZE BROOCH"});
    switch (culture_region(c)) {
    case REGION_EAST:
        add_names({"BRONZE HORSE-ORNAMENTED COMB", "SILVER BIRD BRACELET"});
        add_one_in(3, "SILVER SUN-SYMBOL PENDANT");
        add_one_in(2, "BRONZE BEZEL RING");
        add_names({"BRONZE BEAR PENDANT"});
        break;
    case REGION_WEST:
        add_names({"BRONZE FLOWER-ORNAMENTED COMB"});
        add_one_in(2, "SILVER RING");
        add_one_in(3, "SILVER CHAIN BRACELET");
        add_names({"BRONZE BRACELET", "BRONZE BALL PENDANT"});
        add_one_in(2, "BRONZE BEAR PENDANT");
        break;
    case REGION_NORTH: add_names({"SILVER BIRD BRACELET", "SILVER SUN-SYMBOL PENDANT"}); break;
    default: break;
    }
    if (c == 1 || c == 6) add_names({"BRONZE BRACELET"});
    if (c == 11)
        add_names({"SILVER BIRD BRACELET", "BRONZE BEZEL RING", "BRONZE HORSE-ORNAMENTED COMB", "BRONZE BEAR PENDANT"});
    if (c == 12) add_names({"SILVER RING", "SILVER CHAIN BRACELET", "BRONZE BRACELET", "BRONZE BALL PENDANT"});
    return Arvo_Esine_Listasta();
}

int random_arrow_name(int c) {
    // The broadhead's and the blunt arrow's chances by culture.
    static const int kChances[7][2] = {{10, 20}, {20, 15}, {5, 40}, {15, 30}, {15, 10}, {0, 0}, {10, 30}};
    clear_item_name_list();
    add_names({"ARROW"});
    if (c >= 0 && c <= 6) {
        if (chance(kChances[c][0])) add_names({"BROADHEAD ARROW"});
        if (chance(kChances[c][1])) add_names({"BLUNT ARROW"});
    }
    if (c == 11) add_names({"ARROW", "BROADHEAD ARROW"});
    if (c == 12) add_names({"BROADHEAD ARROW"});
    return Arvo_Esine_Listasta();
}

int random_fishing_gear_name() {
    clear_item_name_list();
    add_names({"NET", "NET", "FISHING ROD", "FISHING ROD", "FISHER'S KNIFE", "TRIDENT", "SMALL TRIDENT",
               "WIDE TRIDENT"});
    return Arvo_Esine_Listasta();
}

int random_headgear_name(int t, int armour) {
    clear_item_name_list();
    if (t == 11 && !armour) add_names({"FUR CAP", "FUR HOOD", "WOOLLEN COWL"});
    if (t == 11 && armour) add_names({"IRON HELM", "IRON HELM", "IRON HELM", "IRON HELM", "MAIL COWL", "LONG MAIL COWL"});
    if (t == 12 && !armour) add_names({"LEATHER CAP", "FUR CAP", "FUR HOOD"});
    if (t == 12 && armour)
        add_names({"IRON HELM", "IRON HELM", "IRON SPECTACLE HELM", "IRON SPECTACLE HELM", "MAIL COWL", "MAIL COWL",
                   "LONG MAIL COWL"});
    return Arvo_Esine_Listasta();
}

int random_body_armour_name(int t, int armour) {
    clear_item_name_list();
    if (t == 11 && !armour)
        add_names({"FUR SHIRT", "FUR CLOAK", "LEATHER SHIRT", "LEATHER CUIRASS", "LAMELLAR CUIRASS", "FUR OVERCOAT"});
    if (t == 11 && armour)
        add_names({"LAMELLAR CUIRASS", "LAMELLAR CUIRASS", "LAMELLAR HAUBERK", "MAIL HABERGEON", "MAIL HAUBERK"});
    if (t == 12 && !armour) add_names({"FUR CLOAK", "LEATHER SHIRT", "LEATHER CUIRASS", "FUR SHIRT"});
    if (t == 12 && armour) add_names({"MAIL HABERGEON", "MAIL HABERGEON", "MAIL HAUBERK", "LONG MAIL HAUBERK"});
    return Arvo_Esine_Listasta();
}

int random_limb_armour_name(int t, int armour) {
    clear_item_name_list();
    if (t == 11 && !armour)
        add_names({"LEATHER LEGGINGS", "WOOLLEN MITTENS", "FUR MITTENS", "FUR FOOTWEAR", "LEATHER SHIN GUARDS",
                   "LEATHER FOREARM GUARDS"});
    if (t == 11 && armour)
        add_names({"FUR MITTENS", "LAMELLAR REREBRACES", "LEATHER SHIN GUARDS", "LEATHER FOREARM GUARDS",
                   "LAMELLAR SHIN GUARDS", "LAMELLAR FOREARM GUARDS", "IRON KNEECOPS", "IRON COUDES"});
    if (t == 12 && !armour)
        add_names({"LEATHER LEGGINGS", "FUR MITTENS", "FUR FOOTWEAR", "LEATHER SHIN GUARDS", "LEATHER FOREARM GUARDS"});
    if (t == 12 && armour) add_names({"FUR MITTENS", "IRON KNEECOPS", "IRON COUDES", "MAIL MITTENS", "MAIL LEGGINGS"});
    return Arvo_Esine_Listasta();
}

int random_tool_name(int c) {
    static const char* const kTools[9] = {"CARVING AXE", "SPLITTING AXE", "WOODSMAN'S AXE", "BROAD AXE", "SHOVEL",
                                          "POT", nullptr, nullptr, "SICKLE"};
    const int d = random_below(9);
    if (d == 6) return random_everyday_knife_name(c);
    if (d == 7) return random_knife_name(c);
    clear_item_name_list();
    add_item_name(kTools[d]);
    return Arvo_Esine_Listasta();
}

// ------------------------------------------------------------ makers

int make_culture_fur_item(int c, int quality) {
    int animal = random_culture_template(c, 1);
    if (animal == 0) return 0;
    if (c == 8 && chance(60)) animal = KIND_REINDEER;
    else if (c == 7 && chance(40)) animal = KIND_REINDEER;
    else if (c == 9 && chance(60)) animal = KIND_GREY_SEAL;
    return fur_of_kind(animal, quality);
}

int make_small_fur_item(int c) { return fur_of_kind(random_culture_template(c, 3), 3); }
int make_template_fur_item() { return fur_of_kind(KIND_REINDEER, 1); }

int make_random_footwear() {
    static const char* const kWords[4] = {"footwear", "boots", "boots", "shoes"};
    return garment_of_word(one_of(kWords));
}
int make_random_trousers() {
    static const char* const kWords[4] = {"linen trousers", "linen trousers", "woollen trousers", "trousers"};
    return garment_of_word(one_of(kWords));
}
int make_random_upper_garment() {
    static const char* const kWords[4] = {"shirt", "shirt", "overcoat", "cloak"};
    return garment_of_word(one_of(kWords));
}

int make_fibre_plant_item(int c) {
    const char* plant;
    if (c == 0) {
        static const char* const k[3] = {"hemp", "nettle", "nettle"};
        plant = one_of(k);
    } else if (c == 2) {
        static const char* const k[4] = {"hemp", "hemp", "flax", "nettle"};
        plant = one_of(k);
    } else if (c == 3 || c == 11) {
        static const char* const k[3] = {"nettle", "flax", "hemp"};
        plant = one_of(k);
    } else if (c == 1 || c == 4) {
        static const char* const k[2] = {"hemp", "flax"};
        plant = one_of(k);
    } else if (c == 6) {
        static const char* const k[4] = {"nettle", "flax", "hemp", "hemp"};
        plant = one_of(k);
    } else {
        plant = "nettle";
    }
    ObjectRecord source;
    obj_clear_record(source);
    make_plant_object(plant, source);
    if (source.name[0] == 0) return 0;
    ObjectRecord yarn;
    obj_clear_record(yarn);
    make_yarn_item(150, yarn, source);
    if (yarn.name[0] == 0) return 0;
    return obj_store_record(yarn);
}

// ------------------------------------------------------------ caches

int random_culture_item_set(int c, ObjectList& list) {
    clear_object_list(list);
    const int picks = 5 + random_below(3);
    for (int p = 0; p < picks; ++p) {
        const int m = random_below(10);
        int id = 0, amount = 1;
        bool fur = false;
        switch (culture_region(c)) {
        case REGION_WEST:
            if (m <= 3) {
                id = bag_of_kind(m <= 1 ? 61 : 435);
                amount = 1 + random_below(2);
            } else if (m <= 5) {
                id = make_random_footwear();
            } else if (m <= 7) {
                id = made_graded(random_weapon_name(c, 1), 5);
                amount = 1 + random_below(2);
            } else {
                fur = true;
            }
            break;
        case REGION_EAST:
            if (m <= 1) {
                id = make_random_trousers();
                amount = 1 + random_below(2);
            } else if (m <= 3) {
                id = make_random_upper_garment();
                amount = 1 + random_below(2);
            } else if (m <= 5) {
                id = make_random_footwear();
            } else {
                fur = true;
            }
            break;
        case REGION_NORTH:
            if (m <= 1) {
                id = made_graded(obj_template_by_name("fur", 0), 4 + random_below(2));
            } else if (m <= 3) {
                id = make_random_footwear();
            } else if (m <= 5) {
                id = made_graded(random_everyday_knife_name(c), 5);
            } else if (m == 6) {
                id = made_graded(random_sundry_item_name(c), 4 + random_below(2));
            } else if (m <= 8) {
                id = made_graded(random_arrow_name(c), 5);
                amount = 5 + random_below(5);
            } else {
                fur = true;
            }
            break;
        default: fur = true; break;
        }
        if (fur) {
            id = make_culture_fur_item(c, 5);
            amount = 2 + random_below(3);
        }
        append_entry(list, id, amount);
    }
    const int jewellery = random_below(3);
    for (int j = 0; j < jewellery; ++j) append_entry(list, random_jewellery_name(c), 1);
    return list.count;
}
