// The data of an OLE drag-and-drop operation as controls see it: a thin,
// reference-counted wrapper over IDataObject with the few queries a control
// needs. Formats are clipboard format numbers (1 = CF_TEXT, 15 = CF_HDROP).
#pragma once

#include <windows.h>
#include <ole2.h>

#include <cstdint>
#include <string>
#include <vector>

namespace host {

class DataObject {
 public:
  DataObject() = default;
  explicit DataObject(IDataObject* data);  // adds a reference
  ~DataObject();
  DataObject(const DataObject& o);
  DataObject& operator=(const DataObject& o);

  // A new, empty data object the host can hand to DoDragDrop (used for
  // drags a control starts); SetData fills it.
  static DataObject CreateEmpty();

  IDataObject* Get() const { return data_; }
  explicit operator bool() const { return data_ != nullptr; }

  // Whether data in the clipboard format is offered (HGLOBAL storage).
  bool GetFormat(int16_t format) const;
  // The bytes offered in the format; empty when it is not offered.
  std::vector<uint8_t> GetData(int16_t format) const;
  // CF_TEXT as a string (up to the first NUL).
  std::string GetText() const;
  // CF_HDROP file names.
  std::vector<std::string> GetFiles() const;
  // Offers bytes in a format (only on objects from CreateEmpty).
  void SetData(int16_t format, const std::vector<uint8_t>& bytes);
  // Offers a format without its bytes; a drop target asking for it makes
  // the host call the source control's OLESetData, which sets them.
  void OfferFormat(int16_t format);
  void SetText(const std::string& text);

 private:
  IDataObject* data_ = nullptr;
};

}  // namespace host
