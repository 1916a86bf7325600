#pragma once
// A temporary project folder with the bank builder pointed at it.
#include "framework/services/xmldoc.h"
#include "project/app_state.h"
#include "project/banks.h"
#include "tests/support/test_support.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <vector>

class BankProject : public ::testing::Test {
protected:
  void SetUp() override
  {
    ASSERT_TRUE(FDir.isValid());
    AppState().Reset();
    TAppState &s = AppState();
    s.Project_Dir = FDir.path();
    s.File_ParGen = Path("ParGen.xml");
    s.File_S7_Protocol = Path("S7_Protocol.xml");
    s.File_MQTT_Set_Topic = Path("MQTT_Set_Topic.xml");
    Builder = std::make_unique<TBankBuilder>();
    Builder->XML1 = &XML1;
  }
  void TearDown() override { AppState().Reset(); }

  QString Path(const QString &Name) const { return FDir.path() + "/" + Name; }
  QString Bin(int n) const { return Path(QStringLiteral("bin/bank%1.bin").arg(n)); }

  void Put(const QString &Name, const QByteArray &Content) { testsupport::WriteBytes(Path(Name), Content); }
  void PutFixture(const QString &Relative, const QString &Name)
  {
    const QByteArray Content = testsupport::ReadBytes(testsupport::Fixture("banks/" + Relative));
    ASSERT_FALSE(Content.isEmpty()) << Relative.toStdString();
    Put(Name, Content);
  }

  // Builds and writes the three banks; answers their contents.
  std::vector<QByteArray> BuildAndWrite()
  {
    Builder->Compile_Banks();
    QString error;
    EXPECT_TRUE(Builder->Write_Bank_Files(&error)) << error.toStdString();
    return {testsupport::ReadBytes(Bin(1)), testsupport::ReadBytes(Bin(2)), testsupport::ReadBytes(Bin(3))};
  }

  static uint32_t U32(const QByteArray &b, int at)
  {
    return uint32_t(uint8_t(b[at])) | uint32_t(uint8_t(b[at + 1])) << 8 |
           uint32_t(uint8_t(b[at + 2])) << 16 | uint32_t(uint8_t(b[at + 3])) << 24;
  }
  static std::vector<int> Bytes(const QByteArray &b, int at, int count)
  {
    std::vector<int> v;
    for (int i = 0; i < count; ++i)
      v.push_back(uint8_t(b[at + i]));
    return v;
  }

  QTemporaryDir FDir;
  TXMLDocument XML1;
  std::unique_ptr<TBankBuilder> Builder;
};
