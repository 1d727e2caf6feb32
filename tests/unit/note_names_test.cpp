#include "base/note_names.h"

#include <gtest/gtest.h>

TEST(NoteNames, EveryNoteIsNamedAndReadBackAndNothingElseIsRead) {
    EXPECT_EQ(noteName(60), "C4");
    EXPECT_EQ(noteName(61), "C#4");
    EXPECT_EQ(noteName(0), "C-1");
    EXPECT_EQ(noteName(127), "G9");
    EXPECT_EQ(noteName(-1), "");
    EXPECT_EQ(noteName(128), "");
    for (int note = 0; note <= 127; ++note) {
        int read = -1;
        EXPECT_TRUE(parseNoteName(noteName(note), read)) << note;
        EXPECT_EQ(read, note);
    }
    int read = 99;
    for (const char* bad : {"", "H4", "Db4", "E#4", "B#4", "C", "C10", "C-2", "G#9", "c4", " C4", "C4 ", "C#", "-1"}) {
        EXPECT_FALSE(parseNoteName(bad, read)) << bad;
    }
    EXPECT_EQ(read, 99);
    EXPECT_EQ(noteNames({67, 60, 64}), "C4 E4 G4");
    EXPECT_EQ(noteNames({}), "");
}
