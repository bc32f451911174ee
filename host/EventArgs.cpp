#include "host/EventArgs.h"

#include "host/Error.h"

namespace host {

template <typename T>
T& EventArgs::At(size_t i) const {
  if (i >= refs_.size())
    throw Error(errors::kSubscriptOutOfRange,
                "Subscript out of range: event argument " + std::to_string(i) + " of " + std::to_string(refs_.size()));
  T* const* p = std::get_if<T*>(&refs_[i]);
  if (!p)
    throw Error(errors::kTypeMismatch, "Type mismatch: event argument " + std::to_string(i) + " has another type");
  return **p;
}

int16_t& EventArgs::Int16(size_t i) const { return At<int16_t>(i); }
int32_t& EventArgs::Int32(size_t i) const { return At<int32_t>(i); }
float& EventArgs::Single(size_t i) const { return At<float>(i); }
std::string& EventArgs::Text(size_t i) const { return At<std::string>(i); }
DataObject& EventArgs::Data(size_t i) const { return At<DataObject>(i); }

}  // namespace host
