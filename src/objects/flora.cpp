// The flora files, their index, the plant item types and the unknown
// mushroom names.
#include "objects/flora.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <unordered_map>
#include <vector>

#include "base/debug_log.h"
#include "base/fatal.h"
#include "base/files.h"
#include "base/platform.h"
#include "base/tag_text.h"
#include "base/text_ring.h"
#include "objects/object_names.h"
#include "work/herblore.h"
#include "work/plants.h"
#include "work/work_services.h"

char asciidata[FLORA_DATA_BYTES + 1];
char asciidata_header[FLORA_LINE_MOST + 1];
char unknown_plant_names[UNKNOWN_PLANT_NAME_SLOTS][UNKNOWN_PLANT_NAME_BYTES];

namespace {

constexpr const char* UNKNOWN_NAMES_FILE = "messages/ksm_uname_flora.txt";

struct FloraEntry {
    char name[FLORA_NAME_MOST + 1];
    std::string header;
    std::string data;
};

// The entries in file order, and for each name its first entry (the one a
// lookup by name finds, as a search through the files would).
struct FloraIndex {
    std::vector<FloraEntry> entries;
    std::unordered_map<std::string, size_t> first_of_name;
};
FloraIndex flora;

void log_line(const char* text) { debug_log("!flora", text); }

// The entry name of a header line: from after its first "." to the next
// ("" when the line holds none). Longer names are cut; `cut` tells.
void header_name(const char* header, char (&out)[FLORA_NAME_MOST + 1], bool* cut = nullptr) {
    out[0] = 0;
    if (cut) *cut = false;
    const char* start = std::strchr(header, '.');
    if (!start) return;
    ++start;
    const char* end = std::strchr(start, '.');
    size_t length = end ? size_t(end - start) : std::strlen(start);
    if (length > size_t(FLORA_NAME_MOST)) {
        length = FLORA_NAME_MOST;
        if (cut) *cut = true;
    }
    std::memcpy(out, start, length);
    out[length] = 0;
}

// The decimal number between the first `open` and the next `close` of a
// line (leading digits, 0 when there are none or no such pair).
long header_number(const char* header, char open, char close) {
    const char* start = std::strchr(header, open);
    if (!start) return 0;
    ++start;
    const char* end = std::strchr(start, close);
    if (!end) return 0;
    char field[32];
    const size_t length = std::min(size_t(end - start), sizeof field - 1);
    std::memcpy(field, start, length);
    field[length] = 0;
    return std::strtol(field, nullptr, 10);
}

bool has_flag(const char* header, const char* flag) { return std::strstr(header, flag) != nullptr; }

// A tag's value as a number (leading digits, 0 when none).
long tag_number(const char* data, const char* key, const char* default_value) {
    return std::strtol(tag_value(data, key, default_value), nullptr, 10);
}

uint8_t byte_of(long value) { return uint8_t(value < 0 ? 0 : value > 255 ? 255 : value); }

// The lines of one flora file, comments left out; false when it can't be
// opened.
bool read_flora_lines(const std::string& path, std::vector<std::string>& lines) {
    FILE* f = open_file_ci(path, "rb");
    if (!f) return false;
    char line[FLORA_LINE_MOST + 1];
    while (read_data_line(line, int(sizeof line), f)) lines.emplace_back(line);
    std::fclose(f);
    return true;
}

void index_file(const std::string& path, const std::vector<std::string>& lines) {
    char text[600];
    for (size_t i = 0; i < lines.size(); ++i) {
        if (lines[i].empty() || lines[i][0] != '.') continue;
        FloraEntry entry;
        bool cut = false;
        header_name(lines[i].c_str(), entry.name, &cut);
        if (cut) {
            format_text(text, sizeof text, "%s: the plant name of \"%s\" is cut to %d characters", path.c_str(),
                        lines[i].c_str(), FLORA_NAME_MOST);
            log_line(text);
        }
        entry.header = lines[i];
        for (size_t j = i + 1; j < lines.size() && lines[j].size() > size_t(FLORA_SHORT_LINE); ++j)
            entry.data += lines[j];
        if (entry.data.size() > size_t(FLORA_DATA_BYTES)) {
            format_text(text, sizeof text, "%s: the data of %s is cut to %d bytes (it had %d)", path.c_str(),
                        entry.name, FLORA_DATA_BYTES, int(entry.data.size()));
            log_line(text);
            entry.data.resize(FLORA_DATA_BYTES);
        }
        flora.first_of_name.emplace(entry.name, flora.entries.size());
        flora.entries.push_back(std::move(entry));
    }
}

}  // namespace

int load_flora_index() {
    clear_flora_index();
    char text[300];
    int files = 0;
    for (const DirEntry& e : list_matching("flora_*.*")) {
        if (e.is_dir) continue;
        if (files == FLORA_FILES_MOST) {
            format_text(text, sizeof text, "more than %d flora files: %s and the files after it are not read",
                        FLORA_FILES_MOST, e.name.c_str());
            log_line(text);
            break;
        }
        ++files;
        std::vector<std::string> lines;
        if (!read_flora_lines(e.name, lines)) {
            format_text(text, sizeof text, "%s can't be opened: the flora files after it are not read", e.name.c_str());
            log_line(text);
            break;
        }
        index_file(e.name, lines);
    }
    return int(flora.entries.size());
}

void clear_flora_index() {
    flora.entries.clear();
    flora.first_of_name.clear();
    asciidata[0] = 0;
    asciidata_header[0] = 0;
}

int flora_entry_count() { return int(flora.entries.size()); }

const char* flora_entry_name(int i) {
    if (i < 0 || i >= int(flora.entries.size())) return "";
    return flora.entries[size_t(i)].name;
}

void hae_asciidata(const char* name) {
    debug_log("asciidata", "remove");
    debug_log("asciidata", "hae_asciidata start");
    char text[100];
    format_text(text, sizeof text, "start: (%d %s)", 1, name ? name : "");
    debug_log("asciidata", text);
    asciidata[0] = 0;
    asciidata_header[0] = 0;
    if (!name) return;
    const auto found = flora.first_of_name.find(name);
    if (found == flora.first_of_name.end()) return;
    const FloraEntry& entry = flora.entries[found->second];
    copy_text(asciidata_header, entry.header.c_str());
    copy_text(asciidata, entry.data.c_str());
}

uint32_t effect_words_to_bits(uint32_t bits, const char* words) {
    if (!words) return bits;
    const char* at = words;
    while (*at) {
        while (*at == ' ') ++at;
        const char* end = at;
        while (*end && *end != ' ') ++end;
        const size_t length = size_t(end - at);
        if (length > 0) {
            for (int i = 0; i < HERB_EFFECT_COUNT; ++i) {
                const char* effect = HerbEffects[i].name;
                if (effect[0] && strnlen(effect, sizeof HerbEffects[i].name) == length &&
                    std::memcmp(effect, at, length) == 0)
                    bits |= 1u << i;
            }
        }
        at = end;
    }
    return bits;
}

bool make_plant_type(const char* header, const char* data, ObjectRecord& out) {
    if (!header) header = "";
    if (!data) data = "";
    const long quantity = tag_number(data, "QUANTITY", "1");
    if (quantity < 0 || quantity > 255) return false;

    ObjectRecord r;
    obj_clear_record(r);
    char name[FLORA_NAME_MOST + 1];
    header_name(header, name);
    copy_text(r.name, sizeof r.name, name);
    r.item_class = ITEM_PLANT;

    // The defaults, then the flags in their fixed order (a later flag wins
    // whatever their order in the line), then the size.
    int kind = 430;
    int spoilage = 18;
    float weight = 1.0f;
    struct Flag {
        const char* word;
        int kind, spoilage;
        float weight;
    };
    static const Flag flags[] = {
        {"[mushroom]", 513, 7, 0.2f},  {"[berry]", 431, 30, 0.1f},   {"[pod]", 432, 120, 35.0f / 453.0f},
        {"[root]", 433, 120, 0.25f},   {"[grass]", 430, 50, 0.15f},  {"[flower]", 437, 50, 0.15f},
        {"[grain]", 438, 50, 0.2f},
    };
    for (const Flag& f : flags) {
        if (!has_flag(header, f.word)) continue;
        kind = f.kind;
        spoilage = f.spoilage;
        weight = f.weight;
    }
    char size[32];
    copy_text(size, tag_value(data, "SIZE", "M"));
    if (size[0] == 'L') weight *= 2.0f;
    else if (size[0] == 'S') weight *= 0.5f;
    if (kind == 433) weight = size_class_weight(size);
    r.kind = kind;
    r.spoilage_days = uint8_t(spoilage);
    r.weight = weight;

    const long symbol = header_number(header, ':', ':');
    r.symbol = symbol <= 0 ? 116 : byte_of(symbol);
    const long count = header_number(header, '(', ')');
    r.coverage[0] = uint8_t(count <= 0 ? 1 : count > 50 ? 50 : count);

    copy_text(r.skill, sizeof r.skill, tag_value(data, "NAME", "unknown fruit"));
    const char* tile = tag_value(data, "TILEGFX", "");
    if (tile[0]) copy_text(r.tile, sizeof r.tile, tile);
    r.length = byte_of(tag_number(data, "SPROUT", "5"));
    r.full_length = byte_of(tag_number(data, "WITHER", "10"));
    r.protection4 = byte_of(tag_number(data, "MATURE", "60"));
    r.coverage[1] = uint8_t(quantity);
    r.coverage[2] = byte_of(tag_number(data, "FREQUENCY", "20"));
    char words[TAG_TEXT_BYTES];
    copy_text(words, tag_value(data, "EFFECT_RAW", ""));
    r.effect_raw = effect_words_to_bits(0, words);
    copy_text(words, tag_value(data, "EFFECT_BOILED", ""));
    r.effect_boiled = effect_words_to_bits(0, words);
    r.blunt = byte_of(tag_number(data, "CARB", "1"));
    r.edge = byte_of(tag_number(data, "FAT", "0"));
    r.point = byte_of(tag_number(data, "PROTEIN", "1"));
    if (kind == 513 && r.blunt == 1 && r.edge == 0 && r.point == 1) {
        // A mushroom left at the defaults gets a mushroom's own nutrients.
        r.blunt = 3;
        r.edge = 1;
        r.point = 2;
    }
    r.water = byte_of(tag_number(data, "WATER", "0"));
    const char* flowering = tag_value(data, "FLOWERING_PERIOD", "");
    if (flowering[0]) r.link = int16_t(std::strtol(flowering, nullptr, 10));
    out = r;
    return true;
}

int store_flour_type(const ObjectRecord& part) {
    ObjectRecord flour = part;
    char name[sizeof flour.name];
    format_text(name, sizeof name, "%s-flour", obj_name_by_plant_knowledge(part));
    copy_text(flour.name, sizeof flour.name, name);
    flour.kind = 61;
    flour.item_class = ITEM_FOOD;
    flour.weight = 1.0f;
    flour.full_weight = 1.0f;
    obj_set_quality(3, flour);
    flour.quality |= OBJ_GRADE_KNOWN;
    const float price = float(flour.blunt + flour.edge + flour.point) * 0.04f * 1.5f;
    flour.unit_price = price;
    flour.price = price;
    current_object = flour;
    return obj_store_template(-2);
}

void load_flora_item_types() {
    read_herblore();
    load_flora_index();
    char text[300];
    for (const FloraEntry& entry : flora.entries) {
        obj_clear_staging();
        hae_asciidata(entry.name);
        ObjectRecord plant;
        if (!make_plant_type(entry.header.c_str(), asciidata, plant)) {
            format_text(text, sizeof text, "%s: QUANTITY %s lies outside 0..255; the plant is left out", entry.name,
                        tag_value(asciidata, "QUANTITY", ""));
            log_line(text);
            continue;
        }
        PlantYields yields;
        plant_yields(yields, plant);
        int first_part = -1;
        for (int s = 0; s < PLANT_PART_SLOTS; ++s) {
            if (!yields.present[s]) continue;
            current_object = yields.parts[s];
            const int slot = obj_store_template(-1);
            if (first_part < 0) first_part = slot;
        }
        current_object = yields.plant;
        if (obj_store_template(-2) < 0) {
            format_text(text, sizeof text, "no item type slot is free for the plant %s", entry.name);
            log_line(text);
        }
        const HerbKnowledge knowledge = roll_initial_herb_knowledge(yields.plant);
        herblore_register_plant(knowledge.known, knowledge.difficulty, yields.plant);
        if (yields.plant.kind == 438 && first_part > 0) store_flour_type(ItemTypes[first_part]);
    }
}

void load_unknown_plant_names() {
    std::memset(unknown_plant_names, 0, sizeof unknown_plant_names);
    char message[200];
    FILE* f = open_file_ci(UNKNOWN_NAMES_FILE, "rb");
    if (!f) {
        format_text(message, sizeof message, "%s missing!", UNKNOWN_NAMES_FILE);
        exit_with_message(message);
    }
    char line[FLORA_LINE_MOST + 1];
    int filled = 0;
    bool any = false;
    while (filled < UNKNOWN_PLANT_NAME_SLOTS) {
        if (!read_data_line(line, int(sizeof line), f)) {
            // The end of the file: the names repeat from its top.
            if (!any) break;
            std::rewind(f);
            continue;
        }
        if (std::strlen(line) < 2) continue;
        any = true;
        copy_text(unknown_plant_names[filled++], line);
    }
    std::fclose(f);
    if (!any) {
        format_text(message, sizeof message, "%s holds no names!", UNKNOWN_NAMES_FILE);
        exit_with_message(message);
    }
    std::string dump;
    for (const auto& name : unknown_plant_names) {
        dump += name;
        dump += "\n\r";
    }
    write_file_atomic("debug_uflora.txt", dump);
}
