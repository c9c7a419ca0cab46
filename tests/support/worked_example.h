#pragma once

// The worked example (talk 180, acw 30, calls 100, slo 20) as the tables
// must show it, line for line.
namespace corvane::testing {

inline const char* const kWorkedStaffingHead[] = {
    "Average Talk Time (Sec.)      : 180",
    "After-Call Work Time (Sec.)   : 30",
    "Calls per Half-Hour           : 100",
    "Service Level Objective (Sec.): 20",
    " ",
    "Agents   P(0)%    ASA    DLYDLY     Q1       Q2    SL%  OCC%   TKLD",
    "======   =====   =====    ====     ====     ====   ===  ====  ======",
};

inline const char* const kWorkedDelayHead[] = {
    "Average Talk Time (Sec.)      : 180",
    "After-Call Work Time (Sec.)   : 30",
    "Calls per Half-Hour           : 100",
    "Service Level Objective (Sec.): 20",
    " ",
    "          |<=== Number of callers waiting longer than x seconds ===>|",
    "Agents SL%    5   10   15   20   30   40   50   60   90  120  180  240",
    "====== === ==== ==== ==== ==== ==== ==== ==== ==== ==== ==== ==== ====",
};

inline const char* const kWorkedStaffingRows[] = {
    "   12    89.1   561.5   630.0     31.2     35.0    14    97   41.2",
    "   13    61.9    97.4   157.5      5.4      8.8    46    90   15.4",
    "   14    41.6    37.5    90.0      2.1      5.0    67    83   12.1",
    "   15    27.1    17.1    63.0      0.9      3.5    80    78   10.9",
    "   16    17.0     8.3    48.5      0.5      2.7    89    73   10.5",
    "   17    10.3     4.1    39.4      0.2      2.2    94    69   10.2",
    "   18     6.0     2.0    33.2      0.1      1.8    97    65   10.1",
    "   19     3.4     1.0    28.6      0.1      1.6    98    61   10.1",
    "   20     1.8     0.5    25.2      0.0      1.4    99    58   10.0",
};

inline const char* const kWorkedDelayRows[] = {
    "   12  14   88   88   87   86   85   84   82   81   77   74   67   61",
    "   13  46   60   58   56   54   51   48   45   42   35   29   20   13",
    "   14  67   39   37   35   33   30   27   24   21   15   11    6    3",
    "   15  80   25   23   21   20   17   14   12   10    6    4    2    1",
    "   16  89   15   14   13   11    9    7    6    5    3    1    0    0",
    "   17  94    9    8    7    6    5    4    3    2    1    0    0    0",
    "   18  97    5    4    4    3    2    2    1    1    0    0    0    0",
    "   19  98    3    2    2    2    1    1    1    0    0    0    0    0",
    "   20  99    2    1    1    1    1    0    0    0    0    0    0    0",
};

}  // namespace corvane::testing
