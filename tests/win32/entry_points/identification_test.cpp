// The identification texts, the same through both conventions and in both builds.
#include <cstring>

#include "dlls.h"

namespace win32test {
namespace {

constexpr const char kTitre[] = "NOVRA3 (et NOVRA4 ?)";
constexpr const char kDetail[] =
    "Interface Mirvane NOVRA3 : 4 entr\xE9"
    "es analogiques (connecteurs A et B), 1 sortie analogique, 16 entr\xE9"
    "es logiques, 4 sorties logiques";

using Identification = EachDll;

TEST_P(Identification, TitreAndDetailUnderBothNames) {
    const CallOutcome titre = run(dll(), Case{"titre", {}, Txt(kTitre), {}});
    const CallOutcome stdtitre = run(dll(), Case{"stdtitre", {}, Txt(kTitre), {}});
    const CallOutcome detail = run(dll(), Case{"detail", {}, Txt(kDetail), {}});
    const CallOutcome stddetail = run(dll(), Case{"stddetail", {}, Txt(kDetail), {}});
    EXPECT_STREQ(titre.text(), stdtitre.text());
    EXPECT_STREQ(detail.text(), stddetail.text());
}

WIN32TEST_FOR_EACH_DLL(Identification);

}  // namespace
}  // namespace win32test
