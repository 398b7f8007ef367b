// The start-up log and the debug channels.
#include "base/debug_log.h"

#include <cstdio>
#include <cstring>
#include <ctime>

#include "base/platform.h"

int32_t debug_logs_on = 0;
int32_t key_debug_on = 0;
int32_t debug_messages_on = 0;
int32_t quest_debug_on = 0;

namespace {

void append_line(const char* path, const char* text) {
    FILE* f = std::fopen(path, "a");
    if (f == nullptr) return;
    std::fputs(text, f);
    std::fputc('\n', f);
    std::fclose(f);
}

// A channel name must stay a plain file name.
bool channel_name_ok(const char* channel) {
    if (channel == nullptr || channel[0] == 0) return false;
    if (std::strpbrk(channel, "/\\") != nullptr) return false;
    return std::strstr(channel, "..") == nullptr;
}

}  // namespace

void (*debug_game_time)(int* day, int* hour, int* minute) = nullptr;

void init_log_line(const char* text) { append_line(INIT_LOG_FILE, text != nullptr ? text : ""); }

void debug_log(const char* channel, const char* text) {
    if (!channel_name_ok(channel)) return;
    if (text == nullptr) text = "";
    if (std::strstr(channel, "!keydebug") != nullptr && !key_debug_on) return;
    if (std::strchr(channel, '!') == nullptr && !debug_logs_on) return;
    if (std::strstr(channel, "vegetation") != nullptr || std::strstr(channel, "setplant") != nullptr)
        return;

    std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char path[300];
    format_text(path, sizeof path, "debug_%s.txt", channel);
    if (std::strcmp(text, "remove") == 0) {
        std::remove(path);
        return;
    }

    FILE* f = std::fopen(path, "a");
    if (f != nullptr) {
        int day = 0, hour = 0, minute = 0;
        if (debug_game_time) debug_game_time(&day, &hour, &minute);
        std::fprintf(f, "{%d:%d} Day/H:M %d/%d:%d %s\n", local.tm_min, local.tm_sec, day, hour, minute,
                     text);
        std::fclose(f);
    }
    char when[64];
    // asctime's form: "Wed Jun 30 21:49:08 1993\n"
    if (std::strftime(when, sizeof when, "%a %b %e %H:%M:%S %Y\n", &local) == 0) when[0] = 0;
    f = std::fopen("debug_lastentry.txt", "w");
    if (f != nullptr) {
        std::fprintf(f, "%s  %s\n", when, text);
        std::fclose(f);
    }
    f = std::fopen("debug_all.txt", "a");
    if (f != nullptr) {
        std::fprintf(f, "%s  %s\n", when, text);
        std::fclose(f);
    }
}

