/* The resource and control ids of Tessalander.scr. The resource scripts, the
 * C++ code, the resource check and the dialog tests all read them from here,
 * so this file must stay plain C preprocessor definitions, one per line. */
#ifndef TESSALANDER_RESOURCE_IDS_H
#define TESSALANDER_RESOURCE_IDS_H

/* The configuration dialog's template and the icon group the system shows. */
#define IDD_CONFIG 101
#define IDI_SAVER 115

/* Asked for by the host and absent on purpose: the window class goes without
 * an icon, and the host's own configure dialog fails at once. */
#define IDI_CLASS_ICON 100
#define IDD_HOST_CONFIG 2003

/* The configuration dialog's controls. */
#ifndef IDOK
#define IDOK 1
#endif
#ifndef IDCANCEL
#define IDCANCEL 2
#endif
#define IDC_STATIC_TEXT -1
#define IDC_PATH 1000
#define IDC_BROWSE 1001
#define IDC_SPEED_SLOW 1002
#define IDC_SHUFFLE_FEW 1003
#define IDC_BACK_WHITE 1004
#define IDC_SOURCE_DESKTOP 1005
#define IDC_SOURCE_BITMAP 1006
#define IDC_BACK_GROUP 1008
#define IDC_SOURCE_GROUP 1009
#define IDC_BACK_BLACK 1010
#define IDC_SPEED_GROUP 1011
#define IDC_SHUFFLE_GROUP 1014
#define IDC_SPEED_NORMAL 1020
#define IDC_SPEED_FAST 1021
#define IDC_SPEED_FASTEST 1022
#define IDC_TILE 1025
#define IDC_SHUFFLE_NORMAL 1027
#define IDC_SHUFFLE_MANY 1028
#define IDC_SHUFFLE_TOO_MANY 1029
#define IDC_ABOUT 1030
#define IDC_DELETE 1031

#endif
