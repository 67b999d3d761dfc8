// The pointer list: order-changing operations and index errors.
#include "framework/rtl/List.h"

#include <gtest/gtest.h>

using namespace fw;

namespace {

int slots[5];

std::vector<void*> Contents(const TList& list) {
    std::vector<void*> out;
    for (int i = 0; i < list.Count(); ++i) out.push_back(list[i]);
    return out;
}

}  // namespace

TEST(List, QueueAndReorderingOperations) {
    TList list;
    void *a = &slots[0], *b = &slots[1], *c = &slots[2], *d = &slots[3];
    EXPECT_EQ(list.Add(a), 0);
    EXPECT_EQ(list.Add(b), 1);
    list.Insert(0, c);  // c a b
    list.Insert(3, d);  // c a b d
    EXPECT_EQ(Contents(list), (std::vector<void*>{c, a, b, d}));
    EXPECT_EQ(list.First(), c);
    EXPECT_EQ(list.Last(), d);

    list.Exchange(0, 3);  // d a b c
    list.Move(0, 2);      // a b d c
    EXPECT_EQ(Contents(list), (std::vector<void*>{a, b, d, c}));
    list.Move(3, 0);  // c a b d
    EXPECT_EQ(Contents(list), (std::vector<void*>{c, a, b, d}));

    list.Add(a);
    EXPECT_EQ(list.IndexOf(a), 1);
    EXPECT_EQ(list.Remove(a), 1);  // the first one only
    EXPECT_EQ(list.IndexOf(a), 3);
    EXPECT_EQ(list.Extract(b), b);
    EXPECT_EQ(list.Extract(b), nullptr);
    EXPECT_EQ(list.Remove(b), -1);
    list.Delete(0);
    EXPECT_EQ(Contents(list), (std::vector<void*>{d, a}));
    list.SetItems(1, nullptr);
    EXPECT_EQ(list.Items(1), nullptr);
    list.Clear();
    EXPECT_EQ(list.Count(), 0);
}

TEST(List, OutOfRangeRaisesListError) {
    TList list;
    list.Add(nullptr);
    auto message = [](auto&& fn) -> String {
        try {
            fn();
        } catch (const EListError& e) {
            return e.Message;
        }
        return L"no error";
    };
    EXPECT_EQ(message([&] { list.Items(1); }), L"List index out of bounds (1)");
    EXPECT_EQ(message([&] { list.Delete(-1); }), L"List index out of bounds (-1)");
    EXPECT_EQ(message([&] { list.Insert(2, nullptr); }), L"List index out of bounds (2)");
    EXPECT_EQ(message([&] { list.Exchange(0, 1); }), L"List index out of bounds (1)");
    EXPECT_EQ(message([&] { list.Move(0, 1); }), L"List index out of bounds (1)");
    list.Clear();
    EXPECT_EQ(message([&] { list.First(); }), L"List index out of bounds (0)");
    EXPECT_EQ(message([&] { list.Last(); }), L"List index out of bounds (-1)");
}
