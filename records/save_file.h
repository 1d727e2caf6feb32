// VARLO.DAT: the window position and the ranking, kept from run to run. The
// file is read at start-up and written whenever a name has been entered, when
// the session ends and when the window closes; its path is the caller's.
// Another copy of the game, or another program, may use the same file at the
// same time: a save reads the file again and adds this run's new rows to it.
#ifndef VARLO_RECORDS_SAVE_FILE_H
#define VARLO_RECORDS_SAVE_FILE_H

#include "base/platform.h"
#include "records/persistent_block.h"

// How long a file that another program holds is waited for, in tries a pause apart.
constexpr int kFileInUseTries = 20;
constexpr int kFileInUsePauseMs = 50;

// Start-up, UI thread: `block` as the file at `savePath` holds it; true when it
// held a valid save, and `block` is left as it was otherwise. A missing,
// foreign or held file is silent; only a file that cannot be read once opened
// (or memory that runs out) shows a message, owned by no window.
bool readSaveFile(const wchar_t* savePath, PersistentBlock& block);
// UI thread: the shared records into the file at `savePath`. A valid file gets
// the rows entered since it was last read, put in at their ranks, and this
// run's window position; a missing or foreign file is replaced by the shared
// block; afterwards the shared block is what was written. The new file is
// written to a temporary file beside the old one that then replaces it, so a
// failed write leaves the old file as it was. A file that is there but cannot
// be read is left as it is too. Such a failure is shown, owned by `owner`,
// once: the saves after it stay silent until one succeeds.
void saveSharedRecords(const wchar_t* savePath, Window owner);

#endif
