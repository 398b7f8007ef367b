// The character record and its file.
#include "game/player.h"

#include <cmath>
#include <cstring>

#include "base/text_ring.h"

PlayerRecord Plr;

namespace {

bool valid_slot(int slot) { return slot >= 0 && slot < PLR_SKILLS; }

// Length of a slot's name within its 12 bytes.
size_t field_length(const char* field) {
    size_t n = 0;
    while (n < size_t(PLR_SKILL_NAME_BYTES) && field[n] != 0) ++n;
    return n;
}

}  // namespace

const char* skill_name_text(const PlayerRecord& rec, int slot) {
    char* out = next_ring_text();
    if (!valid_slot(slot)) return out;
    const char* field = rec.skill_name[slot];
    std::memcpy(out, field, field_length(field));  // the ring buffer comes cleared
    return out;
}

bool skill_name_is(const PlayerRecord& rec, int slot, const char* name) {
    if (!valid_slot(slot) || name == nullptr) return false;
    const char* field = rec.skill_name[slot];
    size_t len = field_length(field);
    size_t want = strnlen(name, PLR_SKILL_NAME_BYTES + 1);
    return len == want && std::memcmp(field, name, len) == 0;
}

bool skill_name_contains(const PlayerRecord& rec, int slot, const char* word) {
    if (!valid_slot(slot) || word == nullptr || word[0] == 0) return false;
    const char* field = rec.skill_name[slot];
    size_t len = field_length(field);
    size_t wlen = std::strlen(word);
    if (wlen > len) return false;
    for (size_t i = 0; i + wlen <= len; ++i)
        if (std::memcmp(field + i, word, wlen) == 0) return true;
    return false;
}

void set_skill_name(PlayerRecord& rec, int slot, const char* name) {
    if (!valid_slot(slot)) return;
    char* field = rec.skill_name[slot];
    std::memset(field, 0, PLR_SKILL_NAME_BYTES);
    if (name != nullptr) std::memcpy(field, name, strnlen(name, PLR_SKILL_NAME_BYTES));
}

int find_skill_exact(const PlayerRecord& rec, const char* name) {
    for (int i = 0; i < PLR_SKILLS; ++i)
        if (skill_name_is(rec, i, name)) return i;
    return -1;
}

int find_skill_containing(const PlayerRecord& rec, const char* word) {
    for (int i = 0; i < PLR_SKILLS; ++i)
        if (skill_name_contains(rec, i, word)) return i;
    return -1;
}

int find_free_skill_slot(const PlayerRecord& rec) {
    for (int i = 0; i < PLR_SKILLS; ++i)
        if (rec.skill_name[i][0] == 0) return i;
    return -1;
}

bool write_player_record(const std::string& path, const PlayerRecord& rec) {
    return write_records(path, &rec, 1);
}

bool read_player_record(const std::string& path, PlayerRecord& rec) {
    PlayerRecord loaded;
    if (!read_records(path, &loaded, 1)) return false;
    if (loaded.bodytemp == 0.0f) {
        loaded.bodytemp = 37.0f;
        loaded.bodytemp_change = 0.0f;
    }
    // Older records kept the change as a small whole number, whose bits read
    // as a subnormal (or, negative, as no number at all): it starts anew.
    if (!std::isnormal(loaded.bodytemp_change)) loaded.bodytemp_change = 0.0f;
    if (loaded.Energiavaranto < 0) loaded.Energiavaranto = 0;
    rec = loaded;
    return true;
}
