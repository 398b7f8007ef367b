// The activity dispatcher: every activity a key, a command menu or the
// repeat key starts goes through one table that names its routine, whether
// the world map refuses it, and whether "r" may repeat it.
#include "objects/activities.h"

#include "base/platform.h"
#include "base/tag_text.h"
#include "body/body_condition.h"
#include "body/body_queries.h"
#include "body/combat_commands.h"
#include "game/screen_hooks.h"
#include "maps/map_layers.h"
#include "objects/containers.h"
#include "objects/hauling.h"
#include "objects/item_commands.h"
#include "objects/item_use.h"
#include "society/society_services.h"
#include "ui/message_line.h"
#include "work/building.h"
#include "work/clothes.h"
#include "work/cooking.h"
#include "work/field_work.h"
#include "work/fishing.h"
#include "work/timber.h"
#include "work/work_services.h"

int32_t last_activity_code = 0;
int32_t last_activity_argument = 0;
char last_activity_data[LAST_ACTIVITY_TEXT] = "";

namespace {

using ActivityRoutine = int (*)(int code, int argument, const char* text);

struct ActivityRow {
    int32_t code;
    bool world_map_refused;  // the row's own refusal, before its routine
    ActivityRoutine run;
};

// The routines by code. A code without a row only shows its name.
const ActivityRow activity_rows[] = {
    {-1, false, [](int c, int a, const char* t) { return Tee(c, a, t); }},
    {1, true, [](int, int, const char*) { return fell_tree(-1, 0, 0, 0, 0); }},
    {2, false, [](int c, int, const char*) { return do_timbercraft(-1, 0, 0, c, 0); }},
    {3, false, [](int c, int, const char*) { return do_timbercraft(-1, 0, 0, c, 0); }},
    {4, false, [](int c, int, const char*) { return do_timbercraft(-1, 0, 0, c, 0); }},
    {5, true, [](int, int, const char*) { peel_bark(); return 0; }},
    {6, false, [](int c, int, const char*) { return do_timbercraft(-1, 0, 0, c, 0); }},
    {15, true, [](int, int, const char*) { make_leaning_spruce_shelter(); return 0; }},
    {27, false, [](int, int, const char*) { grind_flour(); return 0; }},
    {28, true, [](int, int, const char*) { thresh_harvest(player_x, player_y, -1, -1000); return 0; }},
    {29, true, [](int, int, const char*) { harvest_command(); return 0; }},
    {30, true, [](int, int, const char*) { prepare_soil(); return 0; }},
    {31, true, [](int, int, const char*) { sow_or_plant(); return 0; }},
    {32, true, [](int, int, const char*) { cut_branches(); return 0; }},
    {33, true, [](int, int, const char*) { build_fire(); return 0; }},
    {35, true, [](int, int, const char*) { make_ice_hole(); return 0; }},
    {36, false, [](int, int, const char*) { skin_carcass_command(); return 0; }},
    {37, false, [](int, int, const char*) { cure_skin(); return 0; }},
    {38, false, [](int, int, const char*) { tan_skin(); return 0; }},
    {39, false, [](int, int, const char*) { dehair_skin(); return 0; }},
    {43, false, [](int, int, const char*) { clean_skin(); return 0; }},
    {103, false, [](int c, int, const char*) { return Kokkaa(c, 0, 0); }},
    {105, false, [](int c, int, const char*) { return Kokkaa(c, 0, 0); }},
    {113, false, [](int c, int, const char*) { return Kokkaa(c, 0, 0); }},
    {118, false, [](int c, int, const char*) { return Kokkaa(c, 0, 0); }},
    {120, false, [](int c, int, const char*) { return Kokkaa(c, 0, 0); }},
    {121, false, [](int c, int, const char*) { return Kokkaa(c, 0, 0); }},
    {122, false, [](int, int, const char* t) { return cook_by_recipe(t); }},
    {123, false, [](int c, int, const char*) { return Kokkaa(c, 0, 0); }},
    {219, false, [](int, int, const char*) { join_tying_equipment(); return 0; }},
    {220, false, [](int, int, const char*) { shorten_tying_equipment(); return 0; }},
    {240, true, [](int, int a, const char*) { return build_structure(a & 0xFF, 0); }},
    {280, false, [](int, int, const char*) { spin_yarn(); return 0; }},
    {281, false, [](int, int, const char*) { ret_plants(); return 0; }},
    {282, false, [](int, int, const char*) { dry_retted_plants(); return 0; }},
    {283, false, [](int, int, const char*) { extract_fibre(); return 0; }},
    {330, false, [](int, int, const char*) { make_bowstring(); return 0; }},
    {350, false, [](int, int, const char*) { make_clothes("LEATHER BELT"); return 0; }},
    {351, false, [](int, int, const char*) { make_clothes("LEATHER CAP"); return 0; }},
    {352, false, [](int, int, const char*) { make_clothes("LEATHER SHIRT"); return 0; }},
    {353, false, [](int, int, const char*) { make_clothes("LEATHER LEGGINGS"); return 0; }},
    {354, false, [](int, int, const char*) { make_clothes("LEATHER SHOES"); return 0; }},
    {355, false, [](int, int, const char*) { make_clothes("FUR CAP"); return 0; }},
    {356, false, [](int, int, const char*) { make_clothes("FUR SHIRT"); return 0; }},
    {357, false, [](int, int, const char*) { make_clothes("Fur mittens"); return 0; }},
    {358, false, [](int, int, const char*) { make_clothes("Fur leggings"); return 0; }},
    {359, false, [](int, int, const char*) { make_clothes("Fur hood"); return 0; }},
    {360, false, [](int, int, const char*) { make_clothes("Fur footwear"); return 0; }},
    {361, false, [](int, int, const char*) { make_clothes("Fur cloak"); return 0; }},
    {362, false, [](int, int, const char*) { make_clothes("LEATHER FOREARM GUARDS"); return 0; }},
    {363, false, [](int, int, const char*) { make_clothes("LEATHER SHIN GUARDS"); return 0; }},
    {364, false, [](int, int, const char*) { make_clothes("LEATHER CUIRASS"); return 0; }},
    {365, false, [](int, int, const char*) { make_clothes("FUR OVERCOAT"); return 0; }},
    {370, false, [](int, int, const char*) { repair_clothing(); return 0; }},
    {391, false, [](int, int, const char*) { disassemble_trap(); return 0; }},
    {392, false, [](int c, int, const char*) { set_trap(c, -1); return 0; }},
    {393, false, [](int c, int, const char*) { set_trap(c, -1); return 0; }},
    {394, false, [](int c, int, const char*) { set_trap(c, -1); return 0; }},
    {395, false, [](int c, int, const char*) { set_trap(c, -1); return 0; }},
    {396, false, [](int c, int, const char*) { set_trap(c, -1); return 0; }},
    {397, false, [](int c, int, const char*) { set_trap(c, -1); return 0; }},
    {400, false, [](int c, int, const char*) { set_trap(c, -1); return 0; }},
    {402, false, [](int, int, const char*) { bait_trap(); return 0; }},
    {420, false, [](int, int, const char*) { wear_command(); return 0; }},
    {423, false, [](int, int, const char*) { wield_command(-1000, 0); return 0; }},
    {424, false, [](int, int, const char*) { drop_command(); return 0; }},
    {426, false, [](int, int, const char*) { take_off_command(); return 0; }},
    {449, false, [](int, int, const char*) { talk_command(1); return 0; }},
    {450, false, [](int, int, const char*) { talk_command(0); return 0; }},
    {451, false, [](int, int, const char*) { fill_command(-1000); return 0; }},
    {452, false, [](int, int, const char*) { return cre_try_rise(-1); }},
    {453, false, [](int, int, const char*) { injuries_screen(); return 0; }},
    {454, false, [](int, int, const char*) { butcher_carcass_command(); return 0; }},
    {455, false, [](int, int, const char*) { plr_sleep(0); return 0; }},
    {458, false, [](int, int, const char*) { return Kaada_Astiaan(-1000); }},
    {459, false, [](int, int, const char*) { empty_command(-1000); return 0; }},
    {500, false, [](int, int, const char*) { go_fishing(-1000, 0); return 0; }},
    {501, false, [](int, int, const char*) { go_fishing(-1000, 1); return 0; }},
    {502, false, [](int, int, const char*) { retrieve_fishing_net(0, 0); return 0; }},
    {600, false, [](int, int, const char*) { return deconstruct_structure(0, 0, -1); }},
    {601, true, [](int, int, const char*) { return build_structure(0, 0); }},
    {700, false, [](int, int, const char*) { haul_command(); return 0; }},
    {701, false, [](int, int, const char*) { push_or_pack_items(0, 0, 0); return 0; }},
    {800, false, [](int, int, const char*) { plr_attack_command('t'); return 0; }},
    {900, false, [](int, int, const char*) { return apply_command(); }},
};

// The item and fire commands that "r" never repeats: they ask anew every
// time, and repeating one would hand the player's last choice to a screen
// that no longer shows it.
const int32_t unremembered_codes[] = {33,  420, 423, 424, 425, 426, 451, 452, 453,
                                      454, 455, 458, 459, 700, 701, 800, 900};

// Moving goods about and the hunt at range only make sense on a local map.
const int32_t world_map_refused_codes[] = {500, 501, 502, 700, 701, 800};

bool listed(const int32_t* codes, size_t n, int32_t code) {
    for (size_t i = 0; i < n; ++i)
        if (codes[i] == code) return true;
    return false;
}

}  // namespace

namespace {
const ActivityRow* find_activity_row(int32_t code) {
    for (const ActivityRow& row : activity_rows)
        if (row.code == code) return &row;
    return nullptr;
}
}  // namespace

bool activity_is_remembered(int32_t code) {
    return !listed(unremembered_codes, sizeof unremembered_codes / sizeof *unremembered_codes, code);
}

int perform_activity(int code, int argument, const char* data) {
    if (code == 0) return 0;
    if (screen_hooks.show_command_line) screen_hooks.show_command_line(activity_name(code));
    if (listed(world_map_refused_codes, sizeof world_map_refused_codes / sizeof *world_map_refused_codes, code) &&
        wilderness_refusal())
        return 0;
    if (activity_is_remembered(code)) {
        last_activity_code = code;
        last_activity_argument = argument;
        // The text may be the remembered one itself (the repeat key).
        if (data != last_activity_data) copy_text(last_activity_data, data ? data : "");
    }
    const ActivityRow* row = find_activity_row(code);
    if (!row) return 0;
    if (row->world_map_refused && wilderness_refusal()) return 0;
    return row->run(code, argument, data ? data : "");
}

int wilderness_refusal() {
    if (!is_world_map()) return 0;
    show_message(
        "!That's not allowed on the wilderness map! Press [ENTER] to zoom on the local terrain "
        "map.");
    return 1;
}

int wilderness_refusal_fishing() {
    if (!is_world_map()) return 0;
    char line[96];
    format_text(line, sizeof line, "!%s is not allowed on the wilderness map.", "fishing");
    show_message(line);
    show_message("_Press [ENTER] to zoom on the local terrain map.");
    return 1;
}
