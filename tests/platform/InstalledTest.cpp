#include "platform/Installed.h"

#include <gtest/gtest.h>

namespace {

// Every entry does nothing: the interface is its own fallback.
class IGreeter {
public:
    virtual ~IGreeter() = default;
    virtual int Greet() { return 0; }
};

// An entry that must be implemented: the fallback is declared and defined below.
class ICounter {
public:
    virtual ~ICounter() = default;
    virtual int Count() = 0;
};

class Greeter : public IGreeter {
public:
    explicit Greeter(int answer) : m_answer(answer) {}
    int Greet() override { return m_answer; }

private:
    int m_answer;
};

class Counter : public ICounter {
public:
    int Count() override { return 7; }
};

}  // namespace

template <>
ICounter& Installed<ICounter>::Fallback();

template <>
ICounter& Installed<ICounter>::Fallback() {
    static class : public ICounter {
    public:
        int Count() override { return -1; }
    } none;
    return none;
}

namespace {

TEST(Installed, GetAnswersWithTheInstalledOneElseTheFallback) {
    EXPECT_EQ(Installed<IGreeter>::Get().Greet(), 0);
    EXPECT_EQ(Installed<ICounter>::Get().Count(), -1);

    Greeter first(1);
    Greeter second(2);
    EXPECT_EQ(Installed<IGreeter>::Install(&first), nullptr);
    EXPECT_EQ(Installed<IGreeter>::Get().Greet(), 1);
    EXPECT_EQ(Installed<IGreeter>::Install(&second), &first);
    EXPECT_EQ(Installed<IGreeter>::Get().Greet(), 2);
    EXPECT_EQ(Installed<IGreeter>::Install(nullptr), &second);
    EXPECT_EQ(Installed<IGreeter>::Get().Greet(), 0);

    // Each interface has a slot of its own.
    Counter counter;
    Installed<ICounter>::Install(&counter);
    EXPECT_EQ(Installed<ICounter>::Get().Count(), 7);
    EXPECT_EQ(Installed<IGreeter>::Get().Greet(), 0);
    Installed<ICounter>::Install(nullptr);
    EXPECT_EQ(Installed<ICounter>::Get().Count(), -1);
}

TEST(Installed, ScopesNestAndPutBackWhatTheyReplaced) {
    Greeter outer(1);
    Greeter inner(2);
    {
        ScopedInstall<IGreeter> installOuter(outer);
        {
            ScopedInstall<IGreeter> installInner(inner);
            EXPECT_EQ(Installed<IGreeter>::Get().Greet(), 2);
        }
        EXPECT_EQ(Installed<IGreeter>::Get().Greet(), 1);
    }
    EXPECT_EQ(Installed<IGreeter>::Get().Greet(), 0);
}

}  // namespace
