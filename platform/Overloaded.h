#pragma once

namespace platform {

// One callable from several lambdas, for visiting a ControlRef by kind.
template <typename... Fs>
struct Overloaded : Fs... {
  using Fs::operator()...;
};
template <typename... Fs>
Overloaded(Fs...) -> Overloaded<Fs...>;

}  // namespace platform
