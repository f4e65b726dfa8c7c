// Which music a show plays, from BGM_Kind (0 none, 1 audio CD, 2 music file),
// the file's kind and whether the file is there.

#include <gtest/gtest.h>

#include "what_plays.h"

namespace {

TEST(WhatPlays, AudioCdPlaysWhateverTheFileSetting)
{
    EXPECT_EQ(WhatPlays(1, "", false), MusicSource::Cd);
    EXPECT_EQ(WhatPlays(1, "C:\\Music\\song.mp3", true), MusicSource::Cd);
}

TEST(WhatPlays, AFilePlaysByItsLastThreeLettersInAnyCase)
{
    for (const char* path : {"C:\\Music\\loop.wav", "C:\\Music\\loop.Wav", "C:\\Music\\loop.WAV"}) {
        EXPECT_EQ(WhatPlays(2, path, true), MusicSource::Wav) << path;
    }
    for (const char* path : {"C:\\My Music\\song.mp3", "C:\\Music\\song.Mp3", "C:\\Music\\SONG.MP3"}) {
        EXPECT_EQ(WhatPlays(2, path, true), MusicSource::Mp3) << path;
    }
    for (const char* path : {"C:\\Music\\song.mpeg", "C:\\Music\\song.mid", "C:\\Music\\clip.mp4", ""}) {
        EXPECT_EQ(WhatPlays(2, path, true), MusicSource::None) << path;
    }
}

TEST(WhatPlays, AMissingFilePlaysNothing)
{
    EXPECT_EQ(WhatPlays(2, "C:\\Gone\\song.mp3", false), MusicSource::None);
    EXPECT_EQ(WhatPlays(2, "C:\\Gone\\loop.wav", false), MusicSource::None);
}

TEST(WhatPlays, NoMusicAndUnknownKindsPlayNothing)
{
    for (const std::int16_t kind : {0, 3, -1, 258}) {
        EXPECT_EQ(WhatPlays(kind, "C:\\Music\\song.mp3", true), MusicSource::None) << kind;
        EXPECT_EQ(WhatPlays(kind, "C:\\Music\\loop.wav", true), MusicSource::None) << kind;
    }
}

} // namespace
