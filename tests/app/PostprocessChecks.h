// Checks for the game's post-process description files as the tool carries
// them. Each check returns the problems it found, one message each; an
// empty list means the file passes.
#pragma once

#include "app/XmlDocument.h"

#include <string>
#include <string_view>
#include <vector>

namespace vorn::test {

// The first line every carried file starts with.
inline constexpr std::string_view kPostprocessDeclaration =
    "<?xml version=\"1.0\" encoding=\"ISO-8859-1\" standalone=\"yes\" ?>";

// Bytes and lines: the declaration line, CR LF after every line (the last
// one too) and nowhere else, printable ASCII only, tabs only as indentation.
std::vector<std::string> checkPostprocessLayout(std::string_view bytes);

// Elements and attributes of the format only, with sensible values; no
// character data; every tag on its own line, indented by its depth.
std::vector<std::string> checkPostprocessVocabulary(const XmlElement& document);

// The block graph: unique block ids; exactly one root chain with the given
// id reading "MainColourTarget" and writing "BackBuffer"; each unit's ports
// consistent; every reference names a defined block; every connection joins
// an existing output to an existing input; every input fed exactly once;
// no cycles. Unless 'allowUnusedBlocks', every block is used by the root.
std::vector<std::string> checkPostprocessChains(const XmlElement& document, std::string_view rootId,
                                                bool allowUnusedBlocks);

// All of the above on one file's bytes.
std::vector<std::string> checkPostprocessFile(std::string_view bytes, std::string_view rootId, bool allowUnusedBlocks);

// A "_noblur" file against its partner: line for line equal except, inside
// the root chain, the reference 'blurRefId' to "MotionBlur", which becomes
// reference "toneMap" to "ToneMap_to_8", and exactly three connections that
// use it, whose endpoints are renamed the same way.
std::vector<std::string> checkNoBlurPartner(std::string_view full, std::string_view noblur, std::string_view blurRefId);

// Splits at CR LF; a final CR LF does not start another line.
std::vector<std::string_view> splitCrLfLines(std::string_view bytes);

}  // namespace vorn::test
