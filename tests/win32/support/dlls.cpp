#include "dlls.h"

#include <map>
#include <memory>

namespace win32test {

namespace {

std::map<Flavour, std::unique_ptr<Library>>& loaded() {
    static std::map<Flavour, std::unique_ptr<Library>> libraries;
    return libraries;
}

}  // namespace

void unload_all() { loaded().clear(); }

const Library& library(Flavour flavour) {
    std::unique_ptr<Library>& slot = loaded()[flavour];
    if (!slot) slot = std::make_unique<Library>(flavour);
    return *slot;
}

std::string flavour_name(const ::testing::TestParamInfo<Flavour>& info) {
    return info.param == Flavour::plain ? "novra3" : "novra3_rec";
}

}  // namespace win32test
