#include "framework/services/ping.h"

#include <QElapsedTimer>
#include <QStringList>

#include <arpa/inet.h>
#include <cerrno>
#include <cstring>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>

namespace {

TEchoTransportFactory &TransportFactory()
{
  static TEchoTransportFactory Factory;
  return Factory;
}

constexpr int Icmp_Header_Size = 8;
constexpr uint8_t Icmp_Echo_Reply = 0;
constexpr uint8_t Icmp_Echo_Request = 8;

// Closes the socket on every way out.
struct TSocketGuard {
  int Fd = -1;
  ~TSocketGuard()
  {
    if (Fd >= 0) ::close(Fd);
  }
};

uint16_t ReadBE16(const uint8_t *P) { return uint16_t((P[0] << 8) | P[1]); }

// The system's ICMP. Raw sockets need privileges; datagram ICMP sockets are allowed for the
// groups of net.ipv4.ping_group_range. With a datagram socket the kernel sets the identifier
// to the socket's port and hands only matching replies, without the IP header.
int OpenIcmpSocket(bool &Datagram)
{
  int Fd = ::socket(AF_INET, SOCK_RAW | SOCK_CLOEXEC, IPPROTO_ICMP);
  if (Fd >= 0) {
    Datagram = false;
    return Fd;
  }
  Fd = ::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, IPPROTO_ICMP);
  Datagram = true;
  return Fd;
}

// The canonical text of a dotted IPv4 address of four decimal parts (leading zeros read as
// decimal), or an empty text. Short forms such as "1.2.3" are refused: only what the user
// typed in four boxes is ever meant.
QString StrictIPv4(const QString &Host)
{
  const QStringList Parts = Host.split(QLatin1Char('.'));
  if (Parts.size() != 4) return QString();
  QStringList Out;
  for (const QString &P : Parts) {
    if (P.isEmpty() || P.size() > 3) return QString();
    int V = 0;
    for (QChar C : P) {
      if (C < QLatin1Char('0') || C > QLatin1Char('9')) return QString();
      V = V * 10 + (C.unicode() - '0');
    }
    if (V > 255) return QString();
    Out << QString::number(V);
  }
  return Out.join(QLatin1Char('.'));
}

}  // namespace

TEchoTransport::~TEchoTransport() = default;

uint16_t InternetChecksum(const QByteArray &Bytes)
{
  uint32_t Sum = 0;
  const auto *P = reinterpret_cast<const uint8_t *>(Bytes.constData());
  const int N = Bytes.size();
  for (int I = 0; I + 1 < N; I += 2) Sum += uint32_t((P[I] << 8) | P[I + 1]);
  if (N % 2) Sum += uint32_t(P[N - 1] << 8);
  while (Sum >> 16) Sum = (Sum & 0xFFFF) + (Sum >> 16);
  return uint16_t(~Sum & 0xFFFF);
}

QByteArray BuildEchoRequest(uint16_t Identifier, uint16_t Sequence, const QByteArray &Data)
{
  QByteArray Packet(Icmp_Header_Size, '\0');
  Packet[0] = char(Icmp_Echo_Request);
  Packet[4] = char(Identifier >> 8);
  Packet[5] = char(Identifier & 0xFF);
  Packet[6] = char(Sequence >> 8);
  Packet[7] = char(Sequence & 0xFF);
  Packet.append(Data);
  const uint16_t Sum = InternetChecksum(Packet);
  Packet[2] = char(Sum >> 8);
  Packet[3] = char(Sum & 0xFF);
  return Packet;
}

bool TIcmpEchoTransport::Available()
{
  bool Datagram = false;
  TSocketGuard S{OpenIcmpSocket(Datagram)};
  return S.Fd >= 0;
}

TReplyStatus TIcmpEchoTransport::Echo(const QString &Target, const QByteArray &Data, uint16_t Identifier,
                                      uint16_t Sequence, int TimeoutMs)
{
  TReplyStatus Status;
  Status.SequenceId = Sequence;

  sockaddr_in To{};
  To.sin_family = AF_INET;
  if (::inet_pton(AF_INET, Target.toLatin1().constData(), &To.sin_addr) != 1)
    throw EPingError(QStringLiteral("Invalid IPv4 address: %1").arg(Target));

  bool Datagram = false;
  TSocketGuard S{OpenIcmpSocket(Datagram)};
  if (S.Fd < 0)
    throw EPingSocketError(QStringLiteral("Cannot open an ICMP socket: %1").arg(QString::fromLocal8Bit(std::strerror(errno))));

  uint16_t ExpectedId = Identifier;
  if (Datagram) {
    // The kernel puts the socket's port into the identifier; bind to learn it.
    sockaddr_in Local{};
    Local.sin_family = AF_INET;
    if (::bind(S.Fd, reinterpret_cast<sockaddr *>(&Local), sizeof Local) == 0) {
      socklen_t Len = sizeof Local;
      if (::getsockname(S.Fd, reinterpret_cast<sockaddr *>(&Local), &Len) == 0) ExpectedId = ntohs(Local.sin_port);
    }
  }

  const QByteArray Packet = BuildEchoRequest(Identifier, Sequence, Data);
  QElapsedTimer Clock;
  Clock.start();
  if (::sendto(S.Fd, Packet.constData(), size_t(Packet.size()), 0, reinterpret_cast<sockaddr *>(&To), sizeof To) < 0) {
    const int Error = errno;
    // An unreachable network or host: the attempt simply gets no answer. Anything else (a
    // firewall refusing, a broadcast address) is the system saying no, which the user must see.
    if (Error != ENETUNREACH && Error != EHOSTUNREACH && Error != ENETDOWN && Error != EHOSTDOWN)
      throw EPingSocketError(QStringLiteral("Cannot send the echo request: %1").arg(QString::fromLocal8Bit(std::strerror(Error))));
    Status.ReplyStatusType = rsError;
    return Status;
  }

  QByteArray Buffer(Packet.size() + 128, '\0');
  for (;;) {
    const qint64 Left = TimeoutMs - Clock.elapsed();
    if (Left <= 0) break;
    pollfd P{S.Fd, POLLIN, 0};
    const int Ready = ::poll(&P, 1, int(Left));
    if (Ready < 0 && errno == EINTR) continue;
    if (Ready <= 0) break;
    sockaddr_in From{};
    socklen_t FromLen = sizeof From;
    const ssize_t Got = ::recvfrom(S.Fd, Buffer.data(), size_t(Buffer.size()), 0, reinterpret_cast<sockaddr *>(&From), &FromLen);
    if (Got <= 0) continue;
    const auto *B = reinterpret_cast<const uint8_t *>(Buffer.constData());
    int Offset = 0;
    if (!Datagram) {
      if (Got < 20) continue;
      Offset = (B[0] & 0x0F) * 4;  // the IP header comes first on a raw socket
    }
    if (Got < Offset + Icmp_Header_Size) continue;
    const uint8_t *Icmp = B + Offset;
    if (From.sin_addr.s_addr != To.sin_addr.s_addr) continue;
    if (Icmp[0] != Icmp_Echo_Reply || Icmp[1] != 0) continue;
    if (ReadBE16(Icmp + 4) != ExpectedId || ReadBE16(Icmp + 6) != Sequence) continue;
    Status.ReplyStatusType = rsEcho;
    Status.BytesReceived = int(Got) - Offset - Icmp_Header_Size;
    Status.FromIpAddress = Target;
    Status.MsRoundTripTime = int(Clock.elapsed());
    return Status;
  }
  Status.ReplyStatusType = rsTimeOut;
  return Status;
}

void SetEchoTransportFactory(TEchoTransportFactory Factory) { TransportFactory() = std::move(Factory); }

TIcmpClient::TIcmpClient(TComponent *AOwner) : TComponent(AOwner)
{
  static std::atomic<uint16_t> Clients{0};
  FIdentifier = uint16_t((::getpid() ^ (Clients.fetch_add(1) * 0x9E37)) & 0xFFFF);
  FTransport = TransportFactory() ? TransportFactory()() : std::make_unique<TIcmpEchoTransport>();
}

TIcmpClient::~TIcmpClient() = default;

void TIcmpClient::Ping(const QString &ABuffer, uint16_t SequenceID)
{
  const QString Address = StrictIPv4(FHost);
  if (Address.isEmpty()) throw EPingError(QStringLiteral("Invalid IPv4 address: %1").arg(FHost));
  if (SequenceID == 0) SequenceID = ++FNextSequence;
  if (SequenceID == 0) SequenceID = ++FNextSequence;  // skip 0 on wrap-around

  QByteArray Data = ABuffer.toLatin1();
  const int DataSize = FPacketSize - Icmp_Header_Size;
  if (DataSize > Data.size()) Data.append(QByteArray(DataSize - Data.size(), '\0'));

  FReplyStatus = FTransport->Echo(Address, Data, FIdentifier, SequenceID, FReceiveTimeout);
  if (OnReply) OnReply(this, FReplyStatus);
}
