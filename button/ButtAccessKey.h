// The access key marked in a caption: the character after the last single
// "&"; "&&" is a literal ampersand and marks nothing.
#pragma once

#include <optional>
#include <string>
#include <string_view>

// No value: the caption marks nothing (the previous key stays). An empty
// text: the caption ends in a single "&" (the key is cleared). Otherwise the
// one marked character.
std::optional<std::string> AccessKeyOfCaption(std::string_view caption);
