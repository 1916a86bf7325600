#include <QFile>
#include <QStringDecoder>
#include <QStringEncoder>
#include <algorithm>
#include <cstring>

#include "framework/classes/classes.h"
#include "framework/services/atomicfile.h"
#include "framework/system/codepages.h"
#include "framework/system/paths.h"

QByteArray EncodeText(const QString &s, TEncoding enc)
{
  switch (enc) {
  case TEncoding::UTF8: return s.toUtf8();
  case TEncoding::Unicode: {
    QByteArray r;
    r.resize(s.size() * 2);
    for (int i = 0; i < s.size(); ++i) {
      const char16_t u = s[i].unicode();
      r[2 * i] = char(u & 0xFF);
      r[2 * i + 1] = char(u >> 8);
    }
    return r;
  }
  case TEncoding::BigEndianUnicode: {
    QByteArray r;
    r.resize(s.size() * 2);
    for (int i = 0; i < s.size(); ++i) {
      const char16_t u = s[i].unicode();
      r[2 * i] = char(u >> 8);
      r[2 * i + 1] = char(u & 0xFF);
    }
    return r;
  }
  case TEncoding::ASCII: {
    QByteArray r;
    r.reserve(s.size());
    for (QChar c : s) r += c.unicode() < 0x80 ? char(c.unicode()) : '?';
    return r;
  }
  case TEncoding::Default:
  case TEncoding::ANSI:
    break;
  }
  return EncodeAnsi(s);
}

QString DecodeText(const QByteArray &bytes, TEncoding enc)
{
  switch (enc) {
  case TEncoding::UTF8: {
    QStringDecoder dec(QStringDecoder::Utf8);
    return dec.decode(bytes);
  }
  case TEncoding::Unicode:
  case TEncoding::BigEndianUnicode: {
    const bool le = enc == TEncoding::Unicode;
    QString r;
    r.reserve(bytes.size() / 2);
    for (int i = 0; i + 1 < bytes.size(); i += 2) {
      const unsigned char a = static_cast<unsigned char>(bytes[i]), b = static_cast<unsigned char>(bytes[i + 1]);
      r += QChar(le ? char16_t(a | (b << 8)) : char16_t((a << 8) | b));
    }
    return r;
  }
  case TEncoding::ASCII: {
    QString r;
    r.reserve(bytes.size());
    for (char c : bytes) r += static_cast<unsigned char>(c) < 0x80 ? QChar(c) : QChar('?');
    return r;
  }
  case TEncoding::Default:
  case TEncoding::ANSI:
    break;
  }
  return DecodeAnsi(bytes);
}

QByteArray EncodingPreamble(TEncoding enc)
{
  switch (enc) {
  case TEncoding::UTF8: return QByteArray("\xEF\xBB\xBF", 3);
  case TEncoding::Unicode: return QByteArray("\xFF\xFE", 2);
  case TEncoding::BigEndianUnicode: return QByteArray("\xFE\xFF", 2);
  default: return QByteArray();
  }
}

QString DecodeTextDetect(const QByteArray &bytes, TEncoding *detected)
{
  TEncoding enc = TEncoding::ANSI;
  int skip = 0;
  if (bytes.startsWith("\xEF\xBB\xBF")) { enc = TEncoding::UTF8; skip = 3; }
  else if (bytes.startsWith("\xFF\xFE")) { enc = TEncoding::Unicode; skip = 2; }
  else if (bytes.startsWith("\xFE\xFF")) { enc = TEncoding::BigEndianUnicode; skip = 2; }
  if (detected) *detected = enc;
  return DecodeText(bytes.mid(skip), enc);
}

// ---------------------------------------------------------------------------------------------

void TStream::ReadBuffer(void *Buffer, int64_t Count)
{
  if (Count < 0 || Read(Buffer, Count) != Count) throw EReadError(QStringLiteral("Stream read error"));
}

void TStream::WriteBuffer(const void *Buffer, int64_t Count)
{
  if (Count < 0 || Write(Buffer, Count) != Count) throw EWriteError(QStringLiteral("Stream write error"));
}

int64_t TStream::Position() { return Seek(0, soCurrent); }

int64_t TStream::Size()
{
  const int64_t pos = Seek(0, soCurrent);
  const int64_t end = Seek(0, soEnd);
  Seek(pos, soBeginning);
  return end;
}

void TStream::SetSize(int64_t) { throw EStreamError(QStringLiteral("Stream size cannot be changed")); }

int64_t TStream::CopyFrom(TStream *Source, int64_t Count)
{
  if (!Source) return 0;
  if (Count == 0) {
    Source->SetPosition(0);
    Count = Source->Size();
  }
  int64_t left = Count;
  char buf[65536];
  while (left > 0) {
    const int64_t n = std::min<int64_t>(left, sizeof buf);
    Source->ReadBuffer(buf, n);
    WriteBuffer(buf, n);
    left -= n;
  }
  return Count;
}

QByteArray TStream::ReadRemaining()
{
  const int64_t n = Size() - Position();
  QByteArray r;
  if (n <= 0) return r;
  r.resize(qsizetype(n));
  ReadBuffer(r.data(), n);
  return r;
}

// ---------------------------------------------------------------------------------------------

int64_t TMemoryStream::Read(void *Buffer, int64_t Count)
{
  if (Count <= 0 || FPosition >= FData.size()) return 0;
  const int64_t n = std::min<int64_t>(Count, FData.size() - FPosition);
  std::memcpy(Buffer, FData.constData() + FPosition, size_t(n));
  FPosition += n;
  return n;
}

int64_t TMemoryStream::Write(const void *Buffer, int64_t Count)
{
  if (Count <= 0) return 0;
  const int64_t end = FPosition + Count;
  if (end > FData.size()) FData.resize(qsizetype(end));
  std::memcpy(FData.data() + FPosition, Buffer, size_t(Count));
  FPosition = end;
  return Count;
}

int64_t TMemoryStream::Seek(int64_t Offset, TSeekOrigin Origin)
{
  int64_t p = Offset;
  if (Origin == soCurrent) p += FPosition;
  else if (Origin == soEnd) p += FData.size();
  if (p < 0) p = 0;
  FPosition = p;
  return FPosition;
}

void TMemoryStream::SetSize(int64_t NewSize)
{
  if (NewSize < 0) NewSize = 0;
  const qsizetype old = FData.size();
  FData.resize(qsizetype(NewSize));
  if (NewSize > old) std::memset(FData.data() + old, 0, size_t(NewSize - old));
  if (FPosition > NewSize) FPosition = NewSize;
}

void TMemoryStream::Clear()
{
  FData.clear();
  FPosition = 0;
}

void TMemoryStream::LoadFromStream(TStream *Stream)
{
  Stream->SetPosition(0);
  const int64_t n = Stream->Size();
  FData.resize(qsizetype(n));
  if (n > 0) Stream->ReadBuffer(FData.data(), n);
  FPosition = 0;
}

void TMemoryStream::SaveToStream(TStream *Stream)
{
  if (!FData.isEmpty()) Stream->WriteBuffer(FData.constData(), FData.size());
}

void TMemoryStream::LoadFromFile(const QString &FileName)
{
  QByteArray bytes;
  QString reason;
  if (!ReadFileBytes(FileName, bytes, &reason))
    throw EFOpenError(QStringLiteral("Cannot open file \"%1\". %2").arg(FileName, reason));
  FData = bytes;
  FPosition = 0;
}

void TMemoryStream::SaveToFile(const QString &FileName) { WriteFileAtomicOrRaise(FileName, FData); }

// ---------------------------------------------------------------------------------------------

TStringStream::TStringStream(const QString &AString, TEncoding AEncoding) : FEncoding(AEncoding)
{
  FData = EncodeText(AString, FEncoding);
}

QString TStringStream::DataString() const { return DecodeText(FData, FEncoding); }

void TStringStream::WriteString(const QString &s) { WriteBuffer(EncodeText(s, FEncoding)); }

QString TStringStream::ReadString(int64_t Count)
{
  const int64_t n = std::max<int64_t>(0, std::min<int64_t>(Count, FData.size() - FPosition));
  const QByteArray part = FData.mid(qsizetype(FPosition), qsizetype(n));
  FPosition += n;
  return DecodeText(part, FEncoding);
}

// ---------------------------------------------------------------------------------------------

struct TFileStream::Impl {
  QFile file;
};

TFileStream::TFileStream(const QString &AFileName, uint16_t Mode) : d(std::make_unique<Impl>()), FFileName(AFileName)
{
  d->file.setFileName(AFileName);
  if ((Mode & 0xFF00) == fmCreate) {
    if (!d->file.open(QIODevice::ReadWrite | QIODevice::Truncate))
      throw EFCreateError(QStringLiteral("Cannot create file \"%1\". %2").arg(AFileName, d->file.errorString()));
    return;
  }
  QIODevice::OpenMode m;
  switch (Mode & 0x3) {
  case fmOpenWrite: m = QIODevice::WriteOnly | QIODevice::ExistingOnly; break;
  case fmOpenReadWrite: m = QIODevice::ReadWrite | QIODevice::ExistingOnly; break;
  default: m = QIODevice::ReadOnly; break;
  }
  if (!d->file.open(m))
    throw EFOpenError(QStringLiteral("Cannot open file \"%1\". %2").arg(AFileName, d->file.errorString()));
}

TFileStream::~TFileStream() = default;

int64_t TFileStream::Read(void *Buffer, int64_t Count)
{
  if (Count <= 0) return 0;
  const qint64 n = d->file.read(static_cast<char *>(Buffer), Count);
  return n < 0 ? 0 : n;
}

int64_t TFileStream::Write(const void *Buffer, int64_t Count)
{
  if (Count <= 0) return 0;
  const qint64 n = d->file.write(static_cast<const char *>(Buffer), Count);
  return n < 0 ? 0 : n;
}

int64_t TFileStream::Seek(int64_t Offset, TSeekOrigin Origin)
{
  int64_t p = Offset;
  if (Origin == soCurrent) p += d->file.pos();
  else if (Origin == soEnd) p += d->file.size();
  if (p < 0) p = 0;
  d->file.seek(p);
  return d->file.pos();
}

int64_t TFileStream::Size() { return d->file.size(); }

void TFileStream::SetSize(int64_t NewSize)
{
  if (!d->file.resize(NewSize)) throw EWriteError(QStringLiteral("Stream write error"));
  if (d->file.pos() > NewSize) d->file.seek(NewSize);
}
