#include <gtest/gtest.h>

#include "command_line.h"
#include "file_kind.h"

TEST(ModeLetter, IsTheSecondCharacterUpperCased)
{
    EXPECT_EQ(ModeLetter("/s"), 'S');
    EXPECT_EQ(ModeLetter("-s"), 'S');
    EXPECT_EQ(ModeLetter("/S"), 'S');
    EXPECT_EQ(ModeLetter("xs"), 'S');
    EXPECT_EQ(ModeLetter("/c"), 'C');
    EXPECT_EQ(ModeLetter("/C:123"), 'C');
    EXPECT_EQ(ModeLetter("-c"), 'C');
    EXPECT_EQ(ModeLetter("/p 123"), 'P');
    EXPECT_EQ(ModeLetter("/a"), 'A');
    EXPECT_EQ(ModeLetter(""), '\0');
    EXPECT_EQ(ModeLetter("/"), '\0');
}

TEST(PreviewHandle, ReadFromTheFourthCharacterOn)
{
    EXPECT_EQ(PreviewHandleFrom("/p 123"), 123);
    EXPECT_EQ(PreviewHandleFrom("/p:123"), 123);
    EXPECT_EQ(PreviewHandleFrom("/P   4567"), 4567);
    EXPECT_EQ(PreviewHandleFrom("/p 12ab34"), 12);
    EXPECT_EQ(PreviewHandleFrom("/p"), 0);
    EXPECT_EQ(PreviewHandleFrom("/p abc"), 0);
    EXPECT_EQ(PreviewHandleFrom("/p 99999999999999999999"), 0);
}

TEST(FileKind, LastThreeCharactersUpperCased)
{
    EXPECT_EQ(FileKind("C:\\m\\a.wav"), "WAV");
    EXPECT_EQ(FileKind("C:\\m\\a.Wav"), "WAV");
    EXPECT_EQ(FileKind("C:\\m\\a.mP3"), "MP3");
    EXPECT_EQ(FileKind("C:\\m\\a.mpeg"), "PEG");
    EXPECT_EQ(FileKind("ab"), "AB");
}
