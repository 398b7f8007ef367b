// Age and the physical profile screen. Not built yet.
#pragma once

// 0 view during play, 1 creation with accept or reroll, 2 confirmation.
int physical_profile(int mode);
