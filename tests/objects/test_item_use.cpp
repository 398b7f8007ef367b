// Using carried things: leading and tying animals, digging pits, pouring,
// the sauna, and fitting or removing hooks and bowstrings. The player's
// choices come from the target and item hooks; long tasks run on a fake
// clock and can be broken off.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "base/platform.h"
#include "body/creature_fights.h"
#include "creatures/creature_files.h"
#include "creatures/creature_record.h"
#include "game/player.h"
#include "game/screen_hooks.h"
#include "game/spend_time.h"
#include "game/turn_state.h"
#include "maps/map_layers.h"
#include "maps/map_view.h"
#include "maps/terrain_types.h"
#include "maps/markers.h"
#include "objects/containers.h"
#include "objects/inventory.h"
#include "objects/inventory_services.h"
#include "objects/item_use.h"
#include "objects/leashes.h"
#include "objects/map_kinds.h"
#include "objects/map_marks.h"
#include "objects/map_object_table.h"
#include "objects/object_store.h"
#include "objects/shovel.h"
#include "support/play_folder.h"
#include "ui/message_line.h"
#include "work/work_services.h"

namespace {

constexpr int PX = 232, PY = 232;
constexpr int ANIMAL = 3;
constexpr uint8_t LED = 9, TIED = 0x10;

uint32_t fake_clock = 0;
int updates = 0;
int interrupt_at = 0;  // the update at which the task is broken off; 0 never
int chosen_x = 0, chosen_y = 0;
int target_prompts = 0;

int choose_square(int, const char*) {
    ++target_prompts;
    target_x = chosen_x;
    target_y = chosen_y;
    return terrain_at(chosen_x, chosen_y) | 0x100;  // never 0: chosen
}

class UsingThings : public ::testing::Test {
protected:
    void SetUp() override {
        saved_ = Plr;
        saved_hooks_ = screen_hooks;
        reset_object_store();
        reset_map_object_table();
        init_terrain_types_for_date(6, 1);
        std::memset(&Plr, 0, sizeof Plr);
        copy_text(Plr.map_name, "ZOOMMAP");
        Plr.body_weight = 150;
        Plr.bodytemp = 37;
        Plr.str = 18;
        Plr.end = 12;
        Plr.month = 6;
        Plr.day = 10;
        player_x = PX;
        player_y = PY;
        for (int dy = -3; dy <= 3; ++dy)
            for (int dx = -3; dx <= 3; ++dx) set_terrain_at(PX + dx, PY + dy, 250);
        screen_hooks.choose_target_location = choose_square;
        screen_hooks.choose_open_location = [](const char* p) { return choose_square(0, p); };
        target_prompts = 0;
        skip_message_pauses = true;
        allow_repeated_message = true;
        last_message[0] = 0;
        updates = 0;
        interrupt_at = 0;
        SpendTimeSeams s{};
        s.now_ms = [] { return fake_clock; };
        s.sleep_ms = [](uint32_t ms) { fake_clock += ms; };
        s.poll_key = [] { return 0; };
        s.ask_yes_no = [](const char*) { return 1; };
        s.ask_yes_no_default_yes = s.ask_yes_no;
        s.update_map_objects = [] {
            if (++updates == interrupt_at) task_interrupt_request = 2;
        };
        s.body_check = [](int) {};
        spend_time_seams = s;
        std::memset(&Cre[ANIMAL], 0, sizeof Cre[ANIMAL]);
    }
    void TearDown() override {
        spend_time_seams = SpendTimeSeams{};
        screen_hooks = saved_hooks_;
        std::memset(&Cre[ANIMAL], 0, sizeof Cre[ANIMAL]);
        CreSlotRefs[ANIMAL] = 0;
        for (Marker& m : Markers) m = Marker{};
        allow_repeated_message = false;
        skip_message_pauses = false;
        reset_map_object_table();
        reset_object_store();
        Plr = saved_;
    }
    int carry(const ObjectRecord& r, int count = 1) {
        int slot = 0;
        while (Plr.plr_inv_id[slot] != 0) ++slot;
        Plr.plr_inv_id[slot] = obj_store_new(r);
        Plr.plr_inv_count[slot] = count;
        return slot;
    }
    ObjectRecord held(int slot) {
        ObjectRecord r;
        return obj_record(Plr.plr_inv_id[slot], r);
    }
    static ObjectRecord tool(const char* name, int kind, uint8_t subclass) {
        ObjectRecord r;
        obj_clear_record(r);
        r.item_class = ITEM_TOOL;
        r.kind = kind;
        r.subclass = subclass;
        copy_text(r.name, name);
        r.weight = r.full_weight = 1.0f;
        return r;
    }
    // An animal of the kind one square east, on the map.
    void place_animal(int kind, int32_t owner) {
        CreatureRecord& c = Cre[ANIMAL];
        std::memset(&c, 0, sizeof c);
        c.cre_class = 3;
        c.kind = kind;
        c.owner = owner;
        c.sotu = 1000 + ANIMAL;
        copy_text(c.name, "animal");
        copy_text(c.attack_name[0], "bite");
        CreSlotRefs[ANIMAL] = 1000 + ANIMAL;
        put_object_on_map(MK_CREATURE, PX + 1, PY, 1000 + ANIMAL, 1);
        chosen_x = PX + 1;
        chosen_y = PY;
    }
    // The player's world cell belongs to the village.
    void on_village_land(int32_t village) {
        const int m = marker_slot(plr_world_x(), plr_world_y());
        ASSERT_GE(m, 0);
        Markers[m].world_x = int16_t(plr_world_x());
        Markers[m].world_y = int16_t(plr_world_y());
        Markers[m].village_id = village;
    }
    PlayFolder folder_;
    PlayerRecord saved_;
    ScreenHooks saved_hooks_;
};

// ------------------------------------------------------------ leashes

TEST_F(UsingThings, ALeashLeadsTiesAndFreesAndEachStepNamesTheOther) {
    place_animal(609, OWNER_PLAYER);
    const int rope = carry(tool("Rope", 333, 9));
    lead_on_leash(rope);
    EXPECT_EQ(Cre[ANIMAL].cre_status, LED);
    EXPECT_EQ(Cre[ANIMAL].disposition, 2);
    EXPECT_EQ(Cre[ANIMAL].attitude, ATTITUDE_TO_PLAYER);
    EXPECT_EQ(held(rope).link & 0xFFFF, 1000 + ANIMAL);
    EXPECT_TRUE(cre_led_by_player_leash(ANIMAL));

    // Applying it again while it leads an animal on the map does nothing.
    last_message[0] = 0;
    target_prompts = 0;
    lead_on_leash(rope);
    EXPECT_EQ(target_prompts, 0);
    EXPECT_STREQ(last_message, "");

    // Facing a tree ties at once, without asking; the rope stays there.
    set_terrain_at(PX, PY - 1, 13);  // spruce
    Plr.facing = 2;                  // north
    const int rope_id = Plr.plr_inv_id[rope];
    tie_leashed_animal(rope);
    EXPECT_EQ(target_prompts, 0);
    EXPECT_EQ(Cre[ANIMAL].cre_status, 0);
    EXPECT_EQ(Cre[ANIMAL].bfdom & TIED, TIED);
    EXPECT_EQ(Plr.plr_inv_id[rope], 0);
    const int lying = find_map_object(MK_ITEM, PX, PY - 1);
    ASSERT_GE(lying, 0);
    EXPECT_EQ(Data[lying].DATA, rope_id);
    EXPECT_NE(std::string(last_message).find("spruce"), std::string::npos) << last_message;

    // Picked up: led again.
    untie_from_leash(rope_id);
    EXPECT_EQ(Cre[ANIMAL].cre_status, LED);
    EXPECT_EQ(Cre[ANIMAL].bfdom & TIED, 0);

    // Taken off an animal that has left the map: only the leash forgets.
    Plr.plr_inv_id[0] = rope_id;
    Plr.plr_inv_count[0] = 1;
    CreSlotRefs[ANIMAL] = 0;
    last_message[0] = 0;
    take_off_leash(0);
    EXPECT_EQ(held(0).link, 0);
    EXPECT_EQ(Cre[ANIMAL].cre_status, LED) << "the absent animal is not touched";
    EXPECT_STREQ(last_message, "");
    // An unknown leash unties nobody and says nothing.
    untie_from_leash(Plr.plr_inv_id[0]);
    EXPECT_STREQ(last_message, "");
}

TEST_F(UsingThings, ALedAnimalWhoseLeashWasLeftBehindGoesFree) {
    place_animal(609, OWNER_PLAYER);
    Cre[ANIMAL].cre_status = LED;  // led, but no carried leash names it
    const int rope = carry(tool("Rope", 333, 9));
    lead_on_leash(rope);
    EXPECT_EQ(Cre[ANIMAL].cre_status, 0);
    EXPECT_EQ(held(rope).link, 0);
    // Led by a carried leash: refused.
    ObjectRecord other = tool("Rope", 333, 9);
    other.link = 1000 + ANIMAL;
    carry(other);
    Cre[ANIMAL].cre_status = LED;
    lead_on_leash(rope);
    EXPECT_STREQ(last_message, "!It's already leashed.");
}

TEST_F(UsingThings, AnimalsTakenFromAVillagesLandRefuseOrTurnOnThePlayer) {
    place_animal(618, 0);
    on_village_land(7);
    const int rope = carry(tool("Rope", 333, 9));
    // The village dog always refuses and attacks.
    for (uint32_t seed = 1; seed <= 20; ++seed) {
        seed_random(seed);
        Cre[ANIMAL].move_mode = 0;
        Cre[ANIMAL].fight_target = FIGHT_TARGET_NONE;
        lead_on_leash(rope);
        EXPECT_EQ(Cre[ANIMAL].cre_status, 0) << seed;
        EXPECT_EQ(held(rope).link, 0) << seed;
        EXPECT_NE(Cre[ANIMAL].move_mode, 0) << seed;
    }
    // A cow is led and becomes the player's; one in four turns on the
    // player.
    int turned = 0;
    for (uint32_t seed = 1; seed <= 400; ++seed) {
        place_animal(609, 0);
        Plr.plr_inv_id[rope] = obj_store_record(tool("Rope", 333, 9));
        seed_random(seed);
        lead_on_leash(rope);
        ASSERT_EQ(Cre[ANIMAL].cre_status, LED) << seed;
        ASSERT_EQ(Cre[ANIMAL].owner, OWNER_PLAYER) << seed;
        turned += Cre[ANIMAL].move_mode != 0;
        reset_map_object_table();
    }
    EXPECT_GE(turned, 72);
    EXPECT_LE(turned, 128);
}

// ------------------------------------------------------------ digging

TEST_F(UsingThings, DigTimeByStrengthShovelAndFrost) {
    const struct {
        double mean;
        int frost;
    } frosts[] = {{-0.5, GROUND_FROZEN}, {0.0, GROUND_FROSTY}, {3.0, GROUND_FROSTY}, {3.1, GROUND_SOFT}};
    for (const auto& f : frosts) EXPECT_EQ(ground_frost_class(f.mean), f.frost) << f.mean;
    const struct {
        int strength, kind, frost, minutes;
    } cases[] = {
        {18, 311, GROUND_SOFT, 300}, {18, 311, GROUND_FROSTY, 450}, {18, 310, GROUND_SOFT, 90},
        {18, 310, GROUND_FROSTY, 135}, {48, 310, GROUND_SOFT, 10}, {60, 311, GROUND_SOFT, 34},
    };
    for (const auto& c : cases)
        EXPECT_EQ(dig_work_minutes(c.strength, c.kind, c.frost), c.minutes) << c.strength << " " << c.kind;
}

TEST_F(UsingThings, ABrokenOffDigKeepsItsWorkAndTheFinishedPitShowsWhatWasBuried) {
    ObjectRecord spade = tool("Shovel", 310, 0);
    const int shovel = obj_store_new(spade);
    chosen_x = PX + 1;
    chosen_y = PY;
    // Something buried there: one that comes to light, one that stays.
    const int found = put_object_on_map(MK_STRUCTURE_MARK, PX + 1, PY, shovel, 1);
    const int hidden = put_object_on_map(MK_STRUCTURE_MARK, PX + 1, PY, shovel, 1);
    ASSERT_GE(hidden, 0);
    Data[hidden].subkind = 3;

    // Frosty ground (the weather history answers 0 degrees): 135 minutes.
    interrupt_at = 60;
    EXPECT_EQ(applyShovel(shovel), 0);
    EXPECT_EQ(terrain_at(PX + 1, PY), 250);
    const int work = find_map_object(MK_BUILDING_WORK, PX + 1, PY);
    ASSERT_GE(work, 0) << "the work was past the point where it may be continued";
    EXPECT_EQ(Data[work].DATA, 21);
    EXPECT_EQ(int(Data[work].expire_minute), 135);
    const int spent = work_time_spent(work);
    EXPECT_GT(spent, 0);
    EXPECT_LT(spent, 135);

    interrupt_at = 0;
    updates = 0;
    const int32_t before = Plr.total_minutes;
    EXPECT_EQ(applyShovel(shovel), 1);
    EXPECT_EQ(Plr.total_minutes - before, 135 - spent) << "only the rest";
    EXPECT_EQ(terrain_at(PX + 1, PY), 21);
    EXPECT_EQ(find_map_object(MK_BUILDING_WORK, PX + 1, PY), -1);
    EXPECT_EQ(Data[found].TYPE, MK_ITEM);
    EXPECT_EQ(Data[hidden].TYPE, MK_STRUCTURE_MARK);
    EXPECT_STREQ(last_message, "+You find some buried items at the bottom of the pit!");

    // Applied at the pit, the shovel fills it up.
    EXPECT_EQ(applyShovel(shovel), 0);
    EXPECT_EQ(terrain_at(PX + 1, PY), 250);

    // Other work under way there is left alone.
    build_pause(PX + 1, PY, 95, 10, 100);
    EXPECT_EQ(applyShovel(shovel), 0);
    EXPECT_NE(std::string(last_message).find("!Not possible! There's "), std::string::npos) << last_message;
}

TEST_F(UsingThings, TheWorldMapRefusesDigging) {
    copy_text(Plr.map_name, "BIGMAP");
    EXPECT_EQ(applyShovel(obj_store_new(tool("Shovel", 310, 0))), 0);
    EXPECT_EQ(target_prompts, 0);
}

// ------------------------------------------------------------ hooks and strings

TEST_F(UsingThings, HooksAndStringsChangeOnlyWhenTheWorkIsDone) {
    ObjectRecord rod = tool("Fishing rod", 249, 2);
    ObjectRecord hook = tool("bone fishhook", 250, 0);
    hook.weight = hook.full_weight = 0.01f;
    ObjectRecord bow;
    obj_clear_record(bow);
    bow.item_class = ITEM_WEAPON;
    bow.kind = 120;
    copy_text(bow.name, "Bow");
    bow.weight = bow.full_weight = 2.0f;
    ObjectRecord string = bow;
    string.kind = 121;
    copy_text(string.name, "Bowstring");
    string.weight = string.full_weight = 0.2f;
    string.coverage[1] = 20;

    // The string in slot 0, something in slot 1, the bow in slot 2.
    const int string_slot = carry(string);
    carry(tool("Rope", 333, 9));
    const int bow_slot = carry(bow);
    const int rope_id = Plr.plr_inv_id[1];
    const int string_id = Plr.plr_inv_id[string_slot];

    // Broken off: nothing changes.
    const PlayerRecord before = Plr;
    interrupt_at = 1;
    EXPECT_EQ(string_bow_onto(string_slot, bow_slot), 1);
    EXPECT_EQ(std::memcmp(before.plr_inv_id, Plr.plr_inv_id, sizeof Plr.plr_inv_id), 0);
    EXPECT_EQ(held(bow_slot).effect_raw, 0u);

    interrupt_at = 0;
    EXPECT_EQ(string_bow_onto(string_slot, bow_slot), 1);
    // Only the two slots changed: the bow, strung, is the pack's second
    // item; the rope stays first.
    EXPECT_EQ(Plr.plr_inv_id[0], rope_id);
    const int strung_slot = 1;
    EXPECT_EQ(held(strung_slot).effect_raw, uint32_t(string_id));
    EXPECT_EQ(held(strung_slot).coverage[1], 20);
    EXPECT_EQ(Plr.plr_inv_id[2], 0);

    // Unstrung, the worn string comes back lighter.
    interrupt_at = 1;
    updates = 0;
    EXPECT_EQ(remove_hook_or_string(strung_slot), 0);
    EXPECT_EQ(held(strung_slot).effect_raw, uint32_t(string_id));
    interrupt_at = 0;
    EXPECT_EQ(remove_hook_or_string(strung_slot), 1);
    EXPECT_EQ(held(strung_slot).effect_raw, 0u);
    ObjectRecord back;
    bool found = false;
    for (int s = 0; s < PLR_INV_SLOTS; ++s)
        if (Plr.plr_inv_id[s] && held(s).kind == 121) found = true, back = held(s);
    ASSERT_TRUE(found);
    EXPECT_NEAR(back.weight, 0.2f - 0.2f * 0.2f * 0.5f, 1e-6f);  // 20 % worn

    // A hook onto the rod, and off again.
    const int rod_slot = carry(rod);
    const int hook_slot = carry(hook);
    const int hook_id = Plr.plr_inv_id[hook_slot];
    EXPECT_EQ(attach_hook_onto(hook_slot, rod_slot), 1);
    int rod_now = -1;
    for (int s = 0; s < PLR_INV_SLOTS; ++s)
        if (Plr.plr_inv_id[s] && held(s).kind == 249) rod_now = s;
    ASSERT_GE(rod_now, 0);
    EXPECT_EQ(held(rod_now).effect_raw, uint32_t(hook_id));
    for (int s = 0; s < PLR_INV_SLOTS; ++s) EXPECT_FALSE(Plr.plr_inv_id[s] && held(s).kind == 250) << "the hook is on";
    EXPECT_EQ(remove_hook_or_string(rod_now), 1);
    EXPECT_EQ(held(rod_now).effect_raw, 0u);
}

// ------------------------------------------------------------ the sauna

TEST_F(UsingThings, SteamWarmsTheBodyByTheStovesHeatButNeverPastTheLimit) {
    ObjectRecord water;
    obj_clear_record(water);
    water.item_class = ITEM_CONTAINER;
    water.kind = 55;
    copy_text(water.name, "Water");
    water.weight = water.full_weight = 3.0f;
    ObjectRecord cup = tool("Wooden cup", 331, 0);
    cup.item_class = ITEM_CONTAINER;
    cup.full_weight = 3.0f;
    water.contents = obj_store_new(cup);
    const struct {
        int stoves, heat;
        float before, after, water_left;
    } cases[] = {
        {0, 60, 37.0f, 37.0f, 3.0f},   {1, 9, 37.0f, 37.0f, 3.0f},    {1, 10, 37.0f, 37.0f, 2.75f},
        {1, 30, 37.0f, 38.5f, 2.75f},  {1, 60, 37.0f, 39.0f, 2.75f},  {1, 60, 41.5f, 42.5f, 2.75f},
        {1, 60, 40.5f, 42.5f, 2.75f},  {1, 30, 42.5f, 42.5f, 2.75f},  {1, 60, 42.4f, 42.5f, 2.75f},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.heat) + " at " + std::to_string(c.before));
        std::memset(Plr.plr_inv_id, 0, sizeof Plr.plr_inv_id);
        std::memset(Plr.plr_inv_count, 0, sizeof Plr.plr_inv_count);
        const int slot = carry(water);
        Plr.bodytemp = c.before;
        throw_water_at_heat(slot, c.stoves, c.heat);
        EXPECT_NEAR(Plr.bodytemp, c.after, 1e-4f);
        EXPECT_NEAR(held(0).weight, c.water_left, 1e-4f);
    }
}

TEST_F(UsingThings, AStrokedCharmGivesLuckWhileItsStrokesLast) {
    ObjectRecord charm = tool("Bear tooth", 0, 0);
    charm.item_class = ITEM_VALUABLE;
    charm.MAGIC = 10;
    charm.length = 1;
    const int slot = carry(charm, 2);
    EXPECT_EQ(apply_item(slot), 1);
    EXPECT_EQ(Plr.luck_uses, 3);
    EXPECT_EQ(held(slot).length, 0);
    Plr.luck_uses = 0;
    turn_time_state = 0;
    // The other one of the two still has its stroke; this one has none.
    EXPECT_EQ(apply_item(slot), 1);
    EXPECT_EQ(turn_time_state, TURN_ONE_TURN);
}

}  // namespace
