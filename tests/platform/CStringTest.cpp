#include "platform/CString.h"

#include <gtest/gtest.h>

#include <climits>

TEST(CString, ExtractionClampsOutOfRangeArguments) {
    const CString s("abcdef");
    EXPECT_EQ(s.Mid(2), "cdef");
    EXPECT_EQ(s.Mid(2, 3), "cde");
    EXPECT_EQ(s.Mid(-3, 2), "ab");
    EXPECT_EQ(s.Mid(4, INT_MAX), "ef");
    EXPECT_EQ(s.Mid(9), "");
    EXPECT_EQ(s.Mid(1, -1), "");
    EXPECT_EQ(s.Left(-1), "");
    EXPECT_EQ(s.Left(99), "abcdef");
    EXPECT_EQ(s.Right(2), "ef");
    EXPECT_EQ(s.Right(99), "abcdef");
    EXPECT_EQ(s.Right(-5), "");
}

TEST(CString, SearchesReportMinusOneWhenAbsent) {
    const CString s("a.b.c");
    EXPECT_EQ(s.Find('.'), 1);
    EXPECT_EQ(s.Find('.', 2), 3);
    EXPECT_EQ(s.Find('.', 4), -1);
    EXPECT_EQ(s.Find('.', 99), -1);
    EXPECT_EQ(s.Find('.', -4), 1);
    EXPECT_EQ(s.Find("b.c"), 2);
    EXPECT_EQ(s.Find("x"), -1);
    EXPECT_EQ(s.Find("", 5), 5);
    EXPECT_EQ(s.Find("", 6), -1);
    EXPECT_EQ(s.Find(static_cast<const char*>(nullptr)), -1);
    EXPECT_EQ(s.ReverseFind('.'), 3);
    EXPECT_EQ(s.ReverseFind('x'), -1);
    EXPECT_EQ(s.FindOneOf("cb"), 2);
    EXPECT_EQ(s.FindOneOf("xyz"), -1);
    EXPECT_EQ(CString("12ab3").SpanIncluding("0123456789"), "12");
    EXPECT_EQ(CString("ab;cd").SpanExcluding(";,"), "ab");
    EXPECT_EQ(CString("abcd").SpanExcluding(";"), "abcd");
}

TEST(CString, EditingCountsAndClamps) {
    CString s("aaaa");
    EXPECT_EQ(s.Replace("aa", "b"), 2);
    EXPECT_EQ(s, "bb");
    s = "a-a";
    EXPECT_EQ(s.Replace("a", "aa"), 2);  // the replacement is not searched again
    EXPECT_EQ(s, "aa-aa");
    EXPECT_EQ(s.Replace("", "x"), 0);
    EXPECT_EQ(s.Replace("-", nullptr), 1);
    EXPECT_EQ(s, "aaaa");
    EXPECT_EQ(s.Replace('a', 'a'), 0);
    EXPECT_EQ(s.Replace('a', 'b'), 4);
    EXPECT_EQ(s.Remove('b'), 4);
    EXPECT_TRUE(s.IsEmpty());

    s = "ace";
    EXPECT_EQ(s.Insert(1, 'b'), 4);
    EXPECT_EQ(s.Insert(99, "fg"), 6);
    EXPECT_EQ(s.Insert(-1, '_'), 7);
    EXPECT_EQ(s, "_abcefg");
    EXPECT_EQ(s.Delete(-2, 1), 6);
    EXPECT_EQ(s.Delete(3, INT_MAX), 3);
    EXPECT_EQ(s.Delete(7, 1), 3);
    EXPECT_EQ(s.Delete(0, -1), 3);
    EXPECT_EQ(s, "abc");
}

TEST(CString, TrimsAsciiWhiteSpaceOrGivenCharacters) {
    CString s(" \t\n\v\f\rtext \r\n");
    s.Trim();
    EXPECT_EQ(s, "text");
    s = "\xA0x\xA0";  // not ASCII white space
    s.Trim();
    EXPECT_EQ(s, "\xA0x\xA0");
    s = "xxaxx";
    s.TrimLeft('x');
    EXPECT_EQ(s, "axx");
    s.TrimRight("xa");
    EXPECT_EQ(s, "");
    s = "--+a+-";
    s.TrimLeft("-+");
    s.TrimRight('-');
    EXPECT_EQ(s, "a+");
}

TEST(CString, ComparesUnsignedBytesAndFoldsAsciiCase) {
    EXPECT_LT(CString("abc").Compare("abd"), 0);
    EXPECT_EQ(CString("abc").Compare("abc"), 0);
    EXPECT_GT(CString("abc").Compare("ab"), 0);
    EXPECT_GT(CString("\xE4").Compare("z"), 0);
    EXPECT_GT(CString("a").Compare(nullptr), 0);
    EXPECT_EQ(CString("HeLLo").CompareNoCase("hello"), 0);
    EXPECT_LT(CString("_").CompareNoCase("A"), 0);  // folds to lower case
    EXPECT_NE(CString("\xC4").CompareNoCase("\xE4"), 0);
    EXPECT_LT(CString("Z"), CString("a"));
}
