// The playback inside GetPicture: a "Tarn Movie" window with the video above a small control
// panel (only the panel for sound), run by a message loop of its own until the window closes at
// the end of the media or by the user. The host can make it finish at once through its cell.
//
// The picture is drawn by this window itself: the file's video is decoded into a sample grabber
// and each frame drawn into the video area, a child window, on the window's own thread. (Under
// Wine the DirectShow renderers drew nothing in a child window, windowed or windowless, and a
// windowless renderer in the playback window itself hid the control panel.)
#include <windows.h>

#include <commctrl.h>
#include <dshow.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "ComScopes.h"
#include "FrameSink.h"
#include "GrabberChain.h"
#include "MovShell.h"
#include "PlaybackLayout.h"
#include "SeekableRange.h"
#include "resource.h"

namespace tarn::mov {
namespace {

constexpr UINT kGraphEvent = WM_APP + 1;
constexpr UINT_PTR kTimerFollow = 1, kTimerRelayout = 2;
constexpr const wchar_t* kClass = L"Tarn Movie";
constexpr const wchar_t* kVideoClass = L"Tarn Movie Picture";
// The window's black background is not painted over the picture.
constexpr DWORD kWindowStyle = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;

struct Playback {
  FrameSink frames;  // first, so that it outlives the graph that calls it
  ComPtr<IGraphBuilder> graph;
  ComPtr<IMediaControl> control;
  ComPtr<IMediaEventEx> events;
  ComPtr<IMediaSeeking> seeking;
  GrabberChain chain;
  ComPtr<IBasicAudio> audio;
  HWND window = nullptr;
  HWND panel = nullptr;
  HWND videoArea = nullptr;
  bool hasVideo = false;
  bool done = false;
  Extent video;        // the video's own size
  Extent panelSize;
  Extent room;         // what the screen leaves for the video
  Extent screen;
  RECT picture{};      // where the picture stands in the video area
  LONGLONG availableStart = 0, availableEnd = 0;
  bool dragging = false;
  int releasedAt = -1;  // slider percentage the user let go at, until the timer has moved there
  int lastWidth = 0, lastHeight = 0;
};
Playback* g_playback = nullptr;  // the playback under way; owned by PlayMedia's frame

bool Fail(const wchar_t* text, const wchar_t* caption = L"Error") {
  Tell(text, caption);
  return false;
}

void MoveTo(Playback& p, LONGLONG position) {
  p.seeking->SetPositions(&position, AM_SEEKING_AbsolutePositioning, nullptr, AM_SEEKING_NoPositioning);
}

Extent ChosenArea(const Playback& p) {
  if (!p.hasVideo) return {p.panelSize.width, 0};
  return VideoArea(p.video, Settings().SizeSelect, p.room, p.panelSize.width);
}

// Sizes and places the window for the chosen video area.
void PlaceWindow(Playback& p) {
  const Extent area = ChosenArea(p);
  RECT frame{0, 0, area.width, area.height + p.panelSize.height};
  AdjustWindowRect(&frame, kWindowStyle, FALSE);
  const Extent window{frame.right - frame.left, frame.bottom - frame.top};
  const Origin at = WindowOrigin(window, p.screen, Settings().Center != 0);
  SetWindowPos(p.window, nullptr, at.x, at.y, window.width, window.height, SWP_NOZORDER | SWP_NOACTIVATE);
}

void Layout(Playback& p) {
  RECT client;
  GetClientRect(p.window, &client);
  const int width = client.right, height = client.bottom;
  const int videoHeight = height - p.panelSize.height;
  MoveWindow(p.panel, 0, videoHeight > 0 ? videoHeight : 0, width, p.panelSize.height, TRUE);
  MoveWindow(p.videoArea, 0, 0, width, videoHeight > 0 ? videoHeight : 0, TRUE);
  if (p.hasVideo && videoHeight > 0) {
    const Extent area = ChosenArea(p);
    // A window wider than the video keeps the video in the middle between black strips.
    const bool centred = width > area.width && area.width >= p.panelSize.width;
    const int left = centred ? (width - area.width) / 2 : 0;
    p.picture = {left, 0, left + (centred ? area.width : width), videoHeight};
  }
  RedrawWindow(p.window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

void ShowTime(const Playback& p) {
  const long seconds = static_cast<long>((p.availableEnd - p.availableStart) / 10'000'000);
  wchar_t text[32];
  if (seconds >= 60) std::swprintf(text, 32, L"%ld分%ld秒", seconds / 60, seconds % 60);
  else std::swprintf(text, 32, L"%ld秒", seconds);
  SetDlgItemTextW(p.panel, IDC_PANEL_TIME, text);
}

void SetVolume(Playback& p, int soundVR) {
  Settings().SoundVR = soundVR < 1 ? 1 : soundVR;
  if (p.audio) p.audio->put_Volume(VolumeFor(Settings().SoundVR));
}

// Every 100 ms: the seek slider follows the playback, a released slider moves it, and a positive
// host cell makes it finish.
void Follow(Playback& p) {
  SenseState& sense = Sense();
  OAFilterState state = State_Stopped;
  p.control->GetState(0, &state);
  if (state == State_Running) {
    LONGLONG current = 0, stop = 0;
    p.seeking->GetCurrentPosition(&current);
    p.seeking->GetStopPosition(&stop);
    sense.current = current;
    sense.stop = stop;
    if (stop > 0) {
      const int percent = PercentDone(current, stop);
      const SenseCell cell = *sense.cell;
      if (cell < 1 || percent > 98) {
        if (p.releasedAt >= 0) {
          MoveTo(p, stop * p.releasedAt / 100);
          p.releasedAt = -1;
        } else if (!p.dragging) {
          SendDlgItemMessageW(p.panel, IDC_PANEL_SEEK, TBM_SETPOS, TRUE, percent);
        }
      }
      if (cell > 0 && percent <= 98) MoveTo(p, stop);
    }
  }
  if (*sense.cell > 0) p.control->Run();
}

void OnGraphEvent(Playback& p) {
  long code;
  LONG_PTR one, two;
  bool complete = false;
  while (SUCCEEDED(p.events->GetEvent(&code, &one, &two, 0))) {
    p.events->FreeEventParams(code, one, two);
    complete = complete || code == EC_COMPLETE;
  }
  if (!complete) return;
  LONGLONG stop = 0;
  p.seeking->GetStopPosition(&stop);
  Sense().current = Sense().stop = stop;
  DestroyWindow(p.window);
}

// Keys 1, 2, 3 choose the size and 5 the centring; each is stored when it changed.
bool OnKey(Playback& p, WPARAM key) {
  if (!p.hasVideo) return false;
  MovSettings& s = Settings();
  if (key >= '1' && key <= '3') {
    const int select = static_cast<int>(key - '1');
    if (select != s.SizeSelect) {
      s.SizeSelect = select;
      WriteSizeSelect();
    }
  } else if (key == '5') {
    s.Center = s.Center != 0 ? 0 : 1;
    WriteCenter();
  } else {
    return false;
  }
  PlaceWindow(p);
  Layout(p);
  return true;
}

INT_PTR CALLBACK PanelProc(HWND panel, UINT message, WPARAM wParam, LPARAM lParam) {
  Playback* p = g_playback;
  if (p == nullptr) return FALSE;
  if (message == WM_COMMAND) {
    switch (LOWORD(wParam)) {
      case IDC_PANEL_RUN: p->control->Run(); return TRUE;
      case IDC_PANEL_STOP: p->control->Stop(); return TRUE;
      case IDC_PANEL_REWIND:
        MoveTo(*p, 0);
        SendDlgItemMessageW(panel, IDC_PANEL_SEEK, TBM_SETPOS, TRUE, 0);
        return TRUE;
    }
    return FALSE;
  }
  if (message == WM_HSCROLL) {
    const HWND slider = reinterpret_cast<HWND>(lParam);
    const int position = static_cast<int>(SendMessageW(slider, TBM_GETPOS, 0, 0));
    if (slider == GetDlgItem(panel, IDC_PANEL_VOLUME)) {
      SetVolume(*p, position);
    } else if (LOWORD(wParam) == TB_ENDTRACK) {
      p->dragging = false;
      p->releasedAt = position;
    } else {
      p->dragging = true;
    }
    return TRUE;
  }
  return FALSE;
}

LRESULT CALLBACK MovieProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  Playback* p = g_playback;
  if (p == nullptr || p->window != window) return DefWindowProcW(window, message, wParam, lParam);
  switch (message) {
    case WM_TIMER:
      if (wParam == kTimerFollow) Follow(*p);
      if (wParam == kTimerRelayout) {
        KillTimer(window, kTimerRelayout);
        Layout(*p);
      }
      return 0;
    case kGraphEvent: OnGraphEvent(*p); return 0;
    case WM_SIZE: {
      const int width = LOWORD(lParam), height = HIWORD(lParam);
      if (p->videoArea != nullptr) Layout(*p);
      // A grown window is laid out once more when the frame has settled.
      if (width > p->lastWidth || height > p->lastHeight) SetTimer(window, kTimerRelayout, 30, nullptr);
      p->lastWidth = width;
      p->lastHeight = height;
      return 0;
    }
    case WM_DESTROY:
      KillTimer(window, kTimerFollow);
      KillTimer(window, kTimerRelayout);
      // The frames are drawn into this window: they stop before the window is gone.
      if (p->control) p->control->Stop();
      if (p->chain.grabber) p->chain.grabber->SetCallback(nullptr, 1);
      WriteVolume();
      p->done = true;
      return 0;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

// The video area: the latest frame, black around it.
LRESULT CALLBACK VideoProc(HWND area, UINT message, WPARAM wParam, LPARAM lParam) {
  Playback* p = g_playback;
  if (message == WM_ERASEBKGND) return 1;
  if (message == WM_PAINT) {
    PAINTSTRUCT paint;
    const HDC dc = BeginPaint(area, &paint);
    RECT client;
    GetClientRect(area, &client);
    if (p != nullptr && p->hasVideo) {
      p->frames.Paint(dc, p->picture);
      ExcludeClipRect(dc, p->picture.left, p->picture.top, p->picture.right, p->picture.bottom);
    }
    FillRect(dc, &client, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    EndPaint(area, &paint);
    return 0;
  }
  return DefWindowProcW(area, message, wParam, lParam);
}

bool RegisterWindowClass(const wchar_t* name, WNDPROC procedure) {
  WNDCLASSW wc{};
  wc.lpfnWndProc = procedure;
  wc.hInstance = g_module;
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
  wc.lpszClassName = name;
  return RegisterClassW(&wc) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

bool CreateGraph(Playback& p) {
  return SUCCEEDED(CoCreateInstance(CLSID_FilterGraph, nullptr, CLSCTX_INPROC_SERVER, IID_IGraphBuilder,
                                    p.graph.OutVoid())) &&
         p.graph.Query(IID_IMediaControl, p.control) && p.graph.Query(IID_IMediaEventEx, p.events) &&
         p.graph.Query(IID_IMediaSeeking, p.seeking) && p.graph.Query(IID_IBasicAudio, p.audio);
}

void DropGraph(Playback& p) {
  p.hasVideo = false;
  p.chain.grabber.Reset();
  p.chain.source.Reset();
  p.audio.Reset();
  p.seeking.Reset();
  p.events.Reset();
  p.control.Reset();
  p.graph.Reset();
}

// The picture into the grabber, whose frames go to the video area, and the sound to its renderer.
bool BuildPictureGraph(Playback& p, const std::wstring& name) {
  if (!BuildGrabberChain(p.graph.Get(), name.c_str(), p.chain)) return false;
  p.chain.grabber->SetBufferSamples(FALSE);
  p.chain.grabber->SetOneShot(FALSE);
  if (!p.frames.Prepare(p.chain.width, p.chain.height, p.videoArea) ||
      FAILED(p.chain.grabber->SetCallback(&p.frames, 1)))
    return false;
  RenderLoosePins(p.graph.Get());
  p.hasVideo = true;
  p.video = {static_cast<int>(p.chain.width), static_cast<int>(p.chain.height < 0 ? -p.chain.height : p.chain.height)};
  return true;
}

// A video file whose picture cannot be decoded, or that has none, plays as sound: a graph built
// afresh by the media services, and only the panel is shown.
bool BuildGraph(Playback& p, const char* name, std::int32_t type) {
  const std::wstring wide = Wide(name);
  if (IsVideoType(type)) {
    if (!CreateGraph(p)) return Fail(L"DirectShowの初期化に失敗");
    if (BuildPictureGraph(p, wide)) return true;
    DropGraph(p);
  }
  if (!CreateGraph(p) || FAILED(p.graph->RenderFile(wide.c_str(), nullptr))) return Fail(L"DirectShowの初期化に失敗");
  return true;
}

// The screen, and what is left of it for the video once the window's frame and panel are counted.
void MeasureScreen(Playback& p) {
  OSVERSIONINFOW version{};
  version.dwOSVersionInfoSize = sizeof version;
  GetVersionExW(&version);
  const bool from61 = version.dwMajorVersion > 6 || (version.dwMajorVersion == 6 && version.dwMinorVersion >= 1);
  p.panelSize = PanelExtent(from61);
  const int frameX = GetSystemMetrics(SM_CXFRAME), frameY = GetSystemMetrics(SM_CYFRAME);
  p.screen = {GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  const int usable = p.screen.height - (from61 ? frameY : 0) + GetSystemMetrics(SM_CYFULLSCREEN) -
                     GetSystemMetrics(SM_CYMAXIMIZED);
  const int nonVideo = p.panelSize.height + 2 * frameY + GetSystemMetrics(SM_CYCAPTION);
  p.room = {p.screen.width - 2 * frameX, usable - nonVideo};
}

// The window and its control panel, before the graph that draws into it.
bool OpenWindow(Playback& p, const char* name) {
  const char* slash = std::strrchr(name, '\\');
  p.window = CreateWindowW(kClass, Wide(slash != nullptr ? slash + 1 : name).c_str(), kWindowStyle,
                           CW_USEDEFAULT, CW_USEDEFAULT, 320, 200, nullptr, nullptr, g_module, nullptr);
  if (p.window == nullptr) return Fail(L"アプリの初期化に失敗");
  const auto icon = static_cast<HICON>(LoadImageW(g_module, MAKEINTRESOURCEW(IDI_MOV_ICON), IMAGE_ICON, 16, 16, 0));
  SendMessageW(p.window, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));
  p.panel = CreateDialogParamW(g_module, MAKEINTRESOURCEW(IDD_MOV_PANEL), p.window, PanelProc, 0);
  p.videoArea = CreateWindowW(kVideoClass, L"", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, 0, 0, 0, 0, p.window,
                              nullptr, g_module, nullptr);
  if (p.panel == nullptr || p.videoArea == nullptr) return Fail(L"アプリの初期化に失敗");
  SendDlgItemMessageW(p.panel, IDC_PANEL_SEEK, TBM_SETRANGE, TRUE, MAKELPARAM(0, 100));
  SendDlgItemMessageW(p.panel, IDC_PANEL_VOLUME, TBM_SETRANGE, TRUE, MAKELPARAM(0, 100));
  SendDlgItemMessageW(p.panel, IDC_PANEL_VOLUME, TBM_SETPOS, TRUE, Settings().SoundVR);
  return true;
}

// The built graph tied to the window: its length in the panel, its events, the window's size.
bool AttachGraph(Playback& p) {
  SeekableRange(p.seeking.Get(), &p.availableStart, &p.availableEnd);
  ShowTime(p);
  if (FAILED(p.events->SetNotifyWindow(reinterpret_cast<OAHWND>(p.window), kGraphEvent, 0)))
    return Fail(L"SetNotifyWindowメソドの呼び出しに失敗しました");
  PlaceWindow(p);
  Layout(p);
  return true;
}

bool Start(Playback& p) {
  const MovSettings& s = Settings();
  if (s.RateSelect != 0 && FAILED(p.seeking->SetRate(RateFor(s.RateSelect)))) return Fail(L"再生速度の設定に失敗");
  SetVolume(p, s.SoundVR);
  SetWindowPos(p.window, s.TopMost != 0 ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  if (FAILED(p.control->Run())) return Fail(L"再生の開始失敗");
  ShowWindow(p.window, SW_SHOW);
  SetTimer(p.window, kTimerFollow, 100, nullptr);
  return true;
}

void RunLoop(Playback& p) {
  MSG msg;
  while (!p.done) {
    const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
    if (got <= 0) {
      // The host is quitting: the playback ends and the host's loop is told again.
      DestroyWindow(p.window);
      if (got == 0) PostQuitMessage(static_cast<int>(msg.wParam));
      return;
    }
    if (msg.message == WM_KEYDOWN && (msg.hwnd == p.window || IsChild(p.window, msg.hwnd)) &&
        OnKey(p, msg.wParam))
      continue;
    if (IsDialogMessageW(p.panel, &msg)) continue;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
}

}  // namespace

bool Playing() { return g_playback != nullptr; }

bool PlayMedia(const char* name, std::int32_t type) {
  ComApartment com;
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_BAR_CLASSES};
  InitCommonControlsEx(&controls);
  if (!com.Ok() || !RegisterWindowClass(kClass, MovieProc) || !RegisterWindowClass(kVideoClass, VideoProc)) return Fail(L"アプリの初期化に失敗");
  Playback p;
  g_playback = &p;
  MeasureScreen(p);
  const bool ok = OpenWindow(p, name) && BuildGraph(p, name, type) && AttachGraph(p) && Start(p);
  if (ok) RunLoop(p);
  else if (p.window != nullptr) DestroyWindow(p.window);
  g_playback = nullptr;
  return ok;
}

}  // namespace tarn::mov
