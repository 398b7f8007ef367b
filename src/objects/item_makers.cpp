// Items made whole at run time, packed goods and two lookups of item types.
#include "objects/item_makers.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "base/files.h"
#include "base/platform.h"
#include "base/stubs.h"
#include "base/text_ring.h"
#include "creatures/creature_errands.h"
#include "objects/item_tags.h"
#include "work/crafting_services.h"

namespace {

// A text field: zero-filled, then the text, cut to leave its terminator
// (names keep 39 characters, skills 26, tiles 12).
template <size_t N>
void put_text(char (&field)[N], const char* text) {
    std::memset(field, 0, N);
    copy_text(field, N, text ? text : "");
}

// The same cut to `limit` characters first.
template <size_t N>
void put_text_cut(char (&field)[N], const char* text, size_t limit) {
    char cut[N];
    copy_text(cut, limit + 1 < N ? limit + 1 : N, text ? text : "");
    put_text(field, cut);
}

void tag(ObjectRecord& r, const char* text) { apply_item_tag(text, r); }

void set_weight(ObjectRecord& r, double pounds) {
    r.weight = float(pounds);
    r.full_weight = float(pounds);
}

double grams(int g) { return g / 453.0; }

bool has_text(const char* text) { return text != nullptr && text[0] != 0; }

// A creature's name field as text, cut to `limit` characters.
template <size_t N>
void creature_name(const CreatureRecord& c, char (&out)[N], size_t limit) {
    char whole[sizeof c.name + 1];
    copy_field(whole, sizeof whole, c.name, sizeof c.name);
    copy_text(out, limit + 1 < N ? limit + 1 : N, whole);
}

// A plant's product name: the field that holds a tool's skill.
void product_name(const ObjectRecord& plant, char (&out)[sizeof(ObjectRecord::skill) + 1]) {
    copy_field(out, sizeof out, plant.skill, sizeof plant.skill);
}

// Yarn and bark strips are made 1 to 255 feet long; 0 when nothing is to
// be made.
int bounded_feet(int feet) {
    if (feet <= 0) return 0;
    return feet > 255 ? 255 : feet;
}

// A new container instance of kind k holding the goods: the put-in's
// result, the filled record (the goods linked to the container), 0 when
// nothing could be stored.
int pack_into_new(int container_kind, ObjectRecord& goods, bool fill_to_capacity, float pounds) {
    ObjectRecord container;
    obj_template_by_kind(container_kind, container);
    if (container.item_class == 0) return 0;
    if (fill_to_capacity) {
        const float capacity = container.full_weight;
        goods.full_weight = capacity;
        goods.weight = (pounds <= 0 || pounds > capacity) ? capacity : pounds;
    }
    // The container is new: an identical stored one may lie elsewhere or be
    // carried by somebody, and filling it would fill theirs too.
    const int container_id = obj_store_new(container);
    if (container_id == 0) return 0;
    // The goods go in through a record of their own that is let go after.
    const int goods_id = obj_store_new(goods);
    const int filled = goods_id != 0 ? Sailioi(goods_id, container_id, 0, 1) : 0;
    ObjectRecord cleared;
    obj_clear_record(cleared);
    if (goods_id != 0 && goods_id != filled) obj_write_record(goods_id, cleared);
    if (filled == 0) obj_write_record(container_id, cleared);
    return filled;
}

}  // namespace

// ------------------------------------------------------------ special items

ObjectRecord& make_herb_item(const char* name, ObjectRecord& out) {
    obj_clear_record(out);
    out.item_class = ITEM_FOOD;
    out.kind = 436;
    put_text(out.skill, name);
    put_text(out.tile, "flo-defherb");
    out.symbol = 134;
    out.unit = 3;  // a bunch
    set_weight(out, grams(200 + random_below(100)));
    put_text(out.name, name);
    out.spoilage_days = 254;
    out.effect_raw |= 0x400000;
    // Carbohydrate, fat and protein.
    out.blunt = 10;
    out.edge = 10;
    out.point = 10;
    out.unit_price = 40;  // 5 a pound
    out.coverage[2] = 0;
    return out;
}

ObjectRecord& make_hare_paw_item(const char* name, ObjectRecord& out) {
    obj_clear_record(out);
    out.item_class = ITEM_TOOL;
    put_text(out.tile, "it-harefoot");
    out.symbol = 134;
    set_weight(out, grams(25));
    put_text(out.name, has_text(name) ? name : "Hare's paw");
    tag(out, "[MATERIAL:fur]");
    out.spoilage_days = 254;
    out.blunt = 0;
    out.point = 0;
    out.length = uint8_t(8 + random_below(10));
    out.price = 0;
    out.coverage[2] = 0;
    out.MAGIC = MAGIC_HARE_PAW;
    return out;
}

ObjectRecord& make_wedge_item(ObjectRecord& out) {
    obj_clear_record(out);
    out.symbol = 70;
    for (const char* t : {"[TYPE:weapon]", "[MATERIAL:rock]", "[NAME:Wedge of Ukko]", "[PRICE:50]",
                          "[TILEGFX:wp-wedgeou]", "[WEIGHT:350 g]", "[EDGE_ATTACK:2]", "[BLUNT_ATTACK:-]",
                          "[POINT_ATTACK:2]", "[AD_CLASS:1/0]", "[SKILL:knife]"})
        tag(out, t);
    out.MAGIC = MAGIC_WEDGE_OF_UKKO;
    return out;
}

ObjectRecord& make_garment_strip_item(const char* name, ObjectRecord& out) {
    obj_clear_record(out);
    out.symbol = 97;
    for (const char* t : {"[TYPE:armour]", "[MATERIAL:cloth]", "[NAME:Strip of garment]", "[PRICE:0]",
                          "[TILEGFX:it-bandage]", "[WEIGHT:30 g]", "[ARMOUR_MATERIAL:cloth]",
                          "[ARMOUR_COVERAGE:hip]"})
        tag(out, t);
    if (has_text(name)) put_text(out.name, name);
    out.MAGIC = MAGIC_GARMENT_STRIP;
    return out;
}

ObjectRecord& make_brooch_item(const char* flags, ObjectRecord& out) {
    obj_clear_record(out);
    for (const char* t : {"[NAME:bronze brooch]", "[TYPE:valuable]", "[MATERIAL:bronze]", "[PRICE:35]",
                          "[TILEGFX:vl-bbrooch]", "[WEIGHT:80 g]"})
        tag(out, t);
    if (flags != nullptr && std::strstr(flags, "[small]") != nullptr)
        for (const char* t : {"[NAME:small bronze brooch]", "[TILEGFX:vl-bbroochs]", "[PRICE:20]", "[WEIGHT:40 g]"})
            tag(out, t);
    return out;
}

namespace {

// A comb or a pendant: "bronze <ornament> <what>" or "bronze <what>".
ObjectRecord& make_bronze_ornament(const char* what, const char* ornament, int price, const char* tile,
                                   const char* weight, ObjectRecord& out) {
    obj_clear_record(out);
    char name[sizeof out.name];
    if (has_text(ornament)) format_text(name, sizeof name, "bronze %s %s", ornament, what);
    else format_text(name, sizeof name, "bronze %s", what);
    put_text(out.name, name);
    char price_tag[40];
    format_text(price_tag, sizeof price_tag, "[PRICE:%d]", price);
    for (const char* t : {"[TYPE:valuable]", "[MATERIAL:bronze]", static_cast<const char*>(price_tag), tile, weight})
        tag(out, t);
    return out;
}

}  // namespace

ObjectRecord& make_comb_item(const char* ornament, int price, ObjectRecord& out) {
    return make_bronze_ornament("comb", ornament, price, "[TILEGFX:vl-bcomb]", "[WEIGHT:60 g]", out);
}

ObjectRecord& make_pendant_item(const char* ornament, int price, ObjectRecord& out) {
    return make_bronze_ornament("pendant", ornament, price, "[TILEGFX:vl-bpend]", "[WEIGHT:8 g]", out);
}

ObjectRecord& make_embroidered_shirt(ObjectRecord& out) {
    const int type = obj_template_by_name("Nettle shirt", 1);
    if (type == 0) {
        obj_clear_record(out);
        return out;
    }
    obj_record(type, out);
    char type_name[sizeof out.name + 1];
    copy_field(type_name, sizeof type_name, out.name, sizeof out.name);
    char name[sizeof out.name];
    format_text(name, sizeof name, "embroidered %s", lower_case_copy(type_name));
    put_text(out.name, name);
    out.blunt = uint8_t(out.blunt + 1);
    out.edge = uint8_t(out.edge + 1);
    out.protection4 = uint8_t(out.protection4 + 1);
    out.full_length = uint8_t(out.full_length + 1);
    obj_set_quality(4 + random_below(2), out);
    out.quality |= OBJ_GRADE_KNOWN;
    out.MAGIC = MAGIC_EMBROIDERED_SHIRT;
    out.price = out.price * 1.2f;
    return out;
}

// ------------------------------------------------------------ packed goods

int obj_put_in_new_bag(float pounds, ObjectRecord goods) { return pack_into_new(350, goods, true, pounds); }
int obj_put_in_new_box(ObjectRecord goods) { return pack_into_new(352, goods, false, 0); }
int obj_put_in_new_basket(ObjectRecord goods) { return pack_into_new(353, goods, false, 0); }

// ------------------------------------------------------------ lookups

int obj_unique_template_of_kind(int k) {
    int found = -1;
    for (int i = 0; i < ITEM_TYPE_COUNT; ++i) {
        if (ItemTypes[i].kind != k) continue;
        if (found >= 0) return -1;
        found = i;
    }
    return found;
}

int obj_plant_template_by_name(const char* name) {
    const char* wanted = name ? name : "";
    const size_t length = std::strlen(wanted);
    for (int i = 0; i < ITEM_TYPE_COUNT; ++i) {
        const ObjectRecord& t = ItemTypes[i];
        if (t.item_class != ITEM_PLANT) continue;
        if (strnlen(t.name, sizeof t.name) == length && std::memcmp(t.name, wanted, length) == 0) return i;
    }
    return -1;
}

// ------------------------------------------------------------ animal and plant parts

ObjectRecord& make_feather_item(const CreatureRecord& bird, ObjectRecord& out) {
    obj_clear_record(out);
    char source[31];
    creature_name(bird, source, 30);
    char name[sizeof out.name];
    format_text(name, sizeof name, "%s feather", source);
    put_text(out.name, name);
    out.item_class = ITEM_TOOL;
    out.kind = 418;
    tag(out, "[TILEGFX:it-feather]");
    out.symbol = 88;
    set_weight(out, grams(1));
    put_text(out.skill, source);
    out.extra_value = int32_t(bird.sotu);
    return out;
}

ObjectRecord& make_yarn_item(int feet, ObjectRecord& out, const ObjectRecord& plant) {
    char product[sizeof plant.skill + 1];
    product_name(plant, product);  // before the out record is cleared: they may be one record
    obj_clear_record(out);
    const int length = bounded_feet(feet);
    if (length == 0) return out;
    char name[sizeof out.name];
    if (std::strcmp(upper_case_copy(product), "FLAX") == 0) copy_text(name, "linen yarn");
    else format_text(name, sizeof name, "%s yarn", product);
    out.item_class = ITEM_TOOL;
    out.kind = 326;
    put_text(out.name, name);
    char length_tag[24];
    format_text(length_tag, sizeof length_tag, "[LENGTH:%d]", length);
    for (const char* t : {static_cast<const char*>(length_tag), "[TILEGFX:it-yarn]", "[WEIGHT:3]", "[MATERIAL:yarn]"})
        tag(out, t);
    const double pounds = length * 0.0044;
    set_weight(out, pounds);
    out.unit_price = float(4.0 / pounds);
    return out;
}

ObjectRecord& make_bark_strip_item(int feet, ObjectRecord& out) {
    obj_clear_record(out);
    const int length = bounded_feet(feet);
    if (length == 0) return out;
    out.kind = 407;
    char weight_tag[24];
    format_text(weight_tag, sizeof weight_tag, "[WEIGHT:%d g]", 6 * length);
    char length_tag[24];
    format_text(length_tag, sizeof length_tag, "[LENGTH:%d]", length);
    for (const char* t : {"[TYPE:timber]", "[TILEGFX:it-bbball]", static_cast<const char*>(weight_tag),
                          "[MATERIAL:birch-bark]", "[NAME:Birch-bark strip]", static_cast<const char*>(length_tag)})
        tag(out, t);
    out.unit = 6;  // a ball
    out.unit_price = 0.1f;
    return out;
}

ObjectRecord& make_sapling_item(const char* tree, ObjectRecord& out) {
    obj_clear_record(out);
    out.kind = 399;
    char name[sizeof out.name];
    format_text(name, sizeof name, "%s sapling", tree ? tree : "");
    put_text(out.name, name);
    for (const char* t : {"[TYPE:timber]", "[WEIGHT:1]", "[MATERIAL:wood]", "[TILEGFX:tb-birsapl]"}) tag(out, t);
    if (tree != nullptr && match_wildcards("*spruce*", tree)) tag(out, "[TILEGFX:tb-sprsapl]");
    return out;
}

ObjectRecord& make_fibre_item(const ObjectRecord& plant, ObjectRecord& out) {
    char product[sizeof plant.skill + 1];
    product_name(plant, product);  // before the out record is cleared: they may be one record
    obj_clear_record(out);
    out.kind = 461;
    char name[sizeof out.name];
    format_text(name, sizeof name, "%s fibre", product);
    put_text(out.name, name);
    for (const char* t : {"[TYPE:plant]", "[WEIGHT:10 g]", "[MATERIAL:wood]", "[TILEGFX:it-fibres]"}) tag(out, t);
    put_text(out.skill, product);
    out.unit = 8;  // a bundle
    return out;
}

ObjectRecord& make_bark_item(const char* tree, ObjectRecord& out) {
    obj_clear_record(out);
    char name[sizeof out.name];
    format_text(name, sizeof name, "%s bark", tree ? tree : "");
    put_text(out.name, name);
    for (const char* t : {"[TYPE:timber]", "[WEIGHT:0.5]", "[MATERIAL:wood]", "[TILEGFX:it-bark]"}) tag(out, t);
    out.unit = 7;  // a sheet
    return out;
}

ObjectRecord& make_antler_item(ObjectRecord& out, const CreatureRecord& animal) {
    obj_clear_record(out);
    out.item_class = ITEM_TOOL;
    out.kind = 417;
    switch (animal.kind) {
        case 606: case 607: case 660:
            put_text(out.name, "elk antler");
            tag(out, "[TILEGFX:it-eantler]");
            set_weight(out, 4);
            break;
        case 619: case 620:
            put_text(out.name, "reindeer antler");
            tag(out, "[TILEGFX:it-rantler]");
            set_weight(out, 2);
            break;
        default: break;  // only antlered animals are asked for
    }
    tag(out, "[MATERIAL:antler]");
    char source[21];
    creature_name(animal, source, 20);
    put_text(out.skill, source);
    out.price = 0;
    out.unit_price = 0.5f;
    return out;
}

ObjectRecord& make_bone_item(const CreatureRecord& animal, ObjectRecord& out) {
    obj_clear_record(out);
    int size = 0;  // 1 long, 2 medium, 3 small
    double pounds = 0;
    switch (animal.kind) {
        case 605: case 606: case 607: case 609: case 610: case 660: size = 1, pounds = 2.0; break;
        case 616: case 617: size = 2, pounds = 0.5; break;
        case 619: case 620: size = 1, pounds = 1.0; break;
        default: {
            const bool bird = animal.mobility == 64 || animal.mobility == 128 || animal.cre_class == 21;
            if (bird) return out;
            const float b = animal.base_weight;
            if (b >= 50) size = 1, pounds = 0.75;
            else if (b >= 15) size = 2, pounds = 0.25;
            else if (b >= 4) size = 3, pounds = grams(50);
            else return out;
        }
    }
    char source[TEXT_RING_BYTES];
    copy_text(source, creature_record_name(0, animal));
    char name[sizeof out.name];
    format_text(name, sizeof name, "%s bone", source);
    put_text(out.name, name);
    out.item_class = ITEM_TOOL;
    out.kind = 419;
    tag(out, "[TILEGFX:bo-longl]");
    if (size == 2) tag(out, "[TILEGFX:bo-longm]");
    if (size == 3) tag(out, "[TILEGFX:bo-longs]");
    tag(out, "[MATERIAL:bone]");
    set_weight(out, pounds);
    put_text_cut(out.skill, source, 20);
    return out;
}

ObjectRecord& make_skull_item(const CreatureRecord& animal, ObjectRecord& out) {
    obj_clear_record(out);
    if (animal.kind != 605 && animal.kind != 650 && animal.kind != 651) return out;
    char source[sizeof animal.name + 1];
    creature_name(animal, source, sizeof animal.name);
    char name[sizeof out.name];
    format_text(name, sizeof name, "%s skull", source);
    put_text(out.name, name);
    out.item_class = ITEM_TOOL;
    out.kind = 416;
    tag(out, "[MATERIAL:bone]");
    tag(out, "[TILEGFX:hd-bear]");
    if (animal.kind != 605) tag(out, "[TILEGFX:hd-seal]");
    out.extra_value = animal.kind;
    out.coverage[0] = 4;  // teeth
    put_text_cut(out.skill, source, 20);
    // The animal's weight (kilograms) / 50 taken as pounds: a skull is a
    // small share of the animal.
    set_weight(out, animal.weight / 50.0);
    return out;
}

ObjectRecord& make_tooth_item(const ObjectRecord& skull, ObjectRecord& out) {
    if (skull.coverage[0] == 0) {
        obj_clear_record(out);
        return out;
    }
    const ObjectRecord from = skull;  // out may be the skull itself
    char animal[sizeof skull.skill + 1];
    copy_field(animal, sizeof animal, from.skill, sizeof from.skill);
    out = from;
    char name[sizeof out.name];
    format_text(name, sizeof name, "%s tooth", animal);
    put_text(out.name, name);
    out.kind = 408;
    set_weight(out, grams(5));
    out.coverage[0] = 0;
    out.price = 0;
    if (from.extra_value == 605 || compare_no_case(animal, "bear") == 0) out.MAGIC = MAGIC_BEAR_TOOTH;
    return out;
}

ObjectRecord& make_egg_item(const CreatureRecord& bird, ObjectRecord& out) {
    obj_clear_record(out);
    char source[31];
    creature_name(bird, source, 30);
    if (source[0] == 0) copy_text(source, "Bird");
    char name[sizeof out.name];
    format_text(name, sizeof name, "%s egg", source);
    put_text(out.name, name);
    out.item_class = ITEM_FOOD;
    tag(out, "[TILEGFX:it-egg]");
    tag(out, "[SPOILAGE_DAYS:30]");
    out.symbol = 155;
    // Whole grams: a 25th of the bird's base weight in kilograms, as grams.
    const double whole_grams = bird.base_weight > 0 ? std::min(std::floor(bird.base_weight / 0.04), 1.0e6) : 0.0;
    set_weight(out, whole_grams / 453.0);
    // Carbohydrate, fat and protein.
    out.blunt = 1;
    out.edge = 10;
    out.point = 13;
    out.water = 10;
    put_text(out.skill, source);
    return out;
}

// Not built yet: the record is left as it was.
void apply_armour_coverage(const char*, ObjectRecord&) { KSM_STUB("apply_armour_coverage"); }
