// The keys under which a Butt keeps its properties in its form, in the
// order they are read. The same keys name the change notifications. Their
// spellings, kinds, defaults and fields are in one table
// (ButtPersistence.cpp).
#pragma once

enum class ButtKey {
  Caption,
  CapAlign,
  BackStyle,
  Shape,
  Gradient,
  cGradient,
  cFore,
  Font,
  Focus,
  Mode,
  Value,
  CustomClick,
  Image,
  ImgSize,
  ImgAlign,
  cFHover,
  Enabled,
  cBack,
  cBHover,
  LockHover,
  CapStyle,
  mIcon,
  mPointer,
};
inline constexpr int kButtKeyCount = static_cast<int>(ButtKey::mPointer) + 1;

// The key as it is read and notified ("cBHover"; it is written "cBhover").
const char* ButtKeyName(ButtKey key);
