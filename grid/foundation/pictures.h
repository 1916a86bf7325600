#pragma once
// Pictures that cell mark-up names: a graphic keeping the raw bytes of any picture format the
// platform's loader reads (and one chosen frame of an animated GIF), a named collection of
// them, and the grid's cache of pictures loaded from addresses.
#include "framework/classes/classes.h"
#include "framework/classes/thread.h"
#include "framework/graphics/graphics.h"

#include <QByteArray>
#include <QString>

#include <functional>
#include <memory>

class TLoadedPicture;

using TDownLoadProgressEvent = std::function<void(TObject *Sender, uint32_t dwSize, uint32_t dwTotSize)>;
using TDownLoadCancelEvent = std::function<void(TObject *Sender, bool &Cancel)>;
using TDownLoadErrorEvent = std::function<void(TObject *Sender, const QString &err)>;

class THTMLPicture : public TGraphic {
public:
  THTMLPicture();
  ~THTMLPicture() override;

  bool Empty() const override { return FIsEmpty; }
  // Natural size at 96 pixels per inch; 0 without a picture object. Writing does nothing.
  int Width() const override;
  int Height() const override;
  TRasterImage ToImage() const override;
  void AssignGraphic(const TGraphic *Source) override;
  // Keeps the bytes, builds the picture object (raising on bytes it cannot read) and fires
  // OnChange.
  bool LoadFromData(const QByteArray &Data) override;
  QByteArray SaveToData() const override { return FDatastream->Bytes(); }
  void Draw(TCanvas *ACanvas, const TRect &Rect) const override;
  void Assign(TPersistent *Source) override;

  void LoadFromStream(TStream *Stream);
  // Any failure leaves the picture empty, unreported.
  void LoadFromFile(const QString &FileName);
  void LoadFromResourceName(void *Instance, const QString &ResName);
  void LoadFromResourceID(void *Instance, int ResID);
  void LoadFromURL(const QString &url);

  bool Stretch() const { return FStretched; }
  void SetStretch(bool Value) { FStretched = Value; }
  const QString &URL() const { return FURL; }
  const QString &ID() const { return FID; }
  void SetID(const QString &Value) { FID = Value; }
  bool IsDB() const { return FIsDB; }
  void SetIsDB(bool Value) { FIsDB = Value; }
  bool Asynch() const { return FAsynch; }
  void SetAsynch(bool Value) { FAsynch = Value; }
  bool Busy() const { return FThreadBusy; }

  bool IsGIF() const;
  // -1 for anything but a GIF; else the number of frame markers, counted once.
  int FrameCount() const;
  // Delay of the i-th frame marker in hundredths of a second, -1 when there is none; also
  // reads that frame's transparency and disposal.
  int FrameTime(int i);
  int Frame() const { return FFrame; }
  void SetFrame(int Value);
  void FrameNext();
  void FramePrev();
  // One animation tick (every 100 ms); true when the frame changed.
  bool Step();
  int FrameXPos() const { return FFrameXPos; }
  int FrameYPos() const { return FFrameYPos; }
  int FrameXSize() const { return FFrameXSize; }
  int FrameYSize() const { return FFrameYSize; }
  bool FrameTransparent() const { return FFrameTransp; }
  int FrameDisposal() const { return FFrameDisposal; }
  int MaxWidth() const { return FAnimMaxX ? FAnimMaxX : Width(); }
  int MaxHeight() const { return FAnimMaxY ? FAnimMaxY : Height(); }

  TNotifyEvent OnFrameChange;
  // Part of the interface; nothing fires them.
  TDownLoadProgressEvent OnDownLoadProgress;
  TDownLoadCancelEvent OnDownLoadCancel;
  TNotifyEvent OnDownLoadComplete;
  TDownLoadErrorEvent OnDownLoadError;

private:
  friend class TDownLoadThread;
  void Clear();
  void LoadPicture();
  int FrameMarker(int Index) const;

  std::unique_ptr<TMemoryStream> FDatastream;
  bool FIsEmpty = true;
  bool FStretched = false;
  std::unique_ptr<TLoadedPicture> gpPicture;
  int FLogPixX = 96;
  int FLogPixY = 96;
  QString FURL;
  QString FID;
  bool FIsDB = false;
  bool FAsynch = true;
  bool FThreadBusy = false;
  int FFrame = 1;
  mutable int FFrameCount = -1;
  uint16_t FFrameXPos = 0, FFrameYPos = 0, FFrameXSize = 0, FFrameYSize = 0;
  bool FFrameTransp = false;
  uint16_t FFrameDisposal = 0;
  uint16_t FAnimMaxX = 0, FAnimMaxY = 0;
  int FNextCount = -1;
  int FTimerCount = -1;
};

// Started for an address other than a resource or a file; carries no work and frees itself.
class TDownLoadThread : public TThread {
public:
  explicit TDownLoadThread(THTMLPicture *APicture);
  THTMLPicture *HTMLPicture() const { return FHTMLPicture; }  // not owned

protected:
  void Execute() override {}

private:
  THTMLPicture *FHTMLPicture;
};

// The grid's pictures loaded from addresses; owns them.
class THTMLPictureCache : public TList {
public:
  ~THTMLPictureCache() override;
  THTMLPicture *Items(int Index) const { return static_cast<THTMLPicture *>(TList::Items(Index)); }
  THTMLPicture *AddPicture();
  // Exact, case-sensitive match on ID; nullptr when none.
  THTMLPicture *FindPicture(const QString &ID) const;
  void ClearPictures();
  bool Animate();
};

class TPictureItem : public TCollectionItem {
public:
  explicit TPictureItem(TCollection *Collection);
  ~TPictureItem() override;
  THTMLPicture *Picture() const { return FPicture.get(); }
  // Copies the given picture.
  void SetPicture(THTMLPicture *Value);
  int Tag() const { return FTag; }
  void SetTag(int Value) { FTag = Value; }
  const QString &Name() const { return FName; }
  void SetName(const QString &Value) { FName = Value; }
  void Assign(TPersistent *Source) override;

private:
  std::unique_ptr<THTMLPicture> FPicture;
  int FTag = 0;
  QString FName;
};

class TPictureContainer;

class TPictureCollection : public TCollection {
public:
  explicit TPictureCollection(TPictureContainer *AOwner);
  TPictureItem *Add() { return static_cast<TPictureItem *>(TCollection::Add()); }
  TPictureItem *Insert(int Index) { return static_cast<TPictureItem *>(TCollection::Insert(Index)); }
  TPictureItem *Items(int Index) const { return static_cast<TPictureItem *>(TCollection::Items(Index)); }
  bool Animate();
  TPersistent *GetOwner() override;

private:
  TPictureContainer *FOwner;  // not owned
};

class TPictureContainer : public TComponent {
public:
  explicit TPictureContainer(TComponent *AOwner);
  ~TPictureContainer() override;
  TPictureCollection *Items() const { return FItems.get(); }
  // Copies the given collection's items; the container keeps its own collection.
  void SetItems(TPictureCollection *Value);
  // The picture of the first item named s (ignoring case); nullptr when none.
  virtual THTMLPicture *FindPicture(const QString &s);

private:
  std::unique_ptr<TPictureCollection> FItems;
};
