#pragma once
// A scripted HTTP server on 127.0.0.1 for tests of clients that block their own thread: it
// runs on a thread of its own, answers every connection with the same scripted bytes and
// records the requests it read.
#include <QByteArray>
#include <QList>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <mutex>
#include <thread>

namespace testsupport {

class HttpTestServer {
public:
  enum class Mode {
    Answer,  // send Reply, then close
    Silent,  // read the request, then keep the connection open without answering
  };

  HttpTestServer(Mode AMode, QByteArray AReply) : FMode(AMode), FReply(std::move(AReply))
  {
    FListen = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    int One = 1;
    ::setsockopt(FListen, SOL_SOCKET, SO_REUSEADDR, &One, sizeof One);
    sockaddr_in A{};
    A.sin_family = AF_INET;
    A.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    ::bind(FListen, reinterpret_cast<sockaddr *>(&A), sizeof A);
    ::listen(FListen, 8);
    socklen_t Len = sizeof A;
    ::getsockname(FListen, reinterpret_cast<sockaddr *>(&A), &Len);
    FPort = ntohs(A.sin_port);
    FThread = std::thread([this] { Run(); });
  }

  ~HttpTestServer()
  {
    FStop = true;
    FThread.join();
    ::close(FListen);
  }

  // A whole reply with a status line, a Content-Type header and Body.
  static QByteArray Reply(int Code, const QByteArray &Body, const QByteArray &Reason = "OK")
  {
    return "HTTP/1.0 " + QByteArray::number(Code) + ' ' + Reason + "\r\nContent-Type: text/html\r\n\r\n" + Body;
  }

  int Port() const { return FPort; }
  QList<QByteArray> Requests() const
  {
    std::lock_guard<std::mutex> Lock(FMutex);
    return FRequests;
  }

private:
  void Run()
  {
    while (!FStop) {
      pollfd P{FListen, POLLIN, 0};
      if (::poll(&P, 1, 20) <= 0) continue;
      const int C = ::accept(FListen, nullptr, nullptr);
      if (C < 0) continue;
      QByteArray Request;
      char Buf[4096];
      while (!FStop && !Request.contains("\r\n\r\n")) {
        pollfd Q{C, POLLIN, 0};
        if (::poll(&Q, 1, 20) <= 0) continue;
        const ssize_t N = ::recv(C, Buf, sizeof Buf, 0);
        if (N <= 0) break;
        Request.append(Buf, int(N));
      }
      {
        std::lock_guard<std::mutex> Lock(FMutex);
        FRequests.append(Request);
      }
      if (FMode == Mode::Answer) {
        ::send(C, FReply.constData(), size_t(FReply.size()), MSG_NOSIGNAL);
      } else {
        while (!FStop) ::usleep(10000);
      }
      ::close(C);
    }
  }

  Mode FMode;
  QByteArray FReply;
  int FListen = -1;
  int FPort = 0;
  std::atomic<bool> FStop{false};
  mutable std::mutex FMutex;
  QList<QByteArray> FRequests;
  std::thread FThread;
};

}  // namespace testsupport
