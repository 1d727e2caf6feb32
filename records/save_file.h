// VARLO.DAT: the window position and the ranking, kept from run to run. The
// file is read once at start-up and written whenever a name has been entered,
// when the session ends and when the window closes; its path is the caller's.
#ifndef VARLO_RECORDS_SAVE_FILE_H
#define VARLO_RECORDS_SAVE_FILE_H

#include "base/platform.h"
#include "records/persistent_block.h"

// Start-up, UI thread: `block` as the file at `savePath` holds it; true when it
// held a valid save, and `block` is left as it was otherwise. A missing or
// foreign file is silent; only a file that cannot be read (or memory that runs
// out) shows a message, owned by no window.
bool readSaveFile(const wchar_t* savePath, PersistentBlock& block);
// UI thread: `block` as the file at `savePath`, written to a temporary file
// beside it that then replaces it, so a failed write leaves the old file as it
// was. A failure is shown, owned by `owner`, once: the saves after it stay
// silent until one succeeds.
void writeSaveFile(const wchar_t* savePath, const PersistentBlock& block, Window owner);

#endif
