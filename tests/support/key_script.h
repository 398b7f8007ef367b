// Key input for tests of screens: a KSM_TEST_KEYS script file (what the
// real key reader reads, typed lines included), and a queue of game key
// codes for the lists and key waits that read through menu_key_reader.
// When either runs out, the window counts as closed.
#pragma once

#include <cstdlib>
#include <deque>
#include <initializer_list>
#include <string>

#include "support/play_folder.h"
#include "ui/input.h"
#include "ui/menus.h"

struct KeyScriptSeam {
    KeyScriptSeam(const PlayFolder& play, const std::string& tokens) {
        play.write("keys.txt", tokens);
        setenv("KSM_TEST_KEYS", play.file("keys.txt").c_str(), 1);
        reset_test_keys();
        quit_request = 0;
    }
    ~KeyScriptSeam() {
        unsetenv("KSM_TEST_KEYS");
        reset_test_keys();
        quit_request = 0;
    }
    KeyScriptSeam(const KeyScriptSeam&) = delete;
    KeyScriptSeam& operator=(const KeyScriptSeam&) = delete;
};

// Game key codes fed to menu_key_reader while alive.
struct QueuedKeys {
    static std::deque<int>& queue() {
        static std::deque<int> q;
        return q;
    }
    static int next() {
        mouse_flag = false;
        if (queue().empty()) {
            quit_request = 1;
            return KEY_WINDOW_CLOSED;
        }
        int k = queue().front();
        queue().pop_front();
        return k;
    }
    explicit QueuedKeys(std::initializer_list<int> keys = {}) {
        queue().assign(keys.begin(), keys.end());
        quit_request = 0;
        menu_key_reader = next;
    }
    ~QueuedKeys() {
        menu_key_reader = nullptr;
        queue().clear();
        quit_request = 0;
    }
    void add(std::initializer_list<int> keys) { queue().insert(queue().end(), keys.begin(), keys.end()); }
    size_t left() const { return queue().size(); }
    QueuedKeys(const QueuedKeys&) = delete;
    QueuedKeys& operator=(const QueuedKeys&) = delete;
};
