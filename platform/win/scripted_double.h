// The common parts of the test doubles that stand in for an installable
// service of the windows (the common dialogs, the pickers): a script of
// answers taken in order, and a guard that installs a double for its
// lifetime.
#pragma once

#include <deque>
#include <utility>

namespace orvilo::win {

// The next answer of `script`, taken off it; once the script has run out, a
// default answer (the doubles' "cancelled").
template <typename Answer>
Answer TakeScriptedAnswer(std::deque<Answer>& script) {
  if (script.empty()) return Answer{};
  Answer answer = std::move(script.front());
  script.pop_front();
  return answer;
}

// A `Double` installed through its service's static Install(pointer) while
// the guard lives; the service in use before is installed again after.
template <typename Double>
class ScopedInstall : public Double {
 public:
  ScopedInstall() : previous_(Double::Install(this)) {}
  ~ScopedInstall() override { Double::Install(previous_); }
  ScopedInstall(const ScopedInstall&) = delete;
  ScopedInstall& operator=(const ScopedInstall&) = delete;

 private:
  decltype(Double::Install(nullptr)) previous_;
};

}  // namespace orvilo::win
