// The string-table ids of the framework's own messages: a program that uses the
// data exchange carries these strings in its resources.
#pragma once

// The exchange's messages for a rejected field
#define IDS_PARSE_INT_TEXT 61712
#define IDS_PARSE_REAL_TEXT 61713
#define IDS_PARSE_INT_RANGE_TEXT 61714
#define IDS_PARSE_UINT_TEXT 61719
