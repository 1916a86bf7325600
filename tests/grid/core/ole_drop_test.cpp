// The grid as a drop target: registered with its window, accepting what its settings let in.
#include <QApplication>
#include <QDragEnterEvent>
#include <QMimeData>
#include <QUrl>
#include <QWidget>

#include <gtest/gtest.h>

#include "framework/controls/droptarget.h"
#include "framework/controls/forms.h"
#include "grid/core/feature_settings.h"
#include "grid/core/zav_string_grid.h"

namespace {

struct OleDrop : ::testing::Test {
  TForm form{nullptr};
  TZavStringGrid *grid = new TZavStringGrid(&form);
  void SetUp() override
  {
    grid->SetParent(&form);
    grid->SetBounds(0, 0, 300, 200);
  }
  // Drags the data over the grid's window and drops it; answers whether the drag was accepted
  // over the grid and the action the drop took.
  std::pair<bool, Qt::DropAction> Drag(QMimeData &Mime, Qt::DropActions Actions = Qt::CopyAction | Qt::MoveAction)
  {
    QWidget *w = grid->Handle();
    QDragEnterEvent enter(QPoint(50, 50), Actions, &Mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(w, &enter);
    QDragMoveEvent move(QPoint(60, 60), Actions, &Mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(w, &move);
    const bool accepted = move.isAccepted();
    QDropEvent drop(QPointF(60, 60), Actions, &Mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(w, &drop);
    return {accepted, drop.isAccepted() ? drop.dropAction() : Qt::IgnoreAction};
  }
};

}  // namespace

TEST_F(OleDrop, RegistrationFollowsTheSettingAndTheWindow)
{
  TDragDropSettings *d = grid->DragDropSettings();
  d->SetOleDropTarget(true);  // no window yet: registered when it comes
  EXPECT_FALSE(d->DropTargetRegistered());
  grid->HandleNeeded();
  EXPECT_TRUE(d->DropTargetRegistered());
  EXPECT_NE(RegisteredDropTarget(grid->Handle()), nullptr);
  EXPECT_TRUE(grid->Handle()->acceptDrops());

  grid->RecreateWnd();
  grid->HandleNeeded();
  EXPECT_NE(RegisteredDropTarget(grid->Handle()), nullptr) << "a new window is registered again";

  d->SetOleDropTarget(false);
  EXPECT_FALSE(d->DropTargetRegistered());
  EXPECT_EQ(RegisteredDropTarget(grid->Handle()), nullptr);
  EXPECT_EQ(RevokeDragDrop(grid->Handle()), DRAGDROP_E_NOTREGISTERED);
}

TEST_F(OleDrop, DragsAreAcceptedByTheSettingsAndADropTakesNothingYet)
{
  grid->HandleNeeded();
  TDragDropSettings *d = grid->DragDropSettings();
  d->SetOleDropTarget(true);
  grid->SetCells(1, 1, QStringLiteral("kept"));

  QMimeData text;
  text.setText(QStringLiteral("dropped"));
  QMimeData files;
  files.setUrls({QUrl::fromLocalFile(QStringLiteral("/tmp/a.txt"))});
  QMimeData urls;
  urls.setUrls({QUrl(QStringLiteral("http://example.org/"))});
  QMimeData rtf;
  rtf.setData(QStringLiteral("text/rtf"), QByteArray("{\\rtf1 x}"));

  struct TCase {
    const char *name;
    QMimeData *mime;
    bool acceptText, acceptFiles, acceptURLs, dropRTF, accepted;
  } cases[] = {
      {"text", &text, true, false, false, false, true},
      {"text refused", &text, false, true, true, true, false},
      {"files", &files, false, true, false, false, true},
      {"files refused", &files, true, false, true, false, false},
      {"addresses", &urls, false, false, true, false, true},
      {"addresses refused", &urls, true, true, false, false, false},
      {"rich text", &rtf, false, false, false, true, true},
      {"rich text refused", &rtf, true, true, true, false, false},
  };
  for (const TCase &c : cases) {
    SCOPED_TRACE(c.name);
    d->SetOleAcceptText(c.acceptText);
    d->SetOleAcceptFiles(c.acceptFiles);
    d->SetOleAcceptURLs(c.acceptURLs);
    d->SetOleDropRTF(c.dropRTF);
    const auto [accepted, action] = Drag(*c.mime);
    EXPECT_EQ(accepted, c.accepted);
    // Until drops are handled, a drop answers no effect: a moving source keeps its data.
    EXPECT_EQ(action, Qt::IgnoreAction);
    EXPECT_EQ(grid->Cells(1, 1), QStringLiteral("kept"));
  }

  // Nothing is offered to a grid that is no drop target.
  d->SetOleDropTarget(false);
  d->SetOleAcceptText(true);
  EXPECT_FALSE(Drag(text).first);
}
