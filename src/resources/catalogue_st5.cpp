#include "resources/catalogue_derivatives.h"

namespace catalogue {

namespace {

// Peripherals, one bit each in the order of their values.
enum : unsigned {
    ADC8 = 1 << 0,
    ADC10 = 1 << 1,
    COMP = 1 << 2,
    T0 = 1 << 3,
    T1 = 1 << 4,
    T2 = 1 << 5,
    WD = 1 << 6,
    SPI = 1 << 7,
    SCI = 1 << 8,
    SCI2 = 1 << 9,
    I2C = 1 << 10,
    TRIAC = 1 << 11,
};

// What the parts of one line share; the code size tells the parts of a line apart.
struct Line {
    std::uint32_t ramSize, ramStart, eepromSize, flash, sspAddress, clockManager;
    std::uint32_t ports[7][2];
    unsigned peripherals;
};

constexpr Line kT504 = {
    0x200, 0x2000, 0x1000, 1, 0x2C, 0, {{0xFF, 0}, {0xFF, 0}, {0x3F, 0}}, T0 | T1 | T2 | WD | SPI | I2C};
constexpr Line kT503 = {0x100, 0x2000, 0x800, 1, 0x2C, 0, {{0xFF, 0}, {0x3F, 0}}, T0 | T1 | WD | SPI | I2C};
constexpr Line kT500 = {0x100, 0x2000, 0x800, 1, 0x2C, 0, {{0xFF, 0}, {0x1F, 0}}, T0 | T1 | WD | SPI};
constexpr Line kT521 = {0x200,
                        0x2000,
                        0x1000,
                        1,
                        0x2C,
                        1,
                        {{0xFF, 0}, {0xFF, 0xFF}, {0x3F, 0}},
                        ADC10 | COMP | T0 | T1 | T2 | WD | SPI | SCI | I2C};
constexpr Line k430 = {
    0x100, 0x2000, 0, 0, 0x09, 0, {{0xFF, 0}, {0xFF, 0xFF}, {0x7F, 0}}, ADC8 | T0 | T1 | T2 | WD | SCI};
constexpr Line k420 = {
    0x100, 0x2000, 0, 0, 0x09, 0, {{0xFF, 0}, {0xFF, 0xFF}, {0x3F, 0}}, ADC8 | T0 | T1 | WD | SCI};
constexpr Line k440 = {0x100,
                       0x2000,
                       0,
                       0,
                       0x09,
                       0,
                       {{0xFF, 0}, {0xFF, 0xFF}, {0xFF, 0}, {0x0F, 0}},
                       ADC8 | T0 | T1 | T2 | WD | SPI | SCI | TRIAC};
constexpr Line kT410 = {0x80, 0x2000, 0, 0, 0x09, 0, {{0xFF, 0}, {0x3F, 0x3F}}, ADC8 | COMP | T0 | WD};
constexpr Line kT400 = {0x80, 0x2000, 0, 0, 0x09, 0, {{0xFF, 0}, {0xFF, 0xFF}}, ADC8 | T0 | T1 | WD};
constexpr Line k530 = {0x200,
                       0x2000,
                       0,
                       0,
                       0x09,
                       0,
                       {{0xFF, 0}, {0xFF, 0xFF}, {0xFF, 0}, {0xFF, 0}, {0x3F, 0}},
                       ADC8 | T0 | T1 | T2 | WD | SPI | SCI | I2C};
constexpr Line kF514 = {0x200,
                        0x2000,
                        0x1000,
                        1,
                        0x2C,
                        0,
                        {{0xFF, 0}, {0xFF, 0xFF}, {0x3F, 0}},
                        ADC10 | T0 | T1 | WD | SPI | SCI | I2C};
constexpr Line kF513 = {
    0x100, 0x2000, 0x800, 1, 0x2C, 0, {{0xFF, 0}, {0xFF, 0xFF}}, ADC10 | T0 | T1 | WD | SPI | SCI};
constexpr Line kF510 = {0x100, 0x2000, 0x400, 1, 0x2C, 0, {{0xFF, 0}, {0x3F, 0x3F}}, ADC10 | T0 | WD | SPI};
constexpr Line k520 = {
    0x200, 0x2000, 0, 0, 0x09, 0, {{0xFF, 0}, {0xFF, 0xFF}, {0xFF, 0}}, ADC8 | T0 | T1 | T2 | WD | SPI};
constexpr Line kF518 = {0x400,
                        0x2000,
                        0x2000,
                        1,
                        0x2C,
                        1,
                        {{0xFF, 0}, {0xFF, 0xFF}, {0xFF, 0}, {0xFF, 0xFF}, {0xFF, 0}, {0x0F, 0}},
                        ADC10 | COMP | T0 | T1 | T2 | WD | SPI | SCI | SCI2 | I2C};
constexpr Line kF515 = {0x400,
                        0x2000,
                        0x1000,
                        1,
                        0x2C,
                        1,
                        {{0xFF, 0}, {0xFF, 0xFF}, {0xFF, 0}, {0xFF, 0}},
                        ADC10 | COMP | T0 | T1 | T2 | WD | SPI | SCI | I2C};
constexpr Line kF508L = {
    0x200, 0x2000, 0x800, 1, 0x2C, 1, {{0xFF, 0}, {0xFF, 0xFF}, {0x3F, 0}}, ADC10 | T0 | T1 | WD | SPI | SCI};
constexpr Line kF505L = {0x100, 0x2000, 0x400, 1, 0x2C, 1, {{0xFF, 0}, {0x3F, 0x3F}}, ADC10 | T0 | WD | SCI};
constexpr Line kF508 = {0x200,
                        0x2000,
                        0x800,
                        1,
                        0x2C,
                        1,
                        {{0xFF, 0}, {0xFF, 0xFF}, {0x3F, 0}},
                        ADC10 | T0 | T1 | T2 | WD | SPI | SCI};
constexpr Line kF505 = {
    0x100, 0x2000, 0x400, 1, 0x2C, 1, {{0xFF, 0}, {0xFF, 0xFF}}, ADC10 | T0 | T1 | WD | SCI};

constexpr St5DerivativeRow Part(const char* name, const Line& line, std::uint32_t codeSize) {
    St5DerivativeRow row{name, {}};
    row.values[kCodeSize] = codeSize;
    row.values[kRamSize] = line.ramSize;
    row.values[kRamStart] = line.ramStart;
    row.values[kEepromSize] = line.eepromSize;
    row.values[kFlash1Eprom0] = line.flash;
    row.values[kSspAddress] = line.sspAddress;
    row.values[kHasClockManager] = line.clockManager;
    for (int port = 0; port < 7; ++port) {
        row.values[kPortA + 2 * port] = line.ports[port][0];
        row.values[kPortA + 2 * port + 1] = line.ports[port][1];
    }
    for (int bit = 0; bit < 12; ++bit)
        row.values[kAdc8 + bit] = (line.peripherals >> bit) & 1u;
    return row;
}

constexpr St5DerivativeRow kSt5[] = {
    Part("ST52T504x3", kT504, 0x1000),   Part("ST52T504x2", kT504, 0x800),
    Part("ST52T504x1", kT504, 0x400),    Part("ST52T504x0", kT504, 0x200),
    Part("ST52T503x0", kT503, 0x200),    Part("ST52T503x2", kT503, 0x800),
    Part("ST52T503x1", kT503, 0x400),    Part("ST52T503x0", kT503, 0x300),
    Part("ST52T500x4", kT500, 0x1000),   Part("ST52T500x2", kT500, 0x800),
    Part("ST52T500x1", kT500, 0x400),    Part("ST52T500x0", kT500, 0x200),
    Part("ST52T521x3", kT521, 0x2000),   Part("ST52T521x2", kT521, 0x1000),
    Part("ST52T521x1", kT521, 0x800),    Part("ST52T521x0", kT521, 0x400),
    Part("ST52E430K3", k430, 0x2000),    Part("ST52T430K3", k430, 0x1FF0),
    Part("ST52T430K2", k430, 0x1000),    Part("ST52T430K1", k430, 0x800),
    Part("ST52E420x2", k420, 0x1000),    Part("ST52T420x2", k420, 0xFF0),
    Part("ST52T420x1", k420, 0x800),     Part("ST52T420x0", k420, 0x400),
    Part("ST52E440x0", k440, 0x2000),    Part("ST52T440x3", k440, 0x1FF0),
    Part("ST52T440x2", k440, 0x1000),    Part("ST52T440x1", k440, 0x800),
    Part("ST52T440x0", k440, 0x400),     Part("ST52T410x2", kT410, 0x800),
    Part("ST52T410x1", kT410, 0x400),    Part("ST52T410x0", kT410, 0x200),
    Part("ST52T400x3", kT400, 0x1000),   Part("ST52T400x2", kT400, 0x800),
    Part("ST52T400x1", kT400, 0x400),    Part("ST52T400x0", kT400, 0x200),
    Part("ST52E530x3", k530, 0x2000),    Part("ST52T530x3", k530, 0x1FF0),
    Part("ST52T530x2", k530, 0x1000),    Part("ST52T530x1", k530, 0x800),
    Part("ST52F514x3", kF514, 0x1000),   Part("ST52F514x2", kF514, 0x800),
    Part("ST52F514x1", kF514, 0x400),    Part("ST52F514x0", kF514, 0x200),
    Part("ST52F513x3", kF513, 0x1000),   Part("ST52F513x2", kF513, 0x800),
    Part("ST52F513x1", kF513, 0x400),    Part("ST52F513x0", kF513, 0x200),
    Part("ST52F510x3", kF510, 0x1000),   Part("ST52F510x2", kF510, 0x800),
    Part("ST52F510x1", kF510, 0x400),    Part("ST52F510x0", kF510, 0x200),
    Part("ST52E520x3", k520, 0x1FFF),    Part("ST52T520x3", k520, 0x1FF0),
    Part("ST52T520x2", k520, 0x1000),    Part("ST52T520x1", k520, 0x800),
    Part("ST52T520x0", k520, 0x400),     Part("ST52F518x5", kF518, 0x8000),
    Part("ST52F518x4", kF518, 0x4000),   Part("ST52F518x3", kF518, 0x2000),
    Part("ST52F515x5", kF515, 0x8000),   Part("ST52F515x4", kF515, 0x4000),
    Part("ST52F515x3", kF515, 0x2000),   Part("ST52F508Lx5", kF508L, 0x2000),
    Part("ST52F508Lx4", kF508L, 0x1000), Part("ST52F508Lx3", kF508L, 0x800),
    Part("ST52F505Lx5", kF505L, 0x2000), Part("ST52F505Lx4", kF505L, 0x1000),
    Part("ST52F505Lx3", kF505L, 0x800),  Part("ST52F508x5", kF508, 0x2000),
    Part("ST52F508x4", kF508, 0x1000),   Part("ST52F508x3", kF508, 0x800),
    Part("ST52F505x5", kF505, 0x2000),   Part("ST52F505x4", kF505, 0x1000),
    Part("ST52F505x3", kF505, 0x800),    Part("ST52E520", k520, 0x2000),
};
static_assert(sizeof kSt5 / sizeof kSt5[0] == 76);

}  // namespace

std::span<const St5DerivativeRow> St5Derivatives() {
    return kSt5;
}

}  // namespace catalogue
