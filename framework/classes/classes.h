#pragma once
// TObject, TPersistent, TComponent, lists, string lists and streams.
#include <QByteArray>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "framework/system/sysutils.h"
#include "framework/system/types.h"

class TObject {
public:
  TObject() = default;
  virtual ~TObject();
  TObject(const TObject &) = delete;
  TObject &operator=(const TObject &) = delete;
  // The C++ class name ("TStringList").
  QString ClassName() const;
};

using TNotifyEvent = std::function<void(TObject *Sender)>;

// Deletes the object and clears the pointer first, as the original FreeAndNil.
template <typename T>
void FreeAndNil(T *&Obj)
{
  T *temp = Obj;
  Obj = nullptr;
  delete temp;
}

// Text encodings of files and streams. Default is the "ANSI code page" (Windows-1252).
enum class TEncoding { Default, ANSI, ASCII, UTF8, Unicode, BigEndianUnicode };

QByteArray EncodeText(const QString &s, TEncoding enc);
QString DecodeText(const QByteArray &bytes, TEncoding enc);
// The byte-order mark the original writes for the encoding (none for ANSI and ASCII).
QByteArray EncodingPreamble(TEncoding enc);
// Decodes by byte-order mark (UTF-8, UTF-16 LE/BE); without one, as ANSI.
QString DecodeTextDetect(const QByteArray &bytes, TEncoding *detected = nullptr);

// ---------------------------------------------------------------------------------------------

class TPersistent : public TObject {
public:
  // Copies from Source; the default asks Source->AssignTo(this) and raises EConvertError
  // "Cannot assign a <Source> to a <this>" when neither side knows the other.
  virtual void Assign(TPersistent *Source);
  // The object that owns this one in the persistence sense; nullptr by default.
  virtual TPersistent *GetOwner() { return nullptr; }

protected:
  virtual void AssignTo(TPersistent *Dest);
  [[noreturn]] void AssignError(TPersistent *Source);
};

// A persistent object handed around by interface in the original; here a plain base class whose
// lifetime the holder manages.
class TInterfacedPersistent : public TPersistent {};
// Base of the objects the original handed out as reference-counted interfaces; here a plain
// base class: whoever creates one decides who deletes it (typically std::shared_ptr).
class TInterfacedObject : public TObject {};

// ---------------------------------------------------------------------------------------------

enum class TComponentStateItem {
  csLoading, csReading, csWriting, csDestroying, csDesigning, csAncestor, csUpdating, csFixups,
  csFreeNotification, csInline, csDesignInstance
};
using TComponentState = TSet<TComponentStateItem>;
constexpr TComponentStateItem csLoading = TComponentStateItem::csLoading;
constexpr TComponentStateItem csReading = TComponentStateItem::csReading;
constexpr TComponentStateItem csWriting = TComponentStateItem::csWriting;
constexpr TComponentStateItem csDestroying = TComponentStateItem::csDestroying;
constexpr TComponentStateItem csDesigning = TComponentStateItem::csDesigning;
constexpr TComponentStateItem csUpdating = TComponentStateItem::csUpdating;

enum class TOperation { opInsert, opRemove };
constexpr TOperation opInsert = TOperation::opInsert;
constexpr TOperation opRemove = TOperation::opRemove;

// A component created with an owner must live on the heap: the owner deletes it, newest first.
// Deleting a component removes it from its owner first. Because C++ destructors do not
// dispatch to overrides, a class that wants its own Notification to see the removal of its
// owned components calls DestroyComponents() from its own destructor.
class TComponent : public TPersistent {
public:
  explicit TComponent(TComponent *AOwner);
  ~TComponent() override;

  TComponent *Owner() const { return FOwner; }  // not owned
  const QString &Name() const { return FName; }
  virtual void SetName(const QString &NewName);
  int Tag() const { return FTag; }
  void SetTag(int v) { FTag = v; }
  int ComponentCount() const { return int(FComponents.size()); }
  TComponent *Components(int Index) const;
  int ComponentIndex() const;
  TComponentState ComponentState() const { return FComponentState; }
  // Case-insensitive search among the owned components; nullptr when none.
  TComponent *FindComponent(const QString &AName) const;

  void InsertComponent(TComponent *AComponent);
  void RemoveComponent(TComponent *AComponent);
  void DestroyComponents();
  // Marks this component and everything it owns as being destroyed.
  void Destroying();
  // AComponent's Notification(this, opRemove) is called when this component is deleted,
  // and this component's when AComponent is deleted.
  void FreeNotification(TComponent *AComponent);
  void RemoveFreeNotification(TComponent *AComponent);

  // Test and form-building seams for the design/loading states.
  void SetDesigning(bool Value, bool SetChildren = true);
  void BeginLoading();  // sets csLoading
  void EndLoading();    // clears csLoading and calls Loaded

protected:
  virtual void Notification(TComponent *AComponent, TOperation Operation);
  virtual void Loaded();
  virtual void ValidateRename(TComponent *AComponent, const QString &CurName, const QString &NewName);
  void IncludeState(TComponentStateItem s) { FComponentState += s; }
  void ExcludeState(TComponentStateItem s) { FComponentState -= s; }

private:
  void RemoveNotification(TComponent *AComponent);

  TComponent *FOwner = nullptr;
  QString FName;
  int FTag = 0;
  TComponentState FComponentState;
  std::vector<TComponent *> FComponents;
  std::vector<TComponent *> FFreeNotifies;
};

// ---------------------------------------------------------------------------------------------

using TListSortCompare = std::function<int(void *Item1, void *Item2)>;

// A list of untyped pointers it does not own. Index errors raise EListError
// "List index out of bounds (i)".
class TList : public TObject {
public:
  ~TList() override;
  int Count() const { return int(FItems.size()); }
  void SetCount(int NewCount);
  void *Items(int Index) const;
  void SetItems(int Index, void *Item);
  void *operator[](int Index) const { return Items(Index); }
  int Add(void *Item);
  void Insert(int Index, void *Item);
  void Delete(int Index);
  int Remove(void *Item);
  void *Extract(void *Item);
  int IndexOf(void *Item) const;
  void Clear();
  void Exchange(int Index1, int Index2);
  void Move(int CurIndex, int NewIndex);
  void *First() const;
  void *Last() const;
  void Pack();
  void Sort(const TListSortCompare &Compare);
  int Capacity() const { return int(FItems.capacity()); }
  void SetCapacity(int n) { FItems.reserve(size_t(n < 0 ? 0 : n)); }

protected:
  enum class TListNotification { lnAdded, lnExtracted, lnDeleted };
  virtual void Notify(void *Ptr, TListNotification Action) {}
  [[noreturn]] void Error(int Index) const;
  std::vector<void *> FItems;
};

// A list of objects that deletes them when OwnsObjects (the default).
class TObjectList : public TList {
public:
  explicit TObjectList(bool AOwnsObjects = true) : FOwnsObjects(AOwnsObjects) {}
  ~TObjectList() override;
  bool OwnsObjects() const { return FOwnsObjects; }
  void SetOwnsObjects(bool v) { FOwnsObjects = v; }
  TObject *Items(int Index) const { return static_cast<TObject *>(TList::Items(Index)); }
  TObject *operator[](int Index) const { return Items(Index); }
  int Add(TObject *o) { return TList::Add(o); }
  void Insert(int Index, TObject *o) { TList::Insert(Index, o); }
  int Remove(TObject *o) { return TList::Remove(o); }
  TObject *Extract(TObject *o) { return static_cast<TObject *>(TList::Extract(o)); }
  int IndexOf(TObject *o) const { return TList::IndexOf(o); }

protected:
  void Notify(void *Ptr, TListNotification Action) override;

private:
  bool FOwnsObjects;
};

// ---------------------------------------------------------------------------------------------
// Streams

enum TSeekOrigin { soBeginning = 0, soCurrent = 1, soEnd = 2 };

constexpr uint16_t fmCreate = 0xFF00;
constexpr uint16_t fmOpenRead = 0x0000;
constexpr uint16_t fmOpenWrite = 0x0001;
constexpr uint16_t fmOpenReadWrite = 0x0002;
constexpr uint16_t fmShareCompat = 0x0000;
constexpr uint16_t fmShareExclusive = 0x0010;
constexpr uint16_t fmShareDenyWrite = 0x0020;
constexpr uint16_t fmShareDenyRead = 0x0030;
constexpr uint16_t fmShareDenyNone = 0x0040;

class TStream : public TObject {
public:
  virtual int64_t Read(void *Buffer, int64_t Count) = 0;
  virtual int64_t Write(const void *Buffer, int64_t Count) = 0;
  virtual int64_t Seek(int64_t Offset, TSeekOrigin Origin) = 0;
  // EReadError "Stream read error" / EWriteError "Stream write error" when short.
  void ReadBuffer(void *Buffer, int64_t Count);
  void WriteBuffer(const void *Buffer, int64_t Count);
  void WriteBuffer(const QByteArray &bytes) { WriteBuffer(bytes.constData(), bytes.size()); }
  int64_t Position();
  void SetPosition(int64_t Pos) { Seek(Pos, soBeginning); }
  virtual int64_t Size();
  virtual void SetSize(int64_t NewSize);
  // Count 0 copies the whole Source from its start.
  int64_t CopyFrom(TStream *Source, int64_t Count);
  // The bytes from the position to the end.
  QByteArray ReadRemaining();
};

class TMemoryStream : public TStream {
public:
  int64_t Read(void *Buffer, int64_t Count) override;
  int64_t Write(const void *Buffer, int64_t Count) override;
  int64_t Seek(int64_t Offset, TSeekOrigin Origin) override;
  int64_t Size() override { return FData.size(); }
  void SetSize(int64_t NewSize) override;
  void Clear();
  char *Memory() { return FData.data(); }
  const QByteArray &Bytes() const { return FData; }
  void LoadFromStream(TStream *Stream);
  void SaveToStream(TStream *Stream);
  void LoadFromFile(const QString &FileName);  // EFOpenError
  void SaveToFile(const QString &FileName);    // atomic; EFCreateError

protected:
  QByteArray FData;
  int64_t FPosition = 0;
};

// Text held as bytes of the given encoding.
class TStringStream : public TMemoryStream {
public:
  explicit TStringStream(const QString &AString = QString(), TEncoding AEncoding = TEncoding::Default);
  QString DataString() const;
  void WriteString(const QString &s);
  QString ReadString(int64_t Count);
  TEncoding Encoding() const { return FEncoding; }

private:
  TEncoding FEncoding;
};

// A file opened with fmCreate or fmOpenRead/Write/ReadWrite (share modes are accepted and
// ignored). Raises EFCreateError "Cannot create file "name". reason" or
// EFOpenError "Cannot open file "name". reason". Not atomic: whole-file writers use
// TMemoryStream::SaveToFile or WriteFileAtomic.
class TFileStream : public TStream {
public:
  TFileStream(const QString &AFileName, uint16_t Mode);
  ~TFileStream() override;
  int64_t Read(void *Buffer, int64_t Count) override;
  int64_t Write(const void *Buffer, int64_t Count) override;
  int64_t Seek(int64_t Offset, TSeekOrigin Origin) override;
  int64_t Size() override;
  void SetSize(int64_t NewSize) override;
  const QString &FileName() const { return FFileName; }

private:
  struct Impl;
  std::unique_ptr<Impl> d;
  QString FFileName;
};

// ---------------------------------------------------------------------------------------------
// String lists

enum class TDuplicates { dupIgnore, dupAccept, dupError };
constexpr TDuplicates dupIgnore = TDuplicates::dupIgnore;
constexpr TDuplicates dupAccept = TDuplicates::dupAccept;
constexpr TDuplicates dupError = TDuplicates::dupError;

class TStrings : public TPersistent {
public:
  TStrings() = default;
  ~TStrings() override;

  virtual int Count() const = 0;
  virtual QString Get(int Index) const = 0;
  virtual void Put(int Index, const QString &S);
  virtual TObject *GetObject(int Index) const;
  virtual void PutObject(int Index, TObject *AObject);
  QString Strings(int Index) const { return Get(Index); }
  void SetStrings(int Index, const QString &S) { Put(Index, S); }
  QString operator[](int Index) const { return Get(Index); }
  TObject *Objects(int Index) const { return GetObject(Index); }
  void SetObjects(int Index, TObject *AObject) { PutObject(Index, AObject); }

  virtual int Add(const QString &S);
  virtual int AddObject(const QString &S, TObject *AObject);
  void Append(const QString &S) { Add(S); }
  virtual void Insert(int Index, const QString &S) = 0;
  void InsertObject(int Index, const QString &S, TObject *AObject);
  virtual void Delete(int Index) = 0;
  virtual void Clear() = 0;
  virtual void Exchange(int Index1, int Index2);
  virtual void Move(int CurIndex, int NewIndex);
  virtual int IndexOf(const QString &S) const;  // CompareStrings; -1 when absent
  int IndexOfName(const QString &Name) const;
  int IndexOfObject(TObject *AObject) const;
  void AddStrings(TStrings *Strings);
  void AddStrings(const QStringList &Strings);
  void Assign(TPersistent *Source) override;
  bool Equals(TStrings *Strings) const;

  // "name=value" lines. Values(name) is "" for a missing name; SetValues with "" deletes it.
  QString Names(int Index) const;
  QString Values(const QString &Name) const;
  void SetValues(const QString &Name, const QString &Value);
  QString ValueFromIndex(int Index) const;
  void SetValueFromIndex(int Index, const QString &Value);
  QChar NameValueSeparator() const { return FNameValueSeparator; }
  void SetNameValueSeparator(QChar c) { FNameValueSeparator = c; }

  // Every line followed by LineBreak (CR LF); setting splits at CR LF, LF or CR.
  virtual QString Text() const;
  virtual void SetText(const QString &Value);
  QString LineBreak() const { return FLineBreak; }
  void SetLineBreak(const QString &v) { FLineBreak = v; }
  QString CommaText() const;
  void SetCommaText(const QString &Value);
  QString DelimitedText() const;
  void SetDelimitedText(const QString &Value);
  QChar Delimiter() const { return FDelimiter; }
  void SetDelimiter(QChar c) { FDelimiter = c; }
  QChar QuoteChar() const { return FQuoteChar; }
  void SetQuoteChar(QChar c) { FQuoteChar = c; }
  bool StrictDelimiter() const { return FStrictDelimiter; }
  void SetStrictDelimiter(bool v) { FStrictDelimiter = v; }

  void BeginUpdate();
  void EndUpdate();
  int UpdateCount() const { return FUpdateCount; }

  // Byte-order mark decides (UTF-8, UTF-16 LE/BE); without one the file is ANSI.
  // Raises EFOpenError when the file cannot be read.
  virtual void LoadFromFile(const QString &FileName);
  virtual void LoadFromFile(const QString &FileName, TEncoding Encoding);
  // ANSI with CR LF by default, written atomically; raises EFCreateError on failure.
  virtual void SaveToFile(const QString &FileName);
  virtual void SaveToFile(const QString &FileName, TEncoding Encoding);
  virtual void LoadFromStream(TStream *Stream);
  virtual void LoadFromStream(TStream *Stream, TEncoding Encoding);
  virtual void SaveToStream(TStream *Stream);
  virtual void SaveToStream(TStream *Stream, TEncoding Encoding);
  // The encoding the last LoadFrom... detected or was given.
  TEncoding Encoding() const { return FEncoding; }

  QStringList ToStringList() const;

protected:
  virtual void SetUpdateState(bool Updating) {}
  virtual int CompareStrings(const QString &S1, const QString &S2) const;
  [[noreturn]] void Error(const QString &Msg, int Data) const;

  TEncoding FEncoding = TEncoding::Default;

private:
  QString JoinDelimited(QChar delimiter, QChar quoteChar, bool strict) const;
  int FUpdateCount = 0;
  QChar FDelimiter = ',';
  QChar FQuoteChar = '"';
  QChar FNameValueSeparator = '=';
  bool FStrictDelimiter = false;
  QString FLineBreak = "\r\n";
};

class TStringList;
using TStringListSortCompare = std::function<int(TStringList *List, int Index1, int Index2)>;

class TStringList : public TStrings {
public:
  TStringList() = default;
  explicit TStringList(bool AOwnsObjects) : FOwnsObjects(AOwnsObjects) {}
  ~TStringList() override;

  int Count() const override { return int(FList.size()); }
  QString Get(int Index) const override;
  void Put(int Index, const QString &S) override;
  TObject *GetObject(int Index) const override;
  void PutObject(int Index, TObject *AObject) override;
  int Add(const QString &S) override;
  int AddObject(const QString &S, TObject *AObject) override;
  // The same, S moved in: a list filled from texts that leave their old place does not copy them.
  int AddObject(QString &&S, TObject *AObject);
  void Insert(int Index, const QString &S) override;  // EStringListError on a sorted list
  void Delete(int Index) override;
  void Clear() override;
  void Exchange(int Index1, int Index2) override;
  int IndexOf(const QString &S) const override;
  // Binary search of a sorted list: True when found; Index is the match or the insertion point.
  virtual bool Find(const QString &S, int &Index) const;
  // The string at Index moved out; "" stays in its place (EStringListError on a sorted list).
  QString TakeString(int Index);
  // Room for that many items without growing again; below Count raises EStringListError.
  int Capacity() const { return int(FList.capacity()); }
  void SetCapacity(int Value);
  virtual void Sort();
  virtual void CustomSort(const TStringListSortCompare &Compare);

  bool Sorted() const { return FSorted; }
  void SetSorted(bool Value);
  TDuplicates Duplicates() const { return FDuplicates; }
  void SetDuplicates(TDuplicates d) { FDuplicates = d; }
  bool CaseSensitive() const { return FCaseSensitive; }
  void SetCaseSensitive(bool Value);
  bool OwnsObjects() const { return FOwnsObjects; }
  void SetOwnsObjects(bool v) { FOwnsObjects = v; }

  TNotifyEvent OnChange;
  TNotifyEvent OnChanging;

protected:
  virtual void Changed();
  virtual void Changing();
  void SetUpdateState(bool Updating) override;
  int CompareStrings(const QString &S1, const QString &S2) const override;
  virtual void InsertItem(int Index, const QString &S, TObject *AObject);

private:
  struct TStringItem {
    QString FString;
    TObject *FObject = nullptr;
  };
  void CheckIndex(int Index) const;
  std::vector<TStringItem> FList;
  bool FSorted = false;
  bool FCaseSensitive = false;
  bool FOwnsObjects = false;
  TDuplicates FDuplicates = dupIgnore;
};

// ---------------------------------------------------------------------------------------------
// Collections

class TCollection;

class TCollectionItem : public TPersistent {
public:
  // Adds itself to Collection (when given).
  explicit TCollectionItem(TCollection *Collection);
  // Removes itself from its collection.
  ~TCollectionItem() override;

  TCollection *Collection() const { return FCollection; }
  void SetCollection(TCollection *Value);
  // Unique within the collection, never reused.
  int ID() const { return FID; }
  int Index() const;
  // Moves the item within its collection.
  virtual void SetIndex(int Value);
  virtual QString DisplayName() const;
  virtual void SetDisplayName(const QString &Value);
  TPersistent *GetOwner() override;

protected:
  // Tells the collection: Update(this), or Update(nullptr) when AllItems.
  void Changed(bool AllItems);

private:
  friend class TCollection;
  TCollection *FCollection = nullptr;
  int FID = 0;
};

enum class TCollectionNotification { cnAdded, cnExtracting, cnDeleting };
constexpr TCollectionNotification cnAdded = TCollectionNotification::cnAdded;
constexpr TCollectionNotification cnExtracting = TCollectionNotification::cnExtracting;
constexpr TCollectionNotification cnDeleting = TCollectionNotification::cnDeleting;

// Owns its items. The item class of the original becomes a factory that creates an item in
// the given collection: TCollection(TCollection::ItemClass<TMyItem>()).
class TCollection : public TPersistent {
public:
  using TItemFactory = std::function<TCollectionItem *(TCollection *Collection)>;
  template <typename T>
  static TItemFactory ItemClass()
  {
    return [](TCollection *c) -> TCollectionItem * { return new T(c); };
  }

  explicit TCollection(TItemFactory AItemClass);
  // Deletes the items newest first without calling Update. Virtual calls made while items
  // leave reach this class only, since the derived part is already gone.
  ~TCollection() override;

  TCollectionItem *Add();
  TCollectionItem *Insert(int Index);
  void Delete(int Index);
  void Clear();
  void BeginUpdate();
  void EndUpdate();
  int UpdateCount() const { return FUpdateCount; }
  int Count() const { return int(FItems.size()); }
  // EListError "List index out of bounds (i)" for a bad index.
  TCollectionItem *Items(int Index) const;
  // Assigns Value to the item at Index.
  void SetItems(int Index, TCollectionItem *Value);
  TCollectionItem *FindItemID(int ID) const;
  void Exchange(int Index1, int Index2);
  void Assign(TPersistent *Source) override;

protected:
  // Called when an item (or, with nullptr, the whole collection) changed and no update is open.
  virtual void Update(TCollectionItem *Item) {}
  virtual void Notify(TCollectionItem *Item, TCollectionNotification Action) {}
  virtual void SetItemName(TCollectionItem *Item) {}
  void Changed();

private:
  friend class TCollectionItem;
  void InsertItem(TCollectionItem *Item);
  void RemoveItem(TCollectionItem *Item);

  TItemFactory FItemClass;
  std::vector<TCollectionItem *> FItems;
  int FNextID = 0;
  int FUpdateCount = 0;
};

// A collection that names its owner (GetOwner).
class TOwnedCollection : public TCollection {
public:
  TOwnedCollection(TPersistent *AOwner, TItemFactory AItemClass)
      : TCollection(std::move(AItemClass)), FOwner(AOwner) {}
  TPersistent *GetOwner() override { return FOwner; }

private:
  TPersistent *FOwner;  // not owned
};
