// Saving and loading the character.
#include "game/save_load.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <system_error>
#include <vector>

#include "creatures/creature_files.h"
#include "maps/map_change.h"
#include "maps/map_layers.h"
#include "maps/markers.h"
#include "maps/weather.h"
#include "maps/world_files.h"
#include "objects/object_store.h"
#include "game/turn_state.h"
#include "base/debug_log.h"
#include "base/fatal.h"
#include "society/villages.h"
#include "ui/boxes.h"
#include "ui/message_line.h"
#include "work/herblore.h"

int32_t backup_counter = 0;

namespace {

// The record's name as terminated text (the field is 13 bytes).
bool record_has_name(const PlayerRecord& rec) { return rec.name[0] != 0; }

// A character file that holds a whole record with a name.
bool usable_character_file(const std::string& path) {
    if (file_size(path) != (long long)PLR_RECORD_SIZE) return false;
    PlayerRecord rec;
    return peek_character_file(path, rec) && record_has_name(rec);
}

// Copies a file whole and atomically; the target is left alone on failure.
bool copy_file_atomic(const std::string& from, const std::string& to) {
    std::vector<uint8_t> bytes;
    if (!read_whole_file(from, bytes)) return false;
    return write_file_atomic(to, bytes.data(), bytes.size());
}

void warn(const char* text) {
    show_message(text);
    pause_prompt();
}

void write_error(const char* file_name) {
    char text[300];
    format_text(text, sizeof text, "!Write error with %s. Report!", file_name);
    warn(text);
}

}  // namespace

std::string character_folder() {
    std::string folder;
    if (install_folder[0]) {
        folder = install_folder;
        folder += '/';
    }
    folder += character_name;
    return folder;
}

std::string character_record_path() { return character_folder() + "/" + character_name + ".KMS"; }

std::string character_backup_path(int n) {
    std::string path = character_folder() + "/" + character_name;
    if (n < 0) return path + ".BAK";
    char suffix[16];
    format_text(suffix, sizeof suffix, ".BK%d", n);
    return path + suffix;
}

bool peek_character_file(const std::string& path, PlayerRecord& rec) {
    std::memset(&rec, 0, sizeof rec);
    FILE* file = open_file_ci(path, "rb");
    if (file == nullptr) return false;
    size_t got = std::fread(&rec, 1, sizeof rec, file);
    std::fclose(file);
    if (got < sizeof rec) std::memset(reinterpret_cast<uint8_t*>(&rec) + got, 0, sizeof rec - got);
    rec.name[sizeof rec.name - 1] = 0;
    return true;
}

void rotate_character_backups() {
    backup_counter = (backup_counter + 1) % CHARACTER_BACKUPS;
    const std::string record = character_record_path();
    // Only a whole, named record is worth keeping: an empty or short file
    // never replaces a backup.
    if (!usable_character_file(record)) return;
    copy_file_atomic(record, character_backup_path(backup_counter));
    copy_file_atomic(record, character_backup_path(-1));
}

int character_values_implausible(const PlayerRecord& rec) {
    int named = 0, high = 0;
    for (int i = 0; i < PLR_SKILLS; ++i) {
        if (rec.skill_name[i][0] == 0) continue;
        ++named;
        if (rec.skill_level[i] > 94) ++high;
    }
    if (high > named / 2 && rec.days_played < 30) return 1;
    if (named > 0 && high == named && rec.days_played < 100) return 1;
    const uint8_t attributes[] = {rec.str, rec.agi, rec.dex, rec.spd, rec.end, rec.smt,
                                  rec.eye, rec.tch, rec.wil, rec.intel, rec.hrg};
    bool all_high = true;
    for (uint8_t a : attributes) all_high = all_high && a > 17;
    return all_high && rec.days_played < 30 ? 1 : 0;
}

bool save_character(int kind) {
    if (character_name[0] == 0 || !record_has_name(Plr)) {
        // A save without a name would mix this character's files with
        // another's: nothing is written at all.
        warn("!The character record's name is blank, so nothing was saved. Please report this!");
        return false;
    }
    rotate_character_backups();
    if (character_values_implausible(Plr)) {
        show_message("!CHARACTER DATA CHECKSUM FAILURE! MESSED UP vALUES, CORRUPT ENTRIES.");
        if (!messages_suppressed) pause_prompt();
    }
    if (kind == SAVE_PLAYER) show_message("#Saving your character...");

    bool ok = true;
    if (kind != SAVE_QUICK) {
        if (!write_herblore()) {
            write_error("HERBLORE.DAT");
            ok = false;
        }
        // The map files name themselves on the message line when they fail.
        if (!save_world_layers(Plr.map_name)) ok = false;
    }

    Plr.facing = uint8_t(facing);
    Plr.x = player_x;
    Plr.y = player_y;
    if (is_world_map()) {
        Plr.zoom_arrival_x = 0;
        Plr.zoom_arrival_y = 0;
    } else {
        Plr.zoom_arrival_x = player_x;
        Plr.zoom_arrival_y = player_y;
    }
    Plr.map_zoom = map_view.zoom;
    Plr.plr_version = PLR_FORMAT_VERSION;

    if (!write_player_record(character_record_path(), Plr)) {
        warn("!Write error with .KMS file. Report!");
        ok = false;
    }
    std::fflush(nullptr);

    const std::string folder = character_folder();
    if (!save_object_store(folder + "/" + character_name + ".OBJ")) {
        write_error(".OBJ file");
        ok = false;
    }
    if (kind == SAVE_QUICK) return ok;

    if (!save_item_types(folder + "/CONSTANT.OBJ")) {
        write_error("CONSTANT.OBJ");
        ok = false;
    }
    if (!weather.save_weather(folder + "/GLOBWEATHER.DAT")) {
        write_error("GLOBWEATHER.DAT");
        ok = false;
    }
    message_pause_count = 0;
    if (!save_culture_grid()) {
        write_error("kulttuuri.dat");
        ok = false;
    }
    if (!save_markers()) {
        write_error("MARKER.DAT");
        ok = false;
    }
    if (!save_area_events()) {
        write_error("EXTRAMARKER.DAT");
        ok = false;
    }
    if (current_village_id != NO_VILLAGE) {
        if (!save_village(current_village_id, current_village)) {
            write_error("the village file");
            ok = false;
        }
        clear_current_village();
    }
    if (kind == SAVE_PLAYER) {
        if (ok)
            show_message("=Your character has been saved.");
        else
            warn("!Your character could not be saved completely; the files that failed are named above.");
    }
    return ok;
}

void save_and_reload_map() {
    save_character(SAVE_QUIET);
    getmappie(1);
}

bool restore_empty_character_file() {
    const std::string record = character_record_path();
    if (usable_character_file(record)) return false;
    // ".BAK" first, then the numbered backups, newest first.
    struct Candidate {
        std::string path;
        std::filesystem::file_time_type when;
    };
    std::vector<Candidate> numbered;
    for (int n = 0; n < CHARACTER_BACKUPS; ++n) {
        std::string path = resolve_path_ci(character_backup_path(n));
        std::error_code ec;
        auto when = std::filesystem::last_write_time(path, ec);
        if (!ec) numbered.push_back({path, when});
    }
    std::stable_sort(numbered.begin(), numbered.end(),
                     [](const Candidate& a, const Candidate& b) { return a.when > b.when; });
    std::vector<std::string> order{resolve_path_ci(character_backup_path(-1))};
    for (const Candidate& c : numbered) order.push_back(c.path);
    for (const std::string& path : order) {
        if (!usable_character_file(path)) continue;
        if (copy_file_atomic(path, record)) {
            char line[1200];
            format_text(line, sizeof line, "character file restored from %s", path.c_str());
            debug_log("readguy", line);
            return true;
        }
    }
    return false;
}

bool restore_empty_world_file() {
    const std::string world = character_file("WORLD.DAT");
    FILE* file = open_file_ci(world, "rb");
    if (file == nullptr) return false;  // nothing to repair
    bool all_zero = true;
    uint8_t buffer[65536];
    size_t got;
    while (all_zero && (got = std::fread(buffer, 1, sizeof buffer, file)) > 0)
        for (size_t i = 0; i < got; ++i)
            if (buffer[i] != 0) {
                all_zero = false;
                break;
            }
    std::fclose(file);
    if (!all_zero) return false;
    // Only a whole backup may take its place.
    const std::string backup = resolve_path_ci(character_file("WORLD.BAK"));
    if (file_size(backup) != WORLD_FILE_SIZE) return false;
    return copy_file_atomic(backup, world);
}

void readguy() {
    recentre_request = 0;
    remove_file("TEMP.PLR");
    const std::string folder = character_folder();
    const std::string record = character_record_path();

    restore_empty_character_file();
    char text[1400];
    const long long size = file_size(record);
    if (size < 0) {
        format_text(text, sizeof text, "Can't open the character file %s.", record.c_str());
        exit_with_message(text);
    }
    PlayerRecord loaded;
    if (!read_player_record(record, loaded)) {
        format_text(text, sizeof text, "The character file %s is damaged (%lld bytes, %zu expected).",
                    record.c_str(), size, PLR_RECORD_SIZE);
        exit_with_message(text);
    }
    Plr = loaded;
    rotate_character_backups();
    facing = Plr.facing;
    player_x = Plr.x;
    player_y = Plr.y;

    if (load_object_store(folder + "/" + character_name + ".OBJ") < 0)
        exit_with_message("Couldn't open object data!");
    load_item_types(folder + "/CONSTANT.OBJ");

    // The creatures of each map are loaded with that map; the templates
    // are read here.
    int templates = read_constant_cre(folder + "/CONSTANT.CRE");
    if (templates < 0) debug_log("readguy", "CONSTANT.CRE missing: no creature templates loaded");

    load_markers();

    const std::string weather_file = folder + "/GLOBWEATHER.DAT";
    bool loaded_weather = false;
    if (path_exists(resolve_path_ci(weather_file)))
        weather.load_weather(weather.current, weather_file, &loaded_weather);
    if (!loaded_weather) {
        int day_of_year = Plr.day + 30 * Plr.month - 30;
        if (day_of_year < 0 || day_of_year > 359) day_of_year = 0;
        weather.init_weather(weather.current, day_of_year, Plr.hour % 24);
    }
}
