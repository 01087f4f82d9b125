#include "GrabberChain.h"

// The import library defines them; the header does not declare them.
extern "C" const CLSID CLSID_SampleGrabber;
extern "C" const CLSID CLSID_NullRenderer;

namespace tarn::mov {
namespace {

// The first unconnected pin of `filter` in `direction`.
bool FreePin(IBaseFilter* filter, PIN_DIRECTION direction, ComPtr<IPin>& out) {
  ComPtr<IEnumPins> pins;
  if (FAILED(filter->EnumPins(pins.Out()))) return false;
  for (ComPtr<IPin> pin; pins->Next(1, pin.Out(), nullptr) == S_OK;) {
    PIN_DIRECTION d;
    ComPtr<IPin> peer;
    if (SUCCEEDED(pin->QueryDirection(&d)) && d == direction && pin->ConnectedTo(peer.Out()) == VFW_E_NOT_CONNECTED) {
      out.Reset();
      *out.Out() = pin.Get();
      pin->AddRef();
      return true;
    }
  }
  return false;
}

bool AddFilter(IGraphBuilder* graph, REFCLSID clsid, const wchar_t* name, ComPtr<IBaseFilter>& filter) {
  return SUCCEEDED(CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IBaseFilter, filter.OutVoid())) &&
         SUCCEEDED(graph->AddFilter(filter.Get(), name));
}

bool ReadSize(GrabberChain& chain) {
  AM_MEDIA_TYPE type{};
  if (FAILED(chain.grabber->GetConnectedMediaType(&type))) return false;
  bool ok = false;
  if (type.formattype == FORMAT_VideoInfo && type.pbFormat != nullptr && type.cbFormat >= sizeof(VIDEOINFOHEADER)) {
    const BITMAPINFOHEADER& bih = reinterpret_cast<const VIDEOINFOHEADER*>(type.pbFormat)->bmiHeader;
    chain.width = bih.biWidth;
    chain.height = bih.biHeight;
    ok = bih.biWidth > 0 && bih.biHeight != 0;
  }
  CoTaskMemFree(type.pbFormat);
  if (type.pUnk != nullptr) type.pUnk->Release();
  return ok;
}

}  // namespace

bool BuildGrabberChain(IGraphBuilder* graph, const wchar_t* name, GrabberChain& chain) {
  ComPtr<IBaseFilter> grab, sink;
  if (!AddFilter(graph, CLSID_SampleGrabber, L"Sample Grabber", grab) ||
      !AddFilter(graph, CLSID_NullRenderer, L"Null Renderer", sink) || !grab.Query(IID_ISampleGrabber, chain.grabber))
    return false;
  AM_MEDIA_TYPE wanted{};
  wanted.majortype = MEDIATYPE_Video;
  wanted.subtype = MEDIASUBTYPE_RGB24;
  wanted.formattype = FORMAT_VideoInfo;
  if (FAILED(chain.grabber->SetMediaType(&wanted))) return false;
  if (FAILED(graph->AddSourceFilter(name, L"Source", chain.source.Out()))) return false;
  ComPtr<IPin> out, in, grabOut, sinkIn;
  return FreePin(chain.source.Get(), PINDIR_OUTPUT, out) && FreePin(grab.Get(), PINDIR_INPUT, in) &&
         SUCCEEDED(graph->Connect(out.Get(), in.Get())) && FreePin(grab.Get(), PINDIR_OUTPUT, grabOut) &&
         FreePin(sink.Get(), PINDIR_INPUT, sinkIn) && SUCCEEDED(graph->Connect(grabOut.Get(), sinkIn.Get())) &&
         ReadSize(chain);
}

void RenderLoosePins(IGraphBuilder* graph) {
  ComPtr<IEnumFilters> filters;
  if (FAILED(graph->EnumFilters(filters.Out()))) return;
  // Rendering adds filters, which invalidates the enumeration: each pass renders one pin.
  for (bool rendered = true; rendered;) {
    rendered = false;
    filters->Reset();
    for (ComPtr<IBaseFilter> filter; !rendered && filters->Next(1, filter.Out(), nullptr) == S_OK;) {
      ComPtr<IPin> pin;
      rendered = FreePin(filter.Get(), PINDIR_OUTPUT, pin) && SUCCEEDED(graph->Render(pin.Get()));
    }
  }
}

}  // namespace tarn::mov
