#include "platform/sys/system_string.h"

#include <gtest/gtest.h>

TEST(SystemString, CarriesLengthAndTerminator) {
  const VxOleChar text[] = {u'가', u'A', 0};
  VxSysString s = VxSysAllocString(text);
  ASSERT_NE(s, nullptr);
  EXPECT_EQ(VxSysStringLen(s), 2u);
  EXPECT_EQ(s[0], u'가');
  EXPECT_EQ(s[2], 0);
  EXPECT_EQ(orvilo::sys::SysStringToUtf8(s), "가A");
  VxSysFreeString(s);
}

TEST(SystemString, FromUtf8KeepsKoreanAndReplacesInvalidBytes) {
  const char utf8[] = "한국어 text \xFF!";
  VxSysString s = VxSysAllocStringFromUtf8(utf8, sizeof utf8 - 1);
  EXPECT_EQ(orvilo::sys::SysStringToUtf8(s), "한국어 text \xEF\xBF\xBD!");
  VxSysFreeString(s);
}

TEST(SystemString, EmbeddedZerosAndEmptyStrings) {
  const VxOleChar withZero[] = {u'a', 0, u'b'};
  VxSysString s = VxSysAllocStringLen(withZero, 3);
  EXPECT_EQ(VxSysStringLen(s), 3u);
  EXPECT_EQ(s[2], u'b');
  VxSysFreeString(s);
  VxSysString empty = VxSysAllocStringFromUtf8(nullptr, 0);
  ASSERT_NE(empty, nullptr);
  EXPECT_EQ(VxSysStringLen(empty), 0u);
  VxSysFreeString(empty);
  EXPECT_EQ(VxSysAllocString(nullptr), nullptr);
  VxSysFreeString(nullptr);
}
