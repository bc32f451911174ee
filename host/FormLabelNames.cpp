// The windowless label that names a control for assistive technology, as a
// static control names the control after it: the nearest label before the
// control in tab order (wrapping round, as a label's access key does) with
// no control that takes the focus in between. A label only names while a
// person can see it: visible, with text, and inside its container.
#include "host/CaptionAsRead.h"
#include "host/Form.h"
#include "host/NativeAccessible.h"

namespace host {

namespace {

bool TakesTabStop(HWND hwnd) { return hwnd && (GetWindowLongA(hwnd, GWL_STYLE) & WS_VISIBLE) != 0; }

}  // namespace

bool Form::LabelCanName(const Label& label) const {
  if (!label.desc_.visible || CaptionAsRead(label.desc_.caption).empty()) return false;
  RECT area{}, overlap{};
  GetClientRect(label.container_ ? label.container_->Hwnd() : Hwnd(), &area);
  return IntersectRect(&overlap, &area, &label.rect_) != FALSE;
}

const Label* Form::LabelFor(HWND hwnd) const {
  const std::vector<TabItem> items = TabOrder();
  const int n = static_cast<int>(items.size());
  int at = -1;
  for (int i = 0; i < n && at < 0; ++i)
    if (hwnd && items[i].hwnd == hwnd && (items[i].site || items[i].native)) at = i;
  if (at < 0) return nullptr;
  for (int k = 1; k < n; ++k) {
    const TabItem& item = items[((at - k) % n + n) % n];
    if (item.label) {
      if (LabelCanName(*item.label)) return item.label;
    } else if (item.tabStop && TakesTabStop(item.hwnd)) {
      return nullptr;
    }
  }
  return nullptr;
}

std::string Form::AccessibleLabelName(HWND hwnd) const {
  const Label* label = LabelFor(hwnd);
  return label ? CaptionAsRead(label->Caption()) : std::string();
}

}  // namespace host
