#include "body/combat_commands.h"

#include "objects/throwing.h"

#include <cctype>
#include <cstring>

#include "base/platform.h"
#include "body/attack_resolver.h"
#include "body/body_queries.h"
#include "body/body_condition.h"
#include "body/combat_state.h"
#include "body/skills.h"
#include "body/weapon_tests.h"
#include "creatures/creature_files.h"
#include "creatures/creature_services.h"
#include "game/player.h"
#include "game/screen_hooks.h"
#include "game/turn_state.h"
#include "maps/map_layers.h"
#include "maps/map_view.h"
#include "maps/terrain_types.h"
#include "objects/inventory.h"
#include "objects/map_kinds.h"
#include "objects/map_object_table.h"
#include "objects/object_store.h"
#include "society/game_course.h"
#include "society/society_services.h"
#include "ui/catalogue.h"
#include "ui/menus.h"
#include "ui/message_line.h"
#include "work/work_services.h"

int32_t combat_reference = -1;
uint8_t last_attack_key = 0;
int32_t attack_action_taken = 0;

namespace {

constexpr uint32_t TF_BEHIND_HEEL = 0x40;  // kicked with the heel when not in view
constexpr uint32_t TF_HARD = 0x04;         // hurts the foot that kicks it

constexpr int KIND_TREE_DWELLER = 604;
constexpr int32_t ALTITUDE_UP_A_TREE = 200;
constexpr int KNOWLEDGE_TREE_KICK = 60;  // the ritual whose first part teaches the kick
constexpr int SPIRIT_FOREST = 702;
constexpr int COURSE_EVENT_TREE_KICK = 11;

// A heel kick at a tree that holds the dweller of kind 604, by one who
// knows the rite: the creature up there is startled (its fleeing count
// starts), and the forest spirit is pleased.
void kick_the_dwellers_tree(int x, int y) {
    if (!(Plr.plr_knowledge[KNOWLEDGE_TREE_KICK] & 0x01)) return;
    for (int i = 0; i < MAP_OBJECT_COUNT; ++i) {
        const MapObject& o = Data[i];
        if (o.TYPE != MK_CREATURE || o.x != x || o.y != y) continue;
        const int slot = o.DATA - CRE_REF_BASE;
        if (!cre_slot_valid(slot) || CreSlotRefs[slot] != o.DATA || Cre[slot].kind != KIND_TREE_DWELLER) continue;
        CreatureRecord& c = Cre[slot];
        if (c.air_state != ALTITUDE_UP_A_TREE || c.flee_d != 0) return;
        c.flee_d = uint8_t(10 + body_draw(10));
        spirit_mood_add(player_x, player_y, SPIRIT_FOREST, 3);
        report_game_course_event(COURSE_EVENT_TREE_KICK);
        return;
    }
}

// The terrain's name in lower case, for the kick's texts.
const char* lower_terrain_name(int x, int y) {
    static char name[80];
    copy_text(name, terrain_name(terrain_at(x, y)));
    for (char* p = name; *p; ++p) *p = char(std::tolower(static_cast<unsigned char>(*p)));
    return name;
}

// What the weapon in hand allows: 1 it strikes, 0 refused (told), -1 the
// shield menu was opened instead.
int weapon_check(int kind, ObjectRecord& item) {
    if (obj_is_shield(item) && plr_count_adjacent_fighters(-1, 0) == 0) {
        plr_shield_menu();
        return -1;
    }
    if (item.item_class == 1 && (item.subclass == 1 || item.subclass == 5)) {
        if (obj_is_missile_weapon(item)) {
            show_message("!Don't strike with a bow, but use [t]hrow command and select an arrow to shoot.");
        } else {
            current_object = item;
            msg_item = -1;
            show_message(message_by_key("BAD_MELEE_WEAPON"));
        }
        return 0;
    }
    if (item.item_class == 1 && item.subclass == 6) {
        show_message("!Don't strike with an arrow, but use [t]hrow command to shoot it.");
        return 0;
    }
    if (item.item_class != 1 && !obj_is_shield(item)) {
        current_object = item;
        msg_item = -1;
        show_message(message_by_key("BAD_MELEE_WEAPON"));
        return 0;
    }
    // A weapon meant for both hands, held in one: the player is warned and
    // the resolver takes the penalty.
    const int penalty = item.coverage[0];
    if (penalty != 0) {
        const bool both_full = plr_wielded_slot(1) != PLR_NO_SLOT && plr_wielded_slot(2) != PLR_NO_SLOT;
        int impaired = 0;
        for (int side = LIMB_RIGHT; side <= LIMB_LEFT && !impaired; ++side)
            if (cre_limb_impairment(-1, LIMB_ARMS, side) >= 1.0f) impaired = side;
        if (both_full || impaired) {
            if (impaired) show_message(message_by_key(impaired == 1 ? "CANT_WIELD_INJURED:1" : "CANT_WIELD_INJURED:2"));
            format_text(msg_var_text, sizeof msg_var_text, "%d", penalty);
            current_object = item;
            msg_item = -1;
            show_message(message_by_key("TWO-HANDED_PENALTY"));
            debug_message_format("one handed penalty: %d", penalty);
        }
    }
    (void)kind;
    return 1;
}

// A kick or blow at a cell where no creature stands.
int strike_at_nothing(bool kick, int x, int y) {
    for (int i = 0; i < MAP_OBJECT_COUNT; ++i)
        if (Data[i].TYPE == MK_TRAP && Data[i].x == x && Data[i].y == y) return spring_trap(i);
    if (kick && (terrain_flags_of(terrain_at(x, y)) & TF_HARD)) {
        char text[160];
        format_text(text, sizeof text, "You kick the %s. Ouch!", lower_terrain_name(x, y));
        show_message(text);
        return 0;
    }
    show_message("!There's nothing to attack at!");
    return 0;
}

}  // namespace

int plr_melee_attack(int kind) {
    const bool kick = kind == 3;
    int weapon = kind, hand = 0;

    // 1. The weapon in hand.
    if (kind == 1 || kind == 2) {
        const int slot = plr_wielded_slot(kind);
        if (slot == PLR_NO_SLOT) {
            show_message(message_by_key("NOT_WIELDED"));
            return 0;
        }
        weapon = Plr.plr_inv_id[slot];
        ObjectRecord item;
        obj_record(weapon, item);
        if (weapon_check(kind, item) != 1) return 0;
        hand = kind;
    }
    // 2. A punch needs a free hand.
    if (kind == 4 && plr_wielded_slot(1) != PLR_NO_SLOT && plr_wielded_slot(2) != PLR_NO_SLOT) {
        show_message("*CK");
        return 0;
    }
    // 3. Where.
    if (!screen_hooks.choose_target_location(kick ? 6 : 2, kick ? "where to kick" : "where is your enemy")) return 0;
    const int x = target_x, y = target_y;

    // 4. A heel kick at what stands behind.
    if (kick && (terrain_flags_of(terrain_at(x, y)) & TF_BEHIND_HEEL) && !is_in_view(x, y)) {
        char text[160];
        format_text(text, sizeof text, "You kick the %s behind you with your heel.", lower_terrain_name(x, y));
        show_message(text);
        kick_the_dwellers_tree(x, y);
        return 1;
    }
    // 5. Who stands there.
    const int creature = screen_hooks.choose_creature_at(x, y, 0);
    if (creature == -1000) return 0;
    if (creature < 0) return strike_at_nothing(kick, x, y);
    if (!is_in_view(x, y)) {
        show_message("!You see no creature there.");
        return 0;
    }
    if (cre_slot_valid(creature) && Cre[creature].air_state > 0) {
        char text[200];
        format_text(text, sizeof text, "!You can't reach to hit the %s! It's high above your head.",
                    creature_name(creature, 0));
        show_message(text);
        return 0;
    }
    attack_action_taken = 1;
    combat_reference = creature;
    return cre_resolve_attack(-1, weapon, hand, creature, 0);
}

int plr_attack_command(int key) {
    // 1. What the setup remembers for repeats, and the last key.
    const int32_t saved_aspect = combat.last_aspect_index, saved_zone = combat.last_zone,
                  saved_helpless = combat.last_helpless;
    const uint8_t saved_key = last_attack_key;
    combat.repeat_attack = 0;
    if (key == '3') {
        combat.repeat_attack = 1;
        key = last_attack_key;
    }
    last_attack_key = uint8_t(key);
    attack_action_taken = 0;

    // 2. The attack.
    int result = key;
    switch (key) {
    case '0': screen_hooks.show_command_line("Kick"); result = plr_melee_attack(3); break;
    case '1': screen_hooks.show_command_line("Attack (1st weapon)"); result = plr_melee_attack(1); break;
    case '2': screen_hooks.show_command_line("Attack (2nd weapon)"); result = plr_melee_attack(2); break;
    case '9': screen_hooks.show_command_line("Punch"); result = plr_melee_attack(4); break;
    case 't':
        screen_hooks.show_command_line("Throw/shoot");
        result = throw_or_shoot_command();
        if (result > 0) attack_action_taken = 1;
        break;
    default: break;
    }
    combat.repeat_attack = 0;

    // 3. A command that came to nothing leaves the memory as it was.
    if (!attack_action_taken) {
        combat.last_aspect_index = saved_aspect;
        combat.last_zone = saved_zone;
        combat.last_helpless = saved_helpless;
        last_attack_key = saved_key;
    } else {
        turn_time_state = TURN_ONE_TURN;
    }
    return result;
}

void plr_shield_menu() {
    show_message("#Select how to hold the shield to cover yourself against missile attacks.");
    menu_clear();
    menu_add('N', "None");
    menu_add('C', "Center");
    menu_add('H', "High");
    menu_add('S', "Side");
    menu_set_topic("SHIELD");
    const int key = menu_run("Shield mode");
    uint8_t& flags = Plr.shield_stance;
    switch (key) {
    case 'C':
    case 'c':
        flags = uint8_t((flags & ~0x0E) | 0x02);
        show_message("_Holding the shield carefully in front of your center slows your movement.");
        break;
    case 'H':
    case 'h':
        flags = uint8_t((flags & ~0x0E) | 0x04);
        show_message("_Holding the shield high restricts your field of vision and slows your movement.");
        break;
    case 'S':
    case 's':
        flags = uint8_t((flags & ~0x0E) | 0x08);
        show_message("_Holding the shield raised by your side it's slightly slower to move.");
        break;
    case 'N':
    case 'n':
        flags = uint8_t(flags & ~0x0E);
        show_message("_You move normally and don't cover behind the shield.");
        break;
    default:
        // ESC leaves the stance as it was.
        break;
    }
    view_rebuild_request = 1;
}

int choose_shield_mode() {
    plr_shield_menu();
    return 0;
}
