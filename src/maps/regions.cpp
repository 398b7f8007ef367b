// Region names: the part tables, choosing a block's name from its terrain,
// "names.dat", and composing names in both languages.
#include "maps/regions.h"

#include <cstring>
#include <string>

#include "maps/map_layers.h"
#include "maps/world_files.h"
#include "base/debug_log.h"
#include "game/turn_state.h"
#include "ui/message_line.h"
#include "base/platform.h"
#include "base/text_ring.h"

char first_parts[2][NAME_PART_COUNT][NAME_PART_BYTES];
char second_parts[2][NAME_PART_COUNT][NAME_PART_BYTES];
char custom_region_names[CUSTOM_REGION_NAMES][CUSTOM_NAME_BYTES];
uint16_t region_name_codes[CULTURE_CELLS];
char last_region_name[CUSTOM_NAME_BYTES];

namespace {

struct NamePart {
    int index;
    const char* own;
    const char* english;
};

// Index, world's language, English.
const NamePart first_part_list[] = {
    {0, "Avo", "Open_"},
    {1, "Siika", "Whitefish_"},
    {2, "Hauki", "Pike_"},
    {3, "Matikka", "Burbot_"},
    {4, "Ahven", "Perch_"},
    {5, "Lohi", "Salmon_"},
    {6, "Ahdin", "Ahti's_"},
    {7, "Tuura", "Ice pick_"},
    {8, "N\xE4kin", "N\xE4kki's_"},
    {9, "Soutu", "Rowing_"},
    {10, "Sesta", "Sesta"},
    {11, "Raakku", "Mussel_"},
    {12, "Syv\xE4", "Deep_"},
    {13, "Matala", "Shallow_"},
    {14, "Kuohu", "Foam_"},
    {15, "Tippu", "Fall_"},
    {16, "Verkko", "Net_"},
    {17, "Rys\xE4", "Trappin'_"},
    {18, "Ruona", "Catching_"},
    {19, "Ruuhi", "Punt_"},
    {20, "Rauta", "Iron"},
    {21, "Vaski", "Bronze"},
    {22, "Ruoste", "Rust"},
    {23, "Musta", "Black"},
    {24, "Valkia", "White"},
    {25, "Pisto", "Point"},
    {26, "Miekka", "Sword"},
    {27, "Malmi", "Ore"},
    {28, "Malmi", "Ore"},
    {29, "Miilu", "Kiln"},
    {30, "Terva", "Tar"},
    {31, "Tervas", "Tar"},
    {32, "Piki", "Pitch"},
    {33, "Puula", "Woody"},
    {34, "Kannos", "Fallen"},
    {35, "Kanto", "Stump"},
    {36, "K\xE4\xE4nt\xF6", "Turning_"},
    {37, "Taival", "Passage"},
    {38, "Lepo", "Rest"},
    {39, "Nukkuma", "Sleeping"},
    {40, "Tuutima", "Lulling"},
    {41, "Uni", "Dream"},
    {42, "Y\xF6", "Night"},
    {43, "Sy\xF6m\xE4", "Munch"},
    {44, "Velli", "Gruel"},
    {45, "Puoli", "Half"},
    {46, "Pala", "Piece"},
    {47, "Nuokku", "Nod"},
    {48, "Kutu", "Spawning_"},
    {49, "Naima", "Marry"},
    {50, "Juupa", "Juupa"},
    {51, "\xC4ij\xF6n", "\xC4ij\xF6's_"},
    {52, "Iso", "Big_"},
    {53, "Hirmu", "Huge_"},
    {54, "Suur", "Great_"},
    {55, "Ukon", "Old man's_"},
    {56, "Akan", "Wive's_"},
    {57, "Kauko", "Far"},
    {58, "Kova", "Hard"},
    {59, "Kipu", "Pain"},
    {60, "Surma", "Slaughter_"},
    {61, "Murhi", "Murder_"},
    {62, "Tappo", "Killing_"},
    {63, "Veri", "Blood_"},
    {64, "Hurme", "Gore_"},
    {65, "Sota", "War"},
    {66, "Ly\xF6m\xE4", "Beating_"},
    {67, "Nyrkki", "Fist"},
    {68, "Kaha", "Quarrel_"},
    {69, "Raito", "Striped_"},
    {70, "Tuuli", "Windy"},
    {71, "Viima", "Draught"},
    {72, "Tyyni", "Calm"},
    {73, "Tyynys", "Pacific_"},
    {74, "Suoja", "Safe"},
    {75, "Usva", "Fog"},
    {76, "Usvi", "Misty"},
    {77, "Kilo", "Sunny"},
    {78, "P\xE4iv\xE4", "Day"},
    {79, "Suvi", "Summer"},
    {80, "Terhen", "Misty"},
    {81, "P\xE4iv\xF6", "Sun"},
    {82, "Pyry", "Blizzard"},
    {83, "Vihma", "Drizzle"},
    {84, "Vihmo", "Drizzly"},
    {85, "Myrsky", "Storm"},
    {86, "Myrryn", "Storm's"},
    {87, "Tuisku", "Whirl"},
    {88, "Pilvi", "Cloud"},
    {89, "Kumo", "Noisy"},
    {90, "Lurun", "Luru's_"},
    {91, "Appo", "Gaping"},
    {92, "Juuku", "Still"},
    {93, "Hitu", "Flake"},
    {94, "Keski", "Middle_"},
    {95, "Pahto", "Cliffen"},
    {96, "Toppo", "Quilt"},
    {97, "Kailo", "Holler"},
    {98, "Lappa", "Packing"},
    {99, "Varho", "Upright_"},
    {100, "Muku", "Boulder"},
    {101, "Mukku", "Bouldery"},
    {102, "Pata", "Pot"},
    {103, "\xC4mmin", "Wife's_"},
    {104, "Vito", "Scutch"},
    {105, "P\xE4nn\xE4", "Moron"},
    {106, "Mutti", "Block"},
    {107, "\xC4yr\xE4", "Slopen"},
    {108, "Ruma", "Ugly"},
    {109, "Siku", "Sweet"},
    {110, "Hiisi", "Hiisi"},
    {111, "Louhi", "Louhi"},
    {112, "Hiiden", "Hiisi's_"},
    {113, "Louhen", "Louhi's_"},
    {114, "Pyh\xE4", "Sacred_"},
    {115, "Hiito", "Hiito"},
    {116, "Hiton", "Darn"},
    {117, "Siita", "Holy_"},
    {118, "Kaalo", "Troll"},
    {119, "Pyhin", "Hallowin'_"},
    {120, "Paasi", "Boulder_"},
    {121, "Noitu", "Spell"},
    {122, "Elon", "Crop"},
    {123, "Pirun", "Damn"},
    {124, "Pahin", "Bad"},
    {125, "Pelon", "Fear"},
    {126, "Jumin", "Jumi's_"},
    {127, "Noijun", "Spellin'_"},
    {128, "Julma", "Cruel"},
    {129, "V\xE4ki", "Force"},
    {130, "Kivi", "Stone"},
    {131, "Pisan", "Pisa's_"},
    {132, "Laavu", "Shelter"},
    {133, "Roisto", "Robber"},
    {134, "Hyv\xE4", "Good"},
    {135, "Hyv\xF6s", "Goodish"},
    {136, "Niini", "Bast"},
    {137, "Hintan", "Hintta's_"},
    {138, "Santa", "Sand"},
    {139, "Heimon", "Heimo's_"},
    {140, "Ulmin", "Ulmi's_"},
    {141, "Kivis", "Stonish_"},
    {142, "Harmo", "Grey"},
    {143, "Per\xE4", "Rear"},
    {144, "Pers", "Rump"},
    {145, "P\xE4rrin", "Hissing_"},
    {146, "Murto", "Break"},
    {147, "K\xE4p\xE4l\xE4", "Paw"},
    {148, "Nappi", "Button"},
    {149, "Kiuru", "Lark"},
    {150, "Rasin", "Rasi"},
    {151, "Kurun", "Gorge"},
    {152, "Kustu", "Slashed_"},
    {153, "Hallin", "Hound's_"},
    {154, "Kirrin", "Kirri's_"},
    {155, "Neidon", "Maiden's_"},
    {156, "Niska", "Neck"},
    {157, "Tukka", "Hair"},
    {158, "Parta", "Beard"},
    {159, "L\xE4pi", "Hole"},
    {160, "Jousi", "Bow"},
    {161, "Jouhi", "Horsehair_"},
    {162, "Hevon", "Horse's_"},
    {163, "Ori", "Stallion_"},
    {164, "Tammain", "Mares_"},
    {165, "Hummas", "Horsie"},
    {166, "Hummain", "Horses_"},
    {167, "Art", "Art"},
    {168, "Aito", "True"},
    {169, "Otra", "Barley_"},
    {170, "Otrin", "Barley's_"},
    {171, "Kaura", "Oat_"},
    {172, "Kauri", "Oats_"},
    {173, "Pahna", "Straw"},
    {174, "Kako", "Daft_"},
    {175, "K\xE4si", "Hand_"},
    {176, "Pula", "Trouble_"},
    {177, "Liina", "Linen"},
    {178, "Kimo", "Grey"},
    {179, "Kato", "Loss"},
    {180, "Jyv\xE4s", "Grain"},
    {181, "Makkara", "Sausage_"},
    {182, "Kaisan", "Kaisa's_"},
    {183, "Raja", "Border"},
    {184, "Raato", "Carcass_"},
    {185, "Kalmo", "Death"},
    {186, "Kuono", "Snout"},
    {187, "K\xE4mmen", "Palm"},
    {188, "Mutka", "Curve"},
    {189, "Oivan", "Oiva's_"},
    {190, "Uhtu", "Thread_"},
    {191, "Juan", "Mixed"},
    {192, "Karttu", "Club"},
    {193, "Tervon", "Tervo's_"},
    {194, "Vanhan", "Old one's_"},
    {195, "Unho", "Oblivion_"},
    {196, "Pertun", "Perttu's_"},
    {197, "Enon", "Uncle's_"},
    {198, "Pieli", "Post"},
    {199, "Panka", "Pine"},
    {200, "Mullin", "Bullock's_"},
    {201, "Lehmin", "Cow"},
    {202, "Lampo", "Sheep"},
    {203, "Pasko", "Shitty_"},
    {204, "Pehku", "Litter"},
    {205, "Huhti", "Spring"},
    {206, "Huhta", "Conifer_"},
    {207, "Haka", "Pasture_"},
    {208, "Karku", "Flee_"},
    {209, "Miehi", "Men"},
    {210, "Visa", "Birch"},
    {211, "Vihta", "Whisk"},
    {212, "Vesa", "Sprout"},
    {213, "Mesi", "Honey"},
    {214, "Sima", "Mead"},
    {215, "Ruma", "Ugly"},
    {216, "Kallo", "Skull"},
    {217, "Hirtto", "Hanging"},
    {218, "Hopsun", "Hopsu's_"},
    {219, "Lorun", "Loru's_"},
    {220, "Kolun", "Kolu's_"},
    {221, "Hyhkyn", "Hyhky's_"},
    {222, "Hirvas", "Stag"},
    {223, "Penin", "Hound's_"},
    {224, "Riista", "Game"},
    {225, "Saama", "Gain"},
    {226, "Tapion", "Tapio's_"},
    {227, "Sini", "Blue_"},
    {228, "Kopsun", "Knocken"},
    {229, "Kirves", "Axe"},
    {230, "Kuusi", "Spruce"},
    {231, "M\xE4nty", "Pine"},
    {232, "Lepp\xE4", "Alder"},
    {233, "Kataja", "Juniper"},
    {234, "Pihlaja", "Rowan"},
    {235, "Haapa", "Aspen"},
    {236, "N\xE4re", "Fir"},
    {237, "Kelo", "Dead-tree_"},
    {238, "Pet\xE4j\xE4", "Pine"},
    {239, "Honka", "Pine"},
    {240, "Riuku", "Pole"},
    {241, "Risu", "Twig"},
    {242, "Paju", "Willow"},
    {243, "Koivu", "Birch"},
    {244, "Kukkais", "Flower"},
    {245, "Hako", "Conifer"},
    {246, "Hirvi", "Elk"},
    {247, "Karhu", "Bear"},
    {248, "Kettu", "Fox"},
    {249, "Ilves", "Lynx"},
    {250, "M\xE4yr\xE4", "Badger"},
    {251, "Hukan", "Wolf's_"},
    {252, "Oravin", "Squirrel"},
    {253, "Revon", "Fox"},
    {254, "Kontio", "Bruin"},
    {255, "Peura", "Deer"},
};
const NamePart second_part_list[] = {
    {0, "meri", "_sea"},
    {1, "vesi", "_water"},
    {2, "selk\xE4", "wide"},
    {3, "j\xE4rvi", "_lake"},
    {4, "koski", "_rapid"},
    {5, "kosket", "_rapids"},
    {6, "virta", "_stream"},
    {7, "vuolle", "_flow"},
    {8, "ranta", "shore"},
    {9, "per\xE4", "rear"},
    {10, "pohja", "bottom"},
    {11, "lahti", "cove"},
    {12, "salmi", "strait"},
    {13, "saaret", "islands"},
    {14, "kallio", "cliff"},
    {15, "niemi", "_peninsula"},
    {16, "aapa", "open"},
    {17, "neva", "bog"},
    {18, "letto", "fen"},
    {19, "suo", "swamp"},
    {20, "rahka", "peat"},
    {21, "r\xE4me", "marsh"},
    {32, "mets\xE4", "_forest"},
    {33, "mett\xE4", "wood"},
    {34, "maa", "land"},
    {35, "korpi", "mire"},
    {36, "laaja", "wide"},
    {37, "kolkka", "_corner"},
    {38, "kangas", "_heath"},
    {39, "er\xE4", "_wild"},
    {40, "reitti", "_trail"},
    {41, "taival", "_passage"},
    {42, "salo", "_wilds"},
    {60, "m\xE4ki", "hill"},
    {61, "p\xE4\xE4", "head"},
    {62, "tunturi", "fjeld"},
    {63, "vaara", "fell"},
    {64, "jyrkk\xE4", "steep"},
    {65, "kunnas", "mound"},
    {66, "kumpu", "hillock"},
    {67, "laet", "summits"},
    {68, "nousu", "climb"},
    {69, "niska", "neck"},
    {70, "rinne", "slope"},
    {80, "kallio", "cliff"},
    {81, "vuori", "_mountain"},
    {82, "huippu", "top"},
    {83, "vuoret", "_mountains"},
    {84, "nousu", "climb"},
    {85, "otsa", "front"},
    {86, "p\xE4\xE4", "head"},
    {87, "laki", "_summit"},
    {88, "nuppi", "point"},
    {89, "k\xE4rki", "tip"},
    {90, "naula", "nail"},
};

constexpr const char* FALLBACK_NAME = "JOKUMAA";

// One draw of the game's generator in the 0..32767 range, modulo n.
int r(int n) { return ((ksm_rand() >> 16) & 0x7FFF) % n; }

}  // namespace

void init_region_name_parts() {
    std::memset(first_parts, 0, sizeof first_parts);
    std::memset(second_parts, 0, sizeof second_parts);
    for (auto& name : custom_region_names) copy_text(name, FALLBACK_NAME);
    for (const NamePart& p : first_part_list) {
        copy_text(first_parts[0][p.index], p.own);
        copy_text(first_parts[1][p.index], p.english);
    }
    for (const NamePart& p : second_part_list) {
        copy_text(second_parts[0][p.index], p.own);
        copy_text(second_parts[1][p.index], p.english);
    }
}

void make_region_name_code(int bx, int by) {
    if (bx < 0 || by < 0 || bx >= CULTURE_COLS || by >= CULTURE_ROWS) return;
    int sea = 0, water = 0, mire = 0, rapids = 0, hill = 0, mountain = 0;
    for (int y = by * 32; y < by * 32 + 32; ++y) {
        const uint8_t* row = &terrain_layer[map_index(bx * 32, y)];
        for (int x = 0; x < 32; ++x) {
            switch (row[x]) {
            case 180: ++sea; break;
            case 181: case 182: case 183: case 247: ++water; break;
            case 233: case 236: ++mire; break;
            case 177: ++rapids; break;
            case 91: ++hill; break;
            case 94: ++mountain; break;
            default: break;
            }
        }
    }
    int first = 20 + r(235);
    int second = 32 + r(10);
    if (sea > 800) { first = r(199); second = r(2); }
    if (water > 400 || sea > 400) { first = r(199); second = 8 + r(7); }
    if (water > 850) { first = r(199); second = r(3); }
    if (sea == 1024) { first = 0; second = 0; }
    if (mire > 512) { first = 20 + r(235); second = 16 + r(5); }
    if (rapids >= 1) { first = 1 + r(254); second = 4 + r(3); }
    if (hill > 4) { first = 20 + r(235); second = 60 + r(10); }
    if (mountain > 2) { first = 20 + r(235); second = 80 + r(10); }
    region_name_codes[by * CULTURE_COLS + bx] = uint16_t(second * 256 + first);
}

bool save_region_names() {
    uint8_t bytes[CULTURE_CELLS * 2];
    for (int i = 0; i < CULTURE_CELLS; ++i) put_le16(&bytes[2 * i], region_name_codes[i]);
    const std::string path = character_file("names.dat");
    if (write_file_atomic(path, bytes, sizeof bytes)) return true;
    char text[600];
    format_text(text, sizeof text, "!Could not write %s.", path.c_str());
    show_message(text);
    debug_log("!maps", text);
    return false;
}

bool generate_region_names() {
    seed_random_from_clock();
    init_region_name_parts();
    for (int by = 0; by < CULTURE_ROWS; ++by) {
        for (int bx = 0; bx < CULTURE_COLS; ++bx) make_region_name_code(bx, by);
    }
    return save_region_names();
}

bool load_region_names() {
    // Read into a cleared buffer and take it only when the file is whole.
    uint8_t bytes[CULTURE_CELLS * 2] = {};
    if (!read_file_exact(character_file("names.dat"), bytes, sizeof bytes)) return false;
    for (int i = 0; i < CULTURE_CELLS; ++i) region_name_codes[i] = get_le16(&bytes[2 * i]);
    return true;
}

void region_name(int wx, int wy, int language, char* out, size_t cap) {
    char name[CUSTOM_NAME_BYTES] = {};
    if (!in_world_grid(wx, wy)) {
        copy_text(name, "  ");
    } else {
        const uint16_t code = region_name_codes[(wy / 32) * CULTURE_COLS + wx / 32];
        if (code & 0x8000) {
            const int index = code & 0x7FFF;
            copy_text(name, index < CUSTOM_REGION_NAMES ? custom_region_names[index] : FALLBACK_NAME);
        } else {
            const int lang = language == 0 ? 0 : 1;
            const char* first = first_parts[lang][code & 0xFF];
            const char* second = second_parts[lang][(code >> 8) & 0xFF];
            if (lang == 0) {
                copy_text(name, first);
                append_text(name, sizeof name, second);
            } else {
                const size_t n = std::strlen(first);
                copy_text(name, first);
                if (n > 0 && first[n - 1] == '_') {
                    name[n - 1] = ' ';
                    append_text(name, sizeof name, second[0] == '_' ? second + 1 : second);
                } else if (second[0] == '_') {
                    append_text(name, sizeof name, " ");
                    append_text(name, sizeof name, second + 1);
                } else {
                    append_text(name, sizeof name, second);
                }
            }
        }
    }
    copy_text(last_region_name, name);
    if (out && cap) copy_text(out, cap, name);
}

char* region_name_text(int world_x, int world_y, int language) {
    char* text = next_ring_text();
    region_name(world_x, world_y, language, text, TEXT_RING_BYTES);
    return text;
}

char* region_names_text(int world_x, int world_y) {
    char own[CUSTOM_NAME_BYTES], english[CUSTOM_NAME_BYTES];
    region_name(world_x, world_y, 0, own, sizeof own);
    region_name(world_x, world_y, 1, english, sizeof english);
    char* text = next_ring_text();
    format_text(text, TEXT_RING_BYTES, "%s \"%s\"", own, english);
    return text;
}


void region_name_at(int wx, int wy, int flag, char* out, size_t cap) {
    if (!in_world_grid(wx, wy)) return;
    region_name(wx, wy, flag, out, cap);
}
