// Sound samples and music: the sample table, positions and volumes, and
// what reaches the mixer's output (through SDL's disk audio driver).
#include <gtest/gtest.h>

#include <SDL.h>
#include <SDL_mixer.h>

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "maps/map_layers.h"
#include "play_folder.h"
#include "base/platform.h"
#include "shell/commands.h"
#include "game/player.h"
#include "game/turn_state.h"
#include "ui/input.h"
#include "ui/message_line.h"
#include "ui/sound.h"

namespace {

// A 16-bit stereo WAV of a 440 Hz tone, the same on both channels.
std::string tone_wav(double seconds = 0.4) {
    const int rate = 44100;
    const int frames = int(rate * seconds);
    std::string data;
    for (int i = 0; i < frames; ++i) {
        int16_t v = int16_t(12000 * std::sin(2 * M_PI * 440.0 * i / rate));
        for (int ch = 0; ch < 2; ++ch) {
            data.push_back(char(v & 0xff));
            data.push_back(char((v >> 8) & 0xff));
        }
    }
    auto le32 = [](uint32_t v) {
        return std::string{char(v), char(v >> 8), char(v >> 16), char(v >> 24)};
    };
    auto le16 = [](uint16_t v) { return std::string{char(v), char(v >> 8)}; };
    std::string wav = "RIFF" + le32(uint32_t(36 + data.size())) + "WAVE";
    wav += "fmt " + le32(16) + le16(1) + le16(2) + le32(rate) + le32(rate * 4) + le16(4) + le16(16);
    wav += "data" + le32(uint32_t(data.size())) + data;
    return wav;
}

// Sound tests open and close the mixer themselves; the audio subsystem is
// shut between them so that each picks up its own driver settings.
struct SoundTest : ::testing::Test {
    PlayFolder folder{false};
    void SetUp() override {
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        setenv("SDL_AUDIODRIVER", "dummy", 1);
        volume = 50;
        next_sound_distance = 0;
        next_sound_angle = 0;
        preset_channel = -1;
    }
    void TearDown() override {
        close_audio();
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        unsetenv("SDL_DISKAUDIOFILE");
        setenv("SDL_AUDIODRIVER", "dummy", 1);
    }
    // Opens the mixer on the disk driver, writing into the play folder.
    std::string open_disk_audio() {
        std::string out = folder.file("mix_out.raw");
        setenv("SDL_AUDIODRIVER", "disk", 1);
        setenv("SDL_DISKAUDIOFILE", out.c_str(), 1);
        EXPECT_TRUE(open_audio());
        EXPECT_TRUE(sound_on);
        return out;
    }
    // Closes the mixer and reads the left and right samples written.
    void read_output(const std::string& path, std::vector<int16_t>& left, std::vector<int16_t>& right) {
        close_audio();
        std::string raw = folder.read("mix_out.raw");
        (void)path;
        for (size_t i = 0; i + 3 < raw.size(); i += 4) {
            left.push_back(int16_t(uint8_t(raw[i]) | (uint8_t(raw[i + 1]) << 8)));
            right.push_back(int16_t(uint8_t(raw[i + 2]) | (uint8_t(raw[i + 3]) << 8)));
        }
    }
    void load_tone() {
        folder.write("audio/tone.wav", tone_wav());
        Lataa_Sample("tone.wav");
    }
};

double energy(const std::vector<int16_t>& s) {
    double e = 0;
    for (int16_t v : s) e += std::abs(int(v));
    return e;
}

TEST_F(SoundTest, PlayedSampleReachesTheOutput) {
    std::string out = open_disk_audio();
    load_tone();
    EXPECT_GE(play_sample("tone", 0), 0);
    SDL_Delay(700);
    std::vector<int16_t> left, right;
    read_output(out, left, right);
    ASSERT_FALSE(left.empty());
    EXPECT_GT(energy(left) + energy(right), 0.0);
}

TEST_F(SoundTest, VolumeZeroKeepsTheOutputSilent) {
    folder.write("ksm_ini.txt", "[AUDIO:YES]\n[VOLUME:0]\n");
    read_sound_settings();
    EXPECT_EQ(volume, 0);
    std::string out = open_disk_audio();
    load_tone();
    play_sample("tone", 0);
    SDL_Delay(700);
    std::vector<int16_t> left, right;
    read_output(out, left, right);
    ASSERT_FALSE(left.empty());
    EXPECT_EQ(energy(left) + energy(right), 0.0);
}

TEST_F(SoundTest, SoundToTheEastIsLouderOnTheRight) {
    std::string out = open_disk_audio();
    load_tone();
    // The player faces north; the sound comes from three cells east.
    player_x = 100;
    player_y = 100;
    facing = 2;
    set_sound_position(103, 100);
    EXPECT_EQ(next_sound_angle, 90);
    play_sample("tone", 0);
    SDL_Delay(700);
    std::vector<int16_t> left, right;
    read_output(out, left, right);
    EXPECT_GT(energy(right), 2 * energy(left));
}

TEST_F(SoundTest, MissingFixedSampleIsReportedAndAnsweredByTheKeySeam) {
    // Every file of the fixed list is there except "kling.wav"; the folder
    // also holds music, which the folder scan must leave alone.
    const char* files[] = {
        "lake.ogg", "bark.wav", "wolf.wav", "wolf2.wav", "owl.wav", "owl2.wav", "swing.wav", "fire.wav",
        "snarl.wav", "growl.wav", "growl2.wav", "growl3.wav", "roar.wav", "roar2.wav", "dig.ogg", "burp.wav",
        "axework.ogg", "fall.wav", "guffaw1.wav", "guffaw2.wav", "bawl.wav", "fleshwork.ogg", "snuffle.wav",
        "grunt.wav", "grunt2.wav", "grunt3.wav", "whimper.wav", "snort.wav", "snort2.wav", "bird_varis.wav",
        "bird_varis2.wav", "bird_kapytikka.wav", "bird_harakka.wav", "bird_harakka2.wav",
        "bird_keltasirkku.wav", "bird_leppalintu.wav", "bird_leppalintu2.wav", "bird_peippo.wav",
        "bird_peippo2.wav", "bird_satakieli2.wav", "splash.wav", "watersound.wav", "harr.wav", "faderun.wav",
        "run.wav", "crawl.wav", "thump.wav", "crack.wav", "breeze.ogg", "rain.ogg", "ambience.ogg",
        "windfly.ogg", "windfly2.ogg", "death.wav", "ritual.ogg", "ritual2.ogg", "ritual3.ogg",
        "intro.ogg", "music_chant.ogg", "wolf-3.wav"};
    std::string wav = tone_wav(0.05);
    for (const char* f : files) folder.write(std::string("audio/") + f, wav);
    folder.write("ksm_ini.txt", "[AUDIO:YES]\n");
    folder.write("keys.txt", "[SPACE]\n");
    setenv("KSM_TEST_KEYS", folder.file("keys.txt").c_str(), 1);
    reset_test_keys();
    ASSERT_TRUE(open_audio());
    load_samples();
    EXPECT_TRUE(test_keys_used_up());
    unsetenv("KSM_TEST_KEYS");
    reset_test_keys();

    std::string log = folder.read("init_log.txt");
    EXPECT_NE(log.find("FAILED TO LOAD: audio/kling.wav"), std::string::npos);
    EXPECT_NE(log.find("SAMPLESLOADED"), std::string::npos);

    int howl = 0, wolf = 0, kling = 0, music = 0;
    for (const SampleSlot& s : sample_table) {
        if (!std::strcmp(s.name, "HOWL")) ++howl;
        if (!std::strcmp(s.name, "WOLF")) ++wolf;  // wolf, wolf2 is "WOLF2"; wolf-3 is "WOLF"
        if (!std::strcmp(s.name, "KLING")) ++kling;
        if (!std::strcmp(s.name, "INTRO") || !std::strcmp(s.name, "MUSIC_CHANT")) ++music;
        if (s.name[0]) {
            EXPECT_NE(s.chunk, nullptr) << s.name;
        }
    }
    EXPECT_EQ(howl, 2);
    EXPECT_EQ(wolf, 2);
    EXPECT_EQ(kling, 0);
    EXPECT_EQ(music, 0);

    // A second call does not load again.
    load_samples();
    EXPECT_NE(folder.read("init_log.txt").find("SAMPLESLOADED - return"), std::string::npos);
}

TEST_F(SoundTest, MessageSoundMarkPlaysTheSample) {
    ASSERT_TRUE(open_audio());
    folder.write("audio/coin.wav", tone_wav(2.0));
    load_sample("kling", "coin.wav");
    std::memset(&plr, 0, sizeof plr);
    reset_last_message();
    skip_message_pauses = true;
    show_message("{kling}+You find a coin.");
    skip_message_pauses = false;
    EXPECT_TRUE(Mix_Playing(3));  // the highest free one of channels 0 to 3
    EXPECT_STREQ(last_message, "+You find a coin.");
}

TEST_F(SoundTest, ChannelsFillFromTheTopAndTheFifthTakesChannelZero) {
    ASSERT_TRUE(open_audio());
    folder.write("audio/long.wav", tone_wav(2.0));
    Lataa_Sample("long.wav");
    EXPECT_EQ(play_sample("long", 0), 3);
    EXPECT_EQ(play_sample("LONG", 0), 2);
    EXPECT_EQ(play_sample("long", 0), 1);
    EXPECT_EQ(play_sample("long", 0), 0);
    EXPECT_EQ(play_sample("long", 0), 0);
    EXPECT_EQ(play_sample("nothing such", 0), -1);
    preset_channel = 6;
    EXPECT_EQ(play_sample("long", 0), 6);
    EXPECT_EQ(preset_channel, -1);
}

int second_loop_halts = 0;
void count_halts(int channel) {
    if (channel == 7) ++second_loop_halts;
}

TEST_F(SoundTest, SecondLoopRestartsOnlyWhenItChanges) {
    ASSERT_TRUE(open_audio());
    folder.write("audio/brook.wav", tone_wav(1.0));
    folder.write("audio/creek.wav", tone_wav(1.0));
    Lataa_Sample("brook.wav");
    Lataa_Sample("creek.wav");
    ambient_sounds_on = true;
    second_loop_halts = 0;
    Mix_ChannelFinished(count_halts);
    copy_text(second_loop_name, sizeof second_loop_name, "brook");
    second_loop_volume = 40;
    for (int turn = 0; turn < 5; ++turn) update_ambient_sound();
    EXPECT_TRUE(Mix_Playing(7));
    EXPECT_EQ(second_loop_halts, 0);
    copy_text(second_loop_name, sizeof second_loop_name, "creek");
    update_ambient_sound();
    update_ambient_sound();
    EXPECT_EQ(second_loop_halts, 1);
    second_loop_volume = 20;
    update_ambient_sound();
    EXPECT_EQ(second_loop_halts, 2);
    second_loop_name[0] = 0;
    update_ambient_sound();
    Mix_ChannelFinished(nullptr);
    second_loop_volume = 0;
}

TEST_F(SoundTest, MusicPlaysUntilStoppedAndIsNotRestarted) {
    folder.write("ksm_ini.txt", "[AUDIO:YES]\n");
    read_sound_settings();
    ASSERT_TRUE(open_audio());
    folder.write("audio/music_a.wav", tone_wav(2.0));
    folder.write("audio/music_b.wav", tone_wav(2.0));
    play_music("music_a.wav");
    EXPECT_TRUE(music_started);
    EXPECT_STREQ(music_file_name, "music_a.wav");
    play_music("music_b.wav");  // music plays: it goes on
    EXPECT_STREQ(music_file_name, "music_a.wav");
    stop_all_sound();
    EXPECT_FALSE(music_started);
    EXPECT_STREQ(music_file_name, "");
    play_music("music_b.wav");
    EXPECT_STREQ(music_file_name, "music_b.wav");
    stop_all_sound();
    play_music("no_such_music.ogg");
    EXPECT_FALSE(music_started);

    folder.write("ksm_ini.txt", "[AUDIO:YES]\n[BACKGROUND_MUSIC:NO]\n");
    read_sound_settings();
    EXPECT_FALSE(music_on);
    play_music("music_a.wav");
    EXPECT_FALSE(music_started);
    music_on = true;
}

TEST_F(SoundTest, AudioOffLeavesTheMixerAlone) {
    folder.write("ksm_ini.txt", "[AUDIO:NO]\n");
    EXPECT_TRUE(open_audio());
    EXPECT_FALSE(sound_on);
    EXPECT_EQ(Mix_QuerySpec(nullptr, nullptr, nullptr), 0);
}

TEST(SoundRules, VolumeScaling) {
    struct Case {
        int volume, v, expected;
    };
    const Case cases[] = {
        {50, 128, 64}, {33, 128, 43}, {100, 128, 128}, {0, 128, 0}, {150, 128, 128}, {-1, 30, 30}, {1, 30, 1},
    };
    for (const Case& c : cases) {
        volume = c.volume;
        EXPECT_EQ(scale_volume(c.v), c.expected) << c.volume << " " << c.v;
    }
    volume = 50;
}

TEST(SoundRules, DistanceOfTheNextSound) {
    player_x = 200;
    player_y = 200;
    facing = 0;
    struct Case {
        int x, y, distance;
    };
    const Case cases[] = {{201, 200, 40}, {200, 200, 40}, {205, 202, 42}, {250, 200, 250}, {150, 150, 250}};
    for (const Case& c : cases) {
        set_sound_position(c.x, c.y);
        EXPECT_EQ(next_sound_distance, c.distance) << c.x << "," << c.y;
        EXPECT_GE(next_sound_angle, 0);
        EXPECT_LT(next_sound_angle, 360);
    }
    // Facing east, a sound ahead is at 0 and one behind at 180.
    set_sound_position(210, 200);
    EXPECT_EQ(next_sound_angle, 0);
    set_sound_position(190, 200);
    EXPECT_NEAR(next_sound_angle, 180, 1);
    set_sound_position(0, 5);
    EXPECT_EQ(next_sound_distance, 0);
    EXPECT_EQ(next_sound_angle, 0);
}

TEST(SoundRules, NothingPlaysWhileSoundIsOff) {
    sound_on = false;
    EXPECT_EQ(play_sample("kling", 0), -1);
    play_music("intro.ogg");
    EXPECT_FALSE(music_started);
}

}  // namespace
