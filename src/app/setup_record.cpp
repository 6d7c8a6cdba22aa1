#include "app/setup_record.h"

namespace {
SetupRecord g_setup;
}

SetupRecord& Setup() {
    return g_setup;
}

void ResetSetupRecord() {
    g_setup = SetupRecord{};
}
