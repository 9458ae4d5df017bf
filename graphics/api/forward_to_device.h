// How the free functions reach the current device: each call reads it once and
// invokes one of its operations; without a target nothing is drawn and getters
// give a fallback.
#pragma once

#include "state/graphics_library.h"

namespace korvi {

// Calls the operation on the current device, or gives the fallback without one.
template <class Result, class Operation>
Result on_current_device(Result fallback, Operation operation) {
  ImageDevice* device = library().current_device();
  return device ? operation(*device) : fallback;
}

// Calls the operation on the current device, if there is one.
template <class Operation>
void on_current_device(Operation operation) {
  if (ImageDevice* device = library().current_device()) operation(*device);
}

}  // namespace korvi
