// The keyed words of base/text_ring.h filled from the message catalogue,
// and texts built from catalogue entries.
#pragma once

// Replaces the keyed words by their catalogue texts; once at start-up.
// A key the catalogue does not know keeps its built-in word.
void ksm_textinit();
// "OUT_OF_ITEMS" filled with the item's name (ring).
char* out_of_items_text(const char* item_name);
