#pragma once
// Drop targets: a window registered for drops hears of data dragged over it and dropped on it,
// and answers with the effect it would take (DROPEFFECT_*). A registration ends with the window.
#include <QByteArray>
#include <QString>
#include <QStringList>

#include <cstdint>

#include "framework/controls/messages.h"

enum : uint32_t { DROPEFFECT_NONE = 0, DROPEFFECT_COPY = 1, DROPEFFECT_MOVE = 2, DROPEFFECT_LINK = 4 };

// What a drag offers.
struct TDropData {
  QString Text;       // plain text, when offered
  bool HasText = false;
  QStringList Files;  // local files
  QStringList URLs;   // other addresses
  QByteArray RTF;     // rich text, when offered
  bool HasRTF() const { return !RTF.isEmpty(); }
};

class TDropTarget {
public:
  virtual ~TDropTarget() = default;
  // Effect comes in as the effects the source allows and goes out as the one taken (NONE
  // refuses). Points are client coordinates of the window.
  virtual void DragEnter(const TDropData &Data, TShiftState Shift, TPoint Pt, uint32_t &Effect) = 0;
  virtual void DragOver(TShiftState Shift, TPoint Pt, uint32_t &Effect) = 0;
  virtual void DragLeave() = 0;
  virtual void Drop(const TDropData &Data, TShiftState Shift, TPoint Pt, uint32_t &Effect) = 0;
};

enum : int { S_OK = 0, DRAGDROP_E_INVALIDHWND = int(0x80040102), DRAGDROP_E_ALREADYREGISTERED = int(0x80040101),
             DRAGDROP_E_NOTREGISTERED = int(0x80040100), E_INVALIDARG = int(0x80070057) };

// The target stays the caller's; it must outlive the registration.
int RegisterDragDrop(HWND Wnd, TDropTarget *Target);
int RevokeDragDrop(HWND Wnd);
// The target registered for the window, or nullptr.
TDropTarget *RegisteredDropTarget(HWND Wnd);
