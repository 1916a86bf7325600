#pragma once
// The system clipboard: plain text, and contents made of several flavours at once (MIME types
// with their bytes), as a copy that offers text, rich text, HTML and a private format needs.
#include <QByteArray>
#include <QString>
#include <QStringList>

#include <vector>

// Whether the clipboard holds text now.
bool ClipboardHasText();
// The clipboard's text; empty when it holds none.
QString ClipboardText();
void SetClipboardText(const QString &Text);

// MIME types of the flavours the clipboard services know by name.
inline const QString ClipMimeText = QStringLiteral("text/plain");
inline const QString ClipMimeRTF = QStringLiteral("text/rtf");
inline const QString ClipMimeHTML = QStringLiteral("text/html");

// The private MIME type of a format registered by name ("TZavStringGrid Cells" becomes
// "application/x-qm-tzavstringgrid-cells"): another process of this program finds it under the
// same name.
QString ClipboardFormatMime(const QString &FormatName);

// One flavour: text/plain and text/html carry UTF-8 text; any other type carries its bytes as
// they are.
struct TClipboardFlavour {
  QString MimeType;
  QByteArray Data;
};

// Replaces the clipboard's contents with all of Flavours in one step (an empty list empties it).
void SetClipboardFlavours(const std::vector<TClipboardFlavour> &Flavours);
// Whether the clipboard offers MimeType now.
bool ClipboardHasFormat(const QString &MimeType);
// The bytes of the flavour MimeType; empty when the clipboard does not offer it.
QByteArray ClipboardData(const QString &MimeType);
// The types the clipboard offers now.
QStringList ClipboardFormats();
