// The tool-bar and menu images, drawn as vector shapes so they stay
// sharp at any size. Indices are the image roles of the window.
#pragma once

#include <QIcon>

namespace automaten {

enum ImageIndex {
  kImgNew = 0,
  kImgOpen = 1,
  kImgSave = 2,
  kImgPrint = 3,
  kImgExit = 4,
  kImgSpare = 5,
  kImgStart = 6,
  kImgStop = 7,
  kImgStep = 8,
  kImgDEA = 9,
  kImgAkz = 10,
  kImgNEA = 11,
  kImgKA = 12,
  kImgTM = 13,
  kImgReset = 14,
  kImgClearTape = 15,
  kImgLastTape = 16,
  kImgHelp = 17,
  kImgSaveAs = 18,
  kImgInfo = 19,
  kImgStepBack = 20,  // the step image mirrored, in blue
  kImageCount = 21,
};

QIcon MachineIcon(int index);
// The picture at a given size in pixels (16 is the tool bar's).
QPixmap MachinePixmap(int index, int size);

}  // namespace automaten
