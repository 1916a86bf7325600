#pragma once
// The CAN transmit frames: the frames the gateway sends on the CAN bus, when it sends them, and
// the positions of its internal data array that feed their data bytes, saved to
// "CAN_Send_Frames.xml" and read by this form alone. The twin of the receive form.
#include "tables/freceivecan.h"

// Real columns of the transmit grid.
namespace cantxcols {
enum { cN, cEnable, cCobID, cType, cDimension, cOnChange, cOnCMD, cOnTimer, cTime, cByte1,
       cMnemonic = cByte1 + 8, cCount };
}  // namespace cantxcols

namespace cancheck {
// The Time a loaded row without a Time attribute gets: "0" when its OnTimer cell is exactly "Y",
// blank otherwise.
QString Missing_Time(const QString &OnTimer);
// True when the row is sent on its timer, so that its Time is checked.
bool On_Timer(const QString &OnTimer);
}  // namespace cancheck

class TFTransmitCAN : public TTableForm {
public:
  explicit TFTransmitCAN(TComponent *AOwner);

  // After the load the grid takes the focus.
  void Show_Done() override;

  int MAX_Byte() const { return Data_Size(0); }
  TStringList *Hint_TransmitCAN() const { return Hint_List(0); }

  TZavColumnGrid *ACG_CAN_Transmit = nullptr;

private:
  static TTableFormDesc Description(TFTransmitCAN *Form);
};
