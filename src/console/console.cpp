// The developer console's switches and its command (not built yet).
#include "console/console.h"

#include <cstring>

int32_t time_skip_mode = 0;
uint8_t console_big_tiles = 0;
uint8_t console_view_switch = 0;
uint8_t console_object_count = 0;
uint8_t console_gupd = 1;
uint8_t console_treeless = 0;
uint8_t console_see_through = 0;

const char* stub_calls[STUB_CALL_SLOTS] = {};
int stub_call_count = 0;

void note_stub_call(const char* name) {
    stub_calls[stub_call_count % STUB_CALL_SLOTS] = name;
    ++stub_call_count;
}

void clear_stub_calls() {
    for (auto& c : stub_calls) c = nullptr;
    stub_call_count = 0;
}

bool stub_was_called(const char* name) {
    for (const char* c : stub_calls)
        if (c && std::strcmp(c, name) == 0) return true;
    return false;
}

// Not built yet: the console's own screen and commands come with the
// developer console.
void developer_console() { note_stub_call("developer_console"); }
