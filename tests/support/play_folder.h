// A temporary play folder for tests: a fresh folder, optionally filled with a
// copy of the installation data, made the working folder for the test's
// lifetime and removed afterwards.
#pragma once

#include <string>

class PlayFolder {
public:
    // with_data: copy the installation (data/) into the folder first.
    explicit PlayFolder(bool with_data = true);
    ~PlayFolder();
    PlayFolder(const PlayFolder&) = delete;
    PlayFolder& operator=(const PlayFolder&) = delete;

    const std::string& path() const { return path_; }
    std::string file(const std::string& name) const { return path_ + "/" + name; }

    // Small helpers for fixtures.
    void write(const std::string& name, const std::string& contents) const;
    std::string read(const std::string& name) const;
    bool exists(const std::string& name) const;

private:
    std::string path_;
    std::string old_cwd_;
};

// Runs the game binary in `folder` with the given extra environment
// ("NAME=value" entries) and returns its exit code (or -1 on a failure to run).
// A run given no KSM_TEST_KEYS gets an empty key script.
int run_game(const std::string& folder, const std::string& env = "");

// The same started in the background: the process id of the game itself
// (its shell execs it), or -1.
int start_game(const std::string& folder, const std::string& env = "");
// Waits up to `timeout_ms` for a started game: its exit code, or -1 when it
// did not end in time (it is then killed) or did not exit normally.
int wait_game(int pid, int timeout_ms);
