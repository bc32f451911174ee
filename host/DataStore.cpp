#include "host/DataStore.h"

#include <cstring>

#include "host/CaughtExceptions.h"

namespace host {
namespace {
// Private interface id that marks the host's own store.
const IID kDataStoreIid = {0x6b1d2f70, 0x3c1e, 0x4a52, {0x9d, 0x11, 0x7e, 0x42, 0x0b, 0x5c, 0x31, 0x8a}};
}  // namespace

DataStore* DataStore::From(IDataObject* data) {
  if (!data) return nullptr;
  void* out = nullptr;
  if (FAILED(data->QueryInterface(kDataStoreIid, &out)) || !out) return nullptr;
  auto* store = static_cast<DataStore*>(out);
  store->Release();
  return store;
}

HRESULT DataStore::QueryInterface(REFIID riid, void** out) {
  if (!out) return E_POINTER;
  if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IDataObject) || IsEqualIID(riid, kDataStoreIid)) {
    *out = static_cast<IDataObject*>(this);
    AddRef();
    return S_OK;
  }
  *out = nullptr;
  return E_NOINTERFACE;
}

ULONG DataStore::Release() {
  ULONG left = --refs_;
  if (left == 0) delete this;
  return left;
}

void DataStore::Put(CLIPFORMAT format, const std::vector<uint8_t>& bytes, bool hasData) {
  items_[format] = Item{bytes, hasData};
}

HRESULT DataStore::QueryGetData(FORMATETC* format) {
  if (!format) return E_INVALIDARG;
  if (!(format->tymed & TYMED_HGLOBAL)) return DV_E_TYMED;
  return items_.count(format->cfFormat) ? S_OK : DV_E_FORMATETC;
}

HRESULT DataStore::GetData(FORMATETC* format, STGMEDIUM* medium) {
  if (!format || !medium) return E_INVALIDARG;
  if (!(format->tymed & TYMED_HGLOBAL)) return DV_E_TYMED;
  // Called by ole32 for the drop target, in this process or another: the
  // source control's OLESetData runs here, and an exception from it ends
  // here as "no data".
  return AtSystemBoundary("IDataObject::GetData", HRESULT{E_UNEXPECTED}, [&] { return Give(*format, *medium); });
}

HRESULT DataStore::Give(const FORMATETC& format, STGMEDIUM& out) {
  auto it = items_.find(format.cfFormat);
  if (it == items_.end()) return DV_E_FORMATETC;
  if (!it->second.hasData && onDemand_) {
    onDemand_(format.cfFormat);
    it = items_.find(format.cfFormat);
    if (it == items_.end()) return DV_E_FORMATETC;
  }
  if (!it->second.hasData) return DV_E_FORMATETC;
  const std::vector<uint8_t>& bytes = it->second.bytes;
  HGLOBAL global = GlobalAlloc(GMEM_MOVEABLE, bytes.empty() ? 1 : bytes.size());
  if (!global) return E_OUTOFMEMORY;
  if (void* p = GlobalLock(global)) {
    if (!bytes.empty()) std::memcpy(p, bytes.data(), bytes.size());
    GlobalUnlock(global);
  }
  out.tymed = TYMED_HGLOBAL;
  out.hGlobal = global;
  out.pUnkForRelease = nullptr;
  return S_OK;
}

HRESULT DataStore::SetData(FORMATETC* format, STGMEDIUM* medium, BOOL release) {
  if (!format || !medium || medium->tymed != TYMED_HGLOBAL) return DV_E_TYMED;
  const HRESULT hr = AtSystemBoundary("IDataObject::SetData", HRESULT{E_OUTOFMEMORY}, [&] {
    std::vector<uint8_t> bytes;
    SIZE_T size = GlobalSize(medium->hGlobal);
    if (const void* p = GlobalLock(medium->hGlobal)) {
      bytes.assign(static_cast<const uint8_t*>(p), static_cast<const uint8_t*>(p) + size);
      GlobalUnlock(medium->hGlobal);
    }
    Put(format->cfFormat, bytes, true);
    return S_OK;
  });
  if (release && hr == S_OK) ReleaseStgMedium(medium);
  return hr;
}

}  // namespace host
