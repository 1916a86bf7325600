#pragma once
// A small HTTP/1.0 client for GET requests on a plain TCP socket. The request carries the
// client's Accept and User-Agent headers and no cookies; the whole exchange (connect, send,
// read to the server's close) is bounded by Timeout and the reply by MaxReplySize. Get blocks the calling thread until the exchange ends.
#include "framework/classes/classes.h"
#include "framework/system/sysutils.h"

#include <QByteArray>
#include <QString>

#include <cstdint>

// Any failure of a request: no connection, time-out, malformed or oversized reply.
QM_DECLARE_EXCEPTION(EHTTPError, Exception)
// The server answered with a status other than 2xx.
class EHTTPProtocolError : public EHTTPError {
public:
  EHTTPProtocolError(int ACode, const QString &msg) : EHTTPError(msg), FErrorCode(ACode) {}
  int ErrorCode() const { return FErrorCode; }

private:
  int FErrorCode;
};

enum THTTPProtocolVersion { pv1_0, pv1_1 };

class THTTPClient : public TComponent {
public:
  explicit THTTPClient(TComponent *AOwner);

  THTTPProtocolVersion ProtocolVersion() const { return FProtocolVersion; }
  void SetProtocolVersion(THTTPProtocolVersion Value) { FProtocolVersion = Value; }
  bool AllowCookies() const { return FAllowCookies; }
  void SetAllowCookies(bool Value) { FAllowCookies = Value; }
  QString Accept() const { return FAccept; }
  void SetAccept(const QString &Value) { FAccept = Value; }
  QString UserAgent() const { return FUserAgent; }
  void SetUserAgent(const QString &Value) { FUserAgent = Value; }
  // Longest time of a whole request, in ms.
  int Timeout() const { return FTimeout; }
  void SetTimeout(int Ms) { FTimeout = Ms; }
  int MaxReplySize() const { return FMaxReplySize; }
  void SetMaxReplySize(int Bytes) { FMaxReplySize = Bytes; }

  // GET of an "http://host[:port]/path?query" URL; answers the body decoded as Latin-1
  // (UTF-8 when it is valid UTF-8). Raises EHTTPProtocolError for a non-2xx status and
  // EHTTPError for every other failure, also a body cut short of its announced Content-Length.
  QString Get(const QString &URL);
  // The status code of the last reply (0 when none arrived).
  int ResponseCode() const { return FResponseCode; }

  // The request text Get sends for URL; exposed for tests.
  QByteArray BuildRequest(const QString &Host, int Port, const QString &PathAndQuery) const;

private:
  THTTPProtocolVersion FProtocolVersion = pv1_1;
  bool FAllowCookies = true;
  QString FAccept = QStringLiteral("text/html, */*");
  QString FUserAgent;
  int FTimeout = 10000;
  int FMaxReplySize = 1 << 20;
  int FResponseCode = 0;
};
