// Resource ids, shared by the code and res/varn.rc.
#pragma once

#define IDC_STATIC              (-1)

#define IDD_SCANHELPER_DIALOG   102
#define IDR_MAINFRAME           128

#define IDC_REGISTER_HOTKEY     1000
#define IDC_UNREGISTER_HOTKEY   1001
#define IDC_WAYBILL_EDIT        1002
#define IDC_SPEED_FASTEST       1004
#define IDC_SPEED_FAST          1005
#define IDC_SPEED_NORMAL        1006
#define IDC_SPEED_SLOW          1007
