// Resource and control ids of ZURU.EXE, shared by the .rc files and the code.
#pragma once

// Dialog templates
#define IDD_ABOUTBOX 100
#define IDD_OPTIONS 102
#define IDD_RUNWAYS 134
#define IDD_RUNWAY_ENTRY 136

// Icon, bitmap, strings
#define IDR_MAINFRAME 128
#define IDB_PICTURE 131
#define IDS_ABOUTBOX 101
#define IDM_ABOUTBOX 16

// Options dialog (102)
#define IDC_NOCREW 1001
#define IDC_DONTSETFLAPS 1002
#define IDC_NEWATIS 1003
#define IDC_ABOUT 1004
#define IDC_CREATE_ADVENTURE 1005
#define IDC_ATISTEXT 1006
#define IDC_TRAFFIC 1007
#define IDC_ACTIVE 1008
#define IDC_OPTIONS_GROUP 1009
#define IDC_TRAFFIC_LABEL 1010
#define IDC_TRAFFIC_ZERO 1011
#define IDC_TRAFFIC_HIGH 1012
#define IDC_NEWATC 1013
#define IDC_PCM 1015
#define IDC_MAXTIME 1016
#define IDC_MAXTIME_LABEL 1017
#define IDC_MAXTIME_UNIT 1018
#define IDC_HEAVY 1019
#define IDC_NOFLAPS 1020
#define IDC_ENROUTEALT 1022
#define IDC_RESETALT 1023
#define IDC_RUNWAYS 1024
#define IDC_CHKSPD 1037
#define IDC_CROSSING 1038
#define IDC_CGROUND1 1042
#define IDC_NOALTCALL 1043
#define IDC_DEFWAVFOLDER 1044

// Runways dialog (134)
#define IDC_USE_FIRST 1001
#define IDC_USE_SECOND 1002
#define IDC_FIRST_GROUP 1025
#define IDC_SECOND_GROUP 1027
#define IDC_FIRST_LIST 1028
#define IDC_FIRST_ADD 1029
#define IDC_FIRST_DELETE 1030
#define IDC_SECOND_LIST 1031
#define IDC_SECOND_ADD 1032
#define IDC_SECOND_DELETE 1033

// Runway entry dialog (136)
#define IDC_RUNWAY_NUMBER 1016
#define IDC_ILS_FREQUENCY 1022
#define IDC_LEFT 1034
#define IDC_RIGHT 1035
#define IDC_ILS 1036
#define IDC_USAGE_BOTH 1039
#define IDC_USAGE_TAKEOFF 1040
#define IDC_USAGE_LANDING 1041

// The exchange's messages (IDS_PARSE_*), which the string table carries
#include "framework/framework_ids.h"
