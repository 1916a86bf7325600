#pragma once
// String routines on cell mark-up that need no drawing: plain text, search highlights,
// entities, links, and the attributes of embedded "<CONTROL ...>" tags. Pure functions;
// positions are 1-based as the framework's Pos.
#include "framework/system/types.h"

#include <QString>

// Plain text and tags
QString HTMLToPlainText(const QString &Text);
QString StripTagsBalanced(const QString &Text);
QString RemoveHTMLTag(const QString &HTML, const QString &TagName);
QString HighlightInHTML(const QString &HTML, const QString &Search, const QString &TagName, bool CaseSensitive);
int VisibleToMarkupPos(const QString &HTML, int N);
int FindFromPos(const QString &Search, const QString &Text, int Skip, bool CaseSensitive, bool &Found);

// Entities
QString DecodeHTMLEntities(const QString &Text, bool WithLetters);
QString EncodeHTMLEntities(const QString &Text, bool WithLetters);
QString BlanksToNbsp(const QString &Text);
QString CRToHTMLBreak(const QString &Text);
QString ColorToHTMLHex(TColor Color);
// The entities the renderer replaces before layout, in any ASCII case, until none is left:
// "&amp;" becomes "&&" (drawn as one "&"), a replacement's second "&" may start another.
QString ReplaceMarkupEntities(const QString &Text);

// Links
bool HasURLScheme(const QString &Text);
void StripURLScheme(QString &Text);
// Prefix in upper case; 1 and the linked text in Result, or 0 with Result untouched.
int LinkifyText(const QString &Text, const QString &Prefix, QString &Result);

// Embedded controls
bool HasControlTag(const QString &Text);
void ParseControlTag(const QString &Tag, QString &Type, QString &ID, QString &Value, QString &Width,
                     QString &Height, QString &Prop, QString &MaxLen);
QString NextEditControlID(const QString &Text, const QString &AfterID);
bool GetControlValue(const QString &Text, const QString &ID, QString &Value);
QString GetControlProp(const QString &Text, const QString &ID);
int GetControlMaxLen(const QString &Text, const QString &ID);
bool SetControlValue(QString &Text, const QString &ID, const QString &NewValue);
QString ClearRadioControls(const QString &Text);

// Replaces the first match, letters compared by the ASCII rule; false when absent.
bool ReplaceFirstNoCase(const QString &Search, const QString &Replacement, QString &Text);
