#include "core/ApplicationException.h"
#include "core/LastError.h"

#include <gtest/gtest.h>

TEST(ApplicationException, LastErrorIsCapturedBeforeCleanUp) {
    struct CleanUp {
        ~CleanUp() { SetLastErrorValue(0); }
    };
    try {
        CleanUp cleanUp;
        SetLastErrorValue(5);
        ThrowApplicationException("Program::PathStartup (616)");
        ADD_FAILURE() << "nothing was thrown";
    } catch (const ApplicationException& e) {
        EXPECT_EQ(5u, e.LastError);
        EXPECT_EQ(L"Program::PathStartup (616)", e.Location);
        EXPECT_TRUE(e.Message.empty());
        EXPECT_TRUE(e.Extra.empty());
    }
}

TEST(ApplicationException, SubclassesDeriveOnlyFromTheRoot) {
    bool caughtAsArgument = false;
    bool caughtAsRoot = false;
    try {
        try {
            ThrowArgumentNullException("Util::ParseInt (373)");
        } catch (const ArgumentException&) {
            caughtAsArgument = true;
        }
    } catch (const ApplicationException& e) {
        caughtAsRoot = true;
        EXPECT_EQ(L"Util::ParseInt (373)", e.Location);
    }
    EXPECT_FALSE(caughtAsArgument);
    EXPECT_TRUE(caughtAsRoot);
}

TEST(ApplicationException, MessageIsKept) {
    try {
        ThrowArgumentOutOfRangeException("DateTime::DateToTicks (48)", "ArgumentOutOfRange_BadYearMonthDay");
        ADD_FAILURE() << "nothing was thrown";
    } catch (const ArgumentOutOfRangeException& e) {
        EXPECT_EQ(L"ArgumentOutOfRange_BadYearMonthDay", e.Message);
    }
}
