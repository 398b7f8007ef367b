#include "fixture_world.h"

#include <cstring>
#include <filesystem>
#include <fstream>
#include <stdexcept>

#include "game/clock.h"
#include "maps/map_layers.h"
#include "maps/weather.h"
#include "objects/map_object_table.h"
#include "shell/game_loop.h"
#include "game/player.h"
#include "base/platform.h"

namespace {

struct Painter {
    std::vector<uint8_t>& t;
    void put(int x, int y, uint8_t code) { t[size_t(y) * MAP_STRIDE + size_t(x)] = code; }
    void rect(int x0, int y0, int x1, int y1, uint8_t code) {
        for (int y = y0; y <= y1; ++y)
            for (int x = x0; x <= x1; ++x) put(x, y, code);
    }
};

}  // namespace

void write_fixture_file(const std::string& path, const void* data, size_t size) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(static_cast<const char*>(data), std::streamsize(size));
    if (!out) throw std::runtime_error("cannot write " + path);
}

std::vector<uint8_t> read_fixture_file(const std::string& path) {
    std::ifstream in(path, std::ios::binary | std::ios::ate);
    if (!in) return {};
    const std::streamsize size = in.tellg();
    std::vector<uint8_t> bytes(size > 0 ? size_t(size) : 0);
    in.seekg(0);
    if (size > 0 && !in.read(reinterpret_cast<char*>(bytes.data()), size)) return {};
    return bytes;
}

FixtureWorld make_fixture_world(const std::string& name) {
    FixtureWorld w;
    w.folder = name;
    std::filesystem::create_directories(name);
    // The sight table belongs to the installation; loading a map needs it.
    std::filesystem::copy_file(std::string(KSM_DATA_DIR) + "/linedist.arr", "linedist.arr",
                               std::filesystem::copy_options::overwrite_existing);

    // Deep sea everywhere, shallow sea around a land mass of coniferous
    // forest at x 950..1150, y 450..600.
    w.terrain.assign(MAP_CELLS, 180);
    Painter p{w.terrain};
    p.rect(945, 445, 1155, 605, 181);
    p.rect(950, 450, 1150, 600, 15);
    w.sea = {900, 400};
    w.shallow_sea = {947, 500};
    w.shore = {950, 500};

    // Forests, mires and high ground in patches.
    p.rect(960, 460, 975, 475, 3);    w.lichen_pine = {967, 467};
    w.conifer = {1030, 590};
    p.rect(980, 460, 985, 465, 16);   w.grove = {982, 462};
    p.rect(988, 460, 992, 464, 228);  w.thicket = {990, 462};
    p.rect(960, 580, 975, 595, 238);  w.heath = {967, 587};
    p.rect(1100, 560, 1110, 570, 235); w.spruce_mire = {1105, 565};
    p.rect(1112, 560, 1120, 570, 236); w.pine_mire = {1116, 565};
    p.rect(1122, 560, 1130, 570, 233); w.open_mire = {1126, 565};
    p.rect(1060, 580, 1070, 590, 91); w.hill = {1065, 585};
    p.rect(1130, 580, 1145, 595, 94); w.mountain = {1137, 587};
    p.rect(1128, 580, 1129, 595, 93); w.cliff = {1128, 587};
    p.put(1140, 590, 60);             w.cave = {1140, 590};

    // Lakes: a 3 x 3 lake, a lone pond and a deep lake with a shallow rim.
    p.rect(999, 519, 1001, 521, 247); w.lake_centre = {1000, 520};
    p.put(1010, 530, 247);            w.small_lake = {1010, 530};
    p.rect(1020, 515, 1026, 521, 183);
    p.rect(1021, 516, 1025, 520, 182); w.deep_lake = {1023, 518};

    // A river along row 550 from the forest to the sea, with a ford and
    // rapids.
    p.rect(955, 550, 1150, 550, 178);
    w.river_start = {955, 550};
    w.river_end = {1150, 550};
    p.put(1040, 550, 176);            w.ford = {1040, 550};
    p.put(1060, 550, 177);            w.rapids = {1060, 550};

    // Settlement sites and a field.
    p.put(1005, 470, 239);            w.village = {1005, 470};
    p.put(1006, 470, 251);            w.field = {1006, 470};
    p.put(1080, 480, 210);            w.fortified_village = {1080, 480};
    p.put(1100, 500, 211);            w.settlement = {1100, 500};
    p.put(1120, 520, 30);             w.camp = {1120, 520};

    // The column and the row past the world are zero, as in every world
    // the game makes.
    for (int y = 0; y < MAP_ROWS; ++y) p.put(WORLD_W, y, 0);
    for (int x = 0; x < MAP_STRIDE; ++x) p.put(x, WORLD_H, 0);

    // The player has seen the north-west corner of the land.
    w.remembered.assign(MAP_CELLS, ' ');
    for (int y = 450; y < 480; ++y)
        for (int x = 950; x < 1000; ++x) w.remembered[size_t(y) * MAP_STRIDE + x] = w.terrain[size_t(y) * MAP_STRIDE + x];

    // Cultures: every block has one (1..9), the land's blocks culture 3,
    // and one row of the far north none (96 zero bytes).
    w.land_culture = 3;
    w.cultures.assign(CULTURE_CELLS, 0);
    for (int by = 0; by < CULTURE_ROWS; ++by)
        for (int bx = 0; bx < CULTURE_COLS; ++bx)
            w.cultures[by * CULTURE_COLS + bx] = by == 0 ? 0 : uint8_t(1 + (bx / 8 + by / 8) % 9);
    for (int by = 440 / 32; by <= 610 / 32; ++by)
        for (int bx = 940 / 32; bx <= 1160 / 32; ++bx) w.cultures[by * CULTURE_COLS + bx] = 3;

    // A few things on the world map.
    std::vector<MapObject> objects(MAP_OBJECT_COUNT);
    std::memset(objects.data(), 0, objects.size() * sizeof(MapObject));
    objects[0].x = 1000; objects[0].y = 500; objects[0].TYPE = 1; objects[0].DATA = 12; objects[0].amount = 3;
    objects[1].x = 1005; objects[1].y = 471; objects[1].TYPE = 11; objects[1].DATA = 600; objects[1].amount = 5;

    const std::string base = name + "/";
    write_fixture_file(base + "WORLD.DAT", w.terrain.data(), w.terrain.size());
    write_fixture_file(base + "WORLD.BAK", w.terrain.data(), w.terrain.size());
    write_fixture_file(base + "WORLD.PLM", w.remembered.data(), w.remembered.size());
    write_fixture_file(base + "DATA.DAT", objects.data(), objects.size() * sizeof(MapObject));
    write_fixture_file(base + "kulttuuri.dat", w.cultures.data(), w.cultures.size());
    write_fixture_file(base + "kulttuuri.bak", w.cultures.data(), w.cultures.size());
    // An empty creature file: the first map entry gives it its free records.
    write_fixture_file(base + name + ".CRS", "", 0);
    // Blank creature templates (the upper kinds are made at every load).
    const std::vector<uint8_t> templates(size_t(1384) * 1000, 0);
    write_fixture_file(base + "CONSTANT.CRE", templates.data(), templates.size());

    copy_text(character_name, name.c_str());
    install_folder[0] = 0;
    std::memset(&Plr, 0, sizeof Plr);
    copy_text(Plr.name, name.c_str());
    copy_text(Plr.map_name, "BIGMAP");
    Plr.plr_version = PLR_FORMAT_VERSION;
    Plr.days_played = 1;
    Plr.day = 1;
    Plr.month = 6;
    Plr.course_task = -1;
    player_x = 1000;
    player_y = 500;
    // The weather model stands at the record's day and hour, as a game's does.
    weather.day = day_of_year(Plr.day, Plr.month) - 1;
    weather.hour = Plr.hour;
    return w;
}
