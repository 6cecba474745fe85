// The running process's resident memory and its peak, in KiB.
#pragma once

namespace dm::test {

// The running process's resident memory in KiB, as /proc/self/status gives it; 0 when it cannot be
// read.
long residentKib();     // now (VmRSS)
long peakResidentKib(); // the highest so far (VmHWM)

} // namespace dm::test
