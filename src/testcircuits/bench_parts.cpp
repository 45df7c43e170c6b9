#include "testcircuits/bench_parts.h"

namespace vdmos {

void AddTransistor(Schematic& schematic, const CircuitInputs& in, Placement at,
                   std::string_view instanceName) {
  schematic.Symbol(in.fetType, at, {}, {{"InstName", std::string(instanceName)}, {"Value", in.modelName}});
}

}  // namespace vdmos
