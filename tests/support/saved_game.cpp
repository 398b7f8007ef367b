#include "saved_game.h"

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <ctime>
#include <cstring>
#include <filesystem>

#include "game/player.h"
#include "game/save_load.h"
#include "game/turn_state.h"
#include "creatures/creature_files.h"
#include "creatures/creature_services.h"
#include "maps/local_store.h"
#include "maps/map_change.h"
#include "maps/map_layers.h"
#include "maps/markers.h"
#include "maps/terrain_types.h"
#include "maps/world_files.h"
#include "objects/object_store.h"
#include "shell/game_loop.h"
#include "shell/game_start.h"
#include "society/villages.h"
#include "ui/message_line.h"
#include "base/platform.h"

namespace fs = std::filesystem;

FixtureWorld make_saved_game(const std::string& name) {
    FixtureWorld world = make_fixture_world(name);
    // The texts and plant definitions a game reads as it starts belong to
    // the installation; a play folder without it gets them here.
    for (const fs::directory_entry& e : fs::directory_iterator(KSM_DATA_DIR)) {
        const std::string file = e.path().filename().string();
        const bool wanted = file == "messages" || file == "NOTES.STD" || file.rfind("flora_", 0) == 0;
        if (wanted && !fs::exists(file))
            fs::copy(e.path(), file, fs::copy_options::recursive);
    }
    // As the start of a game: nothing of an earlier game in this process
    // (its things, villages, markers, cultures) reaches this one's save.
    prepare_game_state();
    // The creature templates, as creation writes them.
    write_constant_cre();
    init_terrain_types_for_date(6, 1);
    message_pause_count = 0;
    skip_message_pauses = true;
    messages_suppressed = false;
    Plr.bodytemp = 37.0f;
    backup_counter = 0;
    load_world_files();
    std::memcpy(remembered_layer, stored_world_remembered, MAP_CELLS);
    load_culture_grid();
    load_markers();
    zoom_index_invalidate();
    facing = 0;
    map_change_request = 0;
    recentre_request = 0;
    party_stack_count = 0;
    zoom_arrival_mode = 0;
    game_just_continued = 0;
    seed_random(5);
    Objects[3].item_class = 6;
    copy_text(Objects[3].name, sizeof Objects[3].name, "Handaxe");
    // Into the local map: the map loader ends with the full save.
    terrain_map(0, -1);
    maploader(0);
    save_character(SAVE_PLAYER);
    return world;
}

void play_a_little(int days) {
    Plr.days_played += days;
    Plr.total_minutes += days * 24 * 60;
    Plr.str = uint8_t(10 + days % 5);
    player_x += 1;
    Objects[7].item_class = 3;
    format_text(Objects[7].name, sizeof Objects[7].name, "Birch-bark box %d", days);
    Markers[2].stocked_day = Plr.days_played;
    AreaEvents[5].type = days;
    terrain_layer[map_index(210, 212)] = uint8_t(95 + days % 3);
    remembered_layer[map_index(211, 211)] = 95;
    culture_grid[500] = uint8_t(1 + days % 9);
    set_current_village(3);
    CurVillage.meets = uint16_t(days);
}

bool FolderSnapshot::same_as(const FolderSnapshot& other, std::string* first_difference) const {
    const std::vector<std::string> d = differences(other);
    if (!d.empty() && first_difference) *first_difference = d.front();
    return d.empty();
}

std::vector<std::string> FolderSnapshot::differences(const FolderSnapshot& other) const {
    std::vector<std::string> out;
    for (const auto& [name, state] : files) {
        auto it = other.files.find(name);
        if (it == other.files.end() || !(it->second == state)) out.push_back(name);
    }
    for (const auto& [name, state] : other.files)
        if (!files.count(name)) out.push_back(name);
    return out;
}

namespace {

struct Seen {
    uintmax_t inode;
    long long size;
    long long mtime;
    uint32_t sum;
};
std::map<std::string, Seen> seen_files;

bool stat_of(const std::string& path, Seen& out) {
    struct stat st;
    if (::stat(path.c_str(), &st) != 0) return false;
    out.inode = st.st_ino;
    out.size = st.st_size;
    out.mtime = (long long)st.st_mtim.tv_sec * 1000000000LL + st.st_mtim.tv_nsec;
    return true;
}

}  // namespace

FolderSnapshot snapshot_folder(const std::string& folder, bool keep_bytes) {
    FolderSnapshot s;
    for (const auto& entry : fs::directory_iterator(folder)) {
        if (!entry.is_regular_file()) continue;
        const std::string name = entry.path().filename().string();
        const std::string path = entry.path().string();
        Seen now{};
        if (!stat_of(path, now)) continue;
        auto it = seen_files.find(path);
        const bool known = it != seen_files.end() && it->second.inode == now.inode && it->second.size == now.size &&
                           it->second.mtime == now.mtime;
        if (known && !keep_bytes) {
            s.files[name] = FileState{now.size, it->second.sum};
            continue;
        }
        if (keep_bytes) {
            std::vector<uint8_t> bytes = read_fixture_file(path);
            now.sum = crc32_of(bytes.data(), bytes.size());
            s.bytes[name] = std::move(bytes);
        } else {
            // The sum as the file streams by, through one buffer.
            static std::vector<uint8_t> block(1u << 20);
            FILE* f = std::fopen(path.c_str(), "rb");
            uint32_t sum = 0;
            size_t n;
            while (f && (n = std::fread(block.data(), 1, block.size(), f)) > 0) sum = crc32_of(block.data(), n, sum);
            if (f) std::fclose(f);
            now.sum = sum;
        }
        // A file's time stamp moves in coarse steps: a file written within
        // the last moments could be written again under the same stamp, so
        // only files older than that are taken as known next time.
        struct timespec clock_now;
        clock_gettime(CLOCK_REALTIME, &clock_now);
        const long long now_ns = (long long)clock_now.tv_sec * 1000000000LL + clock_now.tv_nsec;
        if (now_ns - now.mtime > 200000000LL)
            seen_files[path] = now;
        else
            seen_files.erase(path);
        s.files[name] = FileState{now.size, now.sum};
    }
    return s;
}

void restore_folder(const std::string& folder, const FolderSnapshot& snapshot) {
    const FolderSnapshot now = snapshot_folder(folder);
    for (const auto& [name, state] : now.files)
        if (!snapshot.files.count(name)) fs::remove(fs::path(folder) / name);
    for (const auto& [name, state] : snapshot.files) {
        auto it = now.files.find(name);
        if (it != now.files.end() && it->second == state) continue;
        const std::vector<uint8_t>& bytes = snapshot.bytes.at(name);
        write_fixture_file((fs::path(folder) / name).string(), bytes.data(), bytes.size());
    }
}

int run_in_child(const std::function<int()>& body) {
    std::fflush(nullptr);
    const pid_t pid = fork();
    if (pid < 0) return -1;
    if (pid == 0) {
        const int code = body();
        std::fflush(nullptr);
        _exit(code);
    }
    int status = 0;
    if (waitpid(pid, &status, 0) != pid) return -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}
