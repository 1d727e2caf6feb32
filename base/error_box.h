// The product's name and the box every failure the player must hear of is shown in.
#ifndef VARLO_BASE_ERROR_BOX_H
#define VARLO_BASE_ERROR_BOX_H

#include "base/platform.h"

// Caption of the window and of every message box.
extern const wchar_t kProductName[];

// Modal error box with `text`, the product name as caption and the error icon.
// Shows nothing for a null text; the owner may be null. The program links
// error_box_win.cpp; test programs link their own, which record the texts.
void showError(Window owner, const wchar_t* text);

#endif
