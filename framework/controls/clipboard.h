#pragma once
// The plain-text clipboard.
#include <QString>

// Whether the clipboard holds text now.
bool ClipboardHasText();
// The clipboard's text; empty when it holds none.
QString ClipboardText();
void SetClipboardText(const QString &Text);
