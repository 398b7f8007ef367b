// The party stack put down after a map change, and the portrait pickers.
#include "creatures/party_stack.h"

#include <cstring>

#include "base/debug_log.h"
#include "base/files.h"
#include "base/platform.h"
#include "creatures/creature_files.h"
#include "game/player.h"
#include "maps/map_change.h"
#include "maps/map_layers.h"
#include "maps/terrain_types.h"
#include "objects/map_kinds.h"
#include "objects/map_object_table.h"

PortraitServices portrait_services{};

namespace {

constexpr int DIR_DX[8] = {1, 1, 0, -1, -1, -1, 0, 1};
constexpr int DIR_DY[8] = {0, -1, -1, -1, 0, 1, 1, 1};
// A portrait picker gives up after this many draws.
constexpr int PORTRAIT_TRIES = 20;

void note(const char* text) { debug_log("party!", text); }

bool square_taken_by_creature(int x, int y) {
    for (const MapObject& o : Data)
        if (o.TYPE == MK_CREATURE && o.x == x && o.y == y) return true;
    return false;
}

// The first square around the player on which a companion can stand: open
// ground with no creature; the square east of the player when none is.
void companion_square(int& x, int& y) {
    for (int d = 0; d < 8; ++d) {
        const int cx = player_x + DIR_DX[d], cy = player_y + DIR_DY[d];
        if (terrain_is_open(terrain_at(cx, cy)) && !square_taken_by_creature(cx, cy)) {
            x = cx;
            y = cy;
            return;
        }
    }
    x = player_x + 1;
    y = player_y;
}

bool put_entry(const PartyEntry& e) {
    if (e.kind == MK_CREATURE || e.kind == MK_CARCASS) {
        const int ref = cre_load_into_slot(e.data, 0);
        if (ref == CRE_NO_CREATURE) {
            char text[100];
            format_text(text, sizeof text, "could not load creature %d: kept on the stack", e.data);
            note(text);
            return false;
        }
        int x = player_x, y = player_y;
        if (e.kind == MK_CREATURE) companion_square(x, y);
        if (put_object_on_map(e.kind, x, y, ref, 1) >= 0) return true;
        CreSlotRefs[ref - CRE_REF_BASE] = 0;
        Cre[ref - CRE_REF_BASE].cre_class = 0;
        return false;
    }
    const int amount = e.kind == MK_PARTY_ENTRY && e.amount > 30 ? 30 : e.amount;
    return put_object_on_map(e.kind, player_x, player_y, e.data, amount) >= 0;
}

char portrait_name[100];

const char* pick_with(const char* fixed_prefix) {
    std::memset(portrait_name, 0, sizeof portrait_name);
    if (portrait_services.list == nullptr || portrait_services.random_name == nullptr) return portrait_name;
    static const char* const MAN_PREFIX[3] = {"north", "east", "west"};
    for (int tries = 0; tries < PORTRAIT_TRIES; ++tries) {
        portrait_services.list(fixed_prefix ? fixed_prefix : MAN_PREFIX[random_below(3)]);
        const char* name = portrait_services.random_name();
        copy_text(portrait_name, name ? name : "");
        if (portrait_name[0] == 0) return portrait_name;
        if (compare_no_case(portrait_name, std::string_view(Plr.portrait, strnlen(Plr.portrait, sizeof Plr.portrait))) != 0)
            return portrait_name;
    }
    portrait_name[0] = 0;
    return portrait_name;
}

}  // namespace

void unpack_party_stack() {
    char text[120];
    for (int i = 0; i < party_stack_count; ++i) {
        const PartyEntry& e = party_stack[i];
        if (e.kind == 0) continue;
        format_text(text, sizeof text, "partystack #%d T:%d D:%d C:%d", i, e.kind, e.data, e.amount);
        note(text);
    }
    int kept = 0;
    for (int i = 0; i < party_stack_count; ++i) {
        const PartyEntry e = party_stack[i];
        if (e.kind == 0) continue;
        if (e.kind == MK_CREATURE) {
            for (int k = i + 1; k < party_stack_count; ++k) {
                if (party_stack[k].kind != MK_CREATURE || party_stack[k].data != e.data) continue;
                note("duplicate entry!");
                format_text(text, sizeof text, "remove duplo #%d: T:%d D:%d", k, party_stack[k].kind, party_stack[k].data);
                note(text);
                party_stack[k] = PartyEntry{};
            }
        }
        if (!put_entry(e)) party_stack[kept++] = e;
    }
    for (int i = kept; i < PARTY_STACK_SIZE; ++i) party_stack[i] = PartyEntry{};
    party_stack_count = kept;
    if (kept > 0) warn_map_item_limit();
}

const char* pick_portrait_sage() { return pick_with("sage"); }
const char* pick_portrait_oldman() { return pick_with("oldman"); }
const char* pick_portrait_man() { return pick_with(nullptr); }
const char* pick_portrait_fem() { return pick_with("fem"); }
const char* pick_portrait_kid() { return pick_with("kid"); }
const char* pick_portrait_girl() { return pick_with("girl"); }
