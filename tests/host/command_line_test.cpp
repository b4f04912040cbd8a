#include "toolkit/command_line.h"

#include <gtest/gtest.h>

namespace {

struct Case {
  const wchar_t* line;
  const wchar_t* first;  // ParamStr(line, 1)
};

// Each line starts with the program's name, as the system passes it.
const Case kCases[] = {
    {L"mimoruka.exe", L""},
    {L"mimoruka.exe   ", L""},
    {L"mimoruka.exe C:\\memo\\a.txt", L"C:\\memo\\a.txt"},
    {L"\"C:\\Program Files\\mimoruka.exe\" C:\\memo\\a.txt", L"C:\\memo\\a.txt"},
    {L"mimoruka.exe \"C:\\my memo\\買い物.txt\"", L"C:\\my memo\\買い物.txt"},
    {L"mimoruka.exe \"\" \"C:\\my memo\\a.txt\"", L"C:\\my memo\\a.txt"},       // empty argument vanishes
    {L"mimoruka.exe \"\"\"\" \t \"\" x.txt", L"x.txt"},                          // every pair is skipped
    {L"mimoruka.exe \"\"C:\\a.txt", L"C:\\a.txt"},                               // leading pair lost
    {L"mimoruka.exe C:\\a.txt second third", L"C:\\a.txt"},                      // the rest is ignored
    {L"mimoruka.exe C:\\my\" \"memo\\a.txt", L"C:\\my memo\\a.txt"},             // quotes anywhere
    {L"mimoruka.exe \"C:\\open ended", L"C:\\open ended"},                       // unclosed quote
    {L"mimoruka.exe C:\\dir\\\\\" x\" y", L"C:\\dir\\\\ x"},                     // backslash escapes nothing
    {L"mimoruka.exe\x01\x1f" L"a.txt", L"a.txt"},                                // control characters separate
    {L"mimoruka.exe\ta.txt\nb.txt", L"a.txt"},
    {L"mimoruka.exe \"a\x01" L"b\"", L"a\x01" L"b"},                              // kept inside quotes
    {L"\"mimoruka.exe\"a.txt b.txt", L"b.txt"},                                  // no separator after a quote
    {L"mimoruka.exe \"", L""},
    {L"mimoruka.exe \"\"", L""},
    {L"", L""},
};

TEST(ParamStr, FirstArgumentFollowsTheClassicRules) {
  for (const Case& c : kCases) {
    EXPECT_EQ(toolkit::ParamStr(c.line, 1), c.first) << "line: " << testing::PrintToString(std::wstring(c.line));
  }
}

TEST(ParamStr, ZeroIsTheProgramAndIndexesPastTheEndAreEmpty) {
  EXPECT_EQ(toolkit::ParamStr(L"\"C:\\Program Files\\m.exe\" a b", 0), L"C:\\Program Files\\m.exe");
  EXPECT_EQ(toolkit::ParamStr(L"m.exe a b", 2), L"b");
  EXPECT_EQ(toolkit::ParamStr(L"m.exe a b", 3), L"");
}

}  // namespace
