// Numbers of the resources the VORN executable carries besides the
// post-process files (101..116, group "CUSTOM").
#pragma once

#define IDI_VORN 1      // window icon, 32 x 32, 24-bit
#define IDB_BANNER 201  // banner of the top picture, 256 x 128
#define IDB_LINE 202    // the 1 x 3 separator line
// The same pictures drawn at 150 % and 200 %: the 100 % number + 10, + 20.
#define IDB_BANNER_150 211
#define IDB_LINE_150 212
#define IDB_BANNER_200 221
#define IDB_LINE_200 222
#define IDR_VORN_FORM 301  // the stored form text (RCDATA)
