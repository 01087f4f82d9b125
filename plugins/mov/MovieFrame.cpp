// GetMovieFrame: a frame of a video for the catalog. The file's video is decoded into a sample
// grabber that asks for 24-bit pixels, the graph is paused at the sample position and the buffered
// frame taken; a black frame moves the sample two seconds on once. (The renderer's own current
// image is not used: under Wine its header tells the connection's format, not its pixels'.)
#include <windows.h>

#include <dshow.h>
#include <qedit.h>

#include <cstring>
#include <vector>

#include "ComScopes.h"
#include "FrameImage.h"
#include "MovShell.h"
#include "SeekableRange.h"
#include "common/DibLayout.h"

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

struct FrameGraph {
  ComPtr<IGraphBuilder> graph;
  ComPtr<IMediaControl> control;
  ComPtr<IMediaSeeking> seeking;
  ComPtr<ISampleGrabber> grabber;
  DibHeader header;  // of the grabbed frames: 24 bits, the video's size
  bool rangeKnown = false;
  LONGLONG start = 0, end = 0;

  bool Build(const char* name) {
    if (FAILED(CoCreateInstance(CLSID_FilterGraph, nullptr, CLSCTX_INPROC_SERVER, IID_IGraphBuilder,
                                graph.OutVoid())) ||
        !graph.Query(IID_IMediaControl, control) || !graph.Query(IID_IMediaSeeking, seeking))
      return false;
    ComPtr<IBaseFilter> grab, sink, source;
    if (!AddFilter(graph.Get(), CLSID_SampleGrabber, L"Sample Grabber", grab) ||
        !AddFilter(graph.Get(), CLSID_NullRenderer, L"Null Renderer", sink) || !grab.Query(IID_ISampleGrabber, grabber))
      return false;
    AM_MEDIA_TYPE wanted{};
    wanted.majortype = MEDIATYPE_Video;
    wanted.subtype = MEDIASUBTYPE_RGB24;
    wanted.formattype = FORMAT_VideoInfo;
    if (FAILED(grabber->SetMediaType(&wanted))) return false;
    if (FAILED(graph->AddSourceFilter(Wide(name).c_str(), L"Source", source.Out()))) return false;
    ComPtr<IPin> out, in, grabOut, sinkIn;
    // The graph puts the splitter and decoder between the file and the grabber itself.
    if (!FreePin(source.Get(), PINDIR_OUTPUT, out) || !FreePin(grab.Get(), PINDIR_INPUT, in) ||
        FAILED(graph->Connect(out.Get(), in.Get())) || !FreePin(grab.Get(), PINDIR_OUTPUT, grabOut) ||
        !FreePin(sink.Get(), PINDIR_INPUT, sinkIn) || FAILED(graph->Connect(grabOut.Get(), sinkIn.Get())))
      return false;
    grabber->SetBufferSamples(TRUE);
    grabber->SetOneShot(FALSE);
    if (!ReadHeader()) return false;
    rangeKnown = SeekableRange(seeking.Get(), &start, &end);
    return true;
  }

  bool ReadHeader() {
    AM_MEDIA_TYPE type{};
    if (FAILED(grabber->GetConnectedMediaType(&type))) return false;
    bool ok = false;
    if (type.formattype == FORMAT_VideoInfo && type.pbFormat != nullptr && type.cbFormat >= sizeof(VIDEOINFOHEADER)) {
      const BITMAPINFOHEADER& bih = reinterpret_cast<const VIDEOINFOHEADER*>(type.pbFormat)->bmiHeader;
      header.biWidth = bih.biWidth;
      header.biHeight = bih.biHeight;
      header.biBitCount = 24;
      ok = bih.biWidth > 0 && bih.biHeight != 0;
    }
    CoTaskMemFree(type.pbFormat);
    if (type.pUnk != nullptr) type.pUnk->Release();
    return ok;
  }

  // The frame at `position` as a packed DIB; empty when there is none.
  std::vector<std::uint8_t> ImageAt(LONGLONG position) {
    // From a stopped graph, so that the pause waits for the frame at the new position rather than
    // answering with the one already buffered.
    control->Stop();
    LONGLONG at = position;
    if (FAILED(seeking->SetPositions(&at, AM_SEEKING_AbsolutePositioning, nullptr, AM_SEEKING_NoPositioning)))
      return {};
    control->Pause();
    OAFilterState state;
    control->GetState(5000, &state);
    long bytes = 0;
    if (FAILED(grabber->GetCurrentBuffer(&bytes, nullptr)) || bytes <= 0) return {};
    std::vector<std::uint8_t> image(kDibHeaderBytes + static_cast<std::size_t>(bytes));
    if (FAILED(grabber->GetCurrentBuffer(&bytes, reinterpret_cast<long*>(image.data() + kDibHeaderBytes)))) return {};
    StoreDibHeader(header, image.data());
    return image;
  }

  std::int64_t Limited(std::int64_t wanted) const { return SamplePosition(wanted, rangeKnown, start, end); }
};

}  // namespace

bool GetMovieFrame(const char* name, LocalPictureMemory& memory) {
  ComApartment com;
  FrameGraph g;
  if (!g.Build(name)) return false;
  const int sampleStart = Settings().SampleStart;
  std::int64_t position = g.Limited(sampleStart * kSampleUnit);
  std::vector<std::uint8_t> image = g.ImageAt(position);
  if (image.empty() && sampleStart != 0) image = g.ImageAt(position = g.Limited(g.start));
  if (image.empty()) {
    g.control->Stop();
    return false;
  }
  std::size_t bytes = 0;
  int converted = ConvertFrame(image.data(), image.size(), memory, &bytes);
  if (converted == kSpiOk && IsDarkFrame(memory.Pixels(), bytes)) {
    if (std::vector<std::uint8_t> later = g.ImageAt(g.Limited(position + kDarkStep)); !later.empty()) {
      memory.ReleasePicture();
      converted = ConvertFrame(later.data(), later.size(), memory, &bytes);
    }
  }
  g.control->Stop();
  if (converted != kSpiOk) {
    memory.ReleasePicture();
    Tell(L"BITMAP取得失敗", L"GetMovieFrame");
    return false;
  }
  return true;
}

}  // namespace tarn::mov
