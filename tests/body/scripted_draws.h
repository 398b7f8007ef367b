// A scripted stream in place of the body's random draws: each draw takes
// the next value of the script (which must lie below the draw's n) and
// counts itself. A draw past the script's end fails the test.
#pragma once

#include <gtest/gtest.h>

#include <deque>
#include <initializer_list>

#include "base/files.h"
#include "body/skills.h"

class ScriptedDraws {
public:
    explicit ScriptedDraws(std::initializer_list<int> values = {}) : values_(values) {
        current_ = this;
        body_draw = draw;
    }
    ~ScriptedDraws() {
        body_draw = random_below;
        current_ = nullptr;
    }
    ScriptedDraws(const ScriptedDraws&) = delete;
    ScriptedDraws& operator=(const ScriptedDraws&) = delete;

    void add(int value, int times = 1) {
        for (int i = 0; i < times; ++i) values_.push_back(value);
    }
    // A check of roll_check: k (0..9), the draws that only move the stream
    // on, and the last draw whose value + 1 is the roll.
    void add_check(int roll, int k = 0) {
        add(k);
        add(0, k + 8);
        add(roll - 1);
    }
    int calls() const { return calls_; }
    size_t left() const { return values_.size(); }

private:
    static int draw(int n) {
        ScriptedDraws& s = *current_;
        ++s.calls_;
        if (s.values_.empty()) {
            ADD_FAILURE() << "a draw below " << n << " past the script's end";
            return 0;
        }
        const int v = s.values_.front();
        s.values_.pop_front();
        EXPECT_LT(v, n) << "scripted draw " << s.calls_;
        return v;
    }
    static inline ScriptedDraws* current_ = nullptr;
    std::deque<int> values_;
    int calls_ = 0;
};
