// Resource ids of the exchange test program.
#pragma once

#define IDD_EXCHANGE_TEST 200
#define IDD_NESTED_TEST 201

// Template 200, in control order.
#define IDC_T_BEFORE 300
#define IDC_T_NUMBER 301
#define IDC_T_BETWEEN 302
#define IDC_T_FREQUENCY 303
#define IDC_T_LEVEL 304
#define IDC_T_THREE_STATE 305
#define IDC_T_COUNT 306
#define IDC_T_FIRST_RADIO 310
#define IDC_T_SECOND_RADIO 311
#define IDC_T_GROUP_TEXT 312
#define IDC_T_THIRD_RADIO 313
#define IDC_T_NEXT_GROUP 314
#define IDC_T_OUTSIDE_RADIO 315
#define IDC_T_SLIDER 320
#define IDC_T_LIST 321

// Template 201.
#define IDC_N_NUMBER 400
