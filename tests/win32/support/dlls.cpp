#include "dlls.h"

#include <map>
#include <memory>
#include <set>

#include "export_names.h"

namespace win32test {

namespace {

std::map<Flavour, std::unique_ptr<Library>>& loaded() {
    static std::map<Flavour, std::unique_ptr<Library>> libraries;
    return libraries;
}

// Loads both DLLs before the first test; at the end, when the whole program
// ran, checks that the tables reached every entry point of each.
class BothDlls : public ::testing::Environment {
public:
    void SetUp() override {
        library(Flavour::plain);
        library(Flavour::rec);
    }
    void TearDown() override {
        if (::testing::GTEST_FLAG(filter) != "*") return;
        for (const Flavour flavour : {Flavour::plain, Flavour::rec}) {
            const std::vector<std::string>& list = called_entries(flavour);
            const std::set<std::string> called(list.begin(), list.end());
            for (const ExpectedExport& e : kExports) {
                EXPECT_TRUE(called.count(e.name)) << "no test calls " << e.name << " in " << dll_name(flavour);
            }
        }
        loaded().clear();
    }
};

[[maybe_unused]] ::testing::Environment* const environment = ::testing::AddGlobalTestEnvironment(new BothDlls);

}  // namespace

const Library& library(Flavour flavour) {
    std::unique_ptr<Library>& slot = loaded()[flavour];
    if (!slot) slot = std::make_unique<Library>(flavour);
    return *slot;
}

std::string flavour_name(const ::testing::TestParamInfo<Flavour>& info) {
    return info.param == Flavour::plain ? "novra3" : "novra3_rec";
}

}  // namespace win32test
