// The table every window, control, font and bar lives in: an id reused destroys what it
// held, and a destruction that reaches back into the table finds a consistent table. And
// the tables of every backend together: what closing a window takes with it.
#include "internal/id_table.h"
#include "internal/object_tables.h"

#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

namespace toolkit {
namespace {

// Records its own destruction and, like a window taking its controls with it, may remove
// other ids from the same table while it goes.
class Tracked {
  public:
    Tracked(std::string name, std::vector<std::string>* destroyed,
            IdTable<Tracked>* table = nullptr, std::vector<int> takesAlong = {})
        : name_(std::move(name)), destroyed_(destroyed), table_(table),
          takesAlong_(std::move(takesAlong)) {}
    Tracked(Tracked&& other) noexcept
        : name_(std::move(other.name_)), destroyed_(std::exchange(other.destroyed_, nullptr)),
          table_(other.table_), takesAlong_(std::move(other.takesAlong_)) {}
    Tracked& operator=(Tracked&&) = delete;
    Tracked(const Tracked&) = delete;
    Tracked& operator=(const Tracked&) = delete;

    ~Tracked() {
        if (destroyed_ == nullptr) {
            return; // moved from
        }
        destroyed_->push_back(name_);
        if (table_ != nullptr) {
            for (const int id : takesAlong_) {
                table_->Remove(id);
            }
        }
    }

    const std::string& Name() const { return name_; }

  private:
    std::string name_;
    std::vector<std::string>* destroyed_;
    IdTable<Tracked>* table_;
    std::vector<int> takesAlong_;
};

TEST(IdTable, ReusingAnIdDestroysTheOldEntryBeforeTheNewOneIsStored) {
    std::vector<std::string> destroyed;
    IdTable<Tracked> table;
    table.Put(45, Tracked("first", &destroyed));
    table.Put(66, Tracked("other", &destroyed));
    ASSERT_TRUE(destroyed.empty());

    const Tracked& second = table.Put(45, Tracked("second", &destroyed));
    EXPECT_EQ(destroyed, (std::vector<std::string>{"first"}));
    EXPECT_EQ(second.Name(), "second");
    ASSERT_NE(table.Find(45), nullptr);
    EXPECT_EQ(table.Find(45)->Name(), "second");
    EXPECT_EQ(table.Find(66)->Name(), "other");
    EXPECT_EQ(table.Find(7), nullptr);

    // Any id, not only small ones, and negative ids are ids like any other.
    table.Put(1002, Tracked("toolbar button", &destroyed));
    table.Put(-1, Tracked("negative", &destroyed));
    EXPECT_EQ(table.Find(1002)->Name(), "toolbar button");
    EXPECT_EQ(table.Find(-1)->Name(), "negative");
}

TEST(IdTable, RemovingAnEmptyIdDoesNothing) {
    std::vector<std::string> destroyed;
    IdTable<Tracked> table;
    table.Remove(3);
    EXPECT_TRUE(table.Empty());
    table.Put(3, Tracked("field", &destroyed));
    table.Remove(4);
    EXPECT_TRUE(destroyed.empty());
    table.Remove(3);
    table.Remove(3);
    EXPECT_EQ(destroyed, (std::vector<std::string>{"field"}));
    EXPECT_TRUE(table.Empty());
}

TEST(IdTable, AnEntryBeingDestroyedFindsItsIdAlreadyFree) {
    std::vector<std::string> destroyed;
    IdTable<Tracked> table;
    // Entry 0 removes itself again while it is destroyed: the table must not destroy it
    // twice nor touch an erased slot.
    table.Put(0, Tracked("window", &destroyed, &table, {0}));
    table.Remove(0);
    EXPECT_EQ(destroyed, (std::vector<std::string>{"window"}));
    EXPECT_EQ(table.Find(0), nullptr);
}

TEST(IdTable, ClearDestroysEachEntryOnceEvenWhenOneTakesOthersAlong) {
    std::vector<std::string> destroyed;
    IdTable<Tracked> table;
    table.Put(1, Tracked("field 1", &destroyed));
    table.Put(2, Tracked("field 2", &destroyed));
    table.Put(0, Tracked("window", &destroyed, &table, {1, 2}));
    table.Put(199, Tracked("viewer", &destroyed));

    table.Clear();
    EXPECT_TRUE(table.Empty());
    // In id order; the window's destruction takes its two fields first, and the sweep
    // that follows must not destroy them again.
    EXPECT_EQ(destroyed, (std::vector<std::string>{"window", "field 1", "field 2", "viewer"}));
}

TEST(IdTable, RemoveIfAndFindIdSeeOnlyWhatMatches) {
    std::vector<std::string> destroyed;
    IdTable<Tracked> table;
    for (const int id : {4, 5, 6, 7, 8}) {
        table.Put(id, Tracked("output " + std::to_string(id), &destroyed));
    }
    table.RemoveIf([](int id, const Tracked&) { return id % 2 == 0; });
    EXPECT_EQ(destroyed, (std::vector<std::string>{"output 4", "output 6", "output 8"}));
    EXPECT_EQ(table.Find(4), nullptr);
    EXPECT_NE(table.Find(5), nullptr);

    EXPECT_EQ(table.FindId([](const Tracked& t) { return t.Name() == "output 7"; }, -1), 7);
    EXPECT_EQ(table.FindId([](const Tracked& t) { return t.Name() == "output 4"; }, -1), -1);
}

// Entries as a backend's are shaped: a window names its owner, the rest their window.
struct WindowEntry {
    Tracked tracked;
    int owner = -1;
};
struct ChildEntry {
    Tracked tracked;
    int windowId = -1;
};
using Tables = ObjectTables<WindowEntry, ChildEntry, ChildEntry, ChildEntry, ChildEntry>;

TEST(ObjectTables, AWindowsContentsGoBeforeItAndNothingOfAnotherWindow) {
    std::vector<std::string> destroyed;
    Tables tables;
    tables.windows.Put(0, {Tracked("main window", &destroyed)});
    tables.windows.Put(199, {Tracked("viewer", &destroyed), 0});
    tables.controls.Put(1, {Tracked("field 1", &destroyed), 0});
    tables.controls.Put(111, {Tracked("page", &destroyed), 199});
    tables.menuBars.Put(0, {Tracked("menu bar", &destroyed), 0});
    tables.statusBars.Put(0, {Tracked("status bar", &destroyed), 0});
    tables.toolBars.Put(0, {Tracked("toolbar", &destroyed), 199});

    // As the platform-free part sees the tables.
    ToolkitBooks& books = tables;
    EXPECT_EQ(books.OwnerOf(199), 0);
    EXPECT_EQ(books.OwnerOf(0), -1);
    EXPECT_EQ(books.OwnerOf(5), std::nullopt);
    books.RemoveContentsOf(199);
    EXPECT_EQ(destroyed, (std::vector<std::string>{"page", "toolbar"}));
    EXPECT_NE(tables.windows.Find(199), nullptr);
    books.RemoveWindow(199);
    EXPECT_EQ(destroyed.back(), "viewer");
    EXPECT_EQ(books.OwnerOf(199), std::nullopt);
    EXPECT_NE(tables.controls.Find(1), nullptr);

    destroyed.clear();
    books.RemoveAllWindows();
    EXPECT_EQ(destroyed,
              (std::vector<std::string>{"field 1", "menu bar", "status bar", "main window"}));
    EXPECT_TRUE(tables.windows.Empty() && tables.controls.Empty() && tables.statusBars.Empty());
}

} // namespace
} // namespace toolkit
