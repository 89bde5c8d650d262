// Input files that several tests read.
#pragma once

// The two-node example as the editor writes it: nodes 10 (known head 100 m) and 20 (withdrawal
// 2.5 l/s), joined by pipe 1 of 120.5 m and 150 mm.
inline constexpr char kTwoNodeExample[] =
    "3\t1.305\t1000\t1\t2\t0\t1\n"
    "\n"
    "10\n"
    "20\n"
    "\n"
    "1\t0\t1\t120.5\t150\t0.1\t0.00\t\n"
    "\n\n\n\n"
    "0\t100.0\t---\t---\t105.0\t98.0\t\n"
    "1\t---\t0\t2.5\t104.0\t97.5\t\n";
