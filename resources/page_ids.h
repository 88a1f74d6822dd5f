/* Dialog templates of the manager's settings pages and of the key capture
   dialog, and their control ids. Plain #defines so both the resource compiler
   and C++ read them. The ids are fixed: saved layouts and the pages' code rely
   on them, and several pages reuse the same number for different controls. */
#ifndef GKR_RESOURCES_PAGE_IDS_H
#define GKR_RESOURCES_PAGE_IDS_H

/* Child pages of the manager dialog's tab control, and dialogs. */
#define IDD_SELECT 131        /* key capture dialog */
#define IDD_KEYCONFIG_PAGE 133
#define IDD_ENERGY_PAGE 135
#define IDD_MAIL_PAGE 137     /* kept in the resources, created by nothing */
#define IDD_TIMER_PAGE 139
#define IDD_ACCEL_PAGE 141
#define IDD_FLUTE_PAGE 143
#define IDD_EMPTY_PAGE 145    /* kept in the resources, created by nothing */

/* Labels that no code addresses. */
#define IDC_PAGE_LABEL (-1)

/* Hotkey page (141). */
#define IDC_ACCEL_LIST 57689
#define IDC_ACCEL_SETKEYS 57692
#define IDC_ACCEL_SETPAD 57693
#define IDC_ACCEL_USEKEY 57697
#define IDC_ACCEL_USEPAD 57696
#define IDC_ACCEL_USEX 57745
#define IDC_ACCEL_USEY 57746
#define IDC_ACCEL_USEZ 1007
#define IDC_ACCEL_USER 57748
#define IDC_ACCEL_USEU 57744
#define IDC_ACCEL_USEV 57747

/* Key capture dialog (131): the read-only text box has the id -1. */
#define IDC_SELECT_TEXT (-1)
#define IDC_SELECT_CLEAR 57691

/* Energy bar page (135). */
#define IDC_ENERGY_USE 57734
#define IDC_ENERGY_TYPE 1000
#define IDC_ENERGY_MAXHEALTH 57749
#define IDC_ENERGY_OFFSETX 57732
#define IDC_ENERGY_OFFSETY 57733
#define IDC_ENERGY_OFFSETS 1002

/* Timer page (139). */
#define IDC_TIMER_SIZE 57738
#define IDC_TIMER_USE 57737
#define IDC_TIMER_AUTOSTART 1001

/* Song-sheet page (143). */
#define IDC_FLUTE_USE 57739
#define IDC_FLUTE_SKILL 1001
#define IDC_FLUTE_SIDENOTE 57743
#define IDC_FLUTE_UPNOTE 57742
#define IDC_FLUTE_DOWNNOTE 57744
#define IDC_FLUTE_SONGS 57706

/* Game key-configuration page (133). */
#define IDC_KEYCONFIG_NAME 57702
#define IDC_KEYCONFIG_BACKUP 57703
#define IDC_KEYCONFIG_LIST 57706
#define IDC_KEYCONFIG_RESTORE 57704
#define IDC_KEYCONFIG_DELETE 57705
#define IDC_KEYCONFIG_SETDEFAULT 57710
#define IDC_KEYCONFIG_CLEARDEFAULT 57711
#define IDC_KEYCONFIG_DEFAULTNAME 57712
#define IDC_KEYCONFIG_USEDEFAULT 1004
#define IDC_KEYCONFIG_USEBACKUP 1005

#endif
