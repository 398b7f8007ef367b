// The spirits of the land.
#pragma once

// The encounter-state message about the mood of the nearby spirits.
void spirit_mood_message();
