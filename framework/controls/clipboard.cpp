#include "framework/controls/clipboard.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

bool ClipboardHasText()
{
  const QMimeData *d = QGuiApplication::clipboard()->mimeData();
  return d && d->hasText();
}

QString ClipboardText() { return QGuiApplication::clipboard()->text(); }

void SetClipboardText(const QString &Text) { QGuiApplication::clipboard()->setText(Text); }
