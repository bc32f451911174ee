// The texts of the messages Butt shows to the person editing a form.
#pragma once

inline constexpr const char* kMsgCaptionAlignCentered =
    "When button images are aligned top/bottom center, \r\n"
    "button captions can only be center aligned";
inline constexpr const char* kMsgCustomClickNeedsShape =
    "This property has no effect unless the Button Shape is a custom shape.";
inline constexpr const char* kMsgShapeNeedsBitmap =
    "The Picture Property must be assigned first and must be a bitmap or JPEG.";
inline constexpr const char* kMsgIconNotForShapes =
    "Icons cannot be used for custom buttons. Only use bitmaps or JPEGs.\r\n"
    "Button was changed to Rectangular shaped.";
inline constexpr const char* kMsgFocusRectDesignOnly =
    "The focus rectangle may appear on default buttons ONLY while in design mode, \r\n"
    "but will not appear when the form is running.";
inline constexpr const char* kMsgValueNotForCommand = "This property is not applicable for command button modes.";
inline constexpr const char* kMsgPictureSizeFixedForShapes = "The picture size cannot be changed for Shaped buttons";
// Title of the box that shows why a MouseIcon was refused.
inline constexpr const char* kTitleMouseIconRefused = "Select .ico Or .cur Files Only";
