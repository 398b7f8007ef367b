// Eating and drinking.
#include "work/eating.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "base/config.h"
#include "base/debug_log.h"
#include "base/files.h"
#include "base/platform.h"
#include "base/tag_text.h"
#include "base/text_ring.h"
#include "body/needs.h"
#include "creatures/creature_errands.h"
#include "creatures/creature_files.h"
#include "creatures/creature_services.h"
#include "creatures/creature_traits.h"
#include "game/player.h"
#include "game/screen_hooks.h"
#include "game/spend_time.h"
#include "maps/map_layers.h"
#include "maps/sight.h"
#include "maps/terrain_queries.h"
#include "objects/flora.h"
#include "objects/inventory.h"
#include "objects/inventory_services.h"
#include "objects/item_commands.h"
#include "objects/map_kinds.h"
#include "objects/map_object_table.h"
#include "objects/object_names.h"
#include "objects/object_store.h"
#include "society/game_course.h"
#include "ui/catalogue.h"
#include "ui/keyed_words.h"
#include "ui/message_line.h"
#include "ui/prompts.h"
#include "work/food_values.h"
#include "work/herb_effects.h"
#include "work/herblore.h"

namespace {

constexpr int STOMACH_FULL = 255;
constexpr int STOMACH_ENOUGH = 250;
constexpr int RESERVE_MOST = 5000;
constexpr int RAW_MEAT_RESERVE = 500;
constexpr int COURSE_EVENT_FOOD_STORE = 35;
constexpr int COURSE_EVENT_NATURAL_DRINK = 1;
constexpr int ACTIVITY_ICE_HOLE = 35;
constexpr int TASK_QUIET = 0x20;

bool is_raw_meat(const ObjectRecord& r) { return r.kind == KIND_RAW_MEAT || r.kind == KIND_MEAT_CUT; }

bool is_drink_container(const ObjectRecord& r) {
    return r.item_class == ITEM_CONTAINER || r.kind == 331 || r.kind == 350 || r.kind == 351;
}

void item_name(const ObjectRecord& r, char (&out)[sizeof(ObjectRecord::name) + 1]) {
    copy_field(out, sizeof out, r.name, sizeof r.name);
}

void refresh_panel() {
    if (screen_hooks.refresh_status_panel) screen_hooks.refresh_status_panel();
}

// The value of the plant's definition under the key ("" when none).
const char* plant_value(const ObjectRecord& item, const char* key) {
    const char* plant = flora_entry_name(item.un_id);
    if (!plant[0]) return "";
    hae_asciidata(plant);
    return tag_value(asciidata, key, "");
}

// Halves what a spoiled item feeds; its liquid is as good as ever.
void halve_for_spoilage(Nutrition& n) {
    n.kcal_per_100g /= 2;
    n.kcal_per_pound /= 2;
    n.kcal_per_item /= 2;
    n.carbohydrate /= 2;
    n.fat /= 2;
    n.protein /= 2;
    n.carbohydrate_amount /= 2;
    n.fat_amount /= 2;
    n.protein_amount /= 2;
}

// Raw meat feeds less than its energy promises for the time it takes.
void scale_for_raw_meat(Nutrition& n) {
    auto scale = [](int32_t& v) { v = int32_t(v * 0.8); };
    scale(n.kcal_per_100g);
    scale(n.kcal_per_pound);
    scale(n.kcal_per_item);
    scale(n.carbohydrate);
    scale(n.fat);
    scale(n.protein);
    scale(n.carbohydrate_amount);
    scale(n.fat_amount);
    scale(n.protein_amount);
}

int appetite() { return hunger_level(); }

// The taste ending: the starving ending wins when both apply.
const char* taste_ending(int taste) {
    const bool starving = Plr.starvation > 0;
    const bool hungry = appetite() > 150;
    if (taste < 3) {
        if (starving) return " but you couldn't care less at the moment.";
        if (hungry) return " but your stomach welcomes it.";
    } else if (taste == 3) {
        if (starving) return " and you dig in like a starving person does.";
        if (hungry) return " and happily consumed too.";
    } else {
        if (starving) return ", which you barely notice while gobbling it down.";
        if (hungry) return " and is devoured with great appetite.";
    }
    return ".";
}

// The effects of what was eaten or drunk: the bits join the player's, and
// a known plant remembers what it did.
void take_effects(const ObjectRecord& item, uint32_t extra) {
    Plr.food_effects |= item.effect_raw | extra;
    if (obj_is_plant(item) && herblore_index_of(item) >= 0) record_felt_effects(item, item.effect_raw, Plr.hour);
}

// The food in the pack has grown past what a person carries for a trip.
void check_food_store() {
    double kcal = 0;
    for (int s = 0; s < PLR_INV_SLOTS; ++s) {
        const int id = Plr.plr_inv_id[s];
        if (Plr.plr_inv_count[s] <= 0 || !obj_id_is_valid(id)) continue;
        ObjectRecord r;
        obj_record(id, r);
        if (r.item_class != ITEM_FOOD) continue;
        Nutrition n;
        ravinto(r, n);
        kcal += double(n.kcal_per_item) * Plr.plr_inv_count[s];
    }
    if (kcal > 9000) report_game_course_event(COURSE_EVENT_FOOD_STORE);
}

void companions_eat() {
    for (int c = 0; c < CRE_SLOTS; ++c) {
        if (CreSlotRefs[c] == 0 || !cre_is_companion(c)) continue;
        const int state = cre_body_state(c);
        if (state == 3 || state == 4) continue;
        cre_eat_carried_food(c, 1);
    }
}

// The drink's words by its amount.
const char* drink_key(float amount) {
    return amount >= 1.5f ? "DRINK:GULP" : amount >= 0.5f ? "DRINK:DRINK" : "DRINK:SIP";
}

int drink_seconds(float amount) { return std::max(10, int(std::ceil(amount)) * 20); }

// Puts a split-off unit back with its stack after a drink that did not
// happen.
void merge_back(int slot) { plr_merge_stacks_into(slot); }

// The first cell with ice around the player on a local map: the square in
// target, 0 when none.
bool ice_beside(int& ix, int& iy) {
    if (is_world_map()) return false;
    for (int dy = -1; dy <= 1; ++dy)
        for (int dx = -1; dx <= 1; ++dx) {
            const int x = player_x + dx, y = player_y + dy;
            if (x < ZOOM_FIRST || x > ZOOM_LAST || y < ZOOM_FIRST || y > ZOOM_LAST) continue;
            if (std::max(std::abs(dx), std::abs(dy)) > sight_distance) continue;
            if (view_layer_at(x, y) == VIEW_UNSEEN) continue;
            int ice = ice_thickness_at(x, y);
            if (find_map_object(MK_ICE_HOLE, x, y) >= 0) ice = 0;
            else if (const int hole = find_map_object(MK_REFREEZING_HOLE, x, y); hole >= 0) ice = Data[hole].amount;
            if (ice > 0) {
                ix = x;
                iy = y;
                return true;
            }
        }
    return false;
}

}  // namespace

int cre_stomach_capacity(int slot) {
    if (slot == -1) return RESERVE_MOST;
    if (!cre_slot_valid(slot)) return RESERVE_MOST;
    if (cre_class(slot) == 1) return RESERVE_MOST;
    double capacity = std::floor(double(Cre[slot].weight) * 35.0);
    if (cre_is_predator(slot)) capacity *= 2;
    return int(std::clamp(capacity, 0.0, 32000.0));
}

float Itemruoan_Tarve(const Nutrition& n) {
    int room = STOMACH_FULL - Plr.stomach;
    const double factor = std::min(1.5, 1600.0 / double(std::max(500, Plr.Energiavaranto)));
    if (factor > 1.0) room = int(std::min(255.0, std::ceil(factor * room)));
    float wish = 0.0f;
    if (room > 0) wish = std::min(3.0f, float(room) / float(n.kcal_per_100g + 50) + 0.05f);
    debug_message_format("Itemruoan_Tarve: ruoka = %d kcal/lbs -> massun vetoisuus %d Tarve: %.2f", n.kcal_per_pound,
                         room, double(wish));
    return wish;
}

void add_food_to_stomach(int slot, int drinking, float p, const Nutrition& n, const ObjectRecord&) {
    if (p <= 0.0f) return;
    int fill = std::max(20, int(p * float(n.kcal_per_100g + 50)));
    if (slot == -1 && drinking) fill = Plr.thirst <= 25 ? int(p * float(n.kcal_per_100g + 12)) : 0;
    const int energy = int(std::ceil(double(p) * n.kcal_per_pound));
    if (slot != -1) {
        if (!cre_slot_valid(slot)) return;
        const int most = std::min(32000, cre_stomach_capacity(slot));
        Cre[slot].energy = int16_t(std::clamp(int(Cre[slot].energy) + energy, -32768, most));
        return;
    }
    Plr.Energiavaranto = std::clamp(Plr.Energiavaranto + energy, 0, RESERVE_MOST);
    if (Plr.stomach + fill >= STOMACH_ENOUGH) {
        Plr.stomach = STOMACH_FULL;
        if (!drinking) show_message(message_by_key("EAT_FULL"));
    } else {
        Plr.stomach = uint8_t(Plr.stomach + fill);
    }
    int quench = int(float(n.liquid_percent) * p * 10.0f);
    if (quench != 0 && quench + 50 >= Plr.thirst) {
        show_message("=Your thirst is extinguished.");
        quench = Plr.thirst;
    }
    Plr.thirst -= quench;
}

bool food_needs_cooking(const ObjectRecord& item) {
    if (item.kind != KIND_ROOT) return false;
    char name[sizeof item.name + 1];
    item_name(item, name);
    if (std::strstr(upper_case_copy(name), "BOILED")) return false;
    return std::strstr(plant_value(item, "ROOT_USE"), "cooked") != nullptr;
}

bool obj_can_be_ground(const ObjectRecord& item) {
    if (item.kind == 434 || item.kind == 435) return true;
    if (item.kind != KIND_ROOT) return false;
    return std::strstr(plant_value(item, "ROOT_USE"), "flour") != nullptr;
}

int eat(int slot) {
    if (slot < 0 || slot >= PLR_INV_SLOTS || Plr.plr_inv_count[slot] <= 0) return EAT_REFUSED;
    const int id = Plr.plr_inv_id[slot];
    if (!obj_id_is_valid(id)) return EAT_REFUSED;
    obj_load_current(id);
    msg_item = id;
    ObjectRecord item = current_object;
    Nutrition n;
    ravinto(item, n);
    if (item.spoilage_days == 255) halve_for_spoilage(n);
    char name[sizeof item.name + 1];
    item_name(item, name);
    char line[200];
    debug_message_format("Energiavaranto: %d", Plr.Energiavaranto);
    debug_message_format("Vatsa: %d", Plr.stomach);
    format_text(line, sizeof line, "void eat(%d) - Item: %s", slot, name);
    debug_log("eat", line);
    format_text(line, sizeof line, "Vatsa: %d kcal/100g:%d", Plr.stomach, n.kcal_per_100g);
    debug_log("eat", line);

    // The appetizing herb makes room for a pound more, used up by a meal
    // that happens.
    float portion = Itemruoan_Tarve(n);
    const bool appetizing = (Plr.food_effects & FOOD_APPETIZING) != 0;
    if (appetizing) portion += 1.0f;
    format_text(line, sizeof line, "Itemruoan_Vatsatarve: %.2f", double(portion));
    debug_log("eat", line);
    if (portion <= 0.0f || item.weight <= 0.0f) {
        show_message(message_by_key("EAT_CANT"));
        return EAT_REFUSED;
    }
    if (food_needs_cooking(item)) {
        show_message("!It tastes far too bad to be eaten just like that!");
        return EAT_REFUSED;
    }
    if (obj_id_is_instance(id) && (item.quality & OBJ_GRADE_MASK) != 0 && !(item.quality & OBJ_GRADE_KNOWN)) {
        item.quality |= OBJ_GRADE_KNOWN;
        ObjectRecord stored;
        obj_record(id, stored);
        stored.quality |= OBJ_GRADE_KNOWN;
        obj_write_record(id, stored);
    }
    portion = std::min(portion, item.weight);

    if (item.kind == 57 || item.kind == 61 || item.kind == 434 || item.kind == 435) {
        show_message(message_by_key("EAT_UNEDIBLE"));
        return EAT_REFUSED;
    }
    const bool raw = is_raw_meat(item);
    if (raw && Plr.Energiavaranto > RAW_MEAT_RESERVE) {
        show_message("!You aren't hungry enough yet to happily eat raw meat.");
        return EAT_REFUSED;
    }
    if (item.kind == KIND_MUSHROOM && std::strcmp(upper_case_copy(ini_get_string("EAT_MUSHROOM_CONFIRMATION", "YES")), "NO") != 0) {
        // Until plants can be told apart every mushroom is a stranger.
        const bool unknown = item.un_id > 1 || herblore_index_of(item) < 0;
        const bool poisonous = (item.effect_raw & (FOOD_DEADLY_POISONOUS | FOOD_POISONOUS | FOOD_GUT_IRRITATING)) != 0;
        if (unknown || poisonous) {
            char text[200];
            if (unknown) format_text(text, sizeof text, "!That %s is unknown to you.", name);
            else format_text(text, sizeof text, "!You know the %s is poisonous.", name);
            show_message(text);
            if (!ask_yes_no("Do you really want to eat it?")) return EAT_REFUSED;
        }
    }

    const int kcal = int(std::ceil(double(n.kcal_per_pound) * portion));
    const int seconds = kcal < 150 ? std::max(10, kcal / 3) : 0;
    const int minutes = kcal < 150 ? 0 : kcal / 150;

    int taste;
    if (raw) {
        scale_for_raw_meat(n);
        taste = 1;
    } else {
        taste = item.quality & OBJ_GRADE_MASK;
        if (taste == 0) taste = 3;
        if (item.item_class == ITEM_FOOD && item.spoilage_days <= 1) taste = std::min(taste, 2);
    }
    char key[32];
    format_text(key, sizeof key, "EATMSG_TASTE:%u", unsigned(taste));
    char text[300];
    copy_text(text, message_by_key(key));
    append_text(text, sizeof text, taste_ending(taste));
    show_message(text);
    debug_log("eat", text);

    if (!spend_time_on_task(seconds, minutes, "eating", 0, TASK_QUIET)) return EAT_CUT_SHORT;

    format_text(line, sizeof line, "Vatsa: %d Energia: %d Jano: %d", Plr.stomach, Plr.Energiavaranto, Plr.thirst);
    debug_log("eat", line);
    if (appetizing) Plr.food_effects &= ~FOOD_APPETIZING;
    add_food_to_stomach(-1, 0, portion, n, item);
    format_text(line, sizeof line, "RAVITSE: %s*%.2f -> Vatsa: %d Energia: %d Jano: %d", name, double(portion),
                Plr.stomach, Plr.Energiavaranto, Plr.thirst);
    debug_log("eat", line);

    // An item almost eaten up is eaten whole (the taking says so).
    const float before = item.weight;
    const float taken = plr_empty_container(slot, portion);
    // The eaten item is named as it was before the meal.
    msg_item = -1;
    naming_scratch = item;
    if (before > taken) {
        Plr.stomach = STOMACH_FULL;
        show_message(message_by_key("EAT_PARTIAL"));
    } else {
        show_message(message_by_key("EAT_COMPLETE"));
    }
    take_effects(item, raw ? FOOD_NAUSEA : 0);
    refresh_panel();
    check_food_store();
    companions_eat();
    debug_log("eat", "---- eat complete ----");
    return EAT_DONE;
}

void eat_command() {
    while (Plr.stomach <= STOMACH_ENOUGH) {
        const int slot = select_item("What do you want to eat?", "eat", SEL_FILTER_INVALID, ITEM_FOOD, 0);
        if (slot == SEL_NOTHING) {
            show_message(out_of_items_text("eat"));
            return;
        }
        if (slot < 0) return;
        if (eat(slot) == EAT_CUT_SHORT) return;
    }
}

int drink_from_source() {
    ObjectRecord water;
    obj_clear_record(water);
    water.item_class = ITEM_FOOD;
    water.kind = KIND_WATER;
    copy_text(water.name, "Water");
    water.weight = water.full_weight = 1.0f;
    water.water = 100;
    const float amount = std::max(0.1f, float(Plr.thirst) / 1000.0f);
    if (!spend_time_on_task(drink_seconds(amount), 0, "Drinking", 0, TASK_QUIET)) return 0;
    msg_item = -1;
    naming_scratch = water;
    show_message(message_by_key(drink_key(amount)));
    Nutrition n;
    ravinto(water, n);
    add_food_to_stomach(-1, 1, amount, n, water);
    // A course task of drinking from nature counts the drink.
    report_game_course_event(COURSE_EVENT_NATURAL_DRINK);
    refresh_panel();
    return 1;
}

int drink_from_container(int slot) {
    if (slot < 0 || slot >= PLR_INV_SLOTS || Plr.plr_inv_count[slot] <= 0) return 0;
    const int id = Plr.plr_inv_id[slot];
    if (!obj_id_is_valid(id)) return 0;
    obj_load_current(id);
    msg_item = id;
    ObjectRecord item = current_object;
    char name[sizeof item.name + 1];
    item_name(item, name);
    // A cup's drink is what it holds; other drinks are their own.
    ObjectRecord drink = item;
    if (is_drink_container(item)) {
        if (item.contents == 0) {
            char text[120];
            format_text(text, sizeof text, "!The %s is empty!", lower_case_copy(name));
            show_message(text);
            return 0;
        }
        if (obj_id_is_valid(item.contents)) {
            obj_record(item.contents, drink);
            drink.weight = item.weight;
        }
    }
    Nutrition n;
    ravinto(drink, n);
    if (n.liquid_percent <= 0) {
        show_message(message_by_key("NOT_SUITABLE_ITEM"));
        return 0;
    }
    const float amount = std::clamp(float(Plr.thirst) / float(n.liquid_percent * 10), 0.1f, std::max(0.1f, item.weight));
    const bool split = plr_split_off_single_item(slot);
    if (!spend_time_on_task(drink_seconds(amount), 0, "drinking", 0, TASK_QUIET)) {
        if (split) merge_back(slot);
        return 0;
    }
    msg_item = -1;
    naming_scratch = item;
    show_message(message_by_key(drink_key(amount)));
    add_food_to_stomach(-1, 1, std::min(amount, item.weight), n, drink);
    take_effects(drink, 0);
    plr_empty_container(slot, amount);
    refresh_panel();
    return 1;
}

void drink_command() {
    if (is_open_water_at(-1, -1) && ask_yes_no("Drink from the natural source?")) {
        drink_from_source();
        return;
    }
    int ix = 0, iy = 0;
    if (ice_beside(ix, iy)) {
        if (ask_yes_no("Make a hole in the ice?")) {
            perform_activity(ACTIVITY_ICE_HOLE, 0, "");
            return;
        }
    }
    const int drink_classes = int(0x80000000u | (1u << ITEM_CONTAINER) | (1u << ITEM_FOOD));
    const int slot = select_item("What do you want to drink?", "drink", SEL_FILTER_INVALID, drink_classes, 0);
    if (slot == SEL_NOTHING) {
        show_message(out_of_items_text("drink"));
        return;
    }
    if (slot >= 0) drink_from_container(slot);
}
