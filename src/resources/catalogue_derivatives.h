// The built-in derivative tables: the 38 8051 parts (used when the media's HF.csv yields none), the five
// 80C251/XA parts, the 25 ST6 parts and the 76 ST5 parts.
#pragma once

#include <array>
#include <cstdint>
#include <span>

namespace catalogue {

// One 8051, 80C251 or XA derivative, in the field order of the derivative record.
struct DerivativeRow {
    const char* name;
    const char* generic;
    const char* company;
    const char* microRef;
    const char* targetName;
    const char* dllName;  // relative to the installation directory, or ""
    std::uint16_t flags;
    const char* hidden;
    const char* intRamSize;
    const char* incFile;   // relative, or ""
    const char* microDef;  // relative, or ""
};
// Selection-mask bits of the built-in rows.
inline constexpr std::uint16_t kFlagPhilips = 0x1;
inline constexpr std::uint16_t kFlagInfineon = 0x2;
inline constexpr std::uint16_t kFlag80C251 = 0x4;
inline constexpr std::uint16_t kFlagOthers = 0x8;  // Atmel, Analog Devices and Intel
inline constexpr std::uint16_t kFlagDallas = 0x10;
inline constexpr std::uint16_t kFlagLpc = 0x20;

std::span<const DerivativeRow> Builtin8051Derivatives();   // 38 rows
std::span<const DerivativeRow> Builtin251XaDerivatives();  // 5 rows

struct St6DerivativeRow {
    const char* name;
    const char* drbrMask;
    const char* drbrAddr;
    const char* codeStart;
    const char* codeReserved;
    const char* codeSize;
    const char* dataStart;
    const char* dataSize;
};
std::span<const St6DerivativeRow> St6Derivatives();  // 25 rows

// The 33 numbers of an ST5 row, in their stored order.
enum St5Field : int {
    kCodeSize,
    kRamSize,
    kRamStart,
    kEepromSize,
    kFlash1Eprom0,
    kSspAddress,
    kHasClockManager,
    kPortA,  // then PortA analogue, B, B analogue ... G, G analogue
    kAdc8 = kPortA + 14,
    kAdc10,
    kComp,
    kTimer0,
    kTimer1,
    kTimer2,
    kWatchDog,
    kSpi,
    kSci,
    kSci2,
    kI2c,
    kTriac,
    kSt5FieldCount
};
static_assert(kSt5FieldCount == 33);
struct St5DerivativeRow {
    const char* name;
    std::array<std::uint32_t, kSt5FieldCount> values;
};
std::span<const St5DerivativeRow> St5Derivatives();  // 76 rows

}  // namespace catalogue
