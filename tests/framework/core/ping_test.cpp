// ICMP echo: the request's layout, the client's use of its transport and one real echo of
// the loopback address (the only address a test may ping).
#include <gtest/gtest.h>

#include "tests/framework/core/qstring_print.h"

#include "framework/services/ping.h"

#include <vector>

namespace {

struct TSentEcho {
  QString Target;
  QByteArray Data;
  uint16_t Identifier;
  uint16_t Sequence;
  int TimeoutMs;
};

// Records every request and answers each with a reply of the request's size.
class TRecordingTransport : public TEchoTransport {
public:
  explicit TRecordingTransport(std::vector<TSentEcho> *ALog) : Log(ALog) {}
  TReplyStatus Echo(const QString &Target, const QByteArray &Data, uint16_t Identifier, uint16_t Sequence,
                    int TimeoutMs) override
  {
    Log->push_back({Target, Data, Identifier, Sequence, TimeoutMs});
    TReplyStatus S;
    S.ReplyStatusType = rsEcho;
    S.BytesReceived = Data.size();
    S.SequenceId = Sequence;
    return S;
  }
  std::vector<TSentEcho> *Log;
};

class PingClient : public ::testing::Test {
protected:
  void SetUp() override
  {
    SetEchoTransportFactory([this] { return std::make_unique<TRecordingTransport>(&Log); });
  }
  void TearDown() override { SetEchoTransportFactory({}); }
  std::vector<TSentEcho> Log;
};

TEST(EchoRequest, CarriesTypeIdSequenceAndAValidChecksum)
{
  const QByteArray Packet = BuildEchoRequest(0x1234, 0x0102, QByteArray("10.0.0.1"));
  ASSERT_EQ(Packet.size(), 8 + 8);
  EXPECT_EQ(uint8_t(Packet[0]), 8);
  EXPECT_EQ(uint8_t(Packet[1]), 0);
  EXPECT_EQ(uint8_t(Packet[4]), 0x12);
  EXPECT_EQ(uint8_t(Packet[5]), 0x34);
  EXPECT_EQ(uint8_t(Packet[6]), 0x01);
  EXPECT_EQ(uint8_t(Packet[7]), 0x02);
  EXPECT_EQ(Packet.mid(8), QByteArray("10.0.0.1"));
  // A packet with its checksum in place sums to zero.
  EXPECT_EQ(InternetChecksum(Packet), 0);
  // Odd length: the last byte counts as the high byte of a word.
  EXPECT_EQ(InternetChecksum(BuildEchoRequest(1, 1, QByteArray("abc"))), 0);
}

TEST_F(PingClient, SendsTheAddressPaddedToThePacketSizeWithRunningSequence)
{
  TIcmpClient Client(nullptr);
  Client.SetHost("127.0.0.1");
  Client.SetReceiveTimeout(400);
  Client.SetPacketSize(1024);
  std::vector<TReplyStatus> Replies;
  Client.OnReply = [&](TComponent *, const TReplyStatus &R) { Replies.push_back(R); };
  Client.Ping("127.0.0.1");
  Client.Ping("127.0.0.1");
  ASSERT_EQ(Log.size(), 2u);
  EXPECT_EQ(Log[0].Target, "127.0.0.1");
  EXPECT_EQ(Log[0].TimeoutMs, 400);
  EXPECT_EQ(Log[0].Data.size(), 1024 - 8);
  EXPECT_TRUE(Log[0].Data.startsWith("127.0.0.1"));
  EXPECT_EQ(Log[0].Data.mid(9), QByteArray(1024 - 8 - 9, '\0'));
  EXPECT_EQ(Log[1].Sequence, Log[0].Sequence + 1);
  EXPECT_EQ(Log[1].Identifier, Log[0].Identifier);
  ASSERT_EQ(Replies.size(), 2u);
  EXPECT_EQ(Replies[1].BytesReceived, 1016);
}

TEST_F(PingClient, RefusesHostsThatAreNoIPv4AddressWithoutSending)
{
  TIcmpClient Client(nullptr);
  bool Reported = false;
  Client.OnReply = [&](TComponent *, const TReplyStatus &) { Reported = true; };
  for (const char *Host : {"", "1.2.3", "300.1.1.1", "a.b.c.d", "::1", "localhost"}) {
    Client.SetHost(Host);
    EXPECT_THROW(Client.Ping(Host), EPingError) << Host;
  }
  EXPECT_TRUE(Log.empty());
  EXPECT_FALSE(Reported);
}

TEST(IcmpEcho, LoopbackAnswersWithOurData)
{
  if (!TIcmpEchoTransport::Available()) GTEST_SKIP() << "no raw or datagram ICMP socket permitted";
  TIcmpClient Client(nullptr);
  Client.SetHost("127.0.0.1");
  Client.SetReceiveTimeout(400);
  Client.SetPacketSize(1024);
  TReplyStatus Got;
  Client.OnReply = [&](TComponent *, const TReplyStatus &R) { Got = R; };
  // A loaded machine may drop one; three tries are plenty for the loopback.
  for (int I = 0; I < 3 && Got.ReplyStatusType != rsEcho; ++I) Client.Ping("127.0.0.1");
  EXPECT_EQ(Got.ReplyStatusType, rsEcho);
  EXPECT_EQ(Got.BytesReceived, 1016);
  EXPECT_EQ(Got.FromIpAddress, "127.0.0.1");
}

}  // namespace
