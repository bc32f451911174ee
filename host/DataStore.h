// The host's own IDataObject: formats with HGLOBAL bytes, used as the data
// of drags that a control starts. A format can be offered before its bytes
// exist; asking for it then calls the on-demand callback (the control's
// OLESetData) first. Internal to the host.
#pragma once

#include <windows.h>
#include <ole2.h>

#include <cstdint>
#include <functional>
#include <map>
#include <vector>

namespace host {

class DataStore : public IDataObject {
 public:
  DataStore() = default;

  // The store behind an IDataObject made by the host, or nullptr.
  static DataStore* From(IDataObject* data);

  void Put(CLIPFORMAT format, const std::vector<uint8_t>& bytes, bool hasData);
  void SetOnDemand(std::function<void(CLIPFORMAT)> callback) { onDemand_ = std::move(callback); }

  // IUnknown
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** out) override;
  ULONG STDMETHODCALLTYPE AddRef() override { return ++refs_; }
  ULONG STDMETHODCALLTYPE Release() override;
  // IDataObject
  HRESULT STDMETHODCALLTYPE GetData(FORMATETC* format, STGMEDIUM* medium) override;
  HRESULT STDMETHODCALLTYPE GetDataHere(FORMATETC*, STGMEDIUM*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE QueryGetData(FORMATETC* format) override;
  HRESULT STDMETHODCALLTYPE GetCanonicalFormatEtc(FORMATETC*, FORMATETC* out) override {
    if (out) out->ptd = nullptr;
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE SetData(FORMATETC* format, STGMEDIUM* medium, BOOL release) override;
  HRESULT STDMETHODCALLTYPE EnumFormatEtc(DWORD, IEnumFORMATETC**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*) override {
    return OLE_E_ADVISENOTSUPPORTED;
  }
  HRESULT STDMETHODCALLTYPE DUnadvise(DWORD) override { return OLE_E_ADVISENOTSUPPORTED; }
  HRESULT STDMETHODCALLTYPE EnumDAdvise(IEnumSTATDATA**) override { return OLE_E_ADVISENOTSUPPORTED; }

 private:
  struct Item {
    std::vector<uint8_t> bytes;
    bool hasData = false;
  };
  virtual ~DataStore() = default;
  // GetData for a valid request.
  HRESULT Give(const FORMATETC& format, STGMEDIUM& out);
  ULONG refs_ = 1;
  std::map<CLIPFORMAT, Item> items_;
  std::function<void(CLIPFORMAT)> onDemand_;
};

}  // namespace host
