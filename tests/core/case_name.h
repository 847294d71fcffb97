#pragma once

#include <gtest/gtest.h>

#include <ostream>
#include <string>

// Names a parameterised case after its `name` field, so that it reads and filters as
// Examples/StoppingExamples.GiveTheWorkedResults/Skid_10m_Dry instead of as the case's bytes.
struct CaseName {
    template <typename Case>
    std::string operator()(const testing::TestParamInfo<Case>& info) const {
        return info.param.name;
    }
};

// Failure messages and test listings show a case by its name as well.
template <typename Case>
requires requires(const Case& c) {
    std::string(c.name);
}
void PrintTo(const Case& c, std::ostream* os) {
    *os << c.name;
}
