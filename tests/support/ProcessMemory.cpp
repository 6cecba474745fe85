// The running process's resident memory, read from /proc/self/status.
#include "support/ProcessMemory.h"

#include <fstream>
#include <string>

namespace dm::test {

namespace {

// The number after key ("VmRSS:") in /proc/self/status.
long statusKib(const std::string& key) {
    std::ifstream status("/proc/self/status");
    std::string name;
    while (status >> name) {
        if (name == key) {
            long kib = 0;
            status >> kib;
            return kib;
        }
        status.ignore(1 << 12, '\n');
    }
    return 0;
}

} // namespace

long residentKib() {
    return statusKib("VmRSS:");
}

long peakResidentKib() {
    return statusKib("VmHWM:");
}

} // namespace dm::test
