#include "objects/item_selection.h"

#include <algorithm>
#include <cstring>

#include "base/stubs.h"
#include "base/tag_text.h"
#include "base/text_ring.h"
#include "creatures/creature_files.h"
#include "creatures/creature_services.h"
#include "game/player.h"
#include "maps/map_layers.h"
#include "objects/inventory.h"
#include "objects/inventory_services.h"
#include "objects/map_object_table.h"
#include "objects/object_names.h"
#include "objects/ownership.h"
#include "ui/boxes.h"
#include "ui/canvas.h"
#include "ui/catalogue.h"
#include "ui/encyclopedia.h"
#include "ui/font.h"
#include "ui/input.h"
#include "ui/menus.h"
#include "ui/message_line.h"
#include "ui/prompts.h"

int selection_page_start = 0;
int selection_cursor = 0;
int last_row_hot_key = 0;
int last_row_position = -1;
int32_t chosen_activity = 0;
char last_list_refusal[200] = "";

namespace {

constexpr const char* ROW_HOT_KEYS = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ";
constexpr int ROW_KEY_COUNT = 52;
constexpr int ROW_STEP = 12;
constexpr int SECTION_GAP = 17;
constexpr int PAGE_END = 370;  // 25 pixels above the hint line at 395
constexpr int ROW_TEXT_LIMIT = 40;
constexpr int MOST_CHOSEN = 10;
constexpr uint8_t SUBCLASS_WATERCRAFT = 13;
constexpr uint8_t SUBCLASS_LEASH = 9;
constexpr uint8_t SUBCLASS_TIED_ITEM = 40;
constexpr uint8_t BFDOM_TIED_TO_TREE = 0x10;
constexpr int32_t KIND_WATER = 55;
constexpr int32_t KIND_BOW = 120;
constexpr int32_t KIND_PART_HOLDER = 249;
constexpr int TERRAIN_SAUNA_STOVE = 5;
constexpr uint8_t BODY_FAINTED = 4;

// The rows drawn on the page: the list-widget row of each, and its list
// position.
struct DrawnRow {
    int widget_row;
    int position;
};
DrawnRow drawn_rows[LIST_ROWS];
int drawn_count = 0;

// The choices remembered across filter changes.
struct Remembered {
    int32_t source;
    int32_t index;
    int32_t object;
    int32_t chosen;
};
Remembered memory[SELECTION_ENTRIES];
int memory_count = 0;

// Where the last choice was made, for the next call with the same prompt
// and filter.
struct Position {
    char prompt[100];
    int filter;
    int cursor;
    int page;
    bool kept;
};
Position remembered{};

Uint32 grey() { return map_rgb(171, 171, 171); }
Uint32 steel() { return map_rgb(176, 196, 222); }

ObjectRecord record_of(const SelectionEntry& e) {
    ObjectRecord r;
    obj_record(e.object, r);
    return r;
}

}  // namespace

void item_row_text(int position, const SelectionEntry& e, char* out, size_t cap) {
    const ObjectRecord r = record_of(e);
    char name[200];
    copy_text(name, sizeof name, obj_name_with_unit(e.object, e.amount, NAME_WITH_COUNT));
    if (!obj_owner_status(r).free) {
        if (r.ownflag & OWN_UNPAID) append_text(name, sizeof name, " (unpaid)");
        if (r.ownflag & OWN_TAKEN) append_text(name, sizeof name, " (taken)");
    }
    const char key = ROW_HOT_KEYS[position % ROW_KEY_COUNT];
    if (e.chosen > 0 && e.chosen < e.amount) format_text(out, cap, "%c.(%d) %s", key, e.chosen, name);
    else format_text(out, cap, "%c.%s", key, name);
    if (std::strlen(out) >= size_t(ROW_TEXT_LIMIT) && cap > size_t(ROW_TEXT_LIMIT)) {
        out[ROW_TEXT_LIMIT - 2] = 0;
        append_text(out, cap, "..");
    }
}

namespace {

void draw_section_head(int y, int item_class, bool carried) {
    const int right = SEL_LEFT + SEL_WIDTH;
    const int usage_x = right - 53, weight_x = usage_x - 64, state_x = weight_x - 128;
    draw_title_bar(SEL_LEFT + 5, y, SEL_WIDTH - 10, obj_category_name(item_class), 0);
    if (item_class == ITEM_FOOD || item_class == ITEM_CONTAINER) draw_text_at(usage_x, y + 3, "usage", grey(), 0);
    if (item_class == ITEM_WEAPON || item_class == ITEM_ARMOUR || item_class == ITEM_SKIN)
        draw_text_at(usage_x, y + 3, "wear", grey(), 0);
    draw_text_at(weight_x, y + 3, "weight", grey(), 0);
    if (carried) {
        const char* state = item_class == ITEM_WEAPON ? "wielded" : item_class == ITEM_ARMOUR ? "  worn "
                            : item_class == ITEM_TOOL ? " in use" : "";
        if (state[0]) draw_text_at(state_x, y + 3, state, grey(), 0);
    }
}

int chosen_entries() {
    int n = 0;
    for (int i = 0; i < selection_count; ++i)
        if (selection_list[i].chosen > 0) ++n;
    return n;
}

void remember_choices() {
    memory_count = 0;
    for (int i = 0; i < selection_count; ++i) {
        const SelectionEntry& e = selection_list[i];
        if (e.chosen > 0 && memory_count < SELECTION_ENTRIES)
            memory[memory_count++] = {e.source, e.index, e.object, e.chosen};
    }
}

// The marks of every entry for the purpose and flags; whether the list
// holds more than one class.
void mark_entries(int mode, int x, int y, int flags, int filter, int purpose) {
    for (int i = 0; i < selection_count; ++i) {
        SelectionEntry& e = selection_list[i];
        const ObjectRecord r = record_of(e);
        if (mode == 1 && x == player_x && y == player_y && r.item_class == ITEM_VEHICLE &&
            r.subclass == SUBCLASS_WATERCRAFT && is_open_water_at(x, y))
            e.invalid = 1;
        if (r.item_class == ITEM_TOOL && r.subclass == SUBCLASS_LEASH && purpose != PURPOSE_PICK_UP) {
            const int animal = leash_creature(r);
            if (cre_slot_valid(animal) && (Cre[animal].bfdom & BFDOM_TIED_TO_TREE)) e.invalid = e.in_use = 1;
        }
        const bool worn = (r.state_bits & OBJ_WORN) != 0;
        const bool wielded = (r.state_bits & (OBJ_IN_FIRST_HAND | OBJ_IN_SECOND_HAND)) != 0;
        e.worn = worn ? 1 : 0;
        if (purpose == PURPOSE_WEAR && !worn && wear_conflict(-1, e.object, 0)) e.invalid = e.wear_conflict = 1;
        if (purpose == PURPOSE_TAKE_OFF && !worn && !wielded && !(r.subclass == SUBCLASS_TIED_ITEM && r.link == 1))
            e.invalid = e.cant_take_off = 1;
        if (purpose == PURPOSE_WIELD && r.subclass == SUBCLASS_TIED_ITEM) e.invalid = 1;
        // Worn clothes can't be dropped: "select all" never strips the player.
        if (purpose == PURPOSE_DROP && worn) e.invalid = 1;
        if ((flags & SEL_WORN_INVALID) && worn) e.invalid = 1;
        if ((flags & SEL_IN_USE_INVALID) && r.item_class == ITEM_TOOL && r.link != 0) e.invalid = e.in_use = 1;
        if ((flags & SEL_FILTER_INVALID) && !filter_accepts(filter, r)) e.invalid = e.filtered = 1;
    }
}

// Fills and marks the list; the classes of the purpose that are missing.
int build_list(int mode, int creature, int x, int y, int flags, int filter, int purpose) {
    if (mode == 1) list_ground_items(x, y);
    else list_carried_items(creature, 0);
    mark_entries(mode, x, y, flags, filter, purpose);
    uint32_t present = 0;
    for (int i = 0; i < selection_count; ++i) present |= 1u << record_of(selection_list[i]).item_class;
    applicable_class_mask = filter < 0 ? (uint32_t(filter) & 0x1FFE & ~present) : 0;
    // The outsiders marked invalid show once the filter is dropped ("*").
    return filter_item_list(filter, flags & SEL_FILLED_AS_CONTAINER);
}

// The refusal of an invalid entry for the purpose; in quiet mode nothing
// goes to the message line.
void refuse_entry(const SelectionEntry& e, const char* verb, int flags, int purpose) {
    const bool quiet = (flags & SEL_QUIET) != 0;
    msg_item = e.object;
    copy_text(msg_var_text, sizeof msg_var_text, verb ? verb : "");
    const char* key = "ITEM_INVALID";
    if ((flags & SEL_WORN_INVALID) && e.worn) key = "ITEM_BEING_WORN";
    else if ((flags & SEL_IN_USE_INVALID) && e.in_use) key = "ITEM_IN_USE";
    if (purpose == PURPOSE_WEAR && e.wear_conflict) {
        wear_conflict(-1, e.object, quiet ? 0 : 1);
        copy_text(last_list_refusal, sizeof last_list_refusal, "wear conflict");
        return;
    }
    if (purpose == PURPOSE_WEAR && e.worn) key = "WEAR_ALREADY";
    if (purpose == PURPOSE_DROP && e.worn) key = "CANT_DROP_WORN";
    if (purpose == PURPOSE_TAKE_OFF && e.cant_take_off) key = "TAKEOFF_CANT";
    show_list_refusal(message_by_key(key), quiet);
}

int amount_for(const SelectionEntry& e, int flags) {
    if (e.amount <= 1) return 1;
    if ((flags & (SEL_SEVERAL | SEL_ASK_AMOUNT)) && !(flags & SEL_ONE_OF_STACK)) return ask_count(0, e.amount);
    return 1;
}

void choose_all(int flags) {
    int chosen = chosen_entries();
    for (int i = 0; i < selection_count; ++i) {
        SelectionEntry& e = selection_list[i];
        if (e.invalid || e.chosen > 0) continue;
        if ((flags & SEL_AT_MOST_TEN) && chosen >= MOST_CHOSEN) break;
        e.chosen = (flags & SEL_ONE_OF_STACK) ? 1 : e.amount;
        ++chosen;
    }
}

void unchoose_all() {
    for (int i = 0; i < selection_count; ++i) selection_list[i].chosen = 0;
}

bool hand_holds_something() { return plr_wielded_slot(1) >= 0 || plr_wielded_slot(2) >= 0; }

// The screen around the page: title, the purpose line, hints and keys.
void draw_frame(const char* prompt, const char* verb, int flags, int filter, int purpose) {
    draw_window(SEL_LEFT, SEL_TOP, SEL_WIDTH, SEL_HEIGHT, prompt && prompt[0] ? prompt : "Items selection", 0);
    const bool several = (flags & SEL_SEVERAL) != 0;
    int x = SEL_LEFT + 10;
    const int y = SEL_TOP + 22;
    const char* lead = several ? "Select items to " : "Select an item to ";
    draw_text_at(x, y, lead, steel(), 0);
    x += 8 * int(std::strlen(lead));
    draw_text_at(x, y, verb ? verb : "", map_rgb(240, 230, 140), 0);
    x += 8 * int(std::strlen(verb ? verb : ""));
    draw_text_at(x, y, ".", steel(), 0);

    int line = 395;
    const char* hint = "Use hotkeys, mouse click or ";
    draw_text_at(SEL_LEFT + 10, line + 2, hint, grey(), 0);
    const Uint32 keep_label = key_label_colour;
    key_label_colour = grey();
    draw_key_caption(SEL_LEFT + 10 + 8 * int(std::strlen(hint)), line, "ENTER.to select.");
    key_label_colour = keep_label;
    line += 18;
    const int chosen = chosen_entries();
    if (several) {
        draw_key_caption(SEL_LEFT + 10, line, "+.Select all");
        if (chosen > 0) {
            draw_key_caption(SEL_LEFT + 150, line, "-.Deselect all");
            line += 18;
            const Uint32 keep = key_label_colour;
            key_label_colour = map_rgb(84, 252, 84);
            draw_key_caption(SEL_LEFT + 10, line, "SPACE.Done - proceed with selected.");
            key_label_colour = keep;
            if (flags & SEL_AT_MOST_TEN) {
                line += 18;
                if (chosen < MOST_CHOSEN) {
                    char text[80];
                    format_text(text, sizeof text, "...or select %d more entries.", MOST_CHOSEN - chosen);
                    draw_text_at(SEL_LEFT + 10, line, text, steel(), 0);
                } else {
                    draw_text_at(SEL_LEFT + 10, line, "You have selected the maximum number of entries.",
                                 map_rgb(168, 0, 0), 0);
                }
            }
        } else {
            draw_text_at(SEL_LEFT + 150, line + 2, "You can select multiple items here.", steel(), 0);
        }
        line += 18;
    }
    if (purpose == PURPOSE_WIELD && hand_holds_something()) {
        draw_key_caption(SEL_LEFT + 10, line, "-.Take off all wielded items, go empty handed.");
        line += 18;
    }
    if (purpose == PURPOSE_TAKE_OFF && chosen == 0) {
        if (plr_wielded_slot(1) >= 0) draw_key_caption(SEL_LEFT + 10, line, "1.Unwield 1st weapon");
        if (plr_wielded_slot(2) >= 0) draw_key_caption(SEL_LEFT + 220, line, "2.Unwield 2nd weapon");
        line += 18;
    }
    const int keys_y = SEL_TOP + SEL_HEIGHT - 40;
    draw_key_caption(SEL_LEFT + 10, keys_y, "\x18\x19.Move");
    draw_key_caption(SEL_LEFT + 110, keys_y, "PgDn.Next page");
    draw_key_caption(SEL_LEFT + 250, keys_y, "PgUp.Prev page");
    draw_key_caption(SEL_LEFT + 380, keys_y, "ESC.Cancel");
    char viewing[80];
    if (filter == 0) copy_text(viewing, sizeof viewing, "Viewing: All items");
    else if (filter == FILTER_UNPAID) copy_text(viewing, sizeof viewing, "Viewing: Unpaid");
    else if (filter > 0) format_text(viewing, sizeof viewing, "Viewing: %s", obj_category_name(filter));
    else copy_text(viewing, sizeof viewing, "Viewing: Applicable items");
    draw_text_at(SEL_LEFT + 10, keys_y + 20, viewing, steel(), 0);
    if (filter != 0) draw_key_caption(SEL_LEFT + 220, keys_y + 18, "*.All types");
    draw_key_caption(SEL_LEFT + 340, keys_y + 18, "TAB.Filter");
}

// The encyclopedia topic of an item name: the whole name, its last two
// words or its last word, the first that is a topic.
const char* item_topic(const char* name) {
    if (is_encyclopedia_topic(name)) return name;
    const char* last = std::strrchr(name, ' ');
    if (last == nullptr) return "";
    const char* before = last;
    while (before > name && before[-1] != ' ') --before;
    if (before > name && is_encyclopedia_topic(before)) return before;
    if (is_encyclopedia_topic(last + 1)) return last + 1;
    return "";
}

}  // namespace

void show_list_refusal(const char* text, int quiet) {
    const char* t = text ? text : "";
    if (!quiet) show_message(t);
    copy_text(last_list_refusal, sizeof last_list_refusal, t[0] == '!' || t[0] == '_' || t[0] == '#' ? t + 1 : t);
}

void merge_selection_memory() {
    for (int m = 0; m < memory_count; ++m) {
        const Remembered& r = memory[m];
        int at = -1;
        for (int i = 0; i < selection_count && at < 0; ++i)
            if (selection_list[i].source == r.source && selection_list[i].index == r.index &&
                selection_list[i].object == r.object)
                at = i;
        for (int i = 0; i < selection_count && at < 0; ++i)
            if (selection_list[i].chosen == 0 && selection_list[i].object == r.object) at = i;
        if (at >= 0) selection_list[at].chosen = std::min(r.chosen, selection_list[at].amount);
    }
}

int count_selected() {
    int n = 0;
    for (int m = 0; m < memory_count; ++m) {
        const Remembered& r = memory[m];
        for (int i = 0; i < selection_count; ++i)
            if (selection_list[i].object == r.object) {
                ++n;
                break;
            }
    }
    return n;
}

int render_item_list() {
    const int right = SEL_LEFT + SEL_WIDTH;
    const int usage_x = right - 53, weight_x = usage_x - 64, state_x = weight_x - 128;
    int y = std::max(SEL_TOP + 25, 45) + 20;  // below the purpose line
    int previous_class = -1;
    bool first = true;
    int looked = 0;
    drawn_count = 0;
    last_row_hot_key = 0;
    last_row_position = -1;
    for (int pos = selection_page_start; pos < selection_count; ++pos) {
        const SelectionEntry& e = selection_list[pos];
        const ObjectRecord r = record_of(e);
        if (r.item_class != previous_class) {
            const int head = y + (first ? 0 : SECTION_GAP);
            if (head + SECTION_GAP + ROW_STEP > PAGE_END) break;
            draw_section_head(head, r.item_class, e.source == LIST_SOURCE_CARRIED);
            y = head + SECTION_GAP;
            previous_class = r.item_class;
            first = false;
        }
        if (y + ROW_STEP > PAGE_END) break;
        char text[120];
        item_row_text(pos, e, text, sizeof text);
        const int key = ROW_HOT_KEYS[pos % ROW_KEY_COUNT];
        // Rows stand 12 pixels apart, closer than key caps: the row is a
        // plain line of text, its hot key letter lit, and the list widget
        // gets the row's rectangle for the highlight and the mouse.
        const int widget_row = list_header.count;
        list_add_item_at(-100, key, -100, "");
        if (widget_row < list_header.count) {
            ListItem& it = list_items[widget_row];
            it.x = SEL_LEFT + 6;
            it.y = y - 1;
            it.width = weight_x - SEL_LEFT - 10;
            it.height = ROW_STEP;
            copy_text(it.text, sizeof it.text, "TEXTSPOT");
        }
        if (e.chosen > 0) fill_canvas_rect(SEL_LEFT + 6, y - 1, weight_x - SEL_LEFT - 10, ROW_STEP, map_rgb(0, 168, 0));
        const char letter[2] = {text[0], 0};
        draw_text_at(SEL_LEFT + 8, y + 1, letter, map_rgb(255, 255, 255), 1);
        draw_text_at(SEL_LEFT + 16, y + 1, text + 1, e.invalid ? map_rgb(168, 0, 0) : map_rgb(238, 232, 170), 1);
        if (drawn_count < LIST_ROWS) drawn_rows[drawn_count++] = {widget_row, pos};
        if (r.weight != r.full_weight && r.full_weight > 0.0f) {
            draw_percent_bar(usage_x, y + 2, 30, int(r.weight / r.full_weight * 100.0f));
        } else if (obj_is_container(r) && r.contents == 0) {
            draw_text_at(usage_x, y + 1, "empty", grey(), 1);
        }
        draw_text_at(weight_x, y + 1, item_weight_text(e.object, e.amount), map_rgb(238, 232, 170), 1);
        draw_item_icons(state_x, y, r);
        y += ROW_STEP;
        last_row_hot_key = key;
        last_row_position = pos;
        ++looked;
    }
    for (int c = 0; c <= 12; ++c) {
        if (!(applicable_class_mask & (1u << c))) continue;
        const int head = y + SECTION_GAP;
        if (head + SECTION_GAP + ROW_STEP > PAGE_END) break;
        draw_title_bar(SEL_LEFT + 5, head, SEL_WIDTH - 10, obj_category_name(c), 0);
        draw_text_at(SEL_LEFT + 10, head + SECTION_GAP + 2, "Applicable, but none available.", map_rgb(168, 0, 0), 0);
        y = head + SECTION_GAP + ROW_STEP;
    }
    return looked;
}

namespace {

// The options of a chosen item are entries without an action of their own:
// the menu runner would start an entry's activity itself, and the caller
// of the selection runs the one chosen.
struct ItemOption {
    int key;
    int32_t action;
};
ItemOption options[4];
int option_count = 0;

void add_option(const char* label, int key, int32_t action) {
    menu_add_action(label, key, 0);
    if (option_count < int(sizeof options / sizeof *options)) options[option_count++] = {key, action};
}

int32_t option_action(int key) {
    for (int i = 0; i < option_count; ++i)
        if (key > 0 && options[i].key == key) return options[i].action;
    return 0;
}

}  // namespace

int container_options_menu(int slot) {
    if (slot < 0 || slot >= PLR_INV_SLOTS) return PURPOSE_USE;
    ObjectRecord r;
    obj_record(Plr.plr_inv_id[slot], r);
    if (!obj_is_container(r) && r.contents == 0) return PURPOSE_USE;
    menu_clear();
    option_count = 0;
    char text[120];
    if (r.kind == KIND_WATER) {
        bool stove = false;
        for (int dy = -1; dy <= 1; ++dy)
            for (int dx = -1; dx <= 1; ++dx)
                if (terrain_at(player_x + dx, player_y + dy) == TERRAIN_SAUNA_STOVE) stove = true;
        if (stove) add_option("T.Throw water on the sauna stove", 'T', 465);
    }
    format_text(text, sizeof text, "F.%s", activity_name(451));
    add_option(text, 'F', 451);
    add_option("P.Pour or put something into", 'P', 458);
    if (r.contents != 0) {
        format_text(text, sizeof text, "E.%s", activity_name(459));
        add_option(text, 'E', 459);
    }
    const int key = menu_run("CONTAINER OPTIONS");
    return option_action(key);
}

int leash_options_menu(int slot) {
    if (is_world_map() == 1) {
        show_message("!That's not allowed on the wilderness map! Press [ENTER] to zoom on the local terrain map.");
        return 0;
    }
    if (slot < 0 || slot >= PLR_INV_SLOTS) return PURPOSE_USE;
    ObjectRecord r;
    obj_record(Plr.plr_inv_id[slot], r);
    if (r.item_class != ITEM_TOOL || r.subclass != SUBCLASS_LEASH || !cre_slot_valid(leash_creature(r)))
        return PURPOSE_USE;
    menu_clear();
    option_count = 0;
    add_option("U.Unleash", 'U', 481);
    add_option("T.Tie to a tree", 'T', 480);
    const int key = menu_run("LEASHING OPTIONS");
    return option_action(key);
}

int part_options_menu(int slot) {
    if (slot < 0 || slot >= PLR_INV_SLOTS) return PURPOSE_USE;
    ObjectRecord r;
    obj_record(Plr.plr_inv_id[slot], r);
    if ((r.kind != KIND_BOW && r.kind != KIND_PART_HOLDER) || !obj_id_is_valid(int(r.effect_raw))) return PURPOSE_USE;
    menu_clear();
    option_count = 0;
    char text[120];
    format_text(text, sizeof text, "R.Remove the %s", obj_name(int(r.effect_raw), 1, NAME_NO_QUALITY));
    add_option(text, 'R', 490);
    const int key = menu_run("ITEM PART OPTIONS");
    return option_action(key);
}

int select_items(int mode, int creature, int x, int y, const char* prompt, const char* verb, int flags,
                 int type_filter, int purpose) {
    selection_count = 0;
    chosen_activity = 0;
    last_list_refusal[0] = 0;
    memory_count = 0;
    // A fainted player chooses nothing.
    if (Plr.body_state == BODY_FAINTED) return SEL_CANCELLED;
    if (mode == 2 && creature == -1) {
        bool carries = false;
        for (int s = 0; s < PLR_INV_SLOTS; ++s)
            if (Plr.plr_inv_id[s] > 0 && Plr.plr_inv_count[s] > 0) carries = true;
        if (!carries) {
            show_list_refusal(message_by_key("CARRY_NOTHING"), flags & SEL_QUIET);
            return SEL_CANCELLED;
        }
    }
    int filter = type_filter;
    const int listed = build_list(mode, creature, x, y, flags, filter, purpose);
    if (listed == 0 && filter == 0) return SEL_NOTHING;
    if (flags & SEL_COUNT_ONLY) return listed;
    if (listed == 0 && (flags & SEL_FILTER_INVALID)) return SEL_NOTHING;

    const char* title = prompt ? prompt : "";
    selection_page_start = 0;
    selection_cursor = 0;
    if (remembered.kept && remembered.filter == filter && std::strcmp(remembered.prompt, title) == 0) {
        selection_page_start = std::clamp(remembered.page, 0, std::max(0, selection_count - 1));
        selection_cursor = std::clamp(remembered.cursor, 0, std::max(0, selection_count - 1));
    }
    const bool several = (flags & SEL_SEVERAL) != 0;
    int pending_choice = -1;
    if ((flags & SEL_AUTO_SINGLE) && selection_count == 1) pending_choice = 0;

    save_screen_under("gamebuffer");
    // The window stands over the map view: the view is not laid over it.
    const int saved_map_view = map_view_state;
    map_view_state = 0;
    const bool saved_duplicates = list_duplicate_keys;
    list_duplicate_keys = true;
    int answer = SEL_CANCELLED;
    bool shown = false;
    for (;;) {
        int position = pending_choice;
        int special = 0;
        if (position < 0) {
            restore_screen_under("gamebuffer");
            draw_frame(title, verb, flags, filter, purpose);
            list_init(0, "", SEL_LEFT, SEL_TOP, SEL_WIDTH, SEL_HEIGHT, LIST_TYPE_PLACED);
            list_header.keep_case = 1;
            const int page = render_item_list();
            const int rows = drawn_count;
            static const int specials[] = {'+', '=', '-', '1', '2', KEY_SPACE, '*', '.', KEY_TAB,
                                           KEY_PGUP, KEY_PGDN, KEY_HOME, KEY_F1, KEY_ESC};
            const int first_special = list_header.count;
            for (int k : specials) list_add_item_at(-100, k, -100, "");
            list_set_options(-1, "", 0, 1);
            int current = 0;
            for (int i = 0; i < rows; ++i)
                if (drawn_rows[i].position == selection_cursor) current = i;
            list_header.current = rows > 0 ? drawn_rows[current].widget_row : first_special;
            list_draw();
            if (rows > 0) {
                char name[200];
                copy_text(name, sizeof name, obj_name(selection_list[selection_cursor].object, 1, NAME_NO_QUALITY));
                show_topic_hint(item_topic(name), "");
            }
            present_screen();
            shown = true;
            const int row = LIST_Go();
            if (row == -1) {
                if (window_close_requested()) break;
                // The highlight moved: past the page's edges the page scrolls
                // by one row.
                const int now = list_header.current;
                if (now >= 0 && now < rows) {
                    selection_cursor = drawn_rows[now].position;
                } else if (rows > 0 && current == rows - 1) {
                    if (drawn_rows[rows - 1].position + 1 < selection_count) {
                        ++selection_page_start;
                        selection_cursor = drawn_rows[rows - 1].position + 1;
                    }
                } else if (selection_page_start > 0) {
                    --selection_page_start;
                    selection_cursor = selection_page_start;
                }
                continue;
            }
            if (row < 0 || row >= list_header.count) break;
            if (row < first_special) {
                for (int i = 0; i < rows; ++i)
                    if (drawn_rows[i].widget_row == row) position = drawn_rows[i].position;
            } else {
                special = specials[row - first_special];
            }
            if (special == KEY_PGUP) {
                selection_page_start = std::max(0, selection_page_start - std::max(1, page));
                selection_cursor = selection_page_start;
                continue;
            }
            if (special == KEY_PGDN) {
                if (last_row_position + 1 < selection_count) {
                    selection_page_start = last_row_position + 1;
                    selection_cursor = selection_page_start;
                } else if (last_row_position >= 0) {
                    selection_cursor = last_row_position;
                }
                continue;
            }
            if (special == KEY_HOME) {
                selection_page_start = selection_cursor = 0;
                continue;
            }
            if (special == KEY_F1) {
                save_screen_under("itemlist_help");
                infobrowser("FILE");
                restore_screen_under("itemlist_help");
                free_screen_under("itemlist_help");
                continue;
            }
            if (special == '+' || special == '=') {
                if (several) choose_all(flags);
                continue;
            }
            if (special == '-') {
                if (purpose == PURPOSE_WIELD) {
                    unchoose_all();
                    const int first_hand = plr_wielded_slot(1), second_hand = plr_wielded_slot(2);
                    if (second_hand >= 0) take_off_or_unwield(second_hand, 1);
                    if (first_hand >= 0) take_off_or_unwield(first_hand, 1);
                    break;
                }
                if (several) unchoose_all();
                continue;
            }
            if ((special == '1' || special == '2') && purpose == PURPOSE_TAKE_OFF && chosen_entries() == 0) {
                const int slot = plr_wielded_slot(special == '1' ? 1 : 2);
                if (slot < 0) continue;
                unchoose_all();
                take_off_or_unwield(slot, 1);
                break;
            }
            if (special == KEY_SPACE) {
                if (several && chosen_entries() > 0) {
                    answer = chosen_entries();
                    break;
                }
                continue;
            }
            if (special == '*') {
                remember_choices();
                filter = 0;
                build_list(mode, creature, x, y, flags, filter, purpose);
                merge_selection_memory();
                selection_page_start = selection_cursor = 0;
                continue;
            }
            if (special == '.' || special == KEY_TAB) {
                uint32_t present = 0;
                bool unpaid = false;
                for (int i = 0; i < selection_count; ++i) {
                    const ObjectRecord r = record_of(selection_list[i]);
                    present |= 1u << r.item_class;
                    if (r.ownflag & (OWN_UNPAID | OWN_TAKEN)) unpaid = true;
                }
                if (unpaid) present |= 1u << FILTER_UNPAID;
                const int chosen_filter = choose_item_type(present);
                if (chosen_filter >= 0) {
                    remember_choices();
                    filter = chosen_filter;
                    build_list(mode, creature, x, y, flags, filter, purpose);
                    merge_selection_memory();
                    selection_page_start = selection_cursor = 0;
                }
                continue;
            }
            if (special == KEY_ESC) {
                if (chosen_entries() > 0 && !(flags & SEL_NO_CANCEL_QUESTION)) {
                    show_message("!You have some items selected.");
                    if (!ask_yes_no_default_yes("Are you sure to cancel?")) continue;
                }
                unchoose_all();
                break;
            }
            if (special != 0 || position < 0) continue;
        }
        pending_choice = -1;

        // A row's hot key.
        SelectionEntry& e = selection_list[position];
        selection_cursor = position;
        if (e.chosen > 0) {
            e.chosen = 0;
            continue;
        }
        if (e.invalid) {
            refuse_entry(e, verb, flags, purpose);
            if (flags & SEL_QUIET) break;
            continue;
        }
        if ((flags & SEL_AT_MOST_TEN) && chosen_entries() >= MOST_CHOSEN) continue;
        if (purpose == PURPOSE_USE || purpose == PURPOSE_USE_2) {
            int act = container_options_menu(e.index);
            if (act == PURPOSE_USE) act = leash_options_menu(e.index);
            if (act == PURPOSE_USE) act = part_options_menu(e.index);
            if (act == 0) continue;
            chosen_activity = act == PURPOSE_USE ? 0 : act;
        }
        e.chosen = amount_for(e, flags);
        if (e.chosen <= 0) {
            e.chosen = 0;
            continue;
        }
        copy_text(remembered.prompt, sizeof remembered.prompt, title);
        remembered.filter = filter;
        remembered.cursor = selection_cursor;
        remembered.page = selection_page_start;
        remembered.kept = true;
        if (several && selection_count > 1) continue;
        answer = position;
        break;
    }
    list_duplicate_keys = saved_duplicates;
    restore_screen_under("gamebuffer");
    free_screen_under("gamebuffer");
    map_view_state = saved_map_view;
    if (shown) present_screen_with_map();
    return answer;
}

int select_item(const char* prompt, const char* verb, int flags, int filter, int purpose) {
    select_item_count = 0;
    const int answer = select_items(2, -1, 0, 0, prompt, verb, flags, filter, purpose);
    if (answer < 0) return answer;
    if (flags & SEL_SEVERAL) {
        // Several may be chosen: the answer is how many (the choices stand
        // in the selection list).
        select_item_count = answer;
        return answer;
    }
    select_item_count = selection_list[answer].chosen;
    return selection_list[answer].index;
}

void reset_item_selection() {
    remembered = Position{};
    memory_count = 0;
    selection_count = 0;
    selection_page_start = selection_cursor = 0;
    chosen_activity = 0;
    last_list_refusal[0] = 0;
    trade_selection_mask = 0;
    applicable_class_mask = 0;
}
