// Ownership, notifications and assignment of the object model; pointer lists.
#include <gtest/gtest.h>

#include "tests/framework/core/qstring_print.h"

#include <memory>
#include <vector>

#include "framework/classes/classes.h"

namespace {

std::vector<QString> gLog;

class TProbe : public TComponent {
public:
  TProbe(TComponent *owner, const QString &name) : TComponent(owner) { SetName(name); }
  ~TProbe() override { gLog.push_back("destroy " + Name()); }
  TComponent *Watched = nullptr;

protected:
  void Notification(TComponent *c, TOperation op) override
  {
    TComponent::Notification(c, op);
    gLog.push_back(Name() + (op == opInsert ? " insert " : " remove ") + c->Name());
    if (op == opRemove && c == Watched) Watched = nullptr;
  }
};

TEST(Components, OwnerFreesOwnedComponentsNewestFirst)
{
  gLog.clear();
  auto *owner = new TProbe(nullptr, "owner");
  new TProbe(owner, "a");
  new TProbe(owner, "b");
  new TProbe(owner, "c");
  EXPECT_EQ(owner->ComponentCount(), 3);
  EXPECT_EQ(owner->Components(1)->Name(), "b");
  EXPECT_EQ(owner->Components(2)->ComponentIndex(), 2);
  EXPECT_EQ(owner->FindComponent("B"), owner->Components(1));
  EXPECT_EQ(owner->FindComponent("zz"), nullptr);
  gLog.clear();
  delete owner;
  const std::vector<QString> destroyed = [] {
    std::vector<QString> r;
    for (const QString &s : gLog)
      if (s.startsWith("destroy")) r.push_back(s);
    return r;
  }();
  EXPECT_EQ(destroyed, (std::vector<QString>{"destroy owner", "destroy c", "destroy b", "destroy a"}));
}

TEST(Components, DeletingAnOwnedComponentLeavesTheOwner)
{
  auto owner = std::make_unique<TComponent>(nullptr);
  auto *child = new TComponent(owner.get());
  EXPECT_EQ(child->Owner(), owner.get());
  delete child;
  EXPECT_EQ(owner->ComponentCount(), 0);
  EXPECT_THROW(owner->Components(0), EListError);
}

TEST(Components, NotificationsReachOwnerAndSiblings)
{
  gLog.clear();
  TProbe owner(nullptr, "owner");
  auto *a = new TProbe(nullptr, "a");
  owner.InsertComponent(a);
  EXPECT_EQ(gLog, (std::vector<QString>{"a insert a", "owner insert a"}));
  gLog.clear();
  auto *b = new TProbe(nullptr, "b");
  owner.InsertComponent(b);
  EXPECT_EQ(gLog, (std::vector<QString>{"b insert b", "a insert b", "owner insert b"}));
  gLog.clear();
  delete a;
  EXPECT_EQ(gLog, (std::vector<QString>{"destroy a", "b remove a", "owner remove a"}));
}

TEST(Components, FreeNotificationClearsReferencesAcrossOwners)
{
  TProbe watcher(nullptr, "watcher");
  auto *other = new TProbe(nullptr, "other");
  watcher.Watched = other;
  other->FreeNotification(&watcher);
  delete other;
  EXPECT_EQ(watcher.Watched, nullptr);
}

TEST(Components, DuplicateNamesUnderOneOwnerAreRejected)
{
  TComponent owner(nullptr);
  auto *a = new TComponent(&owner);
  a->SetName("Edit1");
  auto *b = new TComponent(&owner);
  EXPECT_THROW(b->SetName("EDIT1"), EComponentError);
  b->SetName("Edit2");
  EXPECT_EQ(b->Name(), "Edit2");
}

TEST(Components, StateFlags)
{
  TComponent owner(nullptr);
  owner.SetDesigning(true);
  auto *c = new TComponent(&owner);
  EXPECT_TRUE(c->ComponentState().Contains(csDesigning));
  owner.BeginLoading();
  EXPECT_TRUE(owner.ComponentState().Contains(csLoading));
  owner.EndLoading();
  EXPECT_FALSE(owner.ComponentState().Contains(csLoading));
  c->SetTag(42);
  EXPECT_EQ(c->Tag(), 42);
}

class TPoint3 : public TPersistent {
public:
  int X = 0;
  void Assign(TPersistent *Source) override
  {
    if (auto *p = dynamic_cast<TPoint3 *>(Source)) {
      X = p->X;
      return;
    }
    TPersistent::Assign(Source);
  }
};

TEST(Persistent, AssignOfUnrelatedClassesRaises)
{
  TPoint3 a, b;
  b.X = 5;
  a.Assign(&b);
  EXPECT_EQ(a.X, 5);
  TStringList list;
  try {
    a.Assign(&list);
    FAIL();
  } catch (const EConvertError &e) {
    EXPECT_EQ(e.Message(), "Cannot assign a TStringList to a TPoint3");
  }
  EXPECT_THROW(list.Assign(&a), EConvertError);
  EXPECT_EQ(list.ClassName(), "TStringList");
}

TEST(Lists, PointerListOperations)
{
  int x[4] = {3, 1, 2, 0};
  TList l;
  for (int &v : x) l.Add(&v);
  l.Sort([](void *a, void *b) { return *static_cast<int *>(a) - *static_cast<int *>(b); });
  EXPECT_EQ(l.Items(0), &x[3]);
  EXPECT_EQ(l.Last(), &x[0]);
  l.Move(0, 3);
  EXPECT_EQ(l.Items(3), &x[3]);
  EXPECT_EQ(l.Remove(&x[1]), 0);
  EXPECT_EQ(l.IndexOf(&x[1]), -1);
  l.Add(nullptr);
  l.Pack();
  EXPECT_EQ(l.Count(), 3);
  EXPECT_THROW(l.Items(3), EListError);
  EXPECT_THROW(l.Delete(-1), EListError);
}

TEST(Lists, ObjectListOwnsItsObjects)
{
  gLog.clear();
  {
    TObjectList l;
    l.Add(new TProbe(nullptr, "x"));
    l.Add(new TProbe(nullptr, "y"));
    TObject *y = l.Extract(l.Items(1));
    delete y;
    l.Delete(0);
    l.Add(new TProbe(nullptr, "z"));
  }
  EXPECT_EQ(gLog, (std::vector<QString>{"destroy y", "destroy x", "destroy z"}));
}

}  // namespace
