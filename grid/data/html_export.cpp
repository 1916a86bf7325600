// The grid as an HTML table (or an XHTML 1.0 document): one cell line per base cell with its
// spans, each cell's look as a shared CSS class, cell pictures as JPEG files in an "images"
// folder beside the page. Plain cell text is escaped; mark-up cells go out as they are.
#include <map>

#include "framework/classes/classes.h"
#include "framework/dialogs/dialogs.h"
#include "framework/graphics/graphics.h"
#include "framework/services/atomicfile.h"
#include "framework/system/paths.h"
#include "framework/system/sysutils.h"
#include "grid/core/grid_settings.h"
#include "grid/core/text_conversion.h"
#include "grid/core/zav_string_grid.h"
#include "grid/foundation/grid_utils.h"
#include "grid/foundation/markup_utils.h"

namespace {

const QString CRLF = QStringLiteral("\r\n");

QString EscapeText(const QString &S)
{
  QString R;
  R.reserve(S.size());
  for (QChar c : S) {
    if (c == QLatin1Char('&')) R += QLatin1String("&amp;");
    else if (c == QLatin1Char('<')) R += QLatin1String("&lt;");
    else if (c == QLatin1Char('>')) R += QLatin1String("&gt;");
    else R += c;
  }
  return R;
}

QString EscapeAttr(const QString &S) { return EscapeText(S).replace(QLatin1Char('"'), QLatin1String("&quot;")); }

// Characters above 127 as numeric character references (a surrogate pair as one).
QString ToCharRefs(const QString &S)
{
  QString R;
  R.reserve(S.size());
  for (qsizetype i = 0; i < S.size(); ++i) {
    const QChar c = S[i];
    if (c.unicode() < 128) {
      R += c;
      continue;
    }
    uint code = c.unicode();
    if (c.isHighSurrogate() && i + 1 < S.size() && S[i + 1].isLowSurrogate())
      code = QChar::surrogateToUcs4(c, S[++i]);
    R += QLatin1String("&#") + QString::number(code) + QLatin1Char(';');
  }
  return R;
}

// "file://" and the absolute path, every byte outside the unreserved set escaped.
QString FileURL(const QString &Path)
{
  QString R = QStringLiteral("file://");
  for (unsigned char b : ExpandFileName(Path).toUtf8()) {
    if ((b >= 'a' && b <= 'z') || (b >= 'A' && b <= 'Z') || (b >= '0' && b <= '9') || b == '/' || b == '-' ||
        b == '.' || b == '_' || b == '~')
      R += QChar(b);
    else
      R += QLatin1Char('%') + QString::number(b, 16).toUpper().rightJustified(2, QLatin1Char('0'));
  }
  return R;
}

QString HexColor(TColor C) { return ColorToHTMLHex(ColorToRGB(C)); }

// Writes one graphic as a JPEG file: a JPEG image as it is, anything else drawn on a white
// bitmap of its size first.
bool SaveAsJPEG(const TGraphic *G, const QString &Path)
{
  if (!G || G->Empty() || G->Width() <= 0 || G->Height() <= 0)
    return false;
  if (auto *j = dynamic_cast<const TJPEGImage *>(G)) {
    j->SaveToFile(Path);
    return true;
  }
  TBitmap bmp(G->Width(), G->Height());
  bmp.Canvas()->Brush()->SetColor(clWhite);
  bmp.Canvas()->FillRect(TRect(0, 0, G->Width(), G->Height()));
  G->Draw(bmp.Canvas(), TRect(0, 0, G->Width(), G->Height()));
  TJPEGImage jpeg;
  jpeg.AssignGraphic(&bmp);
  jpeg.SaveToFile(Path);
  return true;
}

// The state of one export: the distinct styles and the picture files written.
struct THTMLBuild {
  bool XHTML = false;
  QString ImageFolder;
  bool RelativeImages = false;
  int Pictures = 0;
  QStringList Styles;
  std::map<QString, int> StyleIndex;

  QString Tag(const char *Upper) const { return XHTML ? QString::fromLatin1(Upper).toLower() : QString::fromLatin1(Upper); }
  QString Nbsp() const { return XHTML ? QStringLiteral("&#160;") : QStringLiteral("&nbsp;"); }
  QString Break() const { return XHTML ? QStringLiteral("<br />") : QStringLiteral("<br>"); }

  int StyleClass(const QString &Style)
  {
    if (auto it = StyleIndex.find(Style); it != StyleIndex.end())
      return it->second;
    Styles << Style;
    return StyleIndex[Style] = int(Styles.size()) - 1;
  }

  QString Img(const TGraphic *G)
  {
    if (!G || G->Empty())
      return QString();
    if (Pictures == 0 && !DirectoryExists(ImageFolder + QStringLiteral("images")) &&
        !ForceDirectories(ImageFolder + QStringLiteral("images")))
      throw Exception(QStringLiteral("Cannot create ") + ImageFolder + QStringLiteral("images"));
    const QString name = QStringLiteral("images/img%1.jpg").arg(Pictures + 1);
    if (!SaveAsJPEG(G, ImageFolder + name))
      return QString();
    ++Pictures;
    const QString src = RelativeImages || ImageFolder.isEmpty() ? name : FileURL(ImageFolder + name);
    return QStringLiteral("<img src=\"") + EscapeAttr(src) + (XHTML ? QStringLiteral("\" alt=\"\" />") : QStringLiteral("\">"));
  }
};

}  // namespace

QString TZavStringGrid::SaveToHTMLString(const QString &ImageFolder)
{
  return BuildHTMLPage(ImageFolder, false, FHTMLSettings->XHTML() ? QStringLiteral("utf-8") : QString());
}

QString TZavStringGrid::BuildHTMLPage(const QString &ImageFolder, bool RelativeImages, const QString &Charset)
{
  const THTMLSettings *hs = FHTMLSettings.get();
  THTMLBuild b;
  b.XHTML = hs->XHTML();
  b.ImageFolder = ImageFolder;
  b.RelativeImages = RelativeImages;
  const bool x = b.XHTML;

  const int firstCol = FSaveFixedCells || FSaveFixedCols ? 0 : FixedCols();
  const bool header = FixedRows() > 0 && (FSaveFixedCells || FSaveFixedRows);
  const int firstRow = header ? 1 : FixedRows();
  TIntList *widths = hs->ColWidths();
  TImageList *images = GetGridImages();

  // The cell's text as HTML: a link, raw mark-up, or escaped plain text.
  auto cellText = [&](const QString &Raw, bool Header) -> QString {
    const bool noMarkup = !Raw.contains(QLatin1String("</"));
    if (FURLShow && noMarkup && (Raw.contains(QLatin1String("://")) || Raw.contains(QLatin1String("mailto:")))) {
      QString shown = Raw;
      if (!FURLFull) {
        if (const int m = Pos(QStringLiteral("mailto:"), Raw))
          shown = Copy(Raw, m + 7);
        else
          shown = Copy(Raw, Pos(QStringLiteral("://"), Raw) + 3, 255);
      }
      return QStringLiteral("<a href=\"") + EscapeAttr(Raw) + QStringLiteral("\">") +
             EscapeText(shown).replace(QLatin1Char('\r'), b.Break()) + QStringLiteral("</a>");
    }
    QString s;
    if (CellTextKind(Raw, true) == 1)
      s = Raw;
    else if (!Header && hs->ConvertSpecialChars())
      s = x ? ToCharRefs(EscapeAttr(Raw)) : EncodeHTMLEntities(Raw, true);
    else
      s = EscapeText(Raw);
    if (!Header && hs->NonBreakingText())
      s.replace(QLatin1Char(' '), b.Nbsp());
    s.replace(QLatin1Char('\r'), b.Break());
    if (s.trimmed().isEmpty())
      s = b.Nbsp();
    return s;
  };

  // Pictures before or after the text, by the cell's kind.
  auto cellContent = [&](int RCol, int ARow, bool Header) -> QString {
    const QString raw = GetSaveCellText(RCol, ARow);
    TCellGraphic *g = GetCellGraphic(RCol, ARow);
    if (!g)
      return cellText(raw, Header);
    const bool pics = hs->ExportImages();
    auto listImg = [&](int Index) -> QString {
      if (!images || Index < 0 || Index >= images->Count())
        return QString();
      TBitmap bmp;
      return images->GetBitmap(Index, &bmp) ? b.Img(&bmp) : QString();
    };
    switch (g->CellType()) {
    case ctBitmap:
      return cellText(raw, Header) + (pics ? b.Img(dynamic_cast<TBitmap *>(g->CellBitmap())) : QString());
    case ctPicture: {
      auto *p = dynamic_cast<TPicture *>(g->CellBitmap());
      return cellText(raw, Header) + (pics && p ? b.Img(p->Graphic()) : QString());
    }
    case ctImageList:
      return (pics ? listImg(g->CellIndex()) : QString()) + cellText(raw, Header);
    case ctDataImage: {
      if (!pics)
        return cellText(raw, Header);
      bool ok = false;
      const int index = raw.trimmed().toInt(&ok);
      return ok ? listImg(index) : QString();
    }
    case ctImages: {
      QString imgs;
      if (pics && images)
        if (TIntList *list = GetCellImages(RCol, ARow))
          for (int i = 0; i < list->Count(); ++i)
            imgs += listImg(list->Items(i));
      return imgs + cellText(raw, Header);
    }
    case ctNode:
      return cellText(QStringLiteral("+") + raw, Header);
    default:
      return cellText(raw, Header);
    }
  };

  auto cellStyle = [&](int ACol, int ARow, bool Header) -> std::pair<QString, bool> {
    TFont font;
    font.Assign(Font());
    font.SetColor(clNone);
    font.SetStyle({});
    TBrush brush;
    brush.SetColor(clNone);
    TColor colorTo = clNone, mirror = clNone, mirrorTo = clNone;
    TGridDrawState state;
    TAlignment ha = taLeftJustify;
    TVAlignment va = vtaTop;
    bool ww = false;
    TCellGradientDirection gd = GradientVertical;
    GetVisualProperties(ACol, ARow, state, false, false, true, &brush, colorTo, mirror, mirrorTo, &font, ha, va, ww, gd);
    TColor bg = brush.Color();
    if (Header || IsFixed(ACol, ARow))
      bg = FixedColor();
    QStringList parts;
    if (hs->SaveColor() && bg != clNone)
      parts << QStringLiteral("background-color: #") + HexColor(bg);
    if (hs->SaveColor() && font.Color() != clNone)
      parts << QStringLiteral("color: #") + HexColor(font.Color());
    parts << QStringLiteral("font-size:%1pt").arg(font.Size());
    if (font.Style().Contains(fsItalic))
      parts << QStringLiteral("font-style: italic");
    if (font.Style().Contains(fsBold))
      parts << QStringLiteral("font-weight: bold");
    parts << QStringLiteral("font-family: ") + font.Name();
    if (ha == taRightJustify)
      parts << QStringLiteral("text-align: right");
    else if (ha == taCenter)
      parts << QStringLiteral("text-align: center");
    parts << (va == vtaTop      ? QStringLiteral("vertical-align: top")
              : va == vtaCenter ? QStringLiteral("vertical-align: middle")
                                : QStringLiteral("vertical-align: bottom"));
    return {parts.join(QLatin1Char(';')), ww};
  };

  auto attr = [&](const char *Upper, const QString &Value) {
    return QLatin1Char(' ') + b.Tag(Upper) + QStringLiteral("=\"") + Value + QLatin1Char('"');
  };

  QString table;
  auto writeRow = [&](int ARow, bool Header) {
    table += b.Tag("<TR>") + CRLF;
    for (int c = firstCol; c < ColCount(); ++c) {
      const int rc = DisplToRealCol(c);
      if (!IsBaseCell(rc, ARow))
        continue;
      const TPoint span = CellSpan(rc, ARow);
      QString line = QStringLiteral("<") + b.Tag("TD") + QStringLiteral(" class=\"c");
      const auto [style, wraps] = cellStyle(c, ARow, Header);
      line += QString::number(b.StyleClass(style)) + QLatin1Char('"');
      if (span.X > 0)
        line += attr("COLSPAN", QString::number(span.X + 1));
      if (span.Y > 0)
        line += attr("ROWSPAN", QString::number(span.Y + 1));
      if (!wraps)
        line += x ? QStringLiteral(" nowrap=\"nowrap\"") : QStringLiteral(" nowrap");
      const int w = Header ? c : c - firstCol;
      if ((Header || !header) && w >= 0 && w < widths->Count())
        line += x ? attr("WIDTH", QString::number(widths->Items(w)))
                  : QString::fromLatin1(Header ? " WIDTH=" : " width=") + QString::number(widths->Items(w));
      line += QLatin1Char('>') + cellContent(rc, ARow, Header) + QStringLiteral("</td>");
      table += line + CRLF;
    }
    table += b.Tag("</TR>") + CRLF;
  };

  table += QStringLiteral("<") + b.Tag("TABLE") + attr("BORDER", QString::number(hs->BorderSize())) +
           attr("CELLSPACING", QString::number(hs->CellSpacing())) +
           attr("CELLPADDING", QString::number(hs->CellPadding())) + QLatin1Char(' ');
  if (!hs->Summary().isEmpty())
    table += b.Tag("SUMMARY") + QStringLiteral("=\"") + EscapeAttr(hs->Summary()) + QStringLiteral("\" ");
  if (!hs->TableStyle().isEmpty())
    table += QLatin1Char(' ') + hs->TableStyle() + QLatin1Char(' ');
  table += QLatin1Char(' ') + b.Tag("WIDTH") + QStringLiteral("=\"%1%\">").arg(hs->Width()) + CRLF;

  if (header)
    writeRow(0, true);
  ExportNotification(int(esExportStart), firstRow);
  for (int r = firstRow; r < RowCount(); ++r) {
    ExportNotification(int(esExportNextRow), r);
    writeRow(r, false);
  }
  ExportNotification(int(esExportDone), -1);
  table += b.Tag("</TABLE>") + CRLF;
  if (!hs->SuffixTag().isEmpty())
    table += hs->SuffixTag() + CRLF;

  QString styles = x ? QStringLiteral("<style type=\"text/css\">") + CRLF : QStringLiteral("<style>") + CRLF;
  for (int i = 0; i < b.Styles.size(); ++i)
    styles += QStringLiteral(".c%1 {").arg(i) + b.Styles[i] + QLatin1Char('}') + CRLF;
  styles += QStringLiteral("</style>") + CRLF;

  const QString meta = QStringLiteral("<meta http-equiv=\"Content-Type\" content=\"text/html; charset=") + Charset +
                       (x ? QStringLiteral("\" />") : QStringLiteral("\">")) + CRLF;
  if (!x)
    return (Charset.isEmpty() ? QString() : meta) + hs->PrefixTag() + styles + table;
  const QString title = Name().isEmpty() ? QStringLiteral("Grid") : Name();
  return QStringLiteral("<?xml version=\"1.0\" encoding=\"") + Charset + QStringLiteral("\"?>") + CRLF +
         QStringLiteral("<!DOCTYPE html PUBLIC \"-//W3C//DTD XHTML 1.0 Strict//EN\"") + CRLF +
         QStringLiteral("\"http://www.w3.org/TR/xhtml1/DTD/xhtml1-strict.dtd\">") + CRLF +
         QStringLiteral("<html xmlns=\"http://www.w3.org/1999/xhtml\" xml:lang=\"en\" lang=\"en\">") + CRLF +
         QStringLiteral("<head>") + CRLF + meta + QStringLiteral("<title>") + EscapeText(title) +
         QStringLiteral("</title>") + CRLF + styles + QStringLiteral("</head>") + CRLF + QStringLiteral("<body>") + CRLF +
         hs->PrefixTag() + table + QStringLiteral("</body>") + CRLF + QStringLiteral("</html>") + CRLF;
}

void TZavStringGrid::WriteHTMLFile(const QString &FileName, bool Append, bool Show, bool Unicode)
{
  QString text;
  auto addLines = [&](const QString &Name) {
    TStringList lines;
    lines.LoadFromFile(Name);
    text += lines.Text();
  };
  if (Append) {
    try {
      addLines(FileName);
    } catch (const Exception &) {
      // An unreadable file to append to counts as empty.
    }
  }
  const THTMLSettings *hs = FHTMLSettings.get();
  if (!hs->HeaderFile().isEmpty())
    addLines(hs->HeaderFile());
  const QString folder = ExtractFilePath(FileName).replace(QLatin1Char('\\'), QLatin1Char('/'));
  text += BuildHTMLPage(folder, true, Unicode ? QStringLiteral("utf-16") : QStringLiteral("us-ascii"));
  if (!hs->FooterFile().isEmpty())
    addLines(hs->FooterFile());
  // Without Unicode every character beyond ASCII goes out as a character reference.
  const QByteArray bytes = Unicode ? EncodingPreamble(TEncoding::Unicode) + EncodeText(text, TEncoding::Unicode)
                                   : ToCharRefs(text).toLatin1();
  WriteFileAtomicOrRaise(FileName, bytes);
  if (Show || hs->AutoPreview())
    OpenURL(FileURL(FileName));
}

void TZavStringGrid::SaveToHTML(const QString &FileName, bool Show, bool Unicode)
{
  WriteHTMLFile(FileName, false, Show, Unicode);
}

void TZavStringGrid::AppendToHTML(const QString &FileName, bool Show, bool Unicode)
{
  WriteHTMLFile(FileName, true, Show, Unicode);
}
