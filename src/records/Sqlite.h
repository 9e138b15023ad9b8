#pragma once
#include <sqlite3.h>

#include <cstdint>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>

namespace records {

// A failed SQLite call: its result code and SQLite's own words. The record book tells a busy
// (locked) database from a damaged one by the code.
class SqliteError : public std::runtime_error {
 public:
  SqliteError(int code, const std::string& what) : std::runtime_error(what), code_(code) {}
  int code() const { return code_; }
  // Another connection holds a lock the call needed.
  bool busy() const { return (code_ & 0xff) == SQLITE_BUSY || (code_ & 0xff) == SQLITE_LOCKED; }

 private:
  int code_;
};

// One open database file. Opening never follows a symbolic link and never waits for a lock:
// the game runs its frames on the same thread, so a locked database is an error at once.
class Connection {
 public:
  // path: the database file, created when missing; ":memory:" for one without a file.
  // Throws SqliteError when it cannot be opened.
  explicit Connection(const std::string& path);

  // Runs statements without results (schema changes, pragmas, BEGIN/COMMIT).
  void execute(const std::string& sql);
  sqlite3* handle() const { return db_.get(); }
  const std::string& path() const { return path_; }

 private:
  struct Close {
    void operator()(sqlite3* db) const { sqlite3_close_v2(db); }
  };
  std::unique_ptr<sqlite3, Close> db_;
  std::string path_;
};

// A prepared statement with its parameters bound from 1 on; step() moves to the next row.
class Statement {
 public:
  Statement(Connection& connection, const std::string& sql);

  Statement& bind(int index, const std::string& text);
  Statement& bind(int index, double value);
  Statement& bind(int index, std::int64_t value);
  Statement& bind(int index, int value) { return bind(index, static_cast<std::int64_t>(value)); }

  // True while there is a row to read; false when done. Throws SqliteError on failure.
  bool step();
  // Runs a statement that returns no rows.
  void run() { step(); }

  std::string text(int column) const;
  double real(int column) const;
  std::int64_t integer(int column) const;
  bool isNull(int column) const;

 private:
  struct Finalize {
    void operator()(sqlite3_stmt* statement) const { sqlite3_finalize(statement); }
  };
  Connection& connection_;
  std::unique_ptr<sqlite3_stmt, Finalize> statement_;
};

// BEGIN IMMEDIATE at construction, ROLLBACK at destruction unless commit() ran: every write of
// the record book is whole or not at all.
class Transaction {
 public:
  explicit Transaction(Connection& connection);
  ~Transaction();
  Transaction(const Transaction&) = delete;
  Transaction& operator=(const Transaction&) = delete;
  void commit();

 private:
  Connection& connection_;
  bool open_ = true;
};

}  // namespace records
