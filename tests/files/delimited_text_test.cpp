#include "files/delimited_text.h"

#include <gtest/gtest.h>

namespace vdmos {
namespace {

const TextTable kTable{
    {"quantity", "condition", "note"},
    {"Id", "Vgs = 5.5 V, Vds = 25 V", "say \"hi\""},
    {"Vsd", " padded ", "line\r\nbreak\tand tab"},
};

TEST(DelimitedText, CsvQuotesWhatWouldSplitACellAndEndsLinesInCrLf) {
  EXPECT_EQ(CommaSeparatedText(kTable),
            "quantity,condition,note\r\n"
            "Id,\"Vgs = 5.5 V, Vds = 25 V\",\"say \"\"hi\"\"\"\r\n"
            "Vsd,\" padded \",\"line\r\nbreak\tand tab\"");
  EXPECT_EQ(CommaSeparatedText({}), "");
}

TEST(DelimitedText, TabSeparatedCellsNeverSplit) {
  EXPECT_EQ(TabSeparatedText(kTable),
            "quantity\tcondition\tnote\n"
            "Id\tVgs = 5.5 V, Vds = 25 V\tsay \"hi\"\n"
            "Vsd\t padded \tline  break and tab\n");
}

}  // namespace
}  // namespace vdmos
