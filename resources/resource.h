// Resource ids and the constants the resource script shares with the code.
// Plain #defines so that both windres and the C++ compiler can read this file.
// Windows keeps ids of different kinds apart (icons, RCDATA, menus, accelerator
// tables and dialogs are resource types of their own; commands, controls and help
// contexts are looked up elsewhere), so the same number may serve two kinds.
#ifndef VARLO_RESOURCE_H
#define VARLO_RESOURCE_H

// Icons: a resource type of their own.
#define IDI_VARLO            100   // program icon (32 x 32 and 16 x 16, 16 colours)

// Pictures: PNG files stored as RT_RCDATA, a resource type of their own.
#define IDP_TITLE            101   // 630 x 250, 8-bit palette
#define IDP_KEYS_NARROW      102   // one octave of narrow keys, 106 x 76
#define IDP_KEYS_WIDE        103   // one octave of wide keys, 211 x 76
#define IDP_MIDDLE_C         104   // treble clef with middle C, 60 x 60

// Menu, accelerator table and dialog: each a resource type of its own.
#define IDR_MAINMENU         560
#define IDR_ACCELERATORS     580
#define IDD_ABOUT            604

// Menu commands: the ids WM_COMMAND carries, apart from every resource type.
#define IDM_START            101
#define IDM_STAGE_1          102   // "ステージ1" .. "ステージ8": consecutive, the stage is id - IDM_STAGE_1
#define IDM_STAGE_2          103
#define IDM_STAGE_3          104
#define IDM_STAGE_4          105
#define IDM_STAGE_5          106
#define IDM_STAGE_6          107
#define IDM_STAGE_7          108
#define IDM_STAGE_8          109
#define IDM_EXIT             113
#define IDM_STATISTICS       118   // the statistics window over the practice history
#define IDM_HELP_CONTENTS    115
#define IDM_ABOUT            117

// Controls of the About box: ids inside that dialog only.
#define IDC_ABOUT_NAME       1024
#define IDC_ABOUT_VERSION    1025
#define IDC_ABOUT_COPYRIGHT  1026

// Help contexts: the numbers VARLO.CHM maps to its topics ([MAP] of varlo.hhp).
#define HELP_CONTEXT_HOW_TO_PLAY  100
#define HELP_CONTEXT_MENUS        101
#define HELP_CONTEXT_STATISTICS   102

#endif
