// The base of every options page, and the page registry the options dialog
// builds its tree from.
#pragma once

#include <QLabel>
#include <QWidget>
#include <functional>
#include <memory>
#include <string>
#include <typeindex>
#include <vector>

// What a page needs of its owner: to be told that an option was edited.
class TOptionsSheetOwner {
 public:
  virtual ~TOptionsSheetOwner() = default;
  virtual void SetModified(bool Value) = 0;
};

class TOptionsSheetBase : public QWidget {
  Q_OBJECT

 public:
  // Owner is told of edits; Parent is the panel the page sits in.
  TOptionsSheetBase(TOptionsSheetOwner* Owner, QWidget* Parent);

  // Writes the page's options. A group page writes nothing.
  virtual void Apply();
  void SetModified(bool Value);
  // Shaped as an edit notification, so that an option list can call it.
  void MarkModified(const void* Sender);
  bool Modified() const { return FModified; }

 protected:
  // The group page's hint; pages of their own hide or cover it.
  QLabel* lbSheetBaseLabel;

 private:
  void FormCreate();

  bool FModified = false;
  TOptionsSheetOwner* FOwner;
};

// Names a page class and creates pages of it. Two are equal when they name
// the same class.
class TSheetClass {
 public:
  using TFactory = TOptionsSheetBase* (*)(TOptionsSheetOwner* Owner, QWidget* Parent);

  template <class TSheet>
  static TSheetClass Of() {
    return TSheetClass(typeid(TSheet), [](TOptionsSheetOwner* Owner, QWidget* Parent) {
      return static_cast<TOptionsSheetBase*>(new TSheet(Owner, Parent));
    });
  }

  TOptionsSheetBase* Create(TOptionsSheetOwner* Owner, QWidget* Parent) const {
    return FFactory(Owner, Parent);
  }
  // The base class itself: a group placeholder.
  bool IsGroup() const { return *this == Of<TOptionsSheetBase>(); }
  bool operator==(const TSheetClass& Other) const { return FType == Other.FType; }

 private:
  TSheetClass(std::type_index Type, TFactory Factory) : FType(Type), FFactory(Factory) {}

  std::type_index FType;
  TFactory FFactory;
};

struct TSheetRec {
  std::string SheetName;
  int ParentIndex;
  TSheetClass SheetClass;
};

// The registered pages in registration order; positions are 0-based.
class TSheetList {
 public:
  int AddSheet(const std::string& ParentName, const std::string& SheetName, TSheetClass SheetClass);
  // The first entry whose name equals Name, both trimmed, ignoring case; -1
  // when there is none.
  int IndexOfName(const std::string& Name) const;
  const TSheetRec& Entries(int Index) const;
  int Count() const { return static_cast<int>(FItems.size()); }
  // Removes an entry; a group placeholder leaves with its last child.
  void Delete(int Index);
  void Clear() { FItems.clear(); }

 private:
  bool IsAncestorOrSelf(int Ancestor, int Index) const;
  void Notify(const TSheetRec& Removed, int RemovedIndex);

  std::vector<std::unique_ptr<TSheetRec>> FItems;
};

// The registry; it exists from the first registration until its last entry
// is removed.
extern std::unique_ptr<TSheetList> SheetList;

// Registers a page and returns the name it got: its own, or one made unique.
std::string RegisterOptionsSheet(const std::string& ParentName, const std::string& SheetName,
                                 TSheetClass SheetClass);
void UnregisterOptionsSheet(const std::string& SheetName);

using TEnumSheetsCallback = std::function<void(
    const std::string& ParentName, const std::string& SheetName, TSheetClass SheetClass)>;
// Calls Callback once for every page, parents before their children,
// otherwise in registration order.
void EnumOptionsSheets(const TEnumSheetsCallback& Callback);
