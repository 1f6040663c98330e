#pragma once
// Names each case of a parameterised test by its parameter's `name` field, so that a
// failing case can be named and rerun: Suite/Case instead of a dump of its bytes.

#include <gtest/gtest.h>

#include <string>

namespace kelvane_test {

struct CaseName {
    template <typename Case>
    std::string operator()(const testing::TestParamInfo<Case>& info) const {
        return std::string(info.param.name);
    }
};

}  // namespace kelvane_test
