// POSIX names a full quota apart from a full disk; to the user both are a full disk.
#include "common/replacement_file.h"

#include <cerrno>
#include <gtest/gtest.h>

namespace {

TEST(FailureOfError, AFullQuotaIsAFullDisk) {
    EXPECT_EQ(FailureOfError(EDQUOT), ReplacementFile::Failure::DiskFull);
    EXPECT_EQ(FailureOfError(ENOSPC), ReplacementFile::Failure::DiskFull);
    EXPECT_EQ(FailureOfError(EIO), ReplacementFile::Failure::Other);
}

} // namespace
