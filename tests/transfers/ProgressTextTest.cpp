#include <gtest/gtest.h>

#include "transfers/ProgressText.h"

namespace halvex {
namespace {

using namespace std::chrono_literals;

TEST(ProgressText, DownloadsCountLinesAndBytesAndTheRateOnceASecondHasPassed) {
    ProgressSnapshot p;
    p.kind = TransferKind::Download;
    p.lines = 1234;
    p.bytes = 45678;
    p.elapsed = 900ms;
    EXPECT_EQ(DescribeProgress(p), "Received 1,234 lines, 45,678 bytes");
    p.elapsed = 387s;
    EXPECT_EQ(DescribeProgress(p), "Received 1,234 lines, 45,678 bytes, 118 bytes/s");
}

TEST(ProgressText, OneLineOrByteOrRecordIsSingularInTheProgressAndTheSummary) {
    ProgressSnapshot p{TransferKind::Download, 1, 1};
    EXPECT_EQ(DescribeProgress(p), "Received 1 line, 1 byte");
    EXPECT_EQ(DescribeTransferEnd(p), "Download finished: 1 line, 1 byte");
    p = {TransferKind::Download, 25, 1234};
    EXPECT_EQ(DescribeTransferEnd(p), "Download finished: 25 lines, 1,234 bytes");
    EXPECT_EQ(DescribeTransferEnd({TransferKind::Upload, 0, 0, 1}), "Upload finished: 1 record");
    EXPECT_EQ(DescribeTransferEnd({TransferKind::Upload, 0, 0, 60}), "Upload finished: 60 records");
}

TEST(ProgressText, UploadsShowTheRecordUnderWayAndTheTimeLeftAtTheRateSoFar) {
    ProgressSnapshot p;
    p.kind = TransferKind::Upload;
    p.recordsTotal = 500;
    EXPECT_EQ(DescribeProgress(p), "Record 1 of 500");
    p.recordsSent = 11;
    p.elapsed = 11s;  // one record a second
    EXPECT_EQ(DescribeProgress(p), "Record 12 of 500, about 8 min 9 s left");
    p.recordsSent = 500;
    EXPECT_EQ(DescribeProgress(p), "Record 500 of 500");
}

TEST(ProgressText, NumbersAndDurations) {
    EXPECT_EQ(WithThousandsSeparators(0), "0");
    EXPECT_EQ(WithThousandsSeparators(999), "999");
    EXPECT_EQ(WithThousandsSeparators(1000), "1,000");
    EXPECT_EQ(WithThousandsSeparators(1234567), "1,234,567");
    EXPECT_EQ(DescribeDuration(1ms), "1 s");
    EXPECT_EQ(DescribeDuration(59s), "59 s");
    EXPECT_EQ(DescribeDuration(200s), "3 min 20 s");
    EXPECT_EQ(DescribeDuration(3900s), "1 h 5 min");
}

}  // namespace
}  // namespace halvex
