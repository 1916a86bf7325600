#include "framework/controls/classiclook.h"

#include <QApplication>
#include <QPalette>
#include <QPointer>
#include <QProxyStyle>
#include <QStyleFactory>
#include <QWidget>

namespace {

// The classic style with the platform's password character and no blinking differences.
class TClassicStyle : public QProxyStyle {
public:
  TClassicStyle() : QProxyStyle(QStyleFactory::create(QStringLiteral("Windows"))) {}
  int styleHint(StyleHint Hint, const QStyleOption *Option, const QWidget *Widget,
                QStyleHintReturn *Return) const override
  {
    switch (Hint) {
    case SH_LineEdit_PasswordCharacter:
      return '*';
    case SH_LineEdit_PasswordMaskDelay:
      return 0;
    case SH_ComboBox_Popup:
      return 0;
    case SH_ScrollBar_ContextMenu:
      return 0;
    case SH_Widget_Animation_Duration:
      return 0;
    default:
      return QProxyStyle::styleHint(Hint, Option, Widget, Return);
    }
  }
};

QPointer<QStyle> TheStyle;

}  // namespace

QStyle *ClassicStyle()
{
  if (!TheStyle) {
    TheStyle = new TClassicStyle;
    // The application owns it, so it outlives every widget that uses it.
    if (QCoreApplication::instance())
      TheStyle->setParent(QCoreApplication::instance());
  }
  return TheStyle;
}

QPalette ClassicPalette(TColor Color, TColor FontColor)
{
  auto c = [](TColor v) { return ColorToQColor(v); };
  QPalette p;
  for (QPalette::ColorGroup g : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
    p.setColor(g, QPalette::Window, c(clBtnFace));
    p.setColor(g, QPalette::WindowText, c(clWindowText));
    p.setColor(g, QPalette::Base, c(Color));
    p.setColor(g, QPalette::AlternateBase, c(clBtnFace));
    p.setColor(g, QPalette::Text, c(FontColor));
    p.setColor(g, QPalette::Button, c(clBtnFace));
    p.setColor(g, QPalette::ButtonText, c(FontColor == clWindowText ? clBtnText : FontColor));
    p.setColor(g, QPalette::Light, c(clBtnHighlight));
    p.setColor(g, QPalette::Midlight, c(cl3DLight));
    p.setColor(g, QPalette::Mid, c(clBtnShadow));
    p.setColor(g, QPalette::Dark, c(clBtnShadow));
    p.setColor(g, QPalette::Shadow, c(cl3DDkShadow));
    p.setColor(g, QPalette::Highlight, c(clHighlight));
    p.setColor(g, QPalette::HighlightedText, c(clHighlightText));
    p.setColor(g, QPalette::ToolTipBase, c(clInfoBk));
    p.setColor(g, QPalette::ToolTipText, c(clInfoText));
    p.setColor(g, QPalette::Link, c(clHotLight));
    p.setColor(g, QPalette::PlaceholderText, c(clGrayText));
  }
  p.setColor(QPalette::Disabled, QPalette::Text, c(clGrayText));
  p.setColor(QPalette::Disabled, QPalette::WindowText, c(clGrayText));
  p.setColor(QPalette::Disabled, QPalette::ButtonText, c(clGrayText));
  // A disabled edit keeps the button-face background, as the platform draws it.
  p.setColor(QPalette::Disabled, QPalette::Base, c(clBtnFace));
  return p;
}

void ApplyClassicLook(QWidget *Widget, TColor Color, const TFont *Font)
{
  if (!Widget)
    return;
  QStyle *style = ClassicStyle();
  const QPalette pal = ClassicPalette(Color, Font ? Font->Color() : clWindowText);
  const QFont font = Font ? Font->ToQFont() : QFont();
  auto apply = [&](QWidget *w) {
    if (w->style() != style)
      w->setStyle(style);
    w->setPalette(pal);
    if (Font)
      w->setFont(font);
  };
  apply(Widget);
  for (QWidget *child : Widget->findChildren<QWidget *>())
    apply(child);
}
