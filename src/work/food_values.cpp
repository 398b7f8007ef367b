// Nutrition values of food: what an item feeds, the defaults of an item
// that carries no values, and the food records cooking makes.
#include "work/food_values.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "base/debug_log.h"
#include "base/platform.h"
#include "base/text_ring.h"
#include "creatures/creature_files.h"
#include "creatures/creature_species.h"
#include "ui/message_line.h"

MixedDish mixed_dish;

namespace {

struct FoodValues {
    int carbohydrate, fat, protein, liquid;
};

// The defaults of a kind whose item carries no values; false when the kind
// has none.
bool kind_defaults(int kind, FoodValues& out) {
    switch (kind) {
    case KIND_WATER: out = {0, 0, 0, 100}; return true;
    case 61: out = {55, 2, 9, 0}; return true;
    case 69: out = {5, 4, 3, 70}; return true;
    case 419: out = {1, 35, 5, 0}; return true;
    case KIND_BERRIES: out = {7, 0, 0, 70}; return true;
    case 434:
    case 436:
    case 437: out = {1, 0, 0, 0}; return true;
    case KIND_MUSHROOM: out = {3, 1, 2, 0}; return true;
    default: return false;
    }
}

// Meat, fish and bread by the class of their name (the liquid stays 0).
FoodValues class_defaults(int food_class) {
    switch (food_class) {
    case 100: case 102: case 103: case 104: case 106: case 107: case 108: return {0, 3, 21, 0};
    case 101: return {0, 5, 22, 0};
    case 105: return {0, 12, 19, 0};
    case 109: return {0, 90, 2, 0};
    case 200: return {41, 1, 7, 0};
    case 250: return {0, 5, 17, 0};
    case 251: return {0, 7, 11, 0};
    case 252: case 253: return {0, 3, 17, 0};
    default: return {5, 2, 1, 0};
    }
}

bool holds(const char* text, const char* word) { return std::strstr(text, word) != nullptr; }

uint8_t scaled_byte(uint8_t value, float factor, int cap) {
    const double v = std::ceil(double(value) * factor);
    return uint8_t(std::clamp(v, 0.0, double(cap)));
}

}  // namespace

int food_class_of_name(const char* n) {
    if (!n) return 0;
    if (holds(n, "PIG") || holds(n, "SOW") || holds(n, "BOAR")) return 108;
    if (holds(n, "ELK") || holds(n, "STAG")) return 100;
    if (holds(n, "SHEEP") || holds(n, "RAM")) return 105;
    if (holds(n, "COW") || holds(n, "BULL")) return 104;
    if (holds(n, "DEER")) return 101;
    if (holds(n, "BEAR")) return 106;
    if (holds(n, "HARE")) return 102;
    if (holds(n, "GROUSE")) return 107;
    if (holds(n, "SALMON") || holds(n, "TROUT")) return 251;
    if (holds(n, "BREAM")) return 252;
    if (holds(n, "LAVARET")) return 253;
    if (holds(n, "RYE BREAD")) return 200;
    if (holds(n, "FAT")) return 109;
    if (holds(n, " CUT")) return 103;
    return 0;
}

void ravinto(ObjectRecord& item, Nutrition& out) {
    std::memset(&out, 0, sizeof out);
    FoodValues v{item.blunt, item.edge, item.point, item.water};
    // Water and milk are what they are, whatever a record says of them.
    if (item.kind == KIND_WATER || item.kind == 69) v = {0, 0, 0, 0};
    if (v.carbohydrate == 0 && v.fat == 0 && v.protein == 0 && v.liquid == 0) {
        char name[sizeof item.name + 1];
        copy_field(name, sizeof name, item.name, sizeof item.name);
        const char* upper = upper_case_copy(name);
        int kind = item.kind;
        if (holds(upper, "BERRIES")) kind = KIND_BERRIES;
        else if (holds(upper, "WATER")) kind = KIND_WATER;
        if (holds(upper, "MILK")) v = {5, 4, 3, 70};
        else kind_defaults(kind, v);
        if (v.carbohydrate == 0 && v.fat == 0 && v.protein == 0 && v.liquid == 0)
            v = class_defaults(food_class_of_name(upper));
    }
    item.blunt = uint8_t(v.carbohydrate);
    item.edge = uint8_t(v.fat);
    item.point = uint8_t(v.protein);
    item.water = uint8_t(v.liquid);

    const double weight = std::max(0.0f, item.weight);
    out.carbohydrate = v.carbohydrate;
    out.fat = v.fat;
    out.protein = v.protein;
    out.liquid_percent = v.liquid;
    out.kcal_per_100g = 9 * v.fat + 4 * (v.carbohydrate + v.protein);
    out.kcal_per_pound = 5 * out.kcal_per_100g;
    out.kcal_per_item = int32_t(std::ceil(out.kcal_per_pound * weight));
    out.carbohydrate_amount = int32_t(v.carbohydrate * 5 * weight);
    out.fat_amount = int32_t(v.fat * 5 * weight);
    out.protein_amount = int32_t(v.protein * 5 * weight);
    out.liquid_amount = int32_t(v.liquid * 5 * weight);

    char name[sizeof item.name + 1];
    copy_field(name, sizeof name, item.name, sizeof item.name);
    char line[200];
    format_text(line, sizeof line,
                "ravinto(%s) : Hi,Ra,Pr: %d,%d,%d Neste: %d  kcal/100g: %d  kcal/lbs: %d  kcal/esine: %d", name,
                v.carbohydrate, v.fat, v.protein, v.liquid, out.kcal_per_100g, out.kcal_per_pound, out.kcal_per_item);
    debug_log("eat", line);
}

bool scale_food_object(ObjectRecord& r, float factor) {
    if (!(factor > 0.0f)) return false;
    r.weight /= factor;
    r.full_weight /= factor;
    r.blunt = scaled_byte(r.blunt, factor, 255);
    r.edge = scaled_byte(r.edge, factor, 255);
    r.point = scaled_byte(r.point, factor, 255);
    r.water = scaled_byte(r.water, factor, 100);
    r.unit_price *= factor;
    return true;
}

ObjectRecord make_meat_cut_object(const char* name, int creature_kind, float weight) {
    ObjectRecord r;
    obj_clear_record(r);
    r.item_class = ITEM_FOOD;
    r.kind = KIND_MEAT_CUT;
    char text[sizeof r.name];
    format_text(text, sizeof text, "%s cut", name ? name : "");
    copy_text(r.name, text);
    copy_text(r.skill, text);
    copy_text(r.tile, "org-meatcut");
    r.weight = r.full_weight = weight;
    r.spoilage_days = 3;
    creature_template(creature_kind);
    r.blunt = CreScratch.meat_a;
    r.edge = CreScratch.meat_b;
    r.point = CreScratch.meat_c;
    r.unit_price = 0.04f * float(r.blunt + r.edge + r.point);
    r.price = r.unit_price * weight;
    return r;
}

void clear_mixed_dish() {
    std::memset(&mixed_dish, 0, sizeof mixed_dish);
    obj_clear_record(mixed_dish.record);
}

void add_to_mixed_dish(const ObjectRecord& item, int count, float weight) {
    char name[sizeof item.name + 1];
    copy_field(name, sizeof name, item.name, sizeof item.name);
    debug_message_format("lisaa yhteisravinto: %s maara: %d paino: %.2f", name, count, double(weight));
    if (!(weight > 0.0f) || count <= 0) return;
    const float per_pound = item.unit_price != 0.0f ? item.unit_price
                            : item.full_weight > 0.0f ? item.price / item.full_weight
                                                      : 0.0f;
    debug_message_format("lisattavan hinta: %.2f (%.2f/lbs)", double(per_pound * weight * count), double(per_pound));
    ObjectRecord copy = item;
    copy.weight = weight;
    Nutrition n;
    ravinto(copy, n);
    mixed_dish.ingredients += 1;
    mixed_dish.price += per_pound * weight * float(count);
    mixed_dish.carbohydrate += n.carbohydrate_amount * count;
    mixed_dish.fat += n.fat_amount * count;
    mixed_dish.protein += n.protein_amount * count;
    mixed_dish.liquid += n.liquid_amount * count;
    mixed_dish.effects |= item.effect_raw;
    mixed_dish.weight += weight * float(count);
    ObjectRecord& dish = mixed_dish.record;
    if (mixed_dish.ingredients == 1) {
        std::memcpy(dish.name, item.name, sizeof dish.name);
        dish.kind = item.kind;
        dish.item_class = item.item_class;
    } else if (std::strncmp(dish.name, item.name, sizeof dish.name) != 0) {
        if (item.kind == 436) copy_text(dish.name, "mixed");
        else if (item.kind == KIND_MUSHROOM) copy_text(dish.name, "mushrooms");
    }
    // The sums are amounts in the whole dish (value x 5 per pound): back to
    // grams per 100 g of its weight.
    const double per = 5.0 * mixed_dish.weight;
    auto per_100g = [per](int32_t amount) { return uint8_t(std::clamp(double(amount) / per, 0.0, 255.0)); };
    dish.blunt = per_100g(mixed_dish.carbohydrate);
    dish.edge = per_100g(mixed_dish.fat);
    dish.point = per_100g(mixed_dish.protein);
    dish.water = uint8_t(std::min(100.0, double(mixed_dish.liquid) / per));
    dish.effect_raw = mixed_dish.effects;
    dish.weight = mixed_dish.weight;
    debug_message_format("yhteisravintoesine %d,%d,%d neste: %d paino: %.2f", dish.blunt, dish.edge, dish.point,
                         dish.water, double(mixed_dish.weight));
}
