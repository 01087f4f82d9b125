// A file's picture decoded into a sample grabber that asks for 24-bit pixels and passes them on to
// a null renderer: the catalog takes single frames from it, and the playback draws every frame.
#pragma once

#include <windows.h>

#include <dshow.h>
#include <qedit.h>

#include "ComScopes.h"

namespace tarn::mov {

struct GrabberChain {
  ComPtr<IBaseFilter> source;
  ComPtr<ISampleGrabber> grabber;
  long width = 0, height = 0;  // of the grabbed frames; a positive height means bottom-up rows
};

// Adds the file `name`, the grabber and the renderer to `graph` and connects them (the graph puts
// the splitter and decoder in between). False when the file has no picture the grabber takes.
bool BuildGrabberChain(IGraphBuilder* graph, const wchar_t* name, GrabberChain& chain);

// Renders every output pin in `graph` still unconnected: a movie's sound beside its picture.
void RenderLoosePins(IGraphBuilder* graph);

}  // namespace tarn::mov
