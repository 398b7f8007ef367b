// The table of command keys and their descriptions.
#include "ui/key_commands.h"

#include "base/platform.h"
#include "ui/input.h"

namespace {

struct KeyText {
    int key;
    const char* text;
    const char* long_text;  // nullptr: the same as text
};

const KeyText KEY_TEXTS[] = {
    {KEY_ENTER, "Zoom in/out between wilderness and terrain map", nullptr},
    {KEY_ESC, "Help and game options", nullptr},
    {'!', "Command pets and companions", nullptr},
    {',', "Pick up something", nullptr},
    {'g', "Pick up something", nullptr},
    {'-', "Wait and rest until cancelled", nullptr},
    {'.', "Wait for one turn", nullptr},
    {'/', "Movement and rest actions", nullptr},
    {KEY_DELETE, "Movement and rest actions", nullptr},
    {'0', "Kick", nullptr},
    {'1', "Attack with 1st weapon", nullptr},
    {'2', "Attack with 2nd weapon", nullptr},
    {'3', "Repeat the last attack", nullptr},
    {'9', "Punch", nullptr},
    {':', "Look what is at current location", nullptr},
    {';', "Pick up from adjacent tile", "Pick up from adjacent tile, pack animal or companion"},
    {'G', "Pick up from adjacent tile", "Pick up from adjacent tile, pack animal or companion"},
    {'A', "Armour coverage statistics", nullptr},
    {'C', "Chat (talk) with someone", nullptr},
    {'E', "Eat something", nullptr},
    {'e', "Eat something", nullptr},
    {'M', "Make items and constructions", nullptr},
    {'P', "Character profile", nullptr},
    {'Q', "Quit and optionally save the game", nullptr},
    {'R', "Run", nullptr},
    {'T', "Take off worn clothes or wielded weapons", nullptr},
    {'W', "Wear clothes or armor", nullptr},
    {'X', "Exchange wielded weapons", nullptr},
    {'Z', "Sleep", nullptr},
    {'a', "Apply (use) a tool or container", nullptr},
    {'b', "Butcher -- cut a carcass for meat", nullptr},
    {'c', "Close a door or gate", nullptr},
    {'d', "Drop something", nullptr},
    {'f', "Build a fire", nullptr},
    {'h', "Hide", nullptr},
    {'i', "Inventory", "Inventory -- look at what you are carrying "},
    {'l', "Look around", "Look what is at chosen location"},
    {KEY_F3, "Look around", "Look what is at chosen location"},
    {'m', "Move items", "Move items -- haul items around with you"},
    {'o', "Open a door or gate", nullptr},
    {'p', "Push/pack -- push items at your feet to an adjacent location or pack them on an animal", nullptr},
    {'q', "Quaff (drink) something", nullptr},
    {'r', "Repeat the last action", nullptr},
    {'s', "Skills -- view and use your skills", nullptr},
    {'t', "Throw something, or shoot an arrow", nullptr},
    {'u', "Get up or lay down", nullptr},
    {'v', "View message log", nullptr},
    {'w', "Wield a weapon or tools", nullptr},
    {'x', "Look to a direction", nullptr},
    {KEY_F1, "Game encyclopedia; a hypertext guide", nullptr},
    {KEY_F2, "Quest journal", nullptr},
    {KEY_F4, "Spells and magic means", nullptr},
    {KEY_F5, "Game course information", nullptr},
    {KEY_F6, "Map of known areas", nullptr},
    {KEY_F7, "Wounds and injuries", nullptr},
    {KEY_CTRL_S, "Save the game", nullptr},
};

// Keys that have a second key doing the same.
struct KeyPair {
    int key;
    const char* first;
    const char* second;
};
const KeyPair KEY_PAIRS[] = {
    {'/', "/", "DEL"}, {KEY_DELETE, "/", "DEL"}, {'M', "M", "+"}, {'l', "l", "F3"},
    {KEY_F3, "l", "F3"}, {'g', "g", ","},        {'G', "G", ";"},
};

}  // namespace

const char* key_command_text(int key, int long_form) {
    static char text[200];
    copy_text(text, "some action");
    for (const KeyText& k : KEY_TEXTS)
        if (k.key == key) {
            copy_text(text, (long_form && k.long_text) ? k.long_text : k.text);
            break;
        }
    return text;
}

const char* key_command_keys(int key) {
    static char line[300];
    char caption[40];
    caption[0] = '\0';
    for (const KeyPair& p : KEY_PAIRS)
        if (p.key == key) format_text(caption, sizeof caption, "[%s] or [%s] ", p.first, p.second);
    if (caption[0] == '\0') {
        switch (key) {
        case KEY_CTRL_S: copy_text(caption, "[CTRL]+[s]"); break;
        case KEY_ENTER: copy_text(caption, "ENTER."); break;
        case KEY_ESC: copy_text(caption, "ESC."); break;
        case '.': copy_text(caption, ".."); break;
        case 'Z': copy_text(caption, "Z."); break;
        default:
            if (key >= KEY_F1 && key <= KEY_F7) format_text(caption, sizeof caption, "F%d.", key - KEY_F1 + 1);
            else if (key > 0 && key < 256) format_text(caption, sizeof caption, "%c.", char(key));
            break;
        }
    }
    format_text(line, sizeof line, "%s%s", caption, key_command_text(key, 1));
    return line;
}
