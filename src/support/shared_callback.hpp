// A callback held through a shared pointer: copying one costs a reference
// count, never an allocation, so a caller can keep a callback alive while
// it runs even if the callback replaces itself in the meantime.
#pragma once

#include <cstddef>
#include <functional>
#include <memory>
#include <type_traits>
#include <utility>

namespace lumo {

template <typename Signature>
class SharedCallback;

template <typename R, typename... Args>
class SharedCallback<R(Args...)> {
 public:
  using Function = std::function<R(Args...)>;

  SharedCallback() = default;
  SharedCallback(std::nullptr_t) {}

  // Any callable; an empty std::function gives an empty callback.
  template <typename F>
    requires(!std::is_same_v<std::remove_cvref_t<F>, SharedCallback> && std::is_constructible_v<Function, F>)
  SharedCallback(F&& f) {
    Function function(std::forward<F>(f));
    if (function) function_ = std::make_shared<const Function>(std::move(function));
  }

  explicit operator bool() const { return static_cast<bool>(function_); }

  R operator()(Args... args) const { return (*function_)(std::forward<Args>(args)...); }

 private:
  std::shared_ptr<const Function> function_;
};

}  // namespace lumo
