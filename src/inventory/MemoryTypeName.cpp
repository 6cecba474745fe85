// The names of memory type codes, and the DDR generation guessed from the speed.
#include "inventory/MemoryTypeName.h"

#include <iterator>

namespace dm {

namespace {

const char* const kTypeNames[] = {
    "Unknown",          // 0
    "Other",            // 1
    "DRAM",             // 2
    "Synchronous DRAM", // 3
    "Cache DRAM",       // 4
    "EDO",              // 5
    "EDRAM",            // 6
    "VRAM",             // 7
    "SRAM",             // 8
    "RAM",              // 9
    "ROM",              // 10
    "Flash",            // 11
    "EEPROM",           // 12
    "FEPROM",           // 13
    "EPROM",            // 14
    "CDRAM",            // 15
    "3DRAM",            // 16
    "SDRAM",            // 17
    "SGRAM",            // 18
    "RDRAM",            // 19
    "DDR",              // 20
    "DDR2",             // 21
    "DDR2 FB-DIMM",     // 22
    "Reserved",         // 23
    "DDR3",             // 24
    "FBD2",             // 25
    "DDR4",             // 26
    "LPDDR",            // 27
    "LPDDR2",           // 28
    "LPDDR3",           // 29
    "LPDDR4",           // 30
    "Logical",          // 31
    "HBM",              // 32
    "HBM2",             // 33
    "DDR5",             // 34
    "LPDDR5",           // 35
};

struct SpeedGuess {
    std::int32_t lowestSpeed; // MHz, inclusive
    const char* name;
};

// From the fastest down; speeds above 200 MHz only.
const SpeedGuess kSpeedGuesses[] = {
    {3201, "DDR5"}, {2400, "DDR4"}, {800, "DDR3"}, {400, "DDR2"}, {201, "DDR"},
};

} // namespace

std::string MemoryTypeName(std::int32_t typeCode, std::int32_t speed) {
    const std::string name =
        typeCode >= 0 && typeCode < std::ssize(kTypeNames) ? kTypeNames[typeCode] : "Unknown";
    const bool saysNothing = name == "Reserved" || name == "Unknown" || typeCode < 2;
    if (!saysNothing || speed <= 200)
        return name;
    for (const SpeedGuess& guess : kSpeedGuesses)
        if (speed >= guess.lowestSpeed)
            return guess.name;
    return name;
}

} // namespace dm
