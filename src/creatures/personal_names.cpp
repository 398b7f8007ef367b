#include "creatures/personal_names.h"

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "base/debug_log.h"
#include "base/files.h"
#include "base/platform.h"
#include "base/text_ring.h"
#include "game/player.h"

namespace {

constexpr int NAME_LINE_BYTES = 100;
constexpr int MAX_REJECTED_DRAWS = 32;

// A list as read: its lines with their line ends taken off and cut to 99
// characters. Read once per run (a missing list is noted once).
struct NameList {
    bool read = false;
    bool found = false;
    std::vector<std::string> lines;
};
NameList lists[3][2];

char recent[RECENT_NAME_COUNT][NAME_LINE_BYTES];

int group_of(int culture) {
    if (culture == 1 || (culture >= 4 && culture <= 6)) return 1;
    if (culture >= 7 && culture <= 9) return 2;
    return 0;
}
const char* const kGroupWords[3] = {"east", "west", "north"};

const NameList& list_for(int group, bool female) {
    NameList& l = lists[group][female ? 1 : 0];
    if (l.read) return l;
    l.read = true;
    const std::string file = std::string(kGroupWords[group]) + (female ? "f.dat" : "m.dat");
    std::FILE* f = open_file_ci(file, "rb");
    if (f == nullptr) {
        const std::string text = "name list missing: " + file;
        debug_log("names!", text.c_str());
        return l;
    }
    l.found = true;
    std::string line;
    int ch;
    while ((ch = std::fgetc(f)) != EOF) {
        if (ch == '\n') {
            l.lines.push_back(line);
            line.clear();
        } else if (ch != '\r' && line.size() < NAME_LINE_BYTES - 1) {
            line.push_back(char(ch));
        }
    }
    if (!line.empty()) l.lines.push_back(line);
    std::fclose(f);
    return l;
}

}  // namespace

const char* culture_group_word(int culture) { return kGroupWords[group_of(culture)]; }

int name_recently_used(const char* name) {
    for (const char* r : recent)
        if (r[0] != 0 && std::strcmp(r, name) == 0) return 1;
    for (char* r : recent)
        if (r[0] == 0) {
            copy_text(r, NAME_LINE_BYTES, name);
            return 0;
        }
    std::memmove(recent[0], recent[1], sizeof recent - sizeof recent[0]);
    copy_text(recent[RECENT_NAME_COUNT - 1], NAME_LINE_BYTES, name);
    return 0;
}

const char* draw_personal_name(int sex, int culture) {
    const NameList& l = list_for(group_of(culture), sex == 'F');
    if (!l.found) return ring_copy(FALLBACK_PERSONAL_NAME);
    // The draw runs one past the last line, and a first draw of 0 reads the
    // second line too: the header is never given, the second line comes
    // twice as often as the others.
    const int n = int(l.lines.size());
    const char* last_recent = nullptr;
    for (int rejected = 0; rejected <= MAX_REJECTED_DRAWS;) {
        const int i = n > 0 ? random_below(n) : 0;
        const int line = i == 0 ? 1 : i;
        const char* candidate = line < n ? l.lines[size_t(line)].c_str() : "";
        if (candidate[0] == 0) {
            ++rejected;
            continue;
        }
        if (!name_recently_used(candidate)) return ring_copy(candidate);
        last_recent = candidate;
        ++rejected;
    }
    return ring_copy(last_recent ? last_recent : FALLBACK_PERSONAL_NAME);
}

const char* random_personal_name(int sex, int culture) { return draw_personal_name(sex, culture); }

const char* random_foreign_name() {
    // A culture of each group: east, west, north.
    static const int kGroupCultures[3] = {0, 1, 7};
    const char* name = "";
    for (int tries = 0; tries <= 10; ++tries) {
        const int group = random_below(3);
        name = draw_personal_name('M', kGroupCultures[group]);
        if (std::strncmp(name, Plr.name, sizeof Plr.name) != 0) break;
    }
    return name;
}

void reset_personal_names() {
    std::memset(recent, 0, sizeof recent);
    for (auto& g : lists)
        for (NameList& l : g) l = NameList{};
}
