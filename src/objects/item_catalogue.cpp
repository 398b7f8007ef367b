// The built-in item catalogue: the definitions of the game's own item types
// and the routine that puts them into their slots.
#include "objects/item_catalogue.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "base/debug_log.h"
#include "base/files.h"
#include "base/platform.h"
#include "base/text_ring.h"
#include "game/save_set.h"
#include "objects/item_makers.h"
#include "objects/item_tags.h"
#include "objects/object_store.h"
#include "work/crafting_services.h"

namespace {

// ------------------------------------------------------------ applying definitions

// Applies each "[KEY:value]" tag of the text in turn (the tag applier takes
// one key at a time).
void apply_tags(const char* tags, ObjectRecord& r) {
    const char* p = tags;
    while ((p = std::strchr(p, '[')) != nullptr) {
        const char* end = std::strchr(p, ']');
        if (end == nullptr) break;
        char one[160];
        const size_t length = size_t(end - p) + 1;
        copy_text(one, length + 1 < sizeof one ? length + 1 : sizeof one, p);
        apply_item_tag(one, r);
        p = end + 1;
    }
}

void apply_tag_with_text(const char* key, const char* value, ObjectRecord& r) {
    char one[160];
    format_text(one, sizeof one, "[%s:%s]", key, value);
    apply_item_tag(one, r);
}

// Copies current_object into its slot (full_weight raised to weight).
void store(int slot) { obj_store_template(slot); }

// ------------------------------------------------------------ the literal definitions

struct Definition {
    int slot;
    uint8_t symbol;
    int32_t kind;
    uint8_t subclass;
    uint8_t rating;
    const char* tags;                          // applied in order
    void (*finish)(ObjectRecord&) = nullptr;  // settings no tag makes
};

// Breads go off in their own way.
void bread(ObjectRecord& r) { r.link = 2; }
// A fish is priced by its food: 0.005 a pound for each unit of
// carbohydrate, fat and protein.
void fish(ObjectRecord& r) { r.unit_price = float(0.04 * (r.blunt + r.edge + r.point)); }
void cloth_cord(ObjectRecord& r) { r.Laatu = 1; }
void fishing_rod(ObjectRecord& r) { r.effect_raw = 0xe3; }
void paddle(ObjectRecord& r) { r.coverage[0] = 1; }
// Boards come in five qualities, drawn once for the whole game.
void board(ObjectRecord& r) { r.rating = uint8_t(1 + random_below(5)); }
// The axes that crafting requirements ask for carry the requirement's code
// as their kind and its title as their name.
void requirement_axe(ObjectRecord& r) {
    char name[sizeof r.name];
    copy_text(name, requirement_type_name(r.kind));
    std::memset(r.name, 0, sizeof r.name);
    copy_text(r.name, name);
}

// Containers: the WEIGHT tag is the container's own weight.
const Definition kDefinitions[] = {
    {10, 29, 0, 0, 0, "[TYPE:container][NAME:Wooden tub][MATERIAL:wood][CONT_CAPACITY:10][WEIGHT:2][PRICE:1][TILEGFX:it-wdtub]"},
    {12, 0, 0, 0, 0, "[TYPE:valuable][NAME:bronze bracelet][MATERIAL:bronze][WEIGHT:21 g][PRICE:28][TILEGFX:vl-bbrace]"},
    {20, 0, 0, 0, 0, "[TYPE:valuable][NAME:silver ring][MATERIAL:silver][WEIGHT:3 g][PRICE:40][TILEGFX:vl-sring]"},
    {21, 0, 0, 0, 0, "[TYPE:valuable][NAME:bronze bezel ring][MATERIAL:bronze][WEIGHT:3 g][PRICE:24][TILEGFX:vl-bbring]"},
    {23, 1, 0, 0, 0, "[TYPE:container][NAME:Wooden mug][MATERIAL:wood][CONT_CAPACITY:1][WEIGHT:0.5][PRICE:0][TILEGFX:it-wdmug]"},
    {24, 1, 0, 0, 0, "[TYPE:container][NAME:Wooden mug][MATERIAL:wood][CONT_CAPACITY:1][WEIGHT:0.5][PRICE:0][TILEGFX:it-wdmug]"},
    {25, 1, 351, 0, 0, "[TYPE:container][NAME:Wooden cup][MATERIAL:wood][CONT_CAPACITY:3][WEIGHT:1][PRICE:0.3][TILEGFX:it-wdcup]"},
    {26, 29, 351, 0, 0, "[TYPE:container][NAME:Wooden bowl][MATERIAL:wood][CONT_CAPACITY:6][WEIGHT:1.5][PRICE:0.4][TILEGFX:it-wdbowl]"},
    {27, 89, 352, 0, 0, "[TYPE:container][NAME:Birch-bark box][MATERIAL:birch-bark][CONT_CAPACITY:2][WEIGHT:0.1][PRICE:0.25][TILEGFX:it-bbbox]"},
    {28, 87, 353, 0, 0, "[TYPE:container][NAME:Birch-bark basket][MATERIAL:birch-bark][CONT_CAPACITY:15][WEIGHT:1][PRICE:0.85][TILEGFX:it-bbbask]"},
    {30, 155, 0, 0, 0, "[TYPE:food][NAME:Egg][WEIGHT:0.1][PRICE:0.02125][SPOILAGE_DAYS:21][TILEGFX:it-egg]"},
    {41, 148, 0, 0, 0, "[TYPE:food][NAME:Rye bread][WEIGHT:2][PRICE:0.03125][SPOILAGE_DAYS:14][TILEGFX:it-bread]", bread},
    {46, 118, 350, 0, 0, "[TYPE:container][NAME:Bag][MATERIAL:cloth][CONT_CAPACITY:20][WEIGHT:0.2][PRICE:2][TILEGFX:it-bag]"},
    {47, 148, 0, 0, 0, "[TYPE:food][NAME:Flat rye bread][WEIGHT:0.4][PRICE:0.03125][SPOILAGE_DAYS:14][TILEGFX:it-flbread]", bread},
    {60, 0, 460, 0, 0, "[TYPE:tool][NAME:Spindle][MATERIAL:wood][WEIGHT:0.2][PRICE:0][TILEGFX:it-spindle]"},
    {72, 90, 333, 9, 0, "[TYPE:tool][NAME:Birch-bark rope][MATERIAL:birch-bark][WEIGHT:400 g][PRICE:1][LENGTH:15][TILEGFX:it-rope]"},
    {73, 90, 333, 9, 5, "[TYPE:tool][NAME:Rope][MATERIAL:cloth][WEIGHT:1][PRICE:1][LENGTH:15][TILEGFX:it-rope]"},
    {74, 90, 327, 9, 0, "[TYPE:tool][NAME:Cord][MATERIAL:cloth][WEIGHT:0.5][PRICE:0.1][LENGTH:15][TILEGFX:it-cord]"},
    {75, 90, 333, 9, 0, "[TYPE:tool][NAME:Leather rope][MATERIAL:leather][WEIGHT:1][PRICE:1.5][LENGTH:15][TILEGFX:it-rope]"},
    {76, 90, 327, 9, 0, "[TYPE:tool][NAME:Leather cord][MATERIAL:leather][WEIGHT:1][PRICE:0.1][LENGTH:15][TILEGFX:it-cord]"},
    {77, 90, 327, 9, 0, "[TYPE:tool][NAME:Cloth cord][MATERIAL:cloth][WEIGHT:0.5][PRICE:0][LENGTH:15][TILEGFX:it-cord]", cloth_cord},
    {80, 0, 230, 0, 0, "[TYPE:tool][NAME:vasta][MATERIAL:wood][WEIGHT:100 g][PRICE:0][TILEGFX:it-vasta]"},
    {81, 91, 0, 7, 0, "[TYPE:tool][NAME:Sauna scoop][MATERIAL:wood][WEIGHT:0.5][PRICE:0.25][TILEGFX:it-scoop]"},
    {83, 0, 0, 0, 0, "[TYPE:valuable][NAME:silver chain bracelet][MATERIAL:silver][WEIGHT:25 g][PRICE:85][TILEGFX:vl-scbrace]"},
    {84, 0, 0, 0, 0, "[TYPE:valuable][NAME:silver bird bracelet][MATERIAL:silver][WEIGHT:16 g][PRICE:65][TILEGFX:vl-sbrace]"},
    {85, 0, 0, 0, 0, "[TYPE:valuable][NAME:silver sun-symbol pendant][MATERIAL:silver][WEIGHT:20 g][PRICE:80][TILEGFX:vl-spensun]"},
    {94, 126, 0, 14, 3, "[TYPE:tool][NAME:Torch][MATERIAL:wood][WEIGHT:1][PRICE:0.06][SPOILAGE_DAYS:150][TILEGFX:it-torch]"},
    // Salt has no picture of its own: the map draws it by its symbol.
    {96, 0, 57, 0, 0, "[TYPE:food][NAME:Salt][WEIGHT:4][PRICE:per 3][SPOILAGE_DAYS:254]"},
    {97, 30, 331, 100, 3, "[TYPE:container][NAME:Pot][MATERIAL:iron][CONT_CAPACITY:6][WEIGHT:3][PRICE:28][TILEGFX:it-pot]"},
    {98, 31, 310, 0, 3, "[TYPE:tool][NAME:Shovel][MATERIAL:iron][WEIGHT:4][PRICE:15][TILEGFX:it-shovel]"},
    {99, 32, 311, 0, 0, "[TYPE:tool][NAME:Wooden shovel][WEIGHT:4][PRICE:1][TILEGFX:it-wdshovel]"},
    {100, 2, 0, 40, 3, "[TYPE:tool][NAME:Skis][MATERIAL:wood][WEIGHT:12][PRICE:5][TILEGFX:it-skis]"},
    // A ski stick has no edge: "-" (200), the value every other weapon and
    // tool without such an attack has.
    {101, 47, 0, 41, 3,
     "[TYPE:tool][NAME:Ski stick][MATERIAL:wood][WEIGHT:3][PRICE:0.1][BLUNT_ATTACK:2][EDGE_ATTACK:-][POINT_ATTACK:1]"
     "[TILEGFX:it-skistick]"},
    {200, 69, 0, 0, 13,
     "[TYPE:weapon][NAME:Roundshield][MATERIAL:wood][WEIGHT:6][PRICE:12][BLUNT_ATTACK:2][EDGE_ATTACK:-]"
     "[POINT_ATTACK:-][AD_CLASS:1/6][SKILL:shield][TILEGFX:wp-rshield]"},
    {201, 69, 0, 0, 12,
     "[TYPE:weapon][NAME:Buckler][WEIGHT:3][PRICE:4][BLUNT_ATTACK:1][EDGE_ATTACK:-][POINT_ATTACK:-][SKILL:shield]"
     "[TILEGFX:wp-buckler]"},
    {202, 4, 601, 10, 0, "[TYPE:tool][NAME:Hunting Horn][WEIGHT:0.5][PRICE:1][TILEGFX:it-horn]"},
    {204, 118, 0, 100, 0, "[TYPE:container][NAME:Skin][MATERIAL:leather][CONT_CAPACITY:5][WEIGHT:0.3][PRICE:2][TILEGFX:it-wtrskin]"},
    {212, 121, 490, 0, 0, "[TYPE:food][NAME:Pike][WEIGHT:3000 g][PRICE:0][SPOILAGE_DAYS:3][CARB:0][FAT:1][PROTEIN:18][TILEGFX:fd-fish]", fish},
    {213, 121, 490, 0, 0, "[TYPE:food][NAME:Roach][WEIGHT:150 g][PRICE:0][SPOILAGE_DAYS:3][CARB:0][FAT:5][PROTEIN:17][TILEGFX:fd-fish]", fish},
    {214, 121, 490, 0, 0, "[TYPE:food][NAME:Perch][WEIGHT:600 g][PRICE:0][SPOILAGE_DAYS:3][CARB:0][FAT:2][PROTEIN:17][TILEGFX:fd-fish]", fish},
    {215, 121, 490, 0, 0, "[TYPE:food][NAME:Bream][WEIGHT:1000 g][PRICE:0][SPOILAGE_DAYS:3][CARB:0][FAT:4][PROTEIN:17][TILEGFX:fd-fish]", fish},
    {216, 121, 490, 0, 0, "[TYPE:food][NAME:Pike-perch][WEIGHT:1600 g][PRICE:0][SPOILAGE_DAYS:3][CARB:0][FAT:0][PROTEIN:16][TILEGFX:fd-fish]", fish},
    {217, 121, 490, 0, 0, "[TYPE:food][NAME:Trout][WEIGHT:3500 g][PRICE:0][SPOILAGE_DAYS:3][CARB:0][FAT:4][PROTEIN:19][TILEGFX:fd-fish]", fish},
    {218, 121, 490, 0, 0, "[TYPE:food][NAME:Salmon][WEIGHT:4000 g][PRICE:0][SPOILAGE_DAYS:3][CARB:0][FAT:9][PROTEIN:12][TILEGFX:fd-fish]", fish},
    {219, 121, 490, 0, 0, "[TYPE:food][NAME:Burbot][WEIGHT:1200 g][PRICE:0][SPOILAGE_DAYS:3][CARB:0][FAT:1][PROTEIN:16][TILEGFX:fd-fish]", fish},
    {220, 121, 490, 0, 0, "[TYPE:food][NAME:Lavaret][WEIGHT:1000 g][PRICE:0][SPOILAGE_DAYS:3][CARB:0][FAT:3][PROTEIN:17][TILEGFX:fd-fish]", fish},
    {221, 47, 249, 2, 5, "[TYPE:tool][NAME:Fishing rod][MATERIAL:wood][WEIGHT:1][PRICE:2][TILEGFX:it-fishrod]", fishing_rod},
    {225, 0, 250, 0, 0, "[TYPE:tool][NAME:wooden fishhook][MATERIAL:wood][WEIGHT:5 g][PRICE:0][TILEGFX:it-wdhook]"},
    {226, 0, 250, 0, 0, "[TYPE:tool][NAME:bone fishhook][MATERIAL:bone][WEIGHT:5 g][PRICE:0.5][TILEGFX:it-bonehook]"},
    {227, 0, 250, 0, 0, "[TYPE:tool][NAME:iron fishhook][MATERIAL:iron][WEIGHT:5 g][PRICE:1][TILEGFX:it-ironhook]"},
    {230, 61, 801, 12, 0, "[TYPE:tool][NAME:Loop snare][MATERIAL:cloth][WEIGHT:15 g][PRICE:0.5][SPOILAGE_DAYS:1][TILEGFX:tr-loop]"},
    {233, 60, 800, 12, 0, "[TYPE:tool][NAME:Paw-board fox trap][MATERIAL:wood][WEIGHT:3][PRICE:1][SPOILAGE_DAYS:4][TILEGFX:tr-pawboard]"},
    {239, 47, 0, 13, 0, "[TYPE:tool][NAME:Paddle][MATERIAL:wood][WEIGHT:3][PRICE:0.5][TILEGFX:it-paddle]", paddle},
    {240, 36, 820, 13, 0, "[TYPE:vehicle][NAME:Punt][MATERIAL:wood][WEIGHT:30][PRICE:12][TILEGFX:it-punt]"},
    {241, 47, 210, 13, 0, "[TYPE:tool][NAME:Sesta][MATERIAL:wood][WEIGHT:3][PRICE:0.02][TILEGFX:it-sesta]"},
    {242, 0, 821, 13, 0, "[TYPE:vehicle][NAME:Raft][MATERIAL:wood][WEIGHT:1200][PRICE:4][TILEGFX:it-raft]"},
    {245, 0, 121, 0, 0,
     "[TYPE:weapon][NAME:Bowstring][MATERIAL:yarn][WEIGHT:10 g][PRICE:1][BLUNT_ATTACK:0][EDGE_ATTACK:0][POINT_ATTACK:0]"
     "[TILEGFX:it-cord]"},
    {249, 70, 0, 0, 0,
     "[TYPE:weapon][NAME:Stone knife][MATERIAL:rock][WEIGHT:300 g][PRICE:0][BLUNT_ATTACK:-][EDGE_ATTACK:1]"
     "[POINT_ATTACK:1][AD_CLASS:1/0][SKILL:knife][TILEGFX:wp-stnknife]"},
};

// The knives, defined after the weapon table's rows of their slots.
const Definition kKnives[] = {
    {250, 70, 0, 0, 10,
     "[TYPE:weapon][NAME:Knife][MATERIAL:iron][WEIGHT:130 g][PRICE:6][BLUNT_ATTACK:0][EDGE_ATTACK:1][POINT_ATTACK:3]"
     "[SKILL:knife][TILEGFX:wp-knife]"},
    {251, 70, 0, 0, 10,
     "[TYPE:weapon][NAME:Knife][MATERIAL:iron][WEIGHT:130 g][PRICE:6][BLUNT_ATTACK:0][EDGE_ATTACK:1][POINT_ATTACK:3]"
     "[SKILL:knife][TILEGFX:wp-knife]"},
    {252, 70, 0, 0, 10,
     "[TYPE:weapon][NAME:Knife][MATERIAL:iron][WEIGHT:130 g][PRICE:6][BLUNT_ATTACK:0][EDGE_ATTACK:1][POINT_ATTACK:3]"
     "[SKILL:knife][TILEGFX:wp-knife]"},
    {253, 70, 150, 0, 0,
     "[TYPE:weapon][NAME:Small knife][MATERIAL:iron][WEIGHT:110 g][PRICE:3][BLUNT_ATTACK:0][EDGE_ATTACK:1]"
     "[POINT_ATTACK:2][SKILL:knife][TILEGFX:wp-sknife]"},
    {254, 70, 151, 0, 0,
     "[TYPE:weapon][NAME:Broad knife][MATERIAL:iron][WEIGHT:140 g][PRICE:17][BLUNT_ATTACK:1][EDGE_ATTACK:2]"
     "[POINT_ATTACK:4][AD_CLASS:1/0][SKILL:knife][TILEGFX:wp-bknife]"},
    {255, 70, 152, 0, 0,
     "[TYPE:weapon][NAME:Hunting knife][MATERIAL:iron][WEIGHT:160 g][PRICE:20][BLUNT_ATTACK:2][EDGE_ATTACK:2]"
     "[POINT_ATTACK:5][AD_CLASS:1/0][SKILL:knife][TILEGFX:wp-hknife]"},
    {256, 70, 155, 0, 0,
     "[TYPE:weapon][NAME:Fisher's knife][MATERIAL:iron][WEIGHT:130 g][PRICE:15][BLUNT_ATTACK:1][EDGE_ATTACK:2]"
     "[POINT_ATTACK:4][AD_CLASS:1/0][SKILL:knife][TILEGFX:wp-fknife]"},
    {257, 70, 154, 0, 0,
     "[TYPE:weapon][NAME:Kaumolais knife][MATERIAL:iron][WEIGHT:160 g][PRICE:25][BLUNT_ATTACK:2][EDGE_ATTACK:2]"
     "[POINT_ATTACK:5][AD_CLASS:1/1][SKILL:knife][TILEGFX:wp-kknife]"},
    {258, 70, 153, 0, 0,
     "[TYPE:weapon][NAME:Northern knife][MATERIAL:iron][WEIGHT:180 g][PRICE:40][BLUNT_ATTACK:2][EDGE_ATTACK:2]"
     "[POINT_ATTACK:5][AD_CLASS:1/1][SKILL:knife][TILEGFX:wp-nknife]"},
    {259, 70, 0, 0, 0,
     "[TYPE:weapon][NAME:Skramasaksi][MATERIAL:iron][WEIGHT:1.2][PRICE:43][BLUNT_ATTACK:2][EDGE_ATTACK:3]"
     "[POINT_ATTACK:4][AD_CLASS:2/1][SKILL:knife][TILEGFX:wp-skrama]"},
};

// What follows the weapon table: the battleaxe and the net in their slots
// of it, the arrows, the axes of the crafting requirements, stone and
// timber.
const Definition kLaterDefinitions[] = {
    {278, 124, 0, 0, 10,
     "[TYPE:weapon][NAME:Battleaxe][MATERIAL:iron][WEIGHT:3.5][PRICE:80][BLUNT_ATTACK:5][EDGE_ATTACK:9]"
     "[POINT_ATTACK:-][AD_CLASS:4/2][SKILL:axe][1H_PENALTY:15][TILEGFX:wp-bataxe]"},
    {294, 35, 0, 1, 9, "[TYPE:tool][NAME:Net][WEIGHT:4][PRICE:18][SKILL:net][TILEGFX:it-net]"},
    {311, 147, 0, 6, 9,
     "[TYPE:weapon][NAME:Blunt arrow][WEIGHT:200 g][PRICE:0.5][BLUNT_ATTACK:6][EDGE_ATTACK:0][POINT_ATTACK:0]"
     "[SKILL:bow][TILEGFX:wp-blarrow]"},
    {312, 147, 0, 6, 9,
     "[TYPE:weapon][NAME:Broadhead arrow][WEIGHT:80 g][PRICE:1.8][BLUNT_ATTACK:0][EDGE_ATTACK:6][POINT_ATTACK:0]"
     "[SKILL:bow][TILEGFX:wp-bharrow]"},
    {315, 124, 100, 0, 10,
     "[TYPE:weapon][MATERIAL:iron][WEIGHT:5.5][PRICE:30][BLUNT_ATTACK:5][EDGE_ATTACK:6][POINT_ATTACK:-]"
     "[AD_CLASS:1/1][SKILL:axe][TILEGFX:wp-broaxe]",
     requirement_axe},
    {316, 127, 101, 0, 10,
     "[TYPE:weapon][MATERIAL:iron][WEIGHT:4.5][PRICE:18][BLUNT_ATTACK:3][EDGE_ATTACK:3][POINT_ATTACK:4]"
     "[AD_CLASS:2/1][SKILL:axe][TILEGFX:wp-caraxe]",
     requirement_axe},
    {317, 3, 104, 0, 10,
     "[TYPE:weapon][MATERIAL:iron][WEIGHT:6][PRICE:25][BLUNT_ATTACK:5][EDGE_ATTACK:5][POINT_ATTACK:-]"
     "[AD_CLASS:2/1][SKILL:axe][1H_PENALTY:15][TILEGFX:wp-spliaxe]",
     requirement_axe},
    {318, 38, 102, 0, 10,
     "[TYPE:weapon][MATERIAL:iron][WEIGHT:6][PRICE:20][BLUNT_ATTACK:4][EDGE_ATTACK:7][POINT_ATTACK:-]"
     "[AD_CLASS:2/1][SKILL:axe][1H_PENALTY:25][TILEGFX:wp-woodaxe]",
     requirement_axe},
    {329, 49, 300, 0, 5,
     "[TYPE:weapon][NAME:Stone][MATERIAL:rock][WEIGHT:14][PRICE:0][BLUNT_ATTACK:1][EDGE_ATTACK:-][POINT_ATTACK:-]"
     "[SKILL:club][TILEGFX:stone]"},
    {330, 50, 0, 0, 5,
     "[TYPE:weapon][NAME:Rock][MATERIAL:rock][WEIGHT:1][PRICE:0][BLUNT_ATTACK:1][EDGE_ATTACK:-][POINT_ATTACK:-]"
     "[SKILL:club][TILEGFX:rock]"},
    {331, 48, 403, 0, 0, "[TYPE:timber][NAME:Board][MATERIAL:wood][WEIGHT:20][PRICE:1][TILEGFX:it-board]", board},
    {340, 0, 204, 0, 0, "[TYPE:timber][NAME:Birch twig][MATERIAL:wood][WEIGHT:10 g][PRICE:0][TILEGFX:it-birtwig]"},
    {345, 0, 328, 0, 0, "[TYPE:tool][NAME:Birch withe][MATERIAL:wood][WEIGHT:0.5][PRICE:0][LENGTH:4][TILEGFX:it-birwithe]"},
    {346, 0, 328, 0, 0, "[TYPE:tool][NAME:Spruce withe][MATERIAL:wood][WEIGHT:0.5][PRICE:0][LENGTH:4][TILEGFX:it-sprwithe]"},
    {347, 92, 0, 0, 5, "[TYPE:timber][NAME:Firewood][MATERIAL:wood][WEIGHT:1.5][PRICE:0.01][TILEGFX:it-firewood]"},
    {348, 43, 0, 21, 0, "[TYPE:timber][NAME:Log][MATERIAL:wood][WEIGHT:400][PRICE:1][TILEGFX:log]"},
    {349, 44, 0, 22, 0, "[TYPE:timber][NAME:Block of wood][MATERIAL:wood][WEIGHT:40][PRICE:0][TILEGFX:wdblk]"},
    {350, 45, 0, 0, 0, "[TYPE:timber][NAME:Branch][MATERIAL:wood][WEIGHT:0.3][PRICE:0][TILEGFX:it-branch]"},
    {351, 53, 0, 0, 0, "[TYPE:timber][NAME:Slender tree trunk][MATERIAL:wood][WEIGHT:50][PRICE:0][TILEGFX:sltrunk]"},
    {353, 41, 0, 20, 0, "[TYPE:timber][NAME:Tree trunk][MATERIAL:wood][WEIGHT:500][PRICE:0][TILEGFX:trunk]"},
    {354, 47, 404, 0, 0, "[TYPE:timber][NAME:Wooden stake][MATERIAL:wood][WEIGHT:2.2][PRICE:0][TILEGFX:it-wdstake]"},
    {355, 45, 202, 0, 0, "[TYPE:timber][NAME:Spruce twig][MATERIAL:wood][WEIGHT:0.4][PRICE:0][TILEGFX:it-sprtwig]"},
    {356, 149, 103, 0, 0,
     "[TYPE:weapon][NAME:Stone-axe][MATERIAL:rock][WEIGHT:4][PRICE:0.1][BLUNT_ATTACK:5][EDGE_ATTACK:2]"
     "[POINT_ATTACK:-][AD_CLASS:1/1][SKILL:axe][TILEGFX:wp-stnaxe]"},
};

void define(const Definition& d) {
    obj_clear_staging();
    current_object.symbol = d.symbol;
    current_object.kind = d.kind;
    current_object.subclass = d.subclass;
    current_object.rating = d.rating;
    apply_tags(d.tags, current_object);
    if (d.finish) d.finish(current_object);
    store(d.slot);
}

// ------------------------------------------------------------ the jewellery

void define_jewellery() {
    struct Made {
        int slot;
        ObjectRecord& (*make)(ObjectRecord&);
    };
    const Made made[] = {
        {11, [](ObjectRecord& r) -> ObjectRecord& { return make_pendant_item("bear", 45, r); }},
        {13, [](ObjectRecord& r) -> ObjectRecord& { return make_pendant_item("ball", 30, r); }},
        {14, [](ObjectRecord& r) -> ObjectRecord& { return make_brooch_item(nullptr, r); }},
        {15, [](ObjectRecord& r) -> ObjectRecord& { return make_brooch_item("[small]", r); }},
        {17, [](ObjectRecord& r) -> ObjectRecord& { return make_comb_item("horse-ornamented", 48, r); }},
        {18, [](ObjectRecord& r) -> ObjectRecord& { return make_comb_item("flower-ornamented", 40, r); }},
    };
    for (const Made& m : made) {
        ObjectRecord record;
        m.make(record);
        current_object = record;
        store(m.slot);
    }
}

// ------------------------------------------------------------ clothing and armour

struct Garment {
    int slot;
    const char* name;
    const char* weight;  // as the WEIGHT tag takes it
    const char* price;
    uint8_t coverage[3];
    const char* material;  // the ARMOUR_MATERIAL word, also given as MATERIAL
    uint8_t symbol;
    const char* tile;
};

// Linen and nettle have the default protection and no material bit; the
// lamellar pieces have their own protection and no material bit either.
const Garment kGarments[] = {
    {119, "Bandage", "1", "0", {0, 0, 0}, "cloth", 97, "it-bandage"},
    {120, "Linen undershirt", "3", "14", {240, 62, 0}, "linen", 81, "ar-lngshirt"},
    {121, "Woollen undershirt", "5", "15", {240, 62, 0}, "wool", 81, "ar-lngwoshi"},
    {122, "Linen undergarment", "4", "18", {240, 254, 0}, "linen", 81, "ar-ungarm"},
    {123, "Woollen undergarment", "7", "20", {240, 254, 0}, "wool", 81, "ar-woungarm"},
    {124, "Linen shirt", "2.5", "10", {48, 30, 0}, "linen", 81, "ar-shoshirt"},
    {125, "Nettle shirt", "2.5", "9", {48, 30, 0}, "nettle", 81, "ar-shoshirt"},
    {126, "Woollen shirt", "4", "11", {48, 30, 0}, "wool", 81, "ar-woshirt"},
    {127, "Linen tunic", "2.8", "12", {48, 62, 0}, "linen", 81, "ar-tunic"},
    {128, "Nettle tunic", "2.8", "11", {48, 62, 0}, "nettle", 81, "ar-tunic"},
    {129, "Woollen tunic", "4.6", "13", {48, 62, 0}, "wool", 81, "ar-wotunic"},
    {130, "Woollen overcoat", "6.3", "17", {240, 126, 0}, "wool", 81, "ar-wlnocoat"},
    {131, "Woollen dress", "6", "18", {16, 254, 0}, "wool", 81, "ar-wodress"},
    {132, "Linen dress", "3.5", "16", {16, 254, 0}, "linen", 81, "ar-dress"},
    {133, "Linen trousers", "3", "15", {0, 248, 0}, "linen", 103, "ar-trousers"},
    {134, "Nettle trousers", "3", "14", {0, 248, 0}, "nettle", 103, "ar-trousers"},
    {135, "Woollen trousers", "5.5", "16", {0, 248, 0}, "wool", 103, "ar-wotrous"},
    {136, "Woollen leggings", "3.5", "12", {0, 248, 0}, "wool", 103, "ar-woollegg"},
    {137, "Nettle apron", "2", "8", {0, 120, 0}, "nettle", 83, "ar-apron"},
    {138, "Linen apron", "2", "9", {0, 120, 0}, "linen", 83, "ar-apron"},
    {139, "Woollen apron", "3.5", "10", {0, 120, 0}, "wool", 83, "ar-woapron"},
    {140, "Linen footrags", "0.2", "1", {0, 0, 1}, "linen", 83, "ar-footrags"},
    {141, "Woollen socks", "0.2", "2", {0, 0, 1}, "wool", 83, "ar-woolsock"},
    {142, "Woollen footrags", "0.2", "1", {0, 0, 1}, "wool", 83, "ar-footrags"},
    {143, "Linen veil", "0.3", "2", {9, 0, 0}, "linen", 82, "ar-veil"},
    {144, "Woollen veil", "0.3", "2", {9, 0, 0}, "wool", 82, "ar-woolveil"},
    {145, "Linen cowl", "1", "2", {9, 0, 0}, "linen", 82, "ar-cowl"},
    {146, "Woollen cowl", "1", "2", {9, 0, 0}, "wool", 82, "ar-cowl"},
    {147, "Nettle cowl", "1", "2", {9, 0, 0}, "nettle", 82, "ar-cowl"},
    {148, "Nettle cloak", "2.8", "6", {16, 126, 0}, "nettle", 80, "ar-cloak"},
    {149, "Woollen cloak", "5.5", "10", {16, 126, 0}, "wool", 80, "ar-wocloak"},
    {150, "Woollen mittens", "0.2", "2", {0, 1, 0}, "wool", 84, "ar-woolmit"},
    {151, "Leather cap", "70 g", "2", {1, 0, 0}, "leather", 82, "ar-cap"},
    {152, "Leather belt", "150 g", "2", {0, 24, 0}, "leather", 90, "ar-leabelt"},
    {153, "Leather shirt", "6", "15", {48, 30, 0}, "leather", 81, "ar-lshoshi"},
    {154, "Leather leggings", "6.3", "12", {0, 248, 0}, "leather", 103, "ar-lealegg"},
    {155, "Leather shoes", "2", "5", {0, 0, 1}, "leather", 83, "ar-leashoes"},
    {156, "Leather boots", "3.2", "7", {0, 128, 1}, "leather", 83, "ar-leaboots"},
    {157, "Fur cap", "1", "3", {1, 0, 0}, "fur", 82, "ar-furcap"},
    {158, "Fur shirt", "7", "20", {240, 30, 0}, "fur", 81, "ar-furshirt"},
    {159, "Fur mittens", "1", "3", {128, 1, 0}, "fur", 84, "ar-mittens"},
    {160, "Fur leggings", "7.42", "13", {0, 248, 0}, "fur", 103, "ar-furlegg"},
    {161, "Fur hood", "1.0769", "4", {13, 0, 0}, "fur", 84, "ar-furhood"},
    {162, "Fur footwear", "2.8", "12", {0, 128, 1}, "fur", 103, "ar-furboots"},
    {163, "Fur cloak", "11.5", "30", {16, 126, 0}, "fur", 80, "ar-furcloak"},
    {164, "Birch-bark necklace", "20 g", "1", {8, 0, 0}, "bark", 82, "ar-bbneckl"},
    {165, "Birch-bark shoes", "60 g", "1", {0, 0, 1}, "bark", 83, "ar-bbshoes"},
    {166, "Birch-bark cap", "70 g", "1", {1, 0, 0}, "bark", 82, "ar-bbcap"},
    {167, "Leather shin guards", "3", "6", {0, 128, 0}, "leather", 83, "ar-leashgu"},
    {168, "Leather forearm guards", "1.5", "3", {128, 0, 0}, "leather", 96, "ar-leafagu"},
    {169, "Leather cuirass", "4.5", "10", {0, 6, 0}, "leather", 81, "ar-leacui"},
    {170, "Fur overcoat", "13.5", "38", {240, 126, 0}, "fur", 81, "ar-furocoat"},
    {171, "Fur overcoat", "13.5", "38", {240, 126, 0}, "fur", 81, "ar-furocoat"},
    {172, "Fur overcoat", "13.5", "38", {240, 126, 0}, "fur", 81, "ar-furocoat"},
    {173, "Fur overcoat", "13.5", "38", {240, 126, 0}, "fur", 81, "ar-furocoat"},
    {174, "Fur overcoat", "13.5", "38", {240, 126, 0}, "fur", 81, "ar-furocoat"},
    {175, "Mail Cowl", "3", "45", {9, 0, 0}, "mail", 99, "ar-mailcwl"},
    {176, "Long Mail Cowl", "5", "70", {25, 0, 0}, "mail", 99, "ar-lmailcwl"},
    {177, "Mail Habergeon", "22", "322", {48, 30, 0}, "mail", 81, "ar-mailhabe"},
    {178, "Mail Hauberk", "25", "425", {16, 62, 0}, "mail", 86, "ar-mailhaub"},
    {179, "Long Mail Hauberk", "30", "450", {48, 126, 0}, "mail", 86, "ar-lmailhau"},
    {180, "Mail Leggings", "23", "345", {0, 248, 0}, "mail", 103, "ar-maillegg"},
    {181, "Mail mittens", "3", "40", {0, 1, 0}, "mail", 84, "ar-mailmit"},
    {182, "Iron helm", "3", "50", {1, 0, 0}, "iron", 100, "ar-helm"},
    {183, "Iron spectacle helm", "3.5", "65", {5, 0, 0}, "iron", 101, "ar-sphelm"},
    {184, "Lamellar hauberk", "35", "380", {16, 62, 0}, "lamellar", 85, "ar-lamhaub"},
    {185, "Lamellar cuirass", "15", "250", {0, 6, 0}, "lamellar", 85, "ar-lamcui"},
    {186, "Lamellar rerebraces", "5", "75", {32, 0, 0}, "lamellar", 96, "ar-lamrere"},
    {187, "Iron coudes", "2", "25", {64, 0, 0}, "iron", 96, "ar-coudes"},
    {188, "Lamellar forearm guards", "4", "63", {128, 0, 0}, "lamellar", 96, "ar-lamfagu"},
    {189, "Iron Kneecops", "2", "37", {0, 64, 0}, "iron", 83, "ar-kneecops"},
    {190, "Lamellar shin guards", "9", "150", {0, 128, 0}, "lamellar", 83, "ar-lamshgu"},
};

void define_garment(const Garment& g) {
    obj_clear_staging();
    current_object.symbol = g.symbol;
    apply_item_tag("[TYPE:armour]", current_object);
    apply_tag_with_text("NAME", g.name, current_object);
    apply_tag_with_text("MATERIAL", g.material, current_object);
    apply_tag_with_text("ARMOUR_MATERIAL", g.material, current_object);
    apply_tag_with_text("WEIGHT", g.weight, current_object);
    apply_tag_with_text("PRICE", g.price, current_object);
    apply_tag_with_text("TILEGFX", g.tile, current_object);
    std::memcpy(current_object.coverage, g.coverage, sizeof g.coverage);
    store(g.slot);
}

// ------------------------------------------------------------ the weapon table

// One row: slot 250 + its number. The three small numbers are the attack
// and defence classes and the one-hand penalty, or for bows the draw.
struct WeaponRow {
    int slot;
    const char* name;
    uint8_t pounds;
    uint8_t blunt, edge, point;  // 200: no such attack
    float price;                 // as the PRICE tag takes it
    uint8_t numbers[3];
};

// Rows not listed are empty and define nothing; the knives' rows (250 to
// 259), the battleaxe's and the net's are defined anew after the table.
const WeaponRow kWeaponRows[] = {
    {261, "Shortsword", 2, 2, 4, 4, 75, {2, 1, 0}},
    {262, "Scimitar", 2, 2, 5, 0, 60, {2, 2, 0}},
    {263, "Broadsword", 3, 3, 5, 3, 115, {3, 2, 0}},
    {265, "Rororad scimitar", 3, 3, 5, 0, 80, {3, 2, 0}},
    {267, "Bastard Sword", 5, 4, 6, 4, 150, {4, 2, 10}},
    {268, "Battlesword", 8, 5, 8, 4, 175, {5, 2, 30}},
    {269, "Club", 3, 3, 200, 200, 0.25f, {2, 1, 0}},
    {270, "Mace", 4, 5, 200, 200, 50, {3, 1, 0}},
    {272, "Maul", 7, 5, 200, 200, 3, {4, 1, 30}},
    {273, "Sickle", 1, 1, 4, 3, 17, {1, 1, 0}},
    {274, "Throwing axe", 2, 3, 5, 200, 25, {1, 1, 0}},
    {275, "Handaxe", 3, 3, 6, 5, 14, {1, 1, 0}},
    {276, "Handaxe", 3, 4, 6, 4, 14, {1, 1, 0}},
    {279, "Small flail", 1, 2, 200, 200, 1, {3, 1, 0}},
    {280, "Grainflail", 2, 6, 200, 200, 2, {3, 2, 30}},
    {283, "Javelin", 3, 2, 200, 6, 0.25f, {3, 1, 0}},
    {284, "Staff", 4, 3, 200, 200, 0.25f, {4, 3, 20}},
    {285, "Spear", 5, 4, 200, 7, 43, {4, 2, 20}},
    {286, "Kaumolais spear", 7, 4, 4, 8, 50, {5, 2, 30}},
    {287, "Trident", 6, 4, 200, 5, 20, {4, 3, 10}},
    {288, "Small trident", 5, 3, 200, 4, 15, {3, 1, 0}},
    {289, "Wide trident", 8, 4, 200, 6, 25, {4, 2, 20}},
    {290, "Hard staff", 5, 4, 200, 200, 2, {4, 3, 25}},
    {291, "Northern spear", 7, 4, 200, 8, 45, {3, 2, 10}},
    {292, "Ango", 8, 3, 200, 8, 60, {5, 1, 35}},
    {295, "Shortbow", 2, 200, 200, 6, 5, {45, 0, 0}},
    {296, "Longbow", 4, 200, 200, 8, 10, {70, 0, 0}},
    {297, "Crossbow", 6, 200, 200, 8, 40, {80, 0, 25}},
    {298, "Heavy Crossbow", 10, 200, 200, 9, 50, {90, 0, 30}},
    // No picture of its own: the map draws it by its symbol.
    {299, "Spruce quick-bow", 2, 200, 200, 6, 0, {35, 0, 0}},
    {300, "Northern bow", 3, 200, 200, 8, 22, {80, 0, 0}},
    {301, "Hunting bow", 4, 200, 200, 7, 18, {60, 0, 0}},
};

// A tile chosen by the words of a name: every word found overrides the
// pictures of the words before it.
struct TileWord {
    const char* word;
    const char* tile;
};

void tile_by_words(const char* text, const TileWord* words, size_t count, ObjectRecord& r) {
    for (size_t i = 0; i < count; ++i)
        if (std::strstr(text, words[i].word) != nullptr) apply_tag_with_text("TILEGFX", words[i].tile, r);
}

template <size_t N>
void tile_by_words(const char* text, const TileWord (&words)[N], ObjectRecord& r) {
    tile_by_words(text, words, N, r);
}

const TileWord kSwordTiles[] = {
    {"", "wp-sword"}, {"Bastard", "wp-bstsword"}, {"Battle", "wp-batsword"},
    {"Shortsw", "wp-shsword"}, {"cimitar", "wp-scimitar"},
};
const TileWord kAxeTilesUpper[] = {{"THROWING", "wp-handaxe"}, {"SICKLE", "wp-sickle"}};
const TileWord kAxeTiles[] = {{"Handaxe", "wp-handaxe"}, {"Woodsman", "wp-woodaxe"}};
const TileWord kFlailTiles[] = {{"", "wp-flail"}, {"mall ", "wp-sflail"}};
// Later words win: the two special tridents over the plain one.
const TileWord kSpearTilesUpper[] = {
    {"JAVELIN", "wp-javelin"}, {"STAFF", "wp-staff"},         {"HARD STAFF", "wp-hrdstaff"},
    {"SPEAR", "wp-spear"},     {"ANGO", "wp-ango"},           {"KAUMOLAIS", "wp-kauspear"},
    {"NORTHERN", "wp-norspear"}, {"TRID", "wp-trident"},      {"SMALL TRID", "wp-smatrid"},
    {"WIDE TRID", "wp-widetrid"},
};
const TileWord kBowTiles[] = {
    {"orthern", "wp-northbow"}, {"unting", "wp-huntbow"},  {"ongbow", "wp-longbow"},
    {"niper", "wp-junipbow"},   {"hortbow", "wp-shortbow"}, {"ross", "wp-crossbow"},
};

// Melee groups: attack and defence classes and the one-hand penalty.
void melee_classes(const WeaponRow& w, ObjectRecord& r) {
    r.ad_class = uint8_t((w.numbers[0] & 0x0f) + 16 * w.numbers[1]);
    r.coverage[0] = w.numbers[2];
}

void define_weapon_row(const WeaponRow& w) {
    obj_clear_staging();
    ObjectRecord& r = current_object;
    r.item_class = ITEM_WEAPON;
    apply_tag_with_text("NAME", w.name, r);
    r.weight = float(w.pounds);
    r.blunt = w.blunt;
    r.edge = w.edge;
    r.point = w.point;
    r.price = w.price * 8;
    char upper[sizeof r.name + 1];
    copy_text(upper, upper_case_copy(w.name));
    const int s = w.slot;
    if (s >= 260 && s <= 268) {
        apply_item_tag("[SKILL:SWORD]", r);
        r.symbol = 125;
        r.rating = 10;
        apply_item_tag("[MATERIAL:iron]", r);
        melee_classes(w, r);
        tile_by_words(w.name, kSwordTiles, r);
    } else if (s >= 269 && s <= 272) {
        apply_item_tag("[SKILL:CLUB]", r);
        r.symbol = 126;
        r.rating = 10;
        melee_classes(w, r);
        apply_item_tag("[TILEGFX:wp-club]", r);
    } else if (s >= 273 && s <= 278) {
        apply_item_tag("[SKILL:AXE]", r);
        r.symbol = 149;
        r.rating = 10;
        melee_classes(w, r);
        apply_item_tag("[MATERIAL:iron]", r);
        if (std::strstr(upper, "THROWING")) r.coverage[2] = 3;
        if (std::strstr(upper, "SICKLE")) r.kind = 141;
        if (std::strstr(w.name, "Handaxe")) r.kind = 105;
        tile_by_words(upper, kAxeTilesUpper, r);
        tile_by_words(w.name, kAxeTiles, r);
    } else if (s >= 279 && s <= 282) {
        apply_item_tag("[SKILL:FLAIL]", r);
        r.symbol = 94;
        r.rating = 10;
        melee_classes(w, r);
        r.kind = 140;
        apply_item_tag("[MATERIAL:wood]", r);
        tile_by_words(w.name, kFlailTiles, r);
    } else if (s >= 283 && s <= 293) {
        apply_item_tag("[SKILL:SPEAR]", r);
        r.symbol = 95;
        r.rating = 10;
        melee_classes(w, r);
        r.subclass = 2;
        if (std::strstr(w.name, "Northern spear")) r.kind = 700;
        if (std::strstr(upper, "JAVELIN")) r.coverage[2] = 1;
        if (std::strstr(upper, "STAFF")) r.coverage[2] = 4;
        tile_by_words(upper, kSpearTilesUpper, r);
    } else if (s >= 295 && s <= 301) {
        apply_item_tag(std::strstr(w.name, "ross") ? "[SKILL:CROSSBOW]" : "[SKILL:BOW]", r);
        r.symbol = 146;
        r.rating = 9;
        r.subclass = 5;
        r.kind = 120;
        r.ad_class = 0;
        r.coverage[2] = w.numbers[0];  // the bow's draw
        tile_by_words(w.name, kBowTiles, r);
    }
    store(s);
}

// The plain arrow stands in nine slots.
void define_arrows() {
    for (int slot = 302; slot <= 310; ++slot) {
        define({slot, 147, 0, 6, 9,
                "[TYPE:weapon][NAME:Arrow][WEIGHT:0.1][PRICE:1][BLUNT_ATTACK:0][EDGE_ATTACK:0][POINT_ATTACK:8]"
                "[SKILL:bow][TILEGFX:wp-arrow]"});
    }
}

// ------------------------------------------------------------ the existing file

// The first 400 records of the character's "CONSTANT.OBJ", when it has one
// that its save does not disown; a longer file's further records are read
// and ignored.
void keep_existing_types() {
    // Far larger than any item-type file: such a file is not one.
    constexpr size_t kLargestRead = 16u << 20;
    std::vector<uint8_t> bytes;
    const FileVerdict v = read_character_file("CONSTANT.OBJ", bytes, kLargestRead);
    if (v == FileVerdict::Missing) return;
    if (v == FileVerdict::Damaged) {
        debug_log("objtable!", "CONSTANT.OBJ before the catalogue: damaged, not used");
        return;
    }
    const size_t records = std::min(bytes.size() / sizeof(ObjectRecord), size_t(ITEM_TYPE_COUNT));
    for (size_t i = 0; i < records; ++i) {
        std::memcpy(&ItemTypes[i], bytes.data() + i * sizeof(ObjectRecord), sizeof(ObjectRecord));
        obj_clear_reserved(ItemTypes[i]);
    }
}

}  // namespace

void build_item_catalogue() {
    obj_clear_staging();
    for (ObjectRecord& t : ItemTypes) t = current_object;
    keep_existing_types();
    armourdump("original constant.obj");

    define_jewellery();
    for (const Definition& d : kDefinitions) define(d);
    for (const Garment& g : kGarments) define_garment(g);
    for (const WeaponRow& w : kWeaponRows) define_weapon_row(w);
    for (const Definition& d : kKnives) define(d);
    define_arrows();
    for (const Definition& d : kLaterDefinitions) define(d);
    // Record 0 is never looked up by id; searches that walk from index 0
    // meet a real item there.
    ItemTypes[0] = ItemTypes[11];

    armourdump("in-game redone constant.obj");
}
