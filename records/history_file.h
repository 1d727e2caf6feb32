// The history file on the disk (history_file_win.cpp). It is shared: another
// copy of the game may append to it and a spreadsheet program may read it at
// the same time.
#ifndef VARLO_RECORDS_HISTORY_FILE_H
#define VARLO_RECORDS_HISTORY_FILE_H

#include <cstddef>
#include <string>

// Appends `text` to the file at `path` with one write, at its end whatever
// another writer has added meanwhile. A file made here first gets
// kHistoryFileStart, the only time it is written. The file stays open for the
// next line; false when the text could not be written, and the file is opened
// anew the next time.
bool appendToHistory(const wchar_t* path, const std::string& text);
// Closes the file appendToHistory keeps open.
void closeHistory();
// The file's last `tailBytes` bytes (all of it when it is shorter) into
// `text`; a missing file reads as empty. False when it cannot be read.
bool readHistoryFile(const wchar_t* path, std::string& text, size_t tailBytes);

#endif
