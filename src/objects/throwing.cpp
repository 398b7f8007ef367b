// Throwing and shooting: what goes, hands and arms, the aiming delay, the
// target, feeding one's own animal, the string's wear, and the missile
// handed to the combat code.
#include "objects/throwing.h"

#include <cstring>

#include "base/files.h"
#include "base/platform.h"
#include "body/attack_resolver.h"
#include "body/body_condition.h"
#include "body/body_queries.h"
#include "body/combat_state.h"
#include "body/skills.h"
#include "body/weapon_tests.h"
#include "creatures/creature_behaviour.h"
#include "creatures/creature_files.h"
#include "creatures/creature_traits.h"
#include "creatures/food_seeking.h"
#include "game/player.h"
#include "game/screen_hooks.h"
#include "game/turn_state.h"
#include "maps/map_draw.h"
#include "maps/map_layers.h"
#include "maps/map_view.h"
#include "objects/inventory.h"
#include "objects/inventory_services.h"
#include "objects/item_selection.h"
#include "objects/map_objects.h"
#include "objects/object_store.h"
#include "objects/wear_commands.h"
#include "ui/catalogue.h"
#include "ui/keyed_words.h"
#include "ui/message_line.h"

namespace {

constexpr int SUBCLASS_NET = 1;
constexpr int KIND_BOWSTRING = 121;
constexpr int KIND_PET_FOOD = 419;
constexpr int KIND_DOG = 618;
constexpr int FOOD_CLASS = 7;

ObjectRecord record_of_slot(int slot) {
    ObjectRecord r{};
    if (slot >= 0 && slot < PLR_INV_SLOTS && Plr.plr_inv_id[slot] != 0) obj_record(Plr.plr_inv_id[slot], r);
    return r;
}

bool name_has(const ObjectRecord& r, const char* word) {
    char name[sizeof r.name + 1];
    copy_field(name, sizeof name, r.name, sizeof r.name);
    return std::strstr(name, word) != nullptr;
}

// The slot of the arrow or bow in the hands: (bow hand, arrow hand).
struct Hands {
    int bow_slot = PLR_NO_SLOT;
    int arrow_slot = PLR_NO_SLOT;
    bool unstrung = false;
};

Hands look_at_hands() {
    Hands h;
    for (int hand = 1; hand <= 2; ++hand) {
        const int slot = plr_wielded_slot(hand);
        if (slot == PLR_NO_SLOT) continue;
        const ObjectRecord r = record_of_slot(slot);
        if (obj_is_missile_weapon(r)) {
            h.bow_slot = slot;
            if (r.effect_raw == 0) h.unstrung = true;
        } else if (r.subclass == SUBCLASS_MISSILE) {
            h.arrow_slot = slot;
        }
    }
    return h;
}

}  // namespace

int throw_or_shoot_command() {
    // 1. The hands.
    const Hands hands = look_at_hands();
    if (hands.unstrung) {
        show_message("!The bow has no string! You can't shoot with it.");
        show_message("?If you have a spare bowstring use apply command to string this bow with it.");
        return -1;
    }
    int delay = 0;
    int slot;
    bool shooting = false;
    // 2. A strung bow and an arrow in hand: that arrow, at once.
    if (hands.bow_slot != PLR_NO_SLOT && hands.arrow_slot != PLR_NO_SLOT) {
        slot = hands.arrow_slot;
    } else {
        // 3. The item to throw.
        const int answer = select_items(2, -1, 0, 0, "What do you want to throw, or shoot?", "throw/shoot", 48, 0, 0);
        if (answer == SEL_NOTHING) show_message(out_of_items_text("throw nor shoot"));
        if (answer < 0) return -1;
        slot = selection_list[answer].index;
        if (slot < 0 || slot >= PLR_INV_SLOTS || Plr.plr_inv_id[slot] == 0) return -1;
        const int first = plr_wielded_slot(1), second = plr_wielded_slot(2);
        const ObjectRecord chosen = record_of_slot(slot);
        const bool wielded = (chosen.state_bits & (OBJ_IN_FIRST_HAND | OBJ_IN_SECOND_HAND)) != 0;
        if (first == PLR_NO_SLOT || second == PLR_NO_SLOT) {
            if (cre_limb_impairment(-1, LIMB_HANDS, LIMB_LEFT) >= 1.0f && first != PLR_NO_SLOT && first != slot) {
                show_message(message_by_key("CANT_WIELD_INJURED:2"));
                return -1;
            }
            if (cre_limb_impairment(-1, LIMB_HANDS, LIMB_RIGHT) >= 1.0f && second != PLR_NO_SLOT && second != slot) {
                show_message(message_by_key("CANT_WIELD_INJURED:1"));
                return -1;
            }
            if (check_physical_requirements(-1, parse_physical_requirements("arm"), 0, "throw anything")) return -1;
        } else if (chosen.item_class == 1 && !wielded) {
            show_message("!With both hands in use you can't thrown an unwielded weapon now!");
            return -1;
        }
        delay = wielded ? 0 : 1;
    }
    // 4. A foe beside the player slows the aim.
    if (plr_count_adjacent_fighters(-1, 0) > 0) ++delay;

    // 5. Refusals.
    ObjectRecord item = record_of_slot(slot);
    if (item.state_bits & OBJ_WORN) {
        show_message("!You can't select something that is being worn!");
        return -1;
    }
    if (item.item_class == 1 && item.subclass == SUBCLASS_NET) {
        show_message("!Don't throw your nets - use your fishing skill to set them!");
        return -1;
    }
    if (obj_is_missile_weapon(item)) {
        show_message("!Throwing a bow isn't a wise move! Keep it wielded and shoot arrows instead.");
        return -1;
    }
    int bow_id = 0;
    // 6. An arrow needs a bow in hand.
    if (item.subclass == SUBCLASS_MISSILE) {
        const Hands now = look_at_hands();
        if (now.bow_slot == PLR_NO_SLOT) {
            show_message("!In order to shoot an arrow you also need to wield a bow!");
            return -1;
        }
        if (check_physical_requirements(-1, parse_physical_requirements("arms"), 0, "shoot a bow")) return -1;
        if (!(item.state_bits & (OBJ_IN_FIRST_HAND | OBJ_IN_SECOND_HAND))) {
            const int id = Plr.plr_inv_id[slot];
            if (!plr_wield_item(2, slot, 0)) {
                plr_merge_stacks_into(slot);
                return -1;
            }
            slot = plr_find_inventory_item(id);
            const Hands again = look_at_hands();
            if (again.arrow_slot == PLR_NO_SLOT) return -1;
            slot = again.arrow_slot;
            item = record_of_slot(slot);
        }
        const int bow_slot = look_at_hands().bow_slot;
        bow_id = Plr.plr_inv_id[bow_slot];
        const ObjectRecord bow = record_of_slot(bow_slot);
        current_object = bow;
        msg_item = -1;
        if (name_has(bow, "rossbow")) {
            show_message(message_by_key("PREPARE_TO_FIRE"));
            delay = 0;
        } else {
            const int level = cre_skill_level(-1, "BOW");
            if (level >= 70 && delay > 1 && random_below(3) != 2) delay = 0;
            if (level < 25) {
                ++delay;
                if (random_below(3) != 2) delay = 0;
            }
            show_message(message_by_key("PREPARE_TO_SHOOT"));
        }
        shooting = true;
    } else {
        current_object = item;
        msg_item = -1;
        show_message(message_by_key("PREPARE_TO_THROW"));
    }

    // 8. One to throw; the world may move while the player aims.
    if (Plr.plr_inv_count[slot] > 1 && !plr_split_off_single_item(slot)) return -1;
    const int missile_id = Plr.plr_inv_id[slot];
    if (delay > 0) {
        update_map_objects();
        view_rebuild_request = 1;
        if (quit_state == -1) return -1;
    }
    // 9. A foe engaged with a player who is down or busy.
    if (plr_count_adjacent_fighters(-1, 1) > 0 && (Plr.body_state & 0x0C)) {
        show_message(message_by_key("MISSILE_ATTACK_CANCELLED"));
        plr_merge_stacks_into(slot);
        return -1;
    }

    // 10. The target.
    if (!screen_hooks.choose_target_location(1, "where to throw")) {
        plr_merge_stacks_into(slot);
        return -1;
    }
    const int x = target_x, y = target_y;
    int creature = item.kind == KIND_BOWSTRING ? -1 : screen_hooks.choose_creature_at(x, y, 0);
    if (creature == -1000) {
        plr_merge_stacks_into(slot);
        return -1;
    }

    // 11. The record as it was, and the missile out of the pack.
    const PlayerRecord kept = Plr;
    ObjectRecord thrown;
    obj_record(missile_id, thrown);
    thrown.state_bits &= uint8_t(~(OBJ_IN_FIRST_HAND | OBJ_IN_SECOND_HAND));
    plr_take_from_slot(slot, 1);
    plr_recompute_carried_weight();

    // 12. Food for one's own animal.
    int feed = -1;
    if (creature >= 0 && cre_slot_valid(creature)) {
        const bool food = thrown.item_class == FOOD_CLASS || thrown.kind == KIND_PET_FOOD;
        if (food && cre_is_own_animal(creature)) {
            feed = creature;
            creature = -1;
        } else if (food && Cre[creature].kind == KIND_DOG) {
            creature = -1;
        } else if (name_has(thrown, "bread") && cre_is_tame_kind611(creature)) {
            Cre[creature].energy = 0;
            feed = creature;
            creature = -1;
        }
    }

    // 14-15. The flight; the string wears with a shot that took place.
    int result;
    const int bow_slot = shooting ? plr_find_inventory_item(bow_id) : -1;
    if (creature < 0) {
        missile_at_square(thrown, x, y, shooting ? bow_id : 0);
        if (missile_report[0]) {
            char text[300];
            format_text(text, sizeof text, "%s.", missile_report);
            show_message(text);
        }
        if (combat.hit_obstacle) report_missile_obstacle();
        else if (combat.stopped_at_contour) report_missile_contour();
        else if (combat.too_far) {
            current_object = thrown;
            msg_item = -1;
            show_message(message_by_key("CANT_THROW_THAT_FAR"));
        }
        result = 1;
    } else {
        const int id = obj_store_record(thrown);
        result = missile_attack(0, id, -1, 0, creature, shooting ? bow_id : id);
        if (!result) {
            Plr = kept;
            return -1;
        }
    }
    if (shooting && bow_slot >= 0 && bow_slot < PLR_INV_SLOTS && random_below(5) == 0)
        plr_break_bowstring(bow_slot, random_below(3));
    turn_time_state = TURN_ONE_TURN;
    // 16. The animal eats what it was thrown.
    if (feed >= 0) order_pet_to_eat(feed);
    return result;
}
