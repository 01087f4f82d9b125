// The control block of the test plug-in: what it answers, and what it was asked. The tests reach
// it through the extra export FakeControl of each loaded copy.
#pragma once

// Variants built from the same source set these to strings a host must survive.
#ifndef FAKE_API
#define FAKE_API "00IN"
#endif
#ifndef FAKE_VERSION
#define FAKE_VERSION "Fake plug-in v1.0 (c) Tarn tests"
#endif
#ifndef FAKE_PATTERN
#define FAKE_PATTERN "*.fake"
#endif
#ifndef FAKE_TYPENAME
#define FAKE_TYPENAME "Fake file"
#endif

struct FakeControl {
  // Answers.
  char api[8] = FAKE_API;
  char extension[16] = ".fake";  // IsSupported claims names ending in this, any case
  int formats = 1;               // information strings 2 .. 2 * formats + 1
  int pictureResult = 0;         // GetPicture and GetPreview; 0 delivers a 2 x 2 picture
  int handlesOnFailure = 0;      // a failing GetPicture still hands over two handles
  int emptyBlocks = 0;           // a successful GetPicture hands over blocks that cannot be locked
  int infoResult = 0;            // GetPictureInfo at offset 0; offset 128 answers 0
  int senseResult = 0;           // SensePlugIn when addressed by its own name
  int refuseCommand = 0;         // when set, only this command gets senseResult; others 0
  int frames = 0;                // written to pInfo[0] for the GIF commands -1 and -3
  int cycles = 0;                // written to pInfo[1] for the same commands
  int configResult = 0;          // ConfigurationDlg

  // Records.
  int isSupportedCalls = 0;
  char lastName[260] = {};            // the name IsSupported last received
  unsigned char lastHeader[8] = {};   // its first header bytes
  int pictureCalls = 0;
  int previewCalls = 0;
  long long lastLData = 0;
  int frameAtLoad = -99;              // *lData when GetPicture ran with lData set
  int senseCalls = 0;                 // addressed to this plug-in
  int lastCommand = 0;                // pInfo[0] as received
  int movieCells[3] = {};             // pInfo[0..2] as received
  char lastSpiName[64] = {};
  int infoOffsets[4] = {};            // the len of each GetPictureInfo call
  int infoCalls = 0;
  int configCalls = 0;
  void* handedOver[2] = {};           // handles a failing GetPicture handed over
};

using FakeControlProc = FakeControl* (*)();
