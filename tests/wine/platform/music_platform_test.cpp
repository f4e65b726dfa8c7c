// The music player on the platform's own media commands and sound call,
// with the sound output captured to a file by the test's audio set-up.

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <vector>

#include "music/music_player.h"
#include "settings/settings_file.h"

namespace {

constexpr double kBytesPerSecond = 44100.0 * 2 * 2;   // 16-bit stereo

std::string environment(const char* name)
{
    const char* value = std::getenv(name);
    return value != nullptr ? value : "";
}

// Seconds of audible sound in the capture so far.
double audibleSeconds()
{
    std::ifstream file(environment("SORVELIN_AUDIO_CAPTURE"), std::ios::binary);
    std::vector<char> bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    std::size_t loud = 0;
    for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
        const auto sample = static_cast<std::int16_t>(static_cast<std::uint8_t>(bytes[i]) |
                                                        static_cast<std::uint8_t>(bytes[i + 1]) << 8);
        if (sample > 300 || sample < -300) ++loud;
    }
    return loud * 2 / kBytesPerSecond;
}

bool within(DWORD ms, const std::function<bool()>& condition)
{
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < ms) {
        if (condition()) return true;
        Sleep(50);
    }
    return condition();
}

class MusicOnPlatform : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (environment("SORVELIN_AUDIO_CAPTURE").empty()) GTEST_SKIP() << "no audio capture set up";
    }
};

TEST_F(MusicOnPlatform, WithoutACdDriveTheFirstPollStopsPolling)
{
    CdOpen();
    CdTick();
    EXPECT_FALSE(CdKeepPolling);
    CdClose();
}

TEST_F(MusicOnPlatform, Mp3PlaysAndIsRestartedAfterItsEnd)
{
    BGM_File = environment("SORVELIN_TEST_MP3");   // a one-second tone
    const double before = audibleSeconds();
    Mp3Open();
    ASSERT_TRUE(within(3000, [] { return Mp3IsPlaying(); }));
    EXPECT_TRUE(within(3000, [&] { return audibleSeconds() > before + 0.3; }));

    ASSERT_TRUE(within(5000, [] { return !Mp3IsPlaying(); })) << "the tone ends by itself";
    const double atEnd = audibleSeconds();
    Mp3Tick();
    EXPECT_TRUE(within(2000, [] { return Mp3IsPlaying(); }));
    EXPECT_TRUE(within(3000, [&] { return audibleSeconds() > atEnd + 0.3; })) << "played again from the start";
    Mp3Close();
    EXPECT_FALSE(Mp3IsPlaying());
}

TEST_F(MusicOnPlatform, WavLoopsPastItsLengthUntilStopped)
{
    BGM_File = environment("SORVELIN_TEST_WAV");   // half a second
    const double before = audibleSeconds();
    WavPlay();
    EXPECT_TRUE(within(6000, [&] { return audibleSeconds() > before + 1.2; })) << "looped past its own length";
    WavStop();

    // Once stopped, no more sound arrives.
    Sleep(500);
    const double stopped = audibleSeconds();
    Sleep(1000);
    EXPECT_LT(audibleSeconds() - stopped, 0.05);
}

} // namespace
