// A small fighting ground for the combat tests: the player at (200, 200)
// on a seen local map, creatures of the table standing where a test puts
// them (a map record each, their squares seen), weapons made as object
// instances, and the message log of a character "Tester", so that what the
// real message line shows can be read back in order.
#pragma once

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "base/config.h"
#include "base/platform.h"
#include "body/combat_state.h"
#include "body/melee_exchange.h"
#include "body/wounds.h"
#include "console/console.h"
#include "creatures/creature_files.h"
#include "game/player.h"
#include "game/turn_state.h"
#include "maps/map_layers.h"
#include "objects/map_kinds.h"
#include "objects/map_object_table.h"
#include "objects/object_store.h"
#include "support/play_folder.h"
#include "ui/catalogue.h"
#include "ui/message_line.h"

class CombatGround : public ::testing::Test {
public:
    static constexpr int PX = 200, PY = 200;
    // The message catalogue and the log, one copy of the installation for
    // a whole suite.
    static inline std::unique_ptr<PlayFolder> play;
    static void SetUpTestSuite() { play = std::make_unique<PlayFolder>(); }
    static void TearDownTestSuite() { play.reset(); }

    void SetUp() override {
        remove_file("Tester/msglog.txt");
        std::memset(&Plr, 0, sizeof Plr);
        copy_text(Plr.name, "Tester");
        make_folder("Tester");
        Plr.agi = Plr.end = Plr.dex = Plr.str = 12;
        Plr.body_weight = 160;
        Plr.travel_mode = 1;
        Plr.days_played = 3;
        player_x = PX;
        player_y = PY;
        reset_map_object_table();
        reset_object_store();
        reset_body_state();
        reset_combat_state();
        for (int i = 0; i < CRE_SLOTS; ++i) std::memset(&Cre[i], 0, sizeof Cre[i]);
        tactical_advantage = last_tactical_advantage = ADVANTAGE_NOBODY;
        view_rebuild_request = 0;
        weapon_damage = 1;
        no_damage_switch = 0;
        messages_suppressed = false;
        skip_message_pauses = true;
        message_pause_count = 0;
        allow_repeated_message = true;  // two equal lines in a row are both told
        reset_last_message();
        sounds.clear();
        pauses = 0;
        exchange_sound = [](const char* name) { sounds.push_back(name); };
        exchange_pause = [](uint32_t) { ++pauses; };
        see(PX, PY);
    }
    void TearDown() override {
        exchange_sound = saved_sound;
        exchange_pause = saved_pause;
        allow_repeated_message = false;
        skip_message_pauses = false;
        for (int i = 0; i < CRE_SLOTS; ++i) std::memset(&Cre[i], 0, sizeof Cre[i]);
        for (size_t i : seen_cells) view_layer[i] = VIEW_UNSEEN;
        seen_cells.clear();
        for (int i = 0; i < CRE_SLOTS; ++i) CreSlotRefs[i] = 0;
        reset_map_object_table();
        reset_object_store();
        reset_combat_state();
    }

    // The player sees the square.
    static void see(int x, int y) {
        view_layer[map_index(x, y)] = '.';
        seen_cells.push_back(map_index(x, y));
    }
    static void unsee(int x, int y) { view_layer[map_index(x, y)] = VIEW_UNSEEN; }

    // A creature of the table standing at (x, y), seen by the player.
    static CreatureRecord& creature(int slot, int cls, const char* name, int x, int y) {
        CreatureRecord& c = Cre[slot];
        std::memset(&c, 0, sizeof c);
        c.cre_class = uint8_t(cls);
        copy_text(c.name, sizeof c.name, name);
        c.attr_agi = c.attr_end = c.attr_dex = c.attr_str = 12;
        c.weight = 40.0f;
        c.stature = 2;
        c.sotu = uint32_t(1000 + slot);
        c.fight_target = FIGHT_TARGET_NONE;
        CreSlotRefs[slot] = 1000 + slot;
        for (int i = 0; i < MAP_OBJECT_COUNT; ++i)
            if (Data[i].TYPE != MK_CREATURE) {
                Data[i].TYPE = MK_CREATURE;
                Data[i].x = uint16_t(x);
                Data[i].y = uint16_t(y);
                Data[i].DATA = 1000 + slot;
                Data[i].amount = 1;
                break;
            }
        see(x, y);
        return c;
    }
    static CreatureRecord& wolf(int slot, int x = PX + 1, int y = PY) {
        CreatureRecord& c = creature(slot, 3, "Wolf", x, y);
        c.kind = 611;
        c.weight = 40.0f;
        copy_text(c.attack_name[0], sizeof c.attack_name[0], "bite");
        c.attack_impact[0] = 3;
        c.attack_value[0] = 10;
        c.attack_aspect[0] = 3;
        c.attack_skill[0] = 40;
        return c;
    }

    // A weapon stored as an instance: its id.
    static ObjectRecord weapon_record(const char* name, const char* skill, int blunt, int edge, int point,
                                      float pounds, uint8_t ad_class = 0x11) {
        ObjectRecord r{};
        r.item_class = ITEM_WEAPON;
        copy_text(r.name, sizeof r.name, name);
        copy_text(r.skill, sizeof r.skill, skill);
        r.blunt = uint8_t(blunt);
        r.edge = uint8_t(edge);
        r.point = uint8_t(point);
        r.weight = r.full_weight = pounds;
        r.ad_class = ad_class;
        return r;
    }
    static int store(const ObjectRecord& r) { return obj_store_new(r); }

    // The lines the message log took since the last call.
    std::vector<std::string> told() {
        std::vector<std::string> lines;
        if (!play->exists("Tester/msglog.txt")) return lines;
        std::istringstream in(play->read("Tester/msglog.txt"));
        std::string line;
        size_t n = 0;
        while (std::getline(in, line)) {
            if (n++ < lines_read_) continue;
            const size_t bar = line.find("| ");
            lines.push_back(bar == std::string::npos ? line : line.substr(bar + 2));
        }
        lines_read_ = n;
        return lines;
    }
    // The text a key tells, as the log keeps it: capitals where the
    // message line puts them, the class mark off.
    static std::string text_of(const char* key) {
        std::string t = message_by_key(key);
        bool pending = true;
        for (size_t i = 0; i < t.size(); ++i) {
            unsigned char c = static_cast<unsigned char>(t[i]);
            if (pending) {
                c = latin1_upper(c);
                t[i] = char(c);
                pending = std::strchr("#!+?:&,=_()1234567890 ", c) != nullptr;
            } else if (std::strchr(".!:?", c)) {
                pending = !(c == '.' && i + 1 < t.size() && t[i + 1] >= '0' && t[i + 1] <= '9');
            }
        }
        if (!t.empty() && std::strchr("!#&+:=?_>", t[0])) t.erase(0, 1);
        return t;
    }

    static inline std::vector<std::string> sounds;
    static inline int pauses = 0;
    static inline std::vector<size_t> seen_cells;

private:
    size_t lines_read_ = 0;
    void (*saved_sound)(const char*) = exchange_sound;
    void (*saved_pause)(uint32_t) = exchange_pause;
};
