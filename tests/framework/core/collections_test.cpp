// Collections: ownership, IDs, ordering, update notifications and assignment.
#include <gtest/gtest.h>

#include "tests/framework/core/qstring_print.h"

#include <algorithm>
#include <vector>

#include "framework/classes/classes.h"

namespace {

class TNamedItem : public TCollectionItem {
public:
  explicit TNamedItem(TCollection *c) : TCollectionItem(c) {}
  QString Caption;
  void SetCaption(const QString &v)
  {
    Caption = v;
    Changed(false);
  }
  void Assign(TPersistent *Source) override
  {
    if (auto *s = dynamic_cast<TNamedItem *>(Source)) {
      Caption = s->Caption;
      return;
    }
    TCollectionItem::Assign(Source);
  }
};

class TWatchedItems : public TOwnedCollection {
public:
  explicit TWatchedItems(TPersistent *owner) : TOwnedCollection(owner, ItemClass<TNamedItem>()) {}
  ~TWatchedItems() override { Log = nullptr; }
  TNamedItem *Items(int i) const { return static_cast<TNamedItem *>(TCollection::Items(i)); }
  TNamedItem *Add() { return static_cast<TNamedItem *>(TCollection::Add()); }
  std::vector<QString> *Log = nullptr;

protected:
  void Update(TCollectionItem *item) override
  {
    if (Log) Log->push_back(item ? "update " + static_cast<TNamedItem *>(item)->Caption : QString("update all"));
  }
  void Notify(TCollectionItem *item, TCollectionNotification action) override
  {
    if (Log) Log->push_back(action == cnAdded ? "added" : action == cnDeleting ? "deleting" : "extracting");
  }
};

TEST(Collections, AddDeleteAndIds)
{
  TPersistent owner;
  TWatchedItems items(&owner);
  EXPECT_EQ(items.GetOwner(), &owner);
  std::vector<QString> log;
  items.Log = &log;
  TNamedItem *a = items.Add();
  a->SetCaption("a");
  EXPECT_EQ(log, (std::vector<QString>{"added", "update all", "update a"}));
  items.Add()->SetCaption("b");
  items.Add()->SetCaption("c");
  EXPECT_EQ(items.Items(2)->ID(), 2);
  EXPECT_EQ(a->GetOwner(), &items);
  log.clear();
  items.Delete(1);
  EXPECT_EQ(log, (std::vector<QString>{"deleting", "extracting", "update all"}));
  EXPECT_EQ(items.Count(), 2);
  EXPECT_EQ(items.Add()->ID(), 3) << "IDs are never reused";
  EXPECT_EQ(static_cast<TNamedItem *>(items.FindItemID(2))->Caption, "c");
  EXPECT_EQ(items.FindItemID(1), nullptr);
  EXPECT_THROW(items.Items(9), EListError);
  delete a;  // an item deleted directly leaves its collection
  EXPECT_EQ(items.Count(), 2);
  EXPECT_EQ(items.Items(0)->Caption, "c");
}

TEST(Collections, OrderUpdatesAndAssign)
{
  TWatchedItems items(nullptr);
  for (const char *c : {"a", "b", "c"}) items.Add()->SetCaption(c);
  items.Items(0)->SetIndex(2);
  EXPECT_EQ(items.Items(2)->Caption, "a");
  EXPECT_EQ(items.Items(2)->Index(), 2);
  TCollectionItem *x = items.Insert(0);
  EXPECT_EQ(x->Index(), 0);

  std::vector<QString> log;
  items.Log = &log;
  items.BeginUpdate();
  items.Items(1)->SetCaption("B");
  items.Delete(0);
  items.EndUpdate();
  EXPECT_EQ(log.back(), "update all");
  EXPECT_EQ(std::count(log.begin(), log.end(), QString("update all")), 1);

  TWatchedItems copy(nullptr);
  copy.Add()->SetCaption("old");
  copy.Assign(&items);
  ASSERT_EQ(copy.Count(), 3);
  EXPECT_EQ(copy.Items(0)->Caption, "B");
  EXPECT_EQ(copy.Items(2)->Caption, "a");
  items.Log = nullptr;
}

TEST(Collections, FreeAndNilClearsThePointer)
{
  auto *list = new TStringList;
  FreeAndNil(list);
  EXPECT_EQ(list, nullptr);
}

}  // namespace
