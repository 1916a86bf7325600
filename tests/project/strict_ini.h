#pragma once
// A strict reader of the EDS files the side-file writer makes: sections in order with their
// keys, every duplicate section or key and every line that is neither reported as a problem,
// and the object lists checked against the sections they name.
#include <QMap>
#include <QStringList>

namespace sidetest {

struct TIni {
  QStringList Order;
  QMap<QString, QMap<QString, QString>> Sections;
  QStringList Problems;

  explicit TIni(const QStringList &Lines)
  {
    QString Current;
    for (const QString &L : Lines) {
      if (L.isEmpty()) continue;
      if (L.startsWith('[') && L.endsWith(']')) {
        Current = L.mid(1, L.size() - 2);
        if (Sections.contains(Current)) Problems << "duplicate section " + Current;
        Sections[Current];
        Order << Current;
      } else if (L.contains('=') && !Current.isEmpty()) {
        const QString Key = L.section('=', 0, 0);
        if (Sections[Current].contains(Key)) Problems << "duplicate key " + Current + "/" + Key;
        Sections[Current][Key] = L.section('=', 1);
      } else {
        Problems << "stray line " + L;
      }
    }
  }

  QString Value(const QString &Section, const QString &Key) const
  {
    return Sections.value(Section).value(Key, "<missing>");
  }

  // Every object of the three object lists has its section, the lists' counts match their
  // entries, and every object with SubNumber has exactly that many sub-sections.
  QStringList Check_Objects() const
  {
    QStringList P = Problems;
    for (const char *List : {"MandatoryObjects", "OptionalObjects", "ManufacturerObjects"}) {
      const QMap<QString, QString> &S = Sections.value(List);
      const int Count = S.value("SupportedObjects").toInt();
      if (S.size() != Count + 1) P << QString(List) + ": count does not match its entries";
      for (int N = 1; N <= Count; ++N) {
        const QString V = S.value(QString::number(N));
        if (!V.startsWith("0x") || V.size() != 6) { P << QString(List) + ": bad entry " + V; continue; }
        const QString Object = V.mid(2);
        if (!Sections.contains(Object)) P << "no section for " + Object;
        const QString Sub_Number = Sections.value(Object).value("SubNumber");
        if (!Sub_Number.isEmpty()) {
          int Subs = 0;
          for (const QString &Name : Order)
            if (Name.startsWith(Object + "sub")) ++Subs;
          if (Subs != Sub_Number.toInt())
            P << Object + ": SubNumber " + Sub_Number + " but " + QString::number(Subs) + " sub-sections";
        }
      }
    }
    return P;
  }
};

}  // namespace sidetest
