// What a creature of the map is: the answers for the player and for bad
// indexes, persons and bodies, whose it is, the hours it is up, heights and
// sizes, leashes, the societies with their witnesses and roles, and the
// party: escorts, their gear and what they carry, and unpacking.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "base/debug_log.h"
#include "base/platform.h"
#include "base/stubs.h"
#include "creatures/creature_files.h"
#include "creatures/creature_looks.h"
#include "creatures/creature_party.h"
#include "creatures/creature_services.h"
#include "creatures/creature_society.h"
#include "creatures/creature_species.h"
#include "creatures/creature_table.h"
#include "creatures/creature_traits.h"
#include "game/player.h"
#include "maps/map_change.h"
#include "maps/map_layers.h"
#include "maps/map_view.h"
#include "maps/sight.h"
#include "maps/terrain_types.h"
#include "objects/map_kinds.h"
#include "objects/map_object_table.h"
#include "objects/object_store.h"
#include "ui/message_line.h"

namespace {

constexpr uint8_t STATUS_WOMAN = 14, STATUS_CHILD = 15, STATUS_SHAMAN = 13, STATUS_TRADER = 5;
constexpr int VILLAGE = 77;

// A local map with creatures placed by hand: each gets a slot, a record
// (a made template or a bare one) and its map record.
class Traits : public ::testing::Test {
protected:
    void SetUp() override {
        reset_creature_tables();
        reset_map_object_table();
        reset_object_store();
        copy_text(Plr.map_name, "ZOOMMAP");
        is_world_map();
        player_x = player_y = 232;
        Plr.hour = 12;
        Plr.height_in = 70;
        Plr.body_state = 0;
        messages_suppressed = true;
        map_transfer_flag = 0;
        seed_random(7);
    }
    void TearDown() override {
        reset_map_object_table();
        reset_creature_tables();
    }

    // A made creature of the kind at (x, y); its slot.
    int put(int kind, int x, int y) {
        creature_template(kind);
        return place(CreScratch, x, y);
    }
    // A person of the village at (x, y).
    int person(int x, int y, uint8_t status = 0, const char* name = "tribesman") {
        CreatureRecord r{};
        r.cre_class = CRE_CLASS_HUMAN;
        r.cre_status = status;
        r.lauma = VILLAGE;
        copy_text(r.name, name);
        return place(r, x, y);
    }
    int place(CreatureRecord r, int x, int y) {
        const int slot = next++;
        r.sotu = uint32_t(2000 + slot);
        Cre[slot] = r;
        CreSlotRefs[slot] = r.sotu;
        clear_staging_object();
        map_object_staging.TYPE = MK_CREATURE;
        map_object_staging.x = uint16_t(x);
        map_object_staging.y = uint16_t(y);
        map_object_staging.DATA = CRE_REF_BASE + slot;
        map_object_staging.amount = 1;
        EXPECT_GE(insert_map_object(-1), 0);
        return slot;
    }
    // An item type of the class in the catalogue; its id.
    int item_type(int id, uint8_t item_class, float price, uint8_t subclass = 0) {
        ObjectRecord& t = ItemTypes[id];
        obj_clear_record(t);
        t.item_class = item_class;
        t.subclass = subclass;
        t.price = price;
        copy_text(t.name, "thing");
        return id;
    }
    int next = 0;
};

TEST_F(Traits, ThePlayerAndBadIndexes) {
    // -1: the player's own answers where there are any, 0 elsewhere.
    EXPECT_EQ(cre_is_human(-1), 1);
    EXPECT_EQ(cre_is_predator(-1), 1);
    EXPECT_EQ(cre_is_not_human(-1), 0);
    EXPECT_EQ(cre_is_companion(-1), 0);
    EXPECT_EQ(cre_is_forager(-1, 0), 0);
    EXPECT_EQ(cre_is_aggressive(-1), 0);
    EXPECT_EQ(cre_is_active_hour(-1), 0);
    EXPECT_FLOAT_EQ(cre_crust_load_factor(-1), 1.0f);
    EXPECT_EQ(cre_body_height(-1), 153);  // 70 in
    EXPECT_FLOAT_EQ(cre_target_size(-1), 0.7f);
    Plr.body_state = 1;
    EXPECT_FLOAT_EQ(cre_target_size(-1), 0.2f);
    EXPECT_EQ(cre_body_state(-1), 1);
    Plr.body_state = 0;
    // Any other index below 0 or past the table answers 0.
    for (int bad : {-2, -1000, CRE_SLOTS, 100000}) {
        EXPECT_EQ(cre_is_human(bad), 0) << bad;
        EXPECT_EQ(cre_is_predator(bad), 0) << bad;
        EXPECT_EQ(cre_is_bird(bad), 0) << bad;
        EXPECT_EQ(cre_is_female(bad), 0) << bad;
        EXPECT_EQ(cre_body_state(bad), 0) << bad;
        EXPECT_EQ(cre_body_height(bad), 0) << bad;
        EXPECT_EQ(cre_is_kept(bad), 0) << bad;
        EXPECT_EQ(cre_has_socrole(bad, 0), 0) << bad;
        EXPECT_EQ(cre_class(bad), 0) << bad;
        EXPECT_EQ(creature_kind(bad), -1) << bad;
        EXPECT_STREQ(cre_avatar_name(bad), "");
    }
    // -1 as the bird test asks the record being made.
    creature_template(630);
    EXPECT_EQ(cre_is_bird(-1), 1);
    creature_template(611);
    EXPECT_EQ(cre_is_bird(-1), 0);
}

TEST_F(Traits, PersonsAndBodies) {
    const int girl = person(230, 230, STATUS_CHILD, "Kaumolais girl");
    const int boy = person(231, 230, STATUS_CHILD, "Kaumolais boy");
    const int old_woman = person(232, 230, STATUS_WOMAN, "old woman");
    const int old_man = person(233, 230, 0, "Kaumolais old man");
    const int old_shaman = person(234, 230, STATUS_SHAMAN, "old shaman");
    const int wolf = put(611, 240, 240);
    const int elk = put(660, 241, 240);
    struct Case {
        int creature;
        int female, old_man, human;
    };
    const Case cases[] = {{girl, 1, 0, 1},       {boy, 0, 0, 1},  {old_woman, 1, 0, 1},
                          {old_man, 0, 1, 1},    {old_shaman, 0, 0, 1}, {wolf, 0, 0, 0}};
    for (const Case& c : cases) {
        EXPECT_EQ(cre_is_female(c.creature), c.female) << Cre[c.creature].name;
        EXPECT_EQ(cre_is_old_man(c.creature), c.old_man) << Cre[c.creature].name;
        EXPECT_EQ(is_old_man(c.creature), c.old_man) << Cre[c.creature].name;
        EXPECT_EQ(cre_is_human(c.creature), c.human) << Cre[c.creature].name;
        EXPECT_EQ(cre_is_not_human(c.creature), 1 - c.human) << Cre[c.creature].name;
    }
    EXPECT_EQ(cre_has_hooves(elk), 1);
    EXPECT_EQ(cre_has_hooves(wolf), 0);
    EXPECT_EQ(cre_is_predator(wolf), 1);
    EXPECT_EQ(cre_is_predator(elk), 0);
    EXPECT_EQ(cre_is_forager(elk, 0), 1);
    EXPECT_EQ(cre_eats_plants(elk, 1), cre_is_forager(elk, 1));
    EXPECT_EQ(cre_is_predator(old_man), 0);

    // A diving wolf bears nothing on the crust; a standing wolf half.
    EXPECT_FLOAT_EQ(cre_crust_load_factor(wolf), 0.5f);
    Cre[wolf].air_state = -100;
    EXPECT_EQ(cre_is_diving(wolf), 1);
    EXPECT_FLOAT_EQ(cre_crust_load_factor(wolf), 0.0f);
    // An upright elk of 500 is a big target; down it is a small one.
    Cre[elk].weight = 500.0f;
    EXPECT_FLOAT_EQ(cre_target_size(elk), 5.0f);
    Cre[elk].body_state = 1;
    EXPECT_FLOAT_EQ(cre_target_size(elk), 0.2f);
    EXPECT_FLOAT_EQ(cre_target_size(old_man), 0.7f);

    // The marked wolf.
    EXPECT_EQ(cre_is_tame_kind611(wolf), 0);
    Cre[wolf].cre_flags |= 0x2;
    EXPECT_EQ(cre_is_marked_wolf(wolf), 1);
}

TEST_F(Traits, BodyHeights) {
    struct Case {
        int kind;
        bool young;
        int height;
    };
    const Case cases[] = {{605, false, 140}, {605, true, 70}, {618, false, 60}, {611, false, 70},
                          {660, false, 180}, {622, false, 5}, {637, false, 30}};
    for (const Case& c : cases) {
        const int s = put(c.kind, 220, 220);
        if (c.young) Cre[s].sex_age |= SEX_YOUNG;
        EXPECT_EQ(cre_body_height(s), c.height) << c.kind << (c.young ? " young" : "");
    }
    EXPECT_EQ(cre_body_height(person(221, 221, STATUS_CHILD, "child")), 80);
    EXPECT_EQ(cre_body_height(person(222, 221)), 140);
}

TEST_F(Traits, TheHoursACreatureIsUp) {
    const int s = put(611, 240, 240);
    Cre[s].activity = 1;
    Plr.hour = 23;
    struct Case {
        uint8_t mode;
        int up;
    };
    // Asleep or quiet by its rhythm; busy with anything else, up.
    for (const Case& c : {Case{8, 0}, Case{0, 0}, Case{2, 1}, Case{4, 1}, Case{3, 0}}) {
        Cre[s].move_mode = c.mode;
        EXPECT_EQ(cre_is_active_hour(s), c.up) << int(c.mode);
    }
    EXPECT_EQ(Cre[s].move_mode, 0);  // mode 3 went back to 0
    Plr.hour = 12;
    Cre[s].move_mode = 8;
    EXPECT_EQ(cre_is_active_hour(s), 1);
    // Rhythms at a few hours.
    const int table[][3] = {{0, 23, 1}, {0, 12, 0}, {2, 20, 1}, {2, 19, 0}, {3, 7, 1}, {3, 15, 0}, {4, 3, 1}, {9, 12, 0}};
    Cre[s].move_mode = 0;
    for (const auto& t : table) {
        Cre[s].activity = uint8_t(t[0]);
        Plr.hour = uint8_t(t[1]);
        EXPECT_EQ(cre_is_active_time(s), t[2]) << t[0] << " at " << t[1];
    }
    // Kept up by its flags, by its own hour and while the map is entered.
    Cre[s].activity = 9;
    Cre[s].cre_flags = 0x100;
    EXPECT_EQ(cre_is_active_hour(s), 1);
    Cre[s].cre_flags = 0;
    Cre[s].wake_hour = uint8_t(Plr.hour + 1);
    EXPECT_EQ(cre_is_active_hour(s), 1);
    Cre[s].wake_hour = 0;
    creature_catch_up = 1;
    EXPECT_EQ(cre_is_active_hour(s), 1);
    creature_catch_up = 0;
    EXPECT_EQ(cre_is_active_hour(s), 0);
}

TEST_F(Traits, WhoseACreatureIs) {
    const int dog = put(618, 230, 232);
    const int wolf = put(611, 231, 232);
    const int hunter = person(233, 232, 12, "hunter");
    EXPECT_EQ(cre_is_own_animal(dog), 0);
    EXPECT_EQ(cre_is_leashable(0, dog), 1);
    EXPECT_EQ(cre_is_leashable(0, wolf), 0);
    EXPECT_EQ(cre_is_free_animal(wolf), 1);
    EXPECT_EQ(cre_find_owned_animal(-1), CRE_NO_CREATURE);
    Cre[dog].owner = OWNER_PLAYER;
    EXPECT_EQ(cre_is_own_animal(dog), 1);
    EXPECT_EQ(cre_belongs_to(dog, -1), 1);
    EXPECT_EQ(cre_find_owned_animal(-1), dog);
    EXPECT_EQ(cre_is_free_animal(dog), 0);
    // The hunter's dog: owned by its sotu.
    Cre[dog].owner = int32_t(Cre[hunter].sotu);
    Cre[dog].cre_bits |= CRE_BITS_OWNED;
    EXPECT_EQ(cre_belongs_to(dog, hunter), 1);
    EXPECT_EQ(cre_first_pet(hunter), dog);
    EXPECT_EQ(cre_belongs_to(dog, wolf), 0);
    // A person can be leashed only when marked so.
    EXPECT_EQ(cre_is_leashable(0, hunter), 0);
    Cre[hunter].bfdom |= 0x02;
    EXPECT_EQ(cre_is_leashable(0, hunter), 1);
}

TEST_F(Traits, JoiningThePartyAndBeingKept) {
    const int a = person(231, 232);
    Cre[a].move_mode = MOVE_MODE_PARTY;
    EXPECT_EQ(cre_is_society_member(a), 0);  // asked to join: taken in
    EXPECT_EQ(Cre[a].move_mode, 0);
    EXPECT_TRUE(Cre[a].party_flags & PARTY_MEMBER);
    EXPECT_EQ(Cre[a].map_flags, 0);  // the test writes nothing there
    EXPECT_EQ(cre_is_companion(a), 1);
    EXPECT_EQ(cre_is_kept(a), 1);
    const int b = person(240, 240);
    EXPECT_EQ(cre_is_society_member(b), 1);
    Cre[b].map_flags = 0x04;
    EXPECT_EQ(cre_is_society_member(b), 0);
    Cre[b].map_flags = 0;
    Cre[b].cre_status = STATUS_TRADER;
    EXPECT_EQ(cre_is_society_member(b), 0);
    // Kept through the day catch-up.
    const int wolf = put(611, 250, 250);
    Cre[wolf].disposition = 3;
    EXPECT_EQ(cre_is_kept(wolf), 0);
    Cre[wolf].cre_flags = 0x2;
    EXPECT_EQ(cre_is_kept(wolf), 1);
    Cre[wolf].cre_flags = 0x6;
    EXPECT_EQ(cre_is_kept(wolf), 0);
    Cre[wolf].disposition = 2;
    EXPECT_EQ(cre_is_kept(wolf), 1);
}

TEST_F(Traits, WitnessesAndTheNearest) {
    // Open level ground around the player, a plain sight table, nothing in
    // the player's view yet.
    init_terrain_types_for_date(6, 1);
    for (int y = 172; y <= 292; ++y) {
        std::memset(terrain_layer + map_index(172, y), 250, 121);
        std::memset(height_layer + map_index(172, y), 0, 121);
        std::memset(view_layer + map_index(172, y), VIEW_UNSEEN, 121);
    }
    double numbers[SIGHT_RAYS];
    for (double& n : numbers) n = 1.0;
    fill_sight_table(numbers, 50);
    view_half_w = 12;
    view_half_h = 11;
    // Two villagers east of the player, facing it, and one asleep beside it.
    const int far = person(242, 232);
    const int near = person(236, 232);
    const int sleeper = person(233, 232);
    for (int s : {far, near, sleeper}) Cre[s].Suunta = facing_toward(creature_x(s), creature_y(s), player_x, player_y);
    Cre[sleeper].move_mode = MOVE_MODE_ASLEEP;
    EXPECT_EQ(cre_can_see_point(near, player_x, player_y), 1);
    EXPECT_EQ(cre_can_see_point(sleeper, player_x, player_y), 0);
    EXPECT_EQ(find_nearest_society_member(VILLAGE), near);
    EXPECT_EQ(nearest_awake_villager(VILLAGE), near);
    EXPECT_EQ(society_member_distance(VILLAGE), 1);  // awake or not
    EXPECT_EQ(village_member_distance(VILLAGE + 1), 1000);
    EXPECT_EQ(cre_is_nearest_of_society(near), 1);
    EXPECT_EQ(cre_is_nearest_of_society(far), 0);
    // Out of the player's view the nearest witness; one the player sees
    // comes first.
    EXPECT_EQ(find_society_witness(VILLAGE), near);
    view_layer[map_index(242, 232)] = '.';
    EXPECT_EQ(find_society_witness(VILLAGE), far);
    EXPECT_EQ(find_society_witness(VILLAGE + 1), CRE_NO_CREATURE);
    // Turned away, it sees nothing.
    Cre[far].Suunta = facing_toward(player_x, player_y, creature_x(far), creature_y(far));
    EXPECT_EQ(find_society_witness(VILLAGE), near);
    Cre[near].body_state = 4;
    EXPECT_EQ(find_society_witness(VILLAGE), CRE_NO_CREATURE);
    EXPECT_EQ(find_nearest_society_member(VILLAGE), far);
    // Who waits for pay.
    EXPECT_EQ(find_unpaid_server(VILLAGE), CRE_NO_CREATURE);
    Cre[sleeper].life_bits |= 0x40000;
    EXPECT_EQ(find_unpaid_server(VILLAGE), sleeper);
}

TEST_F(Traits, AThirdOfNineMenAreAppointedForTheSecondRoleTheArmedFirst) {
    const int sword = item_type(5, ITEM_WEAPON, 10.0f);
    int men[9];
    for (int i = 0; i < 9; ++i) men[i] = person(220 + i, 240, 0, "tribesman");
    for (int s : {men[2], men[6]}) {
        Cre[s].wielded = sword;
        Cre[s].inv_id[3] = sword;
        Cre[s].inv_count[3] = 1;
    }
    EXPECT_EQ(cre_has_two_weapons(men[2]), 1);
    EXPECT_EQ(cre_has_two_weapons(men[0]), 0);
    // Asking any member finds nobody holding it: the role is handed out.
    EXPECT_EQ(cre_has_socrole(men[0], 2), 0);
    int appointed = 0;
    for (int s : men) appointed += (Cre[s].soc_value & 0x4) != 0;
    EXPECT_EQ(appointed, 3);
    EXPECT_TRUE(Cre[men[2]].soc_value & 0x4);
    EXPECT_TRUE(Cre[men[6]].soc_value & 0x4);
    EXPECT_EQ(cre_has_socrole(men[2], 2), 1);
    // One role 0 is handed out once, and it is dropped from all of them.
    EXPECT_EQ(cre_has_socrole(men[1], 0), 0);
    appointed = 0;
    for (int s : men) appointed += (Cre[s].soc_value & 0x1) != 0;
    EXPECT_EQ(appointed, 1);
    cre_drop_socroles(men[2]);
    for (int s : men) EXPECT_FALSE(Cre[s].soc_value & 0x4);
}

TEST_F(Traits, ALeashHoldsItsCreatureUntilItIsGone) {
    const int dog = put(618, 236, 232);
    Cre[dog].sotu = 105536;  // kept in sixteen bits by the leash
    Cre[dog].bfdom |= 0x10;
    int x = -1, y = -1;
    EXPECT_EQ(cre_find_leash_holder(dog, &x, &y), 0);
    EXPECT_EQ(x, 0);
    EXPECT_FALSE(Cre[dog].bfdom & 0x10);  // the tie is forgotten
    Cre[dog].bfdom |= 0x10;
    map_transfer_flag = 1;
    EXPECT_EQ(cre_find_leash_holder(dog, &x, &y), 0);
    EXPECT_TRUE(Cre[dog].bfdom & 0x10);  // between maps it holds
    map_transfer_flag = 0;

    ObjectRecord leash;
    obj_clear_record(leash);
    leash.item_class = ITEM_TOOL;
    leash.subclass = 9;
    copy_text(leash.name, "Leash");
    leash.link = int16_t(uint16_t(105536 & 0xffff));  // negative as a signed value
    ASSERT_LT(leash.link, 0);
    const int id = obj_store_new(leash);
    ASSERT_NE(id, 0);
    ASSERT_GE(put_object_on_map(MK_ITEM, 233, 233, id, 1), 0);
    EXPECT_EQ(cre_find_leash_holder(dog, &x, &y), 1);
    EXPECT_EQ(x, 233);
    EXPECT_EQ(y, 233);
}

TEST_F(Traits, AnEscortJoinsWithItsOwnGear) {
    const int cheap = item_type(7, ITEM_TOOL, 2.0f);
    const int dear = item_type(8, ITEM_WEAPON, 50.0f);
    const int a = person(231, 232);
    CreatureRecord& c = Cre[a];
    c.inv_id[0] = cheap;
    c.inv_count[0] = 3;
    c.inv_id[1] = dear;
    c.inv_count[1] = 1;
    c.inv_id[2] = dear;
    c.inv_count[2] = 1;
    c.inv_state[2] = 0x01;  // goods that are not its own
    c.worn[0] = cheap;
    c.life_bits = 0x40000;
    c.party_flags = 0x400;
    c.escort_value = 0x2 | 0x8;
    c.cre_flags = 0x200 | 0x1;
    c.pay_value = 12.0f;
    EXPECT_FLOAT_EQ(cre_carried_value(a), 2.0f * 3 + 50.0f + 2.0f);

    cre_make_escortee(a, 6);
    EXPECT_EQ(c.party_flags, PARTY_MEMBER);
    EXPECT_EQ(c.escort_value, 0x8);
    EXPECT_EQ(c.served, 1);
    EXPECT_EQ(c.service_days, 6);
    EXPECT_EQ(c.life_bits, 0x100u);
    EXPECT_EQ(c.energy, 5000);
    EXPECT_EQ(c.cre_flags, 0x1u);
    EXPECT_EQ(c.pay_value, 0.0f);
    // An escort counts even its cheap things as its own; goods that are
    // not its own stay as they were.
    auto own = [](int id) {
        ObjectRecord r;
        return (obj_record(id, r).ownflag & 0x04) != 0;
    };
    EXPECT_TRUE(own(c.inv_id[0]));
    EXPECT_TRUE(own(c.inv_id[1]));
    EXPECT_FALSE(own(c.inv_id[2]));
    EXPECT_TRUE(own(c.worn[0]));
    EXPECT_EQ(c.inv_count[0], 3);
    // Unmarking clears them; a companion that is no escort keeps cheap
    // things unmarked.
    cre_mark_companion_gear(a, 0);
    EXPECT_FALSE(own(c.inv_id[0]));
    EXPECT_FALSE(own(c.worn[0]));
    c.life_bits = 0;
    cre_mark_companion_gear(a, 1);
    EXPECT_FALSE(own(c.inv_id[0]));
    EXPECT_TRUE(own(c.inv_id[1]));
    EXPECT_TRUE(own(c.worn[0]));  // worn things go by the switch alone
}

TEST_F(Traits, IdleCompanionsBesideThePlayer) {
    const int a = person(231, 232, 0, "Ari");
    const int b = person(233, 233, 0, "Oti");
    const int far = person(240, 240, 0, "Kaisa");
    for (int s : {a, b, far}) Cre[s].party_flags |= PARTY_MEMBER;
    char names[200];
    EXPECT_EQ(list_idle_companions_beside(names, sizeof names), 2);
    EXPECT_NE(std::string(names).find("Ari"), std::string::npos) << names;
    EXPECT_NE(std::string(names).find("Oti"), std::string::npos) << names;
    EXPECT_EQ(std::string(names).find("Kaisa"), std::string::npos) << names;
    Cre[b].move_mode = MOVE_MODE_ASLEEP;
    EXPECT_EQ(count_helping_companions(), 1);
    EXPECT_STREQ(companion_names_text(), "Ari");
    Cre[a].Puuha[0] = 60;  // busy
    EXPECT_EQ(count_helping_companions(), 0);
    EXPECT_STREQ(companion_names_text(), "your companions");
    creature_catch_up = 1;
    Cre[a].Puuha[0] = 0;
    EXPECT_EQ(list_idle_companions_beside(names, sizeof names), 0);
    creature_catch_up = 0;
}

TEST_F(Traits, UnpackingIsForOwnAnimalsAndCompanions) {
    const int wolf = put(611, 233, 232);
    EXPECT_EQ(unpack_from_creature(wolf), -1);
    EXPECT_EQ(unpack_or_pick_from_creature(0, wolf), 0);  // the square is picked from
    const int horse = put(621, 231, 232);
    Cre[horse].cre_status = CRE_STATUS_TIED;
    // Nothing carried: told so, nothing taken.
    EXPECT_EQ(unpack_from_creature(horse), 0);
    // Something carried: the picker (not built yet) cancels.
    Cre[horse].inv_id[0] = item_type(9, ITEM_FOOD, 1.0f);
    Cre[horse].inv_count[0] = 2;
    clear_stub_calls();
    EXPECT_EQ(unpack_from_creature(horse), 0);
    EXPECT_EQ(stub_calls_of("select_creature_items"), 1);
    EXPECT_EQ(Cre[horse].inv_count[0], 2);
    EXPECT_EQ(unpack_or_pick_from_creature(0, horse), 1);
}

TEST_F(Traits, TheMapViewReadsTheRecord) {
    const int wolf = put(611, 233, 232);
    const int cow = put(609, 234, 232);
    const int person_ = person(235, 232);
    EXPECT_STREQ(cre_avatar_name(wolf), "av-wolf");
    Cre[cow].picture_key[0] = 0;  // by its type code
    Cre[cow].type_code = 1031;
    EXPECT_STREQ(cre_avatar_name(cow), "av-bull");
    Cre[person_].type_code = 1005;
    Cre[person_].home_culture = 11;
    EXPECT_STREQ(cre_avatar_name(person_), "npc-njman");
    Cre[person_].type_code = 1048;
    EXPECT_STREQ(cre_avatar_name(person_), "");
    EXPECT_EQ(creature_kind(wolf), 611);
    EXPECT_EQ(cre_class(wolf), 3);
    EXPECT_STREQ(creature_name(wolf, 0), "wolf");
    EXPECT_STREQ(creature_name(-1, 0), "human");
    EXPECT_STREQ(cre_aggression_sound(wolf), "growl");
    EXPECT_STREQ(cre_sound(wolf), "howl");
    Cre[wolf].move_mode = MOVE_MODE_ASLEEP;
    Cre[wolf].air_state = 100;
    Cre[wolf].Suunta = 5;
    EXPECT_EQ(creature_activity(wolf), MOVE_MODE_ASLEEP);
    EXPECT_EQ(creature_altitude(wolf), 100);
    EXPECT_EQ(creature_facing(wolf), 5);
    EXPECT_EQ(cre_is_present(wolf), 1);
    Cre[wolf].cre_flags |= CRE_AWAY;
    EXPECT_EQ(cre_is_present(wolf), 0);
    // The young are drawn smaller.
    EXPECT_EQ(creature_drawn_by_size(wolf), 0);
    CreatureRecord calf;
    make_young_creature(660, calf);
    const int young = place(calf, 236, 232);
    EXPECT_EQ(creature_drawn_by_size(young), 1);
    EXPECT_EQ(creature_size_value(young), 7);  // 25 x 0.3
    EXPECT_EQ(creature_size_value(wolf) <= 25, true);
    // A world-map entry's weight: a template, or a record of the file.
    CreTemplates[611] = Cre[wolf];
    EXPECT_EQ(world_entry_weight(611), int(Cre[wolf].weight));
    EXPECT_EQ(world_entry_weight(-5), 0);
    // Its picture comes from the template, never from the table slot that
    // the number would name on a local map.
    EXPECT_STREQ(world_entry_picture(611), "av-wolf");
    CreTemplates[612] = CreatureRecord{};
    EXPECT_STREQ(world_entry_picture(612), "");
    EXPECT_STREQ(world_entry_picture(-3), "");
}

}  // namespace
