#include "ThrowLocation.h"
#include "core/CPtr.h"
#include "core/Nullable.h"

#include <gtest/gtest.h>

namespace {
struct Tracked {
    static inline int Alive = 0;
    int Value;
    explicit Tracked(int value) : Value(value) { ++Alive; }
    Tracked(const Tracked& other) : Value(other.Value) { ++Alive; }
    virtual ~Tracked() { --Alive; }
};

struct Derived : Tracked {
    static inline int Destroyed = 0;
    Derived() : Tracked(7) {}
    ~Derived() override { ++Destroyed; }
};

enum EnumProbe { ProbeFirst, ProbeSecond };

class CPtrTest : public ::testing::Test {
protected:
    void SetUp() override { Tracked::Alive = 0; }
    void TearDown() override { EXPECT_EQ(0, Tracked::Alive) << "an object leaked or was deleted twice"; }
};
} // namespace

template <> struct CPtrLocations<Tracked> {
    static constexpr const char* Star = "CPtr<struct Tracked>::operator * (108)";
    static constexpr const char* Arrow = "CPtr<struct Tracked>::operator -> (114)";
};

template <> struct NullableLocation<EnumProbe> {
    static constexpr const char* Value = "Nullable<enum EnumProbe>::Value (20)";
};

TEST_F(CPtrTest, EmptyPointerThrowsWithTheInstantiationsTexts) {
    CPtr<Tracked> empty;
    EXPECT_TRUE(empty.IsEmpty());
    EXPECT_EQ(L"CPtr<struct Tracked>::operator * (108)",
              ThrowLocation<ApplicationException>([&] { (void)*empty; }));
    EXPECT_EQ(L"CPtr<struct Tracked>::operator -> (114)",
              ThrowLocation<ApplicationException>([&] { (void)empty->Value; }));
}

TEST_F(CPtrTest, AssigningPointers) {
    Tracked* first = new Tracked(1);
    CPtr<Tracked> pointer(first);
    pointer = first; // the held pointer again: must stay alive
    EXPECT_EQ(1, Tracked::Alive);
    EXPECT_EQ(1, pointer->Value);

    pointer = new Tracked(2); // the old object goes
    EXPECT_EQ(1, Tracked::Alive);
    EXPECT_EQ(2, (*pointer).Value);

    pointer = nullptr;
    EXPECT_TRUE(pointer.IsEmpty());
    EXPECT_EQ(0, Tracked::Alive);
}

TEST_F(CPtrTest, CopiesAreDeepAndIndependent) {
    CPtr<Tracked> original(new Tracked(5));
    CPtr<Tracked> copy(original);
    copy->Value = 6;
    EXPECT_EQ(5, original->Value);
    EXPECT_NE(original.Get(), copy.Get());

    CPtr<Tracked> assigned(new Tracked(9));
    assigned = original;
    EXPECT_EQ(5, assigned->Value);
    CPtr<Tracked>& alias = assigned;
    assigned = alias; // self-assignment keeps the object
    EXPECT_EQ(5, assigned->Value);

    CPtr<Tracked> empty;
    CPtr<Tracked> emptyCopy(empty);
    EXPECT_TRUE(emptyCopy.IsEmpty());
    assigned = empty;
    EXPECT_TRUE(assigned.IsEmpty());
    EXPECT_EQ(2, Tracked::Alive);
}

TEST_F(CPtrTest, DetachAndMoveHandOverOwnership) {
    CPtr<Tracked> pointer(new Tracked(3));
    Tracked* raw = pointer.Detach();
    EXPECT_TRUE(pointer.IsEmpty());
    EXPECT_EQ(1, Tracked::Alive);
    delete raw;

    CPtr<Tracked> source(new Tracked(4));
    CPtr<Tracked> target(std::move(source));
    EXPECT_TRUE(source.IsEmpty());
    EXPECT_EQ(4, target->Value);
    CPtr<Tracked> other(new Tracked(8));
    other = std::move(target);
    EXPECT_EQ(4, other->Value);
    EXPECT_EQ(1, Tracked::Alive);

    Derived::Destroyed = 0;
    other = new Derived; // deleted through the virtual destructor
    other = nullptr;
    EXPECT_EQ(1, Derived::Destroyed);
}

TEST(Nullable, EmptyUntilAssignedAndTheTextNamesTheInstantiation) {
    Nullable<int> number;
    EXPECT_FALSE(number.HasValue());
    EXPECT_EQ(L"Nullable<int>::Value (20)",
              ThrowLocation<ApplicationException>([&] { (void)number.Value(); }));
    number = 0;
    EXPECT_TRUE(number.HasValue());
    EXPECT_EQ(0, number.Value());
    EXPECT_EQ(-3, Nullable<int>(-3).Value());

    Nullable<EnumProbe> mode;
    EXPECT_EQ(L"Nullable<enum EnumProbe>::Value (20)",
              ThrowLocation<ApplicationException>([&] { (void)mode.Value(); }));
    mode = ProbeSecond;
    EXPECT_EQ(ProbeSecond, mode.Value());
}
