#include "framework/system/sysutils.h"

QString TVarRec::KindName() const
{
  switch (kind_) {
  case vtInteger: return QStringLiteral("an integer");
  case vtInt64: return QStringLiteral("a 64-bit integer");
  case vtExtended: return QStringLiteral("a floating point number");
  case vtString: return QStringLiteral("a string");
  case vtChar: return QStringLiteral("a character");
  case vtBoolean: return QStringLiteral("a Boolean");
  case vtPointer: return QStringLiteral("a pointer");
  }
  return QStringLiteral("an unknown value");
}

Exception::Exception(const QString &msg) : FMessage(msg), FUtf8(msg.toUtf8()) {}

Exception::Exception(const QString &fmt, const TVarRecs &args)
{
  FMessage = Format(fmt, args);
  FUtf8 = FMessage.toUtf8();
}

Exception::~Exception() = default;

void Exception::SetMessage(const QString &msg)
{
  FMessage = msg;
  FUtf8 = msg.toUtf8();
}

void Abort()
{
  throw EAbort(QStringLiteral("Operation aborted"));
}
