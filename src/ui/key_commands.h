// What each command key does, in one place: a line of description for a
// key, and the key's caption with that description, as the key help page
// and the game courses tell the player which key to press.
#pragma once

// The description of a command key; "some action" for a key that is no
// command. The long form gives the longer wording of a few commands.
// Static buffer, rewritten by every call.
const char* key_command_text(int key, int long_form = 0);
// The key's caption and the long description, such as
// "[g] or [,] Pick up something" or "ESC.Help and game options" (a key cap
// form: "[x]" or a caption before a "."). Static buffer.
const char* key_command_keys(int key);
