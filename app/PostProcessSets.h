// The two carried post-process sets: which data item goes to which file of
// the game's postprocess folder, in the order they are written.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace vorn {

struct SetFile {
  int16_t item;          // number of the carried data item (group "CUSTOM")
  const char* fileName;  // target file in the postprocess folder
};

using PostProcessSet = std::array<SetFile, 8>;

inline constexpr const char kItemGroup[] = "CUSTOM";

inline constexpr PostProcessSet kNoneSet{{{101, "type1.xml"},
                                          {102, "type2.xml"},
                                          {103, "type2_noblur.xml"},
                                          {104, "type3.xml"},
                                          {105, "type4.xml"},
                                          {106, "type4_noblur.xml"},
                                          {107, "type5.xml"},
                                          {108, "type5_noblur.xml"}}};

inline constexpr PostProcessSet kFullSet{{{109, "type1.xml"},
                                          {110, "type2.xml"},
                                          {111, "type2_noblur.xml"},
                                          {112, "type3.xml"},
                                          {113, "type4.xml"},
                                          {114, "type4_noblur.xml"},
                                          {115, "type5.xml"},
                                          {116, "type5_noblur.xml"}}};

// The set named by the selector text, compared exactly ("Full" or "None");
// nothing for any other text.
inline const PostProcessSet* SetForSelection(std::string_view text) {
  if (text == "None") return &kNoneSet;
  if (text == "Full") return &kFullSet;
  return nullptr;
}

}  // namespace vorn
