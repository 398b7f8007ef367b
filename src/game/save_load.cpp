// Saving and loading the character.
#include "game/save_load.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <system_error>
#include <vector>

#include "creatures/creature_death.h"
#include "creatures/creature_files.h"
#include "creatures/creature_table.h"
#include "game/save_set.h"
#include "maps/local_store.h"
#include "maps/map_change.h"
#include "maps/map_layers.h"
#include "maps/markers.h"
#include "maps/weather.h"
#include "maps/world_files.h"
#include "objects/object_store.h"
#include "game/turn_state.h"
#include "base/debug_log.h"
#include "body/wounds.h"
#include "base/fatal.h"
#include "society/villages.h"
#include "ui/boxes.h"
#include "ui/message_line.h"
#include "work/herblore.h"

int32_t backup_counter = 0;

namespace {

// The record's name as terminated text (the field is 13 bytes).
bool record_has_name(const PlayerRecord& rec) { return rec.name[0] != 0; }

std::vector<std::string> notices;

void warn(const char* text) {
    show_message(text);
    pause_prompt();
}

std::string record_file_name() { return std::string(character_name) + ".KMS"; }

std::string backup_file_name(const std::string& folder_name, int n) {
    char suffix[16];
    if (n < 0 || n >= CHARACTER_BACKUPS) return folder_name + ".BAK";
    format_text(suffix, sizeof suffix, ".BK%d", n);
    return folder_name + suffix;
}

// The path of a file of a character folder given relative to the
// installation ("" when the installation folder is the working folder).
std::string folder_path(const std::string& folder) {
    if (!install_folder[0]) return folder;
    return std::string(install_folder) + "/" + folder;
}

// The bytes of a file as they are on disk (at most 1 MB; more counts as
// damaged). False when it can't be read.
bool disk_bytes(const std::string& path, std::vector<uint8_t>& out, bool* too_big = nullptr) {
    if (too_big) *too_big = false;
    const long long size = file_size(resolve_path_ci(path));
    if (size < 0) return false;
    if (size > (1 << 20)) {
        if (too_big) *too_big = true;
        out.clear();
        return true;
    }
    return read_whole_file(resolve_path_ci(path), out, 1u << 20);
}

bool printable_text(const char* field, size_t cap, bool may_be_empty) {
    const size_t n = strnlen(field, cap);
    if (n == cap) return false;
    if (n == 0) return may_be_empty;
    for (size_t i = 0; i < n; ++i) {
        const unsigned char c = static_cast<unsigned char>(field[i]);
        if (c < 32 || c == 127) return false;
    }
    return true;
}

}  // namespace

RecordVerdict record_fields_verdict(const PlayerRecord& rec, std::string* why) {
    auto damaged = [&](const char* reason) {
        if (why) *why = reason;
        return RecordVerdict::Damaged;
    };
    if (rec.name[0] == 0) return damaged("it holds no name");
    if (!printable_text(rec.name, sizeof rec.name, false)) return damaged("its name is garbled");
    if (!printable_text(rec.map_name, sizeof rec.map_name, false) ||
        (std::strcmp(rec.map_name, "BIGMAP") != 0 && std::strcmp(rec.map_name, "ZOOMMAP") != 0))
        return damaged("its map name is garbled");
    if (rec.plr_version <= 0 || rec.plr_version > PLR_FORMAT_VERSION) return damaged("its format number is garbled");
    if (rec.month > 12 || rec.day > 30 || rec.hour > 23 || rec.minute > 59) return damaged("its date is garbled");
    if (rec.facing > 7 || rec.x < 0 || rec.y < 0 || rec.x > WORLD_W || rec.y > WORLD_H)
        return damaged("its position is garbled");
    if (rec.days_played < 0 || rec.total_minutes < 0) return damaged("its day count is garbled");
    if (!std::isfinite(rec.bodytemp) || !std::isfinite(rec.map_zoom)) return damaged("its body values are garbled");
    if (rec.plr_version < PLR_OLDEST_FORMAT) {
        if (why) *why = "it is of a format too old to continue";
        return RecordVerdict::TooOld;
    }
    return RecordVerdict::Good;
}

RecordVerdict judge_character_record(const std::string& folder, const char* file_name, const uint8_t* bytes,
                                     size_t size, std::string* why) {
    if (size != PLR_RECORD_SIZE) {
        if (why) {
            char text[120];
            if (size == 0)
                format_text(text, sizeof text, "it is empty");
            else
                format_text(text, sizeof text, "it is %zu bytes long instead of %zu", size, PLR_RECORD_SIZE);
            *why = text;
        }
        return RecordVerdict::Damaged;
    }
    PlayerRecord rec;
    std::memcpy(&rec, bytes, sizeof rec);
    const RecordVerdict fields = record_fields_verdict(rec, why);
    if (fields == RecordVerdict::Damaged) return fields;
    if (judge_bytes_in(folder, file_name, bytes, size) == FileVerdict::Damaged) {
        if (why) *why = "its contents do not match its save";
        return RecordVerdict::Damaged;
    }
    return fields;
}

CharacterCheck check_character(const std::string& folder) {
    CharacterCheck c;
    const std::string path = folder_path(folder);
    c.record_file = folder + ".KMS";
    std::vector<uint8_t> bytes;
    bool too_big = false;
    if (!disk_bytes(path + "/" + c.record_file, bytes, &too_big)) {
        c.record = RecordVerdict::Missing;
        c.reason = "it is missing";
    } else if (too_big) {
        c.record = RecordVerdict::Damaged;
        c.reason = "it is far too large";
    } else {
        c.record = judge_character_record(path, c.record_file.c_str(), bytes.data(), bytes.size(), &c.reason);
    }
    // A character that died and whose folder could not be removed is never
    // brought back from its backups.
    if (c.record == RecordVerdict::Missing && path_exists(resolve_path_ci(path + "/" + c.record_file + ".DEAD")))
        return c;
    if (c.record == RecordVerdict::Good || c.record == RecordVerdict::TooOld) {
        PlayerRecord rec;
        std::memcpy(&rec, bytes.data(), sizeof rec);
        c.name = std::string(rec.name, strnlen(rec.name, sizeof rec.name));
        if (c.record == RecordVerdict::Good) return c;
    }

    // The newest good backup: the newest switch that wrote it, then the
    // newest on the disk.
    SaveManifest m;
    const bool listed = read_save_manifest_in(path, m);
    struct Candidate {
        int number;
        uint32_t generation;
        std::filesystem::file_time_type when;
        PlayerRecord rec;
    };
    std::vector<Candidate> good;
    for (int n = 0; n <= CHARACTER_BACKUPS; ++n) {
        const std::string name = backup_file_name(folder, n);
        const std::string file = resolve_path_ci(path + "/" + name);
        std::vector<uint8_t> b;
        bool big = false;
        if (!disk_bytes(file, b, &big) || big) continue;
        if (judge_character_record(path, name.c_str(), b.data(), b.size()) != RecordVerdict::Good) continue;
        Candidate k{n, 0, {}, {}};
        std::memcpy(&k.rec, b.data(), sizeof k.rec);
        if (listed)
            for (uint32_t i = 0; i < m.header.entry_count; ++i)
                if (compare_no_case(m.entry[i].name, name) == 0) k.generation = m.entry[i].generation;
        std::error_code ec;
        k.when = std::filesystem::last_write_time(file, ec);
        good.push_back(k);
    }
    // Newest first: the switch that wrote it, then ".BAK" (the copy of the
    // last rotation), then the time on the disk.
    std::stable_sort(good.begin(), good.end(), [](const Candidate& a, const Candidate& b) {
        if (a.generation != b.generation) return a.generation > b.generation;
        const bool a_bak = a.number == CHARACTER_BACKUPS, b_bak = b.number == CHARACTER_BACKUPS;
        if (a_bak != b_bak) return a_bak;
        return a.when > b.when;
    });
    if (!good.empty()) {
        const Candidate& best = good.front();
        c.backup = best.number;
        c.backup_file = backup_file_name(folder, best.number);
        c.backup_days = best.rec.days_played;
        if (c.name.empty()) c.name = std::string(best.rec.name, strnlen(best.rec.name, sizeof best.rec.name));
    }
    if (c.name.empty() && bytes.size() >= sizeof(PlayerRecord::name)) {
        // A damaged record may still carry a readable name (at most 12
        // characters of it).
        char name[sizeof(PlayerRecord::name)];
        copy_field(name, sizeof name, reinterpret_cast<const char*>(bytes.data()), sizeof name - 1);
        if (printable_text(name, sizeof name, false)) c.name = name;
    }
    return c;
}

void tell_after_load(const std::string& text) {
    for (const std::string& n : notices)
        if (n == text) return;  // the checks before the load and the load itself may both find it
    notices.push_back(text);
    debug_log("!saves", text.c_str());
}
const std::vector<std::string>& load_notices() { return notices; }

void tell_player(const char* text) {
    if (messages_suppressed) {
        tell_after_load(text);
        return;
    }
    show_message(text);
}
void clear_load_notices() { notices.clear(); }

void show_load_notices() {
    if (notices.empty()) return;
    bool warning = false;
    for (const std::string& n : notices) {
        show_message(n.c_str());
        warning = warning || n[0] == '!';
    }
    notices.clear();
    if (warning) pause_prompt();
}

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
    // The record as it is on the disk now (not a newer one staged in an
    // open save): only a whole, named record that its save vouches for is
    // worth keeping; anything else never replaces a backup.
    std::vector<uint8_t> bytes;
    if (!disk_bytes(character_record_path(), bytes)) return;
    const std::string file = record_file_name();
    if (judge_character_record(character_folder(), file.c_str(), bytes.data(), bytes.size()) == RecordVerdict::Damaged)
        return;
    write_character_file(backup_file_name(character_name, backup_counter).c_str(), bytes.data(), bytes.size());
    write_character_file(backup_file_name(character_name, -1).c_str(), bytes.data(), bytes.size());
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
    if (character_values_implausible(Plr)) {
        show_message("!CHARACTER DATA CHECKSUM FAILURE! MESSED UP vALUES, CORRUPT ENTRIES.");
        if (!messages_suppressed) pause_prompt();
    }
    if (kind == SAVE_PLAYER) show_message("#Saving your character...");

    // Every file of the save joins one commit: nothing replaces the
    // previous save until all of them are on the disk.
    begin_save_commit();
    bool partial = false;  // a part of the local map too full to store
    // The creatures are written back, and the stored map names them by
    // their references.
    cre_save_to_crs();
    if (kind != SAVE_QUICK) {
        write_herblore();
        creature_references_begin();
        if (!save_world_layers(Plr.map_name) && !save_commit_spoiled()) partial = true;
        creature_references_end();
    }
    save_creature_file();
    save_kill_log();

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

    write_character_file(record_file_name().c_str(), &Plr, sizeof Plr);
    write_character_file((std::string(character_name) + ".OBJ").c_str(), Objects, sizeof Objects);
    // The villages belong to the same moment as the character and its things.
    save_village_file();
    // A culture grid damaged in memory with no whole copy on the disk to
    // go back to: such a save is refused whole.
    bool refused = false;
    if (kind != SAVE_QUICK) {
        write_character_file("CONSTANT.OBJ", ItemTypes, sizeof ItemTypes);
        const std::vector<uint8_t> weather_bytes = weather.weather_file_bytes();
        write_character_file("GLOBWEATHER.DAT", weather_bytes.data(), weather_bytes.size());
        message_pause_count = 0;
        if (!save_culture_grid() && !save_commit_spoiled()) refused = true;
        save_markers();
        save_area_events();
    }
    // The backups rotate in the same switch, after the new record: the
    // old record joins them only once the new save is whole.
    rotate_character_backups();

    bool switched = false;
    if (refused)
        abandon_save_commit();
    else
        switched = end_save_commit();
    if (!switched) {
        // The store of local maps forgets what it was told of this save,
        // and the stored world is written again by the next one.
        zoom_index_invalidate();
        mark_stored_world_changed();
        const std::string& failed = save_commit_failed_file();
        char text[300];
        if (!failed.empty()) {
            if (compare_no_case(failed, record_file_name()) == 0)
                format_text(text, sizeof text, "!Write error with .KMS file. Report!");
            else
                format_text(text, sizeof text, "!Could not write %s.", failed.c_str());
            show_message(text);
        }
        warn("!Your game was NOT saved (is the disk full?). Your previous save is kept whole.");
        return false;
    }
    if (partial) {
        if (kind == SAVE_PLAYER)
            warn("!Your character could not be saved completely; the part of the map named above keeps its last save.");
        return false;
    }
    if (kind == SAVE_PLAYER) show_message("=Your character has been saved.");
    return true;
}

void save_and_reload_map() {
    save_character(SAVE_QUIET);
    getmappie(1);
}

bool restore_empty_character_file() {
    const CharacterCheck c = check_character(character_name);
    if (c.record == RecordVerdict::Good || c.record == RecordVerdict::TooOld || c.backup < 0) return false;
    std::vector<uint8_t> bytes;
    const std::string backup = character_folder() + "/" + c.backup_file;
    if (!disk_bytes(backup, bytes) || bytes.size() != PLR_RECORD_SIZE) return false;
    if (!repair_character_file(c.record_file.c_str(), bytes.data(), bytes.size())) return false;
    char line[400];
    format_text(line, sizeof line, "!%s was %s (%s); the character was loaded from its backup %s.",
                c.record_file.c_str(), c.record == RecordVerdict::Missing ? "missing" : "damaged", c.reason.c_str(),
                c.backup_file.c_str());
    tell_after_load(line);
    return true;
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
    std::vector<uint8_t> bytes;
    const FileVerdict v = read_character_file("WORLD.BAK", bytes, size_t(WORLD_FILE_SIZE));
    if ((v != FileVerdict::Good && v != FileVerdict::Unlisted) || bytes.size() != size_t(WORLD_FILE_SIZE)) return false;
    if (!repair_character_file("WORLD.DAT", bytes.data(), bytes.size())) return false;
    tell_after_load("!WORLD.DAT was empty; the world was taken from WORLD.BAK.");
    return true;
}

std::vector<std::string> unrestorable_character_files() {
    std::vector<std::string> lines;
    std::vector<std::string> told;
    recover_save_set(character_folder(), &told);
    for (const std::string& t : told) tell_after_load(t);
    char text[300];
    auto refuse = [&](const char* name, FileVerdict v, const char* copies) {
        format_text(text, sizeof text, "%s is %s, and %s.", name, verdict_words(v), copies);
        lines.push_back(text);
    };
    // The object store: a missing one, or a damaged one its save vouches
    // for, needs its previous copy.
    {
        const std::string name = std::string(character_name) + ".OBJ";
        SaveSetEntry e;
        const bool listed = save_set_entry(name.c_str(), e) && (e.flags & SET_SUM);
        const GuardedRead r = probe_guarded(name.c_str(), nullptr, sizeof Objects);
        if (!r.found() && (listed || r.verdict == FileVerdict::Missing))
            refuse(name.c_str(), r.verdict, "no earlier copy of it is whole");
    }
    {
        const GuardedRead r = probe_guarded("WORLD.DAT", "WORLD.BAK", size_t(WORLD_FILE_SIZE), world_file_plausible);
        if (!r.found()) refuse("WORLD.DAT", r.verdict, "neither WORLD.BAK nor an earlier copy of it is whole");
    }
    {
        const GuardedRead r =
            probe_guarded("kulttuuri.dat", "kulttuuri.bak", size_t(CULTURE_FILE_SIZE), culture_file_plausible);
        if (!r.found()) refuse("kulttuuri.dat", r.verdict, "neither kulttuuri.bak nor an earlier copy of it is whole");
    }
    for (const char* name : {"MARKER.DAT", "EXTRAMARKER.DAT"}) {
        SaveSetEntry e;
        const bool listed = save_set_entry(name, e) && (e.flags & SET_SUM);
        const long long size = compare_no_case(name, "MARKER.DAT") == 0 ? MARKER_FILE_SIZE : AREA_EVENT_FILE_SIZE;
        const GuardedRead r = probe_guarded(name, nullptr, size_t(size));
        // A table its save never listed starts empty when it is missing.
        if (!r.found() && (listed || r.verdict != FileVerdict::Missing))
            refuse(name, r.verdict, "no earlier copy of it is whole");
    }
    return lines;
}

void readguy() {
    recentre_request = 0;
    remove_file("TEMP.PLR");
    const std::string folder = character_folder();
    const std::string record = character_record_path();
    std::vector<std::string> told;
    recover_save_set(folder, &told);
    for (const std::string& t : told) tell_after_load(t);

    char text[1400];
    CharacterCheck check = check_character(character_name);
    // A record of a format too old is refused before anything of the
    // character is written.
    if (check.record == RecordVerdict::TooOld) exit_with_message("This saved game is too old to continue.");
    if (check.record == RecordVerdict::Damaged || check.record == RecordVerdict::Missing) {
        if (!restore_empty_character_file()) {
            if (check.record == RecordVerdict::Missing)
                format_text(text, sizeof text, "Can't open the character file %s.", record.c_str());
            else
                format_text(text, sizeof text,
                            "The character file %s is damaged (%s), and none of its backups is whole.",
                            record.c_str(), check.reason.c_str());
            exit_with_message(text);
        }
    }
    PlayerRecord loaded;
    if (!read_player_record(record, loaded)) {
        format_text(text, sizeof text, "The character file %s is damaged and could not be read.", record.c_str());
        exit_with_message(text);
    }
    Plr = loaded;
    // A wound slot that makes no sense (a damaged byte) goes, with a log line.
    check_player_wound_slots(Plr);
    // Loading counts as a rotation; the record is not copied again, since
    // it is already the newest save (and a copy made at every load would
    // push good older backups out).
    backup_counter = (backup_counter + 1) % CHARACTER_BACKUPS;
    facing = Plr.facing;
    player_x = Plr.x;
    player_y = Plr.y;

    const std::string objects = std::string(character_name) + ".OBJ";
    SaveSetEntry entry;
    const bool listed = save_set_entry(objects.c_str(), entry) && (entry.flags & SET_SUM);
    const GuardedRead r = read_guarded(objects.c_str(), nullptr, Objects, sizeof Objects);
    if (r.found()) objects_loaded();
    if (r.restored()) {
        format_text(text, sizeof text, "!%s was %s; your things were taken from the save before.", objects.c_str(),
                    verdict_words(r.verdict));
        tell_after_load(text);
        repair_character_file(objects.c_str(), Objects, sizeof Objects);
    } else if (!r.found()) {
        // A file its save never listed is read as it is; records past its
        // end are cleared.
        if (listed || load_object_store(folder + "/" + objects) < 0) exit_with_message("Couldn't open object data!");
    }
    // The item types: a damaged or lost file is taken from the save before;
    // with no whole copy the types start blank (never the last game's).
    {
        const GuardedRead t = read_guarded("CONSTANT.OBJ", nullptr, ItemTypes, sizeof ItemTypes);
        if (t.restored()) {
            format_text(text, sizeof text, "!CONSTANT.OBJ was %s; the item types were taken from the save before.",
                        verdict_words(t.verdict));
            tell_after_load(text);
            repair_character_file("CONSTANT.OBJ", ItemTypes, sizeof ItemTypes);
        } else if (!t.found()) {
            std::memset(ItemTypes, 0, sizeof ItemTypes);
            format_text(text, sizeof text,
                        "!CONSTANT.OBJ is %s and has no whole earlier copy; the item types start blank.",
                        verdict_words(t.verdict));
            tell_after_load(text);
        }
    }

    // The creatures of each map are loaded with that map; the templates
    // are read here (the upper kinds made afresh).
    load_constant_cre();

    load_markers();
    load_village_file();

    // The weather: a file its save does not vouch for, or that the model
    // refuses, is taken from the save before; with none, the weather starts
    // anew from the season, and the player is told either way.
    const std::string weather_file = folder + "/GLOBWEATHER.DAT";
    bool loaded_weather = false;
    {
        SaveSetEntry w;
        const bool weather_listed = save_set_entry("GLOBWEATHER.DAT", w) && (w.flags & SET_SUM);
        std::vector<uint8_t> bytes;
        FileVerdict v = read_character_file("GLOBWEATHER.DAT", bytes, WEATHER_FILE_V2_SIZE);
        if (v == FileVerdict::Good || v == FileVerdict::Unlisted) {
            weather.load_weather(weather.current, weather_file, &loaded_weather);
            if (!loaded_weather) v = FileVerdict::Damaged;
        }
        if (!loaded_weather && (weather_listed || v == FileVerdict::Damaged)) {
            bytes.assign(WEATHER_FILE_V2_SIZE, 0);
            if (read_previous_copy("GLOBWEATHER.DAT", bytes.data(), bytes.size()) &&
                repair_character_file("GLOBWEATHER.DAT", bytes.data(), bytes.size()))
                weather.load_weather(weather.current, weather_file, &loaded_weather);
            if (loaded_weather)
                format_text(text, sizeof text, "!GLOBWEATHER.DAT was %s; the weather was taken from the save before.",
                            verdict_words(v));
            else
                format_text(text, sizeof text,
                            "!GLOBWEATHER.DAT is %s and has no whole earlier copy; the weather starts anew from the "
                            "season.",
                            verdict_words(v));
            tell_after_load(text);
        }
    }
    if (!loaded_weather) {
        int day_of_year = Plr.day + 30 * Plr.month - 30;
        if (day_of_year < 0 || day_of_year > 359) day_of_year = 0;
        weather.init_weather(weather.current, day_of_year, Plr.hour % 24);
    }
}
