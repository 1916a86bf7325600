#pragma once
// ICMP echo client. The client sends one echo request per Ping call, waits up to
// ReceiveTimeout ms for the matching reply and reports the outcome to OnReply before Ping
// returns. Only an echo reply from the target carrying our identifier and sequence number
// counts as an answer; anything else that arrives in the meantime is ignored.
//
// The sending itself goes through a replaceable transport, so that tests can script the
// answers without touching the network.
#include "framework/classes/classes.h"
#include "framework/system/sysutils.h"

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <functional>
#include <memory>

// Raised when the host is no IPv4 address.
QM_DECLARE_EXCEPTION(EPingError, Exception)
// Raised when the system refuses the exchange itself: no ICMP socket can be opened, or the
// request cannot be sent for another reason than an unreachable network. The message names the
// system's reason.
QM_DECLARE_EXCEPTION(EPingSocketError, EPingError)

enum TReplyStatusTypes { rsEcho, rsError, rsTimeOut };

struct TReplyStatus {
  TReplyStatusTypes ReplyStatusType = rsTimeOut;
  int BytesReceived = 0;  // ICMP data bytes of the echo reply; 0 without a reply
  QString FromIpAddress;
  uint16_t SequenceId = 0;
  int MsRoundTripTime = 0;
};

using TOnReplyEvent = std::function<void(TComponent *ASender, const TReplyStatus &AReplyStatus)>;

// One echo exchange. Echo raises EPingSocketError when it cannot send at all.
class TEchoTransport {
public:
  virtual ~TEchoTransport();
  // Target: dotted IPv4 address. Data: the request's ICMP data. Identifier: ours (a
  // datagram socket may replace it, which the transport then accounts for).
  virtual TReplyStatus Echo(const QString &Target, const QByteArray &Data, uint16_t Identifier,
                            uint16_t Sequence, int TimeoutMs) = 0;
};

// The system's ICMP: a raw socket, or a datagram ICMP socket where raw ones are not
// permitted. Both are opened for each exchange.
class TIcmpEchoTransport : public TEchoTransport {
public:
  TReplyStatus Echo(const QString &Target, const QByteArray &Data, uint16_t Identifier, uint16_t Sequence,
                    int TimeoutMs) override;
  // True when this process may open either kind of ICMP socket.
  static bool Available();
};

using TEchoTransportFactory = std::function<std::unique_ptr<TEchoTransport>()>;
// Tests: every client created afterwards uses transports from Factory (empty restores the
// system's ICMP).
void SetEchoTransportFactory(TEchoTransportFactory Factory);

class TIcmpClient : public TComponent {
public:
  explicit TIcmpClient(TComponent *AOwner);
  ~TIcmpClient() override;

  QString Host() const { return FHost; }
  void SetHost(const QString &Value) { FHost = Value; }
  int ReceiveTimeout() const { return FReceiveTimeout; }
  void SetReceiveTimeout(int Value) { FReceiveTimeout = Value; }
  // Size of the whole ICMP message (header included); the data is padded with zeros to it.
  int PacketSize() const { return FPacketSize; }
  void SetPacketSize(int Value) { FPacketSize = Value; }

  // Sends one echo request carrying ABuffer as its data (padded to PacketSize) with
  // SequenceID, or the client's running number when SequenceID is 0, and reports to OnReply.
  // Raises EPingError when Host is no IPv4 address, EPingSocketError when nothing can be sent.
  void Ping(const QString &ABuffer = QString(), uint16_t SequenceID = 0);
  const TReplyStatus &ReplyStatus() const { return FReplyStatus; }

  TOnReplyEvent OnReply;

private:
  QString FHost;
  int FReceiveTimeout = 5000;
  int FPacketSize = 1024;
  uint16_t FIdentifier = 0;
  uint16_t FNextSequence = 0;
  TReplyStatus FReplyStatus;
  std::unique_ptr<TEchoTransport> FTransport;
};

// Builds an ICMP echo message (type 8) with checksum; exposed for tests.
QByteArray BuildEchoRequest(uint16_t Identifier, uint16_t Sequence, const QByteArray &Data);
// The Internet checksum of Bytes.
uint16_t InternetChecksum(const QByteArray &Bytes);
