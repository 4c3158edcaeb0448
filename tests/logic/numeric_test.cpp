// The run-time's numeric test and value, and the frame-skip check built on them.
#include "platform/numeric.hpp"

#include <gtest/gtest.h>

#include <cmath>

#include "launch/frame_skip_value.hpp"

namespace varnsel {
namespace {

struct NumberCase {
    const char* text;
    bool numeric;
    double value;
};

void PrintTo(const NumberCase& c, std::ostream* out) {
    *out << '"' << c.text << '"';
}

class Numbers : public ::testing::TestWithParam<NumberCase> {};

TEST_P(Numbers, TestAndValue) {
    const NumberCase& c = GetParam();
    EXPECT_EQ(platform::isNumeric(c.text), c.numeric) << '"' << c.text << '"';
    EXPECT_EQ(platform::numericValue(c.text), c.value) << '"' << c.text << '"';
}

const double kInf = HUGE_VAL;

INSTANTIATE_TEST_SUITE_P(
    Texts, Numbers,
    ::testing::Values(
        NumberCase{"3", true, 3}, NumberCase{"-1", true, -1}, NumberCase{"+2", true, 2},
        NumberCase{" 4 ", true, 4}, NumberCase{"2.5", true, 2.5}, NumberCase{".5", true, 0.5},
        NumberCase{"3.", true, 3}, NumberCase{"1e2", true, 100}, NumberCase{"1E-1", true, 0.1},
        NumberCase{"1e400", true, kInf}, NumberCase{"-1e400", true, -kInf},
        NumberCase{"1e-400", true, 0}, NumberCase{"0.000e999999999999999999", true, 0},
        NumberCase{"", false, 0}, NumberCase{" ", false, 0}, NumberCase{".", false, 0},
        NumberCase{"-", false, 0}, NumberCase{"abc", false, 0}, NumberCase{"2abc", false, 2},
        NumberCase{"1e", false, 1}, NumberCase{"1e+", false, 1}, NumberCase{"1.2.3", false, 1.2},
        NumberCase{"1,5", false, 1}, NumberCase{"0x10", false, 0}, NumberCase{"inf", false, 0},
        NumberCase{"nan", false, 0}, NumberCase{"--1", false, 0}, NumberCase{"1 2", false, 1},
        NumberCase{"\t1", false, 0}));

TEST(Numbers, SoManyDigitsThatNoDoubleHoldsThemReadAsInfinity) {
    const std::string huge = "1" + std::string(400, '0');
    EXPECT_TRUE(platform::isNumeric(huge));
    EXPECT_EQ(platform::numericValue(huge), HUGE_VAL);
    EXPECT_EQ(platform::numericValue("-" + huge), -HUGE_VAL);
    EXPECT_EQ(platform::numericValue("0." + std::string(400, '0') + "1"), 0.0);
    EXPECT_FALSE(launch::isValidFrameSkip(huge));
}

TEST(Rounding, HalvesGoToTheEvenNeighbour) {
    const std::pair<double, double> cases[] = {{0.5, 0}, {1.5, 2},    {2.5, 2},   {3.5, 4},
                                               {4.5, 4}, {-0.5, 0},   {-1.5, -2}, {0.6, 1},
                                               {4.6, 5}, {2.4999, 2}, {7, 7}};
    for (const auto& [value, rounded] : cases) {
        EXPECT_EQ(platform::roundHalfEven(value), rounded) << value;
    }
}

TEST(FrameSkipValue, OnlyNumbersRoundingToOneThroughFour) {
    const std::pair<const char*, bool> cases[] = {
        {"3", true},       {"1", true},      {"4", true},      {"0", false},      {"5", false},
        {"-1", false},     {"", false},      {"abc", false},   {"2.5", true},     {"4.5", true},
        {"0.5", false},    {"4.6", false},   {"0.6", true},    {" 2 ", true},     {"1e0", true},
        {"999999", false}, {"32768", false}, {"1e400", false}, {"-1e400", false}, {"2abc", false},
    };
    for (const auto& [text, valid] : cases) {
        EXPECT_EQ(launch::isValidFrameSkip(text), valid) << '"' << text << '"';
    }
}

}  // namespace
}  // namespace varnsel
