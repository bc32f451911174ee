// The stored properties of one control instance: named values with
// case-insensitive keys, kept in the order they were first written (so a
// saved form lists them in the control's write order).
//
// Reading a key that is absent returns the given default. Writing a value
// equal to the given default removes the key (it is omitted from the stored
// form). Reading a key stored with another kind converts between the
// numeric kinds (32-bit, 16-bit, boolean, colour) when the value fits and
// otherwise throws host::Error: type mismatch (13) for text/font/picture
// against a number or each other, overflow (6) for a number too large for
// 16 bits. The description names the key and both kinds.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "host/Color.h"
#include "host/FontDesc.h"
#include "host/Picture.h"

namespace host {

enum class ValueKind { Int32, Int16, Bool, Color, Text, Font, Picture };

const char* ValueKindName(ValueKind kind);  // "int32", "int16", "bool", "color", "text", "font", "picture"

// One stored value. Booleans are held as 16-bit -1 (true) or 0 (false).
struct PropertyValue {
  ValueKind kind = ValueKind::Int32;
  int32_t number = 0;  // Int32, Int16, Bool (-1/0), Color (bit pattern)
  std::string text;    // Text
  FontDesc font;       // Font
  Picture picture;     // Picture

  static PropertyValue Int32(int32_t v) { return {ValueKind::Int32, v, {}, {}, {}}; }
  static PropertyValue Int16(int16_t v) { return {ValueKind::Int16, v, {}, {}, {}}; }
  static PropertyValue Bool(bool v) { return {ValueKind::Bool, v ? -1 : 0, {}, {}, {}}; }
  static PropertyValue Color(OleColor v) { return {ValueKind::Color, static_cast<int32_t>(v), {}, {}, {}}; }
  static PropertyValue Text(std::string v) { return {ValueKind::Text, 0, std::move(v), {}, {}}; }
  static PropertyValue Font(const FontDesc& v) { return {ValueKind::Font, 0, {}, v, {}}; }
  static PropertyValue Pic(const Picture& v) { return {ValueKind::Picture, 0, {}, {}, v}; }
};

bool operator==(const PropertyValue& a, const PropertyValue& b);

class PropertyBag {
 public:
  struct Entry {
    std::string key;  // spelled as first written
    PropertyValue value;
  };

  int32_t ReadInt32(std::string_view key, int32_t defaultValue) const;
  int16_t ReadInt16(std::string_view key, int16_t defaultValue) const;
  bool ReadBool(std::string_view key, bool defaultValue) const;
  OleColor ReadColor(std::string_view key, OleColor defaultValue) const;
  std::string ReadText(std::string_view key, std::string_view defaultValue) const;
  // A font with no default: std::nullopt when absent.
  std::optional<FontDesc> ReadFont(std::string_view key) const;
  FontDesc ReadFont(std::string_view key, const FontDesc& defaultValue) const;
  // "none" when absent.
  Picture ReadPicture(std::string_view key) const;

  void WriteInt32(std::string_view key, int32_t value, int32_t defaultValue);
  void WriteInt16(std::string_view key, int16_t value, int16_t defaultValue);
  void WriteBool(std::string_view key, bool value, bool defaultValue);
  void WriteColor(std::string_view key, OleColor value, OleColor defaultValue);
  void WriteText(std::string_view key, std::string_view value, std::string_view defaultValue);
  // Written when the value differs from the default; a missing default
  // (std::nullopt) means "always written".
  void WriteFont(std::string_view key, const FontDesc& value,
                 const std::optional<FontDesc>& defaultValue = std::nullopt);
  // Omitted when the value is "none" (the only default a picture has).
  void WritePicture(std::string_view key, const Picture& value);
  // Writes unconditionally ("always written" keys).
  void Set(std::string_view key, PropertyValue value);

  bool Contains(std::string_view key) const;
  const PropertyValue* Find(std::string_view key) const;
  void Remove(std::string_view key);
  void Clear() { entries_.clear(); }
  bool Empty() const { return entries_.empty(); }
  const std::vector<Entry>& Entries() const { return entries_; }

  bool operator==(const PropertyBag& o) const;

 private:
  Entry* FindEntry(std::string_view key);
  const Entry* FindEntry(std::string_view key) const;
  // Writes value, or removes the key when isDefault.
  void Store(std::string_view key, PropertyValue value, bool isDefault);
  std::vector<Entry> entries_;
};

// Case-insensitive (ASCII) key comparison used by the bag and the form.
bool KeyEquals(std::string_view a, std::string_view b);

}  // namespace host
