#include "host/DataObject.h"

#include <shellapi.h>

#include <cstring>
#include <map>

#include "host/DataStore.h"

namespace host {

DataObject::DataObject(IDataObject* data) : data_(data) {
  if (data_) data_->AddRef();
}
DataObject::~DataObject() {
  if (data_) data_->Release();
}
DataObject::DataObject(const DataObject& o) : data_(o.data_) {
  if (data_) data_->AddRef();
}
DataObject& DataObject::operator=(const DataObject& o) {
  if (o.data_) o.data_->AddRef();
  if (data_) data_->Release();
  data_ = o.data_;
  return *this;
}

DataObject DataObject::CreateEmpty() {
  DataStore* store = new DataStore();
  DataObject result(store);
  store->Release();  // the wrapper holds the only reference
  return result;
}

bool DataObject::GetFormat(int16_t format) const {
  if (!data_) return false;
  FORMATETC fe{static_cast<CLIPFORMAT>(format), nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
  return data_->QueryGetData(&fe) == S_OK;
}

std::vector<uint8_t> DataObject::GetData(int16_t format) const {
  std::vector<uint8_t> bytes;
  if (!data_) return bytes;
  FORMATETC fe{static_cast<CLIPFORMAT>(format), nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
  STGMEDIUM medium{};
  if (FAILED(data_->GetData(&fe, &medium))) return bytes;
  if (medium.tymed == TYMED_HGLOBAL && medium.hGlobal) {
    SIZE_T size = GlobalSize(medium.hGlobal);
    if (const void* p = GlobalLock(medium.hGlobal)) {
      bytes.assign(static_cast<const uint8_t*>(p), static_cast<const uint8_t*>(p) + size);
      GlobalUnlock(medium.hGlobal);
    }
  }
  ReleaseStgMedium(&medium);
  return bytes;
}

std::string DataObject::GetText() const {
  std::vector<uint8_t> bytes = GetData(CF_TEXT);
  std::string text(bytes.begin(), bytes.end());
  size_t nul = text.find('\0');
  if (nul != std::string::npos) text.resize(nul);
  return text;
}

std::vector<std::string> DataObject::GetFiles() const {
  std::vector<std::string> files;
  if (!data_) return files;
  FORMATETC fe{CF_HDROP, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
  STGMEDIUM medium{};
  if (FAILED(data_->GetData(&fe, &medium))) return files;
  if (medium.tymed == TYMED_HGLOBAL && medium.hGlobal) {
    HDROP drop = static_cast<HDROP>(medium.hGlobal);
    UINT count = DragQueryFileA(drop, 0xFFFFFFFF, nullptr, 0);
    for (UINT i = 0; i < count; ++i) {
      char name[MAX_PATH] = {};
      DragQueryFileA(drop, i, name, MAX_PATH);
      files.emplace_back(name);
    }
  }
  ReleaseStgMedium(&medium);
  return files;
}

void DataObject::SetData(int16_t format, const std::vector<uint8_t>& bytes) {
  if (auto* store = DataStore::From(data_)) store->Put(static_cast<CLIPFORMAT>(format), bytes, true);
}

void DataObject::OfferFormat(int16_t format) {
  if (auto* store = DataStore::From(data_)) store->Put(static_cast<CLIPFORMAT>(format), {}, false);
}

void DataObject::SetText(const std::string& text) {
  std::vector<uint8_t> bytes(text.begin(), text.end());
  bytes.push_back(0);
  SetData(CF_TEXT, bytes);
}

}  // namespace host
