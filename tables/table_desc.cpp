#include "tables/table_desc.h"

#include "framework/system/sysutils.h"

std::vector<TColumnDesc> Twin_Columns(const std::vector<TColumnDesc> &Base, std::span<const TColumnDiff> Diffs,
                                      std::span<const TColumnDesc> Added)
{
  std::vector<TColumnDesc> Columns = Base;
  std::vector<bool> Absent(Base.size(), false);
  for (size_t I = 0; I < Base.size(); ++I)
    if (Base[I].Col != int(I))
      throw Exception(QStringLiteral("The base description lists column %1 at place %2.").arg(Base[I].Col).arg(I));
  for (const TColumnDiff &D : Diffs) {
    if (D.Col < 0 || D.Col >= int(Base.size()))
      throw Exception(QStringLiteral("A twin grid changes column %1, which the base description does not have.")
                          .arg(D.Col));
    TColumnDesc &C = Columns[size_t(D.Col)];
    Absent[size_t(D.Col)] = D.Absent;
    if (D.Header_Text)
      C.Header_Text = *D.Header_Text;
    if (D.Hint_Text)
      C.Hint_Text = *D.Hint_Text;
    if (D.Width)
      C.Width = *D.Width;
    if (D.Hidden)
      C.Hidden = *D.Hidden;
    if (D.Attribute)
      C.Attribute = *D.Attribute;
    if (D.Load)
      C.Load = *D.Load;
    if (D.Default)
      C.Default = *D.Default;
    if (D.Reset_Text)
      C.Reset_Text = *D.Reset_Text;
    if (D.Editor)
      C.Editor = *D.Editor;
    if (D.Items)
      C.Items = *D.Items;
    if (D.Color)
      C.Color = *D.Color;
    if (D.Alignment)
      C.Alignment = *D.Alignment;
    if (D.Edit_Length)
      C.Edit_Length = *D.Edit_Length;
    if (D.Max_Size)
      C.Max_Size = *D.Max_Size;
  }
  std::vector<TColumnDesc> Twin;
  Twin.reserve(Columns.size() + Added.size());
  for (size_t I = 0; I < Columns.size(); ++I)
    if (!Absent[I])
      Twin.push_back(std::move(Columns[I]));
  for (const TColumnDesc &A : Added) {
    if (A.Col < 0 || A.Col > int(Twin.size()))
      throw Exception(QStringLiteral("A twin grid adds column %1 past its last column %2.").arg(A.Col).arg(Twin.size()));
    Twin.insert(Twin.begin() + A.Col, A);
  }
  for (size_t I = 0; I < Twin.size(); ++I)
    Twin[I].Col = int(I);
  return Twin;
}
