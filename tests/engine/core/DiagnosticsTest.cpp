#include <gtest/gtest.h>

#include "engine/core/Time.h"
#include "engine/core/VEDebug.h"
#include "support/FatalCatcher.h"

using TestSupport::FatalMessageOf;
using namespace VelaEngine;

TEST(Diagnostics, AssertFailAndSingletonTextsNameTheDiagnosticsModule) {
    EXPECT_EQ(FatalMessageOf([] { Assert(false, "boom"); }),
              "Assertion failed in VEDebug.cpp line 22: boom");
    EXPECT_EQ(FatalMessageOf([] { Fail("bang"); }), "Assertion in VEDebug.cpp line 35: bang");
    EXPECT_EQ(FatalMessageOf([] { Time::Get(); }),
              "Assertion in VEDebug.cpp line 35: Time not Instantiated");
    Time::Create();
    EXPECT_EQ(FatalMessageOf([] { Time::Create(); }),
              "Assertion failed in VEDebug.cpp line 22: Can only instantiate Singleton once");
    Time::Release();
}

TEST(Diagnostics, LogLinesArePrefixedAndControlCharactersOfContentAreEscaped) {
    const std::string name("ro\0gue\x1b[2J\r\x7f\xc3\xa9", 14);
    EXPECT_EQ(FatalMessageOf([&] { Fail("Component " + name + "\tx not found\n"); }),
              "Assertion in VEDebug.cpp line 35: Component ro\\x00gue\\x1B[2J\\x0D\\x7F\xc3\xa9\tx "
              "not found\n");
    testing::internal::CaptureStdout();
    Log("Loading Sprite: " + name);
    Log("Running: Vela Engine\n");
    EXPECT_EQ(testing::internal::GetCapturedStdout(),
              "LOG: Loading Sprite: ro\\x00gue\\x1B[2J\\x0D\\x7F\xc3\xa9\n"
              "LOG: Running: Vela Engine\n\n");
}
