#include "commands/library_names.h"

#include <gtest/gtest.h>

namespace vdmos {
namespace {

TEST(LibraryNames, ModelsAndSubcircuitsAtALinesStartWithoutRegardToCase) {
  const std::string library =
      "* .model commented nmos\r\n"
      "  .MODEL IRF540 VDMOS(KP=1\r\n"
      "+ RS=2)\r\n"
      ".model\tirf540 vdmos\r\n"
      ".model Tight(KP=1)\r\n"
      ".SUBCKT X1 d g s\r\n"
      ".model dbody d\r\n"
      ".ENDS\r\n"
      ".model\r\n"
      "M1 d g s s .model\n"
      ".model after nmos";
  EXPECT_EQ(DefinedModelNames(library), (std::vector<std::string>{"irf540", "tight", "x1", "after"}));
  EXPECT_EQ(NamesAlreadyDefined(library, ".MODEL Irf540 VDMOS(KP=2)"), std::vector<std::string>{"Irf540"});
  EXPECT_EQ(NamesAlreadyDefined(library, ".model dbody d\r\n.model new nmos"), std::vector<std::string>{});
  EXPECT_EQ(NamesAlreadyDefined("", ".model a nmos"), std::vector<std::string>{});
}

}  // namespace
}  // namespace vdmos
