// The parameters of an event raised by a control, passed by reference: a
// handler reads and may change each one, and the control sees the change
// after the handler returns. Booleans travel as 16-bit values (-1 true).
#pragma once

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <string>
#include <variant>
#include <vector>

#include "host/DataObject.h"

namespace host {

class EventArgs {
 public:
  using Ref = std::variant<int16_t*, int32_t*, float*, std::string*, DataObject*>;

  EventArgs() = default;
  EventArgs(std::initializer_list<Ref> refs) : refs_(refs) {}
  template <typename... Ts>
  static EventArgs Of(Ts&... values) {
    return EventArgs{Ref(&values)...};
  }

  size_t Count() const { return refs_.size(); }

  // The i-th parameter (0-based). Throws host::Error: subscript out of
  // range (9) or type mismatch (13) when it has another type.
  int16_t& Int16(size_t i) const;
  int32_t& Int32(size_t i) const;
  float& Single(size_t i) const;
  std::string& Text(size_t i) const;
  DataObject& Data(size_t i) const;

 private:
  template <typename T>
  T& At(size_t i) const;
  std::vector<Ref> refs_;
};

}  // namespace host
