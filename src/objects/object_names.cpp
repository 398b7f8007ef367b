// Item names, measure words, tile pictures by symbol, weights and lengths.
#include "objects/object_names.h"

#include <cmath>
#include <cstring>

#include "base/config.h"
#include "base/debug_log.h"
#include "base/platform.h"
#include "base/stubs.h"
#include "base/text_ring.h"
#include "creatures/creature_files.h"
#include "creatures/creature_queries.h"
#include "creatures/creature_services.h"
#include "objects/flora.h"
#include "work/herblore.h"

ObjectRecord naming_scratch;

namespace {

constexpr int KIND_WATER = 55;
constexpr int KIND_MILK = 69;
constexpr int KIND_FLOUR = 61;
constexpr int KIND_BOWSTRING = 121;
constexpr int KIND_BOW = 120;
constexpr int KIND_FISHING_ROD = 249;
constexpr int KIND_FIBRE = 461;  // fibre is named the same for any count
constexpr int KIND_BERRY = 431;
constexpr uint8_t SUBCLASS_CURVED = 6;  // arrows and the like: their own quality words
constexpr uint8_t SUBCLASS_BOW = 5;
constexpr uint8_t SUBCLASS_LEASH = 9;
constexpr uint8_t UNIT_LENGTH = 5;
constexpr uint8_t UNIT_BALL = 6;
constexpr uint8_t UNIT_SHEET = 7;
constexpr uint8_t SPOILED = 255;
constexpr uint8_t TIED_IN_PLACE = 0x10;  // bfdom: an animal tied to a tree
constexpr int PLANT_NAME_ENTRIES = 100;

bool metric_units() { return std::strcmp(ini_get_string("UNITS", ""), "METRIC") == 0; }
int precision_setting() { return units_precision_from(ini_get_string("UNITS_PRECISION", "1")); }

// The grade 1..5 of a quality byte (0 counts as 3).
int grade_of(const ObjectRecord& r) {
    const int g = r.quality & OBJ_GRADE_MASK;
    return g == 0 ? 3 : g;
}

bool is_food(const ObjectRecord& r) { return r.item_class == ITEM_FOOD; }

// The record's name field as text.
void name_field(const ObjectRecord& r, char (&out)[sizeof(ObjectRecord::name) + 1]) {
    copy_field(out, sizeof out, r.name, sizeof r.name);
}

bool contains(const char* text, const char* word) { return std::strstr(text, word) != nullptr; }

// ------------------------------------------------------------ word tables

const char* const QUALITY_WORDS[][5] = {
    {"curved", "rough", "decent", "fine", "superior"},       // sub-kind 6, tested first
    {"awful", "bland", "decent", "tasty", "delicious"},      // food
    {"crude", "rough", "decent", "fine", "masterwork"},      // weapons, armour and clothes
    {"leaky", "rough", "decent", "fine", "beautiful"},       // containers
    {"ragged", "harsh", "decent", "fine", "superior"},       // skins
    {"poor", "inferior", "decent", "fine", "perfect"},       // everything else
};

int quality_row(const ObjectRecord& r) {
    if (r.subclass == SUBCLASS_CURVED) return 0;
    switch (r.item_class) {
        case ITEM_FOOD: return 1;
        case ITEM_WEAPON: case ITEM_ARMOUR: return 2;
        case ITEM_CONTAINER: return 3;
        case ITEM_SKIN: return 4;
        default: return 5;
    }
}

// Singular and plural of the measure of the unit byte ("" for none; the
// length unit 5 is told by length_text).
const char* unit_words(int unit) {
    switch (unit) {
        case 0: return "";
        case 2: return "pinch/pinches";
        case 3: return "bunch/bunches";
        case 4: return "pile/piles";
        case 6: return "ball/balls";
        case 7: return "sheet/sheets";
        case 8: return "bundle/bundles";
        default: return "fistful/fistfuls";
    }
}

// One of the two halves of "singular/plural".
void word_half(const char* words, bool plural, char* out, size_t cap) {
    const char* slash = std::strchr(words, '/');
    if (slash == nullptr) {
        copy_text(out, cap, words);
        return;
    }
    if (plural) {
        copy_text(out, cap, slash + 1);
        return;
    }
    const size_t n = size_t(slash - words);
    copy_text(out, cap < n + 1 ? cap : n + 1, words);
}

// The part word of a plant by its kind: singular and plural, and whether
// the plural stands for any count.
struct PartWord {
    const char* words;
    bool always_plural;
};
PartWord plant_part_word(const ObjectRecord& r) {
    switch (r.kind) {
        case KIND_FLOUR: return {"flour/flour", true};
        case 429: return {"straw/straws", false};
        case 430: return {"grass/grasses", false};
        case KIND_BERRY:
            if (r.item_class == ITEM_PLANT) return {"berry shrub/berry shrubs", false};
            return {"berry/berries", true};
        case 432: return {"bean/beans", true};
        case 433: return {"root/roots", false};
        case 434: return {"seed/seeds", true};
        case 435: return {"grain/grains", true};
        case 436: return {"leaf/leaves", true};
        case 437: return {"flower/flowers", true};
        case 438: return {"cereal/cereals", false};
        case 513: return {"mushroom/mushrooms", false};
        default: return {r.item_class == ITEM_PLANT ? "plant/plants" : "fruit/fruits", false};
    }
}

// ------------------------------------------------------------ pictures

// Tile pictures by symbol code: the first line of a code is its picture
// (nullptr word), each later line whose word the lower-case name holds
// overrides it. Every picture named here is in the installation.
struct SymbolTile {
    uint8_t symbol;
    const char* word;
    const char* tile;
};
const SymbolTile SYMBOL_TILES[] = {
    {0, "salt", "fd-salt"},
    {1, nullptr, "it-wdcup"}, {1, " mug", "it-wdmug"},
    {2, nullptr, "it-skis"},
    {3, nullptr, "wp-spliaxe"},
    {4, nullptr, "it-horn"},
    {5, nullptr, "it-candle"},
    {29, nullptr, "it-wdbowl"}, {29, "tub", "it-wdtub"},
    {30, nullptr, "it-pot"},
    {31, nullptr, "it-shovel"},
    {32, nullptr, "it-wdshovel"},
    {35, nullptr, "it-net"},
    {36, nullptr, "it-punt"}, {36, "raft", "it-raft"},
    {38, nullptr, "wp-woodaxe"},
    {41, nullptr, "trunk"},
    {43, nullptr, "log"},
    {44, nullptr, "wdblk"},
    {45, nullptr, "it-branch"}, {45, "birch twig", "it-birtwig"}, {45, "spruce", "it-sprtwig"},
    {47, nullptr, "it-wdstake"}, {47, "ski stick", "it-skistick"}, {47, "rod", "it-fishrod"},
    {47, "paddle", "it-paddle"}, {47, "sesta", "it-sesta"},
    {48, nullptr, "it-board"},
    {49, nullptr, "stone"},
    {50, nullptr, "rock"},
    {53, nullptr, "sltrunk"},
    {'9', nullptr, "it-defpelt"},
    {60, nullptr, "tr-pawboard"},
    {61, nullptr, "tr-loop"},
    {69, nullptr, "wp-rshield"}, {69, "buckler", "wp-buckler"},
    {70, nullptr, "wp-knife"}, {70, "small", "wp-sknife"}, {70, "broad", "wp-bknife"},
    {70, "hunting", "wp-hknife"}, {70, "fisher", "wp-fknife"}, {70, "kaumolais", "wp-kknife"},
    {70, "northern", "wp-nknife"}, {70, "skrama", "wp-skrama"}, {70, "stone", "wp-stnknife"},
    {70, "wedge", "wp-wedgeou"},
    {80, nullptr, "ar-cloak"}, {80, "woollen", "ar-wocloak"}, {80, "fur", "ar-furcloak"},
    {81, nullptr, "ar-tunic"}, {81, "shirt", "ar-shoshirt"}, {81, "undershirt", "ar-lngshirt"},
    {81, "woollen undershirt", "ar-lngwoshi"}, {81, "woollen shirt", "ar-woshirt"},
    {81, "leather shirt", "ar-lshoshi"}, {81, "fur shirt", "ar-furshirt"}, {81, "woollen tunic", "ar-wotunic"},
    {81, "undergarment", "ar-ungarm"}, {81, "woollen undergarment", "ar-woungarm"}, {81, "dress", "ar-dress"},
    {81, "woollen dress", "ar-wodress"}, {81, "overcoat", "ar-wlnocoat"}, {81, "fur overcoat", "ar-furocoat"},
    {81, "cuirass", "ar-leacui"}, {81, "habergeon", "ar-mailhabe"},
    {82, nullptr, "ar-cap"}, {82, "fur cap", "ar-furcap"}, {82, "birch-bark cap", "ar-bbcap"},
    {82, "veil", "ar-veil"}, {82, "woollen veil", "ar-woolveil"}, {82, "cowl", "ar-cowl"},
    {82, "necklace", "ar-bbneckl"},
    {83, nullptr, "ar-leashoes"}, {83, "birch-bark shoes", "ar-bbshoes"}, {83, "boots", "ar-leaboots"},
    {83, "footrags", "ar-footrags"}, {83, "socks", "ar-woolsock"}, {83, "apron", "ar-apron"},
    {83, "woollen apron", "ar-woapron"}, {83, "shin guards", "ar-leashgu"}, {83, "lamellar shin", "ar-lamshgu"},
    {83, "kneecop", "ar-kneecops"},
    {84, nullptr, "ar-mittens"}, {84, "woollen mittens", "ar-woolmit"}, {84, "mail mittens", "ar-mailmit"},
    {84, "hood", "ar-furhood"},
    {85, nullptr, "ar-lamhaub"}, {85, "cuirass", "ar-lamcui"},
    {86, nullptr, "ar-mailhaub"}, {86, "long mail", "ar-lmailhau"},
    {87, nullptr, "it-bbbask"},
    {88, nullptr, "it-feather"},
    {89, nullptr, "it-bbbox"},
    {90, nullptr, "it-rope"}, {90, "cord", "it-cord"}, {90, "belt", "ar-leabelt"},
    {91, nullptr, "it-scoop"},
    {92, nullptr, "it-firewood"},
    {94, nullptr, "wp-flail"}, {94, "small", "wp-sflail"},
    {95, nullptr, "wp-spear"}, {95, "javelin", "wp-javelin"}, {95, "staff", "wp-staff"},
    {95, "hard staff", "wp-hrdstaff"}, {95, "ango", "wp-ango"}, {95, "kaumolais", "wp-kauspear"},
    {95, "northern", "wp-norspear"}, {95, "trident", "wp-trident"}, {95, "small trident", "wp-smatrid"},
    {95, "wide trident", "wp-widetrid"},
    {96, nullptr, "ar-leafagu"}, {96, "coude", "ar-coudes"}, {96, "rerebrace", "ar-lamrere"},
    {96, "lamellar forearm", "ar-lamfagu"},
    {97, nullptr, "it-bandage"},
    {98, nullptr, "flo-defherb"},
    {99, nullptr, "ar-mailcwl"}, {99, "long mail", "ar-lmailcwl"},
    {100, nullptr, "ar-helm"},
    {101, nullptr, "ar-sphelm"},
    {103, nullptr, "ar-trousers"}, {103, "woollen trousers", "ar-wotrous"}, {103, "leggings", "ar-woollegg"},
    {103, "leather leggings", "ar-lealegg"}, {103, "fur leggings", "ar-furlegg"},
    {103, "mail leggings", "ar-maillegg"}, {103, "footwear", "ar-furboots"},
    {116, nullptr, "flo-defherb"},
    {118, nullptr, "it-bag"}, {118, "skin", "it-wtrskin"},
    {121, nullptr, "fd-fish"},
    {124, nullptr, "wp-bataxe"}, {124, "broad", "wp-broaxe"},
    {125, nullptr, "wp-sword"}, {125, "shortsw", "wp-shsword"}, {125, "cimitar", "wp-scimitar"},
    {125, "bastard", "wp-bstsword"}, {125, "battle", "wp-batsword"},
    {126, nullptr, "wp-club"}, {126, "torch", "it-torch"},
    {127, nullptr, "wp-caraxe"},
    {134, nullptr, "flo-defherb"}, {134, "paw", "it-harefoot"},
    {145, nullptr, "org-fat"},
    {146, nullptr, "wp-shortbow"}, {146, "longbow", "wp-longbow"}, {146, "hunting", "wp-huntbow"},
    {146, "northern", "wp-northbow"}, {146, "juniper", "wp-junipbow"}, {146, "cross", "wp-crossbow"},
    {147, nullptr, "wp-arrow"}, {147, "blunt", "wp-blarrow"}, {147, "broadhead", "wp-bharrow"},
    {148, nullptr, "it-bread"}, {148, "flat", "it-flbread"},
    {149, nullptr, "wp-handaxe"}, {149, "stone", "wp-stnaxe"}, {149, "sickle", "wp-sickle"},
    {149, "woodsman", "wp-woodaxe"},
    {155, nullptr, "it-egg"},
};

}  // namespace

// ------------------------------------------------------------ names

const char* obj_quality_word(const ObjectRecord& record, int grade) {
    const int g = grade < 1 ? 1 : grade > 5 ? 5 : grade;
    return QUALITY_WORDS[quality_row(record)][g - 1];
}

const char* plant_name_entry(int index) {
    if (index < 0 || index >= UNKNOWN_PLANT_NAME_SLOTS) return "";
    return unknown_plant_names[index];
}

namespace {

// The carcass of a dead creature: named by the creature it was, read from
// the records of the dead without taking a creature slot for it.
const char* carcass_name(const ObjectRecord& r) {
    CreatureRecord dead;
    get_creature_record(uint32_t(r.kind), 52, dead);
    return ring_copy(carcass_text_of_record(dead));
}

// The leash's note: whom it leads or ties ("" for none on the map).
void leash_note(const ObjectRecord& r, char* out, size_t cap) {
    out[0] = 0;
    if (r.item_class != ITEM_TOOL || r.subclass != SUBCLASS_LEASH) return;
    const uint32_t sotu = uint16_t(r.link);
    if (sotu == 0) return;
    const int slot = cre_by_sotu(sotu);
    if (!cre_slot_valid(slot)) return;
    const CreatureRecord& c = Cre[slot];
    if (c.cre_status == CRE_STATUS_TIED) format_text(out, cap, " (%s leash)", creature_name(slot, 0));
    else if (c.bfdom & TIED_IN_PLACE) format_text(out, cap, " (tied to %s)", creature_name(slot, 0));
    else return;
    if (debug_messages_on) {
        char id[24];
        format_text(id, sizeof id, " (#%u)", unsigned(sotu));
        append_text(out, cap, id);
    }
}

// What a fishing rod or a bow has or lacks attached.
void attachment_note(const ObjectRecord& r, char* out, size_t cap) {
    out[0] = 0;
    const int part = int(r.effect_raw);
    const bool attached = part != 0 && obj_id_is_valid(part);
    if (r.kind == KIND_FISHING_ROD) {
        if (!attached) {
            copy_text(out, cap, " with no hook");
            return;
        }
        ObjectRecord hook;
        obj_record(part, hook);
        if (hook.material & MATERIAL_WOOD) append_text(out, cap, " with wooden hook");
        if (hook.material & MATERIAL_IRON) append_text(out, cap, " with iron hook");
        if (hook.material & MATERIAL_BONE) append_text(out, cap, " with bone hook");
        return;
    }
    if ((r.kind == KIND_BOW || r.subclass == SUBCLASS_BOW) && !attached) copy_text(out, cap, " with no string");
}

}  // namespace

const char* obj_name(int object_id, int count, int flags) {
    ObjectRecord r;
    if (object_id == -1) r = naming_scratch;
    else if (!obj_id_is_valid(object_id)) return ring_copy("");
    else obj_record(object_id, r);

    if (r.item_class == ITEM_CARCASS) return carcass_name(r);
    if ((flags & NAME_CONTENTS) && r.contents != 0 && obj_id_is_valid(r.contents)) obj_record(r.contents, r);

    char name[sizeof r.name + 1];
    name_field(r, name);

    // The grade that gives a word: none for ungraded things, plants, water
    // and milk; food about to go stale counts as bland.
    int g = (r.quality & OBJ_GRADE_KNOWN) ? grade_of(r) : 0;
    if (r.item_class == ITEM_PLANT || r.kind == KIND_WATER || r.kind == KIND_MILK) g = 0;
    const bool stale = is_food(r) && r.spoilage_days < 2;
    if (stale) g = 2;

    // The word before the name: the quality word, or the state of the thing,
    // which shows whatever the flags say of quality.
    char word[40] = "";
    if (!(flags & (NAME_NO_QUALITY | NAME_NO_QUALITY_2)) && g != 0 && g != 3)
        format_text(word, sizeof word, "%s ", obj_quality_word(r, g));
    if (stale) copy_text(word, match_wildcards("*stale *", name) ? "" : "stale ");
    if (r.spoilage_days == SPOILED) copy_text(word, r.item_class == ITEM_SKIN ? "Rotten " : "Spoiled ");

    char text[400];
    if (count >= 2 && r.unit != UNIT_SHEET && r.kind != KIND_FIBRE) copy_text(text, plural_form(name));
    else copy_text(text, name);
    if (r.material & MATERIAL_WINTER) {
        char winter[sizeof text];
        format_text(winter, sizeof winter, "winter %s", text);
        copy_text(text, winter);
    }
    if ((r.kind == KIND_WATER || r.kind == KIND_MILK) && r.contents != 0)
        copy_text(text, r.kind == KIND_WATER ? "water" : "milk");

    char note[200];
    leash_note(r, note, sizeof note);
    append_text(text, sizeof text, note);
    attachment_note(r, note, sizeof note);
    append_text(text, sizeof text, note);

    if (obj_is_plant(r)) {
        if ((flags & NAME_PLANT_SPECIES) && r.item_class == ITEM_PLANT) copy_field(text, sizeof text, r.skill, sizeof r.skill);
        // An unknown plant goes by a name of the plant names; entry 1 on
        // request. Entries outside the table or without a name leave it be.
        const int p = (flags & NAME_PLANT_ENTRY_1) ? 1 : r.un_id;
        if ((p > 1 || (flags & NAME_PLANT_ENTRY_1)) && p < PLANT_NAME_ENTRIES && plant_name_entry(p)[0] != 0) {
            const PartWord part = plant_part_word(r);
            char part_text[40];
            word_half(part.words, part.always_plural || count != 1, part_text, sizeof part_text);
            format_text(text, sizeof text, "%s %s", plant_name_entry(p), part_text);
        }
    }
    char whole[500];
    format_text(whole, sizeof whole, "%s%s", word, text);
    return lower_case_copy(whole);
}

char* obj_name_with_unit(int object_id, int count, int flags) {
    ObjectRecord r;
    if (object_id == -1) r = naming_scratch;
    else if (!obj_id_is_valid(object_id)) return ring_copy("");
    else obj_record(object_id, r);

    // A container with something in it: "bag of flour" (with NAME_CONTENTS
    // the same one level down).
    int inner = r.contents;
    if ((flags & NAME_CONTENTS) && inner != 0 && obj_id_is_valid(inner)) {
        ObjectRecord held;
        inner = obj_record(inner, held).contents;
    }
    char text[600];
    if (inner != 0 && obj_id_is_valid(inner)) {
        format_text(text, sizeof text, "%s of %s", obj_name(object_id, count, flags), obj_name(r.contents, 1, flags));
    } else {
        const char* name = obj_name(object_id, count, flags);
        char unit[40];
        word_half(unit_words(r.unit), count > 1, unit, sizeof unit);
        if (r.unit == 0) copy_text(text, name);
        else if (r.unit == UNIT_LENGTH) format_text(text, sizeof text, "%s (%s)", name, length_text(0, r.length));
        else if (r.unit == UNIT_BALL)
            format_text(text, sizeof text, "%s of %s (%s)", unit, name, length_text(0, r.length));
        else format_text(text, sizeof text, "%s of %s", unit, name);
    }
    if ((flags & NAME_WITH_COUNT) && count > 1) {
        char counted[sizeof text];
        format_text(counted, sizeof counted, "%d %s", count, text);
        copy_text(text, counted);
    }
    return lower_case_copy(text);
}

const char* obj_name_by_plant_knowledge(const ObjectRecord& record) {
    if (!obj_is_plant(record)) {
        char* out = next_ring_text();
        copy_field(out, TEXT_RING_BYTES, record.skill, sizeof record.skill);
        return out;
    }
    ObjectRecord known;
    const int index = herblore_index_of(record);
    if (index < 0 || !herblore_known_object(index, known)) return ring_copy("unknown");
    naming_scratch = known;
    naming_scratch.un_id = record.un_id;
    return obj_name(-1, 1, NAME_NO_QUALITY | NAME_PLANT_SPECIES);
}

const char* obj_category_name(int item_class) {
    static char out[32];
    const char* text = "";
    if (item_class < 0) text = "Preferred types";
    else switch (item_class) {
        case 1: text = "Weapons"; break;
        case 2: text = "Armours & Clothes"; break;
        case 3: text = "Containers"; break;
        case 5: text = "Hides & Skins"; break;
        case 6: text = "Tools"; break;
        case 7: text = "Foods"; break;
        case 8: text = "Timber"; break;
        case 9: text = "Vehicles"; break;
        case 10: text = "Valuables"; break;
        case 11: text = "Plants"; break;
        case 12: text = "Carcasses"; break;
        case 27: text = "Unpaid"; break;
        default: break;
    }
    copy_text(out, text);
    return out;
}

const char* bowstring_condition_text(const ObjectRecord& record) {
    auto wear_words = [](const ObjectRecord& string) {
        const int w = string.coverage[1];  // the wear of a bowstring
        if (w >= 80) return "largely worn out";
        if (w >= 60) return "worn out";
        if (w >= 40) return "somewhat worn out";
        if (w >= 20) return "slightly worn out";
        return "in good condition";
    };
    char* out = next_ring_text();
    if (record.kind == KIND_BOW) {
        const int part = int(record.effect_raw);
        if (part == 0 || !obj_id_is_valid(part)) {
            copy_text(out, TEXT_RING_BYTES, "This bow has no string.");
            return out;
        }
        ObjectRecord string;
        format_text(out, TEXT_RING_BYTES, "The bowstring of this bow is %s.", wear_words(obj_record(part, string)));
    } else if (record.kind == KIND_BOWSTRING) {
        format_text(out, TEXT_RING_BYTES, "This bowstring is %s.", wear_words(record));
    }
    return out;
}

// ------------------------------------------------------------ pictures

const char* object_tile_name(const ObjectRecord& record) {
    char* out = next_ring_text();
    copy_field(out, TEXT_RING_BYTES, record.tile, sizeof record.tile);
    if (out[0] != 0) return out;
    char name[sizeof record.name + 1];
    name_field(record, name);
    const char* lower = lower_case_copy(name);
    for (const SymbolTile& t : SYMBOL_TILES) {
        if (t.symbol != record.symbol) continue;
        if (t.word == nullptr || contains(lower, t.word)) copy_text(out, TEXT_RING_BYTES, t.tile);
    }
    return out;
}

int symbol_fallback_tiles(const char** out, int capacity) {
    int n = 0;
    for (const SymbolTile& t : SYMBOL_TILES) {
        if (out != nullptr && n < capacity) out[n] = t.tile;
        ++n;
    }
    return n;
}

// ------------------------------------------------------------ measures

namespace {

// The number of a weight or length: one decimal, two with precision 2,
// none for a whole number (within 0.01) or with flag 1.
void measure_number(double value, int flags, int precision, char* out, size_t cap) {
    const double whole = std::floor(value);
    const double fraction = value - whole;
    if ((whole != 0.0 && fraction <= 0.01) || (flags & 1)) format_text(out, cap, "%.0f", value);
    else if (precision == 2) format_text(out, cap, "%.2f", value);
    else format_text(out, cap, "%.1f", value);
}

// Grams told roughly: 5, 10 and 15 for the smallest weights, else whole tens.
double rounded_grams(double grams) {
    if (grams <= 0.0) return 0.0;
    if (grams <= 7.0) return 5.0;
    if (grams <= 14.0) return 10.0;
    if (grams <= 18.0) return 15.0;
    return std::floor(grams / 10.0) * 10.0;
}

}  // namespace

char* weight_text(int flags, double pounds) {
    const bool metric = metric_units();
    char* out = next_ring_text();
    if (flags & 4) {
        copy_text(out, TEXT_RING_BYTES, metric ? "kg" : "lb");
        return out;
    }
    const double value = metric ? pounds * 454.0 / 1000.0 : pounds;
    const int precision = precision_setting();
    const double whole = std::floor(value);
    const double fraction = value - whole;
    char number[64];
    measure_number(value, flags, precision, number, sizeof number);
    if (precision == 0) format_text(number, sizeof number, "%.0f", value);

    // Light things in ounces or grams; with no decimals at all whatever
    // weighs less than a whole unit.
    bool small = false;
    if (!(flags & 0x10) && whole == 0.0 && (fraction < (metric ? 0.2 : 0.1) || precision == 0)) {
        small = true;
        if (metric) {
            const double grams = fraction * 1000.0;
            format_text(number, sizeof number, "%.0f", precision == 2 ? grams : rounded_grams(grams));
        } else {
            const double ounces = fraction * 16.0;
            if (precision == 0) format_text(number, sizeof number, "%.0f", std::floor(ounces + 0.5));
            else if (fraction <= 0.02) format_text(number, sizeof number, "%.0f", ounces);
            else if (precision == 2) format_text(number, sizeof number, "%.2f", ounces);
            else format_text(number, sizeof number, "%.1f", ounces);
        }
    }
    if (flags & 2) {
        copy_text(out, TEXT_RING_BYTES, number);
        return out;
    }
    const char* unit;
    if (metric) unit = small ? "g" : "kg";
    else if (small) unit = "oz";
    else unit = std::strcmp(number, "1") == 0 ? "lb" : "lbs";
    format_text(out, TEXT_RING_BYTES, "%s %s", number, unit);
    return out;
}

char* length_text(int flags, double feet) {
    const bool metric = metric_units();
    const double value = metric ? feet / 3.0 : feet;
    char* out = next_ring_text();
    if (flags & 4) {
        copy_text(out, TEXT_RING_BYTES, metric ? "m" : "ft");
        return out;
    }
    const int precision = precision_setting();
    const double whole = std::floor(value);
    const double fraction = value - whole;
    char number[64];
    bool small = false;
    if (flags & 8) {
        small = true;
        format_text(number, sizeof number, "%.0f", value * (metric ? 100.0 : 12.0));
    } else if (whole == 0.0 && fraction < 0.1) {
        // Under a tenth: inches or centimetres.
        small = true;
        const double part = fraction * (metric ? 100.0 : 12.0);
        if (metric || fraction <= 0.02) format_text(number, sizeof number, "%.0f", part);
        else format_text(number, sizeof number, precision == 2 ? "%.2f" : "%.1f", part);
    } else {
        measure_number(value, flags, precision, number, sizeof number);
    }
    if (flags & 2) copy_text(out, TEXT_RING_BYTES, number);
    else format_text(out, TEXT_RING_BYTES, "%s %s", number, small ? (metric ? "cm" : "in") : (metric ? "m" : "ft"));
    return out;
}

char* item_weight_text(int object_id, int count) {
    if (!obj_id_is_valid(object_id)) return weight_text(0, 0.0);
    ObjectRecord r;
    obj_record(object_id, r);
    // A container's weight field holds what is in it; its own weight comes
    // on top.
    const double each = double(r.weight) + r.container_weight10 / 10.0;
    return weight_text(0, each * count);
}
