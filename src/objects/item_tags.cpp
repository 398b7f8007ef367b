// Item definition tags and the tables behind their words.
#include "objects/item_tags.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstring>
#include <string>

#include "base/platform.h"
#include "base/tag_text.h"
#include "base/text_ring.h"
#include "objects/object_store.h"
#include "work/food_values.h"

namespace {

// ------------------------------------------------------------ the tables

struct Word {
    const char* word;
    uint32_t value;
};

// TYPE: tested in this order; the last word found wins; none gives a tool.
const Word class_words[] = {
    {"armour", ITEM_ARMOUR}, {"container", ITEM_CONTAINER}, {"weapon", ITEM_WEAPON}, {"tool", ITEM_TOOL},
    {"skin", ITEM_SKIN},     {"food", ITEM_FOOD},           {"timber", ITEM_TIMBER}, {"vehicle", ITEM_VEHICLE},
    {"valuable", ITEM_VALUABLE}, {"plant", ITEM_PLANT},
};

const Word material_words[] = {
    {"wood", MATERIAL_WOOD},     {"iron", MATERIAL_IRON},     {"leather", MATERIAL_LEATHER},
    {"fur", MATERIAL_FUR},       {"bark", MATERIAL_BARK},     {"cloth", MATERIAL_CLOTH},
    {"wool", MATERIAL_WOOL},     {"rock", MATERIAL_ROCK},     {"bone", MATERIAL_BONE},
    {"antler", MATERIAL_ANTLER}, {"bronze", MATERIAL_BRONZE}, {"silver", MATERIAL_SILVER},
    {"yarn", MATERIAL_YARN},
};

// ARMOUR_MATERIAL: the six protection bytes of a material and the MATERIAL
// word it stands for. Tested in this order; the last word found wins.
struct ArmourMaterial {
    const char* word;  // nullptr: the default row
    uint8_t blunt, edge, point, protection4, length, full_length;
    const char* material_word;
};
const ArmourMaterial armour_default = {nullptr, 0, 2, 1, 2, 0, 3, nullptr};
const ArmourMaterial armour_materials[] = {
    {"lamellar", 5, 9, 5, 8, 4, 2, nullptr}, {"iron", 7, 10, 8, 9, 6, 2, "iron"},
    {"leather", 1, 3, 3, 3, 1, 2, "leather"}, {"fur", 5, 3, 2, 3, 2, 5, "fur"},
    {"bark", 1, 2, 1, 2, 1, 1, "birch-bark"}, {"mail", 2, 8, 5, 7, 2, 2, "iron"},
    {"wool", 2, 2, 1, 2, 1, 4, "wool"},
};

// ARMOUR_COVERAGE: body parts by coverage byte and bit.
struct BodyPart {
    const char* word;
    int byte;
    uint8_t bit;
};
const BodyPart body_parts[] = {
    {"skull", 0, 0x01},  {"face", 0, 0x04},  {"neck", 0, 0x08},    {"shoulder", 0, 0x10},
    {"upper_arm", 0, 0x20}, {"elbow", 0, 0x40}, {"forearm", 0, 0x80}, {"hand", 1, 0x01},
    {"thorax", 1, 0x02}, {"abdomen", 1, 0x04}, {"hip", 1, 0x08},     {"groin", 1, 0x10},
    {"thigh", 1, 0x20},  {"knee", 1, 0x40},  {"calf", 1, 0x80},     {"foot", 2, 0x01},
};

// Whole garments that override the body parts and end the parse.
struct WholeGarment {
    const char* word;
    GarmentCoverage coverage;
};
const WholeGarment whole_garments[] = {
    {"long_hauberk", {48, 126, 0}},
    {"habergeon", {48, 30, 0}},
    {"hauberk", {16, 62, 0}},
    {"cuirass", {0, 6, 0}},
};

// Garment words and their codes, in the order they are tested (the longer
// "short_shirt" before "shirt").
const Word garment_words[] = {
    {"short_shirt", 2}, {"long_shirt", 5}, {"undergarment", 24}, {"shirt", 28}, {"overcoat", 22}, {"dress", 30},
    {"trousers", 25},   {"tunic", 3},      {"cloak", 4},         {"greaves", 17}, {"rerebraces", 14},
    {"vambraces", 21},
};

// First and second coverage bytes of garment codes 0..31; the third is 1
// for codes 8, 9 and 10.
const uint8_t garment_table[32][2] = {
    {9, 0},    {16, 6},   {48, 30},  {48, 62},  {16, 126}, {240, 62},  {0, 240},  {1, 0},
    {0, 0},    {0, 128},  {0, 192},  {0, 1},    {0, 6},    {16, 0},    {32, 0},   {64, 0},
    {0, 64},   {0, 128},  {25, 0},   {48, 126}, {13, 0},   {128, 0},   {240, 126}, {8, 0},
    {240, 254}, {0, 248}, {0, 120},  {0, 24},   {240, 30}, {128, 1},   {16, 254}, {16, 62},
};

// ------------------------------------------------------------ values

bool has(const char* text, const char* word) { return std::strstr(text, word) != nullptr; }

// The leading decimal integer of a text (blanks skipped, an optional sign);
// 0 without digits; saturates at the int range.
long long leading_integer(const char* text) {
    const char* p = text;
    while (*p == ' ' || *p == '\t') ++p;
    bool negative = false;
    if (*p == '+' || *p == '-') negative = *p++ == '-';
    long long n = 0;
    for (; *p >= '0' && *p <= '9'; ++p) n = std::min<long long>(n * 10 + (*p - '0'), INT_MAX);
    return negative ? -n : n;
}

// The leading decimal fraction of a text ("2.5", "-0.3", ".5"); 0 without
// digits.
double leading_fraction(const char* text) {
    const char* p = text;
    while (*p == ' ' || *p == '\t') ++p;
    bool negative = false;
    if (*p == '+' || *p == '-') negative = *p++ == '-';
    double n = 0;
    for (; *p >= '0' && *p <= '9'; ++p) n = std::min(n * 10 + (*p - '0'), 1e12);
    if (*p == '.') {
        double scale = 0.1;
        for (++p; *p >= '0' && *p <= '9'; ++p, scale /= 10) n += (*p - '0') * scale;
    }
    return negative ? -n : n;
}

uint8_t byte_value(long long n) { return uint8_t(std::clamp<long long>(n, 0, 255)); }

// Attack values: "-" is no attack of that kind (200); numbers outside 0..9
// count as 9.
uint8_t attack_value(const char* value) {
    if (value[0] == '-') return 200;
    const long long n = leading_integer(value);
    return n < 0 || n > 9 ? 9 : uint8_t(n);
}

// A text field: zero-filled, then the text, cut to leave its terminator.
template <size_t N>
void set_field(char (&field)[N], const char* text) {
    std::memset(field, 0, N);
    copy_text(field, N, text);
}

uint32_t material_bits(const char* text) {
    uint32_t bits = 0;
    for (const Word& w : material_words)
        if (has(text, w.word)) bits |= w.value;
    return bits;
}

void set_coverage(ObjectRecord& r, GarmentCoverage c) {
    r.coverage[0] = c.first;
    r.coverage[1] = c.second;
    r.coverage[2] = c.third;
}

void apply_coverage(const char* tag, ObjectRecord& r) {
    std::memset(r.coverage, 0, sizeof r.coverage);
    for (const BodyPart& part : body_parts)
        if (has(tag, part.word)) r.coverage[part.byte] |= part.bit;
    for (const WholeGarment& g : whole_garments)
        if (has(tag, g.word)) {
            set_coverage(r, g.coverage);
            return;
        }
    for (const Word& g : garment_words)
        if (has(tag, g.word)) {
            set_coverage(r, garment_coverage(int(g.value)));
            return;
        }
}

void apply_armour_material(const char* tag, ObjectRecord& r) {
    const ArmourMaterial* row = &armour_default;
    for (const ArmourMaterial& m : armour_materials)
        if (has(tag, m.word)) row = &m;
    r.blunt = row->blunt;
    r.edge = row->edge;
    r.point = row->point;
    r.protection4 = row->protection4;
    r.length = row->length;
    r.full_length = row->full_length;
    if (row->material_word != nullptr) r.material = material_bits(row->material_word);
}

void apply_weight(const char* tag, const char* value, ObjectRecord& r) {
    double pounds = leading_fraction(value);
    if (has(tag, "g")) pounds = std::trunc(pounds) / 453.0;  // grams
    if (r.item_class == ITEM_CONTAINER) {
        // The container's own weight in tenths of a pound, rounded up (a
        // millionth of slack keeps 0.3 at 3 tenths).
        const double tenths = std::ceil(pounds * 10.0 - 1e-6);
        r.container_weight10 = uint8_t(std::clamp(tenths, 0.0, 255.0));
    } else {
        r.weight = float(pounds);
        r.full_weight = float(pounds);
    }
}

void apply_price(const char* tag, const char* value, ObjectRecord& r) {
    r.price = 0;
    r.unit_price = 0;
    const bool per_pound = has(tag, "per ");
    const char* number = value;
    if (const char* per = std::strstr(value, "per ")) number = per + 4;
    const float price = float(leading_fraction(number) * 8.0);
    if (per_pound) r.unit_price = price;
    else r.price = price;
}

}  // namespace

GarmentCoverage garment_coverage(int code) {
    if (code < 0 || code > 31) return {0, 0, 0};
    const uint8_t third = (code >= 8 && code <= 10) ? 1 : 0;
    return {garment_table[code][0], garment_table[code][1], third};
}

void apply_item_tag(const char* tag, ObjectRecord& r) {
    if (tag == nullptr) return;
    // A key is there when "[" and the key stand anywhere in the text; its
    // value is copied at once (the tag reader shares one buffer).
    char value[TAG_TEXT_BYTES];
    auto key = [&](const char* name, const char* fallback) {
        char probe[40];
        format_text(probe, sizeof probe, "[%s", name);
        if (!has(tag, probe)) return false;
        copy_text(value, tag_value(tag, name, fallback));
        return true;
    };

    if (key("AD_CLASS", "0/0")) {
        const int attack = value[0] >= '0' && value[0] <= '9' ? value[0] - '0' : 0;
        const long long defence = std::strlen(value) >= 3 ? leading_integer(value + 2) : 0;
        r.ad_class = uint8_t(std::min(attack, 6) | (std::clamp<long long>(defence, 0, 6) << 4));
        return;
    }
    if (key("CONT_CAPACITY", "1")) {
        if (r.item_class == ITEM_CONTAINER) {
            r.weight = 0;
            r.full_weight = float(leading_integer(value));
        }
        return;
    }
    if (key("BLUNT_ATTACK", "0")) {
        r.blunt = attack_value(value);
        return;
    }
    if (key("EDGE_ATTACK", "0")) {
        r.edge = attack_value(value);
        return;
    }
    if (key("POINT_ATTACK", "0")) {
        r.point = attack_value(value);
        return;
    }
    if (key("SKILL", "")) {
        set_field(r.skill, upper_case_copy(value));
        return;
    }
    if (key("1H_PENALTY", "0")) {
        if (r.item_class == ITEM_WEAPON) r.coverage[0] = byte_value(leading_integer(value));
        return;
    }
    // Nutrition and water go on to the next key.
    if (key("CARB", "0")) r.blunt = byte_value(leading_integer(value));
    if (key("FAT", "0")) r.edge = byte_value(leading_integer(value));
    if (key("PROTEIN", "0")) r.point = byte_value(leading_integer(value));
    if (key("WATER", "0")) r.water = byte_value(leading_integer(value));
    if (key("SPOILAGE_DAYS", "0")) {
        const long long days = leading_integer(value);
        r.spoilage_days = days >= 1 && days <= 253 ? uint8_t(days) : 254;
        return;
    }
    if (key("NAME", "")) {
        set_field(r.name, value);
        return;
    }
    if (key("WEIGHT", "0")) {
        apply_weight(tag, value, r);
        return;
    }
    if (key("LENGTH", "0")) {
        r.length = byte_value(leading_integer(value));
        r.full_length = r.length;
        if (r.unit == 0) r.unit = 5;  // feet
    }
    if (key("COOK_WEIGHT_DIV", "0")) scale_food_object(r, float(leading_fraction(value)));
    else if (key("TYPE", "")) {
        uint8_t cls = ITEM_TOOL;
        for (const Word& w : class_words)
            if (has(tag, w.word)) cls = uint8_t(w.value);
        r.item_class = cls;
    } else if (key("ARMOUR_COVERAGE", "")) {
        apply_coverage(tag, r);
    } else if (key("MATERIAL", "")) {
        r.material = material_bits(tag);
    } else if (key("ARMOUR_MATERIAL", "")) {
        if (r.item_class == ITEM_ARMOUR) apply_armour_material(tag, r);
    } else if (key("PRICE", "0")) {
        apply_price(tag, value, r);
    } else if (key("TILEGFX", "")) {
        set_field(r.tile, value);
    }
}

bool armourdump(const char* title) {
    std::string out;
    char line[200];
    auto add = [&](const char* text) {
        out += text;
        out += '\n';
    };
    format_text(line, sizeof line, "armourdump (%s)", title ? title : "");
    add(line);
    for (int u = 0; u <= 253; ++u) {
        format_text(line, sizeof line, "u=%d e=%d", u, u);
        add(line);
    }
    for (int code = 0; code <= 27; ++code) {
        const GarmentCoverage c = garment_coverage(code);
        format_text(line, sizeof line, "ac #%d - %d | %d | %d", code, c.first, c.second, c.third);
        add(line);
        if (code == 27) add(line);
    }
    format_text(line, sizeof line, "pow_a: %d pow_b:%d pow_c:%d", 240, 240, 240);
    out += line;  // runs on into the next line
    format_text(line, sizeof line, "pow#1:%d", 240);
    add(line);
    format_text(line, sizeof line, "pow#2:%d", -16);
    add(line);
    format_text(line, sizeof line, "pow#3:%d", 240);
    add(line);
    format_text(line, sizeof line, "pow#4:%d", 240);
    add(line);
    format_text(line, sizeof line, "prot2pow#1:%d", 254);
    add(line);
    format_text(line, sizeof line, "prot2pow#2:%d", -2);
    add(line);
    format_text(line, sizeof line, "prot2pow#3:%d", 254);
    add(line);
    format_text(line, sizeof line, "prot2pow#4:%d", 254);
    add(line);
    for (int i = 0; i < ITEM_TYPE_COUNT; ++i) {
        const ObjectRecord& t = ItemTypes[i];
        if (t.item_class != ITEM_ARMOUR) continue;
        char name[sizeof t.name + 1];
        copy_field(name, sizeof name, t.name, sizeof t.name);
        format_text(line, sizeof line, "#%d %s", i, name);
        add(line);
        for (int b = 0; b < 3; ++b) {
            char bits[9];
            for (int bit = 0; bit < 8; ++bit) bits[bit] = (t.coverage[b] >> bit) & 1 ? '1' : '0';
            bits[8] = 0;
            format_text(line, sizeof line, "prot%d:%d bits:%s", b + 1, t.coverage[b], bits);
            add(line);
        }
        add("");
    }
    out += "--- [end] ---\n";
    return write_file_atomic("debug_armour.txt", out);
}
