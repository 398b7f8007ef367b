// The command keys' descriptions and captions.
#include <gtest/gtest.h>

#include <string>

#include "ui/input.h"
#include "ui/key_commands.h"

namespace {

TEST(KeyCommands, DescriptionsShortAndLong) {
    struct Case {
        int key;
        int long_form;
        const char* text;
    } cases[] = {
        {9999, 0, "some action"},
        {'y', 1, "some action"},
        {'i', 0, "Inventory"},
        {'i', 1, "Inventory -- look at what you are carrying "},
        {'l', 1, "Look what is at chosen location"},
        {KEY_F3, 0, "Look around"},
        {';', 1, "Pick up from adjacent tile, pack animal or companion"},
        {KEY_DELETE, 0, "Movement and rest actions"},
        {KEY_ENTER, 0, "Zoom in/out between wilderness and terrain map"},
        {KEY_F7, 0, "Wounds and injuries"},
        {KEY_CTRL_S, 1, "Save the game"},
        {'W', 0, "Wear clothes or armor"},
    };
    for (const Case& c : cases) EXPECT_EQ(std::string(key_command_text(c.key, c.long_form)), c.text) << c.key;
}

TEST(KeyCommands, CaptionsNameTheKeysBeforeTheLongDescription) {
    struct Case {
        int key;
        const char* line;
    } cases[] = {
        {'g', "[g] or [,] Pick up something"},
        {'G', "[G] or [;] Pick up from adjacent tile, pack animal or companion"},
        {'/', "[/] or [DEL] Movement and rest actions"},
        {'M', "[M] or [+] Make items and constructions"},
        {'l', "[l] or [F3] Look what is at chosen location"},
        {KEY_F3, "[l] or [F3] Look what is at chosen location"},
        {KEY_ESC, "ESC.Help and game options"},
        {KEY_ENTER, "ENTER.Zoom in/out between wilderness and terrain map"},
        {'.', "..Wait for one turn"},
        {'Z', "Z.Sleep"},
        {KEY_F1, "F1.Game encyclopedia; a hypertext guide"},
        {KEY_F6, "F6.Map of known areas"},
        {KEY_CTRL_S, "[CTRL]+[s]Save the game"},
        {'i', "i.Inventory -- look at what you are carrying "},
        {'v', "v.View message log"},
    };
    for (const Case& c : cases) EXPECT_EQ(std::string(key_command_keys(c.key)), c.line) << c.key;
}

}  // namespace
