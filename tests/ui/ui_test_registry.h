#pragma once
// The window tests are several Qt Test classes in one program: each registers itself here and
// the program's main runs them all.

#include <QObject>
#include <functional>
#include <memory>
#include <vector>

namespace vdmos::ui::test {

using TestFactory = std::function<std::unique_ptr<QObject>()>;

inline std::vector<TestFactory>& Registry() {
  static std::vector<TestFactory> factories;
  return factories;
}

struct Registration {
  explicit Registration(TestFactory factory) { Registry().push_back(std::move(factory)); }
};

}  // namespace vdmos::ui::test

#define VDMOS_UI_TEST(Class) \
  static const ::vdmos::ui::test::Registration Class##Registration([] { return std::make_unique<Class>(); })
