// The description of a form: the form itself, its containers, windowless
// labels and images, and its controls with their stored property bags.
// This is what the stored form text holds (FormText.h) and what a Form is
// built from. Positions and sizes are in twips (15 per pixel at 96 dpi),
// relative to the container's client area; a control's size is its
// extent in HIMETRIC.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "host/Color.h"
#include "host/FontDesc.h"
#include "host/Picture.h"
#include "host/PropertyBag.h"

namespace host {

// Border styles of a form: 0 none, 1 fixed single, 2 sizable, 3 fixed dialog.
struct FormProps {
  std::string name = "Form1";
  std::string caption;
  int32_t left = -1, top = -1;                      // twips on the screen; -1 centres the window
  int32_t clientWidth = 4800, clientHeight = 3600;  // twips
  OleColor backColor = kButtonFace;
  OleColor foreColor = kButtonText;
  FontDesc font;
  int16_t borderStyle = 2;
  Picture icon;
  Picture picture;  // drawn unstretched at 0,0
  bool isMdiForm = false;
};

// A child window that holds controls, labels and images, like a picture box.
struct ContainerDesc {
  std::string name;
  std::string container;                                   // the parent container; empty means the form
  int32_t left = 0, top = 0, width = 1440, height = 1440;  // twips
  int16_t tabIndex = 0;
  bool tabStop = false;  // containers take no focus unless asked to
  bool visible = true;
  OleColor backColor = kButtonFace;
  OleColor foreColor = kButtonText;
  std::optional<FontDesc> font;  // absent: the form's font
  Picture picture;               // drawn unstretched at 0,0
  int16_t borderStyle = 0;       // 0 none, 1 fixed single
  std::string toolTip;
};

// A windowless text label drawn by its container. A "&" in the caption
// marks an access key that moves the focus to the next control in tab order.
struct LabelDesc {
  std::string name;
  std::string container;
  int32_t left = 0, top = 0, width = 1215, height = 255;  // twips
  int16_t tabIndex = 0;
  bool visible = true;
  std::string caption;
  OleColor foreColor = kButtonText;
  OleColor backColor = kButtonFace;
  bool transparent = false;      // no background of its own
  std::optional<FontDesc> font;  // absent: the container's font
  int16_t alignment = 0;         // 0 left, 1 right, 2 centre
  std::string toolTip;
};

// A windowless picture drawn by its container, unstretched at its top-left
// corner or stretched to its rectangle.
struct ImageDesc {
  std::string name;
  std::string container;
  int32_t left = 0, top = 0, width = 480, height = 480;  // twips
  bool visible = true;
  bool stretch = false;
  Picture picture;
  std::string toolTip;
};

// A hosted control: its class (a registered factory name), its place, and
// its stored properties (absent for a new instance, which then gets
// InitProperties instead of ReadProperties).
struct ControlDesc {
  std::string className;
  std::string name;
  std::string container;
  int32_t left = 0, top = 0;              // twips
  int32_t extentX = 1667, extentY = 688;  // HIMETRIC
  int16_t tabIndex = 0;
  bool isDefault = false;  // the form's default button (Enter)
  bool isCancel = false;   // the form's cancel button (Escape)
  bool visible = true;
  std::string toolTip;
  std::optional<PropertyBag> properties;
};

struct FormDesc {
  FormProps form;
  std::vector<ContainerDesc> containers;  // parents before children
  std::vector<LabelDesc> labels;
  std::vector<ImageDesc> images;
  std::vector<ControlDesc> controls;
};

}  // namespace host
