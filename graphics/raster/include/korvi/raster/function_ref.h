#pragma once
// A non-owning reference to a callable, for callbacks that must not be templates
// (virtual operations, callbacks on hot paths): no allocation, one indirect call.

#include <memory>
#include <type_traits>
#include <utility>

namespace korvi::raster {

template <class Signature>
class FunctionRef;

template <class R, class... Args>
class FunctionRef<R(Args...)> {
 public:
  // The callable must outlive the reference (a temporary lambda passed as an
  // argument lives until the call returns).
  template <class F, class = std::enable_if_t<!std::is_same_v<std::decay_t<F>, FunctionRef>>>
  FunctionRef(F&& f)  // NOLINT: implicit by design
      : m_object(const_cast<void*>(static_cast<const void*>(std::addressof(f)))),
        m_call([](void* object, Args... args) -> R {
          return (*static_cast<std::remove_reference_t<F>*>(object))(std::forward<Args>(args)...);
        }) {}
  R operator()(Args... args) const { return m_call(m_object, std::forward<Args>(args)...); }

 private:
  void* m_object;
  R (*m_call)(void*, Args...);
};

}  // namespace korvi::raster
