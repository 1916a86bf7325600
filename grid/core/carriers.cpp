#include "grid/core/carriers.h"

#include <array>

#include "framework/controls/controls.h"
#include "framework/graphics/graphics.h"
#include "framework/stdctrls/stdctrls.h"
#include "grid/core/cell_graphic.h"
#include "grid/foundation/base_grid.h"
#include "grid/core/persist_names.h"
#include "grid/foundation/cell_properties.h"
#include "grid/foundation/grid_helpers.h"

namespace {

// Value names of the enumerations that travel here without a name table of their own.
constexpr std::array kAlignmentNames{"taLeftJustify", "taRightJustify", "taCenter"};
static_assert(kAlignmentNames.size() == std::size_t(taCenter) + 1);
constexpr std::array kBrushStyleNames{"bsSolid",     "bsClear",     "bsHorizontal", "bsVertical",
                                      "bsFDiagonal", "bsBDiagonal", "bsCross",      "bsDiagCross"};
static_assert(kBrushStyleNames.size() == std::size_t(bsDiagCross) + 1);
constexpr const auto &kFontStyleNames = TEnumNames<TFontStyle>::Names;
constexpr std::array kCellHAlignNames{"haLeft", "haRight", "haCenter", "haBeforeText", "haAfterText", "haFull"};
static_assert(kCellHAlignNames.size() == std::size_t(haFull) + 1);
constexpr std::array kCellVAlignNames{"vaTop", "vaBottom", "vaCenter", "vaUnderText", "vaAboveText", "vaFull"};
static_assert(kCellVAlignNames.size() == std::size_t(vaFull) + 1);
constexpr std::array kCheckBoxStateNames{"cbUnchecked", "cbChecked", "cbGrayed"};
static_assert(kCheckBoxStateNames.size() == std::size_t(cbGrayed) + 1);

[[noreturn]] void InvalidValue() { throw EReadError(QStringLiteral("Invalid property value")); }

int64_t IntOf(const TRecordValue &v)
{
  if (v.Kind != TRecordValue::TKind::Integer)
    InvalidValue();
  return v.Int;
}

bool BoolOf(const TRecordValue &v)
{
  if (v.Kind != TRecordValue::TKind::Boolean)
    InvalidValue();
  return v.Bool;
}

const QString &TextOf(const TRecordValue &v)
{
  if (v.Kind != TRecordValue::TKind::Text)
    InvalidValue();
  return v.Text;
}

template <typename Names>
int OrdinalOf(const Names &names, const TRecordValue &v)
{
  if (v.Kind == TRecordValue::TKind::Ident)
    for (std::size_t i = 0; i < names.size(); ++i)
      if (v.Text.compare(QLatin1String(names[i]), Qt::CaseInsensitive) == 0)
        return int(i);
  InvalidValue();
}

using Opt = std::optional<TRecordValue>;

TCarrierField IntField(const QString &Name, std::function<int64_t()> Get, std::function<void(int64_t)> Set)
{
  return {Name, [Get] { return Opt(TRecordValue::Integer(Get())); },
          [Set](const TRecordValue &v) { Set(IntOf(v)); }};
}

TCarrierField BoolField(const QString &Name, std::function<bool()> Get, std::function<void(bool)> Set)
{
  return {Name, [Get] { return Opt(TRecordValue::Boolean(Get())); },
          [Set](const TRecordValue &v) { Set(BoolOf(v)); }};
}

// Left out of the record when empty.
TCarrierField TextField(const QString &Name, std::function<QString()> Get, std::function<void(const QString &)> Set)
{
  return {Name,
          [Get] {
            const QString s = Get();
            return s.isEmpty() ? Opt() : Opt(TRecordValue::String(s));
          },
          [Set](const TRecordValue &v) { Set(TextOf(v)); }};
}

// A named colour travels by its name, any other as a signed 32-bit number.
TCarrierField ColorField(const QString &Name, std::function<TColor()> Get, std::function<void(TColor)> Set)
{
  return {Name,
          [Get] {
            const TColor c = Get();
            const QString s = ColorToString(c);
            return s.startsWith(QLatin1Char('$')) ? Opt(TRecordValue::Integer(int32_t(c)))
                                                   : Opt(TRecordValue::Ident(s));
          },
          [Set](const TRecordValue &v) {
            TColor c = 0;
            if (v.Kind == TRecordValue::TKind::Ident) {
              if (!IdentToColor(v.Text, c))
                InvalidValue();
            } else {
              c = TColor(uint32_t(int32_t(IntOf(v))));
            }
            Set(c);
          }};
}

template <typename E, typename Names>
TCarrierField EnumField(const QString &Name, const Names &names, std::function<E()> Get, std::function<void(E)> Set)
{
  return {Name, [&names, Get] { return Opt(TRecordValue::Ident(QString::fromLatin1(names[std::size_t(Get())]))); },
          [&names, Set](const TRecordValue &v) { Set(E(OrdinalOf(names, v))); }};
}

// A component reference as "Owner.Name", looked up among the owners of the reading carrier.
TControl *FindControl(TComponent *From, const QString &Ref)
{
  const int dot = int(Ref.indexOf(QLatin1Char('.')));
  const QString ownerName = dot >= 0 ? Ref.left(dot) : QString();
  const QString name = dot >= 0 ? Ref.mid(dot + 1) : Ref;
  for (TComponent *c = From; c; c = c->Owner()) {
    if (dot < 0 || c->Name().compare(ownerName, Qt::CaseInsensitive) == 0)
      if (auto *ctl = dynamic_cast<TControl *>(c->FindComponent(name)))
        return ctl;
  }
  return nullptr;
}

// Bitmaps and JPEG images keep their data behind a 32-bit length; other kinds write theirs bare.
bool SizedData(const TGraphic *g)
{
  return dynamic_cast<const TBitmap *>(g) || dynamic_cast<const TJPEGImage *>(g);
}

QByteArray WithSize(const QByteArray &data)
{
  QByteArray out(4, '\0');
  const uint32_t n = uint32_t(data.size());
  for (int i = 0; i < 4; ++i)
    out[i] = char((n >> (8 * i)) & 0xFF);
  return out + data;
}

QByteArray WithoutSize(const QByteArray &data, int at)
{
  if (data.size() < at + 4)
    throw EReadError(QStringLiteral("Stream read error"));
  uint32_t n = 0;
  for (int i = 0; i < 4; ++i)
    n |= uint32_t(uint8_t(data[at + i])) << (8 * i);
  if (int64_t(n) > data.size() - at - 4)
    throw EReadError(QStringLiteral("Stream read error"));
  return data.mid(at + 4, int(n));
}

void LoadGraphic(TGraphic *g, const QByteArray &data)
{
  if (data.isEmpty()) {
    g->SetSize(0, 0);
    return;
  }
  if (!g->LoadFromData(data))
    throw EInvalidGraphic(QStringLiteral("%1 image is not valid").arg(g->ClassName().mid(1)));
}

// A graphic's file, left out when the graphic is empty.
TCarrierField GraphicDataField(const QString &Name, TGraphic *g)
{
  return {Name,
          [g]() -> std::optional<TRecordValue> {
            if (g->Empty())
              return std::nullopt;
            return TRecordValue::Binary(SizedData(g) ? WithSize(g->SaveToData()) : g->SaveToData());
          },
          [g](const TRecordValue &v) {
            if (v.Kind != TRecordValue::TKind::Binary)
              InvalidValue();
            LoadGraphic(g, SizedData(g) ? WithoutSize(v.Data, 0) : v.Data);
          }};
}

} // namespace

// ---------------------------------------------------------------------------------------------

void TGridCarrier::WriteRecord(TStream *Stream)
{
  TComponentRecord rec;
  rec.ClassName = ClassName();
  for (const TCarrierField &f : Fields())
    if (std::optional<TRecordValue> v = f.Get())
      rec.Properties.emplace_back(f.Name, std::move(*v));
  WriteComponentRecord(Stream, rec);
}

void TGridCarrier::ReadRecord(TStream *Stream) { ApplyRecord(ReadComponentRecord(Stream)); }

void TGridCarrier::ApplyRecord(const TComponentRecord &Rec)
{
  const std::vector<TCarrierField> fields = Fields();
  for (const auto &[name, value] : Rec.Properties) {
    auto it = std::find_if(fields.begin(), fields.end(), [&](const TCarrierField &f) {
      return f.Name.compare(name, Qt::CaseInsensitive) == 0;
    });
    if (it == fields.end())
      throw EReadError(QStringLiteral("Property %1 does not exist").arg(name));
    it->Set(value);
  }
}

// ---------------------------------------------------------------------------------------------

std::vector<TCarrierField> TGridPropIO::Fields()
{
  return {
      IntField(QStringLiteral("ColCount"), [this] { return FColCount; }, [this](int64_t v) { FColCount = int(v); }),
      IntField(QStringLiteral("RowCount"), [this] { return FRowCount; }, [this](int64_t v) { FRowCount = int(v); }),
      TextField(QStringLiteral("ColWidths"), [this] { return FColWidths; },
                [this](const QString &v) { FColWidths = v; }),
      TextField(QStringLiteral("RowHeights"), [this] { return FRowHeights; },
                [this](const QString &v) { FRowHeights = v; }),
      BoolField(QStringLiteral("FullGrid"), [this] { return FFullGrid; }, [this](bool v) { FFullGrid = v; }),
      IntField(QStringLiteral("ID"), [this] { return FID; }, [this](int64_t v) { FID = int(v); }),
  };
}

std::vector<TCarrierField> TGridCellIO::Fields()
{
  return {
      IntField(QStringLiteral("Col"), [this] { return FCol; }, [this](int64_t v) { FCol = int(v); }),
      IntField(QStringLiteral("Row"), [this] { return FRow; }, [this](int64_t v) { FRow = int(v); }),
      TextField(QStringLiteral("Cell"), [this] { return FCell; }, [this](const QString &v) { FCell = v; }),
      BoolField(QStringLiteral("HasProp"), [this] { return FHasProp; }, [this](bool v) { FHasProp = v; }),
  };
}

// ---------------------------------------------------------------------------------------------

TGridCellPropIO::TGridCellPropIO(TBaseGrid *AOwner)
    : TGridCarrier(AOwner), FCellProperties(std::make_unique<TCellProperties>(AOwner, 0, 0))
{
}

TGridCellPropIO::~TGridCellPropIO() = default;

std::vector<TCarrierField> TGridCellPropIO::Fields()
{
  TCellProperties *p = FCellProperties.get();
  auto n = [](const char *s) { return QStringLiteral("CellProperties.") + QLatin1String(s); };
  return {
      BoolField(n("IsBaseCell"), [p] { return p->IsBaseCell(); }, [p](bool v) { p->SetIsBaseCell(v); }),
      IntField(n("CellSpanX"), [p] { return p->CellSpanX(); }, [p](int64_t v) { p->SetCellSpanX(int(v)); }),
      IntField(n("CellSpanY"), [p] { return p->CellSpanY(); }, [p](int64_t v) { p->SetCellSpanY(int(v)); }),
      EnumField<TAlignment>(n("Alignment"), kAlignmentNames, [p] { return p->Alignment(); },
                            [p](TAlignment v) { p->SetAlignment(v); }),
      ColorField(n("BorderColor"), [p] { return p->BorderColor(); }, [p](TColor v) { p->SetBorderColor(v); }),
      IntField(n("BorderWidth"), [p] { return p->BorderWidth(); }, [p](int64_t v) { p->SetBorderWidth(int(v)); }),
      ColorField(n("BrushColor"), [p] { return p->BrushColor(); }, [p](TColor v) { p->SetBrushColor(v); }),
      ColorField(n("BrushColorTo"), [p] { return p->BrushColorTo(); }, [p](TColor v) { p->SetBrushColorTo(v); }),
      EnumField<TBrushStyle>(n("BrushStyle"), kBrushStyleNames, [p] { return p->BrushStyle(); },
                             [p](TBrushStyle v) { p->SetBrushStyle(v); }),
      IntField(n("CellObject"), [p] { return int64_t(p->CellObject()); },
               [p](int64_t v) { p->SetCellObject(uintptr_t(v)); }),
      ColorField(n("FontColor"), [p] { return p->FontColor(); }, [p](TColor v) { p->SetFontColor(v); }),
      TextField(n("FontName"), [p] { return p->FontName(); }, [p](const QString &v) { p->SetFontName(v); }),
      IntField(n("FontSize"), [p] { return p->FontSize(); }, [p](int64_t v) { p->SetFontSize(int(v)); }),
      {n("FontStyle"),
       [p]() -> std::optional<TRecordValue> {
         QStringList members;
         for (std::size_t i = 0; i < kFontStyleNames.size(); ++i)
           if (p->FontStyle().Contains(TFontStyle(i)))
             members << QString::fromLatin1(kFontStyleNames[i]);
         return TRecordValue::Set(members);
       },
       [p](const TRecordValue &v) {
         if (v.Kind != TRecordValue::TKind::Set)
           InvalidValue();
         TFontStyles s;
         for (const QString &m : v.Names)
           s += TFontStyle(OrdinalOf(kFontStyleNames, TRecordValue::Ident(m)));
         p->SetFontStyle(s);
       }},
      EnumField<TEditorType>(n("Editor"), TEnumNames<TEditorType>::Names, [p] { return p->Editor(); },
                             [p](TEditorType v) { p->SetEditor(v); }),
      EnumField<TCellGradientDirection>(n("GradientDirection"), TEnumNames<TCellGradientDirection>::Names,
                                        [p] { return p->GradientDirection(); },
                                        [p](TCellGradientDirection v) { p->SetGradientDirection(v); }),
      BoolField(n("ReadOnly"), [p] { return p->ReadOnly(); }, [p](bool v) { p->SetReadOnly(v); }),
      EnumField<TVAlignment>(n("VAlignment"), TEnumNames<TVAlignment>::Names, [p] { return p->VAlignment(); },
                             [p](TVAlignment v) { p->SetVAlignment(v); }),
      BoolField(n("WordWrap"), [p] { return p->WordWrap(); }, [p](bool v) { p->SetWordWrap(v); }),
      IntField(n("NodeLevel"), [p] { return p->NodeLevel(); }, [p](int64_t v) { p->SetNodeLevel(int(v)); }),
      {n("Control"),
       [p]() -> std::optional<TRecordValue> {
         TControl *c = p->Control();
         if (!c || c->Name().isEmpty())
           return std::nullopt;
         return TRecordValue::Ident(c->Owner() ? c->Owner()->Name() + QLatin1Char('.') + c->Name() : c->Name());
       },
       [this, p](const TRecordValue &v) {
         if (v.Kind != TRecordValue::TKind::Ident)
           InvalidValue();
         p->SetControl(FindControl(this, v.Text));
       }},
      BoolField(QStringLiteral("HasGraphic"), [this] { return FHasGraphic; }, [this](bool v) { FHasGraphic = v; }),
  };
}

// ---------------------------------------------------------------------------------------------

std::vector<TCarrierField> TGridGraphicIO::Fields()
{
  TCellGraphic *g = FObject.get();
  auto n = [](const char *s) { return QStringLiteral("CellGraphic.") + QLatin1String(s); };
  return {
      EnumField<TCellType>(n("CellType"), TEnumNames<TCellType>::Names, [g] { return g->CellType(); },
                           [g](TCellType v) { g->SetCellType(v); }),
      EnumField<TCellVAlign>(n("CellVAlign"), kCellVAlignNames, [g] { return g->CellVAlign(); },
                             [g](TCellVAlign v) { g->SetCellVAlign(v); }),
      EnumField<TCellHAlign>(n("CellHAlign"), kCellHAlignNames, [g] { return g->CellHAlign(); },
                             [g](TCellHAlign v) { g->SetCellHAlign(v); }),
      IntField(n("CellIndex"), [g] { return g->CellIndex(); }, [g](int64_t v) { g->SetCellIndex(int(v)); }),
      BoolField(n("CellTransparent"), [g] { return g->CellTransparent(); },
                [g](bool v) { g->SetCellTransparent(v); }),
      BoolField(n("CellCreated"), [g] { return g->CellCreated(); }, [g](bool v) { g->SetCellCreated(v); }),
      BoolField(n("CellBoolean"), [g] { return g->CellBoolean(); }, [g](bool v) { g->SetCellBoolean(v); }),
      EnumField<TCheckBoxState>(n("CellCheckBoxState"), kCheckBoxStateNames, [g] { return g->CellCheckBoxState(); },
                                [g](TCheckBoxState v) { g->SetCellCheckBoxState(v); }),
      IntField(n("CellAngle"), [g] { return g->CellAngle(); }, [g](int64_t v) { g->SetCellAngle(int(v)); }),
      {n("CellValue"),
       [g]() -> std::optional<TRecordValue> {
         if (g->CellValue() == 0)
           return std::nullopt;
         return TRecordValue::Extended(g->CellValue());
       },
       [g](const TRecordValue &v) {
         if (v.Kind == TRecordValue::TKind::Float)
           g->SetCellValue(v.Float);
         else
           g->SetCellValue(double(IntOf(v)));
       }},
      IntField(n("CellErrFrom"), [g] { return g->CellErrFrom(); }, [g](int64_t v) { g->SetCellErrFrom(int(v)); }),
      IntField(n("CellErrLen"), [g] { return g->CellErrLen(); }, [g](int64_t v) { g->SetCellErrLen(int(v)); }),
      TextField(n("CellText"), [g] { return g->CellText(); }, [g](const QString &v) { g->SetCellText(v); }),
  };
}

// ---------------------------------------------------------------------------------------------
// Payload carriers

std::vector<TCarrierField> TGridBMPIO::Fields() { return {GraphicDataField(QStringLiteral("Bitmap.Data"), FObject.get())}; }

std::vector<TCarrierField> TGridIconIO::Fields() { return {GraphicDataField(QStringLiteral("Icon.Data"), FObject.get())}; }

// The graphic's class name, then its own data.
std::vector<TCarrierField> TGridPicIO::Fields()
{
  TPicture *pic = FObject.get();
  return {{QStringLiteral("Picture.Data"),
           [pic]() -> std::optional<TRecordValue> {
             const TGraphic *g = pic->Graphic();
             if (!g)
               return std::nullopt;
             const QByteArray cls = g->ClassName().toUtf8();
             const QByteArray data = g->Empty() ? QByteArray() : g->SaveToData();
             return TRecordValue::Binary(char(cls.size()) + cls + (SizedData(g) ? WithSize(data) : data));
           },
           [pic](const TRecordValue &v) {
             if (v.Kind != TRecordValue::TKind::Binary || v.Data.isEmpty())
               InvalidValue();
             const int n = uint8_t(v.Data[0]);
             if (v.Data.size() < 1 + n)
               throw EReadError(QStringLiteral("Stream read error"));
             const QString cls = QString::fromUtf8(v.Data.mid(1, n));
             std::unique_ptr<TGraphic> g = TPicture::CreateGraphic(cls);
             if (!g)
               throw EInvalidGraphic(QStringLiteral("Unknown picture kind %1").arg(cls));
             LoadGraphic(g.get(), SizedData(g.get()) ? WithoutSize(v.Data, 1 + n) : v.Data.mid(1 + n));
             pic->SetGraphic(g.get());
           }}};
}

std::vector<TCarrierField> TGridFilePicIO::Fields()
{
  TFilePicture *pic = FObject.get();
  return {TextField(QStringLiteral("Picture.Filename"), [pic] { return pic->Filename(); },
                    [pic](const QString &v) { pic->SetFilename(v); })};
}


std::vector<TCarrierField> TGridSLIO::Fields()
{
  TStringList *sl = FObject.get();
  return {{QStringLiteral("Strings.Strings"),
           [sl]() -> std::optional<TRecordValue> {
             if (sl->Count() == 0)
               return std::nullopt;
             QStringList items;
             for (int i = 0; i < sl->Count(); ++i)
               items << sl->Strings(i);
             return TRecordValue::StringList(items);
           },
           [sl](const TRecordValue &v) {
             if (v.Kind != TRecordValue::TKind::List)
               InvalidValue();
             sl->Clear();
             for (const TRecordValue &item : v.Items)
               sl->Add(TextOf(item));
           }}};
}
