#include "created_character.h"

#include <fcntl.h>
#include <stdlib.h>
#include <sys/file.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include <gtest/gtest.h>

#include "base/platform.h"
#include "game/save_set.h"
#include "game/turn_state.h"

namespace fs = std::filesystem;

const char* const kCreateAriKeys =
    "[SPACE]\n[SPACE]\n[DOWN]\n[ENTER]\n[Q]\n[A]\n[r]\n[i]\n[ENTER]\n[E]\n[ENTER]\n[SPACE]\n[ESC]\n[SPACE]\n";

namespace {

// Which game binary and installation made the cached character: the
// binary's size and time, and the newest time in the installation.
std::string binary_stamp() {
    std::error_code ec;
    const auto size = fs::file_size(KSM_GAME_BINARY, ec);
    const auto time = fs::last_write_time(KSM_GAME_BINARY, ec).time_since_epoch().count();
    auto newest = fs::file_time_type::min();
    for (const auto& entry : fs::recursive_directory_iterator(KSM_DATA_DIR, ec)) {
        const auto t = entry.last_write_time(ec);
        if (!ec && t > newest) newest = t;
    }
    std::ostringstream s;
    s << size << ":" << time << ":" << newest.time_since_epoch().count();
    return s.str();
}

std::string read_all(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

// Makes the character in a fresh folder beside the cache and moves it in.
bool make_character(const fs::path& cache, std::string* why) {
    std::string work = (fs::path(KSM_TEST_CACHE_DIR) / "making-XXXXXX").string();
    if (!mkdtemp(work.data())) {
        if (why) *why = "no folder to make the character in";
        return false;
    }
    std::error_code ec;
    fs::copy(KSM_DATA_DIR, work, fs::copy_options::recursive, ec);
    std::ofstream(fs::path(work) / "create_keys.txt") << kCreateAriKeys;
    const int rc = run_game(work, "KSM_TEST_SEED=5 KSM_TEST_KEYS='" + work + "/create_keys.txt'");
    if (ec || rc != 0 || !fs::exists(fs::path(work) / "ARI" / "ARI.KMS")) {
        if (why) *why = "the creation run failed (exit " + std::to_string(rc) + "): " + read_all(fs::path(work) / "game_stderr.txt");
        fs::remove_all(work, ec);
        return false;
    }
    fs::remove_all(cache, ec);
    fs::rename(work, cache, ec);
    if (ec) {
        if (why) *why = "could not keep the made character: " + ec.message();
        fs::remove_all(work, ec);
        return false;
    }
    std::ofstream(cache / ".stamp") << binary_stamp();
    return true;
}

}  // namespace

bool copy_created_character(const PlayFolder& into, std::string* why) {
    std::error_code ec;
    fs::create_directories(KSM_TEST_CACHE_DIR, ec);
    const fs::path cache = fs::path(KSM_TEST_CACHE_DIR) / "created-ari";
    // One test makes the character at a time; the others wait, then copy.
    const int lock = open((fs::path(KSM_TEST_CACHE_DIR) / ".lock").c_str(), O_CREAT | O_RDWR, 0644);
    if (lock < 0 || flock(lock, LOCK_EX) != 0) {
        if (why) *why = "no lock on the test cache";
        if (lock >= 0) close(lock);
        return false;
    }
    bool ok = read_all(cache / ".stamp") == binary_stamp() || make_character(cache, why);
    if (ok) {
        // The character and what the run left beside it; never the
        // installation files, which the play folder has already.
        for (const char* name : {"ARI", "CONSTANT.OBJ", "ksm_ini.txt", "game_stderr.txt"}) {
            const fs::path from = cache / name;
            if (!fs::exists(from)) continue;
            fs::copy(from, fs::path(into.path()) / name,
                     fs::copy_options::recursive | fs::copy_options::overwrite_existing, ec);
            if (ec) {
                if (why) *why = std::string("could not copy ") + name + ": " + ec.message();
                ok = false;
                break;
            }
        }
    }
    flock(lock, LOCK_UN);
    close(lock);
    return ok;
}

void plant_character_files(std::initializer_list<CharacterFile> files) {
    install_folder[0] = 0;
    copy_text(character_name, "ARI");
    begin_save_commit();
    for (const CharacterFile& f : files) EXPECT_TRUE(write_character_file(f.name, f.data, f.size)) << f.name;
    EXPECT_TRUE(end_save_commit());
    character_name[0] = 0;
}
