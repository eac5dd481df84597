#include <gtest/gtest.h>

#include "MessageLineBreaks.h"

namespace zv {
namespace {

TEST(MessageLineBreaks, EveryWrittenFormBecomesOneLineFeed) {
  struct Case {
    const char* written;
    const char* shown;
  };
  for (const Case& c :
       {Case{"a\rb", "a\nb"}, Case{"a\nb", "a\nb"}, Case{"a\r\nb", "a\nb"}, Case{"a\n\rb", "a\nb"},
        Case{"a\r\rb", "a\n\nb"}, Case{"a\n\r\n\rb", "a\n\nb"}, Case{"sem quebra", "sem quebra"}})
    EXPECT_EQ(ShownLineBreaks(c.written), c.shown) << c.written;
}

}  // namespace
}  // namespace zv
