// The configuration file: readers, the writer and GetConfig.
#include "base/config.h"

#include <cstdlib>
#include <cstring>
#include <string>

#include "base/files.h"
#include "base/platform.h"
#include "base/tag_text.h"
#include "base/text_ring.h"

int32_t museum_mode = 0;
int32_t controller_enabled = 0;
int32_t controller_port = 0;
int32_t night_brightness = 0;
int32_t map_lighting = 1;
int32_t map_grid = 0;
int32_t weapon_damage = 1;
int32_t right_alt_hotkeys = 1;
int32_t units_metric = 0;
int32_t units_precision = 1;
int32_t logical_resize = 1;
int32_t traditional_movement = 0;
int32_t idle_animation = 1;
uint8_t inventory_order[12] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12};

namespace {

constexpr int LINE_BYTES = 1001;  // lines of up to 1000 characters

// "[KEY:" for a key; false when the key can't form a setting.
bool key_pattern(const char* key, char* out, size_t cap) {
    if (key == nullptr || key[0] == 0) return false;
    if (std::strpbrk(key, "[]:\r\n") != nullptr) return false;
    return format_text(out, cap, "[%s:", key) < int(cap);
}

bool is_comment_line(const std::string& line) {
    return line.compare(0, 2, "//") == 0 || line.compare(0, 2, "##") == 0;
}

}  // namespace

const char* ini_get_string(const char* key, const char* def) {
    char* result = next_ring_text();
    copy_text(result, TEXT_RING_BYTES, def != nullptr ? def : "");
    char pattern[128];
    if (!key_pattern(key, pattern, sizeof pattern)) return result;
    FILE* file = open_file_ci(CONFIG_FILE, "r");
    if (file == nullptr) return result;
    char line[LINE_BYTES];
    while (read_data_line(line, sizeof line, file) != nullptr) {
        if (std::strstr(line, pattern) == nullptr) continue;
        const char* value = tag_value(line, key, "");
        copy_text(result, TEXT_RING_BYTES, value != nullptr ? value : "");
        break;
    }
    std::fclose(file);
    return result;
}

bool ini_flag_default_no(const char* key) { return std::strcmp(ini_get_string(key, "NO"), "YES") == 0; }

bool ini_flag_default_yes(const char* key) { return std::strcmp(ini_get_string(key, "YES"), "NO") != 0; }

bool ini_set_value(const char* key, const char* value) {
    char pattern[128];
    if (!key_pattern(key, pattern, sizeof pattern)) return false;
    if (value == nullptr) value = "";
    // A "]" or a line break in the value would break the file apart.
    if (std::strpbrk(value, "]\r\n") != nullptr) return false;
    std::string old_text;
    if (!read_text_file(resolve_path_ci(CONFIG_FILE), old_text)) return false;
    const std::string setting = std::string(pattern) + value + "]";

    std::string out;
    out.reserve(old_text.size() + setting.size() + 4);
    bool found = false;
    size_t pos = 0;
    while (pos < old_text.size()) {
        size_t nl = old_text.find('\n', pos);
        std::string line = old_text.substr(pos, nl == std::string::npos ? std::string::npos : nl - pos);
        pos = (nl == std::string::npos) ? old_text.size() : nl + 1;
        if (!is_comment_line(line)) {
            size_t at = line.find(pattern);
            if (at != std::string::npos) {
                size_t close = line.find(']', at + std::strlen(pattern));
                size_t end = (close == std::string::npos) ? line.size() : close + 1;
                // An unclosed value runs to the end of the line, but a line
                // break kept from a CR LF file stays.
                if (close == std::string::npos && end > at && line.back() == '\r') --end;
                line.replace(at, end - at, setting);
                found = true;
            }
        }
        out += line;
        out += '\n';
    }
    if (!found) {
        out += setting;
        out += "\n\n";
    }
    // The copy in the temporary file is kept for inspection; the real file
    // is replaced in one step so a failed write leaves the old one.
    write_file_atomic(CONFIG_TEMP_FILE, out);
    return write_file_atomic(resolve_path_ci(CONFIG_FILE), out);
}

void parse_inventory_order(const char* value, uint8_t out[12]) {
    static const struct {
        const char* word;
        uint8_t code;
    } keywords[] = {{"WEAPON", 1},   {"ARMOUR", 2},    {"CONTAINER", 3}, {"SKIN", 5},
                    {"TOOL", 6},     {"FOOD", 7},      {"FIREWOOD", 8},  {"VEHICLE", 9},
                    {"VALUABLE", 10}, {"PLANT", 11},   {"CARCASS", 12}};
    std::memset(out, 0, 12);
    bool placed[13] = {};
    int next_slot = 0;
    uint8_t previous = 0;
    std::string text = value != nullptr ? value : "";
    size_t pos = 0;
    while (pos <= text.size() && !text.empty()) {
        size_t comma = text.find(',', pos);
        std::string token = text.substr(pos, comma == std::string::npos ? std::string::npos : comma - pos);
        uint8_t code = previous;  // an unknown word repeats the one before
        for (const auto& k : keywords)
            if (token == k.word) code = k.code;
        previous = code;
        if (code != 0 && !placed[code] && next_slot < 12) {
            placed[code] = true;
            out[next_slot++] = code;
        }
        if (comma == std::string::npos) break;
        pos = comma + 1;
    }
    for (int slot = 0; slot < 12; ++slot) {
        if (out[slot] != 0) continue;
        for (uint8_t c = 1; c <= 12; ++c) {
            if (!placed[c]) {
                placed[c] = true;
                out[slot] = c;
                break;
            }
        }
    }
}

int32_t night_brightness_from(const char* value) {
    int n = std::atoi(value != nullptr ? value : "0");
    return (n >= 1 && n <= 60) ? n : 0;
}

int32_t units_precision_from(const char* value) {
    if (value == nullptr) return 1;
    if (std::strcmp(value, "0") == 0) return 0;
    if (std::strcmp(value, "2") == 0) return 2;
    return 1;
}

const char* scale_quality_hint_from(const char* value) {
    if (value != nullptr && std::strcmp(value, "1") == 0) return "1";
    if (value != nullptr && std::strcmp(value, "0") == 0) return "0";
    return "2";
}

