// GetMovieFrame: a frame of a video for the catalog. The graph renders the file, is paused at the
// sample position, and the renderer's current image is taken; a black frame moves the sample two
// seconds on once.
#include <windows.h>

#include <dshow.h>

#include <vector>

#include "ComScopes.h"
#include "FrameImage.h"
#include "common/DibLayout.h"
#include "MovShell.h"

namespace tarn::mov {
namespace {

struct FrameGraph {
  ComPtr<IGraphBuilder> graph;
  ComPtr<IMediaControl> control;
  ComPtr<IMediaSeeking> seeking;
  ComPtr<IBasicVideo> video;
  long width = 0, height = 0;
  bool rangeKnown = false;
  LONGLONG start = 0, end = 0;

  bool Build(const char* name) {
    if (FAILED(CoCreateInstance(CLSID_FilterGraph, nullptr, CLSCTX_INPROC_SERVER, IID_IGraphBuilder,
                                graph.OutVoid())))
      return false;
    if (!graph.Query(IID_IMediaControl, control) || !graph.Query(IID_IMediaSeeking, seeking) ||
        !graph.Query(IID_IBasicVideo, video))
      return false;
    if (FAILED(graph->RenderFile(Wide(name).c_str(), nullptr))) return false;
    // The catalog must not see the renderer's window come and go.
    ComPtr<IVideoWindow> window;
    if (graph.Query(IID_IVideoWindow, window)) window->put_AutoShow(OAFALSE);
    if (FAILED(video->GetVideoSize(&width, &height)) || width <= 0 || height <= 0) return false;
    rangeKnown = SUCCEEDED(seeking->GetAvailable(&start, &end));
    return true;
  }

  // The image at `position`, as the renderer hands it over; empty when there is none.
  std::vector<std::uint8_t> ImageAt(LONGLONG position) {
    LONGLONG at = position;
    if (FAILED(seeking->SetPositions(&at, AM_SEEKING_AbsolutePositioning, nullptr, AM_SEEKING_NoPositioning)))
      return {};
    // The renderer holds an image only once the graph has paused on one.
    control->Pause();
    OAFilterState state;
    control->GetState(5000, &state);
    // Some renderers do not answer the size alone: room for any frame of up to 32 bits then.
    long bytes = 0;
    if (FAILED(video->GetCurrentImage(&bytes, nullptr)) || bytes <= 0)
      bytes = static_cast<long>(kDibHeaderBytes + 1024 + DibRowBytes(width, 32) * height);
    std::vector<std::uint8_t> image(static_cast<std::size_t>(bytes));
    if (FAILED(video->GetCurrentImage(&bytes, reinterpret_cast<long*>(image.data())))) return {};
    image.resize(static_cast<std::size_t>(bytes));
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
