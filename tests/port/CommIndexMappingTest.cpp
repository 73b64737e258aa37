#include <gtest/gtest.h>

#include "port/CommIndexMapping.h"
#include "port/PortNames.h"

namespace halvex {
namespace {

TEST(CommIndexMapping, BaudRateTableWithFallbackTo1200) {
    const std::map<std::int32_t, std::uint32_t> expected = {
        {0, 1200},  {1, 2400},   {2, 4800}, {3, 9600},  {4, 19200},  {5, 38400},
        {6, 57600}, {7, 115200}, {8, 1200}, {-1, 1200}, {1000, 1200}};
    for (const auto& [index, rate] : expected) {
        EXPECT_EQ(BaudRateForIndex(index), rate) << "index " << index;
    }
}

TEST(CommIndexMapping, DataStopAndParityRulesWithFallbacks) {
    struct Row {
        std::int32_t index;
        int dataBits;
        int stopBits;
        Parity parity;
    };
    const Row rows[] = {
        {0, 7, 1, Parity::None}, {1, 8, 2, Parity::Odd},   {2, 8, 1, Parity::Even},
        {3, 8, 1, Parity::None}, {-1, 8, 1, Parity::None}, {7, 8, 1, Parity::None},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(DataBitsForIndex(row.index), row.dataBits) << "index " << row.index;
        EXPECT_EQ(StopBitsForIndex(row.index), row.stopBits) << "index " << row.index;
        EXPECT_EQ(ParityForIndex(row.index), row.parity) << "index " << row.index;
    }
}

TEST(CommIndexMapping, LineSettingsTakeEachIndexFromItsOwnField) {
    CommSettingsValues values;
    values.BaudIndex = 4;
    values.DataBitsIndex = 0;
    values.ParityIndex = 1;
    values.StopBitsIndex = 1;
    EXPECT_EQ(LineSettingsFor(values), (LineSettings{19200, 7, Parity::Odd, 2}));
    EXPECT_EQ(LineSettingsFor(CommSettingsValues{}), (LineSettings{1200, 8, Parity::None, 1}));
}

TEST(PortNames, SixNamesAndNothingElse) {
    for (std::int32_t index = 0; index < 6; ++index) {
        EXPECT_EQ(PortNameForIndex(index), "COM" + std::to_string(index + 1));
    }
    EXPECT_EQ(PortNameForIndex(-1), std::nullopt);
    EXPECT_EQ(PortNameForIndex(6), std::nullopt);
}

}  // namespace
}  // namespace halvex
