// The notation the score is written in: note names, phrases and chords.

#include <gtest/gtest.h>

#include <stdexcept>

#include "tools/music/chord.h"
#include "tools/music/phrase.h"
#include "tools/music/progression.h"

namespace {

TEST(Phrase, NoteNamesFollowMidiNumbering) {
    EXPECT_EQ(Phrase::ParsePitch("C4"), 60);
    EXPECT_EQ(Phrase::ParsePitch("A4"), 69);
    EXPECT_EQ(Phrase::ParsePitch("Bb4"), 70);
    EXPECT_EQ(Phrase::ParsePitch("C#5"), 73);
    EXPECT_EQ(Phrase::ParsePitch("B3"), 59);
    EXPECT_EQ(Phrase::ParsePitch("Cb4"), 59);
    EXPECT_EQ(Phrase::ParsePitch("A0"), 21);
}

TEST(Phrase, StepsAndRestsAddUpToBeats) {
    const Phrase phrase = Phrase::Parse("A4:1 r:0.5  D5:1.5 F#5:2");
    ASSERT_EQ(phrase.Steps().size(), 3u);
    EXPECT_DOUBLE_EQ(phrase.Beats(), 5.0);
    EXPECT_DOUBLE_EQ(phrase.Steps()[1].beat, 1.5);
    EXPECT_DOUBLE_EQ(phrase.Steps()[1].beats, 1.5);
    EXPECT_EQ(phrase.Steps()[2].pitch, 78);
    EXPECT_DOUBLE_EQ(phrase.Steps()[2].beat, 3.0);
}

TEST(Phrase, TyposAreRejected) {
    EXPECT_THROW(Phrase::Parse("A4"), std::invalid_argument);
    EXPECT_THROW(Phrase::Parse("H4:1"), std::invalid_argument);
    EXPECT_THROW(Phrase::Parse("A:1"), std::invalid_argument);
    EXPECT_THROW(Phrase::Parse("A4:0"), std::invalid_argument);
    EXPECT_THROW(Phrase::Parse("A44:1"), std::invalid_argument);
}

TEST(Chord, SymbolsGiveTheirPitchClasses) {
    EXPECT_EQ(Chord::Parse("Dm").PitchClasses(), (std::vector<int>{2, 5, 9}));
    EXPECT_EQ(Chord::Parse("Bbmaj7").PitchClasses(), (std::vector<int>{10, 2, 5, 9}));
    EXPECT_EQ(Chord::Parse("A7").PitchClasses(), (std::vector<int>{9, 1, 4, 7}));
    EXPECT_EQ(Chord::Parse("C#dim7").PitchClasses(), (std::vector<int>{1, 4, 7, 10}));
    EXPECT_EQ(Chord::Parse("Asus4").PitchClasses(), (std::vector<int>{9, 2, 4}));
    const Chord slash = Chord::Parse("Dm/A");
    EXPECT_EQ(slash.Root(), 2);
    EXPECT_EQ(slash.Bass(), 9);
    EXPECT_THROW(Chord::Parse("Dx"), std::invalid_argument);
    EXPECT_THROW(Chord::Parse("Hm"), std::invalid_argument);
}

TEST(Chord, ToneAboveClimbsThroughTheChord) {
    const Chord d = Chord::Parse("Dm");
    EXPECT_EQ(d.ToneAbove(60, 0), 62);  // D4
    EXPECT_EQ(d.ToneAbove(60, 1), 65);  // F4
    EXPECT_EQ(d.ToneAbove(60, 2), 69);  // A4
    EXPECT_EQ(d.ToneAbove(60, 3), 74);  // D5, round again
    EXPECT_EQ(d.ToneAbove(62, 0), 62);  // at the floor itself
}

// Voice leading: the next chord keeps common tones and moves the others by step.
TEST(Chord, VoicingMovesAsLittleAsPossible) {
    const std::vector<int> dm = Chord::Parse("Dm").Voice(60, 74, {62, 65, 69});
    EXPECT_EQ(dm, (std::vector<int>{62, 65, 69}));
    const std::vector<int> bb = Chord::Parse("Bb").Voice(52, 74, dm);
    EXPECT_EQ(bb, (std::vector<int>{62, 65, 70}));
    const std::vector<int> a = Chord::Parse("A").Voice(52, 74, bb);
    EXPECT_EQ(a, (std::vector<int>{61, 64, 69}));
    for (int pitch : Chord::Parse("Gm7").Voice(52, 66, {})) {
        EXPECT_GE(pitch, 52);
        EXPECT_LE(pitch, 66);
    }
}

TEST(Progression, SpansFollowEachOther) {
    const Progression progression = Progression::Parse("Dm:4 Bb:2 A7:1.5");
    ASSERT_EQ(progression.Spans().size(), 3u);
    EXPECT_DOUBLE_EQ(progression.Beats(), 7.5);
    EXPECT_DOUBLE_EQ(progression.Spans()[2].beat, 6.0);
    EXPECT_EQ(progression.At(3.9).Root(), 2);
    EXPECT_EQ(progression.At(4.0).Root(), 10);
    EXPECT_EQ(progression.At(100.0).Root(), 9);
    EXPECT_THROW(Progression::Parse(""), std::invalid_argument);
    EXPECT_THROW(Progression::Parse("Dm"), std::invalid_argument);
}

}  // namespace
