// A small but complete character folder for map tests: the world files of
// the right sizes and a world with sea, shore, lakes, a river with a ford
// and rapids, forests, mires, hills, mountains, a cave, settlement sites
// and a field. Test helper only; the game makes its worlds itself.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct FixturePoint {
    int x, y;
};

struct FixtureWorld {
    std::string folder;  // the character folder (relative to the play folder)
    FixturePoint sea, shallow_sea, shore;
    FixturePoint lake_centre;       // middle of a 3 x 3 lake (247)
    FixturePoint small_lake;        // a lone 247
    FixturePoint deep_lake;         // 182 with 183 around it
    FixturePoint river_start, river_end;  // a river (178) along one row
    FixturePoint ford, rapids;
    FixturePoint lichen_pine, conifer, grove, thicket, heath;
    FixturePoint spruce_mire, pine_mire, open_mire;
    FixturePoint hill, mountain, cliff, cave;
    FixturePoint village, fortified_village, settlement, camp, field;
    int land_culture;               // culture code of the land's blocks
    std::vector<uint8_t> terrain;   // the image of "WORLD.DAT"
    std::vector<uint8_t> remembered;  // the image of "WORLD.PLM"
    std::vector<uint8_t> cultures;  // the image of "kulttuuri.dat"
};

// Writes the folder `name` in the current folder with "WORLD.DAT",
// "WORLD.BAK", "WORLD.PLM", "DATA.DAT", "kulttuuri.dat", "kulttuuri.bak", an empty "<name>.CRS" and blank "CONSTANT.CRE",
// and points the game at it (character name, empty installation folder,
// a world-map character record of the current format on day 1 of month 6).
FixtureWorld make_fixture_world(const std::string& name = "Fixture");

// Writes bytes to a file of the fixture (any size; for damaged files).
void write_fixture_file(const std::string& path, const void* data, size_t size);
std::vector<uint8_t> read_fixture_file(const std::string& path);
