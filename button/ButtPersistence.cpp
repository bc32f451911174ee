// What a Butt stores in its form and reads back: the defaults of a new
// instance, the one table of keys with their spellings, kinds, defaults and
// fields, and the order of loading (values stored directly, then the
// derived state, then one draw).
#include <array>
#include <iterator>
#include <string>

#include "button/Butt.h"
#include "button/ButtCore.h"
#include "button/ButtKeys.h"
#include "button/ButtLooks.h"
#include "button/TranslateColor.h"
#include "host/ControlSite.h"
#include "host/PropertyBag.h"

using host::PropertyValue;
using host::ValueKind;

// The fields behind the keys, as the table reads and writes them.
struct ButtPersistedFields {
  template <int32_t ButtState::*Field>
  static PropertyValue GetInt32(const Butt& b) {
    return PropertyValue::Int32(b.s_.*Field);
  }
  template <int32_t ButtState::*Field>
  static void SetInt32(Butt& b, const PropertyValue& v) {
    b.s_.*Field = v.number;
  }
  template <ButtColor ButtState::*Field>
  static PropertyValue GetColor(const Butt& b) {
    return PropertyValue::Color(static_cast<host::OleColor>(b.s_.*Field));
  }
  template <ButtColor ButtState::*Field>
  static void SetColor(Butt& b, const PropertyValue& v) {
    b.s_.*Field = static_cast<ButtColor>(v.number);
  }
  // 16-bit booleans: -1/0 in the field.
  template <int16_t ButtState::*Field>
  static PropertyValue GetBool(const Butt& b) {
    return PropertyValue::Bool(b.s_.*Field != 0);
  }
  template <int16_t ButtState::*Field>
  static void SetBool(Butt& b, const PropertyValue& v) {
    b.s_.*Field = v.number != 0 ? kTrue : kFalse;
  }

  static PropertyValue GetCaption(const Butt& b) { return PropertyValue::Text(b.s_.Caption); }
  static void SetCaption(Butt& b, const PropertyValue& v) { b.s_.Caption = v.text; }
  static PropertyValue GetForeColor(const Butt& b) { return PropertyValue::Color(b.site_->ForeColor()); }
  static void SetForeColor(Butt& b, const PropertyValue& v) {
    b.site_->SetForeColor(static_cast<host::OleColor>(v.number));
  }
  static PropertyValue GetFont(const Butt& b) { return PropertyValue::Font(b.site_->Font()); }
  static void SetFont(Butt& b, const PropertyValue& v) { b.site_->SetFont(v.font); }
  static PropertyValue GetPicture(const Butt& b) { return PropertyValue::Pic(b.picture_); }
  static void SetPicture(Butt& b, const PropertyValue& v) {
    b.picture_ = v.picture;
    b.s_.pictureHandle = b.picture_ ? b.picture_.Handle() : nullptr;
    b.s_.pictureType = static_cast<int16_t>(b.picture_.Type());
  }
  static PropertyValue GetPictureSize(const Butt& b) {
    return PropertyValue::Int16(static_cast<int16_t>(b.s_.pictureSizePx));
  }
  static void SetPictureSize(Butt& b, const PropertyValue& v) { b.s_.pictureSizePx = v.number; }
  static PropertyValue GetEnabled(const Butt& b) { return PropertyValue::Bool(b.site_->Enabled()); }
  static void SetEnabled(Butt& b, const PropertyValue& v) { b.site_->SetEnabled(v.number != 0); }
  // Through the setters: a stored pointer (read after the icon) wins over
  // the custom pointer a stored icon selects.
  static PropertyValue GetMouseIcon(const Butt& b) { return PropertyValue::Pic(b.site_->MouseIcon()); }
  static void SetMouseIcon(Butt& b, const PropertyValue& v) { b.MouseIcon(v.picture); }
  static PropertyValue GetMousePointer(const Butt& b) { return PropertyValue::Int16(b.site_->MousePointer()); }
  static void SetMousePointer(Butt& b, const PropertyValue& v) { b.MousePointer(static_cast<int16_t>(v.number)); }

  // The defaults that are not fixed numbers.
  static int32_t ParentBackColor(const Butt& b) { return static_cast<int32_t>(b.site_->ParentForm().backColor); }
  static int32_t BackColor(const Butt& b) { return b.s_.BackColor; }
};

namespace {

using Fields = ButtPersistedFields;

// Where a default comes from.
enum class DefaultFrom {
  Number,           // the number of the row; the empty text or no picture for those kinds
  None,             // no default: an absent key is not read, the key is always written
  ParentBackColor,  // the parent form's BackColor
  BackColor,        // the control's BackColor (read before this key)
};

struct Default {
  DefaultFrom from = DefaultFrom::Number;
  int32_t number = 0;
};
constexpr Default Is(int32_t number) { return {DefaultFrom::Number, number}; }
constexpr Default kNoDefault{DefaultFrom::None, 0};
constexpr Default kParentBackColor{DefaultFrom::ParentBackColor, 0};
constexpr Default kBackColor{DefaultFrom::BackColor, 0};
constexpr int32_t kButtonFace = kColorButtonFace;
constexpr int32_t kButtonText = kColorButtonText;

struct PersistedKey {
  ButtKey id;
  const char* readKey;   // as read and as notified
  const char* writeKey;  // as written
  int writePosition;     // the key's place in a saved control
  ValueKind kind;
  Default readDefault;
  Default writeDefault;  // kNoDefault: written in every case
  PropertyValue (*get)(const Butt&);
  void (*set)(Butt&, const PropertyValue&);
};

// Every persisted key, in the order of loading.
constexpr PersistedKey kKeys[] = {
    {ButtKey::Caption, "Caption", "Caption", 0, ValueKind::Text, Is(0), Is(0), Fields::GetCaption, Fields::SetCaption},
    {ButtKey::CapAlign, "CapAlign", "CapAlign", 1, ValueKind::Int32, Is(butt::CaptionCenter), Is(butt::CaptionCenter),
     Fields::GetInt32<&ButtState::CaptionAlign>, Fields::SetInt32<&ButtState::CaptionAlign>},
    {ButtKey::BackStyle, "BackStyle", "BackStyle", 2, ValueKind::Int32, Is(butt::StyleSoft3D), Is(butt::StyleSoft3D),
     Fields::GetInt32<&ButtState::ButtonStyle>, Fields::SetInt32<&ButtState::ButtonStyle>},
    {ButtKey::Shape, "Shape", "Shape", 3, ValueKind::Int32, Is(0), Is(0), Fields::GetInt32<&ButtState::ButtonShape>,
     Fields::SetInt32<&ButtState::ButtonShape>},
    {ButtKey::Gradient, "Gradient", "Gradient", 11, ValueKind::Int32, Is(butt::GradientNone), Is(butt::GradientNone),
     Fields::GetInt32<&ButtState::GradientMode>, Fields::SetInt32<&ButtState::GradientMode>},
    {ButtKey::cGradient, "cGradient", "cGradient", 10, ValueKind::Color, Is(kButtonFace), Is(kButtonFace),
     Fields::GetColor<&ButtState::GradientColor>, Fields::SetColor<&ButtState::GradientColor>},
    {ButtKey::cFore, "cFore", "cFore", 5, ValueKind::Color, Is(kButtonText), Is(kButtonText), Fields::GetForeColor,
     Fields::SetForeColor},
    {ButtKey::Font, "Font", "Font", 4, ValueKind::Font, kNoDefault, kNoDefault, Fields::GetFont, Fields::SetFont},
    {ButtKey::Focus, "Focus", "Focus", 8, ValueKind::Bool, Is(kTrue), Is(kTrue),
     Fields::GetBool<&ButtState::ShowFocusRect>, Fields::SetBool<&ButtState::ShowFocusRect>},
    {ButtKey::Mode, "Mode", "Mode", 13, ValueKind::Int32, Is(butt::ModeCommand), kNoDefault,
     Fields::GetInt32<&ButtState::Mode>, Fields::SetInt32<&ButtState::Mode>},
    {ButtKey::Value, "Value", "Value", 14, ValueKind::Bool, Is(kFalse), kNoDefault, Fields::GetBool<&ButtState::Value>,
     Fields::SetBool<&ButtState::Value>},
    {ButtKey::CustomClick, "CustomClick", "CustomClick", 15, ValueKind::Int32, Is(butt::ClickStandard),
     Is(butt::ClickStandard), Fields::GetInt32<&ButtState::CustomClick>, Fields::SetInt32<&ButtState::CustomClick>},
    {ButtKey::Image, "Image", "Image", 17, ValueKind::Picture, Is(0), Is(0), Fields::GetPicture, Fields::SetPicture},
    {ButtKey::ImgSize, "ImgSize", "ImgSize", 18, ValueKind::Int16, Is(16), Is(16), Fields::GetPictureSize,
     Fields::SetPictureSize},
    {ButtKey::ImgAlign, "ImgAlign", "ImgAlign", 16, ValueKind::Int32, Is(butt::PicAlignLeftEdge),
     Is(butt::PicAlignLeftEdge), Fields::GetInt32<&ButtState::PictureAlign>,
     Fields::SetInt32<&ButtState::PictureAlign>},
    {ButtKey::cFHover, "cFHover", "cFHover", 6, ValueKind::Color, Is(kButtonText), Is(kButtonText),
     Fields::GetColor<&ButtState::HoverForeColor>, Fields::SetColor<&ButtState::HoverForeColor>},
    {ButtKey::Enabled, "Enabled", "Enabled", 19, ValueKind::Bool, Is(kTrue), Is(kTrue), Fields::GetEnabled,
     Fields::SetEnabled},
    {ButtKey::cBack, "cBack", "cBack", 20, ValueKind::Color, kParentBackColor, kNoDefault,
     Fields::GetColor<&ButtState::BackColor>, Fields::SetColor<&ButtState::BackColor>},
    {ButtKey::cBHover, "cBHover", "cBhover", 7, ValueKind::Color, kBackColor, kBackColor,
     Fields::GetColor<&ButtState::HoverBackColor>, Fields::SetColor<&ButtState::HoverBackColor>},
    {ButtKey::LockHover, "LockHover", "LockHover", 9, ValueKind::Int32, Is(butt::LockBoth), Is(butt::LockBoth),
     Fields::GetInt32<&ButtState::HoverColorLocks>, Fields::SetInt32<&ButtState::HoverColorLocks>},
    {ButtKey::CapStyle, "CapStyle", "CapStyle", 12, ValueKind::Int32, Is(butt::CaptionFlat), Is(butt::CaptionFlat),
     Fields::GetInt32<&ButtState::CaptionStyle>, Fields::SetInt32<&ButtState::CaptionStyle>},
    {ButtKey::mIcon, "mIcon", "mIcon", 22, ValueKind::Picture, Is(0), Is(0), Fields::GetMouseIcon,
     Fields::SetMouseIcon},
    {ButtKey::mPointer, "mPointer", "mPointer", 21, ValueKind::Int16, Is(0), Is(0), Fields::GetMousePointer,
     Fields::SetMousePointer},
};

constexpr bool RowsFollowTheKeys() {
  for (int i = 0; i < kButtKeyCount; ++i)
    if (static_cast<int>(kKeys[i].id) != i) return false;
  return true;
}
constexpr bool WritePositionsArePlaces() {
  for (int position = 0; position < kButtKeyCount; ++position) {
    int rows = 0;
    for (const PersistedKey& key : kKeys) rows += key.writePosition == position ? 1 : 0;
    if (rows != 1) return false;
  }
  return true;
}
static_assert(std::size(kKeys) == kButtKeyCount && RowsFollowTheKeys(), "one row per ButtKey, in its order");
static_assert(WritePositionsArePlaces(), "each write position is taken once");

int32_t DefaultNumber(const Default& d, const Butt& b) {
  switch (d.from) {
    case DefaultFrom::ParentBackColor: return Fields::ParentBackColor(b);
    case DefaultFrom::BackColor: return Fields::BackColor(b);
    default: return d.number;
  }
}

// Reads one key; false when it is absent and has no default (nothing is
// stored then). A value of the wrong kind throws host::Error.
bool ReadKey(const host::PropertyBag& bag, const PersistedKey& key, const Butt& b, PropertyValue& out) {
  const int32_t d = DefaultNumber(key.readDefault, b);
  switch (key.kind) {
    case ValueKind::Int32: out = PropertyValue::Int32(bag.ReadInt32(key.readKey, d)); return true;
    case ValueKind::Int16: out = PropertyValue::Int16(bag.ReadInt16(key.readKey, static_cast<int16_t>(d))); return true;
    case ValueKind::Bool: out = PropertyValue::Bool(bag.ReadBool(key.readKey, d != 0)); return true;
    case ValueKind::Color:
      out = PropertyValue::Color(bag.ReadColor(key.readKey, static_cast<host::OleColor>(d)));
      return true;
    case ValueKind::Text: out = PropertyValue::Text(bag.ReadText(key.readKey, "")); return true;
    case ValueKind::Picture: out = PropertyValue::Pic(bag.ReadPicture(key.readKey)); return true;
    case ValueKind::Font:
      if (std::optional<host::FontDesc> font = bag.ReadFont(key.readKey)) {
        out = PropertyValue::Font(*font);
        return true;
      }
      return false;
  }
  return false;
}

// Whether a value equals its key's write default (the key is then omitted).
bool IsWriteDefault(const PersistedKey& key, const PropertyValue& v, const Butt& b) {
  if (key.writeDefault.from == DefaultFrom::None) return false;
  const int32_t d = DefaultNumber(key.writeDefault, b);
  switch (key.kind) {
    case ValueKind::Bool: return (v.number != 0) == (d != 0);
    case ValueKind::Text: return v.text.empty();
    case ValueKind::Picture: return !v.picture;
    case ValueKind::Font: return false;
    default: return v.number == d;
  }
}

// The container's handle as decimal text, kept in the control's Tag.
std::string HandleText(HWND hwnd) {
  return std::to_string(static_cast<unsigned long long>(reinterpret_cast<UINT_PTR>(hwnd)));
}

}  // namespace

const char* ButtKeyName(ButtKey key) { return kKeys[static_cast<int>(key)].readKey; }

void Butt::InitProperties() {
  if (!site_) return;
  SyncHostMirrors();
  site_->SetTag(HandleText(site_->ContainerHwnd()));
  s_.Caption = site_->DisplayName();
  s_.CaptionAlign = butt::CaptionCenter;
  s_.ShowFocusRect = kTrue;
  s_.HoverForeColor = kColorButtonText;
  s_.HoverBackColor = kColorButtonFace;
  const host::ParentFormInfo parent = site_->ParentForm();
  if (!parent.isMdiForm) site_->SetFont(parent.font);
  s_.hostFont = site_->Font();
  s_.containerBackColor = TranslateColor(static_cast<ButtColor>(site_->AmbientBackColor()));
  s_.BackColor = kColorButtonFace;
  UpdateDerived(s_, "BackColor");
  for (ButtKey key :
       {ButtKey::Caption, ButtKey::CapAlign, ButtKey::Focus, ButtKey::cFHover, ButtKey::cBHover, ButtKey::Font})
    Notify(key);
}

void Butt::ReadProperties(host::PropertyBag& bag) {
  if (!site_) return;
  SyncHostMirrors();
  site_->SetTag(HandleText(site_->ContainerHwnd()));
  s_.containerBackColor = TranslateColor(static_cast<ButtColor>(site_->AmbientBackColor()));
  DelayDrawing(true);

  // Stored values go in as they are, without the setters' checks. A value
  // of the wrong kind throws here and ends loading with the host's error;
  // drawing then stays delayed until the next paint.
  for (const PersistedKey& key : kKeys) {
    PropertyValue value;
    if (ReadKey(bag, key, *this, value)) key.set(*this, value);
  }
  SyncHostMirrors();

  // From here on a failing step is skipped and the next one runs.
  auto step = [](auto&& work) {
    try {
      work();
    } catch (const std::exception&) {
    }
  };
  step([&] { UpdateDerived(s_, "Picture"); });
  step([&] { UpdateDerived(s_, "BackColor"); });
  step([&] { Caption(s_.Caption); });
  step([&] {
    if (s_.Mode == butt::ModeOptionButton) OptionToggle(1);
  });

  s_.drawingDelayed = false;
  RunResize();
}

void Butt::WriteProperties(host::PropertyBag& bag) {
  if (!site_) return;
  static const std::array<const PersistedKey*, kButtKeyCount> writeOrder = [] {
    std::array<const PersistedKey*, kButtKeyCount> order{};
    for (const PersistedKey& key : kKeys) order[key.writePosition] = &key;
    return order;
  }();
  for (const PersistedKey* key : writeOrder) {
    PropertyValue value = key->get(*this);
    if (IsWriteDefault(*key, value, *this))
      bag.Remove(key->writeKey);
    else
      bag.Set(key->writeKey, std::move(value));
  }
}

void Butt::Notify(ButtKey key) {
  if (site_) site_->PropertyChanged(ButtKeyName(key));
}
