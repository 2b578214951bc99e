// Loads both DLLs before the first test and, when the whole program ran,
// checks that the case tables reached every entry point of each.
#include <set>
#include <string>

#include "dlls.h"
#include "export_names.h"

namespace win32test {
namespace {

class EveryEntryPoint : public ::testing::Environment {
public:
    void SetUp() override {
        library(Flavour::plain);
        library(Flavour::rec);
    }
    void TearDown() override {
        if (::testing::GTEST_FLAG(filter) == "*") {
            for (const Flavour flavour : {Flavour::plain, Flavour::rec}) {
                const std::vector<std::string>& list = called_entries(flavour);
                const std::set<std::string> called(list.begin(), list.end());
                for (const ExpectedExport& e : kExports) {
                    EXPECT_TRUE(called.count(e.name)) << "no test calls " << e.name << " in " << dll_name(flavour);
                }
            }
        }
        unload_all();
    }
};

[[maybe_unused]] ::testing::Environment* const environment = ::testing::AddGlobalTestEnvironment(new EveryEntryPoint);

}  // namespace
}  // namespace win32test
