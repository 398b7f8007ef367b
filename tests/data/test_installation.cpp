// The installation check: data/ must hold every file and key that
// tools/datagen/manifest.txt names, in the formats the game reads.
// Run by ./test.sh; regenerate the data with tools/datagen/make_all.sh.

#include <SDL.h>
#include <SDL_image.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "game/turn_state.h"
#include "objects/item_catalogue.h"
#include "objects/item_makers.h"
#include "objects/object_store.h"
#include "support/play_folder.h"
#include "support/screen_session.h"
#include "ui/encyclopedia.h"
#include "ui/catalogue.h"
#include "base/tag_text.h"
#include "maps/terrain_types.h"
#include "objects/object_names.h"
#include "base/platform.h"

namespace fs = std::filesystem;

namespace {

const std::string kData = KSM_DATA_DIR;
const std::string kManifest = std::string(KSM_SOURCE_DIR) + "/tools/datagen/manifest.txt";

struct Entry {
    std::string kind;   // "file", "key", "chat", "scrinfo", "topic", "coded", "portrait"
    std::string value;
};

std::string slurp(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

std::vector<std::string> lines_of(const std::string& text) {
    std::vector<std::string> out;
    std::string cur;
    for (char c : text) {
        if (c == '\n') {
            if (!cur.empty() && cur.back() == '\r') cur.pop_back();
            out.push_back(cur);
            cur.clear();
        } else {
            cur += c;
        }
    }
    if (!cur.empty()) out.push_back(cur);
    return out;
}

bool is_comment(const std::string& line) {
    return line.rfind("//", 0) == 0 || line.rfind("##", 0) == 0;
}

const std::vector<Entry>& manifest() {
    static std::vector<Entry> entries = [] {
        std::vector<Entry> out;
        for (std::string line : lines_of(slurp(kManifest))) {
            while (!line.empty() && (line.back() == ' ' || line.back() == '\t')) line.pop_back();
            if (line.empty() || line[0] == '#') continue;
            size_t sp = line.find(' ');
            if (sp == std::string::npos) out.push_back({"file", line});
            else out.push_back({line.substr(0, sp), line.substr(sp + 1)});
        }
        return out;
    }();
    return entries;
}

std::vector<std::string> manifest_values(const std::string& kind) {
    std::vector<std::string> out;
    for (const Entry& e : manifest())
        if (e.kind == kind) out.push_back(e.value);
    return out;
}

// Exact-case existence: every component of the path must be listed by its
// folder under exactly that name.
bool exists_exact_case(const std::string& root, const std::string& rel) {
    fs::path cur = root;
    std::stringstream parts(rel);
    std::string part;
    while (std::getline(parts, part, '/')) {
        bool found = false;
        std::error_code ec;
        for (const auto& de : fs::directory_iterator(cur, ec)) {
            if (de.path().filename().string() == part) {
                found = true;
                break;
            }
        }
        if (!found) return false;
        cur /= part;
    }
    return fs::is_regular_file(cur);
}

std::string upper_latin1(std::string s) {
    for (char& c : s) c = static_cast<char>(latin1_upper(static_cast<unsigned char>(c)));
    return s;
}

std::vector<std::string> files_in(const std::string& folder, const std::string& suffix) {
    std::vector<std::string> out;
    std::error_code ec;
    for (const auto& de : fs::directory_iterator(kData + "/" + folder, ec)) {
        std::string name = de.path().filename().string();
        if (de.is_regular_file() && name.size() >= suffix.size() &&
            compare_no_case(name.substr(name.size() - suffix.size()), suffix) == 0)
            out.push_back(name);
    }
    std::sort(out.begin(), out.end(),
              [](const std::string& a, const std::string& b) { return compare_no_case(a, b) < 0; });
    return out;
}

// The catalogue files in the order the game searches them.
std::vector<std::string> catalogue_files() {
    std::vector<std::string> out;
    for (const std::string& name : files_in("messages", ".txt"))
        if (compare_no_case(name.substr(0, 4), "ksm_") == 0) out.push_back(name);
    return out;
}

bool is_chat_or_names_file(const std::string& name) {
    return compare_no_case(name, "ksm_chat.txt") == 0 || compare_no_case(name, "ksm_uname_flora.txt") == 0;
}

// The key a catalogue line opens, or "" when it opens none: a key line
// starts with ".KEY." (upper-case letters, digits, '_' and '-').
std::string key_of_line(const std::string& line) {
    if (line.size() < 3 || line[0] != '.') return "";
    size_t end = line.find('.', 1);
    if (end == std::string::npos || end == 1) return "";
    std::string key = line.substr(1, end - 1);
    for (char c : key)
        if (!((c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_' || c == '-')) return "";
    return key;
}

std::string key_base(const std::string& key) { return key.substr(0, key.find(':')); }

class Installation : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        ASSERT_FALSE(manifest().empty()) << "cannot read " << kManifest;
    }
};

// ---------------------------------------------------------------- files

TEST_F(Installation, EveryManifestFileExistsWithExactCase) {
    std::vector<std::string> missing;
    for (const std::string& rel : manifest_values("file"))
        if (!exists_exact_case(kData, rel)) missing.push_back(rel);
    EXPECT_TRUE(missing.empty()) << missing.size() << " missing, the first: " << missing.front();
}

TEST_F(Installation, ExactCaseCheckRejectsAWrongCase) {
    EXPECT_TRUE(exists_exact_case(kData, "NOTES.STD"));
    EXPECT_FALSE(exists_exact_case(kData, "notes.std"));
    EXPECT_FALSE(exists_exact_case(kData, "truetile/TER-GROUND.png"));
}

TEST_F(Installation, FontAndPaletteHaveTheirSizes) {
    EXPECT_EQ(file_size(kData + "/KSM.FNT"), 20480);
    EXPECT_EQ(file_size(kData + "/palette.nfo"), 3072);
}

TEST_F(Installation, TextFilesAreLatin1) {
    const std::set<std::string> binary = {".png", ".jpg", ".wav", ".ogg", ".fnt", ".bmp"};
    std::vector<std::string> bad;
    for (const auto& de : fs::recursive_directory_iterator(kData)) {
        if (!de.is_regular_file()) continue;
        std::string ext = de.path().extension().string();
        std::transform(ext.begin(), ext.end(), ext.begin(), [](unsigned char c) { return std::tolower(c); });
        std::string name = de.path().filename().string();
        if (binary.count(ext) || name == "palette.nfo") continue;
        std::string text = slurp(de.path().string());
        if (has_utf8_sequence(text.data(), text.size()))
            bad.push_back(fs::relative(de.path(), kData).string());
    }
    EXPECT_TRUE(bad.empty()) << "UTF-8 in " << bad.size() << " file(s), the first: " << bad.front();
}

// ---------------------------------------------------------------- tiles

struct Geometry {
    int frame_w, frame_h;
};

Geometry geometry_for_height(int h) {
    switch (h) {
        case 50: return {48, 48};
        case 66: return {64, 64};
        case 74: return {64, 72};
        case 82: return {80, 80};
        case 98: return {64, 96};
        case 130: return {80, 128};
        default: return {32, 32};
    }
}

struct Picture {
    int w = 0, h = 0;
    std::vector<uint32_t> rgb;  // 0xRRGGBB
    uint32_t at(int x, int y) const { return rgb[size_t(y) * w + x]; }
};

bool load_picture(const std::string& path, Picture& out) {
    SDL_Surface* s = IMG_Load(path.c_str());
    if (!s) return false;
    SDL_Surface* c = SDL_ConvertSurfaceFormat(s, SDL_PIXELFORMAT_RGB888, 0);
    SDL_FreeSurface(s);
    if (!c) return false;
    out.w = c->w;
    out.h = c->h;
    out.rgb.resize(size_t(c->w) * c->h);
    SDL_LockSurface(c);
    for (int y = 0; y < c->h; ++y) {
        const auto* row = reinterpret_cast<const uint32_t*>(static_cast<const uint8_t*>(c->pixels) + y * c->pitch);
        for (int x = 0; x < c->w; ++x) out.rgb[size_t(y) * c->w + x] = row[x] & 0xFFFFFF;
    }
    SDL_UnlockSurface(c);
    SDL_FreeSurface(c);
    return true;
}

// What is wrong with a tile picture, "" when nothing: the geometry rule,
// the gutter in the key colour, no near-key colour inside a frame (it
// would show as a fringe), and no empty frame.
std::string tile_fault(const Picture& p) {
    Geometry g = geometry_for_height(p.h);
    if (p.h != g.frame_h + 2) return "height " + std::to_string(p.h) + " fits no frame size";
    int count = p.w > p.h ? p.w / (p.h - 1) : 1;
    if (p.w != count * (g.frame_w + 1) + 1)
        return "width " + std::to_string(p.w) + " is not a whole number of frames";
    uint32_t key = p.at(0, 0);
    auto near_key = [key](uint32_t c) {
        int dr = int((c >> 16) & 255) - int((key >> 16) & 255);
        int dg = int((c >> 8) & 255) - int((key >> 8) & 255);
        int db = int(c & 255) - int(key & 255);
        return c != key && std::abs(dr) <= 40 && std::abs(dg) <= 40 && std::abs(db) <= 40;
    };
    for (int n = 0; n < count; ++n) {
        int x0 = n * (g.frame_w + 1) + 1;
        bool any = false;
        for (int y = 0; y < p.h; ++y) {
            for (int x = x0 - 1; x <= x0 + g.frame_w; ++x) {
                bool gutter = y == 0 || y == p.h - 1 || x == x0 - 1 || x == x0 + g.frame_w;
                uint32_t c = p.at(x, y);
                if (gutter && c != key) return "frame " + std::to_string(n) + " has a gutter pixel off the key colour";
                if (!gutter && near_key(c))
                    return "frame " + std::to_string(n) + " has a pixel close to the key colour";
                if (!gutter && c != key) any = true;
            }
        }
        if (!any) return "frame " + std::to_string(n) + " is empty";
    }
    return "";
}

class Tiles : public Installation {
protected:
    static void SetUpTestSuite() {
        ASSERT_NE(IMG_Init(IMG_INIT_PNG | IMG_INIT_JPG), 0) << IMG_GetError();
    }
};

TEST_F(Tiles, EveryTileFollowsTheFrameRule) {
    std::vector<std::string> faults;
    for (const std::string& name : files_in("truetile", ".png")) {
        if (name.find("gui-") != std::string::npos) continue;  // interface pictures are no tiles
        Picture p;
        if (!load_picture(kData + "/truetile/" + name, p)) {
            faults.push_back(name + ": does not load");
            continue;
        }
        std::string f = tile_fault(p);
        if (!f.empty()) faults.push_back(name + ": " + f);
    }
    EXPECT_TRUE(faults.empty()) << faults.size() << " faulty tile(s), the first: " << faults.front();
}

TEST_F(Tiles, FaultCheckCatchesBrokenPictures) {
    Picture good;
    good.w = 67;
    good.h = 34;
    good.rgb.assign(size_t(good.w) * good.h, 0xFF00FF);
    good.rgb[size_t(10) * good.w + 10] = 0x336633;
    good.rgb[size_t(10) * good.w + 40] = 0x336633;
    EXPECT_EQ(tile_fault(good), "");

    Picture gutter = good;
    gutter.rgb[size_t(5) * good.w + 33] = 0x000000;  // the gutter between the frames
    EXPECT_NE(tile_fault(gutter), "");

    Picture fringe = good;
    fringe.rgb[size_t(12) * good.w + 12] = 0xF010F0;  // almost the key colour
    EXPECT_NE(tile_fault(fringe), "");

    Picture empty = good;
    empty.rgb[size_t(10) * good.w + 40] = 0xFF00FF;
    EXPECT_NE(tile_fault(empty), "");

    Picture odd = good;
    odd.h = 40;
    odd.rgb.assign(size_t(odd.w) * odd.h, 0xFF00FF);
    EXPECT_NE(tile_fault(odd), "");
}

TEST_F(Tiles, NamesFitTheirFieldsAndTheTableHoldsThemAll) {
    int count = 0;
    for (const std::string& name : files_in("truetile", ".png")) {
        if (name.find("gui-") != std::string::npos) continue;
        ++count;
        std::string stem = name.substr(0, name.find('.'));
        // The tile record keeps the first 24 characters of the file name.
        EXPECT_LE(stem.size(), 24u) << name;
        // Terrain types keep their tile name in 14 bytes, creatures their
        // picture key in 12.
        if (stem.rfind("ter-", 0) == 0) {
            EXPECT_LE(stem.size(), 13u) << name;
        }
        if (stem.rfind("av-", 0) == 0 || stem.rfind("npc-", 0) == 0) {
            EXPECT_LE(stem.size(), 11u) << name;
        }
    }
    EXPECT_LE(count, 1024);
}

// Every picture the item catalogue and the item makers name is listed in
// the manifest and lies in the installation (the map draws a record
// without a tile by its symbol).
TEST_F(Tiles, ItemTypesAndMadeItemsNameListedTiles) {
    PlayFolder play(false);
    reset_object_store();
    ASSERT_TRUE(make_folder("ITEMS"));
    install_folder[0] = 0;
    copy_text(character_name, "ITEMS");
    build_item_catalogue();
    std::vector<ObjectRecord> records(ItemTypes, ItemTypes + ITEM_TYPE_COUNT);
    character_name[0] = 0;

    ObjectRecord r;
    auto add = [&records](const ObjectRecord& made) { records.push_back(made); };
    add(make_herb_item("herb", r));
    add(make_hare_paw_item(nullptr, r));
    add(make_wedge_item(r));
    add(make_garment_strip_item(nullptr, r));
    add(make_brooch_item("[small]", r));
    add(make_embroidered_shirt(r));
    ObjectRecord flax;
    obj_clear_record(flax);
    copy_text(flax.skill, "flax");
    add(make_yarn_item(10, r, flax));
    add(make_fibre_item(flax, r));
    add(make_bark_strip_item(10, r));
    add(make_bark_item("birch", r));
    add(make_sapling_item("birch", r));
    add(make_sapling_item("spruce", r));
    for (int kind : {605, 606, 619, 616, 650, 1}) {
        CreatureRecord animal{};
        animal.kind = kind;
        animal.base_weight = 10;
        copy_text(animal.name, "bear");
        add(make_feather_item(animal, r));
        add(make_egg_item(animal, r));
        add(make_antler_item(r, animal));
        add(make_bone_item(animal, r));
        add(make_skull_item(animal, r));
        add(make_tooth_item(r, r));
    }
    reset_object_store();

    const std::vector<std::string> listed = manifest_values("file");
    const std::set<std::string> manifest_files(listed.begin(), listed.end());
    std::set<std::string> tiles;
    for (const ObjectRecord& item : records) {
        const std::string tile(item.tile, strnlen(item.tile, sizeof item.tile));
        if (item.item_class != 0 && !tile.empty()) tiles.insert(tile);
    }
    EXPECT_GT(tiles.size(), 150u);
    for (const std::string& tile : tiles) {
        const std::string rel = "truetile/" + tile + ".png";
        EXPECT_TRUE(manifest_files.count(rel)) << rel << " is not in the manifest";
        EXPECT_TRUE(exists_exact_case(kData, rel)) << rel << " is missing";
    }
}

TEST_F(Tiles, CreatureTilesHaveEveryFrameTheMapAsksFor) {
    // Facings 0-7, lying 8-9, swimming or flying from 11, wading from 19.
    for (const std::string& rel : manifest_values("file")) {
        std::string name = rel.substr(rel.find('/') + 1);
        if (!(name.rfind("av-", 0) == 0 || name.rfind("npc-", 0) == 0 || name.rfind("pc-", 0) == 0)) continue;
        Picture p;
        ASSERT_TRUE(load_picture(kData + "/" + rel, p)) << rel;
        EXPECT_GE(p.w / (p.h - 1), 27) << rel;
    }
}

TEST_F(Tiles, PortraitPrefixesHaveTwoDistinctPictures) {
    for (const std::string& prefix : manifest_values("portrait")) {
        std::set<std::string> contents;
        for (const std::string& name : files_in("truegfx", ".png"))
            if (compare_no_case(name.substr(0, prefix.size()), prefix) == 0)
                contents.insert(slurp(kData + "/truegfx/" + name));
        EXPECT_GE(contents.size(), 2u) << "portrait prefix " << prefix;
    }
}

// ---------------------------------------------------------------- sound

TEST_F(Installation, SamplesFitTheSampleTable) {
    // The fixed list takes 60 slots; every sound file of the folder is then
    // loaded once more under its own name. The table has 200 slots.
    const int fixed_slots = 60;
    int files = 0;
    for (const char* ext : {".wav", ".ogg"})
        for (const std::string& name : files_in("audio", ext))
            if (name.find("smear.wav") == std::string::npos) ++files;
    EXPECT_LE(fixed_slots + files, 200);
}

TEST_F(Installation, SoundsAreNotSilent) {
    for (const std::string& name : files_in("audio", ".wav")) {
        std::string wav = slurp(kData + "/audio/" + name);
        ASSERT_GT(wav.size(), 44u) << name;
        int peak = 0;
        for (size_t i = 44; i + 1 < wav.size(); i += 2) {
            int v = int16_t(uint8_t(wav[i]) | (uint8_t(wav[i + 1]) << 8));
            peak = std::max(peak, std::abs(v));
        }
        EXPECT_GT(peak, 1000) << name << " is silent";
    }
}

// ------------------------------------------------------------- catalogue

TEST_F(Installation, CatalogueKeysAreDefinedOnceAndFoundFirstWhereDefined) {
    std::map<std::string, std::string> defined;  // key -> file
    std::vector<std::string> twice;
    std::vector<std::pair<std::string, std::vector<std::string>>> files;
    for (const std::string& name : catalogue_files()) {
        std::vector<std::string> ls = lines_of(slurp(kData + "/messages/" + name));
        if (!is_chat_or_names_file(name)) {
            for (const std::string& line : ls) {
                if (is_comment(line)) continue;
                std::string key = key_of_line(line);
                if (key.empty()) continue;
                if (!defined.emplace(key, name).second) twice.push_back(key);
            }
        }
        files.emplace_back(name, std::move(ls));
    }
    EXPECT_TRUE(twice.empty()) << "defined twice: " << twice.front();

    std::vector<std::string> missing, shadowed;
    for (const std::string& key : manifest_values("key")) {
        std::string base = key_base(key);
        if (!defined.count(base)) {
            missing.push_back(base);
            continue;
        }
        // The game takes the first line of any catalogue file, in listing
        // order, that holds ".KEY."; that must be the key's own line.
        std::string search = "." + base + ".";
        for (const auto& [name, ls] : files) {
            auto it = std::find_if(ls.begin(), ls.end(), [&](const std::string& l) {
                return !is_comment(l) && l.find(search) != std::string::npos;
            });
            if (it == ls.end()) continue;
            if (name != defined[base] || key_of_line(*it) != base) shadowed.push_back(base + " in " + name);
            break;
        }
    }
    EXPECT_TRUE(missing.empty()) << missing.size() << " key(s) missing, the first: " << missing.front();
    EXPECT_TRUE(shadowed.empty()) << "found first elsewhere: " << shadowed.front();
}

TEST_F(Installation, ChatTopicsAreNoCatalogueKeys) {
    std::set<std::string> keys;
    for (const std::string& k : manifest_values("key")) keys.insert(key_base(k));
    std::string chat = slurp(kData + "/messages/ksm_chat.txt");
    for (const std::string& topic : manifest_values("chat")) {
        EXPECT_FALSE(keys.count(topic)) << topic;
        EXPECT_NE(chat.find("." + topic + "."), std::string::npos) << "chat topic " << topic;
    }
}

TEST_F(Installation, ManifestKeysResolveThroughTheCatalogue) {
    PlayFolder play;
    std::vector<std::string> unresolved;
    for (const std::string& key : manifest_values("key")) {
        std::string text = message_by_key(key.c_str());
        std::string miss = "." + key_base(key) + ".";
        if (text.empty() || text.rfind(miss, 0) == 0 || text.rfind("!ERROR", 0) == 0)
            unresolved.push_back(key + " -> \"" + text + "\"");
    }
    EXPECT_TRUE(unresolved.empty()) << unresolved.size() << " unresolved, the first: " << unresolved.front();
    // A key that is nowhere comes back between dots: the check above is real.
    EXPECT_EQ(std::string(message_by_key("NO_SUCH_KEY_ANYWHERE")), ".NO_SUCH_KEY_ANYWHERE.");
}

TEST_F(Installation, ItemMessagesHoldThePlacesTheirCallersFill) {
    PlayFolder play;
    // The ready phrase of a preparation goes into the one "%s".
    const std::string preparing = find_message_text("CANT_PICK_PREPARING");
    EXPECT_NE(preparing.find("%s"), std::string::npos) << preparing;
    EXPECT_EQ(preparing.find("%s"), preparing.rfind("%s")) << preparing;
    for (const char* key : {"BURIED_IN_BOG", "CANT_WIELD_INJURED:1", "CANT_WIELD_INJURED:2"})
        EXPECT_NE(std::string(find_message_text(key)).find("<the_item>"), std::string::npos) << key;
}

TEST_F(Installation, SymbolFallbackPicturesAreInstalledAndListed) {
    const char* tiles[512];
    const int n = symbol_fallback_tiles(tiles, 512);
    ASSERT_GT(n, 0);
    ASSERT_LE(n, 512);
    const std::vector<std::string> files = manifest_values("file");
    for (int i = 0; i < n; ++i) {
        const std::string rel = std::string("truetile/") + tiles[i] + ".png";
        EXPECT_TRUE(exists_exact_case(kData, rel)) << rel;
        EXPECT_NE(std::find(files.begin(), files.end(), rel), files.end()) << rel << " is not in the manifest";
    }
}

TEST_F(Installation, TheDefaultSettingsGiveTheUnitsOfWeightsAndLengths) {
    const std::string defaults = slurp(kData + "/defaults/ksm_ini.def");
    const bool imperial = defaults.find("[UNITS:IMPERIAL]") != std::string::npos;
    const bool metric = defaults.find("[UNITS:METRIC]") != std::string::npos;
    EXPECT_TRUE(imperial != metric) << "one UNITS setting";
    bool precision = false;
    for (const char* p : {"[UNITS_PRECISION:0]", "[UNITS_PRECISION:1]", "[UNITS_PRECISION:2]"})
        precision = precision || defaults.find(p) != std::string::npos;
    EXPECT_TRUE(precision) << "UNITS_PRECISION 0, 1 or 2";
}

TEST_F(Installation, ChatTopicsGiveLines) {
    PlayFolder play;
    for (const std::string& topic : manifest_values("chat")) {
        std::string line = chat_line(topic.c_str());
        EXPECT_EQ(line.find("haven't been taught"), std::string::npos) << topic;
        EXPECT_EQ(line.find("can't talk about"), std::string::npos) << topic;
    }
}

// ------------------------------------------------------------ text files

TEST_F(Installation, ScreenInfoTextsExist) {
    std::vector<std::string> ls = lines_of(slurp(kData + "/gameinfo/ksm_scrinfo.txt"));
    for (const std::string& screen : manifest_values("scrinfo")) {
        auto it = std::find_if(ls.begin(), ls.end(), [&](const std::string& l) {
            return l.find("." + screen + ".") != std::string::npos;
        });
        ASSERT_NE(it, ls.end()) << screen;
        ASSERT_NE(it + 1, ls.end()) << screen;
        EXPECT_FALSE((it + 1)->empty() || (it + 1)->find("***") != std::string::npos) << screen << " has no text";
    }
}

// ---------------------------------------------------------- encyclopedia

// One page of "GAME.NFO": its header's names, its text lines and pictures.
struct EncyclopediaPage {
    size_t line_no = 0;               // the header's line (1-based)
    std::vector<std::string> names;   // as written
    std::vector<std::string> text;    // page text lines
    std::vector<std::string> pictures;  // the specs after "%POP" lines
};

// The pages, and every fault of the file's format: header lines of
// dot-closed names, two first lines with a sentence, pages closed by
// "***", no header inside a page, text lines of at most 150 characters.
std::vector<EncyclopediaPage> read_encyclopedia(const std::string& file_text, std::vector<std::string>& faults) {
    std::vector<EncyclopediaPage> pages;
    std::vector<std::string> ls = lines_of(file_text);
    bool inside = false;
    int first_lines = 0;
    std::string first_text;
    auto fault = [&](size_t i, const std::string& what) { faults.push_back("line " + std::to_string(i + 1) + ": " + what); };
    for (size_t i = 0; i < ls.size(); ++i) {
        const std::string& l = ls[i];
        if (is_comment(l)) continue;
        if (!inside) {
            if (l.empty()) continue;
            if (l[0] != '.') {
                fault(i, "text outside a page");
                continue;
            }
            EncyclopediaPage page;
            page.line_no = i + 1;
            if (l.size() > 200) fault(i, "header longer than 200 characters");
            if (l.size() < 3 || l.back() != '.') fault(i, "header not closed by a dot");
            std::stringstream parts(l.substr(1));
            std::string name;
            while (std::getline(parts, name, '.')) {
                if (name.empty()) fault(i, "an empty name in the header");
                else if (name != upper_latin1(name)) fault(i, "name not in upper case: " + name);
                else page.names.push_back(name);
            }
            pages.push_back(page);
            inside = true;
            first_lines = 0;
            first_text.clear();
            continue;
        }
        EncyclopediaPage& page = pages.back();
        if (l.find("***") != std::string::npos) {
            if (first_lines < 2 || first_text.find('.') == std::string::npos)
                fault(page.line_no - 1, "page without two first lines holding a sentence");
            inside = false;
            continue;
        }
        if (!l.empty() && l[0] == '.') {
            fault(i, "a header inside a page (the page above has no ***)");
            continue;
        }
        if (first_lines < 2) {
            ++first_lines;
            first_text += l + " ";
        }
        if (!l.empty() && l[0] == '%') {
            if (i + 1 >= ls.size()) fault(i, "picture line without a picture");
            else if (l.find("POP") != std::string::npos) page.pictures.push_back(ls[i + 1]);
            ++i;
            continue;
        }
        if (l.size() > 150) fault(i, "text line longer than 150 characters");
        page.text.push_back(l);
    }
    if (inside) faults.push_back("the last page has no ***");
    return pages;
}

std::set<std::string> encyclopedia_names(const std::vector<EncyclopediaPage>& pages) {
    std::set<std::string> names;
    for (const EncyclopediaPage& p : pages) names.insert(p.names.begin(), p.names.end());
    return names;
}

// Whether the upper-cased text names `name` where the game makes a link.
bool links_name(const std::string& upper_text, const std::string& name) {
    for (size_t at = upper_text.find(name); at != std::string::npos; at = upper_text.find(name, at + 1)) {
        char before = at == 0 ? ' ' : upper_text[at - 1];
        char after = at + name.size() < upper_text.size() ? upper_text[at + name.size()] : ' ';
        if (before == '[' || (std::strchr(",.' ", before) && std::strchr("<,.' ", after))) return true;
    }
    return false;
}

TEST_F(Installation, EncyclopediaPagesFollowTheirFormat) {
    std::string raw = slurp(kData + "/GAME.NFO");
    EXPECT_FALSE(has_utf8_sequence(raw.data(), raw.size())) << "GAME.NFO must be Latin-1";
    std::vector<std::string> faults;
    std::vector<EncyclopediaPage> pages = read_encyclopedia(raw, faults);
    EXPECT_TRUE(faults.empty()) << faults.size() << " fault(s), the first: " << faults.front();
    // Every name once (a second page of the same name could never be
    // reached), and no more names than the topic table holds.
    std::set<std::string> seen;
    size_t count = 0;
    for (const EncyclopediaPage& p : pages)
        for (const std::string& n : p.names) {
            EXPECT_TRUE(seen.insert(n).second) << "topic named twice: " << n;
            ++count;
        }
    EXPECT_LE(count, 1000u);
    // The check is real: a broken little file shows each of its faults.
    const std::string broken =
        "stray text\n"                 // outside a page
        ".GOOD.Lower.\nOne. Two.\n\n***\n"  // a name not in upper case
        ".OPEN\nText.\n\n***\n"         // header not closed by a dot
        ".A..B.\nText.\n\n***\n"        // an empty name
        ".NOSENTENCE.\nno dot here\n\n***\n"
        ".LONG.\nText.\n\n" + std::string(151, 'x') + "\n***\n"
        ".UNCLOSED.\nText.\n\n.NEXT.\nText.\n\n***\n";
    std::vector<std::string> found;
    read_encyclopedia(broken, found);
    const char* expected[] = {"outside a page", "upper case", "not closed", "empty name", "sentence",
                              "longer than 150", "inside a page"};
    for (const char* what : expected) {
        bool seen_it = false;
        for (const std::string& f : found) seen_it |= f.find(what) != std::string::npos;
        EXPECT_TRUE(seen_it) << what;
    }
}

TEST_F(Installation, EncyclopediaHasEveryRequiredTopic) {
    std::vector<std::string> faults;
    std::set<std::string> names = encyclopedia_names(read_encyclopedia(slurp(kData + "/GAME.NFO"), faults));
    std::vector<std::string> required;
    for (const std::string& t : manifest_values("topic"))
        if (t != "FIRST TIMER INFO") required.push_back(t);  // drawn by the program over "THE KESMORRA"
    // Every skill of the skill table has its page (the skills screen's hint).
    for (const std::string& l : lines_of(slurp(kData + "/ini_skills.txt"))) {
        if (l.size() < 3 || l[0] != '.') continue;
        size_t end = l.find('.', 1);
        if (end != std::string::npos) required.push_back(l.substr(1, end - 1));
    }
    std::vector<std::string> missing;
    for (const std::string& t : required)
        if (!names.count(upper_latin1(t))) missing.push_back(t);
    EXPECT_TRUE(missing.empty()) << missing.size() << " topic(s) without a page, the first: " << missing.front();
    // The cultures' names carry the Latin-1 a with diaeresis, as the
    // culture chooser asks for them.
    EXPECT_TRUE(names.count("DRIIKIL\xC4ISET"));
}

TEST_F(Installation, EncyclopediaLinksResolveAndLeadHome) {
    std::vector<std::string> faults;
    std::vector<EncyclopediaPage> pages = read_encyclopedia(slurp(kData + "/GAME.NFO"), faults);
    std::set<std::string> names = encyclopedia_names(pages);
    std::vector<std::string> dead, no_home, no_picture;
    for (const EncyclopediaPage& p : pages) {
        std::string text;
        for (const std::string& l : p.text) text += upper_latin1(l) + " ";
        // A "[" forces a link: it must stand before a topic name.
        for (size_t at = text.find('['); at != std::string::npos; at = text.find('[', at + 1)) {
            bool resolves = false;
            for (const std::string& n : names)
                if (text.compare(at + 1, n.size(), n) == 0) resolves = true;
            if (!resolves) dead.push_back(p.names.front() + ": " + text.substr(at, 20));
        }
        bool own = std::find(p.names.begin(), p.names.end(), "START") != p.names.end();
        if (!own && !links_name(text, "START")) no_home.push_back(p.names.front());
        for (const std::string& spec : p.pictures) {
            std::string file = spec.substr(0, spec.find(' '));
            if (!exists_exact_case(kData, "truegfx/" + file)) no_picture.push_back(p.names.front() + ": " + file);
        }
    }
    EXPECT_TRUE(dead.empty()) << dead.size() << " forced link(s) to no topic, the first: " << dead.front();
    EXPECT_TRUE(no_home.empty()) << no_home.size() << " page(s) without a link to START, the first: " << no_home.front();
    EXPECT_TRUE(no_picture.empty()) << "missing picture: " << no_picture.front();
}

TEST(EncyclopediaLayout, EveryPageFitsItsWindowThroughTheGame) {
    PlayFolder play;
    ScreenSession screen;
    load_encyclopedia_topics();
    std::vector<std::string> faults;
    std::vector<EncyclopediaPage> pages = read_encyclopedia(slurp(kData + "/GAME.NFO"), faults);
    for (const EncyclopediaPage& p : pages) {
        ASSERT_EQ(show_encyclopedia_page(p.names.front().c_str()), 1) << p.names.front();
        int bottom = page_text_y + 10;
        for (const std::string& spec : p.pictures) {
            int w = 0, h = 0;
            ASSERT_EQ(std::sscanf(spec.c_str() + spec.find(' ') + 1, "%dx%d", &w, &h), 2)
                << p.names.front() << ": a picture on a page needs its size";
            bottom += 15 + h;
            EXPECT_LE(70 + w, 740) << p.names.front();
        }
        // The page window ends at y 500 (and the navigation window starts at 505).
        EXPECT_LE(bottom, 498) << p.names.front() << " runs past its window";
        EXPECT_LE(page_link_count - PAGE_LINK_FIRST, PAGE_LINK_LAST - PAGE_LINK_FIRST + 1) << p.names.front();
    }
}

TEST_F(Installation, CodedMessagesExist) {
    std::vector<std::string> ls;
    for (const std::string& l : lines_of(slurp(kData + "/NOTES.STD")))
        if (!is_comment(l)) ls.push_back(l);
    EXPECT_LE(ls.size(), 300u);
    for (const std::string& code : manifest_values("coded")) {
        ASSERT_EQ(code.size(), 2u);
        bool in_section = false, found = false;
        for (const std::string& l : ls) {
            if (l.size() < 2) continue;
            if (l[0] == '*') {
                in_section = l[1] == code[0];
            } else if (in_section && l.back() == code[1]) {
                found = true;
                EXPECT_LE(l.size(), 120u) << code;
            }
        }
        EXPECT_TRUE(found) << "coded message " << code;
    }
}

TEST_F(Installation, ScenariosSkillsAndSightTableAreComplete) {
    for (int n = 0; n <= 6; ++n) {
        std::vector<std::string> ls;
        for (const std::string& l : lines_of(slurp(kData + "/RNDCAMP." + std::to_string(n))))
            if (!is_comment(l)) ls.push_back(l);
        ASSERT_GE(ls.size(), 4u) << "RNDCAMP." << n << " needs a title, a description, a picture and a story";
        EXPECT_TRUE(exists_exact_case(kData, "truegfx/" + ls[2])) << "RNDCAMP." << n << " picture " << ls[2];
    }
    std::string skills = slurp(kData + "/ini_skills.txt");
    for (const char* skill : {"DODGE", "AGRICULTURE", "SHIELD", "KNIFE", "SWORD", "CLUB", "AXE", "FLAIL", "SPEAR",
                              "BOW", "CROSSBOW", "UNARMED", "PHYSICIAN", "CLIMBING", "STEALTH", "COOKERY",
                              "SKIING", "TIMBERCRAFT", "SWIMMING", "FISHING", "WEATHERLORE", "CARPENTRY",
                              "HERBLORE", "HIDEWORKING", "TRACKING", "TRAPPING", "BUILDING", "TEXTILECRAFT"})
        EXPECT_NE(skills.find(std::string("\n.") + skill + "."), std::string::npos) << skill;
    int rays = 0;
    for (const std::string& l : lines_of(slurp(kData + "/linedist.arr"))) {
        if (is_comment(l) || l.empty()) continue;
        double v = std::atof(l.c_str());
        EXPECT_GT(v, 0.5) << l;
        EXPECT_LE(v, 1.0) << l;
        ++rays;
    }
    EXPECT_EQ(rays, 46);
}

TEST_F(Installation, NameListsHaveNamesAfterTheirFirstLine) {
    for (const char* group : {"east", "west", "north"})
        for (const char* sex : {"m", "f"}) {
            std::string file = std::string(group) + sex + ".dat";
            std::vector<std::string> ls = lines_of(slurp(kData + "/" + file));
            // The first line is never drawn; a hundred names keep a village
            // from repeating them, and a name fits the record's 15 letters.
            ASSERT_GE(ls.size(), 101u) << file;
            for (size_t i = 1; i < ls.size(); ++i) {
                EXPECT_FALSE(ls[i].empty()) << file << " line " << i + 1;
                EXPECT_LE(ls[i].size(), 15u) << file << " line " << i + 1;
                EXPECT_EQ(ls[i].find("' the "), std::string::npos) << file << " line " << i + 1;
            }
        }
}

// ----------------------------------------------------------------- flora

// One plant entry of a flora file, as the game reads it.
struct FloraEntry {
    std::string file;
    size_t line_no = 0;
    std::string header, name, data;
};

const char* const kCultureWords[] = {"kau", "dri", "kie", "ree", "sar", "isl", "koi", "kui", "owl", "sea", "vag",
                                     "nje", "for", "woo", "eastern", "western", "northern", "all"};

std::vector<std::string> words_of(const std::string& text) {
    std::vector<std::string> out;
    std::stringstream in(text);
    std::string w;
    while (in >> w) out.push_back(w);
    return out;
}

// The entries of a flora file and every fault of its format: a header of a
// name between dots (at most 29 characters), a line of at most 400
// characters, data of at most 2,048 bytes ended by a line of five
// characters or fewer before the next header, QUANTITY within 0..255,
// TERRAIN of habitat words, CULTIVATED of culture words, a TILEGFX that is
// a tile of the installation.
std::vector<FloraEntry> read_flora(const std::string& file, const std::string& text,
                                   const std::set<std::string>& tiles, std::vector<std::string>& faults) {
    std::vector<FloraEntry> entries;
    std::vector<std::pair<size_t, std::string>> ls;  // comments left out
    const std::vector<std::string> raw = lines_of(text);
    for (size_t i = 0; i < raw.size(); ++i)
        if (!is_comment(raw[i])) ls.emplace_back(i + 1, raw[i]);
    auto fault = [&](size_t line, const std::string& what) {
        faults.push_back(file + " line " + std::to_string(line) + ": " + what);
    };
    for (size_t i = 0; i < ls.size(); ++i) {
        const auto& [line_no, line] = ls[i];
        if (line.size() > 400) fault(line_no, "longer than 400 characters");
        if (line.empty() || line[0] != '.') continue;
        FloraEntry e;
        e.file = file;
        e.line_no = line_no;
        e.header = line;
        const size_t end = line.find('.', 1);
        if (end == std::string::npos) fault(line_no, "the name is not closed by a dot");
        e.name = line.substr(1, end == std::string::npos ? std::string::npos : end - 1);
        if (e.name.empty() || e.name.size() > 29) fault(line_no, "a name of 1 to 29 characters: " + e.name);
        size_t j = i + 1;
        for (; j < ls.size() && ls[j].second.size() > 5; ++j) {
            if (ls[j].second[0] == '.') fault(ls[j].first, "a header inside the data of " + e.name);
            e.data += ls[j].second;
        }
        if (e.data.size() > 2048) fault(line_no, e.name + ": data longer than 2,048 bytes");
        char* rest = nullptr;
        const std::string quantity = tag_value(e.data.c_str(), "QUANTITY", "1");
        const long q = std::strtol(quantity.c_str(), &rest, 10);
        if (q < 0 || q > 255 || rest == quantity.c_str()) fault(line_no, e.name + ": QUANTITY " + quantity);
        for (const std::string& w : words_of(tag_value(e.data.c_str(), "TERRAIN", "")))
            if (parse_terrain_keywords(w.c_str()) == 0) fault(line_no, e.name + ": no habitat " + w);
        for (const std::string& w : words_of(tag_value(e.data.c_str(), "CULTIVATED", "")))
            if (std::find(std::begin(kCultureWords), std::end(kCultureWords), w) == std::end(kCultureWords))
                fault(line_no, e.name + ": no culture " + w);
        const std::string tile = tag_value(e.data.c_str(), "TILEGFX", "");
        if (!tile.empty() && (tile.size() > 12 || !tiles.count(tile))) fault(line_no, e.name + ": no tile " + tile);
        entries.push_back(e);
    }
    return entries;
}

std::set<std::string> tile_names() {
    std::set<std::string> out;
    for (const std::string& name : files_in("truetile", ".png")) out.insert(name.substr(0, name.size() - 4));
    return out;
}

TEST_F(Installation, FloraEntriesFollowTheirFormat) {
    const std::set<std::string> tiles = tile_names();
    std::vector<std::string> faults;
    std::vector<FloraEntry> all;
    std::vector<std::string> files;
    std::error_code ec;
    for (const auto& de : fs::directory_iterator(kData, ec)) {
        const std::string name = de.path().filename().string();
        if (de.is_regular_file() && compare_no_case(name.substr(0, 6), "flora_") == 0) files.push_back(name);
    }
    ASSERT_FALSE(files.empty());
    EXPECT_LE(files.size(), 50u);
    for (const std::string& f : files) {
        std::vector<FloraEntry> e = read_flora(f, slurp(kData + "/" + f), tiles, faults);
        all.insert(all.end(), e.begin(), e.end());
    }
    EXPECT_TRUE(faults.empty()) << faults.size() << " fault(s), the first: " << faults.front();
    std::set<std::string> names;
    for (const FloraEntry& e : all) EXPECT_TRUE(names.insert(e.name).second) << e.name << " twice";

    // The land has its plants: wild ones of each main habitat, a water plant,
    // a rocky one, one of watery soil, and crops of every culture group.
    auto any = [&all](auto&& test) { return std::any_of(all.begin(), all.end(), test); };
    for (const char* habitat : {"coniferous", "dry", "fresh", "grove", "wetland", "lake"})
        EXPECT_TRUE(any([habitat](const FloraEntry& e) {
            return parse_terrain_keywords(tag_value(e.data.c_str(), "TERRAIN", "")) & parse_terrain_keywords(habitat);
        })) << "no plant of " << habitat;
    for (const char* kind : {"SHALLOW_WATER", "ROCKY", "WATERY_SOIL"})
        EXPECT_TRUE(any([kind](const FloraEntry& e) {
            return std::string(tag_value(e.data.c_str(), "SYMBIOSIS", "")).find(kind) != std::string::npos;
        })) << "no plant of " << kind;
    for (const char* crop : {"Turnip", "Barley", "Flax", "Hemp", "Nettle"})
        EXPECT_TRUE(names.count(crop)) << crop;
    for (const char* group : {"eastern", "western", "northern"})
        EXPECT_TRUE(any([group](const FloraEntry& e) {
            const std::vector<std::string> w = words_of(tag_value(e.data.c_str(), "CULTIVATED", ""));
            return std::find(w.begin(), w.end(), group) != w.end();
        })) << "no crop of the " << group << " cultures";
}

TEST_F(Installation, FloraCheckCatchesBrokenEntries) {
    const std::set<std::string> tiles = {"flo-berry"};
    struct Case {
        const char* text;
        const char* fault;
    };
    const Case cases[] = {
        {".Good. [berry]\n[NAME:x][TILEGFX:flo-berry][TERRAIN:coniferous dry][CULTIVATED:eastern kau]\n\n", ""},
        {".Unclosed [berry]\n[NAME:x]\n\n", "not closed"},
        {".A name of thirty characters xx.\n[NAME:x]\n\n", "a name of 1 to 29"},
        {".Much.\n[QUANTITY:256]\n\n", "QUANTITY 256"},
        {".Few.\n[QUANTITY:-1]\n\n", "QUANTITY -1"},
        {".Where.\n[TERRAIN:coniferous marsh]\n\n", "no habitat marsh"},
        {".Whose.\n[CULTIVATED:forest]\n\n", "no culture forest"},
        {".Look.\n[TILEGFX:flo-nothing]\n\n", "no tile flo-nothing"},
        {".First.\n[NAME:a]\n.Second.\n[NAME:b]\n\n", "a header inside the data"},
    };
    for (const Case& c : cases) {
        std::vector<std::string> faults;
        read_flora("flora_t.txt", c.text, tiles, faults);
        if (c.fault[0] == 0) {
            EXPECT_TRUE(faults.empty()) << faults.front();
        } else {
            ASSERT_FALSE(faults.empty()) << c.text;
            EXPECT_NE(faults.front().find(c.fault), std::string::npos) << faults.front();
        }
    }
    std::vector<std::string> faults;
    read_flora("flora_t.txt", ".Long.\n[NAME:" + std::string(2100, 'x') + "]\n\n", tiles, faults);
    EXPECT_EQ(faults.size(), 2u);  // a line over 400 characters, data over 2,048 bytes
}

// ------------------------------------------------------------- start-up

TEST(InstallationStartUp, GameLoadsEverySampleAndTile) {
    PlayFolder play;
    play.write("keys.txt", "");  // an empty key script closes the window at the first wait
    run_game(play.path(), "KSM_TEST_KEYS=keys.txt KSM_TEST_SEED=1");
    std::string log = play.read("init_log.txt");
    if (log.find("load_samples()") == std::string::npos)
        GTEST_SKIP() << "the start-up does not load the samples yet";
    EXPECT_EQ(log.find("FAILED TO LOAD"), std::string::npos) << log.substr(log.find("FAILED TO LOAD"), 120);
    std::string tiles = play.read("debug_tileloader.txt");
    ASSERT_FALSE(tiles.empty()) << "no debug_tileloader.txt";
    std::set<std::string> listed;
    for (std::string l : lines_of(tiles)) {
        size_t at = l.find(" tpx");
        if (at != std::string::npos) l.erase(at);
        while (!l.empty() && l.back() == ' ') l.pop_back();
        if (!l.empty()) listed.insert(l);
    }
    for (const std::string& rel : manifest_values("file")) {
        if (rel.rfind("truetile/", 0) != 0 || rel.find("gui-") != std::string::npos) continue;
        std::string name = rel.substr(9, rel.find('.') - 9);
        EXPECT_TRUE(listed.count(name)) << name << " is not in debug_tileloader.txt";
    }
}

}  // namespace
