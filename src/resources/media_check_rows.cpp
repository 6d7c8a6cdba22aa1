#include "resources/catalogue.h"

namespace catalogue {

namespace {

constexpr MediaFileSet kIdeSets[] = {
    {"Ovra_1"}, {"Ovra_2"}, {"Ovra_3"}, {"Ovra_4"}, {"Version"}, {"Ovra_5", nullptr, kOvraSt6, kLpcTools}, {"Debug"},
};
constexpr MediaFileSet kAddOnSets[] = {{"Version"}};

constexpr MediaCheckRow kRows[] = {
    {nullptr, nullptr, kIdeSets},
    {kAddOnTools, nullptr, kAddOnSets},
};

}  // namespace

std::span<const MediaCheckRow> MediaCheckRows() { return kRows; }

}  // namespace catalogue
