// The units of src/ (a .cpp with its header) form no include cycle: each room depends only on the rooms
// below it, so a unit can be read, tested and replaced without pulling in the application above it.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <regex>
#include <set>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

using Graph = std::map<std::string, std::set<std::string>>;

// "engine/file_set.cpp" and "engine/file_set.h" are one unit, "engine/file_set".
std::string UnitOf(const std::string& relative) {
    auto dot = relative.rfind('.');
    return dot == std::string::npos ? relative : relative.substr(0, dot);
}

// Adds the edges of one source file: its unit depends on the unit of every quoted include that names
// a file of src/ (other than its own header).
void AddIncludes(Graph& graph, const fs::path& root, const fs::path& file) {
    static const std::regex include(R"(^\s*#\s*include\s*"([^"]+)\")");
    std::string unit = UnitOf(fs::relative(file, root).generic_string());
    graph[unit];
    std::ifstream in(file);
    std::string line;
    std::smatch m;
    while (std::getline(in, line)) {
        if (!std::regex_search(line, m, include)) continue;
        std::string target = m[1].str();
        if (!fs::exists(root / target)) continue;
        std::string targetUnit = UnitOf(target);
        if (targetUnit != unit) graph[unit].insert(targetUnit);
    }
}

Graph IncludeGraph(const fs::path& root) {
    Graph graph;
    for (const auto& entry : fs::recursive_directory_iterator(root)) {
        auto ext = entry.path().extension();
        if (entry.is_regular_file() && (ext == ".cpp" || ext == ".h")) AddIncludes(graph, root, entry.path());
    }
    return graph;
}

// Strongly connected components of more than one unit (Tarjan), each sorted by name.
std::vector<std::vector<std::string>> Cycles(const Graph& graph) {
    std::map<std::string, int> index, low;
    std::set<std::string> onStack;
    std::vector<std::string> stack;
    std::vector<std::vector<std::string>> result;
    int next = 0;
    std::function<void(const std::string&)> visit = [&](const std::string& v) {
        index[v] = low[v] = next++;
        stack.push_back(v);
        onStack.insert(v);
        auto it = graph.find(v);
        if (it != graph.end()) {
            for (const auto& w : it->second) {
                if (!index.count(w)) {
                    visit(w);
                    low[v] = std::min(low[v], low[w]);
                } else if (onStack.count(w)) {
                    low[v] = std::min(low[v], index[w]);
                }
            }
        }
        if (low[v] != index[v]) return;
        std::vector<std::string> component;
        std::string w;
        do {
            w = stack.back();
            stack.pop_back();
            onStack.erase(w);
            component.push_back(w);
        } while (w != v);
        if (component.size() > 1) {
            std::sort(component.begin(), component.end());
            result.push_back(component);
        }
    };
    for (const auto& [unit, _] : graph)
        if (!index.count(unit)) visit(unit);
    return result;
}

std::string Describe(const std::vector<std::vector<std::string>>& cycles) {
    std::string text;
    for (const auto& cycle : cycles) {
        text += "cycle:";
        for (const auto& unit : cycle)
            text += " " + unit;
        text += "\n";
    }
    return text;
}

TEST(IncludeCycles, FinderSeesADirectAndAnIndirectCycle) {
    Graph graph{{"a", {"b"}}, {"b", {"a"}}, {"c", {"d"}}, {"d", {"e"}}, {"e", {"c"}}, {"f", {"a"}}};
    auto cycles = Cycles(graph);
    ASSERT_EQ(cycles.size(), 2u) << Describe(cycles);
    EXPECT_EQ(Describe(cycles), "cycle: a b\ncycle: c d e\n");
    EXPECT_TRUE(Cycles(Graph{{"a", {"b"}}, {"b", {"c"}}, {"c", {}}}).empty());
}

TEST(IncludeCycles, UnitsOfSrcFormNoCycle) {
    fs::path root = fs::path(OVRA_SOURCE_DIR) / "src";
    Graph graph = IncludeGraph(root);
    ASSERT_GT(graph.size(), 50u) << "the sources were not found under " << root;
    auto cycles = Cycles(graph);
    EXPECT_TRUE(cycles.empty()) << Describe(cycles);
}

}  // namespace
