// Resource ids and the constants the resource script shares with the code.
// Plain #defines so that both windres and the C++ compiler can read this file.
#ifndef VARLO_RESOURCE_H
#define VARLO_RESOURCE_H

#define IDI_VARLO            100   // program icon (32 x 32 and 16 x 16, 16 colours)

// Pictures: PNG files stored as RT_RCDATA.
#define IDP_TITLE            101   // 630 x 250, 8-bit palette
#define IDP_KEYS_NARROW      102   // one octave of narrow keys, 106 x 76
#define IDP_KEYS_WIDE        103   // one octave of wide keys, 211 x 76
#define IDP_MIDDLE_C         104   // treble clef with middle C, 60 x 60

#define IDR_MAINMENU         560
#define IDR_ACCELERATORS     580
#define IDD_ABOUT            604

// Menu commands.
#define IDM_START            101
#define IDM_STAGE_FIRST      102   // "ステージ1" .. "ステージ8" are 102 .. 109
#define IDM_STAGE_LAST       109
#define IDM_EXIT             113
#define IDM_HELP_CONTENTS    115
#define IDM_ABOUT            117

// Controls of the About box.
#define IDC_ABOUT_NAME       1024
#define IDC_ABOUT_VERSION    1025
#define IDC_ABOUT_COPYRIGHT  1026

// Help contexts inside VARLO.CHM.
#define HELP_CONTEXT_HOW_TO_PLAY  100
#define HELP_CONTEXT_MENUS        101

#endif
