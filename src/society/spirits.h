// The spirits of the land.
#pragma once

// The encounter-state message about the mood of the nearby spirits.
void spirit_mood_message();
// The hourly check of the spirits' presence near the player. Not built
// yet: nothing.
void hourly_spirit_presence();
