#include "framework/services/http.h"

#include <QElapsedTimer>
#include <QStringDecoder>
#include <QTcpSocket>
#include <QUrl>

namespace {

// Decodes a body: UTF-8 when it is valid UTF-8, else Latin-1.
QString DecodeBody(const QByteArray &Body)
{
  QStringDecoder Decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
  QString Text = Decoder.decode(Body);
  if (Decoder.hasError()) return QString::fromLatin1(Body);
  return Text;
}

// Position after the blank line that ends the header, or -1.
int HeaderEnd(const QByteArray &Data)
{
  int P = Data.indexOf("\r\n\r\n");
  if (P >= 0) return P + 4;
  P = Data.indexOf("\n\n");
  return P >= 0 ? P + 2 : -1;
}

// The Content-Length the header announces, or -1.
qint64 ContentLengthOf(const QByteArray &Header)
{
  qint64 Length = -1;
  for (const QByteArray &Line : Header.split('\n')) {
    const QByteArray L = Line.trimmed();
    if (L.toLower().startsWith("content-length:")) {
      bool Ok = false;
      const qint64 N = L.mid(15).trimmed().toLongLong(&Ok);
      if (Ok && N >= 0) Length = N;
    }
  }
  return Length;
}

}  // namespace

THTTPClient::THTTPClient(TComponent *AOwner) : TComponent(AOwner) {}

QByteArray THTTPClient::BuildRequest(const QString &Host, int Port, const QString &PathAndQuery) const
{
  QByteArray R = "GET " + PathAndQuery.toLatin1() + (FProtocolVersion == pv1_0 ? " HTTP/1.0\r\n" : " HTTP/1.1\r\n");
  R += "Host: " + Host.toLatin1();
  if (Port != 80) R += ':' + QByteArray::number(Port);
  R += "\r\n";
  if (!FAccept.isEmpty()) R += "Accept: " + FAccept.toLatin1() + "\r\n";
  if (!FUserAgent.isEmpty()) R += "User-Agent: " + FUserAgent.toLatin1() + "\r\n";
  if (FProtocolVersion == pv1_1) R += "Connection: close\r\n";
  R += "\r\n";
  return R;
}

QString THTTPClient::Get(const QString &URL)
{
  FResponseCode = 0;
  const QUrl Url(URL, QUrl::StrictMode);
  if (!Url.isValid() || Url.scheme().compare(QLatin1String("http"), Qt::CaseInsensitive) != 0 || Url.host().isEmpty())
    throw EHTTPError(QStringLiteral("Invalid URL: %1").arg(URL));
  const int Port = Url.port(80);
  QString PathAndQuery = Url.path(QUrl::FullyEncoded);
  if (PathAndQuery.isEmpty()) PathAndQuery = QStringLiteral("/");
  if (Url.hasQuery()) PathAndQuery += QLatin1Char('?') + Url.query(QUrl::FullyEncoded);

  QElapsedTimer Clock;
  Clock.start();
  auto Left = [&]() { return int(qMax<qint64>(0, FTimeout - Clock.elapsed())); };
  auto Fail = [&](const QString &Why) -> EHTTPError { return EHTTPError(QStringLiteral("%1: %2").arg(URL, Why)); };

  QTcpSocket Socket;
  Socket.connectToHost(Url.host(), quint16(Port));
  if (!Socket.waitForConnected(Left())) throw Fail(Socket.errorString());
  Socket.write(BuildRequest(Url.host(), Port, PathAndQuery));
  while (Socket.bytesToWrite() > 0) {
    if (Left() == 0 || !Socket.waitForBytesWritten(Left())) throw Fail(QStringLiteral("request not sent"));
  }

  QByteArray Reply;
  int BodyStart = -1;
  qint64 ContentLength = -1;
  for (;;) {
    Reply += Socket.readAll();
    if (Reply.size() > FMaxReplySize) throw Fail(QStringLiteral("reply too large"));
    if (BodyStart < 0) {
      BodyStart = HeaderEnd(Reply);
      if (BodyStart >= 0) ContentLength = ContentLengthOf(Reply.left(BodyStart));
    }
    if (BodyStart >= 0 && ContentLength >= 0 && Reply.size() - BodyStart >= ContentLength) break;
    if (Socket.state() != QAbstractSocket::ConnectedState) break;
    if (Left() == 0) throw Fail(QStringLiteral("time-out"));
    if (!Socket.waitForReadyRead(Left())) {
      if (Socket.state() == QAbstractSocket::ConnectedState) throw Fail(QStringLiteral("time-out"));
    }
  }
  Reply += Socket.readAll();
  if (Reply.size() > FMaxReplySize) throw Fail(QStringLiteral("reply too large"));
  if (BodyStart < 0) {
    BodyStart = HeaderEnd(Reply);
    if (BodyStart < 0) throw Fail(QStringLiteral("incomplete reply"));
    ContentLength = ContentLengthOf(Reply.left(BodyStart));
  }

  // Status line: "HTTP/1.x NNN reason".
  const QByteArray StatusLine = Reply.left(Reply.indexOf('\n')).trimmed();
  const QList<QByteArray> Parts = StatusLine.split(' ');
  bool Ok = false;
  const int Code = Parts.size() >= 2 && Parts[0].startsWith("HTTP/") ? Parts[1].toInt(&Ok) : 0;
  if (!Ok) throw Fail(QStringLiteral("malformed reply"));
  FResponseCode = Code;
  if (Code < 200 || Code > 299)
    throw EHTTPProtocolError(Code, QString::fromLatin1(StatusLine.mid(Parts[0].size() + 1)));

  QByteArray Body = Reply.mid(BodyStart);
  // A server that closes before the announced length has sent a cut reply, not a short one.
  if (ContentLength >= 0 && Body.size() < ContentLength) throw Fail(QStringLiteral("incomplete reply"));
  if (ContentLength >= 0 && Body.size() > ContentLength) Body.truncate(int(ContentLength));
  return DecodeBody(Body);
}
