#include "host/PropertyBag.h"

#include <cctype>
#include <limits>

#include "host/Error.h"

namespace host {
namespace {

bool IsNumeric(ValueKind kind) {
  return kind == ValueKind::Int32 || kind == ValueKind::Int16 || kind == ValueKind::Bool || kind == ValueKind::Color;
}

[[noreturn]] void Mismatch(std::string_view key, ValueKind stored, ValueKind wanted) {
  throw Error(errors::kTypeMismatch, "Type mismatch: property \"" + std::string(key) + "\" is stored as " +
                                         ValueKindName(stored) + " but read as " + ValueKindName(wanted));
}

// The stored number for a numeric read, or a type mismatch.
int32_t NumberFor(std::string_view key, const PropertyValue& v, ValueKind wanted) {
  if (!IsNumeric(v.kind)) Mismatch(key, v.kind, wanted);
  return v.number;
}

}  // namespace

const char* ValueKindName(ValueKind kind) {
  switch (kind) {
    case ValueKind::Int32: return "int32";
    case ValueKind::Int16: return "int16";
    case ValueKind::Bool: return "bool";
    case ValueKind::Color: return "color";
    case ValueKind::Text: return "text";
    case ValueKind::Font: return "font";
    case ValueKind::Picture: return "picture";
  }
  return "unknown";
}

bool KeyEquals(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i]))) return false;
  return true;
}

bool operator==(const PropertyValue& a, const PropertyValue& b) {
  if (a.kind != b.kind) return false;
  switch (a.kind) {
    case ValueKind::Text: return a.text == b.text;
    case ValueKind::Font: return a.font == b.font;
    case ValueKind::Picture: return a.picture == b.picture;
    default: return a.number == b.number;
  }
}

const PropertyBag::Entry* PropertyBag::FindEntry(std::string_view key) const {
  for (const Entry& e : entries_)
    if (KeyEquals(e.key, key)) return &e;
  return nullptr;
}

PropertyBag::Entry* PropertyBag::FindEntry(std::string_view key) {
  return const_cast<Entry*>(static_cast<const PropertyBag*>(this)->FindEntry(key));
}

const PropertyValue* PropertyBag::Find(std::string_view key) const {
  const Entry* e = FindEntry(key);
  return e ? &e->value : nullptr;
}

bool PropertyBag::Contains(std::string_view key) const { return FindEntry(key) != nullptr; }

void PropertyBag::Remove(std::string_view key) {
  for (auto it = entries_.begin(); it != entries_.end(); ++it)
    if (KeyEquals(it->key, key)) {
      entries_.erase(it);
      return;
    }
}

void PropertyBag::Set(std::string_view key, PropertyValue value) {
  if (Entry* e = FindEntry(key))
    e->value = std::move(value);
  else
    entries_.push_back({std::string(key), std::move(value)});
}

void PropertyBag::Store(std::string_view key, PropertyValue value, bool isDefault) {
  if (isDefault)
    Remove(key);
  else
    Set(key, std::move(value));
}

int32_t PropertyBag::ReadInt32(std::string_view key, int32_t defaultValue) const {
  const PropertyValue* v = Find(key);
  return v ? NumberFor(key, *v, ValueKind::Int32) : defaultValue;
}

int16_t PropertyBag::ReadInt16(std::string_view key, int16_t defaultValue) const {
  const PropertyValue* v = Find(key);
  if (!v) return defaultValue;
  int32_t n = NumberFor(key, *v, ValueKind::Int16);
  if (n < std::numeric_limits<int16_t>::min() || n > std::numeric_limits<int16_t>::max())
    throw Error(errors::kOverflow, "Overflow: property \"" + std::string(key) + "\" holds " + std::to_string(n) +
                                       ", too large for a 16-bit integer");
  return static_cast<int16_t>(n);
}

bool PropertyBag::ReadBool(std::string_view key, bool defaultValue) const {
  const PropertyValue* v = Find(key);
  return v ? NumberFor(key, *v, ValueKind::Bool) != 0 : defaultValue;
}

OleColor PropertyBag::ReadColor(std::string_view key, OleColor defaultValue) const {
  const PropertyValue* v = Find(key);
  return v ? static_cast<OleColor>(NumberFor(key, *v, ValueKind::Color)) : defaultValue;
}

std::string PropertyBag::ReadText(std::string_view key, std::string_view defaultValue) const {
  const PropertyValue* v = Find(key);
  if (!v) return std::string(defaultValue);
  if (v->kind != ValueKind::Text) Mismatch(key, v->kind, ValueKind::Text);
  return v->text;
}

std::optional<FontDesc> PropertyBag::ReadFont(std::string_view key) const {
  const PropertyValue* v = Find(key);
  if (!v) return std::nullopt;
  if (v->kind != ValueKind::Font) Mismatch(key, v->kind, ValueKind::Font);
  return v->font;
}

FontDesc PropertyBag::ReadFont(std::string_view key, const FontDesc& defaultValue) const {
  std::optional<FontDesc> f = ReadFont(key);
  return f ? *f : defaultValue;
}

Picture PropertyBag::ReadPicture(std::string_view key) const {
  const PropertyValue* v = Find(key);
  if (!v) return {};
  if (v->kind != ValueKind::Picture) Mismatch(key, v->kind, ValueKind::Picture);
  return v->picture;
}

void PropertyBag::WriteInt32(std::string_view key, int32_t value, int32_t defaultValue) {
  Store(key, PropertyValue::Int32(value), value == defaultValue);
}
void PropertyBag::WriteInt16(std::string_view key, int16_t value, int16_t defaultValue) {
  Store(key, PropertyValue::Int16(value), value == defaultValue);
}
void PropertyBag::WriteBool(std::string_view key, bool value, bool defaultValue) {
  Store(key, PropertyValue::Bool(value), value == defaultValue);
}
void PropertyBag::WriteColor(std::string_view key, OleColor value, OleColor defaultValue) {
  Store(key, PropertyValue::Color(value), value == defaultValue);
}
void PropertyBag::WriteText(std::string_view key, std::string_view value, std::string_view defaultValue) {
  Store(key, PropertyValue::Text(std::string(value)), value == defaultValue);
}
void PropertyBag::WriteFont(std::string_view key, const FontDesc& value, const std::optional<FontDesc>& defaultValue) {
  Store(key, PropertyValue::Font(value), defaultValue && *defaultValue == value);
}
void PropertyBag::WritePicture(std::string_view key, const Picture& value) {
  Store(key, PropertyValue::Pic(value), !value);
}

bool PropertyBag::operator==(const PropertyBag& o) const {
  if (entries_.size() != o.entries_.size()) return false;
  for (size_t i = 0; i < entries_.size(); ++i)
    if (!KeyEquals(entries_[i].key, o.entries_[i].key) || !(entries_[i].value == o.entries_[i].value)) return false;
  return true;
}

}  // namespace host
