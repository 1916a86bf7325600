#pragma once
// The gateway's three configuration banks, built from the project's XML files:
//   bank 1  the 2048-byte general parameter block closed by a byte-sum checksum,
//   bank 2  the S7 access table, 1024 entries of 28 bytes,
//   bank 3  the MQTT client configuration as a packed image whose references are device
//           addresses based at the bank's load address.
// Every number is little-endian; the gateway loads the bytes as they are.
#include "framework/system/sysutils.h"

#include <QString>

#include <array>
#include <cstdint>
#include <vector>

class TXMLDocument;

// Raised when a project's tables do not fit the gateway's banks.
QM_DECLARE_EXCEPTION(EBankError, Exception)

using TBankBuffer = std::vector<uint8_t>;

constexpr int Bank_Buffer_Size = 131072;      // each output buffer
constexpr int Bank3_Last_Position = 0x1FFFF;  // last usable byte of bank 3's buffer
constexpr uint32_t Bank1_Load_Address = 0x07000;
constexpr uint32_t Bank2_Load_Address = 0x80000;
constexpr uint32_t Bank3_Load_Address = 0xA0000;

// ---------------------------------------------------------------------------------------------
// Bank 1: general parameter block

constexpr int General_Parameters_Size = 2048;

// Offsets of the fields this configuration fills; everything else is fixed or 0.
namespace GP {
constexpr int S7_IP_Address = 0x028;
constexpr int S7_Subnet_Mask = 0x02C;
constexpr int S7_Gateway = 0x030;
constexpr int Ethernet_IP_Address = 0x184;
constexpr int Ethernet_Subnet_Mask = 0x188;
constexpr int Ethernet_Gateway = 0x18C;
constexpr int DNS_Server = 0x58C;
constexpr int Bank3_Address = 0x590;
constexpr int Bank2_Address = 0x654;
constexpr int S7_Entry_Count = 0x658;
constexpr int Checksum = 0x7FC;
}  // namespace GP

// ---------------------------------------------------------------------------------------------
// Bank 2: S7 access table

constexpr int S7_Table_Size = 1024;
constexpr int S7_Entry_Size = 28;

struct TS7_Access_Entry {
  uint32_t PLC_Address = 0;  // o1.o2.o3.o4 as o1*2^24 + ... + o4
  uint32_t PollTime = 0;
  uint16_t PLC_Add = 0;
  uint16_t DB_Number = 0;
  uint16_t PLC_Port = 0;
  uint16_t Position = 0;
  uint8_t Bit = 0;
  uint8_t PLC_Type = 0;
  uint8_t Data_Type = 0;
  uint8_t Data_Identifier = 0;
  uint8_t Flags = 0;  // bit 0 OnChange, 2 Swap, 3 SwapWord, 4 OnCMD, 5 write entry
  uint8_t PLC_Bit = 0;
  uint8_t PLC_Area = 0;
  uint8_t Rack_Slot = 0;  // Rack * 32 + Slot
};

uint8_t S7_PLC_Type_Code(const QString &Text);
uint8_t S7_Data_Type_Code(const QString &Text);
uint8_t S7_Block_Code(const QString &Text);
uint8_t S7_Area_Code(const QString &Text);

// ---------------------------------------------------------------------------------------------
// Bank 3: MQTT configuration image

constexpr int MQTT_Header_Size = 212;  // the shared empty text follows at this offset
constexpr int MQTT_Empty_Text = 212;
constexpr int MQTT_String_Size = 12;
constexpr int MQTT_Subscribe_Record_Size = 27;
constexpr int MQTT_Publish_Record_Size = 49;

// A text with its place in the image: Address is an offset (0 for an empty text), Len the
// UTF-8 byte count without the terminator.
struct TMQTTString {
  QString CString;
  uint32_t Address = 0;
  int32_t Len = 0;
};

struct TMQTTPacket_WillOption {
  std::array<char, 4> Struct_ID{};
  int32_t Struct_Version = 0;
  TMQTTString TopicName;
  TMQTTString WillMessage;
  uint8_t Retained = 0;
  uint8_t QoS = 0;
};

struct TMQTTPacket_ConnectData {
  std::array<char, 4> Struct_ID{};
  int32_t Struct_Version = 0;
  uint8_t MQTTVersion = 0;
  TMQTTString ClientID;
  uint16_t KeepAliveInterval = 0;
  uint8_t CleanSession = 0;
  uint8_t WillFlag = 0;
  TMQTTPacket_WillOption Will;
  TMQTTString Username;
  TMQTTString Password;
};

struct TMQTTPacket_OnConnectOptions {
  TMQTTString topicName;
  TMQTTString conn_message;
  uint8_t reteined = 0;
  uint8_t qos = 0;
};

struct TMQTT_Subscribe_Data {
  uint32_t Position = 0;
  uint32_t Length = 0;
  uint32_t Type_SubData = 0;
  QString Input_Template;
  uint32_t Input_Template_Add = 0;
  QString Output_Template;
  uint32_t Output_Template_Add = 0;
  uint32_t IP_Address = 0;
  uint16_t Port = 0;
  uint8_t Proto = 0;
};

struct TMQTT_Publish_Data {
  QString Description;
  uint32_t Desc_Add = 0;
  TMQTTString Publish_Topic;
  uint8_t Retained = 0;
  int32_t QoS = 0;
  QString Input_Template;
  uint32_t Input_Template_Add = 0;
  QString Output_Template;
  uint32_t Output_Template_Add = 0;
  uint32_t Source_IP_Address = 0;
  uint32_t Position = 0;
  uint16_t Length = 0;
  uint16_t Type_Data = 0;
  uint32_t Timer = 0;
  uint32_t Options = 0;  // bit 0 OnChange, bit 2 OnTimer
};

struct TMQTT {
  uint32_t Mode = 0;
  uint32_t Time_Poll = 0;
  QString Server_Address;
  uint32_t Server_Address_Add = 0;
  uint16_t Server_Port = 0;
  TMQTTPacket_ConnectData Connect_Data;
  int32_t Topic_Filter_Count = 0;
  std::vector<TMQTTString> Topic_Filters;
  uint32_t Topic_Filters_Add = 0;
  std::vector<int32_t> Topic_Filter_QoS;
  uint32_t Topic_Filter_QoS_Add = 0;
  std::vector<TMQTT_Subscribe_Data> Subscribe_Data;
  uint32_t Subscribe_Data_Add = 0;
  int32_t Publish_Topic_Count = 0;
  std::vector<TMQTT_Publish_Data> Publish_Data;
  uint32_t Publish_Data_Add = 0;
  uint32_t TLS_Flag = 0;
  uint32_t TLS_Server_Authentication = 0;
  QString TLS_Server_Cert;
  uint32_t TLS_Server_Cert_Len = 0;
  uint32_t TLS_Server_Cert_Add = 0;
  uint32_t TLS_Client_Authentication = 0;
  QString TLS_Client_Cert;
  uint32_t TLS_Client_Cert_Len = 0;
  uint32_t TLS_Client_Cert_Add = 0;
  QString TLS_Client_Key;
  uint32_t TLS_Client_Key_Len = 0;
  uint32_t TLS_Client_Key_Add = 0;
  uint32_t TLS_Client_Key_Password = 0;
  QString TLS_Client_Key_Pass;
  uint32_t TLS_Client_Key_Add_Pass = 0;
  QString NTP_Server_Address;
  uint32_t NTP_Server_Address_Add = 0;
  uint32_t NTP_Server_Poll = 0;
  uint8_t onconnectFlag = 0;
  TMQTTPacket_OnConnectOptions onconnect;
  TMQTTString topic_answer_dali;
};

// The text without any carriage return or line feed.
QString Remove_CR_LF(const QString &Text);
// The number of bytes QString::toUtf8 gives for Text, counted without converting.
int Utf8_Length(const QString &Text);
// "STRING" 0, "INT" 1, "FLOAT" 2, "BASE64" 3 after trimming and upper-casing; 0 otherwise.
uint32_t MQTT_Data_Type_Code(const QString &Text);
// Writes the text's UTF-8 bytes and a 0 at Position and answers the position after them; an
// empty text writes nothing. Raises EBankError instead of writing past the buffer.
int Put_Bank_String(const QString &Text, int Position, TBankBuffer &Buffer);
// Writes the 12-byte MQTT string (address, length, address; 0, 0, 0 when empty).
int Put_MQTT_String(const TMQTTString &S, uint32_t Base, int Position, TBankBuffer &Buffer);

// ---------------------------------------------------------------------------------------------
// The builder

class TBankBuilder {
public:
  TBankBuilder();

  // The document through which every project file is read: the main window's XML1, lent
  // to the builder (not owned). Each load replaces its content.
  TXMLDocument *XML1 = nullptr;

  std::array<uint8_t, General_Parameters_Size> General_Parameters{};
  std::array<TS7_Access_Entry, S7_Table_Size> S7_Access_Table{};
  TMQTT MQTT_Config;

  TBankBuffer Bank_Buffer_1, Bank_Buffer_2, Bank_Buffer_3;
  int Bank_Length_1 = 0;
  int Bank_Length_2 = 0;
  int Bank_Length_3 = 0;

  // Bank 1
  void Init_General_Parameters();
  // Reads "ParGen.xml" into the general block and the connection part of MQTT_Config.
  void Load_ParGen_Config();
  int Build_Bank1(int Position, TBankBuffer &Buffer);

  // Bank 2
  void Clear_S7_Table();
  // Fills the table from "S7_Protocol.xml" and answers the number of entries.
  int Load_S7_Table();
  int Build_Bank2(int Position, TBankBuffer &Buffer);

  // Bank 3
  void Reset_MQTT_Config();
  // Reads the topic tables of "MQTT_Set_Topic.xml", then assigns every offset of the image.
  void Load_MQTT_Topics();
  int Build_Bank3(uint32_t Base, int Position, TBankBuffer &Buffer, int Last_Position);
  // Size of the image as the last address pass laid it out.
  int MQTT_Image_Size() const { return FMQTT_Image_Size; }

  // Builds all three banks into the buffers. An exception leaves the buffers marked as not
  // built, so that Write_Bank_Files writes nothing.
  void Compile_Banks();
  // Writes "bank1.bin" to "bank3.bin" into the project's "bin" folder (created when missing),
  // each file atomically. Answers false when the banks were not built or a file could not be
  // written; Error_Message then names every failure, one line each.
  bool Write_Bank_Files(QString *Error_Message = nullptr);

  void Create_Bin() { Compile_Banks(); }
  bool Save_Bin(QString *Error_Message = nullptr) { return Write_Bank_Files(Error_Message); }

  bool Banks_Built() const { return FBanks_Built; }

private:
  void Assign_MQTT_Addresses();
  void Require_XML() const;

  int FMQTT_Image_Size = MQTT_Header_Size + 1;
  bool FBanks_Built = false;
};

// The builder of the program; the main window sets its XML1.
TBankBuilder &BankBuilder();
// Tests: a fresh builder (XML1 cleared).
void ResetBankBuilder();
