// The peoples of the land: the culture table and its draws, the pickers of
// the culture lists against the built-in catalogue, caches of goods, and
// the people and spirits made from their kinds.
#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <set>
#include <string>

#include "base/platform.h"
#include "creatures/creature_files.h"
#include "creatures/creature_species.h"
#include "creatures/culture_goods.h"
#include "creatures/people_makers.h"
#include "creatures/personal_names.h"
#include "game/player.h"
#include "maps/map_layers.h"
#include "objects/inventory.h"
#include "objects/item_catalogue.h"
#include "objects/object_store.h"
#include "support/play_folder.h"

namespace {

std::string field(const char* f, size_t n) { return std::string(f, strnlen(f, n)); }
#define FIELD(r, f) field((r).f, sizeof (r).f)

// The installation's name lists, the built-in catalogue and the templates,
// made once for the program.
class Peoples : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        folder = new PlayFolder;
        reset_object_store();
        build_item_catalogue();
        reset_creature_tables();
        reset_personal_names();
        player_x = player_y = 0;
        creature_defaults();
        for (CreatureRecord& t : CreTemplates) t = CreScratch;
        docreatures();
    }
    static void TearDownTestSuite() {
        reset_personal_names();
        delete folder;
    }
    void SetUp() override {
        seed_random(21);
        player_x = player_y = 0;
    }
    static PlayFolder* folder;
};
PlayFolder* Peoples::folder = nullptr;

// ------------------------------------------------------------ the table

TEST_F(Peoples, TheCultureTableAndItsDraws) {
    EXPECT_STREQ(culture_name(1), "Driikil\xE4inen");
    EXPECT_STREQ(culture_lower_word(7), "kuikka-tribe");
    EXPECT_STREQ(culture_code(11), "nje");
    const int gear[14] = {2, 5, 3, 4, 4, 2, 3, 3, 3, 2, 3, 3, 5, 2};
    const int region[14] = {1, 2, 1, 1, 2, 2, 2, 3, 3, 3, 0, 0, 0, 0};
    for (int c = 0; c < 14; ++c) {
        EXPECT_EQ(culture_gear_level(c), gear[c]) << c;
        EXPECT_EQ(culture_region(c), region[c]) << c;
    }
    EXPECT_EQ(culture_gear_level(20), 3);
    EXPECT_EQ(culture_region(20), 0);
    // Whole words only: "forest" does not name the foreigners ("for").
    EXPECT_EQ(text_mentions_culture("forest", 12), 0);
    EXPECT_EQ(text_mentions_culture("eastern for", 12), 1);
    EXPECT_EQ(text_mentions_culture("northern", 11), 0);
    for (int c = 0; c < 14; ++c) EXPECT_EQ(text_mentions_culture("all", c), 1) << c;

    std::map<int, int> robbers, animals, neighbours;
    for (int i = 0; i < 10000; ++i) {
        ++robbers[random_robber_culture(0)];
        ++animals[random_village_animal_template(0)];
        ++neighbours[random_neighbour_culture(4)];
        EXPECT_EQ(random_village_animal_template(13), 618);
        EXPECT_EQ(random_village_animal_template(30), 618);
    }
    EXPECT_EQ(robbers.size(), 2u);
    EXPECT_NEAR(robbers[10], 5000, 200);
    EXPECT_NEAR(robbers[8], 5000, 200);
    EXPECT_NEAR(animals[616], 5333, 200);
    EXPECT_NEAR(animals[615], 2667, 200);
    EXPECT_NEAR(animals[618], 2000, 200);
    EXPECT_EQ(neighbours.size(), 4u);
    for (int n : {5, 1, 2, 7}) EXPECT_NEAR(neighbours[n], 2500, 200) << n;
    EXPECT_EQ(random_robber_culture(12), 10);
    EXPECT_EQ(random_neighbour_culture(13), 10);
}

TEST_F(Peoples, TheAnimalsOfACulturesLands) {
    for (int c = 0; c < 14; ++c)
        for (int mode = 1; mode <= 4; ++mode)
            for (int i = 0; i < 20; ++i) {
                const int k = random_culture_template(c, mode);
                if (k == 0) continue;
                const CreatureRecord& t = CreTemplates[k];
                EXPECT_GT(t.cre_class, 1) << k;
                const uint16_t mask = mode == 1 || mode == 3 ? t.culture_mask1 : t.culture_mask2;
                EXPECT_TRUE(mask & (1u << c)) << k << " culture " << c;
                if (mode == 3) {
                    EXPECT_LE(t.base_weight, 12.0f) << k;
                }
                if (mode == 4) {
                    EXPECT_EQ(t.cre_class, 21) << k;
                }
            }
    EXPECT_NE(random_culture_template(0, 2), 0);
    // Of the first masks only the wolf's names a people, the Rororad.
    EXPECT_STREQ(random_culture_animal_name(11), "wolf");
    EXPECT_STREQ(random_culture_animal_name(0), "animal");
    EXPECT_STREQ(random_culture_animal_name(40), "animal");
}

// ------------------------------------------------------------ pickers

// Every name the picker put into the list is an item of the catalogue, and
// the pick is one of them.
void expect_list_in_catalogue(int pick, const char* what) {
    const int n = item_name_list_count();
    ASSERT_GT(n, 0) << what;
    for (int i = 0; i < n; ++i) EXPECT_NE(obj_template_by_name(item_name_list_at(i), 1), 0) << what << ": " << item_name_list_at(i);
    EXPECT_NE(pick, 0) << what;
}

TEST_F(Peoples, EveryPickerFindsItsNamesInTheCatalogue) {
    for (int c = 0; c < 14; ++c)
        for (int i = 0; i < 60; ++i) {
            const std::string at = " culture " + std::to_string(c);
            expect_list_in_catalogue(random_everyday_knife_name(c), ("everyday knife" + at).c_str());
            expect_list_in_catalogue(random_jewellery_name(c), ("jewellery" + at).c_str());
            expect_list_in_catalogue(random_arrow_name(c), ("arrow" + at).c_str());
            expect_list_in_catalogue(random_fishing_gear_name(), "fishing gear");
            for (int t : {11, 12})
                for (int armour : {0, 1}) {
                    const std::string w = " t " + std::to_string(t) + " armour " + std::to_string(armour);
                    expect_list_in_catalogue(random_headgear_name(t, armour), ("headgear" + w).c_str());
                    expect_list_in_catalogue(random_body_armour_name(t, armour), ("body armour" + w).c_str());
                    expect_list_in_catalogue(random_limb_armour_name(t, armour), ("limb armour" + w).c_str());
                }
            // The tool picker's own names (the knife pickers are tested above).
            const int tool = random_tool_name(c);
            if (tool != 0) expect_list_in_catalogue(tool, ("tool" + at).c_str());
        }
    // Other peoples have no armour list: the branch of an empty list.
    EXPECT_EQ(random_headgear_name(3, 1), obj_template_by_name("BRANCH", 1));
    EXPECT_NE(obj_template_by_name("BRANCH", 1), 0);
    for (int i = 0; i < 50; ++i) {
        EXPECT_NE(pick_undergarment(), 0);
        ObjectRecord r;
        obj_record(pick_dress(2) ? pick_dress(2) : pick_undergarment(), r);
        EXPECT_NE(r.name[0], 0);
    }
}

TEST_F(Peoples, ThePickersOdds) {
    int iron = 0, arrows = 0, headwear = 0;
    for (int i = 0; i < 10000; ++i) {
        ObjectRecord r;
        obj_record(random_headgear_name(11, 1), r);
        std::string name = field(r.name, sizeof r.name);
        for (char& ch : name) ch = char(latin1_upper(static_cast<unsigned char>(ch)));
        iron += name == "IRON HELM";
        obj_record(random_arrow_name(5), r);
        arrows += field(r.name, sizeof r.name) == "Arrow";
        headwear += pick_womens_headwear() != 0;
    }
    EXPECT_NEAR(iron, 6667, 200);
    EXPECT_EQ(arrows, 10000);
    EXPECT_NEAR(headwear, 6000, 200);
}

TEST_F(Peoples, CachesOfGoodsHoldMadeItemsOnly) {
    ObjectList list;
    for (int c = 0; c < 16; ++c)
        for (int i = 0; i < 20; ++i) {
            std::memset(&list, 0xAB, sizeof list);
            const int n = random_culture_item_set(c, list);
            EXPECT_EQ(n, list.count);
            EXPECT_LE(n, 63);
            for (int e = 0; e < n; ++e) {
                EXPECT_TRUE(obj_id_is_valid(list.entries[e].DATA)) << c << " entry " << e;
                EXPECT_GE(list.entries[e].amount, 1);
            }
            for (int e = n; e < OBJECT_LIST_SIZE; ++e) EXPECT_EQ(list.entries[e].DATA, 0);
        }
}

// ------------------------------------------------------------ people

int skills_of(const CreatureRecord& c) {
    int n = 0;
    for (const auto& s : c.skill_slot_name) n += s[0] != 0;
    return n;
}

TEST_F(Peoples, TenThousandPeopleWithinTheirBounds) {
    const int kinds[] = {500, 510, 520, 530, 540, 550, 551, 560, 570, 580};
    for (int i = 0; i < 10000; ++i) {
        const int kind = kinds[i % 10];
        creature_template(kind);
        const CreatureRecord& c = CreScratch;
        ASSERT_EQ(c.cre_class, 1) << kind;
        for (uint8_t a : {c.attr_int, c.attr_end, c.attr_str, c.attr_dex, c.attr_agi, c.attr_smt, c.attr_hrg}) {
            ASSERT_GE(a, 3) << kind;
            ASSERT_LE(a, 18) << kind;
        }
        ASSERT_GE(c.walk_speed, 4);
        ASSERT_LE(c.walk_speed, 7);
        ASSERT_EQ(c.max_speed, 2 * c.walk_speed);
        ASSERT_LE(skills_of(c), 4);
        ASSERT_GE(skills_of(c), 1);
        const std::string personal = FIELD(c, personal_name);
        ASSERT_FALSE(personal.empty());
        ASSERT_NE(personal, FALLBACK_PERSONAL_NAME);
        ASSERT_FALSE(FIELD(c, second_name).empty());
        ASSERT_FALSE(FIELD(c, name).empty()) << kind;
        ASSERT_FALSE(FIELD(c, picture_key).empty()) << kind;
        if (kind == 500) {
            EXPECT_EQ(c.home_culture, 11);
            EXPECT_EQ(c.enmity, -100);
            EXPECT_GE(c.attack_threshold, 90);
            EXPECT_EQ(c.morale2, 100);
            EXPECT_EQ(FIELD(c, picture_key), "npc-njwar");
            EXPECT_EQ(c.type_code, 1003);
            EXPECT_EQ(FIELD(c, name), "Rororad warrior");
            // The weapon of the always list.
            int weapons = 0;
            for (int32_t id : c.inv_id) weapons += id != 0;
            EXPECT_GE(weapons, 1);
        }
    }
}

TEST_F(Peoples, ThePlacesCultureNamesAndDressesItsPeople) {
    copy_text(Plr.map_name, "BIGMAP");
    is_world_map();
    player_x = 900;
    player_y = 700;
    set_culture_at(player_x, player_y, 8);  // the owl tribe: northern
    creature_template(520);
    CreatureRecord woman = CreScratch;
    EXPECT_EQ(woman.cre_status, 14);
    EXPECT_EQ(woman.home_culture, 8);
    EXPECT_EQ(FIELD(woman, picture_key), "npc-nwoman");
    const std::string name = FIELD(woman, name);
    EXPECT_TRUE(name == "Owl-tribe Maiden" || name == "Owl-tribe Woman" || name == "Owl-tribe Housewife") << name;
    // The undergarment is always worn.
    bool undergarment = false;
    for (int32_t id : woman.worn) {
        if (id == 0) continue;
        ObjectRecord r;
        obj_record(id, r);
        undergarment |= FIELD(r, name).find("ndergarment") != std::string::npos;
    }
    EXPECT_TRUE(undergarment);
    creature_template(560);
    EXPECT_EQ(FIELD(CreScratch, name), "Old Owl-tribe man");
    EXPECT_EQ(FIELD(CreScratch, picture_key), "npc-noldman");
    set_culture_at(player_x, player_y, 11);
    creature_template(580);
    EXPECT_EQ(FIELD(CreScratch, picture_key), "npc-njman");
    EXPECT_EQ(CreScratch.move_mode, 3);
    set_culture_at(player_x, player_y, 0);
    player_x = player_y = 0;
}

TEST_F(Peoples, ChildrenAndSpirits) {
    for (int i = 0; i < 200; ++i) {
        creature_template(590);
        const CreatureRecord& c = CreScratch;
        EXPECT_EQ(c.cre_status, 15);
        EXPECT_LE(c.attr_str, 13);
        EXPECT_FLOAT_EQ(c.base_weight, 30.0f);
        EXPECT_EQ(skills_of(c), 1);
        EXPECT_EQ(FIELD(c, skill_slot_name[0]), "KNIFE");
    }
    creature_template(701);
    CreatureRecord water = CreScratch;
    EXPECT_EQ(water.cre_class, 50);
    EXPECT_EQ(FIELD(water, picture_key), "npc-wtrman");
    EXPECT_EQ(water.walk_speed, 6);
    EXPECT_EQ(water.attack_skill[0], 95);
    std::set<std::string> worn;
    for (int32_t id : water.worn) {
        if (id == 0) continue;
        ObjectRecord r;
        obj_record(id, r);
        worn.insert(FIELD(r, name));
    }
    EXPECT_EQ(worn, (std::set<std::string>{"Lake reed shirt", "Grass trousers", "Fish leather cap"}));
    int fish = 0;
    for (int32_t id : water.inv_id) fish += id != 0;
    EXPECT_EQ(fish, 4);
    creature_template(702);
    EXPECT_EQ(FIELD(CreScratch, picture_key), "npc-forspr");
    creature_template(700);
    EXPECT_EQ(CreScratch.cre_status, 14);
    EXPECT_FALSE(FIELD(CreScratch, personal_name).empty());
}

TEST_F(Peoples, TheTemplatesAreDressedInTypesAndLeaveTheStoreEmpty) {
    clear_object_store();
    docreatures();
    EXPECT_EQ(count_object_instances(), 0);
    bool typed = false;
    for (int32_t id : CreTemplates[520].worn) {
        EXPECT_FALSE(obj_id_is_instance(id)) << id;
        typed |= obj_id_is_type(id);
    }
    EXPECT_TRUE(typed);  // the undergarment, as its type
    EXPECT_EQ(making_templates, 0);
    // A person made in play wears instances of its own.
    creature_template(520);
    bool instance = false;
    for (int32_t id : CreScratch.worn) instance |= obj_id_is_instance(id);
    EXPECT_TRUE(instance);
}

TEST_F(Peoples, SkillsAndCarriedSlots) {
    std::memset(&CreScratch, 0, sizeof CreScratch);
    for (const char* s : {"SWORD", "KNIFE", "SPEAR", "AXE"}) npc_set_skill(s, 40);
    npc_set_skill("BOW", 70);  // a fifth skill is dropped
    npc_set_skill("KNIFE", 77);
    EXPECT_EQ(skills_of(CreScratch), 4);
    EXPECT_EQ(CreScratch.skill_slot_level[1], 77);
    const int knife = obj_template_by_name("KNIFE", 1);
    const int arrow = obj_template_by_name("ARROW", 1);
    EXPECT_EQ(npc_add_item(knife), 1);
    EXPECT_EQ(npc_add_item(knife), 0);  // held already
    EXPECT_EQ(npc_add_items(arrow, 200), 200);
    EXPECT_EQ(npc_add_items(arrow, 100), 100);  // 255 in one slot, the rest in the next
    EXPECT_EQ(CreScratch.inv_id[1], arrow);
    EXPECT_EQ(CreScratch.inv_count[1], 255);
    EXPECT_EQ(CreScratch.inv_id[2], arrow);
    EXPECT_EQ(CreScratch.inv_count[2], 45);
    // Wearing: a second garment of the same sort takes the first one's place.
    const int cap = obj_template_by_name("Leather cap", 1);
    npc_wear_type(cap);
    npc_wear_type(cap);
    int worn = 0;
    for (int32_t id : CreScratch.worn) worn += id != 0;
    EXPECT_EQ(worn, 1);
}

}  // namespace
