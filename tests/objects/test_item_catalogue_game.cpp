// The catalogue through the real program: the character created by a key
// script (fixed seed) has the game's own item types in its folder.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "base/platform.h"
#include "objects/object_store.h"
#include "support/created_character.h"
#include "support/play_folder.h"

namespace {

TEST(ItemCatalogueGame, ANewCharacterHasTheCatalogueInItsFolder) {
    PlayFolder folder;
    std::string why;
    ASSERT_TRUE(copy_created_character(folder, &why)) << why;

    std::vector<uint8_t> bytes;
    ASSERT_TRUE(read_whole_file(folder.file("ARI/CONSTANT.OBJ"), bytes));
    ASSERT_EQ(bytes.size(), 68800u);
    ObjectRecord types[ITEM_TYPE_COUNT];
    std::memcpy(types, bytes.data(), sizeof types);

    const ObjectRecord& pike = types[212];
    EXPECT_STREQ(pike.name, "Pike");
    EXPECT_EQ(pike.item_class, ITEM_FOOD);
    EXPECT_EQ(pike.kind, 490);
    EXPECT_EQ(pike.spoilage_days, 3);
    EXPECT_EQ(pike.symbol, 121);
    EXPECT_EQ(pike.point, 18);
    EXPECT_EQ(pike.weight, float(3000 / 453.0));  // 3 kg, 6.6225 lb
    EXPECT_FLOAT_EQ(pike.unit_price, 0.76f);
    EXPECT_STREQ(pike.tile, "fd-fish");

    const ObjectRecord& battleaxe = types[278];
    EXPECT_STREQ(battleaxe.name, "Battleaxe");
    EXPECT_EQ(battleaxe.blunt, 5);
    EXPECT_EQ(battleaxe.edge, 9);
    EXPECT_EQ(battleaxe.point, 200);
    EXPECT_EQ(battleaxe.ad_class, 0x24);
    EXPECT_EQ(battleaxe.coverage[0], 15);
    EXPECT_EQ(battleaxe.price, 640.0f);

    for (int slot = 302; slot <= 310; ++slot) {
        EXPECT_STREQ(types[slot].name, "Arrow") << slot;
        EXPECT_EQ(std::memcmp(&types[slot], &types[302], sizeof types[0]), 0) << slot;
    }
    EXPECT_EQ(types[302].point, 8);
    EXPECT_STREQ(types[302].skill, "BOW");
    EXPECT_STREQ(types[302].tile, "wp-arrow");
}

}  // namespace
