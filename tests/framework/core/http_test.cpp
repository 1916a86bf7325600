// HTTP/1.0 GET against a scripted server on 127.0.0.1: the request text, the body of a
// good reply, and the failures a caller must be able to tell from a reply.
#include <gtest/gtest.h>

#include "tests/framework/core/qstring_print.h"

#include "framework/services/http.h"
#include "tests/support/http_test_server.h"

namespace {

using testsupport::HttpTestServer;

THTTPClient *MakeClient()
{
  auto *C = new THTTPClient(nullptr);
  C->SetProtocolVersion(pv1_0);
  C->SetAllowCookies(false);
  C->SetAccept("text/html,application/xhtml+xml,application/xml;q=0.9,*/*;q=0.8");
  C->SetUserAgent("Mozilla/3.0 (compatible; Indy Library)");
  return C;
}

QString Url(const HttpTestServer &S, const char *PathQuery)
{
  return QStringLiteral("http://127.0.0.1:%1%2").arg(S.Port()).arg(PathQuery);
}

TEST(HttpGet, SendsAnHttp10RequestWithAcceptAndUserAgent)
{
  HttpTestServer Server(HttpTestServer::Mode::Answer, HttpTestServer::Reply(200, "VER. 1.001"));
  std::unique_ptr<THTTPClient> C(MakeClient());
  EXPECT_EQ(C->Get(Url(Server, "/home/download/GetversionSW.asp?nomesw=QC40328")), "VER. 1.001");
  EXPECT_EQ(C->ResponseCode(), 200);
  ASSERT_EQ(Server.Requests().size(), 1);
  const QByteArray Expected = "GET /home/download/GetversionSW.asp?nomesw=QC40328 HTTP/1.0\r\n"
                              "Host: 127.0.0.1:" + QByteArray::number(Server.Port()) + "\r\n"
                              "Accept: text/html,application/xhtml+xml,application/xml;q=0.9,*/*;q=0.8\r\n"
                              "User-Agent: Mozilla/3.0 (compatible; Indy Library)\r\n\r\n";
  EXPECT_EQ(Server.Requests()[0], Expected);
}

TEST(HttpGet, BodyStopsAtContentLength)
{
  HttpTestServer Server(HttpTestServer::Mode::Answer, "HTTP/1.0 200 OK\r\nContent-Length: 4\r\n\r\nVER.xyz");
  std::unique_ptr<THTTPClient> C(MakeClient());
  EXPECT_EQ(C->Get(Url(Server, "/")), "VER.");
}

TEST(HttpGet, BodyCutShortOfContentLengthFails)
{
  HttpTestServer Server(HttpTestServer::Mode::Answer, "HTTP/1.0 200 OK\r\nContent-Length: 10\r\n\r\nVER. 1.0");
  std::unique_ptr<THTTPClient> C(MakeClient());
  EXPECT_THROW(C->Get(Url(Server, "/")), EHTTPError);
}

TEST(HttpGet, ErrorStatusRaisesWithItsCode)
{
  HttpTestServer Server(HttpTestServer::Mode::Answer, HttpTestServer::Reply(404, "missing", "Not Found"));
  std::unique_ptr<THTTPClient> C(MakeClient());
  try {
    C->Get(Url(Server, "/x"));
    FAIL() << "no exception";
  } catch (const EHTTPProtocolError &E) {
    EXPECT_EQ(E.ErrorCode(), 404);
  }
}

TEST(HttpGet, FailuresRaise)
{
  std::unique_ptr<THTTPClient> C(MakeClient());
  C->SetTimeout(300);
  {
    // Accepts and never answers.
    HttpTestServer Server(HttpTestServer::Mode::Silent, {});
    EXPECT_THROW(C->Get(Url(Server, "/")), EHTTPError);
  }
  {
    // Closes without a status line.
    HttpTestServer Server(HttpTestServer::Mode::Answer, {});
    EXPECT_THROW(C->Get(Url(Server, "/")), EHTTPError);
  }
  {
    // Larger than the client accepts.
    HttpTestServer Server(HttpTestServer::Mode::Answer, HttpTestServer::Reply(200, QByteArray(5000, 'x')));
    C->SetMaxReplySize(1000);
    EXPECT_THROW(C->Get(Url(Server, "/")), EHTTPError);
  }
  int FreePort = 0;
  { HttpTestServer Gone(HttpTestServer::Mode::Answer, {}); FreePort = Gone.Port(); }
  EXPECT_THROW(C->Get(QStringLiteral("http://127.0.0.1:%1/").arg(FreePort)), EHTTPError);
  EXPECT_THROW(C->Get("not a url"), EHTTPError);
}

}  // namespace
