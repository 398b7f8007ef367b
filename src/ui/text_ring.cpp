#include "ui/text_ring.h"

#include <cstring>

char text_ring[TEXT_RING_SIZE][TEXT_RING_BYTES];
int32_t text_ring_index = 0;

char* next_ring_text() {
    text_ring_index = (text_ring_index + 1) % TEXT_RING_SIZE;
    char* buffer = text_ring[text_ring_index];
    std::memset(buffer, 0, TEXT_RING_BYTES);
    return buffer;
}
