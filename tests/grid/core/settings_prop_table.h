#pragma once
// A settings class as a table of its properties: the default each has on a new object, a change
// away from it, and whether Assign copies it. One check walks the table.
#include <gtest/gtest.h>

#include <QString>

#include <functional>
#include <memory>
#include <string>
#include <type_traits>
#include <vector>

#include "framework/graphics/graphics.h"

namespace settingstest {

template <typename T>
struct Prop {
  std::string name;
  std::function<std::string(T &)> read;
  std::function<void(T &)> change;
  std::string def;
  bool copied;
};

template <typename V>
std::string Text(const V &v)
{
  if constexpr (std::is_same_v<V, QString>)
    return v.toStdString();
  else if constexpr (std::is_same_v<V, bool>)
    return v ? "True" : "False";
  else
    return std::to_string(static_cast<long long>(v));
}

// A plain value: getter, setter (by value or const reference), default and a different value.
template <typename T, typename V, typename S>
Prop<T> P(const char *name, V (T::*get)() const, S set, std::type_identity_t<V> def,
          std::type_identity_t<V> other, bool copied = true)
{
  return {name, [get](T &o) { return Text((o.*get)()); }, [set, other](T &o) { (o.*set)(other); },
          Text(def), copied};
}

// An owned font: read as name and size; the change hands the writer another font.
template <typename T>
Prop<T> FontP(const char *name, TFont *(T::*get)() const, void (T::*set)(TFont *), const TFont &def,
              bool copied = true)
{
  auto text = [](const TFont &f) { return f.Name().toStdString() + " " + std::to_string(f.Height()); };
  return {name, [get, text](T &o) { return text(*(o.*get)()); },
          [set](T &o) {
            TFont f;
            f.SetName(QStringLiteral("Verdana"));
            f.SetHeight(-31);
            (o.*set)(&f);
          },
          text(def), copied};
}

// An owned bitmap: read as its size; the change hands the writer a 3 x 2 bitmap.
template <typename T>
Prop<T> GlyphP(const char *name, TBitmap *(T::*get)() const, void (T::*set)(TBitmap *), bool copied = true)
{
  return {name,
          [get](T &o) { return std::to_string((o.*get)()->Width()) + "x" + std::to_string((o.*get)()->Height()); },
          [set](T &o) {
            TBitmap b(3, 2);
            (o.*set)(&b);
          },
          "0x0", copied};
}

// A property declared by a base class, as a property of the derived one.
template <typename T, typename B>
Prop<T> As(const Prop<B> &p)
{
  return {p.name, [r = p.read](T &o) { return r(o); }, [c = p.change](T &o) { c(o); }, p.def, p.copied};
}

// Every property has its default on a new object, and Assign copies exactly the listed ones.
template <typename T>
void CheckDefaultsAndAssign(const std::function<std::unique_ptr<T>()> &make, const std::vector<Prop<T>> &props)
{
  for (const Prop<T> &p : props) {
    auto fresh = make();
    EXPECT_EQ(p.read(*fresh), p.def) << p.name << " default";

    auto src = make();
    p.change(*src);
    ASSERT_NE(p.read(*src), p.def) << p.name << " change in the table changes nothing";
    auto dst = make();
    dst->Assign(src.get());
    EXPECT_EQ(p.read(*dst), p.copied ? p.read(*src) : p.def) << p.name << " assign";
  }
}

}  // namespace settingstest
