// The order of the sorted lists.
#include "remedies/list_order.h"

#include <gtest/gtest.h>

using namespace remedies;

namespace {

TEST(ListOrder, LettersWithoutRegardToCaseOrAccents) {
    std::vector<std::string> v{"zon", "Ster", "\xC9tude", "appel", "Aarde", "etude", "b"};
    SortListTexts(v);
    EXPECT_EQ(v, (std::vector<std::string>{"Aarde", "appel", "b", "etude", "\xC9tude", "Ster", "zon"}));
}

TEST(ListOrder, BlanksAndSignsBeforeDigitsBeforeLetters) {
    EXPECT_LT(CompareListText("Tosse secca", "Tosse**A"), 0);
    EXPECT_LT(CompareListText("**leeg", "1 kruid"), 0);
    EXPECT_LT(CompareListText("HS 112", "HS 8"), 0);
    EXPECT_LT(CompareListText("9", "A"), 0);
    EXPECT_LT(CompareListText("_x", "a"), 0);
    EXPECT_LT(CompareListText("Mars", "Marsilia"), 0);
}

TEST(ListOrder, TiesBrokenByAccentThenCaseSoEqualTextsMeet) {
    EXPECT_LT(CompareListText("aurum", "Aurum"), 0);
    EXPECT_LT(CompareListText("Aurum", "AURUM"), 0);
    EXPECT_LT(CompareListText("cafe", "caf\xE9"), 0);
    EXPECT_EQ(CompareListText("Aurum", "Aurum"), 0);
    std::vector<std::string> v{"Aurum", "aurum", "AURUM", "Aurum"};
    SortListTexts(v);
    EXPECT_EQ(DropRepeatedNeighbours(v), (std::vector<std::string>{"aurum", "Aurum", "AURUM"}));
}

}  // namespace
