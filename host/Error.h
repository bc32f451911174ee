// The error every host operation throws: a number and a description, like
// the runtime errors a form designer shows. Controls catch it to show the
// description to the person editing a form.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>

namespace host {

class Error : public std::runtime_error {
 public:
  Error(int32_t number, const std::string& description)
      : std::runtime_error(description), number_(number), description_(description) {}

  int32_t Number() const { return number_; }
  const std::string& Description() const { return description_; }

 private:
  int32_t number_;
  std::string description_;
};

// Error numbers of the host, named after the classic runtime's numbers so a
// reader recognises them.
namespace errors {
inline constexpr int32_t kSubscriptOutOfRange = 9;
inline constexpr int32_t kTypeMismatch = 13;
inline constexpr int32_t kOverflow = 6;
inline constexpr int32_t kFileNotFound = 53;
inline constexpr int32_t kFileIo = 75;
inline constexpr int32_t kInvalidPropertyValue = 380;
inline constexpr int32_t kInvalidPicture = 481;
inline constexpr int32_t kBadFormText = 32000;  // a stored form that cannot be read
inline constexpr int32_t kUnknownControlClass = 32001;
inline constexpr int32_t kNoSuchObject = 32002;  // a control, container or label name not on the form
inline constexpr int32_t kWindowCreation = 32003;
inline constexpr int32_t kFormNotLoaded = 32004;
inline constexpr int32_t kDuplicateName = 32005;
}  // namespace errors

}  // namespace host
