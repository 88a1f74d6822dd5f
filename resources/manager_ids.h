/* The manager dialog's template and control ids. Plain #defines so both the
   resource compiler and C++ read them. */
#ifndef GKR_RESOURCES_MANAGER_IDS_H
#define GKR_RESOURCES_MANAGER_IDS_H

#define IDD_MANAGER 1042

#define IDC_MANAGER_TAB 1004
#define IDC_MANAGER_GAME_TOPMOST 57729    /* put the game window on top */
#define IDC_MANAGER_GAME_RELEASE 57730    /* release it again */
#define IDC_MANAGER_GAME_LAUNCH 57732     /* start the game through the portal */
#define IDC_MANAGER_GAME_KILL 1001        /* end the game by force */
#define IDC_MANAGER_EXIT 57690            /* save and leave the program */
#define IDC_MANAGER_HOME_PAGE 1003        /* the author's home page */
#define IDC_MANAGER_VERSION (-1)

#endif
