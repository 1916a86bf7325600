#include "framework/system/sysutils.h"

namespace {

[[noreturn]] void BadFormat(const QString &spec, const QString &why)
{
  throw EConvertError(QStringLiteral("Format '%1' invalid or incompatible with argument: %2").arg(spec, why));
}

}  // namespace

QString Format(const QString &fmt, const TVarRecs &args, const TFormatSettings &fs)
{
  QString out;
  int argIndex = 0;
  const int n = int(fmt.size());
  int i = 0;
  while (i < n) {
    const QChar c = fmt[i];
    if (c != '%') {
      out += c;
      ++i;
      continue;
    }
    const int start = i;
    ++i;
    if (i < n && fmt[i] == '%') {
      out += '%';
      ++i;
      continue;
    }
    auto specText = [&]() { return fmt.mid(start, std::min(i + 1, n) - start); };
    auto takeInt = [&](const char *what) -> int64_t {
      if (argIndex >= int(args.size()))
        throw EConvertError(QStringLiteral("No argument for format '%1' (%2)").arg(specText(), QString::fromLatin1(what)));
      const TVarRec &a = args[size_t(argIndex++)];
      if (!a.IsInteger()) BadFormat(specText(), QStringLiteral("'*' needs an integer, %1 was given").arg(a.KindName()));
      return a.AsInt64();
    };
    auto readNumber = [&](const char *what) -> int {
      if (i < n && fmt[i] == '*') {
        ++i;
        // As bounded as a written number, so no argument can ask for gigabytes.
        const int64_t v = takeInt(what);
        if (v < 0 || v > 100000) BadFormat(specText(), QStringLiteral("number out of range (%1)").arg(v));
        return int(v);
      }
      int v = -1;
      while (i < n && fmt[i].isDigit() && fmt[i].unicode() < 128) {
        v = (v < 0 ? 0 : v) * 10 + (fmt[i].unicode() - '0');
        if (v > 100000) BadFormat(specText(), QStringLiteral("number too large"));
        ++i;
      }
      return v;
    };
    bool left = false;
    int width = -1, prec = -1;
    // [index:][-][width][.prec]
    int num = readNumber("width");
    if (i < n && fmt[i] == ':') {
      if (num < 0) BadFormat(specText(), QStringLiteral("missing argument index"));
      argIndex = num;
      ++i;
      num = -2;
    }
    if (num == -2 || num == -1) {
      if (i < n && fmt[i] == '-') {
        left = true;
        ++i;
      }
      num = readNumber("width");
    }
    width = num;
    if (i < n && fmt[i] == '.') {
      ++i;
      prec = readNumber("precision");
      if (prec < 0) prec = 0;
    }
    if (i >= n) BadFormat(fmt.mid(start), QStringLiteral("the format ends inside a specifier"));
    const QChar type = QChar(fmt[i].toLower());
    const QString spec = fmt.mid(start, i + 1 - start);
    ++i;
    if (argIndex >= int(args.size()))
      throw EConvertError(QStringLiteral("No argument for format '%1'").arg(spec));
    const TVarRec &a = args[size_t(argIndex++)];
    auto need = [&](bool ok, const char *expected) {
      if (!ok) BadFormat(spec, QStringLiteral("expected %1, %2 was given").arg(QString::fromLatin1(expected), a.KindName()));
    };
    QString s;
    switch (type.unicode()) {
    case 'd': {
      need(a.IsInteger(), "an integer");
      const int64_t v = a.AsInt64();
      QString digits = QString::number(qulonglong(v < 0 ? 0ull - uint64_t(v) : uint64_t(v)));
      if (prec >= 0 && digits.size() < prec) digits.prepend(QString(prec - digits.size(), '0'));
      s = (v < 0 ? QStringLiteral("-") : QString()) + digits;
      break;
    }
    case 'u': {
      need(a.IsInteger(), "an integer");
      int64_t v = a.AsInt64();
      const uint64_t u = (a.VType() == TVarRec::vtInteger && v < 0) ? uint64_t(uint32_t(int32_t(v))) : uint64_t(v);
      s = QString::number(qulonglong(u));
      if (prec >= 0 && s.size() < prec) s.prepend(QString(prec - s.size(), '0'));
      break;
    }
    case 'x': {
      need(a.IsInteger(), "an integer");
      const int64_t v = a.AsInt64();
      const uint64_t u = (a.VType() == TVarRec::vtInteger) ? uint64_t(uint32_t(int32_t(v))) : uint64_t(v);
      s = QString::number(qulonglong(u), 16).toUpper();
      if (prec >= 0 && s.size() < prec) s.prepend(QString(prec - s.size(), '0'));
      break;
    }
    case 'e':
      need(a.VType() == TVarRec::vtExtended, "a floating point number");
      s = FloatToStrF(a.AsDouble(), ffExponent, prec < 0 ? 15 : prec, 3, fs);
      break;
    case 'f':
      need(a.VType() == TVarRec::vtExtended, "a floating point number");
      s = FloatToStrF(a.AsDouble(), ffFixed, 18, prec < 0 ? 2 : prec, fs);
      break;
    case 'g':
      need(a.VType() == TVarRec::vtExtended, "a floating point number");
      s = FloatToStrF(a.AsDouble(), ffGeneral, prec < 0 ? 15 : prec, 0, fs);
      break;
    case 'n':
      need(a.VType() == TVarRec::vtExtended, "a floating point number");
      s = FloatToStrF(a.AsDouble(), ffNumber, 18, prec < 0 ? 2 : prec, fs);
      break;
    case 'm':
      need(a.VType() == TVarRec::vtExtended, "a floating point number");
      s = FloatToStrF(a.AsDouble(), ffCurrency, 18, prec < 0 ? fs.CurrencyDecimals : prec, fs);
      break;
    case 'p':
      need(a.VType() == TVarRec::vtPointer, "a pointer");
      s = IntToHex(a.AsInt64(), sizeof(void *) * 2);
      break;
    case 's':
      need(a.VType() == TVarRec::vtString || a.VType() == TVarRec::vtChar, "a string");
      s = a.AsString();
      if (prec >= 0 && s.size() > prec) s.truncate(prec);
      break;
    default:
      BadFormat(spec, QStringLiteral("unknown conversion '%1'").arg(type));
    }
    if (width > s.size()) {
      const QString pad(width - s.size(), ' ');
      s = left ? s + pad : pad + s;
    }
    out += s;
  }
  return out;
}

QString Format(const QString &fmt, const TVarRecs &args) { return Format(fmt, args, FormatSettings); }
