// The music player's command logic against a scripted media platform.

#include <gtest/gtest.h>

#include <vector>

#include "music/music_player.h"
#include "settings/settings_file.h"
#include "support/music_double.h"

namespace {

using Reply = MusicReply;

// A drive with a disc of `tracks` tracks, playing `current` in `mode`.
struct Drive {
    int tracks = 5;
    int current = 1;
    std::string mode = "playing";

    Reply answer(const std::string& command) const
    {
        if (command == "status cdaudio current track") return {0, std::to_string(current)};
        if (command == "status cdaudio number of tracks") return {0, std::to_string(tracks)};
        if (command == "status cdaudio mode") return {0, mode};
        const std::string position = "status cdaudio position track ";
        if (command.compare(0, position.size(), position) == 0) {
            const int track = std::stoi(command.substr(position.size()));
            if (track > tracks) return {289, ""};
            return {0, (track < 10 ? "0" : "") + std::to_string(track) + ":00:00:00"};
        }
        if (command.compare(0, 5, "play ") == 0 && command.find("Error") != std::string::npos) return {257, ""};
        return {0, ""};
    }
};

class Music : public ::testing::Test {
protected:
    void SetUp() override
    {
        resetMusicDouble();
        platform.respond = [this](const std::string& c) { return drive.answer(c); };
        BGM_RepeatTrack = 0;
        BGM_File.clear();
        CdKeepPolling = false;
    }

    // The commands of one CD poll, without the three status queries.
    std::vector<std::string> tickActions()
    {
        platform.commands.clear();
        CdTick();
        std::vector<std::string> actions;
        for (const std::string& c : platform.commands) {
            if (c.compare(0, 15, "status cdaudio ") == 0 && c.find("position") == std::string::npos) continue;
            actions.push_back(c);
        }
        return actions;
    }

    MusicDouble& platform = musicDouble();
    Drive drive;
};

using Commands = std::vector<std::string>;

TEST_F(Music, NoCdDriveStopsPollingAtTheFirstTick)
{
    platform.respond = [](const std::string&) { return Reply{266, ""}; };
    CdOpen();
    EXPECT_EQ(platform.commands, (Commands{"open cdaudio", "set cdaudio time format tmsf"}));
    platform.commands.clear();
    CdTick();
    EXPECT_FALSE(CdKeepPolling);
    EXPECT_EQ(platform.commands, (Commands{"status cdaudio current track"}));
}

TEST_F(Music, NoRepeatTrackPlaysTheDiscAgainWheneverItStops)
{
    drive.mode = "stopped";
    EXPECT_EQ(tickActions(), (Commands{"play cdaudio"}));
    EXPECT_TRUE(CdKeepPolling);

    drive.mode = "playing";
    EXPECT_EQ(tickActions(), Commands{});

    // After the last track the drive stays stopped: asked again on every poll.
    drive.current = 5;
    drive.mode = "stopped";
    EXPECT_EQ(tickActions(), (Commands{"play cdaudio"}));
    EXPECT_EQ(tickActions(), (Commands{"play cdaudio"}));
}

TEST_F(Music, RepeatTrackIsRestartedWhenAnotherTrackPlaysOrTheDriveStops)
{
    BGM_RepeatTrack = 3;
    drive.current = 3;
    EXPECT_EQ(tickActions(), Commands{});

    drive.current = 4;
    EXPECT_EQ(tickActions(), (Commands{"status cdaudio position track 3", "play cdaudio from 03:00:00:00"}));

    drive.current = 3;
    drive.mode = "stopped";
    EXPECT_EQ(tickActions(), (Commands{"status cdaudio position track 3", "play cdaudio from 03:00:00:00"}));
    EXPECT_TRUE(CdKeepPolling);
}

TEST_F(Music, RepeatTrackPastTheEndSendsTheErrorMarkerOnEveryPoll)
{
    BGM_RepeatTrack = 9;
    const Commands expected = {"status cdaudio position track 9", "play cdaudio from Error:289"};
    EXPECT_EQ(tickActions(), expected);
    EXPECT_EQ(tickActions(), expected);
    EXPECT_TRUE(CdKeepPolling);
}

TEST_F(Music, TrackReplyThatIsNoNumberStopsPolling)
{
    BGM_RepeatTrack = 2;
    platform.respond = [](const std::string& c) {
        return Reply{0, c == "status cdaudio current track" ? "??" : "5"};
    };
    CdTick();
    EXPECT_FALSE(CdKeepPolling);
}

TEST_F(Music, ModeIsJudgedByItsFirstSevenCharacters)
{
    drive.mode = "stopped for good";
    EXPECT_EQ(tickActions(), (Commands{"play cdaudio"}));
    drive.mode = "stoppe";
    EXPECT_EQ(tickActions(), Commands{});
}

TEST_F(Music, CloseStopsThenClosesTheDrive)
{
    CdClose();
    EXPECT_EQ(platform.commands, (Commands{"stop cdaudio", "close cdaudio"}));
}

TEST_F(Music, SendReportsEmptyCommandsAndErrorTexts)
{
    std::string reply;
    EXPECT_EQ(MciSend("", reply), -1);
    EXPECT_EQ(reply, "コマンド文字列が指定されていません");
    EXPECT_TRUE(platform.commands.empty());

    platform.respond = [](const std::string&) { return Reply{263, ""}; };
    EXPECT_EQ(MciSend("open nothing", reply), 263);
    EXPECT_EQ(reply, "Error (文字列が取れません)");

    platform.errorTexts[263] = "The specified device is not open.";
    EXPECT_EQ(MciSend("open nothing", reply), 263);
    EXPECT_EQ(reply, "The specified device is not open.");
    EXPECT_EQ(MciQuery("status x mode"), "Error:263");
    EXPECT_EQ(LastReply, "The specified device is not open.");

    platform.respond = [](const std::string&) { return Reply{0, "playing"}; };
    EXPECT_EQ(MciQuery("status x mode"), "playing");
}

TEST_F(Music, PlayBuildsItsCommandFromTheGivenPositions)
{
    MciPlay("cdaudio", "", "");
    MciPlay("cdaudio", "02:00:00:00", "");
    MciPlay("cdaudio", "02", "03");
    EXPECT_EQ(platform.commands, (Commands{"play cdaudio", "play cdaudio from 02:00:00:00", "play cdaudio from 02 to 03"}));
}

TEST_F(Music, Mp3IsOpenedQuotedPlayedAndRestartedAfterItsEnd)
{
    BGM_File = "C:\\My Music\\song.mp3";
    Mp3Open();
    EXPECT_EQ(platform.commands,
              (Commands{"open \"C:\\My Music\\song.mp3\" type MPEGVideo Alias MP3Play", "play MP3Play"}));

    platform.commands.clear();
    platform.respond = [](const std::string&) { return Reply{0, "playing"}; };
    Mp3Tick();
    EXPECT_EQ(platform.commands, (Commands{"status MP3Play mode"}));

    platform.commands.clear();
    platform.respond = [](const std::string&) { return Reply{0, "stopped"}; };
    Mp3Tick();
    EXPECT_EQ(platform.commands, (Commands{"status MP3Play mode", "stop MP3Play", "play MP3Play from 0"}));

    platform.commands.clear();
    Mp3Close();
    EXPECT_EQ(platform.commands, (Commands{"stop MP3Play", "close MP3Play"}));
}

TEST_F(Music, Mp3ThatCannotBeOpenedIsNotPlayed)
{
    BGM_File = "C:\\broken.mp3";
    platform.respond = [](const std::string&) { return Reply{277, ""}; };
    Mp3Open();
    EXPECT_EQ(platform.commands.size(), 1u);
}

TEST_F(Music, PathWithAQuoteIsNeverSplicedIntoACommand)
{
    BGM_File = "C:\\a\" type waveaudio alias x\\b.mp3";
    Mp3Open();
    EXPECT_TRUE(platform.commands.empty());
}

TEST_F(Music, WavLoopsOnlyWithAnOutputDeviceAndStopsAlways)
{
    BGM_File = "C:\\loop.wav";
    platform.waveDevices = 0;
    WavPlay();
    WavStop();
    EXPECT_EQ(platform.sounds, (Commands{""}));

    platform.waveDevices = 1;
    WavPlay();
    WavStop();
    EXPECT_EQ(platform.sounds, (Commands{"", "C:\\loop.wav", ""}));
}

} // namespace
