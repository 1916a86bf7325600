#pragma once
// A white image with a canvas on it, and where ink landed: for the drawing tests.
#include "framework/graphics/graphics.h"

#include <QImage>

#include <algorithm>

namespace testsupport {

struct TSurface {
  QImage Img;
  TCanvas Canvas;
  TSurface(int w, int h) : Img(w, h, QImage::Format_RGB32), Canvas(&Img) { Img.fill(Qt::white); }
  TColor At(int x, int y) const { return Canvas.Pixels(x, y); }
  // Pixels that differ from white inside [l, r) x [t, b).
  int Ink(int l, int t, int r, int b) const
  {
    int n = 0;
    for (int y = std::max(0, t); y < std::min(b, Img.height()); ++y)
      for (int x = std::max(0, l); x < std::min(r, Img.width()); ++x)
        if ((Img.pixel(x, y) & 0xFFFFFF) != 0xFFFFFF)
          ++n;
    return n;
  }
  // First row and last column with ink; -1 when there is none.
  int TopInk() const
  {
    for (int y = 0; y < Img.height(); ++y)
      if (Ink(0, y, Img.width(), y + 1) > 0)
        return y;
    return -1;
  }
  int RightInk() const
  {
    for (int x = Img.width() - 1; x >= 0; --x)
      if (Ink(x, 0, x + 1, Img.height()) > 0)
        return x;
    return -1;
  }
};

}  // namespace testsupport
