#include "framework/stdctrls/stdctrls.h"

#include <QAbstractButton>

#include "framework/controls/classiclook.h"
#include "framework/stdctrls/stdctrls_private.h"

TButtonControl::TButtonControl(TComponent *AOwner) : TWinControl(AOwner)
{
  FControlStyle = TControlStyle{csSetCaption, csDoubleClicks};
  FTabStop = true;
  FWidth = 97;
  FHeight = 17;
}

TButtonControl::~TButtonControl()
{
  if (auto *c = dynamic_cast<TCheckWidget *>(Button()))
    c->FControl = nullptr;
  if (auto *r = dynamic_cast<TRadioWidget *>(Button()))
    r->FControl = nullptr;
}

QAbstractButton *TButtonControl::Button() const
{
  if (!HandleAllocated())
    return nullptr;
  return qobject_cast<QAbstractButton *>(const_cast<TButtonControl *>(this)->Handle());
}

void TButtonControl::ApplyLook()
{
  QAbstractButton *b = Button();
  if (!b)
    return;
  ApplyClassicLook(b, Color(), Font());
  // The box and its caption stand on the control's own colour.
  QPalette p = b->palette();
  p.setColor(QPalette::Window, ColorToQColor(Color()));
  p.setColor(QPalette::WindowText, ColorToQColor(Font()->Color()));
  // A disabled control's caption is grey whatever its font colour.
  p.setColor(QPalette::Disabled, QPalette::WindowText, ColorToQColor(clGrayText));
  p.setColor(QPalette::Base, ColorToQColor(clWindow));
  p.setColor(QPalette::Disabled, QPalette::Base, ColorToQColor(clBtnFace));
  b->setPalette(p);
  b->setBackgroundRole(QPalette::Window);
  b->setAutoFillBackground(true);
  b->setText(Caption());
  b->setLayoutDirection(FAlignment == taLeftJustify ? Qt::RightToLeft : Qt::LeftToRight);
  b->setEnabled(Enabled());
}

void TButtonControl::SetWordWrap(bool Value) { FWordWrap = Value; }

void TButtonControl::CMFontChanged(TMessage &Message)
{
  TWinControl::CMFontChanged(Message);
  ApplyLook();
}

void TButtonControl::CMColorChanged(TMessage &Message)
{
  TWinControl::CMColorChanged(Message);
  ApplyLook();
}

void TButtonControl::CMTextChanged(TMessage &Message)
{
  TWinControl::CMTextChanged(Message);
  if (QAbstractButton *b = Button())
    b->setText(Caption());
}

void TButtonControl::CMEnabledChanged(TMessage &Message)
{
  TWinControl::CMEnabledChanged(Message);
  if (QAbstractButton *b = Button())
    b->setEnabled(Enabled());
}
