// Two new characters in one run of the outer loop: each is created, its
// game started from its files and played, and nothing of the first game is
// left in the second; each character carries its own starting gear.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>

#include "base/config.h"
#include "creatures/movement_commands.h"
#include "game/player.h"
#include "game/turn_state.h"
#include "maps/map_change.h"
#include "maps/map_draw.h"
#include "maps/map_view.h"
#include "maps/sight.h"
#include "objects/object_store.h"
#include "shell/commands.h"
#include "shell/game_loop.h"
#include "society/standing.h"
#include "society/villages.h"
#include "support/screen_session.h"
#include "ui/encyclopedia.h"
#include "ui/input.h"
#include "ui/keyed_words.h"
#include "ui/map_overlay.h"
#include "ui/message_line.h"
#include "ui/settings.h"

namespace {

// What a game looked like at its first command.
struct GameStart {
    std::string name;
    int inventory_entries = 0;
    int worn = 0;
    int store_instances = 0;
    bool has_bread = false;
    // The per-game state the last game may have left.
    int lights = 0;
    int tree_top = 0, target = 0, herb = 0;
    int arrival_mode = 0, party = 0, encounter_hour = 0;
    bool repeat_messages = false;
    int previous_cell = 0, step_result = 0, step_direction = 0;
    float walked = 0;
    uint8_t constant_kept = 0, constant_copied = 0;
    bool neutral_standing_block = false;
    bool first_games_village = true;
};
GameStart starts[2];
int games = 0;
std::string game_name;

void look_at_the_start(GameStart& s) {
    s.name = character_name;
    for (int slot = 0; slot < PLR_INV_SLOTS; ++slot) {
        if (Plr.plr_inv_count[slot] <= 0) continue;
        ++s.inventory_entries;
        const int id = Plr.plr_inv_id[slot];
        // "Rye bread" or "Flat rye bread", the catalogue's breads.
        const std::string name = obj_id_is_instance(id) ? Objects[id - FIRST_INSTANCE_ID].name : "";
        if (name.size() >= 5 && name.compare(name.size() - 5, 5, "bread") == 0) s.has_bread = true;
        if (obj_id_is_instance(id) && (Objects[id - FIRST_INSTANCE_ID].state_bits & OBJ_WORN)) ++s.worn;
    }
    // The plants growing on its local maps are objects of the store too.
    for (const ObjectRecord& o : Objects) s.store_instances += o.item_class != 0 && o.item_class != ITEM_PLANT;
    for (const MapLight& l : map_lights) s.lights += l.x != 0;
    s.tree_top = tree_top_view;
    s.target = target_x + target_y;
    s.herb = player_herb_effect;
    s.arrival_mode = zoom_arrival_mode;
    s.party = party_stack_count;
    s.encounter_hour = encounter_hour;
    s.repeat_messages = allow_repeated_message;
    s.previous_cell = previous_x + previous_y;
    s.step_result = last_step_result;
    s.step_direction = last_step_direction;
    s.walked = walk_distance;
    s.constant_kept = game_constant_work[5][0];
    s.constant_copied = game_constant_work[5][3];
    const StandingBlock neutral = neutral_standing(-1000);
    s.neutral_standing_block = std::memcmp(&talk_standing, &neutral, sizeof neutral) == 0;
    s.first_games_village = find_village_index(777) != NO_VILLAGE || cur_village_id == 777;
}

// State the first game leaves that it can't make yet by play (no light
// items, trees to climb or conversations exist yet).
void leave_state_behind() {
    map_lights[0] = MapLight{1000, 600, 3, true};
    tree_top_view = 1;
    target_x = 1234;
    target_y = 567;
    player_herb_effect = 1;
    zoom_arrival_mode = 8;
    party_stack_count = 3;
    encounter_hour = 17;
    allow_repeated_message = true;
    last_step_direction = 5;
    game_constant_work[5][0] = 42;
    game_constant_work[5][3] = 9;
    std::memset(&talk_standing, 0x5A, sizeof talk_standing);
    // A village the first character has met.
    record_village_visit(777);
    CurVillage.help = 9;
}

int probing_command() {
    if (game_name != character_name) {
        game_name = character_name;
        if (games < 2) look_at_the_start(starts[games]);
        if (games == 0) leave_state_behind();
        ++games;
    }
    return player_command();
}

class TwoGames : public ::testing::Test {
protected:
    void SetUp() override {
        copy_text(install_folder, current_folder().c_str());
        load_encyclopedia_topics();
        GetConfig();
        ksm_textinit();
        games = 0;
        game_name.clear();
        saved_ = game_services;
        game_services = default_game_loop_services();
        game_services.player_command = probing_command;
        setenv("KSM_TEST_SEED", "5", 1);
    }
    void TearDown() override {
        game_services = saved_;
        unsetenv("KSM_TEST_SEED");
        unsetenv("KSM_TEST_KEYS");
        reset_test_keys();
        std::memset(ItemTypes, 0, sizeof ItemTypes);
        quit_state = 0;
    }
    void keys(const std::string& script) {
        folder.write("keys.txt", script);
        setenv("KSM_TEST_KEYS", folder.file("keys.txt").c_str(), 1);
        reset_test_keys();
    }
    // Instances in a saved object store, the plants of its maps left out.
    static int instances_in(const std::string& path) {
        if (load_object_store(path) < 0) return -1;
        int n = 0;
        for (const ObjectRecord& o : Objects) n += o.item_class != 0 && o.item_class != ITEM_PLANT;
        return n;
    }

    PlayFolder folder;
    ScreenSession screen;
    GameLoopServices saved_;
};

TEST_F(TwoGames, SecondCharacterStartsCleanAndEachCarriesItsOwnGear) {
    // CREATE A CHARACTER, quick, a name, the world accepted, free play, the
    // page after creation, the encyclopedia's first-timer page, the story;
    // in the game a few steps, a zoom in, save and quit. Then the second
    // character the same way, and QUIT.
    const std::string create = "[DOWN]\n[ENTER]\n[Q]\n";
    const std::string after_name = "[ENTER]\n[E]\n[ESC]\n[SPACE]\n[ESC]\n[SPACE]\n";
    const std::string save_and_quit = "[Q]\n[y]\n[y]\n[SPACE]\n";
    keys(create + "[A]\n[r]\n[i]\n" + after_name + "[UP]\n[UP]\n[ENTER]\n[UP]\n" + save_and_quit +
         create + "[B]\n[e]\n[a]\n" + after_name + "[UP]\n" + save_and_quit +
         "[DOWN]\n[DOWN]\n[DOWN]\n[DOWN]\n[DOWN]\n[DOWN]\n[ENTER]\n");
    outer_loop();
    EXPECT_TRUE(test_keys_used_up());
    ASSERT_EQ(games, 2);
    EXPECT_EQ(starts[0].name, "ARI");
    EXPECT_EQ(starts[1].name, "BEA");

    // Each game started from its files with its own gear, and only that:
    // bread, a knife, a weapon and clothes, and in the store besides them
    // at most the unworn records the clothes were put on from.
    for (const GameStart& s : starts) {
        EXPECT_GE(s.inventory_entries, 3) << s.name;
        EXPECT_TRUE(s.has_bread) << s.name;
        EXPECT_GE(s.store_instances, s.inventory_entries) << s.name;
        EXPECT_LE(s.store_instances, s.inventory_entries + s.worn) << s.name << ": nothing of another game";
    }
    EXPECT_EQ(instances_in(folder.file("ARI/ARI.OBJ")), starts[0].store_instances);
    EXPECT_EQ(instances_in(folder.file("BEA/BEA.OBJ")), starts[1].store_instances);

    // Nothing of the first game in the second.
    const GameStart& second = starts[1];
    EXPECT_EQ(second.lights, 0);
    EXPECT_EQ(second.tree_top, 0);
    EXPECT_EQ(second.target, 0);
    EXPECT_EQ(second.herb, 0);
    EXPECT_EQ(second.arrival_mode, 0);
    EXPECT_EQ(second.party, 0);
    EXPECT_EQ(second.encounter_hour, 0);
    EXPECT_FALSE(second.repeat_messages);
    EXPECT_EQ(second.previous_cell, 0) << "the first game walked";
    EXPECT_EQ(second.step_result, 0);
    EXPECT_EQ(second.step_direction, 0);
    EXPECT_EQ(second.walked, 0.0f);
    EXPECT_EQ(second.constant_kept, 42) << "the first byte of a row stays";
    EXPECT_EQ(second.constant_copied, game_constant_table[5][2]);
    EXPECT_TRUE(second.neutral_standing_block);
    EXPECT_FALSE(second.first_games_village);
    // The first character's villages went to its own file only.
    EXPECT_EQ(file_size(folder.file("ARI/ARI.VIL")), (long long)sizeof(VillageRecord));
    EXPECT_EQ(file_size(folder.file("BEA/BEA.VIL")), 0);
}

}  // namespace
