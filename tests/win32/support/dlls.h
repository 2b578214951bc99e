// Both DLLs, loaded once for the whole program (every load costs a second of
// calibration), and a fixture that runs a test against each.
#pragma once

#include <gtest/gtest.h>

#include "entry_case.h"
#include "library.h"

namespace win32test {

const Library& library(Flavour flavour);  // loaded at the first use
void unload_all();

class EachDll : public ::testing::TestWithParam<Flavour> {
protected:
    const Library& dll() const { return library(GetParam()); }
};

std::string flavour_name(const ::testing::TestParamInfo<Flavour>& info);

#define WIN32TEST_FOR_EACH_DLL(fixture) \
    INSTANTIATE_TEST_SUITE_P(Dlls, fixture, ::testing::Values(Flavour::plain, Flavour::rec), flavour_name)

}  // namespace win32test
