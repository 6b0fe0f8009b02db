// The base of every options page, and the page registry the options dialog
// builds its tree from.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <typeindex>
#include <vector>

#include "SheetLayout.h"

// What a page needs of its owner: to be told that an option was edited.
class TOptionsSheetOwner {
 public:
  virtual ~TOptionsSheetOwner() = default;
  virtual void SetModified(bool Value) = 0;
};

// A page of the dialog. A page of this class itself stands for a group
// node: it shows only its hint.
class TOptionsSheetBase {
 public:
  // Owner is told of edits.
  explicit TOptionsSheetBase(TOptionsSheetOwner* Owner);
  virtual ~TOptionsSheetBase() = default;
  TOptionsSheetBase(const TOptionsSheetBase&) = delete;
  TOptionsSheetBase& operator=(const TOptionsSheetBase&) = delete;

  // Writes the page's options. A group page writes nothing.
  virtual void Apply();
  // Whether the user may leave the page now; an open editor is left first.
  virtual bool CanLeave() { return true; }
  void SetModified(bool Value);
  // Shaped as an edit notification, so that an option list can call it.
  void MarkModified(const void* Sender);
  bool Modified() const { return FModified; }

  // What the page shows.
  const TSheetLayout& Layout() const { return FLayout; }
  // The page's label of that name, wherever it sits; null when there is none.
  const TSheetLabel* Label(const std::string& Name) const;

 protected:
  TSheetLayout FLayout;
  // The group page's hint; pages of their own hide it.
  TSheetLabel& lbSheetBaseLabel() { return FLayout.Labels.front(); }

 private:
  void FormCreate();

  bool FModified = false;
  TOptionsSheetOwner* FOwner;
};

// Names a page class and creates pages of it. Two are equal when they name
// the same class.
class TSheetClass {
 public:
  using TFactory = std::unique_ptr<TOptionsSheetBase> (*)(TOptionsSheetOwner* Owner);

  template <class TSheet>
  static TSheetClass Of() {
    return TSheetClass(typeid(TSheet), [](TOptionsSheetOwner* Owner) {
      return std::unique_ptr<TOptionsSheetBase>(new TSheet(Owner));
    });
  }

  std::unique_ptr<TOptionsSheetBase> Create(TOptionsSheetOwner* Owner) const {
    return FFactory(Owner);
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
