#include "resources/catalogue_derivatives.h"

#include "resources/catalogue_products.h"

namespace catalogue {

namespace {

constexpr DerivativeRow Row51(const char* name, const char* generic, const char* company, const char* ref,
                              std::uint16_t flags, const char* ram, const char* inc) {
    return {name, generic, company, ref, "80C51", "", flags, "No", ram, inc, ""};
}

constexpr std::uint16_t P = kFlagPhilips, I = kFlagInfineon, A = kFlagOthers, D = kFlagDallas;

constexpr DerivativeRow k8051[] = {
    Row51("P8x51", "8051", "Philips", "_51_0", P, "128", "\\inc\\reg51.h"),
    Row51("P8x52", "8052", "Philips", "_52_0", P, "256", "\\inc\\reg52.h"),
    Row51("P8xC51", "8xC51", "Philips", "_1051_0", P, "128", "\\inc\\reg51.h"),
    Row51("P8xC52", "8xC52", "Philips", "_1052_0", P, "256", "\\inc\\reg52.h"),
    Row51("P8xC54", "8xC52", "Philips", "_1052_0", P, "256", "\\inc\\reg52.h"),
    Row51("P8xC58", "8xC52", "Philips", "_1052_0", P, "256", "\\inc\\reg52.h"),
    Row51("TS8xC51", "8xC51", "Atmel", "_1051_0", A, "128", "\\inc\\reg51.h"),
    Row51("TS8xC52", "8xC52", "Atmel", "_1052_0", A, "256", "\\inc\\reg52.h"),
    Row51("TS8xC54", "8xC52", "Atmel", "_1052_0", A, "256", "\\inc\\reg52.h"),
    Row51("TS8xC58", "8xC52", "Atmel", "_1052_0", A, "256", "\\inc\\reg52.h"),
    Row51("SAB-C501G", "8xC52", "Infineon", "_1052_0", I, "256", "\\inc\\reg52.h"),
    Row51("8xC154", "8xC154", "Atmel", "_154_0", A, "256", "\\inc\\reg154.h"),
    Row51("P8xC51FA", "8xC51Fx", "Philips", "_152_0", P, "256", "\\inc\\reg51fx.h"),
    Row51("P8xC51FB", "8xC51Fx", "Philips", "_152_0", P, "256", "\\inc\\reg51fx.h"),
    Row51("P8xC51FC", "8xC51Fx", "Philips", "_152_0", P, "256", "\\inc\\reg51fx.h"),
    Row51("DS80C320", "DS80C320", "Dallas", "_320_0", D, "256", "\\inc\\reg320.h"),
    Row51("DS80C323", "DS80C320", "Dallas", "_320_0", D, "256", "\\inc\\reg320.h"),
    Row51("80515", "80515", "Infineon", "_515_2", I, "256", "\\inc\\reg515.h"),
    Row51("SAB-C515", "C515", "Infineon", "_10515_2", I, "256", "\\inc\\reg515.h"),
    Row51("SAB-C515A*", "C515A", "Infineon", "_5150_2", I, "256", "\\inc\\reg515A.h"),
    Row51("SAB-C515C*", "C515C*", "Infineon", "_5015_2", I, "256", "\\inc\\reg515C.h"),
    Row51("SAB-C513*", "C513*", "Infineon", "_5013_2", I, "256", "\\inc\\reg52.h"),
    Row51("SAB-C504*", "C504*", "Infineon", "_5004_2", I, "256", "\\inc\\reg504.h"),
    Row51("SAB-C509*", "C509*", "Infineon", "_5009_2", I, "256", "\\inc\\reg509.h"),
    Row51("SAB-C517", "80C517", "Infineon", "_517_2", I, "256", "\\inc\\reg517.h"),
    Row51("SAB-C517A*", "C517A*", "Infineon", "_5170_2", I, "256", "\\inc\\reg517A.h"),
    Row51("SAB-C505C*", "C505C*", "Infineon", "_5005_2", I, "256", "\\inc\\reg505.h"),
    Row51("SAB-C505CA*", "83C505CA*", "Infineon", "_5006_2", I, "256", "\\inc\\reg505.h"),
    Row51("P8xC528*", "8xC528*", "Philips", "_528_1", P, "256", "\\inc\\reg528.h"),
    Row51("P8xC524*", "8xC528*", "Philips", "_528_1", P, "256", "\\inc\\reg528.h"),
    Row51("P8xC592*", "8xC592*", "Philips", "_592_1", P, "256", "\\inc\\reg592.h"),
    Row51("P8xC451", "8xC451", "Philips", "_451_1", P, "128", "\\inc\\reg451.h"),
    Row51("P8xC552*", "8xC552*", "Philips", "_552_1", P, "256", "\\inc\\reg552.h"),
    Row51("P8xC652*", "8xC652*", "Philips", "_652_1", P, "256", "\\inc\\reg652.h"),
    Row51("P8xC752*", "80C752*", "Philips", "_752_1", P, "64", "\\inc\\reg752.h"),
    Row51("P8xC851", "8xC851", "Philips", "_851_1", P, "128", "\\inc\\reg851.h"),
    // The two parts modelled by the peripheral simulation kit.
    {"T89C51CC01", "T89C51CC01", "Atmel", kPeripheralKitRef, "80C51", "\\bin\\PeriSim51.dll", A, "No", "256",
     "\\inc\\regcc01.h", "\\sim\\t89cc01.sim"},
    {"ADuC812", "ADuC812", "Analog Device", kPeripheralKitRef, "80C51", "\\bin\\PeriSim51.dll", A, "No",
     "256", "\\inc\\aduc812.h", "\\sim\\aduc812.sim"},
};
static_assert(sizeof k8051 / sizeof k8051[0] == 38);

constexpr DerivativeRow k251Xa[] = {
    {"83C251-SB", "83C251-SB", "Intel", "_251_3", "80C251", "", 0xc, "No", "256", "\\inc\\reg251.h", ""},
    {"XA-C3", "XA-C3", "Philips", "_6_4", "XA", "", P, "No", "256", "\\inc\\regXAC3.h", ""},
    {"XA-G49", "XA-G49", "Philips", "_9_4", "XA", "", P, "No", "256", "\\inc\\regXAG49.h", ""},
    {"XA-G3", "XA-G3", "Philips", "_3_4", "XA", "", P, "No", "256", "\\inc\\regXAG3.h", ""},
    {"XA-S3", "XA-S3", "Philips", "_5_4", "XA", "", P, "No", "256", "\\inc\\regXAS3.h", ""},
};

constexpr const char* kRes1 = "0B00h-0B9Fh;0FA0h-0FEFh;0FF8h-0FFBh";
constexpr const char* kRes2 = "0800h-087Fh;0FA0h-0FEFh;0FF8h-0FFBh";
constexpr const char* kRes3 = "0000h-007Fh;0FA0h-0FEFh;0FF8h-0FFBh;1000h-100Fh;1800h-180Fh";
constexpr const char* kRes4 = "0000h-007Fh;0FA0h-0FEFh;0FF8h-0FFBh";

constexpr St6DerivativeRow kSt6[] = {
    {"ST6200C", "00", "0CB", "0B00", kRes1, "1024", "84", "64"},
    {"ST6201C", "00", "0CB", "0800", kRes2, "1824", "84", "64"},
    {"ST6203C", "00", "0CB", "0B00", kRes1, "1024", "84", "64"},
    {"ST6208C", "00", "0CB", "0B00", kRes1, "1024", "84", "64"},
    {"ST6209C", "00", "0CB", "0B00", kRes1, "1024", "84", "64"},
    {"ST6210C", "00", "0CB", "0800", kRes2, "1824", "84", "64"},
    {"ST6215C", "00", "0CB", "0800", kRes2, "1824", "84", "64"},
    {"ST6218C", "18", "0CB", "0000", kRes3, "8192", "00", "192"},
    {"ST6220C", "00", "0CB", "0000", kRes4, "3872", "84", "60"},
    {"ST6225C", "00", "0CB", "0000", kRes4, "3872", "84", "60"},
    {"ST6228C", "18", "0CB", "0000", kRes3, "8192", "00", "192"},
    {"ST6230B", "1B", "0CB", "0000", kRes3, "8192", "00", "192"},
    {"ST6232B", "1B", "0CB", "0000", kRes3, "8192", "00", "192"},
    {"ST6240B", "1B", "0CB", "0000", kRes3, "8192", "00", "192"},
    {"ST6242B", "08", "0CB", "0000", kRes3, "8192", "00", "192"},
    {"ST6246B", "1B", "0CB", "0000", kRes4, "3872", "00", "128"},
    {"ST6252C", "11", "0E8", "0800", kRes2, "1824", "00", "128"},
    {"ST6253C", "13", "0E8", "0800", kRes2, "1824", "00", "128"},
    {"ST6255C", "13", "0E8", "0000", kRes4, "3872", "00", "128"},
    {"ST6260C", "13", "0E8", "0000", kRes4, "3872", "00", "128"},
    {"ST6262C", "11", "0E8", "0800", kRes2, "1824", "00", "128"},
    {"ST6263C", "13", "0E8", "0800", kRes2, "1824", "00", "128"},
    {"ST6265C", "13", "0E8", "0000", kRes4, "3872", "00", "128"},
    {"ST6280B", "7B", "0CB", "0000", kRes3, "8192", "00", "192"},
    {"ST6285B", "7B", "0CB", "0000", kRes3, "8192", "00", "192"},
};
static_assert(sizeof kSt6 / sizeof kSt6[0] == 25);

}  // namespace

std::span<const DerivativeRow> Builtin8051Derivatives() {
    return k8051;
}
std::span<const DerivativeRow> Builtin251XaDerivatives() {
    return k251Xa;
}
std::span<const St6DerivativeRow> St6Derivatives() {
    return kSt6;
}

}  // namespace catalogue
