// Resource ids of DummyGKR, shared by dummygkr.rc and the program.
#pragma once

#define IDD_ABOUTBOX 103
#define IDM_ABOUT 104
#define IDM_EXIT 105
#define IDI_DUMMY_LARGE 107
#define IDI_DUMMY_SMALL 108
#define IDC_DUMMYGKR 109  // accelerators, menu and the class-name string
#define IDB_GAMESCREEN 111
#define IDS_APP_TITLE 40000

#ifndef IDC_STATIC
#define IDC_STATIC (-1)
#endif
