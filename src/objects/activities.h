// The activity dispatcher and the repeat key's memory: every player activity
// that a key, a command menu or "r" starts has a code, and perform_activity
// turns the code into its routine.
#pragma once

#include <cstdint>

constexpr int LAST_ACTIVITY_TEXT = 100;

// Names the activity on the command line, refuses what the world map does
// not allow, remembers the activity for "r" (all codes but the item and
// fire commands that ask anew each time) and runs its routine; what the
// routine answers, 0 for code 0, a refusal or a code without a routine.
// A null text counts as empty.
int perform_activity(int code, int argument, const char* data);
// The last remembered activity: code, argument and text (for "r"). They
// live for the whole run.
extern int32_t last_activity_code;
extern int32_t last_activity_argument;
extern char last_activity_data[LAST_ACTIVITY_TEXT];
// False for the codes "r" never repeats.
bool activity_is_remembered(int32_t code);
// On the world map: the refusal message and 1; on a local map 0.
int wilderness_refusal();
// The fishing command's form of the refusal.
int wilderness_refusal_fishing();
// The older names of the refusals.
inline int world_map_refusal() { return wilderness_refusal(); }
inline int fishing_world_map_refusal() { return wilderness_refusal_fishing(); }
