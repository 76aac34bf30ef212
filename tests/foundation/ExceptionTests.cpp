#include "platform/foundation/Exception.h"

#include <csignal>
#include <cstdio>
#include <gtest/gtest.h>
#include <stdexcept>

using namespace foundation;

namespace {

[[gnu::noinline]] Exception makeDeep(int levels)
{
    if (levels == 0)
        return Exception("NSInvalidArgumentException", "bad thing", Value::string("info"));
    Exception e = makeDeep(levels - 1);
    asm volatile("" ::: "memory"); // keep the recursion from becoming a loop
    return e;
}

TEST(FoundationException, CarriesNameReasonInfoAndItsCallStack)
{
    Exception e = makeDeep(3);
    EXPECT_EQ(e.name(), "NSInvalidArgumentException");
    EXPECT_EQ(e.reason(), "bad thing");
    EXPECT_STREQ(e.what(), "bad thing");
    EXPECT_EQ(e.userInfo(), Value::string("info"));
    EXPECT_TRUE(Exception("n", "r").userInfo().isNull());

    Value addresses = e.callStackReturnAddresses();
    Value symbols = e.callStackSymbols();
    ASSERT_GE(addresses.count(), 4u); // at least the recursion and this test
    ASSERT_EQ(symbols.count(), addresses.count());
    for (const Value& address : *addresses.asArray())
        EXPECT_NE(address.integerValue(), 0);
    for (const Value& line : *symbols.asArray())
        EXPECT_FALSE(line.asString()->empty());
    // Frames are symbolised with the module they lie in.
    bool sawTestProgram = false;
    for (const Value& line : *symbols.asArray())
        sawTestProgram |= line.asString()->find("foundation_tests") != std::string::npos;
    EXPECT_TRUE(sawTestProgram);
}

void reportToStderr(const Exception* e)
{
    std::fprintf(stderr, "handler: name=<%s> reason=<%s> frames=%zu\n", e->name().c_str(), e->reason().c_str(),
        e->callStackSymbols().count());
}

void throwingHandler(const Exception*)
{
    std::fprintf(stderr, "handler ran\n");
    throw std::runtime_error("from the handler");
}

struct Unusual { };

// Throws through a noexcept frame, so the exception is uncaught whatever the test framework wraps
// around the statement.
template<typename E>
[[gnu::noinline]] void raise(E e)
{
    throw e;
}

template<typename E>
void raiseUncaught(E e) noexcept
{
    raise(std::move(e));
}

using FoundationExceptionDeathTest = testing::Test;

TEST_F(FoundationExceptionDeathTest, UncaughtPlatformExceptionReachesTheHandler)
{
    setUncaughtExceptionHandler(reportToStderr);
    EXPECT_EQ(uncaughtExceptionHandler(), &reportToStderr);
    EXPECT_DEATH(raiseUncaught(Exception("OmbrelTestException", "thrown on purpose")),
        "handler: name=<OmbrelTestException> reason=<thrown on purpose> frames=[1-9]");
}

TEST_F(FoundationExceptionDeathTest, OtherExceptionsAreConverted)
{
    setUncaughtExceptionHandler(reportToStderr);
    EXPECT_DEATH(raiseUncaught(std::out_of_range("index 7")), "handler: name=<std::out_of_range> reason=<index 7>");
    EXPECT_DEATH(raiseUncaught(Unusual()), "handler: name=<.*Unusual> reason=<>");
    EXPECT_DEATH(raiseUncaught(42), "handler: name=<int> reason=<>");
}

TEST_F(FoundationExceptionDeathTest, HandlerThatThrowsStillEndsTheProcess)
{
    setUncaughtExceptionHandler(throwingHandler);
    EXPECT_DEATH(raiseUncaught(std::logic_error("x")), "handler ran");
}

TEST_F(FoundationExceptionDeathTest, TerminateWithoutAnExceptionStillAborts)
{
    setUncaughtExceptionHandler(reportToStderr);
    EXPECT_EXIT(
        {
            std::fprintf(stderr, "terminating\n");
            std::terminate();
        },
        testing::KilledBySignal(SIGABRT), "terminating");
}

} // namespace
