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
#include "GrabberChain.h"
#include "MovShell.h"
#include "SeekableRange.h"
#include "common/DibLayout.h"

namespace tarn::mov {
namespace {

struct FrameGraph {
  ComPtr<IGraphBuilder> graph;
  ComPtr<IMediaControl> control;
  ComPtr<IMediaSeeking> seeking;
  GrabberChain chain;
  DibHeader header;  // of the grabbed frames: 24 bits, the video's size
  bool rangeKnown = false;
  LONGLONG start = 0, end = 0;

  bool Build(const char* name) {
    if (FAILED(CoCreateInstance(CLSID_FilterGraph, nullptr, CLSCTX_INPROC_SERVER, IID_IGraphBuilder,
                                graph.OutVoid())) ||
        !graph.Query(IID_IMediaControl, control) || !graph.Query(IID_IMediaSeeking, seeking) ||
        !BuildGrabberChain(graph.Get(), Wide(name).c_str(), chain))
      return false;
    chain.grabber->SetBufferSamples(TRUE);
    chain.grabber->SetOneShot(FALSE);
    header.biWidth = chain.width;
    header.biHeight = chain.height;
    header.biBitCount = 24;
    rangeKnown = SeekableRange(seeking.Get(), &start, &end);
    return true;
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
    if (FAILED(chain.grabber->GetCurrentBuffer(&bytes, nullptr)) || bytes <= 0) return {};
    std::vector<std::uint8_t> image(kDibHeaderBytes + static_cast<std::size_t>(bytes));
    if (FAILED(chain.grabber->GetCurrentBuffer(&bytes, reinterpret_cast<long*>(image.data() + kDibHeaderBytes))))
      return {};
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
