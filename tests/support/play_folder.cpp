#include "play_folder.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace fs = std::filesystem;

PlayFolder::PlayFolder(bool with_data) {
    std::string tmpl = (fs::temp_directory_path() / "ksm-test-XXXXXX").string();
    if (!mkdtemp(tmpl.data())) throw std::runtime_error("mkdtemp failed");
    path_ = tmpl;
    if (with_data) {
        fs::copy(KSM_DATA_DIR, path_, fs::copy_options::recursive | fs::copy_options::overwrite_existing);
    }
    old_cwd_ = fs::current_path().string();
    fs::current_path(path_);
}

PlayFolder::~PlayFolder() {
    std::error_code ec;
    fs::current_path(old_cwd_, ec);
    fs::remove_all(path_, ec);
}

void PlayFolder::write(const std::string& name, const std::string& contents) const {
    fs::path p = fs::path(path_) / name;
    fs::create_directories(p.parent_path());
    std::ofstream out(p, std::ios::binary);
    out << contents;
}

std::string PlayFolder::read(const std::string& name) const {
    std::ifstream in(fs::path(path_) / name, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

bool PlayFolder::exists(const std::string& name) const { return fs::exists(fs::path(path_) / name); }

namespace {
std::string game_command(const std::string& folder, const std::string& env, bool exec) {
    std::string keys;
    if (env.find("KSM_TEST_KEYS=") == std::string::npos) {
        std::ofstream(folder + "/.no_keys").flush();
        keys = " KSM_TEST_KEYS='" + folder + "/.no_keys'";
    }
    return "cd '" + folder + "' && " + (exec ? "exec " : "") + "env SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy " +
           env + keys + " '" + KSM_GAME_BINARY + "' >game_stdout.txt 2>game_stderr.txt";
}
}  // namespace

int start_game(const std::string& folder, const std::string& env) {
    const std::string cmd = game_command(folder, env, true);
    pid_t pid = fork();
    if (pid == 0) {
        execl("/bin/sh", "sh", "-c", cmd.c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }
    return pid > 0 ? int(pid) : -1;
}

int wait_game(int pid, int timeout_ms) {
    if (pid <= 0) return -1;
    int status = 0;
    for (int waited = 0; waited <= timeout_ms; waited += 20) {
        pid_t r = waitpid(pid, &status, WNOHANG);
        if (r == pid) return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        if (r < 0) return -1;
        usleep(20 * 1000);
    }
    kill(pid, SIGKILL);
    waitpid(pid, &status, 0);
    return -1;
}

int run_game(const std::string& folder, const std::string& env) {
    // Without a key script of its own the run gets an empty one, so the game
    // sees its window closed at the first key wait and can never hang.
    const std::string cmd = game_command(folder, env, false);
    int rc = std::system(cmd.c_str());
    if (rc == -1) return -1;
    return WIFEXITED(rc) ? WEXITSTATUS(rc) : -1;
}
