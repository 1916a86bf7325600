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

QString ClipboardFormatMime(const QString &FormatName)
{
  QString id;
  for (const QChar c : FormatName.toLower())
    id += c.isLetterOrNumber() && c.unicode() < 128 ? c : QChar('-');
  return QStringLiteral("application/x-qm-") + id;
}

void SetClipboardFlavours(const std::vector<TClipboardFlavour> &Flavours)
{
  QClipboard *clip = QGuiApplication::clipboard();
  if (Flavours.empty()) {
    clip->clear();
    return;
  }
  auto *data = new QMimeData;
  for (const TClipboardFlavour &f : Flavours) {
    // Text through the text setter, so that the platform also offers its own text targets
    // (UTF8_STRING, STRING, TEXT on X).
    if (f.MimeType == ClipMimeText)
      data->setText(QString::fromUtf8(f.Data));
    else if (f.MimeType == ClipMimeHTML)
      data->setHtml(QString::fromUtf8(f.Data));
    else
      data->setData(f.MimeType, f.Data);
  }
  clip->setMimeData(data);  // the clipboard owns it
}

bool ClipboardHasFormat(const QString &MimeType)
{
  const QMimeData *d = QGuiApplication::clipboard()->mimeData();
  if (!d)
    return false;
  if (MimeType == ClipMimeText)
    return d->hasText();
  if (MimeType == ClipMimeHTML)
    return d->hasHtml();
  return d->hasFormat(MimeType);
}

QByteArray ClipboardData(const QString &MimeType)
{
  const QMimeData *d = QGuiApplication::clipboard()->mimeData();
  if (!d)
    return {};
  if (MimeType == ClipMimeText)
    return d->hasText() ? d->text().toUtf8() : QByteArray();
  if (MimeType == ClipMimeHTML)
    return d->hasHtml() ? d->html().toUtf8() : QByteArray();
  return d->hasFormat(MimeType) ? d->data(MimeType) : QByteArray();
}

QStringList ClipboardFormats()
{
  const QMimeData *d = QGuiApplication::clipboard()->mimeData();
  return d ? d->formats() : QStringList();
}
