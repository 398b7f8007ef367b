// Sound samples and music. Samples are loaded once into a table of 200
// named slots and played by name with a direction and distance relative to
// the player; channel 5 keeps the ambient loop, 6 movement sounds, 7 a
// second loop, 0 to 3 everything else. Every routine here returns at once
// while sound is off.
#pragma once

#include <cstdint>

struct Mix_Chunk;

constexpr int SAMPLE_SLOTS = 200;
constexpr int SAMPLE_NAME_BYTES = 100;  // up to 99 characters
constexpr int SOUND_NAME_BYTES = 100;

struct SampleSlot {
    char name[SAMPLE_NAME_BYTES];  // upper case; "" = free
    Mix_Chunk* chunk;
};
extern SampleSlot sample_table[SAMPLE_SLOTS];
extern bool samples_loaded;

// Sound on: AUDIO was on and the mixer opened.
extern bool sound_on;
// Settings filled from the configuration (BACKGROUND_MUSIC, AMBIENT_SOUNDS,
// MOVEMENT_SOUNDS: on unless "NO"; VOLUME: 0 to 100, any other value leaves
// volumes unscaled).
extern bool music_on;
extern bool ambient_sounds_on;
extern bool movement_sounds_on;
extern int32_t volume;
// Reads the four keys above from the configuration.
void read_sound_settings();

// The position of the next sample played, reset after each play.
extern uint8_t next_sound_distance;  // 0 to 250
extern int32_t next_sound_angle;     // 0 to 359, 90 = to the right
// The channel of the next sample; -1 chooses one. Reset after each play.
extern int32_t preset_channel;

// Ambience, named by the weather ambience chooser.
extern char ambient_loop_name[SOUND_NAME_BYTES];   // the wanted ambient loop
extern int32_t ambient_loop_volume;                // 0 to 128
extern char second_loop_name[SOUND_NAME_BYTES];    // "" = none
extern int32_t second_loop_volume;                 // 0 to 128

// Names the wanted ambient loop and its volume (the weather ambience).
void set_ambient_loop(const char* name, int loop_volume);

// Music.
extern char music_file_name[SOUND_NAME_BYTES];
extern bool music_started;

// Opens the mixer when AUDIO is on (44100 Hz, signed 16-bit, stereo,
// 4096-sample chunks, 8 channels) and sets sound_on. Returns false only when
// AUDIO is on and the mixer could not be opened (the caller tells the
// player); true otherwise, also when AUDIO is off.
bool open_audio();
// The start-up step for sound: open_audio; on failure a line in the start-up
// log and the game goes on silently, without waiting for a key; with sound
// on, "Loading intro ...", the intro music and load_samples.
void start_audio();
// Halts everything and closes the mixer (the exit routine).
void close_audio();

int scale_volume(int v);
void load_samples();
void load_sample(const char* name, const char* file);
void Lataa_Sample(const char* file);
// Distance and angle of the next sample from a map position; x 0 resets.
void set_sound_position(int x, int y);
// Plays a sample by name; loops -1 repeats forever, 0 plays once. Returns
// the channel, or -1 when nothing was played.
int play_sample(const char* name, int loops);
void play_movement_sound(const char* name);
void update_ambient_sound();
void reset_ambient_sound();
void fade_out_ambient_channel();
void play_music(const char* file);
void play_intro_music(int position_seconds);
void stop_all_sound();
void fade_out_audio(int milliseconds);
// Holds the game still for a moment, so that a sound is heard before what
// follows it (a blow that lands).
void sound_pause(int milliseconds);
// Music pause and volume for the set-up screen.
void pause_music();
void resume_music();
void set_music_volume();  // scale_volume(128) with the current VOLUME

// Where the player hears from: the position and the facing (0-7,
// counter-clockwise from east). The game connects it at start-up;
// unconnected, the listener stands at (0, 0) facing east.
struct SoundListener {
    int x, y, facing;
};
extern SoundListener (*sound_listener)();
// The bearing of map cell (x, y) from the listener relative to its facing,
// in degrees 0 to 359: 0 straight ahead, 90 to the right.
int sound_bearing(int x, int y);
