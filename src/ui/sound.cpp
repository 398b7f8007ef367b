// Sound samples and music through the mixer.
#include "ui/sound.h"

#include <SDL.h>
#include <SDL_mixer.h>

#include <cmath>
#include <cstdarg>
#include <cstdlib>
#include <cstring>
#include <string>

#include "base/config.h"
#include "base/debug_log.h"
#include "ui/canvas.h"
#include "ui/boxes.h"
#include "base/files.h"
#include "ui/input.h"
#include "base/platform.h"
#include "ui/notices.h"

SampleSlot sample_table[SAMPLE_SLOTS];
bool samples_loaded = false;
bool sound_on = false;
bool music_on = true;
bool ambient_sounds_on = true;
bool movement_sounds_on = true;
int32_t volume = 50;
uint8_t next_sound_distance = 0;
int32_t next_sound_angle = 0;
int32_t preset_channel = -1;
char ambient_loop_name[SOUND_NAME_BYTES];
int32_t ambient_loop_volume = 0;
char second_loop_name[SOUND_NAME_BYTES];
int32_t second_loop_volume = 0;
char music_file_name[SOUND_NAME_BYTES];
bool music_started = false;

namespace {

constexpr int AMBIENT_CHANNEL = 5;
constexpr int MOVEMENT_CHANNEL = 6;
constexpr int SECOND_LOOP_CHANNEL = 7;
constexpr int MOVEMENT_VOLUME = 30;
constexpr int CHUNK_VOLUME = 64;

Mix_Music* music = nullptr;
bool mixer_open = false;

// What update_ambient_sound last started on channels 5 and 7.
char ambient_key[SOUND_NAME_BYTES] = "anything";
int32_t ambient_applied_volume = -1;
char second_loop_key[SOUND_NAME_BYTES] = "";
int32_t second_loop_applied_volume = -1;

void log_line(const char* text) { init_log_line(text); }

__attribute__((format(printf, 1, 2))) void log_format(const char* fmt, ...) {
    char line[512];
    va_list args;
    va_start(args, fmt);
    vformat_text(line, sizeof line, fmt, args);
    va_end(args);
    init_log_line(line);
}

void upper_case_name(char* dst, size_t cap, const char* src) {
    copy_text(dst, cap, src);
    for (char* p = dst; *p; ++p) *p = char(latin1_upper(static_cast<unsigned char>(*p)));
}

int first_free_slot() {
    for (int i = 0; i < SAMPLE_SLOTS; ++i)
        if (!sample_table[i].name[0]) return i;
    return -1;
}

Mix_Chunk* load_chunk(const std::string& path) {
    SDL_RWops* rw = SDL_RWFromFile(resolve_path_ci(path).c_str(), "rb");
    if (!rw) return nullptr;
    return Mix_LoadWAV_RW(rw, 1);
}

// A grey dot at a random place of the loading screen, one per sample.
void loading_dot() {
    if (!canvas) return;
    int x = random_below(800);
    int y = 20 + random_below(580);
    put_pixel(x, y, map_rgb(171, 171, 171));
}

int base_volume(int channel) {
    switch (channel) {
    case AMBIENT_CHANNEL: return ambient_loop_volume;
    case MOVEMENT_CHANNEL: return MOVEMENT_VOLUME;
    case SECOND_LOOP_CHANNEL: return second_loop_volume;
    default: return MIX_MAX_VOLUME;
    }
}

// The folder scan loads sound samples only; music is loaded when a screen
// asks for it and must not be decoded into a sample as well.
bool is_music_file(const std::string& name) {
    return compare_no_case(name, "intro.ogg") == 0 || match_wildcards("music_*", name.c_str());
}

void free_music() {
    if (music) {
        Mix_FreeMusic(music);  // halts it first, waiting for a fade
        music = nullptr;
    }
}

void stop_sound(int music_fade_ms) {
    if (!sound_on) return;
    Mix_FadeOutChannel(-1, 500);
    if (Mix_PlayingMusic()) Mix_FadeOutMusic(music_fade_ms);
    free_music();
    Mix_FadeOutChannel(AMBIENT_CHANNEL, 500);
    reset_ambient_sound();
    music_file_name[0] = 0;
    music_started = false;
}

}  // namespace

void read_sound_settings() {
    music_on = ini_flag_default_yes("BACKGROUND_MUSIC");
    ambient_sounds_on = ini_flag_default_yes("AMBIENT_SOUNDS");
    movement_sounds_on = ini_flag_default_yes("MOVEMENT_SOUNDS");
    volume = std::atoi(ini_get_string("VOLUME", "50"));
}

bool open_audio() {
    if (!ini_flag_default_yes("AUDIO")) {
        sound_on = false;
        return true;
    }
    sound_on = true;
    Mix_Init(MIX_INIT_FLAC | MIX_INIT_MP3 | MIX_INIT_OGG);
    if (Mix_OpenAudio(44100, AUDIO_S16LSB, 2, 4096) == -1) {
        log_format("Mix_OpenAudio: %s", Mix_GetError());
        sound_on = false;
        return false;
    }
    mixer_open = true;
    Mix_AllocateChannels(8);
    return true;
}

void start_audio() {
    if (!ini_flag_default_yes("AUDIO")) {
        sound_on = false;
        return;
    }
    show_init_step("Sound init ... ");
    if (!open_audio()) {
        // No sound device: the game goes on silently. It used to wait here
        // for a key, which a machine without a sound device and often
        // without a keyboard at hand never gave.
        log_line("Could not open audio - the game goes on without sound");
        sound_on = false;
        return;
    }
    show_init_step("Loading intro ...");
    play_music("intro.ogg");
    load_samples();
}

void close_audio() {
    if (!mixer_open) {
        sound_on = false;
        return;
    }
    Mix_HaltChannel(-1);
    Mix_HaltMusic();
    free_music();
    for (SampleSlot& slot : sample_table) {
        if (slot.chunk) Mix_FreeChunk(slot.chunk);
        slot.chunk = nullptr;
        slot.name[0] = 0;
    }
    samples_loaded = false;
    Mix_CloseAudio();
    Mix_Quit();
    mixer_open = false;
    sound_on = false;
    music_file_name[0] = 0;
    music_started = false;
    copy_text(ambient_key, sizeof ambient_key, "anything");
    ambient_applied_volume = -1;
    second_loop_key[0] = 0;
    second_loop_applied_volume = -1;
}

int scale_volume(int v) {
    if (volume < 0 || volume > 100) return v;
    // The ceiling of volume / 100 x v.
    long long scaled = (long long)volume * v;
    return int(scaled >= 0 ? (scaled + 99) / 100 : scaled / 100);
}

void load_samples() {
    log_line("load_samples()");
    if (samples_loaded) {
        log_line("SAMPLESLOADED - return");
        return;
    }
    for (SampleSlot& slot : sample_table) slot.name[0] = 0;

    static const struct {
        const char* name;
        const char* file;
    } fixed[] = {
        {"kling", "kling.wav"},
        {"lake", "lake.ogg"},
        {"dog bark", "bark.wav"},
        {"howl", "wolf.wav"}, {"howl", "wolf2.wav"},
        {"owl", "owl.wav"}, {"owl", "owl2.wav"},
        {"swing", "swing.wav"},
        {"fire", "fire.wav"},
        {"snarl", "snarl.wav"},
        {"growl", "growl.wav"}, {"growl", "growl2.wav"}, {"growl", "growl3.wav"},
        {"roar", "roar.wav"}, {"roar", "roar2.wav"},
        {"dig", "dig.ogg"},
        {"burp", "burp.wav"},
        {"treechop", "axework.ogg"},
        {"fall", "fall.wav"},
        {"guffaw", "guffaw1.wav"}, {"guffaw", "guffaw2.wav"},
        {"bawl", "bawl.wav"},
        {"slits", "fleshwork.ogg"},
        {"snuffle", "snuffle.wav"},
        {"grunt", "grunt.wav"}, {"grunt", "grunt2.wav"}, {"grunt", "grunt3.wav"},
        {"whimper", "whimper.wav"},
        {"snort", "snort.wav"}, {"snort", "snort2.wav"},
        {"varis", "bird_varis.wav"}, {"varis", "bird_varis2.wav"},
        {"kapytikka", "bird_kapytikka.wav"},
        {"harakka", "bird_harakka.wav"}, {"harakka", "bird_harakka2.wav"},
        {"keltasirkku", "bird_keltasirkku.wav"},
        {"leppalintu", "bird_leppalintu.wav"}, {"leppalintu", "bird_leppalintu2.wav"},
        {"peippo", "bird_peippo.wav"}, {"peippo", "bird_peippo2.wav"},
        {"satakieli", "bird_satakieli2.wav"}, {"satakieli", "bird_satakieli2.wav"},
        {"splash", "splash.wav"},
        {"water", "watersound.wav"},
        {"harr", "harr.wav"},
        {"escape", "faderun.wav"},
        {"burp", "burp.wav"},
        {"run", "run.wav"},
        {"crawl", "crawl.wav"},
        {"thump", "thump.wav"},
        {"crack", "crack.wav"},
        {"wind", "breeze.ogg"},
        {"rain", "rain.ogg"},
        {"ambience", "ambience.ogg"},
        {"windfly", "windfly.ogg"}, {"windfly", "windfly2.ogg"},
        {"death", "death.wav"},
        {"manaus", "ritual.ogg"}, {"manaus", "ritual2.ogg"}, {"manaus", "ritual3.ogg"},
    };
    for (const auto& entry : fixed) load_sample(entry.name, entry.file);

    for (const char* pattern : {"audio/*.wav", "audio/*.ogg"}) {
        for (const DirEntry& e : list_matching(pattern)) {
            if (e.is_dir || is_music_file(e.name)) continue;
            Lataa_Sample(e.name.c_str());
        }
    }
    samples_loaded = true;
    log_line("SAMPLESLOADED");
}

void load_sample(const char* name, const char* file) {
    if (!name || !file) return;
    log_format("load_sample(%s,%s)", name, file);
    if (std::strstr(file, "smear.wav")) return;
    std::string path = std::string("audio/") + file;
    int slot = first_free_slot();
    if (slot < 0) {
        log_line("no free sample slot");
        return;
    }
    log_format("sampledata[%d]=Mix_LoadWAV(%s)", slot, path.c_str());
    Mix_Chunk* chunk = load_chunk(path);
    if (!chunk) {
        char line[512];
        format_text(line, sizeof line, "FAILED TO LOAD: %s", path.c_str());
        show_init_step(line);
        wait_key();
        return;
    }
    log_line("loaded - ok");
    Mix_VolumeChunk(chunk, CHUNK_VOLUME);
    log_line("Mix_VolumeChunk - ok");
    sample_table[slot].chunk = chunk;
    upper_case_name(sample_table[slot].name, sizeof sample_table[slot].name, name);
    char line[512];
    format_text(line, sizeof line, "Loading audio: %s", name);
    show_init_step(line);
    loading_dot();
}

void Lataa_Sample(const char* file) {
    if (!file || std::strstr(file, "smear.wav")) return;
    std::string path = std::string("audio/") + file;
    log_line("Lataa_Sample");
    log_line(path.c_str());
    log_line("Searching sample pos ... ");

    // The stem: cut at the first '.', then at the first '-', so that
    // "wolf-2.wav" plays as "wolf".
    char name[SAMPLE_NAME_BYTES];
    copy_text(name, sizeof name, file);
    if (char* dot = std::strchr(name, '.')) *dot = 0;
    if (char* dash = std::strchr(name, '-')) *dash = 0;

    int slot = first_free_slot();
    if (slot < 0) return;
    Mix_Chunk* chunk = load_chunk(path);
    if (!chunk) {
        char line[512];
        format_text(line, sizeof line, "FAILED TO LOAD: %s", path.c_str());
        show_init_step(line);
        return;
    }
    log_line("loaded ok");
    Mix_VolumeChunk(chunk, CHUNK_VOLUME);
    log_line("mix ok");
    sample_table[slot].chunk = chunk;
    upper_case_name(sample_table[slot].name, sizeof sample_table[slot].name, name);
    char line[512];
    format_text(line, sizeof line, "Loading audio: %s", sample_table[slot].name);
    show_init_step(line);
    loading_dot();
}

namespace {
SoundListener nobody_listening() { return SoundListener{0, 0, 0}; }
}  // namespace

SoundListener (*sound_listener)() = nobody_listening;

int sound_bearing(int x, int y) {
    const SoundListener at = sound_listener();
    // North is 0 and east 90, with y growing southward.
    int a = int(std::ceil(std::atan2(double(y - at.y), double(x - at.x)) * 57.2958)) + 90;
    if (a > 360) a -= 360;
    static const int facing_angle[8] = {90, 45, 0, 315, 270, 225, 180, 135};
    int f = (at.facing >= 0 && at.facing < 8) ? facing_angle[at.facing] : 90;
    int bearing = (a - f) % 360;
    if (bearing < 0) bearing += 360;
    return bearing;
}

void set_sound_position(int x, int y) {
    if (x == 0) {
        next_sound_distance = 0;
        next_sound_angle = 0;
        return;
    }
    const SoundListener at = sound_listener();
    int distance = 6 * (std::abs(x - at.x) + std::abs(y - at.y));
    if (distance < 40) distance = 40;
    if (distance > 250) distance = 250;
    next_sound_distance = uint8_t(distance);
    next_sound_angle = sound_bearing(x, y);
}

int play_sample(const char* name, int loops) {
    if (!name || !name[0] || !sound_on) return -1;
    char upper[SAMPLE_NAME_BYTES];
    upper_case_name(upper, sizeof upper, name);

    int count = 0;
    for (const SampleSlot& slot : sample_table)
        if (slot.chunk && std::strcmp(slot.name, upper) == 0) ++count;
    if (count == 0) return -1;
    int k = count > 1 ? random_below(count) : 0;
    Mix_Chunk* chunk = nullptr;
    for (const SampleSlot& slot : sample_table) {
        if (slot.chunk && std::strcmp(slot.name, upper) == 0) {
            if (k-- == 0) {
                chunk = slot.chunk;
                break;
            }
        }
    }

    int channel = preset_channel;
    if (channel < 0) {
        channel = -1;
        for (int c = 3; c >= 0; --c) {
            if (!Mix_Playing(c)) {
                channel = c;
                break;
            }
        }
        if (channel < 0) {
            Mix_FadeOutChannel(0, 500);
            channel = 0;
        }
    } else if (channel != AMBIENT_CHANNEL && channel != MOVEMENT_CHANNEL) {
        Mix_FadeOutChannel(channel, 100);
    }

    if (std::strstr(name, "death")) Mix_FadeOutChannel(-1, 500);

    int angle = next_sound_angle % 360;
    if (angle < 0) angle += 360;
    Mix_SetPosition(channel, Sint16(angle), next_sound_distance);
    Mix_Volume(channel, scale_volume(base_volume(channel)));
    int played = Mix_PlayChannelTimed(channel, chunk, loops, -1);

    next_sound_distance = 0;
    next_sound_angle = 0;
    preset_channel = -1;
    return played;
}

void play_movement_sound(const char* name) {
    if (!sound_on || !movement_sounds_on) return;
    if (Mix_Playing(MOVEMENT_CHANNEL)) return;
    next_sound_distance = 0;
    next_sound_angle = 0;
    preset_channel = MOVEMENT_CHANNEL;
    play_sample(name, 0);
    preset_channel = -1;
}

void set_ambient_loop(const char* name, int loop_volume) {
    copy_text(ambient_loop_name, sizeof ambient_loop_name, name ? name : "");
    ambient_loop_volume = loop_volume;
}

void update_ambient_sound() {
    if (!sound_on || !ambient_sounds_on) return;
    if (!Mix_Playing(AMBIENT_CHANNEL)) reset_ambient_sound();

    if (std::strcmp(ambient_loop_name, ambient_key) != 0 || ambient_loop_volume != ambient_applied_volume) {
        Mix_FadeOutChannel(AMBIENT_CHANNEL, 500);
        copy_text(ambient_key, sizeof ambient_key, ambient_loop_name);
        ambient_applied_volume = ambient_loop_volume;
        Mix_Volume(AMBIENT_CHANNEL, scale_volume(ambient_loop_volume));
        preset_channel = AMBIENT_CHANNEL;
        play_sample(ambient_loop_name, -1);
        preset_channel = -1;
    }

    if (second_loop_name[0]) {
        // Restarted only when it changes (or has stopped), not every turn.
        bool changed = std::strcmp(second_loop_name, second_loop_key) != 0 ||
                       second_loop_volume != second_loop_applied_volume;
        if (changed || !Mix_Playing(SECOND_LOOP_CHANNEL)) {
            copy_text(second_loop_key, sizeof second_loop_key, second_loop_name);
            second_loop_applied_volume = second_loop_volume;
            Mix_Volume(SECOND_LOOP_CHANNEL, scale_volume(second_loop_volume));
            preset_channel = SECOND_LOOP_CHANNEL;
            play_sample(second_loop_name, -1);
            preset_channel = -1;
        }
    } else {
        if (Mix_Playing(SECOND_LOOP_CHANNEL)) Mix_FadeOutChannel(SECOND_LOOP_CHANNEL, 500);
        second_loop_key[0] = 0;
        second_loop_applied_volume = -1;
    }
}

void reset_ambient_sound() {
    ambient_loop_name[0] = 0;
    copy_text(ambient_key, sizeof ambient_key, "different");
    // The weather ambience chooser names the wanted loop again.
}

void fade_out_ambient_channel() {
    if (!sound_on) return;
    Mix_FadeOutChannel(AMBIENT_CHANNEL, 500);
}

void play_music(const char* file) {
    if (!sound_on || !file) return;
    if (!Mix_PlayingMusic()) {
        music_started = false;
    } else if (music_started) {
        return;  // the current music goes on
    }
    if (!music_on) return;
    Mix_FadeOutChannel(-1, 500);
    free_music();
    music = Mix_LoadMUS(resolve_path_ci(std::string("audio/") + file).c_str());
    if (!music) return;
    Mix_VolumeMusic(scale_volume(MIX_MAX_VOLUME));
    Mix_FadeInMusic(music, -1, 250);
    music_started = true;
    copy_text(music_file_name, sizeof music_file_name, file);
}

void play_intro_music(int position_seconds) {
    if (!sound_on) return;
    if (!Mix_PlayingMusic()) {
        music_started = false;
    } else if (music_started) {
        return;
    }
    if (!music_on) return;
    free_music();
    music = Mix_LoadMUS(resolve_path_ci("audio/intro.ogg").c_str());
    if (!music) return;
    Mix_VolumeMusic(scale_volume(MIX_MAX_VOLUME));
    Mix_FadeInMusicPos(music, -1, 250, double(position_seconds));
    music_started = true;
    copy_text(music_file_name, sizeof music_file_name, "intro.ogg");
}

void stop_all_sound() { stop_sound(100); }

void fade_out_audio(int milliseconds) { stop_sound(milliseconds); }

void sound_pause(int milliseconds) {
    if (milliseconds > 0) SDL_Delay(Uint32(milliseconds));
}

void pause_music() {
    if (sound_on) Mix_PauseMusic();
}

void resume_music() {
    if (sound_on) Mix_ResumeMusic();
}

void set_music_volume() {
    if (sound_on) Mix_VolumeMusic(scale_volume(MIX_MAX_VOLUME));
}
